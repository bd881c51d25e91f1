#pragma once

#include "check/ProjectCheck.h"
#include "dialogs/EditorHost.h"
#include "model/Arrange.h"
#include "model/Document.h"
#include "model/EditOperations.h"
#include "model/FileController.h"
#include "model/ObjectTables.h"

#include <QColor>
#include <QFont>
#include <QMainWindow>
#include <QPointer>
#include <QSize>

#include <array>
#include <functional>
#include <vector>

class modVantile;
class MessagePrompt;
class FileDialogPrompt;
class CanvasView;
class QAction;
class QCheckBox;
class QComboBox;
class QDialog;
class QFrame;
class QKeyEvent;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QScrollBar;
class frmProjectCheck;
class frmFunctionMap;
class frmVantileTry;

// The main window: menus, device options, the canvas that shows the current
// screen at panel scale (CanvasView), and the four settings lists beside it.
// Every change goes through the Document as one undo step; the canvas and
// the lists follow the Document's change signal. The File menu's work is
// the FileController's.
//
// Layout values are kept in twips, as the window was designed; one screen
// pixel is 15 twips, and so is one panel pixel on the canvas at actual size.
// The canvas may show the panel enlarged (the zoom); the window then grows
// as far as its screen allows and the canvas scrolls beyond that. Where even
// the designed size does not fit the screen, the window takes what there is
// and its content scrolls (WindowFit).
class frmVantile : public QMainWindow, public EditorHost
{
    Q_OBJECT
public:
    static constexpr int TwipsPerPixel = ObjectTables::TwipsPerPixel;
    static inline const QString DesignCaption = QStringLiteral("ZAV Quellix Touch Screen Pro   Rev 2.05");
    // The one font of the interface: the main window and every dialog.
    static QFont InterfaceFont();

    // Runs the whole start-up: folders, settings, a new project, screen 0.
    frmVantile(modVantile &m, MessagePrompt &messages, FileDialogPrompt &files, QWidget *parent = nullptr);
    ~frmVantile() override;

    // Every modal dialog the window opens is run through this; it returns
    // the dialog's result. Tests replace it so that no dialog ever blocks.
    std::function<int(QDialog &)> execDialog;

    Document &GetDocument() { return document_; }
    // Opens a project as File, Open does with a chosen file (the command line).
    void OpenProject(const QString &path);

    // The object last clicked, dragged, pasted or created; slot -1 for none.
    using Selection = EditOperations::ObjectRef;
    Selection CurrentSelection() const { return selected_.isEmpty() ? Selection{} : selected_.last(); }
    // Every selected object, the current one last.
    QList<Selection> SelectedObjects() const { return selected_; }
    // Only this object selected (none when slot < 0).
    void Select(ObjectTables::ObjectKind kind, int slot);
    // Shift+click: in or out of the selection.
    void ToggleSelected(ObjectTables::ObjectKind kind, int slot);
    // The objects a rubber band over `area` (panel pixels) touches; added to
    // the selection or instead of it.
    void SelectArea(const QRect &area, bool add);

    // --- zoom -------------------------------------------------------------------
    // The canvas zoom in per cent; the steps of Zoom In and Zoom Out.
    static constexpr std::array<int, 7> ZoomSteps{50, 75, 100, 150, 200, 300, 400};
    int Zoom() const;
    // The step nearest to `percent`.
    static int ZoomStep(int percent);
    // Sets the zoom (a value between the steps is taken to the nearest one),
    // refits the window and remembers it in the settings file. `anchor`: a
    // point of the viewport that keeps showing the same panel pixel.
    void SetZoom(int percent, QPoint anchor = QPoint(-1, -1));

    // The desktop the window is sized and centred for, in pixels. By default
    // the primary screen; tests set it to try small and large desktops.
    void SetDesktopSize(QSize pixels);
    QSize DesktopSize() const;
    // The most a window may take on its screen: the desktop without panels
    // and without the window's frame.
    QSize AvailableSize() const;

    // --- sizing and display --------------------------------------------------
    void ScreenRes();
    void ScreenShape();
    void ShowScreen() override;
    bool PanNeeded() const { return panNeeded_; }

    // --- canvas objects and settings lines -----------------------------------
    void UDButton(int iBNum) override;
    void UDPilot(int iPNum) override;
    void UDSlider(int iSNum) override;
    void UDTitle(int iTNum) override;
    void ClearHL();

