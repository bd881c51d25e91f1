#include "platform/Process.h"

#include <QByteArray>
#include <QtGlobal>

#include <fcntl.h>
#include <io.h>

namespace Process
{

void PrepareHeadless()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Lines end in LF as on every system: what the tool prints is the same
    // bytes everywhere, and files made from it (a map's CSV) too.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

bool IsTerminal(std::FILE *stream)
{
    return _isatty(_fileno(stream)) != 0;
}

} // namespace Process
