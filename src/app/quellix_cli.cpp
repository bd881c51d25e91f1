// quellix: the command-line tool over the editor's core. Needs no window.
#include "app/cli_commands.h"
#include "platform/Process.h"
#include "platform/Version.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>

#include <cstring>

namespace
{

const char *const Usage = "Usage: quellix COMMAND [ARGUMENTS]\n"
                          "\n"
                          "Commands:\n"
                          "  render PROJECT.QXC --out DIR          render the SD-card screen pictures and previews\n"
                          "  download PROJECT.QXC --port DEVICE    download the configuration to a panel\n"
                          "  firmware --port DEVICE                print the panel's firmware revision\n"
                          "  sd-image PROJECT.QXC --out CARD.img [--screens-only]\n"
                          "                                        write a card image file\n"
                          "  sd-verify PROJECT.QXC CARD            compare a card or image with the project\n"
                          "  check PROJECT.QXC [--json] [--strict] check the project for mistakes\n"
                          "  map PROJECT.QXC [--csv]               print which objects use each device input\n"
                          "  report PROJECT.QXC --out REPORT.pdf [--with-passwords]\n"
                          "                                        write the hand-over report\n"
                          "  try PROJECT.QXC --script FILE --out DIR\n"
                          "                                        play the panel from a script\n"
                          "  picture IN --size WIDTHxHEIGHT [--fit MODE] [--colour #RRGGBB] --out OUT.bmp\n"
                          "                                        make a background picture for a screen\n"
                          "\n"
                          "DEVICE is a serial device path or COM1 to COM8.\n"
                          "'quellix COMMAND --help' describes one command; 'quellix --version' prints the version.\n"
                          "\n";

struct Verb {
    const char *name;
    int (*run)(const QStringList &args);
};

const Verb Verbs[] = {
    {"render", RunRenderCommand},    {"download", RunDownloadCommand},  {"firmware", RunFirmwareCommand},
    {"sd-image", RunSdImageCommand}, {"sd-verify", RunSdVerifyCommand}, {"check", RunCheckCommand},
    {"map", RunMapCommand},          {"report", RunReportCommand},      {"try", RunTryCommand},
    {"picture", RunPictureCommand},
};

void printUsage(std::FILE *to)
{
    std::fputs(Usage, to);
    std::fputs(ExitCodeHelp, to);
}

} // namespace

int main(int argc, char *argv[])
{
    Process::PrepareHeadless();
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quellix"));

    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        printUsage(stderr);
        return ExitUsage;
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("--help") || command == QLatin1String("-h") || command == QLatin1String("help")) {
        printUsage(stdout);
        return ExitOk;
    }
    if (Version::IsVersionArgument(command)) {
        Version::Print();
        return ExitOk;
    }
    for (const Verb &verb : Verbs) {
        if (command == QLatin1String(verb.name))
            return verb.run(args);
    }
    std::fprintf(stderr, "quellix: unknown command '%s'\n\n", qPrintable(command));
    printUsage(stderr);
    return ExitUsage;
}
