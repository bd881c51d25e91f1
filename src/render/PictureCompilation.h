#pragma once

#include <QString>

class modVantile;
class MessagePrompt;

// The picture compilation: every screen at every resolution and orientation
// into the SD picture folder (128 files "SR<res><L|P><screen>.BMP") and the
// 16 previews of the project's own resolution and orientation into the
// preview folder. Leaves the current screen as it was. Messages (a missing
// background picture, a folder that cannot be written) go to `messages`.
// Returns false when files could not be written.
bool CompileScreenPictures(modVantile &m, MessagePrompt &messages, const QString &sdFolder,
                           const QString &previewFolder);
