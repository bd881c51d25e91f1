#include "sdcard/CardStockPictures.h"

#include "assets/ObjectPictures.h"
#include "assets/RunTimePictures.h"
#include "model/Settings.h"
#include "render/Bmp24File.h"
#include "sdcard/modVantileSDWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace CardStockPictures
{

QImage Picture(int slot)
{
    if (slot < 0 || slot >= modVantileSDWrite::SlotCount || modVantileSDWrite::IsRenderedScreen(slot))
        return {};
    if (slot < 32) {
        // B<b>_S<s>_C<c>: b 0/1 the wide and b 2/3 the narrow buttons, b odd the
        // curved corners, s the size, c the face (grey, blue).
        const int b = slot / 8, s = slot / 2 % 4, c = slot % 2;
        const int index = 4 * (2 * s + (b < 2 ? 1 : 0)) + 2 * (b % 2) + c;
        return ObjectPictures::ButtonPicture(index).convertToFormat(QImage::Format_RGB32);
    }
    if (slot < 128) {
        // PTT<nn>S<c>: pilot pair nn, S0 off and S1 on.
        const int nn = (slot - 32) / 2;
        const QImage &src = (slot - 32) % 2 ? ObjectPictures::PilotOnPicture(nn) : ObjectPictures::PilotOffPicture(nn);
        return src.convertToFormat(QImage::Format_RGB32);
    }
    if (slot < 135)
        return RunTimePictures::PasswordField(slot - 128);
    if (slot < 543) {
        const int r = (slot - 135) / 102, v = (slot - 135) % 102;
        return RunTimePictures::ValueBox(r, v == 101 ? -1 : v);
    }
    if (slot < 1149)
        return RunTimePictures::SliderFrame((slot - 543) / 101, (slot - 543) % 101);
    if (slot < 1293) {
        const int group = (slot - 1149) / 18;
        const Settings::PanelSize panel = Settings::ScreenSize(group % 4, group >= 4 ? 1 : 0);
        const QSize size(panel.width, panel.height);
        return (slot - 1149) % 18 == 16 ? RunTimePictures::AccessDenied(size) : RunTimePictures::PasswordScreen(size);
    }
    if (slot < 1899)
        return RunTimePictures::BarGraph((slot - 1293) / 101, (slot - 1293) % 101);
    if (slot < 1933)
        return RunTimePictures::KeypadKey(slot - 1899);
    switch (slot) {
    case 1933:
        return RunTimePictures::Splash(480, 272);
    case 1934:
        return RunTimePictures::Splash(272, 480);
    case 1945:
        return RunTimePictures::Splash(800, 480);
    case 1946:
        return RunTimePictures::Splash(480, 800);
    default:
        return RunTimePictures::Digit(slot - 1935);
    }
}

bool SaveBmp24(const QImage &image, const QString &path, QString *error)
{
    // Not synced: the stock set is made again whenever a picture is missing.
    QString reason;
    if (Bmp24File::WriteBytes(path, Bmp24File::Encode(image), &reason))
        return true;
    if (error)
        *error = QStringLiteral("%1: %2").arg(path, reason);
    return false;
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

namespace
{

// A stock slot whose picture the folder lacks.
bool stockMissing(int slot, const QString &name, const QString &folder)
{
    return !modVantileSDWrite::IsRenderedScreen(slot) && !QFileInfo::exists(folder + QLatin1Char('/') + name);
}

} // namespace

bool EnsurePicture(int slot, const QString &name, const QString &folder, QString *error)
{
    return !stockMissing(slot, name, folder) || WritePicture(slot, name, folder, error);
}

bool EnsureAll(const modVantileSDWrite &table, const QString &folder, int *made, QString *error)
{
    if (made)
        *made = 0;
    for (int slot = 0; slot < modVantileSDWrite::SlotCount; ++slot) {
        const QString name = table.PicName[size_t(slot)];
        if (!stockMissing(slot, name, folder))
            continue;
        if (!WritePicture(slot, name, folder, error))
            return false;
        if (made)
            ++*made;
    }
    return true;
}

} // namespace CardStockPictures
