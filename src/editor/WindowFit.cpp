#include "editor/WindowFit.h"

#include <QDialog>
#include <QLayout>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace WindowFit
{

namespace
{

// The designed window (15975 x 9765 twips) with the 480 x 272 canvas: right
// of the viewport 8715 twips, below it 2265 (the tall portrait window).
constexpr int DesignWidth = 1065, DesignHeight = 651;
constexpr int RightOfView = 581, BelowView = 151;
// The lists: designed left edge, right edge and bottom in the content.
constexpr int ListsLeft = 520, ListsRight = 1041, ListsBottom = 577;
// Between the viewport and the lists: room for the vertical bar.
constexpr int BarGap = 28;
constexpr int Margin = 4;
// Without the lists: the controls above the canvas end left of their place;
// right of the viewport its bar and a margin.
constexpr int BareWidth = ListsLeft, BareRightOfView = CanvasLeft + BarGap + Margin;

int designWidth(Sides sides)
{
    return sides.lists ? DesignWidth : BareWidth;
}

int rightOfView(Sides sides)
{
    return sides.lists ? RightOfView : BareRightOfView;
}

int below(bool horizontalBar, int chrome)
{
    return std::max(BelowView, chrome + CanvasTop + (horizontalBar ? BarSpacing + BarSize : 0) + Margin);
}

} // namespace

QSize WindowFor(QSize view, bool horizontalBar, int chrome, Sides sides)
{
    return {std::max(designWidth(sides), view.width() + rightOfView(sides)) + sides.docks,
            std::max(DesignHeight, view.height() + below(horizontalBar, chrome))};
}

Result Arrange(const Request &request)
{
    Result fit;
    QSize view = request.view;
    const Sides sides = request.sides;
    const int right = rightOfView(sides) + sides.docks;
    // The designed window's share of the viewport is never given up: below
    // it the window could not become any smaller.
    const QSize kept(designWidth(sides) - rightOfView(sides), DesignHeight - BelowView);
    if (WindowFor(view, false, request.chrome, sides).width() > request.room.width())
        view.setWidth(
            std::max(std::min(view.width(), request.room.width() - right), std::min(view.width(), kept.width())));
    fit.horizontalBar = request.canvas.width() > view.width();
    const int rest = below(fit.horizontalBar, request.chrome);
    if (WindowFor(view, fit.horizontalBar, request.chrome, sides).height() > request.room.height())
        view.setHeight(
            std::max(std::min(view.height(), request.room.height() - rest), std::min(view.height(), kept.height())));
    fit.verticalBar = request.canvas.height() > view.height();
    fit.view = view;
    fit.window = WindowFor(view, fit.horizontalBar, request.chrome, sides).boundedTo(request.room);
    const int canvasRight = CanvasLeft + view.width() + BarGap;
    const int bottom = CanvasTop + view.height() + (fit.horizontalBar ? BarSpacing + BarSize : 0);
    if (sides.lists) {
        fit.listsShift = std::max(0, canvasRight - ListsLeft);
        fit.content =
            QSize(std::max(ListsRight + fit.listsShift, canvasRight) + Margin, std::max(ListsBottom, bottom) + Margin);
    } else {
        fit.content = QSize(std::max(BareWidth, canvasRight + Margin), bottom + Margin);
    }
    return fit;
}

void FitWindow(QWidget &dialog, QSize room)
{
    QLayout *layout = dialog.layout();
    if (!layout || dialog.findChild<QScrollArea *>(QStringLiteral("scrDialog"), Qt::FindDirectChildrenOnly))
        return;
    layout->activate();
    QSize wanted = dialog.sizeHint().expandedTo(dialog.size());
    if (wanted.width() <= room.width() && wanted.height() <= room.height())
        return;
    // A vertical scroll bar takes its width from the page.
    if (wanted.height() > room.height())
        wanted.rwidth() += dialog.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    // The dialog's own layout moves onto a page inside a scroll area; its
    // controls keep their names, places and order.
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("scrDialogPage"));
    page->setLayout(layout);
    auto *area = new QScrollArea(&dialog);
    area->setObjectName(QStringLiteral("scrDialog"));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setWidget(page);
    auto *outer = new QVBoxLayout(&dialog);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(area);
    dialog.setMinimumSize(0, 0);
    dialog.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    dialog.resize(wanted.boundedTo(room));
}

} // namespace WindowFit
