#pragma once

#include <cstdio>

// What a command-line program asks of the system it runs on.
namespace Process
{

// Fonts and pictures need a GUI application object, but never a display:
// the offscreen platform unless one was asked for, and on systems that want
// one, a private runtime folder where no desktop session made one. What the
// program prints ends its lines in LF on every system.
void PrepareHeadless();

// True when `stream` goes to a terminal (a console window on Windows).
bool IsTerminal(std::FILE *stream);

} // namespace Process
