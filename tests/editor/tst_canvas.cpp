// The canvas objects and the settings lists: what each record shows, the
// caption offsets written back, stacking, highlighting and backgrounds, and
// a project full of damaged values.
#include "EditorFixture.h"

#include "assets/ObjectPictures.h"

#include <QDir>
#include <QMouseEvent>
#include <QRandomGenerator>

class tst_Canvas : public QObject
{
    Q_OBJECT

private slots:
    void buttonLine_data();
    void buttonLine();
    void plainButton();
    void pictureButton_data();
    void pictureButton();
    void stackingOrder_data();
    void stackingOrder();
    void selectionOverObjects();
    void pilot_data();
    void pilot();
    void slider_data();
    void slider();
    void textObject_data();
    void textObject();
    void textFont_data();
    void textFont();
    void showTextBoxes();
    void hoverHighlight();
    void backgrounds();
    void backgroundsFromAnotherMachine_data();
    void backgroundsFromAnotherMachine();
    void damagedProject();
};

void tst_Canvas::buttonLine_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("device");
    QTest::addColumn<int>("password");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("tip");
    QTest::newRow("unused") << 0 << 0 << 0 << 0 << "Disabled"
                            << "";
    QTest::newRow("momentary 3 at node 10 + 5") << 3 << 9 << 5 << 0 << "Mom In:3 Dev:0F"
                                                << "D:0F I:3";
    QTest::newRow("momentary 1") << 1 << 0 << 0 << 0 << "Mom In:1 Dev:01"
                                 << "D:01 I:1";
    QTest::newRow("momentary 8") << 8 << 0 << 63 << 0 << "Mom In:8 Dev:40"
                                 << "D:40 I:8";
    QTest::newRow("on 1") << 9 << 0 << 0 << 0 << "Turn ON In:1 Dev:01"
                          << "D:01 I:1";
    QTest::newRow("on 8") << 16 << 0 << 2 << 0 << "Turn ON In:8 Dev:03"
                          << "D:03 I:8";
    QTest::newRow("off 1") << 17 << 0 << 0 << 0 << "Turn OFF In:1 Dev:01"
                           << "D:01 I:1";
    QTest::newRow("off 8") << 24 << 253 << 1 << 0 << "Turn OFF In:8 Dev:FF"
                           << "D:FF I:8";
    QTest::newRow("node above FF") << 1 << 253 << 63 << 0 << "Mom In:1 Dev:3D"
                                   << "D:3D I:1";
    QTest::newRow("home") << 25 << 0 << 0 << 0 << "Goto Home"
                          << "Goto Home";
    QTest::newRow("screen 1") << 26 << 0 << 0 << 0 << "Goto Screen:1"
                              << "Goto Screen:1";
    QTest::newRow("screen 5") << 30 << 0 << 0 << 0 << "Goto Screen:5"
                              << "Goto Screen:5";
    QTest::newRow("screen 15") << 40 << 0 << 0 << 0 << "Goto Screen:15"
                               << "Goto Screen:15";
    QTest::newRow("home with password") << 41 << 0 << 0 << 1234 << "Goto Screen Home PW:001234"
                                        << "Goto Screen Home";
    QTest::newRow("screen 9 with password") << 50 << 0 << 0 << 246810 << "Goto Screen:9 PW:246810"
                                            << "Goto Screen:9";
    QTest::newRow("screen 15 with password 0") << 56 << 0 << 0 << 0 << "Goto Screen:15 PW:000000"
                                               << "Goto Screen:15";
    QTest::newRow("code 57") << 57 << 0 << 0 << 0 << ""
                             << "";
    QTest::newRow("code 99") << 99 << 0 << 0 << 0 << ""
                             << "";
    QTest::newRow("negative code") << -1 << 0 << 0 << 0 << ""
                                   << "";
}

