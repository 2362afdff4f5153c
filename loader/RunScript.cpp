#include "loader/RunScript.h"

#include "platform/PrivilegedLauncher.h"

int RunScript::RunTool(const QString& path) {
    return PrivilegedLauncher::launch(path, {kLoaderArgument}, PrivilegedLauncher::systemOptions());
}
