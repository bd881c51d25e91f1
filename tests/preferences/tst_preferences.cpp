// The key schemes, the [Preferences] section of the settings file, and the
// click mode, through the main window.
#include "../editor/EditorFixture.h"
#include "editor/KeySchemes.h"
#include "editor/Preferences.h"
#include "model/SettingsPreferences.h"
#include "platform/Paths.h"

#include <QTextBrowser>

#include <algorithm>

using Settings::ClickMode;
using Settings::KeyScheme;

namespace
{
QList<QKeySequence> keys(const char *text)
{
    QList<QKeySequence> list;
    for (const QString &k : QString::fromLatin1(text).split(QLatin1Char('|'), Qt::SkipEmptyParts))
        list << QKeySequence(k, QKeySequence::PortableText);
    return list;
}

void setScheme(Editor &e, KeyScheme scheme)
{
    Settings::Preferences p = e.w->GetPreferences().Current();
    p.keys = scheme;
    QVERIFY(e.w->GetPreferences().Set(p));
}
} // namespace

class PreferencesTest : public QObject
{
    Q_OBJECT
private slots:
    void schemeKeys_data();
    void schemeKeys();
    void noKeyTwiceAndEveryKeyInTheTable();
    void sheetFollowsTheScheme();
    void roundTrip_data();
    void roundTrip();
    void unknownValuesReadAsDefaults();
    void firstStartAsksOnce();
    void dialogAppliesAtOnce();
    void clickMode();
    void dragHintOncePerInstallation();
};

// Classic is the keys the menus always had; Standard those of the issue and
// of other programs.
void PreferencesTest::schemeKeys_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("classic");
    QTest::addColumn<QString>("standard");
    const char *rows[][3] = {
        {"mnuFileNew", "Ctrl+N", "Ctrl+N"},
        {"mnuFileOpen", "Ctrl+O", "Ctrl+O"},
        {"mnuFileSave", "", "Ctrl+S"},
        {"mnuFileSaveAs", "Ctrl+Shift+S", "Ctrl+Shift+S"},
        {"mnuExit", "", "Ctrl+Q"},
        {"mnuUndo", "Ctrl+Z", "Ctrl+Z"},
        {"mnuRedo", "Ctrl+Shift+Z|Ctrl+Y", "Ctrl+Y|Ctrl+Shift+Z"},
        {"mnuCut", "Shift+Del", "Ctrl+X|Shift+Del"},
        {"mnuCopy", "Ctrl+C", "Ctrl+C"},
        {"mnuPaste", "Ctrl+V", "Ctrl+V"},
        {"mnuDuplicate", "Ctrl+D", "Ctrl+D"},
        {"mnuDelete", "Del", "Del"},
        {"mnuNewButton", "Ctrl+B", "Ctrl+Shift+B"},
        {"mnuNewPilot", "Ctrl+P", "Ctrl+Shift+P"},
        {"mnuNewSlider", "Ctrl+S", "Ctrl+Shift+L"},
        {"mnuNewText", "Ctrl+T", "Ctrl+Shift+T"},
        {"mnuClearScreen", "Ctrl+X", "Ctrl+Shift+Del"},
        {"mnuCopyScreen", "", ""},
        {"mnuPreferences", "Ctrl+,", "Ctrl+,"},
        {"mnuZoomIn", "Ctrl++|Ctrl+=", "Ctrl++|Ctrl+="},
        {"mnuZoomOut", "Ctrl+-", "Ctrl+-"},
        {"mnuActualSize", "Ctrl+0", "Ctrl+0"},
        {"mnuZoomFit", "", ""},
        {"mnuTryPanel", "F5", "F5"},
        {"mnuCheckProject", "F7", "F7"},
        {"mnuFunctionMap", "", ""},
        {"mnuContextHelp", "F1", "F1"},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << row[0] << row[1] << row[2];
}

void PreferencesTest::schemeKeys()
{
    QFETCH(QString, action);
    QFETCH(QString, classic);
    QFETCH(QString, standard);
    Editor e;
    e.start();
    // A settings file of an earlier version: Classic.
    QCOMPARE(e.action(action)->shortcuts(), keys(qPrintable(classic)));
    setScheme(e, KeyScheme::Standard);
    QCOMPARE(e.action(action)->shortcuts(), keys(qPrintable(standard)));
    setScheme(e, KeyScheme::Classic);
    QCOMPARE(e.action(action)->shortcuts(), keys(qPrintable(classic)));
}

