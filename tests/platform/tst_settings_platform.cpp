#include "model/Settings.h"
#include "model/modVantile.h"
#include "platform/Paths.h"
#include "platform/Support.h"
#include "testsupport.h"

#include <QDir>
#include <QThread>
#include <QtTest>

class tst_SettingsPlatform : public QObject
{
    Q_OBJECT

private slots:
    void paths();
    void readSettings_data();
    void readSettings();
    void otherContentKept();
    void unwritableSettings();
    void addressRange_data();
    void addressRange();
    void optionLists();
    void screenSizes_data();
    void screenSizes();
    void pathExists();
    void stopwatch();
    void driveTypes();
};

void tst_SettingsPlatform::paths()
{
    TempHome home;
    QCOMPARE(Paths::WorkingFolder(), home.path());
    QCOMPARE(Paths::SettingsFile(), home.path() + QStringLiteral("/ZAV Quellix Touch.ini"));
    QCOMPARE(Paths::ScreenPreviewFolder(), home.path() + QStringLiteral("/Screen Preview"));
    QCOMPARE(Paths::SdPictureFolder(), home.path() + QStringLiteral("/SDCardGraphics/BMPImages"));
    QCOMPARE(Paths::BmpLibraryFolder(), home.root() + QStringLiteral("/ZAV Quellix Touch Screen/BMP Library"));
}

void tst_SettingsPlatform::readSettings_data()
{
    QTest::addColumn<QByteArray>("content"); // "-" = no file
    QTest::addColumn<int>("index");          // after the start-up check
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("no file") << QByteArray("-") << 0 << QByteArray("[Download]\r\nCom Port=1\r\n");
    QTest::newRow("port 3") << QByteArray("[Download]\r\nCom Port=3\r\n") << 2
                            << QByteArray("[Download]\r\nCom Port=3\r\n");
    QTest::newRow("port 8") << QByteArray("[Download]\r\nCom Port=8\r\n") << 7
                            << QByteArray("[Download]\r\nCom Port=8\r\n");
    QTest::newRow("port 9 replaced") << QByteArray("[Download]\r\nCom Port=9\r\n") << 0
                                     << QByteArray("[Download]\r\nCom Port=1\r\n");
    QTest::newRow("not a number") << QByteArray("[Download]\r\nCom Port=abc\r\n") << 0
                                  << QByteArray("[Download]\r\nCom Port=1\r\n");
    QTest::newRow("port 0") << QByteArray("[Download]\r\nCom Port=0\r\n") << 0
                            << QByteArray("[Download]\r\nCom Port=1\r\n");
    QTest::newRow("names differ in case")
        << QByteArray("[download]\r\ncom port = 4\r\n") << 3 << QByteArray("[download]\r\nCom Port=4\r\n");
    QTest::newRow("no section") << QByteArray("[Other]\r\nA=1") << 0
                                << QByteArray("[Other]\r\nA=1\r\n[Download]\r\nCom Port=1\r\n");
    QTest::newRow("section without key") << QByteArray("[Download]\r\nSpeed=9600\r\n\r\n[Other]\r\nB=2\r\n") << 0
                                         << QByteArray(
                                                "[Download]\r\nSpeed=9600\r\nCom Port=1\r\n\r\n[Other]\r\nB=2\r\n");
}

void tst_SettingsPlatform::readSettings()
{
    QFETCH(QByteArray, content);
    QFETCH(int, index);
    QFETCH(QByteArray, written);
    TempHome home;
    QDir().mkpath(home.path());
    if (content != "-")
        QVERIFY(writeFile(Paths::SettingsFile(), content));
    modVantile m;
    QVERIFY(Settings::ReadSettings(m));
    QVERIFY(Settings::CheckComPort(m));
    QCOMPARE(int(m.ComPortIndex), index);
    QCOMPARE(readFile(Paths::SettingsFile()), written);
}

void tst_SettingsPlatform::otherContentKept()
{
    TempHome home;
    QDir().mkpath(home.path());
    const QByteArray before = "; comment\n[Window]\nLeft=10\n[Download]\nCom Port=2\nBaud=115200\n[Z]\nx=\xe9\n";
    QVERIFY(writeFile(Paths::SettingsFile(), before));
    modVantile m;
    QVERIFY(Settings::ReadSettings(m));
    QCOMPARE(readFile(Paths::SettingsFile()), before);
    m.ComPortIndex = 6;
    QVERIFY(Settings::WriteSettings(m));
    QByteArray after = before;
    after.replace("Com Port=2", "Com Port=7");
    QCOMPARE(readFile(Paths::SettingsFile()), after);
}

