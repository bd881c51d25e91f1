#include "panel/VirtualPanel.h"

#include "assets/ObjectPictures.h"
#include "assets/RunTimePictures.h"
#include "model/ObjectTables.h"
#include "model/Settings.h"
#include "model/TouchTargets.h"
#include "model/modVantile.h"

#include <QPainter>

using ObjectTables::ButtonAction;

MessagePrompt::Answer VirtualPanel::NoteCollector::Show(const QString &text, const QString &title, Icon, Buttons)
{
    QString note = title + QStringLiteral(": ") + text;
    note.replace(QLatin1String("\r\n"), QLatin1String(": "));
    if (!texts.contains(note))
        texts.append(note);
    return Answer::Ok;
}

VirtualPanel::VirtualPanel(const modVantile &m) : m_(m)
{
    Refresh();
}

void VirtualPanel::Refresh()
{
    renderer_.emplace(m_, notes_);
    RunTimeState devices = RunTimeState::AtRest(m_);
    for (const int node : devices.Nodes()) {
        for (int input = 1; input <= RunTimeState::InputCount; ++input)
            devices.SetInput(node, input, devices_.InputOn(node, input));
        devices.SetLevel(node, devices_.Level(node));
    }
    devices_ = devices;
    changed();
}

void VirtualPanel::Reset()
{
    finger_ = {};
    down_ = false;
    screen_ = 0;
    showing_ = Showing::Screen;
    entered_.clear();
    devices_.Clear();
    Refresh();
}

QSize VirtualPanel::Size() const
{
    const Settings::PanelSize size = Settings::ScreenSize(renderer_->ProjectResolution(), m_.GetLayout());
    return {size.width, size.height};
}

int VirtualPanel::nodeOf(int deviceOffset) const
{
    return ObjectTables::NodeOf(m_.GetNodeAddress(), deviceOffset);
}

const QImage &VirtualPanel::Picture()
{
    if (!dirty_)
        return picture_;
    const QSize size = Size();
    if (showing_ == Showing::Keypad) {
        drawKeypad();
    } else if (showing_ == Showing::AccessDenied) {
        picture_ = RunTimePictures::AccessDenied(size);
    } else {
        renderer_->DrawPanel(screen_, devices_);
        picture_ = renderer_->Canvas().Image().copy();
    }
    dirty_ = false;
    return picture_;
}

void VirtualPanel::drawKeypad()
{
    // The panel's password screen with the field showing how many digits are
    // in, and the key under the finger pressed.
    const QSize size = Size();
    const RunTimePictures::PasswordLayout layout = RunTimePictures::PasswordScreenLayout(size);
    picture_ = RunTimePictures::PasswordScreen(size);
    QPainter p(&picture_);
    p.drawImage(layout.field.topLeft(), RunTimePictures::PasswordField(int(entered_.size())));
    if (finger_.kind == Target::Key)
        p.drawImage(layout.keys[size_t(finger_.index)].topLeft(),
                    RunTimePictures::PressedPasswordKey(size, finger_.index));
}

VirtualPanel::Target VirtualPanel::hit(QPoint at) const
{
    if (showing_ == Showing::AccessDenied)
        return {Target::Dismiss, 0, screen_};
    if (showing_ == Showing::Keypad) {
        const RunTimePictures::PasswordLayout layout = RunTimePictures::PasswordScreenLayout(Size());
        for (size_t k = 0; k < layout.keys.size(); ++k)
            if (layout.keys[k].contains(at))
                return {Target::Key, int(k), screen_};
        return {};
    }
    for (const TouchTargets::Target &t : TouchTargets::InPanelOrder(m_, screen_))
        if (t.area.contains(at))
            return {t.kind == ObjectTables::ObjectKind::Slider ? Target::Slider : Target::Button, t.slot, screen_};
    return {};
}

bool VirtualPanel::Press(QPoint at)
{
    if (!QRect(QPoint(0, 0), Size()).contains(at))
        return false;
    if (down_)
        Release();
    down_ = true;
    finger_ = hit(at);
    switch (finger_.kind) {
    case Target::Button:
        pressButton(finger_.index);
        break;
    case Target::Slider:
        dragSlider(finger_.index, at);
        break;
    case Target::Dismiss:
        showing_ = Showing::Screen;
        break;
    default:
        break;
    }
    changed();
    return true;
}

void VirtualPanel::Move(QPoint at)
{
    if (finger_.kind == Target::Slider)
        dragSlider(finger_.index, at);
}

void VirtualPanel::Release()
{
    const Target target = finger_;
    finger_ = {};
    down_ = false;
    if (target.kind == Target::Button)
        releaseButton(target.screen, target.index);
    else if (target.kind == Target::Key)
        tapKey(target.index);
    changed();
}

