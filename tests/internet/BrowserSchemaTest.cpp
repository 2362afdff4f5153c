// Every database rule of the data file against the schemas the browsers themselves make:
// tests/internet/schemas holds the CREATE statements of new profiles of Chromium 156 and Firefox
// ESR 153 (Debian 12), taken from the files they wrote. A rule whose table or column a browser
// does not have fails here, not on a user's profile.
#include "BrowserFixture.h"

#include "app/inter/EraserHistory.h"
#include "app/inter/ToGetDB.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

const QString kSource = QStringLiteral(KORVANE_SOURCE_DIR);

// The schema file a rule's database is checked against: by its file name, the cookie stores
// all sharing one.
QString schemaFor(const QString& family, const QString& location) {
    QString name = location.section(QLatin1Char('/'), -1);
    if (name == QLatin1String("Extension Cookies"))
        name = QStringLiteral("Cookies");
    const QString folder = family == QLatin1String("Chromium") ? QStringLiteral("chromium-156")
                                                               : QStringLiteral("firefox-esr-153");
    return folder + QLatin1Char('/') + name;
}

} // namespace

TEST(BrowserSchema, EveryDatabaseRuleRunsOnTheBrowsersOwnSchema) {
    const EraserHistory history =
        EraserHistory::load(kSource + QStringLiteral("/app/Resources/EraserHistory.plist"));
    ASSERT_TRUE(history.isValid());
    QTemporaryDir dir;
    ToGetDB db;
    int checked = 0;
    for (const QString& browser : {QStringLiteral("Chromium"), QStringLiteral("Firefox")}) {
        const EraserHistory::Browser* rules = history.browser(browser);
        ASSERT_TRUE(rules);
        for (const EraserHistory::Kind& kind : rules->kinds)
            for (const EraserHistory::Location& location : kind.locations) {
                if (!location.database)
                    continue;
                SCOPED_TRACE((browser + ", " + kind.name + ": " + location.path).toStdString());
                const QString schema = schemaFor(rules->family, location.path);
                ASSERT_TRUE(
                    QFileInfo::exists(kSource + "/tests/internet/schemas/" + schema + ".sql"))
                    << "no real schema for this database";
                const QString path = dir.path() + QStringLiteral("/%1.db").arg(checked);
                BrowserFixture::realSchema(path, schema);
                for (const EraserHistory::Statement* s : {&location.count, &location.check}) {
                    const ToGetDB::Outcome counted = db.count(path, *s);
                    EXPECT_TRUE(counted.ok)
                        << s->sql.toStdString() << ": " << counted.error.toStdString();
                }
                // Required statements must find their tables; each must compile and run.
                const ToGetDB::Outcome cleaned = db.clean(path, location);
                EXPECT_TRUE(cleaned.ok) << cleaned.error.toStdString();
                EXPECT_EQ(BrowserFixture::integrity(path), "ok");
                ++checked;
            }
    }
    EXPECT_GE(checked, 15);
}
