#include "panel/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

// The first installed of the faces that can stand for 宋体, found once. Naming it directly spares
// every font lookup a search of the system's faces for the ones that are not there.
QString songFamily()
{
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        for (const char* candidate : {"宋体", "SimSun", "AR PL UMing CN", "AR PL UMing TW", "Noto Serif CJK SC"})
            if (installed.contains(QString::fromUtf8(candidate)))
                return QString::fromUtf8(candidate);
        return QStringLiteral("宋体");
    }();
    return family;
}

} // namespace

QFont songFont(double pointSize)
{
    QFont font(songFamily());
    font.setPointSizeF(pointSize);
    font.setBold(true);
    return font;
}

QFont inSongFace(QFont font)
{
    font.setFamily(songFamily());
    return font;
}
