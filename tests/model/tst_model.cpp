#include "model/Ansi.h"
#include "model/ObjectTables.h"
#include "model/Settings.h"
#include "model/modVantile.h"
#include "platform/Paths.h"
#include "systemfixtures.h"
#include "testsupport.h"

#include <QDir>
#include <QtTest>

#include <functional>
#include <memory>

namespace
{

enum class Array { Panel, Editor };

struct Field {
    Array array;
    int tableStart; // inside a screen block
    int recordSize;
    int offset; // inside the record
    int width;  // 1 or 2 words
    std::function<void(modVantile &, int, int)> set;
    std::function<int(const modVantile &, int)> get; // empty for panel-only fields
    std::function<void(modVantile &, int, int, int)> setOn;
    std::function<int(const modVantile &, int, int)> getOn;
};

#define FIELD(arr, start, size, off, w, Name)                                                                          \
    Field                                                                                                              \
    {                                                                                                                  \
        arr, start, size, off, w, [](modVantile &m, int n, int v) { m.Set##Name(n, v); },                              \
            [](const modVantile &m, int n) { return m.Get##Name(n); },                                                 \
            [](modVantile &m, int s, int n, int v) { m.Set##Name(s, n, v); },                                          \
            [](const modVantile &m, int s, int n) { return m.Get##Name(s, n); }                                        \
    }
#define SETONLY(arr, start, size, off, w, Name)                                                                        \
    Field                                                                                                              \
    {                                                                                                                  \
        arr, start, size, off, w, [](modVantile &m, int n, int v) { m.Set##Name(n, v); }, nullptr,                     \
            [](modVantile &m, int s, int n, int v) { m.Set##Name(s, n, v); }, nullptr                                  \
    }

// Every record field with its word position: the memory map the panel and
// the files depend on.
const QList<QPair<const char *, Field>> &fieldTable()
{
    using A = Array;
    static const QList<QPair<const char *, Field>> table = {
        {"ButtonType", FIELD(A::Panel, 256, 16, 0, 1, ButtonType)},
        {"ButtonLeft", FIELD(A::Panel, 256, 16, 1, 2, ButtonLeft)},
        {"ButtonRight", SETONLY(A::Panel, 256, 16, 3, 2, ButtonRight)},
        {"ButtonTop", FIELD(A::Panel, 256, 16, 5, 2, ButtonTop)},
        {"ButtonBottom", SETONLY(A::Panel, 256, 16, 7, 2, ButtonBottom)},
        {"ButtonDevice", FIELD(A::Panel, 256, 16, 9, 1, ButtonDevice)},
        {"ButtonPicture", FIELD(A::Editor, 0, 35, 0, 1, ButtonPicture)},
        {"ButtonWidth", FIELD(A::Editor, 0, 35, 1, 2, ButtonWidth)},
        {"ButtonHeight", FIELD(A::Editor, 0, 35, 3, 2, ButtonHeight)},
        {"ButtonTextX", FIELD(A::Editor, 0, 35, 5, 2, ButtonTextX)},
        {"ButtonTextY", FIELD(A::Editor, 0, 35, 7, 2, ButtonTextY)},
        {"ButtonTextColor", FIELD(A::Editor, 0, 35, 9, 1, ButtonTextColor)},
        {"ButtonFontSize", FIELD(A::Editor, 0, 35, 10, 1, ButtonFontSize)},
        {"PilotUsed", FIELD(A::Panel, 0, 8, 0, 1, PilotUsed)},
        {"PilotPicture", FIELD(A::Panel, 0, 8, 1, 1, PilotPicture)},
        {"PilotLeft", FIELD(A::Panel, 0, 8, 2, 2, PilotLeft)},
        {"PilotTop", FIELD(A::Panel, 0, 8, 4, 2, PilotTop)},
        {"PilotDevice", FIELD(A::Panel, 0, 8, 6, 1, PilotDevice)},
        {"PilotInput", FIELD(A::Panel, 0, 8, 7, 1, PilotInput)},
        {"SliderPicture", FIELD(A::Panel, 768, 10, 0, 1, SliderPicture)},
        {"SliderDevice", FIELD(A::Panel, 768, 10, 1, 1, SliderDevice)},
        {"SliderLeft", FIELD(A::Panel, 768, 10, 2, 2, SliderLeft)},
        {"SliderRight", SETONLY(A::Panel, 768, 10, 4, 2, SliderRight)},
        {"SliderTop", FIELD(A::Panel, 768, 10, 6, 2, SliderTop)},
        {"SliderBottom", SETONLY(A::Panel, 768, 10, 8, 2, SliderBottom)},
        {"SliderWidth", FIELD(A::Editor, 1120, 4, 0, 2, SliderWidth)},
        {"SliderHeight", FIELD(A::Editor, 1120, 4, 2, 2, SliderHeight)},
        {"TextType", FIELD(A::Panel, 848, 8, 0, 1, TextType)},
        {"TextLeft", FIELD(A::Panel, 848, 8, 1, 2, TextLeft)},
        {"TextTop", FIELD(A::Panel, 848, 8, 3, 2, TextTop)},
        {"TextDevice", FIELD(A::Panel, 848, 8, 5, 1, TextDevice)},
        {"TextPanelFont", SETONLY(A::Panel, 848, 8, 6, 1, TextPanelFont)},
        {"TextColor", FIELD(A::Editor, 1152, 56, 0, 1, TextColor)},
        {"TextFontSize", FIELD(A::Editor, 1152, 56, 1, 1, TextFontSize)},
        {"TextWidth", FIELD(A::Editor, 1152, 56, 2, 2, TextWidth)},
        {"TextHeight", FIELD(A::Editor, 1152, 56, 4, 2, TextHeight)},
    };
    return table;
}

// Word numbers at which two images differ.
QList<int> changedWords(const modVantile &a, const modVantile &b, Array array)
{
    QList<int> changed;
    if (array == Array::Panel) {
        for (int i = 0; i < modVantile::PanelWords; ++i)
            if (a.PanelImage[i] != b.PanelImage[i])
                changed << i;
    } else {
        for (int i = 0; i < modVantile::EditorWords; ++i)
            if (a.EditorImage[i] != b.EditorImage[i])
                changed << i;
    }
    return changed;
}

// A project where every word and background is set to something recognisable.
void fillDistinct(modVantile &m)
{
    for (int i = 0; i < modVantile::PanelWords; ++i)
        m.PanelImage[i] = int16_t((i * 7 + 3) % 256);
    for (int i = 0; i < modVantile::EditorWords; ++i)
        m.EditorImage[i] = int16_t((i * 13 + 5) % 256);
    for (int s = 0; s < modVantile::ScreenCount; ++s)
        m.ScreenBackground[s] = QStringLiteral("/pictures/screen %1 \u00e9\u20ac.bmp").arg(s);
}

} // namespace

class tst_Model : public QObject
{
    Q_OBJECT

private slots:
    void newProjectDefaults();
    void fieldPositions_data();
    void fieldPositions();
    void twoByteSplit_data();
    void twoByteSplit();
    void deviceOptionsAreAbsolute();
    void password_data();
    void password();
    void captions();
    void screenSelectionKeepsBases();
    void buttonCodes_data();
    void buttonCodes();
    void hex2_data();
    void hex2();
    void backgroundColour_data();
    void backgroundColour();

    void newProjectFileBytes();
    void projectRoundTrip();
    void projectFileRefused_data();
    void projectFileRefused();
    void projectTrailingBytesIgnored();
    void saveFailureKeepsState();
    void saveReplacesLongerFile();
    void backgroundPathStored_data();
    void backgroundPathStored();
    void savedWhereTheFolderRefusesNewFiles_data();
    void savedWhereTheFolderRefusesNewFiles();
    void screenExportImport();
    void screenFileNeverCarriesDeviceOptions();
    void screenBackgroundLimits();
    void screenFileRefused();
    void anyWordValueSurvivesAccessors();
};

void tst_Model::newProjectDefaults()
{
    modVantile m;
    for (int i = 0; i < modVantile::PanelWords; ++i)
        QCOMPARE(m.PanelImage[i], int16_t(0));
    for (int s = 0; s < 16; ++s) {
        m.SelectScreen(s);
        QCOMPARE(m.ScreenBackground[s], QStringLiteral("[&HFFFFFF&]"));
        for (int b = 0; b < 32; ++b) {
            QCOMPARE(m.GetButtonWidth(b), 96);
            QCOMPARE(m.GetButtonHeight(b), 32);
            QCOMPARE(m.GetButtonText(b), QStringLiteral("B %1").arg(b + 1, 2, 10, QLatin1Char('0')));
            QCOMPARE(m.GetButtonType(b), 0);
        }
        for (int t = 0; t < 16; ++t) {
            QCOMPARE(m.GetTextWidth(t), t < 8 ? 128 : 0);
            QCOMPARE(m.GetTextHeight(t), t < 8 ? 64 : 0);
        }
    }
    // Exactly these editor words are set: 5 per button (size) + caption
    // codes, 4 per text object 0 - 7.
    int nonZero = 0;
    for (int16_t w : m.EditorImage)
        nonZero += w != 0;
    QCOMPARE(nonZero, 16 * (32 * (1 + 1 + 4) + 8 * 2));

    m.LastPilot = 4;
    m.SelectScreen(7);
    m.ProjectFileName = QStringLiteral("/x.QXC");
    m.NewProject();
    QCOMPARE(m.CurrentScreen, int16_t(0));
    QCOMPARE(m.PanelBase, int16_t(0));
    QCOMPARE(m.EditorBase, int16_t(0));
    QCOMPARE(m.LastPilot, int16_t(-1));
    QCOMPARE(m.ProjectFileName, QStringLiteral("None"));
}

void tst_Model::fieldPositions_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < fieldTable().size(); ++i)
        QTest::newRow(fieldTable()[i].first) << i;
}

void tst_Model::fieldPositions()
{
    QFETCH(int, index);
    const Field &f = fieldTable()[index].second;
    const int screen = 5;
    const int counts[] = {32, 32, 8, 16};
    const int record = std::min(3, (f.recordSize == 4 || f.recordSize == 10) ? 7 : counts[0] - 1);
    const int value = f.width == 2 ? 300 : 7;

    modVantile before;
    before.SelectScreen(screen);
    modVantile after = before;
    f.set(after, record, value);

    const int block = f.array == Array::Panel ? screen * 1024 : screen * 2048;
    const int word = block + f.tableStart + record * f.recordSize + f.offset;
    QList<int> expected;
    for (int i = 0; i < f.width; ++i)
        if ((f.width == 2 ? (i == 0 ? 1 : 44) : 7) !=
            (f.array == Array::Panel ? before.PanelImage[word + i] : before.EditorImage[word + i]))
            expected << word + i;
    QCOMPARE(changedWords(before, after, f.array), expected);
    const Array other = f.array == Array::Panel ? Array::Editor : Array::Panel;
    QVERIFY(changedWords(before, after, other).isEmpty());
    if (f.get)
        QCOMPARE(f.get(after, record), value);

    // The explicit-screen form writes the same words from any current screen.
    modVantile other3 = before;
    other3.SelectScreen(2);
    f.setOn(other3, screen, record, value);
    QCOMPARE(changedWords(before, other3, f.array), expected);
    QCOMPARE(int(other3.CurrentScreen), 2);
    if (f.getOn)
        QCOMPARE(f.getOn(other3, screen, record), value);
}

void tst_Model::twoByteSplit_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("low");
    QTest::newRow("0") << 0 << 0 << 0;
    QTest::newRow("255") << 255 << 0 << 255;
    QTest::newRow("256") << 256 << 1 << 0;
    QTest::newRow("300") << 300 << 1 << 44;
    QTest::newRow("799") << 799 << 3 << 31;
    QTest::newRow("4095") << 4095 << 15 << 255;
    QTest::newRow("32767") << 32767 << 127 << 255;
}

void tst_Model::twoByteSplit()
{
    QFETCH(int, value);
    QFETCH(int, high);
    QFETCH(int, low);
    modVantile m;
    m.SetButtonLeft(3, value);
    const int word = 256 + 3 * 16 + 1;
    QCOMPARE(int(m.PanelImage[word]), high);
    QCOMPARE(int(m.PanelImage[word + 1]), low);
    QCOMPARE(m.GetButtonLeft(3), value);
}

void tst_Model::deviceOptionsAreAbsolute()
{
    modVantile m;
    m.SelectScreen(9);
    m.SetLayout(1);
    m.SetNodeAddress(200);
    m.SetNodeRange(53);
    m.SetBeep(1);
    m.SetResolution(3);
    m.SetCommandSet(2);
    const int expected[] = {1, 200, 53, 1, 3, 2};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(int(m.PanelImage[976 + i]), expected[i]);
    QCOMPARE(int(m.PanelImage[9 * 1024 + 976]), 0);
    m.SelectScreen(0);
    QCOMPARE(m.GetNodeRange(), 53);
}

void tst_Model::password_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QList<int>>("digits");
    QTest::newRow("zero") << 0 << QList<int>{0, 0, 0, 0, 0, 0};
    QTest::newRow("short") << 42 << QList<int>{0, 0, 0, 0, 4, 2};
    QTest::newRow("full") << 123456 << QList<int>{1, 2, 3, 4, 5, 6};
    QTest::newRow("max") << 999999 << QList<int>{9, 9, 9, 9, 9, 9};
    QTest::newRow("leading zero") << 10203 << QList<int>{0, 1, 0, 2, 0, 3};
}

void tst_Model::password()
{
    QFETCH(int, value);
    QFETCH(QList<int>, digits);
    modVantile m;
    m.SelectScreen(2);
    m.SetButtonPassword(31, value);
    const int word = 2 * 1024 + 256 + 31 * 16 + 10;
    for (int i = 0; i < 6; ++i)
        QCOMPARE(int(m.PanelImage[word + i]), digits[i]);
    QCOMPARE(m.GetButtonPassword(31), value);
}

void tst_Model::captions()
{
    modVantile m;
    const int captionWord = 4 * 35 + 11;
    m.SetButtonText(4, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123"));
    QCOMPARE(m.GetButtonText(4), QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWX"));
    QCOMPARE(int(m.EditorImage[captionWord + 23]), int('X'));
    QCOMPARE(int(m.EditorImage[captionWord + 24]), 0); // next record's picture word untouched

    m.SetButtonText(4, QString());
    for (int i = 0; i < 24; ++i)
        QCOMPARE(int(m.EditorImage[captionWord + i]), 0);

    // A zero word inside a caption is skipped, not an end mark.
    m.EditorImage[captionWord] = 'A';
    m.EditorImage[captionWord + 1] = 0;
    m.EditorImage[captionWord + 2] = 'B';
    QCOMPARE(m.GetButtonText(4), QStringLiteral("AB"));
    // Negative words (damaged file) are skipped too.
    m.EditorImage[captionWord + 1] = -5;
    QCOMPARE(m.GetButtonText(4), QStringLiteral("AB"));

    // Windows-1252: the euro sign is 0x80; a character outside the page is '?'.
    m.SetButtonText(0, QStringLiteral("\u20ac5 \u00fc\u4e2d"));
    QCOMPARE(int(m.EditorImage[11]), 0x80);
    QCOMPARE(int(m.EditorImage[14]), 0xFC);
    QCOMPARE(m.GetButtonText(0), QStringLiteral("\u20ac5 \u00fc?"));

    const QString fifty = QString(50, QLatin1Char('t'));
    m.SetTextString(15, fifty + QStringLiteral("overflow"));
    QCOMPARE(m.GetTextString(15), fifty);
    m.SetTextType(15, 3);
    m.SetTextDevice(15, 63);
    m.SetTextPanelFont(15, 2);
    QCOMPARE(int(m.PanelImage[848 + 15 * 8 + 7]), 0); // word 7 of a text record stays 0
}

void tst_Model::screenSelectionKeepsBases()
{
    modVantile m;
    m.SelectScreen(15);
    QCOMPARE(m.PanelBase, int16_t(15 * 1024));
    QCOMPARE(m.EditorBase, int16_t(15 * 2048));
    m.SetPilotLeft(0, 123);
    QCOMPARE(int(m.PanelImage[15 * 1024 + 2]), 0);
    QCOMPARE(int(m.PanelImage[15 * 1024 + 3]), 123);
    {
        modVantile::ScreenWalk walk(m);
        m.SelectScreen(3);
    }
    QCOMPARE(m.CurrentScreen, int16_t(15));
    QCOMPARE(m.EditorBase, int16_t(15 * 2048));
}

void tst_Model::buttonCodes_data()
{
    using A = ObjectTables::ButtonAction;
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("input");
    QTest::addColumn<int>("screen");
    const struct {
        int code;
        A action;
        int input, screen;
    } rows[] = {{0, A::Disabled, 0, 0},       {1, A::Push, 1, 0},          {8, A::Push, 8, 0},
                {9, A::TurnOn, 1, 0},         {16, A::TurnOn, 8, 0},       {17, A::TurnOff, 1, 0},
                {24, A::TurnOff, 8, 0},       {25, A::Goto, 0, 0},         {26, A::Goto, 0, 1},
                {40, A::Goto, 0, 15},         {41, A::GotoPassword, 0, 0}, {42, A::GotoPassword, 0, 1},
                {56, A::GotoPassword, 0, 15}, {57, A::Unknown, 0, 0},      {-1, A::Unknown, 0, 0}};
    for (const auto &r : rows)
        QTest::addRow("%d", r.code) << r.code << int(r.action) << r.input << r.screen;
}

void tst_Model::buttonCodes()
{
    QFETCH(int, code);
    QFETCH(int, action);
    QFETCH(int, input);
    QFETCH(int, screen);
    const ObjectTables::ButtonFunction f = ObjectTables::DecodeButton(code);
    QCOMPARE(int(f.action), action);
    QCOMPARE(f.input, input);
    QCOMPARE(f.screen, screen);
}

void tst_Model::hex2_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("text");
    QTest::newRow("1") << 1 << "01";
    QTest::newRow("10") << 10 << "0A";
    QTest::newRow("201") << 201 << "C9";
    QTest::newRow("254") << 254 << "FE";
    QTest::newRow("0") << 0 << "00";
    QTest::newRow("low byte of 300") << 300 << "2C";
}

void tst_Model::hex2()
{
    QFETCH(int, n);
    QFETCH(QString, text);
    QCOMPARE(Hex2(n), text);
}

void tst_Model::backgroundColour_data()
{
    QTest::addColumn<QString>("background");
    QTest::addColumn<bool>("isColour");
    QTest::addColumn<uint>("value");
    QTest::newRow("white, closed") << "[&HFFFFFF&]" << true << 0xFFFFFFu;
    QTest::newRow("selector form") << "[&H00FF80&" << true << 0x00FF80u;
    QTest::newRow("red") << "[&H0000FF&]" << true << 0x0000FFu;
    QTest::newRow("path") << "/home/pictures/a.bmp" << false << 0u;
    QTest::newRow("no digits") << "[&H" << true << 0u;
}

void tst_Model::backgroundColour()
{
    QFETCH(QString, background);
    QFETCH(bool, isColour);
    QFETCH(uint, value);
    QCOMPARE(IsColorBackground(background), isColour);
    if (isColour)
        QCOMPARE(BackgroundColorValue(background), value);
}

void tst_Model::newProjectFileBytes()
{
    TempHome home;
    QDir().mkpath(home.path());
    modVantile m;
    m.ProjectFileName = home.file("new.QXC");
    QString error;
    QVERIFY2(m.SaveProject(&error), qPrintable(error));
    const QByteArray bytes = readFile(m.ProjectFileName);
    QCOMPARE(bytes.size(), 98512);
    QVERIFY(bytes.left(32768).count('\0') == 32768);
    // Button 0 of screen 0: picture 0, width 0/96, height 0/32 as little-endian words.
    QCOMPARE(bytes.mid(32768, 10), QByteArray("\0\0\0\0\x60\0\0\0\x20\0", 10));
    QCOMPARE(bytes.mid(32768 + 22, 8), QByteArray("B\0 \0000\0001\0", 8));
    for (int s = 0; s < 16; ++s)
        QCOMPARE(bytes.mid(98304 + s * 13, 13), QByteArray("\x0B\0[&HFFFFFF&]", 13));
}

void tst_Model::projectRoundTrip()
{
    TempHome home;
    modVantile m;
    fillDistinct(m);
    m.ScreenBackground[3] = QString(); // empty strings are the count 0 alone
    m.ProjectFileName = home.file("a.QXC");
    QVERIFY(m.SaveProject());
    const QByteArray first = readFile(m.ProjectFileName);

    modVantile loaded;
    loaded.ProjectFileName = m.ProjectFileName;
    QString error;
    QVERIFY2(loaded.LoadProject(&error), qPrintable(error));
    QVERIFY(loaded.PanelImage == m.PanelImage);
    QVERIFY(loaded.EditorImage == m.EditorImage);
    QCOMPARE(loaded.ScreenBackground[5], m.ScreenBackground[5]);
    QCOMPARE(loaded.ScreenBackground[3], QString());

    loaded.ProjectFileName = home.file("b.QXC");
    QVERIFY(loaded.SaveProject());
    QCOMPARE(readFile(loaded.ProjectFileName), first);
}

void tst_Model::projectFileRefused_data()
{
    QTest::addColumn<int>("cut"); // bytes kept of a valid file; -1 = a foreign length field
    QTest::newRow("empty") << 0;
    QTest::newRow("one byte") << 1;
    QTest::newRow("arrays minus one") << 98303;
    QTest::newRow("arrays only") << 98304;
    QTest::newRow("half a count") << 98305;
    QTest::newRow("last string cut") << 98511;
    QTest::newRow("length beyond end") << -1;
    QTest::newRow("a FIFO") << -2;
}

void tst_Model::projectFileRefused()
{
    QFETCH(int, cut);
    TempHome home;
    modVantile source;
    QByteArray bytes = source.ProjectBytes();
    if (cut >= 0)
        bytes.truncate(cut);
    else
        bytes[98304 + 13 * 15] = char(0x7F); // last string claims 127 characters
    const QString path = home.file("short.QXC");
    if (cut == -2 && !MakeFifo(path))
        QSKIP("no FIFOs on this system");
    QVERIFY(cut == -2 || writeFile(path, bytes));

    modVantile m;
    fillDistinct(m);
    m.ProjectFileName = path;
    const modVantile before = m;
    QString error;
    QVERIFY(!m.LoadProject(&error));
    QVERIFY2(error.contains(path) && error.contains(QLatin1String(cut == -2 ? "not a regular file" : "too short")),
             qPrintable(error));
    QVERIFY(m.PanelImage == before.PanelImage);
    QVERIFY(m.EditorImage == before.EditorImage);
    QVERIFY(m.ScreenBackground == before.ScreenBackground);

    m.ProjectFileName = home.file("missing.QXC");
    QVERIFY(!m.LoadProject(&error));
    QVERIFY(error.contains(QLatin1String("missing.QXC")));
}

void tst_Model::projectTrailingBytesIgnored()
{
    TempHome home;
    modVantile source;
    source.SetButtonType(0, 9);
    QByteArray bytes = source.ProjectBytes() + QByteArray(5000, 'x');
    const QString path = home.file("long.QXC");
    QVERIFY(writeFile(path, bytes));
    modVantile m;
    m.ProjectFileName = path;
    QVERIFY(m.LoadProject());
    QCOMPARE(m.GetButtonType(0), 9);
    QCOMPARE(m.ScreenBackground[15], QStringLiteral("[&HFFFFFF&]"));
}

void tst_Model::saveFailureKeepsState()
{
    TempHome home;
    const QString blocker = home.file("not-a-folder");
    QVERIFY(writeFile(blocker, "x"));
    modVantile m;
    m.ProjectFileName = blocker + QStringLiteral("/p.QXC");
    QString error;
    QVERIFY(!m.SaveProject(&error));
    QVERIFY2(error.contains(QLatin1String("p.QXC")), qPrintable(error));
    QCOMPARE(readFile(blocker), QByteArray("x"));

    // A folder in the way of the file name: the save fails, nothing is lost.
    QDir().mkpath(home.file("dir.QXC"));
    m.ProjectFileName = home.file("dir.QXC");
    QVERIFY(!m.SaveProject(&error));
    QVERIFY(QFileInfo(home.file("dir.QXC")).isDir());
}

void tst_Model::saveReplacesLongerFile()
{
    TempHome home;
    const QString path = home.file("p.QXC");
    QVERIFY(writeFile(path, QByteArray(200000, '\x55')));
    modVantile m;
    m.ProjectFileName = path;
    QVERIFY(m.SaveProject());
    QCOMPARE(readFile(path).size(), 98512);
}

void tst_Model::backgroundPathStored_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("refusedFor"); // empty: stored as it is
    QTest::newRow("Western European") << QStringLiteral("/home/jürgen/Küche €.bmp") << QString();
    QTest::newRow("question mark") << QStringLiteral("/pictures/why?.bmp") << QString();
    QTest::newRow("Cyrillic") << QStringLiteral("/home/user/Фон.bmp") << QStringLiteral("(Фон)");
    QTest::newRow("outside the basic plane")
        << QStringLiteral("/pictures/\U0001F3E0.bmp") << QStringLiteral("(\U0001F3E0)");
}

void tst_Model::backgroundPathStored()
{
    QFETCH(QString, path);
    QFETCH(QString, refusedFor);
    TempHome home;
    modVantile m;
    m.SelectScreen(3);
    m.ScreenBackground[3] = path;
    m.ProjectFileName = home.file("p.QXC");
    m.ScreenFileName = home.file("s.QXS");
    QString saveError, exportError;
    QCOMPARE(m.SaveProject(&saveError), refusedFor.isEmpty());
    QCOMPARE(m.ExportScreen(&exportError), refusedFor.isEmpty());
    if (!refusedFor.isEmpty()) {
        for (const QString &error : {saveError, exportError})
            QVERIFY2(error.contains(QStringLiteral("Screen: 03")) && error.contains(path) && error.contains(refusedFor),
                     qPrintable(error));
        QVERIFY(!QFileInfo::exists(m.ProjectFileName) && !QFileInfo::exists(m.ScreenFileName));
        return;
    }
    modVantile back;
    back.ProjectFileName = m.ProjectFileName;
    QVERIFY(back.LoadProject());
    QCOMPARE(back.ScreenBackground[3], path);
}

void tst_Model::savedWhereTheFolderRefusesNewFiles_data()
{
    QTest::addColumn<bool>("project");
    QTest::newRow("project file") << true;
    QTest::newRow("screen file") << false;
}

// The file is written in place, and the note for the user says so; a usual
// save has no note.
void tst_Model::savedWhereTheFolderRefusesNewFiles()
{
    QFETCH(bool, project);
    TempHome home;
    const QString folder = home.file("shared");
    QDir().mkpath(folder);
    modVantile m;
    m.ProjectFileName = folder + QStringLiteral("/p.QXC");
    m.ScreenFileName = folder + QStringLiteral("/s.QXS");
    const QString target = project ? m.ProjectFileName : m.ScreenFileName;
    const auto write = [&](QString *error, QString *note) {
        return project ? m.SaveProject(error, note) : m.ExportScreen(error, note);
    };
    QString error, note = QStringLiteral("left over");
    QVERIFY2(write(&error, &note), qPrintable(error));
    QCOMPARE(note, QString());
    bool refuses = false, saved = false;
    {
        FolderRefusingNewFiles refusing(folder);
        refuses = !writeFile(folder + QStringLiteral("/probe"), "x");
        saved = write(&error, &note);
    }
    if (!refuses)
        QSKIP("no folder here refuses new files to this user");
    QVERIFY2(saved, qPrintable(error));
    QCOMPARE(readFile(target).size(), project ? 98512 : 6560);
    QCOMPARE(note, QStringLiteral("The folder of the %1 file takes no new files, so the file was written in place.\r\n")
                           .arg(project ? QStringLiteral("project") : QStringLiteral("screen")) +
                       target);
}

void tst_Model::screenExportImport()
{
    TempHome home;
    modVantile m;
    m.SelectScreen(4);
    m.SetButtonType(2, 26);
    m.SetButtonText(2, QStringLiteral("Kitchen"));
    m.SetPilotUsed(31, 1);
    m.SetTextString(0, QStringLiteral("Lights"));
    m.ScreenBackground[4] = QStringLiteral("[&H123456&");
    m.ScreenFileName = home.file("s.QXS");
    QString error;
    QVERIFY2(m.ExportScreen(&error), qPrintable(error));
    const QByteArray bytes = readFile(m.ScreenFileName);
    QCOMPARE(bytes.size(), 6560);
    QCOMPARE(bytes.mid(6048, 20), QByteArray("[\0&\0H\0001\0002\0003\0004\0005\0006\0&\0", 20));
    QCOMPARE(bytes.mid(6068), QByteArray(6560 - 6068, '\0'));

    m.SelectScreen(11);
    QVERIFY(m.ImportScreen(&error));
    QCOMPARE(m.GetButtonType(2), 26);
    QCOMPARE(m.GetButtonText(2), QStringLiteral("Kitchen"));
    QCOMPARE(m.GetPilotUsed(31), 1);
    QCOMPARE(m.GetTextString(0), QStringLiteral("Lights"));
    QCOMPARE(m.ScreenBackground[11], QStringLiteral("[&H123456&"));
    for (int i = 0; i < 1024; ++i)
        QCOMPARE(m.PanelImage[11 * 1024 + i], m.PanelImage[4 * 1024 + i]);
}

void tst_Model::screenFileNeverCarriesDeviceOptions()
{
    TempHome home;
    modVantile m;
    m.SetNodeAddress(200);
    m.SetResolution(3);
    m.PanelImage[1023] = 99; // tail word of screen 0
    m.ScreenFileName = home.file("home.QXS");
    QVERIFY(m.ExportScreen());
    const QByteArray bytes = readFile(m.ScreenFileName);
    QCOMPARE(bytes.mid(0, 1952), QByteArray(1952, '\0'));

    modVantile target;
    target.SetNodeAddress(5);
    target.SetCommandSet(2);
    target.ScreenFileName = m.ScreenFileName;
    QVERIFY(target.ImportScreen());
    QCOMPARE(target.GetNodeAddress(), 5);
    QCOMPARE(target.GetCommandSet(), 2);
    QCOMPARE(target.GetResolution(), 0);
}

void tst_Model::screenBackgroundLimits()
{
    TempHome home;
    modVantile m;
    const QString path256 = QStringLiteral("/") + QString(251, QLatin1Char('p')) + QStringLiteral(".bmp");
    QCOMPARE(path256.size(), 256);
    m.ScreenBackground[0] = path256;
    m.ScreenFileName = home.file("long.QXS");
    QVERIFY(m.ExportScreen());
    m.SelectScreen(1);
    QVERIFY(m.ImportScreen());
    QCOMPARE(m.ScreenBackground[1], path256);

    m.SelectScreen(0);
    m.ScreenBackground[0] = path256 + QLatin1Char('x');
    m.ScreenFileName = home.file("toolong.QXS");
    QString error;
    QVERIFY(!m.ExportScreen(&error));
    QVERIFY(error.contains(QLatin1String("256")));
    QVERIFY(!QFile::exists(m.ScreenFileName));
}

void tst_Model::screenFileRefused()
{
    TempHome home;
    modVantile m;
    fillDistinct(m);
    m.SelectScreen(6);
    const modVantile before = m;
    for (int size : {0, 100, 6559}) {
        m.ScreenFileName = home.file(QStringLiteral("s%1.QXS").arg(size));
        QVERIFY(writeFile(m.ScreenFileName, QByteArray(size, '\x01')));
        QString error;
        QVERIFY(!m.ImportScreen(&error));
        QVERIFY2(error.contains(QLatin1String("6560")), qPrintable(error));
        QVERIFY(m.PanelImage == before.PanelImage);
        QVERIFY(m.EditorImage == before.EditorImage);
        QVERIFY(m.ScreenBackground == before.ScreenBackground);
    }
    // A longer file is read for its first 6560 bytes.
    m.ScreenFileName = home.file("big.QXS");
    QVERIFY(writeFile(m.ScreenFileName, QByteArray(7000, '\x01')));
    QVERIFY(m.ImportScreen());
    QCOMPARE(m.GetButtonType(0), 257);
}

void tst_Model::anyWordValueSurvivesAccessors()
{
    // Damaged files can hold any word; reading them must stay defined.
    modVantile m;
    m.PanelImage.fill(int16_t(-32768));
    m.EditorImage.fill(int16_t(32767));
    for (int n = 0; n < 32; ++n) {
        (void)m.GetButtonLeft(n);
        (void)m.GetButtonPassword(n);
        (void)m.GetButtonText(n);
        (void)m.GetPilotTop(n);
    }
    for (int n = 0; n < 16; ++n)
        (void)m.GetTextString(n);
    // Record numbers outside a kind stay inside the image.
    m.SetSliderLeft(1000, 5);
    m.SetTextHeight(-3, 5);
    QCOMPARE(m.GetSliderLeft(7), 5);
    QCOMPARE(m.GetTextHeight(0), 5);
}

QTEST_MAIN(tst_Model)
#include "tst_model.moc"
