// Edit-menu commands of the main window and the placement of objects on the
// canvas: undo and redo, copy and paste, object creation, clearing and
// copying screens, drag and drop, the keyboard, the grid and snapping.
#include "editor/CanvasControls.h"
#include "editor/CanvasView.h"
#include "editor/frmVantile.h"
#include "model/Settings.h"
#include "model/modVantile.h"
#include "platform/Prompts.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QVBoxLayout>

using EditOperations::DropSource;
using EditOperations::Kind;

// --- undo and redo --------------------------------------------------------------

void frmVantile::updateUndoActions()
{
    const QUndoStack &stack = document_.UndoStack();
    mnuUndo->setEnabled(stack.canUndo());
    mnuRedo->setEnabled(stack.canRedo());
    mnuUndo->setText(stack.canUndo() ? QStringLiteral("&Undo ") + stack.undoText() : QStringLiteral("&Undo"));
    mnuRedo->setText(stack.canRedo() ? QStringLiteral("&Redo ") + stack.redoText() : QStringLiteral("&Redo"));
}

// A step on another screen is undone where the user can see it.
void frmVantile::mnuUndo_Click()
{
    if (!document_.UndoStack().canUndo())
        return;
    const int screen = document_.UndoScreen();
    if (screen >= 0 && screen != m_.CurrentScreen)
        selectScreen(screen);
    document_.UndoStack().undo();
}

void frmVantile::mnuRedo_Click()
{
    if (!document_.UndoStack().canRedo())
        return;
    const int screen = document_.RedoScreen();
    if (screen >= 0 && screen != m_.CurrentScreen)
        selectScreen(screen);
    document_.UndoStack().redo();
}

// --- copy and paste -------------------------------------------------------------

void frmVantile::fullMessage(ObjectKind kind, const QString &title)
{
    static const char *const texts[] = {"All Buttons Used.", "All Pilots Used.", "All Sliders Used.",
                                        "All Text Objects Used."};
    messages_.Show(QString::fromLatin1(texts[size_t(kind)]), title, MessagePrompt::Icon::Information);
}

void frmVantile::mnuCopy_Click()
{
    if (selection_.slot < 0)
        return;
    const auto copy = EditOperations::CopyObject(m_, m_.CurrentScreen, selection_.kind, selection_.slot);
    auto *data = new QMimeData;
    data->setData(QLatin1String(EditOperations::ObjectMimeType), EditOperations::EncodeObject(copy));
    data->setText(settingsLine(selection_.kind, selection_.slot)->text());
    QGuiApplication::clipboard()->setMimeData(data);
}

void frmVantile::mnuPaste_Click()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    EditOperations::ObjectCopy copy;
    if (!data || !EditOperations::DecodeObject(data->data(QLatin1String(EditOperations::ObjectMimeType)), &copy))
        return;
    placeCopy(copy, EditOperations::CopyPosition(copy), QStringLiteral("Paste"));
}

void frmVantile::mnuDuplicate_Click()
{
    if (selection_.slot < 0)
        return;
    const int screen = m_.CurrentScreen;
    placeCopy(EditOperations::CopyObject(m_, screen, selection_.kind, selection_.slot),
              EditOperations::ObjectPosition(m_, screen, selection_.kind, selection_.slot),
              QStringLiteral("Duplicate"));
}

void frmVantile::placeCopy(const EditOperations::ObjectCopy &copy, QPoint from, const QString &verb)
{
    const int screen = m_.CurrentScreen;
    const int slot = EditOperations::FirstFreeSlot(m_, screen, copy.kind);
    if (slot < 0) {
        fullMessage(copy.kind, verb);
        return;
    }
    Document::Edit edit(document_, verb + QLatin1Char(' ') + ObjectName(copy.kind, slot));
    edit.Object(screen, copy.kind, slot);
    EditOperations::WriteObject(m_, screen, slot, copy);
    // One grid step down and right of the original, where the user sees it;
    // elsewhere the first free visible spot.
    const QRect visible = canvas_->VisibleArea();
    QPoint at = from + QPoint(GridSize(), GridSize());
    const QRect bounds = EditOperations::ObjectBounds(m_, screen, copy.kind, slot);
    if (!visible.contains(QRect(at, bounds.size().boundedTo(visible.size()))))
        at = EditOperations::FreeSpot(m_, screen, copy.kind, slot, bounds.size(), visible, GridSize());
    EditOperations::SetObjectPosition(m_, screen, copy.kind, slot, at);
    edit.Commit();
    Select(copy.kind, slot);
}

