#include "model/Arrange.h"
#include "model/EditOperations.h"
#include "model/modVantile.h"

#include <QtTest>

using namespace EditOperations;

class tst_EditOperations : public QObject
{
    Q_OBJECT

private slots:
    void newButtonsFromDefaults();
    void newObjectFillsLowestFreeSlot();
    void fullScreen_data();
    void fullScreen();
    void newObjectsCopyTemplate();
    void newSliderSize();
    void snap_data();
    void snap();
    void snapEveryRecord();
    void gridLines_data();
    void gridLines();
    void roundHalfEven_data();
    void roundHalfEven();
    void drop_data();
    void drop();
    void clearScreen();
    void objectTransfer_data();
    void objectTransfer();
    void objectGroups_data();
    void objectGroups();
    void arrange_data();
    void arrange();
    void derivedWords_data();
    void derivedWords();
    void freeSpot_data();
    void freeSpot();
};

void tst_EditOperations::newButtonsFromDefaults()
{
    modVantile m;
    m.SelectScreen(3);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(NewObject(m, Kind::Button), i);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(m.GetButtonText(i), QStringLiteral("B 0%1").arg(i + 1));
        QCOMPARE(m.GetButtonType(i), 1);
        QCOMPARE(m.GetButtonPicture(i), 1);
        QCOMPARE(m.GetButtonWidth(i), 96);
        QCOMPARE(m.GetButtonHeight(i), 32);
        QCOMPARE(m.GetButtonLeft(i), 0);
        QCOMPARE(m.GetButtonTop(i), 0);
    }
    // Creating objects never makes a template.
    QCOMPARE(m.LastButton, int16_t(-1));
    QCOMPARE(NewObject(m, Kind::Text), 0);
    QCOMPARE(m.GetTextType(0), 1);
    QCOMPARE(m.GetTextWidth(0), 128);
    QCOMPARE(NewObject(m, Kind::Pilot), 0);
    QCOMPARE(m.GetPilotUsed(0), 1);
}

void tst_EditOperations::newObjectFillsLowestFreeSlot()
{
    modVantile m;
    m.SetButtonType(0, 5);
    m.SetButtonType(1, 5);
    m.SetButtonType(3, 5);
    QCOMPARE(NewObject(m, Kind::Button), 2);
    QCOMPARE(m.GetButtonText(2), QStringLiteral("B 03"));
    QCOMPARE(NewObject(m, Kind::Button), 4);
}

void tst_EditOperations::fullScreen_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("count");
    QTest::newRow("buttons") << int(Kind::Button) << 32;
    QTest::newRow("pilots") << int(Kind::Pilot) << 32;
    QTest::newRow("sliders") << int(Kind::Slider) << 8;
    QTest::newRow("texts") << int(Kind::Text) << 16;
}

void tst_EditOperations::fullScreen()
{
    QFETCH(int, kind);
    QFETCH(int, count);
    modVantile m;
    for (int i = 0; i < count; ++i)
        QCOMPARE(NewObject(m, Kind(kind)), i);
    const auto panel = m.PanelImage;
    const auto editor = m.EditorImage;
    QCOMPARE(NewObject(m, Kind(kind)), -1);
    QVERIFY(m.PanelImage == panel);
    QVERIFY(m.EditorImage == editor);
}

void tst_EditOperations::newObjectsCopyTemplate()
{
    modVantile m;
    m.SetPilotUsed(7, 1);
    m.SetPilotPicture(7, 40);
    m.SetPilotDevice(7, 12);
    m.SetPilotInput(7, 5);
    m.SetPilotLeft(7, 300);
    m.LastPilot = 7;
    QCOMPARE(NewObject(m, Kind::Pilot), 0);
    QCOMPARE(m.GetPilotPicture(0), 40);
    QCOMPARE(m.GetPilotDevice(0), 12);
    QCOMPARE(m.GetPilotInput(0), 5);
    QCOMPARE(m.GetPilotLeft(0), 0);

    m.SetButtonType(9, 44);
    m.SetButtonPassword(9, 123456);
    m.SetButtonPicture(9, 30);
    m.SetButtonWidth(9, 224);
    m.SetButtonText(9, QStringLiteral("Cellar"));
    m.SetButtonTop(9, 77);
    m.LastButton = 9;
    QCOMPARE(NewObject(m, Kind::Button), 0);
    QCOMPARE(m.GetButtonType(0), 44);
    QCOMPARE(m.GetButtonPassword(0), 123456);
    QCOMPARE(m.GetButtonWidth(0), 224);
    QCOMPARE(m.GetButtonText(0), QStringLiteral("Cellar"));
    QCOMPARE(m.GetButtonTop(0), 0);

    // A new text object keeps whatever device its slot holds.
    m.SetTextDevice(0, 9);
    QCOMPARE(NewObject(m, Kind::Text), 0);
    QCOMPARE(m.GetTextDevice(0), 9);
}

