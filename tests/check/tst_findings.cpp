// Every finding of the check: a small project that triggers it and its twin
// that does not, grouped by severity.
#include "checkhelpers.h"
#include "render/Bmp24File.h"

#include <functional>

using namespace Check;

namespace
{

using Build = std::function<void(modVantile &, bool trigger)>;

struct Case {
    const char *name;
    Code code;
    ObjectRef where;
    const char *place; // as the finding's line names it
    Build build;
    const char *says = nullptr; // a part of the sentence, where it matters
};

QTemporaryDir files;

QString file(const char *name)
{
    return files.path() + QLatin1Char('/') + QLatin1String(name);
}

const ObjectRef Project{};
constexpr auto B = ObjectKind::Button, P = ObjectKind::Pilot, S = ObjectKind::Slider, T = ObjectKind::Text;

const std::vector<Case> &errorCases()
{
    static const std::vector<Case> cases{
        {"button wholly outside",
         Code::OutsideScreen,
         {0, B, 0},
         "screen 00 button 1",
         [](modVantile &m, bool t) { button(m, 0, 0, 1, t ? 480 : 384, 0); }},
        {"pilot partly outside",
         Code::OutsideScreen,
         {2, P, 4},
         "screen 02 pilot 5",
         [](modVantile &m, bool t) { pilot(m, 2, 4, 0, 1, t ? 465 : 464, 256); }},
        {"slider below the screen",
         Code::OutsideScreen,
         {1, S, 7},
         "screen 01 slider 8",
         [](modVantile &m, bool t) { slider(m, 1, 7, 0, 0, t ? 52 : 51); }},
        {"portrait 800x480",
         Code::OutsideScreen,
         {0, B, 1},
         "screen 00 button 2",
         [](modVantile &m, bool t) {
             m.SetResolution(3);
             m.SetLayout(t ? 1 : 0);
             button(m, 0, 1, 1, 400, 0);
         }},
        {"device beyond the range",
         Code::DeviceBeyondRange,
         {3, T, 2},
         "screen 03 text 3",
         [](modVantile &m, bool t) { text(m, 3, 2, 4, t ? 16 : 15); }},
        {"node beyond FE",
         Code::NodeBeyondLast,
         {0, P, 0},
         "screen 00 pilot 1",
         [](modVantile &m, bool t) {
             m.SetNodeAddress(251); // node FC
             m.SetNodeRange(3);
             pilot(m, 0, 0, t ? 3 : 2, 1);
         }},
        {"range beyond FE", Code::RangeBeyondLast, Project, "project",
         [](modVantile &m, bool t) {
             m.SetNodeAddress(250);
             m.SetNodeRange(t ? 4 : 3);
         }},
        {"background missing", Code::BackgroundMissing, WholeScreen(5), "screen 05",
         [](modVantile &m, bool t) { m.ScreenBackground[5] = file(t ? "missing.bmp" : "good.bmp"); }},
        {"background no picture", Code::BackgroundMissing, WholeScreen(5), "screen 05",
         [](modVantile &m, bool t) { m.ScreenBackground[5] = file(t ? "junk.bmp" : "good.bmp"); }},
        {"background outside Windows-1252", Code::BackgroundNotStorable, WholeScreen(4), "screen 04",
         [](modVantile &m, bool t) {
             m.ScreenBackground[4] = t ? QStringLiteral("/Фото.bmp") : QStringLiteral("/été€.bmp");
         }},
        {"background too long", Code::BackgroundNotStorable, WholeScreen(4), "screen 04",
         [](modVantile &m, bool t) { m.ScreenBackground[4] = QString(t ? 65536 : 65535, QLatin1Char('a')); }},
        {"button left 800",
         Code::DamagedValue,
         {0, B, 0},
         "screen 00 button 1",
         [](modVantile &m, bool t) {
             m.SetResolution(3);
             button(m, 0, 0, 25, t ? 800 : 799, 0, 0, 0);
             m.SetButtonWidth(0, 0, 1);
         }},
        {"password digit 10",
         Code::DamagedValue,
         {0, B, 0},
         "screen 00 button 1",
         [](modVantile &m, bool t) {
             button(m, 0, 0, 25);
             m.PanelImage[size_t(m.ObjectRecord(0, ObjectTables::ObjectKind::Button, 0).panelWord + 12)] = t ? 10 : 9;
         }},
        {"pilot input 9",
         Code::DamagedValue,
         {0, P, 0},
         "screen 00 pilot 1",
         [](modVantile &m, bool t) {
             pilot(m, 0, 0, 0, 1);
             m.SetPilotInput(0, 0, t ? 8 : 7);
         }},
        {"text font size 4",
         Code::DamagedValue,
         {0, T, 0},
         "screen 00 text 1",
         [](modVantile &m, bool t) {
             text(m, 0, 0, 2);
             m.SetTextFontSize(0, 0, t ? 4 : 3);
         }},
        {"resolution 4", Code::DamagedValue, Project, "project",
         [](modVantile &m, bool t) { m.SetResolution(t ? 4 : 3); }},
        {"colour background", Code::DamagedValue, WholeScreen(6), "screen 06",
         [](modVantile &m, bool t) {
             m.ScreenBackground[6] = t ? QStringLiteral("[&H00GG00&") : QStringLiteral("[&H00ff00&");
         }},
    };
    return cases;
}

const std::vector<Case> &warningCases()
{
    static const std::vector<Case> cases{
        {"goto an empty screen",
         Code::GotoEmptyScreen,
         {0, B, 0},
         "screen 00 button 1",
         [](modVantile &m, bool t) {
             button(m, 0, 0, 30); // Goto Screen 05
             if (!t)
                 text(m, 5, 15, 1);
         }},
        {"screen not reached", Code::ScreenUnreachable, WholeScreen(6), "screen 06",
         [](modVantile &m, bool t) {
             pilot(m, 6, 0, 0, 1);
             button(m, 0, 0, 44);                       // Goto Screen 03 W/Password
             button(m, 3, 0, t ? 30 : 31, 0, 0, 0, 14); // on to screen 05 or 06
             m.SetButtonPassword(0, 0, 1);
         }},
        {"the only Goto there lies under another button", Code::ScreenUnreachable, WholeScreen(1), "screen 01",
         [](modVantile &m, bool t) {
             button(m, 0, 0, 26); // Goto Screen 01
             button(m, 0, 1, 1, t ? 0 : 200, 0);
             button(m, 1, 0, 25);
         }},
        {"a screen with no way out", Code::NoWayOut, WholeScreen(1), "screen 01",
         [](modVantile &m, bool t) {
             button(m, 0, 0, 26);          // Goto Screen 01
             button(m, 1, 0, t ? 26 : 25); // to itself, or Home
         }},
        {"the way out cannot be touched", Code::NoWayOut, WholeScreen(2), "screen 02",
         [](modVantile &m, bool t) {
             button(m, 0, 0, 27); // Goto Screen 02
             button(m, 2, 0, 25, 100, 100, 0, 0);
             m.SetButtonHeight(2, 0, t ? 0 : 1);
         }},
        {"a button under a later one",
         Code::Untouchable,
         {0, B, 0},
         "screen 00 button 1",
         [](modVantile &m, bool t) {
             button(m, 0, 0, 26); // Goto Screen 01
             button(m, 0, 1, 1, t ? 0 : 1, 0);
             pilot(m, 1, 0, 0, 1);
         },
         "It lies wholly under button 2, which the panel asks first, so it cannot be touched. Its \"Goto Screen "
         "01\" is no way to that screen."},
        {"a later button over an earlier one",
         Code::Untouchable,
         {0, B, 2},
         "screen 00 button 3",
         [](modVantile &m, bool t) {
             button(m, 0, 3, 1, 0, 0, 0, 0); // a touch area
             m.SetButtonWidth(0, 3, 200);
             m.SetButtonHeight(0, 3, 100);
             button(m, 0, t ? 2 : 4, 1, 10, 10); // on top of it only in a later slot
         }},
        {"a button under a slider of any slot",
         Code::Untouchable,
         {0, B, 31},
         "screen 00 button 32",
         [](modVantile &m, bool t) {
             slider(m, 0, 0, 0, 400, 20); // 34 x 221
             button(m, 0, 31, 1, 410, 30, 0, 0);
             m.SetButtonWidth(0, 31, t ? 20 : 30);
             m.SetButtonHeight(0, 31, 20);
         },
         "It lies wholly under slider 1"},
        {"a button under two others together",
         Code::Untouchable,
         {0, B, 0},
         "screen 00 button 1",
         [](modVantile &m, bool t) {
             button(m, 0, 0, 1, 0, 0);       // 96 x 32
             button(m, 0, 1, 1, 0, 0, 0, 0); // touch areas over its two halves
             button(m, 0, 2, 1, 48, 0, 0, 0);
             for (int n : {1, 2}) {
                 m.SetButtonWidth(0, n, 48);
                 m.SetButtonHeight(0, n, t ? 32 : 31);
             }
         },
         "It lies wholly under button 2 and button 3, which"},
        {"a touch area 0 pixels wide",
         Code::Untouchable,
         {0, B, 0},
         "screen 00 button 1",
         [](modVantile &m, bool t) {
             button(m, 0, 0, 1, 100, 100, 0, 0);
             m.SetButtonWidth(0, 0, t ? 0 : 1);
         },
         "Its touch area is 0 x 32 pixels, so it cannot be touched."},
        {"buttons overlap",
         Code::TouchOverlap,
         {0, B, 1},
         "screen 00 button 2",
         [](modVantile &m, bool t) {
             button(m, 0, 0, 1, 0, 0);
             button(m, 0, 1, 2, t ? 95 : 96, 0);
         }},
        {"slider on a touch area",
         Code::TouchOverlap,
         {0, S, 0},
         "screen 00 slider 1",
         [](modVantile &m, bool t) {
             button(m, 0, 0, 1, 300, 100, 0, 0);
             m.SetButtonWidth(0, 0, 50);
             m.SetButtonHeight(0, 0, 20);
             slider(m, 0, 0, 0, t ? 349 : 350, 0);
         }},
        {"caption too wide",
         Code::CaptionDoesNotFit,
         {1, B, 2},
         "screen 01 button 3",
         [](modVantile &m, bool t) {
             button(m, 1, 2, 1, 0, 0, 0, 1, t ? QStringLiteral("Kitchen") : QStringLiteral("Off")); // 32 x 24
         }},
        {"caption holding %1",
         Code::CaptionDoesNotFit,
         {1, B, 2},
         "screen 01 button 3",
         [](modVantile &m, bool t) {
             button(m, 1, 2, 1, 0, 0, 0, 1, t ? QStringLiteral("%1 %3 %4") : QStringLiteral("%1"));
         },
         "The caption \"%1 %3 %4\" needs "},
        {"text too wide",
         Code::TextDoesNotFit,
         {1, T, 0},
         "screen 01 text 1",
         [](modVantile &m, bool t) {
             text(m, 1, 0, 1);
             m.SetTextString(1, 0, QStringLiteral("Living Room"));
             m.SetTextFontSize(1, 0, 2); // 18 point
             m.SetTextWidth(1, 0, t ? 60 : 200);
             m.SetTextHeight(1, 0, 30);
         }},
        {"text holding %2",
         Code::TextDoesNotFit,
         {1, T, 0},
         "screen 01 text 1",
         [](modVantile &m, bool t) {
             text(m, 1, 0, 1);
             m.SetTextString(1, 0, QStringLiteral("%2 %5 and %1"));
             m.SetTextFontSize(1, 0, 2);
             m.SetTextWidth(1, 0, t ? 60 : 400);
             m.SetTextHeight(1, 0, 30);
         },
         "The text \"%2 %5 and %1\" needs "},
        {"push input also switched",
         Code::InputPushAndSwitched,
         {1, B, 0},
         "screen 01 button 1",
         [](modVantile &m, bool t) {
             button(m, 1, 0, 3, 0, 0, 2);            // push input 3
             button(m, 2, 0, t ? 11 : 12, 0, 0, 2);  // turn input 3 or 4 on
             button(m, 2, 1, t ? 19 : 20, 0, 40, 2); // and off
         }},
        {"password 000000",
         Code::PasswordZero,
         {0, B, 0},
         "screen 00 button 1",
         [](modVantile &m, bool t) {
             button(m, 0, 0, 41);
             m.SetButtonPassword(0, 0, t ? 0 : 1);
         }},
    };
    return cases;
}

const std::vector<Case> &noteCases()
{
    static const std::vector<Case> cases{
        {"pilot nothing switches",
         Code::PilotNotSwitched,
         {0, P, 3},
         "screen 00 pilot 4",
         [](modVantile &m, bool t) {
             pilot(m, 0, 3, 1, 2);
             button(m, 7, 0, t ? 19 : 18, 0, 0, 1); // turn input 3 or 2 off
         }},
        {"slider without value",
         Code::SliderWithoutDisplay,
         {1, S, 0},
         "screen 01 slider 1",
         [](modVantile &m, bool t) {
             slider(m, 1, 0, 3);
             text(m, 1, 0, 3, t ? 2 : 3);
         }},
        {"slider with its value on Home",
         Code::SliderWithoutDisplay,
         {1, S, 0},
         "screen 01 slider 1",
         [](modVantile &m, bool t) {
             slider(m, 1, 0, 3);
             text(m, 0, 0, 3, t ? 2 : 3);
         }},
        {"bar graph without slider",
         Code::DisplayWithoutSlider,
         {1, T, 5},
         "screen 01 text 6",
         [](modVantile &m, bool t) {
             text(m, 1, 5, 9, 4, 100, 0);
             slider(m, 1, 0, t ? 5 : 4);
         }},
        {"bar graph on Home, its slider elsewhere",
         Code::DisplayWithoutSlider,
         {0, T, 5},
         "screen 00 text 6",
         [](modVantile &m, bool t) {
             text(m, 0, 5, 9, 4, 100, 0);
             slider(m, 3, 0, t ? 5 : 4);
         }},
        {"no objects at all", Code::ProjectEmpty, Project, "project",
         [](modVantile &m, bool t) {
             if (!t)
                 pilot(m, 9, 0, 0, 1);
         }},
    };
    return cases;
}

} // namespace

