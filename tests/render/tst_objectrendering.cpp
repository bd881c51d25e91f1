#include "assets/ObjectPictures.h"
#include "model/DerivedFields.h"
#include "renderhelpers.h"

#include <QRandomGenerator>

namespace
{
constexpr QRgb White = 0xFFFFFFFF, Black = 0xFF000000;
constexpr QRgb Green = 0xFF00FF00, Red = 0xFFFF0000;
constexpr QRgb GreyFace = 0xFFE0E0E0;
} // namespace

class TestObjectRendering : public QObject
{
    Q_OBJECT

private slots:
    void buttonsNotDrawn_data();
    void buttonsNotDrawn();
    void keyedCopyLeavesCornersAndClips_data();
    void keyedCopyLeavesCornersAndClips();
    void captionOffsetsWrittenBack_data();
    void captionOffsetsWrittenBack();
    void captionFaceRule_data();
    void captionFaceRule();
    void captionRunsPastButton();
    void pilotsAndSliders_data();
    void pilotsAndSliders();
    void textsAndValueBoxes();
    void barGraphsRecoloured_data();
    void barGraphsRecoloured();
    void damagedRecordsRenderWhatTheyCan();

private:
    ScriptedMessages messages_;
};

void TestObjectRendering::buttonsNotDrawn_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("picture");
    QTest::newRow("function 0") << 0 << 5;
    QTest::newRow("touch area (picture 0)") << 9 << 0;
    QTest::newRow("picture 33, past the set") << 9 << 33;
    QTest::newRow("picture 255") << 25 << 255;
}

void TestObjectRendering::buttonsNotDrawn()
{
    QFETCH(int, type);
    QFETCH(int, picture);
    modVantile m;
    addButton(m, 4, picture, 10, 10, QStringLiteral("Caption"), 0, type);
    m.SetButtonTextX(4, 30);
    ScreenRenderer r(m, messages_);
    clearCanvas(r, Green);
    r.RIButton(4);
    QCOMPARE(countOther(r.Canvas().Image(), r.Canvas().Image().rect(), Green), 0);
    QCOMPARE(m.GetButtonTextX(4), 30);
}

void TestObjectRendering::keyedCopyLeavesCornersAndClips_data()
{
    QTest::addColumn<int>("picture"); // record value, 1 - 32
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::newRow("curved grey 32x24") << 3 << 10 << 10;
    QTest::newRow("curved blue 224x64") << 32 << 100 << 50;
    QTest::newRow("square grey 96x32") << 13 << 0 << 0;
    QTest::newRow("cut at the right and bottom edges") << 32 << 400 << 240;
    QTest::newRow("entirely outside") << 31 << 65535 << 65535;
}

void TestObjectRendering::keyedCopyLeavesCornersAndClips()
{
    QFETCH(int, picture);
    QFETCH(int, left);
    QFETCH(int, top);
    modVantile m;
    addButton(m, 0, picture, left, top, QString());
    ScreenRenderer r(m, messages_);
    clearCanvas(r, Green);
    r.RIButton(0);

    // Every pixel of the screen: the source pixel where it is not magenta, else the background.
    const QImage &source = ObjectPictures::ButtonPicture(picture - 1);
    const QImage &canvas = r.Canvas().Image();
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            const int sx = x - left, sy = y - top;
            QRgb expected = Green;
            if (sx >= 0 && sy >= 0 && sx < source.width() && sy < source.height() &&
                px(source, sx, sy) != ObjectPictures::KeyColor)
                expected = px(source, sx, sy);
            if (px(canvas, x, y) != expected)
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
        }
    if (left < canvas.width() && (picture % 4 == 3 || picture % 4 == 0)) // curved: the corners show the background
        QCOMPARE(px(canvas, left, top), Green);
}

void TestObjectRendering::captionOffsetsWrittenBack_data()
{
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<int>("offset");
    QTest::newRow("0: 8 points") << 0 << 75;
    QTest::newRow("1: 12 points") << 1 << 105;
    QTest::newRow("2: 18 points") << 2 << 165;
    QTest::newRow("3: 24 points") << 3 << 210;
    QTest::newRow("damaged 7 keeps the stored offsets") << 7 << 600;
}

