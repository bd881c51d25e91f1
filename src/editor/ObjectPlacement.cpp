#include "editor/ObjectPlacement.h"

#include "editor/CanvasHost.h"
#include "editor/ObjectSelection.h"
#include "model/Document.h"
#include "model/ObjectNames.h"
#include "model/Settings.h"
#include "model/SettingsPreferences.h"
#include "model/modVantile.h"
#include "platform/Prompts.h"

#include <QKeyEvent>

#include <algorithm>

using EditOperations::Kind;
using Selection = EditOperations::ObjectRef;

ObjectPlacement::ObjectPlacement(Document &document, MessagePrompt &messages, CanvasHost &canvas,
                                 ObjectSelection &selection, std::function<int()> gridSize, QObject *parent)
    : QObject(parent), document_(document), m_(document.Model()), messages_(messages), canvas_(canvas),
      selection_(selection), gridSize_(std::move(gridSize))
{
}

namespace
{
Kind kindOf(EditOperations::DropSource src)
{
    using DropSource = EditOperations::DropSource;
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

void ObjectPlacement::GrabAt(QPoint pixels)
{
    DragOffsetX = EditOperations::RoundHalfEven(canvas_.ToTwips(pixels.x()));
    DragOffsetY = EditOperations::RoundHalfEven(canvas_.ToTwips(pixels.y()));
}

void ObjectPlacement::DropAt(DropSource src, int n, QPoint topLeft, QPoint grab)
{
    GrabAt(grab);
    // The drop point is where the control's corner went plus the grab
    // offset (at actual size simply the mouse position).
    DropObj(src, n, 0, 0, canvas_.ToTwips(topLeft.x()) + DragOffsetX, canvas_.ToTwips(topLeft.y()) + DragOffsetY);
}

void ObjectPlacement::DropObj(DropSource src, int n, int iXBase, int iYBase, double iX, double iY)
{
    // Once per installation; a settings file that cannot be written shows it once per run.
    if (src == DropSource::ButtonCaption && !PlacementHintShown) {
        PlacementHintShown = true;
        if (!Settings::DragHintShown()) {
            Settings::MarkDragHintShown();
            messages_.Show(QStringLiteral("For ease of placement, drag buttons by the upper or left edges"),
                           QStringLiteral("Button Placement"), MessagePrompt::Icon::Information);
        }
    }
    const double x = iXBase + iX - DragOffsetX;
    const double y = iYBase + iY - DragOffsetY;
    const Kind kind = kindOf(src);
    if (selection_.Size() > 1 && selection_.Contains(kind, n)) {
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
        selection_.Select(kind, n);
}

// The dragged object lands by the rule of a single drop; the others of the
// selection move as far. Refused whole when any would start left of or
// above the canvas.
void ObjectPlacement::dropSelection(DropSource src, int n, double x, double y)
{
    const int screen = m_.CurrentScreen;
    const Kind kind = kindOf(src);
    Document::Edit edit(document_, selection_.StepName(QStringLiteral("Move")));
    selection_.Watch(edit);
    const QPoint before = EditOperations::ObjectPosition(m_, screen, kind, n);
    bool stored = EditOperations::StoreDrop(m_, src, n, x, y);
    if (stored) {
        const QPoint delta = EditOperations::ObjectPosition(m_, screen, kind, n) - before;
        for (const Selection &object : selection_.Objects()) {
            const QPoint to = EditOperations::ObjectPosition(m_, screen, object.kind, object.slot) + delta;
            if (!(object == Selection{kind, n}) && (to.x() < 0 || to.y() < 0))
                stored = false;
        }
        if (stored) {
            for (const Selection &object : selection_.Objects())
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

bool ObjectPlacement::KeyPress(QKeyEvent *event)
{
    const int step = event->modifiers() & Qt::ShiftModifier ? gridSize_() : 1;
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
        if (!selection_.IsEmpty())
            emit EditorWanted(selection_.Current().kind, selection_.Current().slot);
        break;
    case Qt::Key_Escape:
        selection_.SelectNone();
        break;
    default:
        return false;
    }
    return true;
}

// Moves the selection, never out of the screen; objects already reaching
// past an edge may still move back in. Several objects move as one block.
void ObjectPlacement::nudge(int dx, int dy)
{
    if (selection_.IsEmpty())
        return;
    const int screen = m_.CurrentScreen;
    const QRect block = selection_.Bounds();
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
    Document::Edit edit(document_, selection_.StepName(QStringLiteral("Move")));
    selection_.Watch(edit);
    // Presses in a row over the same objects are one step.
    const QList<Selection> objects = selection_.Objects();
    const Selection first = objects.first();
    edit.MergeId(objects.size() == 1 ? 1000 + int(first.kind) * 64 + first.slot : 2000);
    for (const Selection &object : objects)
        EditOperations::SetObjectPosition(m_, screen, object.kind, object.slot,
                                          EditOperations::ObjectPosition(m_, screen, object.kind, object.slot) + delta);
    edit.Commit();
}
