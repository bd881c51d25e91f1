#include "editor/frmVantile.h"

#include "assets/PictureSets.h"
#include "comm/frmVantileComm.h"
#include "dialogs/frmVantileBGSel.h"
#include "dialogs/frmVantileButton.h"
#include "dialogs/frmVantilePilot.h"
#include "dialogs/frmVantileSlider.h"
#include "dialogs/frmVantileTextBox.h"
#include "editor/CanvasControls.h"
#include "model/Settings.h"
#include "model/modVantile.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "platform/Support.h"
#include "render/PictureCompilation.h"
#include "render/PictureFile.h"
#include "sdcard/frmVantileSDWrite.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOptionButton>

#include <algorithm>
#include <cmath>
#include <memory>

namespace
{

const QString AppTitle = QStringLiteral("ZAV Quellix Touch");
const QString CrLf = QStringLiteral("\r\n");

const QColor ListGrey(224, 224, 224);
const QColor HighlightYellow(255, 255, 0);
const QColor TextGrey(192, 192, 192);

// Twips of the design.
constexpr int WindowWidth = 15975, WideWindowWidth = 20775;
constexpr int WindowHeight = 9765, TallWindowHeight = 14325;
constexpr int TallDesktop = 14925; // desktop height that fits the tall window
constexpr int WideFrameOffset = 4800;
constexpr int PanTop = 1320, PanLeft = 7440, PanWidth = 255, PanHeight = 7200;
constexpr int PanMaximum = 4890, PanSmallStep = 15, PanLargeStep = 480;
constexpr int CanvasBorder = 60;
constexpr int DialogDrop = 900;
// Room for a dialog's window frame, which is not known before it is shown.
constexpr int DialogFrameWidth = 10, DialogFrameHeight = 40;

// What a damaged record can hold is far beyond any screen: keep widgets sane.
int clampCoordinate(long long v)
{
    return int(std::clamp<long long>(v, -32767, 32767));
}
int clampSize(long long v)
{
    return int(std::clamp<long long>(v, 0, 32767));
}
int twipsToPixels(long long twips)
{
    return clampCoordinate(std::llround(double(twips) / frmVantile::TwipsPerPixel));
}

QColor colorFromValue(uint32_t value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

// A check box whose caption wraps inside its width, as the design's narrow
// "ShowText Boxes (Edit Only)" box needs.
class WrappingCheckBox : public QCheckBox
{
public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        const QString caption = option.text;
        option.text.clear();
        const QRect indicator = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
        option.rect = indicator;
        style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, this);
        const QRect textArea(indicator.right() + 5, 0, width() - indicator.right() - 5, height());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, caption);
    }
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }
};

} // namespace

int frmVantile::px(int twips)
{
    return twips / TwipsPerPixel;
}

void frmVantile::setTwipsGeometry(QWidget *w, int left, int top, int width, int height)
{
    w->setGeometry(px(left), px(top), px(width), px(height));
}

QString frmVantile::ProjectFilter()
{
    return QStringLiteral("Quellix Touch Data Files (*.QXC)|*.QXC|All Files (*.*)|*.*");
}

QString frmVantile::ScreenFilter()
{
    return QStringLiteral("Quellix Touch Data Files (*.QXS)|*.QXS|All Files (*.*)|*.*");
}

QString frmVantile::ProjectPattern()
{
    return Paths::WorkingFolder() + QStringLiteral("/*.QXC");
}

QString frmVantile::ScreenPattern()
{
    return Paths::WorkingFolder() + QStringLiteral("/*.QXS");
}

frmVantile::frmVantile(modVantile &m, MessagePrompt &messages, FileDialogPrompt &files, QWidget *parent)
    : QMainWindow(parent), m_(m), messages_(messages), files_(files)
{
    execDialog = [](QDialog &dialog) { return dialog.exec(); };
    setObjectName(QStringLiteral("frmVantile"));
    setWindowTitle(DesignCaption);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    setFont(font);
    resize(px(WindowWidth), px(WindowHeight));

    buildMenus();
    buildControls();
    buildCanvas();
    Form_Load();
}

frmVantile::~frmVantile() = default;

void frmVantile::SetDesktopSize(QSize pixels)
{
    desktop_ = pixels;
}

QSize frmVantile::DesktopSize() const
{
    if (desktop_.isValid())
        return desktop_;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        return screen->geometry().size();
    return {1024, 768};
}

// --- construction ------------------------------------------------------------

