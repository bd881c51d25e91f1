#include "editor/CanvasHost.h"

#include "editor/CanvasControls.h"
#include "editor/CanvasView.h"
#include "editor/Twips.h"
#include "model/Settings.h"
#include "model/modVantile.h"

#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace
{
constexpr int TwipsPerPixel = ObjectTables::TwipsPerPixel;

// Twips of the design.
constexpr int PanTop = 1320, PanLeft = 7440, PanWidth = 255, PanHeight = 7200;
constexpr int PanMaximum = 4890, PanSmallStep = 15, PanLargeStep = 480;
constexpr int CanvasBorder = 60;
} // namespace

int CanvasHost::ZoomStep(int percent)
{
    return *std::min_element(ZoomSteps.begin(), ZoomSteps.end(), [percent](int a, int b) {
        return std::abs((long long)a - percent) < std::abs((long long)b - percent);
    });
}

CanvasHost::CanvasHost(modVantile &m, QWidget *client) : QObject(client), m_(m)
{
    canvas_ = new CanvasView(m_, client);
    canvas_->move(Twips::Pixels(120), Twips::Pixels(PanTop));
    canvas_->installEventFilter(this);

    vsPan = new QScrollBar(Qt::Vertical, client);
    vsPan->setObjectName(QStringLiteral("vsPan"));
    vsPan->setRange(0, PanMaximum);
    vsPan->setSingleStep(PanSmallStep);
    vsPan->setPageStep(PanLargeStep);
    vsPan->hide();
    hsPan = new QScrollBar(Qt::Horizontal, client);
    hsPan->setObjectName(QStringLiteral("hsPan"));
    hsPan->setSingleStep(PanSmallStep);
    hsPan->hide();
    for (QScrollBar *bar : {vsPan, hsPan})
        connect(bar, &QScrollBar::valueChanged, this, [this] { canvas_->SetPan(pan()); });
}

WindowFit::Result CanvasHost::Fit(QSize room, int chrome, bool designedPan, QSize view)
{
    const Settings::PanelSize panel = Settings::ScreenSize(m_.GetResolution(), m_.GetLayout());
    const QSize canvas = canvas_->CanvasSizeFor(QSize(panel.width, panel.height));
    if (!view.isValid()) {
        view = canvas;
        if (designedPan)
            view.setHeight(Twips::Pixels(PanHeight));
    }
    const WindowFit::Result fit = WindowFit::Arrange({canvas, view, room, chrome, sides_});

    canvas_->SetShape(QSize(panel.width, panel.height), fit.view);
    using WindowFit::BarSize;
    using WindowFit::BarSpacing;
    using WindowFit::CanvasLeft;
    using WindowFit::CanvasTop;
    // Both bars count in twips of the canvas, as the designed pan bar does;
    // the last steps show the canvas border too.
    // A hidden pan bar keeps its designed place.
    if (fit.verticalBar)
        vsPan->setGeometry(CanvasLeft + fit.view.width() + BarSpacing, CanvasTop, BarSize, fit.view.height());
    else
        Twips::SetGeometry(vsPan, PanLeft, PanTop, PanWidth, PanHeight);
    vsPan->setMaximum(std::max(0, (canvas.height() - fit.view.height()) * TwipsPerPixel + CanvasBorder / 2));
    // The designed pan pages by 480 twips; elsewhere a page is what the view shows.
    vsPan->setPageStep(designedPan ? PanLargeStep : fit.view.height() * TwipsPerPixel);
    hsPan->setPageStep(fit.view.width() * TwipsPerPixel);
    vsPan->setVisible(fit.verticalBar);
    hsPan->setGeometry(CanvasLeft, CanvasTop + fit.view.height() + BarSpacing, fit.view.width(), BarSize);
    hsPan->setMaximum(std::max(0, (canvas.width() - fit.view.width()) * TwipsPerPixel + CanvasBorder / 2));
    hsPan->setVisible(fit.horizontalBar);
    // Without a bar a canvas left scrolled could not be brought back.
    if (!fit.verticalBar)
        vsPan->setValue(0);
    if (!fit.horizontalBar)
        hsPan->setValue(0);
    canvas_->SetPan(pan());
    return fit;
}

