#pragma once

#include "app/Job/DestructiveOperation.h"

#include <QCoreApplication>
#include <QString>

class QWidget;

// The attached views of the volume modules: confirmation, notices and results, laid out like
// the file eraser's (FileEraserViewParts).
class WipeViewParts {
    Q_DECLARE_TR_FUNCTIONS(WipeViewParts)

public:
    // A view with ICON, TITLE, TEXT and one or two buttons: PRIMARY (named primaryName) and,
    // when SECONDARY is not empty, a second one named "cancelButton". The primary button closes
    // the attached window as accepted, the other as rejected.
    static QWidget* messageView(QWidget* view, const QString& icon, const QString& title,
                                const QString& text, const QString& primary,
                                const QString& primaryName, const QString& secondary = {},
                                bool danger = false);

    // How a drive wipe of PLAN goes, drive by drive, from the plan's method notes.
    static QString driveMethod(const DestructiveOperation::Plan& plan);
    // One of the plan's notes as a warning line, named "planNote", its kind in the property
    // "warningKind"; the text as the plan gives it.
    static QWidget* noteLine(const DestructiveOperation::Note& note);
    // One of the plan's refusals in the danger colour, named "refusalLine".
    static QWidget* refusalLine(const DestructiveOperation::Refused& refused);
};
