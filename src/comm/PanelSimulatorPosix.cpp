// The simulator's end of the line on Linux: a pseudo-terminal of its own or a
// serial device, polled together with a pipe that Stop() writes to.
#include "comm/PanelSimulator.h"

#include "comm/PseudoTerminal.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <unistd.h>

struct PanelSimulator::Line {
    int fd = -1; // the master of pty, or the device
    PseudoTerminal pty;
    int stopPipe[2] = {-1, -1};

    Line()
    {
        if (pipe2(stopPipe, O_NONBLOCK | O_CLOEXEC) != 0)
            stopPipe[0] = stopPipe[1] = -1;
    }
    ~Line()
    {
        for (int fd : stopPipe)
            if (fd >= 0)
                ::close(fd);
    }
};

namespace
{

QString systemError(const QString &what)
{
    return what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

PanelSimulator::Line *PanelSimulator::newLine()
{
    return new Line;
}

void PanelSimulator::deleteLine(Line *line)
{
    delete line;
}

bool PanelSimulator::CreatePseudoTerminal(QString *error)
{
    closeLine();
    QString why;
    if (!line_->pty.Create(&why)) {
        if (error)
            *error = why;
        return false;
    }
    line_->fd = line_->pty.MasterFd();
    linePath_ = line_->pty.Path();
    return true;
}

bool PanelSimulator::OpenDevice(const QString &device, QString *error)
{
    closeLine();
    QString why;
    line_->fd = ::open(device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (line_->fd < 0)
        why = systemError(QStringLiteral("Cannot open ") + device);
    else if (!MakeRawLine(line_->fd))
        why = systemError(QStringLiteral("Cannot set up ") + device);
    if (!why.isEmpty()) {
        closeLine();
        if (error)
            *error = why;
        return false;
    }
    linePath_ = device;
    return true;
}

void PanelSimulator::closeLine()
{
    if (line_->fd >= 0 && line_->fd != line_->pty.MasterFd())
        ::close(line_->fd);
    line_->pty.Close();
    line_->fd = -1;
}

bool PanelSimulator::lineOpen() const
{
    return line_->fd >= 0;
}

void PanelSimulator::Stop()
{
    if (line_->stopPipe[1] >= 0) {
        const char c = 1;
        [[maybe_unused]] auto n = ::write(line_->stopPipe[1], &c, 1);
    }
}

bool PanelSimulator::Inject(const QByteArray &data)
{
    return lineOpen() && writeAll(data);
}

void PanelSimulator::beginRun()
{
    // A paced line answers on time to the microsecond, not within the
    // default 50 us timer slack.
    if (charTime_.count() > 0)
        prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
}

PanelSimulator::Event PanelSimulator::waitForInput(int timeoutMs, QByteArray *input)
{
    pollfd fds[2] = {{line_->fd, POLLIN, 0}, {line_->stopPipe[0], POLLIN, 0}};
    const int ready = ::poll(fds, 2, timeoutMs);
    if (ready < 0 && errno != EINTR)
        return Event::Gone;
    if (fds[1].revents & POLLIN)
        return Event::Stopped;
    if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) {
        char buffer[4096];
        const ssize_t n = ::read(line_->fd, buffer, sizeof buffer);
        if (n > 0) {
            *input = QByteArray(buffer, qsizetype(n));
            return Event::Input;
        }
        if (n == 0 || (errno != EAGAIN && errno != EINTR))
            return Event::Gone; // the device went away
    }
    return Event::Timeout;
}

void PanelSimulator::sleepUntil(Clock::time_point due)
{
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(due.time_since_epoch()).count();
    timespec ts{};
    ts.tv_sec = time_t(ns / 1000000000);
    ts.tv_nsec = long(ns % 1000000000);
    // steady_clock is CLOCK_MONOTONIC on Linux.
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

bool PanelSimulator::writeAll(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (lineOpen() && done < bytes.size()) {
        const ssize_t n = ::write(line_->fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
        } else if (n < 0 && errno == EAGAIN) {
            pollfd p{line_->fd, POLLOUT, 0};
            ::poll(&p, 1, 100);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            return false;
        }
    }
    return done == bytes.size();
}
