#include "platform/text_rules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace textrules {

QString pattern00(qint64 n)
{
    const QString digits = QString::number(n < 0 ? -static_cast<quint64>(n) : static_cast<quint64>(n));
    return (n < 0 ? QStringLiteral("-") : QString()) + digits.rightJustified(2, QLatin1Char('0'));
}

QString pattern00_0(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("00.0");
    // Round in decimal, from the value's 15 significant digits, so that a typed 0.05 or 49.95
    // rounds up as it reads instead of as its nearest binary double.
    char sci[40];
    std::snprintf(sci, sizeof sci, "%.14e", std::fabs(value));
    // sci is d.dddddddddddddde[+-]XX
    std::string digits;
    digits += sci[0];
    digits.append(sci + 2, 14);
    const int exponent = std::atoi(sci + 17);
    // The decimal point stands after (exponent + 1) digits; pad so that there are at least
    // two digits before it and at least two after it.
    int pointAt = exponent + 1;
    if (pointAt < 1) {
        digits.insert(0, static_cast<size_t>(1 - pointAt), '0');
        pointAt = 1;
    }
    if (static_cast<int>(digits.size()) < pointAt + 2)
        digits.append(static_cast<size_t>(pointAt + 2 - static_cast<int>(digits.size())), '0');
    std::string kept = digits.substr(0, static_cast<size_t>(pointAt + 1));
    if (digits[static_cast<size_t>(pointAt + 1)] >= '5') {
        int i = static_cast<int>(kept.size()) - 1;
        while (i >= 0 && kept[static_cast<size_t>(i)] == '9')
            kept[static_cast<size_t>(i--)] = '0';
        if (i < 0) {
            kept.insert(0, 1, '1');
            ++pointAt;
        } else {
            ++kept[static_cast<size_t>(i)];
        }
    }
    std::string whole = kept.substr(0, static_cast<size_t>(pointAt));
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    while (whole.size() < 2)
        whole.insert(0, 1, '0');
    const bool negative = value < 0 && (whole != "00" || kept.back() != '0');
    return QString::fromLatin1((negative ? "-" : "") + whole + "." + kept.back());
}

QString wholeText(qint64 n)
{
    return QString::number(n);
}

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The number's text without the blanks around it when it has the accepted shape, else empty.
std::optional<std::string> numberShape(QStringView text)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    const QStringView body = text.sliced(begin, end - begin);
    qsizetype i = 0;
    if (i < body.size() && (body[i] == QLatin1Char('+') || body[i] == QLatin1Char('-')))
        ++i;
    qsizetype mantissaDigits = 0;
    bool point = false;
    for (; i < body.size(); ++i) {
        if (isDigit(body[i]))
            ++mantissaDigits;
        else if (body[i] == QLatin1Char('.') && !point)
            point = true;
        else
            break;
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < body.size() && (body[i] == QLatin1Char('e') || body[i] == QLatin1Char('E'))) {
        ++i;
        if (i < body.size() && (body[i] == QLatin1Char('+') || body[i] == QLatin1Char('-')))
            ++i;
        const qsizetype exponentStart = i;
        while (i < body.size() && isDigit(body[i]))
            ++i;
        if (i == exponentStart)
            return std::nullopt;
    }
    if (i != body.size())
        return std::nullopt;
    return body.toLatin1().toStdString();
}

// Whether a number text too large or too small for a double is too large: its order of magnitude,
// from the digits before the point (or the zeros after it) and the exponent, is above zero.
bool overflows(const std::string& shape)
{
    const auto mantissaEnd = shape.find_first_of("eE");
    const std::string mantissa = shape.substr(0, mantissaEnd);
    // strtol saturates a huge exponent; far beyond any double's range, so the sum cannot overflow.
    const long exponent = mantissaEnd == std::string::npos
        ? 0
        : std::clamp(std::strtol(shape.c_str() + mantissaEnd + 1, nullptr, 10), -1000000000L, 1000000000L);
    const auto point = std::min(mantissa.find('.'), mantissa.size());
    const auto firstNonZero = mantissa.find_first_of("123456789");
    if (firstNonZero == std::string::npos)
        return false;
    const long magnitude = firstNonZero < point ? static_cast<long>(point - firstNonZero)
                                                : -static_cast<long>(firstNonZero - point - 1);
    return magnitude + exponent > 0;
}

} // namespace

std::optional<double> toNumber(QStringView text)
{
    const auto shape = numberShape(text);
    if (!shape)
        return std::nullopt;
    // from_chars takes no leading '+'.
    const char* first = shape->data() + ((*shape)[0] == '+' ? 1 : 0);
    const char* last = shape->data() + shape->size();
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec == std::errc::result_out_of_range)
        return overflows(*shape) ? std::nullopt : std::optional<double>((*shape)[0] == '-' ? -0.0 : 0.0);
    if (ec != std::errc() || ptr != last)
        return std::nullopt;
    return value;
}

std::optional<qint16> toInt16(QStringView text)
{
    const auto value = toNumber(text);
    if (!value)
        return std::nullopt;
    // Ties go to the even neighbour, as the default rounding mode does.
    const double rounded = std::nearbyint(*value);
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

bool isNumber(QStringView text)
{
    return toNumber(text).has_value();
}

QString piece(QStringView text, qsizetype start, qsizetype length)
{
    if (start < 1 || start > text.size() || length <= 0)
        return QString();
    return text.sliced(start - 1, std::min(length, text.size() - start + 1)).toString();
}

} // namespace textrules
