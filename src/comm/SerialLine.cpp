#include "comm/SerialLine.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPort>
#include <QSerialPortInfo>

#include <algorithm>
#include <cerrno>
#include <climits>

#include <pwd.h>
#include <unistd.h>

namespace ComPorts
{

namespace
{

QString explicitDevice(int comNumber)
{
    return qEnvironmentVariable(qPrintable(QStringLiteral("QUELLIX_COM%1").arg(comNumber)));
}

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

QStringList systemDevices(const QStringList &excluded)
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
        const QString device = info.systemLocation();
        if (!excluded.contains(device) && !devices.contains(device))
            devices << device;
    }
    return devices;
}

} // namespace

QStringList Devices()
{
    QStringList named, devices;
    bool scan = false;
    for (int n = 1; n <= Count; ++n) {
        named << explicitDevice(n);
        scan = scan || named.last().isEmpty();
    }
    // One scan of the system serves every number not named explicitly.
    const QStringList system = scan ? systemDevices(named) : QStringList();
    int slot = 0;
    for (int n = 1; n <= Count; ++n) {
        if (!named[n - 1].isEmpty()) {
            devices << named[n - 1];
        } else {
            devices << (slot < system.size() ? system[slot] : QString());
            ++slot;
        }
    }
    return devices;
}

QString Device(int comNumber)
{
    if (comNumber < 1 || comNumber > Count)
        return {};
    const QString named = explicitDevice(comNumber);
    return named.isEmpty() ? Devices()[comNumber - 1] : named;
}

QString ResolvePortName(const QString &name)
{
    static const QRegularExpression com(QStringLiteral("^COM([1-8])$"), QRegularExpression::CaseInsensitiveOption);
    const auto match = com.match(name);
    if (match.hasMatch())
        return Device(match.captured(1).toInt());
    return name;
}

QString RightsAdvice(const QString &device)
{
    const passwd *user = ::getpwuid(::getuid());
    const QString name = user ? QString::fromLocal8Bit(user->pw_name) : QStringLiteral("$USER");
    return QStringLiteral("No permission to use %1: serial ports are for members of the group \"dialout\". "
                          "Add the user to it (sudo adduser %2 dialout), then log out and in again.")
        .arg(device, name);
}

} // namespace ComPorts

SerialLine::SerialLine() = default;

SerialLine::~SerialLine()
{
    Close();
}

bool SerialLine::Open(const QString &device)
{
    Close();
    lost_ = false;
    rightsAdvice_.clear();
    if (device.isEmpty())
        return false;
    auto port = std::make_unique<QSerialPort>();
    port->setPortName(device);
    port->setBaudRate(QSerialPort::Baud115200);
    port->setDataBits(QSerialPort::Data8);
    port->setParity(QSerialPort::NoParity);
    port->setStopBits(QSerialPort::OneStop);
    port->setFlowControl(QSerialPort::NoFlowControl);
    if (!port->open(QIODevice::ReadWrite)) {
        // Qt reports a busy or locked port as a permission error too; only
        // the device's own modes tell them apart.
        const QByteArray path = QFile::encodeName(device);
        if (port->error() == QSerialPort::PermissionError && ::access(path.constData(), R_OK | W_OK) != 0 &&
            (errno == EACCES || errno == EPERM))
            rightsAdvice_ = ComPorts::RightsAdvice(device);
        return false;
    }
    if (!port->setDataTerminalReady(true) && port->error() != QSerialPort::UnsupportedOperationError) {
        port->close();
        return false;
    }
    port->clearError();
    port_ = std::move(port);
    return true;
}

void SerialLine::Close()
{
    if (port_) {
        port_->close();
        port_.reset();
    }
}

bool SerialLine::IsOpen() const
{
    return port_ && port_->isOpen();
}

void SerialLine::Send(const QByteArray &data)
{
    if (!IsOpen())
        return;
    port_->write(data);
    // Without an event loop the data only leaves Qt's buffer when pushed.
    port_->flush();
    checkError();
}

int SerialLine::Waiting()
{
    if (!IsOpen())
        return 0;
    if (!lost_) {
        port_->waitForReadyRead(0);
        checkError();
    }
    return int(std::min<qint64>(port_->bytesAvailable(), INT_MAX));
}

bool SerialLine::WaitForInput(int milliseconds)
{
    // Qt closes a port whose device failed; a closed line gets no input.
    if (!IsOpen())
        lost_ = true;
    if (lost_)
        return false;
    const bool got = port_->waitForReadyRead(std::max(0, milliseconds));
    checkError();
    return got;
}

QByteArray SerialLine::ReadAll()
{
    if (!IsOpen())
        return {};
    if (!lost_) {
        port_->waitForReadyRead(0);
        checkError();
    }
    return port_->readAll();
}

void SerialLine::checkError()
{
    switch (port_->error()) {
    case QSerialPort::NoError:
    case QSerialPort::TimeoutError:
        break;
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
    case QSerialPort::ResourceError:
    case QSerialPort::NotOpenError:
        lost_ = true;
        break;
    default:
        break;
    }
    port_->clearError();
}
