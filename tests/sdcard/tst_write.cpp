#include "comm/DeviceData.h"
#include "model/modVantile.h"
#include "sdcard/CardStockPictures.h"
#include "sdfixtures.h"
#include "systemfixtures.h"

// Writing image files as cards: every slot at its place, the screen group
// alone, the data area, cancel, capacity, write errors, skipped pictures.
class tst_Write : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void fullWriteReadBack();
    void screenGroupOnly();
    void dataAreaOnlyForZavCmd_data();
    void dataAreaOnlyForZavCmd();
    void cancelKeepsLaterSlotsAndWritesData();
    void tooSmallCard_data();
    void tooSmallCard();
    void writeErrorPartWay();
    void missingAndBadPicturesSkipped();
    void stockPictureThatCannotBeMade();
    void readBackFindsDifference();
    void withoutADriveEveryOperationSaysWhy();

private:
    QTemporaryDir dir;
    modVantileSDWrite table;
    QString card(const QString &name) const { return dir.path() + QLatin1Char('/') + name; }
    static QList<int> progressOf(modVantileSDWrite &sd, modVantile &m, bool all, int type,
                                 modVantileSDWrite::RunResult *result, int cancelAt = -1)
    {
        QList<int> progress;
        modVantileSDWrite::RunHooks hooks;
        hooks.progress = [&](int slot) { progress.append(slot); };
        hooks.yield = [&] { return !progress.isEmpty() && progress.last() == cancelAt; };
        *result = sd.CompileAll(m, all, type, hooks);
        return progress;
    }
};

void tst_Write::initTestCase()
{
    table.FillPicTable();
    fullPictureFolder();
}

void tst_Write::fullWriteReadBack()
{
    const QString path = card("full.img");
    QVERIFY(makeCard(path, modVantileSDWrite::DataAreaEnd));
    modVantile m;
    m.SetCommandSet(2);
    m.SetResolution(3);
    m.PanelImage[5] = 0x7F;
    modVantileSDWrite sd;
    sd.FillPicTable();
    sd.PictureFolder = fullPictureFolder();
    QVERIFY(sd.OpenPath(path, true));
    modVantileSDWrite::RunResult result;
    const QList<int> progress = progressOf(sd, m, true, 4, &result);
    sd.CloseDrive();
    QVERIFY2(!result.failed, qPrintable(result.failure));
    QVERIFY(result.skipped.isEmpty());
    QCOMPARE(result.picturesWritten, 1947);
    QCOMPARE(progress.size(), 1947);
    QCOMPARE(progress.last(), 1946);

    // Slot by slot, what the conversion gives is on the card.
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    modVantileSDWrite expect;
    expect.FillPicTable();
    expect.PictureFolder = sd.PictureFolder;
    for (int slot = 0; slot < modVantileSDWrite::SlotCount; ++slot) {
        QVERIFY(expect.CompilePic(slot, 2));
        const QByteArray want = expect.PictureSectors();
        QVERIFY(f.seek(expect.PicOffset[size_t(slot)]));
        QVERIFY2(f.read(want.size()) == want, qPrintable(expect.PicName[size_t(slot)]));
    }
    const QByteArray stream = DeviceDataStream(m);
    QCOMPARE(readAt(path, modVantileSDWrite::DataAreaPosition, 16384), stream.left(16384));
    QCOMPARE(readAt(path, modVantileSDWrite::DeviceMapPosition, 512), stream.mid(16384, 128) + QByteArray(384, '\0'));
    QCOMPARE(readAt(path, modVantileSDWrite::DataAreaPosition + 5, 1), QByteArray("\x7F", 1));
}

void tst_Write::screenGroupOnly()
{
    // Portrait 480 x 272 (type 5): only slots 1221 - 1238, progress still to 1946.
    const QString path = card("group.img");
    QVERIFY(makeCard(path, 80959488));
    modVantile m;
    m.SetLayout(1);
    modVantileSDWrite sd;
    sd.FillPicTable();
    sd.PictureFolder = fullPictureFolder();
    QVERIFY(sd.OpenPath(path, true));
    modVantileSDWrite::RunResult result;
    const QList<int> progress = progressOf(sd, m, false, modVantileSDWrite::WriteTypeOf(m), &result);
    sd.CloseDrive();
    QVERIFY2(!result.failed, qPrintable(result.failure));
    QCOMPARE(result.picturesWritten, 18);
    QCOMPARE(progress.size(), 1947);
    const QByteArray all = readAt(path, 0, 80959488);
    QVERIFY(allZero(all.left(table.PicOffset[1221])));
    QVERIFY(allZero(all.mid(table.PicOffset[1239])));
    QCOMPARE(all.mid(table.PicOffset[1221], 6), QByteArray("\x01\x10\x01\xE0\x00\x00", 6));
    QCOMPARE(QFileInfo(path).size(), 80959488);
}

