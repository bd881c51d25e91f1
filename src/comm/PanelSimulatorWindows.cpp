// The simulator's end of the line on Windows: a COM port (a null-modem cable
// to the computer running the editor). Windows has no pseudo-terminals.
#include "comm/PanelSimulator.h"

#include "platform/SerialPort.h"

#include <QElapsedTimer>

#include <algorithm>
#include <thread>

struct PanelSimulator::Line {
    SerialPort port;
    std::atomic<bool> stopping{false};
};

PanelSimulator::Line *PanelSimulator::newLine()
{
    return new Line;
}

void PanelSimulator::deleteLine(Line *line)
{
    delete line;
}

bool PanelSimulator::CreatePseudoTerminal(QString *error)
{
    if (error)
        *error = QStringLiteral("Windows has no pseudo-terminals: name a COM port with --device");
    return false;
}

bool PanelSimulator::OpenDevice(const QString &device, QString *error)
{
    closeLine();
    bool refusedForRights = false;
    if (!line_->port.Open(device, &refusedForRights)) {
        if (error)
            *error = refusedForRights ? SerialPorts::RightsAdvice(device) : QStringLiteral("Cannot open ") + device;
        return false;
    }
    linePath_ = device;
    return true;
}

void PanelSimulator::closeLine()
{
    line_->port.Close();
}

bool PanelSimulator::lineOpen() const
{
    return line_->port.IsOpen();
}

void PanelSimulator::Stop()
{
    line_->stopping = true;
}

bool PanelSimulator::Inject(const QByteArray &data)
{
    return lineOpen() && writeAll(data);
}

void PanelSimulator::beginRun()
{
    line_->stopping = false;
}

PanelSimulator::Event PanelSimulator::waitForInput(int timeoutMs, QByteArray *input)
{
    // The port is polled in short slices so that Stop() is seen promptly.
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        if (line_->stopping)
            return Event::Stopped;
        const int left = timeoutMs < 0 ? 10 : int(std::min<qint64>(10, timeoutMs - timer.elapsed()));
        if (line_->port.WaitForReadyRead(std::max(0, left))) {
            *input = line_->port.ReadAll();
            return Event::Input;
        }
        if (line_->port.TakeFailure())
            return Event::Gone;
        if (timeoutMs >= 0 && timer.elapsed() >= timeoutMs)
            return Event::Timeout;
    }
}

void PanelSimulator::sleepUntil(Clock::time_point due)
{
    std::this_thread::sleep_until(due);
}

bool PanelSimulator::writeAll(const QByteArray &bytes)
{
    if (!lineOpen())
        return false;
    line_->port.Write(bytes);
    return !line_->port.TakeFailure();
}
