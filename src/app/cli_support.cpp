// What the verbs of the command-line tool share: the exit codes' text, the
// message stand-in, argument parsing, message lines and loading the project.
#include "app/cli_commands.h"

#include "model/BackgroundLookup.h"
#include "model/modVantile.h"
#include "platform/Files.h"

#include <QCommandLineParser>
#include <QRegularExpression>

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
    PrintFailure(verb_.constData(), title, text);
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

int ProjectArgument(const QCommandLineParser &parser, const char *verb, const char *usage, QString *project)
{
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return UsageError(verb, QStringLiteral("no project file given"), usage);
    if (positional.size() > 1)
        return UsageError(verb, QStringLiteral("only one project file can be given"), usage);
    *project = positional.front();
    return -1;
}

QString OneLine(const QString &text)
{
    QString line;
    line.reserve(text.size());
    const QStringList parts = text.split(QRegularExpression(QStringLiteral("[\\r\\n]+")), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        // A sentence ends by itself; anything else is set off by a colon.
        if (!line.isEmpty())
            line += line.endsWith(QLatin1Char('.')) || line.endsWith(QLatin1Char(':')) ? QStringLiteral(" ")
                                                                                       : QStringLiteral(": ");
        for (const QChar c : part)
            line += c.isPrint() || c == QLatin1Char(' ') ? c : QLatin1Char('?');
    }
    return line;
}

void PrintFailure(const char *verb, const QString &subject, const QString &reason)
{
    std::fprintf(stderr, "quellix %s: %s: %s\n", verb, qPrintable(OneLine(subject)), qPrintable(OneLine(reason)));
}

Files::InputScope &RunInputs()
{
    static Files::InputScope inputs;
    return inputs;
}

bool LoadProject(const char *verb, const QString &path, modVantile &m)
{
    m.ProjectFileName = path;
    QString error;
    if (!m.LoadProject(&error)) {
        // The core names the file on a line of its own; here it leads the line.
        QStringList lines = error.split(QStringLiteral("\r\n"));
        lines.removeAll(path);
        PrintFailure(verb, path, lines.join(QStringLiteral("\r\n")));
        return false;
    }
    AddProjectInputs(RunInputs(), m);
    return true;
}
