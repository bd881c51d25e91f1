#pragma once

#include "render/ScreenPicture.h"

#include <QHash>
#include <QString>

class modVantile;
class MessagePrompt;

// Draws the objects and screens of a project into an off-screen picture of
// its own and saves them as BMP files. The object operations act on the
// current screen of the image (CurrentScreen and its bases); the list
// operations make each screen current in turn and leave the last one current.
//
// Record values are used as they stand: a picture number, type or font size
// outside its set draws nothing for that object, and positions far outside the
// screen are clipped, so no value can make the renderer fail.
class ScreenRenderer
{
public:
    ScreenRenderer(modVantile &m, MessagePrompt &messages);

    // The screen picture everything is drawn into.
    ScreenPicture &Canvas() { return canvas_; }
    const ScreenPicture &Canvas() const { return canvas_; }

    // Where RenderDLImages and RenderIPImages save their files.
    void SetFolders(const QString &sdFolder, const QString &previewFolder);

    // One object of the current screen.
    void RIButton(int iBNum);
    void RIPilot(int iPNum);
    void RISlider(int iSNum);
    void RITitleDL(int iTNum); // fixed texts and empty value boxes
    void RITitleIP(int iTNum); // the same, and bar graphs

    // The current screen into the canvas at its present size.
    void RenderDLImage();
    void RenderIPImage();
    // The 32 SD-card pictures of a resolution (16 landscape, 16 portrait).
    void RenderDLImages(int iRes);
    // The 16 previews, when iRes is the project's resolution.
    void RenderIPImages(int iRes);

    // File names, without folder.
    static QString SdPictureName(int iRes, bool portrait, int screen);
    static QString PreviewName(int screen);

    // The project's resolution index; a damaged value counts as 0 (480x272),
    // as the editor shows it.
    int ProjectResolution() const;

    // Files saved and files that could not be written since construction.
    int FilesWritten() const { return filesWritten_; }
    int FilesFailed() const { return filesFailed_; }
    QString FirstFailedFile() const { return firstFailedFile_; }
    QString FirstFailureReason() const { return firstFailureReason_; }

private:
    void DrawBackground();
    void DrawTitle(int iTNum, bool preview);
    const QByteArray &EncodedCanvas();
    void Save(const QString &folder, const QString &name);

    modVantile &m_;
    MessagePrompt &messages_;
    ScreenPicture canvas_;
    ScreenPicture scratch_;
    QString sdFolder_;
    QString previewFolder_;
    QHash<QString, QImage> backgrounds_;
    QByteArray fileBytes_;
    int filesWritten_ = 0;
    int filesFailed_ = 0;
    QString firstFailedFile_;
    QString firstFailureReason_;
};
