#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The system's disks as the SD writer sees them: drive letters D: to O:,
// their type codes and physical drive numbers, mounted file systems.
//
// Sources (each can point at a fixture for tests):
//   QUELLIX_DRIVE_D .. QUELLIX_DRIVE_O  a device or an image file for that letter
// and on Linux:
//   QUELLIX_SYS_BLOCK  instead of /sys/block
//   QUELLIX_MOUNTS     instead of /proc/self/mounts
//   QUELLIX_UMOUNT     the program that unmounts one device (default: udisksctl, then umount)
// On Windows a letter is the system's own drive letter, its physical drive
// \\.\PhysicalDriveN; the card's volumes are locked and dismounted when the
// card is opened for writing, so nothing is unmounted beforehand.
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

// What tells one disk (or image file) from another beyond its name. Taken
// when the drive list is made and compared again just before and after the
// disk is opened: disk names and physical numbers follow the disks present,
// so a disk plugged in or removed meanwhile gives a name to another disk.
struct DiskIdentity {
    QString device; // the path that is opened
    QString number; // "8:16" (major:minor) for a device, "file 2049:1234" (device:inode) for a file
    qint64 size = -1;
    QString vendor, model, serial;
    bool removable = false;
    bool system = false; // holds the running system
    QString bus;         // "USB", "SD" ...; where the system names it
    bool present() const { return !number.isEmpty(); }
};
// The disk or file at the path as it is now; not present() when there is none.
DiskIdentity IdentityOf(const QString &path);
// The same for what an open descriptor reaches.
DiskIdentity IdentityOfOpen(int fd, const QString &path);
// Why `now` is no longer the disk `chosen` was, or no longer one that may be
// written (it stopped being removable, or the system runs from it); empty
// when it still is.
QString DiskChange(const DiskIdentity &chosen, const DiskIdentity &now);
// Device, size, vendor and model, removable or not: one line each.
QString Describe(const DiskIdentity &disk);

struct Letter {
    int type = 1;           // Support::DriveTypeCode; 1 = no drive
    QString volume;         // what the letter opens
    QString physicalDevice; // the whole disk (or the image file) behind it
    int physicalNumber = 0;
    DiskIdentity volumeId;   // of `volume`
    DiskIdentity physicalId; // of `physicalDevice`
};
// letter "D" to "O" (upper or lower case).
Letter LetterInfo(const QString &letter);
// All twelve letters D: to O: from one look at the system's disks.
QList<Letter> Letters();

// The device or file of physical drive n; empty when there is none or n is 0.
QString PhysicalDriveDevice(int n);

struct Mount {
    QString source;
    QString mountPoint;
};
QList<Mount> MountTable();
// File systems mounted from the device, its partitions or the volumes built on them.
QList<Mount> MountsOn(const QString &device);
// Unmounts every file system MountsOn(device) lists, each by its source
// device; one that another file system covers is left alone. False with
// *error set (which partition, where, why) when one is still mounted.
bool UnmountAll(const QString &device, QString *error);

} // namespace Drives
