#pragma once

#include <QString>

#include <cstdint>

// The small support services the program relies on: a path-exists test, one
// process-wide millisecond stopwatch and a drive-type query.
namespace Support
{

// 0 when the path (file or folder) does not exist, otherwise non-zero.
int16_t PathExists(const QString &path);

void StartStopwatch();
// Milliseconds since the last StartStopwatch; rises monotonically.
int32_t ElapsedMilliseconds();

enum DriveTypeCode : int {
    DriveNone = 1,
    DriveRemovable = 2,
    DriveFixed = 3,
    DriveRemote = 4,
    DriveCdRom = 5,
    DriveRamDisk = 6,
};

struct DriveInfo {
    int driveType = DriveNone;
    QString device; // the system device (or image file) the letter stands for
};

// Fills *info for a drive letter "D" to "O" (one character, no colon).
void DriveType(const QString &letter, DriveInfo *info);

} // namespace Support
