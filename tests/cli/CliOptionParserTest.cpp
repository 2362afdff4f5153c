#include "cli/CliOptionParser.h"

#include <gtest/gtest.h>

namespace {

void eraseLike(CliOptionParser& parser) {
    parser.flag({QStringLiteral("y"), QStringLiteral("yes")})
        .valued({QStringLiteral("level")}, QStringLiteral("N"));
}

// Names that are not valid in the locale's encoding come back byte for byte, wherever they
// stand among the options, and after "--" a name that looks like an option is a name.
TEST(CliOptionParserTest, PathsKeepTheirBytesAmongOptions) {
    const QByteArray latin1 = "/tmp/caf\xe9";
    const QByteArray broken = "/tmp/\xff\xfe-x";
    CliOptionParser parser(QStringLiteral("erase"));
    eraseLike(parser);
    ASSERT_TRUE(parser.parse(
        QList<QByteArray>{latin1, "--level", "7", broken, "-y", "--", "--odd", QByteArray()}))
        << parser.error().toStdString();
    EXPECT_EQ(parser.rawPositional(), (QList<QByteArray>{latin1, broken, "--odd", QByteArray()}));
    EXPECT_EQ(parser.value(QStringLiteral("level")), QStringLiteral("7"));
    EXPECT_TRUE(parser.isSet(QStringLiteral("yes")));
}

// A name that happens to hold the parser's own stand-in marker is still only a name.
TEST(CliOptionParserTest, ANameLikeAStandInIsNotMistakenForOne) {
    const QByteArray tricky = "\x01korvane-raw:0";
    CliOptionParser parser(QStringLiteral("erase"));
    eraseLike(parser);
    ASSERT_TRUE(parser.parse(QList<QByteArray>{"/tmp/\xff", tricky}));
    EXPECT_EQ(parser.rawPositional(), (QList<QByteArray>{"/tmp/\xff", tricky}));
}

TEST(CliOptionParserTest, UnknownOptionsAndMissingValuesAreUsageErrors) {
    CliOptionParser parser(QStringLiteral("erase"));
    eraseLike(parser);
    EXPECT_FALSE(parser.parse(QStringList{QStringLiteral("--forced"), QStringLiteral("a")}));
    EXPECT_FALSE(parser.error().isEmpty());
    EXPECT_FALSE(parser.parse(QStringList{QStringLiteral("a"), QStringLiteral("--level")}));
    EXPECT_FALSE(parser.error().isEmpty());
    EXPECT_TRUE(parser.parse(QStringList{QStringLiteral("-h")}));
    EXPECT_TRUE(parser.helpAsked());
}

} // namespace
