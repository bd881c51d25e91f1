#include "panel/PanelLog.h"

#include "model/modVantile.h"

namespace
{

QString inputMessage(const char *verb, int node, int input)
{
    return QStringLiteral("%1 node %2 input %3").arg(QLatin1String(verb), Hex2(node)).arg(input);
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
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

QString PanelLog::Press(int node, int input)
{
    return inputMessage("press", node, input);
}

QString PanelLog::Release(int node, int input)
{
    return inputMessage("release", node, input);
}

QString PanelLog::On(int node, int input)
{
    return inputMessage("on", node, input);
}

QString PanelLog::Off(int node, int input)
{
    return inputMessage("off", node, input);
}

QString PanelLog::Level(int node, int percent)
{
    return QStringLiteral("level node %1 %2 %").arg(Hex2(node)).arg(percent);
}

QString PanelLog::Screen(int screen)
{
    return QStringLiteral("screen ") + twoDigits(screen);
}

QString PanelLog::PasswordRefused(int button, int screen)
{
    return QStringLiteral("password refused on button %1 of screen %2").arg(button).arg(twoDigits(screen));
}