void PreferencesTest::noKeyTwiceAndEveryKeyInTheTable()
{
    Editor e;
    e.start();
    for (KeyScheme scheme : {KeyScheme::Classic, KeyScheme::Standard}) {
        setScheme(e, scheme);
        QHash<QKeySequence, QString> owner;
        for (QAction *a : e.w->findChildren<QAction *>()) {
            if (a->shortcuts().isEmpty())
                continue;
            const bool inTable = std::any_of(KeySchemes::Table().begin(), KeySchemes::Table().end(),
                                             [a](const KeySchemes::Row &r) { return a->objectName() == r.action; });
            QVERIFY2(inTable, qPrintable(a->objectName()));
            for (const QKeySequence &k : a->shortcuts()) {
                QVERIFY2(!owner.contains(k), qPrintable(k.toString() + QLatin1Char(' ') + owner.value(k) +
                                                        QLatin1Char(' ') + a->objectName()));
                owner.insert(k, a->objectName());
            }
        }
        // Every row names a menu item; only Classic keeps today's items without a key.
        for (const KeySchemes::Row &row : KeySchemes::Table()) {
            QVERIFY2(e.w->findChild<QAction *>(QLatin1String(row.action)), row.action);
            const bool keyless = scheme == KeyScheme::Classic &&
                                 (qstrcmp(row.action, "mnuFileSave") == 0 || qstrcmp(row.action, "mnuExit") == 0);
            QCOMPARE(KeySchemes::Keys(row, scheme).isEmpty(), keyless);
        }
    }
}

// The sheet is made from the table and the menus: each item with the keys of the scheme.
void PreferencesTest::sheetFollowsTheScheme()
{
    Editor e;
    e.start();
    auto row = [](const char *item, QKeyCombination key) {
        return QStringLiteral("%1</td><td><b>%2</b>")
            .arg(QLatin1String(item), QKeySequence(key).toString(QKeySequence::NativeText));
    };
    const QString classic = KeySchemes::Sheet(e.w.get(), KeyScheme::Classic);
    QVERIFY(classic.contains(row("New Slider", Qt::CTRL | Qt::Key_S)));
    QVERIFY(classic.contains(row("Clear Screen", Qt::CTRL | Qt::Key_X)));
    QVERIFY(!classic.contains(QStringLiteral(">Save</td>")));
    const QString standard = KeySchemes::Sheet(e.w.get(), KeyScheme::Standard);
    QVERIFY(standard.contains(row("Save", Qt::CTRL | Qt::Key_S)));
    QVERIFY(standard.contains(row("Cut", Qt::CTRL | Qt::Key_X)));

    // The open sheet follows a change of scheme.
    e.action(QStringLiteral("mnuShortcuts"))->trigger();
    auto *sheet = e.get<QTextBrowser>(QStringLiteral("txtShortcuts"));
    QVERIFY(sheet->toPlainText().contains(QStringLiteral("Keyboard Shortcuts: Classic")));
    setScheme(e, KeyScheme::Standard);
    QVERIFY(sheet->toPlainText().contains(QStringLiteral("Keyboard Shortcuts: Standard")));
}

void PreferencesTest::roundTrip_data()
{
    QTest::addColumn<int>("keys");
    QTest::addColumn<int>("click");
    QTest::addColumn<int>("gridStep");
    QTest::addColumn<int>("gridColor");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<QByteArray>("lines");
    QTest::newRow("defaults") << 0 << 0 << 8 << 1 << 0 << 0
                              << QByteArray(
                                     "Keys=Classic\r\nClick=Open\r\nGridStep=8\r\nGridColor=Gray\r\nZoom=Last\r\n"
                                     "FontSize=Default\r\n");
    QTest::newRow("modern") << 1 << 1 << 32 << 2 << 150 << 14
                            << QByteArray("Keys=Standard\r\nClick=Select\r\nGridStep=32\r\nGridColor=White\r\n"
                                          "Zoom=150\r\nFontSize=14\r\n");
}

void PreferencesTest::roundTrip()
{
    QFETCH(int, keys);
    QFETCH(int, click);
    QFETCH(int, gridStep);
    QFETCH(int, gridColor);
    QFETCH(int, zoom);
    QFETCH(int, fontSize);
    QFETCH(QByteArray, lines);
    TempHome home;
    QVERIFY(QDir().mkpath(home.path()));
    const QByteArray before("[Download]\r\nCom Port=3\r\n");
    QVERIFY(writeFile(Paths::SettingsFile(), before));
    const Settings::Preferences p{KeyScheme(keys), ClickMode(click), gridStep, gridColor, zoom, fontSize};
    QVERIFY(Settings::WritePreferences(p));
    QCOMPARE(readFile(Paths::SettingsFile()), before + "[Preferences]\r\n" + lines);
    QVERIFY(Settings::ReadPreferences() == p);
    QCOMPARE(Settings::ReadZoom(100), zoom > 0 ? zoom : 100);
}

void PreferencesTest::unknownValuesReadAsDefaults()
{
    TempHome home;
    QVERIFY(QDir().mkpath(home.path()));
    QVERIFY(writeFile(Paths::SettingsFile(), "[preferences]\nkeys=STANDARD\nClick=Maybe\nGridStep=12\n"
                                             "GridColor=Pink\nZoom=900\nFontSize=3\n"));
    Settings::Preferences expected;
    expected.keys = KeyScheme::Standard;
    QVERIFY(Settings::ReadPreferences() == expected);
}

