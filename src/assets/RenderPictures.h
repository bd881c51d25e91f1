#pragma once

#include "model/ObjectTables.h"

#include <QImage>
#include <QSize>

// The pictures the renderer draws text objects with: four value boxes (one
// per font size) and the small and large bar graphs. Like the picture sets
// they are drawn by the program itself, once, and are read-only.
namespace RenderPictures
{

// One value box per font size of the text object.
constexpr int ValueBoxCount = ObjectTables::FontSizeCount;

// The two greens of the bar graphs; previews recolour them by type.
constexpr QRgb BarDarkGreen = 0xFF002000;   // upper half (0, 32, 0)
constexpr QRgb BarBrightGreen = 0xFF00FF00; // lower half (0, 255, 0)

// White box with a sunken grey edge; null outside 0 - 3.
const QImage &ValueBoxPicture(int fontSize);
// 32 x 18, 48 x 22, 64 x 28, 86 x 38; empty outside 0 - 3.
QSize ValueBoxSize(int fontSize);

// Framed vertical channel: dark green above, bright green below, parted by a
// light line.
constexpr QSize SmallBarGraphSize(16, 221), LargeBarGraphSize(20, 421);
const QImage &SmallBarGraphPicture();
const QImage &LargeBarGraphPicture();

} // namespace RenderPictures
