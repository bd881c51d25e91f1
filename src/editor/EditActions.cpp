#include "editor/EditActions.h"

#include "editor/CanvasHost.h"
#include "editor/CanvasView.h"
#include "editor/ObjectSelection.h"
#include "editor/SettingsLists.h"
#include "model/ObjectNames.h"
#include "model/Settings.h"
#include "model/SettingsPreferences.h"
#include "model/modVantile.h"
#include "platform/Prompts.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QVBoxLayout>

#include <algorithm>

using EditOperations::Kind;

EditActions::EditActions(Document &document, MessagePrompt &messages, CanvasHost &canvas, SettingsLists &lists,
                         ObjectSelection &selection, std::function<int(QDialog &)> runDialog, QWidget *window)
    : QObject(window), document_(document), m_(document.Model()), messages_(messages), canvas_(canvas), lists_(lists),
      selection_(selection), runDialog_(std::move(runDialog)), window_(window)
{
    connect(&selection_, &ObjectSelection::Changed, this, &EditActions::selectionChanged);
    QUndoStack &stack = document_.UndoStack();
    connect(&stack, &QUndoStack::indexChanged, this, &EditActions::updateUndoActions);
    connect(&stack, &QUndoStack::cleanChanged, this, &EditActions::updateUndoActions);
}

// --- the menu ---------------------------------------------------------------------

