#pragma once

#include "model/ObjectTables.h"

#include <QString>

// How the user reads an object, wherever it is named: by its kind and its
// number (ObjectTables::ObjectNumber, the settings lists' rows counted from
// 1). The virtual panel's log, the check, the function map, the report, the
// status bar, the undo texts and the command line all name slot 7 of the
// buttons "button 8"; none counts by itself.

// "button", "pilot", "slider", "text".
QString KindLabel(ObjectTables::ObjectKind kind);
// "Button 8": undo texts, the status bar, the report's tables.
QString ObjectName(ObjectTables::ObjectKind kind, int slot);
// "button 8": inside lines and sentences (the log, the check, the map).
QString ObjectLabel(ObjectTables::ObjectKind kind, int slot);
// "screen 03"; Home is "screen 00".
QString ScreenLabel(int screen);
// "screen 03 button 8".
QString PlaceLabel(int screen, ObjectTables::ObjectKind kind, int slot);
