// The main window as a user first meets it: start-up, menus, layout, the
// sizes for every resolution and orientation, the device options and the
// screen selector.
#include "EditorFixture.h"

#include <QDir>
#include <QMenu>
#include <QMenuBar>

class tst_Window : public QObject
{
    Q_OBJECT

private slots:
    void startUpSettings_data();
    void startUpSettings();
    void unwritableSettings();
    void startUpState();
    void menuTree();
    void designLayout_data();
    void designLayout();
    void screenGeometry_data();
    void screenGeometry();
    void panBar();
    void addressRange_data();
    void addressRange();
    void optionChanges_data();
    void optionChanges();
    void storedOptionsAreShownNotChanged();
    void screenSelection();
};

void tst_Window::startUpSettings_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<int>("portIndex");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("no file") << QByteArray() << 0 << QByteArray("Com Port=1");
    QTest::newRow("COM3") << QByteArray("[Download]\r\nCom Port=3\r\n") << 2 << QByteArray("Com Port=3");
    QTest::newRow("COM8") << QByteArray("[Download]\r\nCom Port=8\r\n") << 7 << QByteArray("Com Port=8");
    QTest::newRow("port 9") << QByteArray("[Download]\r\nCom Port=9\r\n") << 0 << QByteArray("Com Port=1");
    QTest::newRow("port 0") << QByteArray("[Download]\r\nCom Port=0\r\n") << 0 << QByteArray("Com Port=1");
    QTest::newRow("no number") << QByteArray("[Download]\r\nCom Port=x\r\n") << 0 << QByteArray("Com Port=1");
}

void tst_Window::startUpSettings()
{
    QFETCH(QByteArray, before);
    QFETCH(int, portIndex);
    QFETCH(QByteArray, stored);
    Editor e;
    if (!before.isNull()) {
        QVERIFY(QDir().mkpath(e.home.path()));
        QVERIFY(writeFile(e.settingsFile(), before));
    }
    e.start();
    QCOMPARE(e.m.ComPortIndex, int16_t(portIndex));
    QVERIFY(readFile(e.settingsFile()).contains(stored));
    QVERIFY(QDir(e.home.path()).exists());
    QVERIFY(QDir(e.home.path() + QStringLiteral("/Screen Preview")).exists());
    QVERIFY(e.messages.boxes.isEmpty());
}

void tst_Window::unwritableSettings()
{
    Editor e;
    QVERIFY(QDir().mkpath(e.settingsFile())); // a folder where the file should be
    frmVantile &w = e.start();
    QCOMPARE(e.messages.boxes.size(), 1);
    QVERIFY(e.messages.boxes[0].text.contains(e.settingsFile()));
    QCOMPARE(e.messages.boxes[0].icon, MessagePrompt::Icon::Exclamation);
    QCOMPARE(e.m.ComPortIndex, int16_t(0));
    QCOMPARE(w.windowTitle(), QStringLiteral("ZAV Quellix Touch Screen Pro   Rev 2.05   (None)[*]"));
}

