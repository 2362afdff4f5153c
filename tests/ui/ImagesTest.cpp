#include "app/ui/Images.h"
#include "UiTestSupport.h"

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QSvgRenderer>
#include <gtest/gtest.h>

namespace {

// Every picture name written literally in a call that looks a picture up, across the programs'
// sources, mapped to the first file that asks for it.
QMap<QString, QString> imageNamesAskedForInSources() {
    static const QRegularExpression call(
        QStringLiteral(R"re((?:Images::\w+|setImageName|ImageButton)\s*\(\s*)re"
                       R"re((?:QStringLiteral\s*\(\s*|QLatin1String\s*\(\s*)?"([^"]+)")re"));
    QMap<QString, QString> names;
    for (const char* folder : {"app", "loader"}) {
        QDirIterator it(QStringLiteral(KORVANE_SOURCE_DIR "/") + QLatin1String(folder),
                        {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QString text = QString::fromUtf8(file.readAll());
            for (auto match = call.globalMatch(text); match.hasNext();) {
                const QString name = match.next().captured(1);
                if (!names.contains(name))
                    names.insert(name, path);
            }
        }
    }
    return names;
}

TEST(ImagesTest, EveryPictureTheCodeAsksForIsCompiledIn) {
    uitest::app();
    const QMap<QString, QString> asked = imageNamesAskedForInSources();
    // The scan sees the window's own look-ups, so an empty result is a broken scan, not success.
    ASSERT_TRUE(asked.contains(QStringLiteral("app_logo")));
    ASSERT_TRUE(asked.contains(QStringLiteral("ic_warning")));
    for (auto it = asked.cbegin(); it != asked.cend(); ++it)
        EXPECT_TRUE(Images::exists(it.key())) << "missing picture \"" << it.key().toStdString()
                                              << "\" asked for in " << it.value().toStdString();
}

TEST(ImagesTest, ButtonImageSetsAreComplete) {
    for (const char* set : {"btn_sec", "btn_main", "ic_history", "ic_nohistory"})
        for (const char* suffix : {"", "_press", "_hover", "_disable"}) {
            const QString name = QLatin1String(set) + QLatin1String(suffix);
            EXPECT_TRUE(Images::exists(name)) << name.toStdString();
        }
    for (const char* name : {"radiobutton_no", "radiobutton_sel", "checkbox_yes", "checkbox_no",
                             "ic_trash", "ic_export", "dashboder", "dashboder-drop"})
        EXPECT_TRUE(Images::exists(QLatin1String(name))) << name;
}

TEST(ImagesTest, EveryCompiledPictureIsAValidDrawing) {
    uitest::app();
    const QStringList names = Images::names();
    ASSERT_GE(names.size(), 40);
    for (const QString& name : names) {
        QSvgRenderer renderer(Images::path(name));
        EXPECT_TRUE(renderer.isValid()) << name.toStdString();
        const QImage image = Images::pixmap(name, QSize(32, 32), 2.0).toImage();
        EXPECT_EQ(image.size(), QSize(64, 64)) << name.toStdString();
        bool drawn = false;
        for (int y = 0; y < image.height() && !drawn; ++y)
            for (int x = 0; x < image.width() && !drawn; ++x)
                drawn = qAlpha(image.pixel(x, y)) > 0;
        EXPECT_TRUE(drawn) << name.toStdString() << " draws nothing";
    }
}

TEST(ImagesTest, LookUpRules) {
    uitest::app();
    EXPECT_FALSE(Images::exists(QStringLiteral("no_such_picture")));
    EXPECT_FALSE(Images::exists(QString()));
    EXPECT_TRUE(Images::pixmap(QStringLiteral("no_such_picture")).isNull());
    EXPECT_TRUE(Images::icon(QStringLiteral("no_such_picture")).isNull());
    EXPECT_EQ(Images::pixmap(QStringLiteral("btn_sec")).size(),
              Images::naturalSize(QStringLiteral("btn_sec")));
    // Variants fall back to the base picture when the set has none.
    EXPECT_EQ(Images::variant(QStringLiteral("btn_sec"), QStringLiteral("_hover")),
              QStringLiteral("btn_sec_hover"));
    EXPECT_EQ(Images::variant(QStringLiteral("ic_drop"), QStringLiteral("_hover")),
              QStringLiteral("ic_drop"));
}

TEST(ImagesTest, HistoryButtonFollowsTheUnseenFlag) {
    EXPECT_EQ(Images::historyImageSet(QStringLiteral("1")), QStringLiteral("ic_history"));
    EXPECT_EQ(Images::historyImageSet(QStringLiteral("2")), QStringLiteral("ic_history"));
    EXPECT_EQ(Images::historyImageSet(QStringLiteral("0")), QStringLiteral("ic_nohistory"));
    EXPECT_EQ(Images::historyImageSet(QString()), QStringLiteral("ic_nohistory"));
    EXPECT_EQ(Images::historyImageSet(QStringLiteral("yes")), QStringLiteral("ic_nohistory"));
}

} // namespace
