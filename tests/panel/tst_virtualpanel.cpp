#include "assets/RunTimePictures.h"
#include "model/Settings.h"
#include "panelfixture.h"
#include "render/Bmp24File.h"
#include "render/ScreenPictureCompilation.h"
#include "render/ScreenRenderer.h"

#include <QDir>

namespace
{

// The SD picture of a screen as the compilation draws it.
QImage sdPicture(const modVantile &m, int screen)
{
    ScriptedMessages quiet;
    ScreenRenderer r(m, quiet);
    const Settings::PanelSize size = Settings::ScreenSize(r.ProjectResolution(), m.GetLayout());
    r.Canvas().Resize(size.width, size.height);
    r.Canvas().SetBackColor(r.CompiledBackColor(screen));
    r.DrawSdScreen(screen);
    return r.Canvas().Image().copy();
}

// The SD picture with one picture drawn over it, keyed or not.
QImage sdWith(const modVantile &m, int screen, const QImage &picture, QPoint at, bool keyed)
{
    RenderCanvas canvas;
    const QImage sd = sdPicture(m, screen);
    canvas.Resize(sd.width(), sd.height());
    canvas.SetBackPicture(sd);
    canvas.Redraw();
    keyed ? canvas.KeyedCopy(picture, at.x(), at.y(), ObjectPictures::KeyColor)
          : canvas.FullCopy(picture, at.x(), at.y());
    return canvas.Image().copy();
}

// A button, a fixed text and every kind of object the panel draws live.
void fillScreen(modVantile &m, int s)
{
    putButton(m, s, 0, 1 + s % 8, {4, 4}, s % 4, 0, 13, QStringLiteral("Lamp"));
    putText(m, s, 0, 1, {4, 40}, s % 4, 0, QStringLiteral("Room"));
    m.SetPilotUsed(s, 0, 1);
    m.SetPilotPicture(s, 0, s * 5 % 48);
    m.SetPilotLeft(s, 0, 110);
    m.SetPilotTop(s, 0, 4);
    m.SetPilotDevice(s, 0, s % 4);
    m.SetPilotInput(s, 0, s % 8);
    putText(m, s, 1, 2 + s % 2, {110, 70}, s % 4, s % 4);
    putText(m, s, 2, 4 + s % 6, {176, 30}, 0, s % 4);
    if (s > 0) { // none on Home: it would cover the buttons to the other screens
        m.SetSliderPicture(s, 0, 1 + s % 6);
        m.SetSliderLeft(s, 0, 130);
        m.SetSliderTop(s, 0, 30);
    }
}

// Where the live objects of a screen are drawn.
std::vector<QRect> liveAreas(const modVantile &m, int s)
{
    const int bar = m.GetTextType(s, 2) <= 6 ? 221 : 421;
    return {QRect(QPoint(110, 4), ObjectPictures::PilotPictureSize(m.GetPilotPicture(s, 0))),
            QRect(QPoint(110, 70), RunTimePictures::ValueBox(m.GetTextFontSize(s, 1), -1).size()),
            QRect(176, 30, bar == 221 ? 16 : 20, bar),
            QRect(QPoint(130, 30), ObjectPictures::SliderPictureSize(m.GetSliderPicture(s, 0) - 1))};
}

} // namespace

class TestVirtualPanel : public QObject
{
    Q_OBJECT

private slots:
    void shotEqualsSdPicture_data();
    void shotEqualsSdPicture();
    void buttonCodes_data();
    void buttonCodes();
    void liveObjects_data();
    void liveObjects();
    void sliderStyles_data();
    void sliderStyles();
    void passwords_data();
    void passwords();
    void keypadKeys_data();
    void keypadKeys();
};

void TestVirtualPanel::shotEqualsSdPicture_data()
{
    QTest::addColumn<int>("resolution");
    QTest::addColumn<int>("layout");
    QTest::newRow("480x272 landscape") << 0 << 0;
    QTest::newRow("320x240 landscape") << 1 << 0;
    QTest::newRow("480x320 portrait") << 2 << 1;
}

