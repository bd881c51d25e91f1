// The exchange and the download over a real pseudo-terminal, with the panel
// simulator on the other end.
#include "commtests.h"
#include "systemfixtures.h"

#include "comm/DeviceData.h"
#include "comm/PanelProtocol.h"
#include "comm/SerialLine.h"

using Fault = PanelSimulator::Fault;
Q_DECLARE_METATYPE(PanelSimulator::Fault)
Q_DECLARE_METATYPE(DownloadResult)

class TestProtocol : public QObject
{
    Q_OBJECT
private slots:
    void completeDownload()
    {
        CommTests::SimulatedPanel panel;
        QVERIFY(panel.ok());
        modVantile m;
        CommTests::MakeDemoProject(m);
        SerialLine line;
        QVERIFY(line.Open(panel.path()));
        PanelExchange exchange(line);
        QList<int> progress;
        QCOMPARE(SendConfiguration(m, exchange, [&](int block) { progress << block; }), DownloadResult::Complete);
        QVERIFY(line.IsOpen());
        QCOMPARE(progress.size(), 258);
        for (int i = 0; i < progress.size(); ++i)
            QCOMPARE(progress[i], i);
        const QByteArray stream = DeviceDataStream(m);
        QCOMPARE(exchange.ComReply, "[" + DeviceData::ChecksumText(stream).toLatin1() + "]");
        QCOMPARE(panel.Received(), stream);
        QCOMPARE(panel.BlocksReceived(), 258);
        QCOMPARE(panel.MalformedFrames(), 0);
        QCOMPARE(panel.ChecksumQueries(), 1);
        QCOMPARE(m.DeviceMap[size_t(64 + 8)], int16_t(255)); // the build ran first
    }

    // Words beyond a byte in every field (a damaged file) still give
    // well-formed frames: the panel takes them all and the checksums agree.
    void damagedImageStillWellFormed()
    {
        CommTests::SimulatedPanel panel;
        QVERIFY(panel.ok());
        modVantile m;
        for (int i = 0; i < modVantile::PanelWords; ++i)
            m.PanelImage[size_t(i)] = int16_t(i * 2654435761u >> 7);
        SerialLine line;
        QVERIFY(line.Open(panel.path()));
        PanelExchange exchange(line);
        QCOMPARE(SendConfiguration(m, exchange, {}), DownloadResult::Complete);
        QCOMPARE(panel.MalformedFrames(), 0);
        QCOMPARE(panel.Received(), DeviceDataStream(m));
    }

