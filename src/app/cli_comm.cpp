#include "app/cli_commands.h"

int RunDownloadCommand(const QStringList &)
{
    std::fputs("quellix download: not available yet\n", stderr);
    return 2;
}

int RunFirmwareCommand(const QStringList &)
{
    std::fputs("quellix firmware: not available yet\n", stderr);
    return 2;
}