void tst_Window::startUpState()
{
    Editor e;
    frmVantile &w = e.start();
    QCOMPARE(w.windowTitle(), QStringLiteral("ZAV Quellix Touch Screen Pro   Rev 2.05   (None)[*]"));
    QCOMPARE(e.m.BaseCaption, QStringLiteral("ZAV Quellix Touch Screen Pro   Rev 2.05"));
    QCOMPARE(e.m.ProjectFileName, QStringLiteral("None"));
    QVERIFY(!e.changed());
    QVERIFY(e.m.WriteAllPictures);
    QCOMPARE(e.m.CurrentScreen, int16_t(0));

    QComboBox *screens = e.combo(QStringLiteral("cboScreenNumber"));
    QCOMPARE(screens->count(), 16);
    QCOMPARE(screens->itemText(0), QStringLiteral("Home"));
    QCOMPARE(screens->itemText(1), QStringLiteral("Screen: 01"));
    QCOMPARE(screens->itemText(15), QStringLiteral("Screen: 15"));
    QCOMPARE(screens->currentIndex(), 0);

    const struct {
        const char *name;
        int count;
        const char *first;
        const char *last;
    } lists[] = {{"cboQXAddress", 254, "Quellix Node: 01", "Quellix Node: FE"},
                 {"cboQXRange", 64, "Node Range: 1", "Node Range: 64"},
                 {"cboScnRes", 4, "480x272", "800x480"},
                 {"cboCmdSet", 3, "P Cmd", "ZAV Cmd"}};
    for (const auto &list : lists) {
        QComboBox *box = e.combo(QString::fromLatin1(list.name));
        QCOMPARE(box->count(), list.count);
        QCOMPARE(box->itemText(0), QString::fromLatin1(list.first));
        QCOMPARE(box->itemText(list.count - 1), QString::fromLatin1(list.last));
        QCOMPARE(box->currentIndex(), 0);
    }
    QCOMPARE(e.combo(QStringLiteral("cboScnRes"))->itemText(1), QStringLiteral("320x240"));
    QCOMPARE(e.combo(QStringLiteral("cboCmdSet"))->itemText(1), QStringLiteral("D Cmd"));

    QVERIFY(e.get<QRadioButton>(QStringLiteral("optLayout_0"))->isChecked());
    QCOMPARE(e.get<QRadioButton>(QStringLiteral("optLayout_0"))->text(), QStringLiteral("Landscape"));
    QCOMPARE(e.get<QRadioButton>(QStringLiteral("optLayout_1"))->text(), QStringLiteral("Portrait"));
    QCOMPARE(e.get<QCheckBox>(QStringLiteral("chkBeep"))->text(), QStringLiteral("Audio"));
    QVERIFY(!e.get<QCheckBox>(QStringLiteral("chkBeep"))->isChecked());
    QCOMPARE(e.get<QCheckBox>(QStringLiteral("chkHideTitleBG"))->text(), QStringLiteral("ShowText Boxes (Edit Only)"));
    QVERIFY(!e.get<QCheckBox>(QStringLiteral("chkHideTitleBG"))->isChecked());
    QCOMPARE(e.label(QStringLiteral("lblBGFile"))->text(), QStringLiteral("Solid Color"));
    QCOMPARE(e.get<QPushButton>(QStringLiteral("cmdBGSel"))->text(), QStringLiteral("Select"));
    QCOMPARE(e.get<CanvasSurface>(QStringLiteral("picSurface"))->backColor(), QColor(Qt::white));
    for (int i = 0; i < 32; ++i) {
        QCOMPARE(e.label(QStringLiteral("lblBSettings_%1").arg(i))->text(), QStringLiteral("Disabled"));
        QCOMPARE(e.label(QStringLiteral("lblPSettings_%1").arg(i))->text(), QStringLiteral("Disabled"));
        QCOMPARE(e.get<QPushButton>(QStringLiteral("cmdBEdit_%1").arg(i))->text(), QStringLiteral("Edit"));
    }
    QVERIFY(e.messages.boxes.isEmpty());
    QVERIFY(e.files.dialogs.isEmpty());
}

namespace
{
QStringList menuLines(QMenu *menu, const QString &prefix)
{
    QStringList lines;
    for (QAction *a : menu->actions()) {
        if (a->isSeparator()) {
            lines << prefix + QStringLiteral("-");
        } else if (a->menu()) {
            lines << prefix + a->text() + QStringLiteral(" (") + a->menu()->objectName() + QLatin1Char(')');
            lines += menuLines(a->menu(), prefix + a->text() + QStringLiteral(" > "));
        } else {
            QString line = prefix + a->text() + QStringLiteral(" (") + a->objectName() + QLatin1Char(')');
            if (!a->shortcut().isEmpty())
                line += QLatin1Char(' ') + a->shortcut().toString();
            if (a->isCheckable())
                line += a->isChecked() ? QStringLiteral(" [x]") : QStringLiteral(" [ ]");
            if (!a->isEnabled())
                line += QStringLiteral(" disabled");
            lines << line;
        }
    }
    return lines;
}
} // namespace

