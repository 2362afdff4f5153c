#include "EngineTestSupport.h"

#include "loader/Eraser/EraserWC.h"
#include "loader/ServiceEraserRoad.h"

#include <QApplication>
#include <QFileInfo>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

using namespace enginetest;

namespace {

// Once the road has made its application object, says yes to the erasure window's question and
// presses OK on its result page, as the user would. Runs on its own thread because the road blocks
// in the window's loop.
class OkPresser {
public:
    OkPresser()
        : m_thread([this] {
              while (!QCoreApplication::instance() && !m_stop)
                  std::this_thread::sleep_for(std::chrono::milliseconds(10));
              if (m_stop)
                  return;
              QMetaObject::invokeMethod(
                  QCoreApplication::instance(),
                  [this] {
                      auto* poll = new QTimer(QCoreApplication::instance());
                      QObject::connect(poll, &QTimer::timeout, poll, [this, poll] {
                          for (QWidget* top : QApplication::topLevelWidgets()) {
                              auto* window = qobject_cast<EraserWC*>(top);
                              if (window && window->asksFirst()) {
                                  m_confirmed = true;
                                  window->confirmEraseButton->click();
                                  continue;
                              }
                              if (!window || window->pages->currentIndex() != 1)
                                  continue;
                              m_pressed = true;
                              window->okButton->click();
                              poll->deleteLater();
                              return;
                          }
                      });
                      poll->start(50);
                  },
                  Qt::QueuedConnection);
          }) {}
    ~OkPresser() {
        m_stop = true;
        m_thread.join();
    }
    bool pressed() const { return m_pressed; }
    bool confirmed() const { return m_confirmed; }

private:
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_pressed{false};
    std::atomic<bool> m_confirmed{false};
    std::thread m_thread;
};

TEST(ServiceEraserRoadTest, ErasesThePathWithoutAnApplicationObjectOfItsOwn) {
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    FakeBundle bundle;
    QTemporaryDir work;
    const QString chosen = work.path() + QStringLiteral("/chosen");
    writeFile(chosen + QStringLiteral("/a"), "data");
    OkPresser presser;
    EXPECT_TRUE(runServiceEraser(chosen));
    EXPECT_TRUE(presser.confirmed()) << "the window asked before erasing";
    EXPECT_TRUE(presser.pressed());
    EXPECT_FALSE(QFileInfo::exists(chosen));
    // The loader's own defaults hold no level: one pass.
    EXPECT_EQ(bundle.srmRuns(),
              (QStringList{QStringLiteral("-fsvrz ") + chosen + "/a", "-fsvrz " + chosen}));
}

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
