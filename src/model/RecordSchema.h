#pragma once

#include "assets/ObjectPictures.h"
#include "model/ObjectTables.h"

#include <QString>

#include <cstdint>
#include <span>

// The object records of a screen: where each kind's table lies in the two
// blocks of a screen and, field by field, where a value sits, how its words
// hold it, what the editors can store in it and whether the program derives
// it from other fields. The accessors, the edit history, copy and paste, the
// project check and the report all read these tables.
namespace RecordSchema
{

using ObjectTables::ObjectKind;

// Which of the two word arrays a field lies in: PanelImage or EditorImage.
enum class Image { Panel, Editor };

// How the words of a field hold its value.
enum class Form {
    Byte,      // one word
    Pair,      // two words, high byte first
    Digits,    // one decimal digit per word, the most significant first
    Characters // one 8-bit character code per word; a word below 1 is no character
};

// Two-byte fields can hold at most this much.
constexpr int LargestPair = 32767;
// Derived edges are kept within what the panel reads.
constexpr int LastEdge = 4095;
// The clamp of every edge field: below 0 becomes 8, above LastEdge becomes LastEdge.
constexpr int ClampEdge(int edge)
{
    return edge < 0 ? 8 : edge > LastEdge ? LastEdge : edge;
}
constexpr int LastCharacterCode = 255;

struct Field {
    const char *name; // as the check and the report name it
    Image image;
    int offset; // first word, counted from the start of the record's part
    Form form;
    int words;
    // What the editors can store; per word for digits and characters.
    int min, max;
    // Follows from other fields and is rewritten by the program: no user edit.
    bool derived = false;
    // A device offset: its range is the project's node range, which the
    // check tests on its own.
    bool device = false;
    // Added to the stored value wherever it is shown (input 0 - 7 is shown 1 - 8).
    int shown = 0;
    // A password: its digits are printed only where the user asks for them.
    bool secret = false;
};

constexpr Field Byte(const char *name, Image image, int offset, int max)
{
    return {name, image, offset, Form::Byte, 1, 0, max};
}
constexpr Field Pair(const char *name, Image image, int offset, int max = ObjectTables::MaxPosition)
{
    return {name, image, offset, Form::Pair, 2, 0, max};
}
constexpr Field Derived(Field f)
{
    f.derived = true;
    return f;
}
constexpr Field Secret(Field f)
{
    f.secret = true;
    return f;
}
constexpr Field Device(const char *name, Image image, int offset)
{
    Field f = Byte(name, image, offset, ObjectTables::LastNodeRangeIndex);
    f.device = true;
    return f;
}

constexpr Image P = Image::Panel, E = Image::Editor;

namespace Button
{
inline constexpr Field Type = Byte("function", P, 0, ObjectTables::LastPasswordCode);
inline constexpr Field Left = Pair("left", P, 1);
inline constexpr Field Right = Derived(Pair("right edge", P, 3, LastEdge));
inline constexpr Field Top = Pair("top", P, 5);
inline constexpr Field Bottom = Derived(Pair("bottom edge", P, 7, LastEdge));
inline constexpr Field DeviceOffset = Device("device", P, 9);
inline constexpr Field Password = Secret({"password", P, 10, Form::Digits, ObjectTables::PasswordDigits, 0, 9});
inline constexpr Field Picture = Byte("picture", E, 0, ObjectPictures::ButtonPictureCount);
inline constexpr Field Width = Pair("width", E, 1);
inline constexpr Field Height = Pair("height", E, 3);
// Twips from the button's left and top edge; they follow the caption font size.
inline constexpr Field CaptionX = Derived(Pair("caption x offset", E, 5, LargestPair));
inline constexpr Field CaptionY = Derived(Pair("caption y offset", E, 7, LargestPair));
inline constexpr Field CaptionColour = Byte("caption colour", E, 9, ObjectTables::LastCaptionColour);
inline constexpr Field FontSize = Byte("caption font size", E, 10, ObjectTables::FontSizeCount - 1);
inline constexpr Field Caption{"caption", E, 11, Form::Characters, 24, 0, LastCharacterCode};
inline constexpr Field Fields[] = {Type,  Left,   Right,    Top,      Bottom,        DeviceOffset, Password, Picture,
                                   Width, Height, CaptionX, CaptionY, CaptionColour, FontSize,     Caption};
} // namespace Button

namespace Pilot
{
inline constexpr Field Used = Byte("used", P, 0, 1);
inline constexpr Field Picture = Byte("picture", P, 1, ObjectPictures::PilotPairCount - 1);
inline constexpr Field Left = Pair("left", P, 2);
inline constexpr Field Top = Pair("top", P, 4);
inline constexpr Field DeviceOffset = Device("device", P, 6);
inline constexpr Field Input{"input", P, 7, Form::Byte, 1, 0, ObjectTables::InputCount - 1, false, false, 1};
inline constexpr Field Fields[] = {Used, Picture, Left, Top, DeviceOffset, Input};
} // namespace Pilot

namespace Slider
{
inline constexpr Field Picture = Byte("picture", P, 0, ObjectPictures::SliderStyleCount);
inline constexpr Field DeviceOffset = Device("device", P, 1);
inline constexpr Field Left = Pair("left", P, 2);
inline constexpr Field Right = Derived(Pair("right edge", P, 4, LastEdge));
inline constexpr Field Top = Pair("top", P, 6);
inline constexpr Field Bottom = Derived(Pair("bottom edge", P, 8, LastEdge));
// The size of the chosen slider picture.
inline constexpr Field Width = Derived(Pair("picture width", E, 0, LargestPair));
inline constexpr Field Height = Derived(Pair("picture height", E, 2, LargestPair));
inline constexpr Field Fields[] = {Picture, DeviceOffset, Left, Right, Top, Bottom, Width, Height};
} // namespace Slider

namespace Text
{
inline constexpr Field Type = Byte("type", P, 0, ObjectTables::LastTextType);
inline constexpr Field Left = Pair("left", P, 1);
inline constexpr Field Top = Pair("top", P, 3);
inline constexpr Field DeviceOffset = Device("device", P, 5);
// The panel's copy of the font size. Word 7 of the panel part is always 0.
inline constexpr Field PanelFont = Derived(Byte("panel font size", P, 6, ObjectTables::FontSizeCount - 1));
inline constexpr Field Colour = Byte("text colour", E, 0, ObjectTables::LastCaptionColour);
inline constexpr Field FontSize = Byte("font size", E, 1, ObjectTables::FontSizeCount - 1);
inline constexpr Field Width = Pair("width", E, 2);
inline constexpr Field Height = Pair("height", E, 4);
inline constexpr Field String{"text", E, 6, Form::Characters, 50, 0, LastCharacterCode};
inline constexpr Field Fields[] = {Type, Left, Top, DeviceOffset, PanelFont, Colour, FontSize, Width, Height, String};
} // namespace Text

// Where a kind's records lie in a screen's blocks, and the fields every kind has.
struct Layout {
    ObjectKind kind;
    const char *name; // "Button": how undo texts and the report name the kind
    int count;
    int panelStart, panelSize;
    int editorStart, editorSize; // size 0: no part in EditorImage
    std::span<const Field> fields;
    const Field *used; // not 0 while the slot holds an object
    const Field *left, *top;

