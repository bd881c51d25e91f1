#include "model/modVantile.h"
#include "platform/Drives.h"
#include "sdcard/frmVantileSDWrite.h"
#include "sdfixtures.h"
#include "systemfixtures.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

namespace
{

const char *const DriveVariables[] = {"QUELLIX_SYS_BLOCK", "QUELLIX_MOUNTS", "QUELLIX_UMOUNT"};

// A fixture of the system's device information: /sys/block and the mount
// table, plus the drive letters named by variables.
class DriveFixture
{
public:
    DriveFixture()
    {
        sys = home.file("sys-block");
        mounts = home.file("mounts");
        QDir().mkpath(sys);
        QVERIFY(writeFile(mounts, "/dev/vda1 / ext4 rw 0 0\nproc /proc proc rw 0 0\n"));
        qputenv("QUELLIX_SYS_BLOCK", sys.toLocal8Bit());
        qputenv("QUELLIX_MOUNTS", mounts.toLocal8Bit());
        qunsetenv("QUELLIX_UMOUNT");
        for (char c = 'D'; c <= 'O'; ++c)
            qunsetenv(QByteArray("QUELLIX_DRIVE_") + c);
    }
    ~DriveFixture()
    {
        for (const char *v : DriveVariables)
            qunsetenv(v);
        for (char c = 'D'; c <= 'O'; ++c)
            qunsetenv(QByteArray("QUELLIX_DRIVE_") + c);
    }
    void disk(const QString &name, const char *removable, const QStringList &partitions = {})
    {
        const QString d = sys + QLatin1Char('/') + name;
        QDir().mkpath(d);
        QVERIFY(writeFile(d + QStringLiteral("/removable"), QByteArray(removable) + '\n'));
        for (const QString &p : partitions) {
            QDir().mkpath(d + QLatin1Char('/') + p);
            QVERIFY(writeFile(d + QLatin1Char('/') + p + QStringLiteral("/partition"), "1\n"));
        }
    }
    void standardDisks()
    {
        disk(QStringLiteral("vda"), "0", {QStringLiteral("vda1")});
        disk(QStringLiteral("sdb"), "1", {QStringLiteral("sdb1")});
        disk(QStringLiteral("mmcblk0"), "0", {QStringLiteral("mmcblk0p1")});
        disk(QStringLiteral("sr0"), "1");
        disk(QStringLiteral("zram0"), "0");
        disk(QStringLiteral("nbd0"), "0");
        disk(QStringLiteral("loop0"), "0");
        // Built-in flash with its boot area.
        disk(QStringLiteral("mmcblk1"), "0");
        QDir().mkpath(sys + QStringLiteral("/mmcblk1/device"));
        QVERIFY(writeFile(sys + QStringLiteral("/mmcblk1/device/type"), "MMC\n"));
        disk(QStringLiteral("mmcblk1boot0"), "0");
    }
    // An image file as the card of a letter.
    QString card(char letter, qint64 size, const QByteArray &sector0 = {})
    {
        const QString path = home.file(QStringLiteral("card-%1.img").arg(letter));
        if (!makeCard(path, size))
            return {};
        if (!sector0.isEmpty()) {
            QFile f(path);
            f.open(QIODevice::ReadWrite);
            f.write(sector0);
        }
        qputenv(QByteArray("QUELLIX_DRIVE_") + letter, path.toLocal8Bit());
        return path;
    }
    void setMounts(const QByteArray &table) { QVERIFY(writeFile(mounts, table)); }

    TempHome home;
    QString sys, mounts;
};

QByteArray bootSector()
{
    QByteArray s(512, '\x11');
    s[510] = char(0x55);
    s[511] = char(0xAA);
    return s;
}

} // namespace

// Disks and mounts of a stand-in /sys/block and mount table are Linux's way;
// elsewhere only the letters named by image files can be arranged.
#define NEEDS_STAND_IN_DISKS()                                                                                         \
    if (!StandInDiskList())                                                                                            \
    QSKIP("needs a stand-in /sys/block and mount table, which only Linux reads")

class tst_Dialog : public QObject
{
    Q_OBJECT
private slots:
    void formLoad_data();
    void formLoad();
    void driveList();
    void systemDiskIsPhysicalZero_data();
    void systemDiskIsPhysicalZero();
    void chooseDrive();
    void declineErase();
    void physicalZeroRefused();
    void partitionTableCleared();
    void partitionTableKept();
    void writeScreenGroup();
    void cancelWrite();
    void closeBoxDuringRun();
    void couldNotOpenSaysWhy();
    void mountedCardRefused();
    void mountedCardUnmounted();
    void failureReported();
    void driveListChanged_data();
    void driveListChanged();
    void tooltipsFollowTheDisks();
    void unmountedByDevice_data();
    void unmountedByDevice();
};

