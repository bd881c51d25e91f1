#include "platform/Files.h"
#include "platform/FilesSystem.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

namespace Files
{

namespace
{

QString errnoText(int e)
{
    return QString::fromLocal8Bit(std::strerror(e));
}

} // namespace

bool ReadRegular(const QString &path, qint64 maxBytes, QByteArray *data, QString *error)
{
    auto fail = [&](const QString &reason) {
        if (error)
            *error = reason;
        return false;
    };
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return fail(errnoText(errno));
    struct stat st {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return fail(S_ISDIR(st.st_mode) ? QStringLiteral("it is a folder")
                                        : QStringLiteral("it is not a regular file"));
    }
    const qint64 want = std::min<qint64>(maxBytes, st.st_size);
    data->resize(qsizetype(want));
    qint64 done = 0;
    while (done < want) {
        const ssize_t n = ::read(fd, data->data() + done, size_t(want - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int e = errno;
            ::close(fd);
            data->clear();
            return fail(errnoText(e));
        }
        if (n == 0)
            break; // shortened while we read it
        done += n;
    }
    ::close(fd);
    data->resize(qsizetype(done));
    return true;
}

namespace System
{

Kind KindOf(const QString &path)
{
    struct stat st {
    };
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return Kind::Missing;
    if (S_ISREG(st.st_mode))
        return Kind::Regular;
    if (S_ISDIR(st.st_mode))
        return Kind::Folder;
    if (S_ISLNK(st.st_mode))
        return Kind::Link;
    return Kind::Other;
}

Identity IdentityOf(const QString &path)
{
    struct stat st {
    };
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {true, quint64(st.st_dev), quint64(st.st_ino)};
}

qintptr CreateTemporary(const QString &target, QString *created, Failure *failure)
{
    QByteArray name = QFile::encodeName(target + QStringLiteral(".XXXXXX.part"));
    // mkostemps creates with O_EXCL: a file or link already there is never opened.
    const int fd = ::mkostemps(name.data(), 5, O_CLOEXEC);
    if (fd < 0) {
        const int e = errno;
        failure->reason = QStringLiteral("the folder takes no new file (%1)").arg(errnoText(e));
        failure->folderRefuses = e == EACCES || e == EPERM || e == EROFS;
        if (e == ENOENT || e == ENOTDIR)
            failure->reason = QStringLiteral("the folder does not exist");
        return -1;
    }
    // A replaced file keeps its permissions; a new one gets what the umask allows.
    static const mode_t umask = [] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return mask;
    }();
    struct stat existing {
    };
    const bool replaces = ::stat(QFile::encodeName(target).constData(), &existing) == 0 && S_ISREG(existing.st_mode);
    ::fchmod(fd, replaces ? existing.st_mode & 07777 : 0666 & ~umask);
    *created = QFile::decodeName(name);
    return fd;
}

qintptr OpenExisting(const QString &path, QString *reason)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *reason = errnoText(errno);
        return -1;
    }
    struct stat st {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        *reason = QStringLiteral("it is not a regular file");
        return -1;
    }
    return fd;
}

bool Write(qintptr handle, const char *data, qint64 size, QString *reason)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::write(int(handle), data + done, size_t(size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            *reason = n < 0 ? errnoText(errno) : QStringLiteral("nothing more could be written");
            return false;
        }
        done += n;
    }
    return true;
}

bool Truncate(qintptr handle, qint64 size, QString *reason)
{
    if (::ftruncate(int(handle), off_t(size)) == 0)
        return true;
    *reason = errnoText(errno);
    return false;
}

bool Sync(qintptr handle, QString *reason)
{
    if (::fsync(int(handle)) == 0)
        return true;
    *reason = errnoText(errno);
    return false;
}

void Close(qintptr handle)
{
    ::close(int(handle));
}

bool Rename(const QString &from, const QString &to, QString *reason)
{
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    *reason = errnoText(errno);
    return false;
}

void Remove(const QString &path)
{
    ::unlink(QFile::encodeName(path).constData());
}

namespace
{

// The signal handler may only read plain memory: fixed slots, each claimed
// by one writer at a time.
constexpr int Slots = 32;
constexpr size_t PathBytes = 4096;
char slotPaths[Slots][PathBytes];
std::atomic<int> slotState[Slots]; // 0 free, 1 being filled, 2 armed
std::atomic<bool> handlersInstalled{false};

void removeAndEnd(int signal)
{
    for (int i = 0; i < Slots; ++i)
        if (slotState[i].load() == 2)
            ::unlink(slotPaths[i]);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void installHandlers()
{
    if (handlersInstalled.exchange(true))
        return;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction previous {
        };
        ::sigaction(signal, nullptr, &previous);
        // A program that handles the signal itself keeps its handler.
        if (previous.sa_handler != SIG_DFL)
            continue;
        struct sigaction action {
        };
        action.sa_handler = removeAndEnd;
        sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
    }
}

} // namespace

int RemoveOnInterrupt(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    if (native.size() >= qsizetype(PathBytes))
        return -1;
    installHandlers();
    for (int i = 0; i < Slots; ++i) {
        int free = 0;
        if (slotState[i].compare_exchange_strong(free, 1)) {
            std::memcpy(slotPaths[i], native.constData(), size_t(native.size()) + 1);
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