void tst_Canvas::buttonLine()
{
    QFETCH(int, type);
    QFETCH(int, address);
    QFETCH(int, device);
    QFETCH(int, password);
    QFETCH(QString, line);
    QFETCH(QString, tip);
    Editor e;
    frmVantile &w = e.start();
    e.m.SetNodeAddress(address);
    e.m.SetButtonType(4, type);
    e.m.SetButtonDevice(4, device);
    e.m.SetButtonPassword(4, password);
    e.m.SetButtonPicture(4, 1);
    w.UDButton(4);
    QCOMPARE(e.label(QStringLiteral("lblBSettings_4"))->text(), line);
    QCOMPARE(e.image(QStringLiteral("imgPB_4"))->toolTip(), tip);
    QCOMPARE(e.canvasLabel(QStringLiteral("lblButton_4"))->toolTip(), tip);
    QCOMPARE(e.image(QStringLiteral("imgPB_4"))->isHidden(), type <= 0);
    QCOMPARE(e.canvasLabel(QStringLiteral("lblButton_4"))->isHidden(), type <= 0);
    QVERIFY(!e.changed());
}

void tst_Canvas::plainButton()
{
    Editor e;
    frmVantile &w = e.start();
    e.m.SetButtonType(2, 25);
    e.m.SetButtonPicture(2, 0);
    e.m.SetButtonLeft(2, 300);
    e.m.SetButtonTop(2, 17);
    e.m.SetButtonWidth(2, 120);
    e.m.SetButtonHeight(2, 40);
    e.m.SetButtonFontSize(2, 2);
    e.m.SetButtonTextX(2, 33);
    e.m.SetButtonTextY(2, 44);
    e.m.SetButtonText(2, QStringLiteral("Hidden"));
    w.UDButton(2);
    CanvasImage *image = e.image(QStringLiteral("imgPB_2"));
    QCOMPARE(image->geometry(), QRect(300, 17, 120, 40));
    QVERIFY(image->hasBorder());
    QVERIFY(image->picture().isNull());
    QVERIFY(e.canvasLabel(QStringLiteral("lblButton_2"))->isHidden());
    // A plain box keeps its stored caption offsets.
    QCOMPARE(e.m.GetButtonTextX(2), 33);
    QCOMPARE(e.m.GetButtonTextY(2), 44);
}

void tst_Canvas::pictureButton_data()
{
    QTest::addColumn<int>("picture");
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<int>("storedOffset"); // twips before the refresh
    QTest::addColumn<int>("offset");       // twips after it
    QTest::addColumn<int>("points");       // caption font, 0 = unchanged (8)
    QTest::addColumn<int>("textColor");
    QTest::newRow("small, 8 pt") << 1 << 0 << 0 << 75 << 8 << 0;
    QTest::newRow("12 pt") << 14 << 1 << 999 << 105 << 12 << 1;
    QTest::newRow("18 pt over old offsets") << 17 << 2 << 300 << 165 << 18 << 0;
    QTest::newRow("24 pt, white") << 32 << 3 << 0 << 210 << 24 << 5;
    QTest::newRow("font size 7 keeps offsets") << 13 << 7 << 300 << 300 << 8 << 0;
}

