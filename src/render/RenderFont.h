#pragma once

#include <QString>

// The family every picture for the panel is drawn in: the Arial-compatible
// font that travels inside the program, so that no system's own fonts or font
// configuration change a pixel. Loaded on first use (needs the application
// object).
QString RenderFontFamily();
