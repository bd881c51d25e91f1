#pragma once

#include <QList>
#include <QRect>
#include <QSize>

// Lining up several objects of one screen: where each one goes, and for the
// same-size operations how large it becomes, worked out from the areas the
// objects cover (panel pixels). The window writes the result as one step.
namespace Arrange
{

enum class Operation {
    AlignLeft,
    AlignRight,
    AlignTop,
    AlignBottom,
    AlignHorizontalCentres, // one centre x for all: a column
    AlignVerticalCentres,   // one centre y for all: a row
    DistributeHorizontally, // equal gaps between neighbours, the outer two stay
    DistributeVertically,
    SameWidth,
    SameHeight
};

struct Item {
    QRect area;
    // The object's size is stored in its record and may change (a plain
    // button, a text); the others keep theirs.
    bool resizable = false;
};

// The new areas of `items`, in the same order. Alignment lines up on the
// outermost edge (or the middle of all); the same-size operations take the
// size of the first resizable item. Along the axis an operation works on,
// no result lies off `screen` where the object fits on it at all.
QList<QRect> Apply(Operation operation, const QList<Item> &items, QSize screen);

} // namespace Arrange