void tst_Canvas::pictureButton()
{
    QFETCH(int, picture);
    QFETCH(int, fontSize);
    QFETCH(int, storedOffset);
    QFETCH(int, offset);
    QFETCH(int, points);
    QFETCH(int, textColor);
    Editor e;
    frmVantile &w = e.start();
    const int n = 9;
    e.m.SetButtonType(n, 1);
    e.m.SetButtonPicture(n, picture);
    e.m.SetButtonLeft(n, 40);
    e.m.SetButtonTop(n, 20);
    e.m.SetButtonWidth(n, 5); // not used with a picture
    e.m.SetButtonHeight(n, 5);
    e.m.SetButtonFontSize(n, fontSize);
    e.m.SetButtonTextX(n, storedOffset);
    e.m.SetButtonTextY(n, storedOffset);
    e.m.SetButtonTextColor(n, textColor);
    e.m.SetButtonText(n, QStringLiteral("Lights"));
    w.UDButton(n);

    const QSize size = ObjectPictures::ButtonPictureSize(picture - 1);
    CanvasImage *image = e.image(QStringLiteral("imgPB_9"));
    QCOMPARE(image->geometry(), QRect(QPoint(40, 20), size));
    QVERIFY(!image->hasBorder());
    QCOMPARE(image->picture().cacheKey(), ObjectPictures::ButtonPicture(picture - 1).cacheKey());

    QCOMPARE(e.m.GetButtonTextX(n), offset);
    QCOMPARE(e.m.GetButtonTextY(n), offset);
    CanvasLabel *caption = e.canvasLabel(QStringLiteral("lblButton_9"));
    QVERIFY(!caption->isHidden());
    QCOMPARE(caption->text(), QStringLiteral("Lights"));
    const int o = offset / 15;
    // The rest of the button, and further where the caption runs past it.
    const QSize box(std::max(0, size.width() - o), std::max(0, size.height() - o));
    QCOMPARE(caption->geometry(), QRect(QPoint(40 + o, 20 + o), box.expandedTo(caption->panelText().size())));
    QCOMPARE(CanvasFontPoints(caption->font()), points);
    QCOMPARE(caption->font().family(), QStringLiteral("Arial"));
    QVERIFY(!caption->font().bold());
    QCOMPARE(caption->foreColor(), textColor == 0 ? QColor(Qt::black) : QColor(Qt::white));
    QVERIFY(!caption->isOpaque());
    QVERIFY(!e.changed());
}

void tst_Canvas::stackingOrder_data()
{
    // Buttons 0 and 1, fixed texts 0 and 2, a value box 1 and a bar graph 3,
    // pilots 0 and 1, slider 0: what the panel draws later lies above and
    // takes the mouse first.
    QTest::addColumn<QString>("lower");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<int>("retyped"); // a text given another type first, or -1
    QTest::addColumn<int>("type");
    QTest::newRow("caption over its picture") << "imgPB_0"
                                              << "lblButton_0" << -1 << 0;
    QTest::newRow("later button over earlier") << "lblButton_0"
                                               << "imgPB_1" << -1 << 0;
    QTest::newRow("fixed text over every button") << "lblButton_31"
                                                  << "lblTextBox_0" << -1 << 0;
    QTest::newRow("pilot over every fixed text") << "lblTextBox_2"
                                                 << "imgPilot_0" << -1 << 0;
    QTest::newRow("slider over every pilot") << "imgPilot_31"
                                             << "imgSlider_0" << -1 << 0;
    QTest::newRow("value box over every slider") << "imgSlider_7"
                                                 << "lblTextBox_1" << -1 << 0;
    QTest::newRow("bar graph over an earlier value box") << "lblTextBox_1"
                                                         << "lblTextBox_3" << -1 << 0;
    QTest::newRow("a text made a value box rises") << "imgSlider_7"
                                                   << "lblTextBox_2" << 2 << 3;
    QTest::newRow("a value box made a text sinks") << "lblTextBox_1"
                                                   << "imgPilot_0" << 1 << 1;
}

void tst_Canvas::stackingOrder()
{
    QFETCH(QString, lower);
    QFETCH(QString, upper);
    QFETCH(int, retyped);
    QFETCH(int, type);
    Editor e;
    frmVantile &w = e.start();
    for (int n : {0, 1}) {
        e.m.SetButtonType(n, 1);
        e.m.SetButtonPicture(n, 4);
        e.m.SetPilotUsed(n, 1);
    }
    e.m.SetSliderPicture(0, 1);
    for (const auto &[n, t] : {std::pair{0, 1}, {1, 2}, {2, 1}, {3, 8}})
        e.m.SetTextType(n, t);
    w.ShowScreen();
    if (retyped >= 0) {
        e.m.SetTextType(retyped, type);
        w.UDTitle(retyped);
    }
    // Refreshing a button leaves it where it is.
    w.UDButton(0);
    const QObjectList order = e.get<QWidget>(QStringLiteral("picSurface"))->children();
    QVERIFY(order.indexOf(e.get<QWidget>(lower)) < order.indexOf(e.get<QWidget>(upper)));
}

