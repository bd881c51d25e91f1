#include "render/ObjectPainter.h"

#include "assets/ObjectPictures.h"
#include "assets/RunTimePictures.h"
#include "model/DerivedFields.h"
#include "model/ObjectTables.h"
#include "model/modVantile.h"
#include "render/RenderFont.h"

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
    return (c & 0xFFFFFF) == (ObjectPictures::BarBrightGreen & 0xFFFFFF) ? qRgb(0, 0, 255) : c;
}

QRgb recolorGrey(QRgb c)
{
    switch (c & 0xFFFFFF) {
    case ObjectPictures::BarDarkGreen & 0xFFFFFF:
        return qRgb(32, 32, 32);
    case ObjectPictures::BarBrightGreen & 0xFFFFFF:
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

QPoint ObjectPainter::captionOffset(int screen, int n) const
{
    const qint64 x = twipsToPixels(DerivedFields::CaptionOffsetX(m_, screen, n));
    const qint64 y = twipsToPixels(DerivedFields::CaptionOffsetY(m_, screen, n));
    // Stored offsets are words: far less than a coordinate can hold.
    return {int(x), int(y)};
}

bool ObjectPainter::drawCaption(int screen, int n, QRgb face)
{
    // A damaged caption size keeps the last font.
    const int fontSize = m_.GetButtonFontSize(screen, n);
    if (ObjectTables::ValidFontSize(fontSize)) {
        const ObjectTables::FontChoice font = ObjectTables::CaptionFonts[size_t(fontSize)];
        scratch_.SetFont(RenderCanvas::ArialFont(font.points, font.bold));
    }
    scratch_.SetTextColor(m_.GetButtonTextColor(screen, n) != 0 ? White : Black);

    const QString caption = m_.GetButtonText(screen, n);
    if (caption.isEmpty())
        return false; // nothing would differ from the face
    // Only the columns the text can reach are drawn and compared; the rest of
    // the 480 x 36 scratch area would be the face colour and copy nothing.
    const QFontMetrics metrics = RenderCanvas::Metrics(scratch_.Font());
    const int reach = metrics.horizontalAdvance(caption) + metrics.height();
    scratch_.Resize(std::min(CaptionWidth, (reach + 31) / 32 * 32), CaptionHeight);
    scratch_.ClearBackPicture();
    scratch_.SetBackColor(face);
    scratch_.Redraw();
    scratch_.SetTextPosition(0, 0);
    scratch_.Print(caption);
    return true;
}

void ObjectPainter::Button(RenderCanvas &target, int screen, int n, QPoint at)
{
    if (m_.GetButtonType(screen, n) <= 0 || m_.GetButtonPicture(screen, n) <= 0)
        return;
    const QImage &picture = ObjectPictures::ButtonPicture(m_.GetButtonPicture(screen, n) - 1);
    if (picture.isNull())
        return;
    target.KeyedCopy(picture, at.x(), at.y(), ObjectPictures::KeyColor);
    const QPoint offset = captionOffset(screen, n);
    const qint64 x = qint64(at.x()) + offset.x(), y = qint64(at.y()) + offset.y();
    const QRgb face = target.Pixel(x, y).value_or(White);
    if (drawCaption(screen, n, face))
        target.CopyDiffering(scratch_.Image(), x, y, face);
}

QImage ObjectPainter::ButtonCaption(int screen, int n, QPoint *offset)
{
    if (m_.GetButtonType(screen, n) <= 0 || m_.GetButtonPicture(screen, n) <= 0)
        return {};
    const QImage &picture = ObjectPictures::ButtonPicture(m_.GetButtonPicture(screen, n) - 1);
    if (picture.isNull())
        return {};
    *offset = captionOffset(screen, n);
    // The face under the caption's start, as Button finds it on a screen.
    QRgb face = White;
    if (picture.rect().contains(*offset) &&
        (picture.pixel(*offset) & 0xFFFFFF) != (ObjectPictures::KeyColor & 0xFFFFFF))
        face = picture.pixel(*offset) | 0xFF000000;
    if (!drawCaption(screen, n, face))
        return {};
    QImage layer = scratch_.Image().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int right = 0, bottom = 0;
    for (int y = 0; y < layer.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(layer.scanLine(y));
        for (int x = 0; x < layer.width(); ++x) {
            if ((line[x] | 0xFF000000) == face) {
                line[x] = 0;
            } else {
                right = std::max(right, x + 1);
                bottom = y + 1;
            }
        }
    }
    return bottom == 0 ? QImage() : layer.copy(0, 0, right, bottom);
}

void ObjectPainter::Pilot(RenderCanvas &target, int screen, int n, QPoint at, bool on)
{
    if (m_.GetPilotUsed(screen, n) <= 0)
        return;
    const int pair = m_.GetPilotPicture(screen, n);
    target.KeyedCopy(on ? ObjectPictures::PilotOnPicture(pair) : ObjectPictures::PilotOffPicture(pair), at.x(), at.y(),
                     ObjectPictures::KeyColor);
}

void ObjectPainter::Slider(RenderCanvas &target, int screen, int n, QPoint at, std::optional<int> level)
{
    const int picture = m_.GetSliderPicture(screen, n);
    if (picture <= 0)
        return;
    if (!level) {
        target.KeyedCopy(ObjectPictures::SliderRenderPicture(picture - 1), at.x(), at.y(), ObjectPictures::KeyColor);
        return;
    }
    const int family = RunTimePictures::SliderFamilyOfStyle(picture - 1);
    if (family >= 0)
        target.KeyedCopy(livePicture(LiveSlider, family, *level), at.x(), at.y(), ObjectPictures::KeyColor);
}

void ObjectPainter::Text(RenderCanvas &target, int screen, int n, QPoint at, TextView view, int level)
{
    const int type = m_.GetTextType(screen, n);
    const ObjectTables::TextKind kind = ObjectTables::DecodeTextType(type);
    const int fontSize = m_.GetTextFontSize(screen, n);
    if (kind == ObjectTables::TextKind::FixedText) {
        // A damaged font size keeps the font the picture has.
        if (ObjectTables::ValidFontSize(fontSize)) {
            const ObjectTables::FontChoice font = ObjectTables::TextFonts[size_t(fontSize)];
            target.SetFont(RenderCanvas::ArialFont(font.points, font.bold));
        }
        target.SetTextColor(m_.GetTextColor(screen, n) != 0 ? White : Black);
        target.SetTextPosition(at.x(), at.y());
        target.Print(m_.GetTextString(screen, n));
    } else if (ObjectTables::IsValueBox(kind)) {
        if (view == TextView::Live && ObjectTables::ValidFontSize(fontSize))
            target.FullCopy(livePicture(LiveValueBox, fontSize, level), at.x(), at.y());
        else
            target.FullCopy(ObjectPictures::ValueBoxPicture(fontSize), at.x(), at.y());
    } else if (ObjectTables::IsBarGraph(kind)) {
        if (view == TextView::Live) {
            target.FullCopy(livePicture(LiveBarGraph, type - 4, level), at.x(), at.y());
        } else if (view == TextView::Preview) {
            const QImage &bar = kind == ObjectTables::TextKind::SmallBar ? ObjectPictures::SmallBarGraphPicture()
                                                                         : ObjectPictures::LargeBarGraphPicture();
            const ObjectTables::BarColour colour = ObjectTables::BarColourOf(type);
            target.FullCopy(bar, at.x(), at.y(),
                            colour == ObjectTables::BarColour::Blue   ? recolorBlue
                            : colour == ObjectTables::BarColour::Grey ? recolorGrey
                                                                      : nullptr);
        }
    }
}

QImage ObjectPainter::FixedText(int screen, int n)
{
    if (ObjectTables::DecodeTextType(m_.GetTextType(screen, n)) != ObjectTables::TextKind::FixedText)
        return {};
    const QString text = m_.GetTextString(screen, n);
    // Drawn over black and over white: where the text covers a pixel by a
    // share a, the two differ by (1 - a) of full white, and over black it is
    // the text colour already weighted by a, which is the premultiplied pixel.
    const int fontSize = m_.GetTextFontSize(screen, n);
    if (ObjectTables::ValidFontSize(fontSize)) {
        const ObjectTables::FontChoice font = ObjectTables::TextFonts[size_t(fontSize)];
        textScratch_.SetFont(RenderCanvas::ArialFont(font.points, font.bold));
    }
    const QFontMetrics metrics = RenderCanvas::Metrics(textScratch_.Font());
    const int width = std::min(metrics.horizontalAdvance(text) + metrics.height(), 2 * CaptionWidth);
    if (text.isEmpty() || width <= 0)
        return {};
    // Antialiased descenders may reach a row below the line.
    const int height = std::max(metrics.height(), RenderTextInk(text, textScratch_.Font()).bottom() + 1);
    textScratch_.Resize(width, height);
    QImage overBlack;
    QImage layer(width, height, QImage::Format_ARGB32_Premultiplied);
    for (const QRgb back : {Black, White}) {
        textScratch_.ClearBackPicture();
        textScratch_.SetBackColor(back);
        textScratch_.Redraw();
        Text(textScratch_, screen, n, QPoint(0, 0), TextView::SdCard);
        if (back == Black)
            overBlack = textScratch_.Image().copy();
    }
    const QImage &overWhite = textScratch_.Image();
    int right = 0, bottom = 0;
    for (int y = 0; y < layer.height(); ++y) {
        auto *out = reinterpret_cast<QRgb *>(layer.scanLine(y));
        const auto *black = reinterpret_cast<const QRgb *>(overBlack.constScanLine(y));
        const auto *white = reinterpret_cast<const QRgb *>(overWhite.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            // The smallest difference: the channel the text covers most.
            const int uncovered = std::min({qRed(white[x]) - qRed(black[x]), qGreen(white[x]) - qGreen(black[x]),
                                            qBlue(white[x]) - qBlue(black[x])});
            const int alpha = std::clamp(255 - uncovered, 0, 255);
            out[x] = alpha == 0 ? 0
                                : qRgba(std::min(qRed(black[x]), alpha), std::min(qGreen(black[x]), alpha),
                                        std::min(qBlue(black[x]), alpha), alpha);
            if (alpha != 0) {
                right = std::max(right, x + 1);
                bottom = y + 1;
            }
        }
    }
    return bottom == 0 ? QImage() : layer.copy(0, 0, right, bottom);
}

const QImage &ObjectPainter::livePicture(int kind, int family, int level)
{
    level = std::clamp(level, 0, RunTimePictures::MaxLevel);
    const int key = kind << 16 | family << 8 | level;
    auto it = live_.find(key);
    if (it == live_.end()) {
        if (live_.size() >= 256)
            live_.clear(); // a long session of dragging: keep memory bounded
        QImage picture = kind == LiveValueBox ? RunTimePictures::ValueBox(family, level)
                         : kind == LiveSlider ? RunTimePictures::SliderFrame(family, level)
                                              : RunTimePictures::BarGraph(family, level);
        it = live_.insert(key, picture);
    }
    return *it;
}
