#pragma once

#include <QByteArray>
#include <QString>

// File checks that no input can defeat: a FIFO, a socket or a device named
// where a file is expected never blocks a read, and two names for one file
// are recognised as one.
namespace Files
{

// Reads at most maxBytes from the start of a regular file. Anything else
// (a folder, FIFO, socket or device) is refused without waiting on it.
// False with a readable reason in *error.
bool ReadRegular(const QString &path, qint64 maxBytes, QByteArray *data, QString *error = nullptr);

// True when both names reach the same file: the same device and inode when
// both exist (through links of either kind), else the same absolute path.
bool SameFile(const QString &a, const QString &b);

} // namespace Files
