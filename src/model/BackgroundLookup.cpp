#include "model/BackgroundLookup.h"

#include "model/modVantile.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Support.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace
{

// The file name after the last separator of either system.
QString storedFileName(const QString &stored)
{
    const qsizetype cut = std::max(stored.lastIndexOf(QLatin1Char('/')), stored.lastIndexOf(QLatin1Char('\\')));
    return stored.mid(cut + 1);
}

// A file of that name in the folder, as the folder spells it; the exact
// spelling wins over others that differ only in case. (A file system that
// ignores case would answer for the stored spelling too.)
QString findInFolder(const QString &folder, const QString &name)
{
    if (folder.isEmpty() || name.isEmpty())
        return {};
    const QDir dir(folder);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    if (entries.contains(name))
        return dir.filePath(name);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return {};
}

QString whereText(BackgroundFile::Where where)
{
    switch (where) {
    case BackgroundFile::Where::BmpLibrary:
        return QStringLiteral("found in the BMP Library");
    case BackgroundFile::Where::ProjectFolder:
        return QStringLiteral("found in the project folder");
    default:
        return {};
    }
}

} // namespace

BackgroundFile LocateBackground(const QString &stored, const modVantile &m)
{
    const QString name = storedFileName(stored);
    // A bare name (kept for a picture whose folder a project file cannot
    // spell) is always looked up, never taken from the current folder.
    if (name != stored && Support::PathExists(stored) != 0)
        return {stored, BackgroundFile::Where::AsStored};
    const QString library = findInFolder(Paths::BmpLibraryFolder(), name);
    if (!library.isEmpty())
        return {library, BackgroundFile::Where::BmpLibrary};
    if (m.ProjectFileName != modVantile::NoFileName && !m.ProjectFileName.isEmpty()) {
        const QString own = findInFolder(QFileInfo(m.ProjectFileName).absolutePath(), name);
        if (!own.isEmpty())
            return {own, BackgroundFile::Where::ProjectFolder};
    }
    return {stored, BackgroundFile::Where::Missing};
}

void AddProjectInputs(Files::InputScope &scope, const modVantile &m, bool withProjectFile)
{
    if (withProjectFile && m.ProjectFileName != modVantile::NoFileName)
        scope.Add(m.ProjectFileName, QStringLiteral("the project file"));
    for (int s = 0; s < modVantile::ScreenCount; ++s) {
        const QString &stored = m.ScreenBackground[size_t(s)];
        if (IsColorBackground(stored) || stored.isEmpty())
            continue;
        const BackgroundFile file = LocateBackground(stored, m);
        if (file.found())
            scope.Add(file.path, QStringLiteral("the background picture of screen %1").arg(s, 2, 10, QLatin1Char('0')));
    }
}

QString BackgroundFoundText(const BackgroundFile &file)
{
    if (!file.substituted())
        return {};
    return QFileInfo(file.path).fileName() + QStringLiteral(", ") + whereText(file.where);
}

QStringList BackgroundSubstitutions(const modVantile &m)
{
    QStringList lines;
    for (int s = 0; s < modVantile::ScreenCount; ++s) {
        const QString &stored = m.ScreenBackground[size_t(s)];
        if (IsColorBackground(stored))
            continue;
        const BackgroundFile file = LocateBackground(stored, m);
        if (!file.substituted())
            continue;
        const QString screen =
            s == 0 ? QStringLiteral("Home") : QStringLiteral("Screen %1").arg(s, 2, 10, QLatin1Char('0'));
        lines.append(QStringLiteral("%1: using %2 for %3 (%4)").arg(screen, file.path, stored, whereText(file.where)));
    }
    return lines;
}
