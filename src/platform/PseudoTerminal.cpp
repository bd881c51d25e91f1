#include "platform/PseudoTerminal.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace
{

QString systemError(const QString &what)
{
    return what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

bool MakeRawLine(int fd)
{
    termios t{};
    if (tcgetattr(fd, &t) != 0)
        return false;
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cflag &= ~tcflag_t(CRTSCTS | CSTOPB | PARENB);
    t.c_iflag &= ~tcflag_t(IXON | IXOFF | IXANY);
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    cfsetispeed(&t, B115200);
    cfsetospeed(&t, B115200);
    return tcsetattr(fd, TCSANOW, &t) == 0;
}

bool PseudoTerminal::Create(QString *error)
{
    Close();
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        *error = systemError(QStringLiteral("Cannot create a pseudo-terminal"));
        Close();
        return false;
    }
    char name[128];
    if (ptsname_r(master_, name, sizeof name) != 0) {
        *error = systemError(QStringLiteral("Cannot name the pseudo-terminal"));
        Close();
        return false;
    }
    path_ = QString::fromLocal8Bit(name);
    // Holding the other end open keeps the line up between the sessions of
    // the program using it (else the master reports a hang-up), and raw mode
    // keeps the terminal from echoing or line-buffering before it opens.
    keeper_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (keeper_ < 0 || !MakeRawLine(keeper_)) {
        *error = systemError(QStringLiteral("Cannot set up ") + path_);
        Close();
        return false;
    }
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    return true;
}

void PseudoTerminal::Close()
{
    if (master_ >= 0)
        ::close(master_);
    if (keeper_ >= 0)
        ::close(keeper_);
    master_ = keeper_ = -1;
}

int PseudoTerminal::Unread() const
{
    // Every opening of the other end reads the same input queue.
    int unread = 0;
    return keeper_ >= 0 && ::ioctl(keeper_, FIONREAD, &unread) == 0 ? unread : -1;
}