void frmVantile::buildMenus()
{
    auto action = [this](QMenu *menu, const char *name, const QString &caption, void (frmVantile::*slot)(),
                         const QKeySequence &shortcut = {}) {
        QAction *a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(shortcut);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };

    QMenu *file = menuBar()->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    mnuFileNew = action(file, "mnuFileNew", QStringLiteral("New"), &frmVantile::mnuFileNew_Click);
    mnuFileOpen = action(file, "mnuFileOpen", QStringLiteral("Open"), &frmVantile::mnuFileOpen_Click);
    mnuFileSave = action(file, "mnuFileSave", QStringLiteral("Save"), &frmVantile::mnuFileSave_Click);
    mnuFileSaveAs = action(file, "mnuFileSaveAs", QStringLiteral("Save As"), &frmVantile::mnuFileSaveAs_Click);
    file->addSeparator();
    mnuExport = action(file, "mnuExport", QStringLiteral("Export Screen"), &frmVantile::mnuExport_Click);
    mnuImportScreen =
        action(file, "mnuImportScreen", QStringLiteral("Import Screen"), &frmVantile::mnuImportScreen_Click);
    file->addSeparator();
    mnuExit = action(file, "mnuExit", QStringLiteral("Exit"), &frmVantile::mnuExit_Click);

    QMenu *edit = menuBar()->addMenu(QStringLiteral("Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    mnuNewButton = action(edit, "mnuNewButton", QStringLiteral("New Button"), &frmVantile::mnuNewButton_Click,
                          QKeySequence(Qt::CTRL | Qt::Key_B));
    mnuNewPilot = action(edit, "mnuNewPilot", QStringLiteral("New Pilot"), &frmVantile::mnuNewPilot_Click,
                         QKeySequence(Qt::CTRL | Qt::Key_P));
    mnuNewSlider = action(edit, "mnuNewSlider", QStringLiteral("New Slider"), &frmVantile::mnuNewSlider_Click,
                          QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuNewText = action(edit, "mnuNewText", QStringLiteral("New Text"), &frmVantile::mnuNewText_Click,
                        QKeySequence(Qt::CTRL | Qt::Key_T));
    edit->addSeparator();
    mnuClearScreen = action(edit, "mnuClearScreen", QStringLiteral("Clear Screen"), &frmVantile::mnuClearScreen_Click,
                            QKeySequence(Qt::CTRL | Qt::Key_X));
    edit->addSeparator();
    mnuShowGrid = action(edit, "mnuShowGrid", QStringLiteral("Show Grid"), &frmVantile::mnuShowGrid_Click);
    mnuShowGrid->setCheckable(true);

    mnuGridSize0 = edit->addMenu(QStringLiteral("Grid Size"));
    mnuGridSize0->setObjectName(QStringLiteral("mnuGridSize0"));
    auto *sizes = new QActionGroup(this);
    const QStringList sizeCaptions{QStringLiteral("8 x 8"), QStringLiteral("16 x 16"), QStringLiteral("32 x 32"),
                                   QStringLiteral("64 x 64")};
    for (int i = 0; i < 4; ++i) {
        QAction *a = mnuGridSize0->addAction(sizeCaptions[i]);
        a->setObjectName(QStringLiteral("mnuGridSize_%1").arg(i));
        a->setCheckable(true);
        a->setChecked(i == 0);
        sizes->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { mnuGridSize_Click(i); });
        mnuGridSize[size_t(i)] = a;
    }

    mnuGridColor0 = edit->addMenu(QStringLiteral("Grid Color"));
    mnuGridColor0->setObjectName(QStringLiteral("mnuGridColor0"));
    auto *colors = new QActionGroup(this);
    const QStringList colorCaptions{QStringLiteral("Black"), QStringLiteral("Gray"), QStringLiteral("White")};
    for (int i = 0; i < 3; ++i) {
        QAction *a = mnuGridColor0->addAction(colorCaptions[i]);
        a->setObjectName(QStringLiteral("mnuGridColor_%1").arg(i));
        a->setCheckable(true);
        a->setChecked(i == 1);
        colors->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { mnuGridColor_Click(i); });
        mnuGridColor[size_t(i)] = a;
    }
    edit->addSeparator();
    mnuSnapToGrid = action(edit, "mnuSnapToGrid", QStringLiteral("Snap To Grid"), &frmVantile::mnuSnapToGrid_Click);
    mnuUndoSnap = action(edit, "mnuUndoSnap", QStringLiteral("Undo Snap"), &frmVantile::mnuUndoSnap_Click);
    mnuUndoSnap->setEnabled(false);

    QMenu *program = menuBar()->addMenu(QStringLiteral("Program"));
    program->setObjectName(QStringLiteral("mnuProgram"));
    mnuDownload = action(program, "mnuDownload", QStringLiteral("Download Settings"), &frmVantile::mnuDownload_Click);
    program->addSeparator();
    mnuCompile = action(program, "mnuCompile", QStringLiteral("Compile SD Card Images"), &frmVantile::mnuCompile_Click);
    mnuCompile->setEnabled(false);
    mnuRunCG = action(program, "mnuRunCG", QStringLiteral("Compile And Write To SD Card"), &frmVantile::mnuRunCG_Click);
}

QGroupBox *frmVantile::buildList(const QString &name, const QString &caption, const QRect &twips, int rows,
                                 int lineWidth, const QString &editName, const QString &lineName,
                                 std::vector<QPushButton *> &edits, std::vector<QLabel *> &lines)
{
    auto *frame = new QGroupBox(caption, centralWidget());
    frame->setObjectName(name);
    setTwipsGeometry(frame, twips.x(), twips.y(), twips.width(), twips.height());
    frame->setAutoFillBackground(true);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::Window, ListGrey);
    frame->setPalette(palette);
    for (int i = 0; i < rows; ++i) {
        auto *edit = new QPushButton(QStringLiteral("Edit"), frame);
        edit->setObjectName(QStringLiteral("%1_%2").arg(editName).arg(i));
        setTwipsGeometry(edit, 120, 240 + 240 * i, 495, 255);
        edit->setFocusPolicy(Qt::NoFocus);
        edits.push_back(edit);

        auto *line = new QLabel(frame);
        line->setObjectName(QStringLiteral("%1_%2").arg(lineName).arg(i));
        setTwipsGeometry(line, 600, 240 + 240 * i, lineWidth, 255);
        line->setFrameStyle(QFrame::Box | QFrame::Plain);
        line->setLineWidth(1);
        line->setAutoFillBackground(true);
        line->setPalette(palette);
        line->setIndent(2);
        lines.push_back(line);
    }
    return frame;
}