void tst_Dialog::formLoad_data()
{
    QTest::addColumn<int>("resolution");
    QTest::addColumn<int>("layout");
    QTest::addColumn<bool>("writeAll");
    QTest::addColumn<QString>("caption");
    QTest::newRow("480x272 L") << 0 << 0 << true << " 480 x 272 Landscape";
    QTest::newRow("320x240 L") << 1 << 0 << false << " 320 x 240 Landscape";
    QTest::newRow("480x320 L") << 2 << 0 << true << " 480 x 320 Landscape";
    QTest::newRow("800x480 L") << 3 << 0 << true << " 800 x 480 Landscape";
    QTest::newRow("480x272 P") << 0 << 1 << true << " 480 x 272 Portrait";
    QTest::newRow("320x240 P") << 1 << 1 << true << " 320 x 240 Portrait";
    QTest::newRow("480x320 P") << 2 << 1 << true << " 480 x 320 Portrait";
    QTest::newRow("800x480 P") << 3 << 1 << false << " 800 x 480 Portrait";
    QTest::newRow("damaged") << 9 << 0 << true << " None";
}

void tst_Dialog::formLoad()
{
    QFETCH(int, resolution);
    QFETCH(int, layout);
    QFETCH(bool, writeAll);
    QFETCH(QString, caption);
    DriveFixture fx;
    modVantile m;
    m.SetResolution(resolution);
    m.SetLayout(layout);
    m.WriteAllPictures = writeAll;
    ScriptedMessages messages;
    frmVantileSDWrite dlg(m, messages);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("ZAV Quellix Touch SD Card Writer"));
    QCOMPARE(dlg.lblDspDim->text(), caption);
    QCOMPARE(dlg.chkActiveOnly->isChecked(), writeAll);
    QCOMPARE(dlg.chkActiveOnly->text(), QStringLiteral("Include Standard Icons and Unused Screens (Must be done once "
                                                       "per SD Card to initialize)"));
    QCOMPARE(dlg.cmdCompileAll->text(), QStringLiteral("Write To SD Card"));
    QVERIFY(!dlg.cmdCompileAll->isEnabled());
    QCOMPARE(dlg.cmdCancel->text(), QStringLiteral("Cancel Write"));
    QVERIFY(dlg.cmdCancel->isHidden());
    QCOMPARE(dlg.cmdClose->text(), QStringLiteral("Close"));
    QCOMPARE(dlg.pbFiles->minimum(), 0);
    QCOMPARE(dlg.pbFiles->maximum(), 1946);
    QCOMPARE(dlg.size(), QSize(681, 329));
    QCOMPARE(dlg.optDrive[7]->geometry(), QRect(256, 40, 225, 17));
    QCOMPARE(dlg.lblWarning->geometry(), QRect(16, 248, 649, 73));
    QCOMPARE(dlg.lblWarning->text(),
             QStringLiteral(" Ensure you select the correct logical/physical drive.\r\n"
                            "  The write process will erase all data on all logical drives with the same physical "
                            "drive number as the selected drive.\r\n"
                            "  Once the write process begins, there is no method to recover any data previously on "
                            "the drive.\r\n"
                            "  It is recommended that the user verifies the correct drive is selected by using the "
                            "desktop's Disks utility or the command lsblk.\r\n"
                            "  Both show each drive's device (/dev/sdb, /dev/mmcblk0), size and model; in a "
                            "terminal: lsblk -o NAME,SIZE,RM,MODEL,MOUNTPOINTS"));
    QCOMPARE(dlg.SDWrite().PicName[1946], QStringLiteral("ZAVS3_P.BMP"));
    QCOMPARE(dlg.WriteType, resolution > 3 ? 10 : resolution + 1 + 4 * layout);

    // The check box sets the program-wide choice.
    dlg.show();
    dlg.chkActiveOnly->click();
    QCOMPARE(m.WriteAllPictures, !writeAll);
}

