#include "assets/ObjectPictures.h"
#include "model/Settings.h"
#include "render/BackgroundPictureFile.h"
#include "render/Bmp24File.h"
#include "render/RenderCanvas.h"
#include "render/RenderFont.h"
#include "render/ScreenPictureCompilation.h"
#include "renderhelpers.h"
#include "systemfixtures.h"

#include <QDir>
#include <QRawFont>

namespace
{
constexpr QRgb White = 0xFFFFFFFF, Red = 0xFFFF0000, Green = 0xFF00FF00;
constexpr QRgb DarkGrey = 0xFF404040;

QStringList bmpNames(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.BMP")}, QDir::Files, QDir::Name);
}

QSize bmpSize(const QByteArray &b)
{
    return b.size() < 54 ? QSize() : QSize(int(le32(b, 18)), int(le32(b, 22)));
}

// Every pixel of the file is the colour.
bool plain(const QByteArray &b, QRgb color)
{
    const QSize s = bmpSize(b);
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if ((bmpPixel(b, x, y) | 0xFF000000) != (color | 0xFF000000))
                return false;
    return true;
}

// A screen with one object of every kind, in separate places.
void everyKind(modVantile &m, int screen)
{
    m.SelectScreen(screen);
    addButton(m, 0, 1, 10, 10, QStringLiteral("Go"));
    m.SetPilotUsed(0, 1);
    m.SetPilotPicture(0, 7); // 16 x 16 green square
    m.SetPilotLeft(0, 100);
    m.SetPilotTop(0, 10);
    m.SetSliderPicture(0, 1);
    m.SetSliderLeft(0, 150);
    m.SetSliderTop(0, 10);
    m.SetTextType(0, 2);
    m.SetTextLeft(0, 200);
    m.SetTextTop(0, 10);
    m.SetTextType(1, 5);
    m.SetTextLeft(1, 250);
    m.SetTextTop(1, 10);
}
} // namespace

class TestScreenPictures : public QObject
{
    Q_OBJECT

private slots:
    void bmpForm_data();
    void bmpForm();
    void compilationFiles_data();
    void compilationFiles();
    void previewsAgainstSdPictures();
    void solidBackground();
    void missingBackgroundOncePerScreenDrawn();
    void smallBackgroundPicture();
    void unreadableBackground_data();
    void unreadableBackground();
    void unwritableFolderReportedOnce();
    void fontTravelsWithTheProgram();
};

void TestScreenPictures::bmpForm_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("padding");
    QTest::newRow("5 wide: 1 padding byte") << 5 << 3 << 1;
    QTest::newRow("6 wide: 2 padding bytes") << 6 << 2 << 2;
    QTest::newRow("4 wide: none") << 4 << 2 << 0;
    QTest::newRow("7 wide: 3 padding bytes") << 7 << 1 << 3;
    QTest::newRow("240 x 320") << 240 << 320 << 0;
    QTest::newRow("800 x 480") << 800 << 480 << 0;
}

void TestScreenPictures::bmpForm()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, padding);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, 0x80 + (x + y) % 100));
    TempHome home;
    const QString path = home.file(QStringLiteral("t.BMP"));
    QVERIFY(Bmp24File::Write(image, path));
    const QByteArray b = readFile(path);

    const int row = width * 3 + padding;
    QCOMPARE(row % 4, 0);
    QCOMPARE(b.size(), 54 + row * height);
    QCOMPARE(b.left(2), QByteArray("BM"));
    QCOMPARE(le32(b, 2), quint32(b.size()));
    QCOMPARE(le32(b, 10), 54u);
    QCOMPARE(le32(b, 14), 40u);
    QCOMPARE(le32(b, 18), quint32(width));
    QCOMPARE(le32(b, 22), quint32(height)); // positive: bottom-up
    QCOMPARE(le16(b, 26), quint16(1));
    QCOMPARE(le16(b, 28), quint16(24));
    QCOMPARE(le32(b, 30), 0u);
    QCOMPARE(le32(b, 34), quint32(row * height));
    // The first stored row is the bottom one, blue first; padding bytes are zero.
    QCOMPARE(uchar(b[54]), uchar(0x80 + (height - 1) % 100));
    QCOMPARE(uchar(b[55]), uchar((height - 1) & 0xFF));
    QCOMPARE(uchar(b[56]), uchar(0));
    for (int y = 0; y < height; ++y) {
        for (int p = 0; p < padding; ++p)
            QCOMPARE(b[54 + y * row + width * 3 + p], '\0');
        for (int x = 0; x < width; x += 3)
            QCOMPARE(bmpPixel(b, x, y), image.pixel(x, y));
    }
}

