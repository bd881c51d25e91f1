#pragma once

#include "model/modVantile.h"
#include "render/ScreenRenderer.h"
#include "testsupport.h"

#include <QImage>

// A fresh project, current screen 0, 480x272 landscape, white backgrounds.
inline void freshProject(modVantile &m)
{
    m.NewProject();
}

// A renderer whose canvas is the given size, cleared to the colour.
inline void clearCanvas(ScreenRenderer &r, QRgb color, int w = 480, int h = 272)
{
    r.Canvas().Resize(w, h);
    r.Canvas().ClearBackPicture();
    r.Canvas().SetBackColor(color);
    r.Canvas().Redraw();
}

inline QRgb px(const QImage &image, int x, int y)
{
    return image.pixel(x, y) | 0xFF000000;
}

// Pixels of `image` inside the rectangle that are not `color`.
inline int countOther(const QImage &image, QRect rect, QRgb color)
{
    rect = rect.intersected(image.rect());
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            n += px(image, x, y) != (color | 0xFF000000);
    return n;
}

inline int countColor(const QImage &image, QRect rect, QRgb color)
{
    rect = rect.intersected(image.rect());
    return rect.width() * rect.height() - countOther(image, rect, color);
}

inline void addButton(modVantile &m, int n, int picture, int left, int top, const QString &caption,
                      int captionColor = 0, int type = 9)
{
    m.SetButtonType(n, type);
    m.SetButtonPicture(n, picture);
    m.SetButtonFontSize(n, picture > 0 ? (picture - 1) / 8 : 0);
    m.SetButtonLeft(n, left);
    m.SetButtonTop(n, top);
    m.SetButtonTextColor(n, captionColor);
    m.SetButtonText(n, caption);
}

// Little-endian fields of a BMP header.
inline quint32 le32(const QByteArray &b, int at)
{
    return quint32(uchar(b[at])) | quint32(uchar(b[at + 1])) << 8 | quint32(uchar(b[at + 2])) << 16 |
           quint32(uchar(b[at + 3])) << 24;
}

inline quint16 le16(const QByteArray &b, int at)
{
    return quint16(uchar(b[at]) | uchar(b[at + 1]) << 8);
}

// Pixel (x, y), counted from the top, of a 24-bit bottom-up BMP file's bytes.
inline QRgb bmpPixel(const QByteArray &b, int x, int y)
{
    const int w = int(le32(b, 18)), h = int(le32(b, 22));
    const int row = (w * 3 + 3) & ~3;
    const int at = int(le32(b, 10)) + (h - 1 - y) * row + x * 3;
    return qRgb(uchar(b[at + 2]), uchar(b[at + 1]), uchar(b[at]));
}

QObject *newObjectRenderingTest();
QObject *newScreenPicturesTest();
QObject *newRenderCommandTest();
QObject *newPictureImportTest();
