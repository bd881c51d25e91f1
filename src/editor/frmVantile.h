#pragma once

#include "check/ProjectCheck.h"
#include "dialogs/EditorHost.h"
#include "editor/FileController.h"
#include "model/Document.h"
#include "model/EditOperations.h"
#include "model/ObjectTables.h"

#include <QFont>
#include <QMainWindow>
#include <QPointer>
#include <QSize>

#include <functional>

class modVantile;
class MessagePrompt;
class FileDialogPrompt;
class CanvasHost;
class CheckActions;
class DeviceOptionsBar;
class EditActions;
class HelpActions;
class Preferences;
class ObjectPlacement;
class ObjectSelection;
class SettingsLists;
class ViewActions;
class QAction;
class QComboBox;
class QDialog;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class frmVantileTry;

// The main window. It puts together
// - the menus: File and Program here, Edit in EditActions (grid and zoom
//   included), acting on the ObjectSelection; the check, the function map
//   and the report in CheckActions;
// - moving objects by drag and drop and by the keys (ObjectPlacement);
// - the device options (DeviceOptionsBar), the screen selector and the
//   background line;
// - the canvas with its pan bars (CanvasHost, which holds CanvasView);
// - the four settings lists (SettingsLists), shown as the View menu
//   (ViewActions) says, and the Properties dock (Inspector);
// - the status bar.
// Every change goes through the Document as one undo step; the window
// follows the Document's change signal and brings the parts up to date.
// The File menu's work is the FileController's.
//
// The layout was designed in twips (Twips.h). The canvas may show the panel
// enlarged (the zoom); the window then grows as far as its screen allows and
// the canvas scrolls beyond that. Where even the designed size does not fit
// the screen, the window takes what there is and its content scrolls
// (WindowFit).
class frmVantile : public QMainWindow, public EditorHost
{
    Q_OBJECT
public:
    static inline const QString DesignCaption = QStringLiteral("ZAV Quellix Touch Screen Pro   Rev 2.05");
    // The one font of the interface: the main window and every dialog.
    static QFont InterfaceFont();

    // Runs the whole start-up: folders, settings, a new project, screen 0.
    frmVantile(modVantile &m, MessagePrompt &messages, FileDialogPrompt &files, QWidget *parent = nullptr);
    ~frmVantile() override;

    // Every modal dialog the window opens is run through `run`, which
    // returns the dialog's result (by default QDialog::exec). Tests put in
    // one that never blocks.
    void SetDialogRunner(std::function<int(QDialog &)> run);

    Document &GetDocument() { return document_; }
    Preferences &GetPreferences() { return *preferences_; }
    // Opens a project as File, Open does with a chosen file (the command line).
    void OpenProject(const QString &path);

    // The selection (ObjectSelection).
    using Selection = EditOperations::ObjectRef;
    Selection CurrentSelection() const;
    QList<Selection> SelectedObjects() const;
    void Select(ObjectTables::ObjectKind kind, int slot);
    void ToggleSelected(ObjectTables::ObjectKind kind, int slot);

    // The canvas zoom in per cent (CanvasHost::ZoomSteps). SetZoom takes a
    // value between the steps to the nearest one, refits the window and
    // remembers it in the settings file. `anchor`: a point of the viewport
    // that keeps showing the same panel pixel.
    int Zoom() const;
    void SetZoom(int percent, QPoint anchor = QPoint(-1, -1));

    // The desktop the window is sized and centred for, in pixels. By default
    // the primary screen; tests set it to try small and large desktops.
    void SetDesktopSize(QSize pixels);
    QSize DesktopSize() const;
    // The most a window may take on its screen: the desktop without panels
    // and without the window's frame.
    QSize AvailableSize() const;
    // Keeps a dialog or window of the editor whole on the screen the window
    // is on, inside the area the desktop's panels leave: where its rule puts
    // it, or over the middle of the window, moved just enough to be whole;
    // one larger than that area takes it and scrolls its content.
    void KeepOnScreen(QWidget &dialog) const;

    // --- sizing and display --------------------------------------------------
    void ScreenRes();
    void ScreenShape();
    void ShowScreen() override;
    bool PanNeeded() const { return panNeeded_; }

    // --- the live updates of an open object editor -----------------------------
    void UDButton(int iBNum) override;
    void UDPilot(int iPNum) override;
    void UDSlider(int iSNum) override;
    void UDTitle(int iTNum) override;
    void ClearHL();

