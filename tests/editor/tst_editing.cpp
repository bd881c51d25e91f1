// Editing on the canvas: new objects, drag and drop, grid, snap, clearing.
#include "EditorFixture.h"

#include "assets/ObjectPictures.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStatusBar>
#include <QtTest>

namespace
{

void send(QWidget *w, QEvent::Type type, QPoint pos, Qt::MouseButton button)
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

// A user dragging a control: press at `grab` inside it, move the mouse to
// `to` in the canvas's coordinates in a few steps, release there.
void drag(QWidget *control, QPoint grab, QPoint to)
{
    send(control, QEvent::MouseMove, grab, Qt::NoButton);
    send(control, QEvent::MouseButtonPress, grab, Qt::LeftButton);
    const QPoint start = control->mapToParent(grab);
    for (int step = 1; step <= 4; ++step) {
        const QPoint mouse = start + (to - start) * step / 4;
        send(control, QEvent::MouseMove, control->mapFromParent(mouse), Qt::LeftButton);
    }
    send(control, QEvent::MouseButtonRelease, control->mapFromParent(to), Qt::LeftButton);
}

} // namespace

class tst_Editing : public QObject
{
    Q_OBJECT

private slots:
    void newButtons();
    void allUsed_data();
    void allUsed();
    void templateAndScreenChange();
    void dragPilot();
    void dragRefusedAndOutside();
    void dragCaption();
    void clickDropsInPlace();
    void grid();
    void snapAndUndo();
    void pannedCanvas();
    void clearScreen();
    void clearHome();
    void removedObjectNamedNowhere_data();
    void removedObjectNamedNowhere();
};