void tst_Dialog::driveList()
{
    NEEDS_STAND_IN_DISKS();
    DriveFixture fx;
    fx.standardDisks();
    fx.card('J', 4096);
    qputenv("QUELLIX_DRIVE_K", fx.home.file("gone.img").toLocal8Bit());
    modVantile m;
    ScriptedMessages messages;
    frmVantileSDWrite dlg(m, messages);
    QCOMPARE(dlg.SDWrite().GetPhysicalDriveNumber(QStringLiteral("k")), 0);
    QCOMPARE(dlg.SDWrite().GetPhysicalDriveNumber(QStringLiteral("e")), 4);
    const struct {
        const char *caption;
        bool usable;
        int phys;
    } expected[12] = {
        {"D:  Removable / Physical Drive:1", true, 1}, // mmcblk0: a card in a built-in reader
        {"E:  Removable / Physical Drive:4", true, 4}, // sdb
        {"F:  Fixed", false, 0},                       // mmcblk1: built-in flash
        {"G:  Remote", false, 0},                      // nbd0
        {"H:  CD-ROM", false, 0},                      // sr0
        {"I:  Fixed", false, 0},                       // vda, the system disk
        {"J:  Removable / Physical Drive:7", true, 7}, // the image file
        {"K:  (None)", false, 0},                      // names a file that is not there
        {"L:  RAM Disk", false, 0},                    // zram0
        {"M:  (None)", false, 0},
        {"N:  (None)", false, 0},
        {"O:  (None)", false, 0},
    };
    for (int k = 0; k < 12; ++k) {
        QCOMPARE(dlg.optDrive[size_t(k)]->text(), QString::fromLatin1(expected[k].caption));
        QCOMPARE(dlg.optDrive[size_t(k)]->isEnabled(), expected[k].usable);
        QCOMPARE(dlg.DriveUsable[size_t(k)], expected[k].usable);
        QCOMPARE(int(dlg.PhysDrive[size_t(k)]), expected[k].phys);
        QVERIFY(!dlg.optDrive[size_t(k)]->isChecked());
    }
    QCOMPARE(Drives::PhysicalDriveDevice(4), QStringLiteral("/dev/sdb"));
    QCOMPARE(Drives::PhysicalDriveDevice(7), fx.home.file("card-J.img"));
    QCOMPARE(Drives::PhysicalDriveDevice(0), QString());
}

void tst_Dialog::systemDiskIsPhysicalZero_data()
{
    QTest::addColumn<QByteArray>("mounts");
    QTest::addColumn<int>("phys");
    QTest::newRow("root on the stick") << QByteArray("/dev/sdb1 / ext4 rw 0 0\n") << 0;
    QTest::newRow("home on the stick") << QByteArray("/dev/vda1 / ext4 rw 0 0\n/dev/sdb1 /home ext4 rw 0 0\n") << 0;
    QTest::newRow("efi on the stick") << QByteArray("/dev/sdb1 /boot/efi vfat rw 0 0\n") << 0;
    QTest::newRow("whole stick as /var") << QByteArray("/dev/sdb /var ext4 rw 0 0\n") << 0;
    QTest::newRow("card mounted for the user")
        << QByteArray("/dev/vda1 / ext4 rw 0 0\n/dev/sdb1 /media/u/CARD vfat rw 0 0\n") << 1;
    QTest::newRow("escaped mount point") << QByteArray("/dev/sdb1 /run/media/u/MY\\040CARD vfat rw 0 0\n") << 1;
}

void tst_Dialog::systemDiskIsPhysicalZero()
{
    NEEDS_STAND_IN_DISKS();
    QFETCH(QByteArray, mounts);
    QFETCH(int, phys);
    DriveFixture fx;
    fx.disk(QStringLiteral("vda"), "0", {QStringLiteral("vda1")});
    fx.disk(QStringLiteral("sdb"), "1", {QStringLiteral("sdb1")});
    fx.setMounts(mounts);
    modVantile m;
    ScriptedMessages messages;
    frmVantileSDWrite dlg(m, messages);
    QCOMPARE(int(dlg.PhysDrive[0]), phys);
    QCOMPARE(dlg.optDrive[0]->text(), QStringLiteral("D:  Removable / Physical Drive:%1").arg(phys));
    if (phys == 0) {
        dlg.show();
        dlg.optDrive[0]->click();
        dlg.cmdCompileAll->click();
        QCOMPARE(messages.boxes.size(), 2);
        QCOMPARE(messages.boxes[1].text, QStringLiteral("Writing to physical disk 0 not allowed.\r\nWrite cancelled."));
    } else {
        const QList<Drives::Mount> on = Drives::MountsOn(QStringLiteral("/dev/sdb"));
        QCOMPARE(on.size(), 1);
        QVERIFY(on[0].mountPoint == QLatin1String("/media/u/CARD") ||
                on[0].mountPoint == QLatin1String("/run/media/u/MY CARD"));
    }
}

void tst_Dialog::chooseDrive()
{
    DriveFixture fx;
    fx.card('E', 4096);
    modVantile m;
    ScriptedMessages messages;
    frmVantileSDWrite dlg(m, messages);
    dlg.show();
    QVERIFY(!dlg.optDrive[0]->isEnabled());
    dlg.optDrive[1]->click();
    QCOMPARE(dlg.cmdCompileAll->text(), QStringLiteral("Create Image on E:"));
    QVERIFY(dlg.cmdCompileAll->isEnabled());
    QCOMPARE(dlg.SelDrive, 1);
    QCOMPARE(dlg.SDWrite().DriveLetter, QStringLiteral("E"));
}

