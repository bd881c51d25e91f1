// Pictures made into backgrounds: where each way of fitting puts the
// picture, what the written BMP holds for every reader, and the verb.
#include "renderhelpers.h"

#include "render/BackgroundPictureFile.h"
#include "render/Bmp24File.h"
#include "render/PanelColour.h"
#include "render/PictureImport.h"
#include "sdcard/modVantileSDWrite.h"

#include <QDir>
#include <QPainter>

using PictureImport::Mode;

namespace
{

// A picture whose every pixel differs from its neighbours: a wrong row,
// column or channel order shows.
QImage pattern(QSize size, bool alpha = false)
{
    QImage image(size, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(
                x, y, qRgba((x * 7 + y) & 0xFF, (y * 5 + 3 * x) & 0xFF, (x ^ y) & 0xFF, alpha ? (x * 3) & 0xFF : 255));
    return image;
}

QImage solid(QSize size, QRgb colour)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

// The pixels of a BMP file read by its layout alone: the 14-byte file header,
// the 40-byte information header, 24-bit rows from the bottom, padded to 4.
QImage decodeByHand(const QByteArray &b, QString *why)
{
    auto fail = [why](const char *text) {
        *why = QLatin1String(text);
        return QImage();
    };
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M')
        return fail("no BMP header");
    if (le32(b, 2) != quint32(b.size()) || le32(b, 10) != 54 || le32(b, 14) != 40 || le16(b, 26) != 1 ||
        le16(b, 28) != 24 || le32(b, 30) != 0)
        return fail("not the one BMP form");
    const int w = int(le32(b, 18)), h = int(le32(b, 22));
    const int row = (w * 3 + 3) / 4 * 4;
    if (w <= 0 || h <= 0 || le32(b, 34) != quint32(row * h) || b.size() != 54 + row * h)
        return fail("sizes disagree");
    QImage out(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            out.setPixel(x, y, bmpPixel(b, x, y));
    return out;
}

} // namespace

class PictureImportTest : public QObject
{
    Q_OBJECT
private slots:
    void place_data();
    void place();
    void composeFollowsPlace_data();
    void composeFollowsPlace();
    void transparencyOnTheColour();
    void previewAsCompose_data();
    void previewAsCompose();
    void everyReaderReadsTheSame_data();
    void everyReaderReadsTheSame();
    void panelColours_data();
    void panelColours();
    void readRefusals_data();
    void readRefusals();
    void libraryNames_data();
    void libraryNames();
    void commandLine_data();
    void commandLine();
    void commandLineWritesCompose();
};

void PictureImportTest::place_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QPoint>("shift");
    QTest::addColumn<QRect>("expected");
    // Worked by hand: scaled side = round(side * screen / picture), halves up,
    // at least 1; offset = floor((screen - scaled) / 2).
    const QSize photo(4000, 3000), wide(800, 480), tall(480, 800), small(480, 272), qvga(320, 240);
    const auto row = [](const char *name, QSize picture, Mode mode, QSize screen, QRect expected, QPoint shift = {}) {
        QTest::newRow(name) << picture << int(mode) << screen << shift << expected;
    };
    row("4:3 fit landscape", photo, Mode::Fit, wide, {80, 0, 640, 480});
    row("4:3 fill landscape", photo, Mode::Fill, wide, {0, -60, 800, 600});
    row("4:3 stretch landscape", photo, Mode::Stretch, wide, {0, 0, 800, 480});
    row("4:3 centre landscape", photo, Mode::Centre, wide, {-1600, -1260, 4000, 3000});
    row("4:3 fit portrait", photo, Mode::Fit, tall, {0, 220, 480, 360});
    row("4:3 fill portrait, odd overflow", photo, Mode::Fill, tall, {-294, 0, 1067, 800});
    row("4:3 stretch portrait", photo, Mode::Stretch, tall, {0, 0, 480, 800});
    row("square fit", {100, 100}, Mode::Fit, small, {104, 0, 272, 272});
    row("square fill", {100, 100}, Mode::Fill, small, {0, -104, 480, 480});
    row("square centre", {100, 100}, Mode::Centre, small, {190, 86, 100, 100});
    row("odd centre, bars", {101, 51}, Mode::Centre, small, {189, 110, 101, 51});
    row("odd centre, cut", {1001, 1001}, Mode::Centre, small, {-261, -365, 1001, 1001});
    row("screen size fit", wide, Mode::Fit, wide, {0, 0, 800, 480});
    row("screen size fill", wide, Mode::Fill, wide, {0, 0, 800, 480});
    row("screen size centre", wide, Mode::Centre, wide, {0, 0, 800, 480});
    row("half rounds up", {3, 32}, Mode::Fit, small, {227, 0, 26, 272});
    row("sliver keeps a pixel", {10000, 10}, Mode::Fit, qvga, {0, 119, 320, 1});
    row("fill shifted down, held", photo, Mode::Fill, wide, {0, 0, 800, 600}, {0, 100});
    row("fill shifted up, held", photo, Mode::Fill, wide, {0, -120, 800, 600}, {0, -1000});
    row("fill shifted across, held", photo, Mode::Fill, wide, {0, -50, 800, 600}, {50, 10});
    row("fit ignores a shift", photo, Mode::Fit, wide, {80, 0, 640, 480}, {10, 10});
}

void PictureImportTest::place()
{
    QFETCH(QSize, picture);
    QFETCH(int, mode);
    QFETCH(QSize, screen);
    QFETCH(QPoint, shift);
    QFETCH(QRect, expected);
    QCOMPARE(PictureImport::Place(picture, screen, Mode(mode), shift), expected);
}

void PictureImportTest::composeFollowsPlace_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QSize>("screen");
    for (int mode = 0; mode < 4; ++mode)
        for (const QSize picture : {QSize(640, 480), QSize(90, 300), QSize(800, 480), QSize(1203, 97)})
            for (const QSize screen : {QSize(800, 480), QSize(272, 480)})
                QTest::addRow("%s %dx%d on %dx%d", qPrintable(PictureImport::ModeName(Mode(mode))), picture.width(),
                              picture.height(), screen.width(), screen.height())
                    << picture << mode << screen;
}

