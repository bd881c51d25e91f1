#include "systemfixtures.h"

bool MakeFifo(const QString &)
{
    return false;
}

// Folder permissions do not bind an administrator here, and Wine's files
// follow the Linux user's rights: the test finds out and skips itself.
FolderRefusingNewFiles::FolderRefusingNewFiles(const QString &folder) : folder_(folder) {}

FolderRefusingNewFiles::~FolderRefusingNewFiles() = default;

FileSizeLimit::FileSizeLimit(long long) {}

FileSizeLimit::~FileSizeLimit() = default;