void frmVantile::mnuDelete_Click()
{
    if (selection_.slot < 0)
        return;
    const int screen = m_.CurrentScreen, n = selection_.slot;
    Document::Edit edit(document_, QStringLiteral("Delete ") + ObjectName(selection_.kind, n));
    edit.Object(screen, selection_.kind, n);
    // As the editors' Remove does: the slot is free, its settings stay for a later use.
    switch (selection_.kind) {
    case Kind::Button:
        m_.SetButtonType(screen, n, 0);
        break;
    case Kind::Pilot:
        m_.SetPilotUsed(screen, n, 0);
        break;
    case Kind::Slider:
        m_.SetSliderPicture(screen, n, 0);
        break;
    case Kind::Text:
        m_.SetTextType(screen, n, 0);
        break;
    }
    edit.Commit();
    Select(selection_.kind, -1);
    ClearHL();
}

// --- new objects ------------------------------------------------------------------

void frmVantile::newObject(Kind kind)
{
    static const char *const titles[] = {"New Button", "New Pilot", "New Slider", "New Text"};
    const int screen = m_.CurrentScreen;
    const int slot = EditOperations::FirstFreeSlot(m_, screen, kind);
    mnuUndoSnap->setEnabled(false);
    if (slot < 0) {
        fullMessage(kind, QString::fromLatin1(titles[size_t(kind)]));
        // Marked changed all the same, as it always was.
        document_.MarkChanged();
        ShowScreen();
        return;
    }
    Document::Edit edit(document_, QStringLiteral("New ") + ObjectName(kind, slot));
    edit.Object(screen, kind, slot);
    EditOperations::NewObject(m_, kind);
    const QSize size = EditOperations::ObjectBounds(m_, screen, kind, slot).size();
    EditOperations::SetObjectPosition(
        m_, screen, kind, slot,
        EditOperations::FreeSpot(m_, screen, kind, slot, size, canvas_->VisibleArea(), GridSize()));
    edit.Commit();
    Select(kind, slot);
}

void frmVantile::mnuNewButton_Click()
{
    newObject(Kind::Button);
}

void frmVantile::mnuNewPilot_Click()
{
    newObject(Kind::Pilot);
}

void frmVantile::mnuNewSlider_Click()
{
    newObject(Kind::Slider);
}

void frmVantile::mnuNewText_Click()
{
    newObject(Kind::Text);
}

// --- whole screens ------------------------------------------------------------------

void frmVantile::mnuClearScreen_Click()
{
    const int screen = m_.CurrentScreen;
    const QString name = ScreenName(screen);
    const auto answer = messages_.Show(QStringLiteral("Clear All Objects On Screen ") + name + QLatin1Char('?'),
                                       QStringLiteral("Clear Entire Screen"), MessagePrompt::Icon::Question,
                                       MessagePrompt::Buttons::YesNo);
    if (answer != MessagePrompt::Answer::Yes)
        return;
    Document::Edit edit(document_, QStringLiteral("Clear Screen ") + name);
    edit.Screen(screen);
    m_.ClearScreenData();
    if (!edit.Commit()) {
        document_.MarkChanged();
        ShowScreen();
    }
    mnuUndoSnap->setEnabled(false);
}

