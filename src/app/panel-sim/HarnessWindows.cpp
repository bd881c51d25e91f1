#include "Harness.h"

bool ServeHarness(const QString &, QString *error)
{
    *error = QStringLiteral("the harness needs pseudo-terminals, which Windows has not");
    return false;
}

void StopHarness() {}
