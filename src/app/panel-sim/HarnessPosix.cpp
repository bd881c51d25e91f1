#include "Harness.h"

#include "SimulatorOptions.h"
#include "platform/PseudoTerminal.h"

#include <QByteArrayList>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <map>
#include <memory>
#include <thread>
#include <vector>

namespace
{

std::atomic<bool> stopping{false};

constexpr int ControlPort = 9;
constexpr int FirstPort = 10;

// Writes all of the bytes to a non-blocking descriptor; false when it fails
// or `stop` is raised while the far end does not read.
bool writeAll(int fd, const char *data, qsizetype size, const std::atomic<bool> &stop)
{
    qsizetype done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size_t(size - done));
        if (n > 0) {
            done += n;
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            pollfd p{fd, POLLOUT, 0};
            ::poll(&p, 1, 100);
            if (stop)
                return false;
        } else {
            return false;
        }
    }
    return true;
}

// Two pseudo-terminals whose traffic is copied across, as a null-modem cable does.
struct Bridge {
    PseudoTerminal ends[2];
    std::atomic<bool> stop{false};

    void Run()
    {
        char buffer[4096];
        while (!stop) {
            pollfd fds[2] = {{ends[0].MasterFd(), POLLIN, 0}, {ends[1].MasterFd(), POLLIN, 0}};
            if (::poll(fds, 2, 50) <= 0)
                continue;
            for (int i = 0; i < 2; ++i) {
                if (!(fds[i].revents & POLLIN))
                    continue;
                const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
                if (n > 0)
                    writeAll(fds[1 - i].fd, buffer, n, stop);
            }
        }
    }
};

// A panel or a cable served, with the COM numbers its lines are linked as.
struct Served {
    std::unique_ptr<PanelSimulator> sim;
    std::unique_ptr<Bridge> bridge;
    std::thread thread;
    std::vector<int> ports;
};

class Harness
{
public:
    explicit Harness(const QString &linksFolder) : links_(linksFolder) {}
    ~Harness()
    {
        for (auto &[id, served] : served_)
            close(served);
        if (!links_.isEmpty())
            QFile::remove(linkPath(ControlPort));
    }
    Harness(const Harness &) = delete;
    Harness &operator=(const Harness &) = delete;

    bool Open(QString *error)
    {
        if (!control_.Create(error))
            return false;
        controlName_ = name(control_.Path(), ControlPort, error);
        return !controlName_.isEmpty();
    }
    QString ControlName() const { return controlName_; }

    void Run()
    {
        QByteArray input;
        char buffer[4096];
        while (!stopping) {
            pollfd p{control_.MasterFd(), POLLIN, 0};
            if (::poll(&p, 1, 100) <= 0)
                continue;
            const ssize_t n = ::read(control_.MasterFd(), buffer, sizeof buffer);
            if (n <= 0)
                continue; // the test program closed its end; the keeper holds the line
            input.append(buffer, n);
            for (qsizetype end; (end = input.indexOf('\n')) >= 0;) {
                const QByteArray line = input.left(end).trimmed();
                input.remove(0, end + 1);
                if (line.isEmpty())
                    continue;
                const QByteArray reply = answer(line.split(' ')) + '\n';
                if (!writeAll(control_.MasterFd(), reply.constData(), reply.size(), stopping))
                    return;
            }
        }
    }

private:
    static QByteArray refusal(const QString &why) { return "error " + why.toUtf8().toPercentEncoding(); }

    QString linkPath(int port) const { return QDir(links_).filePath(QStringLiteral("com%1").arg(port)); }

    // Links a line as COM<port> when there is a links folder; returns the
    // name to open it by, or empty with the reason.
    QString name(const QString &path, int port, QString *error)
    {
        if (links_.isEmpty())
            return path;
        const QString link = linkPath(port);
        QFile::remove(link); // left by an earlier run
        if (!QFile::link(path, link)) {
            *error = QStringLiteral("Cannot make the link %1").arg(link);
            return {};
        }
        return QStringLiteral("\\\\.\\COM%1").arg(port);
    }

    // Names a line of `served`, on the next COM number when linked.
    QString name(Served &served, const QString &path, QString *error)
    {
        int port = 0;
        if (!links_.isEmpty()) {
            port = FirstPort;
            for (const auto &[id, other] : served_)
                for (int used : other.ports)
                    port = std::max(port, used + 1);
            for (int used : served.ports)
                port = std::max(port, used + 1);
        }
        const QString line = name(path, port, error);
        if (!line.isEmpty() && port > 0)
            served.ports.push_back(port);
        return line;
    }

