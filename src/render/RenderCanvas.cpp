#include "render/RenderCanvas.h"

#include "render/RenderFont.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace
{

// Source columns / rows [first, last) that land inside [0, limit) when the
// source starts at `origin`.
struct Span {
    int first = 0, last = 0;
};

Span clipSpan(qint64 origin, int length, int limit)
{
    const qint64 first = std::max<qint64>(0, -origin);
    const qint64 last = std::min<qint64>(length, qint64(limit) - origin);
    if (last <= first)
        return {};
    return {int(first), int(last)};
}

int clampCoordinate(qint64 v)
{
    // Far enough outside any raster that the result is the same, small enough for QPainter.
    return int(std::clamp<qint64>(v, -1000000, 1000000));
}

} // namespace

RenderCanvas::RenderCanvas()
    : image_(NewRaster(0, 0)), backColor_(0xFFFFFFFF), font_(ArialFont(8, false)), textColor_(0xFF000000)
{
}

QImage RenderCanvas::NewRaster(int width, int height)
{
    QImage image(std::max(0, width), std::max(0, height), QImage::Format_RGB32);
    image.setDotsPerMeterX(PictureDotsPerMeter);
    image.setDotsPerMeterY(PictureDotsPerMeter);
    return image;
}

QFont RenderCanvas::ArialFont(double points, bool bold)
{
    QFont font = RenderFont(bold);
    font.setPointSizeF(points);
    return font;
}

QFontMetrics RenderCanvas::Metrics(const QFont &font)
{
    return RenderMetrics(font);
}

void RenderCanvas::Resize(int width, int height)
{
    if (width == image_.width() && height == image_.height())
        return;
    // Rasters of the sizes used before are kept, so that rendering every
    // resolution in turn does not allocate and fault in fresh memory each time.
    const auto key = [](int w, int h) { return quint64(std::max(0, w)) << 32 | quint64(std::max(0, h)); };
    if (!image_.isNull()) {
        if (spare_.size() >= 16)
            spare_.clear();
        spare_.insert(key(image_.width(), image_.height()), {std::move(image_), filledWith_});
    }
    if (auto it = spare_.find(key(width, height)); it != spare_.end()) {
        image_ = std::move(it->image);
        filledWith_ = it->filledWith;
        spare_.erase(it);
    } else {
        image_ = NewRaster(width, height);
        filledWith_.reset();
    }
    plain_ = backColor_; // until the next Redraw
}

void RenderCanvas::SetBackPicture(const QImage &picture)
{
    backPicture_ = picture.convertToFormat(QImage::Format_RGB32);
}

void RenderCanvas::Redraw()
{
    // A plain picture is only filled when its pixels are wanted: the screens
    // of the other resolutions are saved from their colour alone.
    plain_ = backColor_;
    if (!backPicture_.isNull())
        FullCopy(backPicture_, 0, 0);
}

const QImage &RenderCanvas::Image() const
{
    ensurePixels();
    return image_;
}

void RenderCanvas::ensurePixels() const
{
    if (plain_ && filledWith_ != plain_) {
        image_.fill(*plain_);
        filledWith_ = plain_;
    }
}

void RenderCanvas::touch()
{
    ensurePixels();
    plain_.reset();
    filledWith_.reset();
}

std::optional<QRgb> RenderCanvas::Pixel(qint64 x, qint64 y) const
{
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height())
        return std::nullopt;
    if (plain_)
        return *plain_;
    return reinterpret_cast<const QRgb *>(image_.constScanLine(int(y)))[x];
}

void RenderCanvas::SetPixel(qint64 x, qint64 y, QRgb color)
{
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height())
        return;
    touch();
    reinterpret_cast<QRgb *>(image_.scanLine(int(y)))[x] = color | 0xFF000000;
}

void RenderCanvas::SetTextPosition(qint64 x, qint64 y)
{
    textPos_ = QPoint(clampCoordinate(x), clampCoordinate(y));
}

void RenderCanvas::Print(const QString &text)
{
    const QFontMetrics metrics = Metrics(font_);
    if (!text.isEmpty() && !image_.isNull()) {
        touch();
        QPainter painter(&image_);
        FillRenderText(painter, textPos_, text, font_, QColor::fromRgb(textColor_));
    }
    textPos_ = QPoint(0, clampCoordinate(qint64(textPos_.y()) + metrics.height()));
}

template <typename Put> void RenderCanvas::copyOnto(const QImage &source, qint64 left, qint64 top, Put put)
{
    if (source.isNull())
        return;
    const QImage src = source.format() == QImage::Format_RGB32 ? source : source.convertToFormat(QImage::Format_RGB32);
    const Span xs = clipSpan(left, src.width(), image_.width());
    const Span ys = clipSpan(top, src.height(), image_.height());
    if (xs.last <= xs.first || ys.last <= ys.first)
        return;
    touch();
    for (int y = ys.first; y < ys.last; ++y) {
        const auto *from = reinterpret_cast<const QRgb *>(src.constScanLine(y));
        auto *to = reinterpret_cast<QRgb *>(image_.scanLine(int(top + y)));
        for (int x = xs.first; x < xs.last; ++x)
            put(to[left + x], from[x]);
    }
}

void RenderCanvas::KeyedCopy(const QImage &source, qint64 left, qint64 top, QRgb key)
{
    key &= 0xFFFFFF;
    copyOnto(source, left, top, [key](QRgb &to, QRgb from) {
        if ((from & 0xFFFFFF) != key)
            to = from | 0xFF000000;
    });
}

void RenderCanvas::FullCopy(const QImage &source, qint64 left, qint64 top, QRgb (*recolor)(QRgb))
{
    copyOnto(source, left, top, [recolor](QRgb &to, QRgb from) { to = (recolor ? recolor(from) : from) | 0xFF000000; });
}