// A red picture on blue bars: red exactly where Place puts it.
void PictureImportTest::composeFollowsPlace()
{
    QFETCH(QSize, picture);
    QFETCH(int, mode);
    QFETCH(QSize, screen);
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255);
    const QImage out = PictureImport::Compose(solid(picture, red), screen, Mode(mode), blue);
    QCOMPARE(out.size(), screen);
    QCOMPARE(out.format(), QImage::Format_RGB32);
    const QRect inside = PictureImport::Place(picture, screen, Mode(mode)) & out.rect();
    QCOMPARE(countColor(out, inside, red), inside.width() * inside.height());
    QCOMPARE(countColor(out, out.rect(), blue), screen.width() * screen.height() - inside.width() * inside.height());
}

void PictureImportTest::transparencyOnTheColour()
{
    QImage picture = solid({40, 40}, qRgba(0, 0, 0, 0));
    QPainter(&picture).fillRect(0, 0, 40, 20, QColor(255, 0, 0, 128));
    const QImage out = PictureImport::Compose(picture, {320, 240}, Mode::Centre, qRgb(0, 255, 0));
    QCOMPARE(px(out, 0, 0), qRgb(0, 255, 0));     // a bar
    QCOMPARE(px(out, 160, 125), qRgb(0, 255, 0)); // fully transparent
    const QRgb half = px(out, 160, 105);          // half red over green
    QVERIFY2(qAbs(qRed(half) - 128) <= 1 && qAbs(qGreen(half) - 127) <= 1 && qBlue(half) == 0,
             qPrintable(QString::number(half, 16)));
}

void PictureImportTest::previewAsCompose_data()
{
    QTest::addColumn<int>("mode");
    for (int mode = 0; mode < 4; ++mode)
        QTest::newRow(qPrintable(PictureImport::ModeName(Mode(mode)))) << mode;
}

// The preview scales a reduced copy: the same geometry, colours as the card
// holds them when asked.
void PictureImportTest::previewAsCompose()
{
    QFETCH(int, mode);
    const QSize screen(480, 272);
    const QRgb red = qRgb(250, 10, 10), grey = qRgb(99, 99, 99);
    const QImage picture = solid({3001, 1999}, red);
    const PictureImport::Preview preview(picture, screen);
    const QImage quick = preview.Compose(Mode(mode), grey, {0, 40}, false);
    QCOMPARE(quick, PictureImport::Compose(picture, screen, Mode(mode), grey, {0, 40}));
    QCOMPARE(preview.Compose(Mode(mode), grey, {0, 40}, true), PanelColour::AsPanelShows(quick));
}