// The frame of a selected object shows over an object the panel draws later.
void tst_Canvas::selectionOverObjects()
{
    Editor e;
    frmVantile &w = e.start();
    for (int n : {0, 1}) {
        e.m.SetPilotUsed(n, 1);
        e.m.SetPilotPicture(n, 13);
        e.m.SetPilotLeft(n, 40 + 20 * n);
        e.m.SetPilotTop(n, 40);
    }
    w.ShowScreen();
    w.Select(EditOperations::Kind::Pilot, 0);
    const QImage canvas = e.get<QWidget>(QStringLiteral("picSurface"))->grab().toImage();
    // The frame's right edge, a pixel clear of pilot 0: over pilot 1's white inside.
    const int column = 40 + ObjectPictures::PilotOnPicture(13).width() + 1;
    int framed = 0;
    for (int y = 40; y < 70; ++y)
        framed += (canvas.pixel(column, y) | 0xFF000000) == qRgb(0, 120, 215);
    QVERIFY2(framed > 10, qPrintable(QString::number(framed)));
}

void tst_Canvas::pilot_data()
{
    QTest::addColumn<int>("used");
    QTest::addColumn<int>("picture");
    QTest::addColumn<int>("input");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("tip");
    QTest::newRow("input 1") << 1 << 0 << 0 << true << "Enabled Pilot:1 Dev:0D"
                             << "D:0D P:1";
    QTest::newRow("input 8, circle") << 1 << 40 << 7 << true << "Enabled Pilot:8 Dev:0D"
                                     << "D:0D P:8";
    QTest::newRow("unused keeps picture") << 0 << 15 << 0 << false << "Disabled"
                                          << "";
    QTest::newRow("used flag 2") << 2 << 3 << 0 << true << ""
                                 << "";
    QTest::newRow("picture 200") << 1 << 200 << 0 << true << "Enabled Pilot:1 Dev:0D"
                                 << "D:0D P:1";
}

void tst_Canvas::pilot()
{
    QFETCH(int, used);
    QFETCH(int, picture);
    QFETCH(int, input);
    QFETCH(bool, visible);
    QFETCH(QString, line);
    QFETCH(QString, tip);
    Editor e;
    frmVantile &w = e.start();
    e.m.SetNodeAddress(9);
    e.m.SetPilotUsed(6, used);
    e.m.SetPilotPicture(6, picture);
    e.m.SetPilotInput(6, input);
    e.m.SetPilotDevice(6, 3);
    e.m.SetPilotLeft(6, 120);
    e.m.SetPilotTop(6, 77);
    w.UDPilot(6);
    CanvasImage *image = e.image(QStringLiteral("imgPilot_6"));
    QCOMPARE(!image->isHidden(), visible);
    QCOMPARE(image->geometry(), QRect(QPoint(120, 77), ObjectPictures::PilotOnPicture(picture).size()));
    QCOMPARE(image->picture().cacheKey(), ObjectPictures::PilotOnPicture(picture).cacheKey());
    QCOMPARE(e.label(QStringLiteral("lblPSettings_6"))->text(), line);
    QCOMPARE(image->toolTip(), tip);
}

void tst_Canvas::slider_data()
{
    QTest::addColumn<int>("picture");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("tip");
    QTest::newRow("unused") << 0 << false << "Disabled"
                            << "";
    QTest::newRow("style 0") << 1 << true << "Enabled Dev:03"
                             << "D:03";
    QTest::newRow("style 5") << 6 << true << "Enabled Dev:03"
                             << "D:03";
    QTest::newRow("picture 200") << 200 << true << "Enabled Dev:03"
                                 << "D:03";
}

