#include "model/modVantile.h"
#include "platform/Paths.h"
#include "sdfixtures.h"

#include <QProcess>

// quellix sd-image and sd-verify, run as the installer runs them.
class tst_CommandLine : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void usage_data();
    void usage();
    void imageAndVerify();
    void screensOnlyWithDataArea();
    void refusesDevicesAndBadProjects();
    void refusesItsOwnInputs_data();
    void refusesItsOwnInputs();
    void temporaryFileIsItsOwn();

private:
    struct Run {
        int code;
        QString out, err;
    };
    Run quellix(const QStringList &args)
    {
        QProcess p;
        p.start(program, args);
        p.waitForFinished(120000);
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromLocal8Bit(p.readAllStandardOutput()), QString::fromLocal8Bit(p.readAllStandardError())};
    }
    QString project(TempHome &home, int commandSet, int resolution = 0, int layout = 0)
    {
        modVantile m;
        m.SetCommandSet(commandSet);
        m.SetResolution(resolution);
        m.SetLayout(layout);
        m.PanelImage[3] = 0x5A;
        m.ProjectFileName = home.file("panel.QXC");
        m.SaveProject();
        // The picture folder with every picture already there.
        QDir().mkpath(home.path() + QStringLiteral("/SDCardGraphics"));
        QFile::link(fullPictureFolder(), home.path() + QStringLiteral("/SDCardGraphics/BMPImages"));
        return m.ProjectFileName;
    }
    QString program;
};

void tst_CommandLine::initTestCase()
{
    program = qEnvironmentVariable("QUELLIX_TEST_BIN_DIR") + QStringLiteral("/quellix");
    if (!QFileInfo(program).isExecutable())
        QSKIP("the quellix tool is not built");
}

void tst_CommandLine::usage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::newRow("image without --out") << QStringList{"sd-image", "p.QXC"} << 64;
    QTest::newRow("image --out without name") << QStringList{"sd-image", "p.QXC", "--out"} << 64;
    QTest::newRow("image unknown option") << QStringList{"sd-image", "p.QXC", "--out", "c.img", "--fast"} << 64;
    QTest::newRow("verify one argument") << QStringList{"sd-verify", "p.QXC"} << 64;
    QTest::newRow("image help") << QStringList{"sd-image", "--help"} << 0;
    QTest::newRow("verify help") << QStringList{"sd-verify", "--help"} << 0;
}

void tst_CommandLine::usage()
{
    QFETCH(QStringList, args);
    QFETCH(int, code);
    const Run r = quellix(args);
    QCOMPARE(r.code, code);
    QVERIFY((code == 0 ? r.out : r.err).contains(QStringLiteral("Usage: quellix ") + args[0]));
}

void tst_CommandLine::imageAndVerify()
{
    TempHome home;
    const QString qxc = project(home, 0);
    const QString card = home.file("card.img");
    Run r = quellix({QStringLiteral("sd-image"), qxc, QStringLiteral("--out"), card});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    QVERIFY2(r.out.contains(QStringLiteral("1947 pictures written")), qPrintable(r.out));
    QCOMPARE(QFileInfo(card).size(), 80959488);
    QVERIFY(!QFileInfo::exists(card + QStringLiteral(".part")));

    r = quellix({QStringLiteral("sd-verify"), qxc, card});
    QVERIFY2(r.code == 0, qPrintable(r.out + r.err));
    QVERIFY(r.out.contains(QStringLiteral("matches the project: 1947 pictures compared")));

    // One changed byte in slot 40 is found and named.
    modVantileSDWrite sd;
    sd.FillPicTable();
    const qint64 at = sd.PicOffset[40] + 7;
    const char old = readAt(card, at, 1).at(0);
    {
        QFile f(card);
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.seek(at);
        f.putChar(char(old ^ 0x01));
    }
    r = quellix({QStringLiteral("sd-verify"), qxc, card});
    QCOMPARE(r.code, 1);
    auto hex = [](int v) { return QString::number(uint8_t(v), 16).toUpper().rightJustified(2, QLatin1Char('0')); };
    QCOMPARE(r.out.trimmed(),
             QStringLiteral("%1 differs at byte %2 (sector %3) in slot 40 (%4): the image file holds %5, "
                            "the project gives %6")
                 .arg(card)
                 .arg(at)
                 .arg(at / 512)
                 .arg(sd.PicName[40], hex(old ^ 1), hex(old)));

    // A card that is too short is a difference too.
    QVERIFY(QFile::resize(card, 4096));
    r = quellix({QStringLiteral("sd-verify"), qxc, card});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.out.contains(QStringLiteral("the image file ends at byte 4096")), qPrintable(r.out));
}

