#pragma once

#include "model/EditOperations.h"

#include <QWidget>

#include <vector>

class modVantile;
class CanvasControl;
class CanvasImage;
class CanvasLabel;
class CanvasSurface;
class QFrame;

// The canvas of the main window: the viewport `picPan` with the sunken
// canvas `picLayout`, its drawing area `picSurface` and one set of controls
// per object slot, showing the current screen at panel scale. It draws what
// the image holds and reports what the mouse does; the window decides.
class CanvasView : public QWidget
{
    Q_OBJECT
public:
    using Kind = EditOperations::Kind;
    using DropSource = EditOperations::DropSource;

    CanvasView(modVantile &m, QWidget *parent);

    // Canvas size (border included) and viewport size, in pixels.
    void SetShape(QSize canvas, QSize viewport);
    // The canvas moved up by `pixels` inside the viewport.
    void SetPan(int pixels);
    // The part of the panel screen the viewport shows, in panel pixels.
    QRect VisibleArea() const;

    // Refresh of one object's controls from the record of the current screen.
    // A button with a picture gets the caption offsets of its font size
    // written into its record: the one write of a refresh.
    void ShowButton(int n);
    void ShowPilot(int n);
    void ShowSlider(int n);
    void ShowText(int n, bool showTextBoxes);
    void SetToolTip(Kind kind, int n, const QString &tip);
    // All controls drawn, canvas in front.
    void Raise();

    // The selected object, framed; none when n < 0.
    void SetSelection(Kind kind, int n);

    CanvasSurface *Surface() const { return surface_; }
    QFrame *Frame() const { return layout_; }

signals:
    void ObjectClicked(Kind kind, int n);
    void ObjectHovered(Kind kind, int n);
    void EmptyHovered();
    void EmptyPressed();
    // The mouse moved over a control: the point inside it, for the grab offset.
    void GrabPoint(QPoint grab);
    // A press on a control ended. `mouse`: in the drawing area's pixels;
    // `onCanvas`: released over the visible canvas.
    void Dropped(DropSource source, int n, QPoint mouse, QPoint grab, bool onCanvas);

private:
    void connectControl(CanvasControl *control, Kind kind, DropSource source, int n);

    modVantile &m_;
    QFrame *layout_ = nullptr;
    CanvasSurface *surface_ = nullptr;
    std::vector<CanvasImage *> imgPB, imgPilot, imgSlider;
    std::vector<CanvasLabel *> lblButton, lblTextBox;
};