    // A drop of canvas object n (ObjectPlacement::DropObj).
    void DropObj(EditOperations::DropSource src, int n, int iXBase, int iYBase, double iX, double iY);

public slots:
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuRecent_Click(int index);
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuExport_Click();
    void mnuImportScreen_Click();
    void mnuExit_Click();

    void mnuDownload_Click();
    void mnuCompile_Click();
    void mnuRunCG_Click();
    // Try Panel: the virtual panel window, one per main window.
    void mnuTryPanel_Click();

    void cboScreenNumber_Click();
    void cmdBGSel_Click();
    void importDroppedPicture(const QString &path);

    // The object editors, from a settings list's Edit button or the canvas.
    void cmdBEdit_Click(int index);
    void cmdPEdit_Click(int index);
    void cmdSEdit_Click(int index);
    void cmdTEdit_Click(int index);
    void imgPB_Click(int index);
    void lblButton_Click(int index);
    void imgPilot_Click(int index);
    void imgSlider_Click(int index);
    void lblTextBox_Click(int index);

    // Shows the screen and highlights the object's settings line (only the
    // screen for slot -1); the check and the map lead here.
    void ShowObject(int screen, Check::ObjectKind kind, int slot);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    using ObjectKind = ObjectTables::ObjectKind;

    void buildMenus();
    void buildControls();
    void connectCanvas();
    void buildStatusBar();
    void Form_Load();
    void Form_Activate();

    // The dialog and file steps of each File command; the menu handlers add
    // the follow-up steps (screen 0, refit, redraw ...).
    void FileOpen();
    void FileSave();
    void FileSaveAs();
    void ImportFile();
    void ExportFile();
    void fillRecentMenu();
    void afterOpen();

    void selectScreen(int screen);
    void goHome();
    bool compilePictures();
    void showBackground();
    void showTitle();
    void showObjects();
    void showStatus();
    void refit();
    // Sizes canvas, viewport, scroll bars, lists and content for the zoom and
    // the room the window has (by default its screen); the window too when
    // `window` is set (ScreenRes). `view`: the viewport to keep, if it fits.
    void applyFit(bool window, QSize room = {}, QSize view = {});
    void zoomAt(int percent, QPoint anchor);
    void showHovered(Selection object);
    void forgetRemoved();
    int chrome() const;
    void centre();
    void UpdateGrid();
    void openEditor(ObjectKind kind, int index, bool fromList);
    int runDialog(QDialog &dialog);
    void closeDialogs();
    void documentChanged(const QList<DocumentChange> &changes);
    void refreshObjects();
    void refreshObject(ObjectKind kind, int n);
    void refreshSelection();

    modVantile &m_;
    MessagePrompt &messages_;
    FileDialogPrompt &files_;
    Document document_;
    FileController fileController_;
    std::function<int(QDialog &)> execDialog_;

    bool exiting_ = false;
    bool panNeeded_ = false;
    bool activated_ = false;
    bool fitting_ = false;
    QSize desktop_;
    // Resolution and orientation the window and canvas are sized for.
    int fittedResolution_ = -1, fittedLayout_ = -1;

    // Menus: File and Program; the Edit menu is EditActions'.
    QAction *mnuFileNew = nullptr, *mnuFileOpen = nullptr, *mnuFileSave = nullptr, *mnuFileSaveAs = nullptr;
    QAction *mnuExport = nullptr, *mnuImportScreen = nullptr, *mnuExit = nullptr;
    QMenu *mnuRecentFiles = nullptr;
    QAction *mnuDownload = nullptr, *mnuCompile = nullptr, *mnuRunCG = nullptr, *mnuTryPanel = nullptr;

    // Everything below the menu bar, scrolled when the window is smaller than it.
    QScrollArea *content_ = nullptr;
    QWidget *client_ = nullptr;

    DeviceOptionsBar *options_ = nullptr;
    QComboBox *cboScreenNumber = nullptr;
    QLabel *lblBGFile = nullptr;
    QPushButton *cmdBGSel = nullptr;
    SettingsLists *lists_ = nullptr;
    CanvasHost *canvas_ = nullptr;
    ObjectSelection *selection_ = nullptr;
    EditActions *edit_ = nullptr;
    ObjectPlacement *placement_ = nullptr;
    CheckActions *check_ = nullptr;
    Preferences *preferences_ = nullptr;
    HelpActions *help_ = nullptr;
    ViewActions *view_ = nullptr;

    // Status bar: pointer, selection, zoom; the object under the pointer as a message.
    QLabel *lblPointer = nullptr, *lblSelection = nullptr, *lblZoom = nullptr;
    Selection hovered_;

    QPointer<frmVantileTry> tryPanel_;
};