void tst_Canvas::slider()
{
    QFETCH(int, picture);
    QFETCH(bool, visible);
    QFETCH(QString, line);
    QFETCH(QString, tip);
    Editor e;
    frmVantile &w = e.start();
    e.m.SetSliderPicture(7, picture);
    e.m.SetSliderDevice(7, 2);
    e.m.SetSliderLeft(7, 400);
    e.m.SetSliderTop(7, 10);
    w.UDSlider(7);
    CanvasImage *image = e.image(QStringLiteral("imgSlider_7"));
    QCOMPARE(!image->isHidden(), visible);
    if (visible)
        QCOMPARE(image->geometry(), QRect(QPoint(400, 10), ObjectPictures::SliderSelectorPicture(picture - 1).size()));
    QCOMPARE(e.label(QStringLiteral("lblSSettings_7"))->text(), line);
    QCOMPARE(image->toolTip(), tip);
}

void tst_Canvas::textObject_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("border");
    QTest::addColumn<QColor>("back"); // invalid: transparent
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("line");
    const QSize stored(128, 40);
    const QSize small(16, 221), large(20, 421);
    QTest::newRow("disabled") << 0 << false << false << QColor() << stored << "Hello"
                              << "Disabled";
    QTest::newRow("text") << 1 << true << false << QColor() << stored << "Hello"
                          << "Text";
    QTest::newRow("slider value") << 2 << true << true << QColor(Qt::white) << stored << "Hello"
                                  << "Slider Dev:0C";
    QTest::newRow("dimmer value") << 3 << true << true << QColor(Qt::white) << stored << "Hello"
                                  << "Dimmer Dev:0C";
    QTest::newRow("small blue") << 4 << true << true << QColor(0, 0, 255) << small << ""
                                << "Dim Bar Dev:0C";
    QTest::newRow("small green") << 5 << true << true << QColor(0, 255, 0) << small << ""
                                 << "Dim Bar Dev:0C";
    QTest::newRow("small gray") << 6 << true << true << QColor(128, 128, 128) << small << ""
                                << "Dim Bar Dev:0C";
    QTest::newRow("large blue") << 7 << true << true << QColor(0, 0, 255) << large << ""
                                << "Dim Bar Dev:0C";
    QTest::newRow("large green") << 8 << true << true << QColor(0, 255, 0) << large << ""
                                 << "Dim Bar Dev:0C";
    QTest::newRow("large gray") << 9 << true << true << QColor(128, 128, 128) << large << ""
                                << "Dim Bar Dev:0C";
}

void tst_Canvas::textObject()
{
    QFETCH(int, type);
    QFETCH(bool, visible);
    QFETCH(bool, border);
    QFETCH(QColor, back);
    QFETCH(QSize, size);
    QFETCH(QString, text);
    QFETCH(QString, line);
    Editor e;
    frmVantile &w = e.start();
    e.m.SetNodeAddress(10);
    e.m.SetTextType(3, type);
    e.m.SetTextLeft(3, 33);
    e.m.SetTextTop(3, 44);
    e.m.SetTextWidth(3, 128);
    e.m.SetTextHeight(3, 40);
    e.m.SetTextDevice(3, 1);
    e.m.SetTextString(3, QStringLiteral("Hello"));
    e.m.SetTextColor(3, 1);
    w.UDTitle(3);
    CanvasLabel *label = e.canvasLabel(QStringLiteral("lblTextBox_3"));
    QCOMPARE(!label->isHidden(), visible);
    QCOMPARE(label->geometry(), QRect(QPoint(33, 44), size));
    QCOMPARE(label->hasBorder(), border);
    QCOMPARE(label->backColor(), back);
    QCOMPARE(label->text(), text);
    QCOMPARE(label->foreColor(), QColor(Qt::white));
    QCOMPARE(label->toolTip(), QString());
    QCOMPARE(e.label(QStringLiteral("lblTSettings_3"))->text(), line);

    // An unknown type changes nothing of what is shown but the position.
    e.m.SetTextType(3, 12);
    e.m.SetTextLeft(3, 50);
    e.m.SetTextWidth(3, 7);
    w.UDTitle(3);
    QCOMPARE(!label->isHidden(), visible);
    QCOMPARE(label->geometry(), QRect(QPoint(50, 44), size));
    QCOMPARE(label->hasBorder(), border);
    QCOMPARE(label->backColor(), back);
    QCOMPARE(e.label(QStringLiteral("lblTSettings_3"))->text(), line);
}