void TestScreenPictures::compilationFiles_data()
{
    QTest::addColumn<int>("resolution");
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("contentRes"); // the resolution drawn with content
    QTest::addColumn<QSize>("previewSize");
    QTest::newRow("320x240 portrait") << 1 << 1 << 1 << QSize(240, 320);
    QTest::newRow("480x272 portrait (layout 7 counts as portrait)") << 0 << 7 << 0 << QSize(272, 480);
    QTest::newRow("damaged resolution 9 draws as 480x272") << 9 << 0 << 0 << QSize(480, 272);
}

void TestScreenPictures::compilationFiles()
{
    QFETCH(int, resolution);
    QFETCH(int, layout);
    QFETCH(int, contentRes);
    QFETCH(QSize, previewSize);
    TempHome home;
    modVantile m;
    m.SetResolution(resolution);
    m.SetLayout(layout);
    for (int s = 0; s < 16; ++s) {
        m.SelectScreen(s);
        m.ScreenBackground[size_t(s)] = QStringLiteral("[&H0000FF&]"); // red
        addButton(m, 0, 1, 0, 0, QString());
    }
    m.SelectScreen(5);
    m.LastButton = 3;
    ScriptedMessages messages;
    const QString sd = home.file(QStringLiteral("sd")), preview = home.file(QStringLiteral("preview"));
    QVERIFY(CompileScreenPictures(m, messages, sd, preview, nullptr));
    QVERIFY(messages.boxes.isEmpty());
    QCOMPARE(m.CurrentScreen, int16_t(5));
    QCOMPARE(m.PanelBase, int16_t(5 * 1024));
    QCOMPARE(m.EditorBase, int16_t(5 * 2048));
    QCOMPARE(m.LastButton, int16_t(3));

    QStringList expectedSd;
    for (int res = 0; res < 4; ++res)
        for (const char *o : {"L", "P"})
            for (int s = 0; s < 16; ++s)
                expectedSd
                    << QStringLiteral("SR%1%2%3.BMP").arg(res).arg(QLatin1String(o)).arg(s, 2, 10, QLatin1Char('0'));
    expectedSd.sort();
    QCOMPARE(bmpNames(sd), expectedSd);
    QStringList expectedPreview{QStringLiteral("Screen 00 Home.BMP")};
    for (int s = 1; s < 16; ++s)
        expectedPreview << QStringLiteral("Screen %1.BMP").arg(s, 2, 10, QLatin1Char('0'));
    QCOMPARE(bmpNames(preview), expectedPreview);

    int withContent = 0;
    for (const QString &name : expectedSd) {
        const QByteArray b = readFile(sd + QLatin1Char('/') + name);
        const int res = name.mid(2, 1).toInt();
        const bool portrait = name[3] == QLatin1Char('P');
        const Settings::PanelSize size = Settings::ScreenSize(res, portrait);
        QCOMPARE(bmpSize(b), QSize(size.width, size.height));
        const bool content = res == contentRes && portrait == (layout != 0);
        if (content) {
            ++withContent;
            QCOMPARE(bmpPixel(b, size.width - 1, size.height - 1), Red);
            QCOMPARE(bmpPixel(b, 16, 12), ObjectPictures::ButtonPicture(0).pixel(16, 12));
        } else {
            QVERIFY2(plain(b, DarkGrey), qPrintable(name));
        }
    }
    QCOMPARE(withContent, 16);
    for (const QString &name : expectedPreview)
        QCOMPARE(bmpSize(readFile(preview + QLatin1Char('/') + name)), previewSize);
}

