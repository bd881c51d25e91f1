// The Properties dock: its edits store what the object editors store, one
// step each (typing merges), refused values stay out; several objects at
// once; the screen when nothing is selected. The View menu's settings
// lists and the room they leave the canvas.
#include "EditorFixture.h"

#include "model/ObjectFields.h"
#include "model/ObjectNames.h"
#include "model/Settings.h"

#include <QDockWidget>
#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
#include <QToolButton>

using Kind = ObjectTables::ObjectKind;
using Id = ObjectFields::Id;
Q_DECLARE_METATYPE(ObjectFields::Id)
Q_DECLARE_METATYPE(Settings::ListsMode)

namespace
{

const char *const NewActions[] = {"mnuNewButton", "mnuNewPilot", "mnuNewSlider", "mnuNewText"};

// A shown, active window with one object of the kind in slot 0, prepared
// as the row needs, and a node range of eight devices.
void prepare(Editor &e, Kind kind, const QString &prep)
{
    frmVantile &w = e.start(QSize(1920, 1080));
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    e.choose(QStringLiteral("cboQXRange"), 7);
    e.action(QLatin1String(NewActions[int(kind)]))->trigger();
    if (prep == QLatin1String("plain"))
        e.m.SetButtonPicture(0, 0);
    else if (prep == QLatin1String("password"))
        e.m.SetButtonType(0, ObjectTables::PasswordHomeCode);
    else if (prep == QLatin1String("value box"))
        ObjectFields::Set(e.m, Kind::Text, 0, Id::Type, 2);
    w.ShowScreen();
}

QByteArray saved(Editor &e)
{
    e.m.ProjectFileName = e.home.file(QStringLiteral("project.QXC"));
    QString error;
    if (!e.m.SaveProject(&error))
        qWarning("%s", qPrintable(error));
    QFile file(e.m.ProjectFileName);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void typeInto(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

} // namespace

class tst_Inspector : public QObject
{
    Q_OBJECT

private slots:
    void sameBytesAsEditors_data();
    void sameBytesAsEditors();
    void typingIsOneStep();
    void refused_data();
    void refused();
    void severalObjects();
    void screenWhenNothingSelected();
    void listsModesRemembered_data();
    void listsModesRemembered();
    void compactNewLines_data();
    void compactNewLines();
    void closedDockRemembered();
    void roomForTheCanvas_data();
    void roomForTheCanvas();
};

void tst_Inspector::sameBytesAsEditors_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<Id>("id");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("control"); // in the object's editor
    QTest::addColumn<QString>("prep");
    auto row = [](const char *name, Kind kind, Id id, int value, const QString &text, const char *control,
                  const char *prep = "") {
        QTest::newRow(name) << kind << id << value << text << QString::fromLatin1(control) << QString::fromLatin1(prep);
    };
    row("button left", Kind::Button, Id::Left, 120, "120", "cboLeft");
    row("button top", Kind::Button, Id::Top, 64, "64", "cboTop");
    row("button function", Kind::Button, Id::Function, 25, {}, "cboType");
    row("button device", Kind::Button, Id::Device, 3, {}, "cboDevice");
    row("button caption", Kind::Button, Id::Text, 0, "Lobby", "txtText");
    row("button colour", Kind::Button, Id::Colour, 1, {}, "cboTextColor");
    row("button picture", Kind::Button, Id::Picture, 5, {}, "imgButton_4");
    row("button target", Kind::Button, Id::Picture, 0, {}, "cmdNoButton");
    row("plain button width", Kind::Button, Id::Width, 90, "90", "cboWidth", "plain");
    row("plain button height", Kind::Button, Id::Height, 33, "33", "cboHeight", "plain");
    row("button password", Kind::Button, Id::Password, 123456, "123456", "txtPassword", "password");
    row("pilot left", Kind::Pilot, Id::Left, 300, "300", "cboLeft");
    row("pilot device", Kind::Pilot, Id::Device, 7, {}, "cboDevice");
    row("pilot input", Kind::Pilot, Id::Input, 4, {}, "cboPilot");
    row("pilot picture", Kind::Pilot, Id::Picture, 7, {}, "imgSIOff_7");
    row("slider top", Kind::Slider, Id::Top, 200, "200", "cboTop");
    row("slider device", Kind::Slider, Id::Device, 2, {}, "cboDevice");
    row("slider picture", Kind::Slider, Id::Picture, 3, {}, "imgSlider_2");
    row("text value box", Kind::Text, Id::Type, 2, {}, "cboType");
    row("text bar graph", Kind::Text, Id::Type, 5, {}, "cboType");
    row("text string", Kind::Text, Id::Text, 0, "Hall", "txtText");
    row("text colour", Kind::Text, Id::Colour, 1, {}, "cboTextColor");
    row("text width", Kind::Text, Id::Width, 120, "120", "cboWidth");
    row("value box font size", Kind::Text, Id::FontSize, 2, {}, "cboFontSize", "value box");
    row("value box device", Kind::Text, Id::Device, 2, {}, "cboSldDev", "value box");
}

void tst_Inspector::sameBytesAsEditors()
{
    QFETCH(Kind, kind);
    QFETCH(Id, id);
    QFETCH(int, value);
    QFETCH(QString, text);
    QFETCH(QString, control);
    QFETCH(QString, prep);

    // The object's editor, opened from its list as today.
    QByteArray before, byEditor;
    {
        Editor e;
        prepare(e, kind, prep);
        before = saved(e);
        e.whileOpen = [&](QDialog &dialog) {
            dialog.show();
            if (control == QLatin1String("txtPassword")) {
                for (int k = ObjectTables::PasswordDigits - 1; k >= 0; --k)
                    QTest::keyClicks(dialog.findChild<QLineEdit *>(QStringLiteral("txtPassword_%1").arg(k)),
                                     text.mid(ObjectTables::PasswordDigits - 1 - k, 1));
            } else if (control.startsWith(QLatin1String("cbo"))) {
                auto *box = dialog.findChild<QComboBox *>(control);
                box->setCurrentIndex(value);
                emit box->activated(value);
            } else if (control.startsWith(QLatin1String("txt"))) {
                auto *edit = dialog.findChild<QLineEdit *>(control);
                edit->selectAll();
                QTest::keyClicks(edit, text);
            } else if (control.startsWith(QLatin1String("img"))) {
                QTest::mouseClick(dialog.findChild<QLabel *>(control), Qt::LeftButton);
            } else {
                dialog.findChild<QPushButton *>(control)->click();
            }
            dialog.accept();
        };
        const char edits[] = {'B', 'P', 'S', 'T'};
        e.get<QPushButton>(QStringLiteral("cmd%1Edit_0").arg(QLatin1Char(edits[int(kind)])))->click();
        byEditor = saved(e);
    }

    // The Properties dock.
    Editor e;
    prepare(e, kind, prep);
    QCOMPARE(saved(e), before);
    e.w->Select(kind, 0);
    const int steps = e.steps();
    const QString field = ObjectFields::Typed(id) ? QStringLiteral("txtIns") : QStringLiteral("cboIns");
    const char *names[] = {"Function", "Type", "Device",   "Input",  "Left",    "Top",     "Width",
                           "Height",   "Text", "FontSize", "Colour", "Picture", "Password"};
    const QString control2 = field + QLatin1String(names[int(id)]);
    if (ObjectFields::Typed(id)) {
        auto *edit = e.get<QLineEdit>(control2);
        QVERIFY(edit->isEnabled());
        typeInto(edit, text);
    } else {
        auto *box = e.get<QComboBox>(control2);
        QVERIFY(box->isEnabled());
        box->setCurrentIndex(value);
        emit box->activated(value);
    }
    QCOMPARE(e.steps(), steps + 1);
    QCOMPARE(e.action(QStringLiteral("mnuUndo"))->text(),
             QStringLiteral("&Undo Edit ") + ObjectName(kind, 0) + QLatin1Char(' ') + ObjectFields::Label(kind, id));
    const QByteArray byInspector = saved(e);
    QVERIFY(byInspector != before);
    QCOMPARE(byInspector, byEditor);
}

void tst_Inspector::typingIsOneStep()
{
    Editor e;
    prepare(e, Kind::Button, {});
    e.w->Select(Kind::Button, 0);
    const int steps = e.steps();
    auto *left = e.get<QLineEdit>(QStringLiteral("txtInsLeft"));
    QLabel *reason = e.label(QStringLiteral("lblInsReason"));

    // Each key reaches the canvas; the keys make one step.
    typeInto(left, QStringLiteral("120"));
    QCOMPARE(e.m.GetButtonLeft(0), 120);
    QCOMPARE(e.image(QStringLiteral("imgPB_0"))->x(), 120);
    QCOMPARE(e.steps(), steps + 1);

    // Beyond the record's range: refused in the field, with the reason.
    QTest::keyClicks(left, QStringLiteral("0"));
    QCOMPARE(e.m.GetButtonLeft(0), 120);
    QVERIFY(!reason->isHidden());
    QCOMPARE(reason->text(), QStringLiteral("Left is 0 to 799"));
    QTest::keyClick(left, Qt::Key_Return);
    QVERIFY(reason->isHidden());
    QCOMPARE(left->text(), QStringLiteral("120"));
    QCOMPARE(e.steps(), steps + 1);

    // A second visit of the field is a step of its own; a comma is refused.
    auto *caption = e.get<QLineEdit>(QStringLiteral("txtInsText"));
    typeInto(caption, QStringLiteral("A,"));
    QCOMPARE(reason->text(), QStringLiteral("Caption cannot hold a comma"));
    QCOMPARE(e.m.GetButtonText(0), QStringLiteral("A"));
    QCOMPARE(e.steps(), steps + 2);
    e.action(QStringLiteral("mnuUndo"))->trigger();
    QCOMPARE(e.m.GetButtonText(0), QStringLiteral("B 01"));
    QCOMPARE(e.m.GetButtonLeft(0), 120);

    // The password shows as dots until asked for.
    e.m.SetButtonType(0, ObjectTables::PasswordHomeCode);
    e.w->ShowScreen();
    auto *password = e.get<QLineEdit>(QStringLiteral("txtInsPassword"));
    QCOMPARE(password->echoMode(), QLineEdit::Password);
    e.get<QToolButton>(QStringLiteral("cmdInsShowPassword"))->click();
    QCOMPARE(password->echoMode(), QLineEdit::Normal);
}

void tst_Inspector::refused_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("reason"); // empty: stored
    QTest::newRow("left, last pixel") << Kind::Button << "txtInsLeft"
                                      << "799"
                                      << "";
    QTest::newRow("left, beyond") << Kind::Button << "txtInsLeft"
                                  << "800"
                                  << "Left is 0 to 799";
    QTest::newRow("top, no number") << Kind::Pilot << "txtInsTop"
                                    << "1x"
                                    << "Top is 0 to 799";
    QTest::newRow("text height, beyond") << Kind::Text << "txtInsHeight"
                                         << "1000"
                                         << "Height is 0 to 799";
    QTest::newRow("caption, 24 characters") << Kind::Button << "txtInsText" << QString(24, QLatin1Char('a')) << "";
    QTest::newRow("caption, 25 characters")
        << Kind::Button << "txtInsText" << QString(25, QLatin1Char('a')) << "Caption holds at most 24 characters";
    QTest::newRow("text, 51 characters") << Kind::Text << "txtInsText" << QString(51, QLatin1Char('a'))
                                         << "Text holds at most 50 characters";
    QTest::newRow("password, no digit") << Kind::Button << "txtInsPassword"
                                        << "12a"
                                        << "A password is 6 digits";
}

