#include "Harness.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <poll.h>
#include <unistd.h>

Harness::Harness(const QString &linksFolder) : links_(linksFolder) {}

Harness::~Harness()
{
    for (auto &[id, panel] : panels_)
        close(panel);
    if (!links_.isEmpty())
        QFile::remove(linkPath(ControlPort));
}

bool Harness::Open(QString *error)
{
    if (!control_.Create(error))
        return false;
    controlName_ = name(control_.Path(), ControlPort, error);
    return !controlName_.isEmpty();
}

QString Harness::linkPath(int port) const
{
    return QDir(links_).filePath(QStringLiteral("com%1").arg(port));
}

QString Harness::name(const QString &path, int port, QString *error)
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

void Harness::close(Panel &panel)
{
    if (panel.thread.joinable()) {
        panel.sim->Stop();
        panel.thread.join();
    }
    if (panel.port > 0)
        QFile::remove(linkPath(panel.port));
    panel.port = 0;
}

bool Harness::writeAll(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(control_.MasterFd(), bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            pollfd p{control_.MasterFd(), POLLOUT, 0};
            ::poll(&p, 1, 100);
            if (stopping_)
                return false;
        } else {
            return false;
        }
    }
    return true;
}

void Harness::Run()
{
    QByteArray input;
    char buffer[4096];
    while (!stopping_) {
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
            if (!line.isEmpty() && !writeAll(answer(line.split(' ')) + '\n'))
                return;
        }
    }
}

QByteArray Harness::answer(const QByteArrayList &encoded)
{
    QStringList words;
    for (const QByteArray &word : encoded)
        if (!word.isEmpty())
            words << QString::fromUtf8(QByteArray::fromPercentEncoding(word));
    const QString request = words.takeFirst();
    if (request == QLatin1String("open"))
        return open(words);
    bool ok = false;
    const int id = words.value(0).toInt(&ok);
    const auto found = panels_.find(id);
    if (!ok || found == panels_.end())
        return "error no panel '" + words.value(0).toUtf8().toPercentEncoding() + "'";
    Panel &panel = found->second;
    PanelSimulator &sim = *panel.sim;
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
        return sim.Inject(QByteArray::fromHex(words.value(1).toLatin1())) ? "ok" : "error the line is closed";
    if (request == QLatin1String("close")) {
        close(panel);
        panels_.erase(found);
        return "ok";
    }
    return "error unknown request '" + request.toUtf8().toPercentEncoding() + "'";
}

QByteArray Harness::open(const QStringList &arguments)
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
        return "error " + error.toUtf8().toPercentEncoding();

    Panel panel;
    panel.sim = std::make_unique<PanelSimulator>(options);
    if (!panel.sim->CreatePseudoTerminal(&error))
        return "error " + error.toUtf8().toPercentEncoding();
    if (!links_.isEmpty()) {
        panel.port = FirstPanelPort;
        for (const auto &[id, other] : panels_)
            panel.port = std::max(panel.port, other.port + 1);
    }
    const QString line = name(panel.sim->LinePath(), panel.port, &error);
    if (line.isEmpty()) {
        panel.port = 0;
        return "error " + error.toUtf8().toPercentEncoding();
    }
    PanelSimulator *sim = panel.sim.get();
    panel.thread = std::thread([sim] { sim->Run(); });
    const int id = next_++;
    panels_.emplace(id, std::move(panel));
    return "ok " + QByteArray::number(id) + ' ' + line.toUtf8().toPercentEncoding();
}
