// The report's screen pictures: the panel at rest, with each object's number
// beside the object and never over it.
#include "check/ProjectReport.h"
#include "checkhelpers.h"
#include "model/EditOperations.h"
#include "panel/VirtualPanel.h"
#include "render/Bmp24File.h"

#include <QPainter>

namespace
{

enum class Screen { LiveObjects, SmallBackground, ReachedByGoto };
enum class Layout { Corner, SideBySide, PilotAtButtonEnd, TextInCorner, TouchArea };

void fixedText(modVantile &m, int n, int left, int top, const QString &words)
{
    text(m, 0, n, 1, 0, left, top);
    m.SetTextString(0, n, words);
    m.SetTextFontSize(0, n, 1);
    m.SetTextWidth(0, n, 70);
    m.SetTextHeight(0, n, 18);
}

} // namespace

Q_DECLARE_METATYPE(Screen)
Q_DECLARE_METATYPE(Layout)

class TestReport : public QObject
{
    Q_OBJECT

private slots:
    void restPicture_data();
    void restPicture();
    void numbersBeside_data();
    void numbersBeside();
};

void TestReport::restPicture_data()
{
    QTest::addColumn<Screen>("screen");
    QTest::newRow("slider, value box, bar graph and a switched pilot") << Screen::LiveObjects;
    QTest::newRow("a background smaller than the screen, 800x480 portrait") << Screen::SmallBackground;
    QTest::newRow("a screen a Goto leads to") << Screen::ReachedByGoto;
}

// What the virtual panel shows before anything is touched.
void TestReport::restPicture()
{
    QFETCH(Screen, screen);
    TempHome home;
    modVantile m;
    baseProject(m);
    int s = 0;
    if (screen == Screen::ReachedByGoto) {
        button(m, 0, 0, 25 + 2, 10, 10); // Goto screen 2
        s = 2;
    } else if (screen == Screen::SmallBackground) {
        m.SetResolution(3);
        m.SetLayout(1);
        QImage small(100, 60, QImage::Format_RGB32);
        small.fill(qRgb(10, 200, 30));
        QVERIFY(Bmp24File::Write(small, home.file(QStringLiteral("small.bmp"))));
        m.ScreenBackground[0] = home.file(QStringLiteral("small.bmp"));
    }
    slider(m, s, 0, 1, 300, 20);
    text(m, s, 0, 2, 1, 200, 20);
    text(m, s, 1, 4, 1, 250, 20);
    button(m, s, 1, 9, 10, 200, 2); // turns input 1 of device 2 on
    pilot(m, s, 0, 2, 1, 120, 200);

    VirtualPanel panel(m);
    if (s != 0)
        QVERIFY(panel.Press({20, 20}));
    QCOMPARE(Check::PanelPicture(m, s), panel.Picture());
}

void TestReport::numbersBeside_data()
{
    QTest::addColumn<Layout>("layout");
    QTest::newRow("a button in the top-left corner") << Layout::Corner;
    QTest::newRow("three buttons side by side") << Layout::SideBySide;
    QTest::newRow("a pilot at a button's end") << Layout::PilotAtButtonEnd;
    QTest::newRow("texts in the bottom-right corner") << Layout::TextInCorner;
    QTest::newRow("a touch area without a picture") << Layout::TouchArea;
}

// No pixel inside an object changes when the numbers are drawn, and a touch
// area without a picture gets an outline on its edge.
void TestReport::numbersBeside()
{
    QFETCH(Layout, layout);
    modVantile m;
    baseProject(m);
    switch (layout) {
    case Layout::Corner:
        button(m, 0, 0, 1, 0, 0, 0, 14, QStringLiteral("Hall"));
        break;
    case Layout::SideBySide:
        for (int n = 0; n < 3; ++n)
            button(m, 0, n, 1, 100 + 96 * n, 100, 0, 14, QStringLiteral("Lamp %1").arg(n));
        break;
    case Layout::PilotAtButtonEnd:
        button(m, 0, 0, 1, 100, 100, 0, 14, QStringLiteral("Porch"));
        pilot(m, 0, 0, 0, 1, 188, 100);
        break;
    case Layout::TextInCorner:
        fixedText(m, 0, 410, 254, QStringLiteral("Exit"));
        fixedText(m, 1, 410, 234, QStringLiteral("Hall"));
        break;
    case Layout::TouchArea:
        button(m, 0, 0, 1, 200, 100, 0, 0, QString());
        m.SetButtonWidth(0, 0, 80);
        m.SetButtonHeight(0, 0, 40);
        break;
    }

    const double scale = 2, margin = 16;
    const QImage picture = Check::PanelPicture(m, 0);
    const QRectF target(margin, margin, picture.width() * scale, picture.height() * scale);
    QImage sheet((QSizeF(picture.size()) * scale).toSize() + QSize(2 * margin, 2 * margin), QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter(&sheet).drawImage(target, picture);
    const QImage before = sheet.copy();
    {
        QPainter p(&sheet);
        Check::DrawObjectNumbers(p, m, 0, target, scale, sheet.rect());
    }

    int objects = 0;
    for (const RecordSchema::Layout &kind : RecordSchema::Layouts)
        for (int n = 0; n < kind.count; ++n) {
            if (!EditOperations::SlotUsed(m, 0, kind.kind, n))
                continue;
            ++objects;
            const QRect area = Check::ObjectArea(m, {0, kind.kind, n});
            const QRect shown = QRectF(target.left() + area.left() * scale, target.top() + area.top() * scale,
                                       area.width() * scale, area.height() * scale)
                                    .toAlignedRect();
            const bool outlined = kind.kind == Check::ObjectKind::Button && m.GetButtonPicture(0, n) == 0;
            QCOMPARE(sheet.copy(shown.adjusted(3, 3, -3, -3)), before.copy(shown.adjusted(3, 3, -3, -3)));
            int edge = 0; // pixels of the top edge turned blue, where the outline runs
            for (int x = shown.left(); x <= shown.right(); ++x)
                for (int y = shown.top(); y <= shown.top() + 1; ++y)
                    edge += sheet.pixel(x, y) != before.pixel(x, y) &&
                            qBlue(sheet.pixel(x, y)) > qRed(sheet.pixel(x, y)) + 60;
            QCOMPARE(edge > shown.width() / 4, outlined);
        }
    int yellow = 0;
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            yellow += sheet.pixel(x, y) == qRgb(255, 255, 200);
    QVERIFY(yellow > objects * 20); // a box for every object
}

QObject *newReportTest()
{
    return new TestReport;
}

#include "tst_report.moc"
