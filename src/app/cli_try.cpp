// quellix try: the virtual panel driven by a script, without a window.
#include "app/cli_commands.h"
#include "model/modVantile.h"
#include "panel/TryScript.h"
#include "panel/VirtualPanel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace
{

const char *const TryUsage = "Usage: quellix try PROJECT.QXC --script FILE --out DIR\n"
                             "\n"
                             "Plays the project's panel from the Home screen with every input off and every\n"
                             "level 0, one script step a line ('#' starts a comment):\n"
                             "  tap X Y                press and release at panel pixel X Y\n"
                             "  press X Y / release    put the finger down, lift it\n"
                             "  drag X1 Y1 X2 Y2       press, move, release (sliders follow)\n"
                             "  keypad DIGITS          enter a password on the keypad that is showing, then ENT\n"
                             "  set NODE INPUT on|off  change an input by hand (NODE two hex digits, INPUT 1-8)\n"
                             "  level NODE PERCENT     change a level by hand (0-100)\n"
                             "  shot NAME              write DIR/NAME.png of the panel's picture\n"
                             "Every message the panel sends goes to DIR/log.txt, one a line.\n"
                             "\n"
                             "Exit status: 0 when the script ran, 1 when a step could not run (its line is\n"
                             "named), 2 when the project or the script cannot be read or DIR or the log cannot\n"
                             "be written, 64 for a wrong command line.\n";

constexpr int ExitStepFailed = ExitDifferent;

int usageError(const QString &message)
{
    std::fprintf(stderr, "quellix try: %s\n\n%s", qPrintable(message), TryUsage);
    return ExitUsage;
}

bool writeLog(const VirtualPanel &panel, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QString &line : panel.Log().Lines(false))
        file.write(line.toUtf8() + '\n');
    return file.commit();
}

} // namespace

int RunTryCommand(const QStringList &args)
{
    QString project, script, out;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            std::fputs(TryUsage, stdout);
            return 0;
        }
        QString *option = a == QLatin1String("--script") ? &script : a == QLatin1String("--out") ? &out : nullptr;
        if (option) {
            if (i + 1 >= args.size())
                return usageError(a + QStringLiteral(" needs a value"));
            *option = args[++i];
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            return usageError(QStringLiteral("unknown option '%1'").arg(a));
        } else if (project.isEmpty()) {
            project = a;
        } else {
            return usageError(QStringLiteral("only one project file can be given"));
        }
    }
    if (project.isEmpty())
        return usageError(QStringLiteral("no project file given"));
    if (script.isEmpty())
        return usageError(QStringLiteral("no script given (--script FILE)"));
    if (out.isEmpty())
        return usageError(QStringLiteral("no output folder given (--out DIR)"));

    modVantile m;
    m.ProjectFileName = project;
    QString error;
    if (!QFileInfo(project).isFile()) {
        std::fprintf(stderr, "quellix try: %s: no such project file\n", qPrintable(project));
        return ExitFailed;
    }
    if (!m.LoadProject(&error)) {
        error.replace(QLatin1String("\r\n"), QLatin1String(" - "));
        std::fprintf(stderr, "quellix try: %s: %s\n", qPrintable(project), qPrintable(error));
        return ExitFailed;
    }
    QFile scriptFile(script);
    if (!scriptFile.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "quellix try: %s: %s\n", qPrintable(script), qPrintable(scriptFile.errorString()));
        return ExitFailed;
    }
    const QString steps = QString::fromUtf8(scriptFile.readAll());
    if (!QDir().mkpath(out) || !QFileInfo(out).isDir()) {
        std::fprintf(stderr, "quellix try: %s: the folder cannot be created\n", qPrintable(out));
        return ExitFailed;
    }

    VirtualPanel panel(m);
    const std::optional<TryScript::Failure> failure = TryScript::Run(panel, steps, out);
    for (const QString &note : panel.Notes())
        std::fprintf(stderr, "quellix try: %s\n", qPrintable(note));
    const QString logPath = QDir(out).filePath(QStringLiteral("log.txt"));
    // The log is written also after a failing step: it shows how far the panel got.
    const bool logWritten = writeLog(panel, logPath);
    if (failure) {
        std::fprintf(stderr, "quellix try: %s:%d: %s\n", qPrintable(script), failure->line,
                     qPrintable(failure->message));
        return ExitStepFailed;
    }
    if (!logWritten) {
        std::fprintf(stderr, "quellix try: %s cannot be written\n", qPrintable(logPath));
        return ExitFailed;
    }
    return 0;
}