class TestFindings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void errors_data() { rows(errorCases()); }
    void errors() { run(errorCases(), Severity::Error); }
    void warnings_data() { rows(warningCases()); }
    void warnings() { run(warningCases(), Severity::Warning); }
    void notes_data() { rows(noteCases()); }
    void notes() { run(noteCases(), Severity::Note); }
    void damagedCharacters_data();
    void damagedCharacters();
    void demonstrationHasNoErrors();

private:
    static void rows(const std::vector<Case> &cases);
    static void run(const std::vector<Case> &cases, Severity severity);
};

void TestFindings::initTestCase()
{
    QImage good(8, 8, QImage::Format_RGB32);
    good.fill(Qt::red);
    QVERIFY(Bmp24File::Write(good, file("good.bmp")));
    QVERIFY(writeFile(file("junk.bmp"), "BM not a picture"));
}

void TestFindings::rows(const std::vector<Case> &cases)
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("trigger");
    for (int i = 0; i < int(cases.size()); ++i) {
        QTest::addRow("%s", cases[size_t(i)].name) << i << true;
        QTest::addRow("%s, twin", cases[size_t(i)].name) << i << false;
    }
}

void TestFindings::run(const std::vector<Case> &cases, Severity severity)
{
    QFETCH(int, index);
    QFETCH(bool, trigger);
    const Case &c = cases[size_t(index)];
    modVantile m;
    baseProject(m);
    c.build(m, trigger);
    const std::vector<Finding> findings = ProjectCheck(m);
    std::vector<Finding> found;
    for (const Finding &f : findings)
        if (f.code == c.code)
            found.push_back(f);
    QStringList all;
    for (const Finding &f : findings)
        all << FindingLine(f);
    QVERIFY2(found.size() == (trigger ? 1u : 0u), qPrintable(all.join(QLatin1Char('\n'))));
    if (trigger) {
        QVERIFY(found.front().where == c.where);
        QCOMPARE(found.front().severity, severity);
        const QString lead = SeverityName(severity) + QLatin1Char(' ') + QLatin1String(c.place) + QStringLiteral(": ");
        QVERIFY2(FindingLine(found.front()).startsWith(lead), qPrintable(FindingLine(found.front())));
        if (c.says)
            QVERIFY2(found.front().sentence.contains(QString::fromUtf8(c.says)), qPrintable(found.front().sentence));
    }
}

