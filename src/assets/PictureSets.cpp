// Placeholder pictures of the right sizes; the real drawings replace this.
#include "assets/PictureSets.h"

#include <array>

namespace PictureSets
{

QSize ButtonPictureSize(int index)
{
    static constexpr std::array<QSize, 8> sizes{QSize(32, 24), QSize(64, 24),  QSize(48, 32),  QSize(96, 32),
                                                QSize(80, 48), QSize(160, 48), QSize(112, 64), QSize(224, 64)};
    if (index < 0 || index >= ButtonPictureCount)
        return {};
    return sizes[size_t(index / 4)];
}

QSize PilotPictureSize(int index)
{
    if (index < 0 || index >= PilotPairCount)
        return {};
    const int s = 16 * (1 + index / 12);
    switch (index % 6) {
    case 0:
    case 2:
        return {s, s / 2};
    case 3:
        return {s / 2, s};
    default:
        return {s, s};
    }
}

QSize SliderPictureSize(int index)
{
    if (index < 0 || index >= SliderStyleCount)
        return {};
    return index < 3 ? QSize(34, 221) : QSize(42, 421);
}

int ButtonCaptionFontSize(int index)
{
    if (index < 0 || index >= ButtonPictureCount)
        return 0;
    return index / 8;
}

namespace
{
const QImage &nullImage()
{
    static const QImage image;
    return image;
}

QImage filled(QSize size, QRgb color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}
} // namespace

const QImage &ButtonPicture(int index)
{
    static const auto set = [] {
        std::array<QImage, ButtonPictureCount> s;
        for (int i = 0; i < ButtonPictureCount; ++i)
            s[size_t(i)] = filled(ButtonPictureSize(i), i % 2 ? qRgb(0, 162, 232) : qRgb(224, 224, 224));
        return s;
    }();
    return index < 0 || index >= ButtonPictureCount ? nullImage() : set[size_t(index)];
}

const QImage &PilotOnPicture(int index)
{
    static const auto set = [] {
        std::array<QImage, PilotPairCount> s;
        for (int i = 0; i < PilotPairCount; ++i)
            s[size_t(i)] = filled(PilotPictureSize(i), i % 12 < 6 ? qRgb(255, 255, 255) : qRgb(0, 255, 0));
        return s;
    }();
    return index < 0 || index >= PilotPairCount ? nullImage() : set[size_t(index)];
}

const QImage &PilotOffPicture(int index)
{
    static const auto set = [] {
        std::array<QImage, PilotPairCount> s;
        for (int i = 0; i < PilotPairCount; ++i)
            s[size_t(i)] = filled(PilotPictureSize(i), i % 12 < 6 ? qRgb(64, 64, 64) : qRgb(0, 64, 0));
        return s;
    }();
    return index < 0 || index >= PilotPairCount ? nullImage() : set[size_t(index)];
}

const QImage &SliderSelectorPicture(int index)
{
    static const auto set = [] {
        std::array<QImage, SliderStyleCount> s;
        for (int i = 0; i < SliderStyleCount; ++i)
            s[size_t(i)] = filled(SliderPictureSize(i), qRgb(0, 96, 0));
        return s;
    }();
    return index < 0 || index >= SliderStyleCount ? nullImage() : set[size_t(index)];
}

const QImage &SliderRenderPicture(int index)
{
    static const auto set = [] {
        std::array<QImage, SliderStyleCount> s;
        for (int i = 0; i < SliderStyleCount; ++i)
            s[size_t(i)] = filled(SliderPictureSize(i), qRgb(0, 255, 0));
        return s;
    }();
    return index < 0 || index >= SliderStyleCount ? nullImage() : set[size_t(index)];
}

} // namespace PictureSets