void TestObjectRendering::captionOffsetsWrittenBack()
{
    // Drawing derives the offsets and leaves the image alone; the picture
    // compilation stores them (DerivedFields) so that a saved project holds them.
    QFETCH(int, fontSize);
    QFETCH(int, offset);
    modVantile m;
    addButton(m, 2, 20, 0, 0, QStringLiteral("B"));
    m.SetButtonFontSize(2, fontSize);
    m.SetButtonTextX(2, 600);
    m.SetButtonTextY(2, 600);
    const QByteArray before = m.ProjectBytes();
    ScreenRenderer r(m, messages_);
    clearCanvas(r, White);
    r.RIButton(2);
    QCOMPARE(m.ProjectBytes(), before);
    const QImage drawn = r.Canvas().Image().copy();

    DerivedFields::StoreCaptionOffsets(m);
    QCOMPARE(m.GetButtonTextX(2), offset);
    QCOMPARE(m.GetButtonTextY(2), offset);
    clearCanvas(r, White);
    r.RIButton(2);
    QCOMPARE(r.Canvas().Image(), drawn);
}

void TestObjectRendering::captionFaceRule_data()
{
    QTest::addColumn<QRgb>("background");
    QTest::addColumn<int>("fontSize"); // 9: damaged, the stored offsets stand
    QTest::addColumn<int>("offsetTwips");
    QTest::addColumn<int>("captionColor");
    QTest::addColumn<QRgb>("face");
    QTest::addColumn<bool>("visible");

    QTest::newRow("white on the grey face") << Green << 1 << 0 << 1 << GreyFace << true;
    QTest::newRow("black on the grey face") << Green << 1 << 0 << 0 << GreyFace << true;
    // Offsets beyond the picture read the face colour from the background.
    QTest::newRow("black on black") << Black << 9 << 1200 << 0 << Black << false;
    QTest::newRow("white on black") << Black << 9 << 1200 << 1 << Black << true;
    QTest::newRow("white on white") << White << 9 << 1200 << 1 << White << false;
}

void TestObjectRendering::captionFaceRule()
{
    QFETCH(QRgb, background);
    QFETCH(int, fontSize);
    QFETCH(int, offsetTwips);
    QFETCH(int, captionColor);
    QFETCH(QRgb, face);
    QFETCH(bool, visible);

    modVantile m;
    addButton(m, 0, 9, 20, 20, QStringLiteral("Lights"), captionColor); // 48 x 32, grey, square
    m.SetButtonFontSize(0, fontSize);
    m.SetButtonTextX(0, offsetTwips);
    m.SetButtonTextY(0, offsetTwips);
    ScreenRenderer r(m, messages_);
    clearCanvas(r, background);
    r.RIButton(0);
    const QImage &canvas = r.Canvas().Image();

    const int o = fontSize == 1 ? 7 : offsetTwips / 15;
    const QRect caption(20 + o, 20 + o, 200, 30);
    // Text pixels land only where the caption differs from the face it was read from.
    if (visible) {
        // On the face itself (inside the bevel) or, for offsets past the picture, beyond it.
        const QRect textArea = face == GreyFace ? QRect(20 + o, 20 + o, 45 - o, 29 - o) : caption;
        QVERIFY(countOther(canvas, textArea, face) > 20);
        // Text of the caption colour: the strongest pixel is near it.
        int lightest = 0, darkest = 255;
        for (int y = caption.top(); y <= caption.bottom(); ++y)
            for (int x = caption.left(); x <= caption.right(); ++x) {
                lightest = std::max(lightest, qGray(canvas.pixel(x, y)));
                darkest = std::min(darkest, qGray(canvas.pixel(x, y)));
            }
        QVERIFY(captionColor ? lightest >= 200 : darkest <= 60);
    } else {
        QCOMPARE(countOther(canvas, caption.intersected(QRect(69, 0, 480, 272)), face), 0);
    }
    // No pixel of the face colour is added next to the picture: the caption background is transparent.
    if (face != background)
        QCOMPARE(countColor(canvas, QRect(70, 20, 300, 40), face), 0);
}

