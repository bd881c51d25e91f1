#include "editor/frmVantile.h"

#include "comm/frmVantileComm.h"
#include "dialogs/frmPictureImport.h"
#include "dialogs/frmVantileBGSel.h"
#include "dialogs/frmVantileButton.h"
#include "dialogs/frmVantilePilot.h"
#include "dialogs/frmVantileSlider.h"
#include "dialogs/frmVantileTextBox.h"
#include "editor/CanvasControls.h"
#include "editor/CanvasHost.h"
#include "editor/CanvasView.h"
#include "editor/CheckActions.h"
#include "editor/DeviceOptionsBar.h"
#include "editor/EditActions.h"
#include "editor/HelpActions.h"
#include "editor/Inspector.h"
#include "editor/ObjectPlacement.h"
#include "editor/ObjectSelection.h"
#include "editor/Preferences.h"
#include "editor/SettingsLists.h"
#include "editor/Twips.h"
#include "editor/ViewActions.h"
#include "editor/WindowFit.h"
#include "model/BackgroundLookup.h"
#include "model/ObjectDescriptions.h"
#include "model/ObjectNames.h"
#include "model/Settings.h"
#include "model/modVantile.h"
#include "panel/frmVantileTry.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "platform/Support.h"
#include "render/BackgroundPictureFile.h"
#include "render/ScreenPictureCompilation.h"
#include "sdcard/frmVantileSDWrite.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>

#include <algorithm>
#include <memory>

