#include "render/ObjectPainter.h"

#include "assets/PanelPictures.h"
#include "assets/PictureSets.h"
#include "assets/RenderPictures.h"
#include "model/DerivedFields.h"
#include "model/ObjectTables.h"
#include "model/modVantile.h"

#include <QFontMetrics>

#include <algorithm>

namespace
{

constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Black = 0xFF000000;
constexpr int CaptionWidth = 480, CaptionHeight = 36;
using ObjectTables::TwipsPerPixel;

enum LiveKind { LiveValueBox, LiveSlider, LiveBarGraph };

QRgb recolorBlue(QRgb c)
{
    return (c & 0xFFFFFF) == (RenderPictures::BarBrightGreen & 0xFFFFFF) ? qRgb(0, 0, 255) : c;
}

QRgb recolorGrey(QRgb c)
{
    switch (c & 0xFFFFFF) {
    case RenderPictures::BarDarkGreen & 0xFFFFFF:
        return qRgb(32, 32, 32);
    case RenderPictures::BarBrightGreen & 0xFFFFFF:
        return qRgb(224, 224, 224);
    default:
        return c;
    }
}

// Pixels from twips, rounded down also for a negative value.
qint64 twipsToPixels(qint64 twips)
{
    return twips >= 0 ? twips / TwipsPerPixel : -((-twips + TwipsPerPixel - 1) / TwipsPerPixel);
}

} // namespace

QPoint ObjectPainter::ButtonPosition(int screen, int n) const
{
    return {m_.GetButtonLeft(screen, n), m_.GetButtonTop(screen, n)};
}

QPoint ObjectPainter::PilotPosition(int screen, int n) const
{
    return {m_.GetPilotLeft(screen, n), m_.GetPilotTop(screen, n)};
}

QPoint ObjectPainter::SliderPosition(int screen, int n) const
{
    return {m_.GetSliderLeft(screen, n), m_.GetSliderTop(screen, n)};
}

QPoint ObjectPainter::TextPosition(int screen, int n) const
{
    return {m_.GetTextLeft(screen, n), m_.GetTextTop(screen, n)};
}

void ObjectPainter::Button(ScreenPicture &target, int screen, int n, QPoint at)
{
    if (m_.GetButtonType(screen, n) <= 0 || m_.GetButtonPicture(screen, n) <= 0)
        return;
    const QImage &picture = PictureSets::ButtonPicture(m_.GetButtonPicture(screen, n) - 1);
    if (picture.isNull())
        return;
    const qint64 left = at.x(), top = at.y();
    target.KeyedCopy(picture, left, top, PictureSets::KeyColor);

    // A damaged caption size keeps the last font.
    const int fontSize = m_.GetButtonFontSize(screen, n);
    if (ObjectTables::ValidFontSize(fontSize)) {
        const ObjectTables::FontChoice font = ObjectTables::CaptionFonts[size_t(fontSize)];
        scratch_.SetFont(ScreenPicture::ArialFont(font.points, font.bold));
    }
    scratch_.SetTextColor(m_.GetButtonTextColor(screen, n) != 0 ? White : Black);

    const qint64 x = left + twipsToPixels(DerivedFields::CaptionOffsetX(m_, screen, n));
    const qint64 y = top + twipsToPixels(DerivedFields::CaptionOffsetY(m_, screen, n));
    const QRgb face = target.Pixel(x, y).value_or(White);

    const QString caption = m_.GetButtonText(screen, n);
    if (caption.isEmpty())
        return; // nothing would differ from the face
    // Only the columns the text can reach are drawn and compared; the rest of
    // the 480 x 36 scratch area would be the face colour and copy nothing.
    const QFontMetrics metrics = ScreenPicture::Metrics(scratch_.Font());
    const int reach = metrics.horizontalAdvance(caption) + metrics.height();
    scratch_.Resize(std::min(CaptionWidth, (reach + 31) / 32 * 32), CaptionHeight);
    scratch_.ClearBackPicture();
    scratch_.SetBackColor(face);
    scratch_.Redraw();
    scratch_.SetTextPosition(0, 0);
    scratch_.Print(caption);
    target.CopyDiffering(scratch_.Image(), x, y, face);
}