void tst_Canvas::textFont_data()
{
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<int>("points");
    QTest::addColumn<bool>("bold");
    QTest::newRow("small") << 0 << 8 << true;
    QTest::newRow("medium") << 1 << 12 << true;
    QTest::newRow("large") << 2 << 18 << false;
    QTest::newRow("extra large") << 3 << 24 << false;
}

void tst_Canvas::textFont()
{
    QFETCH(int, fontSize);
    QFETCH(int, points);
    QFETCH(bool, bold);
    Editor e;
    frmVantile &w = e.start();
    e.m.SetTextType(0, 1);
    e.m.SetTextFontSize(0, fontSize);
    w.UDTitle(0);
    CanvasLabel *label = e.canvasLabel(QStringLiteral("lblTextBox_0"));
    QCOMPARE(CanvasFontPoints(label->font()), points);
    QCOMPARE(label->font().bold(), bold);
    QCOMPARE(label->font().family(), QStringLiteral("Arial"));
    QCOMPARE(label->foreColor(), QColor(Qt::black));
    // Any other size leaves the font as it was.
    e.m.SetTextFontSize(0, 7);
    w.UDTitle(0);
    QCOMPARE(CanvasFontPoints(label->font()), points);
    QCOMPARE(label->font().bold(), bold);
}

void tst_Canvas::showTextBoxes()
{
    Editor e;
    e.start();
    e.m.SetTextType(1, 1);
    e.m.SetTextType(2, 2);
    auto *box = e.get<QCheckBox>(QStringLiteral("chkHideTitleBG"));
    box->click();
    QVERIFY(box->isChecked());
    QCOMPARE(e.canvasLabel(QStringLiteral("lblTextBox_1"))->backColor(), QColor(192, 192, 192));
    QCOMPARE(e.canvasLabel(QStringLiteral("lblTextBox_2"))->backColor(), QColor(Qt::white));
    box->click();
    QVERIFY(!e.canvasLabel(QStringLiteral("lblTextBox_1"))->isOpaque());
    QVERIFY(!e.changed());
}

