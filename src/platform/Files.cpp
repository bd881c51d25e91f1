#include "platform/Files.h"
#include "platform/FilesSystem.h"

#include <QDir>
#include <QFileInfo>

#include <mutex>
#include <vector>

namespace Files
{

namespace
{

struct Input {
    int scope;
    QString what;
    QString canonical;
    System::Identity identity;
};

std::mutex inputsLock;
std::vector<Input> inputs;
int lastScope = 0;

// The canonical path of a file that may not exist yet: its folder's, and its name.
QString canonicalOf(const QString &path)
{
    const QFileInfo info(path);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    const QString inFolder = (folder.isEmpty() ? info.absolutePath() : folder) + QLatin1Char('/') + info.fileName();
    const QString whole = info.canonicalFilePath();
    return QDir::cleanPath(whole.isEmpty() ? inFolder : whole);
}

} // namespace

bool SameFile(const QString &a, const QString &b)
{
    const System::Identity ia = System::IdentityOf(a), ib = System::IdentityOf(b);
    if (ia.exists && ib.exists)
        return ia.device == ib.device && ia.file == ib.file;
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

InputScope::InputScope()
{
    const std::lock_guard lock(inputsLock);
    id_ = ++lastScope;
}

InputScope::~InputScope()
{
    const std::lock_guard lock(inputsLock);
    std::erase_if(inputs, [this](const Input &i) { return i.scope == id_; });
}

void InputScope::Add(const QString &path, const QString &what)
{
    if (path.isEmpty())
        return;
    Input input{id_, what, canonicalOf(path), System::IdentityOf(path)};
    const std::lock_guard lock(inputsLock);
    inputs.push_back(std::move(input));
}

QString TargetProblem(const QString &target)
{
    switch (System::KindOf(target)) {
    case System::Kind::Folder:
        return QStringLiteral("it is a folder");
    case System::Kind::Link:
        return QStringLiteral("it is a symbolic link; name the file it points to");
    case System::Kind::Other:
        return QStringLiteral("it is not a regular file (a device, FIFO or socket)");
    case System::Kind::Missing:
    case System::Kind::Regular:
        break;
    }
    // Two names of one file (a hard link, another spelling of the path) are
    // recognised by the file's identity; a target that does not exist yet by
    // its canonical path.
    const System::Identity identity = System::IdentityOf(target);
    const QString canonical = canonicalOf(target);
    const std::lock_guard lock(inputsLock);
    for (const Input &input : inputs) {
        const bool sameIdentity = identity.exists && input.identity.exists &&
                                  identity.device == input.identity.device && identity.file == input.identity.file;
        if (sameIdentity || canonical == input.canonical)
            return QStringLiteral("it is %1").arg(input.what);
    }
    return {};
}

NewFile::~NewFile()
{
    Discard();
}

bool NewFile::Create(const QString &target, QString *error)
{
    Discard();
    if (const QString problem = TargetProblem(target); !problem.isEmpty()) {
        *error = problem;
        return false;
    }
    System::Failure failure;
    handle_ = System::CreateTemporary(target, &temporary_, &failure);
    if (handle_ == -1) {
        *error = failure.reason;
        return false;
    }
    target_ = target;
    cleanupSlot_ = System::RemoveOnInterrupt(temporary_);
    return true;
}

bool NewFile::Append(const QByteArray &bytes, QString *error)
{
    return System::Write(handle_, bytes.constData(), bytes.size(), error);
}

bool NewFile::Commit(QString *error, bool sync)
{
    if (handle_ == -1) {
        *error = QStringLiteral("nothing was written");
        return false;
    }
    // The target is checked again: it may have been replaced meanwhile.
    QString problem = TargetProblem(target_);
    if (problem.isEmpty() && sync)
        System::Sync(handle_, &problem);
    if (!problem.isEmpty()) {
        *error = problem;
        Discard();
        return false;
    }
    System::Close(handle_);
    handle_ = -1;
    if (!System::Rename(temporary_, target_, error)) {
        Discard();
        return false;
    }
    System::Forget(cleanupSlot_);
    cleanupSlot_ = -1;
    temporary_.clear();
    return true;
}

void NewFile::Discard()
{
    if (handle_ != -1)
        System::Close(handle_);
    handle_ = -1;
    if (!temporary_.isEmpty())
        System::Remove(temporary_);
    temporary_.clear();
    System::Forget(cleanupSlot_);
    cleanupSlot_ = -1;
}

namespace
{

bool writeInPlace(const QString &target, const QByteArray &bytes, bool sync, QString *error)
{
    const qintptr handle = System::OpenExisting(target, error);
    if (handle == -1)
        return false;
    // Grown first and cut last, so the file never ends before its old size
    // while the new bytes go in.
    bool ok = System::Write(handle, bytes.constData(), bytes.size(), error) &&
              System::Truncate(handle, bytes.size(), error) && (!sync || System::Sync(handle, error));
    System::Close(handle);
    return ok;
}

} // namespace

bool Write(const QString &target, const QByteArray &bytes, QString *error, const WriteOptions &options,
           WriteOutcome *outcome)
{
    QString reason;
    if (outcome)
        *outcome = {};
    if (reason = TargetProblem(target); reason.isEmpty()) {
        System::Failure failure;
        QString temporary;
        const qintptr handle = System::CreateTemporary(target, &temporary, &failure);
        if (handle == -1) {
            reason = failure.reason;
            if (failure.folderRefuses && options.allowInPlace && System::KindOf(target) == System::Kind::Regular) {
                if (writeInPlace(target, bytes, options.sync, &reason)) {
                    if (outcome)
                        outcome->inPlace = true;
                    return true;
                }
            }
        } else {
            const int slot = System::RemoveOnInterrupt(temporary);
            bool ok = System::Write(handle, bytes.constData(), bytes.size(), &reason) &&
                      (!options.sync || System::Sync(handle, &reason));
            System::Close(handle);
            ok = ok && System::Rename(temporary, target, &reason);
            if (!ok)
                System::Remove(temporary);
            System::Forget(slot);
            if (ok)
                return true;
        }
    }
    if (error)
        *error = reason;
    return false;
}

} // namespace Files
