// The canvas at any zoom, several objects at once, lining them up, the
// status bar, a window that fits its desktop and the questions' defaults.
#include "EditorFixture.h"

#include "assets/ObjectPictures.h"
#include "model/EditOperations.h"
#include "render/ScreenRenderer.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollArea>
#include <QStatusBar>
#include <QWheelEvent>

#include <functional>

using EditOperations::Kind;
using Answer = MessagePrompt::Answer;

namespace
{

void mouse(QWidget *w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), button, buttons, modifiers);
    QApplication::sendEvent(w, &event);
}

// Press at `grab` inside `w`, move by `by` pixels of the screen, `held`,
// release.
void dragBy(QWidget *w, QPoint grab, QPoint by, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
            const std::function<void()> &held = {})
{
    mouse(w, QEvent::MouseMove, grab, Qt::NoButton, modifiers);
    mouse(w, QEvent::MouseButtonPress, grab, Qt::LeftButton, modifiers);
    const QPoint start = w->mapToParent(grab);
    for (int step = 1; step <= 4; ++step)
        mouse(w, QEvent::MouseMove, w->mapFromParent(start + by * step / 4), Qt::LeftButton, modifiers);
    if (held)
        held();
    mouse(w, QEvent::MouseButtonRelease, w->mapFromParent(start + by), Qt::LeftButton, modifiers);
}

void shiftClick(QWidget *w)
{
    mouse(w, QEvent::MouseButtonPress, QPoint(2, 2), Qt::LeftButton, Qt::ShiftModifier);
    mouse(w, QEvent::MouseButtonRelease, QPoint(2, 2), Qt::LeftButton, Qt::ShiftModifier);
}

// Pilots of 32 x 32 pixels at the given places on the current screen.
void pilots(Editor &e, const QList<QPoint> &places)
{
    for (qsizetype i = 0; i < places.size(); ++i) {
        e.m.SetPilotUsed(int(i), 1);
        e.m.SetPilotPicture(int(i), 13);
        e.m.SetPilotLeft(int(i), places[i].x());
        e.m.SetPilotTop(int(i), places[i].y());
    }
    e.w->ShowScreen();
}

QPoint pilotAt(Editor &e, int n)
{
    return {e.m.GetPilotLeft(n), e.m.GetPilotTop(n)};
}

int steps(Editor &e)
{
    return e.w->GetDocument().UndoStack().count();
}

} // namespace

class tst_View : public QObject
{
    Q_OBJECT

private slots:
    void zoomedDrag_data();
    void zoomedDrag();
    void panelPixels_data();
    void panelPixels();
    void windowFits_data();
    void windowFits();
    void zoomRemembered_data();
    void zoomRemembered();
    void zoomCommands_data();
    void zoomCommands();
    void severalObjects();
    void statusBar();
    void questions_data();
    void questions();
    void discardOffersSave_data();
    void discardOffersSave();
};

void tst_View::zoomedDrag_data()
{
    QTest::addColumn<int>("zoom");
    QTest::addColumn<int>("pixels"); // on the screen, for 20 panel pixels
    QTest::newRow("200 %") << 200 << 40;
    QTest::newRow("400 %") << 400 << 80;
    QTest::newRow("150 %") << 150 << 30;
    QTest::newRow("50 %") << 50 << 10;
}

