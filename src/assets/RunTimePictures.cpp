#include "assets/RunTimePictures.h"

#include "assets/ObjectPictures.h"
#include "render/RenderFont.h"

#include <QPainter>

#include <algorithm>

namespace RunTimePictures
{

namespace
{

QImage blank(int w, int h, QColor fill)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

QFont pixelFont(int pixels, bool bold = false)
{
    QFont font = RenderFont(bold);
    font.setPixelSize(std::max(pixels, 6));
    return font;
}

void bevel(QPainter &p, QRect r, bool raised)
{
    const QColor light(255, 255, 255), dark(96, 96, 96);
    p.setPen(raised ? light : dark);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(raised ? dark : light);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

void centredText(QPainter &p, QRect r, const QString &text, const QFont &font, QColor colour)
{
    FillRenderTextCentred(p, r, text, font, colour);
}

// A key's label in bold at `pixels`, or smaller where the label would run
// into the bevel: at half the key's height "CLR" and "ENT" are wider than
// the narrow keys of portrait screens.
QFont keyLabelFont(const QString &label, int keyWidth, int pixels)
{
    constexpr int room = 4; // each side: the bevel, the pressed key's shift and two pixels clear
    QFont font = pixelFont(pixels, true);
    while (font.pixelSize() > 6 && RenderTextInk(label, font).width() > keyWidth - 2 * room)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

// A key of the password screen in its place on `image`.
void passwordKey(QImage &image, QRect key, const QString &label, bool pressed)
{
    QPainter p(&image);
    p.fillRect(key, pressed ? QColor(160, 160, 160) : QColor(224, 224, 224));
    bevel(p, key, !pressed);
    centredText(p, key.translated(pressed ? 1 : 0, pressed ? 1 : 0), label,
                keyLabelFont(label, key.width(), key.height() / 2), Qt::black);
}

struct Colours {
    QColor lit, dark;
};

int knobHeight(bool large)
{
    return large ? 20 : 14;
}

int frameHeight(bool large)
{
    return large ? 421 : 221;
}

} // namespace

QImage ValueBox(int fontSize, int percent)
{
    const QSize size = ObjectPictures::ValueBoxSize(fontSize);
    if (size.isEmpty())
        return {};
    QImage image = blank(size.width(), size.height(), Qt::white);
    QPainter p(&image);
    p.setPen(QColor(128, 128, 128));
    p.drawLine(0, 0, size.width() - 1, 0);
    p.drawLine(0, 0, 0, size.height() - 1);
    p.setPen(QColor(192, 192, 192));
    p.drawLine(0, size.height() - 1, size.width() - 1, size.height() - 1);
    p.drawLine(size.width() - 1, 0, size.width() - 1, size.height() - 1);
    if (percent >= 0)
        centredText(p, image.rect(), QStringLiteral("%1%").arg(percent), pixelFont(size.height() * 3 / 5, fontSize < 2),
                    Qt::black);
    return image;
}

SliderTravel SliderKnobTravel(bool large)
{
    const int knobH = knobHeight(large);
    return {knobH / 2 + 3, frameHeight(large) - 1 - knobH / 2 - 3};
}

int SliderLevelAt(bool large, int y)
{
    const SliderTravel t = SliderKnobTravel(large);
    const int span = t.bottom - t.top;
    const int level = ((t.bottom - y) * 2 * MaxLevel + span) / (2 * span); // rounded to the nearest
    return std::clamp(y > t.bottom ? 0 : level, 0, MaxLevel);
}

int SliderFamilyOfStyle(int style)
{
    // Styles are green, white, blue; card families blue, green, white.
    static constexpr std::array<int, 3> familyOfColour{1, 2, 0};
    if (style < 0 || style >= 6)
        return -1;
    return (style >= 3 ? 3 : 0) + familyOfColour[size_t(style % 3)];
}

QImage SliderFrame(int family, int level)
{
    if (family < 0 || family >= 6)
        return {};
    const bool large = family >= 3;
    const int w = large ? 42 : 34, h = frameHeight(large);
    const std::array<Colours, 3> colours{Colours{QColor(153, 217, 234), QColor(0, 162, 232)},
                                         Colours{QColor(0, 255, 0), QColor(0, 96, 0)},
                                         Colours{QColor(255, 255, 255), QColor(96, 96, 96)}};
    const Colours c = colours[size_t(family % 3)];
    QImage image = blank(w, h, QColor(192, 192, 192));
    QPainter p(&image);
    p.setPen(Qt::black);
    p.drawRect(0, 0, w - 1, h - 1);
    const int knobH = knobHeight(large);
    const SliderTravel travel = SliderKnobTravel(large);
    const int top = travel.top, bottom = travel.bottom;
    const int knobY = bottom - (bottom - top) * level / 100;
    const QRect channel(w / 2 - w / 6, top, w / 3, bottom - top + 1);
    p.fillRect(QRect(channel.left(), top, channel.width(), knobY - top), c.dark);
    p.fillRect(QRect(channel.left(), knobY, channel.width(), bottom - knobY + 1), c.lit);
    p.setPen(Qt::black);
    for (int y = top + 4; y < bottom; y += 8)
        p.drawLine(channel.left(), y, channel.right(), y);
    p.drawRect(channel.adjusted(-1, -1, 0, 0));
    const QRect knob(3, knobY - knobH / 2, w - 6, knobH);
    p.fillRect(knob, QColor(224, 224, 224));
    bevel(p, knob, true);
    p.setPen(Qt::black);
    p.drawLine(knob.left() + 2, knobY, knob.right() - 2, knobY);
    return image;
}

QImage BarGraph(int family, int level)
{
    if (family < 0 || family >= 6)
        return {};
    const bool large = family >= 3;
    const QSize size = large ? ObjectPictures::LargeBarGraphSize : ObjectPictures::SmallBarGraphSize;
    const int w = size.width(), h = size.height();
    const std::array<Colours, 3> colours{Colours{QColor(0, 0, 255), QColor(0, 0, 48)},
                                         Colours{QColor(0, 255, 0), QColor(0, 32, 0)},
                                         Colours{QColor(224, 224, 224), QColor(32, 32, 32)}};
    const Colours c = colours[size_t(family % 3)];
    QImage image = blank(w, h, c.dark);
    QPainter p(&image);
    const int inside = h - 2;
    const int litH = inside * level / 100;
    p.fillRect(QRect(1, h - 1 - litH, w - 2, litH), c.lit);
    if (level > 0 && level < 100) {
        p.setPen(QColor(192, 192, 192));
        p.drawLine(1, h - 1 - litH, w - 2, h - 1 - litH);
    }
    p.setPen(QColor(128, 128, 128));
    p.drawRect(0, 0, w - 1, h - 1);
    return image;
}

QImage PasswordField(int entered)
{
    QImage image = blank(160, 44, QColor(32, 32, 32));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < PasswordDigits; ++i) {
        const QRect box(6 + i * 25, 8, 23, 28);
        p.fillRect(box, Qt::white);
        if (i < entered) {
            p.setBrush(Qt::black);
            p.setPen(Qt::NoPen);
            p.drawEllipse(box.center() + QPointF(0.5, 0.5), 5, 5);
        }
    }
    return image;
}

QImage KeypadKey(int n)
{
    if (n < 0 || n >= KeyPictureCount)
        return {};
    const bool pressed = n % 2 == 1;
    QImage image = blank(40, 38, pressed ? QColor(160, 160, 160) : QColor(224, 224, 224));
    QPainter p(&image);
    bevel(p, image.rect().adjusted(0, 0, -1, -1), !pressed);
    const QString label = QLatin1String(KeyLabels[size_t(n / 2)]);
    centredText(p, image.rect().translated(pressed ? 1 : 0, pressed ? 1 : 0), label,
                keyLabelFont(label, image.width(), label.size() > 1 ? 12 : 18), Qt::black);
    return image;
}

QImage Digit(int d)
{
    QImage image = blank(12, 20, Qt::white);
    QPainter p(&image);
    centredText(p, image.rect(), QString::number(d), pixelFont(18, true), Qt::black);
    return image;
}

QImage Splash(int w, int h)
{
    QImage image = blank(w, h, Qt::black);
    QPainter p(&image);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(0, 32, 96));
    g.setColorAt(1, QColor(0, 96, 160));
    p.fillRect(image.rect(), g);
    centredText(p, image.rect(), QStringLiteral("ZAV Quellix Touch"), pixelFont(std::min(w, h) / 9, true), Qt::white);
    return image;
}

QImage AccessDenied(QSize size)
{
    QImage image = blank(size.width(), size.height(), QColor(96, 0, 0));
    QPainter p(&image);
    centredText(p, image.rect(), QStringLiteral("Access Denied"),
                pixelFont(std::min(size.width(), size.height()) / 8, true), Qt::white);
    return image;
}

PasswordLayout PasswordScreenLayout(QSize size)
{
    const int w = size.width(), h = size.height();
    PasswordLayout layout;
    layout.field = QRect((w - 160) / 2, h / 6, 160, 44);
    const int keyW = std::min(w / 5, 90), keyH = std::min((h - h / 6 - 60) / 4 - 6, 60);
    const int left = (w - 3 * keyW - 12) / 2, top = h / 6 + 56;
    for (int i = 0; i < 12; ++i)
        layout.keys[size_t(i)] = QRect(left + (i % 3) * (keyW + 6), top + (i / 3) * (keyH + 6), keyW, keyH);
    return layout;
}

QImage PasswordScreen(QSize size)
{
    QImage image = blank(size.width(), size.height(), QColor(64, 64, 64));
    QPainter p(&image);
    const int w = size.width(), h = size.height();
    const int unit = std::min(w, h);
    centredText(p, QRect(0, 0, w, h / 6), QStringLiteral("Enter Password"), pixelFont(unit / 12, true), Qt::white);
    const PasswordLayout layout = PasswordScreenLayout(size);
    p.drawImage(layout.field.topLeft(), PasswordField(0));
    p.end();
    for (size_t i = 0; i < layout.keys.size(); ++i)
        passwordKey(image, layout.keys[i], QLatin1String(PasswordScreenKeys[i]), false);
    return image;
}

QImage PressedPasswordKey(QSize size, int key)
{
    const QRect place = PasswordScreenLayout(size).keys[size_t(key)];
    QImage image = blank(place.width(), place.height(), QColor(160, 160, 160));
    passwordKey(image, image.rect(), QLatin1String(PasswordScreenKeys[size_t(key)]), true);
    return image;
}

} // namespace RunTimePictures
