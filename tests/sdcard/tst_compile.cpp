#include "model/modVantile.h"
#include "render/Bmp24File.h"
#include "sdfixtures.h"

// Picture conversion: RGB565 high byte first, header rule, row padding,
// sector count, and the files that must be skipped.
class tst_Compile : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void pixels_data();
    void pixels();
    void rowPadding_data();
    void rowPadding();
    void headerAndSectors();
    void screenPictureHeaderless();
    void headerRule_data();
    void headerRule();
    void topDownRows();
    void badFiles_data();
    void badFiles();
    void stockPicturesFitTheirSlots();
    void bmpWriterLayout();

private:
    QTemporaryDir dir;
    QString folder;
    modVantileSDWrite sd;
    // Writes the BMP as the file of `slot` and converts it.
    bool convert(int slot, const QByteArray &bmp, int commandSet, QString *why = nullptr)
    {
        writeFile(folder + QLatin1Char('/') + sd.PicName[size_t(slot)], bmp);
        return sd.CompilePic(slot, commandSet, why);
    }
};

void tst_Compile::initTestCase()
{
    folder = dir.path();
    sd.FillPicTable();
    sd.PictureFolder = folder;
}

void tst_Compile::pixels_data()
{
    QTest::addColumn<int>("r");
    QTest::addColumn<int>("g");
    QTest::addColumn<int>("b");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("white") << 255 << 255 << 255 << QByteArray("\xFF\xFF", 2);
    QTest::newRow("red") << 255 << 0 << 0 << QByteArray("\xF8\x00", 2);
    QTest::newRow("green") << 0 << 255 << 0 << QByteArray("\x07\xE0", 2);
    QTest::newRow("blue") << 0 << 0 << 255 << QByteArray("\x00\x1F", 2);
    QTest::newRow("7 3 7") << 7 << 3 << 7 << QByteArray("\x00\x00", 2);
    QTest::newRow("8 4 8") << 8 << 4 << 8 << QByteArray("\x08\x21", 2);
}

void tst_Compile::pixels()
{
    QFETCH(int, r);
    QFETCH(int, g);
    QFETCH(int, b);
    QFETCH(QByteArray, bytes);
    QVERIFY(convert(1935, solidBmp(2, 2, Rgb{uint8_t(r), uint8_t(g), uint8_t(b)}), 0));
    const QByteArray out = sd.PictureSectors();
    QCOMPARE(out.left(6), QByteArray("\x00\x02\x00\x02\x00\x00", 6));
    for (int i = 0; i < 4; ++i)
        QCOMPARE(out.mid(6 + 2 * i, 2), bytes);
}

void tst_Compile::rowPadding_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("padding");
    QTest::newRow("4 wide, none") << 4 << 0;
    QTest::newRow("5 wide, 1") << 5 << 1;
    QTest::newRow("6 wide, 2") << 6 << 2;
    QTest::newRow("7 wide, 3") << 7 << 3;
}

void tst_Compile::rowPadding()
{
    QFETCH(int, width);
    QFETCH(int, padding);
    const int height = 3;
    const QByteArray bmp = makeBmp(width, height, [](int x, int y) {
        return Rgb{uint8_t(x * 40), uint8_t(y * 80), 8};
    });
    QCOMPARE(bmp.size(), 54 + (width * 3 + padding) * height);
    QVERIFY(convert(1936, bmp, 0));
    QCOMPARE(sd.PicWords, 3 + width * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int expected = (x * 40 / 8) << 11 | (y * 80 / 4) << 5 | 1;
            QCOMPARE(int(sd.PicData[size_t(3 + y * width + x)]), expected);
        }
    }
}

void tst_Compile::headerAndSectors()
{
    // 40 x 44 with header: 00 28 00 2C 00 00, 3526 bytes, 7 sectors.
    QVERIFY(convert(0, solidBmp(40, 44, Rgb{255, 0, 0}), 0));
    const QByteArray out = sd.PictureSectors();
    QCOMPARE(out.left(6), QByteArray("\x00\x28\x00\x2C\x00\x00", 6));
    QCOMPARE(sd.PicWords, 1763);
    QCOMPARE(out.size(), 7 * 512);
    QCOMPARE(out.mid(3524, 2), QByteArray("\xF8\x00", 2));
    QVERIFY(allZero(out.mid(3526)));
}

