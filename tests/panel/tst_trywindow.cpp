#include "panel/frmVantileTry.h"
#include "panelfixture.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableWidget>

class TestTryWindow : public QObject
{
    Q_OBJECT

private slots:
    void fingerNetworkAndEdits();
    void recordAndReplay();
};

void TestTryWindow::fingerNetworkAndEdits()
{
    modVantile m;
    hubProject(m);
    m.SetPilotUsed(2, 0, 1);
    m.SetPilotPicture(2, 0, 7); // green square 16 x 16
    m.SetPilotLeft(2, 0, 300);
    m.SetPilotTop(2, 0, 10);
    m.SetPilotDevice(2, 0, 1);
    ScriptedMessages messages;
    ScriptedFileDialogs files;
    frmVantileTry w(m, messages, files);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *view = w.findChild<QWidget *>(QStringLiteral("picPanel"));
    QVERIFY(view);

    // The mouse is the finger, at 1:1.
    QTest::mouseClick(view, Qt::LeftButton, {}, HubButton(2).center());
    QCOMPARE(w.findChild<QLabel *>(QStringLiteral("lblScreen"))->text(), QStringLiteral("Screen: 02"));
    const QString log = w.findChild<QPlainTextEdit *>(QStringLiteral("txtLog"))->toPlainText();
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d screen 02 \\(screen 00 button 6\\)$"))
                 .match(log)
                 .hasMatch(),
             qPrintable(log));

    // The network by hand: node 11 is the second row.
    auto *network = w.findChild<QTableWidget *>(QStringLiteral("tblNetwork"));
    QCOMPARE(network->rowCount(), 4);
    QCOMPARE(network->item(1, 0)->text(), QStringLiteral("11"));
    const QRgb off = w.Panel().Picture().pixel(308, 18);
    network->item(1, 1)->setCheckState(Qt::Checked);
    QVERIFY(w.Panel().Devices().InputOn(0x11, 1));
    QVERIFY(w.Panel().Picture().pixel(308, 18) != off);
    w.findChild<QSpinBox *>(QStringLiteral("spnLevel_12"))->setValue(30);
    QCOMPARE(w.Panel().Devices().Level(0x12), 30);

    // An edit shows at the next refresh; the panel's state stays.
    m.SetPilotLeft(2, 0, 340);
    w.Refresh();
    QVERIFY(w.Panel().Picture().pixel(348, 18) != w.Panel().Picture().pixel(308, 18));
    QVERIFY(w.Panel().Devices().InputOn(0x11, 1));
}

// A session in the window, recorded and saved with its log, plays again
// through "quellix try" to the same log and the same pictures.
void TestTryWindow::recordAndReplay()
{
    if (qEnvironmentVariableIsEmpty("QUELLIX_TEST_BIN_DIR"))
        QSKIP("QUELLIX_TEST_BIN_DIR is not set (run through CTest)");
    TempHome home;
    modVantile m;
    hubProject(m);
    m.SetSliderPicture(2, 0, 1); // node 11, knob from row 30 (100 %) to row 230 (0 %)
    m.SetSliderDevice(2, 0, 1);
    m.SetSliderLeft(2, 0, 300);
    m.SetSliderTop(2, 0, 20);
    m.ProjectFileName = home.file(QStringLiteral("p.QXC"));
    QVERIFY(m.SaveProject());
    ScriptedMessages messages;
    ScriptedFileDialogs files;
    frmVantileTry w(m, messages, files);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *view = w.findChild<QWidget *>(QStringLiteral("picPanel")); // at 1:1
    const auto button = [&](const char *name) { return w.findChild<QPushButton *>(QLatin1String(name)); };
    QList<QImage> shots;

    QTest::mouseClick(view, Qt::LeftButton, {}, HubButton(2).center()); // not recorded yet
    button("cmdRecord")->click();
    QCOMPARE(w.Panel().Screen(), 0); // a recording starts at Home
    QVERIFY(!button("cmdClearLog")->isEnabled());
    QTest::mouseClick(view, Qt::LeftButton, {}, HubButton(2).center());
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(310, 200));
    QTest::mouseMove(view, QPoint(310, 120));
    QTest::mouseMove(view, QPoint(310, -40)); // past the top edge: the finger stays on it
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(310, -40));
    w.findChild<QTableWidget *>(QStringLiteral("tblNetwork"))->item(2, 3)->setCheckState(Qt::Checked);
    button("cmdShot")->click();
    shots << w.Panel().Picture();
    button("cmdReset")->click();
    QTest::mouseClick(view, Qt::LeftButton, {}, PasswordButton.center());
    button("cmdShot")->click();
    shots << w.Panel().Picture();

    files.answers << home.file(QStringLiteral("session.txt")) << home.file(QStringLiteral("log.txt"));
    button("cmdRecord")->click();
    button("cmdSaveLog")->click();
    QCOMPARE(files.dialogs.size(), 2);
    QCOMPARE(files.dialogs[0].title, QStringLiteral("Save Recording"));
    QCOMPARE(files.dialogs[1].title, QStringLiteral("Save Log"));
    QVERIFY(button("cmdClearLog")->isEnabled());
    QVERIFY(messages.boxes.isEmpty());
    const QByteArray log = readFile(home.file(QStringLiteral("log.txt")));
    QVERIFY2(log.startsWith("screen 02") && log.contains("level node 11 100 %"), log.constData());

    QProcess quellix;
    quellix.start(qEnvironmentVariable("QUELLIX_TEST_BIN_DIR") + QStringLiteral("/quellix"),
                  {QStringLiteral("try"), m.ProjectFileName, QStringLiteral("--script"),
                   home.file(QStringLiteral("session.txt")), QStringLiteral("--out"),
                   home.file(QStringLiteral("out"))});
    QVERIFY(quellix.waitForFinished(60000));
    QVERIFY2(quellix.exitCode() == 0, quellix.readAllStandardError().constData());
    QCOMPARE(readFile(home.file(QStringLiteral("out/log.txt"))), log);
    for (int i = 0; i < shots.size(); ++i)
        QCOMPARE(QImage(home.file(QStringLiteral("out/shot-%1.png").arg(i + 1))).convertToFormat(shots[i].format()),
                 shots[i]);
}

QObject *newTryWindowTest()
{
    return new TestTryWindow;
}

#include "tst_trywindow.moc"
