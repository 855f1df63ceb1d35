#pragma once

#include "panel/artwork.h"

#include <QImage>
#include <QString>
#include <optional>

// The pictures the build drew and keeps in the program, so that start-up need not draw them: one
// resource each under ":/artwork/", rows of pixels without padding, drawn at one device pixel per
// pixel. Drawing the background takes longer than building the rest of the window.
namespace artwork::kept {

struct Picture {
    QString name;
    QSize size;
    // The background is opaque and kept without alpha, so that a pixmap can share it as it is
    // and the window paints it by copying; the others keep their alpha, premultiplied.
    QImage::Format format;
};

Picture background();
Picture keyFace(KeyFace face);
Picture icon(int size);

// The kept picture, sharing the program's own copy of its pixels; nothing when the program keeps
// none such, or when the screen draws at another density.
std::optional<QImage> find(const Picture& picture);

} // namespace artwork::kept