void tst_EditOperations::newSliderSize()
{
    modVantile m;
    QCOMPARE(NewObject(m, Kind::Slider), 0);
    QCOMPARE(m.GetSliderWidth(0), 34);
    QCOMPARE(m.GetSliderHeight(0), 221);
    QCOMPARE(m.GetSliderWidth(1), 0);
    m.SetSliderPicture(0, 5);
    m.LastSlider = 0;
    QCOMPARE(NewObject(m, Kind::Slider), 1);
    QCOMPARE(m.GetSliderWidth(1), 42);
    QCOMPARE(m.GetSliderHeight(1), 421);
    // A damaged template picture number gives no size, and no crash.
    m.SetSliderPicture(1, 200);
    m.LastSlider = 1;
    QCOMPARE(NewObject(m, Kind::Slider), 2);
    QCOMPARE(m.GetSliderWidth(2), 0);
}

void tst_EditOperations::snap_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("snappedLeft");
    QTest::addColumn<int>("snappedTop");
    QTest::newRow("16") << 16 << 37 << 95 << 32 << 80;
    QTest::newRow("64") << 64 << 37 << 95 << 0 << 64;
    QTest::newRow("8 on the line") << 8 << 40 << 8 << 40 << 8;
    QTest::newRow("32") << 32 << 799 << 31 << 768 << 0;
}

void tst_EditOperations::snap()
{
    QFETCH(int, size);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(int, snappedLeft);
    QFETCH(int, snappedTop);
    modVantile m;
    m.SetSliderLeft(0, left);
    m.SetSliderTop(0, top);
    m.SetTextLeft(15, left);
    m.SetTextTop(15, top);
    SnapUndo undo;
    SnapToGrid(m, size, &undo);
    QCOMPARE(m.GetSliderLeft(0), snappedLeft);
    QCOMPARE(m.GetSliderTop(0), snappedTop);
    QCOMPARE(m.GetTextLeft(15), snappedLeft);
    QCOMPARE(m.GetTextTop(15), snappedTop);
    UndoSnapToGrid(m, undo);
    QCOMPARE(m.GetSliderLeft(0), left);
    QCOMPARE(m.GetSliderTop(0), top);
    QCOMPARE(m.GetTextTop(15), top);
}

void tst_EditOperations::snapEveryRecord()
{
    modVantile m;
    m.SelectScreen(2);
    for (int n = 0; n < 32; ++n) {
        m.SetButtonLeft(n, 100 + n); // unused records too
        m.SetPilotTop(n, 50 + n);
    }
    SnapUndo undo;
    SnapToGrid(m, 16, &undo);
    for (int n = 0; n < 32; ++n) {
        QCOMPARE(m.GetButtonLeft(n), (100 + n) / 16 * 16);
        QCOMPARE(m.GetPilotTop(n), (50 + n) / 16 * 16);
    }
    UndoSnapToGrid(m, undo);
    for (int n = 0; n < 32; ++n) {
        QCOMPARE(m.GetButtonLeft(n), 100 + n);
        QCOMPARE(m.GetPilotTop(n), 50 + n);
    }
}

void tst_EditOperations::gridLines_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("lastRow");
    QTest::addColumn<int>("columns");
    QTest::newRow("1080 high, 8") << 1920 << 1080 << 8 << 101 << 808 << 101;
    QTest::newRow("1080 high, 64") << 1920 << 1080 << 64 << 17 << 1088 << 30;
    QTest::newRow("768, 32") << 1024 << 768 << 32 << 24 << 768 << 32;
    QTest::newRow("halves round to even") << 1000 << 40 << 16 << 3 << 48 << 63; // 1.5 -> 2, 61.5 -> 62
}

