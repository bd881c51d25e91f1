// The communications dialog on the offscreen platform, with the panel
// simulator on a pseudo-terminal behind COM1.
#include "commtests.h"

#include "testsupport.h"

#include "comm/DeviceData.h"
#include "comm/frmVantileComm.h"
#include "model/Settings.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

using Fault = PanelSimulator::Fault;
using Icon = MessagePrompt::Icon;
Q_DECLARE_METATYPE(PanelSimulator::Fault)
Q_DECLARE_METATYPE(MessagePrompt::Icon)

namespace
{

// Records, with every box, whether the dialog's port was open when it showed.
class WatchingMessages : public ScriptedMessages
{
public:
    using MessagePrompt::Show;
    Answer Show(const QString &text, const QString &title, Icon icon, Buttons buttons) override
    {
        portOpen << (dialog && dialog->PortOpen());
        return ScriptedMessages::Show(text, title, icon, buttons);
    }
    frmVantileComm *dialog = nullptr;
    QList<bool> portOpen;
};

class ComEnv
{
public:
    ComEnv(int number, const QString &device) : name_(QStringLiteral("QUELLIX_COM%1").arg(number).toLatin1())
    {
        qputenv(name_.constData(), device.toLocal8Bit());
    }
    ~ComEnv() { qunsetenv(name_.constData()); }

private:
    QByteArray name_;
};

QString settingsText()
{
    return QString::fromLatin1(readFile(Paths::SettingsFile()));
}

const QList<const char *> FourControls = {"cboComPort", "cmdDownload", "cmdFirmRev", "cmdClose"};

bool controlsEnabled(const QWidget &dialog, bool enabled)
{
    for (const char *name : FourControls)
        if (dialog.findChild<QWidget *>(QLatin1String(name))->isEnabled() != enabled)
            return false;
    return true;
}

} // namespace

class TestCommDialog : public QObject
{
    Q_OBJECT
private slots:
    void formLoad()
    {
        TempHome home;
        QDir().mkpath(home.path());
        ComEnv com5(5, QStringLiteral("/dev/ttyQUELLIX5"));
        modVantile m;
        m.ComPortIndex = 3;
        ScriptedMessages messages;
        frmVantileComm dialog(m, messages);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Communications"));
        auto *combo = dialog.findChild<QComboBox *>(QStringLiteral("cboComPort"));
        QVERIFY(combo);
        QCOMPARE(combo->count(), 8);
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(combo->itemText(i), QStringLiteral("COM%1").arg(i + 1));
            QVERIFY(combo->itemData(i, Qt::ToolTipRole).toString().startsWith(QStringLiteral("COM%1: ").arg(i + 1)));
        }
        QCOMPARE(combo->itemData(4, Qt::ToolTipRole).toString(), QStringLiteral("COM5: /dev/ttyQUELLIX5"));
        QCOMPARE(combo->currentText(), QStringLiteral("COM4"));
        QCOMPARE(dialog.PortNumber(), 4);
        QVERIFY(settingsText().contains(QStringLiteral("Com Port=4")));