// Whatever the zoom, a drag stores panel pixels: the file is the one a drag
// of 20 pixels at actual size gives.
void tst_View::zoomedDrag()
{
    QFETCH(int, zoom);
    QFETCH(int, pixels);
    QByteArray files[2];
    for (int run = 0; run < 2; ++run) {
        Editor e;
        frmVantile &w = e.start(QSize(2600, 1400)); // room for the whole canvas at 400 %
        w.SetZoom(run == 0 ? 100 : zoom);
        pilots(e, {QPoint(100, 50)});
        QWidget *pilot = e.image(QStringLiteral("imgPilot_0"));
        const int moved = run == 0 ? 20 : pixels;
        // While it is dragged the pilot shows where the mouse takes it, and
        // no longer where it was: a pixel of its own left of the place it goes.
        const QImage &own = ObjectPictures::PilotOnPicture(13);
        QPoint mark(0, 0);
        while (mark.x() < 19 && (own.pixel(mark) | 0xFF000000) == (ObjectPictures::KeyColor | 0xFF000000))
            mark += QPoint(1, 1);
        const double scale = (run == 0 ? 100 : zoom) / 100.0;
        auto shown = [&](QPoint panel) {
            const QImage canvas = e.get<QWidget>(QStringLiteral("picSurface"))->grab().toImage();
            return canvas.pixel(int((panel.x() + 0.5) * scale), int((panel.y() + 0.5) * scale)) | 0xFF000000;
        };
        dragBy(pilot, QPoint(6, 4), QPoint(moved, moved / 2), Qt::NoModifier, [&] {
            if (scale < 1.0)
                return; // averaged
            QCOMPARE(shown(QPoint(120, 60) + mark), own.pixel(mark) | 0xFF000000);
            QCOMPARE(shown(QPoint(100, 50) + mark), qRgb(255, 255, 255));
        });
        QCOMPARE(pilotAt(e, 0), QPoint(120, 60));
        const QString path = e.home.file(QStringLiteral("dragged.QXC"));
        e.files.answers << path;
        e.action(QStringLiteral("mnuFileSaveAs"))->trigger();
        files[run] = readFile(path);
    }
    QVERIFY(!files[0].isEmpty());
    QCOMPARE(files[1], files[0]);
}

void tst_View::panelPixels_data()
{
    QTest::addColumn<int>("zoom");
    QTest::addColumn<bool>("overlapping");
    QTest::newRow("running past, 100 %") << 100 << false;
    QTest::newRow("running past, 200 %") << 200 << false;
    QTest::newRow("running past, 300 %") << 300 << false;
    QTest::newRow("overlapping, 100 %") << 100 << true;
    QTest::newRow("overlapping, 200 %") << 200 << true;
}

// Captions and fixed texts that run past their button or box run past it on
// the canvas as in the card's picture; where objects overlap, the one the
// panel draws later covers the other: every panel pixel the same.
void tst_View::panelPixels()
{
    QFETCH(int, zoom);
    QFETCH(bool, overlapping);
    Editor e;
    frmVantile &w = e.start(QSize(1600, 1000));
    w.SetZoom(zoom);
    e.m.ScreenBackground[0] = QStringLiteral("[&H406080&]");
    // Overlapping: a fixed text over button 0, button 1 over button 0's
    // caption, a fixed text over the other.
    const struct {
        int picture, fontSize, textColor, left, top;
        const char *caption;
    } buttons[2][2] = {{{1, 0, 0, 10, 10, "Living Room Lights"}, {20, 2, 1, 200, 120, "All Off Now"}},
                       {{1, 2, 0, 10, 10, "Scenes"}, {20, 1, 1, 40, 20, "Off"}}};
    for (int n = 0; n < 2; ++n) {
        const auto &b = buttons[overlapping][n];
        e.m.SetButtonType(n, 1);
        e.m.SetButtonPicture(n, b.picture);
        e.m.SetButtonFontSize(n, b.fontSize);
        e.m.SetButtonTextColor(n, b.textColor);
        e.m.SetButtonLeft(n, b.left);
        e.m.SetButtonTop(n, b.top);
        e.m.SetButtonText(n, QString::fromLatin1(b.caption));
    }
    const struct {
        int fontSize, color, left, top;
        const char *text;
    } texts[2][2] = {{{0, 0, 20, 200, "Fixed text far past a small box"}, {3, 1, 150, 60, "Scenes"}},
                     {{3, 1, 14, 12, "Hall"}, {2, 0, 30, 30, "Cover"}}};
    for (int n = 0; n < 2; ++n) {
        const auto &t = texts[overlapping][n];
        e.m.SetTextType(n, 1);
        e.m.SetTextFontSize(n, t.fontSize);
        e.m.SetTextColor(n, t.color);
        e.m.SetTextLeft(n, t.left);
        e.m.SetTextTop(n, t.top);
        e.m.SetTextWidth(n, 30);
        e.m.SetTextHeight(n, 12);
        e.m.SetTextString(n, QString::fromLatin1(t.text));
    }
    w.ShowScreen();

    ScreenRenderer renderer(e.m, e.messages);
    renderer.Canvas().Resize(480, 272);
    renderer.DrawSdScreen(0);
    const QImage panel = renderer.Canvas().Image().convertToFormat(QImage::Format_RGB32);
    const QImage canvas =
        e.get<QWidget>(QStringLiteral("picSurface"))->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QVERIFY(QSize(480, 272) * zoom / 100 == canvas.size());
    // Text over the background is blended by the canvas, not the picture:
    // one step of a colour channel apart at most.
    auto near = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) <= 1 && std::abs(qGreen(a) - qGreen(b)) <= 1 &&
               std::abs(qBlue(a) - qBlue(b)) <= 1;
    };
    const int z = zoom / 100;
    int differing = 0;
    for (int y = 0; y < 272; ++y)
        for (int x = 0; x < 480; ++x)
            for (const QPoint at : {QPoint(x * z, y * z), QPoint(x * z + z - 1, y * z + z - 1)})
                if (!near(canvas.pixel(at), panel.pixel(x, y)) && differing++ < 5)
                    qWarning("panel pixel %d,%d: canvas %08x, card %08x", x, y, canvas.pixel(at), panel.pixel(x, y));
    QCOMPARE(differing, 0);
}