void tst_Canvas::hoverHighlight()
{
    Editor e;
    frmVantile &w = e.start();
    e.m.SetButtonType(4, 1);
    e.m.SetButtonPicture(4, 4);
    e.m.SetPilotUsed(9, 1);
    e.m.SetPilotLeft(9, 200);
    w.ShowScreen();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto move = [](QWidget *widget) {
        QMouseEvent event(QEvent::MouseMove, QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    };
    const QColor grey(224, 224, 224), yellow(255, 255, 0);
    move(e.image(QStringLiteral("imgPB_4")));
    QCOMPARE(e.lineColor(QStringLiteral("lblBSettings_4")), yellow);
    move(e.image(QStringLiteral("imgPilot_9")));
    QCOMPARE(e.lineColor(QStringLiteral("lblBSettings_4")), grey);
    QCOMPARE(e.lineColor(QStringLiteral("lblPSettings_9")), yellow);
    move(e.canvasLabel(QStringLiteral("lblButton_4")));
    QCOMPARE(e.lineColor(QStringLiteral("lblBSettings_4")), yellow);
    QCOMPARE(e.lineColor(QStringLiteral("lblPSettings_9")), grey);
    move(e.get<QWidget>(QStringLiteral("picSurface")));
    QCOMPARE(e.lineColor(QStringLiteral("lblBSettings_4")), grey);
    // The audio box clears the highlight too.
    move(e.image(QStringLiteral("imgPilot_9")));
    e.get<QCheckBox>(QStringLiteral("chkBeep"))->click();
    QCOMPARE(e.lineColor(QStringLiteral("lblPSettings_9")), grey);
}

void tst_Canvas::backgrounds()
{
    Editor e;
    frmVantile &w = e.start();
    auto *surface = e.get<CanvasSurface>(QStringLiteral("picSurface"));

    // The selector's ten-character form reads like the eleven-character one.
    e.m.ScreenBackground[0] = QStringLiteral("[&H00FF00&");
    w.ShowScreen();
    QCOMPARE(surface->backColor(), QColor(0, 255, 0));
    QVERIFY(surface->picture().isNull());
    QCOMPARE(e.label(QStringLiteral("lblBGFile"))->text(), QStringLiteral("Solid Color"));

    const QString picture = e.home.file(QStringLiteral("back.bmp"));
    QImage bitmap(100, 100, QImage::Format_RGB888);
    bitmap.fill(QColor(10, 20, 30));
    QVERIFY(bitmap.save(picture, "BMP"));
    e.m.ScreenBackground[0] = picture;
    w.ShowScreen();
    QCOMPARE(surface->picture().size(), QSize(100, 100));
    QCOMPARE(e.label(QStringLiteral("lblBGFile"))->text(), picture);
    QVERIFY(e.messages.boxes.isEmpty());

    QVERIFY(QFile::remove(picture));
    w.ShowScreen();
    QCOMPARE(e.messages.boxes.size(), 1);
    QCOMPARE(e.messages.boxes[0].text, QStringLiteral("File Not Found\r\n") + picture);
    QCOMPARE(e.messages.boxes[0].title, QStringLiteral("File Missing"));
    QCOMPARE(e.messages.boxes[0].icon, MessagePrompt::Icon::Information);
    QCOMPARE(e.messages.boxes[0].buttons, MessagePrompt::Buttons::Ok);
    QVERIFY(surface->picture().isNull());
    QCOMPARE(surface->backColor(), QColor(Qt::white));
    QCOMPARE(e.label(QStringLiteral("lblBGFile"))->text(), QStringLiteral("BMP File Missing"));
    QCOMPARE(e.m.ScreenBackground[0], picture);
}

void tst_Canvas::backgroundsFromAnotherMachine_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>(
        "shown"); // the library holds Hall.bmp and Both.bmp, the project folder STAGE.bmp and both.BMP
    QTest::newRow("library") << "C:\\Old PC\\BMP Library\\HALL.BMP"
                             << "Hall.bmp, found in the BMP Library";
    QTest::newRow("project folder") << "/home/someone/stage.bmp"
                                    << "STAGE.bmp, found in the project folder";
    QTest::newRow("library first") << "D:\\both.bmp"
                                   << "Both.bmp, found in the BMP Library";
    QTest::newRow("nowhere") << "C:\\Old PC\\"
                             << "BMP File Missing";
    // A bare name is always looked up, never taken from the current folder.
    QTest::newRow("bare name") << "Hall.bmp"
                               << "Hall.bmp, found in the BMP Library";
}

