#include "HistoryTestSupport.h"

#include "app/Comm/UserDefaults.h"
#include "app/inter/DoDataBase.h"
#include "app/inter/HistoryLocation.h"
#include "app/inter/HistorySchema.h"
#include "platform/BundleLocator.h"
#include "tests/core/TestSupport.h"

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace historytest {

void makeDatabase(const QString& path) {
    std::string error;
    ASSERT_TRUE(HistorySchema::createDatabase(QFile::encodeName(path).toStdString(), 0600, error))
        << error;
}

TempHistory::TempHistory() {
    m_bundle = testsupport::makeBundle(m_dir.path());
    BundleLocator::setOuterBundlePath(m_bundle);
    m_database = BundleLocator::mainResourcesPath() + QStringLiteral("/DataBase.db");
    makeDatabase(m_database);
    // Keep the level the writers read away from the real user defaults; a copy never goes to
    // the real /var/lib either.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path() + "/config");
    HistoryLocation::setWritableCopyPath(m_dir.path() + "/copy/DataBase.db");
    UserDefaults::mainProgram().setEraserTimes(1);
}

TempHistory::~TempHistory() {
    BundleLocator::setOuterBundlePath(QString());
    HistoryLocation::setWritableCopyPath(QString());
}

int TempHistory::rowCount(const QString& table) const {
    sqlite3* db = nullptr;
    int count = -1;
    if (sqlite3_open_v2(QFile::encodeName(m_database).constData(), &db, SQLITE_OPEN_READONLY,
                        nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        const QByteArray sql = "select count(*) from " + table.toUtf8();
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            count = sqlite3_column_int(statement, 0);
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return count;
}

FileObjPtr item(const QString& path, const QString& result) {
    auto object = std::make_shared<FileObj>();
    object->url = path;
    object->name = path.section(QLatin1Char('/'), -1);
    object->failStr = result;
    return object;
}

QDateTime at(const QString& key) {
    return QDateTime::fromString(key, DoDataBase::kKeyPattern);
}

void ensureApplication() {
    if (QApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "history_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

} // namespace historytest
