#include "editor/CanvasView.h"

#include "assets/PictureSets.h"
#include "editor/CanvasControls.h"
#include "model/ObjectTables.h"
#include "model/modVantile.h"

#include <QFrame>

#include <algorithm>
#include <cmath>

namespace
{

constexpr int TwipsPerPixel = ObjectTables::TwipsPerPixel;
constexpr int BorderPixels = 2; // half the design's 60-twip canvas border
const QColor TextGrey(192, 192, 192);

// What a damaged record can hold is far beyond any screen: keep widgets sane.
int clampCoordinate(long long v)
{
    return int(std::clamp<long long>(v, -32767, 32767));
}
int clampSize(long long v)
{
    return int(std::clamp<long long>(v, 0, 32767));
}
int twipsToPixels(long long twips)
{
    return clampCoordinate(std::llround(double(twips) / TwipsPerPixel));
}

} // namespace

CanvasView::CanvasView(modVantile &m, QWidget *parent) : QWidget(parent), m_(m)
{
    setObjectName(QStringLiteral("picPan"));
    setAutoFillBackground(true);
    setFocusPolicy(Qt::ClickFocus);
    QPalette panPalette = palette();
    panPalette.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(panPalette);

    layout_ = new QFrame(this);
    layout_->setObjectName(QStringLiteral("picLayout"));
    layout_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    layout_->setLineWidth(BorderPixels);
    layout_->move(0, 0);

    surface_ = new CanvasSurface(layout_);
    surface_->setObjectName(QStringLiteral("picSurface"));
    surface_->move(BorderPixels, BorderPixels);
    connect(surface_, &CanvasSurface::hovered, this, &CanvasView::EmptyHovered);
    connect(surface_, &CanvasSurface::pressed, this, &CanvasView::EmptyPressed);

    // Creation order is the initial stacking order: buttons, pilots,
    // sliders, then the text objects above them.
    for (int i = 0; i < modVantile::ButtonCount; ++i) {
        auto *image = new CanvasImage(surface_);
        image->setObjectName(QStringLiteral("imgPB_%1").arg(i));
        image->hide();
        connectControl(image, Kind::Button, DropSource::ButtonPicture, i);
        imgPB.push_back(image);

        auto *caption = new CanvasLabel(surface_);
        caption->setObjectName(QStringLiteral("lblButton_%1").arg(i));
        caption->setFont(CanvasFont(8, false));
        caption->hide();
        connectControl(caption, Kind::Button, DropSource::ButtonCaption, i);
        lblButton.push_back(caption);
        // A button is dragged whole, picture and caption together.
        connect(image, &CanvasControl::dragged, caption, [caption](QPoint d) { caption->move(caption->pos() + d); });
        connect(caption, &CanvasControl::dragged, image, [image](QPoint d) { image->move(image->pos() + d); });
    }
    for (int i = 0; i < modVantile::PilotCount; ++i) {
        auto *image = new CanvasImage(surface_);
        image->setObjectName(QStringLiteral("imgPilot_%1").arg(i));
        image->hide();
        connectControl(image, Kind::Pilot, DropSource::Pilot, i);
        imgPilot.push_back(image);
    }
    for (int i = 0; i < modVantile::SliderCount; ++i) {
        auto *image = new CanvasImage(surface_);
        image->setObjectName(QStringLiteral("imgSlider_%1").arg(i));
        image->hide();
        connectControl(image, Kind::Slider, DropSource::Slider, i);
        imgSlider.push_back(image);
    }
    for (int i = 0; i < modVantile::TextCount; ++i) {
        auto *label = new CanvasLabel(surface_);
        label->setObjectName(QStringLiteral("lblTextBox_%1").arg(i));
        label->setFont(CanvasFont(8, true));
        label->hide();
        connectControl(label, Kind::Text, DropSource::TextBox, i);
        lblTextBox.push_back(label);
    }
}