// The picture is found by its name; the project file keeps the stored path.
void tst_Canvas::backgroundsFromAnotherMachine()
{
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    Editor e;
    const QString library = e.home.root() + QStringLiteral("/ZAV Quellix Touch Screen/BMP Library/");
    QVERIFY(QDir().mkpath(library));
    QImage bitmap(40, 30, QImage::Format_RGB888);
    for (const QString &path :
         {library + "Hall.bmp", library + "Both.bmp", e.home.file("STAGE.bmp"), e.home.file("both.BMP")})
        QVERIFY(bitmap.save(path, "BMP"));
    modVantile made;
    made.ScreenBackground[0] = stored;
    made.ProjectFileName = e.home.file(QStringLiteral("Hall.QXC"));
    QVERIFY(made.SaveProject());

    e.start();
    e.files.answers << made.ProjectFileName << e.home.file(QStringLiteral("Copy.QXC"));
    e.action(QStringLiteral("mnuFileOpen"))->trigger();
    QCOMPARE(e.label(QStringLiteral("lblBGFile"))->text(), shown);
    QCOMPARE(e.messages.boxes.size(), shown.startsWith(QLatin1String("BMP")) ? 1 : 0);
    e.action(QStringLiteral("mnuFileSaveAs"))->trigger();
    QCOMPARE(readFile(e.home.file(QStringLiteral("Copy.QXC"))), readFile(made.ProjectFileName));
}

// Every field of every record on every screen holds a value a damaged file
// could carry; the window shows what it can.
void tst_Canvas::damagedProject()
{
    Editor e;
    frmVantile &w = e.start();
    static constexpr int16_t values[] = {0, 1, 7, 9, 56, 99, 200, 255, 256, 32000, 32767, -1, -32768};
    QRandomGenerator random(20261209);
    modVantile damaged;
    for (auto &word : damaged.PanelImage)
        word = values[random.bounded(int(std::size(values)))];
    for (auto &word : damaged.EditorImage)
        word = values[random.bounded(int(std::size(values)))];
    // The named cases on screen 0, button 0 and text 0.
    damaged.SelectScreen(0);
    damaged.SetButtonType(0, 1);
    damaged.SetButtonPicture(0, 200);
    damaged.SetButtonLeft(0, 32000);
    damaged.SetButtonFontSize(0, 7);
    damaged.SetTextType(0, 99);
    damaged.SetTextFontSize(0, 7);
    damaged.ScreenBackground[3] = QString();
    damaged.ScreenBackground[4] = QStringLiteral("[&HZZ");
    const QString path = e.home.file(QStringLiteral("damaged.QXC"));
    QVERIFY(writeFile(path, damaged.ProjectBytes()));

    e.files.answers << path;
    e.action(QStringLiteral("mnuFileOpen"))->trigger();
    QCOMPARE(e.m.ProjectFileName, path);
    w.show();
    for (int s = 0; s < 16; ++s) {
        e.choose(QStringLiteral("cboScreenNumber"), s);
        QCOMPARE(e.m.CurrentScreen, int16_t(s));
        w.grab(); // paints every control
    }
    e.choose(QStringLiteral("cboScreenNumber"), 0);
    CanvasImage *image = e.image(QStringLiteral("imgPB_0"));
    QVERIFY(!image->isHidden());
    QVERIFY(image->picture().isNull());
    QCOMPARE(image->size(), QSize(0, 0));
    QCOMPARE(image->x(), 32000);
    // Type 99 leaves its line as it was.
    const QString line = e.label(QStringLiteral("lblTSettings_0"))->text();
    w.UDTitle(0);
    QCOMPARE(e.label(QStringLiteral("lblTSettings_0"))->text(), line);
    // The lists show nothing for stored indexes they do not have.
    for (const char *name : {"cboQXAddress", "cboQXRange", "cboScnRes", "cboCmdSet"}) {
        QComboBox *box = e.combo(QString::fromLatin1(name));
        QVERIFY(box->currentIndex() >= -1 && box->currentIndex() < box->count());
    }
    // Changing an option still works from there.
    e.choose(QStringLiteral("cboScnRes"), 1);
    QCOMPARE(e.m.GetResolution(), 1);
    QVERIFY(e.changed());
}

int runCanvasTests(int argc, char **argv)
{
    tst_Canvas tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "tst_canvas.moc"
