#include "systemfixtures.h"

#include <QFile>

#include <csignal>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

bool MakeFifo(const QString &path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

bool MakeHardLink(const QString &existing, const QString &link)
{
    return ::link(QFile::encodeName(existing).constData(), QFile::encodeName(link).constData()) == 0;
}

bool MakeSymbolicLink(const QString &target, const QString &link)
{
    return QFile::link(target, link);
}

bool MakeNullDeviceNode(const QString &path)
{
    return ::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0644, makedev(1, 3)) == 0;
}

void SetEnvironmentText(const char *name, const QString &value)
{
    if (value.isEmpty())
        qunsetenv(name);
    else
        qputenv(name, value.toLocal8Bit());
}

bool StandInDiskList()
{
    return true;
}

bool SerialPortsExclusive()
{
    return true;
}

QString NullDevice()
{
    return QStringLiteral("/dev/null");
}

QString EndlessDevice()
{
    return QStringLiteral("/dev/zero");
}

FolderRefusingNewFiles::FolderRefusingNewFiles(const QString &folder) : folder_(folder)
{
    // Root may create files anywhere, except in an immutable folder.
    fd_ = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    immutable_ = ::geteuid() == 0 && ::ioctl(fd_, FS_IOC_GETFLAGS, &flags_) == 0 &&
                 (flags_ |= FS_IMMUTABLE_FL, ::ioctl(fd_, FS_IOC_SETFLAGS, &flags_) == 0);
    if (!immutable_)
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
}

FolderRefusingNewFiles::~FolderRefusingNewFiles()
{
    if (immutable_)
        flags_ &= ~FS_IMMUTABLE_FL, ::ioctl(fd_, FS_IOC_SETFLAGS, &flags_);
    ::close(fd_);
    QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

FileSizeLimit::FileSizeLimit(long long bytes)
{
    struct rlimit old {
    };
    getrlimit(RLIMIT_FSIZE, &old);
    old_ = old.rlim_cur;
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit lim = old;
    lim.rlim_cur = rlim_t(bytes);
    active_ = setrlimit(RLIMIT_FSIZE, &lim) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    struct rlimit lim {
    };
    getrlimit(RLIMIT_FSIZE, &lim);
    lim.rlim_cur = rlim_t(old_);
    setrlimit(RLIMIT_FSIZE, &lim);
    std::signal(SIGXFSZ, oldHandler_);
}