void PictureImportTest::everyReaderReadsTheSame_data()
{
    QTest::addColumn<QSize>("screen");
    for (const QSize screen : {QSize(480, 272), QSize(320, 240), QSize(480, 320), QSize(800, 480), QSize(272, 480),
                               QSize(240, 320), QSize(320, 480), QSize(480, 800)})
        QTest::addRow("%dx%d", screen.width(), screen.height()) << screen;
}

// The written BMP as the renderer, the image readers, a decoding by its
// layout alone and the card's conversion see it.
void PictureImportTest::everyReaderReadsTheSame()
{
    QFETCH(QSize, screen);
    TempHome home;
    const QImage made = PictureImport::Compose(pattern({700, 333}, true), screen, Mode::Fit, qRgb(12, 34, 56));
    const QString path = home.file(QStringLiteral("made.bmp"));
    QString why;
    QVERIFY2(PictureImport::WriteBmp(made, path, &why), qPrintable(why));
    const QByteArray bytes = readFile(path);

    QCOMPARE(decodeByHand(bytes, &why), made);
    QCOMPARE(BackgroundPictureFile::Read(path, &why).convertToFormat(QImage::Format_RGB32), made);
    QCOMPARE(QImage(path).convertToFormat(QImage::Format_RGB32), made);
    QVERIFY(BackgroundPictureFile::Readable(path, &why));

    std::vector<uint16_t> words;
    QVERIFY2(modVantileSDWrite::ConvertBmp(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()),
                                           true, modVantileSDWrite::LastSlotSectors, words, &why),
             qPrintable(why));
    QCOMPARE(words[0], uint16_t(screen.width()));
    QCOMPARE(words[1], uint16_t(screen.height()));
    const QImage panel = PanelColour::AsPanelShows(made);
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x) {
            const uint16_t word = words[size_t(3 + y * screen.width() + x)];
            if (PanelColour::ToRgb(word) != px(panel, x, y))
                QFAIL(qPrintable(QStringLiteral("card pixel %1, %2").arg(x).arg(y)));
        }
}

void PictureImportTest::panelColours_data()
{
    QTest::addColumn<QRgb>("colour");
    QTest::addColumn<int>("word");
    QTest::addColumn<QRgb>("shown");
    QTest::newRow("white") << qRgb(255, 255, 255) << 0xFFFF << qRgb(255, 255, 255);
    QTest::newRow("black") << qRgb(0, 0, 0) << 0x0000 << qRgb(0, 0, 0);
    QTest::newRow("low bits dropped") << qRgb(7, 3, 7) << 0x0000 << qRgb(0, 0, 0);
    QTest::newRow("lowest kept bits") << qRgb(8, 4, 8) << 0x0821 << qRgb(8, 4, 8);
    QTest::newRow("channels in place") << qRgb(0x80, 0x40, 0x20) << 0x8204 << qRgb(0x84, 0x41, 0x21);
}

void PictureImportTest::panelColours()
{
    QFETCH(QRgb, colour);
    QFETCH(int, word);
    QFETCH(QRgb, shown);
    QCOMPARE(int(PanelColour::FromRgb(uint8_t(qRed(colour)), uint8_t(qGreen(colour)), uint8_t(qBlue(colour)))), word);
    QCOMPARE(PanelColour::ToRgb(uint16_t(word)), shown);
}

void PictureImportTest::readRefusals_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QTest::newRow("text") << QByteArray("not a picture at all\n") << "it is no picture this program can read";
    QTest::newRow("empty") << QByteArray() << "it is no picture this program can read";
    QTest::newRow("folder") << QByteArray("FOLDER") << "";
}

void PictureImportTest::readRefusals()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    TempHome home;
    const QString path = home.file(QStringLiteral("photo.png"));
    if (bytes == "FOLDER")
        QVERIFY(QDir().mkpath(path));
    else
        QVERIFY(writeFile(path, bytes));
    QString why;
    QVERIFY(PictureImport::Read(path, &why).isNull());
    QVERIFY2(!why.isEmpty() && why.contains(reason), qPrintable(why));
}