void tst_Compile::screenPictureHeaderless()
{
    // 800 x 480 under "ZAV Cmd": no header, exactly 1500 sectors of pixels,
    // written as 1501 with the last one all padding.
    QVERIFY(convert(1203, solidBmp(800, 480, Rgb{0, 0, 255}), 2));
    QCOMPARE(sd.PicWords, 384000);
    const QByteArray out = sd.PictureSectors();
    QCOMPARE(out.size(), 1501 * 512);
    QCOMPARE(out.left(2), QByteArray("\x00\x1F", 2));
    QCOMPARE(out.mid(767998, 2), QByteArray("\x00\x1F", 2));
    QVERIFY(allZero(out.mid(768000)));
    // The same picture under "P Cmd" carries the header and still fits.
    QVERIFY(convert(1203, solidBmp(800, 480, Rgb{0, 0, 255}), 0));
    QCOMPARE(sd.PictureSectors().left(6), QByteArray("\x03\x20\x01\xE0\x00\x00", 6));
    QCOMPARE(sd.PictureSectors().size(), 1501 * 512);
}

void tst_Compile::headerRule_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("commandSet");
    QTest::addColumn<bool>("headerless");
    for (int cmd = 0; cmd < 3; ++cmd) {
        const bool zav = cmd == 2;
        QTest::addRow("cmd %d B0_S0_C0", cmd) << 0 << cmd << false;
        QTest::addRow("cmd %d QX0_000", cmd) << 135 << cmd << false;
        QTest::addRow("cmd %d SLAB_000", cmd) << 1148 << cmd << false;
        QTest::addRow("cmd %d SR0L00", cmd) << 1149 << cmd << zav;
        QTest::addRow("cmd %d SR0LPW", cmd) << 1166 << cmd << zav;
        QTest::addRow("cmd %d SR3PPW", cmd) << 1292 << cmd << zav;
        QTest::addRow("cmd %d BLAB_000", cmd) << 1293 << cmd << false;
        QTest::addRow("cmd %d PB33", cmd) << 1932 << cmd << false;
        QTest::addRow("cmd %d ZAVS0_L", cmd) << 1933 << cmd << zav;
        QTest::addRow("cmd %d ZAVS0_P", cmd) << 1934 << cmd << zav;
        QTest::addRow("cmd %d DIGIT0", cmd) << 1935 << cmd << false;
        QTest::addRow("cmd %d ZAVS3_L", cmd) << 1945 << cmd << zav;
        QTest::addRow("cmd %d ZAVS3_P", cmd) << 1946 << cmd << zav;
    }
    QTest::newRow("damaged command set 3") << 1149 << 3 << false;
}

void tst_Compile::headerRule()
{
    QFETCH(int, slot);
    QFETCH(int, commandSet);
    QFETCH(bool, headerless);
    QCOMPARE(modVantileSDWrite::Headerless(commandSet, slot), headerless);
    QVERIFY(convert(slot, solidBmp(3, 2, Rgb{255, 255, 255}), commandSet));
    QCOMPARE(sd.PicWords, headerless ? 6 : 9);
    QCOMPARE(sd.PictureSectors().left(2), headerless ? QByteArray("\xFF\xFF", 2) : QByteArray("\x00\x03", 2));
}

void tst_Compile::topDownRows()
{
    QByteArray bmp = makeBmp(2, 2, [](int, int y) { return y == 0 ? Rgb{255, 0, 0} : Rgb{0, 0, 255}; });
    // Turn it into a top-down file: negative height, rows reversed.
    const QByteArray rows = bmp.mid(54);
    bmp = bmp.left(54) + rows.mid(8, 8) + rows.left(8);
    bmp[22] = char(0xFE);
    bmp[23] = bmp[24] = bmp[25] = char(0xFF);
    QVERIFY(convert(1937, bmp, 0));
    QCOMPARE(int(sd.PicData[3]), 0xF800);
    QCOMPARE(int(sd.PicData[5]), 0x001F);
}