void TestVirtualPanel::shotEqualsSdPicture()
{
    // Every screen, reached on the panel, with all inputs off and all levels 0
    // is its SD picture, except where the live objects show the state.
    QFETCH(int, resolution);
    QFETCH(int, layout);
    TempHome home;
    QImage small(100, 60, QImage::Format_RGB32);
    small.fill(qRgb(10, 200, 30));
    QVERIFY(Bmp24File::Write(small, home.file(QStringLiteral("small.bmp"))));
    modVantile m;
    hubProject(m, resolution, layout);
    for (int s = 0; s < 16; ++s) {
        fillScreen(m, s);
        if (s % 3 == 1)
            m.ScreenBackground[size_t(s)] = home.file(QStringLiteral("small.bmp")); // the colour before shows around it
        else if (s % 3 == 2)
            m.ScreenBackground[size_t(s)] = home.file(QStringLiteral("missing.bmp"));
    }
    ScriptedMessages messages;
    QVERIFY(
        CompileScreenPictures(m, messages, home.file(QStringLiteral("sd")), home.file(QStringLiteral("pv")), nullptr));
    const QByteArray image = m.ProjectBytes();

    VirtualPanel panel(m);
    for (int s = 0; s < 16; ++s) {
        if (s == 4) {
            tap(panel, PasswordButton);
            QVERIFY(panel.EnterPassword(QStringLiteral("246810")));
        } else if (s > 0) {
            tap(panel, HubButton(s));
        }
        QCOMPARE(panel.Screen(), s);
        const QImage shot = panel.Picture();
        const QImage sd(home.file(QStringLiteral("sd/") + ScreenRenderer::SdPictureName(resolution, layout, s)));
        QCOMPARE(shot.size(), sd.size());
        const std::vector<QRect> live = liveAreas(m, s);
        int differing = 0;
        for (int y = 0; y < sd.height(); ++y)
            for (int x = 0; x < sd.width(); ++x)
                if (std::none_of(live.begin(), live.end(), [&](const QRect &r) { return r.contains(x, y); }))
                    differing += (shot.pixel(x, y) | 0xFF000000) != (sd.pixel(x, y) | 0xFF000000);
        QVERIFY2(differing == 0, qPrintable(QStringLiteral("screen %1: %2 pixels").arg(s).arg(differing)));
        if (s > 0)
            tap(panel, HomeButton);
    }
    QCOMPARE(m.ProjectBytes(), image); // the panel never writes into the image
}

void TestVirtualPanel::buttonCodes_data()
{
    // From the table of function codes, for device offset 2 (node 12): the
    // message at the press and at the release, each naming the button that
    // sent it (slot 7: its settings list's row 8), and input k while the
    // finger is down and after it ("" when no input is touched).
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("input");
    QTest::addColumn<QString>("atPress");
    QTest::addColumn<QString>("atRelease");
    QTest::addColumn<QString>("states");
    QTest::addColumn<int>("screen");
    QTest::addColumn<bool>("keypad");
    const auto row = [](int code, int k, const QString &press, const QString &release, const char *states,
                        int screen = 0, bool keypad = false) {
        QTest::addRow("%d", code) << code << k << press << release << QString::fromLatin1(states) << screen << keypad;
    };
    const QString by = QStringLiteral(" (screen 00 button 8)");
    for (int k = 1; k <= 8; ++k) {
        row(k, k, QStringLiteral("press node 12 input %1").arg(k) + by,
            QStringLiteral("release node 12 input %1").arg(k) + by, "10");
        row(8 + k, k, QStringLiteral("on node 12 input %1").arg(k) + by, {}, "11");
        row(16 + k, k, QStringLiteral("off node 12 input %1").arg(k) + by, {}, "00"); // on before
    }
    for (int s = 0; s <= 15; ++s) {
        row(25 + s, 0, QStringLiteral("screen %1").arg(s, 2, 10, QLatin1Char('0')) + by, {}, "", s);
        row(41 + s, 0, {}, {}, "", 0, true);
    }
    row(0, 0, {}, {}, "");
    row(57, 0, {}, {}, "");
}

void TestVirtualPanel::buttonCodes()
{
    QFETCH(int, code);
    QFETCH(int, input);
    QFETCH(QString, atPress);
    QFETCH(QString, atRelease);
    QFETCH(QString, states);
    QFETCH(int, screen);
    QFETCH(bool, keypad);
    modVantile m;
    hubProject(m);
    putButton(m, 0, 7, code, {300, 20}, 2);
    VirtualPanel panel(m);
    const int node = FirstNode + 2;
    if (code >= 17 && code <= 24)
        panel.SetInput(node, input, true);
    QStringList log;

    QVERIFY(panel.Press({310, 30}));
    if (!atPress.isEmpty())
        log << atPress;
    QCOMPARE(panel.Log().Lines(false), log);
    if (input > 0)
        QCOMPARE(panel.Devices().InputOn(node, input), states[0] == QLatin1Char('1'));
    panel.Release();
    if (!atRelease.isEmpty())
        log << atRelease;
    QCOMPARE(panel.Log().Lines(false), log);
    if (input > 0)
        QCOMPARE(panel.Devices().InputOn(node, input), states[1] == QLatin1Char('1'));
    QCOMPARE(panel.Screen(), screen);
    QCOMPARE(panel.Shows() == VirtualPanel::Showing::Keypad, keypad);
}

