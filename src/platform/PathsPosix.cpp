#include "platform/PathsSystem.h"

#include <QDir>

namespace Paths::System
{

QString DefaultWorkingFolder()
{
    return QDir::homePath() + QStringLiteral("/ZAV Quellix Touch");
}

QString NamedWorkingFolder()
{
    return qEnvironmentVariable("QUELLIX_HOME");
}

QString TakeNotice()
{
    return {};
}

} // namespace Paths::System
