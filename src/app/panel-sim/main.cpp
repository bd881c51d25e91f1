// quellix-panel-sim: a stand-in for the touch panel on a serial line, so that
// downloads and firmware queries can be tried without hardware.
#include "Harness.h"
#include "SimulatorOptions.h"
#include "comm/PanelSimulator.h"
#include "platform/Version.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <csignal>
#include <cstdio>

namespace
{

PanelSimulator *running = nullptr;

void stopOnSignal(int)
{
    if (running)
        running->Stop();
    StopHarness();
}

int fail(const QString &text)
{
    std::fprintf(stderr, "quellix-panel-sim: %s\n", qPrintable(text));
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quellix-panel-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Plays a touch panel in configuration mode on a serial line. Without --device it creates a\n"
                       "pseudo-terminal and prints the path of the editor's end on the first line of its output."));
    parser.addHelpOption();
    Version::AddOption(parser);
    const QCommandLineOption device(QStringLiteral("device"), QStringLiteral("Serve this serial device."),
                                    QStringLiteral("PATH"));
    const QCommandLineOption harness(
        QStringLiteral("harness"),
        QStringLiteral("Play panels for a test program on request; prints the control line's name first."));
    const QCommandLineOption comLinks(QStringLiteral("com-links"),
                                      QStringLiteral("With --harness: name the lines as COM ports in this folder, a "
                                                     "Wine prefix's dosdevices (control COM9, panels from COM10)."),
                                      QStringLiteral("DIR"));
    const SimulatorOptions simulatorOptions;
    parser.addOptions({device, harness, comLinks});
    simulatorOptions.AddTo(parser);
    parser.process(app);
    if (Version::Answered(parser))
        return 0;
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));

    if (parser.isSet(harness)) {
        std::signal(SIGINT, stopOnSignal);
        std::signal(SIGTERM, stopOnSignal);
        QString error;
        return ServeHarness(parser.value(comLinks), &error) ? 0 : fail(error);
    }

    PanelSimulator::Options options;
    QString error;
    if (!simulatorOptions.Read(parser, &options, &error))
        return fail(error);

    PanelSimulator simulator(options);
    const bool opened = parser.isSet(device) ? simulator.OpenDevice(parser.value(device), &error)
                                             : simulator.CreatePseudoTerminal(&error);
    if (!opened)
        return fail(error);
    std::printf("%s\n", qPrintable(simulator.LinePath()));
    std::fflush(stdout);

    running = &simulator;
    std::signal(SIGINT, stopOnSignal);
    std::signal(SIGTERM, stopOnSignal);
    simulator.Run();
    running = nullptr;

    std::fprintf(stderr,
                 "quellix-panel-sim: %d blocks received, %d malformed frames, %d checksum and %d firmware "
                 "queries%s\n",
                 simulator.BlocksReceived(), simulator.MalformedFrames(), simulator.ChecksumQueries(),
                 simulator.FirmwareQueries(), simulator.LineDropped() ? ", line dropped" : "");
    return 0;
}
