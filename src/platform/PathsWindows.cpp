#include "platform/PathsSystem.h"

#include <QDir>
#include <QMutex>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <utility>

namespace Paths::System
{

namespace
{

QMutex lock;
QString chosen;
QString notice;

bool writable(const QString &folder)
{
    if (!QDir().mkpath(folder))
        return false;
    QTemporaryFile probe(folder + QStringLiteral("/probe-XXXXXX"));
    return probe.open();
}

} // namespace

// Where existing users keep their settings, projects and pictures.
QString DefaultWorkingFolder()
{
    QMutexLocker locker(&lock);
    if (chosen.isEmpty()) {
        const QString usual = QStringLiteral("C:/ZAV Quellix Touch");
        if (writable(usual)) {
            chosen = usual;
        } else {
            chosen = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                     QStringLiteral("/ZAV Quellix Touch");
            notice = QStringLiteral("The folder %1 cannot be made or written; settings, projects and pictures are "
                                    "kept in %2 instead.")
                         .arg(QDir::toNativeSeparators(usual), QDir::toNativeSeparators(chosen));
        }
    }
    return chosen;
}

QString TakeNotice()
{
    QMutexLocker locker(&lock);
    return std::exchange(notice, QString());
}

} // namespace Paths::System