void tst_EditOperations::gridLines()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, size);
    QFETCH(int, rows);
    QFETCH(int, lastRow);
    QFETCH(int, columns);
    const GridLines lines = GridLinePositions(width, height, size);
    QCOMPARE(lines.horizontal.size(), rows);
    QCOMPARE(lines.horizontal.first(), size);
    QCOMPARE(lines.horizontal.last(), lastRow);
    QCOMPARE(lines.vertical.size(), columns);
}

void tst_EditOperations::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("rounded");
    QTest::newRow("0.5") << 0.5 << 0;
    QTest::newRow("1.5") << 1.5 << 2;
    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("2.6") << 2.6 << 3;
    QTest::newRow("-0.5") << -0.5 << 0;
    QTest::newRow("huge") << 1e300 << 1000000000;
}

void tst_EditOperations::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(int, rounded);
    QCOMPARE(RoundHalfEven(value), rounded);
}

void tst_EditOperations::drop_data()
{
    QTest::addColumn<int>("source");
    QTest::addColumn<double>("x"); // proposed top-left of the control, twips
    QTest::addColumn<double>("y");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    // Pilot grabbed 10 px inside, dropped with the mouse at x 300 px.
    QTest::newRow("pilot") << int(DropSource::Pilot) << (300.0 - 10) * 15 << 45.0 << true << 290 << 3;
    QTest::newRow("pilot left of canvas") << int(DropSource::Pilot) << -1.0 << 45.0 << false << 0 << 0;
    QTest::newRow("slider above canvas") << int(DropSource::Slider) << 10.0 << -0.5 << false << 0 << 0;
    QTest::newRow("text past the right edge") << int(DropSource::TextBox) << 900.0 * 15 << 0.0 << true << 900 << 0;
    QTest::newRow("button picture, half to even") << int(DropSource::ButtonPicture) << 22.5 << 37.5 << true << 2 << 2;
    // Caption at font size 1 sits 105 twips (7 px) inside the button.
    QTest::newRow("caption") << int(DropSource::ButtonCaption) << 20.0 * 15 << 30.0 * 15 << true << 13 << 23;
    QTest::newRow("caption too far left") << int(DropSource::ButtonCaption) << 5.0 * 15 << 30.0 * 15 << false << 0 << 0;
}

void tst_EditOperations::drop()
{
    QFETCH(int, source);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(bool, stored);
    QFETCH(int, left);
    QFETCH(int, top);
    modVantile m;
    m.SetButtonTextX(4, 105);
    m.SetButtonTextY(4, 105);
    const auto panel = m.PanelImage;
    QCOMPARE(StoreDrop(m, DropSource(source), 4, x, y), stored);
    if (!stored) {
        QVERIFY(m.PanelImage == panel);
        return;
    }
    switch (DropSource(source)) {
    case DropSource::Pilot:
        QCOMPARE(m.GetPilotLeft(4), left);
        QCOMPARE(m.GetPilotTop(4), top);
        break;
    case DropSource::Slider:
        QCOMPARE(m.GetSliderLeft(4), left);
        QCOMPARE(m.GetSliderTop(4), top);
        break;
    case DropSource::TextBox:
        QCOMPARE(m.GetTextLeft(4), left);
        QCOMPARE(m.GetTextTop(4), top);
        break;
    default:
        QCOMPARE(m.GetButtonLeft(4), left);
        QCOMPARE(m.GetButtonTop(4), top);
    }
}

void tst_EditOperations::clearScreen()
{
    modVantile m;
    for (int s = 0; s < 16; ++s) {
        m.SelectScreen(s);
        m.SetButtonType(0, 9);
        m.SetButtonText(0, QStringLiteral("Hall"));
        m.SetTextWidth(12, 300);
        m.ScreenBackground[s] = QStringLiteral("[&H000000&");
    }
    m.SetNodeAddress(20);
    m.SetResolution(3);
    m.ProjectFileName = QStringLiteral("/p.QXC");
    m.LastButton = 0;

    m.SelectScreen(3);
    m.ClearScreenData();
    QCOMPARE(m.GetButtonType(0), 0);
    QCOMPARE(m.GetButtonText(0), QStringLiteral("B 01"));
    QCOMPARE(m.GetTextWidth(12), 0);
    QCOMPARE(m.GetTextWidth(7), 128);
    QCOMPARE(m.ScreenBackground[3], QStringLiteral("[&HFFFFFF&]"));
    QCOMPARE(m.LastButton, int16_t(-1));
    QCOMPARE(m.GetNodeAddress(), 20);
    QCOMPARE(m.ProjectFileName, QStringLiteral("/p.QXC"));
    for (int s : {2, 4, 15}) {
        m.SelectScreen(s);
        QCOMPARE(m.GetButtonType(0), 9);
        QCOMPARE(m.ScreenBackground[s], QStringLiteral("[&H000000&"));
    }

    m.SelectScreen(0);
    m.ClearScreenData();
    QCOMPARE(m.GetNodeAddress(), 0);
    QCOMPARE(m.GetResolution(), 0);
}

