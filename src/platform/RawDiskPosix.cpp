#include "platform/RawDisk.h"

#include "platform/UdisksOpen.h"

#include <QFile>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace RawDisk
{

int Open(const QString &path, bool write, bool exclusive, QString *otherRefusal)
{
    otherRefusal->clear();
    int flags = (write ? O_RDWR : O_RDONLY) | O_CLOEXEC;
    const QByteArray native = QFile::encodeName(path);
    struct stat st {
    };
    // O_EXCL claims a block device for us alone: it fails while a file
    // system on it is mounted or another program holds it.
    const bool claim = exclusive && ::stat(native.constData(), &st) == 0 && S_ISBLK(st.st_mode);
    if (claim)
        flags |= O_EXCL;
    // QUELLIX_RAW_OPEN=udisks goes to udisks2 straight away, as a user
    // without rights on the device would.
    const bool direct = qEnvironmentVariable("QUELLIX_RAW_OPEN") != QLatin1String("udisks");
    int fd = -1;
    int error = EACCES;
    if (direct) {
        do
            fd = ::open(native.constData(), flags);
        while (fd < 0 && errno == EINTR);
        error = errno;
    }
    if (fd < 0 && (error == EACCES || error == EPERM)) {
        // Without rights of our own, the system may grant them (udisks2 asks polkit).
        QString refused;
        fd = Udisks::OpenDevice(path, write, claim, &refused);
        if (fd < 0)
            *otherRefusal = refused.isEmpty() ? QStringLiteral("no reason given") : refused;
    }
    if (fd < 0)
        errno = error;
    return fd;
}

int Adopt(qintptr systemHandle)
{
    return ::fcntl(int(systemHandle), F_DUPFD_CLOEXEC, 0);
}

void Close(int handle)
{
    if (handle >= 0)
        ::close(handle);
}

qint64 ReadAt(int handle, char *data, qint64 bytes, qint64 position)
{
    ssize_t n;
    do
        n = ::pread(handle, data, size_t(bytes), off_t(position));
    while (n < 0 && errno == EINTR);
    return n;
}

qint64 WriteAt(int handle, const char *data, qint64 bytes, qint64 position)
{
    ssize_t n;
    do
        n = ::pwrite(handle, data, size_t(bytes), off_t(position));
    while (n < 0 && errno == EINTR);
    return n;
}

qint64 Size(int handle)
{
    struct stat st {
    };
    if (handle < 0 || ::fstat(handle, &st) != 0)
        return 0;
    if (S_ISBLK(st.st_mode)) {
        uint64_t size = 0;
        if (::ioctl(handle, BLKGETSIZE64, &size) == 0)
            return qint64(size);
        const off_t end = ::lseek(handle, 0, SEEK_END);
        return end < 0 ? 0 : qint64(end);
    }
    return qint64(st.st_size);
}

bool Resize(int handle, qint64 bytes)
{
    return ::ftruncate(handle, off_t(bytes)) == 0;
}

bool Flush(int handle)
{
    return ::fsync(handle) == 0;
}

void StartWriteback(int handle)
{
    ::sync_file_range(handle, 0, 0, SYNC_FILE_RANGE_WRITE);
}

bool IsDevice(int handle)
{
    struct stat st {
    };
    return handle >= 0 && ::fstat(handle, &st) == 0 && S_ISBLK(st.st_mode);
}

bool IsDevicePath(const QString &path)
{
    struct stat st {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) == 0)
        return S_ISBLK(st.st_mode);
    return path.startsWith(QLatin1String("/dev/"));
}

namespace
{

void dropCache(int handle)
{
    ::ioctl(handle, BLKFLSBUF, 0);
    ::posix_fadvise(handle, 0, 0, POSIX_FADV_DONTNEED);
}

} // namespace

// Direct reads where the device allows them, else its cached pages dropped first.
UncachedReads::UncachedReads(int handle) : handle_(handle)
{
    if (!IsDevice(handle))
        return;
    oldFlags_ = ::fcntl(handle, F_GETFL);
    direct_ = oldFlags_ >= 0 && ::fcntl(handle, F_SETFL, oldFlags_ | O_DIRECT) == 0;
    if (!direct_)
        dropCache(handle);
}

UncachedReads::~UncachedReads()
{
    if (direct_)
        ::fcntl(handle_, F_SETFL, oldFlags_);
}

bool UncachedReads::FallBack()
{
    // The device does not take direct reads of this size.
    if (!direct_ || errno != EINVAL)
        return false;
    ::fcntl(handle_, F_SETFL, oldFlags_);
    direct_ = false;
    dropCache(handle_);
    return true;
}

char *AlignedAlloc(std::size_t alignment, std::size_t bytes)
{
    return static_cast<char *>(std::aligned_alloc(alignment, bytes));
}

void AlignedFree(char *p)
{
    std::free(p);
}

} // namespace RawDisk
