#include "render/PictureImport.h"

#include "model/Ansi.h"
#include "model/Settings.h"
#include "platform/Files.h"
#include "render/BackgroundPictureFile.h"
#include "render/Bmp24File.h"
#include "render/PanelColour.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QRegularExpression>

#include <algorithm>
#include <array>

namespace PictureImport
{

namespace
{

constexpr std::array<const char *, 4> modeNames{"fit", "fill", "stretch", "centre"};

// A scaled picture larger than this is not made (a sliver of a picture
// filling a screen): a quarter of the program's memory for one picture.
constexpr qint64 MaxScaledPixels = qint64(64) << 20;

// round(side * num / den), halves up, at least 1.
int scaledSide(qint64 side, qint64 num, qint64 den)
{
    return int(std::max<qint64>(1, (2 * side * num + den) / (2 * den)));
}

int floorHalf(int v)
{
    return v >= 0 ? v / 2 : -((1 - v) / 2);
}

QSize scaledSize(QSize picture, QSize screen, Mode mode)
{
    const qint64 w = picture.width(), h = picture.height(), sw = screen.width(), sh = screen.height();
    switch (mode) {
    case Mode::Stretch:
        return screen;
    case Mode::Centre:
        return picture;
    case Mode::Fit:
    case Mode::Fill:
        break;
    }
    // Fit meets the screen with the side that is relatively longer, Fill with the shorter.
    const bool heightMeets = mode == Mode::Fit ? w * sh <= h * sw : w * sh >= h * sw;
    if (heightMeets)
        return {scaledSide(w, sh, h), int(sh)};
    return {int(sw), scaledSide(h, sw, w)};
}

QImage opaqueOrPremultiplied(const QImage &picture)
{
    const QImage::Format format =
        picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    return picture.format() == format ? picture : picture.convertToFormat(format);
}

// The colour with `scaled` drawn over it at `at`.
QImage onColour(const QImage &scaled, QPoint at, QSize screen, QRgb colour)
{
    QImage out(screen, QImage::Format_RGB32);
    out.fill(qRgb(qRed(colour), qGreen(colour), qBlue(colour)));
    QPainter painter(&out);
    const QRect visible = QRect(at, scaled.size()) & out.rect();
    if (!visible.isEmpty())
        painter.drawImage(visible.topLeft(), scaled, visible.translated(-at));
    return out;
}

QImage scaledTo(const QImage &picture, QSize size)
{
    if (picture.size() == size)
        return picture;
    return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

QString ModeName(Mode mode)
{
    return QLatin1String(modeNames[size_t(mode)]);
}

std::optional<Mode> ModeFromName(const QString &name)
{
    for (size_t i = 0; i < modeNames.size(); ++i)
        if (name == QLatin1String(modeNames[i]))
            return Mode(i);
    return {};
}

QRect Place(QSize picture, QSize screen, Mode mode, QPoint shift)
{
    if (picture.isEmpty() || screen.isEmpty())
        return {};
    const QSize size = scaledSize(picture, screen, mode);
    QPoint at(floorHalf(screen.width() - size.width()), floorHalf(screen.height() - size.height()));
    if (mode == Mode::Fill)
        at = QPoint(std::clamp(at.x() + shift.x(), screen.width() - size.width(), 0),
                    std::clamp(at.y() + shift.y(), screen.height() - size.height(), 0));
    return {at, size};
}

QPoint HeldShift(QSize picture, QSize screen, Mode mode, QPoint wanted)
{
    return Place(picture, screen, mode, wanted).topLeft() - Place(picture, screen, mode).topLeft();
}

bool IsScreenSize(QSize size)
{
    for (int resolution = 0; resolution < 4; ++resolution) {
        const Settings::PanelSize panel = Settings::ResolutionSize(resolution);
        if (size == QSize(panel.width, panel.height) || size == QSize(panel.height, panel.width))
            return true;
    }
    return false;
}

QSize ParseSize(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^([0-9]{1,5})x([0-9]{1,5})$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return {};
    return {match.captured(1).toInt(), match.captured(2).toInt()};
}

QStringList ReadableSuffixes()
{
    QStringList suffixes;
    for (const QByteArray &format : QImageReader::supportedImageFormats())
        suffixes << QString::fromLatin1(format).toLower();
    suffixes.removeDuplicates();
    return suffixes;
}

bool IsReadableSuffix(const QString &path)
{
    return ReadableSuffixes().contains(QFileInfo(path).suffix().toLower());
}

QImage Read(const QString &path, QString *why)
{
    QByteArray bytes;
    if (!Files::ReadRegular(path, BackgroundPictureFile::MaxBytes + 1, &bytes, why))
        return {};
    if (bytes.size() > BackgroundPictureFile::MaxBytes) {
        if (why)
            *why = QStringLiteral("the file is larger than %1 bytes").arg(BackgroundPictureFile::MaxBytes);
        return {};
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    QImage picture;
    if (!reader.read(&picture)) {
        if (why)
            *why = reader.error() == QImageReader::UnsupportedFormatError
                       ? QStringLiteral("it is no picture this program can read (%1)")
                             .arg(QStringLiteral("formats: ") + ReadableSuffixes().join(QStringLiteral(", ")))
                       : reader.errorString();
        return {};
    }
    return opaqueOrPremultiplied(picture);
}

QImage Compose(const QImage &picture, QSize screen, Mode mode, QRgb colour, QPoint shift, QString *why)
{
    const QRect place = Place(picture.size(), screen, mode, shift);
    if (place.isEmpty() || qint64(place.width()) * place.height() > MaxScaledPixels) {
        if (why)
            *why = place.isEmpty() ? QStringLiteral("the picture has no pixels")
                                   : QStringLiteral("scaled to %1 x %2 pixels the picture would be too large; choose "
                                                    "another way to fit it")
                                         .arg(place.width())
                                         .arg(place.height());
        return {};
    }
    return onColour(scaledTo(opaqueOrPremultiplied(picture), place.size()), place.topLeft(), screen, colour);
}

Preview::Preview(const QImage &picture, QSize screen) : picture_(opaqueOrPremultiplied(picture)), screen_(screen)
{
    const QRect fill = Place(picture_.size(), screen, Mode::Fill);
    const bool larger = fill.width() < picture_.width() && fill.height() < picture_.height();
    reduced_ =
        larger && qint64(fill.width()) * fill.height() <= MaxScaledPixels ? scaledTo(picture_, fill.size()) : picture_;
}

QImage Preview::Compose(Mode mode, QRgb colour, QPoint shift, bool asPanelShows) const
{
    const QRect place = Place(picture_.size(), screen_, mode, shift);
    if (place.isEmpty() || qint64(place.width()) * place.height() > MaxScaledPixels)
        return {};
    const QImage &from = mode == Mode::Centre ? picture_ : reduced_;
    const QImage out = onColour(scaledTo(from, place.size()), place.topLeft(), screen_, colour);
    return asPanelShows ? PanelColour::AsPanelShows(out) : out;
}

QString LibraryName(const QString &source, QSize screen)
{
    static const QString notInNames = QStringLiteral("\\/:*?\"<>|");
    QString name;
    for (const QChar c : QFileInfo(source).completeBaseName())
        name += c.unicode() < 32 || notInNames.contains(c) || !Ansi::CanEncode(QString(c)) ? QLatin1Char('_') : c;
    name = name.trimmed();
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')))
        name.prepend(QStringLiteral("Picture"));
    return QStringLiteral("%1 %2x%3.BMP").arg(name).arg(screen.width()).arg(screen.height());
}

bool WriteBmp(const QImage &screenPicture, const QString &target, QString *error)
{
    return Files::Write(target, Bmp24File::Encode(screenPicture), error);
}

} // namespace PictureImport
