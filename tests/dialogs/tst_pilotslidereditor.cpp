#include "dialogtest.h"

#include "dialogs/frmVantilePilot.h"
#include "dialogs/frmVantileSlider.h"
#include "model/modVantile.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <memory>

namespace
{

struct Fixture {
    explicit Fixture(int object)
    {
        m.NewProject();
        m.CurrentObject = int16_t(object);
        m.LastPilot = int16_t(object);
        m.LastSlider = int16_t(object);
    }
    template <class Dialog> std::unique_ptr<Dialog> open()
    {
        auto dialog = std::make_unique<Dialog>(m, host, messages);
        dialog->show();
        return dialog;
    }
    modVantile m;
    FakeHost host;
    ScriptedMessages messages;
};

} // namespace

class PilotSliderEditorTest : public QObject
{
    Q_OBJECT
private slots:
    void pilotControls();
    void pilotActivationIsSilentAndResetsDevice();
    void pilotPickedEntries_data();
    void pilotPickedEntries();
    void pilotOffThenOnPictureOfOnePair();
    void pilotRemoveKeepsFieldsAndPictureRevives();
    void pilotCloseUnusedClearsTemplate();
    void sliderControls();
    void sliderStyleSetsPictureAndSize_data();
    void sliderStyleSetsPictureAndSize();
    void sliderActivationIsSilentAndResetsDevice();
    void sliderRemoveThenClose();
};

void PilotSliderEditorTest::pilotControls()
{
    Fixture f(7);
    f.m.SetNodeAddress(0xFD); // node FE: the device list wraps past FF
    f.m.SetNodeRange(2);
    auto dialog = f.open<frmVantilePilot>();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Edit Pilot"));
    QCOMPARE(control<QLabel>(dialog.get(), "lblDevice")->text(), QStringLiteral("Quellix Device"));
    QCOMPARE(control<QLabel>(dialog.get(), "lblPilot")->text(), QStringLiteral("Pilot"));
    QCOMPARE(control<QPushButton>(dialog.get(), "cmdUnused")->text(), QStringLiteral("Remove Pilot"));
    QCOMPARE(control<QGroupBox>(dialog.get(), "frmIcons")->title(), QStringLiteral("Pilot Icons (Click To Select)"));
    auto *device = control<QComboBox>(dialog.get(), "cboDevice");
    QCOMPARE(device->count(), 3);
    QCOMPARE(device->itemText(0), QStringLiteral("FE"));
    QCOMPARE(device->itemText(1), QStringLiteral("FF"));
    QCOMPARE(device->itemText(2), QStringLiteral("00"));
    auto *input = control<QComboBox>(dialog.get(), "cboPilot");
    QCOMPARE(input->count(), 8);
    QCOMPARE(input->itemText(7), QStringLiteral("8"));
    for (int i = 0; i < 48; ++i) {
        auto *on = control<QLabel>(dialog.get(), QStringLiteral("imgSIOn_%1").arg(i));
        auto *off = control<QLabel>(dialog.get(), QStringLiteral("imgSIOff_%1").arg(i));
        QVERIFY(on && off);
        QCOMPARE(on->size(), off->size());
    }
    QCOMPARE(control<QLabel>(dialog.get(), "imgSIOn_15")->size(), QSize(16, 32));
}

void PilotSliderEditorTest::pilotActivationIsSilentAndResetsDevice()
{
    Fixture f(7);
    f.m.SetNodeRange(3);
    f.m.SetPilotUsed(7, 1);
    f.m.SetPilotDevice(7, 9);
    f.m.SetPilotInput(7, 6);
    f.m.SetPilotLeft(7, 420);
    f.m.SetPilotTop(7, 13);
    auto dialog = f.open<frmVantilePilot>();
    QCOMPARE(f.m.GetPilotDevice(7), 0);
    QCOMPARE(control<QComboBox>(dialog.get(), "cboDevice")->currentIndex(), 0);
    QCOMPARE(control<QComboBox>(dialog.get(), "cboPilot")->currentText(), QStringLiteral("7"));
    QCOMPARE(control<QComboBox>(dialog.get(), "cboLeft")->currentIndex(), 420);
    QCOMPARE(control<QComboBox>(dialog.get(), "cboTop")->currentIndex(), 13);
    QVERIFY(f.host.calls.isEmpty());
}