void tst_Dialog::declineErase()
{
    DriveFixture fx;
    const QString card = fx.card('D', 4096, bootSector());
    modVantile m;
    ScriptedMessages messages;
    messages.answers = {MessagePrompt::Answer::No};
    frmVantileSDWrite dlg(m, messages);
    dlg.show();
    dlg.optDrive[0]->click();
    dlg.cmdCompileAll->click();
    QCOMPARE(messages.boxes.size(), 2);
    QCOMPARE(messages.boxes[0].text, QStringLiteral("This action will permanently erase data on drive D:\r\n"
                                                    "and all logical drives on physical drive: 1\r\n"
                                                    "Do you want to continue?"));
    QCOMPARE(messages.boxes[0].title, QStringLiteral("Write Data"));
    QCOMPARE(messages.boxes[0].icon, MessagePrompt::Icon::Question);
    QCOMPARE(messages.boxes[0].buttons, MessagePrompt::Buttons::YesNo);
    QCOMPARE(messages.boxes[1].text, QStringLiteral("Action Cancelled"));
    QCOMPARE(messages.boxes[1].title, QStringLiteral("Write Data"));
    QCOMPARE(messages.boxes[1].icon, MessagePrompt::Icon::None);
    QCOMPARE(readAt(card, 0, 512), bootSector());
    QVERIFY(dlg.cmdCompileAll->isEnabled());
}

void tst_Dialog::physicalZeroRefused()
{
    NEEDS_STAND_IN_DISKS();
    // A removable disk that the system runs from.
    DriveFixture fx;
    fx.disk(QStringLiteral("sdb"), "1", {QStringLiteral("sdb1")});
    fx.card('E', 4096);
    fx.setMounts("/dev/sdb1 / ext4 rw 0 0\n");
    modVantile m;
    ScriptedMessages messages;
    frmVantileSDWrite dlg(m, messages);
    dlg.show();
    dlg.optDrive[0]->click();
    dlg.cmdCompileAll->click();
    QCOMPARE(messages.boxes.size(), 2);
    QCOMPARE(messages.boxes[1].text, QStringLiteral("Writing to physical disk 0 not allowed.\r\nWrite cancelled."));
    QCOMPARE(messages.boxes[1].title, QStringLiteral("Write Error"));
    QCOMPARE(messages.boxes[1].icon, MessagePrompt::Icon::Critical);
    // Restored: the usable drives enabled again, the chosen one still chosen.
    QVERIFY(dlg.cmdCompileAll->isEnabled() && dlg.cmdClose->isEnabled() && dlg.chkActiveOnly->isEnabled());
    QVERIFY(dlg.cmdCancel->isHidden());
    QVERIFY(dlg.optDrive[0]->isEnabled() && dlg.optDrive[1]->isEnabled() && !dlg.optDrive[2]->isEnabled());
    QVERIFY(dlg.optDrive[0]->isChecked());
}

void tst_Dialog::partitionTableCleared()
{
    DriveFixture fx;
    const QString card = fx.card('D', 1 << 20, bootSector());
    modVantile m;
    ScriptedMessages messages;
    frmVantileSDWrite dlg(m, messages);
    dlg.show();
    dlg.optDrive[0]->click();
    dlg.cmdCompileAll->click();
    QCOMPARE(messages.boxes.size(), 3);
    QCOMPARE(messages.boxes[1].text,
             QStringLiteral("MBR found on device.\r\nVerify you have selected the correct drive.\r\nContinue?"));
    QCOMPARE(messages.boxes[1].title, QStringLiteral("Verify Drive"));
    QCOMPARE(messages.boxes[1].icon, MessagePrompt::Icon::Question);
    QCOMPARE(messages.boxes[2].text,
             QStringLiteral("Device has been initialized.\r\nFollow these steps to proceed:\r\n -Remove SD card\r\n"
                            " -Wait 5 seconds\r\n -Reinsert SD card\r\n"
                            " -Click OK and select Program | Compile And Write To SD Card again"));
    QCOMPARE(messages.boxes[2].title, QStringLiteral("ZAV Quellix Touch"));
    QCOMPARE(messages.boxes[2].icon, MessagePrompt::Icon::None);
    QVERIFY(allZero(readAt(card, 0, 512)));
    QVERIFY(allZero(readAt(card, 512, 1 << 19))); // nothing else written
    QVERIFY(!dlg.isVisible());
}