void frmVantile::buildControls()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("frmVantileClient"));
    setCentralWidget(central);

    frmSettings = new QGroupBox(QStringLiteral("Device Options"), central);
    frmSettings->setObjectName(QStringLiteral("frmSettings"));
    setTwipsGeometry(frmSettings, 120, 0, 7455, 735);

    // The six options share one row of the narrow frame: a slightly smaller
    // font lets every entry show in full.
    QFont optionsFont = font();
    optionsFont.setPixelSize(10);
    frmSettings->setFont(optionsFont);
    const QStringList orientations{QStringLiteral("Landscape"), QStringLiteral("Portrait")};
    for (int i = 0; i < 2; ++i) {
        auto *option = new QRadioButton(orientations[i], frmSettings);
        option->setObjectName(QStringLiteral("optLayout_%1").arg(i));
        option->setGeometry(4, 12 + 17 * i, 74, 17);
        connect(option, &QRadioButton::clicked, this, [this, i] { optLayout_Click(i); });
        optLayout[size_t(i)] = option;
    }
    auto combo = [this](const char *name, int left, int width, void (frmVantile::*slot)()) {
        auto *box = new QComboBox(frmSettings);
        box->setObjectName(QString::fromLatin1(name));
        box->setGeometry(left, 19, width, 22);
        box->setMaxVisibleItems(16);
        connect(box, &QComboBox::activated, this, slot);
        return box;
    };
    cboQXAddress = combo("cboQXAddress", 80, 106, &frmVantile::cboQXAddress_Click);
    cboQXRange = combo("cboQXRange", 189, 104, &frmVantile::cboQXRange_Click);
    chkBeep = new QCheckBox(QStringLiteral("Audio"), frmSettings);
    chkBeep->setObjectName(QStringLiteral("chkBeep"));
    chkBeep->setGeometry(296, 21, 51, 18);
    connect(chkBeep, &QCheckBox::clicked, this, &frmVantile::chkBeep_Click);
    cboScnRes = combo("cboScnRes", 350, 69, &frmVantile::cboScnRes_Click);
    cboCmdSet = combo("cboCmdSet", 422, 72, &frmVantile::cboCmdSet_Click);

    cboScreenNumber = new QComboBox(central);
    cboScreenNumber->setObjectName(QStringLiteral("cboScreenNumber"));
    cboScreenNumber->setGeometry(px(120), px(840), px(1455), 22);
    cboScreenNumber->setMaxVisibleItems(16);
    connect(cboScreenNumber, &QComboBox::activated, this, &frmVantile::cboScreenNumber_Click);

    lblBGFile = new QLabel(central);
    lblBGFile->setObjectName(QStringLiteral("lblBGFile"));
    setTwipsGeometry(lblBGFile, 1680, 885, 5295, 270);
    lblBGFile->setFrameStyle(QFrame::Box | QFrame::Plain);
    lblBGFile->setIndent(2);

    cmdBGSel = new QPushButton(QStringLiteral("Select"), central);
    cmdBGSel->setObjectName(QStringLiteral("cmdBGSel"));
    setTwipsGeometry(cmdBGSel, 6960, 885, 615, 270);
    connect(cmdBGSel, &QPushButton::clicked, this, &frmVantile::cmdBGSel_Click);

    frmButtons = buildList(QStringLiteral("frmButtons"), QStringLiteral("Buttons"), QRect(7800, 600, 3015, 8055),
                           modVantile::ButtonCount, 2295, QStringLiteral("cmdBEdit"), QStringLiteral("lblBSettings"),
                           cmdBEdit, lblBSettings);
    frmPilots = buildList(QStringLiteral("frmPilots"), QStringLiteral("Pilots"), QRect(10920, 600, 2535, 8055),
                          modVantile::PilotCount, 1815, QStringLiteral("cmdPEdit"), QStringLiteral("lblPSettings"),
                          cmdPEdit, lblPSettings);
    frmSliders = buildList(QStringLiteral("frmSliders"), QStringLiteral("Sliders"), QRect(13560, 600, 2055, 2295),
                           modVantile::SliderCount, 1335, QStringLiteral("cmdSEdit"), QStringLiteral("lblSSettings"),
                           cmdSEdit, lblSSettings);
    frmTitlesLarge = buildList(QStringLiteral("frmTitlesLarge"), QStringLiteral("Text / Bar Graph"),
                               QRect(13560, 3000, 2055, 4695), modVantile::TextCount, 1335, QStringLiteral("cmdTEdit"),
                               QStringLiteral("lblTSettings"), cmdTEdit, lblTSettings);
    for (int i = 0; i < modVantile::ButtonCount; ++i)
        connect(cmdBEdit[size_t(i)], &QPushButton::clicked, this, [this, i] { cmdBEdit_Click(i); });
    for (int i = 0; i < modVantile::PilotCount; ++i)
        connect(cmdPEdit[size_t(i)], &QPushButton::clicked, this, [this, i] { cmdPEdit_Click(i); });
    for (int i = 0; i < modVantile::SliderCount; ++i)
        connect(cmdSEdit[size_t(i)], &QPushButton::clicked, this, [this, i] { cmdSEdit_Click(i); });
    for (int i = 0; i < modVantile::TextCount; ++i)
        connect(cmdTEdit[size_t(i)], &QPushButton::clicked, this, [this, i] { cmdTEdit_Click(i); });

    chkHideTitleBG = new WrappingCheckBox(QStringLiteral("ShowText Boxes (Edit Only)"), frmTitlesLarge);
    chkHideTitleBG->setObjectName(QStringLiteral("chkHideTitleBG"));
    setTwipsGeometry(chkHideTitleBG, 120, 4200, 1815, 375);
    connect(chkHideTitleBG, &QCheckBox::clicked, this, &frmVantile::chkHideTitleBG_Click);
}