void tst_Window::menuTree()
{
    Editor e;
    frmVantile &w = e.start();
    QStringList lines;
    for (QAction *top : w.menuBar()->actions())
        lines += menuLines(top->menu(), top->text() + QStringLiteral(" > "));
    const QStringList expected{
        QStringLiteral("&File > &New (mnuFileNew) Ctrl+N"),
        QStringLiteral("&File > &Open (mnuFileOpen) Ctrl+O"),
        QStringLiteral("&File > Recent Files (mnuRecentFiles)"),
        QStringLiteral("&File > &Save (mnuFileSave)"),
        QStringLiteral("&File > Save &As (mnuFileSaveAs) Ctrl+Shift+S"),
        QStringLiteral("&File > -"),
        QStringLiteral("&File > Export Screen (mnuExport)"),
        QStringLiteral("&File > Import Screen (mnuImportScreen)"),
        QStringLiteral("&File > -"),
        QStringLiteral("&File > Export Report... (mnuExportReport)"),
        QStringLiteral("&File > -"),
        QStringLiteral("&File > E&xit (mnuExit)"),
        QStringLiteral("&Edit > &Undo (mnuUndo) Ctrl+Z disabled"),
        QStringLiteral("&Edit > &Redo (mnuRedo) Ctrl+Shift+Z disabled"),
        QStringLiteral("&Edit > -"),
        QStringLiteral("&Edit > Cut (mnuCut) Shift+Del disabled"),
        QStringLiteral("&Edit > Copy (mnuCopy) Ctrl+C disabled"),
        QStringLiteral("&Edit > Paste (mnuPaste) Ctrl+V"),
        QStringLiteral("&Edit > Duplicate (mnuDuplicate) Ctrl+D disabled"),
        QStringLiteral("&Edit > Delete (mnuDelete) Del disabled"),
        QStringLiteral("&Edit > -"),
        QStringLiteral("&Edit > New Button (mnuNewButton) Ctrl+B"),
        QStringLiteral("&Edit > New Pilot (mnuNewPilot) Ctrl+P"),
        QStringLiteral("&Edit > New Slider (mnuNewSlider) Ctrl+S"),
        QStringLiteral("&Edit > New Text (mnuNewText) Ctrl+T"),
        QStringLiteral("&Edit > -"),
        QStringLiteral("&Edit > Clear Screen (mnuClearScreen) Ctrl+X"),
        QStringLiteral("&Edit > Copy Screen To... (mnuCopyScreen)"),
        QStringLiteral("&Edit > -"),
        QStringLiteral("&Edit > Show Grid (mnuShowGrid) [ ]"),
        QStringLiteral("&Edit > Grid Size (mnuGridSize0)"),
        QStringLiteral("&Edit > Grid Size > 8 x 8 (mnuGridSize_0) [x]"),
        QStringLiteral("&Edit > Grid Size > 16 x 16 (mnuGridSize_1) [ ]"),
        QStringLiteral("&Edit > Grid Size > 32 x 32 (mnuGridSize_2) [ ]"),
        QStringLiteral("&Edit > Grid Size > 64 x 64 (mnuGridSize_3) [ ]"),
        QStringLiteral("&Edit > Grid Color (mnuGridColor0)"),
        QStringLiteral("&Edit > Grid Color > Black (mnuGridColor_0) [ ]"),
        QStringLiteral("&Edit > Grid Color > Gray (mnuGridColor_1) [x]"),
        QStringLiteral("&Edit > Grid Color > White (mnuGridColor_2) [ ]"),
        QStringLiteral("&Edit > -"),
        QStringLiteral("&Edit > Snap To Grid (mnuSnapToGrid)"),
        QStringLiteral("&Edit > Undo Snap (mnuUndoSnap) disabled"),
        QStringLiteral("&Edit > -"),
        QStringLiteral("&Edit > Align (mnuArrange)"),
        QStringLiteral("&Edit > Align > Align Left (mnuAlignLeft)"),
        QStringLiteral("&Edit > Align > Align Right (mnuAlignRight)"),
        QStringLiteral("&Edit > Align > Align Top (mnuAlignTop)"),
        QStringLiteral("&Edit > Align > Align Bottom (mnuAlignBottom)"),
        QStringLiteral("&Edit > Align > Align Horizontal Centres (mnuAlignCentreX)"),
        QStringLiteral("&Edit > Align > Align Vertical Centres (mnuAlignCentreY)"),
        QStringLiteral("&Edit > Align > -"),
        QStringLiteral("&Edit > Align > Distribute Horizontally (mnuDistributeX)"),
        QStringLiteral("&Edit > Align > Distribute Vertically (mnuDistributeY)"),
        QStringLiteral("&Edit > Align > -"),
        QStringLiteral("&Edit > Align > Make Same Width (mnuSameWidth)"),
        QStringLiteral("&Edit > Align > Make Same Height (mnuSameHeight)"),
        QStringLiteral("&Edit > -"),
        QStringLiteral("&Edit > Zoom In (mnuZoomIn) Ctrl++"),
        QStringLiteral("&Edit > Zoom Out (mnuZoomOut) Ctrl+-"),
        QStringLiteral("&Edit > Actual Size (mnuActualSize) Ctrl+0"),
        QStringLiteral("&Edit > Fit (mnuZoomFit)"),
        QStringLiteral("&Edit > -"),
        QStringLiteral("&Edit > Preferences... (mnuPreferences) Ctrl+,"),
        QStringLiteral("&View > &Properties (mnuProperties) [x]"),
        QStringLiteral("&View > -"),
        QStringLiteral("&View > &Full Settings Lists (mnuListsFull) [x]"),
        QStringLiteral("&View > &Compact Settings Lists (mnuListsCompact) [ ]"),
        QStringLiteral("&View > &Hide Settings Lists (mnuListsHidden) [ ]"),
        QStringLiteral("&Program > Download Settings (mnuDownload)"),
        QStringLiteral("&Program > -"),
        QStringLiteral("&Program > Compile SD Card Images (mnuCompile) disabled"),
        QStringLiteral("&Program > Compile And Write To SD Card (mnuRunCG)"),
        QStringLiteral("&Program > Try Panel (mnuTryPanel) F5"),
        QStringLiteral("&Program > -"),
        QStringLiteral("&Program > Check Project (mnuCheckProject) F7"),
        QStringLiteral("&Program > Function Map (mnuFunctionMap)"),
        QStringLiteral("&Help > &User Guide (mnuUserGuide)"),
        QStringLiteral("&Help > Help On This &Window (mnuContextHelp) F1"),
        QStringLiteral("&Help > &Keyboard Shortcuts (mnuShortcuts)"),
        QStringLiteral("&Help > -"),
        QStringLiteral("&Help > &About ZAV Quellix Touch (mnuAbout)"),
    };
    QCOMPARE(lines, expected);
}

