#include "assets/RenderPictures.h"

#include <array>

namespace RenderPictures
{

namespace
{

QRgb *row(QImage &image, int y)
{
    return reinterpret_cast<QRgb *>(image.scanLine(y));
}

QImage drawValueBox(QSize size)
{
    // Sunken edge, two pixels: dark lines on top and left, light ones on
    // bottom and right, around a white field.
    const QRgb outerDark = qRgb(128, 128, 128), innerDark = qRgb(64, 64, 64);
    const QRgb outerLight = qRgb(232, 232, 232), innerLight = qRgb(192, 192, 192);
    const QRgb field = qRgb(255, 255, 255);
    const int w = size.width(), h = size.height();
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        QRgb *line = row(image, y);
        for (int x = 0; x < w; ++x) {
            QRgb c = field;
            if (x == w - 1 || y == h - 1)
                c = outerLight;
            else if (x == 0 || y == 0)
                c = outerDark;
            else if (x == w - 2 || y == h - 2)
                c = innerLight;
            else if (x == 1 || y == 1)
                c = innerDark;
            line[x] = c;
        }
    }
    return image;
}

QImage drawBarGraph(QSize size)
{
    const QRgb frameLight = qRgb(200, 200, 200), frameDark = qRgb(90, 90, 90), black = qRgb(0, 0, 0);
    const QRgb parting = qRgb(200, 255, 200);
    const int w = size.width(), h = size.height();
    const int middle = h / 2;
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        QRgb *line = row(image, y);
        for (int x = 0; x < w; ++x) {
            QRgb c;
            if (x == w - 1 || y == h - 1)
                c = frameDark;
            else if (x == 0 || y == 0)
                c = frameLight;
            else if (x == 1 || y == 1 || x == w - 2 || y == h - 2)
                c = black;
            else if (y == middle)
                c = parting;
            else
                c = y < middle ? BarDarkGreen : BarBrightGreen;
            line[x] = c;
        }
    }
    return image;
}

const QImage &nullImage()
{
    static const QImage image;
    return image;
}

} // namespace

QSize ValueBoxSize(int fontSize)
{
    static constexpr std::array<QSize, ValueBoxCount> sizes{QSize(32, 18), QSize(48, 22), QSize(64, 28), QSize(86, 38)};
    if (fontSize < 0 || fontSize >= ValueBoxCount)
        return {};
    return sizes[size_t(fontSize)];
}

const QImage &ValueBoxPicture(int fontSize)
{
    static const auto set = [] {
        std::array<QImage, ValueBoxCount> s;
        for (int i = 0; i < ValueBoxCount; ++i)
            s[size_t(i)] = drawValueBox(ValueBoxSize(i));
        return s;
    }();
    return fontSize < 0 || fontSize >= ValueBoxCount ? nullImage() : set[size_t(fontSize)];
}

const QImage &SmallBarGraphPicture()
{
    static const QImage image = drawBarGraph(SmallBarGraphSize);
    return image;
}

const QImage &LargeBarGraphPicture()
{
    static const QImage image = drawBarGraph(LargeBarGraphSize);
    return image;
}

} // namespace RenderPictures
