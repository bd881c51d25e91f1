#pragma once

#include "model/ObjectTables.h"

#include <QImage>
#include <QSize>

// The fixed pictures objects are drawn with: the three picture sets of the
// object editors (32 button pictures, 48 pilot icon pairs and 6 slider
// styles) and the pictures the renderer draws text objects with (four value
// boxes and the small and large bar graphs). They are drawn by the program
// itself, once, and are read-only. An index outside a set gives a null image.
namespace ObjectPictures
{

// --- the object editors' picture sets -------------------------------------

// Magenta (255, 0, 255): the key colour that the renderer treats as transparent.
constexpr QRgb KeyColor = 0xFFFF00FF;

constexpr int ButtonPictureCount = 32;
constexpr int PilotPairCount = 48;
constexpr int SliderStyleCount = 6;

const QImage &ButtonPicture(int index);
const QImage &PilotOnPicture(int index);
const QImage &PilotOffPicture(int index);
const QImage &SliderSelectorPicture(int index); // knob at half travel
const QImage &SliderRenderPicture(int index);   // knob at the top, channel lit

QSize ButtonPictureSize(int index);
QSize PilotPictureSize(int index);
QSize SliderPictureSize(int index);
// Caption font size (0 - 3) that goes with button picture index (0 - 31).
int ButtonCaptionFontSize(int index);

// Face colours and shapes the pictures are drawn with (0 outside a set).
QRgb ButtonFaceColor(int index);
enum class PilotShape { Lamp, Square, WideBar, TallBar, Circle, Diamond };
PilotShape PilotPictureShape(int index);
QRgb PilotFaceColor(int index, bool on);
// Channel colours of a slider style: lit (below the knob) and dark (above it).
QRgb SliderLitColor(int index);
QRgb SliderDarkColor(int index);

// --- the renderer's text-object pictures ----------------------------------

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

} // namespace ObjectPictures
