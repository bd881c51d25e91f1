#include "platform/Files.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

#include <windows.h>

namespace Files
{

namespace
{

QString systemReason(DWORD error)
{
    wchar_t *text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   error, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    const QString reason = text ? QString::fromWCharArray(text).trimmed() : QStringLiteral("error %1").arg(error);
    LocalFree(text);
    return reason;
}

HANDLE openForReading(const QString &path, DWORD flags)
{
    return CreateFileW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, flags, nullptr);
}

} // namespace

bool ReadRegular(const QString &path, qint64 maxBytes, QByteArray *data, QString *error)
{
    auto fail = [&](const QString &reason) {
        if (error)
            *error = reason;
        return false;
    };
    // Backup semantics opens a folder too, so that it is told apart.
    const HANDLE h = openForReading(path, FILE_FLAG_BACKUP_SEMANTICS);
    if (h == INVALID_HANDLE_VALUE)
        return fail(systemReason(GetLastError()));
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(h) != FILE_TYPE_DISK || !GetFileInformationByHandle(h, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        CloseHandle(h);
        return fail((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? QStringLiteral("it is a folder")
                                                                       : QStringLiteral("it is not a regular file"));
    }
    const qint64 size = qint64((quint64(info.nFileSizeHigh) << 32) | info.nFileSizeLow);
    const qint64 want = std::min<qint64>(maxBytes, size);
    data->resize(qsizetype(want));
    qint64 done = 0;
    while (done < want) {
        DWORD got = 0;
        if (!ReadFile(h, data->data() + done, DWORD(std::min<qint64>(want - done, 1 << 30)), &got, nullptr)) {
            const DWORD e = GetLastError();
            CloseHandle(h);
            data->clear();
            return fail(systemReason(e));
        }
        if (got == 0)
            break; // shortened while we read it
        done += got;
    }
    CloseHandle(h);
    data->resize(qsizetype(done));
    return true;
}

bool SameFile(const QString &a, const QString &b)
{
    // The volume's serial number and the file's index name one file whatever
    // the path, through links of either kind.
    const HANDLE ha = openForReading(a, FILE_FLAG_BACKUP_SEMANTICS);
    const HANDLE hb = openForReading(b, FILE_FLAG_BACKUP_SEMANTICS);
    BY_HANDLE_FILE_INFORMATION ia{}, ib{};
    const bool known = ha != INVALID_HANDLE_VALUE && hb != INVALID_HANDLE_VALUE &&
                       GetFileInformationByHandle(ha, &ia) && GetFileInformationByHandle(hb, &ib);
    if (ha != INVALID_HANDLE_VALUE)
        CloseHandle(ha);
    if (hb != INVALID_HANDLE_VALUE)
        CloseHandle(hb);
    if (known)
        return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber && ia.nFileIndexHigh == ib.nFileIndexHigh &&
               ia.nFileIndexLow == ib.nFileIndexLow;
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath())
               .compare(QDir::cleanPath(QFileInfo(b).absoluteFilePath()), Qt::CaseInsensitive) == 0;
}

} // namespace Files
