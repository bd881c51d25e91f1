#pragma once

#include <QString>

// Every fixed path of the program hangs off the working folder:
// $QUELLIX_HOME when set, else "$HOME/ZAV Quellix Touch" on Linux and
// "C:\ZAV Quellix Touch" on Windows (the user's Documents folder where that
// cannot be made or written).
namespace Paths
{

QString WorkingFolder();
QString SettingsFile();        // <working>/ZAV Quellix Touch.ini
QString ScreenPreviewFolder(); // <working>/Screen Preview
QString SdPictureFolder();     // <working>/SDCardGraphics/BMPImages
// The background picture library: the sibling folder
// "ZAV Quellix Touch Screen/BMP Library" of the working folder.
QString BmpLibraryFolder();
// Once, when the working folder is not the usual one: why, for the user.
// Empty otherwise and on every later call.
QString TakeNotice();

} // namespace Paths
