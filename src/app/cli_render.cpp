// quellix render: the picture compilation without a window.
#include "app/cli_commands.h"
#include "model/modVantile.h"
#include "platform/Prompts.h"
#include "render/BackgroundLookup.h"
#include "render/PictureCompilation.h"

#include <QDir>
#include <QFileInfo>

namespace
{

const char *const RenderUsage = "Usage: quellix render PROJECT.QXC --out DIR\n"
                                "\n"
                                "Renders every screen of the project into DIR: the 128 SD-card screen pictures\n"
                                "SR<resolution><L|P><screen>.BMP of all four resolutions and both orientations\n"
                                "(those of the project's own resolution and orientation with content, the others\n"
                                "plain dark grey) and the 16 previews \"Screen 00 Home.BMP\", \"Screen 01.BMP\" ...\n"
                                "DIR is created when missing; existing files are replaced.\n"
                                "\n"
                                "Exit status: 0 when every picture was written, 64 for a wrong command line,\n"
                                "65 when the project file cannot be read, 73 when pictures could not be written.\n";

constexpr int ExitBadProject = 65;
constexpr int ExitCannotWrite = 73;

// Boxes become lines on standard error; nothing is asked on the command line.
class ConsolePrompt : public MessagePrompt
{
public:
    using MessagePrompt::Show;
    Answer Show(const QString &text, const QString &title, Icon, Buttons buttons) override
    {
        QString line = text;
        line.replace(QLatin1String("\r\n"), QLatin1String(": "));
        std::fprintf(stderr, "quellix render: %s: %s\n", qPrintable(title), qPrintable(line));
        return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::No : Answer::Ok;
    }
};

int usageError(const char *message)
{
    std::fprintf(stderr, "quellix render: %s\n\n%s", message, RenderUsage);
    return ExitUsage;
}

} // namespace

int RunRenderCommand(const QStringList &args)
{
    QString project, out;
    bool outGiven = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            std::fputs(RenderUsage, stdout);
            return 0;
        }
        if (a == QLatin1String("--out")) {
            if (i + 1 >= args.size())
                return usageError("--out needs a folder");
            out = args[++i];
            outGiven = true;
        } else if (a.startsWith(QLatin1String("--out="))) {
            out = a.mid(6);
            outGiven = true;
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            std::fprintf(stderr, "quellix render: unknown option '%s'\n\n%s", qPrintable(a), RenderUsage);
            return ExitUsage;
        } else if (project.isEmpty()) {
            project = a;
        } else {
            return usageError("only one project file can be given");
        }
    }
    if (project.isEmpty())
        return usageError("no project file given");
    if (!outGiven || out.isEmpty())
        return usageError("no output folder given (--out DIR)");

    modVantile m;
    m.ProjectFileName = project;
    QString error;
    if (!QFileInfo(project).isFile()) {
        std::fprintf(stderr, "quellix render: %s: no such project file\n", qPrintable(project));
        return ExitBadProject;
    }
    if (!m.LoadProject(&error)) {
        error.replace(QLatin1String("\r\n"), QLatin1String(" - "));
        std::fprintf(stderr, "quellix render: %s: %s\n", qPrintable(project), qPrintable(error));
        return ExitBadProject;
    }
    if (QFileInfo(out).exists() && !QFileInfo(out).isDir()) {
        std::fprintf(stderr, "quellix render: %s: not a folder\n", qPrintable(out));
        return ExitCannotWrite;
    }

    for (const QString &line : BackgroundSubstitutions(m))
        std::fprintf(stderr, "quellix render: %s\n", qPrintable(line));
    ConsolePrompt prompt;
    const QString folder = QDir(out).absolutePath();
    if (!CompileScreenPictures(m, prompt, folder, folder))
        return ExitCannotWrite;
    std::printf("%d pictures written to %s\n", CompiledPictureCount, qPrintable(QDir::toNativeSeparators(folder)));
    return 0;
}