void tst_Write::dataAreaOnlyForZavCmd_data()
{
    QTest::addColumn<int>("commandSet");
    QTest::newRow("P Cmd") << 0;
    QTest::newRow("D Cmd") << 1;
    QTest::newRow("ZAV Cmd") << 2;
}

void tst_Write::dataAreaOnlyForZavCmd()
{
    QFETCH(int, commandSet);
    const QString path = card("data.img");
    const qint64 size = modVantileSDWrite::DataAreaEnd + 4096;
    QVERIFY(makeCard(path, size));
    modVantile m;
    m.SetCommandSet(commandSet);
    m.PanelImage[0] = 0x42;
    modVantileSDWrite sd;
    sd.FillPicTable();
    sd.PictureFolder = fullPictureFolder();
    QVERIFY(sd.OpenPath(path, true));
    modVantileSDWrite::RunResult result;
    progressOf(sd, m, false, 1, &result);
    sd.CloseDrive();
    QVERIFY2(!result.failed, qPrintable(result.failure));
    const QByteArray area = readAt(path, modVantileSDWrite::DataAreaPosition, 16896);
    if (commandSet == 2) {
        QCOMPARE(area.at(0), char(0x42));
        QCOMPARE(area.mid(980, 2), QByteArray("\x00\x02", 2));
    } else {
        QVERIFY(allZero(area));
    }
    // The screen pictures carry their header except under "ZAV Cmd".
    const QByteArray first = readAt(path, table.PicOffset[1149], 6);
    if (commandSet == 2)
        QVERIFY(first != QByteArray("\x01\xE0\x01\x10\x00\x00", 6));
    else
        QCOMPARE(first, QByteArray("\x01\xE0\x01\x10\x00\x00", 6));
    QCOMPARE(QFileInfo(path).size(), size);
}

void tst_Write::cancelKeepsLaterSlotsAndWritesData()
{
    const QString path = card("cancel.img");
    QVERIFY(makeCard(path, modVantileSDWrite::DataAreaEnd));
    modVantile m;
    m.SetCommandSet(2);
    m.PanelImage[1] = 0x33;
    modVantileSDWrite sd;
    sd.FillPicTable();
    sd.PictureFolder = fullPictureFolder();
    QVERIFY(sd.OpenPath(path, true));
    modVantileSDWrite::RunResult result;
    const QList<int> progress = progressOf(sd, m, true, 1, &result, 500);
    sd.CloseDrive();
    QVERIFY(result.cancelled);
    QVERIFY(!result.failed);
    QCOMPARE(progress.last(), 500);
    QCOMPARE(result.picturesWritten, 501);
    QVERIFY(!allZero(readAt(path, table.PicOffset[500], 512)));
    QVERIFY(allZero(readAt(path, table.PicOffset[501], table.PicOffset[1947 - 1] - table.PicOffset[501])));
    QCOMPARE(readAt(path, modVantileSDWrite::DataAreaPosition + 1, 1), QByteArray("\x33", 1));
}

void tst_Write::tooSmallCard_data()
{
    QTest::addColumn<bool>("all");
    QTest::addColumn<int>("commandSet");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<qint64>("needed");
    QTest::newRow("catalogue") << true << 0 << qint64(80959488 - 512) << qint64(80959488);
    QTest::newRow("data area") << false << 2 << qint64(1073741824) << qint64(1073758720);
    QTest::newRow("empty card") << false << 0 << qint64(0) << qint64(22496768);
}

void tst_Write::tooSmallCard()
{
    QFETCH(bool, all);
    QFETCH(int, commandSet);
    QFETCH(qint64, size);
    QFETCH(qint64, needed);
    const QString path = card("small.img");
    QVERIFY(makeCard(path, size));
    modVantile m;
    m.SetCommandSet(commandSet);
    modVantileSDWrite sd;
    sd.FillPicTable();
    sd.PictureFolder = fullPictureFolder();
    QVERIFY(sd.OpenPath(path, true));
    modVantileSDWrite::RunResult result;
    const QList<int> progress = progressOf(sd, m, all, 1, &result);
    sd.CloseDrive();
    QVERIFY(result.failed);
    QCOMPARE(result.failure, QStringLiteral("The card is too small: it holds %1 bytes, this write needs %2 bytes.\r\n"
                                            "Nothing was written.")
                                 .arg(size)
                                 .arg(needed));
    QVERIFY(progress.isEmpty());
    QCOMPARE(QFileInfo(path).size(), size);
    QVERIFY(allZero(readAt(path, 0, 1 << 20)));
}

