#include "render/BackgroundPictureFile.h"

#include "platform/Files.h"
#include "render/Bmp24File.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

namespace BackgroundPictureFile
{

namespace
{

constexpr qint64 MaxPixels = qint64(1) << 28;

QString tooLarge()
{
    return QStringLiteral("the picture is too large");
}

// An uncompressed BMP must hold every pixel row its header promises.
bool bmpRowsPresent(const QByteArray &b, QString *why)
{
    const auto h = Bmp24File::ReadHeader(reinterpret_cast<const uint8_t *>(b.constData()), size_t(b.size()));
    if (!h)
        return true; // not a BMP, or too short for the decoder to accept
    // Run-length pictures are checked by decoding them twice (below).
    if (h->compression != 0 && h->compression != 3 && h->compression != 6)
        return true;
    if (h->width <= 0 || h->height == 0 || h->bits == 0 || h->bits > 32)
        return true; // the decoder refuses these
    const int64_t width = h->width, rows = h->height < 0 ? -int64_t(h->height) : h->height, bits = h->bits;
    const int64_t dataOffset = h->dataOffset;
    const int64_t rowBytes = (width * bits + 31) / 32 * 4; // width < 2^31, bits <= 32
    int64_t pixelBytes = 0;
    if (__builtin_mul_overflow(rowBytes, rows, &pixelBytes) || dataOffset > b.size() ||
        pixelBytes > b.size() - dataOffset) {
        if (why)
            *why = QStringLiteral("the file ends before the pixel rows its header promises");
        return false;
    }
    return true;
}

// Whether an uncompressed BMP leaves the decoder no pixel to skip: the
// header is one whose length the decoder knows, the pixel rows start at or
// after the end of the headers, colour masks and colour table (where the
// decoder stands when it looks for them), and every row lies in the file.
bool everyRowInFile(const QByteArray &b)
{
    const auto *bytes = reinterpret_cast<const uint8_t *>(b.constData());
    const auto h = Bmp24File::ReadHeader(bytes, size_t(b.size()));
    if (!h)
        return false;
    const int64_t info = h->infoSize, bits = h->bits;
    if (info != 12 && info != 40 && info != 64 && info != 108 && info != 124)
        return false;
    const bool plain =
        h->compression == 0 && (bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32);
    const bool masked = h->compression == 3 && (bits == 16 || bits == 32);
    if (!(plain || masked) || h->width <= 0 || h->height == 0 || h->height == INT32_MIN)
        return false;
    constexpr int64_t FileHeader = 14;
    int64_t colours = 0;
    if (bits <= 8) {
        const int64_t used = info >= 40 && b.size() >= 50 ? qFromLittleEndian<uint32_t>(bytes + 46) : 0;
        colours = used != 0 ? used : int64_t(1) << bits;
        if (colours > 256)
            return false;
    }
    const int64_t headersEnd = FileHeader + info + (masked && info < 108 ? 12 : 0) + colours * (info == 12 ? 3 : 4);
    return h->dataOffset >= headersEnd && bmpRowsPresent(b, nullptr);
}

// Decodes into `into` when the reader can use it as it is; `reused` says
// whether it did (a reader that allocates a picture of its own leaves the
// pixels it does not write to whatever the memory held).
bool decodeInto(const QByteArray &bytes, QImage *into, bool *reused, QString *why)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(false);
    const uchar *before = into->isNull() ? nullptr : into->constBits();
    if (!reader.read(into)) {
        if (why)
            *why = reader.errorString();
        return false;
    }
    *reused = before && into->constBits() == before;
    return true;
}

} // namespace

QImage Decode(const QByteArray &bytes, QString *why)
{
    if (!bmpRowsPresent(bytes, why))
        return {};
    // The picture's size and format as the reader makes them: a first
    // decode, whose pixels are not used.
    QImage probe;
    bool reused = false;
    if (!decodeInto(bytes, &probe, &reused, why))
        return {};
    const QSize size = probe.size();
    const QImage::Format format = probe.format();
    if (qint64(size.width()) * size.height() > MaxPixels) {
        if (why)
            *why = tooLarge();
        return {};
    }
    probe = QImage();
    // Decoded twice more into pictures of that size and format, filled
    // differently beforehand: where the two differ, the file left pixels
    // undefined. A reader that will not decode into them cannot be checked.
    QImage first, second;
    for (QImage *image : {&first, &second}) {
        *image = QImage(size, format);
        if (image->isNull()) {
            if (why)
                *why = QStringLiteral("there is not enough memory for the picture");
            return {};
        }
        image->fill(image == &first ? 0u : ~0u);
        if (!decodeInto(bytes, image, &reused, why))
            return {};
        if (!reused) {
            if (why)
                *why = QStringLiteral("pictures of this kind cannot be checked for pixels the file leaves out; "
                                      "save it as a BMP file");
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

bool DecodesWhole(const QByteArray &bytes, QString *why)
{
    if (!everyRowInFile(bytes))
        return !Decode(bytes, why).isNull();
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(false);
    QImage picture;
    if (!reader.read(&picture)) {
        if (why)
            *why = reader.errorString();
        return false;
    }
    if (qint64(picture.width()) * picture.height() > MaxPixels) {
        if (why)
            *why = tooLarge();
        return false;
    }
    return true;
}

namespace
{

bool readFile(const QString &path, QByteArray *bytes, QString *why)
{
    if (!Files::ReadRegular(path, MaxBytes + 1, bytes, why))
        return false;
    if (bytes->size() > MaxBytes) {
        if (why)
            *why = QStringLiteral("the file is larger than %1 bytes").arg(MaxBytes);
        return false;
    }
    return true;
}

} // namespace

QImage Read(const QString &path, QString *why)
{
    QByteArray bytes;
    return readFile(path, &bytes, why) ? Decode(bytes, why) : QImage();
}

bool Readable(const QString &path, QString *why)
{
    QByteArray bytes;
    return readFile(path, &bytes, why) && DecodesWhole(bytes, why);
}

} // namespace BackgroundPictureFile
