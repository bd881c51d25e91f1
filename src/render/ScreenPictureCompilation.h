#pragma once

#include "platform/Prompts.h"

#include <QRgb>
#include <QString>
#include <QStringList>

class modVantile;

// The picture compilation: every screen at every resolution and orientation
// into the SD picture folder (128 files "SR<res><L|P><screen>.BMP", the 16 of
// the project's resolution and orientation with content, the others plain
// dark grey) and the 16 previews of the project's own resolution and
// orientation into the preview folder ("Screen 00 Home.BMP", "Screen 01.BMP"
// ...). Missing folders are created. Leaves the current screen as it was;
// stores the buttons' derived caption offsets first (DerivedFields) and marks
// nothing as changed.
//
// What the compilation meets on its way goes to `messages`: "File Not Found"
// for a missing background picture, once for each screen picture drawn with
// it, and "File Cannot Be Read As A Picture" with the reason once for each
// picture refused (listed in *refusedPictures). Returns false when any file
// could not be written, with the message for the whole compilation in *error
// (for ShowPictureWriteError).
//
// `canvasBackColor` is the background colour the screen picture starts with:
// the part of the canvas a background picture smaller than the screen leaves
// uncovered keeps the colour of what was drawn before (the editor passes its
// canvas's current background colour; white by default).
//
// What the main window does around it (its canvas is not touched here):
//   1. before: clear chkHideTitleBG ("ShowText Boxes (Edit Only)");
//   2. CompileScreenPictures(...), and on failure ShowPictureWriteError;
//   3. after: ScreenShape() and ShowScreen() to restore and redraw the canvas.
// "Compile SD Card Images" then shows "Complete" (title "ZAV Quellix Touch",
// no icon); "Compile And Write To SD Card" goes on to the SD writer.
bool CompileScreenPictures(modVantile &m, MessagePrompt &messages, const QString &sdFolder,
                           const QString &previewFolder, QString *error, QRgb canvasBackColor = 0xFFFFFFFF,
                           QStringList *refusedPictures = nullptr);

// The box for a compilation that could not write its files, `error` as it
// returned it.
inline MessagePrompt::Answer ShowPictureWriteError(MessagePrompt &messages, const QString &error)
{
    return messages.Show(error, QStringLiteral("File Write Error"), MessagePrompt::Icon::Exclamation);
}

// Number of files one compilation writes: 4 resolutions x 2 orientations x
// 16 screens, and 16 previews.
constexpr int CompiledPictureCount = 4 * 2 * 16 + 16;
