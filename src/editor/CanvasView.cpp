#include "editor/CanvasView.h"

#include "assets/ObjectPictures.h"
#include "editor/CanvasControls.h"
#include "model/DerivedFields.h"
#include "model/ObjectTables.h"
#include "model/modVantile.h"
#include "render/PictureImport.h"
#include "render/ScreenRenderer.h"

#include <QDropEvent>
#include <QFrame>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace
{

constexpr int TwipsPerPixel = ObjectTables::TwipsPerPixel;
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

// The one local picture file a drop from outside carries, or empty.
QString droppedPicture(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().front().isLocalFile())
        return {};
    const QString path = data->urls().front().toLocalFile();
    return PictureImport::IsReadableSuffix(path) ? path : QString();
}

} // namespace

CanvasView::CanvasView(modVantile &m, QWidget *parent) : QWidget(parent), m_(m)
{
    setObjectName(QStringLiteral("picPan"));
    setAutoFillBackground(true);
    setFocusPolicy(Qt::ClickFocus);
    setAcceptDrops(true);
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
    surface_->installEventFilter(this);
    connect(surface_, &CanvasSurface::hovered, this, &CanvasView::EmptyHovered);
    connect(surface_, &CanvasSurface::pressed, this, &CanvasView::EmptyPressed);
    connect(surface_, &CanvasSurface::banded, this, [this](const QRect &area, Qt::KeyboardModifiers modifiers) {
        const QPointF from = ToPanel(area.topLeft()), to = ToPanel(area.bottomRight() + QPoint(1, 1));
        emit AreaSelected(QRect(QPoint(int(std::floor(from.x())), int(std::floor(from.y()))),
                                QPoint(int(std::ceil(to.x())) - 1, int(std::ceil(to.y())) - 1)),
                          modifiers);
    });

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
    surface_->setObjectsSource([this]() -> const QImage & { return objectsLayer(); });
    stackInPanelOrder();
}

void CanvasView::connectControl(CanvasControl *control, Kind kind, DropSource source, int n)
{
    control->installEventFilter(this);
    // The grab offset follows the mouse while the button is up and keeps the
    // grab point during a drag.
    connect(control, &CanvasControl::hovered, this, [this, control, kind, n] {
        emit GrabPoint(control->grabPoint());
        emit ObjectHovered(kind, n);
    });
    connect(control, &CanvasControl::clicked, this, [this, kind, n] { emit ObjectClicked(kind, n); });
    connect(control, &CanvasControl::doubleClicked, this, [this, kind, n] { emit ObjectDoubleClicked(kind, n); });
    connect(control, &CanvasControl::shiftClicked, this, [this, kind, n] { emit ObjectShiftClicked(kind, n); });
    connect(control, &CanvasControl::dragStarted, this, [this, kind, n] { lift(kind, n); });
    connect(control, &CanvasControl::dragged, this, [this, kind, n](QPoint delta) { dragAlong(kind, n, delta); });
    connect(control, &CanvasControl::dropped, this, [this, control, source, n](QPoint topLeft, bool onParent) {
        setDown();
        const QPoint mouse = topLeft + control->grabPoint();
        // The part of the canvas panned out of the viewport is not under the mouse.
        const bool onCanvas = onParent && rect().contains(surface_->mapTo(this, mouse));
        emit Dropped(source, n, topLeft, control->grabPoint(), onCanvas);
    });
}

QList<CanvasControl *> CanvasView::controlsOf(Kind kind, int n) const
{
    switch (kind) {
    case Kind::Button:
        return {imgPB[size_t(n)], lblButton[size_t(n)]};
    case Kind::Pilot:
        return {imgPilot[size_t(n)]};
    case Kind::Slider:
        return {imgSlider[size_t(n)]};
    case Kind::Text:
        break;
    }
    return {lblTextBox[size_t(n)]};
}

// The objects a drag moves leave the canvas's picture and show themselves.
void CanvasView::lift(Kind kind, int n)
{
    QList<ObjectRef> moving{ObjectRef{kind, n}};
    if (selected_.size() >= 2 && selected_.contains(ObjectRef{kind, n}))
        moving = selected_;
    for (const ObjectRef &object : moving)
        for (CanvasControl *control : controlsOf(object.kind, object.slot))
            control->setLifted(true);
    objectsChanged();
}

void CanvasView::setDown()
{
    bool any = false;
    for (const ObjectRef &object : std::as_const(stacked_))
        for (CanvasControl *control : controlsOf(object.kind, object.slot)) {
            any = any || control->isLifted();
            control->setLifted(false);
        }
    if (any)
        objectsChanged();
}

QList<CanvasView::ObjectRef> CanvasView::panelOrder() const
{
    const QList<ScreenRenderer::PanelStep> steps = ScreenRenderer::PanelOrder(m_, m_.CurrentScreen);
    QList<ObjectRef> order;
    order.reserve(steps.size());
    for (qsizetype i = 0; i < steps.size(); ++i) {
        const ObjectRef object{steps[i].kind, steps[i].slot};
        const auto later = std::find_if(steps.begin() + i + 1, steps.end(), [&](const ScreenRenderer::PanelStep &s) {
            return s.kind == object.kind && s.slot == object.slot;
        });
        if (later == steps.end())
            order << object;
    }
    return order;
}