// The clipboard form of one object: whole records of a known kind only.
void tst_EditOperations::objectTransfer_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("cut");   // bytes taken off the end (negative: added)
    QTest::addColumn<int>("patch"); // byte 6 (the kind) replaced when >= 0
    QTest::addColumn<bool>("valid");
    QTest::newRow("button") << 0 << 0 << -1 << true;
    QTest::newRow("pilot") << 1 << 0 << -1 << true;
    QTest::newRow("slider") << 2 << 0 << -1 << true;
    QTest::newRow("text") << 3 << 0 << -1 << true;
    QTest::newRow("one byte short") << 0 << 1 << -1 << false;
    QTest::newRow("one byte more") << 3 << -1 << -1 << false;
    QTest::newRow("pilot record read as a slider") << 1 << 0 << 2 << false;
    QTest::newRow("unknown kind") << 0 << 0 << 4 << false;
    QTest::newRow("tag only") << 0 << 1000 << -1 << false;
}

void tst_EditOperations::objectTransfer()
{
    QFETCH(int, kind);
    QFETCH(int, cut);
    QFETCH(int, patch);
    QFETCH(bool, valid);
    modVantile m;
    m.SelectScreen(5);
    const Kind k = Kind(kind);
    NewObject(m, k);
    SetObjectPosition(m, 5, k, 0, QPoint(300, 200));
    m.SetButtonText(5, 0, QStringLiteral("Küche"));
    m.SetTextString(5, 0, QStringLiteral("Wohnzimmer"));
    QByteArray bytes = EncodeObject(CopyObject(m, 5, k, 0));
    QVERIFY(bytes.startsWith("QXOBJ1"));
    if (cut > 0)
        bytes.chop(std::min<qsizetype>(cut, bytes.size() - 6));
    else if (cut < 0)
        bytes.append(QByteArray(-cut, '\0'));
    if (patch >= 0)
        bytes[6] = char(patch);
    ObjectCopy copy;
    QCOMPARE(DecodeObject(bytes, &copy), valid);
    if (!valid)
        return;
    QCOMPARE(CopyPosition(copy), QPoint(300, 200));
    modVantile other;
    WriteObject(other, 2, 7, copy);
    QCOMPARE(CopyObject(other, 2, k, 7).panel, copy.panel);
    QCOMPARE(CopyObject(other, 2, k, 7).editor, copy.editor);
    QCOMPARE(ObjectPosition(other, 2, k, 7), QPoint(300, 200));
}

void tst_EditOperations::objectGroups_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("cut");   // bytes taken off the end (negative: added)
    QTest::addColumn<int>("patch"); // the number of objects replaced when >= 0
    QTest::addColumn<bool>("valid");
    QTest::newRow("one object, the single form") << 1 << 0 << -1 << true;
    QTest::newRow("four objects") << 4 << 0 << -1 << true;
    QTest::newRow("a byte short") << 4 << 1 << -1 << false;
    QTest::newRow("a byte more") << 4 << -1 << -1 << false;
    QTest::newRow("counted one too many") << 4 << 0 << 5 << false;
    QTest::newRow("counted one too few") << 4 << 0 << 3 << false;
    QTest::newRow("counted none") << 4 << 0 << 0 << false;
}

// Several objects travel together and come back whole, or not at all.
void tst_EditOperations::objectGroups()
{
    QFETCH(int, count);
    QFETCH(int, cut);
    QFETCH(int, patch);
    QFETCH(bool, valid);
    modVantile m;
    const Kind kinds[] = {Kind::Text, Kind::Button, Kind::Slider, Kind::Pilot};
    QList<ObjectCopy> copies;
    for (int i = 0; i < count; ++i) {
        NewObject(m, kinds[i]);
        SetObjectPosition(m, 0, kinds[i], 0, QPoint(10 * i, 20 * i));
        copies << CopyObject(m, 0, kinds[i], 0);
    }
    QByteArray bytes = EncodeObjects(copies);
    QCOMPARE(bytes.startsWith("QXOBJS1"), count > 1);
    if (cut > 0)
        bytes.chop(cut);
    else if (cut < 0)
        bytes.append(QByteArray(-cut, '\0'));
    if (patch >= 0)
        bytes[7] = char(patch);
    QList<ObjectCopy> decoded;
    QCOMPARE(DecodeObjects(bytes, &decoded), valid);
    QCOMPARE(decoded.size(), valid ? count : 0);
    for (qsizetype i = 0; i < decoded.size(); ++i) {
        QCOMPARE(decoded[i].kind, copies[i].kind);
        QCOMPARE(decoded[i].panel, copies[i].panel);
        QCOMPARE(decoded[i].editor, copies[i].editor);
    }
}