void tst_Dialog::partitionTableKept()
{
    DriveFixture fx;
    QByteArray sector = QByteArray(512, '\0');
    sector[510] = char(0x55);
    sector[511] = char(0xAA);
    const QString card = fx.card('D', 1 << 20, sector);
    modVantile m;
    ScriptedMessages messages;
    messages.answers = {MessagePrompt::Answer::Yes, MessagePrompt::Answer::No};
    frmVantileSDWrite dlg(m, messages);
    dlg.show();
    dlg.optDrive[0]->click();
    dlg.cmdCompileAll->click();
    QCOMPARE(messages.boxes.size(), 3);
    QCOMPARE(messages.boxes[2].text, QStringLiteral("Write cancelled."));
    QCOMPARE(messages.boxes[2].title, QStringLiteral("Cancel"));
    QCOMPARE(messages.boxes[2].icon, MessagePrompt::Icon::Information);
    QCOMPARE(readAt(card, 0, 512), sector);
    QVERIFY(dlg.isVisible());
    QVERIFY(dlg.cmdCompileAll->isEnabled());
}

void tst_Dialog::writeScreenGroup()
{
    DriveFixture fx;
    // Any ending but 55 AA is no partition table.
    QByteArray sector(512, '\0');
    sector[510] = char(0x55);
    const QString card = fx.card('D', 80959488, sector);
    modVantile m;
    m.WriteAllPictures = false;
    m.SetResolution(1);
    ScriptedMessages messages;
    frmVantileSDWrite dlg(m, messages);
    dlg.SDWrite().PictureFolder = fullPictureFolder();
    dlg.show();
    dlg.optDrive[0]->click();
    dlg.cmdCompileAll->click();
    QCOMPARE(messages.boxes.size(), 2);
    QCOMPARE(messages.boxes[1].text, QStringLiteral("Write Data Complete"));
    QCOMPARE(messages.boxes[1].title, QStringLiteral("Write Data"));
    QCOMPARE(messages.boxes[1].icon, MessagePrompt::Icon::None);
    QCOMPARE(dlg.pbFiles->value(), 1946);
    QCOMPARE(dlg.lblFiles->text(), fullPictureFolder() + QStringLiteral("/SR1LPW.BMP"));
    QCOMPARE(readAt(card, 0, 512), sector); // slot 0 was not chosen
    QCOMPARE(readAt(card, dlg.SDWrite().PicOffset[1167], 6), QByteArray("\x01\x40\x00\xF0\x00\x00", 6));
    QVERIFY(dlg.cmdCancel->isHidden() && dlg.cmdCompileAll->isEnabled() && dlg.optDrive[0]->isEnabled());
    QVERIFY(dlg.SDWrite().DriveHandle < 0);
}

void tst_Dialog::cancelWrite()
{
    DriveFixture fx;
    const QString card = fx.card('D', modVantileSDWrite::DataAreaEnd);
    modVantile m;
    m.SetCommandSet(2);
    m.PanelImage[2] = 9;
    ScriptedMessages messages;
    frmVantileSDWrite dlg(m, messages);
    dlg.SDWrite().PictureFolder = fullPictureFolder();
    dlg.show();
    dlg.optDrive[0]->click();
    bool cancelShown = false;
    connect(dlg.pbFiles, &QProgressBar::valueChanged, &dlg, [&](int v) {
        if (v == 300) {
            cancelShown = dlg.cmdCancel->isVisible() && dlg.cmdCancel->isEnabled() && !dlg.cmdClose->isEnabled() &&
                          !dlg.optDrive[0]->isEnabled() && !dlg.chkActiveOnly->isEnabled();
            dlg.cmdCancel->click();
        }
    });
    dlg.cmdCompileAll->click();
    QVERIFY(cancelShown);
    QCOMPARE(dlg.pbFiles->value(), 300);
    QCOMPARE(messages.boxes.last().text,
             QStringLiteral("Write Data Stopped By User.\r\nSD Card Has Incomplete Data.\r\n"
                            "Entire SD Card MUST Be Written To Correct Damaged Images."));
    QCOMPARE(messages.boxes.last().title, QStringLiteral("Write Data"));
    QCOMPARE(messages.boxes.last().icon, MessagePrompt::Icon::Critical);
    QVERIFY(allZero(readAt(card, dlg.SDWrite().PicOffset[301], 4096)));
    QCOMPARE(readAt(card, modVantileSDWrite::DataAreaPosition + 2, 1), QByteArray("\x09", 1));
    QVERIFY(dlg.isVisible());
}

