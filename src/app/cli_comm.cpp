// quellix download / quellix firmware: the communications dialog's two
// operations on the terminal, with the dialog's outcomes and texts.
#include "app/cli_commands.h"

#include "comm/PanelProtocol.h"
#include "comm/SerialLine.h"
#include "model/modVantile.h"

#include <cstdio>
#include <unistd.h>

namespace
{

// Exit codes: one per outcome, the same for both commands.
constexpr int ExitComplete = 0;
constexpr int ExitProjectUnreadable = 2;
constexpr int ExitInvalidPort = 3;
constexpr int ExitCommFault = 4;
constexpr int ExitChecksumFault = 5;
constexpr int ExitNotRequired = 6;

const char *const DownloadUsage = "Usage: quellix download PROJECT.QXC --port DEVICE\n"
                                  "\n"
                                  "Downloads the project's configuration to a panel in configuration mode.\n"
                                  "DEVICE is a serial device path or COM1 to COM8.\n"
                                  "\n"
                                  "Exit codes: 0 Download Complete, 2 project file unreadable, 3 Invalid COM Port.,\n"
                                  "4 Comm Fault, 5 Download Failed (checksum), 6 not required for ZAV Cmd, 64 usage.\n";

const char *const FirmwareUsage = "Usage: quellix firmware --port DEVICE\n"
                                  "\n"
                                  "Prints the firmware revision of a panel in configuration mode.\n"
                                  "DEVICE is a serial device path or COM1 to COM8.\n"
                                  "\n"
                                  "Exit codes: 0 revision printed, 3 Invalid COM Port., 4 Comm Fault, 64 usage.\n";

struct Arguments {
    QString project;
    QString port;
    bool help = false;
    QString error;
};

Arguments parse(const QStringList &args, bool wantsProject)
{
    Arguments a;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            a.help = true;
        } else if (arg == QLatin1String("--port")) {
            if (i + 1 >= args.size()) {
                a.error = QStringLiteral("--port needs a device");
                return a;
            }
            a.port = args[++i];
        } else if (arg.startsWith(QLatin1String("--port="))) {
            a.port = arg.mid(7);
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            a.error = QStringLiteral("unknown option '%1'").arg(arg);
            return a;
        } else if (wantsProject && a.project.isEmpty()) {
            a.project = arg;
        } else {
            a.error = QStringLiteral("unexpected argument '%1'").arg(arg);
            return a;
        }
    }
    if (a.help)
        return a;
    if (wantsProject && a.project.isEmpty())
        a.error = QStringLiteral("no project file given");
    else if (a.port.isEmpty())
        a.error = QStringLiteral("no port given (--port DEVICE)");
    return a;
}

// The boxes' texts on the terminal: one line each.
void printBox(std::FILE *to, const CommMessages::Box &box)
{
    QString text = box.text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    std::fprintf(to, "%s\n", qPrintable(text));
}

class TerminalProgress
{
public:
    TerminalProgress() : live_(isatty(STDERR_FILENO) != 0) {}
    void Show(int block)
    {
        constexpr int Width = 40;
        const int done = (block * Width) / 257;
        if (live_) {
            std::fprintf(stderr, "\rDownloading [%-*s] block %3d of 258", Width, QByteArray(done, '#').constData(),
                         block + 1);
        } else if (block % 32 == 0 || block == 257) {
            std::fprintf(stderr, "Downloading block %d of 258\n", block + 1);
        }
        std::fflush(stderr);
        shown_ = true;
    }
    void End()
    {
        if (live_ && shown_)
            std::fputs("\n", stderr);
        shown_ = false;
    }

private:
    bool live_;
    bool shown_ = false;
};

} // namespace

int RunDownloadCommand(const QStringList &args)
{
    const Arguments a = parse(args, true);
    if (a.help) {
        std::fputs(DownloadUsage, stdout);
        return 0;
    }
    if (!a.error.isEmpty()) {
        std::fprintf(stderr, "quellix download: %s\n\n%s", qPrintable(a.error), DownloadUsage);
        return ExitUsage;
    }

    modVantile m;
    m.ProjectFileName = a.project;
    QString error;
    if (!m.LoadProject(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error.replace(QLatin1String("\r\n"), QLatin1String("\n"))));
        return ExitProjectUnreadable;
    }
    if (m.GetCommandSet() == 2) {
        printBox(stderr, CommMessages::NotRequiredForZav());
        return ExitNotRequired;
    }

    SerialLine line;
    if (!line.Open(ComPorts::ResolvePortName(a.port))) {
        printBox(stderr, CommMessages::InvalidPort(line.RightsAdvice()));
        return ExitInvalidPort;
    }
    PanelExchange exchange(line);
    TerminalProgress progress;
    const DownloadResult result = SendConfiguration(m, exchange, [&](int block) { progress.Show(block); });
    line.Close();
    progress.End();
    switch (result) {
    case DownloadResult::Complete:
        printBox(stdout, CommMessages::DownloadComplete());
        return ExitComplete;
    case DownloadResult::CommFault:
        printBox(stderr, CommMessages::CommFault());
        return ExitCommFault;
    case DownloadResult::ChecksumFault:
        printBox(stderr, CommMessages::ChecksumFault());
        return ExitChecksumFault;
    }
    return ExitCommFault;
}

int RunFirmwareCommand(const QStringList &args)
{
    const Arguments a = parse(args, false);
    if (a.help) {
        std::fputs(FirmwareUsage, stdout);
        return 0;
    }
    if (!a.error.isEmpty()) {
        std::fprintf(stderr, "quellix firmware: %s\n\n%s", qPrintable(a.error), FirmwareUsage);
        return ExitUsage;
    }
    SerialLine line;
    if (!line.Open(ComPorts::ResolvePortName(a.port))) {
        printBox(stderr, CommMessages::InvalidPort(line.RightsAdvice()));
        return ExitInvalidPort;
    }
    PanelExchange exchange(line);
    exchange.QXComPrg("[04]", PanelExchange::FirmwareAnswerLength);
    line.Close();
    if (exchange.ComFault) {
        printBox(stderr, CommMessages::CommFault());
        return ExitCommFault;
    }
    std::fprintf(stdout, "%s\n", qPrintable(FirmwareRevisionText(exchange.ComReply)));
    return ExitComplete;
}
