#include "render/Bmp24File.h"

#include "platform/Files.h"
#include "render/RenderFont.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>

namespace Bmp24File
{

namespace
{

void put16(char *p, uint32_t v)
{
    p[0] = char(v & 0xFF);
    p[1] = char((v >> 8) & 0xFF);
}

void put32(char *p, uint32_t v)
{
    put16(p, v & 0xFFFF);
    put16(p + 2, v >> 16);
}

} // namespace

std::optional<Header> ReadHeader(const uint8_t *bytes, size_t size)
{
    constexpr size_t FileHeader = 14;
    if (size < FileHeader + 16 || bytes[0] != 'B' || bytes[1] != 'M')
        return {};
    Header h{};
    h.dataOffset = qFromLittleEndian<uint32_t>(bytes + 10);
    h.infoSize = qFromLittleEndian<uint32_t>(bytes + 14);
    if (h.infoSize == 12) {
        h.width = qFromLittleEndian<uint16_t>(bytes + 18);
        h.height = qFromLittleEndian<int16_t>(bytes + 20);
        h.bits = qFromLittleEndian<uint16_t>(bytes + 24);
        return h;
    }
    if (size < FileHeader + 20)
        return {};
    h.width = qFromLittleEndian<int32_t>(bytes + 18);
    h.height = qFromLittleEndian<int32_t>(bytes + 22);
    h.bits = qFromLittleEndian<uint16_t>(bytes + 28);
    h.compression = qFromLittleEndian<uint32_t>(bytes + 30);
    return h;
}

int RowBytes(int width)
{
    return (width * 3 + 3) & ~3;
}

QByteArray Encode(const QImage &image)
{
    QByteArray bytes;
    EncodeInto(image, bytes);
    return bytes;
}

void EncodeInto(const QImage &source, QByteArray &bytes)
{
    const QImage image = source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
                             ? source
                             : source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width(), h = image.height();
    const int rowBytes = RowBytes(w);
    const uint32_t dataBytes = uint32_t(rowBytes) * uint32_t(h);

    bytes.resize(HeaderBytes + qsizetype(dataBytes));
    char *p = bytes.data();
    std::fill(p, p + HeaderBytes, '\0');
    p[0] = 'B';
    p[1] = 'M';
    put32(p + 2, HeaderBytes + dataBytes); // file size
    put32(p + 10, HeaderBytes);            // pixel data offset
    put32(p + 14, 40);                     // information header size
    put32(p + 18, uint32_t(w));
    put32(p + 22, uint32_t(h)); // positive: bottom-up
    put16(p + 26, 1);           // planes
    put16(p + 28, 24);          // bits per pixel
    put32(p + 30, 0);           // no compression
    put32(p + 34, dataBytes);
    put32(p + 38, PictureDotsPerMeter);
    put32(p + 42, PictureDotsPerMeter);

    for (int y = 0; y < h; ++y) {
        const auto *src = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        auto *dst = reinterpret_cast<uchar *>(p + HeaderBytes + qsizetype(h - 1 - y) * rowBytes);
        for (int x = 0; x < w; ++x) {
            const QRgb c = src[x];
            dst[0] = uchar(c);
            dst[1] = uchar(c >> 8);
            dst[2] = uchar(c >> 16);
            dst += 3;
        }
        for (int pad = w * 3; pad < rowBytes; ++pad)
            *dst++ = 0;
    }
}

bool WriteBytes(const QString &path, const QByteArray &bytes, QString *error)
{
    // Not synced: the pictures are made again by every compilation, and
    // syncing 144 files costs far more than drawing them.
    Files::WriteOptions options;
    options.sync = false;
    return Files::Write(path, bytes, error, options);
}

bool Write(const QImage &image, const QString &path, QString *error)
{
    return WriteBytes(path, Encode(image), error);
}

} // namespace Bmp24File