void tst_Dialog::closeBoxDuringRun()
{
    DriveFixture fx;
    fx.card('D', 80959488);
    modVantile m;
    ScriptedMessages messages;
    frmVantileSDWrite dlg(m, messages);
    dlg.SDWrite().PictureFolder = fullPictureFolder();
    dlg.show();
    dlg.optDrive[0]->click();
    bool stillOpen = false;
    connect(dlg.pbFiles, &QProgressBar::valueChanged, &dlg, [&](int v) {
        if (v == 100) {
            dlg.close();
            stillOpen = dlg.isVisible();
        }
    });
    dlg.cmdCompileAll->click();
    QVERIFY(stillOpen);
    QVERIFY(dlg.WriteCancelled);
    QCOMPARE(dlg.pbFiles->value(), 100);
    QVERIFY(messages.boxes.last().text.startsWith(QStringLiteral("Write Data Stopped By User.")));
    QVERIFY(!dlg.isVisible());
}

void tst_Dialog::couldNotOpenSaysWhy()
{
    NEEDS_STAND_IN_DISKS();
    DriveFixture fx;
    fx.disk(QStringLiteral("sdzz"), "1");
    modVantile m;
    ScriptedMessages messages;
    frmVantileSDWrite dlg(m, messages);
    dlg.show();
    QCOMPARE(dlg.optDrive[0]->text(), QStringLiteral("D:  Removable / Physical Drive:1"));
    dlg.optDrive[0]->click();
    dlg.cmdCompileAll->click();
    QCOMPARE(messages.boxes.size(), 2);
    QCOMPARE(messages.boxes[1].text, QStringLiteral("Could not open physical drive 1\r\n"
                                                    "/dev/sdzz is not there (is the card in the reader?)."));
    QCOMPARE(messages.boxes[1].title, QStringLiteral("ZAV Quellix Touch"));
    QCOMPARE(messages.boxes[1].icon, MessagePrompt::Icon::None);
    QVERIFY(dlg.cmdCompileAll->isEnabled());
}

void tst_Dialog::mountedCardRefused()
{
    NEEDS_STAND_IN_DISKS();
    DriveFixture fx;
    const QString card = fx.card('D', 80959488);
    // The image is served by a loop device whose partition is mounted.
    fx.disk(QStringLiteral("loop3"), "0", {QStringLiteral("loop3p1")});
    QDir().mkpath(fx.sys + QStringLiteral("/loop3/loop"));
    QVERIFY(writeFile(fx.sys + QStringLiteral("/loop3/loop/backing_file"), card.toLocal8Bit() + '\n'));
    fx.setMounts("/dev/loop3p1 /mnt/card vfat rw 0 0\n");
    qputenv("QUELLIX_UMOUNT", "false");
    modVantile m;
    ScriptedMessages messages;
    frmVantileSDWrite dlg(m, messages);
    dlg.SDWrite().PictureFolder = fullPictureFolder();
    dlg.show();
    dlg.optDrive[0]->click();
    dlg.cmdCompileAll->click();
    QCOMPARE(messages.boxes.size(), 2);
    QCOMPARE(messages.boxes[1].text, QStringLiteral("The card holds a mounted file system and cannot be written.\r\n"
                                                    "/dev/loop3p1 is mounted on /mnt/card and could not be "
                                                    "unmounted.\r\nWrite cancelled."));
    QCOMPARE(messages.boxes[1].title, QStringLiteral("Write Error"));
    QVERIFY(allZero(readAt(card, 0, 1 << 20)));
    QVERIFY(dlg.cmdCompileAll->isEnabled());
}

void tst_Dialog::mountedCardUnmounted()
{
    NEEDS_STAND_IN_DISKS();
    DriveFixture fx;
    const QString card = fx.card('D', 80959488);
    fx.disk(QStringLiteral("loop3"), "0");
    QDir().mkpath(fx.sys + QStringLiteral("/loop3/loop"));
    QVERIFY(writeFile(fx.sys + QStringLiteral("/loop3/loop/backing_file"), card.toLocal8Bit() + '\n'));
    fx.setMounts("/dev/loop3 /mnt/card vfat rw 0 0\n");
    // The unmount program takes the mount out of the table.
    const QString script = fx.home.file("umount.sh");
    QVERIFY(writeFile(script, "#!/bin/sh\n: > \"$QUELLIX_MOUNTS\"\n"));
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("QUELLIX_UMOUNT", script.toLocal8Bit());
    modVantile m;
    m.WriteAllPictures = false;
    ScriptedMessages messages;
    frmVantileSDWrite dlg(m, messages);
    dlg.SDWrite().PictureFolder = fullPictureFolder();
    dlg.show();
    dlg.optDrive[0]->click();
    dlg.cmdCompileAll->click();
    QCOMPARE(messages.boxes.last().text, QStringLiteral("Write Data Complete"));
    QVERIFY(Drives::MountTable().isEmpty());
}

