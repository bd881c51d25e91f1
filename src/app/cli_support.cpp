// What the verbs of the command-line tool share: the exit codes' text, the
// message stand-in, argument parsing and the clean-up of an interrupted run.
#include "app/cli_commands.h"

#include <QCommandLineParser>
#include <QFile>

#include <csignal>
#include <cstring>
#include <unistd.h>

const char *const ExitCodeHelp = "Exit codes (the same for every command):\n"
                                 "   0  done\n"
                                 "   1  done, with differences found or pictures skipped (sd-image, sd-verify),\n"
                                 "      errors found (check), a script step that could not run (try)\n"
                                 "   2  failed: the project cannot be read, or the result cannot be made or written\n"
                                 "   3  Invalid COM Port.\n"
                                 "   4  Comm Fault\n"
                                 "   5  Download Failed. (the panel's checksum differs)\n"
                                 "   6  Download Not Required For ZAV Cmd Option\n"
                                 "  64  wrong command line\n";

MessagePrompt::Answer CliPrompt::Show(const QString &text, const QString &title, Icon, Buttons buttons)
{
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String(": "));
    std::fprintf(stderr, "quellix %s: %s: %s\n", verb_.constData(), qPrintable(title), qPrintable(line));
    switch (buttons) {
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel:
    case Buttons::SaveDiscardCancel:
        return Answer::Cancel;
    case Buttons::Ok:
        break;
    }
    return Answer::Ok;
}

int UsageError(const char *verb, const QString &message, const char *usage)
{
    std::fprintf(stderr, "quellix %s: %s\n\n%s", verb, qPrintable(message), usage);
    return ExitUsage;
}

int ParseArguments(QCommandLineParser &parser, const char *verb, const QStringList &args, const char *usage)
{
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show the usage."));
    parser.addOption(help);
    if (!parser.parse(QStringList{QStringLiteral("quellix")} + args)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty())
            return UsageError(verb,
                              QStringLiteral("unknown option '%1%2'")
                                  .arg(unknown[0].size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), unknown[0]),
                              usage);
        return UsageError(verb, parser.errorText(), usage);
    }
    if (parser.isSet(help)) {
        std::fputs(usage, stdout);
        return ExitOk;
    }
    return -1;
}

namespace
{

char interruptedFile[4096];
volatile std::sig_atomic_t armed = 0;

void removeAndEnd(int signal)
{
    if (armed)
        ::unlink(interruptedFile);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

void RemoveOnInterrupt(const QString &path)
{
    armed = 0;
    const QByteArray native = QFile::encodeName(path);
    if (path.isEmpty() || native.size() >= qsizetype(sizeof interruptedFile))
        return;
    std::memcpy(interruptedFile, native.constData(), size_t(native.size()) + 1);
    armed = 1;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction action {
        };
        action.sa_handler = removeAndEnd;
        sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
    }
}