void tst_Write::writeErrorPartWay()
{
    // The system refuses writes past 10 MiB: the run stops at that slot and
    // says where, instead of reporting success.
    const QString path = card("fails.img");
    QVERIFY(makeCard(path, 80959488));
    modVantile m;
    modVantileSDWrite sd;
    sd.FillPicTable();
    sd.PictureFolder = fullPictureFolder();
    QVERIFY(sd.OpenPath(path, true));
    constexpr qint64 limit = 10 << 20;
    int failing = 0;
    while (sd.CompilePic(failing, 0) && sd.PicOffset[size_t(failing)] + sd.PictureSectors().size() <= limit)
        ++failing;
    const qint64 at = std::max(qint64(sd.PicOffset[size_t(failing)]), limit);
    modVantileSDWrite::RunResult result;
    QList<int> progress;
    {
        FileSizeLimit limited(limit);
        if (!limited.Active())
            QSKIP("no file size limit on this system");
        progress = progressOf(sd, m, true, 1, &result);
    }
    sd.CloseDrive();
    QVERIFY(result.failed);
    QVERIFY2(result.failure.startsWith(
                 QStringLiteral("Writing slot %1 (%2) failed at byte ").arg(failing).arg(sd.PicName[size_t(failing)])),
             qPrintable(result.failure));
    QVERIFY2(result.failure.contains(QStringLiteral("%1 (sector %2)").arg(at).arg(at / 512)),
             qPrintable(result.failure));
    QCOMPARE(progress.last(), failing - 1);
    QCOMPARE(result.picturesWritten, failing);
}

void tst_Write::missingAndBadPicturesSkipped()
{
    QTemporaryDir pics;
    modVantileSDWrite sd;
    sd.FillPicTable();
    sd.PictureFolder = pics.path();
    writeScreenPictures(sd, pics.path());
    QVERIFY(QFile::remove(pics.path() + QStringLiteral("/SR0L03.BMP")));
    QVERIFY(writeFile(pics.path() + QStringLiteral("/SR0L05.BMP"), solidBmp(480, 300, Rgb{1, 1, 1})));
    QVERIFY(
        writeFile(pics.path() + QStringLiteral("/SR0L07.BMP"), makeBmp(
                                                                   480, 272, [](int, int) { return Rgb{}; }, 0, 32)));
    const QString path = card("skips.img");
    QVERIFY(makeCard(path, 80959488));
    // Something old on the card in a skipped slot stays as it was.
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.seek(sd.PicOffset[1152]);
        f.write("OLD");
    }
    modVantile m;
    QVERIFY(sd.OpenPath(path, true));
    modVantileSDWrite::RunResult result;
    progressOf(sd, m, false, 1, &result);
    sd.CloseDrive();
    QVERIFY2(!result.failed, qPrintable(result.failure));
    QCOMPARE(result.skipped,
             QStringList({QStringLiteral("SR0L03.BMP: the file is missing"),
                          QStringLiteral("SR0L05.BMP: 480 x 300 pixels need 563 sectors, the slot has 511"),
                          QStringLiteral("SR0L07.BMP: not an uncompressed 24-bit BMP")}));
    QCOMPARE(result.picturesWritten, 15);
    QCOMPARE(readAt(path, sd.PicOffset[1152], 3), QByteArray("OLD"));
    QVERIFY(allZero(readAt(path, sd.PicOffset[1154], 512)));
    QVERIFY(!allZero(readAt(path, sd.PicOffset[1153], 512)));
    // The group's stock pictures were made because they were missing.
    QVERIFY(QFileInfo::exists(pics.path() + QStringLiteral("/SR0LAD.BMP")));
    QVERIFY(QFileInfo::exists(pics.path() + QStringLiteral("/SR0LPW.BMP")));
    QVERIFY(!allZero(readAt(path, sd.PicOffset[1166], 512)));
    const QString list = modVantileSDWrite::SkippedList(result.skipped);
    QVERIFY(list.contains(QStringLiteral("\r\n  SR0L03.BMP: the file is missing")));
}

