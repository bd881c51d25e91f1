#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>

#include <optional>

class VirtualPanel;

// The steps of "quellix try", one a line, run on a virtual panel; "#" starts
// a comment. Coordinates are panel pixels, NODE two hexadecimal digits,
// INPUT 1 - 8:
//   tap X Y               press and release
//   press X Y / release
//   move X Y              the finger that is down to X Y
//   drag X1 Y1 X2 Y2      press, move, release
//   keypad DIGITS         the digits on the keypad that shows, then ENT
//   set NODE INPUT on|off by hand, as another keypad would
//   level NODE PERCENT    by hand, as the dimmer would
//   reset                 Home, every input off, every level 0
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

// A session on a panel written down as the steps that play it again: Run
// on the same project gives the same log and the same pictures at its
// shots. Every touch and every change by hand goes to the panel through it;
// it writes steps only while it records.
class Recorder
{
public:
    explicit Recorder(VirtualPanel &panel) : panel_(panel) {}

    // Starts with the panel as Run finds it: at rest, its log empty.
    void Start();
    // The steps since Start, one a line; recording goes on.
    QString Script() const;
    void Stop();
    bool Recording() const { return recording_; }

    bool Press(QPoint at);
    void Move(QPoint at);
    void Release();
    void Reset();
    void SetInput(int node, int input, bool on);
    void SetLevel(int node, int percent);
    // A shot step with the next free name ("shot-1", "shot-2" ...), which it returns.
    QString Shot();

private:
    void step(const QString &line);
    void pressNow();

    VirtualPanel &panel_;
    bool recording_ = false;
    QStringList steps_;
    std::optional<QPoint> pressed_; // a press with no step yet: released at once, it is a tap
    int shots_ = 0;
};

} // namespace TryScript