void tst_View::windowFits_data()
{
    QTest::addColumn<QSize>("desktop");
    QTest::addColumn<int>("resolution");
    QTest::addColumn<bool>("portrait");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QSize>("window"); // an empty size: the whole desktop
    QTest::addColumn<QSize>("view");   // a height of 0 is not checked
    QTest::addColumn<bool>("across");  // horizontal bar
    QTest::addColumn<bool>("down");    // vertical bar
    QTest::newRow("designed") << QSize(1280, 1024) << 0 << false << 100 << QSize(1065, 651) << QSize(484, 276) << false
                              << false;
    QTest::newRow("800x480 on 1280 pixels")
        << QSize(1280, 800) << 3 << false << 100 << QSize(1280, 651) << QSize(699, 484) << true << false;
    QTest::newRow("designed pan on a low desktop")
        << QSize(1280, 800) << 3 << true << 100 << QSize(1065, 651) << QSize(484, 480) << false << true;
    QTest::newRow("grown with the zoom") << QSize(1920, 1080) << 0 << false << 200 << QSize(1545, 699)
                                         << QSize(964, 548) << false << false;
    QTest::newRow("as far as the desktop allows")
        << QSize(1920, 1080) << 3 << false << 400 << QSize() << QSize(1339, 0) << true << true;
    QTest::newRow("zoomed out keeps the design")
        << QSize(1280, 1024) << 2 << true << 50 << QSize(1065, 651) << QSize(164, 244) << false << false;
    QTest::newRow("a desktop smaller than the design")
        << QSize(853, 533) << 0 << false << 100 << QSize() << QSize(484, 276) << false << false;
}

void tst_View::windowFits()
{
    QFETCH(QSize, desktop);
    QFETCH(int, resolution);
    QFETCH(bool, portrait);
    QFETCH(int, zoom);
    QFETCH(QSize, window);
    QFETCH(QSize, view);
    QFETCH(bool, across);
    QFETCH(bool, down);
    Editor e;
    e.designedWindow();
    frmVantile &w = e.start(desktop);
    if (portrait)
        e.get<QRadioButton>(QStringLiteral("optLayout_1"))->click();
    e.choose(QStringLiteral("cboScnRes"), resolution);
    w.SetZoom(zoom);

    QCOMPARE(w.size(), window.isEmpty() ? desktop : window);
    QWidget *viewport = e.get<QWidget>(QStringLiteral("picPan"));
    QCOMPARE(viewport->width(), view.width());
    if (view.height() > 0)
        QCOMPARE(viewport->height(), view.height());
    QCOMPARE(!e.get<QScrollBar>(QStringLiteral("hsPan"))->isHidden(), across);
    QCOMPARE(!e.get<QScrollBar>(QStringLiteral("vsPan"))->isHidden(), down);
    // What the window cannot show scrolls; the lists never overlap the canvas.
    QWidget *client = e.get<QWidget>(QStringLiteral("frmVantileClient"));
    QVERIFY(client->minimumWidth() >= e.get<QWidget>(QStringLiteral("frmTitlesLarge"))->geometry().right());
    QVERIFY(e.get<QWidget>(QStringLiteral("frmButtons"))->x() > viewport->geometry().right());

    // Back at actual size the window has its designed size wherever that fits.
    w.SetZoom(100);
    if (zoom != 100 && desktop.height() >= 1024)
        QCOMPARE(w.size(), QSize(resolution == 3 && !portrait ? 1385 : 1065, 651));
}

