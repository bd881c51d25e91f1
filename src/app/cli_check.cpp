// quellix check / map / report: the project check, the function map and the
// hand-over report without a window.
#include "app/cli_commands.h"

#include "check/FunctionMap.h"
#include "check/ProjectCheck.h"
#include "check/ProjectReport.h"
#include "model/modVantile.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>

namespace
{

constexpr int ExitFindings = ExitDifferent; // check: errors (with --strict also warnings)

const char *const CheckHelp = "Usage: quellix check PROJECT.QXC [--json] [--strict]\n"
                              "\n"
                              "Checks the project and prints one finding a line, \"error screen 03 button 5: ...\"\n"
                              "(severity error, warning or note; screen 00 is Home; objects are numbered as the\n"
                              "rows of their settings list), or with --json a JSON array of objects with the keys\n"
                              "severity, check, screen, object, number and message. A summary goes to stderr.\n"
                              "\n"
                              "  --json     print the findings as JSON\n"
                              "  --strict   warnings count as errors for the exit status\n"
                              "\n"
                              "Exit status: 0 without errors (warnings and notes alone: 0), 1 with errors\n"
                              "(or, with --strict, warnings), 2 when the project file cannot be read, 64 for a\n"
                              "wrong command line.\n";

const char *const MapHelp = "Usage: quellix map PROJECT.QXC [--csv]\n"
                            "\n"
                            "Prints the function map: for every device the project uses (its node number) and\n"
                            "each of its inputs, the objects that press it, switch it on or off and show it,\n"
                            "and the objects that set or show the device's level, one line each:\n"
                            "  node 0F input 3: pressed by screen 01 button 1; shown by screen 01 pilot 1\n"
                            "Findings of the check about a line follow it, indented.\n"
                            "\n"
                            "  --csv      comma-separated values with a header line: node, input, one column\n"
                            "             per use, and the findings in the column \"marks\"\n"
                            "\n"
                            "Exit status: 0 when printed, 2 when the project file cannot be read, 64 for a\n"
                            "wrong command line.\n";

const char *const ReportHelp = "Usage: quellix report PROJECT.QXC --out REPORT.pdf [--with-passwords]\n"
                               "\n"
                               "Writes the hand-over report, an A4 PDF: a title page with the device options,\n"
                               "a page for every screen that holds objects (the screen with its objects numbered\n"
                               "and a table of them), the function map and the findings of the check.\n"
                               "\n"
                               "  --out FILE          the PDF to write (replaced when it exists)\n"
                               "  --with-passwords    print the passwords' digits instead of \"yes\" / \"no\"\n"
                               "\n"
                               "Exit status: 0 when written, 2 when the project file cannot be read or the\n"
                               "report cannot be written, 64 for a wrong command line.\n";

struct Command {
    const char *name;
    const char *help;
};

// The verb's arguments, then its project; returns an exit status when the
// command is done (help, a wrong command line, an unreadable project), or -1.
int open(QCommandLineParser &parser, const Command &c, const QStringList &args, modVantile &m, QString *project)
{
    if (const int done = ParseArguments(parser, c.name, args, c.help); done >= 0)
        return done;
    if (const int done = ProjectArgument(parser, c.name, c.help, project); done >= 0)
        return done;
    return LoadProject(c.name, *project, m) ? -1 : ExitFailed;
}

void print(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

} // namespace

int RunCheckCommand(const QStringList &args)
{
    const Command c{"check", CheckHelp};
    QCommandLineParser parser;
    const QCommandLineOption json(QStringLiteral("json")), strict(QStringLiteral("strict"));
    parser.addOptions({json, strict});
    QString project;
    modVantile m;
    if (const int done = open(parser, c, args, m, &project); done >= 0)
        return done;

    const std::vector<Check::Finding> findings = Check::ProjectCheck(m);
    if (parser.isSet(json)) {
        print(QString::fromUtf8(Check::FindingsJson(findings)));
    } else {
        for (const Check::Finding &f : findings)
            print(Check::FindingLine(f) + QLatin1Char('\n'));
    }
    const Check::Counts counts = Check::CountFindings(findings);
    std::fprintf(stderr, "quellix check: %s: %s\n", qPrintable(OneLine(project)),
                 qPrintable(Check::CountsText(counts)));
    const bool failed = counts.errors > 0 || (parser.isSet(strict) && counts.warnings > 0);
    return failed ? ExitFindings : 0;
}

int RunMapCommand(const QStringList &args)
{
    const Command c{"map", MapHelp};
    QCommandLineParser parser;
    const QCommandLineOption csv(QStringLiteral("csv"));
    parser.addOption(csv);
    QString project;
    modVantile m;
    if (const int done = open(parser, c, args, m, &project); done >= 0)
        return done;

    const std::vector<Check::MapRow> rows = Check::FunctionMap(m, Check::ProjectCheck(m));
    if (parser.isSet(csv)) {
        print(QString::fromUtf8(Check::MapCsv(rows)));
        return 0;
    }
    for (const Check::MapRow &row : rows) {
        print(Check::MapLine(row) + QLatin1Char('\n'));
        for (const Check::Finding &f : row.marks)
            print(QStringLiteral("    ") + Check::FindingLine(f) + QLatin1Char('\n'));
    }
    return 0;
}

int RunReportCommand(const QStringList &args)
{
    const Command c{"report", ReportHelp};
    QCommandLineParser parser;
    const QCommandLineOption out(QStringLiteral("out"), QString(), QStringLiteral("REPORT.pdf"));
    const QCommandLineOption passwords(QStringLiteral("with-passwords"));
    parser.addOptions({out, passwords});
    QString project;
    modVantile m;
    if (const int done = open(parser, c, args, m, &project); done >= 0)
        return done;
    const QString target = parser.value(out);
    if (target.isEmpty())
        return UsageError(c.name, QStringLiteral("no report file given (--out REPORT.pdf)"), ReportHelp);

    Check::ReportOptions options;
    options.projectFile = QFileInfo(project).absoluteFilePath();
    options.withPasswords = parser.isSet(passwords);
    QString error;
    if (!Check::WriteReport(m, target, options, &error)) {
        QStringList lines = error.split(QStringLiteral("\r\n"));
        lines.removeAll(target);
        PrintFailure(c.name, target, lines.join(QStringLiteral("\r\n")));
        return ExitFailed;
    }
    std::printf("report written to %s\n", qPrintable(target));
    return 0;
}
