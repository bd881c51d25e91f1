#include "platform/SerialPort.h"

#include <QFile>
#include <QRegularExpression>
#include <QSerialPort>
#include <QSerialPortInfo>

#include <algorithm>
#include <cerrno>

#include <pwd.h>
#include <termios.h>
#include <unistd.h>

namespace SerialPorts
{

namespace
{

bool isUsbAdapter(const QSerialPortInfo &info)
{
    const QString name = info.portName();
    return info.hasVendorIdentifier() || name.startsWith(QLatin1String("ttyUSB")) ||
           name.startsWith(QLatin1String("ttyACM"));
}

// "ttyS2" before "ttyS10".
bool naturalLess(const QString &a, const QString &b)
{
    static const QRegularExpression trailingNumber(QStringLiteral("^(.*?)(\\d+)$"));
    const auto ma = trailingNumber.match(a);
    const auto mb = trailingNumber.match(b);
    if (ma.hasMatch() && mb.hasMatch() && ma.captured(1) == mb.captured(1))
        return ma.captured(2).toLongLong() < mb.captured(2).toLongLong();
    return a < b;
}

} // namespace

QStringList SystemDevices()
{
    QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    std::sort(ports.begin(), ports.end(), [](const QSerialPortInfo &a, const QSerialPortInfo &b) {
        const bool usbA = isUsbAdapter(a), usbB = isUsbAdapter(b);
        if (usbA != usbB)
            return usbA;
        return naturalLess(a.portName(), b.portName());
    });
    QStringList devices;
    for (const QSerialPortInfo &info : ports) {
        if (!devices.contains(info.systemLocation()))
            devices << info.systemLocation();
    }
    return devices;
}

QString RightsAdvice(const QString &device)
{
    const passwd *user = ::getpwuid(::getuid());
    const QString name = user ? QString::fromLocal8Bit(user->pw_name) : QStringLiteral("$USER");
    return QStringLiteral("No permission to use %1: serial ports are for members of the group \"dialout\". "
                          "Add the user to it (sudo adduser %2 dialout), then log out and in again.")
        .arg(device, name);
}

} // namespace SerialPorts

struct SerialPort::Impl {
    QSerialPort port;
};

SerialPort::SerialPort() = default;

SerialPort::~SerialPort()
{
    Close();
}

bool SerialPort::Open(const QString &device, bool *refusedForRights)
{
    Close();
    *refusedForRights = false;
    auto d = std::make_unique<Impl>();
    QSerialPort &port = d->port;
    port.setPortName(device);
    port.setBaudRate(QSerialPort::Baud115200);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    if (!port.open(QIODevice::ReadWrite)) {
        // Qt reports a busy or locked port as a permission error too; only
        // the device's own modes tell them apart.
        const QByteArray path = QFile::encodeName(device);
        *refusedForRights = port.error() == QSerialPort::PermissionError &&
                            ::access(path.constData(), R_OK | W_OK) != 0 && (errno == EACCES || errno == EPERM);
        return false;
    }
    // A pseudo-terminal has no modem lines: that is no reason to fail.
    if (!port.setDataTerminalReady(true) && port.error() != QSerialPort::UnsupportedOperationError) {
        port.close();
        return false;
    }
    port.clearError();
    d_ = std::move(d);
    return true;
}

void SerialPort::Close()
{
    if (d_) {
        d_->port.close();
        d_.reset();
    }
}

bool SerialPort::IsOpen() const
{
    return d_ && d_->port.isOpen();
}

void SerialPort::Write(const QByteArray &data)
{
    d_->port.write(data);
    // Without an event loop the data only leaves Qt's buffer when pushed.
    d_->port.flush();
}

void SerialPort::Drain()
{
    if (d_->port.isOpen())
        ::tcdrain(int(d_->port.handle()));
}

bool SerialPort::WaitForReadyRead(int milliseconds)
{
    return d_->port.waitForReadyRead(milliseconds);
}

qint64 SerialPort::BytesAvailable() const
{
    return d_->port.bytesAvailable();
}

QByteArray SerialPort::ReadAll()
{
    return d_->port.readAll();
}

bool SerialPort::TakeFailure()
{
    bool failed = false;
    switch (d_->port.error()) {
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
    case QSerialPort::ResourceError:
    case QSerialPort::NotOpenError:
        failed = true;
        break;
    default:
        break;
    }
    d_->port.clearError();
    return failed;
}
