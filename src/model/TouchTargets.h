#pragma once

#include "model/ObjectTables.h"

#include <QRect>

#include <vector>

class modVantile;

// Which object of a screen takes a touch on the panel. The panel draws
// buttons, then sliders, each kind in slot order, so a later one lies on
// top; it asks them the other way round: sliders from the last slot down,
// then buttons from the last slot down, and the first whose area holds the
// touch point takes it. Buttons answer over their stored width and height,
// to the edges the download gives the panel (a touch area without a picture
// too); sliders over their picture. Pilots and texts do not answer.
namespace TouchTargets
{

struct Target {
    ObjectTables::ObjectKind kind = ObjectTables::ObjectKind::Button;
    int slot = 0;
    QRect area; // empty when no point lies inside its edges
};

// The objects of `screen` that answer a touch, in the order the panel asks them.
std::vector<Target> InPanelOrder(const modVantile &m, int screen);

} // namespace TouchTargets