void TestVirtualPanel::liveObjects_data()
{
    // A pilot on input `input` of node 11 with `inputOn` set on by hand, or a
    // text object of `type` and font size `input` with node 11 at 75 %.
    QTest::addColumn<bool>("pilot");
    QTest::addColumn<int>("type"); // icon pair of a pilot
    QTest::addColumn<int>("input");
    QTest::addColumn<int>("inputOn");
    QTest::addColumn<QImage>("expected");
    using namespace ObjectPictures;
    QTest::newRow("lamp, all off") << true << 0 << 1 << 0 << PilotOffPicture(0);
    QTest::newRow("lamp, its input on") << true << 0 << 1 << 1 << PilotOnPicture(0);
    QTest::newRow("green circle, input 8 on") << true << 40 << 8 << 8 << PilotOnPicture(40);
    QTest::newRow("green circle, another input on") << true << 40 << 8 << 7 << PilotOffPicture(40);
    for (int type : {2, 3})
        for (int fs = 0; fs < 4; ++fs)
            QTest::addRow("value box type %d size %d", type, fs)
                << false << type << fs << 0 << RunTimePictures::ValueBox(fs, 75);
    for (int type = 4; type <= 9; ++type)
        QTest::addRow("bar graph type %d", type) << false << type << 0 << 0 << RunTimePictures::BarGraph(type - 4, 75);
}

void TestVirtualPanel::liveObjects()
{
    QFETCH(bool, pilot);
    QFETCH(int, type);
    QFETCH(int, input);
    QFETCH(int, inputOn);
    QFETCH(QImage, expected);
    modVantile m;
    hubProject(m, 3);
    if (pilot) {
        m.SetPilotUsed(0, 5, 1);
        m.SetPilotPicture(0, 5, type);
        m.SetPilotLeft(0, 5, 300);
        m.SetPilotTop(0, 5, 20);
        m.SetPilotDevice(0, 5, 1);
        m.SetPilotInput(0, 5, input - 1);
    } else {
        putText(m, 0, 4, type, {300, 20}, input, 1);
    }
    VirtualPanel panel(m);
    if (inputOn)
        panel.SetInput(FirstNode + 1, inputOn, true);
    if (!pilot)
        panel.SetLevel(FirstNode + 1, 75);
    QCOMPARE(panel.Picture(), sdWith(m, 0, expected, {300, 20}, pilot));
    QVERIFY(panel.Log().Entries().isEmpty()); // a change by hand sends nothing
}

void TestVirtualPanel::sliderStyles_data()
{
    QTest::addColumn<int>("picture"); // record value 1 - 6
    QTest::addColumn<int>("family");  // SLAB, SLAG, SLAW, SPAB, SPAG, SPAW
    QTest::addColumn<int>("touchY");  // rows below the slider's top
    QTest::addColumn<int>("level");
    QTest::newRow("small green, middle") << 1 << 1 << 110 << 50;
    QTest::newRow("small white, above the travel") << 2 << 2 << 0 << 100;
    QTest::newRow("small blue, knob row of 25 %") << 3 << 0 << 160 << 25;
    QTest::newRow("large green") << 4 << 4 << 223 << 47;
    QTest::newRow("large white, near the bottom") << 5 << 5 << 400 << 2;
    QTest::newRow("large blue, top") << 6 << 3 << 13 << 100;
}

void TestVirtualPanel::sliderStyles()
{
    QFETCH(int, picture);
    QFETCH(int, family);
    QFETCH(int, touchY);
    QFETCH(int, level);
    modVantile m;
    hubProject(m, 3); // 800 x 480: room for the large ones
    m.SetSliderPicture(0, 2, picture);
    m.SetSliderDevice(0, 2, 1);
    m.SetSliderLeft(0, 2, 400);
    m.SetSliderTop(0, 2, 20);
    VirtualPanel panel(m);
    QVERIFY(panel.Press({410, 20 + 100}));
    panel.Move({405, 20 + touchY}); // dragging follows the finger
    panel.Release();
    QCOMPARE(panel.Devices().Level(FirstNode + 1), level);
    QCOMPARE(panel.Log().Lines(false).last(), QStringLiteral("level node 11 %1 % (screen 00 slider 3)").arg(level));
    QCOMPARE(panel.Picture(), sdWith(m, 0, RunTimePictures::SliderFrame(family, level), {400, 20}, true));
}

