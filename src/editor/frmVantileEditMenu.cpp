// Edit-menu commands of the main window and the placement of objects on the
// canvas: undo and redo, copy and paste, object creation, clearing and
// copying screens, drag and drop, the keyboard, the grid and snapping.
#include "editor/CanvasControls.h"
#include "editor/CanvasView.h"
#include "editor/frmVantile.h"
#include "model/Arrange.h"
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
#include <QMenu>
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

// The selected objects, each record watched by one edit.
bool frmVantile::watchSelection(Document::Edit &edit) const
{
    for (const Selection &object : selected_)
        edit.Object(m_.CurrentScreen, object.kind, object.slot);
    return !selected_.isEmpty();
}

// "Delete Button 3" for one object, "Delete 3 Objects" for several.
QString frmVantile::selectionName(const QString &verb) const
{
    if (selected_.size() == 1)
        return verb + QLatin1Char(' ') + ObjectName(selected_[0].kind, selected_[0].slot);
    return QStringLiteral("%1 %2 Objects").arg(verb).arg(selected_.size());
}

void frmVantile::mnuCopy_Click()
{
    if (selected_.isEmpty())
        return;
    QList<EditOperations::ObjectCopy> copies;
    QStringList lines;
    for (const Selection &object : selected_) {
        copies << EditOperations::CopyObject(m_, m_.CurrentScreen, object.kind, object.slot);
        lines << settingsLine(object.kind, object.slot)->text();
    }
    auto *data = new QMimeData;
    data->setData(QLatin1String(EditOperations::ObjectMimeType), EditOperations::EncodeObjects(copies));
    data->setText(lines.join(QLatin1Char('\n')));
    QGuiApplication::clipboard()->setMimeData(data);
}

void frmVantile::mnuPaste_Click()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QList<EditOperations::ObjectCopy> copies;
    if (!data || !EditOperations::DecodeObjects(data->data(QLatin1String(EditOperations::ObjectMimeType)), &copies))
        return;
    placeCopies(copies, QStringLiteral("Paste"));
}

void frmVantile::mnuDuplicate_Click()
{
    QList<EditOperations::ObjectCopy> copies;
    for (const Selection &object : selected_)
        copies << EditOperations::CopyObject(m_, m_.CurrentScreen, object.kind, object.slot);
    if (!copies.isEmpty())
        placeCopies(copies, QStringLiteral("Duplicate"));
}

// Copies go into the lowest free slots of their kinds, all or none, one grid
// step down and right of the originals where the user sees them; a single
// copy that would not be seen there takes the first free visible spot, a
// group the first grid point in view.
void frmVantile::placeCopies(const QList<EditOperations::ObjectCopy> &copies, const QString &verb)
{
    const int screen = m_.CurrentScreen;
    QList<Selection> placed;
    for (const EditOperations::ObjectCopy &copy : copies) {
        int slot = -1;
        for (int n = 0; n < ObjectTables::SlotCount(copy.kind) && slot < 0; ++n)
            if (!EditOperations::SlotUsed(m_, screen, copy.kind, n) && !placed.contains(Selection{copy.kind, n}))
                slot = n;
        if (slot < 0) {
            fullMessage(copy.kind, verb);
            return;
        }
        placed << Selection{copy.kind, slot};
    }
    const QString text = placed.size() == 1 ? verb + QLatin1Char(' ') + ObjectName(placed[0].kind, placed[0].slot)
                                            : QStringLiteral("%1 %2 Objects").arg(verb).arg(placed.size());
    Document::Edit edit(document_, text);
    for (const Selection &object : placed)
        edit.Object(screen, object.kind, object.slot);
    QRect group;
    for (qsizetype i = 0; i < copies.size(); ++i) {
        EditOperations::WriteObject(m_, screen, placed[i].slot, copies[i]);
        group |= EditOperations::ObjectBounds(m_, screen, placed[i].kind, placed[i].slot);
    }
    const QRect visible = canvas_->VisibleArea();
    const QPoint step(GridSize(), GridSize());
    QPoint move = step;
    if (placed.size() == 1) {
        const Selection only = placed[0];
        const QPoint from = EditOperations::CopyPosition(copies[0]);
        const QRect bounds = EditOperations::ObjectBounds(m_, screen, only.kind, only.slot);
        if (!visible.contains(QRect(from + step, bounds.size().boundedTo(visible.size()))))
            move =
                EditOperations::FreeSpot(m_, screen, only.kind, only.slot, bounds.size(), visible, GridSize()) - from;
    } else if (!visible.contains(group.translated(step))) {
        const int grid = GridSize();
        move = QPoint((visible.left() + grid - 1) / grid * grid, (visible.top() + grid - 1) / grid * grid) -
               group.topLeft();
    }
    for (qsizetype i = 0; i < copies.size(); ++i)
        EditOperations::SetObjectPosition(m_, screen, placed[i].kind, placed[i].slot,
                                          EditOperations::CopyPosition(copies[i]) + move);
    edit.Commit();
    setSelection(placed);
}