void tst_EditOperations::arrange_data()
{
    using Op = Arrange::Operation;
    QTest::addColumn<int>("operation");
    QTest::addColumn<QList<QRect>>("areas");
    QTest::addColumn<QList<bool>>("resizable");
    QTest::addColumn<QList<QRect>>("expected");
    const QList<QRect> three{QRect(40, 10, 96, 32), QRect(10, 60, 32, 32), QRect(200, 100, 128, 64)};
    const QList<bool> none{false, false, false};
    QTest::newRow("left") << int(Op::AlignLeft) << three << none
                          << QList<QRect>{QRect(10, 10, 96, 32), QRect(10, 60, 32, 32), QRect(10, 100, 128, 64)};
    QTest::newRow("right") << int(Op::AlignRight) << three << none
                           << QList<QRect>{QRect(232, 10, 96, 32), QRect(296, 60, 32, 32), QRect(200, 100, 128, 64)};
    QTest::newRow("top") << int(Op::AlignTop) << three << none
                         << QList<QRect>{QRect(40, 10, 96, 32), QRect(10, 10, 32, 32), QRect(200, 10, 128, 64)};
    QTest::newRow("bottom") << int(Op::AlignBottom) << three << none
                            << QList<QRect>{QRect(40, 132, 96, 32), QRect(10, 132, 32, 32), QRect(200, 100, 128, 64)};
    QTest::newRow("one column") << int(Op::AlignHorizontalCentres) << three << none
                                << QList<QRect>{QRect(121, 10, 96, 32), QRect(153, 60, 32, 32),
                                                QRect(105, 100, 128, 64)};
    QTest::newRow("one row") << int(Op::AlignVerticalCentres) << three << none
                             << QList<QRect>{QRect(40, 71, 96, 32), QRect(10, 71, 32, 32), QRect(200, 55, 128, 64)};
    // Between 10 and 328 the three take 256 pixels: two gaps of 31.
    QTest::newRow("distributed across") << int(Op::DistributeHorizontally) << three << none
                                        << QList<QRect>{QRect(73, 10, 96, 32), QRect(10, 60, 32, 32),
                                                        QRect(200, 100, 128, 64)};
    // Overlapping: equal overlaps instead.
    QTest::newRow("distributed down, overlapping")
        << int(Op::DistributeVertically)
        << QList<QRect>{QRect(0, 0, 10, 50), QRect(0, 10, 10, 50), QRect(0, 60, 10, 10)}
        << QList<bool>{false, false, false}
        << QList<QRect>{QRect(0, 0, 10, 50), QRect(0, 30, 10, 50), QRect(0, 60, 10, 10)};
    QTest::newRow("two stay as they are")
        << int(Op::DistributeHorizontally) << three.mid(0, 2) << none.mid(0, 2) << three.mid(0, 2);
    QTest::newRow("same width: the first free size, fixed ones stay")
        << int(Op::SameWidth) << three << QList<bool>{false, true, true}
        << QList<QRect>{QRect(40, 10, 96, 32), QRect(10, 60, 32, 32), QRect(200, 100, 32, 64)};
    QTest::newRow("same height, moved back onto the screen")
        << int(Op::SameHeight) << QList<QRect>{QRect(0, 0, 10, 200), QRect(20, 250, 10, 10)} << QList<bool>{true, true}
        << QList<QRect>{QRect(0, 0, 10, 200), QRect(20, 72, 10, 200)};
    // Something already past the right edge is not followed off the screen.
    QTest::newRow("right edge inside the screen")
        << int(Op::AlignRight) << QList<QRect>{QRect(0, 0, 20, 20), QRect(470, 0, 20, 20)} << QList<bool>{false, false}
        << QList<QRect>{QRect(460, 0, 20, 20), QRect(460, 0, 20, 20)};
    QTest::newRow("wider than the screen goes to its edge")
        << int(Op::AlignHorizontalCentres) << QList<QRect>{QRect(0, 0, 600, 20), QRect(100, 30, 20, 20)}
        << QList<bool>{false, false} << QList<QRect>{QRect(0, 0, 600, 20), QRect(230, 30, 20, 20)};
}

