#include "panel/TryScript.h"
#include "panelfixture.h"

#include <QDir>
#include <QProcess>

namespace
{

// Home of hubProject, and a push button on input 3 of node 12 at (300, 20).
void scriptProject(modVantile &m)
{
    hubProject(m);
    putButton(m, 0, 0, 3, {300, 20}, 2);
}

} // namespace

class TestTryScript : public QObject
{
    Q_OBJECT

private slots:
    void steps_data();
    void steps();
    void command_data();
    void command();
};

void TestTryScript::steps_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("failLine"); // 0: runs to the end
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("log");
    const QStringList push{QStringLiteral("press node 12 input 3 (screen 00 button 1)"),
                           QStringLiteral("release node 12 input 3 (screen 00 button 1)")};
    const QStringList none;
    QTest::newRow("every step") << "# a walk\n\ntap 310 30\npress 310 30   # comment\nrelease\nset 11 4 on\n"
                                   "level 13 40\ndrag 310 30 0 0\nshot first\n"
                                << 0 << "" << push + push + push;
    QTest::newRow("password") << "tap 148 116\nkeypad 246810\nshot installer" << 0 << ""
                              << QStringList{QStringLiteral("screen 04 (screen 00 button 4)")};
    QTest::newRow("unknown step") << "tap 310 30\njump 1 2" << 2 << "unknown step 'jump'" << push;
    QTest::newRow("off the right edge") << "tap 480 10" << 1 << "480 10 is off the screen (480 x 272)" << none;
    QTest::newRow("no number") << "tap a b" << 1 << "coordinates must be whole numbers" << none;
    QTest::newRow("no keypad showing") << "keypad 123456" << 1 << "no keypad is showing" << none;
    QTest::newRow("digits") << "tap 148 116\nkeypad 12a" << 2 << "DIGITS must be one to six digits" << none;
    QTest::newRow("release without press") << "release" << 1 << "no finger is down" << none;
    QTest::newRow("press twice") << "press 1 1\npress 2 2" << 2 << "a finger is down; release it first" << none;
    QTest::newRow("node outside the range")
        << "set 20 1 on" << 1 << "node 20 is not a device of the project (10 to 13)" << none;
    QTest::newRow("input 9") << "set 10 9 on" << 1 << "INPUT must be 1 to 8" << none;
    QTest::newRow("on or off") << "set 10 1 yes" << 1 << "expected on or off, not 'yes'" << none;
    QTest::newRow("level 101") << "level 10 101" << 1 << "PERCENT must be 0 to 100" << none;
    QTest::newRow("shot into another folder") << "shot ../x" << 1 << "NAME must be a plain file name" << none;
}

void TestTryScript::steps()
{
    QFETCH(QString, script);
    QFETCH(int, failLine);
    QFETCH(QString, message);
    QFETCH(QStringList, log);
    TempHome home;
    modVantile m;
    scriptProject(m);
    VirtualPanel panel(m);
    const std::optional<TryScript::Failure> failure = TryScript::Run(panel, script, home.root());
    QCOMPARE(failure ? failure->line : 0, failLine);
    QCOMPARE(failure ? failure->message : QString(), message);
    QCOMPARE(panel.Log().Lines(false), log);
    if (!failure && script.contains(QLatin1String("shot first")))
        QCOMPARE(QImage(home.file(QStringLiteral("first.png"))), panel.Picture());
}

void TestTryScript::command_data()
{
    QTest::addColumn<QStringList>("args"); // P: the project, S: a script, D: the output folder
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("stderrPart");
    QTest::newRow("runs") << QStringList{"P", "--script", "S", "--out", "D"} << "tap 310 30\nshot a" << 0 << "";
    QTest::newRow("a step fails") << QStringList{"P", "--script", "S", "--out", "D"} << "tap 310 30\n\ntap 999 1" << 1
                                  << ":3: 999 1 is off the screen";
    QTest::newRow("no arguments") << QStringList{} << "" << 64 << "no project file given";
    QTest::newRow("no such project") << QStringList{"none.QXC", "--script", "S", "--out", "D"} << "" << 2
                                     << "quellix try: none.QXC: Could not open the project file: No such file";
    QTest::newRow("no such script") << QStringList{"P", "--script", "none.txt", "--out", "D"} << "" << 2 << "none.txt";
}

void TestTryScript::command()
{
    QFETCH(QStringList, args);
    QFETCH(QString, script);
    QFETCH(int, exitCode);
    QFETCH(QString, stderrPart);
    if (qEnvironmentVariableIsEmpty("QUELLIX_TEST_BIN_DIR"))
        QSKIP("QUELLIX_TEST_BIN_DIR is not set (run through CTest)");
    TempHome home;
    modVantile m;
    scriptProject(m);
    m.ProjectFileName = home.file(QStringLiteral("p.QXC"));
    QVERIFY(m.SaveProject());
    QVERIFY(writeFile(home.file(QStringLiteral("s.txt")), script.toUtf8()));
    for (QString &a : args)
        a = a == QLatin1String("P")   ? home.file(QStringLiteral("p.QXC"))
            : a == QLatin1String("S") ? home.file(QStringLiteral("s.txt"))
            : a == QLatin1String("D") ? home.file(QStringLiteral("out"))
                                      : a;
    QProcess p;
    p.start(qEnvironmentVariable("QUELLIX_TEST_BIN_DIR") + QStringLiteral("/quellix"),
            QStringList{QStringLiteral("try")} + args);
    QVERIFY(p.waitForFinished(60000));
    const QString err = QString::fromLocal8Bit(p.readAllStandardError());
    QCOMPARE(p.exitCode(), exitCode);
    QVERIFY2(err.contains(stderrPart), qPrintable(err));
    if (exitCode <= 1) // the log is written also when a step fails
        QCOMPARE(readFile(home.file(QStringLiteral("out/log.txt"))),
                 QByteArray("press node 12 input 3 (screen 00 button 1)\n"
                            "release node 12 input 3 (screen 00 button 1)\n"));
    if (exitCode == 0)
        QVERIFY(!QImage(home.file(QStringLiteral("out/a.png"))).isNull());
}

QObject *newTryScriptTest()
{
    return new TestTryScript;
}

#include "tst_tryscript.moc"
