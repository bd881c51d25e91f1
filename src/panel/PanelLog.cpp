#include "panel/PanelLog.h"

#include "model/ObjectNames.h"
#include "model/modVantile.h"

namespace
{

// " (screen 00 button 2)"
QString sentBy(const PanelLog::Sender &sender)
{
    return QStringLiteral(" (") + PlaceLabel(sender.screen, sender.kind, sender.slot) + QLatin1Char(')');
}

QString inputMessage(const char *verb, int node, int input, const PanelLog::Sender &sender)
{
    return QStringLiteral("%1 node %2 input %3").arg(QLatin1String(verb), Hex2(node)).arg(input) + sentBy(sender);
}

} // namespace

QString PanelLog::Line(const Entry &entry, bool withTime)
{
    return withTime ? entry.time.toString(QStringLiteral("HH:mm:ss")) + QLatin1Char(' ') + entry.text : entry.text;
}

QStringList PanelLog::Lines(bool withTime) const
{
    QStringList lines;
    lines.reserve(entries_.size());
    for (const Entry &entry : entries_)
        lines.append(Line(entry, withTime));
    return lines;
}

QByteArray PanelLog::FileText() const
{
    QByteArray text;
    for (const Entry &entry : entries_)
        text += Line(entry, false).toUtf8() + '\n';
    return text;
}

QString PanelLog::Press(int node, int input, const Sender &by)
{
    return inputMessage("press", node, input, by);
}

QString PanelLog::Release(int node, int input, const Sender &by)
{
    return inputMessage("release", node, input, by);
}

QString PanelLog::On(int node, int input, const Sender &by)
{
    return inputMessage("on", node, input, by);
}

QString PanelLog::Off(int node, int input, const Sender &by)
{
    return inputMessage("off", node, input, by);
}

QString PanelLog::Level(int node, int percent, const Sender &by)
{
    return QStringLiteral("level node %1 %2 %").arg(Hex2(node)).arg(percent) + sentBy(by);
}

QString PanelLog::Screen(int screen, const Sender &by)
{
    return ScreenLabel(screen) + sentBy(by);
}

QString PanelLog::PasswordRefused(const Sender &button)
{
    return QStringLiteral("password refused on ") + ObjectLabel(button.kind, button.slot) + QStringLiteral(" of ") +
           ScreenLabel(button.screen);
}
