#include "dialogtest.h"

#include "dialogs/frmVantileButton.h"
#include "model/modVantile.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <memory>

namespace
{

struct Fixture {
    Fixture(int object = 4)
    {
        m.NewProject();
        m.CurrentObject = int16_t(object);
        m.LastButton = int16_t(object);
    }
    std::unique_ptr<frmVantileButton> open()
    {
        auto dialog = std::make_unique<frmVantileButton>(m, host, messages);
        dialog->show();
        return dialog;
    }
    modVantile m;
    FakeHost host;
    ScriptedMessages messages;
};

QLineEdit *passwordBox(QWidget *dialog, int k)
{
    return control<QLineEdit>(dialog, QStringLiteral("txtPassword_%1").arg(k));
}

} // namespace

class ButtonEditorTest : public QObject
{
    Q_OBJECT
private slots:
    void functionList_data();
    void functionList();
    void controlsAndCaptions();
    void activationFillsWithoutChanges();
    void deviceBeyondRangeIsReset();
    void pickedEntryIsStoredAndShown_data();
    void pickedEntryIsStoredAndShown();
    void pictureOnUnusedButton();
    void pictureSizesAndFontSize_data();
    void pictureSizesAndFontSize();
    void inputTypeWarnedOncePerRun();
    void noWarningAfterFileOpen();
    void warningAtActivation();
    void passwordBoxesFollowFunction();
    void passwordDigitReplaced_data();
    void passwordDigitReplaced();
    void passwordRejectsOtherKeys();
    void tabWalksPasswordFromTheLeft();
    void captionFilterAndLength();
    void targetThenRemoveThenClose();
    void closingUsedButtonKeepsTemplate();
    void damagedRecordOpensSafely();
    void typedNumber_data();
    void typedNumber();
};

void ButtonEditorTest::functionList_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("entry");
    QTest::newRow("0") << 0 << "Unused";
    QTest::newRow("1") << 1 << "Push Button Input 1";
    QTest::newRow("8") << 8 << "Push Button Input 8";
    QTest::newRow("9") << 9 << "Turn ON Input 1";
    QTest::newRow("16") << 16 << "Turn ON Input 8";
    QTest::newRow("17") << 17 << "Turn OFF Input 1";
    QTest::newRow("24") << 24 << "Turn OFF Input 8";
    QTest::newRow("25") << 25 << "Goto Home";
    QTest::newRow("26") << 26 << "Goto Screen 01";
    QTest::newRow("40") << 40 << "Goto Screen 15";
    QTest::newRow("41") << 41 << "Goto Home W/Password";
    QTest::newRow("42") << 42 << "Goto Screen 01 W/Password";
    QTest::newRow("56") << 56 << "Goto Screen 15 W/Password";
}

void ButtonEditorTest::functionList()
{
    QFETCH(int, index);
    QFETCH(QString, entry);
    Fixture f;
    auto dialog = f.open();
    auto *cboType = control<QComboBox>(dialog.get(), QStringLiteral("cboType"));
    QVERIFY(cboType);
    QCOMPARE(cboType->count(), 57);
    QCOMPARE(cboType->itemText(index), entry);
}

