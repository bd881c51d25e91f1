#pragma once

#include "comm/PanelSimulator.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

// How a simulated panel behaves, as the simulator's command line and the
// harness's "open" requests both spell it.
class SimulatorOptions
{
public:
    SimulatorOptions();
    void AddTo(QCommandLineParser &parser) const;
    // False with the reason when a value is not understood.
    bool Read(const QCommandLineParser &parser, PanelSimulator::Options *options, QString *error) const;

private:
    QCommandLineOption baud_, save_, firmware_, fault_, at_, lateMs_, once_;
};
