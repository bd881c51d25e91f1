#pragma once

#include "model/Arrange.h"
#include "model/Document.h"
#include "model/EditOperations.h"
#include "model/ObjectTables.h"

#include <QColor>
#include <QList>
#include <QObject>

#include <array>
#include <functional>

class CanvasHost;
class ObjectSelection;
class MessagePrompt;
class SettingsLists;
class modVantile;
class QAction;
class QDialog;
class QMenu;
class QWidget;

// The Edit menu of the main window and the work behind it: undo and redo,
// copy and paste, new objects, clearing and copying screens, lining up the
// selected objects, the grid and snapping, the zoom. Every change is one
// step of the document.
class EditActions : public QObject
{
    Q_OBJECT
public:
    using ObjectKind = ObjectTables::ObjectKind;
    using Selection = EditOperations::ObjectRef;

    // `runDialog` runs a modal dialog of the window and gives its result.
    EditActions(Document &document, MessagePrompt &messages, CanvasHost &canvas, SettingsLists &lists,
                ObjectSelection &selection, std::function<int(QDialog &)> runDialog, QWidget *window);

    // Adds the items to the window's Edit menu.
    void BuildMenu(QMenu *edit);

    // --- grid, snap and zoom ---------------------------------------------------
    bool GridShown() const;
    int GridSize() const;
    QColor GridColor() const;
    int GridColorIndex() const; // of Settings::GridColorNames
    // Checks the grid size (one of Settings::GridSteps) and colour as their
    // menu items would.
    void SetGrid(int size, int colorIndex);
    void DisableUndoSnap();
    // Zoom In and Zoom Out as far as the steps go from `zoom`.
    void ShowZoom(int zoom);

signals:
    // Undo and redo show the screen of their step first.
    void ScreenWanted(int screen);
    void ZoomWanted(int percent);
    void ZoomToFitWanted();
    // Shown or hidden, or another grid size; or only another colour.
    void GridChanged();
    void GridColorChanged();

private:
    void mnuUndo_Click();
    void mnuRedo_Click();
    void mnuCut_Click();
    void mnuCopy_Click();
    void mnuPaste_Click();
    void mnuDuplicate_Click();
    void mnuDelete_Click();
    void mnuCopyScreen_Click();
    void mnuArrange_Click(Arrange::Operation operation);
    void mnuNewButton_Click();
    void mnuNewPilot_Click();
    void mnuNewSlider_Click();
    void mnuNewText_Click();
    void mnuClearScreen_Click();
    void mnuSnapToGrid_Click();
    void mnuUndoSnap_Click();
    void mnuZoomIn_Click();
    void mnuZoomOut_Click();

    void buildArrangeAndZoom(QMenu *edit);
    void updateUndoActions();
    void selectionChanged();
    void removeSelected(const QString &verb);
    void newObject(EditOperations::Kind kind);
    void placeCopies(const QList<EditOperations::ObjectCopy> &copies, const QString &verb);
    void fullMessage(ObjectKind kind, const QString &title);

    Document &document_;
    modVantile &m_;
    MessagePrompt &messages_;
    CanvasHost &canvas_;
    SettingsLists &lists_;
    ObjectSelection &selection_;
    std::function<int(QDialog &)> runDialog_;
    QWidget *window_;
    EditOperations::SnapUndo snapUndo_;

    QAction *mnuUndo = nullptr, *mnuRedo = nullptr, *mnuCut = nullptr, *mnuCopy = nullptr, *mnuPaste = nullptr;
    QAction *mnuDuplicate = nullptr, *mnuDelete = nullptr, *mnuCopyScreen = nullptr;
    QAction *mnuNewButton = nullptr, *mnuNewPilot = nullptr, *mnuNewSlider = nullptr, *mnuNewText = nullptr;
    QAction *mnuClearScreen = nullptr, *mnuShowGrid = nullptr, *mnuSnapToGrid = nullptr, *mnuUndoSnap = nullptr;
    QMenu *mnuGridSize0 = nullptr, *mnuGridColor0 = nullptr;
    std::array<QAction *, 4> mnuGridSize{};
    std::array<QAction *, 3> mnuGridColor{};
    QMenu *mnuArrange = nullptr;
    QAction *mnuZoomIn = nullptr, *mnuZoomOut = nullptr, *mnuActualSize = nullptr, *mnuZoomFit = nullptr;
};
