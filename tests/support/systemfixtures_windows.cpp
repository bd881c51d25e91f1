#include "systemfixtures.h"

#include <QDir>

#include <windows.h>

namespace
{
const wchar_t *wide(const QString &nativePath)
{
    return reinterpret_cast<const wchar_t *>(nativePath.utf16());
}
} // namespace

bool MakeFifo(const QString &)
{
    return false;
}

bool MakeHardLink(const QString &existing, const QString &link)
{
    const QString from = QDir::toNativeSeparators(existing), to = QDir::toNativeSeparators(link);
    return CreateHardLinkW(wide(to), wide(from), nullptr);
}

bool MakeSymbolicLink(const QString &target, const QString &link)
{
    // Not QFile::link: on Windows that makes a shell shortcut, an ordinary file.
    const QString from = QDir::toNativeSeparators(target), to = QDir::toNativeSeparators(link);
    if (!CreateSymbolicLinkW(wide(to), wide(from), SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE))
        return false;
    // Only a link the system shows as one (a reparse point) tests anything;
    // Wine makes a link of its own host instead.
    const DWORD attributes = GetFileAttributesW(wide(to));
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return true;
    DeleteFileW(wide(to));
    return false;
}

bool MakeNullDeviceNode(const QString &)
{
    return false;
}

void SetEnvironmentText(const char *name, const QString &value)
{
    if (value.isEmpty())
        qunsetenv(name);
    else
        qputenv(name, value.toLocal8Bit());
    _wputenv_s(reinterpret_cast<const wchar_t *>(QString::fromLatin1(name).utf16()), wide(value));
}

bool StandInDiskList()
{
    return false;
}

bool SerialPortsExclusive()
{
    return !GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version");
}

QString NullDevice()
{
    return QStringLiteral("NUL");
}

QString EndlessDevice()
{
    return {};
}

// Folder permissions do not bind an administrator here, and Wine's files
// follow the Linux user's rights: the test finds out and skips itself.
FolderRefusingNewFiles::FolderRefusingNewFiles(const QString &folder) : folder_(folder) {}

FolderRefusingNewFiles::~FolderRefusingNewFiles() = default;

FileSizeLimit::FileSizeLimit(long long) {}

FileSizeLimit::~FileSizeLimit() = default;
