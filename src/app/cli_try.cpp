// quellix try: the virtual panel driven by a script, without a window.
#include "app/cli_commands.h"
#include "model/modVantile.h"
#include "panel/TryScript.h"
#include "panel/VirtualPanel.h"

#include "platform/Files.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

namespace
{

const char *const TryUsage = "Usage: quellix try PROJECT.QXC --script FILE --out DIR\n"
                             "\n"
                             "Plays the project's panel from the Home screen with every input off and every\n"
                             "level 0, one script step a line ('#' starts a comment):\n"
                             "  tap X Y                press and release at panel pixel X Y\n"
                             "  press X Y / release    put the finger down, lift it\n"
                             "  move X Y               move the finger that is down (sliders follow)\n"
                             "  drag X1 Y1 X2 Y2       press, move, release (sliders follow)\n"
                             "  keypad DIGITS          enter a password on the keypad that is showing, then ENT\n"
                             "  set NODE INPUT on|off  change an input by hand (NODE two hex digits, INPUT 1-8)\n"
                             "  level NODE PERCENT     change a level by hand (0-100)\n"
                             "  reset                  back to Home, every input off, every level 0\n"
                             "  shot NAME              write DIR/NAME.png of the panel's picture\n"
                             "Every message the panel sends goes to DIR/log.txt, one a line.\n"
                             "The Try Panel window's Record writes such a script.\n"
                             "\n"
                             "Exit status: 0 when the script ran, 1 when a step could not run (its line is\n"
                             "named), 2 when the project or the script cannot be read or DIR or the log cannot\n"
                             "be written, 64 for a wrong command line.\n";

constexpr int ExitStepFailed = ExitDifferent;

} // namespace

int RunTryCommand(const QStringList &args)
{
    QCommandLineParser parser;
    const QCommandLineOption scriptOption(QStringLiteral("script"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption outOption(QStringLiteral("out"), QString(), QStringLiteral("DIR"));
    parser.addOptions({scriptOption, outOption});
    if (const int done = ParseArguments(parser, "try", args, TryUsage); done >= 0)
        return done;
    QString project;
    if (const int done = ProjectArgument(parser, "try", TryUsage, &project); done >= 0)
        return done;
    const QString script = parser.value(scriptOption), out = parser.value(outOption);
    if (script.isEmpty())
        return UsageError("try", QStringLiteral("no script given (--script FILE)"), TryUsage);
    if (out.isEmpty())
        return UsageError("try", QStringLiteral("no output folder given (--out DIR)"), TryUsage);

    modVantile m;
    if (!LoadProject("try", project, m))
        return ExitFailed;
    QString steps, error;
    if (!TryScript::Read(script, &steps, &error)) {
        PrintFailure("try", script, error);
        return ExitFailed;
    }
    RunInputs().Add(script, QStringLiteral("the script"));
    if (!QDir().mkpath(out) || !QFileInfo(out).isDir()) {
        PrintFailure("try", out, QStringLiteral("the folder cannot be created"));
        return ExitFailed;
    }

    VirtualPanel panel(m);
    const std::optional<TryScript::Failure> failure = TryScript::Run(panel, steps, out);
    for (const QString &note : panel.Notes())
        std::fprintf(stderr, "quellix try: %s\n", qPrintable(OneLine(note)));
    const QString logPath = QDir(out).filePath(QStringLiteral("log.txt"));
    // The log is written also after a failing step: it shows how far the panel got.
    const bool logWritten = Files::Write(logPath, panel.Log().FileText(), &error);
    if (failure) {
        PrintFailure("try", QStringLiteral("%1:%2").arg(script).arg(failure->line), failure->message);
        return ExitStepFailed;
    }
    if (!logWritten) {
        PrintFailure("try", logPath, QStringLiteral("cannot be written: ") + error);
        return ExitFailed;
    }
    return 0;
}
