#pragma once

// What the benchmarks share: prompts that never wait for anybody, a screen
// with every object slot in use, and the median of the times measured.
#include "model/EditOperations.h"
#include "model/modVantile.h"
#include "platform/Prompts.h"

#include <algorithm>
#include <vector>

// Answers every question with `answer` at once.
class SilentMessages : public MessagePrompt
{
public:
    explicit SilentMessages(Answer answer = Answer::Yes) : answer_(answer) {}
    using MessagePrompt::Show;
    Answer Show(const QString &, const QString &, Icon, Buttons) override { return answer_; }

private:
    Answer answer_;
};

// Every file dialog is cancelled.
class NoFiles : public FileDialogPrompt
{
public:
    QString ShowOpen(const QString &, const QString &) override { return {}; }
    QString ShowSave(const QString &, const QString &, const QString &) override { return {}; }
};

// Every object slot of `screen` in use, buttons with a picture each; the
// screen stays selected.
inline void UseEverySlot(modVantile &m, int screen)
{
    using EditOperations::Kind;
    m.SelectScreen(screen);
    for (Kind kind : {Kind::Button, Kind::Pilot, Kind::Slider, Kind::Text})
        while (EditOperations::NewObject(m, kind) >= 0) {
        }
    for (int n = 0; n < modVantile::ButtonCount; ++n)
        m.SetButtonPicture(n, 1 + n % 32);
}

// The middle one of the times measured.
inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
