// Edit-menu commands of the main window and the placement of objects on the
// canvas: object creation, clearing the screen, drag and drop, the grid and
// snapping.
#include "editor/CanvasControls.h"
#include "editor/frmVantile.h"
#include "model/modVantile.h"
#include "platform/Prompts.h"

#include <QAction>

using EditOperations::DropSource;
using EditOperations::Kind;

void frmVantile::newObject(Kind kind)
{
    if (EditOperations::NewObject(m_, kind) < 0) {
        static const struct {
            const char *title;
            const char *text;
        } full[] = {{"New Button", "All Buttons Used."},
                    {"New Pilot", "All Pilots Used."},
                    {"New Slider", "All Sliders Used."},
                    {"New Text", "All Text Objects Used."}};
        const auto &box = full[int(kind)];
        messages_.Show(QString::fromLatin1(box.text), QString::fromLatin1(box.title), MessagePrompt::Icon::Information);
    }
    m_.ProjectChanged = true;
    ShowScreen();
    mnuUndoSnap->setEnabled(false);
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

void frmVantile::mnuClearScreen_Click()
{
    const QString name = m_.CurrentScreen == 0 ? QStringLiteral("Home")
                                               : QStringLiteral("%1").arg(m_.CurrentScreen, 2, 10, QLatin1Char('0'));
    const auto answer = messages_.Show(QStringLiteral("Clear All Objects On Screen ") + name + QLatin1Char('?'),
                                       QStringLiteral("Clear Entire Screen"), MessagePrompt::Icon::Question,
                                       MessagePrompt::Buttons::YesNo);
    if (answer != MessagePrompt::Answer::Yes)
        return;
    m_.ClearScreenData();
    m_.ProjectChanged = true;
    // On Home the device options are back to their defaults: resize for them.
    if (m_.CurrentScreen == 0)
        refit();
    ShowScreen();
    mnuUndoSnap->setEnabled(false);
}

// --- drag and drop ------------------------------------------------------------

void frmVantile::connectDrag(CanvasControl *control, DropSource source, int index)
{
    // The grab offset follows the mouse while the button is up and keeps the
    // grab point during a drag.
    connect(control, &CanvasControl::hovered, this, [this, control] {
        DragOffsetX = control->grabPoint().x() * TwipsPerPixel;
        DragOffsetY = control->grabPoint().y() * TwipsPerPixel;
    });
    connect(control, &CanvasControl::dropped, this, [this, control, source, index](QPoint topLeft, bool onCanvas) {
        DragOffsetX = control->grabPoint().x() * TwipsPerPixel;
        DragOffsetY = control->grabPoint().y() * TwipsPerPixel;
        // The part of the canvas panned out of its viewport is not under the mouse.
        const QPoint mouse = topLeft + control->grabPoint();
        if (!onCanvas || !picPan->rect().contains(picSurface->mapTo(picPan, mouse))) {
            // Dropped outside the canvas: nothing happens; put the control back.
            ShowScreen();
            return;
        }
        DropObj(source, index, 0, 0, mouse.x() * TwipsPerPixel, mouse.y() * TwipsPerPixel);
    });
}

void frmVantile::DropObj(DropSource src, int n, int iXBase, int iYBase, double iX, double iY)
{
    if (src == DropSource::ButtonCaption && !PlacementHintShown) {
        PlacementHintShown = true;
        messages_.Show(QStringLiteral("For ease of placement, drag buttons by the upper or left edges"),
                       QStringLiteral("Button Placement"), MessagePrompt::Icon::Information);
    }
    const double x = iXBase + iX - DragOffsetX;
    const double y = iYBase + iY - DragOffsetY;
    if (EditOperations::StoreDrop(m_, src, n, x, y))
        m_.ProjectChanged = true;
    ShowScreen();
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
    if (!mnuShowGrid->isChecked()) {
        picSurface->setGrid({}, {}, GridColor(), {});
        return;
    }
    // The lines span the whole display, not just the canvas.
    const QSize display = DesktopSize();
    const auto lines = EditOperations::GridLinePositions(display.width(), display.height(), GridSize());
    picSurface->setGrid(lines.horizontal, lines.vertical, GridColor(), display);
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
    picSurface->setGrid(picSurface->horizontalGrid(), picSurface->verticalGrid(), GridColor(), DesktopSize());
}

// Snapping moves objects like a drag does: the project must not be closed
// without the question when it did.
void frmVantile::mnuSnapToGrid_Click()
{
    mnuUndoSnap->setEnabled(true);
    if (EditOperations::SnapToGrid(m_, GridSize(), &snapUndo_))
        m_.ProjectChanged = true;
    ShowScreen();
}

void frmVantile::mnuUndoSnap_Click()
{
    mnuUndoSnap->setEnabled(false);
    if (EditOperations::UndoSnapToGrid(m_, snapUndo_))
        m_.ProjectChanged = true;
    ShowScreen();
}
