#include "model/ObjectDescriptions.h"

#include "model/ObjectTables.h"
#include "model/modVantile.h"

namespace ObjectDescriptions
{

using namespace ObjectTables;

QString DevHex(const modVantile &m, int device)
{
    return Hex2(NodeOf(m.GetNodeAddress(), device));
}

Description Button(const modVantile &m, int screen, int n)
{
    const int type = m.GetButtonType(screen, n);
    const ButtonFunction function = DecodeButton(type);
    const QString device = DevHex(m, m.GetButtonDevice(screen, n));
    switch (function.action) {
    case ButtonAction::Disabled:
        return {QStringLiteral("Disabled"), {}};
    case ButtonAction::Push:
    case ButtonAction::TurnOn:
    case ButtonAction::TurnOff: {
        static const QString kinds[] = {QStringLiteral("Mom In:"), QStringLiteral("Turn ON In:"),
                                        QStringLiteral("Turn OFF In:")};
        const QString input = QString::number(function.input);
        const int kind = function.action == ButtonAction::Push ? 0 : function.action == ButtonAction::TurnOn ? 1 : 2;
        return {kinds[kind] + input + QStringLiteral(" Dev:") + device,
                QStringLiteral("D:") + device + QStringLiteral(" I:") + input};
    }
    case ButtonAction::Goto: {
        const QString text = function.screen == 0 ? QStringLiteral("Goto Home")
                                                  : QStringLiteral("Goto Screen:") + QString::number(function.screen);
        return {text, text};
    }
    case ButtonAction::GotoPassword: {
        const QString tip = function.screen == 0 ? QStringLiteral("Goto Screen Home")
                                                 : QStringLiteral("Goto Screen:") + QString::number(function.screen);
        return {tip + QStringLiteral(" PW:") + PasswordText(m.GetButtonPassword(screen, n)), tip};
    }
    case ButtonAction::Unknown:
        break;
    }
    return {};
}

Description Pilot(const modVantile &m, int screen, int n)
{
    const int used = m.GetPilotUsed(screen, n);
    if (used == 0)
        return {QStringLiteral("Disabled"), {}};
    if (used != 1)
        return {};
    const QString device = DevHex(m, m.GetPilotDevice(screen, n));
    const QString input = QString::number((long long)m.GetPilotInput(screen, n) + RecordSchema::Pilot::Input.shown);
    return {QStringLiteral("Enabled Pilot:") + input + QStringLiteral(" Dev:") + device,
            QStringLiteral("D:") + device + QStringLiteral(" P:") + input};
}

Description Slider(const modVantile &m, int screen, int n)
{
    if (m.GetSliderPicture(screen, n) == 0)
        return {QStringLiteral("Disabled"), {}};
    const QString device = DevHex(m, m.GetSliderDevice(screen, n));
    return {QStringLiteral("Enabled Dev:") + device, QStringLiteral("D:") + device};
}

std::optional<QString> TextLine(const modVantile &m, int screen, int n)
{
    const QString device = DevHex(m, m.GetTextDevice(screen, n));
    switch (DecodeTextType(m.GetTextType(screen, n))) {
    case TextKind::Unused:
        return QStringLiteral("Disabled");
    case TextKind::FixedText:
        return QStringLiteral("Text");
    case TextKind::SliderValue:
        return QStringLiteral("Slider Dev:") + device;
    case TextKind::DimmerValue:
        return QStringLiteral("Dimmer Dev:") + device;
    case TextKind::SmallBar:
    case TextKind::LargeBar:
        return QStringLiteral("Dim Bar Dev:") + device;
    case TextKind::Unknown:
        break;
    }
    return std::nullopt;
}

} // namespace ObjectDescriptions