// A caption or text word outside 0 - 255 is a damaged value; the same
// character stored as its Windows-1252 code is none and reads back whole.
void TestFindings::damagedCharacters_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("word");
    QTest::addColumn<QString>("finding"); // empty: none
    QTest::addColumn<QString>("reads");
    const QString en = QStringLiteral("\u2013"), euro = QStringLiteral("\u20AC");
    const auto damaged = [](const char *field, int code) {
        return QStringLiteral("Values outside their range: a %1 character %2 (0 to 255); the file may be damaged.")
            .arg(QLatin1String(field))
            .arg(code);
    };
    const int button = int(ObjectKind::Button), text = int(ObjectKind::Text);
    QTest::newRow("caption 8211") << button << 8211 << damaged("caption", 8211) << QString();
    QTest::newRow("caption 8364") << button << 8364 << damaged("caption", 8364) << QString();
    QTest::newRow("caption en dash as 150")
        << button << 150 << QString() << QStringLiteral("A") + en + QLatin1Char('B');
    QTest::newRow("caption euro as 128") << button << 128 << QString() << QStringLiteral("A") + euro + QLatin1Char('B');
    QTest::newRow("text 8211") << text << 8211 << damaged("text", 8211) << QString();
    QTest::newRow("text 8364") << text << 8364 << damaged("text", 8364) << QString();
    QTest::newRow("text euro as 128") << text << 128 << QString() << QStringLiteral("A") + euro + QLatin1Char('B');
    QTest::newRow("text -1") << text << -1 << damaged("text", -1) << QString();
}

