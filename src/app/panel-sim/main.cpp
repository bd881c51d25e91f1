// quellix-panel-sim: a stand-in for the touch panel on a serial line, so that
// downloads and firmware queries can be tried without hardware.
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
    const QCommandLineOption baud(QStringLiteral("baud"),
                                  QStringLiteral("Pace the line like a real one of this rate (115200)."),
                                  QStringLiteral("RATE"));
    const QCommandLineOption save(QStringLiteral("save"),
                                  QStringLiteral("Write the 16 512 bytes received to FILE after every checksum "
                                                 "query and at the end."),
                                  QStringLiteral("FILE"));
    const QCommandLineOption firmware(QStringLiteral("firmware"),
                                      QStringLiteral("Firmware revision to report (18 characters)."),
                                      QStringLiteral("TEXT"));
    const QCommandLineOption fault(
        QStringLiteral("fault"), QStringLiteral("Misbehave: silent, short, late, wrong-checksum, lower-case or drop."),
        QStringLiteral("KIND"));
    const QCommandLineOption at(QStringLiteral("at"),
                                QStringLiteral("Where the fault strikes: a block 0-257 (default 0), checksum or "
                                               "firmware."),
                                QStringLiteral("TARGET"));
    const QCommandLineOption lateMs(QStringLiteral("late-ms"),
                                    QStringLiteral("Extra delay of a late answer (default 2500)."),
                                    QStringLiteral("MS"));
    const QCommandLineOption once(QStringLiteral("once"),
                                  QStringLiteral("End after the first checksum or firmware answer."));
    parser.addOptions({device, baud, save, firmware, fault, at, lateMs, once});
    parser.process(app);
    if (Version::Answered(parser))
        return 0;
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));

    PanelSimulator::Options options;
    if (parser.isSet(fault) && !PanelSimulator::ParseFault(parser.value(fault), &options.fault))
        return fail(QStringLiteral("unknown fault '%1'").arg(parser.value(fault)));
    if (parser.isSet(at) && !PanelSimulator::ParseTarget(parser.value(at), &options.faultAt))
        return fail(QStringLiteral("unknown target '%1'").arg(parser.value(at)));
    if (!parser.isSet(at) &&
        (options.fault == PanelSimulator::Fault::WrongChecksum || options.fault == PanelSimulator::Fault::LowerCase))
        options.faultAt = PanelSimulator::ChecksumQuery;
    bool ok = true;
    if (parser.isSet(baud)) {
        options.baud = parser.value(baud).toInt(&ok);
        if (!ok || options.baud < 0)
            return fail(QStringLiteral("bad rate '%1'").arg(parser.value(baud)));
    }
    if (parser.isSet(lateMs)) {
        options.lateMs = parser.value(lateMs).toInt(&ok);
        if (!ok || options.lateMs < 0)
            return fail(QStringLiteral("bad delay '%1'").arg(parser.value(lateMs)));
    }
    if (parser.isSet(firmware))
        options.firmware = parser.value(firmware).toLatin1();
    options.saveFile = parser.value(save);
    options.once = parser.isSet(once);

    PanelSimulator simulator(options);
    QString error;
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
