#pragma once

// Shared pieces of the communication tests: the test registry of this
// executable, a panel simulator on its own thread, and hand-made projects.

#include "comm/PanelSimulator.h"
#include "model/modVantile.h"

#include <QObject>
#include <QProcessEnvironment>
#include <QtTest>

#include <functional>
#include <memory>
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

// A simulated panel on a line of its own: played on a thread of this process
// on a fresh pseudo-terminal, or by the simulator's harness where the system
// has none (QUELLIX_PANEL_HARNESS names the harness's control line).
class SimulatedPanel
{
public:
    struct Counts {
        int blocks = 0, malformed = 0, checksumQueries = 0, firmwareQueries = 0;
    };
    class Player
    {
    public:
        virtual ~Player() = default;
        virtual QString path() const = 0;
        virtual bool Inject(const QByteArray &data) = 0;
        virtual QByteArray Received() = 0;
        virtual Counts counts() = 0;
    };

    explicit SimulatedPanel(const PanelSimulator::Options &options = PanelSimulator::Options());
    ~SimulatedPanel();
    bool ok() const { return player_ != nullptr; }
    QString path() const { return player_->path(); }
    // Raw characters towards the program on the line (noise, stale answers).
    bool Inject(const QByteArray &data) { return player_->Inject(data); }
    QByteArray Received() { return player_->Received(); }
    int BlocksReceived() { return player_->counts().blocks; }
    int MalformedFrames() { return player_->counts().malformed; }
    int ChecksumQueries() { return player_->counts().checksumQueries; }
    int FirmwareQueries() { return player_->counts().firmwareQueries; }

private:
    std::unique_ptr<Player> player_;
};

// Two lines joined like a null-modem cable, for a simulator serving a device;
// made by the simulator's harness, so there only where it plays the panels.
class NullModemCable
{
public:
    NullModemCable();
    ~NullModemCable();
    NullModemCable(const NullModemCable &) = delete;
    NullModemCable &operator=(const NullModemCable &) = delete;
    static bool Available() { return qEnvironmentVariableIsSet("QUELLIX_PANEL_HARNESS"); }
    bool ok() const { return !id_.isEmpty(); }
    QString End(int i) const { return ends_[i]; }

private:
    QString id_;
    QString ends_[2];
};

// A panel on a pseudo-terminal of this process; none where the system has no
// pseudo-terminals, with the reason.
std::unique_ptr<SimulatedPanel::Player> LocalPanel(const PanelSimulator::Options &options, QString *why);

// A program the build made (QUELLIX_TEST_BIN_DIR), or empty when it is not there.
QString Program(const QString &relative);
// The environment for running one: offscreen, with its own runtime folder.
QProcessEnvironment QuietEnvironment(const QString &runtimeDir);

// A project with objects on several screens, every kind in use, devices and
// inputs spread, and the device options set.
void MakeDemoProject(modVantile &m);

} // namespace CommTests