void tst_EditOperations::arrange()
{
    QFETCH(int, operation);
    QFETCH(QList<QRect>, areas);
    QFETCH(QList<bool>, resizable);
    QFETCH(QList<QRect>, expected);
    QList<Arrange::Item> items;
    for (qsizetype i = 0; i < areas.size(); ++i)
        items << Arrange::Item{areas[i], resizable[i]};
    QCOMPARE(Arrange::Apply(Arrange::Operation(operation), items, QSize(480, 272)), expected);
}

void tst_EditOperations::derivedWords_data()
{
    QTest::addColumn<bool>("editor");
    QTest::addColumn<int>("word"); // within screen 3's block
    QTest::addColumn<bool>("derived");
    QTest::newRow("button type") << false << 256 << false;
    QTest::newRow("button left") << false << 256 + 16 + 2 << false;
    QTest::newRow("button right") << false << 256 + 16 + 3 << true;
    QTest::newRow("button bottom") << false << 256 + 8 << true;
    QTest::newRow("button device") << false << 256 + 9 << false;
    QTest::newRow("caption offset x") << true << 35 + 5 << true;
    QTest::newRow("caption offset y") << true << 8 << true;
    QTest::newRow("caption colour") << true << 9 << false;
    QTest::newRow("pilot left") << false << 8 + 3 << false;
    QTest::newRow("slider right") << false << 768 + 10 + 4 << true;
    QTest::newRow("slider top") << false << 768 + 6 << false;
    QTest::newRow("slider bottom") << false << 768 + 9 << true;
    QTest::newRow("slider width") << true << 1120 + 4 << true;
    QTest::newRow("text panel font") << false << 848 + 8 + 6 << true;
    QTest::newRow("text device") << false << 848 + 5 << false;
    QTest::newRow("text width") << true << 1152 + 2 << false;
    QTest::newRow("device options") << false << 976 << false;
}

void tst_EditOperations::derivedWords()
{
    QFETCH(bool, editor);
    QFETCH(int, word);
    QFETCH(bool, derived);
    const int block = editor ? modVantile::EditorBlockWords : modVantile::PanelBlockWords;
    QCOMPARE(modVantile::IsDerivedWord(editor, 3 * block + word), derived);
}

void tst_EditOperations::freeSpot_data()
{
    QTest::addColumn<QRect>("visible");
    QTest::addColumn<int>("grid");
    QTest::addColumn<QPoint>("spot");
    // A 100 x 40 text at (0, 0) and a 20 x 421 bar at (120, 0).
    QTest::newRow("beside the text") << QRect(0, 0, 480, 272) << 8 << QPoint(104, 0);
    QTest::newRow("past the bar") << QRect(0, 0, 480, 272) << 64 << QPoint(192, 0);
    QTest::newRow("panned down") << QRect(0, 430, 272, 50) << 8 << QPoint(0, 432);
    // Nowhere free: where it covers the least, the first of equals.
    QTest::newRow("crowded: covers the least") << QRect(64, 0, 64, 16) << 16 << QPoint(96, 0);
    QTest::newRow("crowded: all alike, the first") << QRect(0, 0, 100, 40) << 8 << QPoint(0, 0);
    QTest::newRow("no room: visible corner") << QRect(8, 8, 10, 10) << 8 << QPoint(8, 8);
}

void tst_EditOperations::freeSpot()
{
    QFETCH(QRect, visible);
    QFETCH(int, grid);
    QFETCH(QPoint, spot);
    modVantile m;
    m.SetTextType(1, 0, 1);
    m.SetTextWidth(1, 0, 100);
    m.SetTextHeight(1, 0, 40);
    m.SetTextType(1, 1, 8);
    m.SetTextLeft(1, 1, 120);
    QCOMPARE(FreeSpot(m, 1, Kind::Pilot, -1, QSize(16, 16), visible, grid), spot);
}

QTEST_MAIN(tst_EditOperations)
#include "tst_editoperations.moc"