void PilotSliderEditorTest::pilotPickedEntries_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("wordOffset");
    QTest::newRow("input 8") << "cboPilot" << 7 << 7;
    QTest::newRow("device") << "cboDevice" << 3 << 6;
    QTest::newRow("left") << "cboLeft" << 700 << 3;
    QTest::newRow("top") << "cboTop" << 90 << 5;
}

void PilotSliderEditorTest::pilotPickedEntries()
{
    QFETCH(QString, list);
    QFETCH(int, index);
    QFETCH(int, wordOffset);
    Fixture f(7);
    f.m.SetNodeRange(3);
    f.m.SetPilotUsed(7, 1);
    auto dialog = f.open<frmVantilePilot>();
    QVERIFY(pick(control<QComboBox>(dialog.get(), list), index));
    QCOMPARE(int(f.m.PanelImage[size_t(f.m.ObjectRecord(ObjectTables::ObjectKind::Pilot, 7).panelWord + wordOffset)]),
             index % 256);
    QVERIFY(f.host.onlyUpdated(QStringLiteral("UDPilot"), 7));
}

void PilotSliderEditorTest::pilotOffThenOnPictureOfOnePair()
{
    Fixture f(7);
    auto dialog = f.open<frmVantilePilot>();
    QTest::mouseClick(control<QLabel>(dialog.get(), "imgSIOff_40"), Qt::LeftButton);
    QCOMPARE(f.m.GetPilotUsed(7), 1);
    QCOMPARE(f.m.GetPilotPicture(7), 40);
    QVERIFY(f.host.onlyUpdated(QStringLiteral("UDPilot"), 7));
    const auto panel = f.m.PanelImage;
    QTest::mouseClick(control<QLabel>(dialog.get(), "imgSIOn_40"), Qt::LeftButton);
    QVERIFY(f.m.PanelImage == panel);
    QTest::mouseDClick(control<QLabel>(dialog.get(), "imgSIOn_0"), Qt::LeftButton);
    QCOMPARE(f.m.GetPilotPicture(7), 0);
}

void PilotSliderEditorTest::pilotRemoveKeepsFieldsAndPictureRevives()
{
    Fixture f(7);
    f.m.SetNodeRange(5);
    f.m.SetPilotUsed(7, 1);
    f.m.SetPilotPicture(7, 12);
    f.m.SetPilotDevice(7, 4);
    f.m.SetPilotInput(7, 2);
    f.m.SetPilotLeft(7, 100);
    f.m.SetPilotTop(7, 200);
    auto dialog = f.open<frmVantilePilot>();
    QTest::mouseClick(control<QPushButton>(dialog.get(), "cmdUnused"), Qt::LeftButton);
    QCOMPARE(f.m.GetPilotUsed(7), 0);
    QCOMPARE(f.m.GetPilotPicture(7), 12);
    QCOMPARE(f.m.GetPilotDevice(7), 4);
    QCOMPARE(f.m.GetPilotInput(7), 2);
    QCOMPARE(f.m.GetPilotLeft(7), 100);
    QCOMPARE(f.m.GetPilotTop(7), 200);
    QTest::mouseClick(control<QLabel>(dialog.get(), "imgSIOn_3"), Qt::LeftButton);
    QCOMPARE(f.m.GetPilotUsed(7), 1);
    QCOMPARE(f.m.GetPilotPicture(7), 3);
    QCOMPARE(f.m.GetPilotDevice(7), 4);
    QCOMPARE(f.m.GetPilotLeft(7), 100);
}

void PilotSliderEditorTest::pilotCloseUnusedClearsTemplate()
{
    Fixture f(7);
    f.m.SetPilotUsed(7, 1);
    auto dialog = f.open<frmVantilePilot>();
    QTest::mouseClick(control<QPushButton>(dialog.get(), "cmdUnused"), Qt::LeftButton);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(f.m.LastPilot, -1);
}

