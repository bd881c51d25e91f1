#include "SimulatorOptions.h"

SimulatorOptions::SimulatorOptions()
    : baud_(QStringLiteral("baud"), QStringLiteral("Pace the line like a real one of this rate (115200)."),
            QStringLiteral("RATE")),
      save_(QStringLiteral("save"),
            QStringLiteral("Write the 16 512 bytes received to FILE after every checksum query and at the end."),
            QStringLiteral("FILE")),
      firmware_(QStringLiteral("firmware"), QStringLiteral("Firmware revision to report (18 characters)."),
                QStringLiteral("TEXT")),
      fault_(QStringLiteral("fault"),
             QStringLiteral("Misbehave: silent, short, late, wrong-checksum, lower-case or drop."),
             QStringLiteral("KIND")),
      at_(QStringLiteral("at"),
          QStringLiteral("Where the fault strikes: a block 0-257 (default 0), checksum or firmware."),
          QStringLiteral("TARGET")),
      lateMs_(QStringLiteral("late-ms"), QStringLiteral("Extra delay of a late answer (default 2500)."),
              QStringLiteral("MS")),
      once_(QStringLiteral("once"), QStringLiteral("End after the first checksum or firmware answer, once that answer "
                                                   "was read (sent, on a device; 2 s at most)."))
{
}

void SimulatorOptions::AddTo(QCommandLineParser &parser) const
{
    parser.addOptions({baud_, save_, firmware_, fault_, at_, lateMs_, once_});
}

bool SimulatorOptions::Read(const QCommandLineParser &parser, PanelSimulator::Options *options, QString *error) const
{
    if (parser.isSet(fault_) && !PanelSimulator::ParseFault(parser.value(fault_), &options->fault)) {
        *error = QStringLiteral("unknown fault '%1'").arg(parser.value(fault_));
        return false;
    }
    if (parser.isSet(at_) && !PanelSimulator::ParseTarget(parser.value(at_), &options->faultAt)) {
        *error = QStringLiteral("unknown target '%1'").arg(parser.value(at_));
        return false;
    }
    if (!parser.isSet(at_) &&
        (options->fault == PanelSimulator::Fault::WrongChecksum || options->fault == PanelSimulator::Fault::LowerCase))
        options->faultAt = PanelSimulator::ChecksumQuery;
    bool ok = true;
    if (parser.isSet(baud_)) {
        options->baud = parser.value(baud_).toInt(&ok);
        if (!ok || options->baud < 0) {
            *error = QStringLiteral("bad rate '%1'").arg(parser.value(baud_));
            return false;
        }
    }
    if (parser.isSet(lateMs_)) {
        options->lateMs = parser.value(lateMs_).toInt(&ok);
        if (!ok || options->lateMs < 0) {
            *error = QStringLiteral("bad delay '%1'").arg(parser.value(lateMs_));
            return false;
        }
    }
    if (parser.isSet(firmware_))
        options->firmware = parser.value(firmware_).toLatin1();
    options->saveFile = parser.value(save_);
    options->once = parser.isSet(once_);
    return true;
}
