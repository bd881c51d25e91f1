// The command-line front end: every verb says a failure the same way, on one
// printable line, and none writes over what it reads.
#include "model/modVantile.h"
#include "platform/Paths.h"
#include "render/Bmp24File.h"
#include "systemfixtures.h"
#include "testsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>

namespace
{

// One failure line: no control characters, no Windows line ends.
bool printableLines(const QString &text)
{
    static const QRegularExpression control(QStringLiteral("[\\x00-\\x09\\x0B-\\x1F\\x7F]"));
    return !text.contains(control);
}

} // namespace

class tst_Verbs : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void unreadableProject_data();
    void unreadableProject();
    void outputOverAnInput_data();
    void outputOverAnInput();
    void tryScriptReader_data();
    void tryScriptReader();
    void refusedBackground();
    void renderThroughPlantedLink();
    void usageListsEveryVerb();

private:
    QString path(const QString &name) const { return home_->file(name); }
    QString project();
    std::unique_ptr<TempHome> home_;
};

void tst_Verbs::init()
{
    if (qEnvironmentVariableIsEmpty("QUELLIX_TEST_BIN_DIR"))
        QSKIP("QUELLIX_TEST_BIN_DIR is not set (run through CTest)");
    home_.reset(); // the last test's home restores the variable first
    home_ = std::make_unique<TempHome>();
    QDir().mkpath(home_->path());
}

// A project whose Home shows Hall.bmp, stored as a Windows path and found in the BMP Library.
QString tst_Verbs::project()
{
    QDir().mkpath(Paths::BmpLibraryFolder());
    QImage image(480, 272, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    Bmp24File::Write(image, Paths::BmpLibraryFolder() + QStringLiteral("/Hall.bmp"));
    modVantile m;
    m.NewProject();
    m.ScreenBackground[0] = QStringLiteral("C:\\Pictures\\Hall.bmp");
    m.ProjectFileName = path(QStringLiteral("P.QXC"));
    m.SaveProject();
    return m.ProjectFileName;
}

void tst_Verbs::unreadableProject_data()
{
    QTest::addColumn<QStringList>("args"); // PROJECT and OUT stand for the paths
    QTest::addColumn<int>("code");
    const QStringList verbs[] = {
        {"render", "PROJECT", "--out", "OUT"},
        {"sd-image", "PROJECT", "--out", "OUT/card.img"},
        {"sd-verify", "PROJECT", "OUT/card.img"},
        {"check", "PROJECT"},
        {"map", "PROJECT"},
        {"report", "PROJECT", "--out", "OUT/r.pdf"},
        {"try", "PROJECT", "--script=OUT/s.txt", "--out=OUT"},
        {"download", "PROJECT", "--port", "/dev/quellix-no-such-port"},
    };
    for (const QStringList &args : verbs)
        QTest::newRow(qPrintable(args[0])) << args << 2;
}

// A FIFO where the project should be: said as the core says it, never "no
// such file", and nothing waits on it.
void tst_Verbs::unreadableProject()
{
    QFETCH(QStringList, args);
    QFETCH(int, code);
    const QString fifo = path(QStringLiteral("fifo.QXC"));
    if (!MakeFifo(fifo))
        QSKIP("this system has no FIFOs");
    QVERIFY(writeFile(path(QStringLiteral("s.txt")), "tap 1 1\n"));
    args.replaceInStrings(QStringLiteral("PROJECT"), fifo);
    args.replaceInStrings(QStringLiteral("OUT"), home_->root());
    const QuellixRun r = RunQuellix(args);
    QCOMPARE(r.exitCode, code);
    QCOMPARE(r.err, QStringLiteral("quellix %1: %2: Could not open the project file: it is not a regular file\n")
                        .arg(args[0], fifo));
}

void tst_Verbs::outputOverAnInput_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("reason");
    const QString project = QStringLiteral("the project file"),
                  picture = QStringLiteral("the background picture of screen 00");
    QTest::newRow("report over the project")
        << QStringList{"report", "PROJECT", "--out", "PROJECT"} << "PROJECT" << project;
    QTest::newRow("report over the picture")
        << QStringList{"report", "PROJECT", "--out", "PICTURE"} << "PICTURE" << picture;
    QTest::newRow("card image over the picture found by name")
        << QStringList{"sd-image", "PROJECT", "--out", "PICTURE"} << "PICTURE" << picture;
    QTest::newRow("background over its own picture")
        << QStringList{"picture", "PICTURE", "--size", "480x272", "--out", "PICTURE"} << "PICTURE"
        << "the picture";
    QTest::newRow("background over a device")
        << QStringList{"picture", "PICTURE", "--size", "480x272", "--out", "NULL"} << "NULL"
        << "it is not a regular file";
    QTest::newRow("report over a device") << QStringList{"report", "PROJECT", "--out", "NULL"} << "NULL"
                                          << "it is not a regular file";
}

