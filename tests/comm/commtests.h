#pragma once

// Shared pieces of the communication tests: the test registry of this
// executable, a panel simulator on its own thread, and hand-made projects.

#include "comm/PanelSimulator.h"
#include "model/modVantile.h"

#include <QObject>
#include <QtTest>

#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace CommTests
{

using Factory = std::function<QObject *()>;
std::vector<Factory> &Registry();

template <typename T> struct Register {
    Register()
    {
        Registry().push_back([] { return new T; });
    }
};

// A simulator playing the panel on a fresh pseudo-terminal, run on a thread.
class SimulatedPanel
{
public:
    explicit SimulatedPanel(const PanelSimulator::Options &options = PanelSimulator::Options())
        : sim_(std::make_unique<PanelSimulator>(options))
    {
        QString error;
        ok_ = sim_->CreatePseudoTerminal(&error);
        if (ok_)
            thread_ = std::thread([this] { sim_->Run(); });
        else
            qWarning("%s", qPrintable(error));
    }
    ~SimulatedPanel() { Stop(); }
    // Waits for the simulator to finish its work and stops it.
    void Stop()
    {
        if (thread_.joinable()) {
            sim_->Stop();
            thread_.join();
        }
    }
    bool ok() const { return ok_; }
    QString path() const { return sim_->LinePath(); }
    PanelSimulator &sim() { return *sim_; }

private:
    std::unique_ptr<PanelSimulator> sim_;
    std::thread thread_;
    bool ok_ = false;
};

// A project with objects on several screens, every kind in use, devices and
// inputs spread, and the device options set.
void MakeDemoProject(modVantile &m);

} // namespace CommTests
