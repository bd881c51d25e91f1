#pragma once

#include <QString>
#include <QStringList>

// The part of the settings file (Settings.h) that holds the user's
// preferences; Settings.cpp reads and writes it with the rest of the file.
namespace Settings
{

// The user's preferences, in a section of their own ("Preferences"):
//   Keys=Classic|Standard        the key scheme of the menus
//   Click=Open|Select            a click on an object opens its editor, or selects it
//   GridStep=8|16|32|64          the grid and the step of Shift+arrow
//   GridColor=Black|Gray|White
//   Zoom=Last|50 ... 400         the zoom at start: the one last used, or this one
//   FontSize=Default|12 ...      the interface font in pixels; Default: as the layout was drawn
//   DragHint=Shown               the hint on dragging buttons was shown on this installation
// A missing or unknown value reads as the default (the first choice; Gray).
enum class KeyScheme { Classic, Standard };
enum class ClickMode { Open, Select };
constexpr int GridSteps[] = {8, 16, 32, 64};
const QStringList &GridColorNames(); // "Black", "Gray", "White"
struct Preferences {
    KeyScheme keys = KeyScheme::Classic;
    ClickMode click = ClickMode::Open;
    int gridStep = GridSteps[0];
    int gridColor = 1; // an index of GridColorNames
    int zoom = 0;      // 0: the one last used
    int fontSize = 0;  // 0: the designed size
    bool operator==(const Preferences &) const = default;
};
Preferences ReadPreferences();
bool WritePreferences(const Preferences &preferences, QString *error = nullptr);
// The hint on dragging buttons, shown once per installation.
bool DragHintShown();
bool MarkDragHintShown(QString *error = nullptr);
// Whether the settings file is there at all: a first start has none.
bool SettingsFileExists();

} // namespace Settings