void ObjectPainter::Pilot(ScreenPicture &target, int screen, int n, QPoint at, bool on)
{
    if (m_.GetPilotUsed(screen, n) <= 0)
        return;
    const int pair = m_.GetPilotPicture(screen, n);
    target.KeyedCopy(on ? PictureSets::PilotOnPicture(pair) : PictureSets::PilotOffPicture(pair), at.x(), at.y(),
                     PictureSets::KeyColor);
}

void ObjectPainter::Slider(ScreenPicture &target, int screen, int n, QPoint at, std::optional<int> level)
{
    const int picture = m_.GetSliderPicture(screen, n);
    if (picture <= 0)
        return;
    if (!level) {
        target.KeyedCopy(PictureSets::SliderRenderPicture(picture - 1), at.x(), at.y(), PictureSets::KeyColor);
        return;
    }
    const int family = PanelPictures::SliderFamilyOfStyle(picture - 1);
    if (family >= 0)
        target.KeyedCopy(livePicture(LiveSlider, family, *level), at.x(), at.y(), PictureSets::KeyColor);
}

void ObjectPainter::Text(ScreenPicture &target, int screen, int n, QPoint at, TextView view, int level)
{
    const int type = m_.GetTextType(screen, n);
    const ObjectTables::TextKind kind = ObjectTables::DecodeTextType(type);
    const int fontSize = m_.GetTextFontSize(screen, n);
    if (kind == ObjectTables::TextKind::FixedText) {
        // A damaged font size keeps the font the picture has.
        if (ObjectTables::ValidFontSize(fontSize)) {
            const ObjectTables::FontChoice font = ObjectTables::TextFonts[size_t(fontSize)];
            target.SetFont(ScreenPicture::ArialFont(font.points, font.bold));
        }
        target.SetTextColor(m_.GetTextColor(screen, n) != 0 ? White : Black);
        target.SetTextPosition(at.x(), at.y());
        target.Print(m_.GetTextString(screen, n));
    } else if (ObjectTables::IsValueBox(kind)) {
        if (view == TextView::Live && ObjectTables::ValidFontSize(fontSize))
            target.FullCopy(livePicture(LiveValueBox, fontSize, level), at.x(), at.y());
        else
            target.FullCopy(RenderPictures::ValueBoxPicture(fontSize), at.x(), at.y());
    } else if (ObjectTables::IsBarGraph(kind)) {
        if (view == TextView::Live) {
            target.FullCopy(livePicture(LiveBarGraph, type - 4, level), at.x(), at.y());
        } else if (view == TextView::Preview) {
            const QImage &bar = kind == ObjectTables::TextKind::SmallBar ? RenderPictures::SmallBarGraphPicture()
                                                                         : RenderPictures::LargeBarGraphPicture();
            const ObjectTables::BarColour colour = ObjectTables::BarColourOf(type);
            target.FullCopy(bar, at.x(), at.y(),
                            colour == ObjectTables::BarColour::Blue   ? recolorBlue
                            : colour == ObjectTables::BarColour::Grey ? recolorGrey
                                                                      : nullptr);
        }
    }
}

const QImage &ObjectPainter::livePicture(int kind, int family, int level)
{
    level = std::clamp(level, 0, PanelPictures::MaxLevel);
    const int key = kind << 16 | family << 8 | level;
    auto it = live_.find(key);
    if (it == live_.end()) {
        if (live_.size() >= 256)
            live_.clear(); // a long session of dragging: keep memory bounded
        QImage picture = kind == LiveValueBox ? PanelPictures::ValueBox(family, level)
                         : kind == LiveSlider ? PanelPictures::SliderFrame(family, level)
                                              : PanelPictures::BarGraph(family, level);
        it = live_.insert(key, picture);
    }
    return *it;
}