void frmVantile::mnuDelete_Click()
{
    if (selected_.isEmpty())
        return;
    const int screen = m_.CurrentScreen;
    Document::Edit edit(document_, selectionName(QStringLiteral("Delete")));
    watchSelection(edit);
    // As the editors' Remove does: the slot is free, its settings stay for a later use.
    for (const Selection &object : selected_) {
        const int n = object.slot;
        switch (object.kind) {
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
    }
    edit.Commit();
    Select(Kind::Button, -1);
    ClearHL();
}

// --- lining up -----------------------------------------------------------------------

void frmVantile::mnuArrange_Click(Arrange::Operation operation)
{
    if (selected_.size() < 2)
        return;
    const int screen = m_.CurrentScreen;
    QList<Arrange::Item> items;
    for (const Selection &object : selected_) {
        bool resizable = false;
        if (object.kind == Kind::Button)
            resizable = m_.GetButtonPicture(screen, object.slot) == 0;
        else if (object.kind == Kind::Text) {
            const ObjectTables::TextKind text = ObjectTables::DecodeTextType(m_.GetTextType(screen, object.slot));
            resizable = text == ObjectTables::TextKind::FixedText || ObjectTables::IsValueBox(text);
        }
        items << Arrange::Item{EditOperations::ObjectBounds(m_, screen, object.kind, object.slot), resizable};
    }
    const Settings::PanelSize panel = Settings::ScreenSize(m_.GetResolution(), m_.GetLayout());
    const QList<QRect> areas = Arrange::Apply(operation, items, QSize(panel.width, panel.height));

    QString text;
    for (QAction *a : mnuArrange->actions())
        if (!a->isSeparator() && a->data().toInt() == int(operation))
            text = a->text();
    Document::Edit edit(document_, text.isEmpty() ? QStringLiteral("Align") : text);
    watchSelection(edit);
    for (qsizetype i = 0; i < selected_.size(); ++i) {
        const Selection object = selected_[i];
        EditOperations::SetObjectPosition(m_, screen, object.kind, object.slot, areas[i].topLeft());
        if (!items[i].resizable || areas[i].size() == items[i].area.size())
            continue;
        if (object.kind == Kind::Button) {
            m_.SetButtonWidth(screen, object.slot, areas[i].width());
            m_.SetButtonHeight(screen, object.slot, areas[i].height());
        } else {
            m_.SetTextWidth(screen, object.slot, areas[i].width());
            m_.SetTextHeight(screen, object.slot, areas[i].height());
        }
    }
    edit.Commit();
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
    const auto answer = messages_.Confirm(QStringLiteral("Clear All Objects On Screen ") + name + QLatin1Char('?'),
                                          QStringLiteral("Clear Entire Screen"));
    if (answer != MessagePrompt::Answer::Yes)
        return;
    Document::Edit edit(document_, QStringLiteral("Clear Screen ") + name);
    edit.Screen(screen);
    m_.ClearScreenData();
    edit.Commit();
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
        messages_.Confirm(QStringLiteral("Screen %1 holds objects. Replace them with those of screen %2?")
                              .arg(ScreenName(target), ScreenName(source)),
                          QStringLiteral("Copy Screen")) != MessagePrompt::Answer::Yes)
        return;
    Document::Edit edit(document_, QStringLiteral("Copy Screen To ") + ScreenName(target));
    edit.Screen(target);
    EditOperations::CopyScreen(m_, source, target);
    edit.Commit();
}

// --- drag and drop ------------------------------------------------------------

namespace
{
Kind kindOf(DropSource src)
{
    switch (src) {
    case DropSource::Pilot:
        return Kind::Pilot;
    case DropSource::Slider:
        return Kind::Slider;
    case DropSource::TextBox:
        return Kind::Text;
    case DropSource::ButtonPicture:
    case DropSource::ButtonCaption:
        break;
    }
    return Kind::Button;
}
} // namespace

