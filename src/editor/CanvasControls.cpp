#include "editor/CanvasControls.h"

#include "assets/ObjectPictures.h"
#include "render/RenderFont.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QRubberBand>
#include <QTextOption>

#include <algorithm>
#include <cmath>
#include <utility>

namespace
{
// What a damaged record can hold is far beyond any screen: keep widgets sane.
constexpr int WidgetLimit = 32767;
// A label's picture never needs to be larger than the largest panel screen;
// a damaged size must not make it enormous.
constexpr int FaceLimit = 1024;
constexpr qint64 KeptFacePixels = 1 << 20;
} // namespace

int ScaledPixels(int panel, double scale)
{
    return int(std::clamp<double>(std::floor(panel * scale + 1e-9), -WidgetLimit, WidgetLimit));
}

CanvasControl::CanvasControl(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
}

void CanvasControl::setPanelGeometry(const QRect &panel, double scale)
{
    const bool rescaled = scale != scale_;
    panel_ = panel;
    scale_ = scale;
    const int left = ScaledPixels(panel.x(), scale), top = ScaledPixels(panel.y(), scale);
    const int width = std::min(ScaledPixels(panel.x() + panel.width(), scale) - left, WidgetLimit);
    const int height = std::min(ScaledPixels(panel.y() + panel.height(), scale) - top, WidgetLimit);
    setGeometry(left, top, std::max(0, width), std::max(0, height));
    if (rescaled)
        update();
}

const QImage &CanvasControl::face()
{
    static const QImage none;
    return none;
}

void CanvasControl::setLifted(bool lifted)
{
    if (lifted_ == lifted)
        return;
    lifted_ = lifted;
    update();
}

void CanvasControl::drawFace(QPainter &painter, const QImage &face, QSize size)
{
    if (face.isNull() || size.isEmpty())
        return;
    if (size == face.size()) {
        painter.drawImage(0, 0, face);
        return;
    }
    // Enlarged, each panel pixel stays one square; made smaller, it is averaged.
    const Qt::TransformationMode mode = scale_ < 1.0 ? Qt::SmoothTransformation : Qt::FastTransformation;
    // A face as large as a whole screen at a high zoom is drawn each time
    // rather than kept: a damaged project could ask for many of them.
    if (qint64(size.width()) * size.height() > KeptFacePixels) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, mode == Qt::SmoothTransformation);
        painter.drawImage(QRect(QPoint(0, 0), size), face);
        return;
    }
    if (scaledKey_ != face.cacheKey() || scaled_.size() != size) {
        scaled_ = face.scaled(size, Qt::IgnoreAspectRatio, mode);
        scaledKey_ = face.cacheKey();
    }
    painter.drawImage(0, 0, scaled_);
}

void CanvasControl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        moved_ = false;
        pressPos_ = event->position().toPoint();
        startPos_ = pos();
    }
    // Taken here: the canvas behind must not see it.
    event->accept();
}

void CanvasControl::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    if (!pressed_) {
        pressPos_ = event->position().toPoint();
        emit hovered();
        return;
    }
    // The mouse in the parent's coordinates, wherever the control has moved.
    const QPoint mouse = mapToParent(event->position().toPoint());
    if (!moved_ && (mouse - (startPos_ + pressPos_)).manhattanLength() >= QApplication::startDragDistance()) {
        moved_ = true;
        emit dragStarted();
    }
    if (moved_) {
        const QPoint before = pos();
        move(mouse - pressPos_);
        if (pos() != before)
            emit dragged(pos() - before);
    }
}

void CanvasControl::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    const bool second = std::exchange(secondClick_, false);
    if (!moved_ && (event->modifiers() & Qt::ShiftModifier)) {
        emit shiftClicked();
        return;
    }
    const QPoint mouse = moved_ ? mapToParent(event->position().toPoint()) : startPos_ + pressPos_;
    const bool onParent = parentWidget() && parentWidget()->rect().contains(mouse);
    const bool click = !moved_;
    emit dropped(mouse - pressPos_, onParent);
    if (click)
        emit clicked();
    if (click && second)
        emit doubleClicked();
}

// The second press of a double click is a press like the first; its release
// reports the double click.
void CanvasControl::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
    secondClick_ = event->button() == Qt::LeftButton;
}

CanvasImage::CanvasImage(QWidget *parent) : CanvasControl(parent) {}

void CanvasImage::setPicture(const QImage &picture)
{
    if (picture.cacheKey() == source_.cacheKey() && picture.isNull() == source_.isNull())
        return;
    source_ = picture;
    if (picture.isNull()) {
        shown_ = QImage();
    } else {
        shown_ = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QRgb key = ObjectPictures::KeyColor & 0x00FFFFFF;
        for (int y = 0; y < shown_.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(shown_.scanLine(y));
            for (int x = 0; x < shown_.width(); ++x)
                if ((line[x] & 0x00FFFFFF) == key)
                    line[x] = 0;
        }
    }
    update();
}

