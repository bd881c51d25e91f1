#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QPoint>
#include <QString>

#include <optional>

// An off-screen picture the renderer draws a screen into: a 24-bit raster
// with a background colour, an optional background picture drawn at its own
// size from the top-left corner, a current font, text colour and text
// position. Writing outside the raster has no effect; reading outside gives
// no colour. All copies go through scanlines and are clipped to the raster,
// whatever the positions.
class RenderCanvas
{
public:
    RenderCanvas();

    // Changes the raster size; until the next Redraw it shows the background colour.
    void Resize(int width, int height);
    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    // The pixels; the reference is valid until the picture next changes.
    const QImage &Image() const;

    QRgb BackColor() const { return backColor_; }
    void SetBackColor(QRgb color) { backColor_ = color | 0xFF000000; }
    void SetBackPicture(const QImage &picture);
    void ClearBackPicture() { backPicture_ = QImage(); }
    bool HasBackPicture() const { return !backPicture_.isNull(); }
    // Clears to the background colour and draws the background picture.
    void Redraw();

    // The colour of every pixel when the picture is one plain colour since
    // its last Redraw; nothing otherwise.
    std::optional<QRgb> PlainColor() const { return plain_; }

    std::optional<QRgb> Pixel(qint64 x, qint64 y) const;
    void SetPixel(qint64 x, qint64 y, QRgb color);

    void SetFont(const QFont &font) { font_ = font; }
    const QFont &Font() const { return font_; }
    void SetTextColor(QRgb color) { textColor_ = color | 0xFF000000; }
    QRgb TextColor() const { return textColor_; }
    void SetTextPosition(qint64 x, qint64 y);
    QPoint TextPosition() const { return textPos_; }
    // Draws the text with its top-left corner at the text position, with a
    // transparent background, then moves the position to the next line.
    void Print(const QString &text);

    // Copies every source pixel that is not the key colour to (left + x, top + y).
    void KeyedCopy(const QImage &source, qint64 left, qint64 top, QRgb key);
    // Copies every source pixel that differs from `skip` to (left + x, top + y).
    void CopyDiffering(const QImage &source, qint64 left, qint64 top, QRgb skip) { KeyedCopy(source, left, top, skip); }
    // Copies every source pixel, passed through `recolor` when one is given.
    void FullCopy(const QImage &source, qint64 left, qint64 top, QRgb (*recolor)(QRgb) = nullptr);

    // "Arial" (the font inside the program) at a point size, bold or not,
    // with grey-level smoothing.
    static QFont ArialFont(double points, bool bold);
    // Raster for text: point sizes apply at 96 pixels per inch.
    static QImage NewRaster(int width, int height);
    // Metrics of a font on such a raster.
    static QFontMetrics Metrics(const QFont &font);

private:
    void ensurePixels() const;
    void touch(); // pixels are about to change
    // Puts the pixels of source that fall on the canvas, in RGB32, through put(to, from).
    template <typename Put> void copyOnto(const QImage &source, qint64 left, qint64 top, Put put);

    mutable QImage image_;
    QImage backPicture_;
    QRgb backColor_;
    QFont font_;
    QRgb textColor_;
    QPoint textPos_;
    std::optional<QRgb> plain_;              // the colour of every pixel, when one
    mutable std::optional<QRgb> filledWith_; // what the raster really holds, when one colour

    struct Raster {
        QImage image;
        std::optional<QRgb> filledWith;
    };
    QHash<quint64, Raster> spare_;
};
