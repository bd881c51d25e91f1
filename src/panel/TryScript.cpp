#include "panel/TryScript.h"

#include "model/modVantile.h"
#include "panel/VirtualPanel.h"

#include "platform/Files.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QRegularExpression>

namespace TryScript
{

namespace
{

// The names of the steps: Run reads them, Recorder writes them.
namespace Verb
{
constexpr QLatin1String Tap("tap"), Press("press"), Release("release"), Move("move"), Drag("drag"), Keypad("keypad"),
    Set("set"), Level("level"), Reset("reset"), Shot("shot");
} // namespace Verb

// One line of the script. Each check that fails keeps its message and
// returns false, so a step stops at its first problem.
class Step
{
public:
    Step(VirtualPanel &panel, const QStringList &words, const QString &folder)
        : panel_(panel), words_(words), folder_(folder)
    {
    }

    // The message of what kept the step from running; empty when it ran.
    QString Run()
    {
        run();
        return error_;
    }

private:
    bool run()
    {
        const QString &verb = words_[0];
        QPoint at, to;
        int node = 0, number = 0;
        if (verb == Verb::Tap) {
            if (!arguments("tap X Y", 2) || !point(1, &at) || !press(at))
                return false;
            panel_.Release();
        } else if (verb == Verb::Press) {
            return arguments("press X Y", 2) && point(1, &at) && press(at);
        } else if (verb == Verb::Release) {
            if (!arguments("release", 0))
                return false;
            if (!panel_.FingerDown())
                return fail(QStringLiteral("no finger is down"));
            panel_.Release();
        } else if (verb == Verb::Move) {
            if (!arguments("move X Y", 2) || !point(1, &at))
                return false;
            if (!panel_.FingerDown())
                return fail(QStringLiteral("no finger is down"));
            panel_.Move(at);
        } else if (verb == Verb::Drag) {
            if (!arguments("drag X1 Y1 X2 Y2", 4) || !point(1, &at) || !point(3, &to) || !press(at))
                return false;
            panel_.Move(to);
            panel_.Release();
        } else if (verb == Verb::Keypad) {
            static const QRegularExpression digits(QStringLiteral("^[0-9]{1,6}$"));
            if (!arguments("keypad DIGITS", 1))
                return false;
            if (!digits.match(words_[1]).hasMatch())
                return fail(QStringLiteral("DIGITS must be one to six digits"));
            if (panel_.Shows() != VirtualPanel::Showing::Keypad)
                return fail(QStringLiteral("no keypad is showing"));
            if (!fingerUp())
                return false;
            panel_.EnterPassword(words_[1]);
        } else if (verb == Verb::Set) {
            if (!arguments("set NODE INPUT on|off", 3) || !device(1, &node) || !whole(2, 1, 8, "INPUT", &number))
                return false;
            if (words_[3] != QLatin1String("on") && words_[3] != QLatin1String("off"))
                return fail(QStringLiteral("expected on or off, not '%1'").arg(words_[3]));
            panel_.SetInput(node, number, words_[3] == QLatin1String("on"));
        } else if (verb == Verb::Level) {
            if (!arguments("level NODE PERCENT", 2) || !device(1, &node) || !whole(2, 0, 100, "PERCENT", &number))
                return false;
            panel_.SetLevel(node, number);
        } else if (verb == Verb::Reset) {
            if (!arguments("reset", 0))
                return false;
            panel_.Reset();
        } else if (verb == Verb::Shot) {
            return arguments("shot NAME", 1) && shot(words_[1]);
        } else {
            return fail(QStringLiteral("unknown step '%1'").arg(verb));
        }
        return true;
    }

    bool fail(const QString &message)
    {
        error_ = message;
        return false;
    }

    bool arguments(const char *form, int count)
    {
        return words_.size() == count + 1 || fail(QStringLiteral("expected: %1").arg(QLatin1String(form)));
    }

    bool whole(int word, int low, int high, const char *name, int *value)
    {
        bool ok = false;
        *value = words_[word].toInt(&ok);
        return (ok && *value >= low && *value <= high) ||
               fail(QStringLiteral("%1 must be %2 to %3").arg(QLatin1String(name)).arg(low).arg(high));
    }

    bool point(int first, QPoint *at)
    {
        bool okX = false, okY = false;
        const int x = words_[first].toInt(&okX), y = words_[first + 1].toInt(&okY);
        if (!okX || !okY)
            return fail(QStringLiteral("coordinates must be whole numbers"));
        const QSize size = panel_.Size();
        if (x < 0 || y < 0 || x >= size.width() || y >= size.height())
            return fail(
                QStringLiteral("%1 %2 is off the screen (%3 x %4)").arg(x).arg(y).arg(size.width()).arg(size.height()));
        *at = QPoint(x, y);
        return true;
    }

    bool fingerUp() { return !panel_.FingerDown() || fail(QStringLiteral("a finger is down; release it first")); }

