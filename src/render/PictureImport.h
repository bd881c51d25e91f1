#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

// Any picture made into a background for one of the panel's screens: a
// picture of exactly the screen's size, written as the BMP the program
// reads (Bmp24File).
//
// Where the picture goes: Place gives the rectangle the whole picture takes
// on the screen after scaling, in screen pixels. It may reach beyond the
// screen (what lies outside is cut off); where it does not cover the screen
// the bars have the chosen colour.
//
//   Fit      scaled to fit inside, aspect kept: the side that meets the
//            screen's is the screen's; the other is rounded.
//   Fill     scaled to cover, aspect kept: the side that meets the screen's
//            is the screen's; the other is rounded. The overflow is cut off
//            evenly unless shifted (below).
//   Stretch  scaled to the screen's width and height.
//   Centre   not scaled.
//
// Rounding, the one rule for every mode: a scaled side is
// round(side * other screen side / other picture side), halves up, and at
// least 1 pixel. The picture is then centred: offset = floor((screen side -
// scaled side) / 2), so an odd leftover puts the extra pixel right and below
// (bars) or cuts it off left and above (overflow).
//
// Fill takes a shift (screen pixels) that moves the picture from its centred
// place; it is held so that the picture still covers the screen.
namespace PictureImport
{

enum class Mode { Fit, Fill, Stretch, Centre };
constexpr Mode DefaultMode = Mode::Fill;

// "fit", "fill", "stretch", "centre": the command line's words.
QString ModeName(Mode mode);
std::optional<Mode> ModeFromName(const QString &name);

QRect Place(QSize picture, QSize screen, Mode mode, QPoint shift = {});

// Whether `size` is one of the panel's screens, landscape or portrait.
bool IsScreenSize(QSize size);
// "800x480" -> 800 x 480; an invalid size otherwise.
QSize ParseSize(const QString &text);

// The file names' endings the image readers take ("png", "jpg" ...).
QStringList ReadableSuffixes();
bool IsReadableSuffix(const QString &path);

// Any picture the image readers open, turned upright as its file says
// (photographs). A null picture, with the reason in *why, when it cannot be
// read.
QImage Read(const QString &path, QString *why = nullptr);

// The screen's picture: the colour, with the picture scaled smoothly into
// Place's rectangle over it. Transparent parts show the colour. Opaque
// (RGB32), exactly `screen` in size. A null picture, with the reason in
// *why, when the scaled picture would be too large to make (a sliver of a
// picture made to fill a screen).
QImage Compose(const QImage &picture, QSize screen, Mode mode, QRgb colour, QPoint shift = {}, QString *why = nullptr);

// The shift Fill keeps of `wanted`: Place's rectangle less the centred one.
QPoint HeldShift(QSize picture, QSize screen, Mode mode, QPoint wanted);

// Quick compositions of a large picture for a preview: scaled from a copy
// reduced once to what Fill needs, so that each change scales a picture of
// about the screen's size. The geometry is Compose's; only the smoothing
// differs. Centre takes the picture itself (nothing is scaled).
class Preview
{
public:
    Preview() = default;
    Preview(const QImage &picture, QSize screen);
    QImage Compose(Mode mode, QRgb colour, QPoint shift, bool asPanelShows) const;
    const QImage &Picture() const { return picture_; }
    QSize Screen() const { return screen_; }

private:
    QImage picture_;
    QImage reduced_;
    QSize screen_;
};

// The BMP Library's name for a picture made from `source` for `screen`:
// the source's name without its ending, with characters a file name or a
// project file cannot hold made "_", then " 800x480.BMP".
QString LibraryName(const QString &source, QSize screen);

// Writes the screen's picture as a 24-bit BMP through the file door.
bool WriteBmp(const QImage &screenPicture, const QString &target, QString *error);

} // namespace PictureImport