void frmVantile::buildCanvas()
{
    picPan = new QWidget(centralWidget());
    picPan->setObjectName(QStringLiteral("picPan"));
    picPan->move(px(120), px(PanTop));
    picPan->setAutoFillBackground(true);
    QPalette panPalette = picPan->palette();
    panPalette.setColor(QPalette::Window, QColor(192, 192, 192));
    picPan->setPalette(panPalette);

    picLayout = new QFrame(picPan);
    picLayout->setObjectName(QStringLiteral("picLayout"));
    picLayout->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picLayout->setLineWidth(CanvasBorder / 2 / TwipsPerPixel);
    picLayout->move(0, 0);

    picSurface = new CanvasSurface(picLayout);
    picSurface->setObjectName(QStringLiteral("picSurface"));
    picSurface->move(CanvasBorder / 2 / TwipsPerPixel, CanvasBorder / 2 / TwipsPerPixel);
    connect(picSurface, &CanvasSurface::hovered, this, &frmVantile::ClearHL);
    UpdateGrid();

    vsPan = new QScrollBar(Qt::Vertical, centralWidget());
    vsPan->setObjectName(QStringLiteral("vsPan"));
    vsPan->setRange(0, PanMaximum);
    vsPan->setSingleStep(PanSmallStep);
    vsPan->setPageStep(PanLargeStep);
    vsPan->hide();
    connect(vsPan, &QScrollBar::valueChanged, this, &frmVantile::vsPan_Change);

    // Creation order is the initial stacking order: buttons, pilots,
    // sliders, then the text objects above them.
    for (int i = 0; i < modVantile::ButtonCount; ++i) {
        auto *image = new CanvasImage(picSurface);
        image->setObjectName(QStringLiteral("imgPB_%1").arg(i));
        image->hide();
        connectDrag(image, EditOperations::DropSource::ButtonPicture, i);
        connect(image, &CanvasControl::clicked, this, [this, i] { imgPB_Click(i); });
        connect(image, &CanvasControl::hovered, this, [this, i] { highlight(lblBSettings[size_t(i)]); });
        imgPB.push_back(image);

        auto *caption = new CanvasLabel(picSurface);
        caption->setObjectName(QStringLiteral("lblButton_%1").arg(i));
        caption->setFont(CanvasFont(8, false));
        caption->hide();
        connectDrag(caption, EditOperations::DropSource::ButtonCaption, i);
        connect(caption, &CanvasControl::clicked, this, [this, i] { lblButton_Click(i); });
        connect(caption, &CanvasControl::hovered, this, [this, i] { highlight(lblBSettings[size_t(i)]); });
        lblButton.push_back(caption);
        // A button is dragged whole, picture and caption together.
        connect(image, &CanvasControl::dragged, caption, [caption](QPoint d) { caption->move(caption->pos() + d); });
        connect(caption, &CanvasControl::dragged, image, [image](QPoint d) { image->move(image->pos() + d); });
    }
    for (int i = 0; i < modVantile::PilotCount; ++i) {
        auto *image = new CanvasImage(picSurface);
        image->setObjectName(QStringLiteral("imgPilot_%1").arg(i));
        image->hide();
        connectDrag(image, EditOperations::DropSource::Pilot, i);
        connect(image, &CanvasControl::clicked, this, [this, i] { imgPilot_Click(i); });
        connect(image, &CanvasControl::hovered, this, [this, i] { highlight(lblPSettings[size_t(i)]); });
        imgPilot.push_back(image);
    }
    for (int i = 0; i < modVantile::SliderCount; ++i) {
        auto *image = new CanvasImage(picSurface);
        image->setObjectName(QStringLiteral("imgSlider_%1").arg(i));
        image->hide();
        connectDrag(image, EditOperations::DropSource::Slider, i);
        connect(image, &CanvasControl::clicked, this, [this, i] { imgSlider_Click(i); });
        connect(image, &CanvasControl::hovered, this, [this, i] { highlight(lblSSettings[size_t(i)]); });
        imgSlider.push_back(image);
    }
    for (int i = 0; i < modVantile::TextCount; ++i) {
        auto *label = new CanvasLabel(picSurface);
        label->setObjectName(QStringLiteral("lblTextBox_%1").arg(i));
        label->setFont(CanvasFont(8, true));
        label->hide();
        connectDrag(label, EditOperations::DropSource::TextBox, i);
        connect(label, &CanvasControl::clicked, this, [this, i] { lblTextBox_Click(i); });
        connect(label, &CanvasControl::hovered, this, [this, i] { highlight(lblTSettings[size_t(i)]); });
        lblTextBox.push_back(label);
    }
}

// --- start-up and activation -------------------------------------------------

void frmVantile::Form_Load()
{
    centre();
    m_.BaseCaption = windowTitle();
    setTwipsGeometry(vsPan, PanLeft, PanTop, PanWidth, PanHeight);

    for (const QString &folder : {Paths::WorkingFolder(), Paths::ScreenPreviewFolder()}) {
        if (Support::PathExists(folder) == 0 && !QDir().mkpath(folder))
            messages_.Show(QStringLiteral("The folder could not be created:") + CrLf + folder, AppTitle,
                           MessagePrompt::Icon::Exclamation);
    }

    // The port check runs even when the file could not be written back.
    QString error;
    bool written = Settings::ReadSettings(m_, &error);
    written = Settings::CheckComPort(m_, written ? &error : nullptr) && written;
    if (!written)
        messages_.Show(QStringLiteral("The settings file could not be written:") + CrLf + Paths::SettingsFile() + CrLf +
                           error,
                       AppTitle, MessagePrompt::Icon::Exclamation);

    m_.WriteAllPictures = true;
    m_.ProjectFileName = modVantile::NoFileName;
    m_.NewProject();

    cboQXAddress->addItems(Settings::NodeAddressEntries());
    cboQXRange->addItems(Settings::NodeRangeEntries());
    cboScnRes->addItems(Settings::ResolutionEntries());
    cboCmdSet->addItems(Settings::CommandSetEntries());
    for (QComboBox *box : {cboQXAddress, cboQXRange, cboScnRes, cboCmdSet})
        box->setCurrentIndex(0);

    cboScreenNumber->addItem(QStringLiteral("Home"));
    for (int s = 1; s < modVantile::ScreenCount; ++s)
        cboScreenNumber->addItem(QStringLiteral("Screen: %1").arg(s, 2, 10, QLatin1Char('0')));
    selectScreen(0);
    ScreenRes();

    m_.NewProject();
    m_.ProjectChanged = false;
    // Size the canvas even before the window is first shown.
    ScreenShape();
}

void frmVantile::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Only the first showing counts as activation: a message box closing
    // over the window must not redraw it (and perhaps ask again).
    if (!activated_) {
        activated_ = true;
        Form_Activate();
    }
}

void frmVantile::Form_Activate()
{
    ShowScreen();
    for (auto *list : {&cmdBEdit, &cmdPEdit, &cmdSEdit, &cmdTEdit})
        for (QPushButton *edit : *list) {
            edit->show();
            edit->raise();
        }
    ScreenShape();
}

// --- sizing -------------------------------------------------------------------

void frmVantile::centre()
{
    const QSize desktop = DesktopSize();
    move((desktop.width() - width()) / 2, (desktop.height() - height()) / 2);
}

void frmVantile::ScreenRes()
{
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    int width = WindowWidth, height = WindowHeight, offset = 0;
    if (m_.GetResolution() == 3) {
        if (m_.GetLayout() == 0) {
            width = WideWindowWidth;
            offset = WideFrameOffset;
        } else if (DesktopSize().height() * TwipsPerPixel >= TallDesktop) {
            height = TallWindowHeight;
        }
    }
    resize(px(width), px(height));
    frmButtons->move(px(7800 + offset), frmButtons->y());
    frmPilots->move(px(10920 + offset), frmPilots->y());
    frmSliders->move(px(13560 + offset), frmSliders->y());
    frmTitlesLarge->move(px(13560 + offset), frmTitlesLarge->y());
    centre();
}

