#pragma once

#include <QString>

// The system's own place for the working folder.
namespace Paths::System
{

QString DefaultWorkingFolder();
// Why the usual place was not taken, once; else empty.
QString TakeNotice();

} // namespace Paths::System
