#pragma once

#include <QList>
#include <QString>

class ImageButton;
class QHBoxLayout;
class QLabel;
class QProgressBar;
class QVBoxLayout;
class QWidget;

// Building blocks shared by the file eraser's attached views (confirmation, progress, results),
// so that they look alike.
class FileEraserViewParts {
public:
    // Lays VIEW out with ICON and TITLE on top; returns the column the caller fills below.
    static QVBoxLayout* frame(QWidget* view, const QString& icon, const QString& title);
    // An image-set push button with TEXT, named NAME.
    static ImageButton* button(const QString& imageSet, const QString& text, const QString& name);
    // Buttons right-aligned in one row.
    static QHBoxLayout* buttonRow(const QList<ImageButton*>& buttons);
    // A warning line: the warning picture and TEXT in the warning colour.
    static QWidget* warningLine(const QString& text);
    // A plain wrapped paragraph in the muted colour.
    static QLabel* paragraph(const QString& text, const QString& name);
    // The progress bar of a progress view, named "progressBar", from 0 to MAXIMUM (0: busy, no
    // measure), without text.
    static QProgressBar* progressBar(int maximum = 100);
    // The running part of a removal's progress view: the bar over the path of the item under
    // way ("pathText", plain, wrapped), in an area of its own that the view hides at its end.
    struct RunArea {
        QWidget* area;
        QVBoxLayout* column;
        QProgressBar* bar;
        QLabel* path;
    };
    static RunArea runArea();
};
