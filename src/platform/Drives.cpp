#include "platform/Drives.h"

#include "platform/Support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>

#include <sys/stat.h>
#include <sys/sysmacros.h>

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

// Block name of a mount source such as "/dev/sda1" or "/dev/mapper/root".
QString blockNameOfSource(const QString &source)
{
    if (!source.startsWith(QLatin1String("/dev/")))
        return {};
    QString path = source;
    const QFileInfo fi(source);
    if (!fixtureMode() && fi.exists())
        path = fi.canonicalFilePath();
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
        const QString key = QFileInfo(path).absoluteFilePath();
        if (std::none_of(out.begin(), out.end(), [&](const auto &p) { return p.first == key; }))
            out.append({key, next++});
    }
    return out;
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

Letter LetterInfo(const QString &letterText)
{
    Letter info;
    if (letterText.size() != 1)
        return info;
    const QChar l = letterText[0].toUpper();
    if (l < QLatin1Char('D') || l > QLatin1Char('O'))
        return info;

    const QList<Disk> disks = SystemDisks();
    const QString named = namedPath(l);
    if (!named.isEmpty()) {
        if (!QFileInfo::exists(named))
            return info;
        info.type = Support::DriveRemovable;
        info.volume = named;
        const NamedEntry e = namedEntry(named);
        if (!e.diskName.isEmpty()) {
            for (const Disk &d : disks) {
                if (d.name == e.diskName) {
                    info.physicalDevice = d.device;
                    info.physicalNumber = d.physicalNumber;
                }
            }
        } else {
            const QString key = QFileInfo(named).absoluteFilePath();
            for (const auto &p : namedPhysicalNumbers(disks)) {
                if (p.first == key) {
                    info.physicalDevice = named;
                    info.physicalNumber = p.second;
                }
            }
        }
        return info;
    }

    // Letters not named explicitly take the system's disks in turn, removable
    // ones first so that a card gets the first free letter.
    int slot = 0;
    for (QChar c = QLatin1Char('D'); c < l; c = QChar(c.unicode() + 1)) {
        if (namedPath(c).isEmpty())
            ++slot;
    }
    QList<Disk> ordered = disks;
    std::stable_sort(ordered.begin(), ordered.end(), [](const Disk &a, const Disk &b) {
        return (a.type == Support::DriveRemovable) > (b.type == Support::DriveRemovable);
    });
    if (slot < ordered.size()) {
        const Disk &d = ordered[slot];
        info.type = d.type;
        info.volume = d.device;
        info.physicalDevice = d.device;
        info.physicalNumber = d.physicalNumber;
    }
    return info;
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
        // An image file: the loop devices that serve it.
        const QString abs = QFileInfo(device).absoluteFilePath();
        for (const QString &top : subdirs(sysBlock())) {
            if (top.startsWith(QLatin1String("loop")) &&
                readLine(sysBlock() + QLatin1Char('/') + top + QStringLiteral("/loop/backing_file")) == abs)
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
    QString said;
    // Deepest mounts first, so that nested mounts come off before their parents.
    std::sort(mounts.begin(), mounts.end(),
              [](const Mount &a, const Mount &b) { return a.mountPoint.size() > b.mountPoint.size(); });
    for (const Mount &m : mounts) {
        if (!custom.isEmpty()) {
            said = runUnmount(custom, {m.source});
            continue;
        }
        if (!udisks.isEmpty())
            said = runUnmount(udisks, {QStringLiteral("unmount"), QStringLiteral("--no-user-interaction"),
                                       QStringLiteral("-b"), m.source});
        const QList<Mount> now = MountTable();
        const bool stillThere = std::any_of(now.cbegin(), now.cend(), [&](const Mount &x) {
            return x.source == m.source && x.mountPoint == m.mountPoint;
        });
        if (stillThere && !umount.isEmpty())
            said = runUnmount(umount, {m.mountPoint});
    }
    const QList<Mount> left = MountsOn(device);
    if (left.isEmpty())
        return true;
    if (error) {
        *error =
            QStringLiteral("%1 is mounted on %2 and could not be unmounted.").arg(left[0].source, left[0].mountPoint);
        if (!said.isEmpty())
            *error += QStringLiteral("\r\n") + said.section(QLatin1Char('\n'), 0, 0);
    }
    return false;
}

} // namespace Drives