void tst_Window::designLayout_data()
{
    // Twips as designed; a height of 0 is not checked.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("caption");
    QTest::newRow("frmSettings") << "frmSettings" << QRect(120, 0, 7455, 735) << "Device Options";
    QTest::newRow("cboScreenNumber") << "cboScreenNumber" << QRect(120, 840, 1455, 0) << "";
    QTest::newRow("lblBGFile") << "lblBGFile" << QRect(1680, 885, 5295, 270) << "";
    QTest::newRow("cmdBGSel") << "cmdBGSel" << QRect(6960, 885, 615, 270) << "Select";
    QTest::newRow("picPan") << "picPan" << QRect(120, 1320, 7260, 4140) << "";
    QTest::newRow("vsPan") << "vsPan" << QRect(7440, 1320, 255, 7200) << "";
    QTest::newRow("frmButtons") << "frmButtons" << QRect(7800, 600, 3015, 8055) << "Buttons";
    QTest::newRow("frmPilots") << "frmPilots" << QRect(10920, 600, 2535, 8055) << "Pilots";
    QTest::newRow("frmSliders") << "frmSliders" << QRect(13560, 600, 2055, 2295) << "Sliders";
    QTest::newRow("frmTitlesLarge") << "frmTitlesLarge" << QRect(13560, 3000, 2055, 4695) << "Text / Bar Graph";
    QTest::newRow("chkHideTitleBG") << "chkHideTitleBG" << QRect(120, 4200, 1815, 375) << "ShowText Boxes (Edit Only)";
    QTest::newRow("cmdBEdit_0") << "cmdBEdit_0" << QRect(120, 240, 495, 255) << "Edit";
    QTest::newRow("cmdBEdit_31") << "cmdBEdit_31" << QRect(120, 7680, 495, 255) << "Edit";
    QTest::newRow("lblBSettings_31") << "lblBSettings_31" << QRect(600, 7680, 2295, 255) << "Disabled";
    QTest::newRow("lblPSettings_5") << "lblPSettings_5" << QRect(600, 1440, 1815, 255) << "Disabled";
    QTest::newRow("cmdSEdit_7") << "cmdSEdit_7" << QRect(120, 1920, 495, 255) << "Edit";
    QTest::newRow("lblSSettings_7") << "lblSSettings_7" << QRect(600, 1920, 1335, 255) << "Disabled";
    QTest::newRow("cmdTEdit_15") << "cmdTEdit_15" << QRect(120, 3840, 495, 255) << "Edit";
    QTest::newRow("lblTSettings_15") << "lblTSettings_15" << QRect(600, 3840, 1335, 255) << "Disabled";
}