void tst_View::zoomRemembered_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("zoom");
    QTest::newRow("none") << QByteArray() << 100;
    QTest::newRow("a step") << QByteArray("[Canvas]\r\nZoom=300\r\n") << 300;
    QTest::newRow("between steps") << QByteArray("[Canvas]\r\nZoom=190\r\n") << 200;
    QTest::newRow("too large") << QByteArray("[Canvas]\r\nZoom=5000\r\n") << 100;
    QTest::newRow("no number") << QByteArray("[Canvas]\r\nZoom=big\r\n") << 100;
}

void tst_View::zoomRemembered()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, zoom);
    Editor e;
    if (!stored.isEmpty()) {
        QVERIFY(QDir().mkpath(e.home.path()));
        QVERIFY(writeFile(e.settingsFile(), "[Download]\r\nCom Port=2\r\n" + stored));
    }
    frmVantile &w = e.start();
    QCOMPARE(w.Zoom(), zoom);
    QCOMPARE(e.label(QStringLiteral("lblZoom"))->text(), QStringLiteral("%1 %").arg(zoom));
    e.action(QStringLiteral("mnuZoomIn"))->trigger();
    const QByteArray file = readFile(e.settingsFile());
    QVERIFY(file.contains("[Canvas]\r\nZoom=" + QByteArray::number(w.Zoom()) + "\r\n"));
    QVERIFY(file.contains("Com Port=")); // the port stays
    QVERIFY(!e.changed());
}

void tst_View::zoomCommands_data()
{
    QTest::addColumn<QSize>("desktop");
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("command"); // an action, or "wheel up" / "wheel down" with Ctrl
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QPoint>("pointer"); // of the wheel, in the viewport; (-1, -1) its middle
    QTest::addColumn<bool>("kept");      // the panel point under the pointer stays under it
    const QPoint none(-1, -1);
    QTest::newRow("in") << QSize(1280, 1024) << 100 << "mnuZoomIn" << 150 << none << false;
    QTest::newRow("in at the top") << QSize(1280, 1024) << 400 << "mnuZoomIn" << 400 << none << false;
    QTest::newRow("out") << QSize(1280, 1024) << 75 << "mnuZoomOut" << 50 << none << false;
    QTest::newRow("out at the bottom") << QSize(1280, 1024) << 50 << "mnuZoomOut" << 50 << none << false;
    QTest::newRow("actual size") << QSize(1280, 1024) << 300 << "mnuActualSize" << 100 << none << false;
    // 480 x 272 at 150 % needs a window 1305 wide; at 200 % 1545.
    QTest::newRow("fit, small desktop") << QSize(1280, 1024) << 50 << "mnuZoomFit" << 100 << none << false;
    QTest::newRow("fit, large desktop") << QSize(1920, 1080) << 50 << "mnuZoomFit" << 200 << none << false;
    QTest::newRow("wheel up") << QSize(1280, 1024) << 100 << "wheel up" << 150 << QPoint(20, 20) << true;
    QTest::newRow("wheel up in the middle")
        << QSize(1280, 1024) << 100 << "wheel up" << 150 << QPoint(300, 150) << true;
    QTest::newRow("wheel up, large desktop")
        << QSize(1920, 1080) << 200 << "wheel up" << 300 << QPoint(600, 400) << true;
    QTest::newRow("wheel down, still larger than the view")
        << QSize(1280, 800) << 400 << "wheel down" << 300 << none << true;
    // The whole canvas fits: it rests at its top left corner.
    QTest::newRow("wheel down") << QSize(1280, 1024) << 100 << "wheel down" << 75 << QPoint(20, 20) << false;
    QTest::newRow("wheel up at the top") << QSize(1280, 1024) << 400 << "wheel up" << 400 << QPoint(20, 20) << true;
}

