#pragma once

#include "SimulatorOptions.h"
#include "comm/PseudoTerminal.h"

#include <QByteArrayList>

#include <atomic>
#include <map>
#include <memory>
#include <thread>

// Plays panels for a test program that cannot create pseudo-terminals itself
// (a Windows one under Wine). Requests come as lines on a control line, words
// percent-encoded; each answer is one line, "ok ..." or "error TEXT":
//   open OPTION...     ok ID LINE   a panel of its own, options as on the command line
//   counts ID          ok BLOCKS MALFORMED CHECKSUM-QUERIES FIRMWARE-QUERIES DROPPED
//   received ID        ok HEX       the 16 512 bytes received
//   inject ID HEX      ok           raw characters towards the program
//   close ID           ok
// With a links folder (Wine's dosdevices) the lines are named as COM ports
// there: the control line COM9, the panels from COM10 on.
class Harness
{
public:
    explicit Harness(const QString &linksFolder);
    ~Harness();
    Harness(const Harness &) = delete;
    Harness &operator=(const Harness &) = delete;

    bool Open(QString *error);
    // The name the test program opens the control line by.
    QString ControlName() const { return controlName_; }
    // Serves until Stop().
    void Run();
    // Safe in a signal handler.
    static void Stop() { stopping_ = true; }

    static constexpr int ControlPort = 9;
    static constexpr int FirstPanelPort = 10;

private:
    struct Panel {
        std::unique_ptr<PanelSimulator> sim;
        std::thread thread;
        int port = 0; // COM number when linked
    };

    QByteArray answer(const QByteArrayList &words);
    QByteArray open(const QStringList &arguments);
    // Links a line as COM<port>; returns the name to open it by.
    QString name(const QString &path, int port, QString *error);
    QString linkPath(int port) const;
    void close(Panel &panel);
    bool writeAll(const QByteArray &bytes);

    QString links_;
    PseudoTerminal control_;
    QString controlName_;
    SimulatorOptions options_;
    std::map<int, Panel> panels_;
    int next_ = 1;
    static inline std::atomic<bool> stopping_{false};
};