    // --- placement, grid and snap --------------------------------------------
    // A drop of canvas object n. iXBase, iYBase: left and top of the drop
    // target in twips (0, 0 for the canvas); iX, iY: the drop point inside
    // the target in twips. The grab offset is DragOffsetX / DragOffsetY.
    void DropObj(EditOperations::DropSource src, int n, int iXBase, int iYBase, double iX, double iY);
    int DragOffsetX = 0;
    int DragOffsetY = 0;
    bool PlacementHintShown = false;
    void UpdateGrid();
    int GridSize() const;
    QColor GridColor() const;

    // --- File menu -----------------------------------------------------------
    // The dialog and file steps of each command; the menu handlers add the
    // follow-up steps (screen 0, refit, redraw ...).
    void FileOpen();
    void FileSave();
    void FileSaveAs();
    void ImportFile();
    void ExportFile();

    static QString ProjectFilter();
    static QString ScreenFilter();
    static QString ProjectPattern(); // <working folder>/*.QXC
    static QString ScreenPattern();  // <working folder>/*.QXS

public slots:
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuRecent_Click(int index);
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuExport_Click();
    void mnuImportScreen_Click();
    void mnuExit_Click();

    void mnuUndo_Click();
    void mnuRedo_Click();
    void mnuCopy_Click();
    void mnuPaste_Click();
    void mnuDuplicate_Click();
    void mnuDelete_Click();
    void mnuCopyScreen_Click();
    void mnuArrange_Click(Arrange::Operation operation);
    void mnuZoomIn_Click();
    void mnuZoomOut_Click();
    void mnuActualSize_Click();
    void mnuZoomFit_Click();

    void mnuNewButton_Click();
    void mnuNewPilot_Click();
    void mnuNewSlider_Click();
    void mnuNewText_Click();
    void mnuClearScreen_Click();
    void mnuShowGrid_Click();
    void mnuGridSize_Click(int index);
    void mnuGridColor_Click(int index);
    void mnuSnapToGrid_Click();
    void mnuUndoSnap_Click();

    void mnuDownload_Click();
    void mnuCompile_Click();
    void mnuRunCG_Click();
    // Try Panel: the virtual panel window, one per main window.
    void mnuTryPanel_Click();

    void optLayout_Click(int index);
    void cboQXAddress_Click();
    void cboQXRange_Click();
    void chkBeep_Click();
    void cboScnRes_Click();
    void cboCmdSet_Click();
    void chkHideTitleBG_Click();
    void cboScreenNumber_Click();
    void vsPan_Change();
    void hsPan_Change();
    void cmdBGSel_Click();

    void cmdBEdit_Click(int index);
    void cmdPEdit_Click(int index);
    void cmdSEdit_Click(int index);
    void cmdTEdit_Click(int index);
    void imgPB_Click(int index);
    void lblButton_Click(int index);
    void imgPilot_Click(int index);
    void imgSlider_Click(int index);
    void lblTextBox_Click(int index);

    // --- project check, function map and report --------------------------------
public slots:
    void mnuCheckProject_Click();
    void mnuFunctionMap_Click();
    void mnuExportReport_Click();
    // Shows the screen and highlights the object's settings line (only the
    // screen for slot -1); the check and the map lead here.
    void ShowObject(int screen, Check::ObjectKind kind, int slot);

private:
    void buildCheckMenus();
    QAction *mnuCheckProject = nullptr, *mnuFunctionMap = nullptr, *mnuExportReport = nullptr;
    frmProjectCheck *checkWindow_ = nullptr;
    frmFunctionMap *mapWindow_ = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using ObjectKind = ObjectTables::ObjectKind;

    void buildMenus();
    void buildViewMenus(QMenu *edit);
    void buildControls();
    void buildCanvas();
    void buildStatusBar();
    QGroupBox *buildList(const QString &name, const QString &caption, const QRect &twips, int rows, int lineWidth,
                         const QString &editName, const QString &lineName, std::vector<QPushButton *> &edits,
                         std::vector<QLabel *> &lines);
    void Form_Load();
    void Form_Activate();

