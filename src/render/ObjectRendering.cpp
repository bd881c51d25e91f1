// Drawing single objects into the screen picture.
#include "assets/PictureSets.h"
#include "assets/RenderPictures.h"
#include "model/ObjectTables.h"
#include "model/modVantile.h"
#include "render/ScreenRenderer.h"

#include <QFontMetrics>

#include <algorithm>

namespace
{

constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Black = 0xFF000000;
constexpr int CaptionWidth = 480, CaptionHeight = 36;
using ObjectTables::TwipsPerPixel;

QRgb recolorBlue(QRgb c)
{
    return (c & 0xFFFFFF) == (RenderPictures::BarBrightGreen & 0xFFFFFF) ? qRgb(0, 0, 255) : c;
}

QRgb recolorGrey(QRgb c)
{
    switch (c & 0xFFFFFF) {
    case RenderPictures::BarDarkGreen & 0xFFFFFF:
        return qRgb(32, 32, 32);
    case RenderPictures::BarBrightGreen & 0xFFFFFF:
        return qRgb(224, 224, 224);
    default:
        return c;
    }
}

// Pixels from twips, rounded down also for a negative value.
qint64 twipsToPixels(qint64 twips)
{
    return twips >= 0 ? twips / TwipsPerPixel : -((-twips + TwipsPerPixel - 1) / TwipsPerPixel);
}

} // namespace

void ScreenRenderer::RIButton(int iBNum)
{
    if (m_.GetButtonType(iBNum) <= 0 || m_.GetButtonPicture(iBNum) <= 0)
        return;
    const QImage &picture = PictureSets::ButtonPicture(m_.GetButtonPicture(iBNum) - 1);
    if (picture.isNull())
        return;
    const qint64 left = m_.GetButtonLeft(iBNum), top = m_.GetButtonTop(iBNum);
    canvas_.KeyedCopy(picture, left, top, PictureSets::KeyColor);

    // Caption size and offset; a damaged size keeps the last font and the stored offsets.
    const int fontSize = m_.GetButtonFontSize(iBNum);
    if (ObjectTables::ValidFontSize(fontSize)) {
        const ObjectTables::FontChoice font = ObjectTables::CaptionFonts[size_t(fontSize)];
        scratch_.SetFont(ScreenPicture::ArialFont(font.points, font.bold));
        m_.SetButtonTextX(iBNum, ObjectTables::CaptionOffsetTwips[size_t(fontSize)]);
        m_.SetButtonTextY(iBNum, ObjectTables::CaptionOffsetTwips[size_t(fontSize)]);
    }
    scratch_.SetTextColor(m_.GetButtonTextColor(iBNum) != 0 ? White : Black);

    const qint64 x = left + twipsToPixels(m_.GetButtonTextX(iBNum));
    const qint64 y = top + twipsToPixels(m_.GetButtonTextY(iBNum));
    const QRgb face = canvas_.Pixel(x, y).value_or(White);

    const QString caption = m_.GetButtonText(iBNum);
    if (caption.isEmpty())
        return; // nothing would differ from the face
    // Only the columns the text can reach are drawn and compared; the rest of
    // the 480 x 36 scratch area would be the face colour and copy nothing.
    const QFontMetrics metrics = ScreenPicture::Metrics(scratch_.Font());
    const int reach = metrics.horizontalAdvance(caption) + metrics.height();
    scratch_.Resize(std::min(CaptionWidth, (reach + 31) / 32 * 32), CaptionHeight);
    scratch_.ClearBackPicture();
    scratch_.SetBackColor(face);
    scratch_.Redraw();
    scratch_.SetTextPosition(0, 0);
    scratch_.Print(caption);
    canvas_.CopyDiffering(scratch_.Image(), x, y, face);
}

void ScreenRenderer::RIPilot(int iPNum)
{
    if (m_.GetPilotUsed(iPNum) <= 0)
        return;
    canvas_.KeyedCopy(PictureSets::PilotOffPicture(m_.GetPilotPicture(iPNum)), m_.GetPilotLeft(iPNum),
                      m_.GetPilotTop(iPNum), PictureSets::KeyColor);
}

void ScreenRenderer::RISlider(int iSNum)
{
    if (m_.GetSliderPicture(iSNum) <= 0)
        return;
    canvas_.KeyedCopy(PictureSets::SliderRenderPicture(m_.GetSliderPicture(iSNum) - 1), m_.GetSliderLeft(iSNum),
                      m_.GetSliderTop(iSNum), PictureSets::KeyColor);
}

void ScreenRenderer::RITitleDL(int iTNum)
{
    DrawTitle(iTNum, false);
}

void ScreenRenderer::RITitleIP(int iTNum)
{
    DrawTitle(iTNum, true);
}

void ScreenRenderer::DrawTitle(int iTNum, bool preview)
{
    const int type = m_.GetTextType(iTNum);
    const qint64 left = m_.GetTextLeft(iTNum), top = m_.GetTextTop(iTNum);
    switch (type) {
    case 1:
        // A damaged font size keeps the font the picture has.
        if (const int fontSize = m_.GetTextFontSize(iTNum); ObjectTables::ValidFontSize(fontSize)) {
            const ObjectTables::FontChoice font = ObjectTables::TextFonts[size_t(fontSize)];
            canvas_.SetFont(ScreenPicture::ArialFont(font.points, font.bold));
        }
        canvas_.SetTextColor(m_.GetTextColor(iTNum) != 0 ? White : Black);
        canvas_.SetTextPosition(left, top);
        canvas_.Print(m_.GetTextString(iTNum));
        break;
    case 2:
    case 3:
        canvas_.FullCopy(RenderPictures::ValueBoxPicture(m_.GetTextFontSize(iTNum)), left, top);
        break;
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
    case 9: {
        if (!preview)
            break;
        const QImage &bar = type <= 6 ? RenderPictures::SmallBarGraphPicture() : RenderPictures::LargeBarGraphPicture();
        const int colour = (type - 4) % 3; // blue, green, grey
        canvas_.FullCopy(bar, left, top, colour == 0 ? recolorBlue : colour == 2 ? recolorGrey : nullptr);
        break;
    }
    default:
        break;
    }
}
