#include "assets/ObjectPictures.h"

#include <QtTest>

#include <cmath>

using namespace ObjectPictures;

namespace
{

constexpr QRgb Magenta = KeyColor;

bool isKey(QRgb p)
{
    return (p & 0xFFFFFF) == (Magenta & 0xFFFFFF);
}

// A pixel that is neither the key colour nor clearly another colour: what an
// antialiased edge against magenta would leave behind.
bool nearKey(QRgb p)
{
    return !isKey(p) && qRed(p) > 180 && qGreen(p) < 80 && qBlue(p) > 180;
}

int countColor(const QImage &image, QRgb color)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF);
    return n;
}

int countKey(const QImage &image)
{
    return countColor(image, Magenta);
}

// The most common colour apart from the key.
QRgb mostCommon(const QImage &image)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!isKey(image.pixel(x, y)))
                ++counts[image.pixel(x, y) & 0xFFFFFF];
    QRgb best = 0;
    int bestCount = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > bestCount) {
            best = it.key();
            bestCount = it.value();
        }
    return best | 0xFF000000;
}

QList<QImage> everyPicture()
{
    QList<QImage> all;
    for (int i = 0; i < ButtonPictureCount; ++i)
        all << ButtonPicture(i);
    for (int i = 0; i < PilotPairCount; ++i)
        all << PilotOnPicture(i) << PilotOffPicture(i);
    for (int i = 0; i < SliderStyleCount; ++i)
        all << SliderSelectorPicture(i) << SliderRenderPicture(i);
    return all;
}

} // namespace

class TestObjectPictures : public QObject
{
    Q_OBJECT

private slots:
    void buttonPictures_data();
    void buttonPictures();
    void pilotPairs_data();
    void pilotPairs();
    void sliderStyles_data();
    void sliderStyles();
    void indexOutsideASet_data();
    void indexOutsideASet();
    void keyColourIsExact();
    void valueBoxes_data();
    void valueBoxes();
    void barGraphs();
};

void TestObjectPictures::buttonPictures_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRgb>("face");
    QTest::addColumn<bool>("curved");
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<int>("captionOffset"); // pixels, the point the renderer reads the face colour at

    const QSize sizes[8] = {{32, 24}, {64, 24}, {48, 32}, {96, 32}, {80, 48}, {160, 48}, {112, 64}, {224, 64}};
    const int offsets[4] = {5, 7, 11, 14};
    const QRgb grey = qRgb(224, 224, 224), blue = qRgb(0, 162, 232);
    for (int i = 0; i < 32; ++i)
        QTest::addRow("button %d", i) << i << sizes[i / 4] << (i % 2 ? blue : grey) << (i % 4 >= 2) << i / 8
                                      << offsets[i / 8];
    // The cases named for this set, spelled out.
    QTest::newRow("13: 96 x 32 blue square, font 1") << 13 << QSize(96, 32) << blue << false << 1 << 7;
    QTest::newRow("30: 224 x 64 grey curved, font 3") << 30 << QSize(224, 64) << grey << true << 3 << 14;
}

void TestObjectPictures::buttonPictures()
{
    QFETCH(int, index);
    QFETCH(QSize, size);
    QFETCH(QRgb, face);
    QFETCH(bool, curved);
    QFETCH(int, fontSize);
    QFETCH(int, captionOffset);

    const QImage &image = ButtonPicture(index);
    QCOMPARE(image.size(), size);
    QCOMPARE(ButtonPictureSize(index), size);
    QCOMPARE(ButtonCaptionFontSize(index), fontSize);
    QCOMPARE(ButtonFaceColor(index), face);
    QCOMPARE(image.pixel(size.width() / 2, size.height() / 2), face);
    QCOMPARE(image.pixel(captionOffset, captionOffset), face);
    QCOMPARE(mostCommon(image), face);

    const int w = size.width() - 1, h = size.height() - 1;
    const QRgb corners[4] = {image.pixel(0, 0), image.pixel(w, 0), image.pixel(0, h), image.pixel(w, h)};
    for (QRgb corner : corners)
        QCOMPARE(isKey(corner), curved);
    if (curved) {
        // The key fills only the corners: edge midpoints and the face are drawn.
        QVERIFY(!isKey(image.pixel(w / 2, 0)));
        QVERIFY(!isKey(image.pixel(0, h / 2)));
        QVERIFY(countKey(image) < size.width() * size.height() / 20);
    } else {
        QCOMPARE(countKey(image), 0);
    }
    // Bevelled: the top edge is lighter than the bottom edge.
    const QRgb top = image.pixel(w / 2, 1), bottom = image.pixel(w / 2, h - 1);
    QVERIFY(qGray(top) > qGray(bottom));
}

