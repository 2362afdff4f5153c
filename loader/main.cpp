#include "loader/LoaderStartup.h"
#include "loader/RunScript.h"
#include "loader/ServiceEraserRoad.h"
#include "platform/BundleLocator.h"
#include "platform/Logger.h"

int main(int argc, char** argv) {
    Logger::open("KorvaneLoader");
    BundleLocator::outerBundlePath(); // fixes the bundle before anything can replace the program
    return LoaderStartup::run(argc, argv, {runServiceEraser, RunScript::RunTool});
}
