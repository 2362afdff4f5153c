#include "app/Comm/SizeText.h"

#include <QCoreApplication>
#include <QLocale>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr double kKilo = 1e3;
constexpr double kMega = 1e6;
constexpr double kGiga = 1e9;
constexpr double kTera = 1e12;
// 10^12 is not representable in single precision; the parsers multiply by its nearest float.
constexpr float kTeraAsFloat = 1e12f; // 999,999,995,904

QString format(const char* pattern, float value) {
    return QString::asprintf(pattern, static_cast<double>(value));
}

// The part of TEXT that forms a decimal number: [blanks][sign]digits[.digits][e[sign]digits].
// Returns the number without a leading '+', which std::from_chars does not accept.
std::string numberPrefix(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    qsizetype i = 0;
    const qsizetype n = bytes.size();
    while (i < n && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\n' || bytes[i] == '\r'))
        ++i;
    std::string out;
    if (i < n && (bytes[i] == '+' || bytes[i] == '-')) {
        if (bytes[i] == '-')
            out.push_back('-');
        ++i;
    }
    auto isDigit = [&](qsizetype k) { return k < n && bytes[k] >= '0' && bytes[k] <= '9'; };
    bool digits = false;
    while (isDigit(i)) {
        out.push_back(bytes[i++]);
        digits = true;
    }
    if (i < n && bytes[i] == '.') {
        out.push_back('.');
        ++i;
        while (isDigit(i)) {
            out.push_back(bytes[i++]);
            digits = true;
        }
    }
    if (!digits)
        return {};
    if (i < n && (bytes[i] == 'e' || bytes[i] == 'E')) {
        qsizetype k = i + 1;
        if (k < n && (bytes[k] == '+' || bytes[k] == '-'))
            ++k;
        if (isDigit(k)) {
            out.push_back('e');
            if (bytes[i + 1] == '-')
                out.push_back('-');
            while (isDigit(k))
                out.push_back(bytes[k++]);
        }
    }
    return out;
}

template <typename T> T parseNumber(const QString& text) {
    const std::string digits = numberPrefix(text);
    if (digits.empty())
        return 0;
    T value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        return digits[0] == '-' ? -std::numeric_limits<T>::infinity()
                                : std::numeric_limits<T>::infinity();
    return result.ec == std::errc() ? value : T(0);
}

// A byte count from a parsed product. Negative and undefined values count as 0 bytes and huge
// ones saturate, where a plain conversion would be undefined.
template <typename T> quint64 toByteCount(T value) {
    if (std::isnan(value) || value <= 0)
        return 0;
    if (value >= static_cast<T>(18446744073709551616.0))
        return std::numeric_limits<quint64>::max();
    return static_cast<quint64>(value);
}

// Bytes up to 999, then KB, MB, GB (and TB) in steps of 1000; the quotient goes through single
// precision before it is printed, so the texts match the stored ones digit for digit.
QString decimalUnits(double n, bool terabytes) {
    if (n <= 999)
        return format("%.0f byte", static_cast<float>(n));
    if (n <= 999'999)
        return format("%0.2f KB", static_cast<float>(n / kKilo));
    if (n <= 999'999'999)
        return format("%0.2f MB", static_cast<float>(n / kMega));
    if (!terabytes || n <= 999'999'999'999)
        return format("%0.2f GB", static_cast<float>(n / kGiga));
    return format("%0.2f TB", static_cast<float>(n / kTera));
}

} // namespace

QString SizeText::withTerabytes(qint64 bytes) {
    return decimalUnits(static_cast<double>(bytes), true);
}

QString SizeText::shownWithTerabytes(qint64 bytes) {
    return shown(withTerabytes(bytes));
}

QString SizeText::shown(const QString& stored) {
    // The stored text's number with the locale's decimal sign; the unit is the same everywhere.
    const qsizetype blank = stored.indexOf(QLatin1Char(' '));
    // Counts below a kilobyte are whole bytes, said with the count's plural ("0 bytes", "1 byte").
    if (blank > 0 && stored.mid(blank + 1) == QLatin1String("byte")) {
        bool whole = false;
        const int count = stored.left(blank).toInt(&whole);
        if (whole)
            return QCoreApplication::translate("SizeText", "%n byte(s)", nullptr, count);
    }
    const QLocale locale;
    if (blank < 0 || locale.decimalPoint() == QLatin1String("."))
        return stored;
    QString number = stored.left(blank);
    number.replace(QLatin1Char('.'), locale.decimalPoint());
    return number + stored.mid(blank);
}

QString SizeText::withoutTerabytes(quint64 bytes) {
    return decimalUnits(static_cast<double>(bytes), false);
}

QString SizeText::fromKilobytes(quint64 bytes) {
    const float n = static_cast<float>(bytes);
    if (bytes <= 999'999)
        return format("%0.2f KB", n / 1e3f);
    if (bytes <= 999'999'999)
        return format("%0.2f MB", n / 1e6f);
    return format("%0.2f GB", n / 1e9f);
}

double SizeText::leadingNumber(const QString& text) {
    return parseNumber<double>(text);
}

float SizeText::leadingNumberAsFloat(const QString& text) {
    return parseNumber<float>(text);
}

quint64 SizeText::parseSinglePrecision(const QString& text) {
    if (text.isEmpty())
        return 0;
    const float number = leadingNumberAsFloat(text.chopped(qMin<qsizetype>(2, text.size())));
    if (text.endsWith(QLatin1String("KB")))
        return toByteCount(number <= 0 ? number : number * 1e3f);
    if (text.endsWith(QLatin1String("MB")))
        return toByteCount(number * 1e6f);
    if (text.endsWith(QLatin1String("GB")))
        return toByteCount(number * 1e9f);
    if (text.endsWith(QLatin1String("TB")))
        return toByteCount(number * kTeraAsFloat);
    return 0;
}

quint64 SizeText::parseDoublePrecision(const QString& text) {
    // A text shorter than the cut holds no number (and must not be cut past its start).
    if (text.size() < 3)
        return 0;
    const double number = leadingNumber(text.chopped(3));
    if (number == 0)
        return 0;
    if (text.endsWith(QLatin1String("KB")))
        return toByteCount(number <= 0 ? number : number * kKilo);
    if (text.endsWith(QLatin1String("MB")))
        return toByteCount(number * kMega);
    if (text.endsWith(QLatin1String("GB")))
        return toByteCount(number * kGiga);
    if (text.endsWith(QLatin1String("TB")))
        return toByteCount(number * static_cast<double>(kTeraAsFloat));
    return 0;
}
