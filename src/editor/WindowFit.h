#pragma once

#include <QSize>

class QWidget;

// How large the main window is and how its canvas is shown, from the canvas
// at its zoom and the room on the screen. All sizes in pixels.
//
// The window is laid out as designed: the canvas viewport at the left, the
// four settings lists right of it. Without the lists the window needs only
// the room of the controls above the canvas; docked panels add their width. The window is as large as the designed
// window or as the viewport needs, whichever is larger; a viewport that
// would make it larger than the room it has shrinks (the canvas scrolls
// inside it), but never below the space the designed window keeps for it.
// Whatever still does not fit scrolls as a whole.
namespace WindowFit
{

// What stands beside the canvas: the settings lists right of it (as
// designed) or not, and docked panels (Properties, compact lists) of this
// width at the window's side.
struct Sides {
    bool lists = true;
    int docks = 0;
};

struct Request {
    QSize canvas;   // the whole canvas at its zoom, border included
    QSize view;     // the part of it to show when there is room
    QSize room;     // the most the window may take
    int chrome = 0; // menu bar and status bar together
    Sides sides;
};

struct Result {
    QSize window;
    QSize view; // the canvas viewport
    bool horizontalBar = false;
    bool verticalBar = false;
    int listsShift = 0; // the settings lists, right of their designed place
    QSize content;      // what the controls need below the menu bar
};

// The window a viewport of `view` needs when nothing has to be given up.
QSize WindowFor(QSize view, bool horizontalBar, int chrome, Sides sides = {});
Result Arrange(const Request &request);

// Where the viewport's scroll bars go, left of the lists and below the view.
constexpr int CanvasLeft = 8, CanvasTop = 88;
constexpr int BarSpacing = 4, BarSize = 17;

// A dialog or window larger than `room` gets the room and shows its content
// in a scroll area; one that fits is left as it is.
void FitWindow(QWidget &dialog, QSize room);

} // namespace WindowFit
