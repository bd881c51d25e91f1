// The editor's way to the check, the map and the report: a double click on a
// finding or a map row shows the object's screen and highlights its line.
#include "../editor/EditorFixture.h"
#include "check/frmProjectCheck.h"
#include "checkhelpers.h"

#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTableWidget>

namespace
{

// Waits for a window of the check to list what its check found.
template <class Window> bool listed(Window *window)
{
    return !window->Checking() || QSignalSpy(window, &Window::Listed).wait(60000);
}

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT

private slots:
    void doubleClickLeadsToObject_data();
    void doubleClickLeadsToObject();
    void checksTheProjectAsItWas();
    void exportReport();
};

void TestWindow::doubleClickLeadsToObject_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("line");
    // Screen 03: button 3 switches input 2 of a device that button 1 pushes;
    // the first finding and the first map row are both button 1's.
    QTest::newRow("check") << "mnuCheckProject"
                           << "frmProjectCheck"
                           << "lstFindings"
                           << "lblBSettings_0";
    QTest::newRow("map") << "mnuFunctionMap"
                         << "frmFunctionMap"
                         << "lstMap"
                         << "lblBSettings_0";
}

void TestWindow::doubleClickLeadsToObject()
{
    QFETCH(QString, menu);
    QFETCH(QString, window);
    QFETCH(QString, table);
    QFETCH(QString, line);
    Editor e;
    e.start();
    button(e.m, 0, 0, 28); // Goto Screen 03
    button(e.m, 3, 0, 2, 0, 0, 4);
    button(e.m, 3, 2, 10, 0, 100, 4);
    button(e.m, 3, 3, 25, 200, 100); // Home
    QVERIFY(e.get<QMenu>(QStringLiteral("mnuProgram"))->actions().contains(e.action(menu)));
    e.action(menu)->trigger();
    auto *list = e.get<QTableWidget>(table);
    QVERIFY(e.get<QDialog>(window)->isVisible());
    if (window == QLatin1String("frmProjectCheck"))
        QVERIFY(listed(e.get<frmProjectCheck>(window)));
    else
        QVERIFY(listed(e.get<frmFunctionMap>(window)));
    QVERIFY(list->rowCount() > 0);
    emit list->cellDoubleClicked(0, 0);
    QCOMPARE(e.combo(QStringLiteral("cboScreenNumber"))->currentIndex(), 3);
    QCOMPARE(e.m.CurrentScreen, int16_t(3));
    QCOMPARE(e.lineColor(line), QColor(255, 255, 0));
    QVERIFY(e.opened.isEmpty());
}

// The check works on a copy of the project taken when it starts; the
// editor goes on meanwhile, and Check Again takes up what it did.
void TestWindow::checksTheProjectAsItWas()
{
    Editor e;
    e.start();
    button(e.m, 0, 0, 1, 470, 0); // partly off the screen
    e.action(QStringLiteral("mnuCheckProject"))->trigger();
    auto *window = e.get<frmProjectCheck>(QStringLiteral("frmProjectCheck"));
    button(e.m, 0, 1, 1, 480, 100);
    QVERIFY(listed(window));
    QCOMPARE(e.get<QLabel>(QStringLiteral("lblSummary"))->text(), QStringLiteral("1 error, 0 warnings, 0 notes"));
    // Checked again before the last check is done: only the newest is listed.
    QSignalSpy done(window, &frmProjectCheck::Listed);
    e.get<QPushButton>(QStringLiteral("cmdCheckAgain"))->click();
    QCOMPARE(e.get<QLabel>(QStringLiteral("lblSummary"))->text(), QStringLiteral("Checking..."));
    button(e.m, 0, 2, 1, 480, 200);
    e.get<QPushButton>(QStringLiteral("cmdCheckAgain"))->click();
    QVERIFY(done.wait(60000));
    QCOMPARE(done.count(), 1);
    QVERIFY(!window->Checking());
    QCOMPARE(e.get<QLabel>(QStringLiteral("lblSummary"))->text(), QStringLiteral("3 errors, 0 warnings, 0 notes"));
    QCOMPARE(e.get<QTableWidget>(QStringLiteral("lstFindings"))->item(2, 1)->text(),
             QStringLiteral("screen 00 button 3"));
}

void TestWindow::exportReport()
{
    Editor e;
    e.start();
    button(e.m, 0, 0, 42); // a Goto with a password: the window asks whether to print it
    QCOMPARE(e.action(QStringLiteral("mnuCheckProject"))->shortcut(), QKeySequence(Qt::Key_F7));
    const QString pdf = e.home.file(QStringLiteral("hand-over.pdf"));
    e.files.answers << pdf;
    e.messages.answers << MessagePrompt::Answer::No;
    e.action(QStringLiteral("mnuExportReport"))->trigger();
    QCOMPARE(e.files.dialogs.size(), 1);
    QVERIFY(e.files.dialogs.front().save);
    QCOMPARE(e.files.dialogs.front().title, QStringLiteral("Export Report"));
    QCOMPARE(e.messages.boxes.size(), 1);
    QCOMPARE(e.messages.boxes.front().buttons, MessagePrompt::Buttons::YesNo);
    QVERIFY(readFile(pdf).startsWith("%PDF-"));
}

QObject *newWindowTest()
{
    return new TestWindow;
}

#include "tst_window.moc"
