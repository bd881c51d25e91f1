#include "dialogtest.h"

#include "dialogs/frmVantileTextBox.h"
#include "model/modVantile.h"

#include <QLabel>
#include <QPushButton>

#include <memory>

namespace
{

struct Fixture {
    explicit Fixture(int object = 3)
    {
        m.NewProject();
        m.CurrentObject = int16_t(object);
        m.LastText = int16_t(object);
    }
    std::unique_ptr<frmVantileTextBox> open()
    {
        auto dialog = std::make_unique<frmVantileTextBox>(m, host, messages);
        dialog->show();
        return dialog;
    }
    bool enabled(QWidget *dialog, const char *name) { return dialog->findChild<QWidget *>(name)->isEnabled(); }
    modVantile m;
    FakeHost host;
    ScriptedMessages messages;
};

} // namespace

class TextEditorTest : public QObject
{
    Q_OBJECT
private slots:
    void listsAndCaptions();
    void textBecomesDimmerValue();
    void fontSizeOfValueBoxAndText_data();
    void fontSizeOfValueBoxAndText();
    void activationRederivesValueBoxesAndBars_data();
    void activationRederivesValueBoxesAndBars();
    void activationOfPlainTextIsSilent();
    void barGraphDisablesAllButDevice();
    void textFilterAndLength();
    void removeObjectThenClose();
};

void TextEditorTest::listsAndCaptions()
{
    Fixture f;
    f.m.SetNodeAddress(0x1F);
    f.m.SetNodeRange(63);
    auto dialog = f.open();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Edit Text / Bar Graph"));
    const QStringList types{"Disabled",
                            "Text",
                            "Slider Value",
                            "Dimmer Value",
                            "Dim Bar Graph - Small Blue",
                            "Dim Bar Graph - Small Green",
                            "Dim Bar Graph - Small Gray",
                            "Dim Bar Graph - Large Blue",
                            "Dim Bar Graph - Large Green",
                            "Dim Bar Graph - Large Gray"};
    auto *cboType = control<QComboBox>(dialog.get(), "cboType");
    QCOMPARE(cboType->count(), types.size());
    for (int i = 0; i < types.size(); ++i)
        QCOMPARE(cboType->itemText(i), types[i]);
    auto *font = control<QComboBox>(dialog.get(), "cboFontSize");
    QCOMPARE(font->count(), 4);
    QCOMPARE(font->itemText(3), QStringLiteral("Extra Large"));
    auto *device = control<QComboBox>(dialog.get(), "cboSldDev");
    QCOMPARE(device->count(), 64);
    QCOMPARE(device->itemText(0), QStringLiteral("20"));
    QCOMPARE(device->itemText(63), QStringLiteral("5F"));
    QCOMPARE(control<QLabel>(dialog.get(), "lblSldDev")->text(), QStringLiteral("Slider/Device"));
    QCOMPARE(control<QLabel>(dialog.get(), "lblFontSize")->text(), QStringLiteral("Font Size"));
    QCOMPARE(control<QPushButton>(dialog.get(), "cmdUnused")->text(), QStringLiteral("Remove Object"));
}

void TextEditorTest::textBecomesDimmerValue()
{
    Fixture f;
    f.m.SetTextType(3, 1);
    f.m.SetTextFontSize(3, 2);
    f.m.SetTextColor(3, 1);
    f.m.SetTextString(3, QStringLiteral("Lounge"));
    auto dialog = f.open();
    QVERIFY(pick(control<QComboBox>(dialog.get(), "cboType"), 3));
    QCOMPARE(f.m.GetTextType(3), 3);
    QCOMPARE(f.m.GetTextString(3), QStringLiteral("100%"));
    QCOMPARE(f.m.GetTextColor(3), 0);
    QCOMPARE(f.m.GetTextWidth(3), 64);
    QCOMPARE(f.m.GetTextHeight(3), 28);
    for (const char *name : {"txtText", "cboTextColor", "cboWidth", "cboHeight"})
        QVERIFY2(!f.enabled(dialog.get(), name), name);
    QVERIFY(f.enabled(dialog.get(), "cboFontSize"));
    QVERIFY(f.enabled(dialog.get(), "cboSldDev"));
    QCOMPARE(control<QLineEdit>(dialog.get(), "txtText")->text(), QStringLiteral("100%"));
    QVERIFY(f.host.onlyUpdated(QStringLiteral("UDTitle"), 3));
}

void TextEditorTest::fontSizeOfValueBoxAndText_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("value Small") << 2 << 0 << 32 << 18;
    QTest::newRow("value Medium") << 2 << 1 << 48 << 22;
    QTest::newRow("value Large") << 3 << 2 << 64 << 28;
    QTest::newRow("value Extra Large") << 3 << 3 << 86 << 38;
    QTest::newRow("text keeps its size") << 1 << 3 << 128 << 64;
}

void TextEditorTest::fontSizeOfValueBoxAndText()
{
    QFETCH(int, type);
    QFETCH(int, fontSize);
    QFETCH(int, width);
    QFETCH(int, height);
    Fixture f;
    f.m.SetTextType(3, type);
    f.m.SetTextFontSize(3, fontSize == 0 ? 1 : 0);
    auto dialog = f.open();
    QVERIFY(pick(control<QComboBox>(dialog.get(), "cboFontSize"), fontSize));
    QCOMPARE(f.m.GetTextFontSize(3), fontSize);
    QCOMPARE(f.m.GetTextWidth(3), width);
    QCOMPARE(f.m.GetTextHeight(3), height);
    QCOMPARE(control<QComboBox>(dialog.get(), "cboWidth")->currentIndex(), width);
    QVERIFY(f.host.onlyUpdated(QStringLiteral("UDTitle"), 3));
}

