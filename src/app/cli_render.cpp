// quellix render: the picture compilation without a window.
#include "app/cli_commands.h"
#include "model/modVantile.h"
#include "render/BackgroundLookup.h"
#include "render/PictureCompilation.h"

#include <QCommandLineParser>
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
                                "Exit status: 0 when every picture was written, 2 when the project file cannot be\n"
                                "read or pictures could not be written, 64 for a wrong command line.\n";

} // namespace

int RunRenderCommand(const QStringList &args)
{
    QCommandLineParser parser;
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("Folder for the pictures."),
                                       QStringLiteral("DIR"));
    parser.addOption(outOption);
    if (const int done = ParseArguments(parser, "render", args, RenderUsage); done >= 0)
        return done;
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return UsageError("render", QStringLiteral("no project file given"), RenderUsage);
    if (positional.size() > 1)
        return UsageError("render", QStringLiteral("only one project file can be given"), RenderUsage);
    const QString project = positional[0];
    const QString out = parser.value(outOption);
    if (out.isEmpty())
        return UsageError("render", QStringLiteral("no output folder given (--out DIR)"), RenderUsage);

    modVantile m;
    m.ProjectFileName = project;
    QString error;
    if (!m.LoadProject(&error)) {
        error.replace(QLatin1String("\r\n"), QLatin1String(" - "));
        std::fprintf(stderr, "quellix render: %s: %s\n", qPrintable(project), qPrintable(error));
        return ExitFailed;
    }
    if (QFileInfo(out).exists() && !QFileInfo(out).isDir()) {
        std::fprintf(stderr, "quellix render: %s: not a folder\n", qPrintable(out));
        return ExitFailed;
    }

    for (const QString &line : BackgroundSubstitutions(m))
        std::fprintf(stderr, "quellix render: %s\n", qPrintable(line));
    CliPrompt prompt("render");
    const QString folder = QDir(out).absolutePath();
    if (!CompileScreenPictures(m, prompt, folder, folder))
        return ExitFailed;
    std::printf("%d pictures written to %s\n", CompiledPictureCount, qPrintable(QDir::toNativeSeparators(folder)));
    return ExitOk;
}
