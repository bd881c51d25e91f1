#include "platform/Drives.h"

namespace Drives
{

namespace
{

QString sizeText(qint64 bytes)
{
    const double gb = double(bytes) / 1e9;
    if (gb >= 1)
        return QStringLiteral("%1 GB (%2 bytes)").arg(gb, 0, 'f', 1).arg(bytes);
    return QStringLiteral("%1 MB (%2 bytes)").arg(double(bytes) / 1e6, 0, 'f', 1).arg(bytes);
}

} // namespace

QString DiskChange(const DiskIdentity &chosen, const DiskIdentity &now)
{
    if (!now.present())
        return QStringLiteral("%1 is no longer there.").arg(chosen.device);
    if (now.number != chosen.number || now.size != chosen.size || now.vendor != chosen.vendor ||
        now.model != chosen.model || now.serial != chosen.serial || now.bus != chosen.bus)
        return QStringLiteral("%1 is now another disk.").arg(chosen.device);
    if (chosen.removable && !now.removable)
        return QStringLiteral("%1 is no longer removable.").arg(chosen.device);
    if (now.system)
        return QStringLiteral("%1 now holds the running system.").arg(chosen.device);
    return {};
}

QString Describe(const DiskIdentity &disk)
{
    QStringList lines{disk.device};
    if (disk.size >= 0)
        lines << sizeText(disk.size);
    const QString name = QStringList{disk.vendor, disk.model}.join(QLatin1Char(' ')).simplified();
    if (!name.isEmpty())
        lines << (disk.serial.isEmpty() ? name : name + QStringLiteral(", serial ") + disk.serial);
    if (disk.number.startsWith(QLatin1String("file ")))
        lines << QStringLiteral("image file");
    else if (disk.bus.isEmpty())
        lines << (disk.removable ? QStringLiteral("removable") : QStringLiteral("not removable"));
    else
        lines << (disk.removable ? QStringLiteral("removable, ") : QStringLiteral("not removable, ")) + disk.bus;
    if (disk.system)
        lines << QStringLiteral("holds the running system");
    return lines.join(QLatin1Char('\n'));
}

} // namespace Drives
