// quellix download / quellix firmware: the communications dialog's two
// operations on the terminal, with the dialog's outcomes and texts.
#include "app/cli_commands.h"
#include "platform/Process.h"

#include "comm/PanelProtocol.h"
#include "comm/SerialLine.h"
#include "model/modVantile.h"

#include <QCommandLineParser>

#include <cstdio>

namespace
{

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

// The port and, for download, the one project file. Returns -1 to go on,
// else the exit code.
int parse(const QStringList &args, bool wantsProject, QString *project, QString *port)
{
    const char *verb = wantsProject ? "download" : "firmware";
    const char *usage = wantsProject ? DownloadUsage : FirmwareUsage;
    QCommandLineParser parser;
    const QCommandLineOption portOption(QStringLiteral("port"), QStringLiteral("Serial device or COM1 to COM8."),
                                        QStringLiteral("DEVICE"));
    parser.addOption(portOption);
    if (const int done = ParseArguments(parser, verb, args, usage); done >= 0)
        return done;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > (wantsProject ? 1 : 0))
        return UsageError(verb, QStringLiteral("unexpected argument '%1'").arg(positional.last()), usage);
    if (wantsProject && positional.isEmpty())
        return UsageError(verb, QStringLiteral("no project file given"), usage);
    *port = parser.value(portOption);
    if (port->isEmpty())
        return UsageError(verb, QStringLiteral("no port given (--port DEVICE)"), usage);
    if (wantsProject)
        *project = positional[0];
    return -1;
}

// The boxes on the terminal as every verb shows them, on one line:
// "quellix download: TITLE: text". What went right goes to stdout.
void printBox(const char *verb, std::FILE *to, const CommMessages::Box &box)
{
    std::fprintf(to, "quellix %s: %s: %s\n", verb, qPrintable(OneLine(box.title)), qPrintable(OneLine(box.text)));
}

class TerminalProgress
{
public:
    TerminalProgress() : live_(Process::IsTerminal(stderr)) {}
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
    QString project, port;
    if (const int done = parse(args, true, &project, &port); done >= 0)
        return done;

    modVantile m;
    if (!LoadProject("download", project, m))
        return ExitFailed;
    if (ObjectTables::ConfigurationOnCard(m.GetCommandSet())) {
        printBox("download", stderr, CommMessages::NotRequiredForZav());
        return ExitNotRequired;
    }

    SerialLine line;
    QString why;
    if (!line.Open(ComPorts::ResolvePortName(port), &why)) {
        printBox("download", stderr, CommMessages::InvalidPort(why));
        return ExitInvalidPort;
    }
    PanelExchange exchange(line);
    TerminalProgress progress;
    const DownloadResult result = SendConfiguration(m, exchange, [&](int block) { progress.Show(block); });
    line.Close();
    progress.End();
    switch (result) {
    case DownloadResult::Complete:
        printBox("download", stdout, CommMessages::DownloadComplete());
        return ExitOk;
    case DownloadResult::CommFault:
        printBox("download", stderr, CommMessages::CommFault());
        return ExitCommFault;
    case DownloadResult::ChecksumFault:
        printBox("download", stderr, CommMessages::ChecksumFault());
        return ExitChecksumFault;
    }
    return ExitCommFault;
}

int RunFirmwareCommand(const QStringList &args)
{
    QString port;
    if (const int done = parse(args, false, nullptr, &port); done >= 0)
        return done;
    SerialLine line;
    QString why;
    if (!line.Open(ComPorts::ResolvePortName(port), &why)) {
        printBox("firmware", stderr, CommMessages::InvalidPort(why));
        return ExitInvalidPort;
    }
    PanelExchange exchange(line);
    const bool answered = exchange.QXComPrg("[04]", PanelExchange::FirmwareAnswerLength);
    line.Close();
    if (!answered) {
        printBox("firmware", stderr, CommMessages::CommFault());
        return ExitCommFault;
    }
    std::fprintf(stdout, "%s\n", qPrintable(OneLine(FirmwareRevisionText(exchange.ComReply))));
    return ExitOk;
}
