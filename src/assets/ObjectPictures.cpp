// The pictures are drawn here, once. The picture sets come from geometry:
// every pixel is supersampled 4 x 4 for smooth bevels and lettering, while
// the shape itself is decided by the pixel centre alone. A pixel outside a
// shape is exactly the key colour and no pixel inside is ever blended with
// it, so the renderer's keyed copy leaves clean edges on any background. The
// value boxes and bar graphs are plain frames, set pixel by pixel.
#include "assets/ObjectPictures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>

namespace ObjectPictures
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

QRgb ButtonFaceColor(int index)
{
    if (index < 0 || index >= ButtonPictureCount)
        return 0;
    return index % 2 ? qRgb(0, 162, 232) : qRgb(224, 224, 224);
}

PilotShape PilotPictureShape(int index)
{
    if (index < 0 || index >= PilotPairCount)
        return PilotShape::Lamp;
    return PilotShape(index % 6);
}

QRgb PilotFaceColor(int index, bool on)
{
    if (index < 0 || index >= PilotPairCount)
        return 0;
    const bool green = index % 12 >= 6;
    if (green)
        return on ? qRgb(0, 255, 0) : qRgb(0, 64, 0);
    return on ? qRgb(255, 255, 255) : qRgb(64, 64, 64);
}

QRgb SliderLitColor(int index)
{
    switch (index % 3) {
    case 0:
        return qRgb(0, 255, 0);
    case 1:
        return qRgb(255, 255, 255);
    default:
        return qRgb(153, 217, 234);
    }
}

QRgb SliderDarkColor(int index)
{
    switch (index % 3) {
    case 0:
        return qRgb(0, 96, 0);
    case 1:
        return qRgb(96, 96, 96);
    default:
        return qRgb(0, 162, 232);
    }
}

namespace
{

// ---------------------------------------------------------------- helpers

constexpr double InvSqrt2 = 1 / std::numbers::sqrt2;

struct Color {
    double r = 0, g = 0, b = 0;
};

Color col(QRgb c)
{
    return {double(qRed(c)), double(qGreen(c)), double(qBlue(c))};
}

Color mix(Color a, Color b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

double sgn(double v)
{
    return v < 0 ? -1.0 : 1.0;
}

// Depth of point (px, py) inside a rectangle with rounded corners of radius r
// (negative outside), and the outward normal of the nearest edge. With r = 0
// the normals meet on the diagonals, which gives mitred bevels.
double boxDepth(double px, double py, double x0, double y0, double x1, double y1, double r, double *nx = nullptr,
                double *ny = nullptr)
{
    const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const double dx = px - cx, dy = py - cy;
    const double qx = std::abs(dx) - ((x1 - x0) / 2 - r);
    const double qy = std::abs(dy) - ((y1 - y0) / 2 - r);
    double depth, nxv, nyv;
    if (qx > 0 && qy > 0) {
        const double len = std::hypot(qx, qy);
        depth = r - len;
        nxv = sgn(dx) * qx / len;
        nyv = sgn(dy) * qy / len;
    } else if (qx > qy) {
        depth = r - qx;
        nxv = sgn(dx);
        nyv = 0;
    } else {
        depth = r - qy;
        nxv = 0;
        nyv = sgn(dy);
    }
    if (nx)
        *nx = nxv;
    if (ny)
        *ny = nyv;
    return depth;
}

// Distance from a point to the segment (ax, ay) - (bx, by).
double segmentDistance(double px, double py, double ax, double ay, double bx, double by)
{
    const double vx = bx - ax, vy = by - ay;
    const double len2 = vx * vx + vy * vy;
    double t = len2 > 0 ? ((px - ax) * vx + (py - ay) * vy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (ax + t * vx), py - (ay + t * vy));
}

// Light from the top left: +1 on top and left edges, -1 on bottom and right.
double lightFacing(double nx, double ny)
{
    return std::clamp(-(nx + ny), -1.0, 1.0);
}

using Inside = std::function<bool(double x, double y)>;
using Shade = std::function<Color(double x, double y)>;

// Draws a picture: a pixel whose centre is outside the shape is the key
// colour; a pixel inside is the mean of 4 x 4 samples of the shading, which
// the shading must define everywhere in the pixel (also past the shape edge).
QImage paint(QSize size, const Inside &inside, const Shade &shade)
{
    QImage image(size, QImage::Format_RGB32);
    constexpr int n = 4;
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            if (inside && !inside(x + 0.5, y + 0.5)) {
                line[x] = KeyColor;
                continue;
            }
            double r = 0, g = 0, b = 0;
            for (int j = 0; j < n; ++j)
                for (int i = 0; i < n; ++i) {
                    const Color c = shade(x + (i + 0.5) / n, y + (j + 0.5) / n);
                    r += c.r;
                    g += c.g;
                    b += c.b;
                }
            QRgb px = qRgb(int(std::lround(r / (n * n))), int(std::lround(g / (n * n))), int(std::lround(b / (n * n))));
            // Never let a shape pixel turn into the key colour by chance.
            if ((px & 0xFFFFFF) == (KeyColor & 0xFFFFFF))
                px = qRgb(254, 0, 254);
            line[x] = px;
        }
    }
    return image;
}