void EditActions::BuildMenu(QMenu *edit)
{
    // The keys are the scheme's (KeySchemes).
    auto action = [this, edit](const char *name, const QString &caption, void (EditActions::*slot)()) {
        QAction *a = edit->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    mnuUndo = action("mnuUndo", QStringLiteral("&Undo"), &EditActions::mnuUndo_Click);
    mnuRedo = action("mnuRedo", QStringLiteral("&Redo"), &EditActions::mnuRedo_Click);
    edit->addSeparator();
    mnuCut = action("mnuCut", QStringLiteral("Cut"), &EditActions::mnuCut_Click);
    mnuCopy = action("mnuCopy", QStringLiteral("Copy"), &EditActions::mnuCopy_Click);
    mnuPaste = action("mnuPaste", QStringLiteral("Paste"), &EditActions::mnuPaste_Click);
    mnuDuplicate = action("mnuDuplicate", QStringLiteral("Duplicate"), &EditActions::mnuDuplicate_Click);
    mnuDelete = action("mnuDelete", QStringLiteral("Delete"), &EditActions::mnuDelete_Click);
    edit->addSeparator();
    mnuNewButton = action("mnuNewButton", QStringLiteral("New Button"), &EditActions::mnuNewButton_Click);
    mnuNewPilot = action("mnuNewPilot", QStringLiteral("New Pilot"), &EditActions::mnuNewPilot_Click);
    mnuNewSlider = action("mnuNewSlider", QStringLiteral("New Slider"), &EditActions::mnuNewSlider_Click);
    mnuNewText = action("mnuNewText", QStringLiteral("New Text"), &EditActions::mnuNewText_Click);
    edit->addSeparator();
    mnuClearScreen = action("mnuClearScreen", QStringLiteral("Clear Screen"), &EditActions::mnuClearScreen_Click);
    mnuCopyScreen = action("mnuCopyScreen", QStringLiteral("Copy Screen To..."), &EditActions::mnuCopyScreen_Click);
    edit->addSeparator();
    // The action toggles its own check mark.
    mnuShowGrid = edit->addAction(QStringLiteral("Show Grid"));
    mnuShowGrid->setObjectName(QStringLiteral("mnuShowGrid"));
    mnuShowGrid->setCheckable(true);
    connect(mnuShowGrid, &QAction::triggered, this, &EditActions::GridChanged);

    // The check marks of the size and colour items are kept by their action groups.
    mnuGridSize0 = edit->addMenu(QStringLiteral("Grid Size"));
    mnuGridSize0->setObjectName(QStringLiteral("mnuGridSize0"));
    auto *sizes = new QActionGroup(this);
    for (int i = 0; i < 4; ++i) {
        QAction *a = mnuGridSize0->addAction(QStringLiteral("%1 x %1").arg(Settings::GridSteps[i]));
        a->setObjectName(QStringLiteral("mnuGridSize_%1").arg(i));
        a->setCheckable(true);
        a->setChecked(i == 0);
        sizes->addAction(a);
        connect(a, &QAction::triggered, this, &EditActions::GridChanged);
        mnuGridSize[size_t(i)] = a;
    }

    mnuGridColor0 = edit->addMenu(QStringLiteral("Grid Color"));
    mnuGridColor0->setObjectName(QStringLiteral("mnuGridColor0"));
    auto *colors = new QActionGroup(this);
    for (int i = 0; i < 3; ++i) {
        QAction *a = mnuGridColor0->addAction(Settings::GridColorNames()[i]);
        a->setObjectName(QStringLiteral("mnuGridColor_%1").arg(i));
        a->setCheckable(true);
        a->setChecked(i == 1);
        colors->addAction(a);
        connect(a, &QAction::triggered, this, &EditActions::GridColorChanged);
        mnuGridColor[size_t(i)] = a;
    }
    edit->addSeparator();
    mnuSnapToGrid = action("mnuSnapToGrid", QStringLiteral("Snap To Grid"), &EditActions::mnuSnapToGrid_Click);
    mnuUndoSnap = action("mnuUndoSnap", QStringLiteral("Undo Snap"), &EditActions::mnuUndoSnap_Click);
    mnuUndoSnap->setEnabled(false);
    buildArrangeAndZoom(edit);
    updateUndoActions();
}

// Lining up several objects and the zoom, at the end of the Edit menu.
void EditActions::buildArrangeAndZoom(QMenu *edit)
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
    for (QAction *a : {mnuCut, mnuCopy, mnuDuplicate, mnuDelete})
        a->setEnabled(false);

    edit->addSeparator();
    auto action = [edit](const char *name, const QString &caption) {
        QAction *a = edit->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    mnuZoomIn = action("mnuZoomIn", QStringLiteral("Zoom In"));
    mnuZoomOut = action("mnuZoomOut", QStringLiteral("Zoom Out"));
    mnuActualSize = action("mnuActualSize", QStringLiteral("Actual Size"));
    mnuZoomFit = action("mnuZoomFit", QStringLiteral("Fit"));
    connect(mnuZoomIn, &QAction::triggered, this, &EditActions::mnuZoomIn_Click);
    connect(mnuZoomOut, &QAction::triggered, this, &EditActions::mnuZoomOut_Click);
    connect(mnuActualSize, &QAction::triggered, this, [this] { emit ZoomWanted(100); });
    connect(mnuZoomFit, &QAction::triggered, this, &EditActions::ZoomToFitWanted);
}

// --- undo and redo --------------------------------------------------------------

void EditActions::updateUndoActions()
{
    if (!mnuUndo)
        return;
    const QUndoStack &stack = document_.UndoStack();
    mnuUndo->setEnabled(stack.canUndo());
    mnuRedo->setEnabled(stack.canRedo());
    // A step that is an undo itself ("Undo Snap") keeps its own name.
    const QString undo = stack.undoText();
    mnuUndo->setText(!stack.canUndo()                          ? QStringLiteral("&Undo")
                     : undo.startsWith(QLatin1String("Undo ")) ? QLatin1Char('&') + undo
                                                               : QStringLiteral("&Undo ") + undo);
    mnuRedo->setText(stack.canRedo() ? QStringLiteral("&Redo ") + stack.redoText() : QStringLiteral("&Redo"));
}

// A step on another screen is undone where the user can see it.
void EditActions::mnuUndo_Click()
{
    if (!document_.UndoStack().canUndo())
        return;
    const int screen = document_.UndoScreen();
    if (screen >= 0 && screen != m_.CurrentScreen)
        emit ScreenWanted(screen);
    document_.UndoStack().undo();
}

void EditActions::mnuRedo_Click()
{
    if (!document_.UndoStack().canRedo())
        return;
    const int screen = document_.RedoScreen();
    if (screen >= 0 && screen != m_.CurrentScreen)
        emit ScreenWanted(screen);
    document_.UndoStack().redo();
}

void EditActions::selectionChanged()
{
    if (!mnuArrange)
        return;
    mnuArrange->setEnabled(selection_.Size() >= 2);
    for (QAction *a : {mnuCut, mnuCopy, mnuDuplicate, mnuDelete})
        a->setEnabled(!selection_.IsEmpty());
}

// --- copy and paste -------------------------------------------------------------

void EditActions::fullMessage(ObjectKind kind, const QString &title)
{
    static const char *const texts[] = {"All Buttons Used.", "All Pilots Used.", "All Sliders Used.",
                                        "All Text Objects Used."};
    messages_.Show(QString::fromLatin1(texts[size_t(kind)]), title, MessagePrompt::Icon::Information);
}

void EditActions::mnuCopy_Click()
{
    if (selection_.IsEmpty())
        return;
    QList<EditOperations::ObjectCopy> copies;
    QStringList lines;
    for (const Selection &object : selection_.Objects()) {
        copies << EditOperations::CopyObject(m_, m_.CurrentScreen, object.kind, object.slot);
        lines << lists_.Line(object.kind, object.slot)->text();
    }
    auto *data = new QMimeData;
    data->setData(QLatin1String(EditOperations::ObjectMimeType), EditOperations::EncodeObjects(copies));
    data->setText(lines.join(QLatin1Char('\n')));
    QGuiApplication::clipboard()->setMimeData(data);
}

void EditActions::mnuPaste_Click()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QList<EditOperations::ObjectCopy> copies;
    if (!data || !EditOperations::DecodeObjects(data->data(QLatin1String(EditOperations::ObjectMimeType)), &copies))
        return;
    placeCopies(copies, QStringLiteral("Paste"));
}

