// quellix sd-image / sd-verify: a card image file made from a project, and
// the comparison of a card (or image) with what the project would write.
#include "app/cli_commands.h"

#include "comm/DeviceData.h"
#include "model/BackgroundLookup.h"
#include "model/modVantile.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/RawDisk.h"
#include "render/ScreenPictureCompilation.h"
#include "sdcard/CardStockPictures.h"
#include "sdcard/modVantileSDWrite.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace
{

const char *const SdImageHelp = "Usage: quellix sd-image PROJECT.QXC --out CARD.img [--screens-only]\n"
                                "\n"
                                "Renders the project's screens into the SD picture folder, makes the stock\n"
                                "pictures that are missing there, and writes a card image file: every picture\n"
                                "slot (or, with --screens-only, only the screens of the project's resolution and\n"
                                "orientation) and, for \"ZAV Cmd\", the configuration data area at 1 GiB.\n"
                                "The file is sparse; flash it onto the whole card (not a partition).\n"
                                "CARD.img can be neither the project file nor one of its pictures.\n"
                                "\n"
                                "Exit codes: 0 written, 1 written but pictures were skipped, 2 failed, 64 usage.\n";

const char *const SdVerifyHelp = "Usage: quellix sd-verify PROJECT.QXC CARD [--screens-only]\n"
                                 "\n"
                                 "Compares a card (a device) or a card image with what sd-image and the SD\n"
                                 "writer would write for the project, and reports the first difference.\n"
                                 "\n"
                                 "Exit codes: 0 equal, 1 different, 2 failed (also when pictures could not\n"
                                 "be made and so were not compared), 64 usage.\n";

struct Options {
    QString project;
    QString target;
    bool screensOnly = false;
};

// Returns -1 to go on, else the exit code.
int parse(const QStringList &args, bool wantOut, Options *o)
{
    const char *verb = wantOut ? "sd-image" : "sd-verify";
    const char *usage = wantOut ? SdImageHelp : SdVerifyHelp;
    QCommandLineParser parser;
    const QCommandLineOption screensOnly(QStringLiteral("screens-only"),
                                         QStringLiteral("Only the project's own screen pictures."));
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("The card image file."),
                                 QStringLiteral("CARD.img"));
    parser.addOption(screensOnly);
    if (wantOut)
        parser.addOption(out);
    if (const int done = ParseArguments(parser, verb, args, usage); done >= 0)
        return done;
    const QStringList positional = parser.positionalArguments();
    o->screensOnly = parser.isSet(screensOnly);
    if (wantOut && positional.size() == 1 && !parser.value(out).isEmpty()) {
        o->project = positional[0];
        o->target = parser.value(out);
        return -1;
    }
    if (!wantOut && positional.size() == 2) {
        o->project = positional[0];
        o->target = positional[1];
        return -1;
    }
    return UsageError(verb,
                      wantOut ? QStringLiteral("give one project file and --out CARD.img")
                              : QStringLiteral("give one project file and one card or image"),
                      usage);
}

// One of the SD pictures an image is made from: an output there would
// destroy its input. (The project and its pictures are the run's inputs,
// which the file door refuses by itself.)
QString pictureAt(const QString &target, const modVantileSDWrite &sd)
{
    for (int slot = 0; slot < modVantileSDWrite::SlotCount; ++slot) {
        if (Files::SameFile(target, sd.PictureFolder + QLatin1Char('/') + sd.PicName[size_t(slot)]))
            return QStringLiteral("it is the SD picture %1").arg(sd.PicName[size_t(slot)]);
    }
    return {};
}

// Renders the screens into the SD picture folder; without a renderer the
// pictures already in the folder are used.
void renderScreens(modVantile &m, const char *command)
{
    for (const QString &line : BackgroundSubstitutions(m))
        std::fprintf(stderr, "quellix %s: %s\n", command, qPrintable(OneLine(line)));
    CliPrompt prompt(command);
    QDir().mkpath(Paths::SdPictureFolder());
    QDir().mkpath(Paths::ScreenPreviewFolder());
    QString error;
    if (!CompileScreenPictures(m, prompt, Paths::SdPictureFolder(), Paths::ScreenPreviewFolder(), &error)) {
        ShowPictureWriteError(prompt, error);
        std::fprintf(stderr,
                     "quellix %s: the screens could not be rendered; the screen pictures already in %s are used\n",
                     command, qPrintable(QDir::toNativeSeparators(Paths::SdPictureFolder())));
    }
}

