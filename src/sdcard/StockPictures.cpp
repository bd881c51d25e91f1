#include "sdcard/StockPictures.h"

#include "assets/PictureSets.h"
#include "model/Settings.h"
#include "render/BmpFile.h"
#include "sdcard/modVantileSDWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>

#include <array>

namespace StockPictures
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
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(pixels, 6));
    font.setBold(bold);
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
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter, text);
}

// Value box of font size r: white with a sunken grey edge, the value centred.
QImage valueBox(int r, int value)
{
    static constexpr std::array<QSize, 4> sizes{QSize(32, 18), QSize(48, 22), QSize(64, 28), QSize(86, 38)};
    const QSize size = sizes[size_t(r)];
    QImage image = blank(size.width(), size.height(), Qt::white);
    QPainter p(&image);
    p.setPen(QColor(128, 128, 128));
    p.drawLine(0, 0, size.width() - 1, 0);
    p.drawLine(0, 0, 0, size.height() - 1);
    p.setPen(QColor(192, 192, 192));
    p.drawLine(0, size.height() - 1, size.width() - 1, size.height() - 1);
    p.drawLine(size.width() - 1, 0, size.width() - 1, size.height() - 1);
    if (value >= 0)
        centredText(p, image.rect(), QStringLiteral("%1%").arg(value), pixelFont(size.height() * 3 / 5, r < 2),
                    Qt::black);
    return image;
}

struct Colours {
    QColor lit, dark;
};

