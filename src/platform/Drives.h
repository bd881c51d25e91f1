#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The system's disks as the SD writer sees them: drive letters D: to O:,
// their type codes and physical drive numbers, mounted file systems.
//
// Sources (each can point at a fixture for tests):
//   QUELLIX_SYS_BLOCK  instead of /sys/block
//   QUELLIX_MOUNTS     instead of /proc/self/mounts
//   QUELLIX_DRIVE_D .. QUELLIX_DRIVE_O  a device or an image file for that letter
//   QUELLIX_UMOUNT     the program that unmounts one device (default: udisksctl, then umount)
namespace Drives
{

struct Disk {
    QString name;   // "sdb", "mmcblk0"
    QString device; // "/dev/sdb"
    int type = 0;   // Support::DriveTypeCode
    bool system = false;
    int physicalNumber = 0; // 0 for a disk that holds the running system
    QStringList partitions; // "sdb1", "mmcblk0p1"
};

// Whole disks, in name order; loop and device-mapper devices are left out.
QList<Disk> SystemDisks();

struct Letter {
    int type = 1;           // Support::DriveTypeCode; 1 = no drive
    QString volume;         // what the letter opens
    QString physicalDevice; // the whole disk (or the image file) behind it
    int physicalNumber = 0;
};
// letter "D" to "O" (upper or lower case).
Letter LetterInfo(const QString &letter);

// The device or file of physical drive n; empty when there is none or n is 0.
QString PhysicalDriveDevice(int n);

struct Mount {
    QString source;
    QString mountPoint;
};
QList<Mount> MountTable();
// File systems mounted from the device, its partitions or the volumes built on them.
QList<Mount> MountsOn(const QString &device);
// Unmounts every file system MountsOn(device) lists. False with *error set
// when one is still mounted afterwards.
bool UnmountAll(const QString &device, QString *error);

} // namespace Drives
