#include "platform/Logger.h"

// Loader entry point; the start-up steps are built in LoaderStartup.
int main(int, char**) {
    Logger::open("KorvaneLoader");
    return 0;
}
