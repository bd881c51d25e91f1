#include "model/TouchTargets.h"

#include "assets/ObjectPictures.h"
#include "model/RecordSchema.h"
#include "model/modVantile.h"

namespace TouchTargets
{

std::vector<Target> InPanelOrder(const modVantile &m, int screen)
{
    using ObjectTables::ObjectKind;
    std::vector<Target> targets;
    for (int n = modVantile::SliderCount - 1; n >= 0; --n) {
        const int picture = m.GetSliderPicture(screen, n);
        if (picture < 1 || picture > ObjectPictures::SliderStyleCount)
            continue;
        targets.push_back({ObjectKind::Slider, n,
                           QRect(QPoint(m.GetSliderLeft(screen, n), m.GetSliderTop(screen, n)),
                                 ObjectPictures::SliderPictureSize(picture - 1))});
    }
    for (int n = modVantile::ButtonCount - 1; n >= 0; --n) {
        if (m.GetButtonType(screen, n) <= 0)
            continue;
        const int left = m.GetButtonLeft(screen, n), top = m.GetButtonTop(screen, n);
        const int right = RecordSchema::ClampEdge(left + m.GetButtonWidth(screen, n) - 1);
        const int bottom = RecordSchema::ClampEdge(top + m.GetButtonHeight(screen, n) - 1);
        const QRect area(QPoint(left, top), QPoint(right, bottom));
        targets.push_back({ObjectKind::Button, n, area.isValid() ? area : QRect()});
    }
    return targets;
}

} // namespace TouchTargets
