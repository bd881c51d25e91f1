#include "model/modVantile.h"
#include "sdfixtures.h"

#include <QSet>

class tst_Catalogue : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { sd.FillPicTable(); }
    void checkRows_data();
    void checkRows();
    void familyRules();
    void slotSizes_data();
    void slotSizes();
    void screenGroups_data();
    void screenGroups();
    void writeType_data();
    void writeType();
    void requiredCapacity();

private:
    modVantileSDWrite sd;
};

void tst_Catalogue::checkRows_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("position");
    QTest::addColumn<int>("sector");
    const struct {
        int slot;
        const char *name;
        qint64 position;
        int sector;
    } rows[] = {
        {0, "B0_S0_C0.BMP", 0, 0},
        {1, "B0_S0_C1.BMP", 3584, 7},
        {31, "B3_S3_C1.BMP", 321024, 627},
        {32, "PTT00S0.BMP", 335872, 656},
        {127, "PTT47S1.BMP", 646656, 1263},
        {128, "PW0.BMP", 655360, 1280},
        {135, "QX0_000.BMP", 759296, 1483},
        {236, "QX0_LBLK.BMP", 914432, 1786},
        {542, "QX3_LBLK.BMP", 2267136, 4428},
        {543, "SLAB_000.BMP", 2273792, 4441},
        {846, "SPAB_000.BMP", 6927872, 13531},
        {1149, "SR0L00.BMP", 17787392, 34741},
        {1165, "SR0LAD.BMP", 21973504, 42917},
        {1166, "SR0LPW.BMP", 22235136, 43428},
        {1167, "SR1L00.BMP", 22496768, 43939},
        {1185, "SR2L00.BMP", 25270784, 49357},
        {1203, "SR3L00.BMP", 30809600, 60175},
        {1221, "SR0P00.BMP", 44642816, 87193},
        {1292, "SR3PPW.BMP", 70729728, 138144},
        {1293, "BLAB_000.BMP", 71498240, 139645},
        {1596, "BPAB_000.BMP", 73670144, 143887},
        {1899, "PB00.BMP", 78789632, 153886},
        {1932, "PB33.BMP", 78891008, 154084},
        {1933, "ZAVS0_L.BMP", 78894080, 154090},
        {1935, "DIGIT0.BMP", 79417344, 155112},
        {1945, "ZAVS3_L.BMP", 79422464, 155122},
        {1946, "ZAVS3_P.BMP", 80190976, 156623},
        // Further rows of the family rules.
        {35, "PTT01S1.BMP", 660 * 512, 660},
        {36, "PTT02S0.BMP", 662 * 512, 662},
        {338, "QX1_LBLK.BMP", 2294 * 512, 2294},
        {1944, "DIGIT9.BMP", 155121 * 512, 155121},
        {1934, "ZAVS0_P.BMP", 154601 * 512, 154601},
    };
    for (const auto &r : rows)
        QTest::addRow("%d %s", r.slot, r.name) << r.slot << QString::fromLatin1(r.name) << r.position << r.sector;
}

void tst_Catalogue::checkRows()
{
    QFETCH(int, slot);
    QFETCH(QString, name);
    QFETCH(qint64, position);
    QFETCH(int, sector);
    QCOMPARE(sd.PicName[size_t(slot)], name);
    QCOMPARE(qint64(sd.PicOffset[size_t(slot)]), position);
    QCOMPARE(sd.PicOffset[size_t(slot)] / 512, sector);
}

void tst_Catalogue::familyRules()
{
    QSet<QString> names;
    for (int slot = 0; slot < modVantileSDWrite::SlotCount; ++slot) {
        const QString &name = sd.PicName[size_t(slot)];
        QVERIFY2(name.endsWith(QLatin1String(".BMP")) && name == name.toUpper(), qPrintable(name));
        names.insert(name);
        QCOMPARE(sd.PicOffset[size_t(slot)] % 512, 0);
        if (slot > 0)
            QVERIFY(sd.PicOffset[size_t(slot)] > sd.PicOffset[size_t(slot) - 1]);
    }
    QCOMPARE(names.size(), 1947);
    for (int slot = 1947; slot <= 1950; ++slot) {
        QVERIFY(sd.PicName[size_t(slot)].isEmpty());
        QCOMPARE(sd.PicOffset[size_t(slot)], 0);
    }
    // Filling again gives the same table.
    modVantileSDWrite again;
    again.FillPicTable();
    again.FillPicTable();
    QVERIFY(again.PicName == sd.PicName);
    QVERIFY(again.PicOffset == sd.PicOffset);
}

