#include "model/Arrange.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace Arrange
{

namespace
{

// One axis of an area: start and length.
struct Span {
    int start, length;
    int end() const { return start + length; }
};

Span spanOf(const QRect &r, bool vertical)
{
    return vertical ? Span{r.y(), r.height()} : Span{r.x(), r.width()};
}

void setStart(QRect &r, bool vertical, int start)
{
    if (vertical)
        r.moveTop(start);
    else
        r.moveLeft(start);
}

// Equal gaps between neighbours in the order of their starts; the first and
// the last keep their place. Rounded once per item, so the gaps differ by
// at most a pixel and no error adds up.
void distribute(QList<QRect> &areas, bool vertical)
{
    const int n = int(areas.size());
    if (n < 3)
        return;
    std::vector<int> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return spanOf(areas[a], vertical).start < spanOf(areas[b], vertical).start; });
    const Span first = spanOf(areas[order.front()], vertical);
    const Span last = spanOf(areas[order.back()], vertical);
    long long lengths = 0;
    for (int i : order)
        lengths += spanOf(areas[i], vertical).length;
    const long long free = (long long)last.end() - first.start - lengths;
    long long before = 0;
    for (int k = 0; k < n; ++k) {
        const int i = order[size_t(k)];
        const long long gap = std::llround(double(free) * k / (n - 1));
        setStart(areas[i], vertical, int(first.start + before + gap));
        before += spanOf(areas[i], vertical).length;
    }
}

} // namespace

QList<QRect> Apply(Operation operation, const QList<Item> &items, QSize screen)
{
    QList<QRect> areas;
    for (const Item &item : items)
        areas << item.area;
    if (areas.isEmpty())
        return areas;

    // The outer edges of all, kept inside the screen so that nothing is
    // lined up on a place off it.
    int left = areas[0].x(), top = areas[0].y(), right = areas[0].x() + areas[0].width(),
        bottom = areas[0].y() + areas[0].height();
    for (const QRect &r : areas) {
        left = std::min(left, r.x());
        top = std::min(top, r.y());
        right = std::max(right, r.x() + r.width());
        bottom = std::max(bottom, r.y() + r.height());
    }
    right = std::min(right, screen.width());
    bottom = std::min(bottom, screen.height());
    const int centreX = (left + right) / 2, centreY = (top + bottom) / 2;

    auto firstResizable = [&]() -> const Item * {
        for (const Item &item : items)
            if (item.resizable)
                return &item;
        return nullptr;
    };

    switch (operation) {
    case Operation::AlignLeft:
        for (QRect &r : areas)
            r.moveLeft(left);
        break;
    case Operation::AlignRight:
        for (QRect &r : areas)
            r.moveLeft(right - r.width());
        break;
    case Operation::AlignTop:
        for (QRect &r : areas)
            r.moveTop(top);
        break;
    case Operation::AlignBottom:
        for (QRect &r : areas)
            r.moveTop(bottom - r.height());
        break;
    case Operation::AlignHorizontalCentres:
        for (QRect &r : areas)
            r.moveLeft(centreX - r.width() / 2);
        break;
    case Operation::AlignVerticalCentres:
        for (QRect &r : areas)
            r.moveTop(centreY - r.height() / 2);
        break;
    case Operation::DistributeHorizontally:
        distribute(areas, false);
        break;
    case Operation::DistributeVertically:
        distribute(areas, true);
        break;
    case Operation::SameWidth:
    case Operation::SameHeight:
        if (const Item *model = firstResizable()) {
            for (qsizetype i = 0; i < areas.size(); ++i) {
                if (!items[i].resizable)
                    continue;
                if (operation == Operation::SameWidth)
                    areas[i].setWidth(model->area.width());
                else
                    areas[i].setHeight(model->area.height());
            }
        }
        break;
    }

    // Only along the axis the operation works on: the other stays as the user left it.
    const bool vertical = operation == Operation::AlignTop || operation == Operation::AlignBottom ||
                          operation == Operation::AlignVerticalCentres ||
                          operation == Operation::DistributeVertically || operation == Operation::SameHeight;
    for (QRect &r : areas) {
        if (vertical)
            r.moveTop(std::clamp(r.y(), 0, std::max(0, screen.height() - r.height())));
        else
            r.moveLeft(std::clamp(r.x(), 0, std::max(0, screen.width() - r.width())));
    }
    return areas;
}

} // namespace Arrange
