#pragma once

#include <QByteArray>
#include <QString>

// The one door for the files the program reads and writes.
//
// Reading: only regular files, up to a size the caller fits to what it reads,
// so a FIFO, a device or an endless file never blocks or floods a reader.
//
// Writing: every file goes to an exclusive temporary file beside its target
// (a unique name, created new, no link followed), is synced and renamed over
// the target. A target that exists and is not a regular file (a folder, link,
// FIFO or device) is refused, and so is one that is the same file as an input
// of the run (see InputScope). The temporary file is removed on every error
// and when the program is interrupted (SIGINT, SIGTERM, SIGHUP).
namespace Files
{

// Reads at most maxBytes from the start of a regular file. Anything else
// (a folder, FIFO, socket or device) is refused without waiting on it.
// False with a readable reason in *error.
bool ReadRegular(const QString &path, qint64 maxBytes, QByteArray *data, QString *error = nullptr);

// True when both names reach the same file: the same device and inode when
// both exist (through links of either kind), else the same absolute path.
bool SameFile(const QString &a, const QString &b);

// The files a run reads and so must never replace: the project, its
// background pictures as they were found, a script. Inputs are known while
// their scope lives; scopes may nest and may live on other threads.
class InputScope
{
public:
    InputScope();
    ~InputScope();
    InputScope(const InputScope &) = delete;
    InputScope &operator=(const InputScope &) = delete;

    // `what` names the input in a refusal: "the project file".
    void Add(const QString &path, const QString &what);

private:
    int id_;
};

// Empty when `target` may be written, else why not: "it is a folder", "it is
// a symbolic link", "it is the project file"...
QString TargetProblem(const QString &target);

struct WriteOptions {
    // Off only for files every run makes again (rendered pictures): syncing
    // a hundred of them costs far more than drawing them.
    bool sync = true;
    // Where the folder refuses a temporary file, an existing regular file
    // that may be written is written in place (synced, but not atomic).
    bool allowInPlace = true;
};

struct WriteOutcome {
    bool inPlace = false; // the in-place fall-back was taken
};

// Writes `bytes` as the whole new content of `target`. False with the reason
// in *error (the target named by the caller, not here).
bool Write(const QString &target, const QByteArray &bytes, QString *error, const WriteOptions &options = {},
           WriteOutcome *outcome = nullptr);

// A new file written piece by piece (a card image) and put in place at the
// end. Until Commit, the target is untouched.
class NewFile
{
public:
    NewFile() = default;
    ~NewFile();
    NewFile(const NewFile &) = delete;
    NewFile &operator=(const NewFile &) = delete;

    // Checks the target and creates the temporary file beside it.
    bool Create(const QString &target, QString *error);
    // The open temporary file: a file descriptor, or a HANDLE on Windows.
    qintptr Handle() const { return handle_; }
    const QString &TemporaryPath() const { return temporary_; }
    // Appends at the current position.
    bool Append(const QByteArray &bytes, QString *error);
    // Syncs (unless told not to), closes and renames over the target.
    bool Commit(QString *error, bool sync = true);
    // Closes and removes the temporary file; the target stays as it was.
    void Discard();

private:
    QString target_;
    QString temporary_;
    qintptr handle_ = -1;
    int cleanupSlot_ = -1;
};

} // namespace Files
