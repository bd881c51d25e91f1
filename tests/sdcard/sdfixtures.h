#pragma once

// Shared fixtures of the SD card tests: BMP files made byte by byte, a
// picture folder with the whole stock set, image files as cards.

#include "sdcard/CardStockPictures.h"
#include "sdcard/modVantileSDWrite.h"

#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <functional>

// The test groups, run one after the other by the one main().
int runCatalogueTests(int argc, char **argv);
int runCompileTests(int argc, char **argv);
int runWriteTests(int argc, char **argv);
int runUdisksTests(int argc, char **argv);
int runDialogTests(int argc, char **argv);
int runCommandLineTests(int argc, char **argv);

struct Rgb {
    uint8_t r, g, b;
};

// A 24-bit bottom-up BMP with every row's padding filled with `padding`, so
// that a reader which does not skip it converts wrong pixels.
inline QByteArray makeBmp(int w, int h, const std::function<Rgb(int x, int y)> &pixel, char padding = char(0xEE),
                          int bits = 24, int compression = 0)
{
    const int rowBytes = (w * 3 + 3) / 4 * 4;
    QByteArray bmp(54 + rowBytes * h, padding);
    auto put32 = [&](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bmp[at + i] = char((v >> (8 * i)) & 0xFF);
    };
    for (int i = 0; i < 54; ++i)
        bmp[i] = 0;
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, uint32_t(bmp.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, uint32_t(w));
    put32(22, uint32_t(h));
    bmp[26] = 1;
    bmp[28] = char(bits);
    put32(30, uint32_t(compression));
    for (int row = 0; row < h; ++row) {
        const int y = h - 1 - row; // bottom row first
        for (int x = 0; x < w; ++x) {
            const Rgb c = pixel(x, y);
            const int at = 54 + row * rowBytes + 3 * x;
            bmp[at] = char(c.b);
            bmp[at + 1] = char(c.g);
            bmp[at + 2] = char(c.r);
        }
    }
    return bmp;
}

inline QByteArray solidBmp(int w, int h, Rgb c)
{
    return makeBmp(w, h, [c](int, int) { return c; });
}

inline QSize screenSizeOf(int slot)
{
    static const QSize sizes[] = {QSize(480, 272), QSize(320, 240), QSize(480, 320), QSize(800, 480)};
    const int group = modVantileSDWrite::ScreenGroup(slot) - 1;
    const QSize s = sizes[group % 4];
    return group >= 4 ? s.transposed() : s;
}

// The sixteen screen pictures of every group, each a solid colour of its own.
inline void writeScreenPictures(const modVantileSDWrite &sd, const QString &folder)
{
    QDir().mkpath(folder);
    for (int slot = modVantileSDWrite::FirstScreenSlot; slot <= modVantileSDWrite::LastScreenSlot; ++slot) {
        if (!modVantileSDWrite::IsRenderedScreen(slot))
            continue;
        const QSize s = screenSizeOf(slot);
        const Rgb c{uint8_t(slot * 7), uint8_t(slot * 13), uint8_t(slot * 29)};
        QVERIFY(writeFile(folder + QLatin1Char('/') + sd.PicName[size_t(slot)], solidBmp(s.width(), s.height(), c)));
    }
}

// One picture folder with every slot's picture, made once per test run.
inline QString fullPictureFolder()
{
    static QTemporaryDir dir;
    static bool made = false;
    const QString folder = dir.path() + QStringLiteral("/BMPImages");
    if (!made) {
        made = true;
        modVantileSDWrite sd;
        sd.FillPicTable();
        writeScreenPictures(sd, folder);
        QString error;
        if (!CardStockPictures::EnsureAll(sd, folder, nullptr, &error))
            qWarning("stock pictures: %s", qPrintable(error));
    }
    return folder;
}

// A sparse file of the given size, standing for a card.
inline bool makeCard(const QString &path, qint64 size)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.resize(size);
}

inline QByteArray readAt(const QString &path, qint64 position, qint64 bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || !f.seek(position))
        return {};
    return f.read(bytes);
}

inline bool allZero(const QByteArray &bytes)
{
    return std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return c == 0; });
}
