// quellix check / map / report: exit codes, the JSON and CSV shapes, and a
// report whose text can be searched.
#include "checkhelpers.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>

namespace
{

struct Run {
    int exitCode = -1;
    QString out, err;
};

Run run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    Run r;
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

Run quellix(const QStringList &args)
{
    return run(qEnvironmentVariable("QUELLIX_TEST_BIN_DIR") + QStringLiteral("/quellix"), args);
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void exitCodes_data();
    void exitCodes();
    void jsonShape();
    void csvShape();
    void reportText_data();
    void reportText();
    void reportPages_data();
    void reportPages();

private:
    QString path(const char *name) const { return home_.file(QLatin1String(name)); }
    TempHome home_;
    QString demo_;
};

void TestCommandLine::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("QUELLIX_TEST_BIN_DIR"))
        QSKIP("QUELLIX_TEST_BIN_DIR is not set (run through CTest)");
    demo_ = QFINDTESTDATA("../../examples/Demo.QXC");
    const auto save = [this](const char *name, const std::function<void(modVantile &)> &build) {
        modVantile m;
        baseProject(m);
        build(m);
        m.ProjectFileName = path(name);
        QVERIFY(m.SaveProject());
    };
    save("error.QXC", [](modVantile &m) { button(m, 0, 0, 1, 470, 0); });
    save("warning.QXC", [](modVantile &m) {
        button(m, 0, 0, 1, 0, 0);
        button(m, 0, 1, 1, 10, 10);
    });
    save("passwords.QXC", [](modVantile &m) {
        button(m, 0, 0, 42, 0, 0, 0, 14, QStringLiteral("Cellar"));
        m.SetButtonPassword(0, 0, 135792);
        text(m, 1, 0, 1);
        m.SetTextString(1, 0, QStringLiteral("Wine"));
    });
    // Character words no editor stores: an en dash and a euro sign by their Unicode numbers.
    save("characters.QXC", [](modVantile &m) {
        button(m, 0, 0, 1, 0, 0, 0, 14, QStringLiteral("On x"));
        m.EditorImage[size_t(m.ObjectRecord(0, Check::ObjectKind::Button, 0).editorWord + 11 + 3)] = 8211;
        text(m, 0, 0, 1);
        m.SetTextString(0, 0, QStringLiteral("5 x"));
        m.EditorImage[size_t(m.ObjectRecord(0, Check::ObjectKind::Text, 0).editorWord + 6 + 2)] = 8364;
    });
    // A password nobody should keep, and one whose third digit is damaged.
    save("weak.QXC", [](modVantile &m) {
        button(m, 0, 0, 42, 0, 0);
        button(m, 0, 1, 43, 0, 100);
        m.SetButtonPassword(0, 1, 135792);
        m.PanelImage[size_t(m.ObjectRecord(0, Check::ObjectKind::Button, 1).panelWord + 10 + 2)] = 57;
    });
    // More objects on Home than one page holds.
    save("long table.QXC", [](modVantile &m) {
        for (int n = 0; n < 32; ++n) {
            button(m, 0, n, 1 + n % 8, 96 * (n % 5), 32 * (n / 5));
            pilot(m, 0, n, 1, 1, 16 * n % 464, 240);
        }
    });
    QVERIFY(writeFile(path("short.QXC"), QByteArray(100, '\x01')));
    QVERIFY(writeFile(path("plain file"), "x"));
}