void TextEditorTest::activationRederivesValueBoxesAndBars_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("small bar, font 0") << 6 << 0 << "" << 32 << 18;
    QTest::newRow("large bar, font 3") << 9 << 3 << "" << 86 << 38;
    QTest::newRow("slider value") << 2 << 1 << "100%" << 48 << 22;
    QTest::newRow("dimmer value") << 3 << 3 << "100%" << 86 << 38;
}

void TextEditorTest::activationRederivesValueBoxesAndBars()
{
    QFETCH(int, type);
    QFETCH(int, fontSize);
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(int, height);
    Fixture f;
    f.m.SetTextType(3, type);
    f.m.SetTextFontSize(3, fontSize);
    f.m.SetTextColor(3, 1);
    f.m.SetTextWidth(3, 300);
    f.m.SetTextHeight(3, 5);
    f.m.SetTextString(3, QStringLiteral("left over"));
    auto dialog = f.open();
    QCOMPARE(f.m.GetTextString(3), text);
    QCOMPARE(f.m.GetTextColor(3), 0);
    QCOMPARE(f.m.GetTextWidth(3), width);
    QCOMPARE(f.m.GetTextHeight(3), height);
    QCOMPARE(f.m.GetTextFontSize(3), fontSize);
    QCOMPARE(control<QLineEdit>(dialog.get(), "txtText")->text(), text);
    QVERIFY(f.host.calls.isEmpty());
}

void TextEditorTest::activationOfPlainTextIsSilent()
{
    Fixture f;
    f.m.SetNodeRange(2);
    f.m.SetTextType(3, 1);
    f.m.SetTextLeft(3, 640);
    f.m.SetTextFontSize(3, 3);
    f.m.SetTextColor(3, 1);
    f.m.SetTextDevice(3, 7);
    f.m.SetTextString(3, QStringLiteral("Kitchen"));
    auto dialog = f.open();
    QCOMPARE(f.m.GetTextDevice(3), 0); // beyond the range of three devices
    QCOMPARE(f.m.GetTextWidth(3), 128);
    QCOMPARE(f.m.GetTextHeight(3), 64);
    QCOMPARE(f.m.GetTextColor(3), 1);
    QCOMPARE(control<QComboBox>(dialog.get(), "cboLeft")->currentIndex(), 640);
    QCOMPARE(control<QLineEdit>(dialog.get(), "txtText")->text(), QStringLiteral("Kitchen"));
    QVERIFY(!f.enabled(dialog.get(), "cboSldDev"));
    QVERIFY(f.enabled(dialog.get(), "cboWidth"));
    QVERIFY(f.host.calls.isEmpty());
}

void TextEditorTest::barGraphDisablesAllButDevice()
{
    Fixture f;
    f.m.SetTextType(3, 1);
    f.m.SetTextString(3, QStringLiteral("gone"));
    f.m.SetNodeRange(4);
    auto dialog = f.open();
    QVERIFY(pick(control<QComboBox>(dialog.get(), "cboType"), 5));
    QCOMPARE(f.m.GetTextString(3), QString());
    for (const char *name : {"txtText", "cboFontSize", "cboTextColor", "cboWidth", "cboHeight"})
        QVERIFY2(!f.enabled(dialog.get(), name), name);
    QVERIFY(pick(control<QComboBox>(dialog.get(), "cboSldDev"), 4));
    QCOMPARE(f.m.GetTextDevice(3), 4);
    QCOMPARE(int(f.m.PanelImage[size_t(f.m.ObjectRecord(ObjectTables::ObjectKind::Text, 3).panelWord + 7)]), 0);
}

void TextEditorTest::textFilterAndLength()
{
    Fixture f;
    f.m.SetTextType(3, 1);
    auto dialog = f.open();
    auto *text = control<QLineEdit>(dialog.get(), "txtText");
    QTest::keyClicks(text, QStringLiteral("1,2"));
    QCOMPARE(f.m.GetTextString(3), QStringLiteral("12"));
    text->selectAll();
    const QString sixty = QString(QStringLiteral("0123456789")).repeated(6);
    QTest::keyClicks(text, sixty);
    QCOMPARE(f.m.GetTextString(3), sixty.left(50));
    // A comma that arrives by pasting is dropped as well.
    text->selectAll();
    text->insert(QStringLiteral("a,b,c"));
    QCOMPARE(text->text(), QStringLiteral("abc"));
}

void TextEditorTest::removeObjectThenClose()
{
    Fixture f;
    f.m.SetTextType(3, 8);
    f.m.SetTextLeft(3, 12);
    f.m.SetTextFontSize(3, 1);
    auto dialog = f.open();
    QTest::mouseClick(control<QPushButton>(dialog.get(), "cmdUnused"), Qt::LeftButton);
    QCOMPARE(f.m.GetTextType(3), 0);
    QCOMPARE(f.m.GetTextLeft(3), 12);
    QCOMPARE(f.m.GetTextWidth(3), 48);
    QCOMPARE(f.m.GetTextFontSize(3), 1);
    for (const char *name : {"txtText", "cboFontSize", "cboTextColor", "cboWidth", "cboHeight"})
        QVERIFY2(f.enabled(dialog.get(), name), name);
    QVERIFY(!f.enabled(dialog.get(), "cboSldDev"));
    QTest::mouseClick(control<QPushButton>(dialog.get(), "cmdClose"), Qt::LeftButton);
    QCOMPARE(f.m.LastText, -1);
}

QObject *makeTextEditorTest()
{
    return new TextEditorTest;
}

#include "tst_texteditor.moc"
