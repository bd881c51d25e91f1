#include "render/PictureCompilation.h"

bool CompileScreenPictures(modVantile &, MessagePrompt &, const QString &, const QString &)
{
    // Placeholder until the renderer lands.
    return false;
}
