#include "platform/Process.h"

#include <QByteArray>
#include <QtGlobal>

#include <sys/stat.h>
#include <unistd.h>

namespace Process
{

void PrepareHeadless()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Without a desktop session Qt would warn about the missing runtime
    // folder on every run; give it a private one instead.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray runtime = "/tmp/runtime-" + QByteArray::number(uint(::getuid()));
        ::mkdir(runtime.constData(), 0700);
        qputenv("XDG_RUNTIME_DIR", runtime);
    }
}

bool IsTerminal(std::FILE *stream)
{
    return ::isatty(::fileno(stream)) != 0;
}

} // namespace Process
