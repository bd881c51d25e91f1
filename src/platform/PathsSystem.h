#pragma once

#include <QString>

// The system's own place for the working folder.
namespace Paths::System
{

QString DefaultWorkingFolder();
// The working folder named by QUELLIX_HOME (tests, portable use); empty when
// not named. Read from the process's environment as the system holds it now.
QString NamedWorkingFolder();
// Why the usual place was not taken, once; else empty.
QString TakeNotice();

} // namespace Paths::System
