// A COM port (a null-modem cable to the computer running the editor): Windows
// has no pseudo-terminals.
#include "platform/DeviceLine.h"

#include "platform/SerialPort.h"

#include <QElapsedTimer>

#include <algorithm>
#include <atomic>
#include <thread>

struct DeviceLine::Impl {
    SerialPort port;
    std::atomic<bool> stopping{false};
    QString path;
};

DeviceLine::DeviceLine() : d_(std::make_unique<Impl>()) {}

DeviceLine::~DeviceLine() = default;

bool DeviceLine::CreatePseudoTerminal(QString *error)
{
    *error = QStringLiteral("Windows has no pseudo-terminals: name a COM port with --device");
    return false;
}

bool DeviceLine::OpenDevice(const QString &device, QString *error)
{
    Close();
    bool refusedForRights = false;
    if (!d_->port.Open(device, &refusedForRights)) {
        *error = refusedForRights ? SerialPorts::RightsAdvice(device) : QStringLiteral("Cannot open ") + device;
        return false;
    }
    d_->path = device;
    return true;
}

void DeviceLine::Close()
{
    d_->port.Close();
}

bool DeviceLine::IsOpen() const
{
    return d_->port.IsOpen();
}

QString DeviceLine::Path() const
{
    return d_->path;
}

void DeviceLine::Stop()
{
    d_->stopping = true;
}

DeviceLine::Event DeviceLine::Wait(int timeoutMs, QByteArray *input)
{
    // The port is polled in short slices so that Stop() is seen promptly.
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        if (d_->stopping)
            return Event::Stopped;
        const int left = timeoutMs < 0 ? 10 : int(std::min<qint64>(10, timeoutMs - timer.elapsed()));
        if (d_->port.WaitForReadyRead(std::max(0, left))) {
            *input = d_->port.ReadAll();
            return Event::Input;
        }
        if (d_->port.TakeFailure())
            return Event::Gone;
        if (timeoutMs >= 0 && timer.elapsed() >= timeoutMs)
            return Event::Timeout;
    }
}

bool DeviceLine::Write(const QByteArray &bytes)
{
    if (!IsOpen())
        return false;
    d_->port.Write(bytes);
    return !d_->port.TakeFailure();
}

void DeviceLine::Drain(int)
{
    if (IsOpen())
        d_->port.Drain();
}

void DeviceLine::PreciseTimers() {}

void DeviceLine::SleepUntil(std::chrono::steady_clock::time_point due)
{
    std::this_thread::sleep_until(due);
}