void tst_SettingsPlatform::unwritableSettings()
{
    TempHome home; // the working folder itself is missing and a file blocks it
    QVERIFY(writeFile(home.path(), "file in the way"));
    modVantile m;
    QString error;
    QVERIFY(!Settings::ReadSettings(m, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(int(m.ComPortIndex), 0);
}

void tst_SettingsPlatform::addressRange_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("range");
    QTest::addColumn<bool>("valid");
    QTest::newRow("C9 + 54") << 200 << 53 << true;
    QTest::newRow("C9 + 55") << 200 << 54 << false;
    QTest::newRow("FE + 1") << 253 << 0 << true;
    QTest::newRow("FE + 2") << 253 << 1 << false;
    QTest::newRow("01 + 64") << 0 << 63 << true;
    QTest::newRow("BF + 64") << 190 << 63 << true;
    QTest::newRow("C0 + 64") << 191 << 63 << false;
}

void tst_SettingsPlatform::addressRange()
{
    QFETCH(int, address);
    QFETCH(int, range);
    QFETCH(bool, valid);
    QCOMPARE(Settings::AddressRangeValid(address, range), valid);
}

void tst_SettingsPlatform::optionLists()
{
    const QStringList addresses = Settings::NodeAddressEntries();
    QCOMPARE(addresses.size(), 254);
    QCOMPARE(addresses.first(), QStringLiteral("Quellix Node: 01"));
    QCOMPARE(addresses[200], QStringLiteral("Quellix Node: C9"));
    QCOMPARE(addresses.last(), QStringLiteral("Quellix Node: FE"));
    const QStringList ranges = Settings::NodeRangeEntries();
    QCOMPARE(ranges.size(), 64);
    QCOMPARE(ranges.first(), QStringLiteral("Node Range: 1"));
    QCOMPARE(ranges.last(), QStringLiteral("Node Range: 64"));
    QCOMPARE(Settings::ResolutionEntries(), QStringList({"480x272", "320x240", "480x320", "800x480"}));
    QCOMPARE(Settings::CommandSetEntries(), QStringList({"P Cmd", "D Cmd", "ZAV Cmd"}));
}

void tst_SettingsPlatform::screenSizes_data()
{
    QTest::addColumn<int>("resolution");
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("0 L") << 0 << 0 << 480 << 272;
    QTest::newRow("0 P") << 0 << 1 << 272 << 480;
    QTest::newRow("1 L") << 1 << 0 << 320 << 240;
    QTest::newRow("2 P") << 2 << 1 << 320 << 480;
    QTest::newRow("3 L") << 3 << 0 << 800 << 480;
    QTest::newRow("3 P (any non-zero layout)") << 3 << 7 << 480 << 800;
    QTest::newRow("damaged index") << 99 << 0 << 480 << 272;
}

void tst_SettingsPlatform::screenSizes()
{
    QFETCH(int, resolution);
    QFETCH(int, layout);
    QFETCH(int, width);
    QFETCH(int, height);
    const Settings::PanelSize size = Settings::ScreenSize(resolution, layout);
    QCOMPARE(size.width, width);
    QCOMPARE(size.height, height);
}

void tst_SettingsPlatform::pathExists()
{
    TempHome home;
    QVERIFY(Support::PathExists(home.root()) != 0);
    QVERIFY(writeFile(home.file("f.bmp"), "x"));
    QVERIFY(Support::PathExists(home.file("f.bmp")) != 0);
    QCOMPARE(Support::PathExists(home.file("missing.bmp")), int16_t(0));
    QCOMPARE(Support::PathExists(QString()), int16_t(0));
}

void tst_SettingsPlatform::stopwatch()
{
    Support::StartStopwatch();
    const int first = Support::ElapsedMilliseconds();
    QThread::msleep(20);
    const int second = Support::ElapsedMilliseconds();
    QVERIFY(first >= 0);
    QVERIFY(second >= first + 15);
    Support::StartStopwatch();
    QVERIFY(Support::ElapsedMilliseconds() < second);
}

void tst_SettingsPlatform::driveTypes()
{
    TempHome home;
    // A fixture of the system's block devices.
    const QString sys = home.file("sys-block");
    const struct {
        const char *name;
        const char *removable;
    } disks[] = {{"sda", "0"}, {"sdb", "1"}, {"sr0", "1"}, {"loop0", "0"}, {"mmcblk0", "0"}};
    for (const auto &d : disks) {
        QDir().mkpath(sys + QLatin1Char('/') + QLatin1String(d.name));
        QVERIFY(writeFile(sys + QLatin1Char('/') + QLatin1String(d.name) + QStringLiteral("/removable"),
                          QByteArray(d.removable) + '\n'));
    }
    qputenv("QUELLIX_SYS_BLOCK", sys.toLocal8Bit());
    QVERIFY(writeFile(home.file("card.img"), "x"));
    qputenv("QUELLIX_DRIVE_E", home.file("card.img").toLocal8Bit());
    qputenv("QUELLIX_DRIVE_H", home.file("missing.img").toLocal8Bit());

    // D: E: F: G: ... : removable disks first, named letters skipped. The
    // disks of a stand-in /sys/block are Linux's; letters named by image
    // files work on every system.
    const bool sysBlock = QSysInfo::kernelType() == QLatin1String("linux");
    const struct {
        const char *letter;
        int type;
        QString device;
        bool named;
    } expected[] = {
        {"D", Support::DriveRemovable, "/dev/mmcblk0", false},
        {"E", Support::DriveRemovable, home.file("card.img"), true},
        {"F", Support::DriveRemovable, "/dev/sdb", false},
        {"G", Support::DriveFixed, "/dev/sda", false},
        {"H", Support::DriveNone, QString(), true},
        {"I", Support::DriveCdRom, "/dev/sr0", false},
        {"J", Support::DriveNone, QString(), false},
        {"C", Support::DriveNone, QString(), true},
        {"P", Support::DriveNone, QString(), true},
    };
    for (const auto &e : expected) {
        if (!e.named && !sysBlock)
            continue;
        Support::DriveInfo info;
        Support::DriveType(QLatin1String(e.letter), &info);
        QVERIFY2(info.driveType == e.type, e.letter);
        QCOMPARE(info.device, e.device);
    }
    qunsetenv("QUELLIX_SYS_BLOCK");
    qunsetenv("QUELLIX_DRIVE_E");
    qunsetenv("QUELLIX_DRIVE_H");
}

QObject *newSettingsPlatformTest()
{
    return new tst_SettingsPlatform;
}

#include "tst_settings_platform.moc"