void printSkipped(const QStringList &skipped, const char *command)
{
    constexpr int Shown = 20;
    for (int i = 0; i < skipped.size() && i < Shown; ++i)
        std::fprintf(stderr, "quellix %s: skipped %s\n", command, qPrintable(OneLine(skipped[i])));
    if (skipped.size() > Shown)
        std::fprintf(stderr, "quellix %s: ... and %lld more pictures skipped\n", command,
                     static_cast<long long>(skipped.size() - Shown));
}

} // namespace

int RunSdImageCommand(const QStringList &args)
{
    Options o;
    if (const int done = parse(args, true, &o); done >= 0)
        return done;
    if (const QString problem = Files::TargetProblem(o.target); !problem.isEmpty()) {
        const bool device = !QFileInfo(o.target).isDir() && !QFileInfo(o.target).isSymLink();
        PrintFailure("sd-image", o.target,
                     problem +
                         (device ? QStringLiteral("; write cards with the editor's SD writer, or flash an image file")
                                 : QStringLiteral("; choose another file for the card image")));
        return ExitFailed;
    }

    modVantile m;
    if (!LoadProject("sd-image", o.project, m))
        return ExitFailed;
    modVantileSDWrite sd;
    sd.FillPicTable();
    QString problem = pictureAt(o.target, sd);
    if (problem.isEmpty())
        problem = Files::TargetProblem(o.target);
    if (!problem.isEmpty()) {
        PrintFailure("sd-image", o.target, problem + QStringLiteral("; choose another file for the card image"));
        return ExitFailed;
    }
    renderScreens(m, "sd-image");

    QString error;
    if (!o.screensOnly) {
        int made = 0;
        if (!CardStockPictures::EnsureAll(sd, sd.PictureFolder, &made, &error)) {
            PrintFailure("sd-image", QStringLiteral("the stock pictures cannot be written"), error);
            return ExitFailed;
        }
        if (made > 0)
            std::printf("%d stock pictures made in %s\n", made, qPrintable(QDir::toNativeSeparators(sd.PictureFolder)));
    }

    // Written beside the target under a name of its own and renamed at the
    // end, so that a failed or interrupted run leaves an earlier image as it was.
    Files::NewFile image;
    auto failed = [&](const QString &why) {
        sd.CloseDrive();
        image.Discard();
        PrintFailure("sd-image", o.target, why);
        return ExitFailed;
    };
    if (!image.Create(o.target, &error) || !sd.AdoptFile(image.Handle(), image.TemporaryPath(), &error))
        return failed(error);
    const bool writeAll = !o.screensOnly;
    const int writeType = modVantileSDWrite::WriteTypeOf(m);
    if (!sd.SetImageSize(sd.RequiredCapacity(writeAll, writeType, m.GetCommandSet()), &error))
        return failed(error);
    const modVantileSDWrite::RunResult result = sd.CompileAll(m, writeAll, writeType, {});
    sd.CloseDrive();
    if (result.failed)
        return failed(result.failure);
    if (!image.Commit(&error))
        return failed(error);
    std::printf("%s: %d pictures written%s, %lld bytes\n", qPrintable(o.target), result.picturesWritten,
                ObjectTables::ConfigurationOnCard(m.GetCommandSet()) ? " and the configuration data area" : "",
                static_cast<long long>(QFileInfo(o.target).size()));
    printSkipped(result.skipped, "sd-image");
    return result.skipped.isEmpty() ? ExitOk : ExitDifferent;
}

