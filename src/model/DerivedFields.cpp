#include "model/DerivedFields.h"

#include "assets/ObjectPictures.h"
#include "model/ObjectTables.h"
#include "model/modVantile.h"

namespace DerivedFields
{

namespace
{

bool validSize(const modVantile &m, int screen, int n)
{
    return ObjectTables::ValidFontSize(m.GetButtonFontSize(screen, n));
}

int derivedOffset(const modVantile &m, int screen, int n)
{
    return ObjectTables::CaptionOffsetTwips[size_t(m.GetButtonFontSize(screen, n))];
}

} // namespace

int CaptionOffsetX(const modVantile &m, int screen, int n)
{
    return validSize(m, screen, n) ? derivedOffset(m, screen, n) : m.GetButtonTextX(screen, n);
}

int CaptionOffsetY(const modVantile &m, int screen, int n)
{
    return validSize(m, screen, n) ? derivedOffset(m, screen, n) : m.GetButtonTextY(screen, n);
}

void StoreCaptionOffset(modVantile &m, int screen, int n)
{
    if (!validSize(m, screen, n))
        return;
    m.SetButtonTextX(screen, n, derivedOffset(m, screen, n));
    m.SetButtonTextY(screen, n, derivedOffset(m, screen, n));
}

void StoreCaptionOffsets(modVantile &m)
{
    for (int s = 0; s < modVantile::ScreenCount; ++s)
        for (int n = 0; n < modVantile::ButtonCount; ++n) {
            const int picture = m.GetButtonPicture(s, n);
            if (m.GetButtonType(s, n) > 0 && picture >= 1 && picture <= ObjectPictures::ButtonPictureCount)
                StoreCaptionOffset(m, s, n);
        }
}

} // namespace DerivedFields