void tst_Window::designLayout()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(QString, caption);
    Editor e;
    e.start();
    QWidget *widget = e.get<QWidget>(name);
    QCOMPARE(widget->x(), px(twips.x()));
    QCOMPARE(widget->y(), px(twips.y()));
    QCOMPARE(widget->width(), px(twips.width()));
    if (twips.height() != 0)
        QCOMPARE(widget->height(), px(twips.height()));
    QString text;
    if (auto *box = qobject_cast<QGroupBox *>(widget))
        text = box->title();
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        text = button->text();
    else if (auto *label = qobject_cast<QLabel *>(widget);
             label && name.startsWith(QStringLiteral("lbl")) && name != QStringLiteral("lblBGFile"))
        text = label->text();
    QCOMPARE(text, caption);
    if (name.startsWith(QStringLiteral("frm")) && name != QStringLiteral("frmSettings"))
        QCOMPARE(widget->palette().color(QPalette::Window), QColor(224, 224, 224));
    if (name.startsWith(QStringLiteral("lbl")) && name.contains(QStringLiteral("Settings")))
        QCOMPARE(widget->palette().color(QPalette::Window), QColor(224, 224, 224));
}

void tst_Window::screenGeometry_data()
{
    QTest::addColumn<int>("desktopHeight"); // pixels
    QTest::addColumn<int>("resolution");
    QTest::addColumn<bool>("portrait");
    QTest::addColumn<QSize>("window"); // twips
    QTest::addColumn<int>("frameOffset");
    QTest::addColumn<QSize>("canvas");
    QTest::addColumn<QSize>("viewport");
    QTest::addColumn<bool>("pan");
    const QSize normal(15975, 9765);
    QTest::newRow("480x272 landscape") << 1024 << 0 << false << normal << 0 << QSize(7260, 4140) << QSize(7260, 4140)
                                       << false;
    QTest::newRow("480x272 portrait") << 1024 << 0 << true << normal << 0 << QSize(4140, 7260) << QSize(4140, 7260)
                                      << false;
    QTest::newRow("320x240 landscape") << 1024 << 1 << false << normal << 0 << QSize(4860, 3660) << QSize(4860, 3660)
                                       << false;
    QTest::newRow("320x240 portrait") << 1024 << 1 << true << normal << 0 << QSize(3660, 4860) << QSize(3660, 4860)
                                      << false;
    QTest::newRow("480x320 landscape") << 1024 << 2 << false << normal << 0 << QSize(7260, 4860) << QSize(7260, 4860)
                                       << false;
    QTest::newRow("480x320 portrait") << 768 << 2 << true << normal << 0 << QSize(4860, 7260) << QSize(4860, 7260)
                                      << false;
    QTest::newRow("800x480 landscape") << 1024 << 3 << false << QSize(20775, 9765) << 4800 << QSize(12060, 7260)
                                       << QSize(12060, 7260) << false;
    // Too low for the designed window: it takes the desktop's height, its content scrolls.
    QTest::newRow("800x480 landscape small")
        << 600 << 3 << false << QSize(20775, 9000) << 4800 << QSize(12060, 7260) << QSize(12060, 7260) << false;
    QTest::newRow("800x480 portrait tall")
        << 1024 << 3 << true << QSize(15975, 14325) << 0 << QSize(7260, 12060) << QSize(7260, 12060) << false;
    QTest::newRow("800x480 portrait 14925 twips")
        << 995 << 3 << true << QSize(15975, 14325) << 0 << QSize(7260, 12060) << QSize(7260, 12060) << false;
    QTest::newRow("800x480 portrait 14910 twips")
        << 994 << 3 << true << normal << 0 << QSize(7260, 12060) << QSize(7260, 7200) << true;
    QTest::newRow("800x480 portrait small")
        << 768 << 3 << true << normal << 0 << QSize(7260, 12060) << QSize(7260, 7200) << true;
}