void frmVantile::ScreenShape()
{
    const int resolution = m_.GetResolution();
    const bool portrait = m_.GetLayout() != 0;
    panNeeded_ = DesktopSize().height() * TwipsPerPixel < TallDesktop && resolution == 3 && portrait;
    vsPan->setVisible(panNeeded_);
    // Without the bar a canvas left panned could not be brought back.
    if (!panNeeded_)
        resetPan();

    const Settings::PanelSize panel = Settings::ResolutionSize(resolution);
    const int w = panel.width * TwipsPerPixel + CanvasBorder;
    const int h = panel.height * TwipsPerPixel + CanvasBorder;
    int canvasWidth = w, canvasHeight = h, viewWidth = w, viewHeight = h;
    if (portrait) {
        canvasWidth = h;
        canvasHeight = w;
        viewWidth = h;
        viewHeight = panNeeded_ ? PanHeight : w;
    }
    picLayout->resize(px(canvasWidth), px(canvasHeight));
    picSurface->resize(px(canvasWidth - CanvasBorder), px(canvasHeight - CanvasBorder));
    picPan->resize(px(viewWidth), px(viewHeight));
    picPan->update();
}

void frmVantile::resetPan()
{
    picLayout->move(0, 0);
    vsPan->setValue(0);
}

void frmVantile::refit()
{
    ScreenRes();
    ScreenShape();
}

void frmVantile::vsPan_Change()
{
    picLayout->move(0, -twipsToPixels(vsPan->value()));
}

// --- display ------------------------------------------------------------------

void frmVantile::ShowScreen()
{
    for (int n = 0; n < modVantile::ButtonCount; ++n)
        UDButton(n);
    for (int n = 0; n < modVantile::PilotCount; ++n)
        UDPilot(n);
    for (int n = 0; n < modVantile::SliderCount; ++n)
        UDSlider(n);
    for (int n = 0; n < modVantile::TextCount; ++n)
        UDTitle(n);
    showOptions();
    showBackground();
    showTitle();
    picLayout->raise();
    picLayout->update();
}

void frmVantile::showOptions()
{
    auto show = [](QComboBox *box, int index) {
        box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
    };
    optLayout[m_.GetLayout() != 0 ? 1 : 0]->setChecked(true);
    show(cboScnRes, m_.GetResolution());
    chkBeep->setChecked(m_.GetBeep() != 0);
    show(cboCmdSet, m_.GetCommandSet());
    show(cboQXAddress, m_.GetNodeAddress());
    show(cboQXRange, m_.GetNodeRange());
}

void frmVantile::showBackground()
{
    const QString background = m_.ScreenBackground[size_t(m_.CurrentScreen)];
    if (IsColorBackground(background)) {
        picSurface->setPicture({});
        picSurface->setBackColor(colorFromValue(BackgroundColorValue(background)));
        lblBGFile->setText(QStringLiteral("Solid Color"));
    } else if (Support::PathExists(background) != 0) {
        const QImage picture = PictureFile::Read(background);
        if (picture.isNull()) {
            messages_.Show(QStringLiteral("File Cannot Be Read As A Picture") + CrLf + background,
                           QStringLiteral("File Missing"), MessagePrompt::Icon::Information,
                           MessagePrompt::Buttons::Ok);
            picSurface->setBackColor(Qt::white);
        }
        picSurface->setPicture(picture);
        lblBGFile->setText(background);
    } else {
        messages_.Show(QStringLiteral("File Not Found") + CrLf + background, QStringLiteral("File Missing"),
                       MessagePrompt::Icon::Information, MessagePrompt::Buttons::Ok);
        picSurface->setPicture({});
        picSurface->setBackColor(Qt::white);
        lblBGFile->setText(QStringLiteral("BMP File Missing"));
    }
}

void frmVantile::showTitle()
{
    if (m_.ProjectFileName == modVantile::NoFileName)
        setWindowTitle(m_.BaseCaption + QStringLiteral("   (None)"));
    else
        setWindowTitle(m_.BaseCaption + QStringLiteral("   ") + m_.ProjectFileName);
}

void frmVantile::UDButton(int iBNum)
{
    if (iBNum < 0 || iBNum >= modVantile::ButtonCount)
        return;
    const int n = iBNum;
    CanvasImage *image = imgPB[size_t(n)];
    CanvasLabel *caption = lblButton[size_t(n)];
    const int type = m_.GetButtonType(n);
    if (type <= 0) {
        image->hide();
        caption->hide();
    } else {
        image->move(clampCoordinate(m_.GetButtonLeft(n)), clampCoordinate(m_.GetButtonTop(n)));
        image->show();
        const int picture = m_.GetButtonPicture(n);
        if (picture == 0) {
            image->setPicture({});
            image->resize(clampSize(m_.GetButtonWidth(n)), clampSize(m_.GetButtonHeight(n)));
            image->setBorder(true);
            caption->hide();
        } else {
            const QImage &bitmap = PictureSets::ButtonPicture(picture - 1);
            image->setPicture(bitmap);
            image->resize(bitmap.size());
            image->setBorder(false);
            caption->setText(m_.GetButtonText(n));
            static constexpr int points[] = {8, 12, 18, 24};
            static constexpr int offsets[] = {75, 105, 165, 210};
            const int fontSize = m_.GetButtonFontSize(n);
            if (fontSize >= 0 && fontSize <= 3) {
                caption->setFont(CanvasFont(points[fontSize], false));
                m_.SetButtonTextX(n, offsets[fontSize]);
                m_.SetButtonTextY(n, offsets[fontSize]);
            }
            const long long x = m_.GetButtonTextX(n), y = m_.GetButtonTextY(n);
            const long long left = (long long)image->x() * TwipsPerPixel, top = (long long)image->y() * TwipsPerPixel;
            const long long width = (long long)image->width() * TwipsPerPixel;
            const long long height = (long long)image->height() * TwipsPerPixel;
            caption->setGeometry(twipsToPixels(left + x), twipsToPixels(top + y), clampSize(twipsToPixels(width - x)),
                                 clampSize(twipsToPixels(height - y)));
            caption->setForeColor(m_.GetButtonTextColor(n) == 0 ? Qt::black : Qt::white);
            caption->show();
        }
    }

    const QString device = Hex2(m_.GetButtonDevice(n) + m_.GetNodeAddress() + 1);
    QString line, tip;
    if (type == 0) {
        line = QStringLiteral("Disabled");
    } else if (type >= 1 && type <= 24) {
        const int input = (type - 1) % 8 + 1;
        static const QString kinds[] = {QStringLiteral("Mom In:"), QStringLiteral("Turn ON In:"),
                                        QStringLiteral("Turn OFF In:")};
        line = kinds[(type - 1) / 8] + QString::number(input) + QStringLiteral(" Dev:") + device;
        tip = QStringLiteral("D:") + device + QStringLiteral(" I:") + QString::number(input);
    } else if (type == 25) {
        line = tip = QStringLiteral("Goto Home");
    } else if (type >= 26 && type <= 40) {
        line = tip = QStringLiteral("Goto Screen:") + QString::number(type - 25);
    } else if (type >= 41 && type <= 56) {
        tip = type == 41 ? QStringLiteral("Goto Screen Home")
                         : QStringLiteral("Goto Screen:") + QString::number(type - 41);
        line =
            tip + QStringLiteral(" PW:") + QStringLiteral("%1").arg(m_.GetButtonPassword(n), 6, 10, QLatin1Char('0'));
    }
    lblBSettings[size_t(n)]->setText(line);
    image->setToolTip(tip);
    caption->setToolTip(tip);
    image->raise();
    caption->raise();
}