void ButtonEditorTest::controlsAndCaptions()
{
    Fixture f;
    f.m.SetNodeAddress(9); // node 0A
    f.m.SetNodeRange(3);   // four devices
    auto dialog = f.open();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Edit Button"));
    const QList<QPair<const char *, const char *>> labels{{"lblDevice", "Quellix Device"},
                                                          {"lblPassWord", "Password"},
                                                          {"lblLeft", "Left"},
                                                          {"lblTop", "Top"},
                                                          {"lblWidth", "Width"},
                                                          {"lblHeight", "Height"},
                                                          {"lblText", "Text"},
                                                          {"lblFontColor", "Font Color"}};
    for (const auto &[name, caption] : labels) {
        auto *label = control<QLabel>(dialog.get(), QLatin1String(name));
        QVERIFY2(label, name);
        QCOMPARE(label->text(), QLatin1String(caption));
    }
    QCOMPARE(control<QPushButton>(dialog.get(), "cmdUnused")->text(), QStringLiteral("Remove Button"));
    QCOMPARE(control<QPushButton>(dialog.get(), "cmdClose")->text(), QStringLiteral("Close"));
    QCOMPARE(control<QPushButton>(dialog.get(), "cmdNoButton")->text(), QStringLiteral("Target"));
    QCOMPARE(control<QGroupBox>(dialog.get(), "frmButtons")->title(), QStringLiteral("Button Style (Click To Select)"));

    auto *device = control<QComboBox>(dialog.get(), "cboDevice");
    QCOMPARE(device->count(), 4);
    QCOMPARE(device->itemText(0), QStringLiteral("0A"));
    QCOMPARE(device->itemText(3), QStringLiteral("0D"));
    for (const char *name : {"cboLeft", "cboTop", "cboWidth", "cboHeight"}) {
        auto *list = control<QComboBox>(dialog.get(), QLatin1String(name));
        QCOMPARE(list->count(), 800);
        QCOMPARE(list->itemText(799), QStringLiteral("799"));
    }
    auto *colour = control<QComboBox>(dialog.get(), "cboTextColor");
    QCOMPARE(colour->count(), 2);
    QCOMPARE(colour->itemText(1), QStringLiteral("White"));
    for (int i = 0; i < 32; ++i)
        QVERIFY(control<QLabel>(dialog.get(), QStringLiteral("imgButton_%1").arg(i)));
    // Password boxes read from left to right as the six digits: box 5 first.
    QVERIFY(passwordBox(dialog.get(), 5)->x() < passwordBox(dialog.get(), 0)->x());
}

void ButtonEditorTest::activationFillsWithoutChanges()
{
    Fixture f;
    const int n = 4;
    f.m.SetNodeRange(5);
    f.m.SetButtonType(n, 5);
    f.m.SetButtonDevice(n, 3);
    f.m.SetButtonLeft(n, 300);
    f.m.SetButtonTop(n, 44);
    f.m.SetButtonPicture(n, 14);
    f.m.SetButtonText(n, QStringLiteral("Hall"));
    f.m.SetButtonTextColor(n, 1);
    f.m.SetButtonPassword(n, 123456);
    const auto panel = f.m.PanelImage;
    const auto editor = f.m.EditorImage;
    auto dialog = f.open();

    QVERIFY(f.host.calls.isEmpty());
    QVERIFY(f.messages.boxes.isEmpty());
    QVERIFY(f.m.PanelImage == panel);
    QVERIFY(f.m.EditorImage == editor);
    QCOMPARE(control<QComboBox>(dialog.get(), "cboType")->currentIndex(), 5);
    QCOMPARE(control<QComboBox>(dialog.get(), "cboDevice")->currentIndex(), 3);
    QCOMPARE(control<QComboBox>(dialog.get(), "cboLeft")->currentText(), QStringLiteral("300"));
    QCOMPARE(control<QComboBox>(dialog.get(), "cboTop")->currentIndex(), 44);
    QCOMPARE(control<QComboBox>(dialog.get(), "cboTextColor")->currentIndex(), 1);
    QCOMPARE(control<QLineEdit>(dialog.get(), "txtText")->text(), QStringLiteral("Hall"));
    QString shown;
    for (int k = 5; k >= 0; --k)
        shown += passwordBox(dialog.get(), k)->text();
    QCOMPARE(shown, QStringLiteral("123456"));
    // A picture hides the size lists; function 5 has no password.
    QVERIFY(!control<QComboBox>(dialog.get(), "cboWidth")->isVisible());
    QVERIFY(!control<QLabel>(dialog.get(), "lblHeight")->isVisible());
    QVERIFY(control<QLineEdit>(dialog.get(), "txtText")->isEnabled());
    QVERIFY(!passwordBox(dialog.get(), 0)->isEnabled());
}

