#pragma once

#include "model/ObjectTables.h"

#include <QString>
#include <QStringList>

class modVantile;

// The fields of an object the user edits, one by one, and what choosing a
// value does to the record: the rules the object editors follow (a button
// picture brings its size and caption font, a value box its size ...),
// kept here so that the editors and the Properties inspector store the very
// same words. Every function acts on an object of the current screen.
namespace ObjectFields
{

using Kind = ObjectTables::ObjectKind;

enum class Id { Function, Type, Device, Input, Left, Top, Width, Height, Text, FontSize, Colour, Picture, Password };
inline constexpr Id All[] = {Id::Function, Id::Type, Id::Device,   Id::Input,  Id::Left,    Id::Top,     Id::Width,
                             Id::Height,   Id::Text, Id::FontSize, Id::Colour, Id::Picture, Id::Password};

// Whether objects of the kind have the field.
bool Has(Kind kind, Id id);
// How the field is named in the inspector and in undo texts: "Left",
// "Function", "Caption" (a button's text) ...
QString Label(Kind kind, Id id);
// A field the user types (a number or a text) rather than picks from a list.
bool Typed(Id id);

// The entries of a field that is a list; entry i is value i (for a
// button's picture entry 0 is "no picture"). Empty for typed fields.
QStringList Entries(const modVantile &m, Kind kind, Id id);
// The list of functions of a button and of types of a text object, as
// the editors show them.
QStringList ButtonFunctionEntries();
QStringList TextTypeEntries();
QStringList FontSizeEntries();
QStringList ColourEntries();

// The value stored (a number field; the password as its number).
int Value(const modVantile &m, Kind kind, int slot, Id id);
QString Text(const modVantile &m, Kind kind, int slot);
// Whether the editors let the user change the field of this object now
// (a button's size only without a picture, a value box's text never ...).
bool Editable(const modVantile &m, Kind kind, int slot, Id id);

// Why `value` cannot be stored in the field; empty when it can. Numbers
// follow the record's ranges (RecordSchema), lists their entries.
QString Refusal(const modVantile &m, Kind kind, Id id, int value);
// The same for a text: no comma, no more characters than the field holds.
QString TextRefusal(Kind kind, const QString &text);

// Stores a value as the editors do, with the fields that follow from it.
void Set(modVantile &m, Kind kind, int slot, Id id, int value);
void SetText(modVantile &m, Kind kind, int slot, const QString &text);

} // namespace ObjectFields
