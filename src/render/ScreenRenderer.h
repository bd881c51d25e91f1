#pragma once

#include "model/ObjectTables.h"
#include "render/ObjectPainter.h"
#include "render/RenderCanvas.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class modVantile;
class MessagePrompt;
class RunTimeState;

// Draws the screens of a project into an off-screen picture of its own and
// saves them as BMP files. It only reads the image: every screen is named
// explicitly, and what the panel shows live comes from a run-time state.
//
// The canvas is the renderer's own and keeps what the last screen left in
// it: a background picture smaller than the screen leaves the colour of the
// screen drawn before around it, as the picture compilation always did.
class ScreenRenderer
{
public:
    ScreenRenderer(const modVantile &m, MessagePrompt &messages);

    // The screen picture everything is drawn into.
    RenderCanvas &Canvas() { return canvas_; }
    const RenderCanvas &Canvas() const { return canvas_; }
    // Single objects, into the canvas or any other picture.
    ObjectPainter &Objects() { return objects_; }

    // Where RenderDLImages and RenderIPImages save their files.
    void SetFolders(const QString &sdFolder, const QString &previewFolder);

    // One object as the panel draws a screen: first the card's picture
    // (buttons, then text objects), then, live over it, pilots, sliders and
    // the value boxes and bar graphs. A value box is drawn twice, empty on
    // the card and live over it; what shows is what was drawn last.
    struct PanelStep {
        ObjectTables::ObjectKind kind;
        int slot;
        bool live;
        bool operator==(const PanelStep &) const = default;
    };
    // Every step for `screen`, in the panel's order; slots not in use too.
    static QList<PanelStep> PanelOrder(const modVantile &m, int screen);

    // --- one screen into the canvas at its present size ---------------------
    // The SD card's screen picture: background, buttons, fixed texts and
    // empty value boxes.
    void DrawSdScreen(int screen);
    // The preview: every object as the editor knows it.
    void DrawPreview(int screen);
    // What the panel shows: the SD picture and over it, unless the state is
    // empty, pilots, sliders, value boxes and bar graphs from the state.
    void DrawScreen(int screen, const RunTimeState &state);
    // The same at the size of the project's screens, where a background
    // picture smaller than the screen leaves the colour its SD picture has:
    // the virtual panel, and the report with the panel at rest.
    void DrawPanel(int screen, const RunTimeState &state);

    // The colour the SD picture of `screen` shows where its background picture
    // leaves the screen uncovered, given the colour the compilation's canvas
    // started with: the one left by the screens the compilation drew before.
    QRgb CompiledBackColor(int screen, QRgb compilationStart = 0xFFFFFFFF);

    // --- the same on the current screen, objects where they stand ----------
    void RIButton(int iBNum);
    void RIPilot(int iPNum);
    void RISlider(int iSNum);
    void RITitleDL(int iTNum); // fixed texts and empty value boxes
    void RITitleIP(int iTNum); // the same, and bar graphs
    void RenderDLImage();
    void RenderIPImage();

    // --- files -----------------------------------------------------------------
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
    // Background pictures that exist but were refused, each once.
    QStringList RefusedPictures() const { return refusedOrder_; }

private:
    struct Background {
        enum class Kind { Color, Picture, Missing, Unreadable } kind;
        QRgb color = 0;
        const QImage *picture = nullptr;
        QString path; // the picture as found
    };
    Background backgroundOf(int screen);
    void DrawBackground(int screen);
    void drawStep(int screen, const PanelStep &step, const RunTimeState *state);
    const QByteArray &EncodedCanvas();
    void Save(const QString &folder, const QString &name);

    const modVantile &m_;
    MessagePrompt &messages_;
    RenderCanvas canvas_;
    ObjectPainter objects_;
    QString sdFolder_;
    QString previewFolder_;
    QHash<QString, QImage> backgrounds_;
    QHash<QString, QString> refusedWhy_; // picture -> why it was refused
    QStringList refusedOrder_;           // said already, in order
    QByteArray fileBytes_;
    int filesWritten_ = 0;
    int filesFailed_ = 0;
    QString firstFailedFile_;
    QString firstFailureReason_;
};