void ButtonEditorTest::deviceBeyondRangeIsReset()
{
    Fixture f;
    f.m.SetButtonType(4, 1);
    f.m.SetButtonDevice(4, 10);
    f.m.SetNodeRange(3);
    auto dialog = f.open();
    QCOMPARE(f.m.GetButtonDevice(4), 0);
    QCOMPARE(control<QComboBox>(dialog.get(), "cboDevice")->currentIndex(), 0);
    QVERIFY(f.host.calls.isEmpty());
}

void ButtonEditorTest::pickedEntryIsStoredAndShown_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("wordOffset"); // word of the record that must hold the value
    QTest::addColumn<bool>("panelWord");
    QTest::newRow("function") << "cboType" << 3 << 0 << true;
    QTest::newRow("device") << "cboDevice" << 7 << 9 << true;
    QTest::newRow("left") << "cboLeft" << 799 << 2 << true; // low byte of 799
    QTest::newRow("top") << "cboTop" << 255 << 6 << true;
    QTest::newRow("width") << "cboWidth" << 200 << 2 << false;
    QTest::newRow("height") << "cboHeight" << 40 << 4 << false;
    QTest::newRow("colour") << "cboTextColor" << 1 << 9 << false;
}

void ButtonEditorTest::pickedEntryIsStoredAndShown()
{
    QFETCH(QString, list);
    QFETCH(int, index);
    QFETCH(int, wordOffset);
    QFETCH(bool, panelWord);
    Fixture f;
    f.m.SetNodeRange(7);
    f.m.SetButtonType(4, 2);
    f.m.SetButtonPicture(4, 1); // caption colour is for pictures only
    auto dialog = f.open();
    QVERIFY(pick(control<QComboBox>(dialog.get(), list), index));
    const int word =
        panelWord
            ? f.m.PanelImage[size_t(f.m.ObjectRecord(ObjectTables::ObjectKind::Button, 4).panelWord + wordOffset)]
            : f.m.EditorImage[size_t(f.m.ObjectRecord(ObjectTables::ObjectKind::Button, 4).editorWord + wordOffset)];
    QCOMPARE(word, index % 256);
    QVERIFY(f.host.onlyUpdated(QStringLiteral("UDButton"), 4));
}

void ButtonEditorTest::pictureOnUnusedButton()
{
    Fixture f;
    f.m.SetButtonTextX(4, 7);
    auto dialog = f.open();
    QTest::mouseClick(control<QLabel>(dialog.get(), "imgButton_13"), Qt::LeftButton);
    QCOMPARE(f.m.GetButtonType(4), 1);
    QCOMPARE(f.m.GetButtonPicture(4), 14);
    QCOMPARE(f.m.GetButtonWidth(4), 96);
    QCOMPARE(f.m.GetButtonHeight(4), 32);
    QCOMPARE(f.m.GetButtonFontSize(4), 1);
    QCOMPARE(f.m.GetButtonTextX(4), 7); // the canvas derives the offsets, not the dialog
    QCOMPARE(control<QComboBox>(dialog.get(), "cboType")->currentIndex(), 1);
    QVERIFY(!control<QComboBox>(dialog.get(), "cboHeight")->isVisible());
    QVERIFY(f.host.onlyUpdated(QStringLiteral("UDButton"), 4));
    QVERIFY(f.messages.boxes.isEmpty());
}

void ButtonEditorTest::pictureSizesAndFontSize_data()
{
    QTest::addColumn<int>("picture");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("fontSize");
    QTest::newRow("0") << 0 << 32 << 24 << 0;
    QTest::newRow("7") << 7 << 64 << 24 << 0;
    QTest::newRow("8") << 8 << 48 << 32 << 1;
    QTest::newRow("19") << 19 << 80 << 48 << 2;
    QTest::newRow("22") << 22 << 160 << 48 << 2;
    QTest::newRow("30") << 30 << 224 << 64 << 3;
}