    // Faults that end without waiting out the answer limit.
    void quickFaults_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<int>("at");
        QTest::addColumn<DownloadResult>("result");
        QTest::addColumn<int>("blocks");
        QTest::newRow("wrong checksum") << Fault::WrongChecksum << int(PanelSimulator::ChecksumQuery)
                                        << DownloadResult::ChecksumFault << 258;
        QTest::newRow("lower-case checksum digits")
            << Fault::LowerCase << int(PanelSimulator::ChecksumQuery) << DownloadResult::ChecksumFault << 258;
        QTest::newRow("line dropped in block 100") << Fault::DropLine << 100 << DownloadResult::CommFault << 100;
        QTest::newRow("line dropped at the checksum query")
            << Fault::DropLine << int(PanelSimulator::ChecksumQuery) << DownloadResult::CommFault << 258;
    }
    void quickFaults()
    {
        QFETCH(Fault, fault);
        QFETCH(int, at);
        QFETCH(DownloadResult, result);
        QFETCH(int, blocks);
        PanelSimulator::Options options;
        options.fault = fault;
        options.faultAt = at;
        CommTests::SimulatedPanel panel(options);
        QVERIFY(panel.ok());
        modVantile m;
        CommTests::MakeDemoProject(m);
        SerialLine line;
        QVERIFY(line.Open(panel.path()));
        PanelExchange exchange(line);
        QCOMPARE(SendConfiguration(m, exchange, {}), result);
        QCOMPARE(line.Lost(), fault == Fault::DropLine); // and so not waited out
        QCOMPARE(panel.BlocksReceived(), blocks);
        if (fault == Fault::DropLine) {
            QString why;
            QVERIFY(!exchange.QXComPrg("[04]", PanelExchange::FirmwareAnswerLength, &why));
            QCOMPARE(why, QStringLiteral("the line to the panel was lost"));
        }
    }

    void firmwareRevision()
    {
        PanelSimulator::Options options;
        options.firmware = "Rev 4.01 2026-11-3";
        CommTests::SimulatedPanel panel(options);
        QVERIFY(panel.ok());
        SerialLine line;
        QVERIFY(line.Open(panel.path()));
        PanelExchange exchange(line);
        QVERIFY(exchange.QXComPrg("[04]", PanelExchange::FirmwareAnswerLength));
        QCOMPARE(exchange.ComReply, QByteArray("[Rev 4.01 2026-11-3]"));
        QCOMPARE(FirmwareRevisionText(exchange.ComReply), QStringLiteral("Rev 4.01 2026-11-3"));
        QCOMPARE(FirmwareRevisionText("[Rev 4.01 2026-11-3]extra"), QStringLiteral("Rev 4.01 2026-11-3"));
    }

    // Leftovers of an earlier exchange are read away before the command goes out.
    void staleInputFlushed()
    {
        CommTests::SimulatedPanel panel;
        QVERIFY(panel.ok());
        SerialLine line;
        QVERIFY(line.Open(panel.path()));
        QVERIFY(panel.Inject("[0000000000000000000000]"));
        QTRY_VERIFY(line.Waiting() > 0);
        PanelExchange exchange(line);
        QVERIFY(exchange.QXComPrg("[04]", PanelExchange::FirmwareAnswerLength));
        QCOMPARE(exchange.ComReply, QByteArray("[Quellix Touch 2.10]"));
    }

    // A 19-character answer is a fault after the limit; the previous reply stays.
    void shortAnswerKeepsPreviousReply()
    {
        CommTests::SimulatedPanel good;
        PanelSimulator::Options shortAnswer;
        shortAnswer.fault = Fault::Short;
        shortAnswer.faultAt = PanelSimulator::FirmwareQuery;
        CommTests::SimulatedPanel bad(shortAnswer);
        QVERIFY(good.ok() && bad.ok());
        SerialLine line;
        PanelExchange exchange(line);
        QVERIFY(line.Open(good.path()));
        QVERIFY(exchange.QXComPrg("[04]", PanelExchange::FirmwareAnswerLength));
        QVERIFY(line.Open(bad.path()));
        QElapsedTimer timer;
        timer.start();
        QString why;
        QVERIFY(!exchange.QXComPrg("[04]", PanelExchange::FirmwareAnswerLength, &why));
        QVERIFY(timer.elapsed() >= 2000);
        QCOMPARE(why, QStringLiteral("no complete answer within 2000 ms"));
        QCOMPARE(exchange.ComReply, QByteArray("[Quellix Touch 2.10]"));
        QCOMPARE(line.Waiting(), 19);
    }

    void openingPorts()
    {
        CommTests::SimulatedPanel panel;
        QVERIFY(panel.ok());
        SerialLine first, second;
        QVERIFY(first.Open(panel.path())); // a pseudo-terminal refuses DTR
        if (SerialPortsExclusive())
            QVERIFY(!second.Open(panel.path()));
        first.Close();
        QVERIFY(second.Open(panel.path()));
        QVERIFY(!first.Open(QStringLiteral("/dev/quellix-no-such-port")));
        QVERIFY(!first.Open(QString()));
        QVERIFY(!first.IsOpen());
    }

    void comPortMapping()
    {
        CommTests::SimulatedPanel panel;
        QVERIFY(panel.ok());
        qputenv("QUELLIX_COM2", panel.path().toLocal8Bit());
        QCOMPARE(ComPorts::Device(2), panel.path());
        QCOMPARE(ComPorts::ResolvePortName(QStringLiteral("COM2")), panel.path());
        QCOMPARE(ComPorts::ResolvePortName(QStringLiteral("com2")), panel.path());
        QVERIFY(ComPorts::Device(1) != panel.path());
        QVERIFY(ComPorts::Device(3) != panel.path());
        QCOMPARE(ComPorts::ResolvePortName(QStringLiteral("/dev/ttyS7")), QStringLiteral("/dev/ttyS7"));
        QCOMPARE(ComPorts::ResolvePortName(QStringLiteral("COM9")), QStringLiteral("COM9"));
        QVERIFY(ComPorts::Device(0).isEmpty());
        QVERIFY(ComPorts::Device(9).isEmpty());
        qunsetenv("QUELLIX_COM2");
    }
};

static CommTests::Register<TestProtocol> registerProtocol;

#include "tst_protocol.moc"
