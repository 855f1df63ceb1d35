#include "panel/fonts.h"

#include <QStringList>

QFont songFont(double pointSize)
{
    static const bool substituted = [] {
        QFont::insertSubstitutions(QStringLiteral("宋体"),
                                   {QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN"),
                                    QStringLiteral("AR PL UMing TW"), QStringLiteral("Noto Serif CJK SC")});
        return true;
    }();
    Q_UNUSED(substituted);
    QFont font(QStringLiteral("宋体"));
    font.setPointSizeF(pointSize);
    font.setBold(true);
    return font;
}