void VirtualPanel::pressButton(int n)
{
    const ObjectTables::ButtonFunction f = ObjectTables::DecodeButton(m_.GetButtonType(screen_, n));
    const int node = nodeOf(m_.GetButtonDevice(screen_, n));
    const PanelLog::Sender button{screen_, ObjectTables::ObjectKind::Button, n};
    switch (f.action) {
    case ButtonAction::Push:
        setInput(node, f.input, true);
        log_.Append(PanelLog::Press(node, f.input, button));
        break;
    case ButtonAction::TurnOn:
        setInput(node, f.input, true);
        log_.Append(PanelLog::On(node, f.input, button));
        break;
    case ButtonAction::TurnOff:
        setInput(node, f.input, false);
        log_.Append(PanelLog::Off(node, f.input, button));
        break;
    case ButtonAction::Goto:
        goTo(f.screen, button);
        break;
    case ButtonAction::GotoPassword:
        showing_ = Showing::Keypad;
        entered_.clear();
        passwordButton_ = n;
        break;
    default:
        break;
    }
}

void VirtualPanel::releaseButton(int screen, int n)
{
    // A goto may have changed the screen under the finger: the release
    // belongs to the button pressed, on its own screen.
    const ObjectTables::ButtonFunction f = ObjectTables::DecodeButton(m_.GetButtonType(screen, n));
    if (f.action != ButtonAction::Push)
        return;
    const int node = nodeOf(m_.GetButtonDevice(screen, n));
    setInput(node, f.input, false);
    log_.Append(PanelLog::Release(node, f.input, {screen, ObjectTables::ObjectKind::Button, n}));
}

void VirtualPanel::dragSlider(int n, QPoint at)
{
    const int screen = finger_.screen;
    const int style = m_.GetSliderPicture(screen, n) - 1;
    if (style < 0 || style >= ObjectPictures::SliderStyleCount)
        return;
    const int level = RunTimePictures::SliderLevelAt(style >= 3, at.y() - m_.GetSliderTop(screen, n));
    const int node = nodeOf(m_.GetSliderDevice(screen, n));
    const int before = finger_.level >= 0 ? finger_.level : devices_.Level(node);
    finger_.level = level;
    if (level == before)
        return;
    if (devices_.HasDevice(node))
        devices_.SetLevel(node, level);
    log_.Append(PanelLog::Level(node, level, {screen, ObjectTables::ObjectKind::Slider, n}));
    changed();
}

void VirtualPanel::setInput(int node, int input, bool on)
{
    if (devices_.HasDevice(node))
        devices_.SetInput(node, input, on);
}

void VirtualPanel::tapKey(int key)
{
    const QLatin1String label(RunTimePictures::PasswordScreenKeys[size_t(key)]);
    if (label == QLatin1String("CLR")) {
        entered_.clear();
    } else if (label == QLatin1String("ENT")) {
        const QString password = QStringLiteral("%1").arg(m_.GetButtonPassword(screen_, passwordButton_),
                                                          RunTimePictures::PasswordDigits, 10, QLatin1Char('0'));
        const ObjectTables::ButtonFunction f = ObjectTables::DecodeButton(m_.GetButtonType(screen_, passwordButton_));
        const bool right = f.action == ButtonAction::GotoPassword &&
                           password.size() == RunTimePictures::PasswordDigits && entered_ == password;
        const PanelLog::Sender button{screen_, ObjectTables::ObjectKind::Button, passwordButton_};
        entered_.clear();
        if (right) {
            showing_ = Showing::Screen;
            goTo(f.screen, button);
        } else {
            showing_ = Showing::AccessDenied;
            log_.Append(PanelLog::PasswordRefused(button));
        }
    } else if (entered_.size() < RunTimePictures::PasswordDigits) {
        entered_ += label;
    }
    changed();
}

void VirtualPanel::goTo(int screen, const PanelLog::Sender &button)
{
    screen_ = screen;
    log_.Append(PanelLog::Screen(screen, button));
    changed();
}

bool VirtualPanel::EnterPassword(const QString &digits)
{
    if (showing_ != Showing::Keypad || FingerDown())
        return false;
    for (QChar c : digits)
        if (!c.isDigit() || c.unicode() > '9')
            return false;
    auto keyOf = [](QLatin1String label) {
        for (size_t k = 0; k < RunTimePictures::PasswordScreenKeys.size(); ++k)
            if (label == QLatin1String(RunTimePictures::PasswordScreenKeys[k]))
                return int(k);
        return -1;
    };
    for (QChar c : digits) {
        const char digit[2] = {char(c.unicode()), 0};
        tapKey(keyOf(QLatin1String(digit)));
    }
    tapKey(keyOf(QLatin1String("ENT")));
    return true;
}

void VirtualPanel::SetInput(int node, int input, bool on)
{
    setInput(node, input, on);
    changed();
}

void VirtualPanel::SetLevel(int node, int percent)
{
    if (devices_.HasDevice(node))
        devices_.SetLevel(node, percent);
    changed();
}