        QCOMPARE(dialog.findChild<QPushButton *>(QStringLiteral("cmdDownload"))->text(), QStringLiteral("Download"));
        QCOMPARE(dialog.findChild<QPushButton *>(QStringLiteral("cmdFirmRev"))->text(),
                 QStringLiteral("Firmware Revision"));
        QCOMPARE(dialog.findChild<QPushButton *>(QStringLiteral("cmdClose"))->text(), QStringLiteral("Close"));
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("lblNote_0"))->text(),
                 QStringLiteral("The device must be powered and in configuration mode. To enter configuration mode, "
                                "set node address to 00, close switch 8, and reset the device."));
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("lblNote_1"))->text(),
                 QStringLiteral("All four LEDs will be flashing in sequence to indicate the device is in "
                                "configuration mode."));
        auto *bar = dialog.findChild<QProgressBar *>(QStringLiteral("pbDL"));
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 257);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(!bar->isVisible());

        // Top to bottom: port and Download, the notes, the bar, the buttons.
        const auto y = [&](const char *name) {
            return dialog.findChild<QWidget *>(QLatin1String(name))->mapTo(&dialog, QPoint(0, 0)).y();
        };
        QVERIFY(y("cboComPort") < y("lblNote_0"));
        QVERIFY(y("lblNote_0") < y("lblNote_1"));
        QVERIFY(y("lblNote_1") < y("pbDL"));
        QVERIFY(y("pbDL") < y("cmdFirmRev"));

        combo->setCurrentIndex(6);
        QCOMPARE(m.ComPortIndex, int16_t(6));
        QCOMPARE(dialog.PortNumber(), 7);
        QVERIFY(settingsText().contains(QStringLiteral("Com Port=7")));
        QVERIFY(messages.boxes.isEmpty());
    }

    void downloadComplete()
    {
        TempHome home;
        CommTests::SimulatedPanel panel;
        QVERIFY(panel.ok());
        ComEnv com1(1, panel.path());
        modVantile m;
        CommTests::MakeDemoProject(m);
        m.SelectScreen(4);
        WatchingMessages messages;
        frmVantileComm dialog(m, messages);
        messages.dialog = &dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));

        auto *bar = dialog.findChild<QProgressBar *>(QStringLiteral("pbDL"));
        QList<int> values;
        bool duringOk = true;
        connect(bar, &QProgressBar::valueChanged, this, [&](int value) {
            values << value;
            // 0 is set just before the bar is shown.
            duringOk =
                duringOk && (value == 0 || bar->isVisible()) && controlsEnabled(dialog, false) && dialog.PortOpen();
        });
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("cmdDownload")), Qt::LeftButton);

        QCOMPARE(messages.boxes.size(), 1);
        QCOMPARE(messages.boxes[0].text, QStringLiteral("Download Complete"));
        QCOMPARE(messages.boxes[0].title, QStringLiteral("Downlaod"));
        QCOMPARE(messages.boxes[0].icon, Icon::None);
        QCOMPARE(messages.boxes[0].buttons, MessagePrompt::Buttons::Ok);
        QCOMPARE(messages.portOpen, QList<bool>{false});
        QVERIFY(duringOk);
        QCOMPARE(values.size(), 258);
        for (int i = 0; i < values.size(); ++i)
            QCOMPARE(values[i], i);
        QVERIFY(!bar->isVisible());
        QVERIFY(controlsEnabled(dialog, true));
        QVERIFY(!dialog.PortOpen());
        QCOMPARE(panel.Received(), DeviceDataStream(m));
        QCOMPARE(m.CurrentScreen, int16_t(4));
        SerialLine again;
        QVERIFY(again.Open(panel.path()));
    }

    void downloadFaults_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<int>("at");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        const QString checksumText =
            QStringLiteral("Download Failed.\r\nChecksum Fault.\r\nDevice Will NOT Function Properly.");
        QTest::newRow("wrong checksum") << Fault::WrongChecksum << int(PanelSimulator::ChecksumQuery) << checksumText
                                        << "Download Failure";
        QTest::newRow("lower-case checksum")
            << Fault::LowerCase << int(PanelSimulator::ChecksumQuery) << checksumText << "Download Failure";
        QTest::newRow("line dropped") << Fault::DropLine << 17 << "Comm Fault"
                                      << "Fault";
    }
    void downloadFaults()
    {
        QFETCH(Fault, fault);
        QFETCH(int, at);
        QFETCH(QString, text);
        QFETCH(QString, title);
        TempHome home;
        PanelSimulator::Options options;
        options.fault = fault;
        options.faultAt = at;
        CommTests::SimulatedPanel panel(options);
        QVERIFY(panel.ok());
        ComEnv com1(1, panel.path());
        modVantile m;
        CommTests::MakeDemoProject(m);
        WatchingMessages messages;
        frmVantileComm dialog(m, messages);
        messages.dialog = &dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.cmdDownload_Click();

        QCOMPARE(messages.boxes.size(), 1);
        QCOMPARE(messages.boxes[0].text, text);
        QCOMPARE(messages.boxes[0].title, title);
        QCOMPARE(messages.boxes[0].icon, Icon::Critical);
        QCOMPARE(messages.portOpen, QList<bool>{true}); // closed after the box
        QVERIFY(!dialog.findChild<QProgressBar *>(QStringLiteral("pbDL"))->isVisible());
        QVERIFY(controlsEnabled(dialog, true));
        QVERIFY(!dialog.PortOpen());
        if (fault != Fault::DropLine) {
            SerialLine again;
            QVERIFY(again.Open(panel.path()));
        }
    }

    void invalidPort()
    {
        TempHome home;
        ComEnv com8(8, QStringLiteral("/dev/quellix-no-such-port"));
        modVantile m;
        m.ComPortIndex = 7;
        ScriptedMessages messages;
        frmVantileComm dialog(m, messages);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.cmdDownload_Click();
        dialog.cmdFirmRev_Click();
        QCOMPARE(messages.boxes.size(), 2);
        for (const auto &box : messages.boxes) {
            QCOMPARE(box.text, QStringLiteral("Invalid COM Port."));
            QCOMPARE(box.title, QStringLiteral("COM Error"));
            QCOMPARE(box.icon, Icon::Exclamation);
        }
        QVERIFY(controlsEnabled(dialog, true));
        QVERIFY(!dialog.findChild<QProgressBar *>(QStringLiteral("pbDL"))->isVisible());
        QVERIFY(!dialog.PortOpen());
    }

    void firmwareRevision()
    {
        TempHome home;
        CommTests::SimulatedPanel panel;
        QVERIFY(panel.ok());
        PanelSimulator::Options dropping;
        dropping.fault = Fault::DropLine;
        dropping.faultAt = PanelSimulator::FirmwareQuery;
        CommTests::SimulatedPanel lost(dropping);
        QVERIFY(lost.ok());
        ComEnv com2(2, panel.path());
        ComEnv com3(3, lost.path());
        modVantile m;
        m.ComPortIndex = 1;
        WatchingMessages messages;
        frmVantileComm dialog(m, messages);
        messages.dialog = &dialog;
        dialog.cmdFirmRev_Click();
        dialog.findChild<QComboBox *>(QStringLiteral("cboComPort"))->setCurrentIndex(2);
        dialog.cmdFirmRev_Click();
        QCOMPARE(messages.boxes.size(), 2);
        QCOMPARE(messages.boxes[0].text, QStringLiteral("Quellix Touch 2.10"));
        QCOMPARE(messages.boxes[0].title, QStringLiteral("Device Firmware Revision"));
        QCOMPARE(messages.boxes[0].icon, Icon::Information);
        QCOMPARE(messages.boxes[1].text, QStringLiteral("Comm Fault"));
        QCOMPARE(messages.boxes[1].title, QStringLiteral("Fault"));
        QCOMPARE(messages.boxes[1].icon, Icon::Critical);
        QCOMPARE(messages.portOpen, (QList<bool>{false, true}));
        QVERIFY(!dialog.PortOpen());
        QVERIFY(controlsEnabled(dialog, true));
        QCOMPARE(panel.FirmwareQueries(), 1);
    }

    void menuRefusesForZavCmd_data()
    {
        QTest::addColumn<int>("commandSet");
        QTest::newRow("P Cmd opens the dialog") << 0;
        QTest::newRow("D Cmd opens the dialog") << 1;
        QTest::newRow("ZAV Cmd refuses") << 2;
    }
    void menuRefusesForZavCmd()
    {
        QFETCH(int, commandSet);
        TempHome home;
        CommTests::SimulatedPanel panel;
        QVERIFY(panel.ok());
        ComEnv com1(1, panel.path());
        modVantile m;
        m.SetCommandSet(commandSet);
        ScriptedMessages messages;
        QString opened;
        // Whatever modal dialog comes up is noted and closed again.
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                opened = modal->objectName();
                modal->findChild<QPushButton *>(QStringLiteral("cmdClose"))->click();
            }
        });
        closer.start(20);
        frmVantileComm::OpenFromMenu(m, messages);
        closer.stop();
        if (commandSet == 2) {
            QCOMPARE(opened, QString());
            QCOMPARE(messages.boxes.size(), 1);
            QCOMPARE(messages.boxes[0].text, QStringLiteral("Download Not Required For ZAV Cmd Option"));
            QCOMPARE(messages.boxes[0].title, QStringLiteral("Download Cancelled"));
            QCOMPARE(messages.boxes[0].icon, Icon::Information);
            QVERIFY(!QFile::exists(Paths::SettingsFile()));
        } else {
            QCOMPARE(opened, QStringLiteral("frmVantileComm"));
            QVERIFY(messages.boxes.isEmpty());
        }
        QCOMPARE(panel.BlocksReceived() + panel.FirmwareQueries() + panel.ChecksumQueries(), 0);
    }
};

static CommTests::Register<TestCommDialog> registerCommDialog;

#include "tst_dialog.moc"