void tst_Window::screenGeometry()
{
    QFETCH(int, desktopHeight);
    QFETCH(int, resolution);
    QFETCH(bool, portrait);
    QFETCH(QSize, window);
    QFETCH(int, frameOffset);
    QFETCH(QSize, canvas);
    QFETCH(QSize, viewport);
    QFETCH(bool, pan);
    Editor e;
    e.designedWindow();
    const QSize desktop(1600, desktopHeight);
    frmVantile &w = e.start(desktop);
    if (portrait)
        e.get<QRadioButton>(QStringLiteral("optLayout_1"))->click();
    e.choose(QStringLiteral("cboScnRes"), resolution);

    QCOMPARE(e.m.GetResolution(), resolution);
    QCOMPARE(e.m.GetLayout(), portrait ? 1 : 0);
    QCOMPARE(w.size(), QSize(px(window.width()), px(window.height())));
    QCOMPARE(w.pos(), QPoint((desktop.width() - w.width()) / 2, (desktop.height() - w.height()) / 2));
    QCOMPARE(e.get<QWidget>(QStringLiteral("frmButtons"))->x(), px(7800 + frameOffset));
    QCOMPARE(e.get<QWidget>(QStringLiteral("frmPilots"))->x(), px(10920 + frameOffset));
    QCOMPARE(e.get<QWidget>(QStringLiteral("frmSliders"))->x(), px(13560 + frameOffset));
    QCOMPARE(e.get<QWidget>(QStringLiteral("frmTitlesLarge"))->x(), px(13560 + frameOffset));
    QCOMPARE(e.get<QWidget>(QStringLiteral("picLayout"))->size(), QSize(px(canvas.width()), px(canvas.height())));
    // The drawing area inside the canvas border is the panel itself.
    QCOMPARE(e.get<QWidget>(QStringLiteral("picSurface"))->size(),
             QSize(px(canvas.width() - 60), px(canvas.height() - 60)));
    QCOMPARE(e.get<QWidget>(QStringLiteral("picPan"))->size(), QSize(px(viewport.width()), px(viewport.height())));
    QCOMPARE(!e.get<QScrollBar>(QStringLiteral("vsPan"))->isHidden(), pan);
    QCOMPARE(w.PanNeeded(), pan);
}

void tst_Window::panBar()
{
    Editor e;
    e.start(QSize(1024, 768));
    e.get<QRadioButton>(QStringLiteral("optLayout_1"))->click();
    e.choose(QStringLiteral("cboScnRes"), 3);
    auto *bar = e.get<QScrollBar>(QStringLiteral("vsPan"));
    QWidget *canvas = e.get<QWidget>(QStringLiteral("picLayout"));
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 4890);
    QCOMPARE(bar->singleStep(), 15);
    QCOMPARE(bar->pageStep(), 480);

    bar->setValue(4890);
    QCOMPARE(canvas->y(), -326);
    // The bottom of the canvas is inside the viewport.
    QWidget *viewport = e.get<QWidget>(QStringLiteral("picPan"));
    QVERIFY(canvas->geometry().bottom() <= viewport->height());
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(bar->value(), 4875);
    QCOMPARE(canvas->y(), -325);

    // A change of resolution or orientation returns to the top.
    e.choose(QStringLiteral("cboScnRes"), 3);
    QCOMPARE(bar->value(), 0);
    QCOMPARE(canvas->y(), 0);
    bar->setValue(900);
    e.get<QRadioButton>(QStringLiteral("optLayout_1"))->click();
    QCOMPARE(bar->value(), 0);
    QCOMPARE(canvas->y(), 0);
}

