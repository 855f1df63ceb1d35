// duravel-artwork-render DIR: draws the panel's pictures at one device pixel per pixel and writes
// each into DIR under the name the panel looks it up by, for the build to keep in the program.
// Exit status 0 when every picture was written, 1 otherwise.

#include "panel/artwork_drawing.h"
#include "panel/artwork_kept.h"

#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>
#include <cstdio>

namespace {

bool write(const QDir& dir, const artwork::kept::Picture& picture, const QImage& drawn)
{
    const QImage pixels = drawn.convertToFormat(picture.format);
    if (pixels.size() != picture.size || pixels.bytesPerLine() != picture.size.width() * 4) {
        std::fprintf(stderr, "duravel-artwork-render: %s drawn at %dx%d, not %dx%d\n", qPrintable(picture.name),
                     pixels.width(), pixels.height(), picture.size.width(), picture.size.height());
        return false;
    }
    QSaveFile file(dir.filePath(picture.name));
    if (!file.open(QIODevice::WriteOnly)
        || file.write(reinterpret_cast<const char*>(pixels.constBits()), pixels.sizeInBytes()) != pixels.sizeInBytes()
        || !file.commit()) {
        std::fprintf(stderr, "duravel-artwork-render: %s: %s\n", qPrintable(file.fileName()), qPrintable(file.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: duravel-artwork-render DIR\n");
        return 1;
    }
    // Drawn off screen, one device pixel per pixel, whatever display the build runs under.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("QT_SCALE_FACTOR");
    QGuiApplication app(argc, argv);
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral(".")))
        return 1;

    using namespace artwork;
    bool written = write(dir, kept::background(), drawing::background());
    for (int face = 0; face <= static_cast<int>(KeyFace::Stop); ++face)
        written &= write(dir, kept::keyFace(KeyFace(face)), drawing::keyFace(KeyFace(face)));
    for (const int size : drawing::kIconSizes)
        written &= write(dir, kept::icon(size), drawing::icon(size));
    return written ? 0 : 1;
}