void tst_Dialog::failureReported()
{
    // A card too small for the data area and a missing screen picture.
    DriveFixture fx;
    fx.card('D', 80959488);
    QTemporaryDir pics;
    modVantile m;
    m.WriteAllPictures = false;
    m.SetCommandSet(2);
    ScriptedMessages messages;
    frmVantileSDWrite dlg(m, messages);
    dlg.SDWrite().PictureFolder = pics.path();
    dlg.show();
    dlg.optDrive[0]->click();
    dlg.cmdCompileAll->click();
    QCOMPARE(messages.boxes.last().text,
             QStringLiteral("Write Data Failed.\r\nThe card is too small: it holds 80959488 bytes, this write needs "
                            "1073758720 bytes.\r\nNothing was written."));
    QCOMPARE(messages.boxes.last().icon, MessagePrompt::Icon::Critical);

    m.SetCommandSet(0);
    dlg.cmdCompileAll->click();
    const QString text = messages.boxes.last().text;
    QVERIFY2(text.startsWith(QStringLiteral("Write Data Complete\r\n\r\nPictures not written (their slots were left as "
                                            "they were):\r\n  SR0L00.BMP: the file is missing\r\n")),
             qPrintable(text));
    QVERIFY(text.endsWith(QStringLiteral("\r\n  ... and 1 more")));
    QCOMPARE(messages.boxes.last().icon, MessagePrompt::Icon::Exclamation);
}

void tst_Dialog::driveListChanged_data()
{
    QTest::addColumn<int>("change");
    QTest::newRow("card removed, the next one takes its number") << 0;
    QTest::newRow("another card under the same name") << 1;
    QTest::newRow("the system now runs from the disk") << 2;
}

void tst_Dialog::driveListChanged()
{
    QFETCH(int, change);
    if (change == 2)
        NEEDS_STAND_IN_DISKS();
    DriveFixture fx;
    const QString chosen = fx.card('D', 1 << 20, bootSector());
    const QString other = fx.card('E', 1 << 20, bootSector());
    if (change == 2) {
        qunsetenv("QUELLIX_DRIVE_D");
        fx.disk(QStringLiteral("sdb"), "1", {QStringLiteral("sdb1")});
    }
    modVantile m;
    ScriptedMessages messages;
    frmVantileSDWrite dlg(m, messages);
    dlg.show();
    dlg.optDrive[0]->click();
    if (change == 0) {
        qunsetenv("QUELLIX_DRIVE_D");
        QVERIFY(QFile::remove(chosen));
    } else if (change == 1) {
        QVERIFY(writeFile(chosen + QStringLiteral(".new"), bootSector()));
        QVERIFY(QFile::remove(chosen) && QFile::rename(chosen + QStringLiteral(".new"), chosen));
    } else {
        fx.setMounts("/dev/sdb1 / ext4 rw 0 0\n");
    }
    dlg.cmdCompileAll->click(); // every question answered Yes
    QCOMPARE(messages.boxes.size(), 2);
    QVERIFY2(
        messages.boxes[1].text.startsWith(QStringLiteral("The drive list has changed; choose the drive again.\r\n")),
        qPrintable(messages.boxes[1].text));
    QVERIFY(!QFile::exists(chosen) || readAt(chosen, 0, 512) == bootSector());
    QCOMPARE(readAt(other, 0, 512), bootSector());
    QVERIFY(!dlg.cmdCompileAll->isEnabled() && !dlg.optDrive[0]->isChecked());
}

void tst_Dialog::tooltipsFollowTheDisks()
{
    NEEDS_STAND_IN_DISKS();
    DriveFixture fx;
    fx.disk(QStringLiteral("vda"), "0", {QStringLiteral("vda1")});
    fx.disk(QStringLiteral("sdb"), "1", {QStringLiteral("sdb1")});
    QDir().mkpath(fx.sys + QStringLiteral("/sdb/device"));
    QVERIFY(writeFile(fx.sys + QStringLiteral("/sdb/size"), "31116288\n"));
    QVERIFY(writeFile(fx.sys + QStringLiteral("/sdb/device/vendor"), "Generic \n"));
    QVERIFY(writeFile(fx.sys + QStringLiteral("/sdb/device/model"), "STORAGE DEVICE\n"));
    modVantile m;
    ScriptedMessages messages;
    frmVantileSDWrite dlg(m, messages);
    dlg.show();
    QCOMPARE(dlg.optDrive[0]->toolTip(),
             QStringLiteral("D: /dev/sdb\n15.9 GB (15931539456 bytes)\nGeneric STORAGE DEVICE\nremovable"));
    QCOMPARE(dlg.optDrive[1]->toolTip(), QStringLiteral("E: /dev/vda\nnot removable\nholds the running system"));
    QCOMPARE(dlg.optDrive[2]->toolTip(), QString());

    // A card plugged in: it comes first, and the chosen letter names another disk now.
    dlg.optDrive[0]->click();
    fx.disk(QStringLiteral("sda"), "1");
    dlg.RefreshDrives();
    QCOMPARE(dlg.optDrive[0]->text(), QStringLiteral("D:  Removable / Physical Drive:1"));
    QCOMPARE(dlg.optDrive[1]->text(), QStringLiteral("E:  Removable / Physical Drive:2"));
    QVERIFY(dlg.optDrive[1]->toolTip().startsWith(QStringLiteral("E: /dev/sdb\n")));
    QVERIFY(!dlg.optDrive[0]->isChecked() && !dlg.cmdCompileAll->isEnabled());
    // A disk that stays the same stays chosen.
    dlg.optDrive[1]->click();
    fx.disk(QStringLiteral("sdc"), "1");
    dlg.RefreshDrives();
    QVERIFY(dlg.optDrive[1]->isChecked() && dlg.cmdCompileAll->isEnabled());
}