    void close(Served &served)
    {
        if (served.thread.joinable()) {
            if (served.sim)
                served.sim->Stop();
            if (served.bridge)
                served.bridge->stop = true;
            served.thread.join();
        }
        for (int port : served.ports)
            QFile::remove(linkPath(port));
        served.ports.clear();
    }

    QByteArray answer(const QByteArrayList &encoded)
    {
        QStringList words;
        for (const QByteArray &word : encoded)
            if (!word.isEmpty())
                words << QString::fromUtf8(QByteArray::fromPercentEncoding(word));
        const QString request = words.takeFirst();
        if (request == QLatin1String("open"))
            return open(words);
        if (request == QLatin1String("bridge"))
            return bridge();
        bool ok = false;
        const int id = words.value(0).toInt(&ok);
        const auto found = served_.find(id);
        if (!ok || found == served_.end())
            return refusal(QStringLiteral("no panel or cable '%1'").arg(words.value(0)));
        if (request == QLatin1String("close")) {
            close(found->second);
            served_.erase(found);
            return "ok";
        }
        if (!found->second.sim)
            return refusal(QStringLiteral("%1 is a cable").arg(id));
        PanelSimulator &sim = *found->second.sim;
        if (request == QLatin1String("counts"))
            return QStringLiteral("ok %1 %2 %3 %4 %5")
                .arg(sim.BlocksReceived())
                .arg(sim.MalformedFrames())
                .arg(sim.ChecksumQueries())
                .arg(sim.FirmwareQueries())
                .arg(int(sim.LineDropped()))
                .toLatin1();
        if (request == QLatin1String("received"))
            return "ok " + sim.Received().toHex();
        if (request == QLatin1String("inject"))
            return sim.Inject(QByteArray::fromHex(words.value(1).toLatin1())) ? "ok" : refusal("the line is closed");
        return refusal(QStringLiteral("unknown request '%1'").arg(request));
    }

    QByteArray open(const QStringList &arguments)
    {
        QCommandLineParser parser;
        options_.AddTo(parser);
        PanelSimulator::Options options;
        QString error;
        if (!parser.parse(QStringList{QStringLiteral("open")} + arguments))
            error = parser.errorText();
        else if (!parser.positionalArguments().isEmpty())
            error = QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first());
        else
            options_.Read(parser, &options, &error);
        if (!error.isEmpty())
            return refusal(error);

        Served served;
        served.sim = std::make_unique<PanelSimulator>(options);
        if (!served.sim->CreatePseudoTerminal(&error))
            return refusal(error);
        const QString line = name(served, served.sim->LinePath(), &error);
        if (line.isEmpty())
            return refusal(error);
        PanelSimulator *sim = served.sim.get();
        served.thread = std::thread([sim] { sim->Run(); });
        return keep(std::move(served), {line});
    }

    QByteArray bridge()
    {
        Served served;
        served.bridge = std::make_unique<Bridge>();
        QString error;
        QStringList lines;
        for (PseudoTerminal &end : served.bridge->ends) {
            if (!end.Create(&error))
                break;
            lines << name(served, end.Path(), &error);
            if (lines.last().isEmpty())
                break;
        }
        if (!error.isEmpty()) {
            close(served);
            return refusal(error);
        }
        Bridge *cable = served.bridge.get();
        served.thread = std::thread([cable] { cable->Run(); });
        return keep(std::move(served), lines);
    }

    QByteArray keep(Served &&served, const QStringList &lines)
    {
        const int id = next_++;
        served_.emplace(id, std::move(served));
        QByteArray reply = "ok " + QByteArray::number(id);
        for (const QString &line : lines)
            reply += ' ' + line.toUtf8().toPercentEncoding();
        return reply;
    }

    QString links_;
    PseudoTerminal control_;
    QString controlName_;
    SimulatorOptions options_;
    std::map<int, Served> served_;
    int next_ = 1;
};

} // namespace

bool ServeHarness(const QString &linksFolder, QString *error)
{
    Harness harness(linksFolder);
    if (!harness.Open(error))
        return false;
    std::printf("%s\n", qPrintable(harness.ControlName()));
    std::fflush(stdout);
    harness.Run();
    return true;
}

void StopHarness()
{
    stopping = true;
}