void tst_Window::addressRange_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("range");
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("choice");
    QTest::addColumn<int>("storedAddress");
    QTest::addColumn<int>("storedRange");
    QTest::addColumn<bool>("refused");
    QTest::newRow("C9 with 54 devices ends at FE") << 200 << 0 << "cboQXRange" << 53 << 200 << 53 << false;
    QTest::newRow("C9 with 55 devices") << 200 << 53 << "cboQXRange" << 54 << 200 << 53 << true;
    QTest::newRow("FE with 1 device") << 0 << 0 << "cboQXAddress" << 253 << 253 << 0 << false;
    QTest::newRow("FE with 2 devices") << 253 << 0 << "cboQXRange" << 1 << 253 << 0 << true;
    QTest::newRow("address beyond") << 200 << 53 << "cboQXAddress" << 201 << 200 << 53 << true;
    QTest::newRow("address back") << 200 << 53 << "cboQXAddress" << 10 << 10 << 53 << false;
    QTest::newRow("64 devices from BF") << 190 << 0 << "cboQXRange" << 63 << 190 << 63 << false;
    QTest::newRow("64 devices from C0") << 191 << 0 << "cboQXRange" << 63 << 191 << 0 << true;
}

void tst_Window::addressRange()
{
    QFETCH(int, address);
    QFETCH(int, range);
    QFETCH(QString, list);
    QFETCH(int, choice);
    QFETCH(int, storedAddress);
    QFETCH(int, storedRange);
    QFETCH(bool, refused);
    Editor e;
    frmVantile &w = e.start();
    e.m.SetNodeAddress(address);
    e.m.SetNodeRange(range);
    w.ShowScreen();
    QVERIFY(!e.changed());

    e.choose(list, choice);
    QCOMPARE(e.m.GetNodeAddress(), storedAddress);
    QCOMPARE(e.m.GetNodeRange(), storedRange);
    QCOMPARE(e.combo(QStringLiteral("cboQXAddress"))->currentIndex(), storedAddress);
    QCOMPARE(e.combo(QStringLiteral("cboQXRange"))->currentIndex(), storedRange);
    // A refused choice stores nothing and so changes nothing.
    QCOMPARE(e.changed(), !refused);
    if (refused) {
        QCOMPARE(e.messages.boxes.size(), 1);
        const auto &box = e.messages.boxes.first();
        QCOMPARE(box.text, QStringLiteral("Base Address + Range Invalid"));
        QCOMPARE(box.title, QStringLiteral("Error"));
        QCOMPARE(box.icon, MessagePrompt::Icon::Critical);
        QCOMPARE(box.buttons, MessagePrompt::Buttons::Ok);
    } else {
        QVERIFY(e.messages.boxes.isEmpty());
    }
}

void tst_Window::optionChanges_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("choice");
    QTest::addColumn<int>("word");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("undoSnapOff");
    QTest::newRow("portrait") << "optLayout_1" << 0 << 976 << 1 << true;
    QTest::newRow("audio") << "chkBeep" << 0 << 979 << 1 << false;
    QTest::newRow("800x480") << "cboScnRes" << 3 << 980 << 3 << true;
    QTest::newRow("ZAV Cmd") << "cboCmdSet" << 2 << 981 << 2 << false;
    QTest::newRow("D Cmd") << "cboCmdSet" << 1 << 981 << 1 << false;
}

