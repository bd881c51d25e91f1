#include "model/EditOperations.h"

#include "assets/PictureSets.h"
#include "model/modVantile.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <functional>

namespace EditOperations
{

namespace
{

int lowestFree(int count, const std::function<bool(int)> &isFree)
{
    for (int n = 0; n < count; ++n)
        if (isFree(n))
            return n;
    return -1;
}

} // namespace

int NewObject(modVantile &m, Kind kind)
{
    switch (kind) {
    case Kind::Button: {
        const int n = lowestFree(modVantile::ButtonCount, [&](int i) { return m.GetButtonType(i) == 0; });
        if (n < 0)
            return n;
        const int t = m.LastButton;
        const bool copy = t >= 0;
        m.SetButtonType(n, copy ? m.GetButtonType(t) : 1);
        m.SetButtonLeft(n, 0);
        m.SetButtonTop(n, 0);
        m.SetButtonDevice(n, copy ? m.GetButtonDevice(t) : 0);
        m.SetButtonPassword(n, copy ? m.GetButtonPassword(t) : 0);
        m.SetButtonPicture(n, copy ? m.GetButtonPicture(t) : 1);
        m.SetButtonWidth(n, copy ? m.GetButtonWidth(t) : 96);
        m.SetButtonHeight(n, copy ? m.GetButtonHeight(t) : 32);
        m.SetButtonTextColor(n, copy ? m.GetButtonTextColor(t) : 0);
        m.SetButtonFontSize(n, copy ? m.GetButtonFontSize(t) : 0);
        m.SetButtonText(n, copy ? m.GetButtonText(t) : QStringLiteral("B %1").arg(n + 1, 2, 10, QLatin1Char('0')));
        return n;
    }
    case Kind::Pilot: {
        const int n = lowestFree(modVantile::PilotCount, [&](int i) { return m.GetPilotUsed(i) == 0; });
        if (n < 0)
            return n;
        const int t = m.LastPilot;
        const bool copy = t >= 0;
        m.SetPilotUsed(n, copy ? m.GetPilotUsed(t) : 1);
        m.SetPilotPicture(n, copy ? m.GetPilotPicture(t) : 0);
        m.SetPilotLeft(n, 0);
        m.SetPilotTop(n, 0);
        m.SetPilotDevice(n, copy ? m.GetPilotDevice(t) : 0);
        m.SetPilotInput(n, copy ? m.GetPilotInput(t) : 0);
        return n;
    }
    case Kind::Slider: {
        const int n = lowestFree(modVantile::SliderCount, [&](int i) { return m.GetSliderPicture(i) == 0; });
        if (n < 0)
            return n;
        const int t = m.LastSlider;
        const bool copy = t >= 0;
        const int picture = copy ? m.GetSliderPicture(t) : 1;
        m.SetSliderPicture(n, picture);
        m.SetSliderDevice(n, copy ? m.GetSliderDevice(t) : 0);
        m.SetSliderLeft(n, 0);
        m.SetSliderTop(n, 0);
        // A template with a damaged picture number has no picture: size 0.
        const QSize size = PictureSets::SliderPictureSize(picture - 1);
        m.SetSliderWidth(n, size.isValid() ? size.width() : 0);
        m.SetSliderHeight(n, size.isValid() ? size.height() : 0);
        return n;
    }
    case Kind::Text: {
        const int n = lowestFree(modVantile::TextCount, [&](int i) { return m.GetTextType(i) == 0; });
        if (n < 0)
            return n;
        const int t = m.LastText;
        const bool copy = t >= 0;
        m.SetTextType(n, copy ? m.GetTextType(t) : 1);
        m.SetTextLeft(n, 0);
        m.SetTextTop(n, 0);
        m.SetTextColor(n, copy ? m.GetTextColor(t) : 0);
        m.SetTextFontSize(n, copy ? m.GetTextFontSize(t) : 0);
        m.SetTextWidth(n, copy ? m.GetTextWidth(t) : 128);
        m.SetTextHeight(n, copy ? m.GetTextHeight(t) : 64);
        m.SetTextString(n, copy ? m.GetTextString(t) : QString());
        return n;
    }
    }
    return -1;
}

namespace
{
// Down to the grid line at or before v; a damaged negative value keeps the
// remainder rule of the original arithmetic (truncating modulo).
int snap(int v, int size)
{
    return v - (v % size);
}
} // namespace

bool SnapToGrid(modVantile &m, int size, SnapUndo *undo)
{
    if (size <= 0)
        return false;
    bool changed = false;
    auto place = [&](int left, int top, SnapUndo::Position &saved, auto setLeft, auto setTop) {
        saved = {int16_t(left), int16_t(top)};
        const int l = snap(left, size), t = snap(top, size);
        changed = changed || l != left || t != top;
        setLeft(l);
        setTop(t);
    };
    for (int n = 0; n < 32; ++n)
        place(
            m.GetButtonLeft(n), m.GetButtonTop(n), undo->buttons[n], [&](int v) { m.SetButtonLeft(n, v); },
            [&](int v) { m.SetButtonTop(n, v); });
    for (int n = 0; n < 32; ++n)
        place(
            m.GetPilotLeft(n), m.GetPilotTop(n), undo->pilots[n], [&](int v) { m.SetPilotLeft(n, v); },
            [&](int v) { m.SetPilotTop(n, v); });
    for (int n = 0; n < 8; ++n)
        place(
            m.GetSliderLeft(n), m.GetSliderTop(n), undo->sliders[n], [&](int v) { m.SetSliderLeft(n, v); },
            [&](int v) { m.SetSliderTop(n, v); });
    for (int n = 0; n < 16; ++n)
        place(
            m.GetTextLeft(n), m.GetTextTop(n), undo->texts[n], [&](int v) { m.SetTextLeft(n, v); },
            [&](int v) { m.SetTextTop(n, v); });
    return changed;
}

bool UndoSnapToGrid(modVantile &m, const SnapUndo &undo)
{
    bool changed = false;
    auto restore = [&](int left, int top, const SnapUndo::Position &saved, auto setLeft, auto setTop) {
        changed = changed || left != saved.left || top != saved.top;
        setLeft(saved.left);
        setTop(saved.top);
    };
    for (int n = 0; n < 32; ++n)
        restore(
            m.GetButtonLeft(n), m.GetButtonTop(n), undo.buttons[n], [&](int v) { m.SetButtonLeft(n, v); },
            [&](int v) { m.SetButtonTop(n, v); });
    for (int n = 0; n < 32; ++n)
        restore(
            m.GetPilotLeft(n), m.GetPilotTop(n), undo.pilots[n], [&](int v) { m.SetPilotLeft(n, v); },
            [&](int v) { m.SetPilotTop(n, v); });
    for (int n = 0; n < 8; ++n)
        restore(
            m.GetSliderLeft(n), m.GetSliderTop(n), undo.sliders[n], [&](int v) { m.SetSliderLeft(n, v); },
            [&](int v) { m.SetSliderTop(n, v); });
    for (int n = 0; n < 16; ++n)
        restore(
            m.GetTextLeft(n), m.GetTextTop(n), undo.texts[n], [&](int v) { m.SetTextLeft(n, v); },
            [&](int v) { m.SetTextTop(n, v); });
    return changed;
}

int RoundHalfEven(double value)
{
    // Clamped first: a position far outside any screen must not overflow.
    const double r = std::nearbyint(std::clamp(value, -1.0e9, 1.0e9));
    return int(r);
}

GridLines GridLinePositions(int displayWidth, int displayHeight, int size)
{
    GridLines lines;
    if (size <= 0)
        return lines;
    const int rows = std::min(RoundHalfEven(double(displayHeight) / size - 1), 100);
    for (int j = 0; j <= rows; ++j)
        lines.horizontal << size * (j + 1);
    const int columns = std::min(RoundHalfEven(double(displayWidth) / size - 1), 100);
    for (int j = 0; j <= columns; ++j)
        lines.vertical << size * (j + 1);
    return lines;
}

bool StoreDrop(modVantile &m, DropSource source, int n, double x, double y)
{
    auto toPixels = [](double twips) { return RoundHalfEven(twips / 15.0); };
    switch (source) {
    case DropSource::ButtonCaption: {
        const int dx = m.GetButtonTextX(n);
        if (x - dx < 0)
            return false;
        const int dy = m.GetButtonTextY(n);
        if (y - dy < 0)
            return false;
        m.SetButtonLeft(n, toPixels(x - dx));
        m.SetButtonTop(n, toPixels(y - dy));
        return true;
    }
    default:
        break;
    }
    if (x < 0 || y < 0)
        return false;
    switch (source) {
    case DropSource::ButtonPicture:
        m.SetButtonLeft(n, toPixels(x));
        m.SetButtonTop(n, toPixels(y));
        break;
    case DropSource::Pilot:
        m.SetPilotLeft(n, toPixels(x));
        m.SetPilotTop(n, toPixels(y));
        break;
    case DropSource::Slider:
        m.SetSliderLeft(n, toPixels(x));
        m.SetSliderTop(n, toPixels(y));
        break;
    case DropSource::TextBox:
        m.SetTextLeft(n, toPixels(x));
        m.SetTextTop(n, toPixels(y));
        break;
    case DropSource::ButtonCaption:
        break;
    }
    return true;
}

} // namespace EditOperations