void tst_Inspector::refused()
{
    QFETCH(Kind, kind);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, reason);
    Editor e;
    prepare(e, kind, kind == Kind::Button ? QStringLiteral("password") : QString());
    e.w->Select(kind, 0);
    const QByteArray before = e.m.ProjectBytes();
    auto *edit = e.get<QLineEdit>(field);
    QVERIFY(edit->isEnabled());
    edit->setFocus();
    edit->selectAll();
    // The whole text at once, as pasted.
    edit->insert(typed);
    QLabel *shown = e.label(QStringLiteral("lblInsReason"));
    QCOMPARE(shown->isHidden() ? QString() : shown->text(), reason);
    QCOMPARE(e.m.ProjectBytes() == before, !reason.isEmpty());
}

void tst_Inspector::severalObjects()
{
    Editor e;
    prepare(e, Kind::Button, {});
    for (int i = 0; i < 2; ++i)
        e.action(QStringLiteral("mnuNewButton"))->trigger();
    e.action(QStringLiteral("mnuNewPilot"))->trigger();
    e.w->Select(Kind::Button, 0);
    e.w->ToggleSelected(Kind::Button, 1);
    e.w->ToggleSelected(Kind::Button, 2);
    QCOMPARE(e.label(QStringLiteral("lblInsTitle"))->text(), QStringLiteral("3 Objects"));
    const int steps = e.steps();
    e.choose(QStringLiteral("cboInsDevice"), 5);
    QCOMPARE(e.steps(), steps + 1);
    QCOMPARE(e.action(QStringLiteral("mnuUndo"))->text(), QStringLiteral("&Undo Edit 3 Objects Device"));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(e.m.GetButtonDevice(i), 5);
    QCOMPARE(e.combo(QStringLiteral("cboInsDevice"))->currentIndex(), 5);
    // Different captions show as none; typing gives all the same one.
    QVERIFY(e.get<QLineEdit>(QStringLiteral("txtInsText"))->text().isEmpty());

    // A pilot among them: only what all kinds have.
    e.w->ToggleSelected(Kind::Pilot, 0);
    QVERIFY(e.combo(QStringLiteral("cboInsFunction"))->isHidden());
    QVERIFY(e.combo(QStringLiteral("cboInsPicture"))->isHidden());
    QVERIFY(!e.combo(QStringLiteral("cboInsDevice"))->isHidden());
    QVERIFY(!e.get<QLineEdit>(QStringLiteral("txtInsTop"))->isHidden());
    QCOMPARE(e.combo(QStringLiteral("cboInsDevice"))->currentIndex(), -1);
    typeInto(e.get<QLineEdit>(QStringLiteral("txtInsTop")), QStringLiteral("40"));
    QCOMPARE(e.steps(), steps + 2);
    QCOMPARE(e.m.GetPilotTop(0), 40);
    QCOMPARE(e.m.GetButtonTop(2), 40);
    e.action(QStringLiteral("mnuUndo"))->trigger();
    QVERIFY(e.m.GetPilotTop(0) != 40);
}

