// The edit history: every kind of change undone and redone byte for byte,
// the saved state, the menu texts, copy and paste, whole screens, the
// keyboard and the recent files.
#include "EditorFixture.h"

#include "model/EditOperations.h"
#include "model/Settings.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QHash>
#include <QMimeData>
#include <QMouseEvent>

using EditOperations::Kind;

namespace
{

// Runs `step` with the copy-screen dialog answered: target screen `to`.
void copyScreenTo(Editor &e, int to)
{
    e.whileOpen = [&e, to](QDialog &dialog) {
        auto *targets = dialog.findChild<QComboBox *>(QStringLiteral("cboTargetScreen"));
        targets->setCurrentIndex(targets->findData(to));
        dialog.accept();
    };
    e.action(QStringLiteral("mnuCopyScreen"))->trigger();
    e.whileOpen = nullptr;
}

QString undoText(Editor &e)
{
    return e.action(QStringLiteral("mnuUndo"))->text();
}

// A user closing the open dialog with Escape, as from the keyboard.
void escape(QDialog &dialog)
{
    dialog.show();
    QWidget *focus = QApplication::focusWidget();
    QTest::keyClick(focus && dialog.isAncestorOf(focus) ? focus : &dialog, Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
}

} // namespace

class tst_Undo : public QObject
{
    Q_OBJECT

private slots:
    void everyEditUndoneAndRedone();
    void undoTexts_data();
    void undoTexts();
    void copyAndPaste();
    void copyScreenAsks();
    void keyboard_data();
    void keyboard();
    void recentFilesAndNames();
    void nothingChangedLeavesTheMark_data();
    void nothingChangedLeavesTheMark();
};

// One edit of each kind, a save among them; undoing walks back through the
// very same images, the saved one clean, and redoing forward again.
void tst_Undo::everyEditUndoneAndRedone()
{
    Editor e;
    frmVantile &w = e.start();
    const QString project = e.home.file(QStringLiteral("p.QXC"));
    modVantile other;
    other.SetButtonType(0, 30);
    other.SetButtonPicture(0, 5);
    other.SetButtonType(1, 2);
    other.SetPilotUsed(3, 1);
    other.ScreenBackground[0] = QStringLiteral("[&H00FF00&]");
    const QString screenFile = e.home.file(QStringLiteral("s.QXS"));
    QVERIFY(writeFile(screenFile, other.ScreenBytes()));

    QList<QByteArray> states{e.m.ProjectBytes()};
    int saved = -1;
    auto step = [&](const char *what, const std::function<void()> &edit) {
        edit();
        QVERIFY2(e.m.ProjectBytes() != states.last(), what);
        states << e.m.ProjectBytes();
        QCOMPARE(w.GetDocument().UndoStack().index(), states.size() - 1);
    };
    step("new button", [&] { e.action(QStringLiteral("mnuNewButton"))->trigger(); });
    step("drop", [&] { w.DropObj(EditOperations::DropSource::ButtonPicture, 0, 0, 0, 40 * 15, 50 * 15); });
    step("resolution", [&] { e.choose(QStringLiteral("cboScnRes"), 2); });
    step("editor", [&] {
        e.whileOpen = [&](QDialog &) { e.m.SetButtonType(0, 25); };
        e.get<QPushButton>(QStringLiteral("cmdBEdit_0"))->click();
        e.whileOpen = nullptr;
    });
    e.files.answers << project;
    e.action(QStringLiteral("mnuFileSave"))->trigger();
    QVERIFY(!e.changed());
    saved = states.size() - 1;
    step("background", [&] {
        e.whileOpen = [&](QDialog &) { e.m.ScreenBackground[0] = QStringLiteral("[&H0000FF&"); };
        e.get<QPushButton>(QStringLiteral("cmdBGSel"))->click();
        e.whileOpen = nullptr;
    });
    step("audio", [&] { e.get<QCheckBox>(QStringLiteral("chkBeep"))->click(); });
    step("snap", [&] {
        e.action(QStringLiteral("mnuGridSize_1"))->trigger();
        e.action(QStringLiteral("mnuSnapToGrid"))->trigger();
    });
    step("copy screen", [&] { copyScreenTo(e, 3); });
    e.choose(QStringLiteral("cboScreenNumber"), 3);
    step("clear", [&] { e.action(QStringLiteral("mnuClearScreen"))->trigger(); });
    step("import", [&] {
        e.files.answers << screenFile;
        e.action(QStringLiteral("mnuImportScreen"))->trigger();
    });
    step("arrow keys", [&] {
        w.Select(Kind::Button, 1);
        QTest::keyClick(&w, Qt::Key_Right);
        QTest::keyClick(&w, Qt::Key_Down, Qt::ShiftModifier);
    });
    step("delete", [&] { e.action(QStringLiteral("mnuDelete"))->trigger(); });
    step("duplicate", [&] {
        w.Select(Kind::Pilot, 3);
        e.action(QStringLiteral("mnuDuplicate"))->trigger();
    });
    step("cut", [&] {
        w.Select(Kind::Pilot, 3);
        e.action(QStringLiteral("mnuCut"))->trigger();
        QCOMPARE(e.action(QStringLiteral("mnuUndo"))->text(), QStringLiteral("&Undo Cut Pilot 4"));
    });
    e.choose(QStringLiteral("cboScreenNumber"), 0);

    QUndoStack &stack = w.GetDocument().UndoStack();
    for (int i = states.size() - 1; i > 0; --i) {
        e.action(QStringLiteral("mnuUndo"))->trigger();
        QVERIFY2(e.m.ProjectBytes() == states[i - 1], qPrintable(QString::number(i)));
        QCOMPARE(e.changed(), i - 1 != saved);
        QCOMPARE(w.isWindowModified(), i - 1 != saved);
    }
    QVERIFY(!stack.canUndo());
    QVERIFY(!e.action(QStringLiteral("mnuUndo"))->isEnabled());
    for (int i = 1; i < states.size(); ++i) {
        e.action(QStringLiteral("mnuRedo"))->trigger();
        QVERIFY2(e.m.ProjectBytes() == states[i], qPrintable(QString::number(i)));
        QCOMPARE(e.changed(), i != saved);
    }
    // Each step was undone where it happened: the last was on screen 3.
    QCOMPARE(e.m.CurrentScreen, int16_t(3));
    QCOMPARE(e.combo(QStringLiteral("cboScreenNumber"))->currentIndex(), 3);
    // An undone resolution sizes the canvas again.
    while (stack.index() > 2)
        e.action(QStringLiteral("mnuUndo"))->trigger();
    QCOMPARE(e.get<QWidget>(QStringLiteral("picSurface"))->size(), QSize(480, 272));
    QVERIFY(e.messages.boxes.isEmpty() || e.messages.boxes.last().title == QStringLiteral("Clear Entire Screen"));
}

void tst_Undo::undoTexts_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("redo"); // once undone
    QTest::newRow("new button") << "mnuNewButton"
                                << "&Undo New Button 2" // button 1 is in use
                                << "&Redo New Button 2";
    QTest::newRow("new text") << "mnuNewText"
                              << "&Undo New Text 1"
                              << "&Redo New Text 1";
    QTest::newRow("clear") << "mnuClearScreen"
                           << "&Undo Clear Screen Home"
                           << "&Redo Clear Screen Home";
    QTest::newRow("snap") << "mnuSnapToGrid"
                          << "&Undo Snap To Grid"
                          << "&Redo Snap To Grid";
    // A step that is an undo itself is not named twice.
    QTest::newRow("undo snap") << "mnuUndoSnap"
                               << "&Undo Snap"
                               << "&Redo Undo Snap";
    QTest::newRow("resolution") << "cboScnRes"
                                << "&Undo Change Resolution"
                                << "&Redo Change Resolution";
    QTest::newRow("node address") << "cboQXAddress"
                                  << "&Undo Change Node Address"
                                  << "&Redo Change Node Address";
    QTest::newRow("drag") << "drop"
                          << "&Undo Move Pilot 3"
                          << "&Redo Move Pilot 3";
}