void TestFindings::damagedCharacters()
{
    QFETCH(int, kind);
    QFETCH(int, word);
    QFETCH(QString, finding);
    QFETCH(QString, reads);
    modVantile m;
    baseProject(m);
    const ObjectKind k = ObjectKind(kind);
    int first; // the word of the second character
    if (k == ObjectKind::Button) {
        button(m, 2, 3, 1, 0, 0, 0, 14, QStringLiteral("AxB"));
        first = m.ObjectRecord(2, k, 3).editorWord + 12;
    } else {
        text(m, 2, 3, 1);
        m.SetTextString(2, 3, QStringLiteral("AxB"));
        first = m.ObjectRecord(2, k, 3).editorWord + 7;
    }
    m.EditorImage[size_t(first)] = int16_t(word);
    QStringList damaged;
    for (const Finding &f : ProjectCheck(m))
        if (f.code == Code::DamagedValue) {
            QVERIFY(f.where == (ObjectRef{2, k, 3}));
            damaged << f.sentence;
        }
    QCOMPARE(damaged, finding.isEmpty() ? QStringList() : QStringList{finding});
    if (!reads.isEmpty())
        QCOMPARE(k == ObjectKind::Button ? m.GetButtonText(2, 3) : m.GetTextString(2, 3), reads);
}

void TestFindings::demonstrationHasNoErrors()
{
    modVantile m;
    m.ProjectFileName = QFINDTESTDATA("../../examples/Demo.QXC");
    QVERIFY(m.LoadProject());
    const std::vector<Finding> findings = ProjectCheck(m);
    QStringList errors;
    for (const Finding &f : findings)
        if (f.severity == Severity::Error)
            errors << FindingLine(f);
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
    QCOMPARE(m.CurrentScreen, int16_t(0));
}

QObject *newFindingsTest()
{
    return new TestFindings;
}

#include "tst_findings.moc"
