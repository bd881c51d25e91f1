#pragma once

#include "render/RenderCanvas.h"

#include <QHash>
#include <QPoint>

#include <optional>

class modVantile;

// Draws single objects of any screen of a project into any screen picture,
// with the object's top-left corner at any place: the screen renderer puts
// them where they stand, a canvas may put one into a picture of its own with
// the same pixels. It only reads the image.
//
// Record values are used as they stand: a picture number, type or font size
// outside its set draws nothing for that object (a damaged caption or text
// font size keeps the font used before), and positions far outside the
// picture are clipped, so no value can make drawing fail.
class ObjectPainter
{
public:
    explicit ObjectPainter(const modVantile &m) : m_(m) {}

    // A button in use with a picture: the picture, keyed, and its caption
    // over it with a transparent background. The caption may run past the
    // button. Nothing for a touch area (picture 0). The caption's face colour
    // is read from the target where the caption starts, which for the caption
    // sizes lies on the button's own picture: a button drawn alone into a
    // picture of its own has the pixels it has on the screen.
    void Button(RenderCanvas &target, int screen, int n, QPoint at);
    // The caption of such a button alone, for a picture of its own: the pixels
    // Button writes over the button's picture, the rest transparent, cut
    // after the last caption pixel. `offset`: where its top-left corner lies
    // from the button's. A null picture for a button without a caption.
    QImage ButtonCaption(int screen, int n, QPoint *offset);
    // A pilot light in use: its OFF picture, or its ON picture.
    void Pilot(RenderCanvas &target, int screen, int n, QPoint at, bool on = false);
    // A slider in use: the render picture of its style (knob at the top), or,
    // given a level, the panel's slider picture of that level.
    void Slider(RenderCanvas &target, int screen, int n, QPoint at, std::optional<int> level = {});

    // How a text object is shown: as on the SD card (fixed texts and empty
    // value boxes), as in the previews (bar graphs too) or live, value boxes
    // and bar graphs showing `level` with the panel's own pictures.
    enum class TextView { SdCard, Preview, Live };
    // Fixed texts set the target's font, text colour and text position.
    void Text(RenderCanvas &target, int screen, int n, QPoint at, TextView view, int level = 0);
    // A fixed text alone, as Text draws it over any picture: premultiplied,
    // each pixel as opaque as the text covers it, cut after the last text
    // pixel; its top-left corner is the text's. A damaged font size keeps the
    // font of the fixed text drawn before by this painter.
    QImage FixedText(int screen, int n);

private:
    // Draws the caption into scratch_ over `face`; false when there is none.
    bool drawCaption(int screen, int n, QRgb face);
    QPoint captionOffset(int screen, int n) const;
    // The panel's pictures of the levels, drawn once per run of a painter.
    const QImage &livePicture(int kind, int family, int level);

    const modVantile &m_;
    RenderCanvas scratch_; // the caption is drawn here first
    RenderCanvas textScratch_;
    QHash<int, QImage> live_;
};
