#include "app/cli_commands.h"

int RunSdImageCommand(const QStringList &)
{
    std::fputs("quellix sd-image: not available yet\n", stderr);
    return 2;
}

int RunSdVerifyCommand(const QStringList &)
{
    std::fputs("quellix sd-verify: not available yet\n", stderr);
    return 2;
}
