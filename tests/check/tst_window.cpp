// The editor's way to the check, the map and the report: a double click on a
// finding or a map row shows the object's screen and highlights its line.
#include "../editor/EditorFixture.h"
#include "check/frmProjectCheck.h"
#include "checkhelpers.h"

#include <QMenu>
#include <QTableWidget>

class TestWindow : public QObject
{
    Q_OBJECT

private slots:
    void doubleClickLeadsToObject_data();
    void doubleClickLeadsToObject();
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
    QVERIFY(e.get<QMenu>(QStringLiteral("mnuProgram"))->actions().contains(e.action(menu)));
    e.action(menu)->trigger();
    auto *list = e.get<QTableWidget>(table);
    QVERIFY(e.get<QDialog>(window)->isVisible());
    QVERIFY(list->rowCount() > 0);
    emit list->cellDoubleClicked(0, 0);
    QCOMPARE(e.combo(QStringLiteral("cboScreenNumber"))->currentIndex(), 3);
    QCOMPARE(e.m.CurrentScreen, int16_t(3));
    QCOMPARE(e.lineColor(line), QColor(255, 255, 0));
    QVERIFY(e.opened.isEmpty());
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