void tst_Editing::newButtons()
{
    Editor e;
    frmVantile &w = e.start();
    QCOMPARE(e.action(QStringLiteral("mnuNewButton"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+B")));
    e.action(QStringLiteral("mnuSnapToGrid"))->trigger();
    QVERIFY(e.action(QStringLiteral("mnuUndoSnap"))->isEnabled());
    for (int i = 0; i < 4; ++i)
        e.action(QStringLiteral("mnuNewButton"))->trigger();
    QVERIFY(!e.action(QStringLiteral("mnuUndoSnap"))->isEnabled());
    QVERIFY(e.changed());
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(e.m.GetButtonText(i), QStringLiteral("B 0%1").arg(i + 1));
        QVERIFY(!e.image(QStringLiteral("imgPB_%1").arg(i))->isHidden());
        // Side by side on the grid, each where the user sees it.
        QCOMPARE(e.image(QStringLiteral("imgPB_%1").arg(i))->pos(),
                 QPoint(ObjectPictures::ButtonPictureSize(0).width() * i, 0));
    }
    QVERIFY(e.image(QStringLiteral("imgPB_4"))->isHidden());
    QVERIFY(e.messages.boxes.isEmpty());
    Q_UNUSED(w);
}

void tst_Editing::allUsed_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("button") << "mnuNewButton" << 32 << "New Button"
                            << "All Buttons Used.";
    QTest::newRow("pilot") << "mnuNewPilot" << 32 << "New Pilot"
                           << "All Pilots Used.";
    QTest::newRow("slider") << "mnuNewSlider" << 8 << "New Slider"
                            << "All Sliders Used.";
    QTest::newRow("text") << "mnuNewText" << 16 << "New Text"
                          << "All Text Objects Used.";
}

void tst_Editing::allUsed()
{
    QFETCH(QString, action);
    QFETCH(int, count);
    QFETCH(QString, title);
    QFETCH(QString, text);
    Editor e;
    e.start();
    for (int i = 0; i < count; ++i)
        e.action(action)->trigger();
    QVERIFY(e.messages.boxes.isEmpty());
    const int steps = e.steps();
    e.action(action)->trigger();
    QCOMPARE(e.messages.boxes.size(), 1);
    QCOMPARE(e.messages.boxes[0].title, title);
    QCOMPARE(e.messages.boxes[0].text, text);
    QCOMPARE(e.messages.boxes[0].icon, MessagePrompt::Icon::Information);
    QCOMPARE(e.messages.boxes[0].buttons, MessagePrompt::Buttons::Ok);
    QCOMPARE(e.steps(), steps);
}

void tst_Editing::templateAndScreenChange()
{
    Editor e;
    frmVantile &w = e.start();
    e.m.SetPilotUsed(7, 1);
    e.m.SetPilotPicture(7, 40);
    e.m.SetPilotDevice(7, 3);
    e.m.SetPilotInput(7, 6);
    w.ShowScreen();
    w.cmdPEdit_Click(7); // opening the editor makes pilot 7 the template
    e.action(QStringLiteral("mnuNewPilot"))->trigger();
    QCOMPARE(e.m.GetPilotPicture(0), 40);
    QCOMPARE(e.m.GetPilotInput(0), 6);
    // Beside pilot 7, not under it.
    QVERIFY(!EditOperations::ObjectBounds(e.m, 0, EditOperations::Kind::Pilot, 0)
                 .intersects(EditOperations::ObjectBounds(e.m, 0, EditOperations::Kind::Pilot, 7)));

    e.choose(QStringLiteral("cboScreenNumber"), 2);
    e.m.SetPilotUsed(7, 1);
    e.m.SetPilotPicture(7, 40);
    e.action(QStringLiteral("mnuNewPilot"))->trigger();
    QCOMPARE(e.m.GetPilotPicture(0), 0); // defaults again on another screen
}

void tst_Editing::dragPilot()
{
    Editor e;
    frmVantile &w = e.start();
    e.m.SetPilotUsed(2, 1);
    e.m.SetPilotPicture(2, 13); // 32 x 32
    e.m.SetPilotLeft(2, 100);
    e.m.SetPilotTop(2, 50);
    w.ShowScreen();
    // Grabbed 10 px right of its left edge, dropped with the mouse at x 300.
    drag(e.image(QStringLiteral("imgPilot_2")), QPoint(10, 5), QPoint(300, 120));
    QCOMPARE(e.m.GetPilotLeft(2), 290);
    QCOMPARE(e.m.GetPilotTop(2), 115);
    QVERIFY(e.changed());
    QCOMPARE(e.image(QStringLiteral("imgPilot_2"))->pos(), QPoint(290, 115));
    QVERIFY(e.messages.boxes.isEmpty());
    QVERIFY(e.opened.isEmpty());

    // Past the right edge of the screen is allowed.
    drag(e.image(QStringLiteral("imgPilot_2")), QPoint(0, 0), QPoint(470, 0));
    QCOMPARE(e.m.GetPilotLeft(2), 470);
}

void tst_Editing::dragRefusedAndOutside()
{
    Editor e;
    frmVantile &w = e.start();
    e.m.SetSliderPicture(1, 1);
    e.m.SetSliderLeft(1, 5);
    e.m.SetSliderTop(1, 40);
    w.ShowScreen();
    QWidget *slider = e.image(QStringLiteral("imgSlider_1"));
    // Mouse 3 px from the canvas edge, grab point 10 px inside: left -7.
    drag(slider, QPoint(10, 5), QPoint(3, 100));
    QCOMPARE(e.m.GetSliderLeft(1), 5);
    QCOMPARE(e.m.GetSliderTop(1), 40);
    QVERIFY(!e.changed());
    QCOMPARE(slider->pos(), QPoint(5, 40));

    // Released outside the canvas: nothing happens.
    drag(slider, QPoint(10, 5), QPoint(700, 100));
    QCOMPARE(e.m.GetSliderLeft(1), 5);
    QVERIFY(!e.changed());
    QCOMPARE(slider->pos(), QPoint(5, 40));
}

void tst_Editing::dragCaption()
{
    Editor e;
    frmVantile &w = e.start();
    e.m.SetButtonType(0, 1);
    e.m.SetButtonPicture(0, 9);
    e.m.SetButtonFontSize(0, 1); // caption 105 twips (7 px) inside the button
    e.m.SetButtonLeft(0, 50);
    e.m.SetButtonTop(0, 60);
    w.ShowScreen();
    QWidget *caption = e.canvasLabel(QStringLiteral("lblButton_0"));
    QCOMPARE(caption->pos(), QPoint(57, 67));
    drag(caption, QPoint(2, 2), QPoint(22, 32)); // caption to (20, 30)
    QCOMPARE(e.m.GetButtonLeft(0), 13);
    QCOMPARE(e.m.GetButtonTop(0), 23);
    QCOMPARE(e.messages.boxes.size(), 1);
    QCOMPARE(e.messages.boxes[0].title, QStringLiteral("Button Placement"));
    QCOMPARE(e.messages.boxes[0].text,
             QStringLiteral("For ease of placement, drag buttons by the upper or left edges"));
    QCOMPARE(e.messages.boxes[0].icon, MessagePrompt::Icon::Information);

    // Caption at (5, 30): the button would start at -2, refused; no second hint.
    drag(caption, QPoint(2, 2), QPoint(7, 32));
    QCOMPARE(e.m.GetButtonLeft(0), 13);
    QCOMPARE(e.messages.boxes.size(), 1);

    // Dragging the picture moves the whole button, caption included.
    drag(e.image(QStringLiteral("imgPB_0")), QPoint(1, 1), QPoint(101, 101));
    QCOMPARE(e.m.GetButtonLeft(0), 100);
    QCOMPARE(caption->pos(), QPoint(107, 107));
    QCOMPARE(e.messages.boxes.size(), 1);

    // While dragged, picture and caption travel together.
    QWidget *picture = e.image(QStringLiteral("imgPB_0"));
    send(picture, QEvent::MouseButtonPress, QPoint(1, 1), Qt::LeftButton);
    send(picture, QEvent::MouseMove, QPoint(41, 21), Qt::LeftButton);
    QCOMPARE(picture->pos(), QPoint(140, 120));
    QCOMPARE(caption->pos(), QPoint(147, 127));
    send(picture, QEvent::MouseButtonRelease, QPoint(1, 1), Qt::LeftButton);
    QCOMPARE(e.m.GetButtonLeft(0), 140);
    QCOMPARE(caption->pos(), QPoint(147, 127));
}

void tst_Editing::clickDropsInPlace()
{
    Editor e;
    frmVantile &w = e.start();
    e.m.SetTextType(3, 1);
    e.m.SetTextLeft(3, 33);
    e.m.SetTextTop(3, 44);
    w.ShowScreen();
    QWidget *box = e.canvasLabel(QStringLiteral("lblTextBox_3"));
    send(box, QEvent::MouseButtonPress, QPoint(4, 4), Qt::LeftButton);
    send(box, QEvent::MouseButtonRelease, QPoint(4, 4), Qt::LeftButton);
    QCOMPARE(e.m.GetTextLeft(3), 33);
    QCOMPARE(e.m.GetTextTop(3), 44);
    QVERIFY(!e.changed());
    QCOMPARE(e.opened.size(), 1);
    QCOMPARE(e.opened[0].name, QStringLiteral("frmVantileTextBox"));
}

void tst_Editing::grid()
{
    Editor e;
    e.start(QSize(1920, 1080));
    auto *surface = e.get<CanvasSurface>(QStringLiteral("picSurface"));
    QVERIFY(surface->horizontalGrid().isEmpty());
    // A colour chosen while the grid is hidden applies when it is shown.
    e.action(QStringLiteral("mnuGridColor_2"))->trigger();
    e.action(QStringLiteral("mnuShowGrid"))->trigger();
    QCOMPARE(surface->gridColor(), QColor(255, 255, 255));
    QCOMPARE(surface->horizontalGrid().size(), 101);
    QCOMPARE(surface->horizontalGrid().first(), 8);
    QCOMPARE(surface->horizontalGrid().last(), 808);
    e.action(QStringLiteral("mnuGridSize_3"))->trigger();
    QCOMPARE(surface->horizontalGrid().size(), 17);
    QCOMPARE(surface->horizontalGrid().last(), 1088);
    QCOMPARE(surface->verticalGrid().size(), 30);
    e.action(QStringLiteral("mnuGridColor_0"))->trigger();
    QCOMPARE(surface->gridColor(), QColor(0, 0, 0));
    e.action(QStringLiteral("mnuShowGrid"))->trigger();
    QVERIFY(surface->horizontalGrid().isEmpty());
    QVERIFY(surface->verticalGrid().isEmpty());
}

void tst_Editing::snapAndUndo()
{
    Editor e;
    frmVantile &w = e.start();
    e.m.SetButtonType(0, 1);
    e.m.SetButtonLeft(0, 37);
    e.m.SetButtonTop(0, 95);
    w.ShowScreen();
    e.action(QStringLiteral("mnuGridSize_1"))->trigger();
    e.action(QStringLiteral("mnuSnapToGrid"))->trigger();
    QCOMPARE(e.m.GetButtonLeft(0), 32);
    QCOMPARE(e.m.GetButtonTop(0), 80);
    QCOMPARE(e.image(QStringLiteral("imgPB_0"))->pos(), QPoint(32, 80));
    // Moved objects are a change the closing question must know of.
    QVERIFY(e.changed());
    QVERIFY(e.action(QStringLiteral("mnuUndoSnap"))->isEnabled());
    e.action(QStringLiteral("mnuUndoSnap"))->trigger();
    QCOMPARE(e.m.GetButtonLeft(0), 37);
    QCOMPARE(e.m.GetButtonTop(0), 95);
    QVERIFY(e.changed());
    QVERIFY(!e.action(QStringLiteral("mnuUndoSnap"))->isEnabled());

    // A snap that moves nothing is no step.
    e.action(QStringLiteral("mnuSnapToGrid"))->trigger();
    const int steps = e.steps();
    e.action(QStringLiteral("mnuSnapToGrid"))->trigger();
    e.action(QStringLiteral("mnuUndoSnap"))->trigger();
    QCOMPARE(e.steps(), steps);
    QCOMPARE(e.m.GetButtonLeft(0), 32);

    // A drag leaves Undo Snap as it is.
    e.action(QStringLiteral("mnuSnapToGrid"))->trigger();
    drag(e.image(QStringLiteral("imgPB_0")), QPoint(1, 1), QPoint(201, 101));
    QVERIFY(e.action(QStringLiteral("mnuUndoSnap"))->isEnabled());
}

// 800x480 portrait on a small desktop: the canvas pans.
void tst_Editing::pannedCanvas()
{
    Editor e;
    frmVantile &w = e.start(QSize(1024, 768));
    e.choose(QStringLiteral("cboScnRes"), 3);
    e.get<QRadioButton>(QStringLiteral("optLayout_1"))->click();
    QVERIFY(w.PanNeeded());
    e.m.SetPilotUsed(0, 1);
    e.m.SetPilotLeft(0, 10);
    e.m.SetPilotTop(0, 400);
    w.ShowScreen();
    auto *bar = e.get<QScrollBar>(QStringLiteral("vsPan"));
    bar->setValue(4890);
    auto *canvas = e.get<QWidget>(QStringLiteral("picLayout"));
    QCOMPARE(canvas->y(), -326);

    // Released above the viewport, over a part of the canvas panned out of
    // sight: outside the canvas.
    const int steps = e.steps();
    drag(e.image(QStringLiteral("imgPilot_0")), QPoint(1, 1), QPoint(50, 200));
    QCOMPARE(e.m.GetPilotTop(0), 400);
    QCOMPARE(e.steps(), steps);
    // Inside the viewport the same drag places it.
    drag(e.image(QStringLiteral("imgPilot_0")), QPoint(1, 1), QPoint(50, 400));
    QCOMPARE(e.m.GetPilotTop(0), 399);

    // Back to a landscape project: no bar, so the canvas must not stay panned.
    e.messages.answers = {MessagePrompt::Answer::Discard};
    e.action(QStringLiteral("mnuFileNew"))->trigger();
    QVERIFY(bar->isHidden());
    QCOMPARE(canvas->pos(), QPoint(0, 0));
    QCOMPARE(bar->value(), 0);
}

void tst_Editing::clearScreen()
{
    Editor e;
    frmVantile &w = e.start();
    e.choose(QStringLiteral("cboScreenNumber"), 3);
    e.m.SetButtonType(5, 9);
    e.m.ScreenBackground[3] = QStringLiteral("[&H000000&");
    e.m.SelectScreen(2);
    e.m.SetButtonType(5, 9);
    e.m.SelectScreen(3);
    e.m.LastButton = 5;
    w.ShowScreen();

    e.messages.answers = {MessagePrompt::Answer::No};
    e.action(QStringLiteral("mnuClearScreen"))->trigger();
    QCOMPARE(e.messages.boxes.last().text, QStringLiteral("Clear All Objects On Screen 03?"));
    QCOMPARE(e.messages.boxes.last().title, QStringLiteral("Clear Entire Screen"));
    QCOMPARE(e.messages.boxes.last().icon, MessagePrompt::Icon::Question);
    QCOMPARE(e.messages.boxes.last().buttons, MessagePrompt::Buttons::YesNo);
    QCOMPARE(e.m.GetButtonType(5), 9);
    QVERIFY(!e.changed());

    e.messages.answers = {MessagePrompt::Answer::Yes};
    e.action(QStringLiteral("mnuClearScreen"))->trigger();
    QCOMPARE(e.m.GetButtonType(5), 0);
    QCOMPARE(e.m.ScreenBackground[3], QStringLiteral("[&HFFFFFF&]"));
    QVERIFY(e.changed());
    QVERIFY(e.image(QStringLiteral("imgPB_5"))->isHidden());
    e.action(QStringLiteral("mnuNewButton"))->trigger();
    QCOMPARE(e.m.GetButtonType(0), 1); // defaults, not the old template
    e.m.SelectScreen(2);
    QCOMPARE(e.m.GetButtonType(5), 9);
}

void tst_Editing::clearHome()
{
    Editor e;
    frmVantile &w = e.start();
    e.choose(QStringLiteral("cboScnRes"), 3);
    QCOMPARE(e.m.GetResolution(), 3);
    const QSize big = w.size();
    e.messages.answers = {MessagePrompt::Answer::Yes};
    e.action(QStringLiteral("mnuClearScreen"))->trigger();
    QCOMPARE(e.messages.boxes.last().text, QStringLiteral("Clear All Objects On Screen Home?"));
    QCOMPARE(e.m.GetResolution(), 0);
    QCOMPARE(e.combo(QStringLiteral("cboScnRes"))->currentIndex(), 0);
    QVERIFY(w.size() != big);
}

void tst_Editing::removedObjectNamedNowhere_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("slot"); // the button under the pointer
    QTest::newRow("clear screen") << "mnuClearScreen" << 5;
    QTest::newRow("delete") << "mnuDelete" << 5;
    QTest::newRow("new undone") << "mnuUndo" << 0;
}