void tst_View::zoomCommands()
{
    QFETCH(QSize, desktop);
    QFETCH(int, from);
    QFETCH(QString, command);
    QFETCH(int, zoom);
    QFETCH(QPoint, pointer);
    QFETCH(bool, kept);
    Editor e;
    frmVantile &w = e.start(desktop);
    w.SetZoom(from);
    if (command.startsWith(QLatin1String("wheel"))) {
        QWidget *view = e.get<QWidget>(QStringLiteral("picPan"));
        QWidget *surface = e.get<QWidget>(QStringLiteral("picSurface"));
        // A canvas larger than its viewport, scrolled half way.
        for (const char *name : {"hsPan", "vsPan"}) {
            QScrollBar *bar = e.get<QScrollBar>(QString::fromLatin1(name));
            bar->setValue(bar->maximum() / 2);
        }
        if (pointer.x() < 0)
            pointer = view->rect().center();
        const QPoint window = w.pos();
        const QPointF at(pointer);
        const QPointF panel = QPointF(surface->mapFrom(view, pointer)) * 100.0 / from;
        QWheelEvent wheel(at, view->mapToGlobal(at), {}, QPoint(0, command.endsWith(QLatin1String("up")) ? 120 : -120),
                          Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &wheel);
        // The window stays where it is; the canvas moves under the pointer.
        QCOMPARE(w.pos(), window);
        const QPointF now = surface->mapToGlobal(panel * zoom / 100.0) - view->mapToGlobal(at);
        if (kept)
            QVERIFY2(std::abs(now.x()) <= 1 && std::abs(now.y()) <= 1,
                     qPrintable(QStringLiteral("moved by %1, %2").arg(now.x()).arg(now.y())));
        else
            QCOMPARE(e.get<QWidget>(QStringLiteral("picLayout"))->pos(), QPoint(0, 0));
    } else {
        e.action(command)->trigger();
    }
    QCOMPARE(w.Zoom(), zoom);
    QCOMPARE(e.label(QStringLiteral("lblZoom"))->text(), QStringLiteral("%1 %").arg(zoom));
    QCOMPARE(e.action(QStringLiteral("mnuZoomIn"))->isEnabled(), zoom < 400);
    QCOMPARE(e.action(QStringLiteral("mnuZoomOut"))->isEnabled(), zoom > 50);
}