void tst_Undo::undoTexts()
{
    QFETCH(QString, action);
    QFETCH(QString, text);
    QFETCH(QString, redo);
    Editor e;
    frmVantile &w = e.start();
    QCOMPARE(undoText(e), QStringLiteral("&Undo"));
    e.m.SetButtonType(0, 1);
    e.m.SetButtonLeft(0, 37);
    e.m.SetPilotUsed(2, 1);
    w.ShowScreen();
    if (action == QStringLiteral("mnuUndoSnap"))
        e.action(QStringLiteral("mnuSnapToGrid"))->trigger();
    const QString before = undoText(e);
    if (action == QStringLiteral("drop"))
        w.DropObj(EditOperations::DropSource::Pilot, 2, 0, 0, 300, 300);
    else if (action.startsWith(QStringLiteral("cbo")))
        e.choose(action, 3);
    else
        e.action(action)->trigger();
    QCOMPARE(undoText(e), text);
    e.action(QStringLiteral("mnuUndo"))->trigger();
    QCOMPARE(e.action(QStringLiteral("mnuRedo"))->text(), redo);
    QCOMPARE(undoText(e), before);
}

void tst_Undo::copyAndPaste()
{
    Editor e;
    frmVantile &w = e.start();
    e.m.SetButtonType(0, 3);
    e.m.SetButtonPicture(0, 9);
    e.m.SetButtonLeft(0, 100);
    e.m.SetButtonTop(0, 40);
    e.m.SetButtonText(0, QStringLiteral("Lights"));
    e.m.SetButtonType(1, 1);
    w.ShowScreen();
    w.Select(Kind::Button, 0);
    e.action(QStringLiteral("mnuCopy"))->trigger();
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data->hasFormat(QStringLiteral("application/x-quellix-touch-object")));

    // Into the first free slot, one grid step away, and selected.
    e.action(QStringLiteral("mnuPaste"))->trigger();
    QCOMPARE(e.m.GetButtonText(2), QStringLiteral("Lights"));
    QCOMPARE(e.m.GetButtonType(2), 3);
    QCOMPARE(QPoint(e.m.GetButtonLeft(2), e.m.GetButtonTop(2)), QPoint(108, 48));
    QCOMPARE(w.CurrentSelection().slot, 2);
    QCOMPARE(undoText(e), QStringLiteral("&Undo Paste Button 3"));

    // Pasted on another screen, as another running editor would.
    e.choose(QStringLiteral("cboScreenNumber"), 4);
    e.action(QStringLiteral("mnuPaste"))->trigger();
    QCOMPARE(e.m.GetButtonText(0), QStringLiteral("Lights"));

    // A full kind says so and changes nothing.
    for (int n = 0; n < 32; ++n)
        e.m.SetButtonType(n, 1);
    const QByteArray before = e.m.ProjectBytes();
    e.action(QStringLiteral("mnuPaste"))->trigger();
    QCOMPARE(e.messages.boxes.last().text, QStringLiteral("All Buttons Used."));
    QCOMPARE(e.messages.boxes.last().title, QStringLiteral("Paste"));
    QCOMPARE(e.m.ProjectBytes(), before);

    // Something else on the clipboard is no object.
    auto *text = new QMimeData;
    text->setText(QStringLiteral("B 01"));
    QGuiApplication::clipboard()->setMimeData(text);
    const int boxes = e.messages.boxes.size();
    e.m.SetButtonType(5, 0);
    e.action(QStringLiteral("mnuPaste"))->trigger();
    QCOMPARE(e.m.GetButtonType(5), 0);
    QCOMPARE(e.messages.boxes.size(), boxes);
}

