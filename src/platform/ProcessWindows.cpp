#include "platform/Process.h"

#include <QtGlobal>

#include <io.h>

namespace Process
{

void PrepareHeadless()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

bool IsTerminal(std::FILE *stream)
{
    return _isatty(_fileno(stream)) != 0;
}

} // namespace Process