// What is drawn later lies on top, and takes the mouse first.
void CanvasView::stackInPanelOrder()
{
    const QList<ObjectRef> order = panelOrder();
    if (order == stacked_)
        return;
    stacked_ = order;
    for (const ObjectRef &object : order)
        for (CanvasControl *control : controlsOf(object.kind, object.slot))
            control->raise();
    objectsChanged();
}

void CanvasView::objectsChanged()
{
    layerValid_ = false;
    surface_->objectsChanged();
}

const QImage &CanvasView::objectsLayer()
{
    if (layerValid_)
        return layer_;
    layerValid_ = true;
    if (panel_.isEmpty()) {
        layer_ = QImage();
        return layer_;
    }
    if (layer_.size() != panel_)
        layer_ = QImage(panel_, QImage::Format_ARGB32_Premultiplied);
    layer_.fill(Qt::transparent);
    QPainter painter(&layer_);
    for (const ObjectRef &object : std::as_const(stacked_))
        for (CanvasControl *control : controlsOf(object.kind, object.slot))
            if (!control->isHidden() && !control->isLifted())
                if (const QImage &face = control->face(); !face.isNull())
                    painter.drawImage(control->panelGeometry().topLeft(), face);
    return layer_;
}

// The other selected objects travel with the one being dragged.
void CanvasView::dragAlong(Kind kind, int n, QPoint delta)
{
    if (selected_.size() < 2 || !selected_.contains(ObjectRef{kind, n}))
        return;
    // The frames mark where the objects were; they come back with the drop's redraw.
    surface_->setSelection({});
    for (const ObjectRef &other : selected_)
        if (!(other == ObjectRef{kind, n}))
            for (CanvasControl *control : controlsOf(other.kind, other.slot))
                control->move(control->pos() + delta);
}

bool CanvasView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove) {
        const auto *move = static_cast<QMouseEvent *>(event);
        const QPointF panel = ToPanel(surface_->mapFromGlobal(move->globalPosition()));
        emit PointerMoved(QPoint(int(std::floor(panel.x())), int(std::floor(panel.y()))));
    }
    return QWidget::eventFilter(watched, event);
}

void CanvasView::leaveEvent(QEvent *event)
{
    emit PointerLeft();
    QWidget::leaveEvent(event);
}

void CanvasView::SetZoom(int percent)
{
    zoom_ = percent;
    surface_->setScale(Scale());
}

QSize CanvasView::CanvasSizeFor(QSize panel) const
{
    return QSize(ScaledPixels(panel.width(), Scale()), ScaledPixels(panel.height(), Scale())) +
           QSize(2 * BorderPixels, 2 * BorderPixels);
}

QPointF CanvasView::ToPanel(QPointF surface) const
{
    return surface / Scale();
}

void CanvasView::SetShape(QSize panel, QSize viewport)
{
    const QSize canvas = CanvasSizeFor(panel);
    if (panel != panel_) {
        panel_ = panel;
        objectsChanged();
    }
    layout_->resize(canvas);
    surface_->resize(canvas - QSize(2 * BorderPixels, 2 * BorderPixels));
    resize(viewport);
    update();
}

void CanvasView::SetPan(QPoint pixels)
{
    layout_->move(-pixels);
}

QRect CanvasView::VisibleArea() const
{
    const QRect shown = QRect(surface_->mapFrom(this, QPoint(0, 0)), size()).intersected(surface_->rect());
    if (shown.isEmpty())
        return {};
    const QPointF from = ToPanel(shown.topLeft()), to = ToPanel(shown.bottomRight() + QPoint(1, 1));
    return QRect(QPoint(int(std::ceil(from.x() - 1e-9)), int(std::ceil(from.y() - 1e-9))),
                 QPoint(int(std::floor(to.x() + 1e-9)) - 1, int(std::floor(to.y() + 1e-9)) - 1));
}

