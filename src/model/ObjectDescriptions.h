#pragma once

#include <QString>

#include <optional>

class modVantile;

// The words the window's settings lists and the canvas tooltips use for an
// object record ("Mom In:3 Dev:0F", "D:0F I:3"), for any screen.
namespace ObjectDescriptions
{

struct Description {
    QString line;
    QString tip;
};

// The node address of a device offset, as two hexadecimal digits.
QString DevHex(const modVantile &m, int device);

Description Button(const modVantile &m, int screen, int n);
Description Pilot(const modVantile &m, int screen, int n);
Description Slider(const modVantile &m, int screen, int n);
// A type the lists do not know leaves the line as it was: no value. Text
// objects have no tooltip.
std::optional<QString> TextLine(const modVantile &m, int screen, int n);

} // namespace ObjectDescriptions
