#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>
#include <optional>

// The one BMP form the program writes and the SD compilation reads: a
// 14-byte file header, a 40-byte information header, no palette, no
// compression, 24 bits per pixel in blue, green, red order, bottom-up rows
// each padded with zero bytes to a multiple of 4.
namespace Bmp24File
{

constexpr int HeaderBytes = 54;

int RowBytes(int width);

// What the headers of any BMP file say about its pixel rows, as stored: a
// negative height means rows from the top down. The small core header
// (12 bytes) has 16-bit sizes and no compression.
struct Header {
    uint32_t dataOffset;
    uint32_t infoSize;
    int32_t width;
    int32_t height;
    uint16_t bits;
    uint32_t compression;
};
// Nothing when the bytes do not begin with "BM" and headers long enough for these fields.
std::optional<Header> ReadHeader(const uint8_t *bytes, size_t size);
QByteArray Encode(const QImage &image);
// The same into `bytes`, reusing its memory.
void EncodeInto(const QImage &image, QByteArray &bytes);
// Writes the bytes to the file, replacing what it held. False with a
// readable reason in *error when the file cannot be written.
bool WriteBytes(const QString &path, const QByteArray &bytes, QString *error = nullptr);
bool Write(const QImage &image, const QString &path, QString *error = nullptr);

} // namespace Bmp24File
