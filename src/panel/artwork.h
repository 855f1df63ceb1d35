#pragma once
#include <QIcon>
#include <QPixmap>
// The window's drawn pictures: the background and the keypad's key faces.
namespace artwork {
enum class KeyFace { Digit0, Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit7, Digit8, Digit9,
                     Up, Down, L, P, Run, Stop };
QPixmap background();          // 820 x 616 pixels, drawn unscaled at the client area's top-left
QPixmap keyFace(KeyFace face); // 39 x 21 pixels
QIcon windowIcon();            // the panel's own icon (a small pump/gauge motif of your design)
}
