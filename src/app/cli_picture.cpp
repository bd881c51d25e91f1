// quellix picture: any picture made into a background for one of the panel's screens.
#include "app/cli_commands.h"
#include "platform/Files.h"
#include "render/PictureImport.h"

#include <QColor>
#include <QCommandLineParser>
#include <QDir>
#include <QRegularExpression>

namespace
{

const char *const PictureUsage = "Usage: quellix picture IN --size WIDTHxHEIGHT [--fit fit|fill|stretch|centre]\n"
                                 "                          [--colour #RRGGBB] --out OUT.bmp\n"
                                 "\n"
                                 "Makes a background picture for one of the panel's screens from any picture the\n"
                                 "image readers open (PNG, JPEG, GIF, BMP of any kind ...): a 24-bit BMP of\n"
                                 "exactly WIDTHxHEIGHT. The picture is scaled smoothly and its centre stays the\n"
                                 "centre of the screen.\n"
                                 "\n"
                                 "  --size WxH        a screen of the panel, landscape or portrait: 480x272,\n"
                                 "                    320x240, 480x320, 800x480, 272x480, 240x320, 320x480, 480x800\n"
                                 "  --fit MODE        fill     scaled to cover the screen, the overflow cut off\n"
                                 "                             evenly (the default)\n"
                                 "                    fit      scaled to fit inside, bars in the colour\n"
                                 "                    stretch  scaled to the screen's width and height\n"
                                 "                    centre   not scaled; cut off or barred\n"
                                 "  --colour #RRGGBB  the bars and the transparent parts (default #000000)\n"
                                 "  --out FILE        the BMP to write (replaced when it exists); it cannot be IN\n"
                                 "\n"
                                 "Exit status: 0 when written, 2 when the picture cannot be read or the BMP\n"
                                 "cannot be made or written, 64 for a wrong command line.\n";

} // namespace

int RunPictureCommand(const QStringList &args)
{
    QCommandLineParser parser;
    const QCommandLineOption sizeOption(QStringLiteral("size"), QStringLiteral("The screen's size."),
                                        QStringLiteral("WIDTHxHEIGHT"));
    const QCommandLineOption fitOption(QStringLiteral("fit"), QStringLiteral("How the picture fits the screen."),
                                       QStringLiteral("MODE"), PictureImport::ModeName(PictureImport::DefaultMode));
    const QCommandLineOption colourOption(QStringLiteral("colour"), QStringLiteral("The colour of the bars."),
                                          QStringLiteral("#RRGGBB"), QStringLiteral("#000000"));
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("The BMP to write."),
                                       QStringLiteral("OUT.bmp"));
    parser.addOptions({sizeOption, fitOption, colourOption, outOption});
    if (const int done = ParseArguments(parser, "picture", args, PictureUsage); done >= 0)
        return done;

    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return UsageError("picture", QStringLiteral("no picture given"), PictureUsage);
    if (positional.size() > 1)
        return UsageError("picture", QStringLiteral("only one picture can be given"), PictureUsage);
    if (!parser.isSet(sizeOption))
        return UsageError("picture", QStringLiteral("no screen size given (--size WIDTHxHEIGHT)"), PictureUsage);
    const QSize screen = PictureImport::ParseSize(parser.value(sizeOption));
    if (!PictureImport::IsScreenSize(screen))
        return UsageError("picture",
                          QStringLiteral("'%1' is not the size of a screen of the panel").arg(parser.value(sizeOption)),
                          PictureUsage);
    const auto mode = PictureImport::ModeFromName(parser.value(fitOption));
    if (!mode)
        return UsageError("picture",
                          QStringLiteral("'%1' is no way to fit a picture (fit, fill, stretch or centre)")
                              .arg(parser.value(fitOption)),
                          PictureUsage);
    static const QRegularExpression colourForm(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    if (!colourForm.match(parser.value(colourOption)).hasMatch())
        return UsageError("picture", QStringLiteral("'%1' is no colour (#RRGGBB)").arg(parser.value(colourOption)),
                          PictureUsage);
    const QString out = parser.value(outOption);
    if (out.isEmpty())
        return UsageError("picture", QStringLiteral("no output file given (--out OUT.bmp)"), PictureUsage);

    const QString in = positional.front();
    RunInputs().Add(in, QStringLiteral("the picture"));
    if (const QString problem = Files::TargetProblem(out); !problem.isEmpty()) {
        PrintFailure("picture", out, problem);
        return ExitFailed;
    }
    QString why;
    const QImage picture = PictureImport::Read(in, &why);
    if (picture.isNull()) {
        PrintFailure("picture", in, why);
        return ExitFailed;
    }
    const QImage made =
        PictureImport::Compose(picture, screen, *mode, QColor::fromString(parser.value(colourOption)).rgb(), {}, &why);
    if (made.isNull()) {
        PrintFailure("picture", in, why);
        return ExitFailed;
    }
    if (!PictureImport::WriteBmp(made, out, &why)) {
        PrintFailure("picture", out, why);
        return ExitFailed;
    }
    std::printf("%s written: %d x %d from %d x %d (%s)\n", qPrintable(QDir::toNativeSeparators(out)), screen.width(),
                screen.height(), picture.width(), picture.height(), qPrintable(PictureImport::ModeName(*mode)));
    return ExitOk;
}