void frmVantile::UDPilot(int iPNum)
{
    if (iPNum < 0 || iPNum >= modVantile::PilotCount)
        return;
    const int n = iPNum;
    CanvasImage *image = imgPilot[size_t(n)];
    const int used = m_.GetPilotUsed(n);
    image->setVisible(used > 0);
    const QImage &bitmap = PictureSets::PilotOnPicture(m_.GetPilotPicture(n));
    image->setPicture(bitmap);
    image->setGeometry(clampCoordinate(m_.GetPilotLeft(n)), clampCoordinate(m_.GetPilotTop(n)), bitmap.width(),
                       bitmap.height());

    const QString device = Hex2(m_.GetPilotDevice(n) + m_.GetNodeAddress() + 1);
    const QString input = QString::number((long long)m_.GetPilotInput(n) + 1);
    QString line, tip;
    if (used == 0) {
        line = QStringLiteral("Disabled");
    } else if (used == 1) {
        line = QStringLiteral("Enabled Pilot:") + input + QStringLiteral(" Dev:") + device;
        tip = QStringLiteral("D:") + device + QStringLiteral(" P:") + input;
    }
    lblPSettings[size_t(n)]->setText(line);
    image->setToolTip(tip);
    image->raise();
}

void frmVantile::UDSlider(int iSNum)
{
    if (iSNum < 0 || iSNum >= modVantile::SliderCount)
        return;
    const int n = iSNum;
    CanvasImage *image = imgSlider[size_t(n)];
    const int picture = m_.GetSliderPicture(n);
    if (picture <= 0) {
        image->hide();
    } else {
        const QImage &bitmap = PictureSets::SliderSelectorPicture(picture - 1);
        image->setPicture(bitmap);
        image->setGeometry(clampCoordinate(m_.GetSliderLeft(n)), clampCoordinate(m_.GetSliderTop(n)), bitmap.width(),
                           bitmap.height());
        image->show();
    }
    const QString device = Hex2(m_.GetSliderDevice(n) + m_.GetNodeAddress() + 1);
    if (picture == 0) {
        lblSSettings[size_t(n)]->setText(QStringLiteral("Disabled"));
        image->setToolTip(QString());
    } else {
        lblSSettings[size_t(n)]->setText(QStringLiteral("Enabled Dev:") + device);
        image->setToolTip(QStringLiteral("D:") + device);
    }
}

void frmVantile::UDTitle(int iTNum)
{
    if (iTNum < 0 || iTNum >= modVantile::TextCount)
        return;
    const int n = iTNum;
    CanvasLabel *label = lblTextBox[size_t(n)];
    const int type = m_.GetTextType(n);

    static const QColor barColors[] = {QColor(0, 0, 255), QColor(0, 255, 0), QColor(128, 128, 128)};
    if (type == 0) {
        label->hide();
    } else if (type == 1) {
        label->setBorder(false);
        label->setBackColor(chkHideTitleBG->isChecked() ? TextGrey : QColor());
        label->show();
    } else if (type == 2 || type == 3) {
        label->setBorder(true);
        label->setBackColor(Qt::white);
        label->show();
    } else if (type >= 4 && type <= 9) {
        label->setBorder(true);
        label->setBackColor(barColors[(type - 4) % 3]);
        label->show();
    }

    label->move(clampCoordinate(m_.GetTextLeft(n)), clampCoordinate(m_.GetTextTop(n)));
    if (type >= 0 && type <= 3) {
        label->resize(clampSize(m_.GetTextWidth(n)), clampSize(m_.GetTextHeight(n)));
        label->setText(m_.GetTextString(n));
    } else if (type >= 4 && type <= 6) {
        label->resize(px(240), px(3315));
        label->setText(QString());
    } else if (type >= 7 && type <= 9) {
        label->resize(px(300), px(6315));
        label->setText(QString());
    }

    switch (m_.GetTextFontSize(n)) {
    case 0:
        label->setFont(CanvasFont(8, true));
        break;
    case 1:
        label->setFont(CanvasFont(12, true));
        break;
    case 2:
        label->setFont(CanvasFont(18, false));
        break;
    case 3:
        label->setFont(CanvasFont(24, false));
        break;
    default:
        break;
    }
    label->setForeColor(m_.GetTextColor(n) != 0 ? Qt::white : Qt::black);

    const QString device = Hex2(m_.GetTextDevice(n) + m_.GetNodeAddress() + 1);
    QLabel *line = lblTSettings[size_t(n)];
    if (type == 0)
        line->setText(QStringLiteral("Disabled"));
    else if (type == 1)
        line->setText(QStringLiteral("Text"));
    else if (type == 2)
        line->setText(QStringLiteral("Slider Dev:") + device);
    else if (type == 3)
        line->setText(QStringLiteral("Dimmer Dev:") + device);
    else if (type >= 4 && type <= 9)
        line->setText(QStringLiteral("Dim Bar Dev:") + device);
}

// --- highlight ------------------------------------------------------------------