    bool press(QPoint at)
    {
        if (!fingerUp())
            return false;
        panel_.Press(at);
        return true;
    }

    bool device(int word, int *node)
    {
        static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{2}$"));
        if (!hex.match(words_[word]).hasMatch())
            return fail(QStringLiteral("NODE must be two hexadecimal digits"));
        *node = words_[word].toInt(nullptr, 16);
        const QList<int> nodes = panel_.Nodes();
        if (nodes.contains(*node))
            return true;
        return fail(QStringLiteral("node %1 is not a device of the project (%2 to %3)")
                        .arg(Hex2(*node), Hex2(nodes.first()), Hex2(nodes.last())));
    }

    bool shot(const QString &name)
    {
        if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name.startsWith(QLatin1Char('.')))
            return fail(QStringLiteral("NAME must be a plain file name"));
        const QString path = QDir(folder_).filePath(name + QStringLiteral(".png"));
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        QImageWriter writer(&png, "png");
        QString reason;
        if (!writer.write(panel_.Picture()))
            reason = writer.errorString();
        else if (Files::Write(path, png.data(), &reason))
            return true;
        return fail(QStringLiteral("%1 cannot be written: %2").arg(path, reason));
    }

    VirtualPanel &panel_;
    const QStringList &words_;
    const QString &folder_;
    QString error_;
};

} // namespace

bool Read(const QString &path, QString *script, QString *error)
{
    QByteArray bytes;
    if (!Files::ReadRegular(path, MaxScriptBytes + 1, &bytes, error))
        return false;
    if (bytes.size() > MaxScriptBytes) {
        *error = QStringLiteral("the script is longer than %1 bytes").arg(MaxScriptBytes);
        return false;
    }
    *script = QString::fromUtf8(bytes);
    return true;
}

std::optional<Failure> Run(VirtualPanel &panel, const QString &script, const QString &folder)
{
    static const QRegularExpression space(QStringLiteral("\\s+"));
    const QStringList lines = script.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QStringList words = lines[i].section(QLatin1Char('#'), 0, 0).split(space, Qt::SkipEmptyParts);
        if (words.isEmpty())
            continue;
        if (const QString error = Step(panel, words, folder).Run(); !error.isEmpty())
            return Failure{i + 1, error};
    }
    return std::nullopt;
}

namespace
{

QString pointStep(QLatin1String verb, QPoint at)
{
    return QStringLiteral("%1 %2 %3").arg(verb).arg(at.x()).arg(at.y());
}

} // namespace

void Recorder::Start()
{
    panel_.Reset();
    panel_.ClearLog();
    steps_.clear();
    pressed_.reset();
    shots_ = 0;
    recording_ = true;
}

QString Recorder::Script() const
{
    QStringList steps = steps_;
    if (pressed_)
        steps << pointStep(Verb::Press, *pressed_);
    return steps.isEmpty() ? QString() : steps.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void Recorder::Stop()
{
    recording_ = false;
}

void Recorder::step(const QString &line)
{
    if (recording_)
        steps_ << line;
}

void Recorder::pressNow()
{
    if (pressed_)
        step(pointStep(Verb::Press, *pressed_));
    pressed_.reset();
}

bool Recorder::Press(QPoint at)
{
    if (panel_.FingerDown())
        Release();
    if (!panel_.Press(at))
        return false;
    if (recording_)
        pressed_ = at;
    return true;
}

void Recorder::Move(QPoint at)
{
    if (!panel_.FingerDown())
        return;
    // A move that sends nothing changes nothing either (it is not over a slider).
    const qsizetype sent = panel_.Log().Entries().size();
    panel_.Move(at);
    if (panel_.Log().Entries().size() == sent)
        return;
    pressNow();
    step(pointStep(Verb::Move, at));
}

void Recorder::Release()
{
    if (!panel_.FingerDown())
        return;
    if (pressed_)
        step(pointStep(Verb::Tap, *pressed_));
    else
        step(QString(Verb::Release));
    pressed_.reset();
    panel_.Release();
}

void Recorder::Reset()
{
    pressNow();
    step(QString(Verb::Reset));
    panel_.Reset();
}

void Recorder::SetInput(int node, int input, bool on)
{
    pressNow();
    step(QStringLiteral("%1 %2 %3 %4")
             .arg(Verb::Set, Hex2(node))
             .arg(input)
             .arg(on ? QStringLiteral("on") : QStringLiteral("off")));
    panel_.SetInput(node, input, on);
}

void Recorder::SetLevel(int node, int percent)
{
    pressNow();
    step(QStringLiteral("%1 %2 %3").arg(Verb::Level, Hex2(node)).arg(percent));
    panel_.SetLevel(node, percent);
}

QString Recorder::Shot()
{
    pressNow();
    const QString name = QStringLiteral("shot-%1").arg(++shots_);
    step(QStringLiteral("%1 %2").arg(Verb::Shot, name));
    return name;
}

} // namespace TryScript
