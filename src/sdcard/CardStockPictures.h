#pragma once

#include <QImage>
#include <QString>

class modVantileSDWrite;

// The stock pictures of the SD card: every slot outside the rendered screen
// pictures (buttons and pilot lights from the picture sets, password fields,
// value boxes 0 - 100 % and blank, slider and bar-graph frames for the levels
// 0 - 100, the screen group's password and access-denied screens, keypad keys,
// digits and splash screens). The program draws them itself (ObjectPictures and
// RunTimePictures, which the virtual panel shows too), each sized to fit its
// slot with the three header words.
namespace CardStockPictures
{

// The picture of a stock slot; a null image for a rendered screen slot.
QImage Picture(int slot);

// Saves a picture in the program's BMP form (Bmp24File) under a temporary
// name first, so an interrupted run never leaves half a picture.
bool SaveBmp24(const QImage &image, const QString &path, QString *error = nullptr);

bool WritePicture(int slot, const QString &name, const QString &folder, QString *error = nullptr);
// Writes the slot's stock picture when the folder lacks it (the folder is
// created when needed). True when the file is there; a rendered screen slot
// has no stock picture and is left to the compilation.
bool EnsurePicture(int slot, const QString &name, const QString &folder, QString *error = nullptr);
// The same for every stock slot of the table; stops at the first picture that
// cannot be written. *made counts the pictures written.
bool EnsureAll(const modVantileSDWrite &table, const QString &folder, int *made = nullptr, QString *error = nullptr);

} // namespace CardStockPictures
