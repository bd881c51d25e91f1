#pragma once

#include "model/ObjectTables.h"

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QRect>

#include <cstdint>
#include <vector>

class modVantile;

// Editing operations of the canvas that only touch the image: creating
// objects, snapping to the grid, the drop arithmetic and the grid lines.
// The main window adds the messages, the redraw and the menu state.
namespace EditOperations
{

using Kind = ObjectTables::ObjectKind;

// Creates an object of the kind in the lowest free slot of the current
// screen, at (0, 0), from the kind's template (LastButton ...) or the
// defaults. Returns the slot, or -1 when every slot is used.
int NewObject(modVantile &m, Kind kind);

// --- objects addressed explicitly ------------------------------------------------

// A slot is used when the first word of its record (type, used flag or
// picture number) is not 0.
bool SlotUsed(const modVantile &m, int screen, Kind kind, int n);
int FirstFreeSlot(const modVantile &m, int screen, Kind kind);
QPoint ObjectPosition(const modVantile &m, int screen, Kind kind, int n);
void SetObjectPosition(modVantile &m, int screen, Kind kind, int n, QPoint topLeft);
// The size of the picture the panel shows for an object: a button's picture
// or, without one, its stored size; a pilot's icon; a slider's picture; a
// value box or bar graph, or the stored area of a fixed text. Empty (not
// valid) where the record names no picture.
QSize PanelPictureSize(const modVantile &m, int screen, Kind kind, int n);
// The area the object covers on the canvas in pixels; empty for an unused slot.
QRect ObjectBounds(const modVantile &m, int screen, Kind kind, int n);
bool ScreenHasObjects(const modVantile &m, int screen);

// The spot on the grid of `grid` pixels, inside `visible`, where an area of
// `size` covers the least of the used objects of the screen but `self`: the
// sum of the areas it shares with each of them. Of spots that cover as much,
// the first row by row from the top left, so the first free spot where there
// is one. The top-left corner of `visible` when the area does not fit in it.
QPoint FreeSpot(const modVantile &m, int screen, Kind kind, int self, QSize size, const QRect &visible, int grid);

// One object record on its own, as copy and paste carry it.
struct ObjectCopy {
    Kind kind = Kind::Button;
    std::vector<int16_t> panel, editor;
};
ObjectCopy CopyObject(const modVantile &m, int screen, Kind kind, int n);
QPoint CopyPosition(const ObjectCopy &copy);
void WriteObject(modVantile &m, int screen, int n, const ObjectCopy &copy);
// The clipboard form: a tag, the kind and the record words. Decoding refuses
// anything that is not exactly one record of a known kind.
QByteArray EncodeObject(const ObjectCopy &copy);
bool DecodeObject(const QByteArray &bytes, ObjectCopy *copy);
extern const char *const ObjectMimeType;

// Several objects at once (a tag, their number, then kind and words of
// each); one object is written in the form of one. Decoding takes either
// form and refuses anything else whole.
QByteArray EncodeObjects(const QList<ObjectCopy> &copies);
bool DecodeObjects(const QByteArray &bytes, QList<ObjectCopy> *copies);

// Objects (panel words 0 - 975, never the device options), editor block and
// background of one screen onto another.
void CopyScreen(modVantile &m, int from, int to);

// Positions saved by the last snap, one pair per record of the screen, kind
// by kind in slot order, for Undo Snap.
struct SnapUndo {
    struct Position {
        int16_t left = 0;
        int16_t top = 0;
    };
    std::vector<Position> positions;
};

// Moves every record of the current screen, used or not, left and up onto
// the grid of `size` pixels, saving the old positions in *undo. Both return
// whether any position changed.
bool SnapToGrid(modVantile &m, int size, SnapUndo *undo);
bool UndoSnapToGrid(modVantile &m, const SnapUndo &undo);

// Positions (pixels) of the grid lines for a display of the given size: the
// first line lies at `size`, at most 101 lines per direction.
struct GridLines {
    QList<int> horizontal; // y of each line, running from x 0 to displayWidth
    QList<int> vertical;   // x of each line, running from y 0 to displayHeight
};
GridLines GridLinePositions(int displayWidth, int displayHeight, int size);

// Rounds to the nearest integer, halves to the even neighbour.
int RoundHalfEven(double value);

// The source of a drop: a canvas control and its object number.
enum class DropSource { ButtonPicture, ButtonCaption, Pilot, Slider, TextBox };

// One object of a screen, by kind and slot; slot -1 for none.
struct ObjectRef {
    Kind kind = Kind::Button;
    int slot = -1;
    bool operator==(const ObjectRef &other) const = default;
};

// Stores the position of a dropped object. x, y: the proposed top-left
// corner of the dragged control in twips. Returns false (and writes
// nothing) when the object would start left of or above the canvas.
bool StoreDrop(modVantile &m, DropSource source, int n, double x, double y);

} // namespace EditOperations
