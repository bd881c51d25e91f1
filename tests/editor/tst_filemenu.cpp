// The File menu: dialogs with their filters and starting names, cancels,
// the "Discard Any Changes?" question, files that cannot be used, and
// closing the window.
#include "EditorFixture.h"
#include "systemfixtures.h"

using Answer = MessagePrompt::Answer;

class tst_FileMenu : public QObject
{
    Q_OBJECT

private slots:
    void dialogNames();
    void saveAsFirst();
    void cancelRule_data();
    void cancelRule();
    void open_data();
    void open();
    void openUnusableFile();
    void save();
    void saveFailure();
    void savedInPlace_data();
    void savedInPlace();
    void importExport();
    void importCancelled();
    void exportTooLongBackground();
    void fileNew_data();
    void fileNew();
    void closing_data();
    void closing();
};

namespace
{
void checkDialog(const ScriptedFileDialogs::Dialog &dialog, bool save, const QString &filter, const QString &name)
{
    QCOMPARE(dialog.save, save);
    QCOMPARE(dialog.filter, filter);
    QCOMPARE(dialog.initialName, name);
}
const QString ProjectFilter = QStringLiteral("Quellix Touch Data Files (*.QXC)|*.QXC|All Files (*.*)|*.*");
const QString ScreenFilter = QStringLiteral("Quellix Touch Data Files (*.QXS)|*.QXS|All Files (*.*)|*.*");
} // namespace

void tst_FileMenu::dialogNames()
{
    Editor e;
    e.start();
    const QString projects = e.home.path() + QStringLiteral("/*.QXC");
    const QString screens = e.home.path() + QStringLiteral("/*.QXS");
    const QString saved = e.home.file(QStringLiteral("a.QXC"));
    auto &d = e.files.dialogs;

    e.action(QStringLiteral("mnuFileOpen"))->trigger();
    checkDialog(d[0], false, ProjectFilter, projects);
    e.action(QStringLiteral("mnuFileOpen"))->trigger();
    checkDialog(d[1], false, ProjectFilter, QString());
    // Save As shows what the dialog control still holds.
    e.action(QStringLiteral("mnuFileSaveAs"))->trigger();
    checkDialog(d[2], true, ProjectFilter, QString());
    e.files.answers << saved;
    e.action(QStringLiteral("mnuFileSaveAs"))->trigger();
    QCOMPARE(e.m.ProjectFileName, saved);
    e.action(QStringLiteral("mnuFileSaveAs"))->trigger();
    checkDialog(d[4], true, ProjectFilter, saved);

    e.action(QStringLiteral("mnuImportScreen"))->trigger();
    checkDialog(d[5], false, ScreenFilter, screens);
    e.action(QStringLiteral("mnuExport"))->trigger();
    checkDialog(d[6], true, ScreenFilter, screens);
    e.action(QStringLiteral("mnuImportScreen"))->trigger();
    checkDialog(d[7], false, ScreenFilter, screens);
    QCOMPARE(d.size(), 8);
    QVERIFY(e.messages.boxes.isEmpty());
}

void tst_FileMenu::saveAsFirst()
{
    Editor e;
    e.start();
    e.action(QStringLiteral("mnuFileSave"))->trigger(); // no file yet: Save As
    e.action(QStringLiteral("mnuFileOpen"))->trigger();
    QCOMPARE(e.files.dialogs.size(), 2);
    checkDialog(e.files.dialogs[0], true, ProjectFilter, e.home.path() + QStringLiteral("/*.QXC"));
    // The first-time flag is shared with Open.
    checkDialog(e.files.dialogs[1], false, ProjectFilter, QString());
}

void tst_FileMenu::cancelRule_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("closed") << "";
    QTest::newRow("project pattern") << "/*.QXC";
    QTest::newRow("screen pattern") << "/*.QXS";
}

