#pragma once

#include <QString>

class QWidget;

// The attached views of the volume modules: confirmation, notices and results, laid out like
// the file eraser's (FileEraserViewParts).
class WipeViewParts {
public:
    // A view with ICON, TITLE, TEXT and one or two buttons: PRIMARY (named primaryName) and,
    // when SECONDARY is not empty, a second one named "cancelButton". The primary button closes
    // the attached window as accepted, the other as rejected.
    static QWidget* messageView(QWidget* view, const QString& icon, const QString& title,
                                const QString& text, const QString& primary,
                                const QString& primaryName, const QString& secondary = {},
                                bool danger = false);
};
