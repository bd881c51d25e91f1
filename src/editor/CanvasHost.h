#pragma once

#include "editor/WindowFit.h"

#include <QObject>
#include <QPoint>
#include <QSize>

#include <array>

class CanvasView;
class modVantile;
class QColor;
class QScrollBar;
class QWidget;

// Where the main window shows its canvas: the canvas (CanvasView) in its
// viewport with the two pan bars, sized for the screen's resolution and
// orientation, the zoom and the room the window has; how far it is
// scrolled, the mouse wheel over it and the grid drawn on it.
class CanvasHost : public QObject
{
    Q_OBJECT
public:
    // The canvas zoom in per cent; the steps of Zoom In and Zoom Out.
    static constexpr std::array<int, 7> ZoomSteps{50, 75, 100, 150, 200, 300, 400};
    // The step nearest to `percent`.
    static int ZoomStep(int percent);

    // The canvas and its bars are made as children of `client`.
    CanvasHost(modVantile &m, QWidget *client);

    CanvasView *View() const { return canvas_; }

    // Sizes canvas, viewport and bars for the current screen at the zoom in
    // `room`; `designedPan`: the designed pan of 800 x 480 upright (a fixed
    // view height, paged by 480 twips); `view`: a viewport to keep as it is
    // where the room allows (by default the viewport shows the whole canvas
    // where it can). The window places the rest by the result.
    WindowFit::Result Fit(QSize room, int chrome, bool designedPan, QSize view = {});

    // The largest zoom step at which the whole screen shows without
    // scrolling in a window of at most `room`.
    int FitZoom(QSize room, int chrome) const;

    // What stands beside the canvas; Fit and FitZoom leave it its room.
    void SetSides(WindowFit::Sides sides) { sides_ = sides; }
    WindowFit::Sides Sides() const { return sides_; }

    // Canvas scrolled back to its top left corner.
    void ResetPan();
    // `viewport`, a point of the viewport; its middle when negative.
    QPoint Anchor(QPoint viewport) const;
    // The point of the panel (in panel pixels) shown at `viewport`.
    QPointF PanelAt(QPoint viewport) const;
    // Scrolled so that `panel` shows at `viewport` again (after a zoom).
    void ScrollTo(QPointF panel, QPoint viewport);

    // Panel twips of a length in pixels of the canvas as shown.
    double ToTwips(double pixels) const;

    // Grid lines every `size` panel pixels over `display` (none when not shown).
    void ShowGrid(bool shown, int size, const QColor &color, QSize display);
    // The lines drawn stay; their colour changes.
    void SetGridColor(const QColor &color, QSize display);

signals:
    // Ctrl and the wheel over the canvas: one zoom step in (> 0) or out, at
    // `position` of the viewport.
    void WheelZoom(int direction, QPoint position);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPoint pan() const;

    modVantile &m_;
    CanvasView *canvas_ = nullptr;
    QScrollBar *vsPan = nullptr, *hsPan = nullptr;
    WindowFit::Sides sides_;
};