void TestObjectPictures::pilotPairs_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("shape");
    QTest::addColumn<QRgb>("onFace");
    QTest::addColumn<QRgb>("offFace");

    const QRgb white = qRgb(255, 255, 255), darkGrey = qRgb(64, 64, 64);
    const QRgb green = qRgb(0, 255, 0), darkGreen = qRgb(0, 64, 0);
    for (int i = 0; i < 48; ++i) {
        const int s = 16 * (1 + i / 12), k = i % 12;
        QSize size(s, s);
        if (k % 6 == 0 || k % 6 == 2)
            size = QSize(s, s / 2);
        else if (k % 6 == 3)
            size = QSize(s / 2, s);
        QTest::addRow("pair %d", i) << i << size << k % 6 << (k < 6 ? white : green) << (k < 6 ? darkGrey : darkGreen);
    }
    QTest::newRow("0: 16 x 8 lamp") << 0 << QSize(16, 8) << 0 << white << darkGrey;
    QTest::newRow("15: 16 x 32 tall bar") << 15 << QSize(16, 32) << 3 << white << darkGrey;
    QTest::newRow("40: 64 x 64 circle") << 40 << QSize(64, 64) << 4 << white << darkGrey;
}

void TestObjectPictures::pilotPairs()
{
    QFETCH(int, index);
    QFETCH(QSize, size);
    QFETCH(int, shape);
    QFETCH(QRgb, onFace);
    QFETCH(QRgb, offFace);

    QCOMPARE(PilotPictureSize(index), size);
    QCOMPARE(int(PilotPictureShape(index)), shape);
    const int w = size.width(), h = size.height();
    for (bool on : {true, false}) {
        const QImage &image = on ? PilotOnPicture(index) : PilotOffPicture(index);
        const QRgb face = on ? onFace : offFace;
        QCOMPARE(image.size(), size);
        QCOMPARE(PilotFaceColor(index, on), face);
        if (PilotShape(shape) == PilotShape::Lamp) {
            // Lettered on its face.
            QVERIFY(countColor(image, face) >= w * h / 8);
        } else {
            QCOMPARE(image.pixel(w / 2, h / 2), face);
            QCOMPARE(mostCommon(image), face);
        }

        // Black outline where the shape meets the edge of the picture.
        const QRgb black = qRgb(0, 0, 0);
        QCOMPARE(image.pixel(w / 2, 0), black);
        QCOMPARE(image.pixel(0, h / 2), black);
        QCOMPARE(image.pixel(w - 1, h / 2), black);
        QCOMPARE(image.pixel(w / 2, h - 1), black);

        switch (PilotShape(shape)) {
        case PilotShape::Circle:
        case PilotShape::Diamond: {
            QVERIFY(isKey(image.pixel(0, 0)));
            QVERIFY(isKey(image.pixel(w - 1, 0)));
            QVERIFY(isKey(image.pixel(0, h - 1)));
            QVERIFY(isKey(image.pixel(w - 1, h - 1)));
            // The key lies outside the shape only.
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const double dx = std::abs(x + 0.5 - w / 2.0), dy = std::abs(y + 0.5 - h / 2.0);
                    const double outside = PilotShape(shape) == PilotShape::Circle
                                               ? std::hypot(dx, dy) - w / 2.0
                                               : (dx + dy - w / 2.0) / std::sqrt(2.0);
                    if (outside < -0.75)
                        QVERIFY2(!isKey(image.pixel(x, y)),
                                 qPrintable(QStringLiteral("inside at %1,%2").arg(x).arg(y)));
                    else if (outside > 0.75)
                        QVERIFY2(isKey(image.pixel(x, y)),
                                 qPrintable(QStringLiteral("outside at %1,%2").arg(x).arg(y)));
                }
            break;
        }
        default:
            QCOMPARE(countKey(image), 0);
        }
    }
    QVERIFY(PilotOnPicture(index) != PilotOffPicture(index));
}

