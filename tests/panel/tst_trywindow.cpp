#include "panel/frmVantileTry.h"
#include "panelfixture.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableWidget>

class TestTryWindow : public QObject
{
    Q_OBJECT

private slots:
    void fingerNetworkAndEdits();
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
    frmVantileTry w(m);
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

QObject *newTryWindowTest()
{
    return new TestTryWindow;
}

#include "tst_trywindow.moc"