void PictureImportTest::libraryNames_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QString>("name");
    QTest::newRow("photo") << "/home/a/Hall photo.final.JPG" << QSize(800, 480) << "Hall photo.final 800x480.BMP";
    QTest::newRow("portrait") << "logo.png" << QSize(272, 480) << "logo 272x480.BMP";
    QTest::newRow("characters no file may hold") << "/x/a:b*c?.gif" << QSize(480, 272) << "a_b_c_ 480x272.BMP";
    QTest::newRow("characters no project may hold") << "/x/plan \u03a9.png" << QSize(480, 272) << "plan _ 480x272.BMP";
    QTest::newRow("no name") << "/x/.png" << QSize(320, 240) << "Picture 320x240.BMP";
}

void PictureImportTest::libraryNames()
{
    QFETCH(QString, source);
    QFETCH(QSize, screen);
    QFETCH(QString, name);
    QCOMPARE(PictureImport::LibraryName(source, screen), name);
}

void PictureImportTest::commandLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const QStringList base{"picture", "IN.png", "--out", "OUT.bmp"};
    QTest::newRow("no size") << base << 64 << "quellix picture: no screen size given (--size WIDTHxHEIGHT)";
    QTest::newRow("no screen's size") << base + QStringList{"--size", "801x480"} << 64
                                      << "quellix picture: '801x480' is not the size of a screen of the panel";
    QTest::newRow("unknown way") << base + QStringList{"--size", "800x480", "--fit", "zoom"} << 64
                                 << "quellix picture: 'zoom' is no way to fit a picture (fit, fill, stretch or centre)";
    QTest::newRow("no colour") << base + QStringList{"--size", "800x480", "--colour", "red"} << 64
                               << "quellix picture: 'red' is no colour (#RRGGBB)";
    QTest::newRow("no picture") << QStringList{"picture", "--size", "800x480", "--out", "OUT.bmp"} << 64
                                << "quellix picture: no picture given";
    QTest::newRow("no output") << QStringList{"picture", "IN.png", "--size", "800x480"} << 64
                               << "quellix picture: no output file given (--out OUT.bmp)";
    QTest::newRow("unreadable") << QStringList{"picture", "TEXT.png", "--size", "800x480", "--out", "OUT.bmp"} << 2
                                << "quellix picture: TEXT.png: it is no picture this program can read";
}

void PictureImportTest::commandLine()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    TempHome home;
    QVERIFY(solid({30, 20}, qRgb(1, 2, 3)).save(home.file(QStringLiteral("IN.png"))));
    QVERIFY(writeFile(home.file(QStringLiteral("TEXT.png")), "text"));
    for (QString &arg : args)
        if (arg.endsWith(QStringLiteral(".png")) || arg.endsWith(QStringLiteral(".bmp")))
            arg = home.file(arg);
    message.replace(QStringLiteral("TEXT.png"), home.file(QStringLiteral("TEXT.png")));
    const QuellixRun r = RunQuellix(args);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.err.startsWith(message), qPrintable(r.err));
    QVERIFY(!QFileInfo::exists(home.file(QStringLiteral("OUT.bmp"))));
}

// The verb makes what the import makes, defaults Fill and black; an
// existing output is replaced, as every verb replaces its output.
void PictureImportTest::commandLineWritesCompose()
{
    TempHome home;
    const QImage picture = pattern({300, 500}, true);
    const QString in = home.file(QStringLiteral("logo.png")), out = home.file(QStringLiteral("logo.bmp"));
    QVERIFY(picture.save(in));
    QVERIFY(writeFile(out, "old"));
    QuellixRun r = RunQuellix({QStringLiteral("picture"), in, QStringLiteral("--size"), QStringLiteral("480x272"),
                               QStringLiteral("--out"), out});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QDir::toNativeSeparators(out) + QStringLiteral(" written: 480 x 272 from 300 x 500 (fill)\n"));
    const QImage read = QImage(in);
    QCOMPARE(readFile(out), Bmp24File::Encode(PictureImport::Compose(read, {480, 272}, Mode::Fill, qRgb(0, 0, 0))));
    r = RunQuellix({QStringLiteral("picture"), in, QStringLiteral("--size"), QStringLiteral("272x480"),
                    QStringLiteral("--fit"), QStringLiteral("centre"), QStringLiteral("--colour"),
                    QStringLiteral("#FF8000"), QStringLiteral("--out"), out});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(readFile(out),
             Bmp24File::Encode(PictureImport::Compose(read, {272, 480}, Mode::Centre, qRgb(255, 128, 0))));
}

QObject *newPictureImportTest()
{
    return new PictureImportTest;
}

#include "tst_pictureimport.moc"
