#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

// The panel's text and number rules: every conversion between operator or line text and numbers
// goes through here, so that all of them accept and refuse exactly the same texts.
namespace textrules {

// Pattern "00": at least two digits, zeros in front; a minus sign leads (-5 gives "-05").
QString pattern00(qint64 n);

// Pattern "00.0": rounded to one decimal with a half going away from zero, at least two digits
// before the point, exactly one after; a minus sign leads. The point is always ".".
QString pattern00_0(double value);

// A whole number as plain text: digits and a leading minus sign, nothing else.
QString wholeText(qint64 n);

// Blanks around, an optional sign, digits with at most one point, an optional exponent.
// Anything else fails: the empty text, "inf", "nan", hex, a decimal comma, a value beyond a double.
std::optional<double> toNumber(QStringView text);

// toNumber, then rounded to the nearest whole number with a half going to the even neighbour;
// fails outside -32768..32767.
std::optional<qint16> toInt16(QStringView text);

// True exactly when toNumber succeeds.
bool isNumber(QStringView text);

// A piece of text by 1-based start and length: a start past the end gives the empty text,
// a length past the end gives the rest.
QString piece(QStringView text, qsizetype start, qsizetype length);

} // namespace textrules
