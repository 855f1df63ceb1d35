#pragma once

#include <QRect>
#include <QtMath>

// Positions and sizes of the window's controls are given in twips, 15 to a pixel at 96 dpi;
// Qt's device pixel ratio takes care of denser screens.
inline constexpr double kTwipsPerPixel = 15.0;

inline int twipsToPixels(int twips)
{
    return qRound(twips / kTwipsPerPixel);
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}
