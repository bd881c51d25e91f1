#pragma once

#include <QList>

#include <array>
#include <cstdint>

class modVantile;

// Editing operations of the canvas that only touch the image: creating
// objects, snapping to the grid, the drop arithmetic and the grid lines.
// The main window adds the messages, the redraw and the menu state.
namespace EditOperations
{

enum class Kind { Button, Pilot, Slider, Text };

// Creates an object of the kind in the lowest free slot of the current
// screen, at (0, 0), from the kind's template (LastButton ...) or the
// defaults. Returns the slot, or -1 when every slot is used.
int NewObject(modVantile &m, Kind kind);

// Positions saved by the last snap, one pair per object, for Undo Snap.
struct SnapUndo {
    struct Position {
        int16_t left = 0;
        int16_t top = 0;
    };
    std::array<Position, 32> buttons{};
    std::array<Position, 32> pilots{};
    std::array<Position, 8> sliders{};
    std::array<Position, 16> texts{};
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

// Stores the position of a dropped object. x, y: the proposed top-left
// corner of the dragged control in twips. Returns false (and writes
// nothing) when the object would start left of or above the canvas.
bool StoreDrop(modVantile &m, DropSource source, int n, double x, double y);

} // namespace EditOperations