int CanvasHost::FitZoom(QSize room, int chrome) const
{
    const Settings::PanelSize panel = Settings::ScreenSize(m_.GetResolution(), m_.GetLayout());
    int best = ZoomSteps.front();
    for (int zoom : ZoomSteps) {
        const QSize canvas = QSize(ScaledPixels(panel.width, zoom / 100.0), ScaledPixels(panel.height, zoom / 100.0)) +
                             QSize(2 * CanvasView::BorderPixels, 2 * CanvasView::BorderPixels);
        const QSize window = WindowFit::WindowFor(canvas, false, chrome, sides_);
        if (window.width() <= room.width() && window.height() <= room.height())
            best = zoom;
    }
    return best;
}

void CanvasHost::ResetPan()
{
    vsPan->setValue(0);
    hsPan->setValue(0);
    canvas_->SetPan({0, 0});
}

QPoint CanvasHost::pan() const
{
    return {int(std::llround(double(hsPan->value()) / TwipsPerPixel)),
            int(std::llround(double(vsPan->value()) / TwipsPerPixel))};
}

QPoint CanvasHost::Anchor(QPoint viewport) const
{
    if (viewport.x() < 0 || viewport.y() < 0)
        return {canvas_->width() / 2, canvas_->height() / 2};
    return viewport;
}

QPointF CanvasHost::PanelAt(QPoint viewport) const
{
    const QPoint border(CanvasView::BorderPixels, CanvasView::BorderPixels);
    return canvas_->ToPanel(viewport + pan() - border);
}

void CanvasHost::ScrollTo(QPointF panel, QPoint viewport)
{
    const QPoint border(CanvasView::BorderPixels, CanvasView::BorderPixels);
    const QPointF target = panel * canvas_->Scale() + QPointF(border) - QPointF(viewport);
    hsPan->setValue(int(std::lround(target.x() * TwipsPerPixel)));
    vsPan->setValue(int(std::lround(target.y() * TwipsPerPixel)));
}

double CanvasHost::ToTwips(double pixels) const
{
    return pixels * TwipsPerPixel / canvas_->Scale();
}

void CanvasHost::ShowGrid(bool shown, int size, const QColor &color, QSize display)
{
    CanvasSurface *surface = canvas_->Surface();
    if (!shown) {
        surface->setGrid({}, {}, color, {});
        return;
    }
    // The lines span the whole display, not just the canvas.
    const auto lines = EditOperations::GridLinePositions(display.width(), display.height(), size);
    surface->setGrid(lines.horizontal, lines.vertical, color, display);
}

void CanvasHost::SetGridColor(const QColor &color, QSize display)
{
    CanvasSurface *surface = canvas_->Surface();
    surface->setGrid(surface->horizontalGrid(), surface->verticalGrid(), color, display);
}

// Ctrl and the wheel zoom around the pointer; the wheel alone scrolls the
// canvas when it is larger than its viewport (Shift: sideways).
bool CanvasHost::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != canvas_ || event->type() != QEvent::Wheel)
        return QObject::eventFilter(watched, event);
    auto *wheel = static_cast<QWheelEvent *>(event);
    const int delta = wheel->angleDelta().y() != 0 ? wheel->angleDelta().y() : wheel->angleDelta().x();
    if (delta == 0)
        return false;
    if (wheel->modifiers() & Qt::ControlModifier) {
        emit WheelZoom(delta, wheel->position().toPoint());
        return true;
    }
    QScrollBar *bar = wheel->modifiers() & Qt::ShiftModifier ? hsPan : vsPan;
    if (bar->isHidden())
        return false; // the window's content may scroll instead
    // One notch moves three lines of text, about 48 pixels.
    bar->setValue(bar->value() - delta * 48 * TwipsPerPixel / 120);
    return true;
}
