#include "app/Certificate/CanonicalJson.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

bool utf16Less(const QString& a, const QString& b) {
    // Code units, not code points: U+1F600 (D83D DE00) sorts before U+FB33.
    return std::lexicographical_compare(a.utf16(), a.utf16() + a.size(), b.utf16(),
                                        b.utf16() + b.size());
}

bool append(QByteArray& out, const QJsonValue& value, QString* error) {
    switch (value.type()) {
    case QJsonValue::Null:
        out += "null";
        return true;
    case QJsonValue::Bool:
        out += value.toBool() ? "true" : "false";
        return true;
    case QJsonValue::Double: {
        const auto text = CanonicalJson::number(value.toDouble());
        if (!text) {
            if (error)
                *error = QStringLiteral("a number that is not finite");
            return false;
        }
        out += *text;
        return true;
    }
    case QJsonValue::String: {
        const auto text = CanonicalJson::string(value.toString());
        if (!text) {
            if (error)
                *error = QStringLiteral("a string with a lone surrogate");
            return false;
        }
        out += *text;
        return true;
    }
    case QJsonValue::Array: {
        out += '[';
        bool first = true;
        for (const QJsonValue& element : value.toArray()) {
            if (!first)
                out += ',';
            first = false;
            if (!append(out, element, error))
                return false;
        }
        out += ']';
        return true;
    }
    case QJsonValue::Object: {
        const QJsonObject object = value.toObject();
        QStringList names = object.keys();
        std::sort(names.begin(), names.end(), utf16Less);
        out += '{';
        bool first = true;
        for (const QString& name : std::as_const(names)) {
            if (!first)
                out += ',';
            first = false;
            const auto key = CanonicalJson::string(name);
            if (!key) {
                if (error)
                    *error = QStringLiteral("a member name with a lone surrogate");
                return false;
            }
            out += *key;
            out += ':';
            if (!append(out, object.value(name), error))
                return false;
        }
        out += '}';
        return true;
    }
    case QJsonValue::Undefined:
        break;
    }
    if (error)
        *error = QStringLiteral("an undefined value");
    return false;
}

} // namespace

std::optional<QByteArray> CanonicalJson::serialize(const QJsonValue& value, QString* error) {
    QByteArray out;
    if (!append(out, value, error))
        return std::nullopt;
    return out;
}

std::optional<QByteArray> CanonicalJson::number(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    if (value == 0)
        return QByteArray("0"); // minus zero too
    QByteArray out;
    if (value < 0) {
        out += '-';
        value = -value;
    }
    // The shortest digits that read back as VALUE, as "d.ddde±x": ECMAScript's s, k and n.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    const std::string scientific(buffer, result.ptr);
    const auto e = scientific.find('e');
    std::string digits = scientific.substr(0, e);
    digits.erase(std::remove(digits.begin(), digits.end(), '.'), digits.end());
    const int k = int(digits.size());
    const int n = std::stoi(scientific.substr(e + 1)) + 1;
    if (k <= n && n <= 21) {
        out += QByteArray::fromStdString(digits) + QByteArray(n - k, '0');
    } else if (0 < n && n <= 21) {
        out += QByteArray::fromStdString(digits.substr(0, n)) + '.' +
               QByteArray::fromStdString(digits.substr(n));
    } else if (-6 < n && n <= 0) {
        out += "0." + QByteArray(-n, '0') + QByteArray::fromStdString(digits);
    } else {
        out += digits[0];
        if (k > 1)
            out += '.' + QByteArray::fromStdString(digits.substr(1));
        out += 'e';
        out += n - 1 < 0 ? '-' : '+';
        out += QByteArray::number(std::abs(n - 1));
    }
    return out;
}

std::optional<QByteArray> CanonicalJson::string(const QString& text) {
    QByteArray out("\"");
    static const char* const hex = "0123456789abcdef";
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 >= text.size() || !QChar::isLowSurrogate(text.at(i + 1).unicode()))
                return std::nullopt;
            out += text.mid(i, 2).toUtf8();
            ++i;
            continue;
        }
        if (QChar::isLowSurrogate(c))
            return std::nullopt;
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                out += "\\u00";
                out += hex[c >> 4];
                out += hex[c & 0xf];
            } else {
                out += QString(QChar(c)).toUtf8();
            }
        }
    }
    out += '"';
    return out;
}