void ButtonEditorTest::pictureSizesAndFontSize()
{
    QFETCH(int, picture);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, fontSize);
    Fixture f;
    f.m.SetButtonType(4, 30);
    auto dialog = f.open();
    // A double-click comes after the click of its first press.
    auto *image = control<QLabel>(dialog.get(), QStringLiteral("imgButton_%1").arg(picture));
    QTest::mouseClick(image, Qt::LeftButton);
    QTest::mouseDClick(image, Qt::LeftButton);
    QCOMPARE(f.m.GetButtonType(4), 30);
    QCOMPARE(f.m.GetButtonPicture(4), picture + 1);
    QCOMPARE(f.m.GetButtonWidth(4), width);
    QCOMPARE(f.m.GetButtonHeight(4), height);
    QCOMPARE(f.m.GetButtonFontSize(4), fontSize);
}

void ButtonEditorTest::inputTypeWarnedOncePerRun()
{
    Fixture f;
    f.m.SetButtonType(4, 1);
    auto dialog = f.open();
    auto *cboType = control<QComboBox>(dialog.get(), "cboType");
    QVERIFY(pick(cboType, 11));
    QCOMPARE(f.messages.boxes.size(), 1);
    const auto box = f.messages.boxes.first();
    QCOMPARE(box.text, frmVantileButton::InputTypeWarning);
    QCOMPARE(box.text, QStringLiteral("A Device:Input used as an Input ON or Input OFF must not be configured as an "
                                      "Push Button Input on this or any other screen."));
    QCOMPARE(box.title, QStringLiteral("Verify Input Type"));
    QCOMPARE(box.icon, MessagePrompt::Icon::Information);
    QCOMPARE(box.buttons, MessagePrompt::Buttons::Ok);
    QCOMPARE(f.m.GetButtonType(4), 11); // stored all the same
    QVERIFY(f.m.InputTypeWarned);

    QVERIFY(pick(cboType, 17));
    QCOMPARE(f.m.GetButtonType(4), 17);
    dialog.reset();
    f.m.CurrentObject = 5;
    auto other = f.open();
    QVERIFY(pick(control<QComboBox>(other.get(), "cboType"), 24));
    QCOMPARE(f.messages.boxes.size(), 1);
}

void ButtonEditorTest::noWarningAfterFileOpen()
{
    Fixture f;
    f.m.InputTypeWarned = true; // what File Open leaves behind
    auto dialog = f.open();
    QVERIFY(pick(control<QComboBox>(dialog.get(), "cboType"), 9));
    QCOMPARE(f.m.GetButtonType(4), 9);
    QVERIFY(f.messages.boxes.isEmpty());
}

void ButtonEditorTest::warningAtActivation()
{
    Fixture f;
    f.m.SetButtonType(4, 20);
    auto dialog = f.open();
    QCOMPARE(f.messages.boxes.size(), 1);
    QCOMPARE(f.messages.boxes.first().title, QStringLiteral("Verify Input Type"));
    QVERIFY(f.m.InputTypeWarned);
    QVERIFY(f.host.calls.isEmpty());
}

void ButtonEditorTest::passwordBoxesFollowFunction()
{
    Fixture f;
    f.m.SetButtonType(4, 1);
    f.m.SetButtonPassword(4, 4711);
    auto dialog = f.open();
    auto *cboType = control<QComboBox>(dialog.get(), "cboType");
    QVERIFY(pick(cboType, 56));
    for (int k = 0; k < 6; ++k)
        QVERIFY(passwordBox(dialog.get(), k)->isEnabled());
    QVERIFY(pick(cboType, 40));
    for (int k = 0; k < 6; ++k)
        QVERIFY(!passwordBox(dialog.get(), k)->isEnabled());
    QCOMPARE(f.m.GetButtonPassword(4), 4711);
    QVERIFY(pick(cboType, 41));
    QVERIFY(passwordBox(dialog.get(), 3)->isEnabled());
}

