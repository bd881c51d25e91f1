#include "platform/RawDisk.h"

#include "platform/WindowsErrors.h"

#include <QHash>
#include <QList>
#include <QMutex>

#include <algorithm>
#include <cstdlib>

#include <fcntl.h>
#include <io.h>
#include <malloc.h>
#include <windows.h>
#include <winioctl.h>

namespace RawDisk
{

namespace
{

// Devices take whole sectors at sector boundaries only.
constexpr qint64 Sector = 512;

struct Opened {
    bool device = false;
    QList<HANDLE> lockedVolumes; // held until the handle is closed
};

QMutex openedLock;
QHash<int, Opened> opened;

HANDLE handleOf(int fd)
{
    return fd < 0 ? INVALID_HANDLE_VALUE : reinterpret_cast<HANDLE>(_get_osfhandle(fd));
}

const wchar_t *wide(const QString &s)
{
    return reinterpret_cast<const wchar_t *>(s.utf16());
}

int fail(DWORD error = GetLastError())
{
    errno = ErrnoOf(error);
    return -1;
}

bool lockAndDismount(HANDLE volume)
{
    DWORD returned = 0;
    // A file still open on the volume keeps the lock from being taken for a moment.
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (DeviceIoControl(volume, FSCTL_LOCK_VOLUME, nullptr, 0, nullptr, 0, &returned, nullptr))
            return DeviceIoControl(volume, FSCTL_DISMOUNT_VOLUME, nullptr, 0, nullptr, 0, &returned, nullptr);
        Sleep(100);
    }
    return false;
}

// Every volume with a drive letter that lies on physical drive `disk`, locked
// and dismounted; false (with the volumes released) when one refuses.
bool lockVolumesOf(DWORD disk, QList<HANDLE> *locked)
{
    const DWORD letters = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(letters & (1u << i)))
            continue;
        const QString volume = QStringLiteral("\\\\.\\%1:").arg(QChar(u'A' + i));
        const HANDLE h = CreateFileW(wide(volume), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            continue;
        STORAGE_DEVICE_NUMBER number{};
        DWORD returned = 0;
        const bool onDisk = DeviceIoControl(h, IOCTL_STORAGE_GET_DEVICE_NUMBER, nullptr, 0, &number, sizeof number,
                                            &returned, nullptr) &&
                            number.DeviceType == FILE_DEVICE_DISK && number.DeviceNumber == disk;
        if (!onDisk) {
            CloseHandle(h);
            continue;
        }
        if (!lockAndDismount(h)) {
            const DWORD error = GetLastError();
            CloseHandle(h);
            for (HANDLE v : *locked)
                CloseHandle(v);
            locked->clear();
            SetLastError(error == ERROR_SUCCESS ? ERROR_BUSY : error);
            return false;
        }
        locked->append(h);
    }
    return true;
}

} // namespace

int Open(const QString &path, bool write, bool exclusive, QString *otherRefusal)
{
    otherRefusal->clear();
    const bool device = IsDevicePath(path);
    const QString native = QString(path).replace(QLatin1Char('/'), QLatin1Char('\\'));
    const DWORD access = GENERIC_READ | (write ? GENERIC_WRITE : 0);
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | (device ? 0 : FILE_SHARE_DELETE);
    Opened info;
    info.device = device;
    // The card's file systems go out of the way before it is written: the
    // system refuses raw writes into a mounted volume.
    if (device && write && exclusive) {
        const HANDLE probe =
            CreateFileW(wide(native), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (probe == INVALID_HANDLE_VALUE)
            return fail();
        STORAGE_DEVICE_NUMBER number{};
        DWORD returned = 0;
        const bool known = DeviceIoControl(probe, IOCTL_STORAGE_GET_DEVICE_NUMBER, nullptr, 0, &number, sizeof number,
                                           &returned, nullptr);
        CloseHandle(probe);
        if (known && !lockVolumesOf(number.DeviceNumber, &info.lockedVolumes))
            return fail();
    }
    const HANDLE h = CreateFileW(wide(native), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        for (HANDLE v : info.lockedVolumes)
            CloseHandle(v);
        return fail(error);
    }
    if (!device && GetFileType(h) != FILE_TYPE_DISK) {
        CloseHandle(h);
        return fail(ERROR_ACCESS_DENIED);
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_BINARY | (write ? 0 : _O_RDONLY));
    if (fd < 0) {
        CloseHandle(h);
        for (HANDLE v : info.lockedVolumes)
            CloseHandle(v);
        errno = EMFILE;
        return -1;
    }
    QMutexLocker locker(&openedLock);
    opened.insert(fd, info);
    return fd;
}

int Adopt(qintptr systemHandle)
{
    HANDLE own = INVALID_HANDLE_VALUE;
    const HANDLE process = GetCurrentProcess();
    if (!DuplicateHandle(process, reinterpret_cast<HANDLE>(systemHandle), process, &own, 0, FALSE,
                         DUPLICATE_SAME_ACCESS))
        return fail();
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(own), _O_BINARY);
    if (fd < 0) {
        CloseHandle(own);
        errno = EMFILE;
        return -1;
    }
    QMutexLocker locker(&openedLock);
    opened.insert(fd, Opened{});
    return fd;
}

