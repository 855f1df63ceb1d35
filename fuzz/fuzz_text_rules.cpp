// Any text through the text and number rules: only plain numbers are taken, every taken number
// reads back as the number it is, and the patterns always give their shape.

#include "platform/text_rules.h"

#include <QRegularExpression>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void checkPatterns(double value)
{
    static const QRegularExpression valueShape(
        QRegularExpression::anchoredPattern(QStringLiteral("-?[0-9]{2,}\\.[0-9]")));
    const QString text = textrules::pattern00_0(value);
    require(valueShape.match(text).hasMatch());
    const double back = std::strtod(text.toLatin1().constData(), nullptr);
    // Rounded to one decimal from the value's 15 significant digits.
    require(std::fabs(back - value) <= 0.05 + std::fabs(value) * 1e-14);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool cLocale = std::setlocale(LC_ALL, "C") != nullptr;
    require(cLocale);
    // Anchored at both ends: "$" alone would let a final line end through.
    static const QRegularExpression numberShape(QRegularExpression::anchoredPattern(
        QStringLiteral("[ \\t]*[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?[ \\t]*")));

    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<double> number = textrules::toNumber(text);
    require(textrules::isNumber(text) == number.has_value());
    if (!numberShape.match(text).hasMatch()) {
        require(!number);
    } else {
        const QByteArray latin = text.trimmed().toLatin1();
        const double reference = std::strtod(latin.constData(), nullptr);
        require(number ? *number == reference : std::isinf(reference));
    }

    const std::optional<qint16> whole = textrules::toInt16(text);
    const double rounded = number ? std::nearbyint(*number) : 0.0;
    if (number && rounded >= -32768.0 && rounded <= 32767.0)
        require(whole && *whole == static_cast<qint16>(rounded));
    else
        require(!whole);

    if (number) {
        checkPatterns(*number);
        if (whole)
            require(textrules::pattern00(*whole).toLongLong() == *whole);
    }
    if (size >= 2) {
        const QString piece = textrules::piece(text, data[0] - 16, data[1] - 16);
        require(piece.size() <= std::max<qsizetype>(0, data[1] - 16));
    }
    return 0;
}