void tst_Inspector::screenWhenNothingSelected()
{
    Editor e;
    prepare(e, Kind::Button, {});
    e.w->Select(Kind::Button, -1);
    QCOMPARE(e.label(QStringLiteral("lblInsTitle"))->text(), QStringLiteral("Home"));
    QVERIFY(!e.label(QStringLiteral("lblInsOptions"))->isHidden());
    QVERIFY(e.label(QStringLiteral("lblInsOptions"))->text().contains(QStringLiteral("Node Range: 8")));
    e.choose(QStringLiteral("cboScreenNumber"), 3);
    QCOMPARE(e.label(QStringLiteral("lblInsTitle"))->text(), QStringLiteral("Screen 03"));
    QVERIFY(e.label(QStringLiteral("lblInsOptions"))->isHidden());
    // The background is chosen as from its own button.
    e.get<QPushButton>(QStringLiteral("cmdInsBackground"))->click();
    QCOMPARE(e.opened.last().name, QStringLiteral("frmVantileBGSel"));
}

void tst_Inspector::listsModesRemembered_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<Settings::ListsMode>("mode");
    QTest::newRow("compact") << "mnuListsCompact" << Settings::ListsMode::Compact;
    QTest::newRow("hidden") << "mnuListsHidden" << Settings::ListsMode::Hidden;
    QTest::newRow("full") << "mnuListsFull" << Settings::ListsMode::Full;
}

