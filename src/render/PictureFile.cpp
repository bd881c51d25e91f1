#include "render/PictureFile.h"

#include "platform/Files.h"

#include <QBuffer>
#include <QImageReader>

namespace PictureFile
{

namespace
{

uint32_t le32(const QByteArray &b, int at)
{
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 | uint32_t(uint8_t(b[at + 2])) << 16 |
           uint32_t(uint8_t(b[at + 3])) << 24;
}

uint16_t le16(const QByteArray &b, int at)
{
    return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8);
}

// An uncompressed BMP must hold every pixel row its header promises.
bool bmpRowsPresent(const QByteArray &b, QString *why)
{
    constexpr int FileHeader = 14;
    if (b.size() < FileHeader + 16 || b[0] != 'B' || b[1] != 'M')
        return true; // not a BMP, or too short for the decoder to accept
    const uint32_t dataOffset = le32(b, 10);
    const uint32_t infoSize = le32(b, 14);
    int64_t width, height, bits, compression = 0;
    if (infoSize == 12) {
        width = le16(b, 18);
        height = int16_t(le16(b, 20));
        bits = le16(b, 24);
    } else {
        if (b.size() < FileHeader + 20)
            return true;
        width = int32_t(le32(b, 18));
        height = int32_t(le32(b, 22));
        bits = le16(b, 28);
        compression = b.size() >= FileHeader + 20 ? le32(b, 30) : 0;
    }
    // Run-length pictures are checked by decoding them twice (below).
    if (compression != 0 && compression != 3 && compression != 6)
        return true;
    if (width <= 0 || height == 0 || bits <= 0 || bits > 32)
        return true; // the decoder refuses these
    const int64_t rows = height < 0 ? -height : height;
    const int64_t rowBytes = (width * bits + 31) / 32 * 4; // width < 2^31, bits <= 32
    int64_t pixelBytes = 0;
    if (__builtin_mul_overflow(rowBytes, rows, &pixelBytes) || int64_t(dataOffset) > b.size() ||
        pixelBytes > b.size() - int64_t(dataOffset)) {
        if (why)
            *why = QStringLiteral("the file ends before the pixel rows its header promises");
        return false;
    }
    return true;
}

} // namespace

QImage Decode(const QByteArray &bytes, QString *why)
{
    if (!bmpRowsPresent(bytes, why))
        return {};
    // Decoded twice into pictures filled differently beforehand: where the
    // two differ, the file left pixels undefined.
    QImage first, second;
    for (QImage *image : {&first, &second}) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer);
        reader.setAutoTransform(false);
        const QSize size = reader.size();
        if (size.isValid() && qint64(size.width()) * size.height() <= (qint64(1) << 28) &&
            reader.imageFormat() != QImage::Format_Invalid) {
            *image = QImage(size, reader.imageFormat());
            if (!image->isNull())
                image->fill(image == &first ? 0 : 0xFFFFFFFF);
        }
        if (!reader.read(image)) {
            if (why)
                *why = reader.errorString();
            return {};
        }
        // In 32 bits, so that a colour index beyond the file's palette has one
        // colour (black) and pictures compare by their pixels alone.
        *image = image->convertToFormat(image->hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    }
    if (first != second) {
        if (why)
            *why = QStringLiteral("the file does not define every pixel of the picture");
        return {};
    }
    return first;
}

QImage Read(const QString &path, QString *why)
{
    QByteArray bytes;
    if (!Files::ReadRegular(path, MaxBytes + 1, &bytes, why))
        return {};
    if (bytes.size() > MaxBytes) {
        if (why)
            *why = QStringLiteral("the file is larger than %1 bytes").arg(MaxBytes);
        return {};
    }
    return Decode(bytes, why);
}

} // namespace PictureFile
