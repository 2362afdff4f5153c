#include "UiTestSupport.h"

#include <QApplication>

namespace uitest {

QApplication& app() {
    static int argc = 1;
    static char name[] = "ui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = new QApplication(argc, argv);
    return *instance;
}

} // namespace uitest
