#include "app/Certificate/CanonicalJson.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <cstring>
#include <gtest/gtest.h>

namespace {

double fromBits(quint64 bits) {
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

QByteArray canonicalOf(const QByteArray& json) {
    const QJsonDocument document = QJsonDocument::fromJson(json);
    EXPECT_FALSE(document.isNull()) << json.constData();
    return CanonicalJson::serialize(document.object()).value_or(QByteArray("<refused>"));
}

} // namespace

// The IEEE 754 samples of RFC 8785, Appendix B, with the text ECMAScript gives each.
TEST(CanonicalJson, NumbersAreWrittenAsEcmaScriptWritesThem) {
    const struct {
        quint64 bits;
        const char* text;
    } samples[] = {
        {0x0000000000000000, "0"},
        {0x8000000000000000, "0"},
        {0x0000000000000001, "5e-324"},
        {0x8000000000000001, "-5e-324"},
        {0x7fefffffffffffff, "1.7976931348623157e+308"},
        {0xffefffffffffffff, "-1.7976931348623157e+308"},
        {0x4340000000000000, "9007199254740992"},
        {0xc340000000000000, "-9007199254740992"},
        {0x4430000000000000, "295147905179352830000"},
        {0x44b52d02c7e14af5, "9.999999999999997e+22"},
        {0x44b52d02c7e14af6, "1e+23"},
        {0x44b52d02c7e14af7, "1.0000000000000001e+23"},
        {0x444b1ae4d6e2ef4e, "999999999999999700000"},
        {0x444b1ae4d6e2ef4f, "999999999999999900000"},
        {0x444b1ae4d6e2ef50, "1e+21"},
        {0x3eb0c6f7a0b5ed8c, "9.999999999999997e-7"},
        {0x3eb0c6f7a0b5ed8d, "0.000001"},
        {0x41b3de4355555553, "333333333.3333332"},
        {0x41b3de4355555554, "333333333.33333325"},
        {0x41b3de4355555555, "333333333.3333333"},
        {0x41b3de4355555556, "333333333.3333334"},
        {0x41b3de4355555557, "333333333.33333343"},
        {0xbecbf647612f3696, "-0.0000033333333333333333"},
        {0x43143ff3c1cb0959, "1424953923781206.2"},
    };
    for (const auto& sample : samples)
        EXPECT_EQ(CanonicalJson::number(fromBits(sample.bits)).value_or("<refused>"),
                  QByteArray(sample.text))
            << std::hex << sample.bits;
    // NaN and the infinities have no JSON form.
    EXPECT_FALSE(CanonicalJson::number(fromBits(0x7fffffffffffffff)));
    EXPECT_FALSE(CanonicalJson::number(fromBits(0x7ff0000000000000)));
    EXPECT_FALSE(CanonicalJson::serialize(QJsonValue(fromBits(0xfff0000000000000))));
}

// The examples of RFC 8785 sections 3.2.2 and 3.2.3.
TEST(CanonicalJson, MatchesTheRfcExamples) {
    EXPECT_EQ(canonicalOf(R"({
  "numbers": [333333333.33333329, 1E30, 4.50, 2e-3, 0.000000000000000000000000001],
  "string": "\u20ac$\u000F\u000aA'\u0042\u0022\u005c\\\"\/",
  "literals": [null, true, false]
})"),
              QByteArray(R"({"literals":[null,true,false],"numbers":[333333333.3333333,1e+30,4.5,)"
                         R"(0.002,1e-27],"string":"€$\u000f\nA'B\"\\\\\"/"})"));
    // Sorted by UTF-16 code units: the emoji's high surrogate (D83D) before U+FB33.
    EXPECT_EQ(canonicalOf(R"({
  "\u20ac": "Euro Sign",
  "\r": "Carriage Return",
  "\ufb33": "Hebrew Letter Dalet With Dagesh",
  "1": "One",
  "\ud83d\ude00": "Emoji: Grinning Face",
  "\u0080": "Control",
  "\u00f6": "Latin Small Letter O With Diaeresis"
})"),
              QStringLiteral("{\"\\r\":\"Carriage Return\",\"1\":\"One\",\"\u0080\":\"Control\","
                             "\"\u00f6\":\"Latin Small Letter O With Diaeresis\",\"\u20ac\":"
                             "\"Euro Sign\",\"\U0001F600\":\"Emoji: Grinning Face\",\"\ufb33\":"
                             "\"Hebrew Letter Dalet With Dagesh\"}")
                  .toUtf8());
}

TEST(CanonicalJson, EscapesOnlyWhatJsonStringifyEscapes) {
    EXPECT_EQ(CanonicalJson::string(QStringLiteral("a\"b\\c\b\f\n\r\t\x01\x1f/<\u2028é")).value(),
              QStringLiteral("\"a\\\"b\\\\c\\b\\f\\n\\r\\t\\u0001\\u001f/<\u2028é\"").toUtf8());
    // A lone surrogate has no UTF-8 form: refused, never replaced by something else.
    EXPECT_FALSE(CanonicalJson::string(QString(QChar(0xD800))));
    EXPECT_FALSE(CanonicalJson::string(QString(QChar(0xDC00)) + QLatin1Char('a')));
    QString error;
    EXPECT_FALSE(CanonicalJson::serialize(
        QJsonObject{{QString(QChar(0xD83D)), QStringLiteral("x")}}, &error));
    EXPECT_FALSE(error.isEmpty());
}
