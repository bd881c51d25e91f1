// The command-line tool and the simulator program, run as processes. The
// faults that wait out the answer limit run side by side, each on its own
// pseudo-terminal, so the whole table costs one limit.
#include "commtests.h"

#include "testsupport.h"

#include "comm/DeviceData.h"

#include <QProcess>

#include <memory>

namespace
{

struct Case {
    QString name;
    PanelSimulator::Options panel;
    QStringList args; // "PORT" stands for the simulator's line
    int exitCode;
    QString output; // the last line(s) printed
    bool onStdout;
};

PanelSimulator::Options fault(PanelSimulator::Fault kind, int at)
{
    PanelSimulator::Options o;
    o.fault = kind;
    o.faultAt = at;
    return o;
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT
private slots:
    void outcomes()
    {
        const QString quellix = CommTests::Program(QStringLiteral("quellix"));
        if (quellix.isEmpty())
            QSKIP("the quellix program is not built");
        QTemporaryDir dir;
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

        modVantile m;
        CommTests::MakeDemoProject(m);
        m.ProjectFileName = dir.filePath(QStringLiteral("demo.QXC"));
        QVERIFY(m.SaveProject());
        const QString demo = m.ProjectFileName;
        m.SetCommandSet(2);
        m.ProjectFileName = dir.filePath(QStringLiteral("zav.QXC"));
        QVERIFY(m.SaveProject());
        const QString zav = m.ProjectFileName;
        QVERIFY(writeFile(dir.filePath(QStringLiteral("short.QXC")), QByteArray(100, '\0')));

        using F = PanelSimulator::Fault;
        const QString checksumFault =
            QStringLiteral("Download Failed. Checksum Fault. Device Will NOT Function Properly.");
        // The cases that wait out the answer limit come first, so that they
        // start waiting while the others are still starting up.
        const QList<Case> cases = {
            {"no acknowledgement", fault(F::Silent, 0), {"download", demo, "--port", "PORT"}, 4, "Comm Fault", false},
            {"three-character acknowledgement",
             fault(F::Short, 7),
             {"download", demo, "--port", "PORT"},
             4,
             "Comm Fault",
             false},
            {"late acknowledgement", fault(F::Late, 200), {"download", demo, "--port", "PORT"}, 4, "Comm Fault", false},
            {"17-character checksum answer",
             fault(F::Short, PanelSimulator::ChecksumQuery),
             {"download", demo, "--port", "PORT"},
             4,
             "Comm Fault",
             false},
            {"no checksum answer",
             fault(F::Silent, PanelSimulator::ChecksumQuery),
             {"download", demo, "--port", "PORT"},
             4,
             "Comm Fault",
             false},
            {"19-character firmware answer",
             fault(F::Short, PanelSimulator::FirmwareQuery),
             {"firmware", "--port", "PORT"},
             4,
             "Comm Fault",
             false},
            {"complete", {}, {"download", demo, "--port", "PORT"}, 0, "Download Complete", true},
            {"wrong checksum",
             fault(F::WrongChecksum, PanelSimulator::ChecksumQuery),
             {"download", demo, "--port", "PORT"},
             5,
             checksumFault,
             false},
            {"line dropped", fault(F::DropLine, 40), {"download", demo, "--port", "PORT"}, 4, "Comm Fault", false},
            {"no such port",
             {},
             {"download", demo, "--port", "/dev/quellix-no-such-port"},
             3,
             "Invalid COM Port.",
             false},
            {"ZAV Cmd", {}, {"download", zav, "--port", "PORT"}, 6, "Download Not Required For ZAV Cmd Option", false},
            {"unreadable project", {}, {"download", dir.filePath("short.QXC"), "--port", "PORT"}, 2, "", false},
            {"firmware", {}, {"firmware", "--port", "PORT"}, 0, "Quellix Touch 2.10", true},
            {"firmware through COM4", {}, {"firmware", "--port", "COM4"}, 0, "Quellix Touch 2.10", true},
            {"no port given", {}, {"firmware"}, 64, "", false},
        };

        std::vector<std::unique_ptr<CommTests::SimulatedPanel>> panels;
        std::vector<std::unique_ptr<QProcess>> processes;
        for (const Case &c : cases) {
            panels.push_back(std::make_unique<CommTests::SimulatedPanel>(c.panel));
            QVERIFY(panels.back()->ok());
            QStringList args = c.args;
            args.replaceInStrings(QRegularExpression(QStringLiteral("^PORT$")), panels.back()->path());
            auto process = std::make_unique<QProcess>();
            QProcessEnvironment env = CommTests::QuietEnvironment(dir.path());
            if (c.name.endsWith(QLatin1String("COM4")))
                env.insert(QStringLiteral("QUELLIX_COM4"), panels.back()->path());
            process->setProcessEnvironment(env);
            process->start(quellix, args);
            processes.push_back(std::move(process));
        }
        for (qsizetype i = 0; i < cases.size(); ++i) {
            const Case &c = cases[i];
            QProcess &p = *processes[size_t(i)];
            QVERIFY2(p.waitForFinished(15000), qPrintable(c.name));
            const QString out =
                QString::fromLocal8Bit(c.onStdout ? p.readAllStandardOutput() : p.readAllStandardError());
            QVERIFY2(p.exitCode() == c.exitCode,
                     qPrintable(c.name + QStringLiteral(": exit %1\n").arg(p.exitCode()) + out));
            if (!c.output.isEmpty())
                QVERIFY2(out.endsWith(c.output + QLatin1Char('\n')), qPrintable(c.name + QStringLiteral(":\n") + out));
        }

        size_t complete = 0;
        while (cases[qsizetype(complete)].name != QLatin1String("complete"))
            ++complete;
        modVantile expected;
        expected.ProjectFileName = demo;
        QVERIFY(expected.LoadProject());
        ZAVBuild(expected);
        QCOMPARE(panels[complete]->Received(), DeviceDataStream(expected));
        QCOMPARE(panels[complete]->MalformedFrames(), 0);
        QCOMPARE(panels[1]->BlocksReceived(), 8); // block 7 arrived, its answer fell short
    }

    // The simulator as a program: it names its line, keeps what it received
    // in a file and ends after the download with --once. Where the harness
    // plays the panels (no pseudo-terminals, as on Windows) the simulator
    // serves one end of a cable and the download goes to the other.
    void simulatorProgram()
    {
        const QString quellix = CommTests::Program(QStringLiteral("quellix"));
        const QString simulator = CommTests::Program(QStringLiteral("panel-sim/quellix-panel-sim"));
        if (quellix.isEmpty() || simulator.isEmpty())
            QSKIP("the quellix programs are not built");
        QTemporaryDir dir;
        modVantile m;
        CommTests::MakeDemoProject(m);
        m.ProjectFileName = dir.filePath(QStringLiteral("demo.QXC"));
        QVERIFY(m.SaveProject());
        const QString saved = dir.filePath(QStringLiteral("received.bin"));

        QStringList arguments{QStringLiteral("--once"), QStringLiteral("--save"), saved};
        std::unique_ptr<CommTests::NullModemCable> cable;
        if (CommTests::NullModemCable::Available()) {
            cable = std::make_unique<CommTests::NullModemCable>();
            QVERIFY(cable->ok());
            arguments << QStringLiteral("--device") << cable->End(0);
        }
        QProcess sim;
        sim.start(simulator, arguments);
        QVERIFY(sim.waitForStarted());
        QTRY_VERIFY(sim.canReadLine());
        const QString line = QString::fromLocal8Bit(sim.readLine()).trimmed();
        QCOMPARE(line, cable ? cable->End(0) : line);
        QVERIFY(cable || line.startsWith(QLatin1String("/dev/")));

        QProcess download;
        download.setProcessEnvironment(CommTests::QuietEnvironment(dir.path()));
        download.start(quellix, {QStringLiteral("download"), m.ProjectFileName, QStringLiteral("--port"),
                                 cable ? cable->End(1) : line});
        QVERIFY(download.waitForFinished(15000));
        QCOMPARE(download.exitCode(), 0);
        QVERIFY(sim.waitForFinished(5000));
        QCOMPARE(sim.exitCode(), 0);
        ZAVBuild(m);
        QCOMPARE(readFile(saved), DeviceDataStream(m));

        QProcess wrong;
        wrong.start(simulator, {QStringLiteral("--fault"), QStringLiteral("sideways")});
        QVERIFY(wrong.waitForFinished(5000));
        QCOMPARE(wrong.exitCode(), 2);
    }
};

static CommTests::Register<TestCommandLine> registerCommandLine;

#include "tst_cli.moc"