void TestObjectPictures::sliderStyles_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRgb>("lit");
    QTest::addColumn<QRgb>("dark");

    const QRgb lit[3] = {qRgb(0, 255, 0), qRgb(255, 255, 255), qRgb(153, 217, 234)};
    const QRgb dark[3] = {qRgb(0, 96, 0), qRgb(96, 96, 96), qRgb(0, 162, 232)};
    const char *names[3] = {"green", "white", "blue"};
    for (int i = 0; i < 6; ++i)
        QTest::addRow("%d %s", i, names[i % 3])
            << i << (i < 3 ? QSize(34, 221) : QSize(42, 421)) << lit[i % 3] << dark[i % 3];
}

void TestObjectPictures::sliderStyles()
{
    QFETCH(int, style);
    QFETCH(QSize, size);
    QFETCH(QRgb, lit);
    QFETCH(QRgb, dark);

    const QImage &selector = SliderSelectorPicture(style);
    const QImage &render = SliderRenderPicture(style);
    QCOMPARE(SliderPictureSize(style), size);
    QCOMPARE(selector.size(), size);
    QCOMPARE(render.size(), size);
    QCOMPARE(countKey(selector), 0);
    QCOMPARE(countKey(render), 0);

    // Down the middle column: the selector is dark above its knob and lit
    // below; the render picture has the knob at the top and is lit all along.
    const int x = size.width() / 2;
    auto firstRow = [&](const QImage &image, QRgb color) {
        for (int y = 0; y < image.height(); ++y)
            if (image.pixel(x, y) == color)
                return y;
        return -1;
    };
    auto lastRow = [&](const QImage &image, QRgb color) {
        for (int y = image.height() - 1; y >= 0; --y)
            if (image.pixel(x, y) == color)
                return y;
        return -1;
    };
    auto count = [&](const QImage &image, QRgb color, int from, int to) {
        int n = 0;
        for (int y = from; y < to; ++y)
            n += image.pixel(x, y) == color;
        return n;
    };
    const int h = size.height();
    QVERIFY(firstRow(selector, dark) < h / 8);
    QVERIFY(count(selector, dark, 0, h * 2 / 5) > h / 4);
    QCOMPARE(count(selector, lit, 0, h * 2 / 5), 0);
    QCOMPARE(count(selector, dark, h * 3 / 5, h), 0);
    QVERIFY(count(selector, lit, h * 3 / 5, h) > h / 4);
    QVERIFY(lastRow(selector, lit) > h * 7 / 8);
    QCOMPARE(firstRow(render, dark), -1);
    QVERIFY(firstRow(render, lit) < size.height() / 8);
    QVERIFY(lastRow(render, lit) > size.height() * 7 / 8);

    // Striped with thin black lines: every few rows of the lit channel.
    int stripes = 0;
    for (int y = size.height() / 2; y < size.height() * 7 / 8; ++y)
        stripes += render.pixel(x, y) == qRgb(0, 0, 0) && render.pixel(x, y - 1) == lit;
    QVERIFY(stripes >= size.height() * 3 / 8 / 6);
}

void TestObjectPictures::indexOutsideASet_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("-1") << -1;
    QTest::newRow("6 (past the sliders)") << 6;
    QTest::newRow("32 (past the buttons)") << 32;
    QTest::newRow("48 (past the pilots)") << 48;
    QTest::newRow("255") << 255;
}

