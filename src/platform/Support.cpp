#include "platform/Support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace Support
{

int16_t PathExists(const QString &path)
{
    if (path.isEmpty())
        return 0;
    return QFileInfo::exists(path) ? 1 : 0;
}

namespace
{
QElapsedTimer &stopwatch()
{
    static QElapsedTimer timer;
    return timer;
}
} // namespace

void StartStopwatch()
{
    stopwatch().start();
}

int32_t ElapsedMilliseconds()
{
    if (!stopwatch().isValid())
        StartStopwatch();
    return int32_t(std::min<qint64>(stopwatch().elapsed(), INT32_MAX));
}

namespace
{

QString readLine(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(f.readLine()).trimmed();
}

struct SystemDisk {
    QString name;
    int type;
};

int diskType(const QString &sysBlock, const QString &name)
{
    if (name.startsWith(QLatin1String("sr")))
        return DriveCdRom;
    if (name.startsWith(QLatin1String("ram")) || name.startsWith(QLatin1String("zram")))
        return DriveRamDisk;
    if (name.startsWith(QLatin1String("nbd")))
        return DriveRemote;
    if (readLine(sysBlock + QLatin1Char('/') + name + QStringLiteral("/removable")) == QLatin1String("1"))
        return DriveRemovable;
    // A card in a built-in reader shows as a fixed mmc disk, but it is a card.
    if (name.startsWith(QLatin1String("mmcblk")))
        return DriveRemovable;
    return DriveFixed;
}

// Whole disks of the system, removable ones first so that a card gets the
// first free letter; loop devices and device-mapper volumes are left out.
QList<SystemDisk> systemDisks()
{
    QString sysBlock = qEnvironmentVariable("QUELLIX_SYS_BLOCK");
    if (sysBlock.isEmpty())
        sysBlock = QStringLiteral("/sys/block");
    QList<SystemDisk> disks;
    const QStringList names = QDir(sysBlock).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
    for (const QString &name : names) {
        if (name.startsWith(QLatin1String("loop")) || name.startsWith(QLatin1String("dm-")) ||
            name.startsWith(QLatin1String("md")))
            continue;
        disks.append({name, diskType(sysBlock, name)});
    }
    std::stable_sort(disks.begin(), disks.end(), [](const SystemDisk &a, const SystemDisk &b) {
        return (a.type == DriveRemovable) > (b.type == DriveRemovable);
    });
    return disks;
}

} // namespace

void DriveType(const QString &letter, DriveInfo *info)
{
    *info = DriveInfo{};
    if (letter.size() != 1)
        return;
    const QChar l = letter[0].toUpper();
    if (l < QLatin1Char('D') || l > QLatin1Char('O'))
        return;

    const QString named = qEnvironmentVariable(qPrintable(QStringLiteral("QUELLIX_DRIVE_%1").arg(l)));
    if (!named.isEmpty()) {
        if (QFileInfo::exists(named)) {
            info->driveType = DriveRemovable;
            info->device = named;
        }
        return;
    }

    // Letters not named explicitly take the system's disks in turn.
    int slot = 0;
    for (QChar c = QLatin1Char('D'); c < l; c = QChar(c.unicode() + 1)) {
        if (qEnvironmentVariableIsEmpty(qPrintable(QStringLiteral("QUELLIX_DRIVE_%1").arg(c))))
            ++slot;
    }
    const QList<SystemDisk> disks = systemDisks();
    if (slot < disks.size()) {
        info->driveType = disks[slot].type;
        info->device = QStringLiteral("/dev/") + disks[slot].name;
    }
}

} // namespace Support
