#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

// The system's serial devices and one open line to a device; the protocol
// above (comm/SerialLine) is the same on every system.
namespace SerialPorts
{

// The serial devices present, USB adapters first, then in name order.
QStringList SystemDevices();
// The advice for a device the system refused for lack of rights.
QString RightsAdvice(const QString &device);

} // namespace SerialPorts

// 115 200 baud, 8 data bits, no parity, one stop bit, no flow control, DTR
// raised. Without an event loop: input is taken up when polled.
class SerialPort
{
public:
    SerialPort();
    ~SerialPort();
    SerialPort(const SerialPort &) = delete;
    SerialPort &operator=(const SerialPort &) = delete;

    // False when the device cannot be opened; *refusedForRights is set when
    // the system refused it for lack of rights rather than being busy or absent.
    bool Open(const QString &device, bool *refusedForRights);
    void Close();
    bool IsOpen() const;
    // Writes and pushes the data onto the line.
    void Write(const QByteArray &data);
    // Waits until what was written has been sent.
    void Drain();
    // Takes up what arrived, waiting up to milliseconds for something new.
    // True when new input came.
    bool WaitForReadyRead(int milliseconds);
    qint64 BytesAvailable() const;
    QByteArray ReadAll();
    // The device failed (unplugged, hung up) since the last call.
    bool TakeFailure();

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};