    void selectScreen(int screen);
    void goHome();
    bool compilePictures();
    void showOptions();
    void showBackground();
    void showTitle();
    void refit();
    // Sizes canvas, viewport, scroll bars, lists and content for the zoom and
    // the room the window has (by default its screen); the window too when
    // `window` is set (ScreenRes).
    void applyFit(bool window, QSize room = {});
    void resetPan();
    QPoint pan() const;
    void centre();
    void addressRangeChanged(bool address);
    void openEditor(ObjectKind kind, int index, bool fromList);
    void keepOnDesktop(QDialog &dialog) const;
    void closeDialogs();
    void highlight(QLabel *line);
    void newObject(EditOperations::Kind kind);
    void documentChanged(const DocumentChange &change);
    void refreshObjects();
    void refreshObject(ObjectKind kind, int n);
    void refreshSelection();
    void setSelection(QList<Selection> objects);
    void showStatus();
    // The selected objects as one edit; false when none is selected.
    bool watchSelection(Document::Edit &edit) const;
    QString selectionName(const QString &verb) const;
    void dropSelection(EditOperations::DropSource src, int n, double x, double y);
    void placeCopies(const QList<EditOperations::ObjectCopy> &copies, const QString &verb);
    void updateUndoActions();
    void fillRecentMenu();
    void afterOpen();
    QLabel *settingsLine(ObjectKind kind, int n) const;
    void nudge(int dx, int dy);
    void fullMessage(ObjectKind kind, const QString &title);

    static int px(int twips);
    static void setTwipsGeometry(QWidget *w, int left, int top, int width, int height);

    modVantile &m_;
    MessagePrompt &messages_;
    FileDialogPrompt &files_;
    Document document_;
    FileController fileController_;

    bool exiting_ = false;
    bool panNeeded_ = false;
    bool activated_ = false;
    EditOperations::SnapUndo snapUndo_;
    QSize desktop_;
    QList<Selection> selected_;
    bool fitting_ = false;
    // Resolution and orientation the window and canvas are sized for.
    int fittedResolution_ = -1, fittedLayout_ = -1;

    // Menus.
    QAction *mnuFileNew = nullptr, *mnuFileOpen = nullptr, *mnuFileSave = nullptr, *mnuFileSaveAs = nullptr;
    QAction *mnuExport = nullptr, *mnuImportScreen = nullptr, *mnuExit = nullptr;
    QMenu *mnuRecentFiles = nullptr;
    QAction *mnuUndo = nullptr, *mnuRedo = nullptr, *mnuCopy = nullptr, *mnuPaste = nullptr;
    QAction *mnuDuplicate = nullptr, *mnuDelete = nullptr, *mnuCopyScreen = nullptr;
    QMenu *mnuArrange = nullptr;
    QAction *mnuZoomIn = nullptr, *mnuZoomOut = nullptr, *mnuActualSize = nullptr, *mnuZoomFit = nullptr;
    QAction *mnuNewButton = nullptr, *mnuNewPilot = nullptr, *mnuNewSlider = nullptr, *mnuNewText = nullptr;
    QAction *mnuClearScreen = nullptr, *mnuShowGrid = nullptr, *mnuSnapToGrid = nullptr, *mnuUndoSnap = nullptr;
    QMenu *mnuGridSize0 = nullptr, *mnuGridColor0 = nullptr;
    std::array<QAction *, 4> mnuGridSize{};
    std::array<QAction *, 3> mnuGridColor{};
    QAction *mnuDownload = nullptr, *mnuCompile = nullptr, *mnuRunCG = nullptr;

    // Device options, screen selector, background.
    QGroupBox *frmSettings = nullptr;
    std::array<QRadioButton *, 2> optLayout{};
    QComboBox *cboQXAddress = nullptr, *cboQXRange = nullptr, *cboScnRes = nullptr, *cboCmdSet = nullptr;
    QCheckBox *chkBeep = nullptr;
    QComboBox *cboScreenNumber = nullptr;
    QLabel *lblBGFile = nullptr;
    QPushButton *cmdBGSel = nullptr;

    // Everything below the menu bar, scrolled when the window is smaller than it.
    QScrollArea *content_ = nullptr;
    QWidget *client_ = nullptr;

    // Canvas.
    CanvasView *canvas_ = nullptr;
    QScrollBar *vsPan = nullptr, *hsPan = nullptr;

    // Status bar: pointer, selection, zoom; the object under the pointer as a message.
    QLabel *lblPointer = nullptr, *lblSelection = nullptr, *lblZoom = nullptr;

    // Settings lists.
    QGroupBox *frmButtons = nullptr, *frmPilots = nullptr, *frmSliders = nullptr, *frmTitlesLarge = nullptr;
    std::vector<QPushButton *> cmdBEdit, cmdPEdit, cmdSEdit, cmdTEdit;
    std::vector<QLabel *> lblBSettings, lblPSettings, lblSSettings, lblTSettings;
    QCheckBox *chkHideTitleBG = nullptr;

    // Try Panel.
    QAction *mnuTryPanel = nullptr;
    QPointer<frmVantileTry> tryPanel_;
};
