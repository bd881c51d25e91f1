#include "app/cli_commands.h"

int RunRenderCommand(const QStringList &)
{
    std::fputs("quellix render: not available yet\n", stderr);
    return 2;
}