void TestObjectRendering::captionRunsPastButton()
{
    modVantile m;
    addButton(m, 0, 1, 0, 0, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWX")); // 32 x 24
    ScreenRenderer r(m, messages_);
    clearCanvas(r, White);
    r.RIButton(0);
    const QImage &canvas = r.Canvas().Image();
    QVERIFY(countOther(canvas, QRect(32, 0, 200, 24), White) > 50);
    QVERIFY(countOther(canvas, QRect(150, 5, 100, 20), White) > 20);
    QCOMPARE(countOther(canvas, QRect(0, 5 + 36, 480, 200), White), 0); // 36 rows high at most
}

void TestObjectRendering::pilotsAndSliders_data()
{
    QTest::addColumn<bool>("slider");
    QTest::addColumn<int>("used");
    QTest::addColumn<int>("picture");
    QTest::addColumn<bool>("drawn");
    QTest::newRow("pilot unused") << false << 0 << 40 << false;
    QTest::newRow("pilot 40, OFF circle") << false << 1 << 40 << true;
    QTest::newRow("pilot 0, OFF lamp") << false << 1 << 0 << true;
    QTest::newRow("pilot picture 48, past the set") << false << 1 << 48 << false;
    QTest::newRow("slider 0, unused") << true << 0 << 0 << false;
    QTest::newRow("slider 1") << true << 1 << 1 << true;
    QTest::newRow("slider 6") << true << 1 << 6 << true;
    QTest::newRow("slider 7, past the set") << true << 1 << 7 << false;
}

void TestObjectRendering::pilotsAndSliders()
{
    QFETCH(bool, slider);
    QFETCH(int, used);
    QFETCH(int, picture);
    QFETCH(bool, drawn);
    modVantile m;
    QImage expected;
    if (slider) {
        m.SetSliderPicture(3, picture);
        m.SetSliderLeft(3, 30);
        m.SetSliderTop(3, 7);
        expected = ObjectPictures::SliderRenderPicture(picture - 1);
    } else {
        m.SetPilotUsed(3, used);
        m.SetPilotPicture(3, picture);
        m.SetPilotLeft(3, 30);
        m.SetPilotTop(3, 7);
        expected = ObjectPictures::PilotOffPicture(picture);
    }
    ScreenRenderer r(m, messages_);
    clearCanvas(r, Red, 480, 480);
    slider ? r.RISlider(3) : r.RIPilot(3);
    const QImage &canvas = r.Canvas().Image();
    if (!drawn) {
        QCOMPARE(countOther(canvas, canvas.rect(), Red), 0);
        return;
    }
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb source = px(expected, x, y);
            QCOMPARE(px(canvas, 30 + x, 7 + y), source == ObjectPictures::KeyColor ? Red : source);
        }
    QCOMPARE(countOther(canvas, canvas.rect(), Red), countOther(expected, expected.rect(), ObjectPictures::KeyColor));
}

void TestObjectRendering::textsAndValueBoxes()
{
    modVantile m;
    m.SetTextType(0, 1);
    m.SetTextFontSize(0, 3);
    m.SetTextColor(0, 1);
    m.SetTextLeft(0, 10);
    m.SetTextTop(0, 10);
    m.SetTextString(0, QStringLiteral("Living Room"));
    m.SetTextWidth(0, 8); // neither size limits the text
    m.SetTextHeight(0, 8);
    for (int fs = 0; fs < 4; ++fs) {
        m.SetTextType(1 + fs, 2 + fs % 2);
        m.SetTextFontSize(1 + fs, fs);
        m.SetTextLeft(1 + fs, 10 + 100 * fs);
        m.SetTextTop(1 + fs, 100);
        m.SetTextString(1 + fs, QStringLiteral("123"));
    }
    m.SetTextType(5, 2);
    m.SetTextFontSize(5, 4); // no value box of that size
    m.SetTextLeft(5, 0);
    m.SetTextTop(5, 200);

    for (bool preview : {false, true}) {
        ScreenRenderer r(m, messages_);
        clearCanvas(r, Black);
        for (int t = 0; t < 16; ++t)
            preview ? r.RITitleIP(t) : r.RITitleDL(t);
        const QImage &canvas = r.Canvas().Image();
        // 24-point white text, far wider than its stored width, and only near its position.
        QVERIFY(countColor(canvas, QRect(10, 10, 300, 40), White) > 200);
        QVERIFY(countColor(canvas, QRect(60, 10, 300, 40), White) > 100);
        QCOMPARE(countOther(canvas, QRect(0, 0, 10, 100), Black), 0);
        // Value boxes: exact copies, empty whatever the text.
        for (int fs = 0; fs < 4; ++fs) {
            const QImage &box = ObjectPictures::ValueBoxPicture(fs);
            QCOMPARE(canvas.copy(10 + 100 * fs, 100, box.width(), box.height()), box);
        }
        QCOMPARE(countOther(canvas, QRect(0, 180, 480, 92), Black), 0);
    }
}

