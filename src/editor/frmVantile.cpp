#include "editor/frmVantile.h"

#include "comm/frmVantileComm.h"
#include "dialogs/frmVantileBGSel.h"
#include "dialogs/frmVantileButton.h"
#include "dialogs/frmVantilePilot.h"
#include "dialogs/frmVantileSlider.h"
#include "dialogs/frmVantileTextBox.h"
#include "editor/CanvasControls.h"
#include "editor/CanvasView.h"
#include "editor/WindowFit.h"
#include "model/BackgroundLookup.h"
#include "model/ObjectDescriptions.h"
#include "model/ObjectTables.h"
#include "model/Settings.h"
#include "model/modVantile.h"
#include "panel/frmVantileTry.h"
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
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
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

// Twips of the design.
constexpr int WindowWidth = 15975, WindowHeight = 9765;
constexpr int TallDesktop = 14925; // desktop height that fits the tall window
constexpr int PanTop = 1320, PanLeft = 7440, PanWidth = 255, PanHeight = 7200;
constexpr int PanMaximum = 4890, PanSmallStep = 15, PanLargeStep = 480;
constexpr int CanvasBorder = 60;
constexpr int DialogDrop = 900;
// Room for a dialog's window frame, which is not known before it is shown.
constexpr int DialogFrameWidth = 10, DialogFrameHeight = 40;

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

