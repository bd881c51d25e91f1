#pragma once

#include "model/EditOperations.h"
#include "render/ObjectPainter.h"

#include <QList>
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
// per object slot, showing the current screen with each panel pixel
// enlarged to the zoom. It draws what the image holds and reports what the
// mouse does, in panel pixels where it can; the window decides.
class CanvasView : public QWidget
{
    Q_OBJECT
public:
    using Kind = EditOperations::Kind;
    using DropSource = EditOperations::DropSource;
    using ObjectRef = EditOperations::ObjectRef;

    static constexpr int BorderPixels = 2; // half the design's 60-twip canvas border

    CanvasView(modVantile &m, QWidget *parent);

    // Per cent; the objects follow at the next refresh.
    void SetZoom(int percent);
    int Zoom() const { return zoom_; }
    double Scale() const { return zoom_ / 100.0; }
    // The canvas, border included, that shows a screen of `panel` pixels.
    QSize CanvasSizeFor(QSize panel) const;
    // A point of the drawing area in panel pixels (not rounded).
    QPointF ToPanel(QPointF surface) const;

    // The panel screen's size in panel pixels, and the viewport's in pixels.
    void SetShape(QSize panel, QSize viewport);
    // The canvas moved left and up by `pixels` inside the viewport.
    void SetPan(QPoint pixels);
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
    // All controls stacked as the panel draws their objects, canvas in front.
    void Raise();

    // The selected objects, framed; a drag of one of them moves them all.
    void SetSelection(const QList<ObjectRef> &objects);

    CanvasSurface *Surface() const { return surface_; }

signals:
    void ObjectClicked(Kind kind, int n);
    void ObjectDoubleClicked(Kind kind, int n);
    void ObjectShiftClicked(Kind kind, int n);
    void ObjectHovered(Kind kind, int n);
    void EmptyHovered();
    void EmptyPressed(Qt::KeyboardModifiers modifiers);
    // A rubber band let go over `area` (panel pixels).
    void AreaSelected(const QRect &area, Qt::KeyboardModifiers modifiers);
    // The mouse moved over the canvas: where, in panel pixels.
    void PointerMoved(QPoint panel);
    // The mouse left the viewport.
    void PointerLeft();
    // The mouse moved over a control: the point inside it, for the grab offset.
    void GrabPoint(QPoint grab);
    // A press on a control ended. `topLeft`: where the control was let go,
    // in the drawing area's pixels; `grab`: the grab point inside it;
    // `onCanvas`: released over the visible canvas.
    void Dropped(DropSource source, int n, QPoint topLeft, QPoint grab, bool onCanvas);
    // A picture file dropped from outside the program (a file manager).
    void PictureDropped(const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void connectControl(CanvasControl *control, Kind kind, DropSource source, int n);
    void dragAlong(Kind kind, int n, QPoint delta);
    void lift(Kind kind, int n);
    void setDown();
    QList<CanvasControl *> controlsOf(Kind kind, int n) const;
    // The objects of the current screen bottom to top, each where the panel
    // draws it last.
    QList<ObjectRef> panelOrder() const;
    void stackInPanelOrder();
    // The faces of the controls at rest, composed bottom to top.
    const QImage &objectsLayer();
    void objectsChanged();

    modVantile &m_;
    ObjectPainter painter_{m_}; // captions and fixed texts, as on the panel
    int zoom_ = 100;
    QSize panel_;
    QList<ObjectRef> stacked_;
    QImage layer_;
    bool layerValid_ = false;
    QFrame *layout_ = nullptr;
    CanvasSurface *surface_ = nullptr;
    std::vector<CanvasImage *> imgPB, imgPilot, imgSlider;
    std::vector<CanvasLabel *> lblButton, lblTextBox;
    QList<ObjectRef> selected_;
};