void tst_Undo::copyScreenAsks()
{
    Editor e;
    e.start();
    e.m.SetButtonType(4, 25);
    e.m.ScreenBackground[0] = QStringLiteral("[&H112233&]");
    e.m.SetResolution(3);
    e.m.SelectScreen(2);
    e.m.SetPilotUsed(0, 1);
    e.m.SelectScreen(0);

    e.messages.answers << MessagePrompt::Answer::No;
    copyScreenTo(e, 2);
    QCOMPARE(e.messages.boxes.last().text,
             QStringLiteral("Screen 02 holds objects. Replace them with those of screen Home?"));
    e.m.SelectScreen(2);
    QCOMPARE(e.m.GetButtonType(4), 0);

    e.m.SelectScreen(0);
    copyScreenTo(e, 2);
    e.m.SelectScreen(2);
    QCOMPARE(e.m.GetButtonType(4), 25);
    QCOMPARE(e.m.GetPilotUsed(0), 0);
    QCOMPARE(e.m.ScreenBackground[2], QStringLiteral("[&H112233&]"));
    QCOMPARE(e.m.GetResolution(), 3); // the device options are not a screen's
    QCOMPARE(int(e.m.PanelImage[2 * 1024 + 980]), 0);
    e.m.SelectScreen(0);
    QCOMPARE(undoText(e), QStringLiteral("&Undo Copy Screen To 02"));
    // An empty target is not asked about.
    const int boxes = e.messages.boxes.size();
    copyScreenTo(e, 9);
    QCOMPARE(e.messages.boxes.size(), boxes);
}