void tst_FileMenu::cancelRule()
{
    QFETCH(QString, answer);
    Editor e;
    frmVantile &w = e.start();
    const QString chosen = answer.isEmpty() ? answer : e.home.path() + answer;
    const QStringList before = QDir(e.home.path()).entryList(QDir::Files);
    for (const char *command : {"mnuFileSaveAs", "mnuExport", "mnuFileOpen", "mnuImportScreen"}) {
        e.files.answers << chosen;
        e.action(QString::fromLatin1(command))->trigger();
    }
    QCOMPARE(e.files.dialogs.size(), 4);
    QCOMPARE(QDir(e.home.path()).entryList(QDir::Files), before);
    QCOMPARE(e.m.ProjectFileName, QStringLiteral("None"));
    QCOMPARE(e.m.ScreenFileName, QString());
    QCOMPARE(w.windowTitle(), QStringLiteral("ZAV Quellix Touch Screen Pro   Rev 2.05   (None)[*]"));
    QVERIFY(e.messages.boxes.isEmpty());
}

void tst_FileMenu::open_data()
{
    QTest::addColumn<bool>("changed");
    QTest::addColumn<bool>("discard");
    QTest::addColumn<bool>("choose");
    QTest::addColumn<bool>("loaded");
    QTest::newRow("unchanged") << false << true << true << true;
    QTest::newRow("changed, discard") << true << true << true << true;
    QTest::newRow("changed, keep") << true << false << true << false;
    QTest::newRow("cancelled") << false << true << false << false;
}

void tst_FileMenu::open()
{
    QFETCH(bool, changed);
    QFETCH(bool, discard);
    QFETCH(bool, choose);
    QFETCH(bool, loaded);
    Editor e;
    frmVantile &w = e.start();

    modVantile other;
    other.SetResolution(1);
    other.SetLayout(1);
    other.SetNodeAddress(9);
    other.SetBeep(1);
    other.SetButtonType(0, 25);
    const QString path = e.home.file(QStringLiteral("other.QXC"));
    QVERIFY(writeFile(path, other.ProjectBytes()));

    e.choose(QStringLiteral("cboScreenNumber"), 5);
    e.m.SetButtonType(3, 26);
    if (changed)
        e.change();
    e.m.LastButton = 3;
    e.m.InputTypeWarned = false;
    e.action(QStringLiteral("mnuUndoSnap"))->setEnabled(true);
    if (changed)
        e.messages.answers << (discard ? Answer::Discard : Answer::Cancel);
    if (choose)
        e.files.answers << path;

    e.action(QStringLiteral("mnuFileOpen"))->trigger();
    QCOMPARE(e.messages.boxes.size(), changed ? 1 : 0);
    if (changed) {
        QCOMPARE(e.messages.boxes[0].text, QStringLiteral("Discard Any Changes?"));
        QCOMPARE(e.messages.boxes[0].title, QStringLiteral("ZAV Quellix Touch"));
        QCOMPARE(e.messages.boxes[0].icon, MessagePrompt::Icon::Question);
        QCOMPARE(e.messages.boxes[0].buttons, MessagePrompt::Buttons::SaveDiscardCancel);
        QVERIFY(e.messages.boxes[0].defaultAnswer == Answer::Cancel);
    }
    QCOMPARE(e.files.dialogs.size(), discard ? 1 : 0);

    // Whatever happened, the editor is back at Home.
    QCOMPARE(e.m.CurrentScreen, int16_t(0));
    QCOMPARE(e.combo(QStringLiteral("cboScreenNumber"))->currentIndex(), 0);
    QCOMPARE(e.m.LastButton, int16_t(-1));
    QVERIFY(e.m.InputTypeWarned);
    QVERIFY(!e.action(QStringLiteral("mnuUndoSnap"))->isEnabled());
    if (loaded) {
        QCOMPARE(e.m.ProjectFileName, path);
        QVERIFY(!e.changed());
        QCOMPARE(w.windowTitle(),
                 QStringLiteral("ZAV Quellix Touch Screen Pro   Rev 2.05   ") + path + QStringLiteral("[*]"));
        QCOMPARE(e.label(QStringLiteral("lblBSettings_0"))->text(), QStringLiteral("Goto Home"));
        QCOMPARE(e.combo(QStringLiteral("cboScnRes"))->currentIndex(), 1);
        QVERIFY(e.get<QRadioButton>(QStringLiteral("optLayout_1"))->isChecked());
        QCOMPARE(e.combo(QStringLiteral("cboQXAddress"))->currentIndex(), 9);
        QVERIFY(e.get<QCheckBox>(QStringLiteral("chkBeep"))->isChecked());
        // Refitted for 320x240 portrait.
        QCOMPARE(e.get<QWidget>(QStringLiteral("picLayout"))->size(), QSize(244, 324));
    } else {
        QCOMPARE(e.m.ProjectFileName, QStringLiteral("None"));
        QCOMPARE(e.changed(), changed);
        e.m.SelectScreen(5);
        QCOMPARE(e.m.GetButtonType(3), 26);
    }
}