void frmVantile::ClearHL()
{
    auto grey = [](QLabel *line) {
        QPalette palette = line->palette();
        palette.setColor(QPalette::Window, ListGrey);
        line->setPalette(palette);
    };
    for (QLabel *line : lblTSettings)
        grey(line);
    for (size_t j = 0; j < lblBSettings.size(); ++j) {
        grey(lblBSettings[j]);
        grey(lblPSettings[j]);
    }
    for (QLabel *line : lblSSettings)
        grey(line);
}

void frmVantile::highlight(QLabel *line)
{
    ClearHL();
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, HighlightYellow);
    line->setPalette(palette);
}

// --- screen selection and device options ---------------------------------------

void frmVantile::selectScreen(int screen)
{
    cboScreenNumber->setCurrentIndex(screen);
    ClearHL();
    m_.SelectScreen(screen);
    ShowScreen();
    m_.ResetTemplates();
    mnuUndoSnap->setEnabled(false);
}

void frmVantile::cboScreenNumber_Click()
{
    const int screen = cboScreenNumber->currentIndex();
    if (screen >= 0)
        selectScreen(screen);
}

void frmVantile::optLayout_Click(int index)
{
    m_.ProjectChanged = true;
    resetPan();
    m_.SetLayout(index == 0 ? 0 : 1);
    ClearHL();
    refit();
    ShowScreen();
    mnuUndoSnap->setEnabled(false);
}

void frmVantile::cboScnRes_Click()
{
    resetPan();
    m_.SetResolution(cboScnRes->currentIndex());
    refit();
    m_.ProjectChanged = true;
    ShowScreen();
    mnuUndoSnap->setEnabled(false);
}

void frmVantile::chkBeep_Click()
{
    m_.ProjectChanged = true;
    m_.SetBeep(chkBeep->isChecked() ? 1 : 0);
    ClearHL();
}

void frmVantile::cboCmdSet_Click()
{
    m_.SetCommandSet(cboCmdSet->currentIndex());
    m_.ProjectChanged = true;
    ShowScreen();
}

void frmVantile::addressRangeChanged(bool address)
{
    const int a = cboQXAddress->currentIndex();
    const int r = cboQXRange->currentIndex();
    if (Settings::AddressRangeValid(a, r)) {
        if (address)
            m_.SetNodeAddress(a);
        else
            m_.SetNodeRange(r);
    } else {
        messages_.Show(QStringLiteral("Base Address + Range Invalid"), QStringLiteral("Error"),
                       MessagePrompt::Icon::Critical, MessagePrompt::Buttons::Ok);
    }
    m_.ProjectChanged = true;
    ShowScreen();
}

void frmVantile::cboQXAddress_Click()
{
    addressRangeChanged(true);
}

void frmVantile::cboQXRange_Click()
{
    addressRangeChanged(false);
}

void frmVantile::chkHideTitleBG_Click()
{
    ShowScreen();
}

// --- dialogs ----------------------------------------------------------------------

void frmVantile::openEditor(ObjectKind kind, int index, bool fromList)
{
    std::unique_ptr<QDialog> dialog;
    switch (kind) {
    case ObjectKind::Button:
        m_.LastButton = int16_t(index);
        break;
    case ObjectKind::Pilot:
        m_.LastPilot = int16_t(index);
        break;
    case ObjectKind::Slider:
        m_.LastSlider = int16_t(index);
        break;
    case ObjectKind::Text:
        m_.LastText = int16_t(index);
        break;
    }
    ClearHL();
    m_.CurrentObject = int16_t(index);
    switch (kind) {
    case ObjectKind::Button:
        dialog = std::make_unique<frmVantileButton>(m_, *this, messages_, this);
        break;
    case ObjectKind::Pilot:
        dialog = std::make_unique<frmVantilePilot>(m_, *this, messages_, this);
        break;
    case ObjectKind::Slider:
        dialog = std::make_unique<frmVantileSlider>(m_, *this, messages_, this);
        break;
    case ObjectKind::Text:
        dialog = std::make_unique<frmVantileTextBox>(m_, *this, messages_, this);
        break;
    }
    // All four open at one place, over the settings lists.
    dialog->move(frameGeometry().x() + frmButtons->mapTo(this, QPoint(0, 0)).x(), frameGeometry().y() + px(DialogDrop));
    keepOnDesktop(*dialog);
    execDialog(*dialog);
    dialog.reset();
    ShowScreen();
    if (fromList)
        mnuUndoSnap->setEnabled(false);
}

void frmVantile::cmdBEdit_Click(int index)
{
    openEditor(ObjectKind::Button, index, true);
}

void frmVantile::cmdPEdit_Click(int index)
{
    openEditor(ObjectKind::Pilot, index, true);
}

void frmVantile::cmdSEdit_Click(int index)
{
    openEditor(ObjectKind::Slider, index, true);
}

void frmVantile::cmdTEdit_Click(int index)
{
    openEditor(ObjectKind::Text, index, true);
}

void frmVantile::imgPB_Click(int index)
{
    openEditor(ObjectKind::Button, index, false);
}

void frmVantile::lblButton_Click(int index)
{
    openEditor(ObjectKind::Button, index, false);
}

void frmVantile::imgPilot_Click(int index)
{
    openEditor(ObjectKind::Pilot, index, false);
}

void frmVantile::imgSlider_Click(int index)
{
    openEditor(ObjectKind::Slider, index, false);
}

void frmVantile::lblTextBox_Click(int index)
{
    openEditor(ObjectKind::Text, index, false);
}

void frmVantile::cmdBGSel_Click()
{
    ClearHL();
    frmVantileBGSel dialog(m_, *this, messages_, files_, this);
    dialog.move(dialog.x() + frameGeometry().x(), dialog.y() + px(DialogDrop));
    keepOnDesktop(dialog);
    execDialog(dialog);
    ShowScreen();
}

// A dialog opens where its rule puts it, unless part of it would then lie off
// the desktop (a small screen, or the wide window of 800 x 480): then it moves
// left or up just enough to be whole, so that "Close" can always be reached.
void frmVantile::keepOnDesktop(QDialog &dialog) const
{
    if (dialog.layout())
        dialog.layout()->activate();
    const QSize desktop = DesktopSize();
    const int right = desktop.width() - dialog.width() - DialogFrameWidth;
    const int bottom = desktop.height() - dialog.height() - DialogFrameHeight;
    dialog.move(std::max(0, std::min(dialog.x(), right)), std::max(0, std::min(dialog.y(), bottom)));
}