void tst_Window::optionChanges()
{
    QFETCH(QString, control);
    QFETCH(int, choice);
    QFETCH(int, word);
    QFETCH(int, value);
    QFETCH(bool, undoSnapOff);
    Editor e;
    e.start();
    QAction *undo = e.action(QStringLiteral("mnuUndoSnap"));
    undo->setEnabled(true);
    if (control.startsWith(QStringLiteral("cbo")))
        e.choose(control, choice);
    else
        e.get<QAbstractButton>(control)->click();
    QCOMPARE(int(e.m.PanelImage[size_t(word)]), value);
    QVERIFY(e.changed());
    QCOMPARE(undo->isEnabled(), !undoSnapOff);
    QVERIFY(e.messages.boxes.isEmpty());

    // Unchecking the audio box stores 0 again.
    if (control == QStringLiteral("chkBeep")) {
        e.get<QAbstractButton>(control)->click();
        QCOMPARE(e.m.GetBeep(), 0);
    }
}

void tst_Window::storedOptionsAreShownNotChanged()
{
    Editor e;
    frmVantile &w = e.start();
    e.m.SetLayout(1);
    e.m.SetNodeAddress(9);
    e.m.SetNodeRange(5);
    e.m.SetBeep(1);
    e.m.SetResolution(2);
    e.m.SetCommandSet(1);
    w.ShowScreen();
    QVERIFY(e.get<QRadioButton>(QStringLiteral("optLayout_1"))->isChecked());
    QVERIFY(!e.get<QRadioButton>(QStringLiteral("optLayout_0"))->isChecked());
    QCOMPARE(e.combo(QStringLiteral("cboQXAddress"))->currentText(), QStringLiteral("Quellix Node: 0A"));
    QCOMPARE(e.combo(QStringLiteral("cboQXRange"))->currentText(), QStringLiteral("Node Range: 6"));
    QVERIFY(e.get<QCheckBox>(QStringLiteral("chkBeep"))->isChecked());
    QCOMPARE(e.combo(QStringLiteral("cboScnRes"))->currentText(), QStringLiteral("480x320"));
    QCOMPARE(e.combo(QStringLiteral("cboCmdSet"))->currentText(), QStringLiteral("D Cmd"));
    QVERIFY(!e.changed());
    QCOMPARE(e.m.GetLayout(), 1);
    QCOMPARE(e.m.GetNodeAddress(), 9);
}

void tst_Window::screenSelection()
{
    Editor e;
    frmVantile &w = e.start();
    e.m.SelectScreen(7);
    e.m.SetButtonType(0, 25);
    e.m.ScreenBackground[7] = QStringLiteral("[&H0000FF&]");
    e.m.SelectScreen(0);
    e.m.LastButton = 3;
    e.m.LastPilot = 4;
    e.m.LastSlider = 1;
    e.m.LastText = 2;
    e.action(QStringLiteral("mnuUndoSnap"))->setEnabled(true);
    w.UDButton(0);
    QCOMPARE(e.label(QStringLiteral("lblBSettings_0"))->text(), QStringLiteral("Disabled"));

    e.choose(QStringLiteral("cboScreenNumber"), 7);
    QCOMPARE(e.m.CurrentScreen, int16_t(7));
    QCOMPARE(e.m.PanelBase, int16_t(7 * 1024));
    QCOMPARE(e.m.EditorBase, int16_t(7 * 2048));
    QCOMPARE(e.m.LastButton, int16_t(-1));
    QCOMPARE(e.m.LastPilot, int16_t(-1));
    QCOMPARE(e.m.LastSlider, int16_t(-1));
    QCOMPARE(e.m.LastText, int16_t(-1));
    QVERIFY(!e.action(QStringLiteral("mnuUndoSnap"))->isEnabled());
    QCOMPARE(e.label(QStringLiteral("lblBSettings_0"))->text(), QStringLiteral("Goto Home"));
    QVERIFY(!e.image(QStringLiteral("imgPB_0"))->isHidden());
    // Colour digits are blue, green, red.
    QCOMPARE(e.get<CanvasSurface>(QStringLiteral("picSurface"))->backColor(), QColor(255, 0, 0));
    QVERIFY(!e.changed());
}

int runWindowTests(int argc, char **argv)
{
    tst_Window tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "tst_window.moc"