void tst_CommandLine::screensOnlyWithDataArea()
{
    TempHome home;
    const QString qxc = project(home, 2, 2, 1);
    const QString card = home.file("zav.img");
    Run r = quellix({QStringLiteral("sd-image"), qxc, QStringLiteral("--out"), card, QStringLiteral("--screens-only")});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    QVERIFY(r.out.contains(QStringLiteral("18 pictures written and the configuration data area")));
    QCOMPARE(QFileInfo(card).size(), modVantileSDWrite::DataAreaEnd);
    QCOMPARE(readAt(card, modVantileSDWrite::DataAreaPosition + 3, 1), QByteArray("\x5A", 1));
    modVantileSDWrite sd;
    sd.FillPicTable();
    QVERIFY(allZero(readAt(card, 0, sd.PicOffset[1257])));
    QVERIFY(!allZero(readAt(card, sd.PicOffset[1257], 512)));

    r = quellix({QStringLiteral("sd-verify"), qxc, card, QStringLiteral("--screens-only")});
    QVERIFY2(r.code == 0, qPrintable(r.out + r.err));
    QVERIFY(r.out.contains(QStringLiteral("18 pictures and the configuration data area compared")));
    // The whole catalogue is not on this card.
    r = quellix({QStringLiteral("sd-verify"), qxc, card});
    QCOMPARE(r.code, 1);
    QVERIFY(r.out.contains(QStringLiteral("in slot 0 (B0_S0_C0.BMP)")));
    QVERIFY(r.out.contains(QStringLiteral("compare it with --screens-only")));
}

void tst_CommandLine::refusesDevicesAndBadProjects()
{
    TempHome home;
    const QString qxc = project(home, 0);
    Run r = quellix({QStringLiteral("sd-image"), qxc, QStringLiteral("--out"), home.root()});
    QCOMPARE(r.code, 2);
    QVERIFY2(r.err.contains(QStringLiteral(": it is a folder; choose another file")), qPrintable(r.err));

    QVERIFY(writeFile(home.file("bad.QXC"), "short"));
    const QString card = home.file("keep.img");
    QVERIFY(writeFile(card, "earlier image"));
    r = quellix({QStringLiteral("sd-image"), home.file("bad.QXC"), QStringLiteral("--out"), card});
    QCOMPARE(r.code, 2);
    QVERIFY2(r.err.contains(QStringLiteral("quellix sd-image: ")), qPrintable(r.err));
    QCOMPARE(readFile(card), QByteArray("earlier image"));

    r = quellix({QStringLiteral("sd-verify"), qxc, home.file("missing.img")});
    QCOMPARE(r.code, 2);
    QVERIFY2(r.err.contains(QStringLiteral("missing.img is not there")), qPrintable(r.err));
}

void tst_CommandLine::refusesItsOwnInputs_data()
{
    QTest::addColumn<QString>("target"); // relative to the temporary home
    QTest::newRow("the project") << "panel.QXC";
    QTest::newRow("a link to the project") << "link.img";
    QTest::newRow("a background picture") << "back.bmp";
    QTest::newRow("an SD picture") << "ZAV Quellix Touch/SDCardGraphics/BMPImages/B0_S0_C0.BMP";
}

void tst_CommandLine::refusesItsOwnInputs()
{
    QFETCH(QString, target);
    TempHome home;
    const QString qxc = project(home, 0);
    QVERIFY(writeFile(home.file("back.bmp"), solidBmp(4, 4, Rgb{1, 2, 3})));
    modVantile m;
    m.ProjectFileName = qxc;
    QVERIFY(m.LoadProject());
    m.ScreenBackground[2] = home.file("back.bmp");
    QVERIFY(m.SaveProject());
    QVERIFY(QFile::link(qxc, home.file("link.img")));
    const QByteArray before = readFile(home.file(target));
    const Run r = quellix({QStringLiteral("sd-image"), qxc, QStringLiteral("--out"), home.file(target)});
    QCOMPARE(r.code, 2);
    QVERIFY2(r.err.contains(QStringLiteral("choose another file for the card image")), qPrintable(r.err));
    QCOMPARE(readFile(home.file(target)), before);
}

void tst_CommandLine::temporaryFileIsItsOwn()
{
    TempHome home;
    const QString qxc = project(home, 0);
    const QString card = home.file("card.img");
    // A link where the old tool put its temporary file.
    QVERIFY(writeFile(home.file("victim"), "keep me"));
    QVERIFY(QFile::link(home.file("victim"), card + QStringLiteral(".part")));
    Run r = quellix({QStringLiteral("sd-image"), qxc, QStringLiteral("--out"), card, QStringLiteral("--screens-only")});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    QCOMPARE(readFile(home.file("victim")), QByteArray("keep me"));
    QVERIFY(QFileInfo(card + QStringLiteral(".part")).isSymLink());

    // Interrupted while it writes: the temporary file goes, the image stays as it was.
    QVERIFY(writeFile(card, "earlier image"));
    QProcess p;
    p.start(program, {QStringLiteral("sd-image"), qxc, QStringLiteral("--out"), card});
    const QStringList parts{QStringLiteral("card.img.*.part")};
    QTRY_VERIFY_WITH_TIMEOUT(!QDir(home.root()).entryList(parts, QDir::Files).isEmpty(), 60000);
    p.terminate();
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitStatus(), QProcess::CrashExit);
    QVERIFY(QDir(home.root()).entryList(parts, QDir::Files).isEmpty());
    QCOMPARE(readFile(card), QByteArray("earlier image"));
}

int runCommandLineTests(int argc, char **argv)
{
    tst_CommandLine t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_cli.moc"
