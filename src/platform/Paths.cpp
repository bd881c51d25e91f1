#include "platform/Paths.h"

#include "platform/PathsSystem.h"

#include <QDir>
#include <QFileInfo>

namespace Paths
{

QString WorkingFolder()
{
    const QString home = System::NamedWorkingFolder();
    if (!home.isEmpty())
        return QDir::cleanPath(home);
    return QDir::cleanPath(System::DefaultWorkingFolder());
}

QString SettingsFile()
{
    return WorkingFolder() + QStringLiteral("/ZAV Quellix Touch.ini");
}

QString ScreenPreviewFolder()
{
    return WorkingFolder() + QStringLiteral("/Screen Preview");
}

QString SdPictureFolder()
{
    return WorkingFolder() + QStringLiteral("/SDCardGraphics/BMPImages");
}

QString BmpLibraryFolder()
{
    const QFileInfo working(WorkingFolder());
    return QDir::cleanPath(working.absolutePath() + QStringLiteral("/ZAV Quellix Touch Screen/BMP Library"));
}

QString TakeNotice()
{
    WorkingFolder();
    return System::TakeNotice();
}

} // namespace Paths
