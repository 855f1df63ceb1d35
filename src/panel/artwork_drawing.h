#pragma once

#include "panel/artwork.h"

#include <QImage>
#include <array>

// The pictures drawn afresh, at the screen's pixel density: the build draws them once to keep in
// the program, and a screen of another density has them drawn at start-up.
namespace artwork::drawing {

inline constexpr QSize kBackgroundSize(820, 616);
inline constexpr QSize kKeyFaceSize(39, 21);
inline constexpr std::array<int, 6> kIconSizes{16, 24, 32, 48, 64, 128};

QImage background();
QImage keyFace(KeyFace face);
// One square size of the window icon, in pixels whatever the density.
QImage icon(int size);

} // namespace artwork::drawing
