#pragma once

#include "check/ProjectCheck.h"

#include <QByteArray>
#include <QString>

#include <vector>

class modVantile;

// The function map: for every device the project uses and each of its
// inputs, which objects on which screens press it, switch it on or off or
// show it, and which set or show the device's level.
namespace Check
{

enum class Role { Press, SwitchOn, SwitchOff, Show, SetLevel, ShowLevel };
constexpr int RoleCount = 6;

struct MapEntry {
    Role role;
    ObjectRef object;
};

struct MapRow {
    int device = 0; // offset from the node base address
    int node = 0;   // its node number
    int input = 0;  // 1 - 8; 0 for the device's level
    std::vector<MapEntry> entries;
    // Findings of the check about the objects of this row (conflicts, devices
    // outside the range, pilots nothing switches ...).
    std::vector<Finding> marks;
};

// Rows in node order, the inputs of a device before its level; only rows
// with objects. `findings` are the check's findings, for the marks.
std::vector<MapRow> FunctionMap(const modVantile &m, const std::vector<Finding> &findings);

QString RoleName(Role role);         // "pressed by", "switched on by" ...
QString RowLabel(const MapRow &row); // "node 0F input 3", "node 10 level"
// One line per row, the objects of a use joined by ", ", the uses by "; ":
// "node 0F input 3: pressed by screen 01 button 1, screen 02 button 4; shown by screen 01 pilot 1",
// "node 10 level: set by screen 01 slider 1; shown by screen 01 text 3".
QString MapLine(const MapRow &row);
// Header line and one line per row; a column per role holding "screen 01
// button 1" entries joined by "; ", the marks as finding lines joined by " | ".
QByteArray MapCsv(const std::vector<MapRow> &rows);

} // namespace Check
