// quellix render: the picture compilation without a window.
#include "app/cli_commands.h"
#include "model/BackgroundLookup.h"
#include "model/modVantile.h"
#include "render/ScreenPictureCompilation.h"

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
                                "Exit status: 0 when every picture was written, 1 when they were written but a\n"
                                "background picture was refused (it cannot be read as a picture; drawn as white),\n"
                                "2 when the project file cannot be read or pictures could not be written, 64 for\n"
                                "a wrong command line.\n";

} // namespace

int RunRenderCommand(const QStringList &args)
{
    QCommandLineParser parser;
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("Folder for the pictures."),
                                       QStringLiteral("DIR"));
    parser.addOption(outOption);
    if (const int done = ParseArguments(parser, "render", args, RenderUsage); done >= 0)
        return done;
    QString project;
    if (const int done = ProjectArgument(parser, "render", RenderUsage, &project); done >= 0)
        return done;
    const QString out = parser.value(outOption);
    if (out.isEmpty())
        return UsageError("render", QStringLiteral("no output folder given (--out DIR)"), RenderUsage);

    modVantile m;
    if (!LoadProject("render", project, m))
        return ExitFailed;
    if (QFileInfo(out).exists() && !QFileInfo(out).isDir()) {
        PrintFailure("render", out, QStringLiteral("not a folder"));
        return ExitFailed;
    }

    for (const QString &line : BackgroundSubstitutions(m))
        std::fprintf(stderr, "quellix render: %s\n", qPrintable(OneLine(line)));
    CliPrompt prompt("render");
    const QString folder = QDir(out).absolutePath();
    QStringList refused;
    QString error;
    if (!CompileScreenPictures(m, prompt, folder, folder, &error, 0xFFFFFFFF, &refused)) {
        ShowPictureWriteError(prompt, error);
        return ExitFailed;
    }
    std::printf("%d pictures written to %s\n", CompiledPictureCount, qPrintable(QDir::toNativeSeparators(folder)));
    // A refused picture was drawn as white: done, with a part skipped.
    return refused.isEmpty() ? ExitOk : ExitDifferent;
}