void TestObjectRendering::barGraphsRecoloured_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QRgb>("upper");
    QTest::addColumn<QRgb>("lower");
    const QRgb darkGreen = qRgb(0, 32, 0), blue = qRgb(0, 0, 255);
    const QRgb darkGrey = qRgb(32, 32, 32), lightGrey = qRgb(224, 224, 224);
    QTest::newRow("4 small blue") << 4 << darkGreen << blue;
    QTest::newRow("5 small green") << 5 << darkGreen << Green;
    QTest::newRow("6 small grey") << 6 << darkGrey << lightGrey;
    QTest::newRow("7 large blue") << 7 << darkGreen << blue;
    QTest::newRow("8 large green") << 8 << darkGreen << Green;
    QTest::newRow("9 large grey") << 9 << darkGrey << lightGrey;
}

void TestObjectRendering::barGraphsRecoloured()
{
    QFETCH(int, type);
    QFETCH(QRgb, upper);
    QFETCH(QRgb, lower);
    modVantile m;
    m.SetTextType(7, type);
    m.SetTextLeft(7, 40);
    m.SetTextTop(7, 20);
    ScreenRenderer r(m, messages_);

    clearCanvas(r, Red, 480, 480);
    r.RITitleDL(7);
    QCOMPARE(countOther(r.Canvas().Image(), QRect(0, 0, 480, 480), Red), 0);

    r.RITitleIP(7);
    const QImage &bar = type <= 6 ? ObjectPictures::SmallBarGraphPicture() : ObjectPictures::LargeBarGraphPicture();
    const QImage &canvas = r.Canvas().Image();
    const int cx = 40 + bar.width() / 2;
    QCOMPARE(px(canvas, cx, 20 + bar.height() / 4), upper);
    QCOMPARE(px(canvas, cx, 20 + bar.height() * 3 / 4), lower);
    // A full copy: every pixel of the picture's rectangle is written, the frame unchanged.
    QCOMPARE(countColor(canvas, QRect(40, 20, bar.width(), bar.height()), Red), 0);
    QCOMPARE(px(canvas, 40, 20), px(bar, 0, 0));
    QCOMPARE(countOther(canvas, QRect(40 + bar.width(), 0, 400, 480), Red), 0);
}

void TestObjectRendering::damagedRecordsRenderWhatTheyCan()
{
    // Every word of screen 3's records random, including values a file can
    // never hold; drawing must stay inside the picture and end normally.
    modVantile m;
    QRandomGenerator random(1234);
    for (int round = 0; round < 20; ++round) {
        for (int w = 0; w < modVantile::ScreenObjectWords; ++w)
            m.PanelImage[size_t(3 * modVantile::PanelBlockWords + w)] =
                int16_t(round % 4 == 0 ? random.bounded(-32768, 32768) : random.bounded(256));
        for (int w = 0; w < modVantile::EditorBlockWords; ++w)
            m.EditorImage[size_t(3 * modVantile::EditorBlockWords + w)] =
                int16_t(round % 4 == 1 ? random.bounded(-32768, 32768) : random.bounded(256));
        m.SelectScreen(3);
        ScreenRenderer r(m, messages_);
        clearCanvas(r, White, 320, 240);
        r.RenderIPImage();
        r.RenderDLImage();
        QCOMPARE(r.Canvas().Image().size(), QSize(320, 240));
    }
}

QObject *newObjectRenderingTest()
{
    return new TestObjectRendering;
}

#include "tst_objectrendering.moc"
