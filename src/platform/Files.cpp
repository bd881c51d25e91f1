#include "platform/Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace Files
{

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
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
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
            return fail(QString::fromLocal8Bit(std::strerror(e)));
        }
        if (n == 0)
            break; // shortened while we read it
        done += n;
    }
    ::close(fd);
    data->resize(qsizetype(done));
    return true;
}

bool SameFile(const QString &a, const QString &b)
{
    struct stat sa {
    }, sb{};
    if (::stat(QFile::encodeName(a).constData(), &sa) == 0 && ::stat(QFile::encodeName(b).constData(), &sb) == 0)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

} // namespace Files