void TestObjectPictures::indexOutsideASet()
{
    QFETCH(int, index);
    if (index >= 32 || index < 0) {
        QVERIFY(ButtonPicture(index).isNull());
        QVERIFY(ButtonPictureSize(index).isEmpty());
        QCOMPARE(ButtonCaptionFontSize(index), 0);
    }
    if (index >= 48 || index < 0) {
        QVERIFY(PilotOnPicture(index).isNull());
        QVERIFY(PilotOffPicture(index).isNull());
        QVERIFY(PilotPictureSize(index).isEmpty());
    }
    if (index >= 6 || index < 0) {
        QVERIFY(SliderSelectorPicture(index).isNull());
        QVERIFY(SliderRenderPicture(index).isNull());
        QVERIFY(SliderPictureSize(index).isEmpty());
    }
}

void TestObjectPictures::keyColourIsExact()
{
    // Every pixel of every picture is opaque and either exactly the key
    // colour or plainly another colour: no edge blends towards magenta.
    for (const QImage &image : everyPicture()) {
        QVERIFY(!image.hasAlphaChannel());
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                QCOMPARE(qAlpha(p), 255);
                QVERIFY2(!nearKey(p), qPrintable(QStringLiteral("%1 at %2,%3 in a %4 x %5 picture")
                                                     .arg(p, 8, 16)
                                                     .arg(x)
                                                     .arg(y)
                                                     .arg(image.width())
                                                     .arg(image.height())));
            }
    }
}

void TestObjectPictures::valueBoxes_data()
{
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<QSize>("size");
    QTest::newRow("0") << 0 << QSize(32, 18);
    QTest::newRow("1") << 1 << QSize(48, 22);
    QTest::newRow("2") << 2 << QSize(64, 28);
    QTest::newRow("3") << 3 << QSize(86, 38);
    QTest::newRow("4: none") << 4 << QSize();
    QTest::newRow("-1: none") << -1 << QSize();
}

void TestObjectPictures::valueBoxes()
{
    QFETCH(int, fontSize);
    QFETCH(QSize, size);
    const QImage &box = ObjectPictures::ValueBoxPicture(fontSize);
    QCOMPARE(ObjectPictures::ValueBoxSize(fontSize), size);
    if (!size.isValid()) {
        QVERIFY(box.isNull());
        return;
    }
    QCOMPARE(box.size(), size);
    const QRgb white = qRgb(255, 255, 255);
    QCOMPARE(box.pixel(size.width() / 2, size.height() / 2), white);
    QCOMPARE(mostCommon(box), white);
    // Sunken: darker grey on top and left than on bottom and right.
    QVERIFY(qGray(box.pixel(size.width() / 2, 0)) < qGray(box.pixel(size.width() / 2, size.height() - 1)));
    QVERIFY(qGray(box.pixel(0, size.height() / 2)) < qGray(box.pixel(size.width() - 1, size.height() / 2)));
    QCOMPARE(countKey(box), 0);
}

void TestObjectPictures::barGraphs()
{
    for (const QImage *bar : {&ObjectPictures::SmallBarGraphPicture(), &ObjectPictures::LargeBarGraphPicture()}) {
        const bool small = bar->width() == 16;
        QCOMPARE(bar->size(), small ? QSize(16, 221) : QSize(20, 421));
        const int x = bar->width() / 2, h = bar->height();
        int dark = 0, bright = 0, light = 0;
        int lastDark = -1, firstBright = h;
        for (int y = 0; y < h; ++y) {
            const QRgb p = bar->pixel(x, y);
            if (p == ObjectPictures::BarDarkGreen) {
                ++dark;
                lastDark = y;
            } else if (p == ObjectPictures::BarBrightGreen) {
                ++bright;
                firstBright = std::min(firstBright, y);
            } else if (qGray(p) > 150) {
                light += y > 2 && y > lastDark && y < h / 2 + 3;
            }
        }
        // Upper half dark, lower half bright, a light line between them, in a frame.
        QVERIFY(dark > h / 2 - 6 && bright > h / 2 - 6);
        QVERIFY(lastDark < firstBright);
        QVERIFY(light >= 1);
        QVERIFY(bar->pixel(x, 0) != ObjectPictures::BarDarkGreen);
        QVERIFY(bar->pixel(x, h - 1) != ObjectPictures::BarBrightGreen);
        QCOMPARE(countKey(*bar), 0);
    }
}

QTEST_MAIN(TestObjectPictures)
#include "tst_objectpictures.moc"
