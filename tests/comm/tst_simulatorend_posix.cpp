// The simulator program's --once ends after its last answer, and closing its
// pseudo-terminal hangs up the other end: the answer must still reach a
// program that reads it a little later (a slow machine, Wine's serial ports).
#include "comm/DeviceData.h"
#include "commtests.h"
#include "platform/PseudoTerminal.h"

#include <QProcess>

#include <fcntl.h>
#include <poll.h>
#include <thread>
#include <unistd.h>

class TestSimulatorEnd : public QObject
{
    Q_OBJECT
private slots:
    void lastAnswerOutlivesTheSimulator_data()
    {
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<QByteArray>("answer");
        // A panel that received nothing; the simulator's own firmware.
        const QByteArray empty(PanelSimulator::StreamBytes, '\0');
        QTest::newRow("checksum") << QByteArray("[03]") << "[" + DeviceData::ChecksumText(empty).toLatin1() + "]";
        QTest::newRow("firmware") << QByteArray("[04]") << "[" + PanelSimulator::Options().firmware + "]";
    }
    void lastAnswerOutlivesTheSimulator()
    {
        QFETCH(QByteArray, query);
        QFETCH(QByteArray, answer);
        const QString simulator = CommTests::Program(QStringLiteral("panel-sim/quellix-panel-sim"));
        if (simulator.isEmpty())
            QSKIP("the panel simulator is not built");
        QProcess sim;
        sim.start(simulator, {QStringLiteral("--once")});
        QVERIFY(sim.waitForStarted());
        QTRY_VERIFY(sim.canReadLine());
        const QByteArray path = sim.readLine().trimmed();
        const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        QVERIFY2(fd >= 0, path.constData());
        QVERIFY(MakeRawLine(fd));
        QCOMPARE(::write(fd, query.constData(), size_t(query.size())), ssize_t(query.size()));
        // Read late, as a busy reader does.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        QByteArray got;
        pollfd p{fd, POLLIN, 0};
        while (got.size() < answer.size() && ::poll(&p, 1, 2000) > 0) {
            char buffer[64];
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n <= 0)
                break;
            got.append(buffer, n);
        }
        ::close(fd);
        QCOMPARE(got, answer);
        QVERIFY(sim.waitForFinished(5000));
        QCOMPARE(sim.exitCode(), 0);
    }
};

static CommTests::Register<TestSimulatorEnd> registerSimulatorEnd;

#include "tst_simulatorend_posix.moc"
