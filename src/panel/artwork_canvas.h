#pragma once

#include <QFont>
#include <QImage>
#include <QSize>

// What the drawn pictures share: a surface at the screen's pixel density and the Latin face.
namespace artwork::canvas {

// A transparent image of the given size in device-independent pixels, drawn at the screen's
// pixel density.
QImage blank(QSize size);

// The bold sans face of the Latin lettering, at a pixel size.
QFont latinFont(int pixelSize, bool condensed = false);

} // namespace artwork::canvas
