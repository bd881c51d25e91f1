#include "comm/SerialLine.h"

#include "platform/SerialPort.h"

#include <QRegularExpression>

#include <algorithm>
#include <climits>

namespace ComPorts
{

namespace
{

QString explicitDevice(int comNumber)
{
    return qEnvironmentVariable(qPrintable(QStringLiteral("QUELLIX_COM%1").arg(comNumber)));
}

QStringList systemDevices(const QStringList &excluded)
{
    QStringList devices;
    for (const QString &device : SerialPorts::SystemDevices()) {
        if (!excluded.contains(device))
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
    return SerialPorts::RightsAdvice(device);
}

} // namespace ComPorts

SerialLine::SerialLine() = default;

SerialLine::~SerialLine()
{
    Close();
}

bool SerialLine::Open(const QString &device, QString *why)
{
    Close();
    lost_ = false;
    if (why)
        why->clear();
    if (device.isEmpty())
        return false;
    auto port = std::make_unique<SerialPort>();
    bool refusedForRights = false;
    if (!port->Open(device, &refusedForRights)) {
        if (refusedForRights && why)
            *why = ComPorts::RightsAdvice(device);
        return false;
    }
    port_ = std::move(port);
    return true;
}

void SerialLine::Close()
{
    if (port_) {
        port_->Close();
        port_.reset();
    }
}

bool SerialLine::IsOpen() const
{
    return port_ && port_->IsOpen();
}

void SerialLine::Send(const QByteArray &data)
{
    if (!IsOpen())
        return;
    port_->Write(data);
    checkError();
}

int SerialLine::Waiting()
{
    if (!IsOpen())
        return 0;
    if (!lost_) {
        port_->WaitForReadyRead(0);
        checkError();
    }
    return int(std::min<qint64>(port_->BytesAvailable(), INT_MAX));
}

bool SerialLine::WaitForInput(int milliseconds)
{
    // A port whose device failed is closed; a closed line gets no input.
    if (!IsOpen())
        lost_ = true;
    if (lost_)
        return false;
    const bool got = port_->WaitForReadyRead(std::max(0, milliseconds));
    checkError();
    return got;
}

QByteArray SerialLine::ReadAll()
{
    if (!IsOpen())
        return {};
    if (!lost_) {
        port_->WaitForReadyRead(0);
        checkError();
    }
    return port_->ReadAll();
}

void SerialLine::checkError()
{
    if (port_->TakeFailure())
        lost_ = true;
}