void frmVantile::mnuCopyScreen_Click()
{
    const int source = m_.CurrentScreen;
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("frmCopyScreen"));
    dialog.setWindowTitle(QStringLiteral("Copy Screen To"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *label = new QLabel(
        QStringLiteral("Copy the objects and the background of screen %1 to:").arg(ScreenName(source)), &dialog);
    layout->addWidget(label);
    auto *targets = new QComboBox(&dialog);
    targets->setObjectName(QStringLiteral("cboTargetScreen"));
    for (int s = 0; s < modVantile::ScreenCount; ++s)
        if (s != source)
            targets->addItem(cboScreenNumber->itemText(s), s);
    layout->addWidget(targets);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    keepOnDesktop(dialog);
    if (execDialog(dialog) != QDialog::Accepted || targets->currentIndex() < 0)
        return;
    const int target = targets->currentData().toInt();
    if (EditOperations::ScreenHasObjects(m_, target) &&
        messages_.Show(QStringLiteral("Screen %1 holds objects. Replace them with those of screen %2?")
                           .arg(ScreenName(target), ScreenName(source)),
                       QStringLiteral("Copy Screen"), MessagePrompt::Icon::Question,
                       MessagePrompt::Buttons::YesNo) != MessagePrompt::Answer::Yes)
        return;
    Document::Edit edit(document_, QStringLiteral("Copy Screen To ") + ScreenName(target));
    edit.Screen(target);
    EditOperations::CopyScreen(m_, source, target);
    edit.Commit();
}

// --- drag and drop ------------------------------------------------------------

void frmVantile::DropObj(DropSource src, int n, int iXBase, int iYBase, double iX, double iY)
{
    if (src == DropSource::ButtonCaption && !PlacementHintShown) {
        PlacementHintShown = true;
        messages_.Show(QStringLiteral("For ease of placement, drag buttons by the upper or left edges"),
                       QStringLiteral("Button Placement"), MessagePrompt::Icon::Information);
    }
    const double x = iXBase + iX - DragOffsetX;
    const double y = iYBase + iY - DragOffsetY;
    Kind kind = Kind::Button;
    if (src == DropSource::Pilot)
        kind = Kind::Pilot;
    else if (src == DropSource::Slider)
        kind = Kind::Slider;
    else if (src == DropSource::TextBox)
        kind = Kind::Text;
    Document::Edit edit(document_, QStringLiteral("Move ") + ObjectName(kind, n));
    edit.Object(m_.CurrentScreen, kind, n);
    // A drop in place still counts as a change, as it always did.
    if (EditOperations::StoreDrop(m_, src, n, x, y) && !edit.Commit())
        document_.MarkChanged();
    ShowScreen();
    if (n >= 0 && n < ObjectTables::SlotCount(kind))
        Select(kind, n);
}

// --- keyboard -----------------------------------------------------------------------

void frmVantile::keyPressEvent(QKeyEvent *event)
{
    const int step = event->modifiers() & Qt::ShiftModifier ? GridSize() : 1;
    switch (event->key()) {
    case Qt::Key_Left:
        nudge(-step, 0);
        break;
    case Qt::Key_Right:
        nudge(step, 0);
        break;
    case Qt::Key_Up:
        nudge(0, -step);
        break;
    case Qt::Key_Down:
        nudge(0, step);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (selection_.slot >= 0)
            openEditor(selection_.kind, selection_.slot, false);
        break;
    case Qt::Key_Escape:
        Select(selection_.kind, -1);
        ClearHL();
        break;
    default:
        QMainWindow::keyPressEvent(event);
        return;
    }
    event->accept();
}

// Moves the selection, never out of the screen; an object already reaching
// past an edge may still move back in.
void frmVantile::nudge(int dx, int dy)
{
    if (selection_.slot < 0)
        return;
    const int screen = m_.CurrentScreen, n = selection_.slot;
    const Kind kind = selection_.kind;
    const QRect bounds = EditOperations::ObjectBounds(m_, screen, kind, n);
    const Settings::PanelSize panel = Settings::ScreenSize(m_.GetResolution(), m_.GetLayout());
    auto limit = [](int from, int delta, int room) {
        const int to = from + delta;
        if (delta < 0)
            return std::max(to, std::min(from, 0));
        return std::min(to, std::max(from, room));
    };
    const QPoint at(limit(bounds.x(), dx, panel.width - bounds.width()),
                    limit(bounds.y(), dy, panel.height - bounds.height()));
    if (at == bounds.topLeft())
        return;
    Document::Edit edit(document_, QStringLiteral("Move ") + ObjectName(kind, n));
    edit.Object(screen, kind, n).MergeId(1000 + int(kind) * 64 + n);
    EditOperations::SetObjectPosition(m_, screen, kind, n, at);
    edit.Commit();
}

// --- grid and snap --------------------------------------------------------------

int frmVantile::GridSize() const
{
    if (mnuGridSize[3]->isChecked())
        return 64;
    if (mnuGridSize[2]->isChecked())
        return 32;
    if (mnuGridSize[1]->isChecked())
        return 16;
    return 8;
}

QColor frmVantile::GridColor() const
{
    if (mnuGridColor[2]->isChecked())
        return QColor(0xFF, 0xFF, 0xFF);
    if (mnuGridColor[1]->isChecked())
        return QColor(0x80, 0x80, 0x80);
    return QColor(0, 0, 0);
}

void frmVantile::UpdateGrid()
{
    CanvasSurface *surface = canvas_->Surface();
    if (!mnuShowGrid->isChecked()) {
        surface->setGrid({}, {}, GridColor(), {});
        return;
    }
    // The lines span the whole display, not just the canvas.
    const QSize display = DesktopSize();
    const auto lines = EditOperations::GridLinePositions(display.width(), display.height(), GridSize());
    surface->setGrid(lines.horizontal, lines.vertical, GridColor(), display);
}

void frmVantile::mnuShowGrid_Click()
{
    // The action toggles its own check mark.
    UpdateGrid();
}

// The check marks of the size and colour items are kept by their action groups.
void frmVantile::mnuGridSize_Click(int)
{
    UpdateGrid();
}

void frmVantile::mnuGridColor_Click(int)
{
    CanvasSurface *surface = canvas_->Surface();
    surface->setGrid(surface->horizontalGrid(), surface->verticalGrid(), GridColor(), DesktopSize());
}

void frmVantile::mnuSnapToGrid_Click()
{
    mnuUndoSnap->setEnabled(true);
    Document::Edit edit(document_, QStringLiteral("Snap To Grid"));
    edit.Screen(m_.CurrentScreen);
    EditOperations::SnapToGrid(m_, GridSize(), &snapUndo_);
    edit.Commit();
}

void frmVantile::mnuUndoSnap_Click()
{
    mnuUndoSnap->setEnabled(false);
    Document::Edit edit(document_, QStringLiteral("Undo Snap"));
    edit.Screen(m_.CurrentScreen);
    EditOperations::UndoSnapToGrid(m_, snapUndo_);
    edit.Commit();
}