void TestScreenPictures::previewsAgainstSdPictures()
{
    TempHome home;
    modVantile m;
    everyKind(m, 2);
    m.SetTextType(2, 1);
    m.SetTextLeft(2, 10);
    m.SetTextTop(2, 100);
    m.SetTextString(2, QStringLiteral("Hall"));
    ScriptedMessages messages;
    ScreenRenderer r(m, messages);
    r.SetFolders(home.root(), home.root());
    r.RenderDLImages(0);
    r.RenderIPImages(0);
    QCOMPARE(r.FilesWritten(), 48);
    const QByteArray sd = readFile(home.file(QStringLiteral("SR0L02.BMP")));
    const QByteArray pv = readFile(home.file(QStringLiteral("Screen 02.BMP")));
    QCOMPARE(bmpSize(sd), QSize(480, 272));
    QCOMPARE(bmpSize(pv), QSize(480, 272));

    auto differs = [](const QByteArray &b, QRect r) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += (bmpPixel(b, x, y) | 0xFF000000) != White;
        return n;
    };
    const QRect button(10, 10, 32, 24), pilot(100, 10, 16, 16), slider(150, 10, 34, 221);
    const QRect valueBox(200, 10, 32, 18), bar(250, 10, 16, 221), text(10, 100, 60, 20);
    for (const QRect &r : {button, valueBox, text}) {
        QVERIFY(differs(sd, r) > 0);
        QVERIFY(differs(pv, r) > 0);
    }
    for (const QRect &r : {pilot, slider, bar}) {
        QCOMPARE(differs(sd, r), 0);
        QVERIFY(differs(pv, r) > 0);
    }
}

void TestScreenPictures::solidBackground()
{
    modVantile m;
    m.ScreenBackground[0] = QStringLiteral("[&H00FF00&]");
    ScriptedMessages messages;
    ScreenRenderer r(m, messages);
    clearCanvas(r, Red);
    r.RenderDLImage();
    QCOMPARE(countOther(r.Canvas().Image(), QRect(0, 0, 480, 272), Green), 0);
    m.ScreenBackground[0] = QStringLiteral("[&H102030"); // the selector's form, without "]"
    r.RenderIPImage();
    QCOMPARE(px(r.Canvas().Image(), 479, 271), qRgb(0x30, 0x20, 0x10));
}

void TestScreenPictures::missingBackgroundOncePerScreenDrawn()
{
    TempHome home;
    modVantile m;
    m.SetResolution(1);
    const QString gone = home.file(QStringLiteral("gone.bmp"));
    m.SelectScreen(4);
    m.ScreenBackground[4] = gone;
    addButton(m, 0, 1, 10, 10, QString());
    ScriptedMessages messages;
    ScreenRenderer r(m, messages);
    r.SetFolders(home.root(), home.root());
    for (int iRes : {0, 1, 2}) {
        r.RenderDLImages(iRes);
        r.RenderIPImages(iRes);
    }
    QCOMPARE(messages.boxes.size(), 2); // the SD picture and the preview
    for (const auto &box : messages.boxes) {
        QCOMPARE(box.text, QStringLiteral("File Not Found\r\n") + gone);
        QCOMPARE(box.title, QStringLiteral("File Missing"));
        QCOMPARE(box.icon, MessagePrompt::Icon::Information);
    }
    for (const QString &file : {QStringLiteral("SR1L04.BMP"), QStringLiteral("Screen 04.BMP")}) {
        const QByteArray b = readFile(home.file(file));
        QCOMPARE(bmpSize(b), QSize(320, 240));
        QCOMPARE(bmpPixel(b, 300, 200), White);
        QCOMPARE(bmpPixel(b, 26, 22), ObjectPictures::ButtonPicture(0).pixel(16, 12));
    }
}

void TestScreenPictures::smallBackgroundPicture()
{
    TempHome home;
    QImage picture(100, 100, QImage::Format_RGB32);
    picture.fill(qRgb(10, 20, 30));
    const QString path = home.file(QStringLiteral("small.bmp"));
    QVERIFY(Bmp24File::Write(picture, path));

    modVantile m;
    m.ScreenBackground[1] = QStringLiteral("[&H0000FF&]");
    m.ScreenBackground[2] = path;
    ScriptedMessages messages;
    ScreenRenderer r(m, messages);
    r.Canvas().Resize(480, 272);
    m.SelectScreen(1);
    r.RenderDLImage();
    m.SelectScreen(2);
    r.RenderDLImage();
    QImage canvas = r.Canvas().Image();
    QCOMPARE(countOther(canvas, QRect(0, 0, 100, 100), qRgb(10, 20, 30)), 0);
    // The rest keeps the colour the canvas had before.
    QCOMPARE(countOther(canvas, QRect(100, 0, 380, 272), Red), 0);
    QCOMPARE(countOther(canvas, QRect(0, 100, 100, 172), Red), 0);

    // A file that exists but is no picture: said once, drawn on white.
    const QString notPicture = home.file(QStringLiteral("notes.bmp"));
    QVERIFY(writeFile(notPicture, "not a picture"));
    m.ScreenBackground[2] = notPicture;
    r.RenderDLImage();
    canvas = r.Canvas().Image();
    QCOMPARE(messages.boxes.size(), 1);
    QCOMPARE(messages.boxes[0].title, QStringLiteral("File Missing"));
    QVERIFY(messages.boxes[0].text.contains(QStringLiteral("\r\n") + notPicture + QStringLiteral("\r\n")));
    QCOMPARE(countOther(canvas, canvas.rect(), White), 0);
}