void CanvasImage::setBorder(bool border)
{
    if (border_ == border)
        return;
    border_ = border;
    update();
}

void CanvasImage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (isLifted())
        drawFace(painter, shown_, scale() == 1.0 ? shown_.size() : size());
    // The outline of a touch area is the editor's, not the panel's: always shown.
    if (border_ && width() > 0 && height() > 0) {
        // One panel pixel wide at any zoom.
        const int t = std::max(1, int(scale()));
        painter.fillRect(0, 0, width(), t, Qt::black);
        painter.fillRect(0, height() - t, width(), t, Qt::black);
        painter.fillRect(0, 0, t, height(), Qt::black);
        painter.fillRect(width() - t, 0, t, height(), Qt::black);
    }
}

CanvasLabel::CanvasLabel(QWidget *parent) : CanvasControl(parent) {}

void CanvasLabel::invalidate()
{
    faceValid_ = false;
    update();
}

void CanvasLabel::setText(const QString &text)
{
    if (text_ == text)
        return;
    text_ = text;
    invalidate();
}

void CanvasLabel::setForeColor(const QColor &color)
{
    if (foreColor_ == color)
        return;
    foreColor_ = color;
    invalidate();
}

void CanvasLabel::setBackColor(const QColor &color)
{
    if (backColor_ == color && backColor_.isValid() == color.isValid())
        return;
    backColor_ = color;
    invalidate();
}

void CanvasLabel::setBorder(bool border)
{
    if (border_ == border)
        return;
    border_ = border;
    invalidate();
}

void CanvasLabel::setPanelText(const QImage &picture, QSize box)
{
    if (box_ == box && picture == panelText_)
        return;
    panelText_ = picture;
    box_ = box;
    invalidate();
}

void CanvasLabel::clearPanelText()
{
    if (!box_)
        return;
    panelText_ = QImage();
    box_.reset();
    invalidate();
}

void CanvasLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        invalidate();
    CanvasControl::changeEvent(event);
}

void CanvasLabel::resizeEvent(QResizeEvent *event)
{
    invalidate();
    CanvasControl::resizeEvent(event);
}

const QImage &CanvasLabel::face()
{
    if (faceValid_)
        return face_;
    faceValid_ = true;
    const QSize size = panelGeometry().size().boundedTo(QSize(FaceLimit, FaceLimit));
    if (size.isEmpty()) {
        face_ = QImage();
        return face_;
    }
    face_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
    face_.fill(Qt::transparent);
    QPainter painter(&face_);
    const QSize box = boxSize().boundedTo(size);
    if (backColor_.isValid())
        painter.fillRect(QRect(QPoint(0, 0), box), backColor_);
    QRect area(QPoint(0, 0), box);
    if (border_ && !box.isEmpty()) {
        painter.setPen(Qt::black);
        painter.drawRect(0, 0, box.width() - 1, box.height() - 1);
        area.adjust(1, 1, -1, -1);
    }
    if (box_) {
        painter.drawImage(0, 0, panelText_);
    } else if (!text_.isEmpty()) {
        painter.setClipRect(area);
        FillRenderText(painter, area.topLeft(), text_, font(), foreColor_, area.width());
    }
    return face_;
}

void CanvasLabel::paintEvent(QPaintEvent *)
{
    if (!isLifted())
        return;
    const QImage &picture = face();
    if (picture.isNull())
        return;
    QPainter painter(this);
    drawFace(painter, picture, QSize(ScaledPixels(picture.width(), scale()), ScaledPixels(picture.height(), scale())));
}

CanvasSurface::CanvasSurface(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
}

void CanvasSurface::setBackColor(const QColor &color)
{
    backColor_ = color;
    update();
}

void CanvasSurface::setPicture(const QImage &picture)
{
    picture_ = picture;
    scaledPicture_ = QImage();
    update();
}

void CanvasSurface::setScale(double scale)
{
    if (scale == scale_)
        return;
    scale_ = scale;
    scaledPicture_ = QImage();
    objectsScaled_ = false;
    scaledObjects_ = QImage();
    update();
}

void CanvasSurface::setObjectsSource(std::function<const QImage &()> source)
{
    objectsSource_ = std::move(source);
    objectsChanged();
}

void CanvasSurface::objectsChanged()
{
    objectsScaled_ = false;
    update();
}

