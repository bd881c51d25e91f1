#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Background pictures as the editor and the renderer read them. Only a
// regular file is opened, and only a picture whose file defines every pixel
// is accepted: a decoder that stops early (a truncated file) would leave
// the rest of the picture to whatever the memory held.
namespace BackgroundPictureFile
{

// Larger files are no background a panel can show.
constexpr qint64 MaxBytes = 256 << 20;

// A null picture, with the reason in *why, when the file cannot be used.
QImage Read(const QString &path, QString *why = nullptr);
QImage Decode(const QByteArray &bytes, QString *why = nullptr);

// Whether Read and Decode would give a picture, with the same reason when
// not, for less: an uncompressed BMP whose pixel rows all lie in the file,
// after its headers and colour table, has every pixel defined, so a single
// decode tells. Any other file takes the whole test of Decode.
bool Readable(const QString &path, QString *why = nullptr);
bool DecodesWhole(const QByteArray &bytes, QString *why = nullptr);

} // namespace BackgroundPictureFile