void TestVirtualPanel::passwords_data()
{
    QTest::addColumn<int>("password");
    QTest::addColumn<QString>("keys"); // C: CLR, E: ENT
    QTest::addColumn<bool>("right");
    QTest::newRow("right") << 246810 << "246810E" << true;
    QTest::newRow("wrong") << 246810 << "123456E" << false;
    QTest::newRow("five digits") << 246810 << "24681E" << false;
    QTest::newRow("CLR clears") << 246810 << "99C246810E" << true;
    QTest::newRow("a seventh digit is ignored") << 246810 << "2468107E" << true;
    QTest::newRow("leading zeros are typed") << 42 << "000042E" << true;
    QTest::newRow("leading zeros left out") << 42 << "42E" << false;
}

void TestVirtualPanel::passwords()
{
    QFETCH(int, password);
    QFETCH(QString, keys);
    QFETCH(bool, right);
    modVantile m;
    hubProject(m);
    m.SetButtonPassword(0, 3, password);
    putText(m, 4, 0, 1, {10, 60}, 2, 0, QStringLiteral("Installer"));
    VirtualPanel panel(m);
    tap(panel, PasswordButton);
    QCOMPARE(panel.Shows(), VirtualPanel::Showing::Keypad);
    const RunTimePictures::PasswordLayout layout = RunTimePictures::PasswordScreenLayout(panel.Size());
    const QString labels = QStringLiteral("123456789C0E");
    for (QChar key : keys)
        tap(panel, layout.keys[size_t(labels.indexOf(key))]);

    if (right) {
        QCOMPARE(panel.Log().Lines(false), QStringList{QStringLiteral("screen 04 (screen 00 button 4)")});
        QCOMPARE(panel.Shows(), VirtualPanel::Showing::Screen);
        QCOMPARE(panel.Screen(), 4);
        QCOMPARE(panel.Picture(), sdPicture(m, 4)); // the screen reached only through the password
    } else {
        QCOMPARE(panel.Log().Lines(false), QStringList{QStringLiteral("password refused on button 4 of screen 00")});
        QCOMPARE(panel.Shows(), VirtualPanel::Showing::AccessDenied);
        QCOMPARE(panel.Picture(), RunTimePictures::AccessDenied(panel.Size()));
        tap(panel, QRect(5, 5, 1, 1)); // any touch goes back, and does nothing else
        QCOMPARE(panel.Shows(), VirtualPanel::Showing::Screen);
        QCOMPARE(panel.Screen(), 0);
        QCOMPARE(panel.Log().Entries().size(), 1);
    }
}

void TestVirtualPanel::keypadKeys_data()
{
    QTest::addColumn<int>("resolution");
    QTest::addColumn<int>("layout");
    QTest::addColumn<QString>("label");
    for (int resolution = 0; resolution < 4; ++resolution)
        for (int layout = 0; layout < 2; ++layout) {
            const Settings::PanelSize size = Settings::ScreenSize(resolution, layout);
            for (const char *label : {"CLR", "ENT", "8"})
                QTest::addRow("%dx%d %s", size.width, size.height, label) << resolution << layout << label;
        }
}

// A label drawn too large runs over the ring just inside the key's bevel; a
// pressed key drawn smaller than the key leaves the released grey in it.
void TestVirtualPanel::keypadKeys()
{
    QFETCH(int, resolution);
    QFETCH(int, layout);
    QFETCH(QString, label);
    modVantile m;
    hubProject(m, resolution, layout);
    VirtualPanel panel(m);
    tap(panel, PasswordButton);
    const int k =
        int(std::find_if(RunTimePictures::PasswordScreenKeys.begin(), RunTimePictures::PasswordScreenKeys.end(),
                         [&](const char *key) { return label == QLatin1String(key); }) -
            RunTimePictures::PasswordScreenKeys.begin());
    const QRect key = RunTimePictures::PasswordScreenLayout(panel.Size()).keys[size_t(k)];
    const auto ringAndInk = [&](const QImage &picture, QRgb face) {
        const QRect ring = key.adjusted(1, 1, -1, -1);
        int offFace = 0, ink = 0;
        for (int y = ring.top(); y <= ring.bottom(); ++y)
            for (int x = ring.left(); x <= ring.right(); ++x) {
                const bool onRing = x == ring.left() || x == ring.right() || y == ring.top() || y == ring.bottom();
                offFace += onRing && picture.pixel(x, y) != face;
                ink += !onRing && qGray(picture.pixel(x, y)) < 64;
            }
        return std::pair{offFace, ink > 0};
    };
    QCOMPARE(ringAndInk(panel.Picture(), qRgb(224, 224, 224)), std::pair(0, true));
    QVERIFY(panel.Press(key.center()));
    QCOMPARE(ringAndInk(panel.Picture(), qRgb(160, 160, 160)), std::pair(0, true));
}

QObject *newVirtualPanelTest()
{
    return new TestVirtualPanel;
}

#include "tst_virtualpanel.moc"