void CanvasView::Raise()
{
    stackInPanelOrder();
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

void CanvasView::SetSelection(const QList<ObjectRef> &objects)
{
    selected_ = objects;
    QList<QRect> areas;
    for (const ObjectRef &object : objects)
        if (const QRect area = EditOperations::ObjectBounds(m_, m_.CurrentScreen, object.kind, object.slot);
            !area.isEmpty())
            areas << area;
    surface_->setSelection(areas);
}

void CanvasView::ShowButton(int n)
{
    CanvasImage *image = imgPB[size_t(n)];
    CanvasLabel *caption = lblButton[size_t(n)];
    const int type = m_.GetButtonType(n);
    const double scale = Scale();
    if (type <= 0) {
        image->hide();
        caption->hide();
    } else {
        const QPoint at(clampCoordinate(m_.GetButtonLeft(n)), clampCoordinate(m_.GetButtonTop(n)));
        image->show();
        const int picture = m_.GetButtonPicture(n);
        if (picture == 0) {
            image->setPicture({});
            image->setPanelGeometry(QRect(at, QSize(clampSize(m_.GetButtonWidth(n)), clampSize(m_.GetButtonHeight(n)))),
                                    scale);
            image->setBorder(true);
            caption->hide();
        } else {
            const QImage &bitmap = ObjectPictures::ButtonPicture(picture - 1);
            image->setPicture(bitmap);
            image->setPanelGeometry(QRect(at, bitmap.size()), scale);
            image->setBorder(false);
            caption->setText(m_.GetButtonText(n));
            const int fontSize = m_.GetButtonFontSize(n);
            if (ObjectTables::ValidFontSize(fontSize)) {
                const ObjectTables::FontChoice font = ObjectTables::CaptionFonts[size_t(fontSize)];
                caption->setFont(CanvasFont(font.points, font.bold));
            }
            DerivedFields::StoreCaptionOffset(m_, m_.CurrentScreen, n);
            const long long x = m_.GetButtonTextX(n), y = m_.GetButtonTextY(n);
            const long long left = (long long)at.x() * TwipsPerPixel, top = (long long)at.y() * TwipsPerPixel;
            const long long width = (long long)bitmap.width() * TwipsPerPixel;
            const long long height = (long long)bitmap.height() * TwipsPerPixel;
            // The rest of the button from the caption's start, and further
            // where the caption runs past it.
            const QSize box(clampSize(twipsToPixels(width - x)), clampSize(twipsToPixels(height - y)));
            QPoint offset;
            const QImage text = painter_.ButtonCaption(m_.CurrentScreen, n, &offset);
            caption->setPanelText(text, box);
            caption->setPanelGeometry(
                QRect(QPoint(twipsToPixels(left + x), twipsToPixels(top + y)), box.expandedTo(text.size())), scale);
            caption->setForeColor(m_.GetButtonTextColor(n) == 0 ? Qt::black : Qt::white);
            caption->show();
        }
    }
    objectsChanged();
}

void CanvasView::ShowPilot(int n)
{
    CanvasImage *image = imgPilot[size_t(n)];
    image->setVisible(m_.GetPilotUsed(n) > 0);
    const QImage &bitmap = ObjectPictures::PilotOnPicture(m_.GetPilotPicture(n));
    image->setPicture(bitmap);
    image->setPanelGeometry(
        QRect(clampCoordinate(m_.GetPilotLeft(n)), clampCoordinate(m_.GetPilotTop(n)), bitmap.width(), bitmap.height()),
        Scale());
    objectsChanged();
}

void CanvasView::ShowSlider(int n)
{
    CanvasImage *image = imgSlider[size_t(n)];
    const int picture = m_.GetSliderPicture(n);
    objectsChanged();
    if (picture <= 0) {
        image->hide();
        return;
    }
    const QImage &bitmap = ObjectPictures::SliderSelectorPicture(picture - 1);
    image->setPicture(bitmap);
    image->setPanelGeometry(QRect(clampCoordinate(m_.GetSliderLeft(n)), clampCoordinate(m_.GetSliderTop(n)),
                                  bitmap.width(), bitmap.height()),
                            Scale());
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

    // An unknown type keeps the size it was shown at.
    QSize size = label->boxSize();
    if (kind == TextKind::Unused || kind == TextKind::FixedText || ObjectTables::IsValueBox(kind)) {
        size = QSize(clampSize(m_.GetTextWidth(n)), clampSize(m_.GetTextHeight(n)));
        label->setText(m_.GetTextString(n));
    } else if (kind == TextKind::SmallBar) {
        size = ObjectPictures::SmallBarGraphSize;
        label->setText(QString());
    } else if (kind == TextKind::LargeBar) {
        size = ObjectPictures::LargeBarGraphSize;
        label->setText(QString());
    }
    if (const int fontSize = m_.GetTextFontSize(n); ObjectTables::ValidFontSize(fontSize)) {
        const ObjectTables::FontChoice font = ObjectTables::TextFonts[size_t(fontSize)];
        label->setFont(CanvasFont(font.points, font.bold));
    }
    label->setForeColor(m_.GetTextColor(n) != 0 ? Qt::white : Qt::black);

    // A fixed text runs on past its box, as on the panel.
    if (kind == TextKind::FixedText)
        label->setPanelText(painter_.FixedText(m_.CurrentScreen, n), size);
    else if (kind != TextKind::Unknown && kind != TextKind::Unused)
        label->clearPanelText();
    const QSize reach = size.expandedTo(label->panelText().size());
    label->setPanelGeometry(QRect(QPoint(clampCoordinate(m_.GetTextLeft(n)), clampCoordinate(m_.GetTextTop(n))), reach),
                            Scale());
    // A value box or bar graph is drawn over the pilots and sliders, a fixed text under them.
    stackInPanelOrder();
    objectsChanged();
}

void CanvasView::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedPicture(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CanvasView::dragMoveEvent(QDragMoveEvent *event)
{
    if (!droppedPicture(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CanvasView::dropEvent(QDropEvent *event)
{
    const QString path = droppedPicture(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    emit PictureDropped(path);
}