void CanvasView::connectControl(CanvasControl *control, Kind kind, DropSource source, int n)
{
    // The grab offset follows the mouse while the button is up and keeps the
    // grab point during a drag.
    connect(control, &CanvasControl::hovered, this, [this, control, kind, n] {
        emit GrabPoint(control->grabPoint());
        emit ObjectHovered(kind, n);
    });
    connect(control, &CanvasControl::clicked, this, [this, kind, n] { emit ObjectClicked(kind, n); });
    connect(control, &CanvasControl::dropped, this, [this, control, source, n](QPoint topLeft, bool onParent) {
        const QPoint mouse = topLeft + control->grabPoint();
        // The part of the canvas panned out of the viewport is not under the mouse.
        const bool onCanvas = onParent && rect().contains(surface_->mapTo(this, mouse));
        emit Dropped(source, n, mouse, control->grabPoint(), onCanvas);
    });
}

void CanvasView::SetShape(QSize canvas, QSize viewport)
{
    layout_->resize(canvas);
    surface_->resize(canvas - QSize(2 * BorderPixels, 2 * BorderPixels));
    resize(viewport);
    update();
}

void CanvasView::SetPan(int pixels)
{
    layout_->move(0, -pixels);
}

QRect CanvasView::VisibleArea() const
{
    const QRect shown = QRect(surface_->mapFrom(this, QPoint(0, 0)), size());
    return shown.intersected(surface_->rect());
}

void CanvasView::Raise()
{
    layout_->raise();
    layout_->update();
}

void CanvasView::SetToolTip(Kind kind, int n, const QString &tip)
{
    switch (kind) {
    case Kind::Button:
        imgPB[size_t(n)]->setToolTip(tip);
        lblButton[size_t(n)]->setToolTip(tip);
        break;
    case Kind::Pilot:
        imgPilot[size_t(n)]->setToolTip(tip);
        break;
    case Kind::Slider:
        imgSlider[size_t(n)]->setToolTip(tip);
        break;
    case Kind::Text:
        lblTextBox[size_t(n)]->setToolTip(tip);
        break;
    }
}

void CanvasView::SetSelection(Kind kind, int n)
{
    if (n < 0) {
        surface_->setSelection({});
        return;
    }
    surface_->setSelection(EditOperations::ObjectBounds(m_, m_.CurrentScreen, kind, n));
}

void CanvasView::ShowButton(int n)
{
    CanvasImage *image = imgPB[size_t(n)];
    CanvasLabel *caption = lblButton[size_t(n)];
    const int type = m_.GetButtonType(n);
    if (type <= 0) {
        image->hide();
        caption->hide();
    } else {
        image->move(clampCoordinate(m_.GetButtonLeft(n)), clampCoordinate(m_.GetButtonTop(n)));
        image->show();
        const int picture = m_.GetButtonPicture(n);
        if (picture == 0) {
            image->setPicture({});
            image->resize(clampSize(m_.GetButtonWidth(n)), clampSize(m_.GetButtonHeight(n)));
            image->setBorder(true);
            caption->hide();
        } else {
            const QImage &bitmap = PictureSets::ButtonPicture(picture - 1);
            image->setPicture(bitmap);
            image->resize(bitmap.size());
            image->setBorder(false);
            caption->setText(m_.GetButtonText(n));
            const int fontSize = m_.GetButtonFontSize(n);
            if (ObjectTables::ValidFontSize(fontSize)) {
                const ObjectTables::FontChoice font = ObjectTables::CaptionFonts[size_t(fontSize)];
                caption->setFont(CanvasFont(font.points, font.bold));
                m_.SetButtonTextX(n, ObjectTables::CaptionOffsetTwips[size_t(fontSize)]);
                m_.SetButtonTextY(n, ObjectTables::CaptionOffsetTwips[size_t(fontSize)]);
            }
            const long long x = m_.GetButtonTextX(n), y = m_.GetButtonTextY(n);
            const long long left = (long long)image->x() * TwipsPerPixel, top = (long long)image->y() * TwipsPerPixel;
            const long long width = (long long)image->width() * TwipsPerPixel;
            const long long height = (long long)image->height() * TwipsPerPixel;
            caption->setGeometry(twipsToPixels(left + x), twipsToPixels(top + y), clampSize(twipsToPixels(width - x)),
                                 clampSize(twipsToPixels(height - y)));
            caption->setForeColor(m_.GetButtonTextColor(n) == 0 ? Qt::black : Qt::white);
            caption->show();
        }
    }
    image->raise();
    caption->raise();
}