void tst_FileMenu::openUnusableFile()
{
    Editor e;
    frmVantile &w = e.start();
    e.m.SetButtonText(0, QStringLiteral("Keep me"));
    const QString shortFile = e.home.file(QStringLiteral("short.QXC"));
    QVERIFY(writeFile(shortFile, QByteArray(100, '\x01')));
    e.files.answers << shortFile;
    e.action(QStringLiteral("mnuFileOpen"))->trigger();
    QCOMPARE(e.messages.boxes.size(), 1);
    QVERIFY(e.messages.boxes[0].text.contains(shortFile));
    QCOMPARE(e.messages.boxes[0].title, QStringLiteral("ZAV Quellix Touch"));
    QCOMPARE(e.messages.boxes[0].icon, MessagePrompt::Icon::Critical);
    QCOMPARE(e.m.ProjectFileName, QStringLiteral("None"));
    QCOMPARE(e.m.GetButtonText(0), QStringLiteral("Keep me"));
    QVERIFY(w.windowTitle().endsWith(QStringLiteral("   (None)[*]")));
}

void tst_FileMenu::save()
{
    Editor e;
    frmVantile &w = e.start();
    const QString path = e.home.file(QStringLiteral("new.QXC"));
    e.files.answers << path;
    e.action(QStringLiteral("mnuFileSave"))->trigger();
    QCOMPARE(e.files.dialogs.size(), 1);
    QVERIFY(e.files.dialogs[0].save);
    QCOMPARE(readFile(path).size(), 98512);
    QCOMPARE(e.m.ProjectFileName, path);
    QCOMPARE(w.windowTitle(),
             QStringLiteral("ZAV Quellix Touch Screen Pro   Rev 2.05   ") + path + QStringLiteral("[*]"));

    // Save with a name writes at once.
    e.choose(QStringLiteral("cboCmdSet"), 1);
    QVERIFY(e.changed());
    e.action(QStringLiteral("mnuFileSave"))->trigger();
    QCOMPARE(e.files.dialogs.size(), 1);
    QVERIFY(!e.changed());
    modVantile reread;
    QVERIFY(reread.SetProjectBytes(readFile(path)));
    QCOMPARE(reread.GetCommandSet(), 1);
    QVERIFY(e.messages.boxes.isEmpty());
}

void tst_FileMenu::saveFailure()
{
    Editor e;
    frmVantile &w = e.start();
    e.choose(QStringLiteral("cboCmdSet"), 1);
    const QString path = e.home.file(QStringLiteral("missing folder/x.QXC"));
    e.files.answers << path;
    e.action(QStringLiteral("mnuFileSaveAs"))->trigger();
    QCOMPARE(e.messages.boxes.size(), 1);
    QCOMPARE(e.messages.boxes[0].icon, MessagePrompt::Icon::Critical);
    QCOMPARE(e.m.ProjectFileName, QStringLiteral("None"));
    QVERIFY(e.changed());
    QVERIFY(w.windowTitle().endsWith(QStringLiteral("   (None)[*]")));
}

void tst_FileMenu::savedInPlace_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("name");
    QTest::newRow("save") << QStringLiteral("mnuFileSave") << QStringLiteral("p.QXC");
    QTest::newRow("export") << QStringLiteral("mnuExport") << QStringLiteral("s.QXS");
}

