#pragma once

#include <QByteArray>
#include <QJsonValue>
#include <QString>
#include <optional>

// JSON in the canonical form of RFC 8785: object members sorted by the UTF-16 code units of
// their names, no white space, strings escaped as ECMAScript's JSON.stringify escapes them and
// numbers written as ECMAScript writes a Number. Two documents with the same content have the
// same bytes, so a signature over those bytes does not depend on how a file was laid out.
class CanonicalJson {
public:
    // The canonical UTF-8 bytes of VALUE; none when it holds what I-JSON forbids (a number that
    // is not finite, a string with a lone surrogate), with the reason in ERROR.
    static std::optional<QByteArray> serialize(const QJsonValue& value, QString* error = nullptr);
    // The ECMAScript text of NUMBER ("1e+21", "0.000001", "5e-324"); none for NaN and infinity.
    static std::optional<QByteArray> number(double number);
    // STRING as a JSON string literal, quotes included; none when it holds a lone surrogate.
    static std::optional<QByteArray> string(const QString& string);
};