void CanvasView::ShowPilot(int n)
{
    CanvasImage *image = imgPilot[size_t(n)];
    image->setVisible(m_.GetPilotUsed(n) > 0);
    const QImage &bitmap = PictureSets::PilotOnPicture(m_.GetPilotPicture(n));
    image->setPicture(bitmap);
    image->setGeometry(clampCoordinate(m_.GetPilotLeft(n)), clampCoordinate(m_.GetPilotTop(n)), bitmap.width(),
                       bitmap.height());
    image->raise();
}

void CanvasView::ShowSlider(int n)
{
    CanvasImage *image = imgSlider[size_t(n)];
    const int picture = m_.GetSliderPicture(n);
    if (picture <= 0) {
        image->hide();
        return;
    }
    const QImage &bitmap = PictureSets::SliderSelectorPicture(picture - 1);
    image->setPicture(bitmap);
    image->setGeometry(clampCoordinate(m_.GetSliderLeft(n)), clampCoordinate(m_.GetSliderTop(n)), bitmap.width(),
                       bitmap.height());
    image->show();
}

void CanvasView::ShowText(int n, bool showTextBoxes)
{
    using ObjectTables::TextKind;
    CanvasLabel *label = lblTextBox[size_t(n)];
    const int type = m_.GetTextType(n);
    const TextKind kind = ObjectTables::DecodeTextType(type);

    static const QColor barColors[] = {QColor(0, 0, 255), QColor(0, 255, 0), QColor(128, 128, 128)};
    if (kind == TextKind::Unused) {
        label->hide();
    } else if (kind == TextKind::FixedText) {
        label->setBorder(false);
        label->setBackColor(showTextBoxes ? TextGrey : QColor());
        label->show();
    } else if (ObjectTables::IsValueBox(kind)) {
        label->setBorder(true);
        label->setBackColor(Qt::white);
        label->show();
    } else if (ObjectTables::IsBarGraph(kind)) {
        label->setBorder(true);
        label->setBackColor(barColors[size_t(ObjectTables::BarColourOf(type))]);
        label->show();
    }

    label->move(clampCoordinate(m_.GetTextLeft(n)), clampCoordinate(m_.GetTextTop(n)));
    if (kind == TextKind::Unused || kind == TextKind::FixedText || ObjectTables::IsValueBox(kind)) {
        label->resize(clampSize(m_.GetTextWidth(n)), clampSize(m_.GetTextHeight(n)));
        label->setText(m_.GetTextString(n));
    } else if (kind == TextKind::SmallBar) {
        label->resize(ObjectTables::SmallBarWidthTwips / TwipsPerPixel,
                      ObjectTables::SmallBarHeightTwips / TwipsPerPixel);
        label->setText(QString());
    } else if (kind == TextKind::LargeBar) {
        label->resize(ObjectTables::LargeBarWidthTwips / TwipsPerPixel,
                      ObjectTables::LargeBarHeightTwips / TwipsPerPixel);
        label->setText(QString());
    }

    if (const int fontSize = m_.GetTextFontSize(n); ObjectTables::ValidFontSize(fontSize)) {
        const ObjectTables::FontChoice font = ObjectTables::TextFonts[size_t(fontSize)];
        label->setFont(CanvasFont(font.points, font.bold));
    }
    label->setForeColor(m_.GetTextColor(n) != 0 ? Qt::white : Qt::black);
}