    constexpr int Start(Image image) const { return image == Image::Panel ? panelStart : editorStart; }
    constexpr int Size(Image image) const { return image == Image::Panel ? panelSize : editorSize; }
};

inline constexpr Layout Layouts[ObjectTables::ObjectKindCount] = {
    {ObjectKind::Button, "Button", ObjectTables::SlotCount(ObjectKind::Button), 256, 16, 0, 35, Button::Fields,
     &Button::Type, &Button::Left, &Button::Top},
    {ObjectKind::Pilot, "Pilot", ObjectTables::SlotCount(ObjectKind::Pilot), 0, 8, 0, 0, Pilot::Fields, &Pilot::Used,
     &Pilot::Left, &Pilot::Top},
    {ObjectKind::Slider, "Slider", ObjectTables::SlotCount(ObjectKind::Slider), 768, 10, 1120, 4, Slider::Fields,
     &Slider::Picture, &Slider::Left, &Slider::Top},
    {ObjectKind::Text, "Text", ObjectTables::SlotCount(ObjectKind::Text), 848, 8, 1152, 56, Text::Fields, &Text::Type,
     &Text::Left, &Text::Top},
};

constexpr const Layout &LayoutOf(ObjectKind kind)
{
    return Layouts[std::size_t(kind)];
}

// The words of a screen's PanelImage block that hold its objects; the rest
// of the block (on Home: the device options) is no object data.
constexpr int PanelObjectWords = 976;

// Every field lies inside its record and after the one before it.
constexpr bool FieldsFit(const Layout &l)
{
    int panelEnd = 0, editorEnd = 0;
    for (const Field &f : l.fields) {
        int &end = f.image == Image::Panel ? panelEnd : editorEnd;
        if (f.offset < end || f.offset + f.words > l.Size(f.image))
            return false;
        end = f.offset + f.words;
    }
    return true;
}
static_assert(FieldsFit(Layouts[0]) && FieldsFit(Layouts[1]) && FieldsFit(Layouts[2]) && FieldsFit(Layouts[3]));

// Whether the word at `blockWord` of a screen's block (of either part) is
// one the program derives from other fields.
bool IsDerivedBlockWord(Image image, int blockWord);

// --- values in words ---------------------------------------------------------------
// `record` points at the first word of the record's part that holds the field.

// A byte, pair or digits field; a damaged file can hold any word in each place.
int Read(const int16_t *record, const Field &f);
void Write(int16_t *record, const Field &f, int value);
// A characters field: the characters of the words 1 or more, in order.
QString ReadText(const int16_t *record, const Field &f);
// Characters beyond the field's length are dropped; the rest of it becomes 0.
void WriteText(int16_t *record, const Field &f, const QString &text);

// "left 900 (0 to 799)", "a caption character 8211 (0 to 255)": one entry
// for each field of the record whose words hold a value the editors cannot
// store, derived fields and devices left out. Whole values come first, then
// the first bad word of each digits or characters field. Without `secrets`
// a password's word is not given: "a password digit outside 0 to 9".
QStringList DamagedFields(ObjectKind kind, const int16_t *panelRecord, const int16_t *editorRecord,
                          bool secrets = true);
// The first word of a field that lies outside the field's range, or null.
const int16_t *FirstDamagedWord(const int16_t *record, const Field &f);

} // namespace RecordSchema