void tst_Inspector::listsModesRemembered()
{
    QFETCH(QString, action);
    QFETCH(Settings::ListsMode, mode);
    Editor e;
    prepare(e, Kind::Button, {});
    e.action(QStringLiteral("mnuNewButton"))->trigger();
    e.action(action)->trigger();
    e.action(QStringLiteral("mnuProperties"))->trigger();
    QVERIFY(e.get<QDockWidget>(QStringLiteral("dockProperties"))->isHidden());
    QCOMPARE(Settings::ReadListsMode(), mode);
    QVERIFY(!Settings::ReadPropertiesShown());

    QGroupBox *buttons = e.get<QGroupBox>(QStringLiteral("frmButtons"));
    QCOMPARE(buttons->isHidden(), mode == Settings::ListsMode::Hidden);
    const bool compact = mode == Settings::ListsMode::Compact;
    // Compact: the two buttons in use and "New Button"; full: every line.
    if (mode != Settings::ListsMode::Hidden) {
        QVERIFY(!e.label(QStringLiteral("lblBSettings_1"))->isHidden());
        QCOMPARE(e.label(QStringLiteral("lblBSettings_2"))->isHidden(), compact);
    }
    QCOMPARE(e.get<QPushButton>(QStringLiteral("cmdBNew"))->isVisible(), compact);
    if (compact) {
        e.get<QPushButton>(QStringLiteral("cmdBNew"))->click();
        QVERIFY(e.label(QStringLiteral("lblBSettings_2"))->isVisible());
        QCOMPARE(e.label(QStringLiteral("lblBSettings_2"))->y(), e.label(QStringLiteral("lblBSettings_1"))->y() + 16);
    }

    // The next start shows them so again.
    const QByteArray settings = [&] {
        QFile file(e.settingsFile());
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    Editor next;
    QFile copy(next.settingsFile());
    QDir().mkpath(next.home.path());
    copy.open(QIODevice::WriteOnly);
    copy.write(settings);
    copy.close();
    next.start();
    QCOMPARE(next.get<QGroupBox>(QStringLiteral("frmButtons"))->isHidden(), mode == Settings::ListsMode::Hidden);
    QCOMPARE(next.action(QStringLiteral("mnuProperties"))->isChecked(), false);
    QCOMPARE(next.action(action)->isChecked(), true);
}

void tst_Inspector::compactNewLines_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("add");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("editor");
    QTest::newRow("button") << Kind::Button << "cmdBNew"
                            << "B"
                            << "frmVantileButton";
    QTest::newRow("pilot") << Kind::Pilot << "cmdPNew"
                           << "P"
                           << "frmVantilePilot";
    QTest::newRow("slider") << Kind::Slider << "cmdSNew"
                            << "S"
                            << "frmVantileSlider";
    QTest::newRow("text") << Kind::Text << "cmdTNew"
                          << "T"
                          << "frmVantileTextBox";
}

