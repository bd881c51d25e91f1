// The device-data build, the block frames and the checksum, on hand-made
// projects and streams.
#include "commtests.h"

#include "comm/DeviceData.h"

namespace
{

// "B screen slot code device" / "S screen slot picture device": objects to
// place before the build.
void place(modVantile &m, const QString &objects)
{
    for (const QString &entry : objects.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList f = entry.simplified().split(QLatin1Char(' '));
        QCOMPARE(f.size(), 5);
        m.SelectScreen(f[1].toInt());
        const int slot = f[2].toInt(), value = f[3].toInt(), device = f[4].toInt();
        if (f[0] == QLatin1String("B")) {
            m.SetButtonType(slot, value);
            m.SetButtonDevice(slot, device);
        } else {
            m.SetSliderPicture(slot, value);
            m.SetSliderDevice(slot, device);
        }
    }
    m.SelectScreen(0);
}

} // namespace

class TestDeviceData : public QObject
{
    Q_OBJECT
private slots:
    void checksum_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QString>("expected");
        QTest::newRow("16 512 zero bytes") << QByteArray(16512, '\0') << "928AA74759D8E00D";
        QTest::newRow("16 512 bytes FF") << QByteArray(16512, '\xFF') << "F80A110CFAFBC8C3";
        QTest::newRow("empty stream: the start value") << QByteArray() << "FFFFFFFFFFFFFFFF";
    }
    void checksum()
    {
        QFETCH(QByteArray, stream);
        QFETCH(QString, expected);
        QCOMPARE(DeviceData::ChecksumText(stream), expected);
    }

    void frames()
    {
        QByteArray stream(DeviceData::StreamBytes, '\0');
        for (int i = 0; i < stream.size(); ++i)
            stream[i] = char(i * 7);
        for (int block = 0; block < DeviceData::BlockCount; ++block) {
            const QByteArray frame = DeviceData::BlockFrame(stream, block);
            QCOMPARE(frame.size(), 136);
            QVERIFY(frame.startsWith("[01"));
            QVERIFY(frame.endsWith(']'));
            QCOMPARE(frame.mid(3, 4),
                     QStringLiteral("%1").arg(block * 64, 4, 16, QLatin1Char('0')).toUpper().toLatin1());
            QCOMPARE(QByteArray::fromHex(frame.mid(7, 128)), stream.mid(block * 64, 64));
            QCOMPARE(frame.mid(7, 128), frame.mid(7, 128).toUpper());
        }
        QVERIFY(DeviceData::BlockFrame(stream, 1).startsWith("[010040"));
        QVERIFY(DeviceData::BlockFrame(stream, 255).startsWith("[013FC0"));
        QVERIFY(DeviceData::BlockFrame(stream, 256).startsWith("[014000"));
        QVERIFY(DeviceData::BlockFrame(stream, 257).startsWith("[014040"));
        QCOMPARE(DeviceData::BlockFrame(QByteArray(16512, '\x0A'), 0).mid(7, 4), QByteArray("0A0A"));
    }

    // The last two frames carry DeviceMap; a word beyond a byte (a damaged
    // file) goes out as its low byte, still as two digits.
    void streamFromImage()
    {
        modVantile m;
        m.PanelImage[0] = 300;
        m.PanelImage[1] = -1;
        m.PanelImage[16383] = -32768;
        m.DeviceMap[0] = 0x1FF;
        m.DeviceMap[127] = 0x20;
        const QByteArray stream = DeviceDataStream(m);
        QCOMPARE(stream.size(), 16512);
        const QByteArray first = DeviceData::BlockFrame(stream, 0);
        QCOMPARE(first.size(), 136);
        QVERIFY(first.startsWith("[0100002CFF00"));
        QVERIFY(DeviceData::BlockFrame(stream, 255).endsWith("00]"));
        QVERIFY(DeviceData::BlockFrame(stream, 256).startsWith("[014000FF00"));
        QVERIFY(DeviceData::BlockFrame(stream, 257).endsWith("20]"));
    }

    void buttonEdges_data()
    {
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("right");
        QTest::newRow("left 0, width 0: below 0 gives 8") << 0 << 0 << 8;
        QTest::newRow("left 0, width 1") << 0 << 1 << 0;
        QTest::newRow("ordinary") << 10 << 96 << 105;
        QTest::newRow("exactly 4095") << 4000 << 96 << 4095;
        QTest::newRow("5000 clamps to 4095") << 4904 << 97 << 4095;
        QTest::newRow("damaged size far beyond") << 799 << 32767 << 4095;
        QTest::newRow("damaged negative left") << -300 << 96 << 8;
    }
    void buttonEdges()
    {
        QFETCH(int, left);
        QFETCH(int, width);
        QFETCH(int, right);
        modVantile m;
        m.SelectScreen(15);
        m.SetButtonLeft(31, left);
        m.SetButtonWidth(31, width);
        m.SetButtonTop(31, left);
        m.SetButtonHeight(31, width);
        const int word = m.ObjectRecord(ObjectTables::ObjectKind::Button, 31).panelWord;
        m.SelectScreen(2);
        ZAVBuild(m);
        QCOMPARE(m.PanelImage[word + 3] * 256 + m.PanelImage[word + 4], right);
        QCOMPARE(m.PanelImage[word + 7] * 256 + m.PanelImage[word + 8], right);
    }

    void sliderSizesAndEdges_data()
    {
        QTest::addColumn<int>("picture");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("unused: stored size kept") << 0 << 5 << 6;
        QTest::newRow("style 0") << 1 << 34 << 221;
        QTest::newRow("style 2") << 3 << 34 << 221;
        QTest::newRow("style 3") << 4 << 42 << 421;
        QTest::newRow("style 5") << 6 << 42 << 421;
        QTest::newRow("damaged picture number: stored size kept") << 9 << 5 << 6;
    }
    void sliderSizesAndEdges()
    {
        QFETCH(int, picture);
        QFETCH(int, width);
        QFETCH(int, height);
        modVantile m;
        m.SelectScreen(9);
        m.SetSliderPicture(7, picture);
        m.SetSliderLeft(7, 100);
        m.SetSliderTop(7, 40);
        m.SetSliderWidth(7, 5);
        m.SetSliderHeight(7, 6);
        ZAVBuild(m);
        QCOMPARE(m.GetSliderWidth(7), width);
        QCOMPARE(m.GetSliderHeight(7), height);
        const int word = m.ObjectRecord(ObjectTables::ObjectKind::Slider, 7).panelWord;
        QCOMPARE(m.PanelImage[word + 4] * 256 + m.PanelImage[word + 5], 100 + width - 1);
        QCOMPARE(m.PanelImage[word + 8] * 256 + m.PanelImage[word + 9], 40 + height - 1);
    }

    void unusedSliderAtOriginGetsEdge8()
    {
        modVantile m;
        ZAVBuild(m);
        const int word = m.ObjectRecord(ObjectTables::ObjectKind::Slider, 0).panelWord;
        QCOMPARE(m.PanelImage[word + 4] * 256 + m.PanelImage[word + 5], 8);
        QCOMPARE(m.PanelImage[word + 8] * 256 + m.PanelImage[word + 9], 8);
    }

    void textFontCopy()
    {
        modVantile m;
        m.SelectScreen(4);
        for (int t = 0; t < modVantile::TextCount; ++t)
            m.SetTextFontSize(t, t % 4);
        ZAVBuild(m);
        for (int t = 0; t < modVantile::TextCount; ++t) {
            QCOMPARE(m.PanelImage[m.ObjectRecord(ObjectTables::ObjectKind::Text, t).panelWord + 6], int16_t(t % 4));
            QCOMPARE(m.PanelImage[m.ObjectRecord(ObjectTables::ObjectKind::Text, t).panelWord + 7], int16_t(0));
        }
    }

    void deviceMap_data()
    {
        QTest::addColumn<QString>("objects");
        QTest::addColumn<QString>("expected"); // "entry=value ..."; every other entry 0
        QTest::newRow("nothing") << ""
                                 << "";
        QTest::newRow("turn on 3 and turn off 5: 14 hex") << "B 0 0 11 5, B 6 3 21 5"
                                                          << "69=20";
        QTest::newRow("codes 9 and 17 set bit 0") << "B 1 0 9 0, B 2 0 17 1"
                                                  << "64=1 65=1";
        QTest::newRow("codes 16 and 24 set bit 7") << "B 1 0 16 2, B 2 0 24 3"
                                                   << "66=128 67=128";
        QTest::newRow("slider anywhere makes 255") << "B 0 0 11 5, S 15 7 2 5, B 14 1 12 5"
                                                   << "5=255 69=255";
        QTest::newRow("device 63 is the last entry") << "B 3 31 12 63, S 3 0 1 62"
                                                     << "127=8 62=255 126=255";
        QTest::newRow("device offset 64 is not entered") << "S 0 0 1 64, B 0 0 9 64"
                                                         << "";
        QTest::newRow("slider picture 0 is not entered") << "S 0 0 0 7"
                                                         << "";
        QTest::newRow("push, goto and password codes are not entered")
            << "B 0 0 1 4, B 0 1 8 4, B 0 2 25 4, B 0 3 41 4, B 0 4 56 4"
            << "";
        QTest::newRow("damaged code and negative device") << "B 0 0 57 4, B 0 1 9 -1, S 0 0 3 -2"
                                                          << "";
        QTest::newRow("damaged slider picture still marks its device") << "S 0 0 9 3"
                                                                       << "3=255 67=255";
    }
    void deviceMap()
    {
        QFETCH(QString, objects);
        QFETCH(QString, expected);
        modVantile m;
        m.DeviceMap.fill(77);
        place(m, objects);
        ZAVBuild(m);
        std::array<int16_t, 128> want{};
        for (const QString &pair : expected.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            want[size_t(pair.section(QLatin1Char('='), 0, 0).toInt())] =
                int16_t(pair.section(QLatin1Char('='), 1).toInt());
        for (int i = 0; i < 128; ++i)
            QVERIFY2(m.DeviceMap[size_t(i)] == want[size_t(i)],
                     qPrintable(QStringLiteral("entry %1 is %2").arg(i).arg(m.DeviceMap[size_t(i)])));
    }

    void userScreenRestored()
    {
        modVantile m;
        CommTests::MakeDemoProject(m);
        m.SelectScreen(6);
        ZAVBuild(m);
        QCOMPARE(m.CurrentScreen, int16_t(6));
        QCOMPARE(m.PanelBase, int16_t(6 * 1024));
        QCOMPARE(m.EditorBase, int16_t(6 * 2048));
    }

    // A second build finds nothing left to change.
    void buildIsStable()
    {
        modVantile m;
        CommTests::MakeDemoProject(m);
        ZAVBuild(m);
        const auto panelOnce = m.PanelImage;
        const auto editorOnce = m.EditorImage;
        const auto mapOnce = m.DeviceMap;
        ZAVBuild(m);
        QVERIFY(m.PanelImage == panelOnce);
        QVERIFY(m.EditorImage == editorOnce);
        QVERIFY(m.DeviceMap == mapOnce);
    }
};

static CommTests::Register<TestDeviceData> registerDeviceData;

#include "tst_devicedata.moc"