// An 8-bit BMP, grey palette, with the given pixel data: run-length coded
// unless told otherwise; a negative height stores the rows top-down.
static QByteArray runLengthBmp(int w, int h, const QByteArray &runs, char compression = 1)
{
    QByteArray b(54 + 1024, '\0');
    auto put32 = [&](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = char(v >> (8 * i));
    };
    b[0] = 'B', b[1] = 'M';
    put32(2, uint32_t(b.size() + runs.size()));
    put32(10, uint32_t(b.size()));
    put32(14, 40), put32(18, uint32_t(w)), put32(22, uint32_t(h));
    b[26] = 1, b[28] = 8, b[30] = compression;
    for (int i = 0; i < 256; ++i)
        b[54 + 4 * i] = b[55 + 4 * i] = b[56 + 4 * i] = char(i);
    return b + runs;
}

// A 32-bit BMP with colour masks, every pixel grey `level`.
static QByteArray bitFieldBmp(int w, int h, uint8_t level)
{
    QByteArray b(66, '\0');
    auto put32 = [&](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = char(v >> (8 * i));
    };
    b[0] = 'B', b[1] = 'M';
    put32(2, uint32_t(66 + 4 * w * h));
    put32(10, 66);
    put32(14, 40), put32(18, uint32_t(w)), put32(22, uint32_t(h));
    b[26] = 1, b[28] = 32, b[30] = 3;
    put32(54, 0xFF0000), put32(58, 0xFF00), put32(62, 0xFF);
    for (int i = 0; i < w * h; ++i)
        b += QByteArray(3, char(level)) + '\0';
    return b;
}

void TestScreenPictures::unreadableBackground_data()
{
    QTest::addColumn<QByteArray>("bytes"); // null: a FIFO
    QTest::addColumn<bool>("readable");
    QTest::addColumn<QString>("why");
    QImage picture(64, 64, QImage::Format_RGB32);
    picture.fill(qRgb(10, 20, 30));
    const QByteArray bmp = Bmp24File::Encode(picture);
    QByteArray rows;
    for (int y = 0; y < 4; ++y)
        rows += QByteArray("\x08\x50\x00\x00", 4); // eight pixels of grey 80, end of row
    const QString undefined = QStringLiteral("the file does not define every pixel of the picture");
    QTest::newRow("FIFO") << QByteArray() << false << "it is not a regular file";
    QTest::newRow("BMP cut after ten rows")
        << bmp.left(54 + 10 * 64 * 3) << false << "the file ends before the pixel rows its header promises";
    QTest::newRow("run-length BMP ending early") << runLengthBmp(8, 8, rows.left(8)) << false << undefined;
    QTest::newRow("whole run-length BMP") << runLengthBmp(8, 4, rows + QByteArray("\x00\x01", 2)) << true << "";
    QTest::newRow("whole top-down BMP") << runLengthBmp(8, -4, QByteArray(32, char(80)), 0) << true << "";
    QTest::newRow("whole BMP with colour masks") << bitFieldBmp(8, 4, 80) << true << "";
    QByteArray huge = bitFieldBmp(8, 4, 80);
    for (int at : {18, 22})
        huge[at] = '\xff', huge[at + 1] = '\xff', huge[at + 2] = '\xff', huge[at + 3] = '\x7f';
    QTest::newRow("BMP of 2^31 - 1 rows of 2^31 - 1 pixels")
        << huge << false << "the file ends before the pixel rows its header promises";
    // The rows start after the colour table however early the header says
    // they do: the last one is missing.
    QByteArray early = runLengthBmp(8, 4, QByteArray(24, char(80)), 0);
    early[10] = 54, early[11] = 0;
    QTest::newRow("BMP whose rows would start in its colour table") << early << false << undefined;
    // A top-down header whose rows the file does not hold.
    QTest::newRow("short top-down BMP") << QByteArray::fromHex(
                                               "424d4e0000007601000000002100000428ffdd00f9ff01001800004749460000ee")
                                        << false << undefined;
}

