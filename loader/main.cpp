#include "loader/LoaderStartup.h"
#include "loader/RunScript.h"
#include "loader/ServiceEraserRoad.h"
#include "platform/Logger.h"

int main(int argc, char** argv) {
    Logger::open("KorvaneLoader");
    return LoaderStartup::run(argc, argv, {runServiceEraser, RunScript::RunTool});
}