void tst_Verbs::outputOverAnInput()
{
    QFETCH(QStringList, args);
    QFETCH(QString, target);
    QFETCH(QString, reason);
    const QString qxc = project();
    const QString picture = Paths::BmpLibraryFolder() + QStringLiteral("/Hall.bmp");
    for (QString *s : {&target})
        s->replace(QStringLiteral("PROJECT"), qxc)
            .replace(QStringLiteral("PICTURE"), picture)
            .replace(QStringLiteral("NULL"), NullDevice());
    args.replaceInStrings(QStringLiteral("PROJECT"), qxc);
    args.replaceInStrings(QStringLiteral("PICTURE"), picture);
    args.replaceInStrings(QStringLiteral("NULL"), NullDevice());
    const QByteArray before = QFileInfo(target).isFile() ? readFile(target) : QByteArray();
    const QuellixRun r = RunQuellix(args);
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.startsWith(QStringLiteral("quellix %1: %2: ").arg(args[0], target)), qPrintable(r.err));
    QVERIFY2(r.err.contains(reason), qPrintable(r.err));
    if (QFileInfo(target).isFile())
        QCOMPARE(readFile(target), before);
    QVERIFY(!QFileInfo(NullDevice()).isFile());
}

void tst_Verbs::tryScriptReader_data()
{
    QTest::addColumn<QString>("script"); // FIFO, a device, or the script's bytes
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("err");
    QTest::newRow("FIFO") << "FIFO" << 2 << "SCRIPT: it is not a regular file\n";
    QTest::newRow("endless device") << "ENDLESS" << 2 << "SCRIPT: it is not a regular file\n";
    QTest::newRow("binary step") << QStringLiteral("tap 1 1\n\x01\x1b[2J\xff\n") << 1 << "SCRIPT:2: ";
}

void tst_Verbs::tryScriptReader()
{
    QFETCH(QString, script);
    QFETCH(int, code);
    QFETCH(QString, err);
    const QString qxc = project();
    QString file = path(QStringLiteral("script.txt"));
    if (script == QLatin1String("FIFO")) {
        if (!MakeFifo(file))
            QSKIP("this system has no FIFOs");
    } else if (script == QLatin1String("ENDLESS")) {
        file = EndlessDevice();
        if (file.isEmpty())
            QSKIP("this system has no endless device");
    } else
        QVERIFY(writeFile(file, script.toLatin1()));
    const QuellixRun r = RunQuellix({QStringLiteral("try"), qxc, QStringLiteral("--script"), file,
                                     QStringLiteral("--out"), path(QStringLiteral("shots"))});
    QCOMPARE(r.exitCode, code);
    const QString expected = QStringLiteral("quellix try: ") + QString(err).replace(QStringLiteral("SCRIPT"), file);
    QVERIFY2(r.err.startsWith(expected), qPrintable(r.err));
    QVERIFY2(printableLines(r.err), qPrintable(r.err));
}

// A picture that exists but cannot be used: said once, with why, and the
// run is done with a part skipped.
void tst_Verbs::refusedBackground()
{
    const QString qxc = project();
    const QString picture = Paths::BmpLibraryFolder() + QStringLiteral("/Hall.bmp");
    QByteArray bytes = readFile(picture);
    bytes.truncate(bytes.size() / 2);
    QVERIFY(writeFile(picture, bytes));
    const QuellixRun r =
        RunQuellix({QStringLiteral("render"), qxc, QStringLiteral("--out"), path(QStringLiteral("out"))});
    QCOMPARE(r.exitCode, 1);
    const QString line = QStringLiteral("quellix render: File Missing: File Cannot Be Read As A Picture: ");
    QCOMPARE(r.err.count(line), 1);
    QVERIFY2(r.err.contains(QStringLiteral("the file ends before the pixel rows its header promises")),
             qPrintable(r.err));
}

void tst_Verbs::renderThroughPlantedLink()
{
    const QString qxc = project();
    const QString out = path(QStringLiteral("out"));
    QDir().mkpath(out);
    QVERIFY(writeFile(path(QStringLiteral("victim")), "keep"));
    if (!MakeSymbolicLink(path(QStringLiteral("victim")), out + QStringLiteral("/SR0L00.BMP")))
        QSKIP("no symbolic link can be made here");
    const QuellixRun r = RunQuellix({QStringLiteral("render"), qxc, QStringLiteral("--out"), out});
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains(QStringLiteral("it is a symbolic link")), qPrintable(r.err));
    QCOMPARE(readFile(path(QStringLiteral("victim"))), QByteArray("keep"));
    QVERIFY(QDir(out).entryList({QStringLiteral("*.part")}, QDir::Files | QDir::System).isEmpty());
}

void tst_Verbs::usageListsEveryVerb()
{
    const QuellixRun r = RunQuellix({QStringLiteral("--help")});
    QCOMPARE(r.exitCode, 0);
    for (const char *verb :
         {"render", "download", "firmware", "sd-image", "sd-verify", "check", "map", "report", "try", "picture"})
        QVERIFY2(r.out.contains(QStringLiteral("\n  %1 ").arg(QLatin1String(verb))), verb);
}

QObject *newVerbsTest()
{
    return new tst_Verbs;
}

#include "tst_verbs.moc"
