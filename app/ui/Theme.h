#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QApplication;
class QPalette;

// The application's dark look: navy surfaces, white text, one blue accent. Widgets take their
// colours from here rather than spelling out their own, so every module looks the same.
class Theme {
public:
    static inline const QColor kBackground{27, 33, 64};   // window and module pages
    static inline const QColor kSidebar{20, 25, 51};      // module list
    static inline const QColor kSurface{37, 44, 82};      // cards, tables, inputs
    static inline const QColor kBorder{61, 74, 128};      // hairlines around surfaces
    static inline const QColor kText{255, 255, 255};      // primary text
    static inline const QColor kTextMuted{154, 163, 199}; // secondary text
    static inline const QColor kTextDisabled{107, 115, 153};
    static inline const QColor kAccent{59, 152, 254}; // selection, primary actions
    static inline const QColor kWarning{255, 181, 71};
    static inline const QColor kDanger{229, 72, 77};

    // Fusion style, the dark palette and the style sheet on the whole application.
    static void apply(QApplication& app);
    static QPalette palette();
    static QString styleSheet();

    // The name under which a font is recorded in the settings store: the family, followed by the
    // style when the style is not the family's plain one ("DejaVu Sans", "DejaVu Sans Bold").
    static QString fontName(const QFont& font);
    // The font a recorded name stands for, at PIXELSIZE; the application font when the name is
    // empty or unknown on this machine.
    static QFont fontNamed(const QString& name, int pixelSize);
};