// A stock picture that cannot be made is skipped for that reason, not as a
// missing file; making them all stops at the first and says why.
void tst_Write::stockPictureThatCannotBeMade()
{
    const QString blocker = card("not a folder");
    QVERIFY(writeFile(blocker, "x"));
    modVantileSDWrite sd;
    sd.FillPicTable();
    sd.PictureFolder = blocker;
    const QString cannot = QStringLiteral("%1: the folder cannot be created").arg(blocker);
    int made = -1;
    QString error;
    QVERIFY(!CardStockPictures::EnsureAll(sd, sd.PictureFolder, &made, &error));
    QCOMPARE(made, 0);
    QCOMPARE(error, cannot);

    const QString path = card("no stock.img");
    QVERIFY(makeCard(path, 80959488));
    modVantile m;
    QVERIFY(sd.OpenPath(path, true));
    modVantileSDWrite::RunResult result;
    progressOf(sd, m, false, 1, &result);
    sd.CloseDrive();
    QVERIFY2(!result.failed, qPrintable(result.failure));
    QCOMPARE(result.picturesWritten, 0);
    QCOMPARE(result.skipped.size(), 18);
    QCOMPARE(result.skipped[0], QStringLiteral("SR0L00.BMP: the file is missing"));
    QCOMPARE(result.skipped.mid(16),
             QStringList({QStringLiteral("SR0LAD.BMP: ") + cannot, QStringLiteral("SR0LPW.BMP: ") + cannot}));
}

void tst_Write::readBackFindsDifference()
{
    const QString path = card("verify.img");
    QVERIFY(makeCard(path, 80959488));
    modVantile m;
    modVantileSDWrite sd;
    sd.FillPicTable();
    sd.PictureFolder = fullPictureFolder();
    QVERIFY(sd.OpenPath(path, true));
    modVantileSDWrite::RunResult result;
    progressOf(sd, m, false, 2, &result);
    QVERIFY(!result.failed);
    QString failure;
    QVERIFY(sd.VerifyWritten(&failure));
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.seek(sd.PicOffset[1170] + 100);
        f.write("X");
    }
    QVERIFY(!sd.VerifyWritten(&failure));
    QCOMPARE(failure, QStringLiteral("The card does not hold what was written to slot 1170 (SR1L03.BMP) at byte "
                                     "%1 (sector %2).")
                          .arg(sd.PicOffset[1170])
                          .arg(sd.PicOffset[1170] / 512));
    sd.CloseDrive();
}

// Nothing open (never, or no more): each raw operation fails and says so.
void tst_Write::withoutADriveEveryOperationSaysWhy()
{
    using Operation = bool (*)(modVantileSDWrite &, QString *);
    const QList<QPair<const char *, Operation>> operations{
        {"ReadSector", [](modVantileSDWrite &sd, QString *e) { return sd.ReadSector(0, e); }},
        {"WriteSector", [](modVantileSDWrite &sd, QString *e) { return sd.WriteSector(0, e); }},
        {"WriteSectors", [](modVantileSDWrite &sd, QString *e) { return sd.WriteSectors(0, "", 0, e); }},
        {"ReadBytes",
         [](modVantileSDWrite &sd, QString *e) {
             char c;
             return sd.ReadBytes(0, &c, 1, e);
         }},
        {"WritePic", [](modVantileSDWrite &sd, QString *e) { return sd.WritePic(0, e); }},
        {"SetImageSize", [](modVantileSDWrite &sd, QString *e) { return sd.SetImageSize(1 << 20, e); }},
        {"Flush", [](modVantileSDWrite &sd, QString *e) { return sd.Flush(e); }},
        {"VerifyWritten", [](modVantileSDWrite &sd, QString *e) { return sd.VerifyWritten(e); }},
    };
    const QString path = card("closed.img");
    QVERIFY(makeCard(path, 1 << 20));
    for (const bool openedBefore : {false, true}) {
        modVantileSDWrite sd;
        sd.FillPicTable();
        if (openedBefore) {
            QVERIFY(sd.OpenPath(path, true));
            sd.CloseDrive();
        }
        for (const auto &[name, operation] : operations) {
            QString error;
            QVERIFY2(!operation(sd, &error), name);
            QVERIFY2(error.contains(QStringLiteral("no drive is open"), Qt::CaseInsensitive),
                     qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(name), error)));
        }
    }
}

int runWriteTests(int argc, char **argv)
{
    tst_Write t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_write.moc"