void Close(int handle)
{
    if (handle < 0)
        return;
    Opened info;
    {
        QMutexLocker locker(&openedLock);
        info = opened.take(handle);
    }
    _close(handle);
    // Closing a volume's handle unlocks it; the system mounts it again when asked.
    for (HANDLE v : info.lockedVolumes)
        CloseHandle(v);
}

namespace
{

qint64 transfer(HANDLE h, bool write, char *data, qint64 bytes, qint64 position)
{
    OVERLAPPED at{};
    at.Offset = DWORD(quint64(position) & 0xFFFFFFFFu);
    at.OffsetHigh = DWORD(quint64(position) >> 32);
    DWORD moved = 0;
    const DWORD ask = DWORD(std::min<qint64>(bytes, 1 << 30));
    const BOOL ok = write ? WriteFile(h, data, ask, &moved, &at) : ReadFile(h, data, ask, &moved, &at);
    if (!ok) {
        const DWORD error = GetLastError();
        if (!write && error == ERROR_HANDLE_EOF)
            return 0;
        return fail(error);
    }
    return qint64(moved);
}

} // namespace

qint64 ReadAt(int handle, char *data, qint64 bytes, qint64 position)
{
    const HANDLE h = handleOf(handle);
    if (!IsDevice(handle) || (position % Sector == 0 && bytes % Sector == 0))
        return transfer(h, false, data, bytes, position);
    // A span that does not start or end on a sector goes through whole sectors.
    const qint64 start = position / Sector * Sector;
    const qint64 length = (position + bytes + Sector - 1) / Sector * Sector - start;
    QByteArray sectors(length, Qt::Uninitialized);
    const qint64 got = transfer(h, false, sectors.data(), length, start);
    if (got <= position - start)
        return got < 0 ? -1 : 0;
    const qint64 useful = std::min(bytes, got - (position - start));
    std::copy_n(sectors.constData() + (position - start), useful, data);
    return useful;
}

qint64 WriteAt(int handle, const char *data, qint64 bytes, qint64 position)
{
    return transfer(handleOf(handle), true, const_cast<char *>(data), bytes, position);
}

qint64 Size(int handle)
{
    const HANDLE h = handleOf(handle);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    if (IsDevice(handle)) {
        GET_LENGTH_INFORMATION length{};
        DWORD returned = 0;
        if (DeviceIoControl(h, IOCTL_DISK_GET_LENGTH_INFO, nullptr, 0, &length, sizeof length, &returned, nullptr))
            return qint64(length.Length.QuadPart);
        return 0;
    }
    LARGE_INTEGER size{};
    return GetFileSizeEx(h, &size) ? qint64(size.QuadPart) : 0;
}

bool Resize(int handle, qint64 bytes)
{
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile.QuadPart = bytes;
    if (SetFileInformationByHandle(handleOf(handle), FileEndOfFileInfo, &end, sizeof end))
        return true;
    fail();
    return false;
}

bool Flush(int handle)
{
    if (FlushFileBuffers(handleOf(handle)))
        return true;
    fail();
    return false;
}

void StartWriteback(int)
{
    // The system writes a disk opened for sector access through at once.
}

bool IsDevice(int handle)
{
    QMutexLocker locker(&openedLock);
    return opened.value(handle).device;
}

bool IsDevicePath(const QString &path)
{
    return path.startsWith(QLatin1String("\\\\.\\")) || path.startsWith(QLatin1String("//./"));
}

// Sector reads of a disk bypass the file cache already.
UncachedReads::UncachedReads(int handle) : handle_(handle) {}

UncachedReads::~UncachedReads() = default;

bool UncachedReads::FallBack()
{
    return false;
}

char *AlignedAlloc(std::size_t alignment, std::size_t bytes)
{
    return static_cast<char *>(_aligned_malloc(bytes, alignment));
}

void AlignedFree(char *p)
{
    _aligned_free(p);
}

} // namespace RawDisk