void tst_Compile::badFiles_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    const QByteArray good = solidBmp(4, 4, Rgb{1, 2, 3});
    QTest::newRow("missing") << 1938 << QByteArray() << "the file is missing";
    QTest::newRow("empty") << 1938 << QByteArray("") << "not a BMP file";
    QTest::newRow("not BM") << 1938 << QByteArray("PNG").append(good.mid(3)) << "not a BMP file";
    QTest::newRow("short header") << 1938 << good.left(40) << "not a BMP file";
    QTest::newRow("32 bit") << 1938
                            << makeBmp(
                                   4, 4, [](int, int) { return Rgb{}; }, 0, 32)
                            << "not an uncompressed 24-bit BMP";
    QTest::newRow("compressed") << 1938
                                << makeBmp(
                                       4, 4, [](int, int) { return Rgb{}; }, 0, 24, 1)
                                << "not an uncompressed 24-bit BMP";
    QTest::newRow("cut pixels") << 1938 << good.left(good.size() - 13) << "the file is too short for 4 x 4 pixels";
    QByteArray huge = good;
    huge[18] = char(0xFF);
    huge[19] = char(0xFF);
    QTest::newRow("huge width") << 1938 << huge << "the file is too short for 65535 x 4 pixels";
    QByteArray overflowing = good; // rows x row length overflows 64 bits
    for (int i : {18, 19, 20, 22, 23, 24})
        overflowing[i] = char(0xFF);
    overflowing[21] = overflowing[25] = char(0x7F);
    QTest::newRow("size overflows") << 1938 << overflowing
                                    << "the file is too short for 2147483647 x 2147483647 pixels";
    QByteArray negativeWidth = good;
    negativeWidth[21] = char(0x80);
    QTest::newRow("negative width") << 1938 << negativeWidth << "the picture has no pixels";
    QByteArray farOffset = good;
    farOffset[13] = char(0x7F);
    QTest::newRow("data offset past the end") << 1938 << farOffset << "the file is too short for 4 x 4 pixels";
    QTest::newRow("over the buffer") << 1945 << solidBmp(1155, 1155, Rgb{})
                                     << "the file is larger than 4 000 001 bytes";
    QTest::newRow("digit too large") << 1938 << solidBmp(16, 16, Rgb{})
                                     << "16 x 16 pixels need 2 sectors, the slot has 1";
    QTest::newRow("screen too large") << 1149 << solidBmp(480, 273, Rgb{})
                                      << "480 x 273 pixels need 512 sectors, the slot has 511";
}

void tst_Compile::badFiles()
{
    QFETCH(int, slot);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    const QString path = folder + QLatin1Char('/') + sd.PicName[size_t(slot)];
    QFile::remove(path);
    if (!bytes.isNull())
        QVERIFY(writeFile(path, bytes));
    QString why;
    QVERIFY(!sd.CompilePic(slot, 0, &why));
    QCOMPARE(why, reason);
    QCOMPARE(sd.PicWords, 0);
    QFile::remove(path);
}

void tst_Compile::stockPicturesFitTheirSlots()
{
    // Every stock slot gets a picture that fits with the header words (and so without them).
    const QString full = fullPictureFolder();
    modVantileSDWrite check;
    check.FillPicTable();
    check.PictureFolder = full;
    for (int slot = 0; slot < modVantileSDWrite::SlotCount; ++slot) {
        QString why;
        QVERIFY2(check.CompilePic(slot, 0, &why), qPrintable(check.PicName[size_t(slot)] + ": " + why));
    }
    // Sizes that are fixed by what the panel expects.
    QCOMPARE(CardStockPictures::Picture(0).size(), QSize(64, 24));
    QCOMPARE(CardStockPictures::Picture(31).size(), QSize(112, 64));
    QCOMPARE(CardStockPictures::Picture(32).size(), QSize(16, 8));
    QCOMPARE(CardStockPictures::Picture(127).size(), QSize(64, 64));
    QCOMPARE(CardStockPictures::Picture(236).size(), QSize(32, 18));
    QCOMPARE(CardStockPictures::Picture(542).size(), QSize(86, 38));
    QCOMPARE(CardStockPictures::Picture(543).size(), QSize(34, 221));
    QCOMPARE(CardStockPictures::Picture(1148).size(), QSize(42, 421));
    QCOMPARE(CardStockPictures::Picture(1293).size(), QSize(16, 221));
    QCOMPARE(CardStockPictures::Picture(1898).size(), QSize(20, 421));
    QCOMPARE(CardStockPictures::Picture(1292).size(), QSize(480, 800));
    QCOMPARE(CardStockPictures::Picture(1946).size(), QSize(480, 800));
    QVERIFY(CardStockPictures::Picture(1149).isNull());
    // Levels differ: the slider at 0 and at 100 are not the same picture.
    QVERIFY(CardStockPictures::Picture(543) != CardStockPictures::Picture(643));
    QVERIFY(CardStockPictures::Picture(1293) != CardStockPictures::Picture(1393));
    QVERIFY(CardStockPictures::Picture(135) != CardStockPictures::Picture(236));
}

void tst_Compile::bmpWriterLayout()
{
    QImage image(5, 2, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    image.setPixel(0, 0, qRgb(255, 0, 0));
    const QByteArray bmp = Bmp24File::Encode(image);
    QCOMPARE(bmp.size(), 54 + 16 * 2);
    QCOMPARE(bmp.left(2), QByteArray("BM"));
    QCOMPARE(int(bmp[28]), 24);
    // Bottom-up: the top-left pixel starts the second row.
    QCOMPARE(bmp.mid(54 + 16, 3), QByteArray("\x00\x00\xFF", 3));
    QCOMPARE(bmp.mid(54, 3), QByteArray("\x1E\x14\x0A", 3));
}

int runCompileTests(int argc, char **argv)
{
    tst_Compile t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_compile.moc"
