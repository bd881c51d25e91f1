#pragma once

#include <QImage>
#include <QSize>

// The three fixed picture sets of the object editors: 32 button pictures,
// 48 pilot icon pairs and 6 slider styles. Magenta (255, 0, 255) is the key
// colour that the renderer treats as transparent. The pictures are drawn by
// the program itself, once, and are read-only. An index outside a set gives
// a null image.
namespace ObjectPictures
{

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

} // namespace ObjectPictures
