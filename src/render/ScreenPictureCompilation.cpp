#include "render/ScreenPictureCompilation.h"

#include "model/BackgroundLookup.h"
#include "model/DerivedFields.h"
#include "model/modVantile.h"
#include "platform/Files.h"
#include "platform/Prompts.h"
#include "render/ScreenRenderer.h"

#include <QDir>

bool CompileScreenPictures(modVantile &m, MessagePrompt &messages, const QString &sdFolder,
                           const QString &previewFolder, QString *error, QRgb canvasBackColor,
                           QStringList *refusedPictures)
{
    for (const QString &folder : {sdFolder, previewFolder})
        if (!folder.isEmpty())
            QDir().mkpath(folder); // a failure shows as files that cannot be written

    // No picture may be written over the project or a picture it is drawn from.
    Files::InputScope inputs;
    AddProjectInputs(inputs, m);

    // The saved project keeps the caption offsets its pictures are drawn with.
    DerivedFields::StoreCaptionOffsets(m);

    ScreenRenderer renderer(m, messages);
    renderer.SetFolders(sdFolder, previewFolder);
    renderer.Canvas().SetBackColor(canvasBackColor);
    for (int iRes = 0; iRes < 4; ++iRes) {
        renderer.RenderDLImages(iRes);
        renderer.RenderIPImages(iRes);
    }

    if (refusedPictures)
        *refusedPictures = renderer.RefusedPictures();
    if (renderer.FilesFailed() == 0)
        return true;
    if (error) {
        const QString crlf = QStringLiteral("\r\n");
        *error = QStringLiteral("Screen Pictures Not Saved") + crlf +
                 QStringLiteral("%1 of %2 picture files could not be written.")
                     .arg(renderer.FilesFailed())
                     .arg(renderer.FilesFailed() + renderer.FilesWritten()) +
                 crlf + QDir::toNativeSeparators(renderer.FirstFailedFile()) + crlf + renderer.FirstFailureReason();
    }
    return false;
}
