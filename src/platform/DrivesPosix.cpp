#include "platform/Drives.h"

#include "platform/Support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>

#include <fcntl.h>
#include <linux/loop.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>

namespace Drives
{

namespace
{

QString sysBlock()
{
    const QString s = qEnvironmentVariable("QUELLIX_SYS_BLOCK");
    return s.isEmpty() ? QStringLiteral("/sys/block") : s;
}

bool fixtureMode()
{
    return qEnvironmentVariableIsSet("QUELLIX_SYS_BLOCK") || qEnvironmentVariableIsSet("QUELLIX_MOUNTS");
}

QString readLine(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(f.readLine()).trimmed();
}

// The path with every link resolved; for a path that is not there, cleaned.
QString resolvedPath(const QString &path)
{
    if (path.isEmpty())
        return {};
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(QFileInfo(path).absoluteFilePath()) : canonical;
}

QStringList subdirs(const QString &path)
{
    return QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
}

bool skippedName(const QString &name)
{
    // Loop, device-mapper and RAID volumes are no disks; the boot and
    // replay-protected areas of built-in flash are no disks of their own.
    return name.startsWith(QLatin1String("loop")) || name.startsWith(QLatin1String("dm-")) ||
           name.startsWith(QLatin1String("md")) ||
           (name.startsWith(QLatin1String("mmcblk")) &&
            (name.contains(QLatin1String("boot")) || name.contains(QLatin1String("rpmb"))));
}

int diskType(const QString &name)
{
    if (name.startsWith(QLatin1String("sr")))
        return Support::DriveCdRom;
    if (name.startsWith(QLatin1String("ram")) || name.startsWith(QLatin1String("zram")))
        return Support::DriveRamDisk;
    if (name.startsWith(QLatin1String("nbd")))
        return Support::DriveRemote;
    if (readLine(sysBlock() + QLatin1Char('/') + name + QStringLiteral("/removable")) == QLatin1String("1"))
        return Support::DriveRemovable;
    // A card in a built-in reader shows as a fixed mmc disk, but it is a
    // card; built-in flash (type "MMC") is a fixed disk.
    if (name.startsWith(QLatin1String("mmcblk")))
        return readLine(sysBlock() + QLatin1Char('/') + name + QStringLiteral("/device/type")) == QLatin1String("MMC")
                   ? Support::DriveFixed
                   : Support::DriveRemovable;
    return Support::DriveFixed;
}

QStringList partitionsOf(const QString &disk)
{
    QStringList parts;
    const QString base = sysBlock() + QLatin1Char('/') + disk;
    for (const QString &sub : subdirs(base)) {
        if (sub.startsWith(disk) && QFileInfo::exists(base + QLatin1Char('/') + sub + QStringLiteral("/partition")))
            parts.append(sub);
    }
    return parts;
}

// The top-level block entry holding a block name: itself, or the disk of a partition.
QString topLevelOf(const QString &name)
{
    const QString root = sysBlock();
    if (QFileInfo(root + QLatin1Char('/') + name).isDir())
        return name;
    for (const QString &top : subdirs(root)) {
        if (QFileInfo(root + QLatin1Char('/') + top + QLatin1Char('/') + name).isDir())
            return top;
    }
    return {};
}

QString entryPath(const QString &name)
{
    const QString top = topLevelOf(name);
    if (top.isEmpty())
        return {};
    return top == name ? sysBlock() + QLatin1Char('/') + name
                       : sysBlock() + QLatin1Char('/') + top + QLatin1Char('/') + name;
}

// Whole disks under a block name, through device-mapper and RAID slaves.
void disksUnder(const QString &name, QSet<QString> &out, int depth = 0)
{
    if (depth > 8 || name.isEmpty())
        return;
    const QString top = topLevelOf(name);
    if (top.isEmpty())
        return;
    const QStringList slaves = subdirs(sysBlock() + QLatin1Char('/') + top + QStringLiteral("/slaves"));
    if (!slaves.isEmpty()) {
        for (const QString &s : slaves)
            disksUnder(s, out, depth + 1);
        return;
    }
    out.insert(top);
}

QString blockNameOfDev(dev_t dev);

// Block name of a mount source such as "/dev/sda1" or "/dev/mapper/root".
QString blockNameOfSource(const QString &source)
{
    if (!source.startsWith(QLatin1String("/dev/")))
        return {};
    QString path = source;
    const QFileInfo fi(source);
    if (!fixtureMode() && fi.exists()) {
        // The device number names the device whatever link led to it.
        struct stat st {
        };
        if (::stat(QFile::encodeName(source).constData(), &st) == 0 && S_ISBLK(st.st_mode)) {
            const QString name = blockNameOfDev(st.st_rdev);
            if (!name.isEmpty())
                return name;
        }
        path = fi.canonicalFilePath();
    }
    if (path.startsWith(QLatin1String("/dev/mapper/"))) {
        const QString mapped = path.mid(12);
        for (const QString &top : subdirs(sysBlock())) {
            if (readLine(sysBlock() + QLatin1Char('/') + top + QStringLiteral("/dm/name")) == mapped)
                return top;
        }
        return {};
    }
    return QFileInfo(path).fileName();
}

// Block name with the given "major:minor", searched among disks and partitions.
QString blockNameOfDev(dev_t dev)
{
    const QString want = QStringLiteral("%1:%2").arg(major(dev)).arg(minor(dev));
    const QString root = sysBlock();
    for (const QString &top : subdirs(root)) {
        if (readLine(root + QLatin1Char('/') + top + QStringLiteral("/dev")) == want)
            return top;
        for (const QString &sub : subdirs(root + QLatin1Char('/') + top)) {
            if (sub.startsWith(top) &&
                readLine(root + QLatin1Char('/') + top + QLatin1Char('/') + sub + QStringLiteral("/dev")) == want)
                return sub;
        }
    }
    return {};
}

bool isSystemFolder(const QString &mountPoint)
{
    if (mountPoint == QLatin1String("/"))
        return true;
    static const char *const folders[] = {"/boot", "/usr", "/var",  "/home", "/etc",   "/opt", "/srv",
                                          "/root", "/bin", "/sbin", "/lib",  "/lib64", "/tmp"};
    for (const char *f : folders) {
        const QLatin1String folder(f);
        if (mountPoint == folder || mountPoint.startsWith(folder + QLatin1Char('/')))
            return true;
    }
    return false;
}

QSet<QString> systemDiskNames()
{
    QSet<QString> names;
    for (const Mount &m : MountTable()) {
        if (isSystemFolder(m.mountPoint))
            disksUnder(blockNameOfSource(m.source), names);
    }
    if (!fixtureMode()) {
        struct stat st {
        };
        if (::stat("/", &st) == 0)
            disksUnder(blockNameOfDev(st.st_dev), names);
        QFile swaps(QStringLiteral("/proc/swaps"));
        if (swaps.open(QIODevice::ReadOnly)) {
            swaps.readLine();
            while (!swaps.atEnd()) {
                const QString line = QString::fromLocal8Bit(swaps.readLine()).trimmed();
                const QString source = line.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
                disksUnder(blockNameOfSource(source), names);
            }
        }
    }
    return names;
}

// Undo the octal escapes of the mount table ("\040" for a space).
QString unescapeMount(const QByteArray &field)
{
    QByteArray out;
    for (int i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const QByteArray oct = field.mid(i + 1, 3);
            bool ok = false;
            const int v = oct.toInt(&ok, 8);
            if (ok && oct.size() == 3) {
                out.append(char(v));
                i += 3;
                continue;
            }
        }
        out.append(field[i]);
    }
    return QString::fromLocal8Bit(out);
}

struct NamedEntry {
    QString path;
    bool blockDevice = false;
    QString diskName; // when the path is a disk or partition known to the system
};

NamedEntry namedEntry(const QString &path)
{
    NamedEntry e;
    e.path = path;
    struct stat st {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISBLK(st.st_mode)) {
        e.blockDevice = true;
        const QString name = blockNameOfDev(st.st_rdev);
        e.diskName = name.isEmpty() ? QString() : topLevelOf(name);
    }
    return e;
}

QString namedPath(QChar letter)
{
    return qEnvironmentVariable(qPrintable(QStringLiteral("QUELLIX_DRIVE_%1").arg(letter)));
}

// Physical numbers of the named devices that are not disks of the system
// (image files, mostly), after the disks, in letter order.
QList<QPair<QString, int>> namedPhysicalNumbers(const QList<Disk> &disks)
{
    int next = 1;
    for (const Disk &d : disks)
        next = std::max(next, d.physicalNumber + 1);
    QList<QPair<QString, int>> out;
    for (QChar c = QLatin1Char('D'); c <= QLatin1Char('O'); c = QChar(c.unicode() + 1)) {
        const QString path = namedPath(c);
        if (path.isEmpty() || !QFileInfo::exists(path))
            continue;
        const NamedEntry e = namedEntry(path);
        if (!e.diskName.isEmpty())
            continue;
        // Two names of one file are one card.
        const QString key = QFileInfo(path).canonicalFilePath();
        if (std::none_of(out.begin(), out.end(), [&](const auto &p) { return p.first == key; }))
            out.append({key, next++});
    }
    return out;
}

QString devNumber(dev_t dev)
{
    return QStringLiteral("%1:%2").arg(major(dev)).arg(minor(dev));
}

// Size, vendor, model and serial of a disk or partition from /sys/block.
void fillFromSys(const QString &name, const QSet<QString> &systemNames, DiskIdentity *id)
{
    const QString entry = entryPath(name);
    const QString top = topLevelOf(name);
    if (entry.isEmpty() || top.isEmpty())
        return;
    bool ok = false;
    const qint64 sectors = readLine(entry + QStringLiteral("/size")).toLongLong(&ok);
    if (ok)
        id->size = sectors * 512;
    const QString device = sysBlock() + QLatin1Char('/') + top + QStringLiteral("/device/");
    id->vendor = readLine(device + QStringLiteral("vendor"));
    id->model = readLine(device + QStringLiteral("model"));
    if (id->model.isEmpty())
        id->model = readLine(device + QStringLiteral("name")); // cards
    id->serial = readLine(device + QStringLiteral("serial"));
    id->removable = diskType(top) == Support::DriveRemovable;
    id->system = systemNames.contains(top);
}

// A disk of a /sys/block fixture has no device node: it is known by its name.
bool fixtureDisk(const QString &path, QString *name)
{
    if (!fixtureMode() || !path.startsWith(QLatin1String("/dev/")))
        return false;
    *name = QFileInfo(path).fileName();
    return !topLevelOf(*name).isEmpty();
}

DiskIdentity identityFromStat(const QString &path, const struct stat &st, const QSet<QString> &systemNames)
{
    DiskIdentity id;
    id.device = path;
    if (S_ISBLK(st.st_mode)) {
        id.number = devNumber(st.st_rdev);
        const QString name = blockNameOfDev(st.st_rdev);
        if (!name.isEmpty())
            fillFromSys(name, systemNames, &id);
    } else if (S_ISREG(st.st_mode)) {
        id.number = QStringLiteral("file %1:%2").arg(quint64(st.st_dev)).arg(quint64(st.st_ino));
        id.size = qint64(st.st_size);
        id.removable = true; // an image file stands for a card
    }
    return id;
}

DiskIdentity identityOf(const QString &path, const QSet<QString> &systemNames)
{
    DiskIdentity id;
    id.device = path;
    if (path.isEmpty())
        return id;
    QString name;
    if (fixtureDisk(path, &name)) {
        const QString number = readLine(entryPath(name) + QStringLiteral("/dev"));
        id.number = number.isEmpty() ? QStringLiteral("sys ") + name : number;
        fillFromSys(name, systemNames, &id);
        return id;
    }
    struct stat st {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return id;
    return identityFromStat(path, st, systemNames);
}

} // namespace

QList<Disk> SystemDisks()
{
    const QSet<QString> system = systemDiskNames();
    QList<Disk> disks;
    int number = 1;
    for (const QString &name : subdirs(sysBlock())) {
        if (skippedName(name))
            continue;
        Disk d;
        d.name = name;
        d.device = QStringLiteral("/dev/") + name;
        d.type = diskType(name);
        d.system = system.contains(name);
        d.physicalNumber = d.system ? 0 : number++;
        d.partitions = partitionsOf(name);
        disks.append(d);
    }
    return disks;
}

DiskIdentity IdentityOf(const QString &path)
{
    return identityOf(path, systemDiskNames());
}

DiskIdentity IdentityOfOpen(int fd, const QString &path)
{
    struct stat st {
    };
    if (fd < 0 || ::fstat(fd, &st) != 0)
        return DiskIdentity{path, {}, -1, {}, {}, {}, false, false, {}};
    return identityFromStat(path, st, systemDiskNames());
}

QList<Letter> Letters()
{
    const QList<Disk> disks = SystemDisks();
    const QSet<QString> systemNames = systemDiskNames();
    const QList<QPair<QString, int>> named = namedPhysicalNumbers(disks);
    // Letters not named explicitly take the system's disks in turn, removable
    // ones first so that a card gets the first free letter.
    QList<Disk> ordered = disks;
    std::stable_sort(ordered.begin(), ordered.end(), [](const Disk &a, const Disk &b) {
        return (a.type == Support::DriveRemovable) > (b.type == Support::DriveRemovable);
    });
    QList<Letter> letters;
    int slot = 0;
    for (QChar l = QLatin1Char('D'); l <= QLatin1Char('O'); l = QChar(l.unicode() + 1)) {
        Letter info;
        const QString path = namedPath(l);
        if (!path.isEmpty()) {
            if (QFileInfo::exists(path)) {
                info.type = Support::DriveRemovable;
                info.volume = path;
                const NamedEntry e = namedEntry(path);
                if (!e.diskName.isEmpty()) {
                    for (const Disk &d : disks) {
                        if (d.name == e.diskName) {
                            info.physicalDevice = d.device;
                            info.physicalNumber = d.physicalNumber;
                        }
                    }
                } else {
                    const QString key = QFileInfo(path).canonicalFilePath();
                    for (const auto &p : named) {
                        if (p.first == key) {
                            info.physicalDevice = path;
                            info.physicalNumber = p.second;
                        }
                    }
                }
            }
        } else if (slot < ordered.size()) {
            const Disk &d = ordered[slot++];
            info.type = d.type;
            info.volume = d.device;
            info.physicalDevice = d.device;
            info.physicalNumber = d.physicalNumber;
        } else {
            ++slot;
        }
        if (!info.volume.isEmpty())
            info.volumeId = identityOf(info.volume, systemNames);
        if (!info.physicalDevice.isEmpty())
            info.physicalId =
                info.physicalDevice == info.volume ? info.volumeId : identityOf(info.physicalDevice, systemNames);
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

QList<Mount> MountTable()
{
    QString path = qEnvironmentVariable("QUELLIX_MOUNTS");
    if (path.isEmpty())
        path = QStringLiteral("/proc/self/mounts");
    QList<Mount> mounts;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return mounts;
    const QList<QByteArray> lines = f.readAll().split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 2 || fields[0].isEmpty())
            continue;
        mounts.append({unescapeMount(fields[0]), unescapeMount(fields[1])});
    }
    return mounts;
}

namespace
{
// Whether /dev/<loop> is backed by the file `image` describes.
bool loopServes(const QString &loop, const struct stat &image)
{
    const int fd =
        ::open(QFile::encodeName(QStringLiteral("/dev/") + loop).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    loop_info64 info{};
    const bool ok = ::ioctl(fd, LOOP_GET_STATUS64, &info) == 0;
    ::close(fd);
    return ok && info.lo_device == quint64(image.st_dev) && info.lo_inode == quint64(image.st_ino);
}
} // namespace

QList<Mount> MountsOn(const QString &device)
{
    // Every block name whose file system would live on the device.
    QSet<QString> names;
    QStringList todo;
    const NamedEntry e = namedEntry(device);
    if (e.blockDevice) {
        struct stat st {
        };
        ::stat(QFile::encodeName(device).constData(), &st);
        todo.append(blockNameOfDev(st.st_rdev));
    } else if (device.startsWith(QLatin1String("/dev/"))) {
        todo.append(QFileInfo(device).fileName());
    } else {
        // An image file: the loop devices that serve it. The kernel names
        // the backing file by the path it was set up with, which may be
        // another hard link of the same file: the loop device also tells
        // the file's device and inode, where we may ask it.
        const QString file = resolvedPath(device);
        struct stat image {
        };
        const bool known = ::stat(QFile::encodeName(device).constData(), &image) == 0;
        for (const QString &top : subdirs(sysBlock())) {
            if (!top.startsWith(QLatin1String("loop")))
                continue;
            if (resolvedPath(readLine(sysBlock() + QLatin1Char('/') + top + QStringLiteral("/loop/backing_file"))) ==
                    file ||
                (known && loopServes(top, image)))
                todo.append(top);
        }
    }
    while (!todo.isEmpty()) {
        const QString name = todo.takeFirst();
        if (name.isEmpty() || names.contains(name))
            continue;
        names.insert(name);
        if (topLevelOf(name) == name)
            todo.append(partitionsOf(name));
        const QString entry = entryPath(name);
        if (!entry.isEmpty())
            todo.append(subdirs(entry + QStringLiteral("/holders")));
    }
    QList<Mount> out;
    for (const Mount &m : MountTable()) {
        const QString name = blockNameOfSource(m.source);
        if ((!name.isEmpty() && names.contains(name)) || m.source == device)
            out.append(m);
    }
    return out;
}

namespace
{
QString runUnmount(const QString &program, const QStringList &args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished(1000);
        return program + QStringLiteral(": no answer");
    }
    return QString::fromLocal8Bit(p.readAll()).trimmed();
}
} // namespace

bool UnmountAll(const QString &device, QString *error)
{
    QList<Mount> mounts = MountsOn(device);
    if (mounts.isEmpty())
        return true;
    const QString custom = qEnvironmentVariable("QUELLIX_UMOUNT");
    const QString udisks = QStandardPaths::findExecutable(QStringLiteral("udisksctl"));
    const QString umount = QStandardPaths::findExecutable(QStringLiteral("umount"));
    auto stillMounted = [](const Mount &m) {
        const QList<Mount> now = MountTable();
        return std::any_of(now.cbegin(), now.cend(),
                           [&](const Mount &x) { return x.source == m.source && x.mountPoint == m.mountPoint; });
    };
    // Another file system mounted later at the same place covers this one;
    // an unmount program given either name could take that one off instead.
    auto coveredBy = [](const Mount &m) {
        const QList<Mount> now = MountTable();
        bool seen = false;
        for (const Mount &x : now) {
            if (x.source == m.source && x.mountPoint == m.mountPoint)
                seen = true;
            else if (seen && x.mountPoint == m.mountPoint)
                return x.source;
        }
        return QString();
    };
    QHash<QString, QString> why; // by mount point
    // Deepest mounts first, so that nested mounts come off before their parents.
    std::sort(mounts.begin(), mounts.end(),
              [](const Mount &a, const Mount &b) { return a.mountPoint.size() > b.mountPoint.size(); });
    for (const Mount &m : mounts) {
        const QString cover = coveredBy(m);
        if (!cover.isEmpty()) {
            why[m.mountPoint] = QStringLiteral("%1 is mounted over it there; unmount that first.").arg(cover);
            continue;
        }
        // Always by the source device: never a mount point.
        QString said;
        if (!custom.isEmpty()) {
            said = runUnmount(custom, {m.source});
        } else {
            if (!udisks.isEmpty())
                said = runUnmount(udisks, {QStringLiteral("unmount"), QStringLiteral("--no-user-interaction"),
                                           QStringLiteral("-b"), m.source});
            if (stillMounted(m) && !umount.isEmpty() && coveredBy(m).isEmpty())
                said = runUnmount(umount, {m.source});
            if (udisks.isEmpty() && umount.isEmpty())
                said = QStringLiteral("neither udisksctl nor umount is installed");
        }
        why[m.mountPoint] = said.section(QLatin1Char('\n'), 0, 0);
    }
    const QList<Mount> left = MountsOn(device);
    if (left.isEmpty())
        return true;
    if (error) {
        const Mount &m = left[0];
        *error = QStringLiteral("%1 is mounted on %2 and could not be unmounted.").arg(m.source, m.mountPoint);
        const QString reason = why.value(m.mountPoint);
        if (!reason.isEmpty())
            *error += QStringLiteral("\r\n") + reason;
    }
    return false;
}

} // namespace Drives
