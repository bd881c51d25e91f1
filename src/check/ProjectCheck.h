#pragma once

#include "model/ObjectTables.h"

#include <QByteArray>
#include <QRect>
#include <QString>

#include <vector>

class modVantile;

// The project check: a read-only walk over every screen of a project that
// finds what would go wrong on site (objects off the screen, devices outside
// the node range, missing backgrounds, damaged values, unreachable screens,
// overlapping touch objects, captions that do not fit ...). It never selects
// a screen or writes to the image, so the editor can run it on the live project.
namespace Check
{

enum class Severity { Error, Warning, Note };
using ObjectTables::ObjectKind;

// What was found; the command line prints it as a stable identifier.
enum class Code {
    // errors
    OutsideScreen,
    DeviceBeyondRange,
    NodeBeyondLast,
    RangeBeyondLast,
    BackgroundMissing,
    BackgroundNotStorable,
    DamagedValue,
    // warnings
    GotoEmptyScreen,
    ScreenUnreachable,
    NoWayOut,
    TouchOverlap,
    Untouchable,
    CaptionDoesNotFit,
    TextDoesNotFit,
    InputPushAndSwitched,
    PasswordZero,
    // notes
    PilotNotSwitched,
    SliderWithoutDisplay,
    DisplayWithoutSlider,
    ProjectEmpty,
};

// An object of a screen: kind and slot (0-based, as the settings lists hold
// them). Slot -1 is the screen as a whole, screen -1 the project.
struct ObjectRef {
    int screen = -1;
    ObjectKind kind = ObjectKind::Button;
    int slot = -1;
    bool operator==(const ObjectRef &) const = default;
    bool IsObject() const { return screen >= 0 && slot >= 0; }
};
inline ObjectRef WholeScreen(int screen)
{
    return {screen, ObjectKind::Button, -1};
}

struct Finding {
    Severity severity = Severity::Note;
    Code code = Code::DamagedValue;
    ObjectRef where;
    QString sentence;
};

// Without `withPasswords` no finding gives a digit of a password (the
// report, unless asked for them).
std::vector<Finding> ProjectCheck(const modVantile &m, bool withPasswords = true);

// Errors, warnings and notes among the findings.
struct Counts {
    int errors = 0, warnings = 0, notes = 0;
};
Counts CountFindings(const std::vector<Finding> &findings);
QString CountsText(const Counts &counts); // "1 error, 2 warnings, 0 notes"

// Names as the program shows them everywhere: "error", the place (objects
// numbered by ObjectNames), the finding as one line "error screen 03 button 5: ...".
QString SeverityName(Severity s);
QString CodeName(Code c);                   // "object-outside-screen"
QString ScreenTitle(int screen);            // "Home", "Screen 03"
QString PlaceLabel(const ObjectRef &where); // "screen 03 button 5", "screen 03", "project"
QString FindingLine(const Finding &f);
// A JSON array, one object per finding.
QByteArray FindingsJson(const std::vector<Finding> &findings);

// The area an object covers on its screen, in panel pixels: its picture, the
// stored size of a touch area or a text area, the value-box or bar-graph
// picture; for a fixed text also its text as drawn. Empty when the record
// shows nothing (a damaged picture number).
QRect ObjectArea(const modVantile &m, const ObjectRef &object);
// The screen of the project's resolution and orientation.
QRect ScreenArea(const modVantile &m);

// The reason a screen's picture background cannot be drawn (it is missing
// or no readable picture); empty when it can, or for a colour.
QString BackgroundProblem(const QString &background, const modVantile &m);
// The reason a background string cannot be stored in a project file (a
// character outside Windows-1252, or too long); empty when it can.
QString BackgroundStorageProblem(const QString &background);

} // namespace Check