void tst_Undo::keyboard_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    // Two presses each; 480 x 272, the pilot picture is 32 x 32, grid 8.
    QTest::newRow("right") << int(Qt::Key_Right) << false << QPoint(10, 10) << QPoint(12, 10);
    QTest::newRow("up") << int(Qt::Key_Up) << false << QPoint(10, 10) << QPoint(10, 8);
    QTest::newRow("shift left: grid step") << int(Qt::Key_Left) << true << QPoint(20, 10) << QPoint(4, 10);
    QTest::newRow("left edge") << int(Qt::Key_Left) << true << QPoint(5, 10) << QPoint(0, 10);
    QTest::newRow("at the top") << int(Qt::Key_Up) << false << QPoint(5, 0) << QPoint(5, 0);
    QTest::newRow("right edge") << int(Qt::Key_Right) << true << QPoint(445, 10) << QPoint(448, 10);
    QTest::newRow("bottom edge") << int(Qt::Key_Down) << false << QPoint(5, 239) << QPoint(5, 240);
    QTest::newRow("past the edge moves back") << int(Qt::Key_Left) << false << QPoint(470, 10) << QPoint(468, 10);
}

void tst_Undo::keyboard()
{
    QFETCH(int, key);
    QFETCH(bool, shift);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    Editor e;
    frmVantile &w = e.start();
    e.m.SetPilotUsed(1, 1);
    e.m.SetPilotPicture(1, 13);
    e.m.SetPilotLeft(1, from.x());
    e.m.SetPilotTop(1, from.y());
    w.ShowScreen();
    w.Select(Kind::Pilot, 1);
    QTest::keyClick(&w, Qt::Key(key), shift ? Qt::ShiftModifier : Qt::NoModifier);
    QTest::keyClick(&w, Qt::Key(key), shift ? Qt::ShiftModifier : Qt::NoModifier);
    QCOMPARE(QPoint(e.m.GetPilotLeft(1), e.m.GetPilotTop(1)), to);
    // Both presses are one step.
    QCOMPARE(w.GetDocument().UndoStack().count(), to == from ? 0 : 1);

    QTest::keyClick(&w, Qt::Key_Return);
    QCOMPARE(e.opened.size(), 1);
    QCOMPARE(e.opened[0].name, QStringLiteral("frmVantilePilot"));
    QTest::keyClick(&w, Qt::Key_Escape);
    QCOMPARE(w.CurrentSelection().slot, -1);
    QTest::keyClick(&w, Qt::Key_Return);
    QCOMPARE(e.opened.size(), 1);
}

