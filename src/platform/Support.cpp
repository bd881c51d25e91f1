#include "platform/Support.h"

#include "platform/Drives.h"

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

void DriveType(const QString &letter, DriveInfo *info)
{
    *info = DriveInfo{};
    const Drives::Letter l = Drives::LetterInfo(letter);
    info->driveType = l.type;
    info->device = l.volume;
}

} // namespace Support
