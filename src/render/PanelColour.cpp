#include "render/PanelColour.h"

namespace PanelColour
{

QImage AsPanelShows(const QImage &picture)
{
    QImage out = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            row[x] = ToRgb(FromRgb(uint8_t(qRed(row[x])), uint8_t(qGreen(row[x])), uint8_t(qBlue(row[x]))));
    }
    return out;
}

} // namespace PanelColour
