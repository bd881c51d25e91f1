#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class SerialPort;

// COM1 to COM8 on this system. QUELLIX_COM1 ... QUELLIX_COM8 name a device
// explicitly; the other numbers take the system's serial devices in turn,
// USB adapters first. A number with nothing behind it gives an empty path.
namespace ComPorts
{

constexpr int Count = 8;

// The devices of COM1 to COM8, in order (empty where nothing is behind).
QStringList Devices();
// The device for COM n (n = 1 - 8).
QString Device(int comNumber);
// "COM1" ... "COM8" (any case) become their device; anything else is taken
// as a device path.
QString ResolvePortName(const QString &name);
// The advice for a device the system refused for lack of rights.
QString RightsAdvice(const QString &device);

} // namespace ComPorts

// The serial line to the panel: 115 200 baud, 8 data bits, no parity, one
// stop bit, no flow control, DTR raised. Answers are polled: there are no
// receive events.
class SerialLine
{
public:
    SerialLine();
    ~SerialLine();
    SerialLine(const SerialLine &) = delete;
    SerialLine &operator=(const SerialLine &) = delete;

    // False when the device cannot be opened (missing, in use, no access).
    // When the system refused it for lack of rights, *why says what to do
    // (naming the group that may use serial ports); for a device that is
    // missing or in use it stays empty: the port's own message says that.
    // A device without modem lines (a pseudo-terminal) refuses DTR; that is
    // no reason to fail.
    bool Open(const QString &device, QString *why = nullptr);
    void Close();
    bool IsOpen() const;

    void Send(const QByteArray &data);
    // Characters received and not yet read; takes up what the system holds
    // without waiting.
    int Waiting();
    // Waits up to milliseconds for more input. False on a timeout or when the
    // line is lost.
    bool WaitForInput(int milliseconds);
    // Everything received so far, removed from the line.
    QByteArray ReadAll();
    // The device went away or failed while open (unplugged, hung up).
    bool Lost() const { return lost_; }

private:
    void checkError();

    std::unique_ptr<SerialPort> port_;
    bool lost_ = false;
};