void ButtonEditorTest::passwordDigitReplaced_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    QTest::addColumn<int>("nextBox");
    QTest::newRow("hundreds") << 2 << "7" << 123456 << 123756 << 1;
    QTest::newRow("units wraps focus") << 0 << "9" << 123456 << 123459 << 5;
    QTest::newRow("hundred-thousands to zero") << 5 << "0" << 923456 << 23456 << 4;
    QTest::newRow("leading zeros") << 4 << "5" << 0 << 50000 << 3;
}

void ButtonEditorTest::passwordDigitReplaced()
{
    QFETCH(int, box);
    QFETCH(QString, key);
    QFETCH(int, before);
    QFETCH(int, after);
    QFETCH(int, nextBox);
    Fixture f;
    f.m.SetButtonType(4, 45);
    f.m.SetButtonPassword(4, before);
    auto dialog = f.open();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    QLineEdit *target = passwordBox(dialog.get(), box);
    target->setFocus();
    QTest::keyClicks(target, key);
    QCOMPARE(f.m.GetButtonPassword(4), after);
    QCOMPARE(target->text(), key);
    QCOMPARE(QApplication::focusWidget(), passwordBox(dialog.get(), nextBox));
    QVERIFY(f.host.onlyUpdated(QStringLiteral("UDButton"), 4));
}

void ButtonEditorTest::passwordRejectsOtherKeys()
{
    Fixture f;
    f.m.SetButtonType(4, 45);
    f.m.SetButtonPassword(4, 123456);
    auto dialog = f.open();
    QLineEdit *box = passwordBox(dialog.get(), 3);
    QTest::keyClicks(box, QStringLiteral("a-, "));
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box->text(), QStringLiteral("3"));
    QCOMPARE(f.m.GetButtonPassword(4), 123456);
    QVERIFY(f.host.calls.isEmpty());
}

void ButtonEditorTest::tabWalksPasswordFromTheLeft()
{
    Fixture f;
    f.m.SetButtonType(4, 45);
    f.m.SetButtonPicture(4, 1);
    auto dialog = f.open();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    auto *text = control<QLineEdit>(dialog.get(), "txtText");
    text->setFocus();
    for (int box = 5; box >= 0; --box) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), passwordBox(dialog.get(), box));
    }
}

