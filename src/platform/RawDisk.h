#pragma once

#include <QByteArray>
#include <QString>

#include <cerrno>
#include <cstddef>

// Whole disks, volumes and image files opened for sector access. A handle is
// a C runtime file descriptor on every system; failures leave an errno value
// in errno (the system's own codes are mapped to them).
namespace RawDisk
{

// No medium in the drive (no card in the reader).
#ifdef ENOMEDIUM
inline constexpr int NoMedium = ENOMEDIUM;
#else
inline constexpr int NoMedium = ENXIO;
#endif

// exclusive: the device is ours alone while open (no mounted file system on
// it, no other program). *otherRefusal says why a second way of opening (a
// system service that grants rights) refused too; empty when none was tried.
// The handle, or -1.
int Open(const QString &path, bool write, bool exclusive, QString *otherRefusal);
// A handle of our own on a file the file door opened (Files::NewFile's
// handle); the door's handle stays open. The handle, or -1.
int Adopt(qintptr systemHandle);
void Close(int handle);

// Positioned transfers; the bytes moved (0 at the end), or -1.
qint64 ReadAt(int handle, char *data, qint64 bytes, qint64 position);
qint64 WriteAt(int handle, const char *data, qint64 bytes, qint64 position);
// Bytes on the disk or in the file; 0 when unknown.
qint64 Size(int handle);
// Image files only.
bool Resize(int handle, qint64 bytes);
bool Flush(int handle);
// Lets the system begin writing out what was written so far.
void StartWriteback(int handle);

bool IsDevice(int handle);
// The path names a disk or volume rather than a file (or a terminal).
bool IsDevicePath(const QString &path);

// While it lives, reads come from the device, not from the system's cache.
class UncachedReads
{
public:
    explicit UncachedReads(int handle);
    ~UncachedReads();
    UncachedReads(const UncachedReads &) = delete;
    UncachedReads &operator=(const UncachedReads &) = delete;
    // After a failed read: true when reading again through the cache may work.
    bool FallBack();

private:
    int handle_;
    int oldFlags_ = -1;
    bool direct_ = false;
};

// Memory aligned for uncached transfers, released with AlignedFree.
char *AlignedAlloc(std::size_t alignment, std::size_t bytes);
void AlignedFree(char *p);

} // namespace RawDisk
