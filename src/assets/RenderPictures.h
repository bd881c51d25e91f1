#pragma once

#include <QImage>
#include <QSize>

// The pictures the renderer draws text objects with: four value boxes (one
// per font size) and the small and large bar graphs. Like the picture sets
// they are drawn by the program itself, once, and are read-only.
namespace RenderPictures
{

constexpr int ValueBoxCount = 4;

// The two greens of the bar graphs; previews recolour them by type.
constexpr QRgb BarDarkGreen = 0xFF002000;   // upper half (0, 32, 0)
constexpr QRgb BarBrightGreen = 0xFF00FF00; // lower half (0, 255, 0)

// White box with a sunken grey edge; null outside 0 - 3.
const QImage &ValueBoxPicture(int fontSize);
QSize ValueBoxSize(int fontSize);

// Framed vertical channel: dark green above, bright green below, parted by a
// light line. 16 x 221 and 20 x 421.
const QImage &SmallBarGraphPicture();
const QImage &LargeBarGraphPicture();

} // namespace RenderPictures