void frmVantile::mnuDownload_Click()
{
    if (m_.GetCommandSet() == 2) {
        CommMessages::Show(messages_, CommMessages::NotRequiredForZav());
        return;
    }
    frmVantileComm dialog(m_, messages_, this);
    execDialog(dialog);
}

bool frmVantile::compilePictures()
{
    // The pictures never show the edit-only text boxes.
    chkHideTitleBG->setChecked(false);
    // The pictures start from the colour the canvas shows: a background
    // picture smaller than the screen leaves that colour around it.
    const bool written = CompileScreenPictures(m_, messages_, Paths::SdPictureFolder(), Paths::ScreenPreviewFolder(),
                                               picSurface->backColor().rgb());
    ScreenShape();
    ShowScreen();
    return written;
}

void frmVantile::mnuCompile_Click()
{
    if (compilePictures())
        messages_.Show(QStringLiteral("Complete"), AppTitle, MessagePrompt::Icon::None, MessagePrompt::Buttons::Ok);
}

void frmVantile::mnuRunCG_Click()
{
    // A card must never get pictures that were not all written.
    if (!compilePictures())
        return;
    frmVantileSDWrite dialog(m_, messages_, this);
    execDialog(dialog);
}

void frmVantile::closeDialogs()
{
    for (QDialog *dialog : findChildren<QDialog *>(QString(), Qt::FindDirectChildrenOnly))
        dialog->close();
}

// --- File menu ------------------------------------------------------------------

bool frmVantile::discardChanges()
{
    return messages_.Show(QStringLiteral("Discard Any Changes?"), AppTitle, MessagePrompt::Icon::Question,
                          MessagePrompt::Buttons::YesNo) == MessagePrompt::Answer::Yes;
}

void frmVantile::fileError(const QString &error)
{
    messages_.Show(error, AppTitle, MessagePrompt::Icon::Critical, MessagePrompt::Buttons::Ok);
}

QString frmVantile::showFileDialog(bool save, const QString &filter, const QString &initialName)
{
    cdFileName_ = initialName;
    const QString chosen = save ? files_.ShowSave(filter, cdFileName_) : files_.ShowOpen(filter, cdFileName_);
    if (!chosen.isEmpty())
        cdFileName_ = chosen;
    return chosen;
}

bool frmVantile::cancelled(const QString &chosen) const
{
    return chosen.isEmpty() || chosen == ProjectPattern() || chosen == ScreenPattern();
}

void frmVantile::FileOpen()
{
    if (m_.ProjectChanged && !discardChanges())
        return;
    const QString chosen = showFileDialog(false, ProjectFilter(), projectDialogShown_ ? QString() : ProjectPattern());
    projectDialogShown_ = true;
    if (cancelled(chosen))
        return;
    const QString previous = m_.ProjectFileName;
    m_.ProjectFileName = chosen;
    QString error;
    if (!m_.LoadProject(&error)) {
        m_.ProjectFileName = previous;
        fileError(error);
    }
}

void frmVantile::FileSave()
{
    if (m_.ProjectFileName == modVantile::NoFileName) {
        FileSaveAs();
        return;
    }
    QString error;
    if (!m_.SaveProject(&error))
        fileError(error);
}

void frmVantile::FileSaveAs()
{
    const QString chosen = showFileDialog(true, ProjectFilter(), projectDialogShown_ ? cdFileName_ : ProjectPattern());
    projectDialogShown_ = true;
    if (!cancelled(chosen)) {
        const QString previous = m_.ProjectFileName;
        m_.ProjectFileName = chosen;
        QString error;
        if (!m_.SaveProject(&error)) {
            m_.ProjectFileName = previous;
            fileError(error);
        }
    }
    ShowScreen();
}

void frmVantile::ImportFile()
{
    const QString chosen = showFileDialog(false, ScreenFilter(), ScreenPattern());
    if (cancelled(chosen))
        return;
    const QString previous = m_.ScreenFileName;
    m_.ScreenFileName = chosen;
    QString error;
    if (!m_.ImportScreen(&error)) {
        m_.ScreenFileName = previous;
        fileError(error);
    }
}

void frmVantile::ExportFile()
{
    const QString chosen = showFileDialog(true, ScreenFilter(), ScreenPattern());
    if (cancelled(chosen))
        return;
    const QString previous = m_.ScreenFileName;
    m_.ScreenFileName = chosen;
    QString error;
    if (!m_.ExportScreen(&error)) {
        m_.ScreenFileName = previous;
        fileError(error);
    }
}

void frmVantile::mnuFileNew_Click()
{
    if (m_.ProjectChanged && !discardChanges())
        return;
    m_.ProjectChanged = false;
    m_.NewProject();
    goHome();
}

void frmVantile::goHome()
{
    // One redraw for the selection and the refit, so that a missing
    // background is reported once.
    cboScreenNumber->setCurrentIndex(0);
    ClearHL();
    m_.SelectScreen(0);
    m_.ResetTemplates();
    refit();
    ShowScreen();
    mnuUndoSnap->setEnabled(false);
}

void frmVantile::mnuFileOpen_Click()
{
    FileOpen();
    goHome();
    m_.InputTypeWarned = true;
}

void frmVantile::mnuFileSave_Click()
{
    FileSave();
}

void frmVantile::mnuFileSaveAs_Click()
{
    FileSaveAs();
}

void frmVantile::mnuImportScreen_Click()
{
    ImportFile();
    ShowScreen();
    m_.ProjectChanged = true;
    m_.ResetTemplates();
    mnuUndoSnap->setEnabled(false);
}

void frmVantile::mnuExport_Click()
{
    ExportFile();
}

// --- closing ----------------------------------------------------------------------

void frmVantile::mnuExit_Click()
{
    if (m_.ProjectChanged && !discardChanges())
        return;
    exiting_ = true;
    closeDialogs();
    close();
}

void frmVantile::closeEvent(QCloseEvent *event)
{
    if (!exiting_ && m_.ProjectChanged && !discardChanges()) {
        event->ignore();
        return;
    }
    closeDialogs();
    event->accept();
}