const QImage &nullImage()
{
    static const QImage image;
    return image;
}

// ---------------------------------------------------------------- buttons

QImage drawButton(int index)
{
    const QSize size = ButtonPictureSize(index);
    const double w = size.width(), h = size.height();
    const bool blue = index % 2 == 1;
    const bool curved = index % 4 >= 2;
    const Color face = col(ButtonFaceColor(index));
    const Color light = blue ? Color{150, 216, 246} : Color{255, 255, 255};
    const Color dark = blue ? Color{0, 86, 128} : Color{120, 120, 120};
    const Color outline = blue ? Color{0, 38, 64} : Color{56, 56, 56};
    const double radius = curved ? h / 4 : 0;
    const double bevel = h <= 32 ? 2 : h / 16;

    Inside inside;
    if (curved)
        inside = [=](double x, double y) { return boxDepth(x, y, 0, 0, w, h, radius) >= 0; };
    const Shade shade = [=](double x, double y) {
        double nx, ny;
        const double d = boxDepth(x, y, 0, 0, w, h, radius, &nx, &ny);
        if (d < 1)
            return outline;
        if (d >= 1 + bevel)
            return face;
        // Curved corners light along the arc; the outer half of the bevel is the strongest.
        const double f = lightFacing(nx, ny);
        const double strength = (d - 1) < bevel / 2 ? 1.0 : 0.6;
        return mix(face, f > 0 ? light : dark, std::abs(f) * strength);
    };
    return paint(size, inside, shade);
}

// ---------------------------------------------------------------- pilots

// Stroke letters "O", "N" and "F" for the lamps: centre lines in a glyph box
// of width gw and height L; returns the distance to the nearest stroke.
double glyphDistance(char letter, double x, double y, double x0, double y0, double gw, double L, double sw)
{
    const double l = x0 + sw / 2, r = x0 + gw - sw / 2;
    const double t = y0 + sw / 2, b = y0 + L - sw / 2;
    switch (letter) {
    case 'O': {
        const double rad = std::min(gw, L) / 2 - sw / 2;
        return std::abs(boxDepth(x, y, l, t, r, b, std::max(0.0, rad)));
    }
    case 'N':
        return std::min(
            {segmentDistance(x, y, l, b, l, t), segmentDistance(x, y, l, t, r, b), segmentDistance(x, y, r, b, r, t)});
    default: { // 'F'
        const double m = y0 + std::round((L - sw) / 2) + sw / 2;
        return std::min({segmentDistance(x, y, l, b, l, t), segmentDistance(x, y, l, t, r, t),
                         segmentDistance(x, y, l, m, r - (gw - sw) * 0.15, m)});
    }
    }
}

