// The view of the main window: the canvas zoom, the mouse wheel over the
// canvas and the status bar.
#include "editor/CanvasControls.h"
#include "editor/CanvasView.h"
#include "editor/WindowFit.h"
#include "editor/frmVantile.h"
#include "model/Settings.h"
#include "model/modVantile.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace
{
const QChar Times(0x00D7);
} // namespace

int frmVantile::ZoomStep(int percent)
{
    return *std::min_element(ZoomSteps.begin(), ZoomSteps.end(), [percent](int a, int b) {
        return std::abs((long long)a - percent) < std::abs((long long)b - percent);
    });
}

void frmVantile::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("sbStatus"));
    auto label = [bar](const char *name, const QString &tip) {
        auto *l = new QLabel(bar);
        l->setObjectName(QString::fromLatin1(name));
        l->setToolTip(tip);
        bar->addPermanentWidget(l);
        return l;
    };
    lblPointer = label("lblPointer", QStringLiteral("Pointer (panel pixels)"));
    lblSelection = label("lblSelection", QStringLiteral("Selection: position and size (panel pixels)"));
    lblZoom = label("lblZoom", QStringLiteral("Zoom"));
}

int frmVantile::Zoom() const
{
    return canvas_->Zoom();
}

void frmVantile::SetZoom(int percent, QPoint anchor)
{
    const int zoom = ZoomStep(percent);
    const bool changed = zoom != canvas_->Zoom();
    // The panel pixel under the anchor (by default the middle of the view).
    if (anchor.x() < 0 || anchor.y() < 0)
        anchor = QPoint(canvas_->width() / 2, canvas_->height() / 2);
    const QPoint border(CanvasView::BorderPixels, CanvasView::BorderPixels);
    const QPointF panel = canvas_->ToPanel(anchor + pan() - border);

    canvas_->SetZoom(zoom);
    showStatus();
    if (!changed)
        return;
    Settings::WriteZoom(zoom); // a comfort: a settings file that cannot be written costs nothing else
    refit();
    // The objects only: the screen itself did not change (a missing
    // background is not reported again).
    refreshObjects();
    refreshSelection();
    const QPointF target = panel * canvas_->Scale() + QPointF(border) - QPointF(anchor);
    hsPan->setValue(int(std::lround(target.x() * TwipsPerPixel)));
    vsPan->setValue(int(std::lround(target.y() * TwipsPerPixel)));
}

void frmVantile::mnuZoomIn_Click()
{
    const auto next = std::upper_bound(ZoomSteps.begin(), ZoomSteps.end(), Zoom());
    if (next != ZoomSteps.end())
        SetZoom(*next);
}

void frmVantile::mnuZoomOut_Click()
{
    const auto next = std::lower_bound(ZoomSteps.begin(), ZoomSteps.end(), Zoom());
    if (next != ZoomSteps.begin())
        SetZoom(*(next - 1));
}

void frmVantile::mnuActualSize_Click()
{
    SetZoom(100);
}

// The largest step at which the whole screen shows without scrolling.
void frmVantile::mnuZoomFit_Click()
{
    const Settings::PanelSize panel = Settings::ScreenSize(m_.GetResolution(), m_.GetLayout());
    const int chrome = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
    const QSize room = AvailableSize();
    int best = ZoomSteps.front();
    for (int zoom : ZoomSteps) {
        const QSize canvas = QSize(ScaledPixels(panel.width, zoom / 100.0), ScaledPixels(panel.height, zoom / 100.0)) +
                             QSize(2 * CanvasView::BorderPixels, 2 * CanvasView::BorderPixels);
        const QSize window = WindowFit::WindowFor(canvas, false, chrome);
        if (window.width() <= room.width() && window.height() <= room.height())
            best = zoom;
    }
    SetZoom(best);
}

// Ctrl and the wheel zoom around the pointer; the wheel alone scrolls the
// canvas when it is larger than its viewport (Shift: sideways).
bool frmVantile::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != canvas_ || event->type() != QEvent::Wheel)
        return QMainWindow::eventFilter(watched, event);
    auto *wheel = static_cast<QWheelEvent *>(event);
    const int delta = wheel->angleDelta().y() != 0 ? wheel->angleDelta().y() : wheel->angleDelta().x();
    if (delta == 0)
        return false;
    if (wheel->modifiers() & Qt::ControlModifier) {
        const int zoom = Zoom();
        const auto next = delta > 0 ? std::upper_bound(ZoomSteps.begin(), ZoomSteps.end(), zoom)
                                    : std::lower_bound(ZoomSteps.begin(), ZoomSteps.end(), zoom);
        if (delta > 0 && next != ZoomSteps.end())
            SetZoom(*next, wheel->position().toPoint());
        else if (delta < 0 && next != ZoomSteps.begin())
            SetZoom(*(next - 1), wheel->position().toPoint());
        return true;
    }
    QScrollBar *bar = wheel->modifiers() & Qt::ShiftModifier ? hsPan : vsPan;
    if (bar->isHidden())
        return false; // the window's content may scroll instead
    // One notch moves three lines of text, about 48 pixels.
    bar->setValue(bar->value() - delta * 48 * TwipsPerPixel / 120);
    return true;
}

// The selection's place and size in panel pixels; the zoom.
void frmVantile::showStatus()
{
    QRect area;
    for (const Selection &object : selected_)
        area |= EditOperations::ObjectBounds(m_, m_.CurrentScreen, object.kind, object.slot);
    QString text;
    if (selected_.size() == 1)
        text = ObjectName(selected_[0].kind, selected_[0].slot) + QStringLiteral(": ");
    else if (selected_.size() > 1)
        text = QStringLiteral("%1 objects: ").arg(selected_.size());
    if (!selected_.isEmpty())
        text += QStringLiteral("%1, %2  %3 %4 %5")
                    .arg(area.x())
                    .arg(area.y())
                    .arg(area.width())
                    .arg(Times)
                    .arg(area.height());
    lblSelection->setText(text);
    lblZoom->setText(QStringLiteral("%1 %").arg(Zoom()));
    mnuZoomIn->setEnabled(Zoom() < ZoomSteps.back());
    mnuZoomOut->setEnabled(Zoom() > ZoomSteps.front());
}