void EditActions::mnuDuplicate_Click()
{
    QList<EditOperations::ObjectCopy> copies;
    for (const Selection &object : selection_.Objects())
        copies << EditOperations::CopyObject(m_, m_.CurrentScreen, object.kind, object.slot);
    if (!copies.isEmpty())
        placeCopies(copies, QStringLiteral("Duplicate"));
}

// Copies go into the lowest free slots of their kinds, all or none, one grid
// step down and right of the originals where the user sees them; a single
// copy that would not be seen there takes the first free visible spot, a
// group the first grid point in view.
void EditActions::placeCopies(const QList<EditOperations::ObjectCopy> &copies, const QString &verb)
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
    const QRect visible = canvas_.View()->VisibleArea();
    const int grid = GridSize();
    const QPoint step(grid, grid);
    QPoint move = step;
    if (placed.size() == 1) {
        const Selection only = placed[0];
        const QPoint from = EditOperations::CopyPosition(copies[0]);
        const QRect bounds = EditOperations::ObjectBounds(m_, screen, only.kind, only.slot);
        if (!visible.contains(QRect(from + step, bounds.size().boundedTo(visible.size()))))
            move = EditOperations::FreeSpot(m_, screen, only.kind, only.slot, bounds.size(), visible, grid) - from;
    } else if (!visible.contains(group.translated(step))) {
        move = QPoint((visible.left() + grid - 1) / grid * grid, (visible.top() + grid - 1) / grid * grid) -
               group.topLeft();
    }
    for (qsizetype i = 0; i < copies.size(); ++i)
        EditOperations::SetObjectPosition(m_, screen, placed[i].kind, placed[i].slot,
                                          EditOperations::CopyPosition(copies[i]) + move);
    edit.Commit();
    selection_.Set(placed);
}

// Copy, then Delete as one step of its own name.
void EditActions::mnuCut_Click()
{
    mnuCopy_Click();
    removeSelected(QStringLiteral("Cut"));
}

void EditActions::mnuDelete_Click()
{
    removeSelected(QStringLiteral("Delete"));
}

