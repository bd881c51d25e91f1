#include "platform/PathsSystem.h"

#include <QDir>
#include <QMutex>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <string>
#include <utility>

#include <windows.h>

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

QString NamedWorkingFolder()
{
    // The system's own block, not the C runtime's copy of it: a change made
    // while the program runs is seen whichever way it was made.
    const DWORD size = GetEnvironmentVariableW(L"QUELLIX_HOME", nullptr, 0);
    if (size == 0)
        return {};
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(L"QUELLIX_HOME", value.data(), size);
    return length < size ? QString::fromWCharArray(value.data(), int(length)) : QString();
}

QString TakeNotice()
{
    QMutexLocker locker(&lock);
    return std::exchange(notice, QString());
}

} // namespace Paths::System