void PilotSliderEditorTest::sliderControls()
{
    Fixture f(2);
    auto dialog = f.open<frmVantileSlider>();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Edit Slider"));
    QCOMPARE(control<QPushButton>(dialog.get(), "cmdUnused")->text(), QStringLiteral("Remove Slider"));
    QCOMPARE(control<QGroupBox>(dialog.get(), "frmSlidders")->title(),
             QStringLiteral("Slider Style (Click To Select)"));
    QCOMPARE(control<QComboBox>(dialog.get(), "cboDevice")->count(), 1);
    QCOMPARE(control<QComboBox>(dialog.get(), "cboDevice")->itemText(0), QStringLiteral("01"));
    for (int i = 0; i < 6; ++i) {
        QVERIFY(control<QLabel>(dialog.get(), QStringLiteral("imgSlider_%1").arg(i))->isVisible());
        QVERIFY(!control<QLabel>(dialog.get(), QStringLiteral("imgSliderRender_%1").arg(i))->isVisible());
    }
}

void PilotSliderEditorTest::sliderStyleSetsPictureAndSize_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("0") << 0 << 34 << 221;
    QTest::newRow("2") << 2 << 34 << 221;
    QTest::newRow("4") << 4 << 42 << 421;
    QTest::newRow("5") << 5 << 42 << 421;
}

void PilotSliderEditorTest::sliderStyleSetsPictureAndSize()
{
    QFETCH(int, style);
    QFETCH(int, width);
    QFETCH(int, height);
    Fixture f(2);
    auto dialog = f.open<frmVantileSlider>();
    QTest::mouseClick(control<QLabel>(dialog.get(), QStringLiteral("imgSlider_%1").arg(style)), Qt::LeftButton);
    QCOMPARE(f.m.GetSliderPicture(2), style + 1);
    QCOMPARE(f.m.GetSliderWidth(2), width);
    QCOMPARE(f.m.GetSliderHeight(2), height);
    QCOMPARE(f.m.GetSliderWidth(1), 0); // no other slider's size record changes
    QVERIFY(f.host.onlyUpdated(QStringLiteral("UDSlider"), 2));
}

void PilotSliderEditorTest::sliderActivationIsSilentAndResetsDevice()
{
    Fixture f(2);
    f.m.SetNodeRange(1);
    f.m.SetSliderPicture(2, 3);
    f.m.SetSliderDevice(2, 2);
    f.m.SetSliderLeft(2, 256);
    auto dialog = f.open<frmVantileSlider>();
    QCOMPARE(f.m.GetSliderDevice(2), 0);
    QCOMPARE(control<QComboBox>(dialog.get(), "cboLeft")->currentIndex(), 256);
    QVERIFY(f.host.calls.isEmpty());
    QVERIFY(pick(control<QComboBox>(dialog.get(), "cboDevice"), 1));
    QCOMPARE(f.m.GetSliderDevice(2), 1);
    QVERIFY(f.host.onlyUpdated(QStringLiteral("UDSlider"), 2));
}

void PilotSliderEditorTest::sliderRemoveThenClose()
{
    Fixture f(2);
    f.m.SetSliderPicture(2, 4);
    f.m.SetSliderDevice(2, 0);
    f.m.SetSliderTop(2, 30);
    f.m.SetSliderWidth(2, 42);
    auto dialog = f.open<frmVantileSlider>();
    QTest::mouseClick(control<QPushButton>(dialog.get(), "cmdUnused"), Qt::LeftButton);
    QCOMPARE(f.m.GetSliderPicture(2), 0);
    QCOMPARE(f.m.GetSliderTop(2), 30);
    QCOMPARE(f.m.GetSliderWidth(2), 42);
    QTest::mouseClick(control<QPushButton>(dialog.get(), "cmdClose"), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(f.m.LastSlider, -1);
}

QObject *makePilotSliderEditorTest()
{
    return new PilotSliderEditorTest;
}

#include "tst_pilotslidereditor.moc"