void EditActions::removeSelected(const QString &verb)
{
    if (selection_.IsEmpty())
        return;
    const int screen = m_.CurrentScreen;
    Document::Edit edit(document_, selection_.StepName(verb));
    selection_.Watch(edit);
    // As the editors' Remove does: the slot is free, its settings stay for a later use.
    for (const Selection &object : selection_.Objects()) {
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
    selection_.SelectNone();
}

// --- lining up -----------------------------------------------------------------------

void EditActions::mnuArrange_Click(Arrange::Operation operation)
{
    const QList<Selection> selected = selection_.Objects();
    if (selected.size() < 2)
        return;
    const int screen = m_.CurrentScreen;
    QList<Arrange::Item> items;
    for (const Selection &object : selected) {
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
    selection_.Watch(edit);
    for (qsizetype i = 0; i < selected.size(); ++i) {
        const Selection object = selected[i];
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

void EditActions::newObject(Kind kind)
{
    static const char *const titles[] = {"New Button", "New Pilot", "New Slider", "New Text"};
    const int screen = m_.CurrentScreen;
    const int slot = EditOperations::FirstFreeSlot(m_, screen, kind);
    DisableUndoSnap();
    if (slot < 0) {
        fullMessage(kind, QString::fromLatin1(titles[size_t(kind)]));
        return;
    }
    Document::Edit edit(document_, QStringLiteral("New ") + ObjectName(kind, slot));
    edit.Object(screen, kind, slot);
    EditOperations::NewObject(m_, kind);
    const QSize size = EditOperations::ObjectBounds(m_, screen, kind, slot).size();
    EditOperations::SetObjectPosition(
        m_, screen, kind, slot,
        EditOperations::FreeSpot(m_, screen, kind, slot, size, canvas_.View()->VisibleArea(), GridSize()));
    edit.Commit();
    selection_.Select(kind, slot);
}

void EditActions::mnuNewButton_Click()
{
    newObject(Kind::Button);
}

void EditActions::mnuNewPilot_Click()
{
    newObject(Kind::Pilot);
}

void EditActions::mnuNewSlider_Click()
{
    newObject(Kind::Slider);
}

void EditActions::mnuNewText_Click()
{
    newObject(Kind::Text);
}

// --- whole screens ------------------------------------------------------------------

void EditActions::mnuClearScreen_Click()
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
    DisableUndoSnap();
}

void EditActions::mnuCopyScreen_Click()
{
    const int source = m_.CurrentScreen;
    QDialog dialog(window_);
    dialog.setObjectName(QStringLiteral("frmCopyScreen"));
    dialog.setWindowTitle(QStringLiteral("Copy Screen To"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *label = new QLabel(
        QStringLiteral("Copy the objects and the background of screen %1 to:").arg(ScreenName(source)), &dialog);
    layout->addWidget(label);
    auto *targets = new QComboBox(&dialog);
    targets->setObjectName(QStringLiteral("cboTargetScreen"));
    const QStringList screens = Settings::ScreenEntries();
    for (int s = 0; s < modVantile::ScreenCount; ++s)
        if (s != source)
            targets->addItem(screens[s], s);
    layout->addWidget(targets);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (runDialog_(dialog) != QDialog::Accepted || targets->currentIndex() < 0)
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

// --- grid, snap and zoom ----------------------------------------------------------

bool EditActions::GridShown() const
{
    return mnuShowGrid->isChecked();
}

int EditActions::GridSize() const
{
    for (size_t i = mnuGridSize.size(); i-- > 1;)
        if (mnuGridSize[i]->isChecked())
            return Settings::GridSteps[i];
    return Settings::GridSteps[0];
}

QColor EditActions::GridColor() const
{
    if (mnuGridColor[2]->isChecked())
        return QColor(0xFF, 0xFF, 0xFF);
    if (mnuGridColor[1]->isChecked())
        return QColor(0x80, 0x80, 0x80);
    return QColor(0, 0, 0);
}

void EditActions::SetGrid(int size, int colorIndex)
{
    for (size_t i = 0; i < mnuGridSize.size(); ++i)
        if (Settings::GridSteps[i] == size && !mnuGridSize[i]->isChecked()) {
            mnuGridSize[i]->setChecked(true);
            emit GridChanged();
        }
    if (colorIndex >= 0 && size_t(colorIndex) < mnuGridColor.size() && !mnuGridColor[size_t(colorIndex)]->isChecked()) {
        mnuGridColor[size_t(colorIndex)]->setChecked(true);
        emit GridColorChanged();
    }
}

int EditActions::GridColorIndex() const
{
    for (size_t i = 0; i < mnuGridColor.size(); ++i)
        if (mnuGridColor[i]->isChecked())
            return int(i);
    return 0;
}

void EditActions::DisableUndoSnap()
{
    mnuUndoSnap->setEnabled(false);
}

void EditActions::mnuSnapToGrid_Click()
{
    mnuUndoSnap->setEnabled(true);
    Document::Edit edit(document_, QStringLiteral("Snap To Grid"));
    edit.Screen(m_.CurrentScreen);
    EditOperations::SnapToGrid(m_, GridSize(), &snapUndo_);
    edit.Commit();
}

void EditActions::mnuUndoSnap_Click()
{
    mnuUndoSnap->setEnabled(false);
    Document::Edit edit(document_, QStringLiteral("Undo Snap"));
    edit.Screen(m_.CurrentScreen);
    EditOperations::UndoSnapToGrid(m_, snapUndo_);
    edit.Commit();
}

void EditActions::ShowZoom(int zoom)
{
    mnuZoomIn->setEnabled(zoom < CanvasHost::ZoomSteps.back());
    mnuZoomOut->setEnabled(zoom > CanvasHost::ZoomSteps.front());
}

void EditActions::mnuZoomIn_Click()
{
    const auto &steps = CanvasHost::ZoomSteps;
    const auto next = std::upper_bound(steps.begin(), steps.end(), canvas_.View()->Zoom());
    if (next != steps.end())
        emit ZoomWanted(*next);
}

void EditActions::mnuZoomOut_Click()
{
    const auto &steps = CanvasHost::ZoomSteps;
    const auto next = std::lower_bound(steps.begin(), steps.end(), canvas_.View()->Zoom());
    if (next != steps.begin())
        emit ZoomWanted(*(next - 1));
}