void tst_Catalogue::slotSizes_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("sectors");
    QTest::newRow("B0_S0_C0") << 0 << 7;
    QTest::newRow("B1_S3_C1") << 15 << 57;
    QTest::newRow("B2_S0_C0") << 16 << 4;
    QTest::newRow("B3_S3_C1") << 31 << 29;
    QTest::newRow("PTT00S0 small g0") << 32 << 1;
    QTest::newRow("PTT01S0 large g0") << 34 << 2;
    QTest::newRow("PTT47S1 large g3") << 127 << 17;
    QTest::newRow("PTT36S0 small g3") << 32 + 72 << 9;
    QTest::newRow("PW6") << 134 << 29;
    QTest::newRow("QX3_LBLK") << 542 << 13;
    QTest::newRow("SLAW_100") << 845 << 30;
    QTest::newRow("SPAW_100") << 1148 << 70;
    QTest::newRow("SR0LPW") << 1166 << 511;
    QTest::newRow("SR1L00") << 1167 << 301;
    QTest::newRow("SR2PAD") << 1273 << 601;
    QTest::newRow("SR3PPW") << 1292 << 1501;
    QTest::newRow("BLAW_100") << 1595 << 14;
    QTest::newRow("BPAW_100") << 1898 << 33;
    QTest::newRow("PB33") << 1932 << 6;
    QTest::newRow("DIGIT0") << 1935 << 1;
    QTest::newRow("ZAVS3_L") << 1945 << 1501;
    QTest::newRow("ZAVS3_P last") << 1946 << 1501;
}

void tst_Catalogue::slotSizes()
{
    QFETCH(int, slot);
    QFETCH(int, sectors);
    QCOMPARE(sd.SlotSectors(slot), sectors);
}

void tst_Catalogue::screenGroups_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("group");
    const struct {
        int first;
        const char *name;
    } groups[] = {{1149, "SR0L00.BMP"}, {1167, "SR1L00.BMP"}, {1185, "SR2L00.BMP"}, {1203, "SR3L00.BMP"},
                  {1221, "SR0P00.BMP"}, {1239, "SR1P00.BMP"}, {1257, "SR2P00.BMP"}, {1275, "SR3P00.BMP"}};
    for (int g = 0; g < 8; ++g)
        QTest::addRow("group %d", g + 1) << groups[g].first << QString::fromLatin1(groups[g].name) << g + 1;
}

void tst_Catalogue::screenGroups()
{
    QFETCH(int, first);
    QFETCH(QString, name);
    QFETCH(int, group);
    QCOMPARE(sd.PicName[size_t(first)], name);
    for (int k = 0; k < 18; ++k) {
        QCOMPARE(modVantileSDWrite::ScreenGroup(first + k), group);
        QCOMPARE(modVantileSDWrite::IsRenderedScreen(first + k), k < 16);
    }
    QCOMPARE(modVantileSDWrite::ScreenGroup(first - 1), group == 1 ? 0 : group - 1);
    QCOMPARE(modVantileSDWrite::ScreenGroup(first + 18), group == 8 ? 0 : group + 1);
    QVERIFY(sd.PicName[size_t(first + 16)].endsWith(QLatin1String("AD.BMP")));
    QVERIFY(sd.PicName[size_t(first + 17)].endsWith(QLatin1String("PW.BMP")));
}

void tst_Catalogue::writeType_data()
{
    QTest::addColumn<int>("resolution");
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("writeType");
    for (int r = 0; r < 4; ++r) {
        QTest::addRow("res %d landscape", r) << r << 0 << r + 1;
        QTest::addRow("res %d portrait", r) << r << 1 << r + 5;
    }
}

void tst_Catalogue::writeType()
{
    QFETCH(int, resolution);
    QFETCH(int, layout);
    QFETCH(int, writeType);
    modVantile m;
    m.SetResolution(resolution);
    m.SetLayout(layout);
    QCOMPARE(modVantileSDWrite::WriteTypeOf(m), writeType);
}

void tst_Catalogue::requiredCapacity()
{
    QCOMPARE(sd.RequiredCapacity(true, 1, 0), 80190976 + 1501 * 512);
    QCOMPARE(sd.RequiredCapacity(true, 1, 2), modVantileSDWrite::DataAreaEnd);
    QCOMPARE(sd.RequiredCapacity(false, 5, 1), qint64(sd.PicOffset[1239]));
    QCOMPARE(sd.RequiredCapacity(false, 1, 0), qint64(sd.PicOffset[1167]));
    QCOMPARE(sd.RequiredCapacity(false, 8, 2), modVantileSDWrite::DataAreaEnd);
    QCOMPARE(modVantileSDWrite::DataAreaEnd, qint64(1073758720));
}

int runCatalogueTests(int argc, char **argv)
{
    tst_Catalogue t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_catalogue.moc"