// Shift+click, a rubber band, then every command on the selection, one step each.
void tst_View::severalObjects()
{
    Editor e;
    frmVantile &w = e.start();
    pilots(e, {QPoint(10, 10), QPoint(60, 10), QPoint(110, 40)});
    QWidget *first = e.image(QStringLiteral("imgPilot_0"));
    QWidget *second = e.image(QStringLiteral("imgPilot_1"));
    shiftClick(first);
    shiftClick(second);
    shiftClick(second);
    QCOMPARE(w.SelectedObjects().size(), 1);
    QVERIFY(e.opened.isEmpty());
    QCOMPARE(steps(e), 0);
    QVERIFY(!e.get<QMenu>(QStringLiteral("mnuArrange"))->isEnabled());

    // A band over the empty canvas selects what it touches, at any zoom.
    w.SetZoom(200);
    QWidget *surface = e.get<QWidget>(QStringLiteral("picSurface"));
    dragBy(surface, QPoint(1, 1), QPoint(130, 30)); // panel (0, 0) to (65, 15)
    QCOMPARE(w.SelectedObjects().size(), 2);
    QVERIFY(e.get<QMenu>(QStringLiteral("mnuArrange"))->isEnabled());
    w.SetZoom(100);

    // Dragged together, and back with one undo.
    dragBy(first, QPoint(3, 3), QPoint(20, 30));
    QCOMPARE(pilotAt(e, 0), QPoint(30, 40));
    QCOMPARE(pilotAt(e, 1), QPoint(80, 40));
    QCOMPARE(pilotAt(e, 2), QPoint(110, 40));
    QCOMPARE(steps(e), 1);
    QCOMPARE(e.action(QStringLiteral("mnuUndo"))->text(), QStringLiteral("&Undo Move 2 Objects"));
    // None may leave the canvas: a drag that would take one past the left edge is refused.
    dragBy(second, QPoint(3, 3), QPoint(-40, 0));
    QCOMPARE(pilotAt(e, 0), QPoint(30, 40));
    QCOMPARE(steps(e), 1);

    QTest::keyClick(&w, Qt::Key_Left);
    QTest::keyClick(&w, Qt::Key_Left);
    QCOMPARE(pilotAt(e, 0), QPoint(28, 40));
    QCOMPARE(pilotAt(e, 1), QPoint(78, 40));
    QCOMPARE(steps(e), 2);

    e.action(QStringLiteral("mnuCopy"))->trigger();
    e.action(QStringLiteral("mnuPaste"))->trigger();
    QCOMPARE(pilotAt(e, 3), QPoint(36, 48));
    QCOMPARE(pilotAt(e, 4), QPoint(86, 48));
    QCOMPARE(e.action(QStringLiteral("mnuUndo"))->text(), QStringLiteral("&Undo Paste 2 Objects"));
    e.action(QStringLiteral("mnuDuplicate"))->trigger();
    QCOMPARE(w.SelectedObjects().size(), 2);
    QCOMPARE(e.m.GetPilotUsed(6), 1);
    e.action(QStringLiteral("mnuDelete"))->trigger();
    QCOMPARE(e.m.GetPilotUsed(5), 0);
    QCOMPARE(e.m.GetPilotUsed(6), 0);
    QCOMPARE(steps(e), 5);
    e.action(QStringLiteral("mnuUndo"))->trigger();
    QCOMPARE(e.m.GetPilotUsed(5), 1);
    QCOMPARE(e.m.GetPilotUsed(6), 1);

    // Lined up in one step.
    w.Select(Kind::Pilot, 0);
    w.ToggleSelected(Kind::Pilot, 3);
    e.action(QStringLiteral("mnuAlignTop"))->trigger();
    QCOMPARE(pilotAt(e, 3), QPoint(36, 40));
    e.action(QStringLiteral("mnuAlignRight"))->trigger();
    QCOMPARE(pilotAt(e, 0), QPoint(36, 40));
    QCOMPARE(steps(e), 6);
    QCOMPARE(e.action(QStringLiteral("mnuUndo"))->text(), QStringLiteral("&Undo Align Right"));
    e.action(QStringLiteral("mnuUndo"))->trigger();
    QCOMPARE(pilotAt(e, 0), QPoint(28, 40));

    // A plain click still opens the editor and selects just that object.
    QTest::mouseClick(second, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    QCOMPARE(e.opened.size(), 1);
    QCOMPARE(w.SelectedObjects().size(), 1);
}

void tst_View::statusBar()
{
    Editor e;
    frmVantile &w = e.start();
    e.m.SetButtonType(2, 29);
    e.m.SetButtonPicture(2, 0);
    e.m.SetButtonLeft(2, 40);
    e.m.SetButtonTop(2, 20);
    e.m.SetButtonWidth(2, 96);
    e.m.SetButtonHeight(2, 32);
    w.ShowScreen();
    w.SetZoom(200);
    QWidget *button = e.image(QStringLiteral("imgPB_2"));
    mouse(button, QEvent::MouseMove, QPoint(9, 5), Qt::NoButton, Qt::NoModifier);
    QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("Button 3 \u00B7 Goto Screen:4"));
    QCOMPARE(e.label(QStringLiteral("lblPointer"))->text(), QStringLiteral("44, 22"));
    w.Select(Kind::Button, 2);
    QCOMPARE(e.label(QStringLiteral("lblSelection"))->text(), QStringLiteral("Button 3: 40, 20  96 \u00D7 32"));
    mouse(e.get<QWidget>(QStringLiteral("picSurface")), QEvent::MouseMove, QPoint(300, 300), Qt::NoButton,
          Qt::NoModifier);
    QVERIFY(w.statusBar()->currentMessage().isEmpty());
    QCOMPARE(e.label(QStringLiteral("lblPointer"))->text(), QStringLiteral("150, 150"));
    // Off the canvas the pointer is nowhere on the panel.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(e.get<QWidget>(QStringLiteral("picPan")), &leave);
    QCOMPARE(e.label(QStringLiteral("lblPointer"))->text(), QString());
}