// Slider frame: a framed, striped channel lit below the knob, knob at the level.
QImage sliderFrame(int family, int level)
{
    const bool large = family >= 3;
    const int w = large ? 42 : 34, h = large ? 421 : 221;
    const std::array<Colours, 3> colours{Colours{QColor(153, 217, 234), QColor(0, 162, 232)},
                                         Colours{QColor(0, 255, 0), QColor(0, 96, 0)},
                                         Colours{QColor(255, 255, 255), QColor(96, 96, 96)}};
    const Colours c = colours[size_t(family % 3)];
    QImage image = blank(w, h, QColor(192, 192, 192));
    QPainter p(&image);
    p.setPen(Qt::black);
    p.drawRect(0, 0, w - 1, h - 1);
    const int knobH = large ? 20 : 14;
    const int top = knobH / 2 + 3, bottom = h - 1 - knobH / 2 - 3;
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

// Bar graph: a framed channel, lit from the bottom up to the level.
QImage barGraph(int family, int level)
{
    const bool large = family >= 3;
    const int w = large ? 20 : 16, h = large ? 421 : 221;
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

// Password field with n of its six digits entered.
QImage passwordField(int entered)
{
    QImage image = blank(160, 44, QColor(32, 32, 32));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 6; ++i) {
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

const std::array<const char *, 17> KeyLabels{"0", "1",   "2",   "3",   "4",   "5", "6", "7", "8",
                                             "9", "CLR", "ENT", "DEL", "ESC", "*", "#", "."};

// Keypad key: even numbers released, odd numbers pressed.
QImage keypadKey(int n)
{
    const bool pressed = n % 2 == 1;
    QImage image = blank(40, 38, pressed ? QColor(160, 160, 160) : QColor(224, 224, 224));
    QPainter p(&image);
    bevel(p, image.rect().adjusted(0, 0, -1, -1), !pressed);
    const QString label = QLatin1String(KeyLabels[size_t(n / 2)]);
    centredText(p, image.rect().translated(pressed ? 1 : 0, pressed ? 1 : 0), label,
                pixelFont(label.size() > 1 ? 12 : 18, true), Qt::black);
    return image;
}

QImage digit(int d)
{
    QImage image = blank(12, 20, Qt::white);
    QPainter p(&image);
    centredText(p, image.rect(), QString::number(d), pixelFont(18, true), Qt::black);
    return image;
}

QImage splash(int w, int h)
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

QImage accessDenied(QSize size)
{
    QImage image = blank(size.width(), size.height(), QColor(96, 0, 0));
    QPainter p(&image);
    centredText(p, image.rect(), QStringLiteral("Access Denied"),
                pixelFont(std::min(size.width(), size.height()) / 8, true), Qt::white);
    return image;
}

QImage passwordScreen(QSize size)
{
    QImage image = blank(size.width(), size.height(), QColor(64, 64, 64));
    QPainter p(&image);
    const int w = size.width(), h = size.height();
    const int unit = std::min(w, h);
    centredText(p, QRect(0, 0, w, h / 6), QStringLiteral("Enter Password"), pixelFont(unit / 12, true), Qt::white);
    // Field and a 3 x 4 keypad below it.
    const QImage field = passwordField(0);
    p.drawImage((w - field.width()) / 2, h / 6, field);
    const int keyW = std::min(w / 5, 90), keyH = std::min((h - h / 6 - 60) / 4 - 6, 60);
    const int left = (w - 3 * keyW - 12) / 2, top = h / 6 + 56;
    static constexpr std::array<const char *, 12> keys{"1", "2", "3", "4", "5", "6", "7", "8", "9", "CLR", "0", "ENT"};
    for (int i = 0; i < 12; ++i) {
        const QRect key(left + (i % 3) * (keyW + 6), top + (i / 3) * (keyH + 6), keyW, keyH);
        p.fillRect(key, QColor(224, 224, 224));
        bevel(p, key, true);
        centredText(p, key, QLatin1String(keys[size_t(i)]), pixelFont(keyH / 2, true), Qt::black);
    }
    return image;
}

} // namespace

QImage Picture(int slot)
{
    if (slot < 0 || slot >= modVantileSDWrite::SlotCount || modVantileSDWrite::IsRenderedScreen(slot))
        return {};
    if (slot < 32) {
        // B<b>_S<s>_C<c>: b 0/1 the wide and b 2/3 the narrow buttons, b odd the
        // curved corners, s the size, c the face (grey, blue).
        const int b = slot / 8, s = slot / 2 % 4, c = slot % 2;
        const int index = 4 * (2 * s + (b < 2 ? 1 : 0)) + 2 * (b % 2) + c;
        return PictureSets::ButtonPicture(index).convertToFormat(QImage::Format_RGB32);
    }
    if (slot < 128) {
        // PTT<nn>S<c>: pilot pair nn, S0 off and S1 on.
        const int nn = (slot - 32) / 2;
        const QImage &src = (slot - 32) % 2 ? PictureSets::PilotOnPicture(nn) : PictureSets::PilotOffPicture(nn);
        return src.convertToFormat(QImage::Format_RGB32);
    }
    if (slot < 135)
        return passwordField(slot - 128);
    if (slot < 543) {
        const int r = (slot - 135) / 102, v = (slot - 135) % 102;
        return valueBox(r, v == 101 ? -1 : v);
    }
    if (slot < 1149)
        return sliderFrame((slot - 543) / 101, (slot - 543) % 101);
    if (slot < 1293) {
        const int group = (slot - 1149) / 18;
        const Settings::PanelSize panel = Settings::ScreenSize(group % 4, group >= 4 ? 1 : 0);
        const QSize size(panel.width, panel.height);
        return (slot - 1149) % 18 == 16 ? accessDenied(size) : passwordScreen(size);
    }
    if (slot < 1899)
        return barGraph((slot - 1293) / 101, (slot - 1293) % 101);
    if (slot < 1933)
        return keypadKey(slot - 1899);
    switch (slot) {
    case 1933:
        return splash(480, 272);
    case 1934:
        return splash(272, 480);
    case 1945:
        return splash(800, 480);
    case 1946:
        return splash(480, 800);
    default:
        return digit(slot - 1935);
    }
}

bool SaveBmp24(const QImage &image, const QString &path, QString *error)
{
    // Written under a temporary name and renamed, so that an interrupted run
    // never leaves a half picture under the real name. No sync to disk: the
    // stock set is made again whenever a picture is missing.
    const QString temporary = path + QStringLiteral(".part");
    QFile file(temporary);
    const QByteArray bytes = BmpFile::Encode(image);
    bool ok = file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
    file.close();
    if (ok) {
        QFile::remove(path);
        ok = QFile::rename(temporary, path);
    }
    if (!ok) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        QFile::remove(temporary);
    }
    return ok;
}

bool WritePicture(int slot, const QString &name, const QString &folder, QString *error)
{
    const QImage image = Picture(slot);
    if (image.isNull()) {
        if (error)
            *error = QStringLiteral("%1 is no stock picture").arg(name);
        return false;
    }
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("%1: the folder cannot be created").arg(folder);
        return false;
    }
    return SaveBmp24(image, folder + QLatin1Char('/') + name, error);
}

int EnsureAll(const modVantileSDWrite &table, const QString &folder, QString *error)
{
    int written = 0;
    for (int slot = 0; slot < modVantileSDWrite::SlotCount; ++slot) {
        if (modVantileSDWrite::IsRenderedScreen(slot))
            continue;
        const QString name = table.PicName[size_t(slot)];
        if (QFileInfo::exists(folder + QLatin1Char('/') + name))
            continue;
        if (!WritePicture(slot, name, folder, error))
            return -1;
        ++written;
    }
    return written;
}

} // namespace StockPictures