// Everything below the menu bar. It scrolls only when the window is smaller
// than its content; the arrow keys stay with the window, which moves the
// selected objects with them.
class ContentArea : public QScrollArea
{
public:
    explicit ContentArea(QWidget *parent) : QScrollArea(parent)
    {
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void keyPressEvent(QKeyEvent *event) override { event->ignore(); }
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
    return FileController::ProjectFilter();
}

QString frmVantile::ScreenFilter()
{
    return FileController::ScreenFilter();
}

QString frmVantile::ProjectPattern()
{
    return FileController::ProjectPattern();
}

QString frmVantile::ScreenPattern()
{
    return FileController::ScreenPattern();
}

frmVantile::frmVantile(modVantile &m, MessagePrompt &messages, FileDialogPrompt &files, QWidget *parent)
    : QMainWindow(parent), m_(m), messages_(messages), files_(files), document_(m),
      fileController_(document_, messages, files)
{
    execDialog = [](QDialog &dialog) { return dialog.exec(); };
    setObjectName(QStringLiteral("frmVantile"));
    setWindowTitle(DesignCaption);
    setFont(InterfaceFont());
    resize(px(WindowWidth), px(WindowHeight));

    buildMenus();
    buildCheckMenus();
    buildControls();
    buildCanvas();
    buildStatusBar();
    connect(&document_, &Document::Changed, this, &frmVantile::documentChanged);
    connect(&document_, &Document::ModifiedChanged, this, &QWidget::setWindowModified);
    QUndoStack &stack = document_.UndoStack();
    connect(&stack, &QUndoStack::indexChanged, this, &frmVantile::updateUndoActions);
    connect(&stack, &QUndoStack::cleanChanged, this, &frmVantile::updateUndoActions);
    Form_Load();
}

frmVantile::~frmVantile() = default;

QFont frmVantile::InterfaceFont()
{
    // The size the fixed layout was drawn for; the desktop's scaling enlarges
    // layout and font alike.
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    return font;
}

void frmVantile::SetDesktopSize(QSize pixels)
{
    desktop_ = pixels;
    refit();
}

QSize frmVantile::DesktopSize() const
{
    if (desktop_.isValid())
        return desktop_;
    if (const QScreen *screen = this->screen())
        return screen->geometry().size();
    return {1024, 768};
}

QSize frmVantile::AvailableSize() const
{
    if (desktop_.isValid())
        return desktop_;
    const QScreen *screen = this->screen();
    if (!screen)
        return {1024, 768};
    // The frame is known once the window manager has put one round the window.
    const QSize frame = isVisible() ? frameGeometry().size() - size() : QSize(0, 0);
    return screen->availableGeometry().size() - frame;
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

    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    mnuFileNew = action(file, "mnuFileNew", QStringLiteral("&New"), &frmVantile::mnuFileNew_Click,
                        QKeySequence(Qt::CTRL | Qt::Key_N));
    mnuFileOpen = action(file, "mnuFileOpen", QStringLiteral("&Open"), &frmVantile::mnuFileOpen_Click,
                         QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuRecentFiles = file->addMenu(QStringLiteral("Recent Files"));
    mnuRecentFiles->setObjectName(QStringLiteral("mnuRecentFiles"));
    // Ctrl+S stays "New Slider": Save has no shortcut.
    mnuFileSave = action(file, "mnuFileSave", QStringLiteral("&Save"), &frmVantile::mnuFileSave_Click);
    mnuFileSaveAs = action(file, "mnuFileSaveAs", QStringLiteral("Save &As"), &frmVantile::mnuFileSaveAs_Click,
                           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    file->addSeparator();
    mnuExport = action(file, "mnuExport", QStringLiteral("Export Screen"), &frmVantile::mnuExport_Click);
    mnuImportScreen =
        action(file, "mnuImportScreen", QStringLiteral("Import Screen"), &frmVantile::mnuImportScreen_Click);
    file->addSeparator();
    mnuExit = action(file, "mnuExit", QStringLiteral("E&xit"), &frmVantile::mnuExit_Click);

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    mnuUndo = action(edit, "mnuUndo", QStringLiteral("&Undo"), &frmVantile::mnuUndo_Click,
                     QKeySequence(Qt::CTRL | Qt::Key_Z));
    mnuRedo = action(edit, "mnuRedo", QStringLiteral("&Redo"), &frmVantile::mnuRedo_Click);
    mnuRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addSeparator();
    mnuCopy =
        action(edit, "mnuCopy", QStringLiteral("Copy"), &frmVantile::mnuCopy_Click, QKeySequence(Qt::CTRL | Qt::Key_C));
    mnuPaste = action(edit, "mnuPaste", QStringLiteral("Paste"), &frmVantile::mnuPaste_Click,
                      QKeySequence(Qt::CTRL | Qt::Key_V));
    mnuDuplicate = action(edit, "mnuDuplicate", QStringLiteral("Duplicate"), &frmVantile::mnuDuplicate_Click,
                          QKeySequence(Qt::CTRL | Qt::Key_D));
    mnuDelete =
        action(edit, "mnuDelete", QStringLiteral("Delete"), &frmVantile::mnuDelete_Click, QKeySequence(Qt::Key_Delete));
    edit->addSeparator();
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
    mnuCopyScreen =
        action(edit, "mnuCopyScreen", QStringLiteral("Copy Screen To..."), &frmVantile::mnuCopyScreen_Click);
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
    buildViewMenus(edit);

    QMenu *program = menuBar()->addMenu(QStringLiteral("&Program"));
    program->setObjectName(QStringLiteral("mnuProgram"));
    mnuDownload = action(program, "mnuDownload", QStringLiteral("Download Settings"), &frmVantile::mnuDownload_Click);
    program->addSeparator();
    mnuCompile = action(program, "mnuCompile", QStringLiteral("Compile SD Card Images"), &frmVantile::mnuCompile_Click);
    mnuCompile->setEnabled(false);
    mnuRunCG = action(program, "mnuRunCG", QStringLiteral("Compile And Write To SD Card"), &frmVantile::mnuRunCG_Click);
    mnuTryPanel = action(program, "mnuTryPanel", QStringLiteral("Try Panel"), &frmVantile::mnuTryPanel_Click,
                         QKeySequence(Qt::Key_F5));
}

// Arranging several objects and the zoom, at the end of the Edit menu.
void frmVantile::buildViewMenus(QMenu *edit)
{
    using Op = Arrange::Operation;
    edit->addSeparator();
    mnuArrange = edit->addMenu(QStringLiteral("Align"));
    mnuArrange->setObjectName(QStringLiteral("mnuArrange"));
    const struct {
        const char *name;
        const char *caption;
        Op operation;
    } arrange[] = {{"mnuAlignLeft", "Align Left", Op::AlignLeft},
                   {"mnuAlignRight", "Align Right", Op::AlignRight},
                   {"mnuAlignTop", "Align Top", Op::AlignTop},
                   {"mnuAlignBottom", "Align Bottom", Op::AlignBottom},
                   {"mnuAlignCentreX", "Align Horizontal Centres", Op::AlignHorizontalCentres},
                   {"mnuAlignCentreY", "Align Vertical Centres", Op::AlignVerticalCentres},
                   {nullptr, nullptr, Op::AlignLeft},
                   {"mnuDistributeX", "Distribute Horizontally", Op::DistributeHorizontally},
                   {"mnuDistributeY", "Distribute Vertically", Op::DistributeVertically},
                   {nullptr, nullptr, Op::AlignLeft},
                   {"mnuSameWidth", "Make Same Width", Op::SameWidth},
                   {"mnuSameHeight", "Make Same Height", Op::SameHeight}};
    for (const auto &item : arrange) {
        if (!item.name) {
            mnuArrange->addSeparator();
            continue;
        }
        QAction *a = mnuArrange->addAction(QString::fromLatin1(item.caption));
        a->setObjectName(QString::fromLatin1(item.name));
        a->setData(int(item.operation));
        const Op operation = item.operation;
        connect(a, &QAction::triggered, this, [this, operation] { mnuArrange_Click(operation); });
    }
    // Enabled while two or more objects are selected; Copy, Duplicate and
    // Delete while one is.
    mnuArrange->setEnabled(false);
    for (QAction *a : {mnuCopy, mnuDuplicate, mnuDelete})
        a->setEnabled(false);

    edit->addSeparator();
    auto action = [this, edit](const char *name, const QString &caption, void (frmVantile::*slot)(),
                               const QList<QKeySequence> &shortcuts) {
        QAction *a = edit->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcuts(shortcuts);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    mnuZoomIn = action("mnuZoomIn", QStringLiteral("Zoom In"), &frmVantile::mnuZoomIn_Click,
                       {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    mnuZoomOut = action("mnuZoomOut", QStringLiteral("Zoom Out"), &frmVantile::mnuZoomOut_Click,
                        {QKeySequence(Qt::CTRL | Qt::Key_Minus)});
    mnuActualSize = action("mnuActualSize", QStringLiteral("Actual Size"), &frmVantile::mnuActualSize_Click,
                           {QKeySequence(Qt::CTRL | Qt::Key_0)});
    mnuZoomFit = action("mnuZoomFit", QStringLiteral("Fit"), &frmVantile::mnuZoomFit_Click, {});
}

QGroupBox *frmVantile::buildList(const QString &name, const QString &caption, const QRect &twips, int rows,
                                 int lineWidth, const QString &editName, const QString &lineName,
                                 std::vector<QPushButton *> &edits, std::vector<QLabel *> &lines)
{
    auto *frame = new QGroupBox(caption, client_);
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
    content_ = new ContentArea(this);
    content_->setObjectName(QStringLiteral("scrContent"));
    setCentralWidget(content_);
    auto *central = new QWidget;
    central->setObjectName(QStringLiteral("frmVantileClient"));
    content_->setWidget(central);
    client_ = central;

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
    canvas_ = new CanvasView(m_, client_);
    canvas_->move(px(120), px(PanTop));
    canvas_->installEventFilter(this);
    UpdateGrid();

    vsPan = new QScrollBar(Qt::Vertical, client_);
    vsPan->setObjectName(QStringLiteral("vsPan"));
    vsPan->setRange(0, PanMaximum);
    vsPan->setSingleStep(PanSmallStep);
    vsPan->setPageStep(PanLargeStep);
    vsPan->hide();
    connect(vsPan, &QScrollBar::valueChanged, this, &frmVantile::vsPan_Change);
    hsPan = new QScrollBar(Qt::Horizontal, client_);
    hsPan->setObjectName(QStringLiteral("hsPan"));
    hsPan->setSingleStep(PanSmallStep);
    hsPan->hide();
    connect(hsPan, &QScrollBar::valueChanged, this, &frmVantile::hsPan_Change);

    connect(canvas_, &CanvasView::EmptyHovered, this, [this] {
        ClearHL();
        statusBar()->clearMessage();
    });
    connect(canvas_, &CanvasView::EmptyPressed, this, [this](Qt::KeyboardModifiers modifiers) {
        if (!(modifiers & Qt::ShiftModifier))
            Select(ObjectKind::Button, -1);
    });
    connect(canvas_, &CanvasView::AreaSelected, this, [this](const QRect &area, Qt::KeyboardModifiers modifiers) {
        SelectArea(area, modifiers & Qt::ShiftModifier);
    });
    connect(canvas_, &CanvasView::ObjectShiftClicked, this, &frmVantile::ToggleSelected);
    connect(canvas_, &CanvasView::PointerMoved, this,
            [this](QPoint panel) { lblPointer->setText(QStringLiteral("%1, %2").arg(panel.x()).arg(panel.y())); });
    connect(canvas_, &CanvasView::ObjectHovered, this, [this](ObjectKind kind, int n) {
        highlight(settingsLine(kind, n));
        statusBar()->showMessage(ObjectName(kind, n) + QStringLiteral(" \u00B7 ") + settingsLine(kind, n)->text());
    });
    // Panel twips of a length in pixels of the canvas as shown.
    auto twips = [this](double pixels) { return pixels * TwipsPerPixel / canvas_->Scale(); };
    connect(canvas_, &CanvasView::GrabPoint, this, [this, twips](QPoint grab) {
        DragOffsetX = EditOperations::RoundHalfEven(twips(grab.x()));
        DragOffsetY = EditOperations::RoundHalfEven(twips(grab.y()));
    });
    connect(canvas_, &CanvasView::ObjectClicked, this, [this](ObjectKind kind, int n) {
        switch (kind) {
        case ObjectKind::Button:
            imgPB_Click(n);
            break;
        case ObjectKind::Pilot:
            imgPilot_Click(n);
            break;
        case ObjectKind::Slider:
            imgSlider_Click(n);
            break;
        case ObjectKind::Text:
            lblTextBox_Click(n);
            break;
        }
    });
    connect(canvas_, &CanvasView::Dropped, this,
            [this, twips](EditOperations::DropSource source, int n, QPoint topLeft, QPoint grab, bool onCanvas) {
                DragOffsetX = EditOperations::RoundHalfEven(twips(grab.x()));
                DragOffsetY = EditOperations::RoundHalfEven(twips(grab.y()));
                if (!onCanvas) {
                    // Dropped outside the canvas: nothing happens; put the control back.
                    ShowScreen();
                    return;
                }
                // The drop point is where the control's corner went plus the
                // grab offset, so that the corner lands on the panel pixel it
                // was let go over at any zoom (at actual size this is simply
                // the mouse position).
                DropObj(source, n, 0, 0, twips(topLeft.x()) + DragOffsetX, twips(topLeft.y()) + DragOffsetY);
            });
}

QLabel *frmVantile::settingsLine(ObjectKind kind, int n) const
{
    switch (kind) {
    case ObjectKind::Button:
        return lblBSettings[size_t(n)];
    case ObjectKind::Pilot:
        return lblPSettings[size_t(n)];
    case ObjectKind::Slider:
        return lblSSettings[size_t(n)];
    case ObjectKind::Text:
        break;
    }
    return lblTSettings[size_t(n)];
}

// --- start-up and activation -------------------------------------------------

void frmVantile::Form_Load()
{
    centre();
    m_.BaseCaption = windowTitle();

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

    // A stored zoom outside the steps' range is no choice of the user's.
    const int zoom = Settings::ReadZoom(100);
    canvas_->SetZoom(zoom >= ZoomSteps.front() && zoom <= ZoomSteps.back() ? ZoomStep(zoom) : 100);

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
    document_.ResetHistory();
    fillRecentMenu();
    updateUndoActions();
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
    QPoint origin(0, 0);
    if (!desktop_.isValid())
        if (const QScreen *screen = this->screen())
            origin = screen->availableGeometry().topLeft();
    const QSize room = AvailableSize();
    move(origin + QPoint((room.width() - width()) / 2, (room.height() - height()) / 2));
}

void frmVantile::ScreenRes()
{
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    applyFit(true);
    centre();
}

void frmVantile::ScreenShape()
{
    applyFit(false);
    fittedResolution_ = m_.GetResolution();
    fittedLayout_ = m_.GetLayout();
}

// A window the user (or the window manager) made larger or smaller shows
// as much of the canvas as it has room for.
void frmVantile::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (activated_ && !fitting_)
        applyFit(false, size());
}

void frmVantile::applyFit(bool window, QSize room)
{
    if (fitting_)
        return;
    fitting_ = true;
    // The designed pan at actual size: 800 x 480 upright on a desktop too low for the tall window.
    panNeeded_ = DesktopSize().height() * TwipsPerPixel < TallDesktop && m_.GetResolution() == 3 &&
                 m_.GetLayout() != 0 && canvas_->Zoom() == 100;
    const Settings::PanelSize panel = Settings::ScreenSize(m_.GetResolution(), m_.GetLayout());
    const QSize canvas = canvas_->CanvasSizeFor(QSize(panel.width, panel.height));
    QSize view = canvas;
    if (panNeeded_)
        view.setHeight(px(PanHeight));
    const int chrome = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
    const WindowFit::Result fit = WindowFit::Arrange({canvas, view, room.isValid() ? room : AvailableSize(), chrome});

    canvas_->SetShape(canvas, fit.view);
    using WindowFit::BarSize;
    using WindowFit::BarSpacing;
    using WindowFit::CanvasLeft;
    using WindowFit::CanvasTop;
    // Both bars count in twips of the canvas, as the designed pan bar does;
    // the last steps show the canvas border too.
    // A hidden pan bar keeps its designed place.
    if (fit.verticalBar)
        vsPan->setGeometry(CanvasLeft + fit.view.width() + BarSpacing, CanvasTop, BarSize, fit.view.height());
    else
        setTwipsGeometry(vsPan, PanLeft, PanTop, PanWidth, PanHeight);
    vsPan->setMaximum(std::max(0, (canvas.height() - fit.view.height()) * TwipsPerPixel + CanvasBorder / 2));
    // The designed pan pages by 480 twips; elsewhere a page is what the view shows.
    vsPan->setPageStep(panNeeded_ ? PanLargeStep : fit.view.height() * TwipsPerPixel);
    hsPan->setPageStep(fit.view.width() * TwipsPerPixel);
    vsPan->setVisible(fit.verticalBar);
    hsPan->setGeometry(CanvasLeft, CanvasTop + fit.view.height() + BarSpacing, fit.view.width(), BarSize);
    hsPan->setMaximum(std::max(0, (canvas.width() - fit.view.width()) * TwipsPerPixel + CanvasBorder / 2));
    hsPan->setVisible(fit.horizontalBar);
    // Without a bar a canvas left scrolled could not be brought back.
    if (!fit.verticalBar)
        vsPan->setValue(0);
    if (!fit.horizontalBar)
        hsPan->setValue(0);
    canvas_->SetPan(pan());

    const int shift = fit.listsShift;
    frmButtons->move(px(7800) + shift, frmButtons->y());
    frmPilots->move(px(10920) + shift, frmPilots->y());
    frmSliders->move(px(13560) + shift, frmSliders->y());
    frmTitlesLarge->move(px(13560) + shift, frmTitlesLarge->y());
    client_->setMinimumSize(fit.content);
    if (window)
        resize(fit.window);
    fitting_ = false;
}

void frmVantile::resetPan()
{
    vsPan->setValue(0);
    hsPan->setValue(0);
    canvas_->SetPan({0, 0});
}

QPoint frmVantile::pan() const
{
    return {int(std::llround(double(hsPan->value()) / TwipsPerPixel)),
            int(std::llround(double(vsPan->value()) / TwipsPerPixel))};
}

void frmVantile::refit()
{
    ScreenRes();
    ScreenShape();
}

void frmVantile::vsPan_Change()
{
    canvas_->SetPan(pan());
}

void frmVantile::hsPan_Change()
{
    canvas_->SetPan(pan());
}

// --- display ------------------------------------------------------------------

void frmVantile::refreshObjects()
{
    for (int k = 0; k < ObjectTables::ObjectKindCount; ++k)
        for (int n = 0; n < ObjectTables::SlotCounts[size_t(k)]; ++n)
            refreshObject(ObjectKind(k), n);
}

void frmVantile::ShowScreen()
{
    refreshObjects();
    showOptions();
    showBackground();
    showTitle();
    refreshSelection();
    canvas_->Raise();
    if (tryPanel_)
        tryPanel_->Refresh();
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
    CanvasSurface *surface = canvas_->Surface();
    const QString background = m_.ScreenBackground[size_t(m_.CurrentScreen)];
    if (IsColorBackground(background)) {
        surface->setPicture({});
        surface->setBackColor(colorFromValue(BackgroundColorValue(background)));
        lblBGFile->setText(QStringLiteral("Solid Color"));
    } else if (const BackgroundFile file = LocateBackground(background, m_); file.found()) {
        QString why;
        const QImage picture = PictureFile::Read(file.path, &why);
        if (picture.isNull()) {
            messages_.Show(QStringLiteral("File Cannot Be Read As A Picture") + CrLf + background + CrLf + why,
                           QStringLiteral("File Missing"), MessagePrompt::Icon::Information,
                           MessagePrompt::Buttons::Ok);
            surface->setBackColor(Qt::white);
        }
        surface->setPicture(picture);
        lblBGFile->setText(file.substituted() ? BackgroundFoundText(file) : background);
    } else {
        messages_.Show(QStringLiteral("File Not Found") + CrLf + background, QStringLiteral("File Missing"),
                       MessagePrompt::Icon::Information, MessagePrompt::Buttons::Ok);
        surface->setPicture({});
        surface->setBackColor(Qt::white);
        lblBGFile->setText(QStringLiteral("BMP File Missing"));
    }
}

void frmVantile::showTitle()
{
    const QString name = m_.ProjectFileName == modVantile::NoFileName ? QStringLiteral("(None)") : m_.ProjectFileName;
    setWindowTitle(m_.BaseCaption + QStringLiteral("   ") + name + QStringLiteral("[*]"));
    setWindowModified(m_.ProjectChanged);
}

// An object's canvas controls, settings line and tooltip from its record.
void frmVantile::refreshObject(ObjectKind kind, int n)
{
    const int screen = m_.CurrentScreen;
    if (kind == ObjectKind::Text) {
        canvas_->ShowText(n, chkHideTitleBG->isChecked());
        if (const auto line = ObjectDescriptions::TextLine(m_, screen, n))
            settingsLine(kind, n)->setText(*line);
        return;
    }
    ObjectDescriptions::Description text;
    if (kind == ObjectKind::Button) {
        canvas_->ShowButton(n);
        text = ObjectDescriptions::Button(m_, screen, n);
    } else if (kind == ObjectKind::Pilot) {
        canvas_->ShowPilot(n);
        text = ObjectDescriptions::Pilot(m_, screen, n);
    } else {
        canvas_->ShowSlider(n);
        text = ObjectDescriptions::Slider(m_, screen, n);
    }
    settingsLine(kind, n)->setText(text.line);
    canvas_->SetToolTip(kind, n, text.tip);
}

// The live updates of an open editor reach every view through the document.
void frmVantile::UDButton(int iBNum)
{
    if (iBNum >= 0 && iBNum < modVantile::ButtonCount)
        document_.Notify({DocumentChange::Scope::Object, m_.CurrentScreen, ObjectKind::Button, iBNum});
}

void frmVantile::UDPilot(int iPNum)
{
    if (iPNum >= 0 && iPNum < modVantile::PilotCount)
        document_.Notify({DocumentChange::Scope::Object, m_.CurrentScreen, ObjectKind::Pilot, iPNum});
}

void frmVantile::UDSlider(int iSNum)
{
    if (iSNum >= 0 && iSNum < modVantile::SliderCount)
        document_.Notify({DocumentChange::Scope::Object, m_.CurrentScreen, ObjectKind::Slider, iSNum});
}

void frmVantile::UDTitle(int iTNum)
{
    if (iTNum >= 0 && iTNum < modVantile::TextCount)
        document_.Notify({DocumentChange::Scope::Object, m_.CurrentScreen, ObjectKind::Text, iTNum});
}

// --- the document's changes -------------------------------------------------------

void frmVantile::documentChanged(const DocumentChange &change)
{
    using Scope = DocumentChange::Scope;
    const bool here = change.screen == m_.CurrentScreen;
    switch (change.scope) {
    case Scope::Object:
        if (!here)
            return;
        refreshObject(change.kind, change.slot);
        refreshSelection();
        break;
    case Scope::Screen:
        if (here)
            ShowScreen();
        break;
    case Scope::Background:
        if (here)
            showBackground();
        break;
    case Scope::Options:
        if (m_.GetResolution() != fittedResolution_ || m_.GetLayout() != fittedLayout_) {
            resetPan();
            refit();
        }
        showOptions();
        // The lists show node addresses, which follow the base address.
        refreshObjects();
        refreshSelection();
        break;
    case Scope::Project:
        goHome();
        break;
    }
}

// --- selection ----------------------------------------------------------------------

void frmVantile::Select(ObjectKind kind, int slot)
{
    if (slot >= ObjectTables::SlotCount(kind) || slot < 0)
        setSelection({});
    else
        setSelection({Selection{kind, slot}});
}

void frmVantile::ToggleSelected(ObjectKind kind, int slot)
{
    QList<Selection> objects = selected_;
    if (!objects.removeAll(Selection{kind, slot}))
        objects << Selection{kind, slot};
    setSelection(objects);
}

void frmVantile::SelectArea(const QRect &area, bool add)
{
    QList<Selection> objects = add ? selected_ : QList<Selection>();
    for (int k = 0; k < ObjectTables::ObjectKindCount; ++k)
        for (int n = 0; n < ObjectTables::SlotCounts[size_t(k)]; ++n) {
            const Selection object{ObjectKind(k), n};
            const QRect bounds = EditOperations::ObjectBounds(m_, m_.CurrentScreen, object.kind, n);
            if (!bounds.isEmpty() && bounds.intersects(area) && !objects.contains(object))
                objects << object;
        }
    setSelection(objects);
}

void frmVantile::setSelection(QList<Selection> objects)
{
    objects.removeIf([](const Selection &o) { return o.slot < 0 || o.slot >= ObjectTables::SlotCount(o.kind); });
    selected_ = objects;
    refreshSelection();
    if (!selected_.isEmpty())
        highlight(settingsLine(selected_.last().kind, selected_.last().slot));
}

void frmVantile::refreshSelection()
{
    // Objects that went out of use (deleted, undone) leave the selection.
    selected_.removeIf(
        [this](const Selection &o) { return !EditOperations::SlotUsed(m_, m_.CurrentScreen, o.kind, o.slot); });
    canvas_->SetSelection(selected_);
    mnuArrange->setEnabled(selected_.size() >= 2);
    for (QAction *a : {mnuCopy, mnuDuplicate, mnuDelete})
        a->setEnabled(!selected_.isEmpty());
    showStatus();
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
    selected_.clear();
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

namespace
{
// One device option as one step; a choice that changes nothing still counts
// as a change of the project, as it always did.
template <class Set> void setOption(Document &document, const QString &text, Set set)
{
    Document::Edit edit(document, text);
    edit.Options();
    set();
    if (!edit.Commit())
        document.MarkChanged();
}
} // namespace

void frmVantile::optLayout_Click(int index)
{
    resetPan();
    ClearHL();
    setOption(document_, QStringLiteral("Change Orientation"), [&] { m_.SetLayout(index == 0 ? 0 : 1); });
    refit();
    ShowScreen();
    mnuUndoSnap->setEnabled(false);
}

void frmVantile::cboScnRes_Click()
{
    resetPan();
    setOption(document_, QStringLiteral("Change Resolution"), [&] { m_.SetResolution(cboScnRes->currentIndex()); });
    refit();
    ShowScreen();
    mnuUndoSnap->setEnabled(false);
}

void frmVantile::chkBeep_Click()
{
    setOption(document_, QStringLiteral("Change Audio"), [&] { m_.SetBeep(chkBeep->isChecked() ? 1 : 0); });
    ClearHL();
}

void frmVantile::cboCmdSet_Click()
{
    setOption(document_, QStringLiteral("Change Command Set"), [&] { m_.SetCommandSet(cboCmdSet->currentIndex()); });
    ShowScreen();
}

void frmVantile::addressRangeChanged(bool address)
{
    const int a = cboQXAddress->currentIndex();
    const int r = cboQXRange->currentIndex();
    const bool valid = Settings::AddressRangeValid(a, r);
    if (!valid)
        messages_.Show(QStringLiteral("Base Address + Range Invalid"), QStringLiteral("Error"),
                       MessagePrompt::Icon::Critical, MessagePrompt::Buttons::Ok);
    setOption(document_, address ? QStringLiteral("Change Node Address") : QStringLiteral("Change Node Range"), [&] {
        if (valid && address)
            m_.SetNodeAddress(a);
        else if (valid)
            m_.SetNodeRange(r);
    });
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
    // The editor writes its object live; what it leaves when it closes is one step.
    Document::Edit edit(document_, QStringLiteral("Edit ") + ObjectName(kind, index));
    edit.Object(m_.CurrentScreen, kind, index);
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
    edit.Commit();
    // The editor marked its live changes; from here the stack decides.
    document_.SyncChanged();
    ShowScreen();
    if (fromList)
        mnuUndoSnap->setEnabled(false);
    Select(kind, index);
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
    Document::Edit edit(document_, QStringLiteral("Change Background"));
    edit.Background(m_.CurrentScreen);
    frmVantileBGSel dialog(m_, *this, messages_, files_, this);
    dialog.move(dialog.x() + frameGeometry().x(), dialog.y() + px(DialogDrop));
    keepOnDesktop(dialog);
    execDialog(dialog);
    edit.Commit();
    document_.SyncChanged();
    ShowScreen();
}

// A dialog opens where its rule puts it, unless part of it would then lie off
// the desktop (a small screen, or the wide window of 800 x 480): then it moves
// left or up just enough to be whole, so that "Close" can always be reached.
// One larger than the desktop takes the desktop and scrolls its content.
void frmVantile::keepOnDesktop(QDialog &dialog) const
{
    if (dialog.layout())
        dialog.layout()->activate();
    const QSize desktop = DesktopSize();
    WindowFit::FitDialog(dialog, desktop - QSize(DialogFrameWidth, DialogFrameHeight));
    const int right = desktop.width() - dialog.width() - DialogFrameWidth;
    const int bottom = desktop.height() - dialog.height() - DialogFrameHeight;
    dialog.move(std::max(0, std::min(dialog.x(), right)), std::max(0, std::min(dialog.y(), bottom)));
}

void frmVantile::mnuDownload_Click()
{
    if (ObjectTables::ConfigurationOnCard(m_.GetCommandSet())) {
        CommMessages::Show(messages_, CommMessages::NotRequiredForZav());
        return;
    }
    frmVantileComm dialog(m_, messages_, this);
    keepOnDesktop(dialog);
    execDialog(dialog);
}

bool frmVantile::compilePictures()
{
    // The pictures never show the edit-only text boxes.
    chkHideTitleBG->setChecked(false);
    // The pictures start from the colour the canvas shows: a background
    // picture smaller than the screen leaves that colour around it.
    const bool written = CompileScreenPictures(m_, messages_, Paths::SdPictureFolder(), Paths::ScreenPreviewFolder(),
                                               canvas_->Surface()->backColor().rgb());
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
    keepOnDesktop(dialog);
    execDialog(dialog);
}

void frmVantile::closeDialogs()
{
    for (QDialog *dialog : findChildren<QDialog *>(QString(), Qt::FindDirectChildrenOnly))
        dialog->close();
}

// --- File menu ------------------------------------------------------------------

void frmVantile::FileOpen()
{
    fileController_.FileOpen();
    fillRecentMenu();
}

void frmVantile::FileSave()
{
    fileController_.FileSave();
    fillRecentMenu();
}

void frmVantile::FileSaveAs()
{
    fileController_.FileSaveAs();
    fillRecentMenu();
    ShowScreen();
}

void frmVantile::ImportFile()
{
    // A screen that was not replaced still counts as a change, as it always did.
    if (!fileController_.ImportFile())
        document_.MarkChanged();
}

void frmVantile::ExportFile()
{
    fileController_.ExportFile();
}

void frmVantile::mnuFileNew_Click()
{
    if (!fileController_.DiscardChanges())
        return;
    m_.NewProject();
    document_.ResetHistory();
    goHome();
}

void frmVantile::goHome()
{
    // One redraw for the selection and the refit, so that a missing
    // background is reported once.
    cboScreenNumber->setCurrentIndex(0);
    ClearHL();
    selected_.clear();
    m_.SelectScreen(0);
    m_.ResetTemplates();
    refit();
    ShowScreen();
    mnuUndoSnap->setEnabled(false);
}

void frmVantile::afterOpen()
{
    fillRecentMenu();
    goHome();
    m_.InputTypeWarned = true;
}

void frmVantile::mnuFileOpen_Click()
{
    fileController_.FileOpen();
    afterOpen();
}

void frmVantile::OpenProject(const QString &path)
{
    fileController_.OpenPath(path);
    afterOpen();
}

void frmVantile::mnuRecent_Click(int index)
{
    const QStringList recent = fileController_.RecentFiles();
    if (index < 0 || index >= recent.size())
        return;
    fileController_.OpenPath(recent[index]);
    afterOpen();
}

void frmVantile::fillRecentMenu()
{
    mnuRecentFiles->clear();
    const QStringList recent = fileController_.RecentFiles();
    for (int i = 0; i < recent.size(); ++i) {
        // A file name's own ampersands are no mnemonics.
        QString caption = recent[i];
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction *a = mnuRecentFiles->addAction(QStringLiteral("&%1 ").arg(i + 1) + caption);
        a->setObjectName(QStringLiteral("mnuRecent_%1").arg(i));
        connect(a, &QAction::triggered, this, [this, i] { mnuRecent_Click(i); });
    }
    mnuRecentFiles->setEnabled(!recent.isEmpty());
}

void frmVantile::mnuFileSave_Click()
{
    FileSave();
    showTitle();
}

void frmVantile::mnuFileSaveAs_Click()
{
    FileSaveAs();
}

void frmVantile::mnuImportScreen_Click()
{
    ImportFile();
    ShowScreen();
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
    if (!fileController_.DiscardChanges())
        return;
    exiting_ = true;
    closeDialogs();
    close();
}

void frmVantile::closeEvent(QCloseEvent *event)
{
    if (!exiting_ && !fileController_.DiscardChanges()) {
        event->ignore();
        return;
    }
    closeDialogs();
    event->accept();
}

// --- Try Panel ------------------------------------------------------------------

void frmVantile::mnuTryPanel_Click()
{
    if (!tryPanel_) {
        tryPanel_ = new frmVantileTry(m_, this);
        // Every edit, live ones of the open editors too, shows at once.
        connect(&document_, &Document::Changed, tryPanel_, &frmVantileTry::Refresh);
    }
    tryPanel_->Refresh();
    tryPanel_->show();
    tryPanel_->raise();
    tryPanel_->activateWindow();
}
