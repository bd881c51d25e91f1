#pragma once

// What the file door needs of the operating system; one implementation per
// system (FilesPosix.cpp, FilesWindows.cpp).
#include <QString>

namespace Files::System
{

enum class Kind { Missing, Regular, Folder, Link, Other };
// What the name itself is, without following a link.
Kind KindOf(const QString &path);

struct Identity {
    bool exists = false;
    quint64 device = 0;
    quint64 file = 0;
};
// The file a name reaches, through links.
Identity IdentityOf(const QString &path);

struct Failure {
    QString reason;
    bool folderRefuses = false; // no new file can be made in the folder
};

// Creates a new file "<target>.XXXXXX.part" beside the target, never opening
// anything that is already there. Its handle, or -1.
qintptr CreateTemporary(const QString &target, QString *created, Failure *failure);
// An existing regular file for writing from its start, no link followed.
qintptr OpenExisting(const QString &path, QString *reason);
bool Write(qintptr handle, const char *data, qint64 size, QString *reason);
bool Truncate(qintptr handle, qint64 size, QString *reason);
bool Sync(qintptr handle, QString *reason);
void Close(qintptr handle);
// Puts `from` in the place of `to`, replacing a file there.
bool Rename(const QString &from, const QString &to, QString *reason);
void Remove(const QString &path);

// Files an interrupted program removes before it ends. A slot number, or -1
// when every slot is taken (the file is then only removed on errors).
int RemoveOnInterrupt(const QString &path);
void Forget(int slot);

} // namespace Files::System