int RunSdVerifyCommand(const QStringList &args)
{
    Options o;
    if (const int done = parse(args, false, &o); done >= 0)
        return done;
    QString error;
    modVantile m;
    if (!LoadProject("sd-verify", o.project, m))
        return ExitFailed;
    renderScreens(m, "sd-verify");

    modVantileSDWrite sd;
    sd.FillPicTable();
    // A FIFO or terminal would be waited on for ever.
    if (const QFileInfo target(o.target); target.exists() && !target.isFile() && !RawDisk::IsDevicePath(o.target)) {
        PrintFailure("sd-verify", o.target, QStringLiteral("it is neither a card nor an image file"));
        return ExitFailed;
    }
    if (!sd.OpenPath(o.target, false, &error)) {
        PrintFailure("sd-verify", o.target, error);
        return ExitFailed;
    }
    const qint64 size = sd.VolumeSize();
    const char *medium = RawDisk::IsDevicePath(o.target) ? "card" : "image file";

    bool differentRunBlank = false; // the differing run holds only zero bytes on the card
    // Compares one run of expected bytes; false after reporting a difference.
    auto compare = [&](qint64 position, const QByteArray &expected, const QString &where) {
        if (position + expected.size() > size) {
            std::printf("%s differs: the %s ends at byte %lld, before the end of %s\n", qPrintable(o.target), medium,
                        static_cast<long long>(size), qPrintable(where));
            return false;
        }
        QByteArray actual(expected.size(), '\0');
        if (!sd.ReadBytes(position, actual.data(), actual.size(), &error))
            return false;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            if (actual[i] != expected[i]) {
                std::printf("%s differs at byte %s in %s: the %s holds %02X, the project gives %02X\n",
                            qPrintable(o.target), qPrintable(modVantileSDWrite::PositionText(position + i)),
                            qPrintable(where), medium, uint8_t(actual[i]), uint8_t(expected[i]));
                differentRunBlank = actual.count('\0') == actual.size();
                return false;
            }
        }
        return true;
    };

    const int writeType = modVantileSDWrite::WriteTypeOf(m);
    QStringList skipped;
    int compared = 0;
    bool same = true;
    for (int slot = 0; slot < modVantileSDWrite::SlotCount && same; ++slot) {
        if (!modVantileSDWrite::SlotChosen(slot, !o.screensOnly, writeType))
            continue;
        const QString name = sd.PicName[size_t(slot)];
        QString why;
        if (!CardStockPictures::EnsurePicture(slot, name, sd.PictureFolder, &why) ||
            !sd.CompilePic(slot, m.GetCommandSet(), &why)) {
            skipped.append(name + QStringLiteral(": ") + why);
            continue;
        }
        same = compare(sd.PicOffset[size_t(slot)], sd.PictureSectors(),
                       QStringLiteral("slot %1 (%2)").arg(slot).arg(name));
        ++compared;
        // A card written with the project's own screens only holds nothing in the other slots.
        if (!same && differentRunBlank && !o.screensOnly && modVantileSDWrite::ScreenGroup(slot) != writeType)
            std::printf("If the card was written with the project's own screens only (sd-image --screens-only, "
                        "or the SD writer's check box cleared), compare it with --screens-only.\n");
    }
    if (same && ObjectTables::ConfigurationOnCard(m.GetCommandSet())) {
        ZAVBuild(m);
        const QByteArray stream = DeviceDataStream(m);
        QByteArray map = stream.mid(modVantile::PanelWords, 128);
        map.append(QByteArray(modVantileSDWrite::SectorSize - map.size(), '\0'));
        same = compare(modVantileSDWrite::DataAreaPosition, stream.left(modVantile::PanelWords),
                       QStringLiteral("the configuration data")) &&
               compare(modVantileSDWrite::DeviceMapPosition, map, QStringLiteral("the device map"));
    }
    sd.CloseDrive();
    if (!error.isEmpty()) {
        PrintFailure("sd-verify", o.target, QStringLiteral("cannot be read: ") + error);
        return ExitFailed;
    }
    printSkipped(skipped, "sd-verify");
    if (!same)
        return ExitDifferent;
    if (!skipped.isEmpty()) {
        std::printf("%s matches the project in the %d pictures compared; %lld %s not compared\n", qPrintable(o.target),
                    compared, static_cast<long long>(skipped.size()),
                    skipped.size() == 1 ? "picture was" : "pictures were");
        return ExitFailed;
    }
    std::printf("%s matches the project: %d pictures%s compared\n", qPrintable(o.target), compared,
                ObjectTables::ConfigurationOnCard(m.GetCommandSet()) ? " and the configuration data area" : "");
    return 0;
}
