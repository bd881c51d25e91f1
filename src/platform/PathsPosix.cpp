#include "platform/PathsSystem.h"

#include <QDir>

namespace Paths::System
{

QString DefaultWorkingFolder()
{
    return QDir::homePath() + QStringLiteral("/ZAV Quellix Touch");
}

QString TakeNotice()
{
    return {};
}

} // namespace Paths::System