// A folder that only lets its files be rewritten: the file is saved all the
// same, and the user is told how.
void tst_FileMenu::savedInPlace()
{
    QFETCH(QString, menu);
    QFETCH(QString, name);
    Editor e;
    e.start();
    const QString folder = e.home.file(QStringLiteral("shared"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QLatin1Char('/') + name;
    QVERIFY(writeFile(path, "old"));
    e.files.answers << path;
    bool refuses = false;
    {
        FolderRefusingNewFiles refusing(folder);
        refuses = !writeFile(folder + QStringLiteral("/probe"), "x");
        e.action(menu)->trigger();
    }
    if (!refuses)
        QSKIP("no folder here refuses new files to this user");
    QVERIFY(readFile(path) != "old");
    QCOMPARE(e.messages.boxes.size(), 1);
    const auto &box = e.messages.boxes[0];
    QCOMPARE(box.title, QStringLiteral("ZAV Quellix Touch"));
    QCOMPARE(box.icon, MessagePrompt::Icon::Information);
    QVERIFY2(box.text.contains(QStringLiteral("written in place.\r\n") + path), qPrintable(box.text));
}

void tst_FileMenu::importExport()
{
    Editor e;
    e.start();
    e.choose(QStringLiteral("cboScreenNumber"), 2);
    e.m.SetButtonType(1, 30);
    e.m.SetButtonText(1, QStringLiteral("Kitchen"));
    e.m.SetTextType(4, 5);
    e.m.ScreenBackground[2] = QStringLiteral("[&H00FF00&]");
    const QString path = e.home.file(QStringLiteral("two.QXS"));
    e.files.answers << path;
    e.action(QStringLiteral("mnuExport"))->trigger();
    QCOMPARE(readFile(path).size(), 6560);
    QVERIFY(!e.changed());
    QCOMPARE(e.m.ScreenFileName, path);

    e.choose(QStringLiteral("cboScreenNumber"), 0);
    e.m.SetNodeAddress(20);
    e.m.SetResolution(2);
    e.m.LastText = 4;
    e.action(QStringLiteral("mnuUndoSnap"))->setEnabled(true);
    e.files.answers << path;
    e.action(QStringLiteral("mnuImportScreen"))->trigger();
    QCOMPARE(e.m.CurrentScreen, int16_t(0));
    QCOMPARE(e.m.GetButtonText(1), QStringLiteral("Kitchen"));
    QCOMPARE(e.label(QStringLiteral("lblBSettings_1"))->text(), QStringLiteral("Goto Screen:5"));
    QCOMPARE(e.label(QStringLiteral("lblTSettings_4"))->text(), QStringLiteral("Dim Bar Dev:15"));
    QCOMPARE(e.m.ScreenBackground[0], QStringLiteral("[&H00FF00&]"));
    QCOMPARE(e.m.GetNodeAddress(), 20);
    QCOMPARE(e.m.GetResolution(), 2);
    QVERIFY(e.changed());
    QCOMPARE(e.m.LastText, int16_t(-1));
    QVERIFY(!e.action(QStringLiteral("mnuUndoSnap"))->isEnabled());
    QVERIFY(e.messages.boxes.isEmpty());
}

void tst_FileMenu::importCancelled()
{
    Editor e;
    e.start();
    e.action(QStringLiteral("mnuImportScreen"))->trigger();
    QCOMPARE(e.files.dialogs.size(), 1);
    QVERIFY(!e.changed());

    // A file that cannot be imported keeps the screen as it was.
    e.m.SetButtonText(0, QStringLiteral("Keep"));
    const QString path = e.home.file(QStringLiteral("short.QXS"));
    QVERIFY(writeFile(path, QByteArray(10, '\x02')));
    e.files.answers << path;
    e.action(QStringLiteral("mnuImportScreen"))->trigger();
    QCOMPARE(e.messages.boxes.size(), 1);
    QCOMPARE(e.messages.boxes[0].icon, MessagePrompt::Icon::Critical);
    QCOMPARE(e.m.GetButtonText(0), QStringLiteral("Keep"));
    QCOMPARE(e.m.ScreenFileName, QString());
}

void tst_FileMenu::exportTooLongBackground()
{
    Editor e;
    e.start();
    const QString longPath = QStringLiteral("/") + QString(300, QLatin1Char('x')) + QStringLiteral(".bmp");
    e.m.ScreenBackground[0] = longPath;
    const QString path = e.home.file(QStringLiteral("long.QXS"));
    e.files.answers << path;
    e.action(QStringLiteral("mnuExport"))->trigger();
    QVERIFY(!QFile::exists(path));
    QVERIFY(e.messages.boxes.size() >= 1);
    QCOMPARE(e.messages.boxes.last().icon, MessagePrompt::Icon::Critical);
    QCOMPARE(e.m.ScreenFileName, QString());
}

void tst_FileMenu::fileNew_data()
{
    QTest::addColumn<bool>("changed");
    QTest::addColumn<bool>("discard");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("renewed");
    QTest::newRow("unchanged") << false << true << 0 << true;
    QTest::newRow("changed, discard") << true << true << 1 << true;
    QTest::newRow("changed, keep") << true << false << 1 << false;
}

void tst_FileMenu::fileNew()
{
    QFETCH(bool, changed);
    QFETCH(bool, discard);
    QFETCH(int, questions);
    QFETCH(bool, renewed);
    Editor e;
    e.designedWindow();
    frmVantile &w = e.start();
    const QString path = e.home.file(QStringLiteral("p.QXC"));
    e.files.answers << path;
    e.action(QStringLiteral("mnuFileSaveAs"))->trigger();
    e.choose(QStringLiteral("cboScreenNumber"), 3);
    e.m.SetButtonType(0, 25);
    e.m.SetResolution(3);
    if (changed)
        e.change();
    e.messages.answers << (discard ? Answer::Discard : Answer::Cancel);
    e.action(QStringLiteral("mnuFileNew"))->trigger();
    QCOMPARE(e.messages.boxes.size(), questions);
    if (renewed) {
        QCOMPARE(e.m.ProjectFileName, QStringLiteral("None"));
        QCOMPARE(e.m.CurrentScreen, int16_t(0));
        QCOMPARE(e.m.GetResolution(), 0);
        QVERIFY(!e.changed());
        QCOMPARE(w.windowTitle(), QStringLiteral("ZAV Quellix Touch Screen Pro   Rev 2.05   (None)[*]"));
        QCOMPARE(w.size(), QSize(1065, 651));
    } else {
        QCOMPARE(e.m.ProjectFileName, path);
        QCOMPARE(e.m.CurrentScreen, int16_t(3));
        QCOMPARE(e.m.GetButtonType(0), 25);
        QVERIFY(e.changed());
    }
}

void tst_FileMenu::closing_data()
{
    QTest::addColumn<bool>("exitCommand");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<bool>("discard");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("closed");
    QTest::newRow("close box, unchanged") << false << false << true << 0 << true;
    QTest::newRow("close box, keep") << false << true << false << 1 << false;
    QTest::newRow("close box, discard") << false << true << true << 1 << true;
    QTest::newRow("Exit, unchanged") << true << false << true << 0 << true;
    QTest::newRow("Exit, keep") << true << true << false << 1 << false;
    QTest::newRow("Exit, discard asks once") << true << true << true << 1 << true;
}

void tst_FileMenu::closing()
{
    QFETCH(bool, exitCommand);
    QFETCH(bool, changed);
    QFETCH(bool, discard);
    QFETCH(int, questions);
    QFETCH(bool, closed);
    Editor e;
    frmVantile &w = e.start();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    if (changed)
        e.change();
    e.messages.answers << (discard ? Answer::Discard : Answer::Cancel) << (discard ? Answer::Discard : Answer::Cancel);
    if (exitCommand)
        e.action(QStringLiteral("mnuExit"))->trigger();
    else
        w.close();
    QCOMPARE(e.messages.boxes.size(), questions);
    for (const auto &box : e.messages.boxes)
        QCOMPARE(box.text, QStringLiteral("Discard Any Changes?"));
    QCOMPARE(w.isVisible(), !closed);
}

int runFileMenuTests(int argc, char **argv)
{
    tst_FileMenu tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "tst_filemenu.moc"
