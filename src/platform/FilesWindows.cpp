#include "platform/Files.h"
#include "platform/FilesSystem.h"
#include "platform/WindowsErrors.h"

#include <QDir>

#include <QRandomGenerator>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstring>

#include <windows.h>

namespace Files
{

namespace
{

// The same words as on every other system where the error has a common
// name ("No such file or directory"), else the system's own.
QString systemReason(DWORD error)
{
    if (const int e = ErrnoOf(error); e != EIO)
        return QString::fromLocal8Bit(std::strerror(e));
    wchar_t *text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   error, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    const QString reason = text ? QString::fromWCharArray(text).trimmed() : QStringLiteral("error %1").arg(error);
    LocalFree(text);
    return reason;
}

const wchar_t *wide(const QString &nativePath)
{
    return reinterpret_cast<const wchar_t *>(nativePath.utf16());
}

HANDLE openForReading(const QString &path, DWORD flags)
{
    const QString native = QDir::toNativeSeparators(path);
    return CreateFileW(wide(native), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, flags, nullptr);
}

HANDLE handleOf(qintptr handle)
{
    return reinterpret_cast<HANDLE>(handle);
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

namespace System
{

Kind KindOf(const QString &path)
{
    const QString native = QDir::toNativeSeparators(path);
    const DWORD attributes = GetFileAttributesW(wide(native));
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return Kind::Missing;
    // Symbolic links and junctions are reparse points; the name is the link.
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return Kind::Link;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return Kind::Folder;
    if (attributes & FILE_ATTRIBUTE_DEVICE)
        return Kind::Other;
    // A device name ("NUL", "COM1") reaches no file on a disk.
    const HANDLE h = openForReading(path, FILE_FLAG_BACKUP_SEMANTICS);
    if (h == INVALID_HANDLE_VALUE)
        return Kind::Regular;
    const bool disk = GetFileType(h) == FILE_TYPE_DISK;
    CloseHandle(h);
    return disk ? Kind::Regular : Kind::Other;
}

Identity IdentityOf(const QString &path)
{
    if (path.isEmpty())
        return {};
    // The volume's serial number and the file's index name one file whatever
    // the path, through links of either kind.
    const HANDLE h = openForReading(path, FILE_FLAG_BACKUP_SEMANTICS);
    if (h == INVALID_HANDLE_VALUE)
        return {};
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileType(h) == FILE_TYPE_DISK && GetFileInformationByHandle(h, &info);
    CloseHandle(h);
    if (!known)
        return {};
    return {true, quint64(info.dwVolumeSerialNumber), (quint64(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

qintptr CreateTemporary(const QString &target, QString *created, Failure *failure)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    const QString native = QDir::toNativeSeparators(target);
    // A replaced file keeps its attributes (read-only aside, which would
    // keep us from writing it).
    const DWORD existing = GetFileAttributesW(wide(native));
    const DWORD attributes =
        existing == INVALID_FILE_ATTRIBUTES || (existing & FILE_ATTRIBUTE_DIRECTORY)
            ? FILE_ATTRIBUTE_NORMAL
            : (existing & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED)) |
                  FILE_ATTRIBUTE_NORMAL;
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 100 && (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS); ++attempt) {
        QString name = native + QStringLiteral(".XXXXXX.part");
        for (int i = 0; i < 6; ++i)
            name[native.size() + 1 + i] =
                QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))]);
        // CREATE_NEW never opens what is there, a link included.
        const HANDLE h = CreateFileW(wide(name), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                     nullptr, CREATE_NEW, attributes, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            *created = QDir::fromNativeSeparators(name);
            return reinterpret_cast<qintptr>(h);
        }
        error = GetLastError();
    }
    failure->reason = QStringLiteral("the folder takes no new file (%1)").arg(systemReason(error));
    failure->folderRefuses = error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT;
    if (error == ERROR_PATH_NOT_FOUND || error == ERROR_DIRECTORY)
        failure->reason = QStringLiteral("the folder does not exist");
    return -1;
}

qintptr OpenExisting(const QString &path, QString *reason)
{
    const QString native = QDir::toNativeSeparators(path);
    const HANDLE h = CreateFileW(wide(native), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        *reason = systemReason(GetLastError());
        return -1;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(h) != FILE_TYPE_DISK || !GetFileInformationByHandle(h, &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))) {
        CloseHandle(h);
        *reason = QStringLiteral("it is not a regular file");
        return -1;
    }
    return reinterpret_cast<qintptr>(h);
}

