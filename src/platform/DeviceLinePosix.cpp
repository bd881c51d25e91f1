// A pseudo-terminal or a serial device, polled together with a pipe that
// Stop() writes to.
#include "platform/DeviceLine.h"

#include "platform/PseudoTerminal.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

struct DeviceLine::Impl {
    int fd = -1; // the master of pty, or the device
    PseudoTerminal pty;
    int stopPipe[2] = {-1, -1};
    QString path;
};

namespace
{

QString systemError(const QString &what)
{
    return what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

DeviceLine::DeviceLine() : d_(std::make_unique<Impl>())
{
    if (pipe2(d_->stopPipe, O_NONBLOCK | O_CLOEXEC) != 0)
        d_->stopPipe[0] = d_->stopPipe[1] = -1;
}

DeviceLine::~DeviceLine()
{
    Close();
    for (int fd : d_->stopPipe)
        if (fd >= 0)
            ::close(fd);
}

bool DeviceLine::CreatePseudoTerminal(QString *error)
{
    Close();
    if (!d_->pty.Create(error))
        return false;
    d_->fd = d_->pty.MasterFd();
    d_->path = d_->pty.Path();
    return true;
}

bool DeviceLine::OpenDevice(const QString &device, QString *error)
{
    Close();
    QString why;
    d_->fd = ::open(device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (d_->fd < 0)
        why = systemError(QStringLiteral("Cannot open ") + device);
    else if (!MakeRawLine(d_->fd))
        why = systemError(QStringLiteral("Cannot set up ") + device);
    if (!why.isEmpty()) {
        Close();
        *error = why;
        return false;
    }
    d_->path = device;
    return true;
}

void DeviceLine::Close()
{
    if (d_->fd >= 0 && d_->fd != d_->pty.MasterFd())
        ::close(d_->fd);
    d_->pty.Close();
    d_->fd = -1;
}

bool DeviceLine::IsOpen() const
{
    return d_->fd >= 0;
}

QString DeviceLine::Path() const
{
    return d_->path;
}

void DeviceLine::Stop()
{
    if (d_->stopPipe[1] >= 0) {
        const char c = 1;
        [[maybe_unused]] auto n = ::write(d_->stopPipe[1], &c, 1);
    }
}

DeviceLine::Event DeviceLine::Wait(int timeoutMs, QByteArray *input)
{
    pollfd fds[2] = {{d_->fd, POLLIN, 0}, {d_->stopPipe[0], POLLIN, 0}};
    const int ready = ::poll(fds, 2, timeoutMs);
    if (ready < 0 && errno != EINTR)
        return Event::Gone;
    if (fds[1].revents & POLLIN)
        return Event::Stopped;
    if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) {
        char buffer[4096];
        const ssize_t n = ::read(d_->fd, buffer, sizeof buffer);
        if (n > 0) {
            *input = QByteArray(buffer, qsizetype(n));
            return Event::Input;
        }
        if (n == 0 || (errno != EAGAIN && errno != EINTR))
            return Event::Gone; // the device went away
    }
    return Event::Timeout;
}

void DeviceLine::Drain(int timeoutMs)
{
    if (d_->fd < 0)
        return;
    if (d_->fd != d_->pty.MasterFd()) {
        ::tcdrain(d_->fd);
        return;
    }
    // The system hands what the master wrote to the other end a moment later:
    // an empty queue only counts once the bytes were seen in it, or after a
    // while.
    using namespace std::chrono;
    const auto start = steady_clock::now();
    bool seen = false;
    for (;;) {
        const int unread = d_->pty.Unread();
        if (unread < 0)
            return;
        const auto elapsed = steady_clock::now() - start;
        if (unread > 0)
            seen = true;
        else if (seen || elapsed >= milliseconds(50))
            return;
        if (elapsed >= milliseconds(timeoutMs))
            return;
        SleepUntil(steady_clock::now() + milliseconds(1));
    }
}

bool DeviceLine::Write(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (d_->fd >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(d_->fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
        } else if (n < 0 && errno == EAGAIN) {
            pollfd p{d_->fd, POLLOUT, 0};
            ::poll(&p, 1, 100);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            return false;
        }
    }
    return done == bytes.size();
}

void DeviceLine::PreciseTimers()
{
    // The default slack is 50 us.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
}

void DeviceLine::SleepUntil(std::chrono::steady_clock::time_point due)
{
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(due.time_since_epoch()).count();
    timespec ts{};
    ts.tv_sec = time_t(ns / 1000000000);
    ts.tv_nsec = long(ns % 1000000000);
    // steady_clock is CLOCK_MONOTONIC on Linux.
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}