void tst_Dialog::unmountedByDevice_data()
{
    QTest::addColumn<bool>("throughLink");
    QTest::addColumn<QByteArray>("mounts");
    QTest::addColumn<bool>("unmounts");
    QTest::addColumn<QString>("unmountArgs");
    QTest::addColumn<QString>("outcome");
    const QString refused = QStringLiteral("The card holds a mounted file system and cannot be written.\r\n");
    QTest::newRow("card named through a link")
        << true << QByteArray("/dev/loop3 /mnt/card vfat rw 0 0\n") << false << "/dev/loop3\n"
        << refused + QStringLiteral("/dev/loop3 is mounted on /mnt/card and could not be unmounted.");
    QTest::newRow("another file system over it")
        << false << QByteArray("/dev/loop3 /mnt/card vfat rw 0 0\ntmpfs /mnt/card tmpfs rw 0 0\n") << true << ""
        << refused + QStringLiteral("/dev/loop3 is mounted on /mnt/card and could not be unmounted.\r\n"
                                    "tmpfs is mounted over it there; unmount that first.");
    QTest::newRow("unmounted by its device")
        << false << QByteArray("/dev/loop3 /mnt/card vfat rw 0 0\n") << true << "/dev/loop3\n"
        << QStringLiteral("Write Data Complete");
}

void tst_Dialog::unmountedByDevice()
{
    NEEDS_STAND_IN_DISKS();
    QFETCH(bool, throughLink);
    QFETCH(QByteArray, mounts);
    QFETCH(bool, unmounts);
    QFETCH(QString, unmountArgs);
    QFETCH(QString, outcome);
    DriveFixture fx;
    const QString card = fx.card('D', 80959488);
    if (throughLink) {
        QVERIFY(QFile::link(card, fx.home.file("card-link.img")));
        qputenv("QUELLIX_DRIVE_D", fx.home.file("card-link.img").toLocal8Bit());
    }
    fx.disk(QStringLiteral("loop3"), "0");
    QDir().mkpath(fx.sys + QStringLiteral("/loop3/loop"));
    QVERIFY(writeFile(fx.sys + QStringLiteral("/loop3/loop/backing_file"), card.toLocal8Bit() + '\n'));
    fx.setMounts(mounts);
    // The system's umount, played by a script that notes its arguments.
    const QString bin = fx.home.file("bin");
    QDir().mkpath(bin);
    const QString log = fx.home.file("umount.log");
    QVERIFY(writeFile(bin + QStringLiteral("/umount"), QByteArray("#!/bin/sh\necho \"$@\" >> '") + log.toLocal8Bit() +
                                                           "'\n" + (unmounts ? ": > \"$QUELLIX_MOUNTS\"\n" : "")));
    QFile::setPermissions(bin + QStringLiteral("/umount"), QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.toLocal8Bit());
    modVantile m;
    m.WriteAllPictures = false;
    ScriptedMessages messages;
    frmVantileSDWrite dlg(m, messages);
    dlg.SDWrite().PictureFolder = fullPictureFolder();
    dlg.show();
    dlg.optDrive[0]->click();
    dlg.cmdCompileAll->click();
    qputenv("PATH", path);
    QCOMPARE(QString::fromLocal8Bit(readFile(log)), unmountArgs);
    QVERIFY2(messages.boxes.last().text.startsWith(outcome), qPrintable(messages.boxes.last().text));
    QCOMPARE(allZero(readAt(card, dlg.SDWrite().PicOffset[1149], 512)),
             !outcome.startsWith(QLatin1String("Write Data Complete")));
}

int runDialogTests(int argc, char **argv)
{
    tst_Dialog t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_dialog.moc"
