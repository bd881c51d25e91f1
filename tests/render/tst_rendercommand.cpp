#include "renderhelpers.h"

#include <QDir>

class TestRenderCommand : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void exitCodes_data();
    void exitCodes();
    void rendersAProject();

private:
    TempHome home_;
    QString project_;
};

void TestRenderCommand::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("QUELLIX_TEST_BIN_DIR"))
        QSKIP("QUELLIX_TEST_BIN_DIR is not set (run through CTest)");
    modVantile m;
    m.SetResolution(1);
    addButton(m, 0, 1, 5, 5, QStringLiteral("On"));
    m.ScreenBackground[3] = home_.file(QStringLiteral("missing.bmp"));
    // Paths of other machines, found by name in the BMP Library and beside the project.
    const QString library = home_.file(QStringLiteral("ZAV Quellix Touch Screen/BMP Library"));
    QVERIFY(QDir().mkpath(library));
    QImage red(320, 240, QImage::Format_RGB888);
    red.fill(Qt::red);
    QVERIFY(red.save(library + QStringLiteral("/Hall.bmp"), "BMP"));
    QVERIFY(red.save(home_.file(QStringLiteral("STAGE.bmp")), "BMP"));
    m.ScreenBackground[5] = QStringLiteral("C:\\ZAV Quellix Touch Screen\\BMP Library\\hall.BMP");
    m.ScreenBackground[6] = QStringLiteral("/home/someone/Stage.bmp");
    project_ = home_.file(QStringLiteral("demo.QXC"));
    m.ProjectFileName = project_;
    QVERIFY(m.SaveProject());
    QVERIFY(writeFile(home_.file(QStringLiteral("short.QXC")), QByteArray(100, '\x01')));
    QVERIFY(writeFile(home_.file(QStringLiteral("plain file")), "x"));
}

void TestRenderCommand::exitCodes_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("errorMentions");
    const QString out = home_.file(QStringLiteral("out"));
    QTest::newRow("help") << QStringList{"render", "--help"} << 0 << QString();
    QTest::newRow("nothing") << QStringList{"render"} << 64 << QStringLiteral("Usage: quellix render");
    QTest::newRow("no --out") << QStringList{"render", project_} << 64 << QStringLiteral("--out");
    QTest::newRow("--out without folder") << QStringList{"render", project_, "--out"} << 64 << QStringLiteral("--out");
    QTest::newRow("unknown option") << QStringList{"render", project_, "--fast", "--out", out} << 64
                                    << QStringLiteral("--fast");
    QTest::newRow("missing project") << QStringList{"render", home_.file("none.QXC"), "--out", out} << 2
                                     << home_.file("none.QXC");
    QTest::newRow("short project") << QStringList{"render", home_.file("short.QXC"), "--out", out} << 2
                                   << home_.file("short.QXC");
    QTest::newRow("output is a file") << QStringList{"render", project_, "--out", home_.file("plain file")} << 2
                                      << home_.file("plain file");
    QTest::newRow("output under a file") << QStringList{"render", project_, "--out", home_.file("plain file") + "/sub"}
                                         << 2
                                         << QStringLiteral(
                                                "quellix render: File Write Error: Screen Pictures Not Saved: "
                                                "144 of 144 picture files could not be written. ");
}

void TestRenderCommand::exitCodes()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, errorMentions);
    const QuellixRun r = RunQuellix(args);
    QCOMPARE(r.exitCode, exitCode);
    if (exitCode == 0)
        QVERIFY(r.out.startsWith(QStringLiteral("Usage: quellix render PROJECT.QXC --out DIR")));
    else
        QVERIFY2(r.err.contains(errorMentions), qPrintable(r.err));
}

void TestRenderCommand::rendersAProject()
{
    const QString out = home_.file(QStringLiteral("pictures"));
    const QuellixRun r = RunQuellix({QStringLiteral("render"), project_, QStringLiteral("--out"), out});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QCOMPARE(QDir(out).entryList({QStringLiteral("*.BMP")}, QDir::Files).size(), 144);
    // The missing background is told twice (SD picture and preview) and is no failure.
    QCOMPARE(r.err.count(QStringLiteral("File Not Found")), 2);
    const QString library = home_.file(QStringLiteral("ZAV Quellix Touch Screen/BMP Library"));
    for (const QString &line :
         {"Screen 05: using " + library +
              "/Hall.bmp for C:\\ZAV Quellix Touch Screen\\BMP "
              "Library\\hall.BMP (found in the BMP Library)",
          "Screen 06: using " + home_.file("STAGE.bmp") + " for /home/someone/Stage.bmp (found in the project folder)"})
        QVERIFY2(r.err.contains("quellix render: " + line + "\n"), qPrintable(r.err));
    QCOMPARE(r.err.count(QStringLiteral("using ")), 2);
    QCOMPARE(bmpPixel(readFile(out + QStringLiteral("/SR1L05.BMP")), 300, 200), qRgb(255, 0, 0));
    QCOMPARE(bmpPixel(readFile(out + QStringLiteral("/Screen 06.BMP")), 300, 200), qRgb(255, 0, 0));
    const QByteArray b = readFile(out + QStringLiteral("/SR1L00.BMP"));
    QCOMPARE(le32(b, 18), 320u);
    QCOMPARE(le32(b, 22), 240u);
    QCOMPARE(bmpPixel(b, 300, 200), qRgb(255, 255, 255));
    QCOMPARE(le32(readFile(out + QStringLiteral("/Screen 00 Home.BMP")), 18), 320u);
}

QObject *newRenderCommandTest()
{
    return new TestRenderCommand;
}

#include "tst_rendercommand.moc"
