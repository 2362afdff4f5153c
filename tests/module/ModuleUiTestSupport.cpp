#include "ModuleUiTestSupport.h"

#include "app/Comm/SettingsStore.h"
#include "app/Comm/UserDefaults.h"
#include "app/inter/HistoryLocation.h"
#include "app/ui/AttachedWindow.h"
#include "platform/BundleLocator.h"
#include "tests/core/TestSupport.h"
#include "tests/support/FakeSrm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace moduletest {

void prepareScreenshotRun(const QTemporaryDir& config) {
    qputenv("XDG_CONFIG_HOME", config.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", config.filePath(QStringLiteral("data")).toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

TempBundle::TempBundle(Tool tool) {
    m_outer = testsupport::makeBundle(m_dir.path());
    BundleLocator::setOuterBundlePath(m_outer);
    QFile::copy(testsupport::shippedSettingsStore(), resources() + "/NexwipeBase.plist");
    QFile::setPermissions(resources() + "/NexwipeBase.plist",
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    EXPECT_TRUE(HistoryLocation::ensureCopy(QString(), resources() + "/DataBase.db"));
    HistoryLocation::setWritableCopyPath(m_dir.filePath("history-copy/DataBase.db"));
    const QString srm = resources() + "/srm";
    if (tool == Tool::Real) {
        EXPECT_TRUE(
            QFile::copy(QStringLiteral(KORVANE_BUNDLE_DIR "/Contents/MacOS/Korvane Data "
                                                          "Eraser.app/Contents/Resources/srm"),
                        srm))
            << "the srm tool is not built into the bundle";
        // The volume tool as well, for the volume modules.
        const QString diskutil = QFileInfo(srm).path() + QStringLiteral("/diskutil");
        if (QFile::copy(QStringLiteral(KORVANE_BUNDLE_DIR "/Contents/MacOS/Korvane Data "
                                                          "Eraser.app/Contents/Resources/diskutil"),
                        diskutil))
            ::chmod(QFile::encodeName(diskutil).constData(), 0755);
    } else {
        testsupport::writeFile(srm, kFakeBatchSrm);
    }
    ::chmod(QFile::encodeName(srm).constData(), 0755);
    QDir().mkpath(work());
}

TempBundle::~TempBundle() {
    BundleLocator::setOuterBundlePath(QString());
    HistoryLocation::setWritableCopyPath(QString());
}

QString TempBundle::work() const {
    return m_dir.filePath("work");
}

QString TempBundle::resources() const {
    return m_outer + "/Contents/MacOS/Korvane Data Eraser.app/Contents/Resources";
}

QString TempBundle::settingValue(const QString& key) const {
    return SettingsStore(resources() + "/NexwipeBase.plist").value(key);
}

Answerer::Answerer(QList<Rule> rules) : m_rules(std::move(rules)) {
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &Answerer::poll);
    m_timer.start();
}

bool Answerer::waitFor(int count, int ms) {
    const QDeadlineTimer deadline(ms);
    while (m_answered.size() < count && !deadline.hasExpired())
        QTest::qWait(10);
    return m_answered.size() >= count;
}

void Answerer::poll() {
    // A closed window's address may come back for the next one: forget windows no longer up.
    m_done.removeIf([](const QPointer<AttachedWindow>& w) { return !w || !w->isVisible(); });
    for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<AttachedWindow*>(top);
        if (!window || !window->isVisible() || m_done.contains(window))
            continue;
        for (const Rule& rule : m_rules) {
            if (window->view()->objectName() != rule.view)
                continue;
            if (rule.when && !rule.when(window->view()))
                continue;
            auto* button = window->view()->findChild<QAbstractButton*>(rule.button);
            if (!button || !button->isEnabled())
                continue;
            m_done.append(window);
            m_answered.append(rule.view);
            if (inspect)
                inspect(window->view());
            button->click();
            return;
        }
    }
}

QString writeFile(const QString& path, int bytes) {
    testsupport::writeFile(path, QByteArray(bytes, 'k'));
    return path;
}

bool exists(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

PrivateUserDefaults::PrivateUserDefaults(int level) {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
    UserDefaults::mainProgram().setEraserTimes(level);
}

PrivateUserDefaults::~PrivateUserDefaults() {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

} // namespace moduletest