QImage drawPilot(int index, bool on)
{
    const QSize size = PilotPictureSize(index);
    const double w = size.width(), h = size.height();
    const int s = 16 * (1 + index / 12);
    const PilotShape shape = PilotPictureShape(index);
    const QRgb faceRgb = PilotFaceColor(index, on);
    const Color face = col(faceRgb);
    const Color outline{0, 0, 0};
    const Color light = mix(face, Color{255, 255, 255}, 0.55);
    const Color dark = mix(face, Color{0, 0, 0}, 0.45);
    const double ow = std::max(1, s / 32);
    const double bevel = shape == PilotShape::Lamp ? std::max(1, s / 32) : s / 16;

    Inside inside;
    std::function<double(double, double, double *, double *)> depth;
    switch (shape) {
    case PilotShape::Circle:
        inside = [=](double x, double y) {
            return std::pow(x - w / 2, 2) + std::pow(y - h / 2, 2) <= std::pow(w / 2, 2);
        };
        depth = [=](double x, double y, double *nx, double *ny) {
            const double dx = x - w / 2, dy = y - h / 2, len = std::max(1e-9, std::hypot(dx, dy));
            *nx = dx / len;
            *ny = dy / len;
            return w / 2 - len;
        };
        break;
    case PilotShape::Diamond:
        inside = [=](double x, double y) { return std::abs(x - w / 2) + std::abs(y - h / 2) <= w / 2; };
        depth = [=](double x, double y, double *nx, double *ny) {
            const double dx = x - w / 2, dy = y - h / 2;
            *nx = sgn(dx) * InvSqrt2;
            *ny = sgn(dy) * InvSqrt2;
            return (w / 2 - std::abs(dx) - std::abs(dy)) * InvSqrt2;
        };
        break;
    default:
        depth = [=](double x, double y, double *nx, double *ny) { return boxDepth(x, y, 0, 0, w, h, 0, nx, ny); };
        break;
    }

    // Lettering of the lamps, in a colour that reads on the face.
    const bool green = index % 12 >= 6;
    const Color letterColor =
        on ? (green ? Color{0, 80, 0} : Color{32, 32, 32}) : (green ? Color{0, 150, 0} : Color{160, 160, 160});
    const char *word = on ? "ON" : "OFF";
    const int letters = on ? 2 : 3;
    const double margin = s >= 32 ? s / 16 : 0;
    const double L = h - 2 * (ow + bevel) - 2 * margin;
    const double gw = std::max(3.0, std::round(L * 0.65));
    const double sw = std::max(1.0, std::round(L / 5));
    const double gap = std::max(1.0, std::round(L / 4));
    const double textWidth = letters * gw + (letters - 1) * gap;
    const double tx = std::floor((w - textWidth) / 2), ty = ow + bevel + margin;

    // A glass highlight on the round lamps, clear of the centre.
    const double spotR = s * 0.16, spotX = w * 0.34, spotY = h * 0.34;

    const Shade shade = [=](double x, double y) {
        double nx = 0, ny = 0;
        const double d = depth(x, y, &nx, &ny);
        if (d < ow)
            return outline;
        Color c = face;
        if (d < ow + bevel) {
            const double f = lightFacing(nx, ny);
            c = mix(face, f > 0 ? light : dark, std::abs(f) * 0.8);
        }
        if (shape == PilotShape::Lamp) {
            for (int i = 0; i < letters; ++i) {
                const double dist = glyphDistance(word[i], x, y, tx + i * (gw + gap), ty, gw, L, sw);
                if (dist <= sw / 2)
                    return letterColor;
            }
        } else if (shape == PilotShape::Circle) {
            const double ds = std::hypot(x - spotX, y - spotY);
            if (ds < spotR)
                c = mix(c, Color{255, 255, 255}, (on ? 0.75 : 0.3) * (1 - ds / spotR));
        }
        return c;
    };
    return paint(size, inside, shade);
}

// ---------------------------------------------------------------- sliders