bool Write(qintptr handle, const char *data, qint64 size, QString *reason)
{
    qint64 done = 0;
    while (done < size) {
        DWORD written = 0;
        if (!WriteFile(handleOf(handle), data + done, DWORD(std::min<qint64>(size - done, 1 << 30)), &written,
                       nullptr)) {
            *reason = systemReason(GetLastError());
            return false;
        }
        if (written == 0) {
            *reason = QStringLiteral("nothing more could be written");
            return false;
        }
        done += written;
    }
    return true;
}

bool Truncate(qintptr handle, qint64 size, QString *reason)
{
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile.QuadPart = size;
    if (SetFileInformationByHandle(handleOf(handle), FileEndOfFileInfo, &end, sizeof end))
        return true;
    *reason = systemReason(GetLastError());
    return false;
}

bool Sync(qintptr handle, QString *reason)
{
    if (FlushFileBuffers(handleOf(handle)))
        return true;
    *reason = systemReason(GetLastError());
    return false;
}

void Close(qintptr handle)
{
    CloseHandle(handleOf(handle));
}

bool Rename(const QString &from, const QString &to, QString *reason)
{
    const QString nativeFrom = QDir::toNativeSeparators(from), nativeTo = QDir::toNativeSeparators(to);
    // Write-through: the new name is on the disk when the call returns.
    if (MoveFileExW(wide(nativeFrom), wide(nativeTo), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    *reason = systemReason(GetLastError());
    return false;
}

void Remove(const QString &path)
{
    const QString native = QDir::toNativeSeparators(path);
    DeleteFileW(wide(native));
}

namespace
{

// The handler runs on a thread of its own here, but keeps to plain memory
// all the same: fixed slots, each claimed by one writer at a time.
constexpr int Slots = 32;
constexpr int PathUnits = 4096;
wchar_t slotPaths[Slots][PathUnits];
std::atomic<int> slotState[Slots]; // 0 free, 1 being filled, 2 armed
std::atomic<bool> handlersInstalled{false};

void removeAndEnd(int signal)
{
    for (int i = 0; i < Slots; ++i)
        if (slotState[i].load() == 2)
            DeleteFileW(slotPaths[i]);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void installHandlers()
{
    if (handlersInstalled.exchange(true))
        return;
    // Ctrl+C, a termination request, and Ctrl+Break (a closed console window).
    for (const int signal : {SIGINT, SIGTERM, SIGBREAK}) {
        const auto previous = std::signal(signal, removeAndEnd);
        // A program that handles the signal itself keeps its handler.
        if (previous != SIG_DFL && previous != SIG_ERR)
            std::signal(signal, previous);
    }
}

} // namespace

int RemoveOnInterrupt(const QString &path)
{
    const QString native = QDir::toNativeSeparators(path);
    if (native.size() >= PathUnits)
        return -1;
    installHandlers();
    for (int i = 0; i < Slots; ++i) {
        int free = 0;
        if (slotState[i].compare_exchange_strong(free, 1)) {
            native.toWCharArray(slotPaths[i]);
            slotPaths[i][native.size()] = L'\0';
            slotState[i].store(2);
            return i;
        }
    }
    return -1;
}

void Forget(int slot)
{
    if (slot >= 0 && slot < Slots)
        slotState[slot].store(0);
}

} // namespace System

} // namespace Files
