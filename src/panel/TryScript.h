#pragma once

#include <QString>

#include <optional>

class VirtualPanel;

// The steps of "quellix try", one a line, run on a virtual panel; "#" starts
// a comment. Coordinates are panel pixels, NODE two hexadecimal digits,
// INPUT 1 - 8:
//   tap X Y               press and release
//   press X Y / release
//   drag X1 Y1 X2 Y2      press, move, release
//   keypad DIGITS         the digits on the keypad that shows, then ENT
//   set NODE INPUT on|off by hand, as another keypad would
//   level NODE PERCENT    by hand, as the dimmer would
//   shot NAME             the panel's picture into FOLDER/NAME.png
namespace TryScript
{

struct Failure {
    int line = 0; // 1-based
    QString message;
};

// Far more steps than anybody types; a longer file is no script.
constexpr qint64 MaxScriptBytes = 1 << 20;

// Reads a script file: a regular file of at most MaxScriptBytes.
bool Read(const QString &path, QString *script, QString *error);

// Runs the steps in order and stops at the first that cannot run.
std::optional<Failure> Run(VirtualPanel &panel, const QString &script, const QString &folder);

} // namespace TryScript