void tst_View::questions_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("harmless");
    QTest::newRow("clear screen") << "mnuClearScreen"
                                  << "Clear All Objects On Screen Home?" << int(MessagePrompt::Buttons::YesNo)
                                  << int(Answer::No);
    QTest::newRow("discard changes") << "mnuFileNew"
                                     << "Discard Any Changes?" << int(MessagePrompt::Buttons::SaveDiscardCancel)
                                     << int(Answer::Cancel);
    QTest::newRow("replace a file") << "mnuExport"
                                    << "already exists. Replace it?" << int(MessagePrompt::Buttons::YesNo)
                                    << int(Answer::No);
}

// Questions that destroy something default to the harmless answer.
void tst_View::questions()
{
    QFETCH(QString, command);
    QFETCH(QString, text);
    QFETCH(int, buttons);
    QFETCH(int, harmless);
    Editor e;
    e.start();
    e.m.SetButtonType(0, 1);
    e.change();
    const QString screen = e.home.file(QStringLiteral("screen.QXS"));
    QVERIFY(writeFile(screen, QByteArray(6560, '\0')));
    e.files.answers << e.home.file(QStringLiteral("screen"));
    e.messages.answers << Answer(harmless);
    e.action(command)->trigger();
    QCOMPARE(e.messages.boxes.size(), 1);
    const ScriptedMessages::Box &box = e.messages.boxes[0];
    QVERIFY2(box.text.endsWith(text), qPrintable(box.text));
    QCOMPARE(int(box.buttons), buttons);
    QVERIFY(box.defaultAnswer == Answer(harmless));
    // The harmless answer left everything as it was.
    QCOMPARE(e.m.GetButtonType(0), 1);
    QVERIFY(e.changed());
    QCOMPARE(readFile(screen), QByteArray(6560, '\0'));
}

void tst_View::discardOffersSave_data()
{
    QTest::addColumn<bool>("named");   // the project has a file
    QTest::addColumn<bool>("chooses"); // a name is chosen when asked for one
    QTest::addColumn<bool>("replaced");
    QTest::newRow("saved under its name") << true << false << true;
    QTest::newRow("saved under a new name") << false << true << true;
    QTest::newRow("save cancelled") << false << false << false;
}

void tst_View::discardOffersSave()
{
    QFETCH(bool, named);
    QFETCH(bool, chooses);
    QFETCH(bool, replaced);
    Editor e;
    e.start();
    const QString path = e.home.file(QStringLiteral("kept.QXC"));
    if (named) {
        e.files.answers << path;
        e.action(QStringLiteral("mnuFileSaveAs"))->trigger();
    }
    e.m.SetButtonType(0, 30);
    e.change();
    e.messages.answers << Answer::Save;
    if (chooses)
        e.files.answers << path;
    e.action(QStringLiteral("mnuFileNew"))->trigger();
    QCOMPARE(e.m.GetButtonType(0), replaced ? 0 : 30);
    QCOMPARE(e.changed(), !replaced);
    if (replaced) {
        modVantile saved;
        QVERIFY(saved.SetProjectBytes(readFile(path)));
        QCOMPARE(saved.GetButtonType(0), 30);
    }
}

int runViewTests(int argc, char **argv)
{
    tst_View tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "tst_view.moc"