const QImage &CanvasSurface::scaledObjects()
{
    static const QImage none;
    if (!objectsSource_)
        return none;
    if (scale_ == 1.0)
        return objectsSource_();
    if (!objectsScaled_) {
        objectsScaled_ = true;
        const QImage &objects = objectsSource_();
        const QSize size(ScaledPixels(objects.width(), scale_), ScaledPixels(objects.height(), scale_));
        scaledObjects_ = objects.isNull() || size.isEmpty()
                             ? QImage()
                             : objects.scaled(size, Qt::IgnoreAspectRatio,
                                              scale_ < 1.0 ? Qt::SmoothTransformation : Qt::FastTransformation);
    }
    return scaledObjects_;
}

const QImage &CanvasSurface::scaledPicture()
{
    if (scale_ == 1.0 || picture_.isNull())
        return picture_;
    if (scaledPicture_.isNull()) {
        // Only the part the panel shows is kept: a picture larger than any screen costs nothing more.
        const QImage shown = picture_.copy(QRect(QPoint(0, 0), picture_.size().boundedTo(QSize(FaceLimit, FaceLimit))));
        const QSize size(ScaledPixels(shown.width(), scale_), ScaledPixels(shown.height(), scale_));
        scaledPicture_ =
            shown.scaled(size, Qt::IgnoreAspectRatio, scale_ < 1.0 ? Qt::SmoothTransformation : Qt::FastTransformation)
                .convertToFormat(QImage::Format_RGB32);
    }
    return scaledPicture_;
}

void CanvasSurface::setGrid(const QList<int> &horizontal, const QList<int> &vertical, const QColor &color, QSize extent)
{
    gridH_ = horizontal;
    gridV_ = vertical;
    gridColor_ = color;
    gridExtent_ = extent;
    update();
}

void CanvasSurface::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QImage &picture = scaledPicture();
    // The part the picture covers is not filled first: at a high zoom that
    // would double the work of a full redraw.
    const QRegion uncovered = QRegion(event->rect()) - QRegion(picture.rect());
    for (const QRect &r : uncovered)
        painter.fillRect(r, backColor_);
    if (const QRect covered = event->rect() & picture.rect(); !covered.isEmpty())
        painter.drawImage(covered.topLeft(), picture, covered);
    // Grid lines stay one pixel wide at any zoom: they are an aid, not the panel's.
    painter.setPen(QPen(gridColor_, 1));
    const int extentX = ScaledPixels(gridExtent_.width(), scale_);
    const int extentY = ScaledPixels(gridExtent_.height(), scale_);
    for (int y : gridH_)
        painter.drawLine(0, ScaledPixels(y, scale_), extentX, ScaledPixels(y, scale_));
    for (int x : gridV_)
        painter.drawLine(ScaledPixels(x, scale_), 0, ScaledPixels(x, scale_), extentY);
    const QImage &objects = scaledObjects();
    if (const QRect covered = event->rect() & objects.rect(); !covered.isEmpty())
        painter.drawImage(covered.topLeft(), objects, covered);
    painter.setPen(QPen(QColor(0, 120, 215), 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    for (const QRect &area : selection_) {
        const QRect shown(QPoint(ScaledPixels(area.x(), scale_), ScaledPixels(area.y(), scale_)),
                          QPoint(ScaledPixels(area.x() + area.width(), scale_) - 1,
                                 ScaledPixels(area.y() + area.height(), scale_) - 1));
        painter.drawRect(shown.adjusted(-2, -2, 1, 1));
    }
}

void CanvasSurface::setSelection(const QList<QRect> &areas)
{
    if (areas == selection_)
        return;
    selection_ = areas;
    update();
}

void CanvasSurface::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        bandOrigin_ = event->position().toPoint();
        banding_ = false;
    }
    emit pressed(event->modifiers());
    QWidget::mousePressEvent(event);
}

void CanvasSurface::mouseMoveEvent(QMouseEvent *event)
{
    emit hovered();
    if (event->buttons() & Qt::LeftButton) {
        const QPoint at = event->position().toPoint();
        if (!banding_ && (at - bandOrigin_).manhattanLength() >= QApplication::startDragDistance()) {
            banding_ = true;
            if (!band_)
                band_ = new QRubberBand(QRubberBand::Rectangle, this);
            band_->raise();
            band_->show();
        }
        if (banding_)
            band_->setGeometry(QRect(bandOrigin_, at).normalized());
    }
    QWidget::mouseMoveEvent(event);
}

void CanvasSurface::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && banding_) {
        banding_ = false;
        band_->hide();
        emit banded(QRect(bandOrigin_, event->position().toPoint()).normalized(), event->modifiers());
    }
    QWidget::mouseReleaseEvent(event);
}

QFont CanvasFont(int points, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(int(std::lround(points * 96.0 / 72.0)));
    font.setBold(bold);
    return font;
}

int CanvasFontPoints(const QFont &font)
{
    return int(std::lround(font.pixelSize() * 72.0 / 96.0));
}
