#pragma once

#include "panel/PanelLog.h"
#include "platform/Prompts.h"
#include "render/RunTimeState.h"
#include "render/ScreenRenderer.h"

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QStringList>

#include <optional>

class modVantile;

// The panel of a project, played without the panel: one finger on its
// screens, the devices of its node range on a network of their own, and a
// log of every message it would send. It reads the image only and follows
// it: Refresh after an edit, and the next picture shows the change.
//
// What the panel does (the devices themselves are not modelled):
// - a push-button code sends "press" and turns input k on while the finger
//   is down, then "release" and turns it off;
// - Turn ON / Turn OFF codes switch input k on or off at the press;
// - Goto codes show their screen at the press;
// - "W/Password" codes show the password screen; its keypad takes six digits
//   (CLR clears them), ENT checks them: the right code goes on, a wrong one
//   is refused and shows the access-denied screen until the next touch;
// - touching a slider sets its device's level from the touch point, and
//   dragging follows the finger;
// - the topmost object under the finger takes the touch (TouchTargets);
// - an object whose device lies outside the node range sends all the same;
//   the network has no such device, so nothing follows it.
class VirtualPanel
{
public:
    explicit VirtualPanel(const modVantile &m);

    // Takes up the image as it is now: size, node range, objects. The screen,
    // the states of devices still in the range and the log stay.
    void Refresh();
    // Home screen, every input off and every level 0, no keypad; the log stays.
    void Reset();

    QSize Size() const;
    int Screen() const { return screen_; }
    enum class Showing { Screen, Keypad, AccessDenied };
    Showing Shows() const { return showing_; }
    // The picture the panel shows now.
    const QImage &Picture();

    // The finger. Press returns false, and does nothing, off the screen.
    bool Press(QPoint at);
    void Move(QPoint at);
    void Release();
    bool FingerDown() const { return down_; }

    // Taps the digits on the keypad, then ENT. False when no keypad shows or
    // a character is no digit; then nothing is tapped.
    bool EnterPassword(const QString &digits);

    // The network: every device of the node range (network node numbers).
    QList<int> Nodes() const { return devices_.Nodes(); }
    const RunTimeState &Devices() const { return devices_; }
    // Changes by hand, as if another keypad or the dimmer itself did it: the
    // panel shows them and sends nothing. A node off the network is ignored.
    void SetInput(int node, int input, bool on);
    void SetLevel(int node, int percent);

    const PanelLog &Log() const { return log_; }
    void ClearLog() { log_.Clear(); }
    // Problems of the project met while drawing (a missing background
    // picture), each once, in the words of the picture compilation.
    const QStringList &Notes() const { return notes_.texts; }

private:
    struct Target {
        enum Kind { None, Button, Slider, Key, Dismiss } kind = None;
        int index = 0;
        int screen = 0; // of a button or slider: where it was touched
        int level = -1; // of a slider: the level this touch set last
    };
    class NoteCollector : public MessagePrompt
    {
    public:
        using MessagePrompt::Show;
        Answer Show(const QString &text, const QString &title, Icon, Buttons) override;
        QStringList texts;
    };

    Target hit(QPoint at) const;
    int nodeOf(int deviceOffset) const;
    void setInput(int node, int input, bool on);
    void pressButton(int n);
    void releaseButton(int screen, int n);
    void dragSlider(int n, QPoint at);
    void tapKey(int key);
    void goTo(int screen, const PanelLog::Sender &button);
    void changed() { dirty_ = true; }
    void drawKeypad();

    const modVantile &m_;
    NoteCollector notes_;
    std::optional<ScreenRenderer> renderer_; // made afresh by Refresh: background files may have changed
    RunTimeState devices_;
    PanelLog log_;
    int screen_ = 0;
    Showing showing_ = Showing::Screen;
    QString entered_;        // digits on the keypad
    int passwordButton_ = 0; // the button that asked for the password
    Target finger_;          // what the finger pressed, when down
    bool down_ = false;
    QImage picture_;
    bool dirty_ = true;
};