QImage drawSlider(int index, bool knobAtTop)
{
    const QSize size = SliderPictureSize(index);
    const double w = size.width(), h = size.height();
    const bool large = index >= 3;
    const Color lit = col(SliderLitColor(index));
    const Color unlit = col(SliderDarkColor(index));
    const Color body{58, 60, 64}, bodyLight{128, 132, 138}, bodyDark{22, 22, 24};
    const Color black{0, 0, 0};
    const Color knobFace{196, 198, 202}, knobLight{250, 250, 250}, knobDark{96, 98, 102};

    const double channelW = large ? 14 : 10;
    const double cx0 = std::floor((w - channelW) / 2), cx1 = cx0 + channelW;
    const double cy0 = large ? 12 : 10, cy1 = h - cy0;
    const double knobH = large ? 30 : 22, knobX0 = 3, knobX1 = w - 3;
    const double knobY0 = knobAtTop ? 3 : std::floor((h - knobH) / 2), knobY1 = knobY0 + knobH;
    const double knobMid = (knobY0 + knobY1) / 2;

    const Shade shade = [=](double x, double y) {
        double nx, ny;
        // Knob over everything else.
        const double kd = boxDepth(x, y, knobX0, knobY0, knobX1, knobY1, 4, &nx, &ny);
        if (kd >= 0) {
            if (kd < 1)
                return Color{16, 16, 18};
            if (kd < 3)
                return mix(knobFace, lightFacing(nx, ny) > 0 ? knobLight : knobDark, std::abs(lightFacing(nx, ny)));
            // Grip: a lit line with a groove under it across the middle.
            if (x >= knobX0 + 5 && x < knobX1 - 5) {
                if (y >= knobMid - 1.5 && y < knobMid + 0.5)
                    return lit;
                if (y >= knobMid + 0.5 && y < knobMid + 1.5)
                    return Color{40, 40, 44};
                if ((y >= knobMid - 7 && y < knobMid - 6) || (y >= knobMid + 5 && y < knobMid + 6))
                    return knobDark;
            }
            return knobFace;
        }
        // Body: a framed metal plate with scale marks beside the channel.
        const double bd = boxDepth(x, y, 0, 0, w, h, 0, &nx, &ny);
        if (bd < 1)
            return black;
        if (bd < 3)
            return lightFacing(nx, ny) > 0 ? bodyLight : bodyDark;
        if (x >= cx0 - 1 && x < cx1 + 1 && y >= cy0 - 1 && y < cy1 + 1) {
            // Sunken channel edge: dark on top and left, light on bottom and right.
            if (y < cy0 || x < cx0)
                return black;
            if (y >= cy1 || x >= cx1)
                return bodyLight;
            if (int(std::floor(y - cy0)) % 4 == 3)
                return black;
            return knobAtTop || y >= knobMid ? lit : unlit;
        }
        const double step = (cy1 - cy0) / 10;
        for (int k = 0; k <= 10; ++k) {
            const double row = std::floor(cy0 + k * step);
            if (y >= row && y < row + 1) {
                const double len = k % 5 == 0 ? cx0 - 5 : (cx0 - 5) / 2;
                if ((x >= cx0 - 2 - len && x < cx0 - 2) || (x >= cx1 + 2 && x < cx1 + 2 + len))
                    return bodyLight;
            }
        }
        return body;
    };
    return paint(size, Inside{}, shade);
}

// ------------------------------------------------------ text-object pictures

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

template <size_t N, typename Draw> std::array<QImage, N> drawAll(Draw draw)
{
    std::array<QImage, N> set;
    for (size_t i = 0; i < N; ++i)
        set[i] = draw(int(i));
    return set;
}

} // namespace

const QImage &ButtonPicture(int index)
{
    static const auto set = drawAll<ButtonPictureCount>(drawButton);
    return index < 0 || index >= ButtonPictureCount ? nullImage() : set[size_t(index)];
}

const QImage &PilotOnPicture(int index)
{
    static const auto set = drawAll<PilotPairCount>([](int i) { return drawPilot(i, true); });
    return index < 0 || index >= PilotPairCount ? nullImage() : set[size_t(index)];
}

const QImage &PilotOffPicture(int index)
{
    static const auto set = drawAll<PilotPairCount>([](int i) { return drawPilot(i, false); });
    return index < 0 || index >= PilotPairCount ? nullImage() : set[size_t(index)];
}

const QImage &SliderSelectorPicture(int index)
{
    static const auto set = drawAll<SliderStyleCount>([](int i) { return drawSlider(i, false); });
    return index < 0 || index >= SliderStyleCount ? nullImage() : set[size_t(index)];
}

const QImage &SliderRenderPicture(int index)
{
    static const auto set = drawAll<SliderStyleCount>([](int i) { return drawSlider(i, true); });
    return index < 0 || index >= SliderStyleCount ? nullImage() : set[size_t(index)];
}

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

} // namespace ObjectPictures
