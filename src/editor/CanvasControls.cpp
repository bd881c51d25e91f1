#include "editor/CanvasControls.h"

#include "assets/PictureSets.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QTextOption>

#include <cmath>

CanvasControl::CanvasControl(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
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
    if (!moved_ && (mouse - (startPos_ + pressPos_)).manhattanLength() >= QApplication::startDragDistance())
        moved_ = true;
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
    const QPoint mouse = moved_ ? mapToParent(event->position().toPoint()) : startPos_ + pressPos_;
    const bool onParent = parentWidget() && parentWidget()->rect().contains(mouse);
    const bool click = !moved_;
    emit dropped(mouse - pressPos_, onParent);
    if (click)
        emit clicked();
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
        shown_ = picture.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = PictureSets::KeyColor & 0x00FFFFFF;
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
    if (!shown_.isNull())
        painter.drawImage(0, 0, shown_);
    if (border_ && width() > 0 && height() > 0) {
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(0, 0, width() - 1, height() - 1);
    }
}

CanvasLabel::CanvasLabel(QWidget *parent) : CanvasControl(parent) {}

void CanvasLabel::setText(const QString &text)
{
    if (text_ == text)
        return;
    text_ = text;
    update();
}

void CanvasLabel::setForeColor(const QColor &color)
{
    foreColor_ = color;
    update();
}

void CanvasLabel::setBackColor(const QColor &color)
{
    backColor_ = color;
    update();
}

void CanvasLabel::setBorder(bool border)
{
    border_ = border;
    update();
}

void CanvasLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (backColor_.isValid())
        painter.fillRect(rect(), backColor_);
    QRect area = rect();
    if (border_) {
        painter.setPen(Qt::black);
        painter.drawRect(0, 0, width() - 1, height() - 1);
        area.adjust(1, 1, -1, -1);
    }
    if (text_.isEmpty())
        return;
    painter.setClipRect(area);
    painter.setFont(font());
    painter.setPen(foreColor_);
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WordWrap);
    painter.drawText(QRectF(area), text_, option);
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
    update();
}

void CanvasSurface::setGrid(const QList<int> &horizontal, const QList<int> &vertical, const QColor &color, QSize extent)
{
    gridH_ = horizontal;
    gridV_ = vertical;
    gridColor_ = color;
    gridExtent_ = extent;
    update();
}

void CanvasSurface::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), backColor_);
    if (!picture_.isNull())
        painter.drawImage(0, 0, picture_);
    painter.setPen(QPen(gridColor_, 1));
    for (int y : gridH_)
        painter.drawLine(0, y, gridExtent_.width(), y);
    for (int x : gridV_)
        painter.drawLine(x, 0, x, gridExtent_.height());
    if (!selection_.isEmpty()) {
        painter.setPen(QPen(QColor(0, 120, 215), 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(selection_.adjusted(-2, -2, 1, 1));
    }
}

void CanvasSurface::setSelection(const QRect &area)
{
    if (area == selection_)
        return;
    selection_ = area;
    update();
}

void CanvasSurface::mousePressEvent(QMouseEvent *event)
{
    emit pressed();
    QWidget::mousePressEvent(event);
}

void CanvasSurface::mouseMoveEvent(QMouseEvent *event)
{
    emit hovered();
    QWidget::mouseMoveEvent(event);
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