void TestCommandLine::exitCodes_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("mentions"); // in stdout for 0 and 1, else in stderr
    const QString demo = QFINDTESTDATA("../../examples/Demo.QXC");
    const QString error = path("error.QXC"), warning = path("warning.QXC");
    QTest::newRow("check demo") << QStringList{"check", demo} << 0 << "note screen 04 text 3: ";
    QTest::newRow("check error") << QStringList{"check", error} << 1 << "error screen 00 button 1: ";
    QTest::newRow("check warning") << QStringList{"check", warning} << 0 << "warning screen 00 button 2: ";
    QTest::newRow("check strict") << QStringList{"check", warning, "--strict"} << 1 << "warning screen 00 button 2: ";
    QTest::newRow("check help") << QStringList{"check", "--help"} << 0 << "Usage: quellix check PROJECT.QXC";
    QTest::newRow("check nothing") << QStringList{"check"} << 64 << "no project file";
    QTest::newRow("check two") << QStringList{"check", demo, error} << 64 << "only one project";
    QTest::newRow("check option") << QStringList{"check", demo, "--fast"} << 64 << "fast";
    QTest::newRow("check missing") << QStringList{"check", path("none.QXC")} << 2 << "none.QXC";
    QTest::newRow("check short") << QStringList{"check", path("short.QXC")} << 2 << "too short";
    QTest::newRow("map demo") << QStringList{"map", demo} << 0
                              << "node 11 input 1: pressed by screen 01 button 1; shown by screen 01 pilot 1\n";
    QTest::newRow("map level") << QStringList{"map", demo} << 0
                               << "node 12 level: set by screen 01 slider 1; shown by screen 01 text 3, "
                                  "screen 01 text 4\n";
    QTest::newRow("map missing") << QStringList{"map", path("none.QXC")} << 2 << "none.QXC";
    QTest::newRow("report no --out") << QStringList{"report", demo} << 64 << "--out";
    QTest::newRow("report unwritable") << QStringList{"report", demo, "--out", path("plain file") + "/r.pdf"} << 2
                                       << "not written";
}

void TestCommandLine::exitCodes()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, mentions);
    const Run r = quellix(args);
    QCOMPARE(r.exitCode, exitCode);
    const QString &where = exitCode <= 1 ? r.out : r.err;
    QVERIFY2(where.contains(mentions), qPrintable(r.out + r.err));
}

void TestCommandLine::jsonShape()
{
    const Run r = quellix({QStringLiteral("check"), path("warning.QXC"), QStringLiteral("--json")});
    QCOMPARE(r.exitCode, 0);
    const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8());
    QVERIFY(doc.isArray());
    QCOMPARE(doc.array().size(), 1);
    const QJsonObject f = doc.array().first().toObject();
    QCOMPARE(f.keys(), (QStringList{"check", "message", "number", "object", "screen", "severity"}));
    QCOMPARE(f.value("severity").toString(), QStringLiteral("warning"));
    QCOMPARE(f.value("check").toString(), QStringLiteral("touch-overlap"));
    QCOMPARE(f.value("screen").toInt(), 0);
    QCOMPARE(f.value("object").toString(), QStringLiteral("button"));
    QCOMPARE(f.value("number").toInt(), 2);
}

void TestCommandLine::csvShape()
{
    const Run r = quellix({QStringLiteral("map"), demo_, QStringLiteral("--csv")});
    QCOMPARE(r.exitCode, 0);
    const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.front(), QStringLiteral("node,input,pressed by,switched on by,switched off by,shown by,level set by,"
                                           "level shown by,marks"));
    QVERIFY(lines.contains(QStringLiteral("12,level,,,,,screen 01 slider 1,screen 01 text 3; screen 01 text 4,")));
    QVERIFY(lines.last().startsWith(QStringLiteral("18,level,,,,,,screen 04 text 3,\"note screen 04 text 3: ")));
}

