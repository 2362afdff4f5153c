#pragma once

class QApplication;

namespace uitest {

// The one application object of the test program (offscreen), made on first use.
QApplication& app();

} // namespace uitest
