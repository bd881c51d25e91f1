#include "panel/TryScript.h"
#include "panelfixture.h"

#include <QDir>
#include <QProcess>

namespace
{

// Home of hubProject, a push button on input 3 of node 12 at (300, 20) and
// a small slider of node 11 at (400, 20): its knob travels from row 30 (100 %)
// to row 230 (0 %).
void scriptProject(modVantile &m)
{
    hubProject(m);
    putButton(m, 0, 0, 3, {300, 20}, 2);
    m.SetSliderPicture(0, 0, 1);
    m.SetSliderDevice(0, 0, 1);
    m.SetSliderLeft(0, 0, 400);
    m.SetSliderTop(0, 0, 20);
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
    void recorded_data();
    void recorded();
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
    const QStringList slider{QStringLiteral("level node 11 15 % (screen 00 slider 1)"),
                             QStringLiteral("level node 11 65 % (screen 00 slider 1)"),
                             QStringLiteral("level node 11 100 % (screen 00 slider 1)")};
    QTest::newRow("move and reset") << "press 410 200\nmove 410 100\nmove 410 30\nrelease\nreset\ntap 310 30" << 0 << ""
                                    << slider + push;
    QTest::newRow("move without a finger") << "move 1 1" << 1 << "no finger is down" << none;
    QTest::newRow("move off the screen") << "press 410 200\nmove 410 272" << 2
                                         << "410 272 is off the screen (480 x 272)" << slider.mid(0, 1);
    QTest::newRow("reset with a word") << "reset now" << 1 << "expected: reset" << none;
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

void TestTryScript::recorded_data()
{
    // What is done: "p X Y" press, "m X Y" move, "r" release, "s NODE INPUT on|off",
    // "l NODE PERCENT", "reset", "shot"; and the script it is written down as.
    QTest::addColumn<QString>("session");
    QTest::addColumn<QString>("script");
    QTest::newRow("a touch without a move is a tap") << "p 310 30; r; p 310 30; m 312 31; r"
                                                     << "tap 310 30\ntap 310 30\n";
    QTest::newRow("a drag writes the moves that send")
        << "p 410 200; m 420 201; m 410 100; m 410 100; m 410 30; r; shot"
        << "press 410 200\nmove 410 100\nmove 410 30\nrelease\nshot shot-1\n";
    QTest::newRow("the keypad, CLR and ENT")
        << "p 148 116; r; shot; p 100 120; r; p 100 230; r; shot; p 300 230; r; shot"
        << "tap 148 116\nshot shot-1\ntap 100 120\ntap 100 230\nshot shot-2\ntap 300 230\nshot shot-3\n";
    QTest::newRow("by hand, a reset, a shot")
        << "s 11 4 on; l 13 40; p 310 30; s 12 1 on; r; shot; reset; shot"
        << "set 11 4 on\nlevel 13 40\npress 310 30\nset 12 1 on\nrelease\nshot shot-1\nreset\nshot shot-2\n";
    QTest::newRow("the finger still down") << "p 410 200"
                                           << "press 410 200\n";
    QTest::newRow("off the screen nothing") << "p 480 10; r"
                                            << "";
}

// Whatever was done, the script plays it again to the same log and pictures.
void TestTryScript::recorded()
{
    QFETCH(QString, session);
    QFETCH(QString, script);
    TempHome home;
    modVantile m;
    scriptProject(m);
    VirtualPanel panel(m);
    QVERIFY(panel.Press({310, 30})); // before the recording: Start begins afresh
    TryScript::Recorder recorder(panel);
    recorder.Start();
    QList<QImage> shots;
    for (const QString &action : session.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList w = action.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const auto number = [&](int i, int base = 10) { return w[i].toInt(nullptr, base); };
        if (w[0] == QLatin1String("p"))
            recorder.Press({number(1), number(2)});
        else if (w[0] == QLatin1String("m"))
            recorder.Move({number(1), number(2)});
        else if (w[0] == QLatin1String("r"))
            recorder.Release();
        else if (w[0] == QLatin1String("s"))
            recorder.SetInput(number(1, 16), number(2), w[3] == QLatin1String("on"));
        else if (w[0] == QLatin1String("l"))
            recorder.SetLevel(number(1, 16), number(2));
        else if (w[0] == QLatin1String("reset"))
            recorder.Reset();
        else if (w[0] == QLatin1String("shot") && !recorder.Shot().isEmpty())
            shots << panel.Picture();
    }
    QCOMPARE(recorder.Script(), script);

    VirtualPanel again(m);
    QVERIFY(!TryScript::Run(again, recorder.Script(), home.root()));
    QCOMPARE(again.Log().FileText(), panel.Log().FileText());
    QCOMPARE(again.Picture(), panel.Picture());
    for (int i = 0; i < shots.size(); ++i)
        QCOMPARE(QImage(home.file(QStringLiteral("shot-%1.png").arg(i + 1))).convertToFormat(shots[i].format()),
                 shots[i]);
}

QObject *newTryScriptTest()
{
    return new TestTryScript;
}

#include "tst_tryscript.moc"
