#include "platform/SerialPort.h"

#include <QRegularExpression>

#include <algorithm>
#include <iterator>
#include <utility>

#include <windows.h>

namespace SerialPorts
{

namespace
{

struct Listed {
    QString port; // "COM3"
    bool usb = false;
};

// "COM2" before "COM10".
int portNumber(const QString &port)
{
    static const QRegularExpression number(QStringLiteral("(\\d+)$"));
    const auto m = number.match(port);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

} // namespace

QStringList SystemDevices()
{
    // The system's own list of serial ports: the value's name is the driver's
    // device ("\Device\Serial0" for a built-in port, a USB driver's for an
    // adapter), its data the port name.
    QList<Listed> found;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) == ERROR_SUCCESS) {
        for (DWORD index = 0;; ++index) {
            wchar_t name[256];
            wchar_t data[256];
            DWORD nameSize = DWORD(std::size(name));
            DWORD dataSize = sizeof data - sizeof(wchar_t);
            DWORD type = 0;
            const LONG result =
                RegEnumValueW(key, index, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE *>(data), &dataSize);
            if (result == ERROR_NO_MORE_ITEMS)
                break;
            if (result != ERROR_SUCCESS || type != REG_SZ)
                continue;
            data[dataSize / sizeof(wchar_t)] = 0;
            const QString driver = QString::fromWCharArray(name, int(nameSize));
            const QString port = QString::fromWCharArray(data).trimmed();
            if (port.isEmpty())
                continue;
            found.append({port, !driver.startsWith(QLatin1String("\\Device\\Serial"), Qt::CaseInsensitive)});
        }
        RegCloseKey(key);
    }
    std::sort(found.begin(), found.end(), [](const Listed &a, const Listed &b) {
        if (a.usb != b.usb)
            return a.usb;
        return portNumber(a.port) < portNumber(b.port);
    });
    QStringList devices;
    for (const Listed &l : found) {
        const QString device = QStringLiteral("\\\\.\\") + l.port;
        if (!devices.contains(device))
            devices << device;
    }
    return devices;
}

QString RightsAdvice(const QString &device)
{
    return QStringLiteral("No permission to use %1: another program may hold it, or it is for administrators only. "
                          "Close the program that uses it, or run this one as administrator.")
        .arg(device);
}

} // namespace SerialPorts

struct SerialPort::Impl {
    HANDLE handle = INVALID_HANDLE_VALUE;
    QByteArray buffer;
    bool failed = false;

    // Takes up what the driver holds without waiting; false on a failure.
    bool drain()
    {
        for (;;) {
            DWORD errors = 0;
            COMSTAT status{};
            if (!ClearCommError(handle, &errors, &status))
                return false;
            if (status.cbInQue == 0)
                return true;
            const qsizetype at = buffer.size();
            buffer.resize(at + qsizetype(status.cbInQue));
            DWORD got = 0;
            const BOOL ok = ReadFile(handle, buffer.data() + at, status.cbInQue, &got, nullptr);
            buffer.resize(at + qsizetype(got));
            if (!ok)
                return false;
            if (got == 0)
                return true;
        }
    }
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
    // "COM10" and above open only by their device name; "\\.\COM1" works for all.
    QString path = device;
    if (!path.startsWith(QLatin1String("\\\\.\\")))
        path.prepend(QStringLiteral("\\\\.\\"));
    const HANDLE h = CreateFileW(reinterpret_cast<const wchar_t *>(path.utf16()), GENERIC_READ | GENERIC_WRITE, 0,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        // A port another program holds is refused the same way as one without rights.
        *refusedForRights = GetLastError() == ERROR_ACCESS_DENIED;
        return false;
    }
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(h, &dcb)) {
        CloseHandle(h);
        return false;
    }
    dcb.BaudRate = CBR_115200;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fAbortOnError = FALSE;
    if (!SetCommState(h, &dcb)) {
        CloseHandle(h);
        return false;
    }
    // Reads return at once with what is there; waiting is done by polling.
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.WriteTotalTimeoutConstant = 5000;
    SetCommTimeouts(h, &timeouts);
    // A line without modem lines refuses DTR; the port still serves.
    EscapeCommFunction(h, SETDTR);
    PurgeComm(h, PURGE_RXCLEAR | PURGE_TXCLEAR);
    d_ = std::make_unique<Impl>();
    d_->handle = h;
    return true;
}

void SerialPort::Close()
{
    if (d_) {
        CloseHandle(d_->handle);
        d_.reset();
    }
}

bool SerialPort::IsOpen() const
{
    return d_ != nullptr;
}

void SerialPort::Write(const QByteArray &data)
{
    qsizetype done = 0;
    while (done < data.size()) {
        DWORD wrote = 0;
        if (!WriteFile(d_->handle, data.constData() + done, DWORD(data.size() - done), &wrote, nullptr) || wrote == 0) {
            d_->failed = true;
            return;
        }
        done += qsizetype(wrote);
    }
}

void SerialPort::Drain()
{
    if (d_->handle != INVALID_HANDLE_VALUE && !FlushFileBuffers(d_->handle))
        d_->failed = true;
}

bool SerialPort::WaitForReadyRead(int milliseconds)
{
    const qsizetype before = d_->buffer.size();
    const ULONGLONG end = GetTickCount64() + ULONGLONG(std::max(0, milliseconds));
    for (;;) {
        if (!d_->drain()) {
            d_->failed = true;
            return false;
        }
        if (d_->buffer.size() > before)
            return true;
        if (GetTickCount64() >= end)
            return false;
        Sleep(1);
    }
}

qint64 SerialPort::BytesAvailable() const
{
    return d_->buffer.size();
}

QByteArray SerialPort::ReadAll()
{
    return std::exchange(d_->buffer, QByteArray());
}

bool SerialPort::TakeFailure()
{
    return std::exchange(d_->failed, false);
}
