#pragma once

#include <QString>

// What a test needs the system to do that only some systems can: each has
// its own implementation (systemfixtures_posix.cpp, systemfixtures_windows.cpp).

// Makes a FIFO at the path; false where the system has none.
bool MakeFifo(const QString &path);

// While it lives, the folder refuses new files to this user where the system
// lets a test arrange that (root included, through the immutable flag).
class FolderRefusingNewFiles
{
public:
    explicit FolderRefusingNewFiles(const QString &folder);
    ~FolderRefusingNewFiles();
    FolderRefusingNewFiles(const FolderRefusingNewFiles &) = delete;
    FolderRefusingNewFiles &operator=(const FolderRefusingNewFiles &) = delete;

private:
    QString folder_;
    int fd_ = -1;
    int flags_ = 0;
    bool immutable_ = false;
};

// While it lives, the process may not make files larger than `bytes`; a
// write past it fails instead of ending the process.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(long long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;
    // False where the system has no such limit.
    bool Active() const { return active_; }

private:
    bool active_ = false;
    unsigned long long old_ = 0;
    void (*oldHandler_)(int) = nullptr;
};
