#include "platform/Drives.h"

#include "platform/RawDisk.h"
#include "platform/Support.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

#include <io.h>
#include <windows.h>
#include <winioctl.h>

namespace Drives
{

namespace
{

constexpr int MaxPhysicalDrives = 32;

const wchar_t *wide(const QString &s)
{
    return reinterpret_cast<const wchar_t *>(s.utf16());
}

QString physicalDevice(DWORD n)
{
    return QStringLiteral("\\\\.\\PhysicalDrive%1").arg(n);
}

// A handle for queries only; reading the length needs read access where it is granted.
HANDLE openForQuery(const QString &device)
{
    HANDLE h =
        CreateFileW(wide(device), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        h = CreateFileW(wide(device), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    return h;
}

bool deviceNumber(HANDLE h, STORAGE_DEVICE_NUMBER *number)
{
    DWORD returned = 0;
    return DeviceIoControl(h, IOCTL_STORAGE_GET_DEVICE_NUMBER, nullptr, 0, number, sizeof *number, &returned,
                           nullptr) &&
           number->DeviceType == FILE_DEVICE_DISK;
}

// The physical drive a volume ("X:") lies on, or -1.
int diskOfVolume(const QString &volume)
{
    const HANDLE h = openForQuery(volume);
    if (h == INVALID_HANDLE_VALUE)
        return -1;
    STORAGE_DEVICE_NUMBER number{};
    const bool found = deviceNumber(h, &number);
    CloseHandle(h);
    return found ? int(number.DeviceNumber) : -1;
}

// The disk holding the system folder.
int systemDisk()
{
    wchar_t folder[MAX_PATH] = {};
    if (GetWindowsDirectoryW(folder, MAX_PATH) < 2)
        return -1;
    return diskOfVolume(QStringLiteral("\\\\.\\") + QString::fromWCharArray(folder, 2));
}

QString descriptorText(const QByteArray &buffer, DWORD offset)
{
    if (offset == 0 || offset >= DWORD(buffer.size()))
        return {};
    const char *text = buffer.constData() + offset;
    return QString::fromLatin1(text, qstrnlen(text, size_t(buffer.size() - offset))).trimmed();
}

QString busName(STORAGE_BUS_TYPE bus)
{
    switch (bus) {
    case BusTypeUsb:
        return QStringLiteral("USB");
    case BusTypeSd:
        return QStringLiteral("SD");
    case BusTypeMmc:
        return QStringLiteral("MMC");
    case BusTypeAta:
        return QStringLiteral("ATA");
    case BusTypeSata:
        return QStringLiteral("SATA");
    case BusTypeScsi:
        return QStringLiteral("SCSI");
    case BusTypeNvme:
        return QStringLiteral("NVMe");
    case BusType1394:
        return QStringLiteral("FireWire");
    default:
        return QStringLiteral("bus %1").arg(int(bus));
    }
}

// Number, size, vendor, model, serial, bus and removability of a disk or
// volume handle from the storage driver.
void fillFromDevice(HANDLE h, int system, DiskIdentity *id)
{
    STORAGE_DEVICE_NUMBER number{};
    if (!deviceNumber(h, &number))
        return;
    id->number = number.PartitionNumber > 0 && id->device.startsWith(QLatin1String("\\\\.\\"), Qt::CaseInsensitive) &&
                         !id->device.contains(QLatin1String("PhysicalDrive"), Qt::CaseInsensitive)
                     ? QStringLiteral("disk %1 partition %2").arg(number.DeviceNumber).arg(number.PartitionNumber)
                     : QStringLiteral("disk %1").arg(number.DeviceNumber);
    id->system = int(number.DeviceNumber) == system;
    DWORD returned = 0;
    GET_LENGTH_INFORMATION length{};
    if (DeviceIoControl(h, IOCTL_DISK_GET_LENGTH_INFO, nullptr, 0, &length, sizeof length, &returned, nullptr))
        id->size = qint64(length.Length.QuadPart);
    STORAGE_PROPERTY_QUERY query{};
    query.PropertyId = StorageDeviceProperty;
    query.QueryType = PropertyStandardQuery;
    QByteArray buffer(4096, '\0');
    if (DeviceIoControl(h, IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof query, buffer.data(), DWORD(buffer.size()),
                        &returned, nullptr) &&
        returned >= sizeof(STORAGE_DEVICE_DESCRIPTOR)) {
        buffer.truncate(returned);
        const auto *d = reinterpret_cast<const STORAGE_DEVICE_DESCRIPTOR *>(buffer.constData());
        id->vendor = descriptorText(buffer, d->VendorIdOffset);
        id->model = descriptorText(buffer, d->ProductIdOffset);
        id->serial = descriptorText(buffer, d->SerialNumberOffset);
        id->removable =
            d->RemovableMedia || d->BusType == BusTypeUsb || d->BusType == BusTypeSd || d->BusType == BusTypeMmc;
        id->bus = busName(d->BusType);
    }
}

DiskIdentity identityOfHandle(HANDLE h, const QString &path, bool device, int system)
{
    DiskIdentity id;
    id.device = path;
    if (device) {
        fillFromDevice(h, system, &id);
        return id;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(h, &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return id;
    const quint64 index = (quint64(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    id.number = QStringLiteral("file %1:%2").arg(quint64(info.dwVolumeSerialNumber)).arg(index);
    id.size = qint64((quint64(info.nFileSizeHigh) << 32) | info.nFileSizeLow);
    id.removable = true; // an image file stands for a card
    return id;
}

DiskIdentity identityOf(const QString &path, int system)
{
    DiskIdentity id;
    id.device = path;
    if (path.isEmpty())
        return id;
    const bool device = RawDisk::IsDevicePath(path);
    const HANDLE h = device ? openForQuery(path)
                            : CreateFileW(wide(QDir::toNativeSeparators(path)), 0,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return id;
    id = identityOfHandle(h, path, device, system);
    CloseHandle(h);
    return id;
}

QString namedPath(QChar letter)
{
    return qEnvironmentVariable(qPrintable(QStringLiteral("QUELLIX_DRIVE_%1").arg(letter)));
}

// The same file under two names gives one key.
QString fileKey(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(QFileInfo(path).absoluteFilePath()) : canonical;
}

// Physical numbers of the named image files, after the disks, in letter order.
QList<QPair<QString, int>> namedPhysicalNumbers(const QList<Disk> &disks)
{
    int next = 1;
    for (const Disk &d : disks)
        next = std::max(next, d.physicalNumber + 1);
    QList<QPair<QString, int>> out;
    for (QChar c = QLatin1Char('D'); c <= QLatin1Char('O'); c = QChar(c.unicode() + 1)) {
        const QString path = namedPath(c);
        if (path.isEmpty() || RawDisk::IsDevicePath(path) || !QFileInfo::exists(path))
            continue;
        const QString key = fileKey(path);
        if (std::none_of(out.begin(), out.end(), [&](const auto &p) { return p.first == key; }))
            out.append({key, next++});
    }
    return out;
}

} // namespace

QList<Disk> SystemDisks()
{
    const int system = systemDisk();
    QList<Disk> disks;
    for (int n = 0; n < MaxPhysicalDrives; ++n) {
        const QString device = physicalDevice(DWORD(n));
        const HANDLE h = openForQuery(device);
        if (h == INVALID_HANDLE_VALUE)
            continue;
        DiskIdentity id;
        id.device = device;
        fillFromDevice(h, system, &id);
        CloseHandle(h);
        Disk d;
        d.name = QStringLiteral("PhysicalDrive%1").arg(n);
        d.device = device;
        d.type = id.removable ? Support::DriveRemovable : Support::DriveFixed;
        d.system = n == system;
        // The writer refuses physical drive 0: the system's disk takes that number.
        d.physicalNumber = d.system ? 0 : n;
        disks.append(d);
    }
    return disks;
}

DiskIdentity IdentityOf(const QString &path)
{
    return identityOf(path, systemDisk());
}

DiskIdentity IdentityOfOpen(int fd, const QString &path)
{
    const HANDLE h = fd < 0 ? INVALID_HANDLE_VALUE : reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    if (h == INVALID_HANDLE_VALUE)
        return DiskIdentity{path, {}, -1, {}, {}, {}, false, false, {}};
    return identityOfHandle(h, path, RawDisk::IsDevice(fd), systemDisk());
}

QList<Letter> Letters()
{
    const int system = systemDisk();
    const QList<Disk> disks = SystemDisks();
    const QList<QPair<QString, int>> named = namedPhysicalNumbers(disks);
    const DWORD present = GetLogicalDrives();
    QList<Letter> letters;
    for (QChar l = QLatin1Char('D'); l <= QLatin1Char('O'); l = QChar(l.unicode() + 1)) {
        Letter info;
        const QString path = namedPath(l);
        if (!path.isEmpty()) {
            if (QFileInfo::exists(path) || RawDisk::IsDevicePath(path)) {
                info.type = Support::DriveRemovable;
                info.volume = path;
                if (RawDisk::IsDevicePath(path)) {
                    const int disk = diskOfVolume(path);
                    if (disk >= 0) {
                        info.physicalDevice = physicalDevice(DWORD(disk));
                        info.physicalNumber = disk == system ? 0 : disk;
                    }
                } else {
                    const QString key = fileKey(path);
                    for (const auto &p : named) {
                        if (p.first == key) {
                            info.physicalDevice = path;
                            info.physicalNumber = p.second;
                        }
                    }
                }
            }
        } else if (present & (1u << (l.unicode() - 'A'))) {
            const QString root = QString(l) + QStringLiteral(":\\");
            info.type = int(GetDriveTypeW(wide(root)));
            if (info.type < Support::DriveRemovable || info.type > Support::DriveRamDisk)
                info.type = Support::DriveNone;
            if (info.type != Support::DriveNone) {
                info.volume = QStringLiteral("\\\\.\\") + l + QLatin1Char(':');
                const int disk = diskOfVolume(info.volume);
                if (disk >= 0) {
                    info.physicalDevice = physicalDevice(DWORD(disk));
                    info.physicalNumber = disk == system ? 0 : disk;
                    // A card reader on USB may call its card a fixed disk.
                    const DiskIdentity whole = identityOf(info.physicalDevice, system);
                    if (info.type == Support::DriveFixed && whole.removable && disk != system)
                        info.type = Support::DriveRemovable;
                }
                // The system's own disk is never offered for writing.
                if (disk == system && info.type == Support::DriveRemovable)
                    info.type = Support::DriveFixed;
            }
        }
        if (!info.volume.isEmpty())
            info.volumeId = identityOf(info.volume, system);
        if (!info.physicalDevice.isEmpty())
            info.physicalId =
                info.physicalDevice == info.volume ? info.volumeId : identityOf(info.physicalDevice, system);
        letters.append(info);
    }
    return letters;
}

Letter LetterInfo(const QString &letterText)
{
    if (letterText.size() != 1)
        return {};
    const QChar l = letterText[0].toUpper();
    if (l < QLatin1Char('D') || l > QLatin1Char('O'))
        return {};
    return Letters().at(l.unicode() - 'D');
}

QString PhysicalDriveDevice(int n)
{
    if (n <= 0)
        return {};
    const QList<Disk> disks = SystemDisks();
    for (const Disk &d : disks) {
        if (d.physicalNumber == n)
            return d.device;
    }
    for (const auto &p : namedPhysicalNumbers(disks)) {
        if (p.second == n)
            return p.first;
    }
    return {};
}

// Volumes are locked and dismounted when the card is opened for writing.
QList<Mount> MountTable()
{
    return {};
}

QList<Mount> MountsOn(const QString &)
{
    return {};
}

bool UnmountAll(const QString &, QString *)
{
    return true;
}

} // namespace Drives
