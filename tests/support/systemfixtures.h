#pragma once

#include <QString>

// What a test needs the system to do that only some systems can: each has
// its own implementation (systemfixtures_posix.cpp, systemfixtures_windows.cpp).

// Makes a FIFO at the path; false where the system has none.
bool MakeFifo(const QString &path);
// A second name for an existing file.
bool MakeHardLink(const QString &existing, const QString &link);
// False where the system or the user may not make one.
bool MakeSymbolicLink(const QString &target, const QString &link);
// A node of the null device of our own (replacing it would harm nothing of
// the system); false where the user may not make one or the system has none.
bool MakeNullDeviceNode(const QString &path);
// Sets a variable of the process's environment to any text, seen by
// qEnvironmentVariable and by child processes; empty text removes it. (On
// Windows the narrow setter would pass it through the 8-bit code page, and
// Wine's C runtime keeps it from the wide view.)
void SetEnvironmentText(const char *name, const QString &value);
// The drive list reads a stand-in /sys/block and mount table (Linux's way of
// telling disks); elsewhere the list is the system's own.
bool StandInDiskList();
// The system refuses to open a serial port a second time while it is open
// (Windows does, Wine does not).
bool SerialPortsExclusive();
// The system's device that swallows what is written to it.
QString NullDevice();
// A device that reads without end; empty where the system has none.
QString EndlessDevice();

// While it lives, the folder refuses new files to this user where the system
// lets a test arrange that (root included, through the immutable flag).
class FolderRefusingNewFiles
{
public:
    explicit FolderRefusingNewFiles(const QString &folder);
    ~FolderRefusingNewFiles();
    FolderRefusingNewFiles(const FolderRefusingNewFiles &) = delete;
    FolderRefusingNewFiles &operator=(const FolderRefusingNewFiles &) = delete;

private:
    QString folder_;
    int fd_ = -1;
    int flags_ = 0;
    bool immutable_ = false;
};

// While it lives, the process may not make files larger than `bytes`; a
// write past it fails instead of ending the process.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(long long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;
    // False where the system has no such limit.
    bool Active() const { return active_; }

private:
    bool active_ = false;
    unsigned long long old_ = 0;
    void (*oldHandler_)(int) = nullptr;
};