// No settings file: the first start asks, once; the answer is kept.
void PreferencesTest::firstStartAsksOnce()
{
    Editor e;
    QVERIFY(Preferences::FirstStart());
    e.start();
    QVERIFY(!Preferences::FirstStart());
    e.whileOpen = [](QDialog &dialog) {
        dialog.findChild<QRadioButton *>(QStringLiteral("optStandard"))->setChecked(true);
        dialog.accept();
    };
    e.w->GetPreferences().AskKeyScheme();
    QCOMPARE(e.opened.size(), 1);
    QCOMPARE(e.opened[0].name, QStringLiteral("frmKeyScheme"));
    QCOMPARE(e.action(QStringLiteral("mnuFileSave"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    QVERIFY(readFile(Paths::SettingsFile()).contains("Keys=Standard\r\n"));
    // The next start reads it.
    e.w.reset();
    e.start();
    QCOMPARE(e.action(QStringLiteral("mnuNewSlider"))->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
}

void PreferencesTest::dialogAppliesAtOnce()
{
    Editor e;
    e.start();
    e.whileOpen = [](QDialog &dialog) {
        const QList<std::pair<const char *, int>> choices{{"cboKeys", 1},      {"cboClick", 1}, {"cboGridStep", 2},
                                                          {"cboGridColor", 0}, {"cboZoom", 4},  {"cboFontSize", 2}};
        for (const auto &[name, index] : choices)
            dialog.findChild<QComboBox *>(QLatin1String(name))->setCurrentIndex(index);
        dialog.accept();
    };
    e.action(QStringLiteral("mnuPreferences"))->trigger();
    QCOMPARE(e.opened.size(), 1);
    QCOMPARE(e.opened[0].name, QStringLiteral("frmPreferences"));
    QCOMPARE(e.action(QStringLiteral("mnuCut"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
    QVERIFY(e.action(QStringLiteral("mnuGridSize_2"))->isChecked());
    QVERIFY(e.action(QStringLiteral("mnuGridColor_0"))->isChecked());
    QCOMPARE(e.w->Zoom(), 150);
    QCOMPARE(e.w->font().pixelSize(), 13);
    QVERIFY(!e.w->GetPreferences().ClickOpensEditor());
    QCOMPARE(Settings::ReadPreferences(), e.w->GetPreferences().Current());
    // The grid menu is the same preference.
    e.action(QStringLiteral("mnuGridSize_1"))->trigger();
    QCOMPARE(Settings::ReadPreferences().gridStep, 16);
    QApplication::setFont(frmVantile::InterfaceFont());
}

// A click opens the editor (as always) or selects; then a double click opens it.
void PreferencesTest::clickMode()
{
    Editor e;
    frmVantile &w = e.start();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    e.action(QStringLiteral("mnuNewPilot"))->trigger();
    e.action(QStringLiteral("mnuNewPilot"))->trigger();
    QWidget *pilot = e.get<QWidget>(QStringLiteral("imgPilot_0"));
    QTest::mouseClick(pilot, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    QCOMPARE(e.opened.size(), 1);
    QCOMPARE(e.opened[0].name, QStringLiteral("frmVantilePilot"));

    Settings::Preferences p = w.GetPreferences().Current();
    p.click = ClickMode::Select;
    QVERIFY(w.GetPreferences().Set(p));
    const int steps = e.steps();
    QTest::mouseClick(pilot, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    QCOMPARE(e.opened.size(), 1);
    QCOMPARE(w.SelectedObjects(), (QList<frmVantile::Selection>{{ObjectTables::ObjectKind::Pilot, 0}}));
    QCOMPARE(e.steps(), steps);
    QTest::mouseDClick(e.get<QWidget>(QStringLiteral("imgPilot_1")), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    QTest::mouseRelease(e.get<QWidget>(QStringLiteral("imgPilot_1")), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    QCOMPARE(e.opened.size(), 2);
    QCOMPARE(e.opened[1].name, QStringLiteral("frmVantilePilot"));
    QCOMPARE(e.opened[1].currentObject, 1);
}

void PreferencesTest::dragHintOncePerInstallation()
{
    Editor e;
    auto hints = [&e] {
        return std::count_if(e.messages.boxes.begin(), e.messages.boxes.end(), [](const ScriptedMessages::Box &b) {
            return b.title == QLatin1String("Button Placement");
        });
    };
    for (int run = 0; run < 2; ++run) {
        e.w.reset();
        e.start();
        e.action(QStringLiteral("mnuNewButton"))->trigger();
        e.w->DropObj(EditOperations::DropSource::ButtonCaption, 0, 0, 0, 300, 300);
        e.w->DropObj(EditOperations::DropSource::ButtonCaption, 0, 0, 0, 450, 450);
        QCOMPARE(hints(), 1);
    }
}

QObject *newPreferencesTest()
{
    return new PreferencesTest;
}

#include "tst_preferences.moc"