void tst_Undo::recentFilesAndNames()
{
    Editor e;
    frmVantile &w = e.start();
    // A name without extension gets one.
    e.files.answers << e.home.file(QStringLiteral("first"));
    e.action(QStringLiteral("mnuFileSaveAs"))->trigger();
    const QString first = e.home.file(QStringLiteral("first.QXC"));
    QCOMPARE(e.m.ProjectFileName, first);
    QVERIFY(QFile::exists(first));
    e.files.answers << e.home.file(QStringLiteral("screen"));
    e.action(QStringLiteral("mnuExport"))->trigger();
    QCOMPARE(readFile(e.home.file(QStringLiteral("screen.QXS"))).size(), 6560);
    // The completed name is asked about before it is replaced.
    e.messages.answers << MessagePrompt::Answer::No;
    e.files.answers << e.home.file(QStringLiteral("screen"));
    e.action(QStringLiteral("mnuExport"))->trigger();
    QVERIFY(e.messages.boxes.last().text.endsWith(QStringLiteral("already exists. Replace it?")));

    for (int i = 0; i < 9; ++i) {
        e.files.answers << e.home.file(QStringLiteral("p%1.QXC").arg(i));
        e.action(QStringLiteral("mnuFileSaveAs"))->trigger();
    }
    const QStringList recent = Settings::ReadRecentFiles();
    QCOMPARE(recent.size(), 8);
    QCOMPARE(recent.first(), e.home.file(QStringLiteral("p8.QXC")));
    QVERIFY(!recent.contains(first));
    QVERIFY(readFile(e.settingsFile()).contains("[Recent Files]"));
    QVERIFY(readFile(e.settingsFile()).contains("Com Port=1"));

    // A recent file opens like File, Open; a new window finds the list.
    e.m.SetButtonType(0, 40);
    e.action(QStringLiteral("mnuRecent_3"))->trigger();
    QCOMPARE(e.m.ProjectFileName, e.home.file(QStringLiteral("p5.QXC")));
    QCOMPARE(e.m.GetButtonType(0), 0);
    // The command line's file.
    w.OpenProject(first);
    QCOMPARE(e.m.ProjectFileName, first);
    QVERIFY(!e.changed());
    w.OpenProject(e.home.file(QStringLiteral("gone.QXC")));
    QCOMPARE(e.messages.boxes.last().icon, MessagePrompt::Icon::Critical);
    QCOMPARE(e.m.ProjectFileName, first);
}

void tst_Undo::nothingChangedLeavesTheMark_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("changedBefore");
    for (const char *command :
         {"button editor, Escape", "pilot editor, Escape", "slider editor, Escape", "text editor, Escape",
          "button on the canvas, Escape", "background selector, Escape", "Import Screen, cancelled",
          "Copy Screen To, cancelled", "Clear Screen, No", "node range already set", "node address already set",
          "range refused", "orientation already set", "resolution already set", "command set already set",
          "New Slider, all used", "Snap To Grid, on the grid", "drop in place"}) {
        QTest::addRow("%s, clean", command) << QString::fromLatin1(command) << false;
        QTest::addRow("%s, changed", command) << QString::fromLatin1(command) << true;
    }
}