void ButtonEditorTest::captionFilterAndLength()
{
    Fixture f;
    f.m.SetButtonType(4, 1);
    f.m.SetButtonPicture(4, 1);
    f.m.SetButtonText(4, QString());
    auto dialog = f.open();
    auto *text = control<QLineEdit>(dialog.get(), "txtText");
    QTest::keyClicks(text, QStringLiteral("Hall, left"));
    QCOMPARE(text->text(), QStringLiteral("Hall left"));
    QCOMPARE(f.m.GetButtonText(4), QStringLiteral("Hall left"));
    QVERIFY(f.host.onlyUpdated(QStringLiteral("UDButton"), 4));

    text->selectAll();
    QTest::keyClicks(text, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123"));
    QCOMPARE(text->text().size(), 30);
    QCOMPARE(f.m.GetButtonText(4), QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWX"));
}

void ButtonEditorTest::targetThenRemoveThenClose()
{
    Fixture f;
    f.m.SetButtonType(4, 0);
    f.m.SetButtonPicture(4, 9);
    f.m.SetButtonWidth(4, 48);
    f.m.SetButtonDevice(4, 0);
    f.m.SetButtonPassword(4, 42);
    f.m.SetButtonText(4, QStringLiteral("Keep"));
    auto dialog = f.open();
    QTest::mouseClick(control<QPushButton>(dialog.get(), "cmdNoButton"), Qt::LeftButton);
    QCOMPARE(f.m.GetButtonType(4), 1);
    QCOMPARE(f.m.GetButtonPicture(4), 0);
    QCOMPARE(f.m.GetButtonWidth(4), 48);
    QVERIFY(control<QComboBox>(dialog.get(), "cboWidth")->isVisible());
    QVERIFY(control<QLabel>(dialog.get(), "lblWidth")->isVisible());
    QVERIFY(!control<QLineEdit>(dialog.get(), "txtText")->isEnabled());
    QVERIFY(!control<QComboBox>(dialog.get(), "cboTextColor")->isEnabled());

    QTest::mouseClick(control<QPushButton>(dialog.get(), "cmdUnused"), Qt::LeftButton);
    QCOMPARE(f.m.GetButtonType(4), 0);
    QCOMPARE(control<QComboBox>(dialog.get(), "cboType")->currentIndex(), 0);
    QCOMPARE(f.m.GetButtonPassword(4), 42);
    QCOMPARE(f.m.GetButtonText(4), QStringLiteral("Keep"));
    QCOMPARE(f.m.GetButtonWidth(4), 48);
    QCOMPARE(f.m.LastButton, 4);
    QTest::mouseClick(control<QPushButton>(dialog.get(), "cmdClose"), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(f.m.LastButton, -1);
}

void ButtonEditorTest::closingUsedButtonKeepsTemplate()
{
    Fixture f;
    f.m.SetButtonType(4, 3);
    auto dialog = f.open();
    dialog->close(); // the window's own close box
    QVERIFY(!dialog->isVisible());
    QCOMPARE(f.m.LastButton, 4);
}

void ButtonEditorTest::damagedRecordOpensSafely()
{
    Fixture f;
    f.m.SetButtonType(4, 200);
    f.m.SetButtonLeft(4, 5000);
    f.m.SetNodeRange(255);
    f.m.PanelImage[size_t(f.m.ObjectRecord(ObjectTables::ObjectKind::Button, 4).panelWord + 10)] =
        255; // password digit
    const auto panel = f.m.PanelImage;
    auto dialog = f.open();
    QCOMPARE(control<QComboBox>(dialog.get(), "cboType")->currentIndex(), -1);
    QCOMPARE(control<QComboBox>(dialog.get(), "cboLeft")->currentIndex(), -1);
    QVERIFY(f.m.PanelImage == panel);
    QVERIFY(f.host.calls.isEmpty());
}

void ButtonEditorTest::typedNumber_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("stored");
    QTest::newRow("three digits") << "120" << 120;
    QTest::newRow("leading zeros") << "007" << 7;
    QTest::newRow("last entry") << "799" << 799;
    QTest::newRow("beyond the list") << "900" << 40;
    QTest::newRow("nothing") << "" << 40;
}

void ButtonEditorTest::typedNumber()
{
    QFETCH(QString, typed);
    QFETCH(int, stored);
    Fixture f;
    f.m.SetButtonType(4, 1);
    f.m.SetButtonLeft(4, 40);
    auto dialog = f.open();
    auto *left = control<QComboBox>(dialog.get(), "cboLeft");
    left->lineEdit()->selectAll();
    QTest::keyClick(left->lineEdit(), Qt::Key_Backspace);
    QTest::keyClicks(left->lineEdit(), typed);
    QTest::keyClick(left->lineEdit(), Qt::Key_Return);
    QCOMPARE(f.m.GetButtonLeft(4), stored);
    QCOMPARE(left->currentIndex(), stored);
    QCOMPARE(left->currentText(), QString::number(stored));
    QCOMPARE(f.host.onlyUpdated(QStringLiteral("UDButton"), 4), stored != 40);
}

QObject *makeButtonEditorTest()
{
    return new ButtonEditorTest;
}

#include "tst_buttoneditor.moc"