void TestScreenPictures::unreadableBackground()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, readable);
    QFETCH(QString, why);
    TempHome home;
    const QString path = home.file(QStringLiteral("background.bmp"));
    if (bytes.isNull() && !MakeFifo(path))
        QSKIP("no FIFOs on this system");
    QVERIFY(bytes.isNull() || writeFile(path, bytes));
    // The check's quicker test of the file says the same.
    QString readableWhy;
    QCOMPARE(BackgroundPictureFile::Readable(path, &readableWhy), readable);
    if (!readable)
        QCOMPARE(readableWhy, why);
    modVantile m;
    m.ScreenBackground[0] = path;
    ScriptedMessages messages;
    ScreenRenderer r(m, messages);
    r.Canvas().Resize(480, 272);
    r.RenderDLImage();
    const QImage canvas = r.Canvas().Image();
    if (readable) {
        QVERIFY(messages.boxes.isEmpty());
        QCOMPARE(canvas.pixel(7, 3), qRgb(80, 80, 80));
        return;
    }
    QCOMPARE(messages.boxes.size(), 1);
    QCOMPARE(messages.boxes[0].text,
             QStringLiteral("File Cannot Be Read As A Picture\r\n") + path + QStringLiteral("\r\n") + why);
    // Said once however often the picture is drawn.
    r.RenderDLImage();
    QCOMPARE(messages.boxes.size(), 1);
    QCOMPARE(countOther(canvas, canvas.rect(), White), 0);
}

void TestScreenPictures::unwritableFolderReportedOnce()
{
    TempHome home;
    const QString blocker = home.file(QStringLiteral("a file"));
    QVERIFY(writeFile(blocker, "x"));
    modVantile m;
    m.SelectScreen(3);
    ScriptedMessages messages;
    QString error;
    QVERIFY(
        !CompileScreenPictures(m, messages, blocker + QStringLiteral("/sd"), home.file(QStringLiteral("pv")), &error));
    QCOMPARE(messages.boxes.size(), 0); // the caller tells the user, once
    QVERIFY2(error.startsWith(QStringLiteral("Screen Pictures Not Saved\r\n128 of 144 picture files could not be "
                                             "written.\r\n")),
             qPrintable(error));
    QVERIFY(error.contains(QStringLiteral("SR0L00.BMP")));
    QCOMPARE(bmpNames(home.file(QStringLiteral("pv"))).size(), 16);
    QCOMPARE(m.CurrentScreen, int16_t(3));

    // No folder at all: nothing lands in the current folder or the root.
    QVERIFY(!CompileScreenPictures(m, messages, QString(), QString(), &error));
    QCOMPARE(messages.boxes.size(), 0);
    QVERIFY(error.contains(QStringLiteral("144 of 144")));
}

void TestScreenPictures::fontTravelsWithTheProgram()
{
    // The pictures' font is the one inside the program, whatever the system
    // has under the name Arial.
    QCOMPARE(RenderFontFamily(), QStringLiteral("Liberation Sans"));
    for (const char *file : {":/fonts/LiberationSans-Regular.ttf", ":/fonts/LiberationSans-Bold.ttf"}) {
        QFile font(QString::fromLatin1(file));
        QVERIFY2(font.open(QIODevice::ReadOnly), file);
        const QRawFont raw(font.readAll(), 12);
        QVERIFY2(raw.isValid(), file);
        QCOMPARE(raw.familyName(), QStringLiteral("Liberation Sans"));
    }
    for (const bool bold : {false, true}) {
        const QFontInfo info(RenderCanvas::ArialFont(10, bold));
        QCOMPARE(info.family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(info.bold(), bold);
    }
}

QObject *newScreenPicturesTest()
{
    return new TestScreenPictures;
}

#include "tst_screenpictures.moc"