void frmVantile::DropObj(DropSource src, int n, int iXBase, int iYBase, double iX, double iY)
{
    if (src == DropSource::ButtonCaption && !PlacementHintShown) {
        PlacementHintShown = true;
        messages_.Show(QStringLiteral("For ease of placement, drag buttons by the upper or left edges"),
                       QStringLiteral("Button Placement"), MessagePrompt::Icon::Information);
    }
    const double x = iXBase + iX - DragOffsetX;
    const double y = iYBase + iY - DragOffsetY;
    const Kind kind = kindOf(src);
    if (selected_.size() > 1 && selected_.contains(Selection{kind, n})) {
        dropSelection(src, n, x, y);
        return;
    }
    Document::Edit edit(document_, QStringLiteral("Move ") + ObjectName(kind, n));
    edit.Object(m_.CurrentScreen, kind, n);
    // A refused drop shows the object where it is stored.
    if (EditOperations::StoreDrop(m_, src, n, x, y))
        edit.Commit();
    else
        edit.Revert();
    if (n >= 0 && n < ObjectTables::SlotCount(kind))
        Select(kind, n);
}

// The dragged object lands by the rule of a single drop; the others of the
// selection move as far. Refused whole when any would start left of or
// above the canvas.
void frmVantile::dropSelection(DropSource src, int n, double x, double y)
{
    const int screen = m_.CurrentScreen;
    const Kind kind = kindOf(src);
    Document::Edit edit(document_, selectionName(QStringLiteral("Move")));
    watchSelection(edit);
    const QPoint before = EditOperations::ObjectPosition(m_, screen, kind, n);
    bool stored = EditOperations::StoreDrop(m_, src, n, x, y);
    if (stored) {
        const QPoint delta = EditOperations::ObjectPosition(m_, screen, kind, n) - before;
        for (const Selection &object : selected_) {
            const QPoint to = EditOperations::ObjectPosition(m_, screen, object.kind, object.slot) + delta;
            if (!(object == Selection{kind, n}) && (to.x() < 0 || to.y() < 0))
                stored = false;
        }
        if (stored) {
            for (const Selection &object : selected_)
                if (!(object == Selection{kind, n}))
                    EditOperations::SetObjectPosition(
                        m_, screen, object.kind, object.slot,
                        EditOperations::ObjectPosition(m_, screen, object.kind, object.slot) + delta);
        } else {
            EditOperations::SetObjectPosition(m_, screen, kind, n, before);
        }
    }
    if (stored)
        edit.Commit();
    else
        edit.Revert();
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
        if (!selected_.isEmpty())
            openEditor(CurrentSelection().kind, CurrentSelection().slot, false);
        break;
    case Qt::Key_Escape:
        Select(Kind::Button, -1);
        ClearHL();
        break;
    default:
        QMainWindow::keyPressEvent(event);
        return;
    }
    event->accept();
}

// Moves the selection, never out of the screen; objects already reaching
// past an edge may still move back in. Several objects move as one block.
void frmVantile::nudge(int dx, int dy)
{
    if (selected_.isEmpty())
        return;
    const int screen = m_.CurrentScreen;
    QRect block;
    for (const Selection &object : selected_)
        block |= EditOperations::ObjectBounds(m_, screen, object.kind, object.slot);
    const Settings::PanelSize panel = Settings::ScreenSize(m_.GetResolution(), m_.GetLayout());
    auto limit = [](int from, int delta, int room) {
        const int to = from + delta;
        if (delta < 0)
            return std::max(to, std::min(from, 0));
        return std::min(to, std::max(from, room));
    };
    const QPoint at(limit(block.x(), dx, panel.width - block.width()),
                    limit(block.y(), dy, panel.height - block.height()));
    const QPoint delta = at - block.topLeft();
    if (delta.isNull())
        return;
    Document::Edit edit(document_, selectionName(QStringLiteral("Move")));
    watchSelection(edit);
    // Presses in a row over the same objects are one step.
    const Selection first = selected_.first();
    edit.MergeId(selected_.size() == 1 ? 1000 + int(first.kind) * 64 + first.slot : 2000);
    for (const Selection &object : selected_)
        EditOperations::SetObjectPosition(m_, screen, object.kind, object.slot,
                                          EditOperations::ObjectPosition(m_, screen, object.kind, object.slot) + delta);
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