// Commands that change nothing leave the project as clean or as changed as
// it was: no step, no mark, no question at the end.
void tst_Undo::nothingChangedLeavesTheMark()
{
    QFETCH(QString, command);
    QFETCH(bool, changedBefore);
    Editor e;
    frmVantile &w = e.start();
    e.m.SetButtonType(2, 1);
    e.m.SetButtonLeft(2, 64);
    e.m.SetPilotUsed(3, 1);
    e.m.SetTextType(4, 1);
    e.m.SetTextLeft(4, 200);
    for (int n = 0; n < modVantile::SliderCount; ++n)
        e.m.SetSliderPicture(n, 1);
    e.m.SetNodeAddress(10);
    e.m.SetNodeRange(3);
    w.ShowScreen();
    QVERIFY(!e.changed());
    if (changedBefore)
        e.change();
    const QByteArray bytes = e.m.ProjectBytes();
    const int steps = e.steps();
    const QString undo = undoText(e);

    e.whileOpen = [](QDialog &dialog) { escape(dialog); };
    const QHash<QString, std::function<void()>> commands{
        {"button editor, Escape", [&] { e.get<QPushButton>(QStringLiteral("cmdBEdit_2"))->click(); }},
        {"pilot editor, Escape", [&] { e.get<QPushButton>(QStringLiteral("cmdPEdit_3"))->click(); }},
        {"slider editor, Escape", [&] { e.get<QPushButton>(QStringLiteral("cmdSEdit_1"))->click(); }},
        {"text editor, Escape", [&] { e.get<QPushButton>(QStringLiteral("cmdTEdit_4"))->click(); }},
        {"button on the canvas, Escape", [&] { w.imgPB_Click(2); }},
        {"background selector, Escape", [&] { e.get<QPushButton>(QStringLiteral("cmdBGSel"))->click(); }},
        {"Import Screen, cancelled", [&] { e.action(QStringLiteral("mnuImportScreen"))->trigger(); }},
        {"Copy Screen To, cancelled", [&] { e.action(QStringLiteral("mnuCopyScreen"))->trigger(); }},
        {"Clear Screen, No",
         [&] {
             e.messages.answers << MessagePrompt::Answer::No;
             e.action(QStringLiteral("mnuClearScreen"))->trigger();
         }},
        {"node range already set", [&] { e.choose(QStringLiteral("cboQXRange"), 3); }},
        {"node address already set", [&] { e.choose(QStringLiteral("cboQXAddress"), 10); }},
        {"range refused", [&] { e.choose(QStringLiteral("cboQXAddress"), 253); }},
        {"orientation already set", [&] { e.get<QRadioButton>(QStringLiteral("optLayout_0"))->click(); }},
        {"resolution already set", [&] { e.choose(QStringLiteral("cboScnRes"), 0); }},
        {"command set already set", [&] { e.choose(QStringLiteral("cboCmdSet"), 0); }},
        {"New Slider, all used", [&] { e.action(QStringLiteral("mnuNewSlider"))->trigger(); }},
        {"Snap To Grid, on the grid", [&] { e.action(QStringLiteral("mnuSnapToGrid"))->trigger(); }},
        {"drop in place",
         [&] {
             e.whileOpen = nullptr;
             QWidget *pilot = e.image(QStringLiteral("imgPilot_3"));
             QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), pilot->mapToGlobal(QPointF(2, 2)),
                               Qt::LeftButton, Qt::LeftButton, {});
             QApplication::sendEvent(pilot, &press);
             QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), pilot->mapToGlobal(QPointF(2, 2)),
                                 Qt::LeftButton, {}, {});
             QApplication::sendEvent(pilot, &release);
         }},
    };
    QVERIFY(commands.contains(command));
    commands[command]();

    QCOMPARE(e.m.ProjectBytes(), bytes);
    QCOMPARE(e.steps(), steps);
    QCOMPARE(undoText(e), undo);
    QCOMPARE(e.changed(), changedBefore);
    QCOMPARE(w.isWindowModified(), changedBefore);
    // The end of the run asks about changes only when there are some.
    e.messages.boxes.clear();
    e.messages.answers = {MessagePrompt::Answer::Cancel};
    e.action(QStringLiteral("mnuExit"))->trigger();
    QCOMPARE(e.messages.boxes.size(), changedBefore ? 1 : 0);
}

int runUndoTests(int argc, char **argv)
{
    tst_Undo tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "tst_undo.moc"
