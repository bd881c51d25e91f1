#pragma once

#include "model/EditOperations.h"

#include <QObject>
#include <QPoint>

#include <functional>

class CanvasHost;
class Document;
class MessagePrompt;
class ObjectSelection;
class QKeyEvent;
class modVantile;

// Moving objects on the canvas: dropped after a drag (the selection moves
// along with the dragged object) or pushed by the arrow keys. Each move is
// one step of the document; a refused drop shows the objects where they are
// stored.
class ObjectPlacement : public QObject
{
    Q_OBJECT
public:
    using DropSource = EditOperations::DropSource;

    // `gridSize`: the step of Shift+arrow, in panel pixels.
    ObjectPlacement(Document &document, MessagePrompt &messages, CanvasHost &canvas, ObjectSelection &selection,
                    std::function<int()> gridSize, QObject *parent);

    // Where the pointer took hold of a canvas control, in canvas pixels.
    void GrabAt(QPoint pixels);
    // A canvas control let go with its corner at `topLeft` (pixels of the
    // drawing area), held at `grab` inside it: the corner lands on the panel
    // pixel it was let go over at any zoom.
    void DropAt(DropSource src, int n, QPoint topLeft, QPoint grab);
    // A drop of canvas object n. iXBase, iYBase: left and top of the drop
    // target in twips (0, 0 for the canvas); iX, iY: the drop point inside
    // the target in twips; the grab offset is taken off.
    void DropObj(DropSource src, int n, int iXBase, int iYBase, double iX, double iY);
    // The arrow keys (Shift: by the grid step), Enter and Escape; false for
    // other keys.
    bool KeyPress(QKeyEvent *event);

signals:
    // Enter: the editor of the current object.
    void EditorWanted(ObjectTables::ObjectKind kind, int slot);

private:
    void dropSelection(DropSource src, int n, double x, double y);
    void nudge(int dx, int dy);

    Document &document_;
    modVantile &m_;
    MessagePrompt &messages_;
    CanvasHost &canvas_;
    ObjectSelection &selection_;
    std::function<int()> gridSize_;
    // The grab offset of the control being dragged, in twips.
    int DragOffsetX = 0, DragOffsetY = 0;
    bool PlacementHintShown = false;
};
