#include "app/Certificate/ProgramIdentity.h"

QString ProgramIdentity::version() {
    return QStringLiteral(KORVANE_VERSION);
}

QString ProgramIdentity::build() {
    return QStringLiteral(KORVANE_BUILD);
}