// A compact list's "New ..." line makes an object, whose line then opens
// its editor.
void tst_Inspector::compactNewLines()
{
    QFETCH(Kind, kind);
    QFETCH(QString, add);
    QFETCH(QString, line);
    QFETCH(QString, editor);
    Editor e;
    frmVantile &w = e.start(QSize(1920, 1080));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    e.action(QStringLiteral("mnuListsCompact"))->trigger();
    const int first = EditOperations::FirstFreeSlot(e.m, 0, kind);
    QVERIFY(!e.label(QStringLiteral("lbl%1Settings_%2").arg(line).arg(first))->isVisible());
    e.get<QPushButton>(add)->click();
    QVERIFY(EditOperations::SlotUsed(e.m, 0, kind, first));
    QVERIFY(e.label(QStringLiteral("lbl%1Settings_%2").arg(line).arg(first))->isVisible());
    QCOMPARE(e.w->CurrentSelection(), (EditOperations::ObjectRef{kind, first}));
    e.get<QPushButton>(QStringLiteral("cmd%1Edit_%2").arg(line).arg(first))->click();
    QCOMPARE(e.opened.last().name, editor);
    e.action(QStringLiteral("mnuUndo"))->trigger();
    QVERIFY(!e.label(QStringLiteral("lbl%1Settings_%2").arg(line).arg(first))->isVisible());
}

// The dock's own close button: the menu, the settings file and the window follow.
void tst_Inspector::closedDockRemembered()
{
    Editor e;
    frmVantile &w = e.start(QSize(1920, 1080));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const int wide = w.width();
    e.get<QDockWidget>(QStringLiteral("dockProperties"))->close();
    QTRY_VERIFY(w.width() < wide);
    QVERIFY(!e.action(QStringLiteral("mnuProperties"))->isChecked());
    QVERIFY(!Settings::ReadPropertiesShown());
    const int narrow = w.width();
    e.action(QStringLiteral("mnuProperties"))->trigger();
    QVERIFY(w.width() > narrow);
    QVERIFY(Settings::ReadPropertiesShown());
}

void tst_Inspector::roomForTheCanvas_data()
{
    QTest::addColumn<QString>("lists");
    QTest::addColumn<bool>("properties");
    QTest::addColumn<int>("fitZoom");
    // 1280 x 1024 at 150 %: 853 x 682 pixels of the program, 800 x 480.
    QTest::newRow("full lists") << "mnuListsFull" << false << 50;
    QTest::newRow("hidden lists") << "mnuListsHidden" << false << 100;
    QTest::newRow("compact lists, properties") << "mnuListsCompact" << true << 50;
}

void tst_Inspector::roomForTheCanvas()
{
    QFETCH(QString, lists);
    QFETCH(bool, properties);
    QFETCH(int, fitZoom);
    Editor e;
    frmVantile &w = e.start(QSize(853, 682));
    e.choose(QStringLiteral("cboScnRes"), 3);
    e.action(lists)->trigger();
    if (e.action(QStringLiteral("mnuProperties"))->isChecked() != properties)
        e.action(QStringLiteral("mnuProperties"))->trigger();
    e.action(QStringLiteral("mnuZoomFit"))->trigger();
    QCOMPARE(w.Zoom(), fitZoom);
    QVERIFY(e.get<QScrollBar>(QStringLiteral("hsPan"))->isHidden());
    QVERIFY(e.get<QScrollBar>(QStringLiteral("vsPan"))->isHidden());
    QVERIFY(w.width() <= 853);
}

int runInspectorTests(int argc, char **argv)
{
    tst_Inspector t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_inspector.moc"