// The yellow line and the status bar follow the pointer; an object that
// goes while the pointer rests on it leaves neither behind.
void tst_Editing::removedObjectNamedNowhere()
{
    QFETCH(QString, command);
    QFETCH(int, slot);
    Editor e;
    frmVantile &w = e.start();
    e.m.SetButtonType(5, 25);
    e.m.SetButtonPicture(5, 0);
    e.m.SetButtonLeft(5, 200);
    w.ShowScreen();
    e.action(QStringLiteral("mnuNewButton"))->trigger();
    w.Select(EditOperations::Kind::Button, slot);
    send(e.image(QStringLiteral("imgPB_%1").arg(slot)), QEvent::MouseMove, QPoint(3, 3), Qt::NoButton);
    const QString line = QStringLiteral("lblBSettings_%1").arg(slot);
    QCOMPARE(e.lineColor(line), QColor(255, 255, 0));
    QVERIFY(w.statusBar()->currentMessage().startsWith(QStringLiteral("Button %1 ").arg(slot + 1)));

    e.messages.answers = {MessagePrompt::Answer::Yes};
    e.action(command)->trigger();
    QCOMPARE(e.m.GetButtonType(slot), 0);
    QCOMPARE(e.lineColor(line), QColor(224, 224, 224));
    QCOMPARE(w.statusBar()->currentMessage(), QString());
}

int runEditingTests(int argc, char **argv)
{
    tst_Editing t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_editing.moc"