namespace
{

const QString AppTitle = QStringLiteral("ZAV Quellix Touch");
const QString CrLf = QStringLiteral("\r\n");
const QChar Times(0x00D7);

// Twips of the design.
constexpr int WindowWidth = 15975, WindowHeight = 9765;
constexpr int TallDesktop = 14925; // desktop height that fits the tall window
constexpr int DialogDrop = 900;
// Room for a dialog's window frame, which is not known before it is shown.
constexpr int DialogFrameWidth = 10, DialogFrameHeight = 40;

using Twips::Pixels;

QColor colorFromValue(uint32_t value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

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

frmVantile::frmVantile(modVantile &m, MessagePrompt &messages, FileDialogPrompt &files, QWidget *parent)
    : QMainWindow(parent), m_(m), messages_(messages), files_(files), document_(m),
      fileController_(document_, messages, files), execDialog_([](QDialog &dialog) { return dialog.exec(); })
{
    setObjectName(QStringLiteral("frmVantile"));
    setWindowTitle(DesignCaption);
    setFont(InterfaceFont());
    resize(Pixels(WindowWidth), Pixels(WindowHeight));

    buildControls();
    canvas_ = new CanvasHost(m_, client_);
    selection_ = new ObjectSelection(m_, *lists_, this);
    edit_ = new EditActions(
        document_, messages_, *canvas_, *lists_, *selection_,
        [this](QDialog &dialog) {
            KeepOnScreen(dialog);
            return runDialog(dialog);
        },
        this);
    placement_ = new ObjectPlacement(
        document_, messages_, *canvas_, *selection_, [this] { return edit_->GridSize(); }, this);
    check_ = new CheckActions(m_, messages_, files_, *this);
    auto run = [this](QDialog &dialog) {
        KeepOnScreen(dialog);
        return runDialog(dialog);
    };
    preferences_ = new Preferences(*this, *edit_, messages_, run);
    help_ = new HelpActions(*this, run);
    connect(check_, &CheckActions::ObjectActivated, this, &frmVantile::ShowObject);
    view_ = new ViewActions(*this, document_, messages_, *selection_, *lists_, *canvas_);
    connect(view_, &ViewActions::LayoutChanged, this, [this] { applyFit(true); });
    connect(view_, &ViewActions::BackgroundWanted, this, &frmVantile::cmdBGSel_Click);
    buildMenus();
    connectCanvas();
    buildStatusBar();

    connect(options_, &DeviceOptionsBar::Choosing, this, [this](DeviceOptionsBar::Option option) {
        using Option = DeviceOptionsBar::Option;
        if (option == Option::Orientation || option == Option::Resolution) {
            canvas_->ResetPan();
            edit_->DisableUndoSnap();
        }
        if (option == Option::Orientation || option == Option::Beep)
            ClearHL();
    });
    connect(lists_, &SettingsLists::EditClicked, this, [this](ObjectKind kind, int n) { openEditor(kind, n, true); });
    connect(lists_, &SettingsLists::ShowTextBoxesClicked, this, &frmVantile::ShowScreen);
    connect(selection_, &ObjectSelection::Changed, this, [this] {
        canvas_->View()->SetSelection(selection_->Objects());
        showStatus();
    });
    connect(edit_, &EditActions::ScreenWanted, this, &frmVantile::selectScreen);
    connect(placement_, &ObjectPlacement::EditorWanted, this,
            [this](ObjectKind kind, int n) { openEditor(kind, n, false); });
    connect(edit_, &EditActions::ZoomWanted, this, [this](int percent) { SetZoom(percent); });
    connect(edit_, &EditActions::ZoomToFitWanted, this,
            [this] { SetZoom(canvas_->FitZoom(AvailableSize(), chrome())); });
    connect(edit_, &EditActions::GridChanged, this, &frmVantile::UpdateGrid);
    connect(edit_, &EditActions::GridColorChanged, this,
            [this] { canvas_->SetGridColor(edit_->GridColor(), DesktopSize()); });

    connect(&document_, &Document::Changed, this, &frmVantile::documentChanged);
    connect(&document_, &Document::Previewed, this, [this](const DocumentChange &change) {
        if (change.screen == m_.CurrentScreen) {
            refreshObject(change.kind, change.slot);
            refreshSelection();
        }
    });
    connect(&document_, &Document::ModifiedChanged, this, &QWidget::setWindowModified);
    Form_Load();
    preferences_->Load();
}

frmVantile::~frmVantile()
{
    // The inspector reads the document and the selection, which go before
    // the window's widgets do: it goes first.
    delete view_->GetInspector();
}

QFont frmVantile::InterfaceFont()
{
    // The size the fixed layout was drawn for; the desktop's scaling enlarges
    // layout and font alike.
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    return font;
}

void frmVantile::SetDialogRunner(std::function<int(QDialog &)> run)
{
    execDialog_ = std::move(run);
}

int frmVantile::runDialog(QDialog &dialog)
{
    return execDialog_(dialog);
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
    // The keys are the scheme's (KeySchemes, through Preferences).
    auto action = [this](QMenu *menu, const char *name, const QString &caption, void (frmVantile::*slot)()) {
        QAction *a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };

    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    mnuFileNew = action(file, "mnuFileNew", QStringLiteral("&New"), &frmVantile::mnuFileNew_Click);
    mnuFileOpen = action(file, "mnuFileOpen", QStringLiteral("&Open"), &frmVantile::mnuFileOpen_Click);
    mnuRecentFiles = file->addMenu(QStringLiteral("Recent Files"));
    mnuRecentFiles->setObjectName(QStringLiteral("mnuRecentFiles"));
    mnuFileSave = action(file, "mnuFileSave", QStringLiteral("&Save"), &frmVantile::mnuFileSave_Click);
    mnuFileSaveAs = action(file, "mnuFileSaveAs", QStringLiteral("Save &As"), &frmVantile::mnuFileSaveAs_Click);
    file->addSeparator();
    mnuExport = action(file, "mnuExport", QStringLiteral("Export Screen"), &frmVantile::mnuExport_Click);
    mnuImportScreen =
        action(file, "mnuImportScreen", QStringLiteral("Import Screen"), &frmVantile::mnuImportScreen_Click);
    file->addSeparator();
    mnuExit = action(file, "mnuExit", QStringLiteral("E&xit"), &frmVantile::mnuExit_Click);

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    edit_->BuildMenu(edit);

    QMenu *view = menuBar()->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("mnuView"));
    view_->BuildMenu(view);

    QMenu *program = menuBar()->addMenu(QStringLiteral("&Program"));
    program->setObjectName(QStringLiteral("mnuProgram"));
    mnuDownload = action(program, "mnuDownload", QStringLiteral("Download Settings"), &frmVantile::mnuDownload_Click);
    program->addSeparator();
    mnuCompile = action(program, "mnuCompile", QStringLiteral("Compile SD Card Images"), &frmVantile::mnuCompile_Click);
    mnuCompile->setEnabled(false);
    mnuRunCG = action(program, "mnuRunCG", QStringLiteral("Compile And Write To SD Card"), &frmVantile::mnuRunCG_Click);
    mnuTryPanel = action(program, "mnuTryPanel", QStringLiteral("Try Panel"), &frmVantile::mnuTryPanel_Click);
    check_->BuildMenus(file, mnuExit, program);
    preferences_->BuildMenu(edit);
    help_->BuildMenu(menuBar()->addMenu(QStringLiteral("&Help")));
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

    options_ = new DeviceOptionsBar(document_, messages_, central);

    cboScreenNumber = new QComboBox(central);
    cboScreenNumber->setObjectName(QStringLiteral("cboScreenNumber"));
    cboScreenNumber->setGeometry(Pixels(120), Pixels(840), Pixels(1455), 22);
    cboScreenNumber->setMaxVisibleItems(16);
    connect(cboScreenNumber, &QComboBox::activated, this, &frmVantile::cboScreenNumber_Click);

    lblBGFile = new QLabel(central);
    lblBGFile->setObjectName(QStringLiteral("lblBGFile"));
    Twips::SetGeometry(lblBGFile, 1680, 885, 5295, 270);
    lblBGFile->setFrameStyle(QFrame::Box | QFrame::Plain);
    lblBGFile->setIndent(2);

    cmdBGSel = new QPushButton(QStringLiteral("Select"), central);
    cmdBGSel->setObjectName(QStringLiteral("cmdBGSel"));
    Twips::SetGeometry(cmdBGSel, 6960, 885, 615, 270);
    connect(cmdBGSel, &QPushButton::clicked, this, &frmVantile::cmdBGSel_Click);

    lists_ = new SettingsLists(central);
}

// What the canvas reports goes to the selection, the placement, the
// settings lists and the status bar.
void frmVantile::connectCanvas()
{
    CanvasView *canvas = canvas_->View();
    UpdateGrid();
    connect(canvas_, &CanvasHost::WheelZoom, this, [this](int direction, QPoint position) {
        const auto &steps = CanvasHost::ZoomSteps;
        const int zoom = Zoom();
        const auto next = direction > 0 ? std::upper_bound(steps.begin(), steps.end(), zoom)
                                        : std::lower_bound(steps.begin(), steps.end(), zoom);
        if (direction > 0 && next != steps.end())
            zoomAt(*next, position);
        else if (direction < 0 && next != steps.begin())
            zoomAt(*(next - 1), position);
    });
    connect(canvas, &CanvasView::EmptyHovered, this, [this] {
        ClearHL();
        showHovered({});
    });
    connect(canvas, &CanvasView::PointerLeft, this, [this] { lblPointer->clear(); });
    connect(canvas, &CanvasView::EmptyPressed, this, [this](Qt::KeyboardModifiers modifiers) {
        if (!(modifiers & Qt::ShiftModifier))
            Select(ObjectKind::Button, -1);
    });
    connect(canvas, &CanvasView::AreaSelected, this, [this](const QRect &area, Qt::KeyboardModifiers modifiers) {
        selection_->SelectArea(area, modifiers & Qt::ShiftModifier);
    });
    connect(canvas, &CanvasView::ObjectShiftClicked, this, &frmVantile::ToggleSelected);
    connect(canvas, &CanvasView::PointerMoved, this,
            [this](QPoint panel) { lblPointer->setText(QStringLiteral("%1, %2").arg(panel.x()).arg(panel.y())); });
    connect(canvas, &CanvasView::ObjectHovered, this, [this](ObjectKind kind, int n) {
        lists_->Highlight(kind, n);
        showHovered({kind, n});
    });
    connect(canvas, &CanvasView::GrabPoint, placement_, &ObjectPlacement::GrabAt);
    // A click opens the editor, or (a preference) selects and a double click opens it.
    connect(canvas, &CanvasView::ObjectDoubleClicked, this, [this](ObjectKind kind, int n) {
        if (!preferences_->ClickOpensEditor())
            openEditor(kind, n, false);
    });
    connect(canvas, &CanvasView::ObjectClicked, this, [this](ObjectKind kind, int n) {
        if (!preferences_->ClickOpensEditor()) {
            Select(kind, n);
            return;
        }
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
    connect(canvas, &CanvasView::PictureDropped, this, &frmVantile::importDroppedPicture);
    connect(canvas, &CanvasView::Dropped, this,
            [this](EditOperations::DropSource source, int n, QPoint topLeft, QPoint grab, bool onCanvas) {
                if (onCanvas) {
                    placement_->DropAt(source, n, topLeft, grab);
                    return;
                }
                // Dropped outside the canvas: nothing happens; put the control back.
                placement_->GrabAt(grab);
                ShowScreen();
            });
}

// The object under the pointer names itself in the status bar; slot -1: none.
void frmVantile::showHovered(Selection object)
{
    hovered_ = object;
    if (object.slot < 0)
        statusBar()->clearMessage();
    else
        statusBar()->showMessage(ObjectName(object.kind, object.slot) + QStringLiteral(" \u00B7 ") +
                                 lists_->Line(object.kind, object.slot)->text());
}

// Neither the yellow line nor the status bar may name an object that is
// gone (Clear Screen, Delete, an undone New).
void frmVantile::forgetRemoved()
{
    const int screen = m_.CurrentScreen;
    if (const Selection line = lists_->Highlighted();
        line.slot >= 0 && !EditOperations::SlotUsed(m_, screen, line.kind, line.slot))
        ClearHL();
    if (hovered_.slot >= 0 && !EditOperations::SlotUsed(m_, screen, hovered_.kind, hovered_.slot))
        showHovered({});
}

void frmVantile::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("sbStatus"));
    auto label = [bar](const char *name, const QString &tip) {
        auto *l = new QLabel(bar);
        l->setObjectName(QString::fromLatin1(name));
        l->setToolTip(tip);
        bar->addPermanentWidget(l);
        return l;
    };
    lblPointer = label("lblPointer", QStringLiteral("Pointer (panel pixels)"));
    lblSelection = label("lblSelection", QStringLiteral("Selection: position and size (panel pixels)"));
    lblZoom = label("lblZoom", QStringLiteral("Zoom"));
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
    const auto &steps = CanvasHost::ZoomSteps;
    canvas_->View()->SetZoom(zoom >= steps.front() && zoom <= steps.back() ? CanvasHost::ZoomStep(zoom) : 100);

    m_.WriteAllPictures = true;
    m_.ProjectFileName = modVantile::NoFileName;
    m_.NewProject();

    options_->FillLists();
    cboScreenNumber->addItems(Settings::ScreenEntries());
    selectScreen(0);
    ScreenRes();

    m_.NewProject();
    document_.ResetHistory();
    fillRecentMenu();
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
    lists_->RaiseEditButtons();
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

int frmVantile::chrome() const
{
    return menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
}

void frmVantile::applyFit(bool window, QSize room, QSize view)
{
    if (fitting_)
        return;
    fitting_ = true;
    // The designed pan at actual size: 800 x 480 upright on a desktop too low for the tall window.
    panNeeded_ = DesktopSize().height() * ObjectTables::TwipsPerPixel < TallDesktop && m_.GetResolution() == 3 &&
                 m_.GetLayout() != 0 && Zoom() == 100;
    // Docks beside the canvas may settle at another width once the window
    // has its new size: then it fits once more.
    for (int pass = 0; pass < 2; ++pass) {
        view_->MeasureSides();
        const WindowFit::Result fit = canvas_->Fit(room.isValid() ? room : AvailableSize(), chrome(), panNeeded_, view);
        lists_->Shift(fit.listsShift);
        client_->setMinimumSize(fit.content);
        if (window)
            resize(fit.window);
        if (!window || !view_->MeasureSides())
            break;
    }
    fitting_ = false;
}

void frmVantile::refit()
{
    ScreenRes();
    ScreenShape();
}

// --- zoom and grid ----------------------------------------------------------------

int frmVantile::Zoom() const
{
    return canvas_->View()->Zoom();
}

void frmVantile::SetZoom(int percent, QPoint anchor)
{
    const int zoom = CanvasHost::ZoomStep(percent);
    const bool changed = zoom != Zoom();
    // The panel pixel under the anchor (by default the middle of the view).
    anchor = canvas_->Anchor(anchor);
    const QPointF panel = canvas_->PanelAt(anchor);

    canvas_->View()->SetZoom(zoom);
    showStatus();
    if (!changed)
        return;
    Settings::WriteZoom(zoom); // a comfort: a settings file that cannot be written costs nothing else
    refit();
    // The objects only: the screen itself did not change (a missing
    // background is not reported again).
    refreshObjects();
    refreshSelection();
    canvas_->ScrollTo(panel, anchor);
}

// Ctrl and the wheel zoom in place: the window, its viewport and the lists
// stay where they are, and the canvas scrolls so that the panel point under
// the pointer stays under it, as far as the canvas can scroll (one smaller
// than the viewport rests at its top left corner).
void frmVantile::zoomAt(int percent, QPoint anchor)
{
    const int zoom = CanvasHost::ZoomStep(percent);
    if (zoom == Zoom())
        return;
    const QPointF panel = canvas_->PanelAt(anchor);
    const QSize view = canvas_->View()->size();
    canvas_->View()->SetZoom(zoom);
    Settings::WriteZoom(zoom);
    applyFit(false, size(), view);
    refreshObjects();
    refreshSelection();
    canvas_->ScrollTo(panel, anchor);
    showStatus();
}

void frmVantile::UpdateGrid()
{
    canvas_->ShowGrid(edit_->GridShown(), edit_->GridSize(), edit_->GridColor(), DesktopSize());
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
    options_->ShowOptions();
    showBackground();
    showTitle();
    refreshSelection();
    canvas_->View()->Raise();
    if (tryPanel_)
        tryPanel_->Refresh();
}

// The objects of the screen, stacked as ShowScreen stacks them.
void frmVantile::showObjects()
{
    refreshObjects();
    refreshSelection();
    canvas_->View()->Raise();
}

void frmVantile::showBackground()
{
    CanvasSurface *surface = canvas_->View()->Surface();
    const QString background = m_.ScreenBackground[size_t(m_.CurrentScreen)];
    if (IsColorBackground(background)) {
        surface->setPicture({});
        surface->setBackColor(colorFromValue(BackgroundColorValue(background)));
        lblBGFile->setText(QStringLiteral("Solid Color"));
    } else if (const BackgroundFile file = LocateBackground(background, m_); file.found()) {
        QString why;
        const QImage picture = BackgroundPictureFile::Read(file.path, &why);
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
    setWindowModified(document_.ProjectChanged());
}

// An object's canvas controls, settings line and tooltip from its record.
void frmVantile::refreshObject(ObjectKind kind, int n)
{
    const int screen = m_.CurrentScreen;
    CanvasView *canvas = canvas_->View();
    lists_->SetUsed(kind, n, EditOperations::SlotUsed(m_, screen, kind, n));
    if (kind == ObjectKind::Text) {
        canvas->ShowText(n, lists_->ShowTextBoxes());
        if (const auto line = ObjectDescriptions::TextLine(m_, screen, n))
            lists_->Line(kind, n)->setText(*line);
        return;
    }
    ObjectDescriptions::Description text;
    if (kind == ObjectKind::Button) {
        canvas->ShowButton(n);
        text = ObjectDescriptions::Button(m_, screen, n);
    } else if (kind == ObjectKind::Pilot) {
        canvas->ShowPilot(n);
        text = ObjectDescriptions::Pilot(m_, screen, n);
    } else {
        canvas->ShowSlider(n);
        text = ObjectDescriptions::Slider(m_, screen, n);
    }
    lists_->Line(kind, n)->setText(text.line);
    canvas->SetToolTip(kind, n, text.tip);
}

void frmVantile::refreshSelection()
{
    selection_->Refresh();
}

// The selection's place and size in panel pixels; the zoom.
void frmVantile::showStatus()
{
    const QList<Selection> selected = selection_->Objects();
    const QRect area = selection_->Bounds();
    QString text;
    if (selected.size() == 1)
        text = ObjectName(selected[0].kind, selected[0].slot) + QStringLiteral(": ");
    else if (selected.size() > 1)
        text = QStringLiteral("%1 objects: ").arg(selected.size());
    if (!selected.isEmpty())
        text += QStringLiteral("%1, %2  %3 %4 %5")
                    .arg(area.x())
                    .arg(area.y())
                    .arg(area.width())
                    .arg(Times)
                    .arg(area.height());
    lblSelection->setText(text);
    lblZoom->setText(QStringLiteral("%1 %").arg(Zoom()));
    edit_->ShowZoom(Zoom());
}

// The live updates of an open editor reach every view through the document;
// the step follows when the editor closes.
void frmVantile::UDButton(int iBNum)
{
    if (iBNum >= 0 && iBNum < modVantile::ButtonCount)
        document_.Preview({DocumentChange::Scope::Object, m_.CurrentScreen, ObjectKind::Button, iBNum});
}

void frmVantile::UDPilot(int iPNum)
{
    if (iPNum >= 0 && iPNum < modVantile::PilotCount)
        document_.Preview({DocumentChange::Scope::Object, m_.CurrentScreen, ObjectKind::Pilot, iPNum});
}

void frmVantile::UDSlider(int iSNum)
{
    if (iSNum >= 0 && iSNum < modVantile::SliderCount)
        document_.Preview({DocumentChange::Scope::Object, m_.CurrentScreen, ObjectKind::Slider, iSNum});
}

void frmVantile::UDTitle(int iTNum)
{
    if (iTNum >= 0 && iTNum < modVantile::TextCount)
        document_.Preview({DocumentChange::Scope::Object, m_.CurrentScreen, ObjectKind::Text, iTNum});
}

void frmVantile::ClearHL()
{
    lists_->ClearHL();
}

// --- the document's changes -------------------------------------------------------

void frmVantile::documentChanged(const QList<DocumentChange> &changes)
{
    using Scope = DocumentChange::Scope;
    // One step may name many parts: each view is brought up to date once.
    bool screen = false, background = false, objects = false, options = false;
    for (const DocumentChange &change : changes) {
        const bool here = change.screen == m_.CurrentScreen;
        switch (change.scope) {
        case Scope::Object:
            objects = objects || here;
            break;
        case Scope::Screen:
            screen = screen || here;
            break;
        case Scope::Background:
            background = background || here;
            break;
        case Scope::Options:
            options = true;
            break;
        case Scope::Project:
            goHome();
            forgetRemoved();
            return;
        }
    }
    if (options) {
        if (m_.GetResolution() != fittedResolution_ || m_.GetLayout() != fittedLayout_) {
            canvas_->ResetPan();
            refit();
        }
        options_->ShowOptions();
    }
    if (screen) {
        ShowScreen();
    } else {
        if (background)
            showBackground();
        // The settings lines show node addresses, which follow the base address.
        if (objects || options)
            showObjects();
    }
    forgetRemoved();
}

// --- selection ----------------------------------------------------------------------

frmVantile::Selection frmVantile::CurrentSelection() const
{
    return selection_->Current();
}

QList<frmVantile::Selection> frmVantile::SelectedObjects() const
{
    return selection_->Objects();
}

void frmVantile::Select(ObjectKind kind, int slot)
{
    selection_->Select(kind, slot);
}

void frmVantile::ToggleSelected(ObjectKind kind, int slot)
{
    selection_->Toggle(kind, slot);
}

void frmVantile::DropObj(EditOperations::DropSource src, int n, int iXBase, int iYBase, double iX, double iY)
{
    placement_->DropObj(src, n, iXBase, iYBase, iX, iY);
}

void frmVantile::keyPressEvent(QKeyEvent *event)
{
    if (placement_->KeyPress(event))
        event->accept();
    else
        QMainWindow::keyPressEvent(event);
}

// --- screen selection -------------------------------------------------------------

void frmVantile::selectScreen(int screen)
{
    cboScreenNumber->setCurrentIndex(screen);
    ClearHL();
    selection_->Forget();
    m_.SelectScreen(screen);
    ShowScreen();
    m_.ResetTemplates();
    edit_->DisableUndoSnap();
}

void frmVantile::cboScreenNumber_Click()
{
    const int screen = cboScreenNumber->currentIndex();
    if (screen >= 0)
        selectScreen(screen);
}

// The check and the map lead here.
void frmVantile::ShowObject(int screen, Check::ObjectKind kind, int slot)
{
    if (screen < 0 || screen >= modVantile::ScreenCount)
        return;
    if (screen != m_.CurrentScreen)
        selectScreen(screen);
    // The finding's object becomes the selection, as if it had been clicked.
    if (slot < 0)
        ClearHL();
    else
        Select(kind, slot);
    raise();
    activateWindow();
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
    dialog->move(frameGeometry().x() + lists_->Left(this), frameGeometry().y() + Pixels(DialogDrop));
    KeepOnScreen(*dialog);
    runDialog(*dialog);
    dialog.reset();
    edit.Commit();
    if (fromList)
        edit_->DisableUndoSnap();
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
    dialog.SetDialogRunner([this](QDialog &import) {
        KeepOnScreen(import);
        return runDialog(import);
    });
    dialog.move(dialog.x() + frameGeometry().x(), dialog.y() + Pixels(DialogDrop));
    KeepOnScreen(dialog);
    runDialog(dialog);
    edit.Commit();
}

// A picture dropped on the canvas is imported for the current screen, which
// then shows it: one step.
void frmVantile::importDroppedPicture(const QString &path)
{
    ClearHL();
    const Settings::PanelSize panel = Settings::ScreenSize(m_.GetResolution(), m_.GetLayout());
    Document::Edit edit(document_, QStringLiteral("Change Background"));
    edit.Background(m_.CurrentScreen);
    const QString made = frmPictureImport::Import(
        path, QSize(panel.width, panel.height), messages_,
        [this](QDialog &import) {
            KeepOnScreen(import);
            return runDialog(import);
        },
        this);
    QString &background = m_.ScreenBackground[size_t(m_.CurrentScreen)];
    const bool same = !made.isEmpty() && background == made;
    if (!made.isEmpty())
        background = made;
    edit.Commit();
    // The same name again: no step, but the file under it is new.
    if (same)
        showBackground();
}

// A dialog opens where its rule puts it, unless part of it would then lie off
// the screen (a small screen, or the wide window of 800 x 480): then it moves
// left or up just enough to be whole, so that "Close" can always be reached.
void frmVantile::KeepOnScreen(QWidget &dialog) const
{
    if (dialog.layout())
        dialog.layout()->activate();
    QRect area(QPoint(0, 0), DesktopSize());
    if (!desktop_.isValid())
        if (const QScreen *screen = this->screen())
            area = screen->availableGeometry();
    WindowFit::FitWindow(dialog, area.size() - QSize(DialogFrameWidth, DialogFrameHeight));
    // A dialog without a place of its own opens over the middle of the window.
    if (!dialog.testAttribute(Qt::WA_Moved)) {
        const QRect window = frameGeometry();
        dialog.move(window.x() + (window.width() - dialog.width() - DialogFrameWidth) / 2,
                    window.y() + (window.height() - dialog.height() - DialogFrameHeight) / 2);
    }
    const int right = area.x() + area.width() - dialog.width() - DialogFrameWidth;
    const int bottom = area.y() + area.height() - dialog.height() - DialogFrameHeight;
    dialog.move(std::max(area.x(), std::min(dialog.x(), right)), std::max(area.y(), std::min(dialog.y(), bottom)));
}

void frmVantile::mnuDownload_Click()
{
    if (ObjectTables::ConfigurationOnCard(m_.GetCommandSet())) {
        CommMessages::Show(messages_, CommMessages::NotRequiredForZav());
        return;
    }
    frmVantileComm dialog(m_, messages_, this);
    KeepOnScreen(dialog);
    runDialog(dialog);
}

bool frmVantile::compilePictures()
{
    // The pictures never show the edit-only text boxes.
    lists_->SetShowTextBoxes(false);
    // The pictures start from the colour the canvas shows: a background
    // picture smaller than the screen leaves that colour around it.
    QString error;
    const bool written = CompileScreenPictures(m_, messages_, Paths::SdPictureFolder(), Paths::ScreenPreviewFolder(),
                                               &error, canvas_->View()->Surface()->backColor().rgb());
    if (!written)
        ShowPictureWriteError(messages_, error);
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
    KeepOnScreen(dialog);
    runDialog(dialog);
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
    fileController_.ImportFile();
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
    selection_->Forget();
    m_.SelectScreen(0);
    m_.ResetTemplates();
    refit();
    ShowScreen();
    edit_->DisableUndoSnap();
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
    m_.ResetTemplates();
    edit_->DisableUndoSnap();
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
        tryPanel_ = new frmVantileTry(m_, messages_, files_, this);
        // Every edit, live ones of the open editors too, shows at once.
        connect(&document_, &Document::Changed, tryPanel_, &frmVantileTry::Refresh);
        connect(&document_, &Document::Previewed, tryPanel_, &frmVantileTry::Refresh);
        KeepOnScreen(*tryPanel_);
    }
    tryPanel_->Refresh();
    tryPanel_->show();
    tryPanel_->raise();
    tryPanel_->activateWindow();
}
