#pragma once

#include <QString>

#include <array>
#include <cstddef>

// The tables that give the object records their meaning: what a button's
// function code does, which fonts captions and texts use, what each text
// type shows. The editor, the renderer, the checks and the virtual panel all
// read them from here.
namespace ObjectTables
{

// Layout values of the editor and caption offsets are kept in twips; one
// panel pixel is 15 twips.
constexpr int TwipsPerPixel = 15;

// --- object kinds ---------------------------------------------------------------
// The four kinds of screen objects, in the order the window lists them, and
// the slots each screen has for them.
enum class ObjectKind { Button, Pilot, Slider, Text };
constexpr int ObjectKindCount = 4;
constexpr std::array<int, ObjectKindCount> SlotCounts{32, 32, 8, 16};

constexpr int SlotCount(ObjectKind kind)
{
    return SlotCounts[std::size_t(kind)];
}

// The number the user reads for a slot (0-based, as stored): its row in the
// settings list. Every text that numbers objects goes through it (ObjectNames).
constexpr int ObjectNumber(int slot)
{
    return slot + 1;
}

// --- button function codes ----------------------------------------------------
// 0 disabled; 1 - 8 push-button input 1 - 8, 9 - 16 turn input ON, 17 - 24
// turn input OFF; 25 goto Home, 26 - 40 goto screen 1 - 15; 41 goto Home
// with password, 42 - 56 goto screen 1 - 15 with password.
enum class ButtonAction { Disabled, Push, TurnOn, TurnOff, Goto, GotoPassword, Unknown };

struct ButtonFunction {
    ButtonAction action = ButtonAction::Unknown;
    int input = 0;  // 1 - 8 for Push, TurnOn, TurnOff
    int screen = 0; // 0 - 15 for Goto, GotoPassword
};

// Each device has eight inputs, numbered 1 - 8.
constexpr int InputCount = 8;

constexpr int FirstPushCode = 1, FirstTurnOnCode = 9, FirstTurnOffCode = 17, LastInputCode = 24;
constexpr int GotoHomeCode = 25, LastGotoCode = 40;
constexpr int PasswordHomeCode = 41, LastPasswordCode = 56;

constexpr ButtonFunction DecodeButton(int type)
{
    if (type == 0)
        return {ButtonAction::Disabled, 0, 0};
    if (type >= FirstPushCode && type <= LastInputCode) {
        constexpr ButtonAction kinds[] = {ButtonAction::Push, ButtonAction::TurnOn, ButtonAction::TurnOff};
        return {kinds[(type - FirstPushCode) / InputCount], (type - FirstPushCode) % InputCount + 1, 0};
    }
    if (type >= GotoHomeCode && type <= LastGotoCode)
        return {ButtonAction::Goto, 0, type - GotoHomeCode};
    if (type >= PasswordHomeCode && type <= LastPasswordCode)
        return {ButtonAction::GotoPassword, 0, type - PasswordHomeCode};
    return {ButtonAction::Unknown, 0, 0};
}

constexpr bool IsInputAction(ButtonAction a)
{
    return a == ButtonAction::Push || a == ButtonAction::TurnOn || a == ButtonAction::TurnOff;
}
// Turns an input on or off, rather than pressing it.
constexpr bool IsSwitchAction(ButtonAction a)
{
    return a == ButtonAction::TurnOn || a == ButtonAction::TurnOff;
}
constexpr bool IsGotoAction(ButtonAction a)
{
    return a == ButtonAction::Goto || a == ButtonAction::GotoPassword;
}

// --- fonts ----------------------------------------------------------------------
// Font size index 0 - 3 of captions and fixed texts; any other index is a
// damaged value, for which callers keep the font they have.
constexpr int FontSizeCount = 4;

struct FontChoice {
    int points;
    bool bold;
};

// Button captions, and where the caption starts inside the button (twips from
// its left and top edge; derived from the size, rewritten whenever drawn).
constexpr std::array<FontChoice, FontSizeCount> CaptionFonts{{{8, false}, {12, false}, {18, false}, {24, false}}};
constexpr std::array<int, FontSizeCount> CaptionOffsetTwips{75, 105, 165, 210};
// Fixed texts.
constexpr std::array<FontChoice, FontSizeCount> TextFonts{{{8, true}, {12, true}, {18, false}, {24, false}}};

constexpr bool ValidFontSize(int index)
{
    return index >= 0 && index < FontSizeCount;
}

// --- text / bar-graph types -----------------------------------------------------
// 0 unused, 1 fixed text, 2 slider value box, 3 dimmer value box, 4 - 6 small
// bar graph (blue, green, grey), 7 - 9 large bar graph (blue, green, grey).
enum class TextKind { Unused, FixedText, SliderValue, DimmerValue, SmallBar, LargeBar, Unknown };
enum class BarColour { Blue, Green, Grey };

constexpr TextKind DecodeTextType(int type)
{
    switch (type) {
    case 0:
        return TextKind::Unused;
    case 1:
        return TextKind::FixedText;
    case 2:
        return TextKind::SliderValue;
    case 3:
        return TextKind::DimmerValue;
    case 4:
    case 5:
    case 6:
        return TextKind::SmallBar;
    case 7:
    case 8:
    case 9:
        return TextKind::LargeBar;
    default:
        return TextKind::Unknown;
    }
}

// Only meaningful for bar graphs (types 4 - 9).
constexpr BarColour BarColourOf(int type)
{
    return static_cast<BarColour>((type - 4) % 3);
}

constexpr bool IsValueBox(TextKind k)
{
    return k == TextKind::SliderValue || k == TextKind::DimmerValue;
}
constexpr bool IsBarGraph(TextKind k)
{
    return k == TextKind::SmallBar || k == TextKind::LargeBar;
}

// --- device options ---------------------------------------------------------------
// Command set indexes, in the order of the option list.
constexpr int CommandSetP = 0, CommandSetD = 1, CommandSetZav = 2;

// With "ZAV Cmd" the panel reads its configuration from the SD card, which
// then holds it; it is never downloaded.
constexpr bool ConfigurationOnCard(int commandSet)
{
    return commandSet == CommandSetZav;
}

// A record's device word is an offset from the node base address: the node
// number on the network is address index + offset + 1.
constexpr int NodeOf(int nodeAddressIndex, int deviceOffset)
{
    return nodeAddressIndex + deviceOffset + 1;
}

// A node number in hexadecimal, at least two digits ("0F", "FE"); a node
// beyond FF, which only a damaged or misconfigured project can give, keeps
// all its digits so that a message can say where it lies.
inline QString NodeText(int node)
{
    return QStringLiteral("%1").arg(node, 2, 16, QLatin1Char('0')).toUpper();
}

// --- field ranges -------------------------------------------------------------------
// What the object editors and the device options can store; any other value
// comes from a damaged file. The record fields carry theirs in RecordSchema.
constexpr int MaxPosition = 799; // left, top, width, height: the editors' lists "0" ... "799"
constexpr int LastTextType = 9;
constexpr int LastCaptionColour = 1; // 0 black, 1 white
constexpr int LastNodeAddressIndex = 253, LastNodeRangeIndex = 63;
constexpr int LastResolutionIndex = 3, LastCommandSet = CommandSetZav;
constexpr int LastNode = 0xFE;
// Device offsets 0 - 63: the most devices a node range holds.
constexpr int DeviceCount = LastNodeRangeIndex + 1;

// Six decimal digits, shown with leading zeros ("000042").
constexpr int PasswordDigits = 6;
inline QString PasswordText(int password)
{
    return QStringLiteral("%1").arg(password, PasswordDigits, 10, QLatin1Char('0'));
}

// --- new objects ------------------------------------------------------------------
// The size of every button of a new project and of a new button made without
// a template; text objects 0 - 7 of a new project (and new texts) get the
// text size, the others none.
constexpr int NewButtonWidth = 96, NewButtonHeight = 32;
constexpr int NewTextWidth = 128, NewTextHeight = 64, SizedNewTexts = 8;

// "B 01" ... "B 32": the caption of button n of a new project.
inline QString NewButtonCaption(int n)
{
    return QStringLiteral("B %1").arg(ObjectNumber(n), 2, 10, QLatin1Char('0'));
}

// --- list entries -----------------------------------------------------------------
// The entry of the button editor's function list for a code; empty for a
// code outside the list.
inline QString ButtonFunctionEntry(int type)
{
    const ButtonFunction f = DecodeButton(type);
    const QString screen = QStringLiteral("%1").arg(f.screen, 2, 10, QLatin1Char('0'));
    switch (f.action) {
    case ButtonAction::Disabled:
        return QStringLiteral("Unused");
    case ButtonAction::Push:
        return QStringLiteral("Push Button Input %1").arg(f.input);
    case ButtonAction::TurnOn:
        return QStringLiteral("Turn ON Input %1").arg(f.input);
    case ButtonAction::TurnOff:
        return QStringLiteral("Turn OFF Input %1").arg(f.input);
    case ButtonAction::Goto:
        return f.screen == 0 ? QStringLiteral("Goto Home") : QStringLiteral("Goto Screen ") + screen;
    case ButtonAction::GotoPassword:
        return f.screen == 0 ? QStringLiteral("Goto Home W/Password")
                             : QStringLiteral("Goto Screen ") + screen + QStringLiteral(" W/Password");
    case ButtonAction::Unknown:
        break;
    }
    return {};
}

// The entry of the text editor's type list; empty for a type outside it.
inline QString TextTypeEntry(int type)
{
    static const char *const entries[] = {"Disabled",
                                          "Text",
                                          "Slider Value",
                                          "Dimmer Value",
                                          "Dim Bar Graph - Small Blue",
                                          "Dim Bar Graph - Small Green",
                                          "Dim Bar Graph - Small Gray",
                                          "Dim Bar Graph - Large Blue",
                                          "Dim Bar Graph - Large Green",
                                          "Dim Bar Graph - Large Gray"};
    return type >= 0 && type <= LastTextType ? QString::fromLatin1(entries[type]) : QString();
}

} // namespace ObjectTables