void TestCommandLine::reportText_data()
{
    QTest::addColumn<QString>("project");
    QTest::addColumn<bool>("withPasswords");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");
    QTest::newRow("demo") << QFINDTESTDATA("../../examples/Demo.QXC") << false
                          << QStringList{"Device Options", "Quellix Node: 10",
                                         "Home",           "Screen 03",
                                         "Living Room",    "node 11 input 1: pressed by screen 01 button 1",
                                         "Function Map",   "note screen 04 text 3"}
                          << QStringList{"Screen 05"};
    QTest::newRow("passwords hidden") << path("passwords.QXC") << false
                                      << QStringList{"Cellar", "Wine", "Goto Screen 01 W/Password"}
                                      << QStringList{"135792"};
    QTest::newRow("passwords shown") << path("passwords.QXC") << true << QStringList{"135792"} << QStringList{};
    QTest::newRow("no password digit in the findings")
        << path("weak.QXC") << false
        << QStringList{"The password of this Goto is too easy to guess.", "a password digit outside 0 to 9"}
        << QStringList{"000000", "135792", "digit 57"};
    QTest::newRow("the findings with the passwords")
        << path("weak.QXC") << true
        << QStringList{"The password of this Goto is 000000", "a password digit 57 (0 to 9)"} << QStringList{};
    QTest::newRow("damaged characters") << path("characters.QXC") << false
                                        << QStringList{"damaged (character 8211)", "damaged (character 8364)",
                                                       "a caption character 8211 (0 to 255)",
                                                       "a text character 8364 (0 to 255)"}
                                        << QStringList{"5 \u00AC"}; // what the euro's low byte would spell
}

void TestCommandLine::reportText()
{
    QFETCH(QString, project);
    QFETCH(bool, withPasswords);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    const QString pdf = path("report.pdf");
    QStringList args{QStringLiteral("report"), project, QStringLiteral("--out"), pdf};
    if (withPasswords)
        args << QStringLiteral("--with-passwords");
    QCOMPARE(quellix(args).exitCode, 0);
    QVERIFY(readFile(pdf).startsWith("%PDF-"));
    const Run text = run(pdftotext, {pdf, QStringLiteral("-")});
    QCOMPARE(text.exitCode, 0);
    for (const QString &s : present)
        QVERIFY2(text.out.contains(s), qPrintable(s));
    for (const QString &s : absent)
        QVERIFY2(!text.out.contains(s), qPrintable(s));
}

void TestCommandLine::reportPages_data()
{
    QTest::addColumn<QString>("project");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("continued"); // the heading a screen's table repeats on its next page
    QTest::newRow("demo") << QFINDTESTDATA("../../examples/Demo.QXC") << "Demo"
                          << "";
    QTest::newRow("a table over two pages") << path("long table.QXC") << "long table"
                                            << "Home (continued)";
}

// Every page gives its number of all and the project's name; a table that
// runs on to the next page names its screen there again, above its header.
void TestCommandLine::reportPages()
{
    QFETCH(QString, project);
    QFETCH(QString, name);
    QFETCH(QString, continued);
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    const QString pdf = path("pages.pdf");
    QCOMPARE(quellix({QStringLiteral("report"), project, QStringLiteral("--out"), pdf}).exitCode, 0);
    const Run text = run(pdftotext, {pdf, QStringLiteral("-")});
    QStringList pages = text.out.split(QLatin1Char('\f'));
    if (pages.last().trimmed().isEmpty())
        pages.removeLast();
    QVERIFY(pages.size() > 3);
    for (int i = 0; i < pages.size(); ++i) {
        // The reader may drop the narrow spaces around the slash.
        QVERIFY2(pages[i].contains(QRegularExpression(QStringLiteral("\\b%1 ?/ ?%2\\b").arg(i + 1).arg(pages.size()))),
                 qPrintable(pages[i]));
        QVERIFY2(pages[i].contains(name), qPrintable(pages[i]));
    }
    if (continued.isEmpty()) {
        QVERIFY(!text.out.contains(QLatin1String("(continued)")));
        return;
    }
    qsizetype at = 0;
    while (at < pages.size() && !pages[at].contains(continued))
        ++at;
    QVERIFY(at > 0 && at < pages.size());
    QVERIFY(pages[at].indexOf(continued) < pages[at].indexOf(QLatin1String("No.")));
    QVERIFY(pages[at - 1].contains(QLatin1String("No.")));
}

QObject *newCommandLineTest()
{
    return new TestCommandLine;
}

#include "tst_commandline.moc"
