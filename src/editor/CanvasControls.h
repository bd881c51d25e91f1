#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QWidget>

#include <functional>
#include <optional>

class QRubberBand;

// The controls of the main window's canvas. Each keeps the few display
// attributes the refresh operations set (picture, border, back style,
// colours, font) so that an attribute a refresh leaves "unchanged" keeps its
// previous value, and reports clicks and mouse movement to the window.

// Common mouse behaviour: pressing the button on a control grabs it; moving
// the mouse beyond the drag distance drags it along (the control follows
// the mouse, keeping the grab point under it), and releasing drops it. A
// press and release without movement is a drop in place followed by a
// click; with Shift held it only toggles the object's place in the
// selection. Any movement with the button up is a hover.
//
// At rest a control is a handle: the canvas draws the objects' pixels
// together, in the panel's order, under all controls, and the control
// shows only what is not the panel's (a touch area's outline). Lifted by a
// drag, it shows its own face and the canvas leaves it out.
//
// Positions and the grab point are in pixels of the canvas as shown; the
// control also knows the area it stands for in panel pixels and the zoom
// it is shown at.
class CanvasControl : public QWidget
{
    Q_OBJECT
public:
    explicit CanvasControl(QWidget *parent = nullptr);

    // The point inside the control where the mouse was last seen (the grab
    // point while the button is down).
    QPoint grabPoint() const { return pressPos_; }

    // Places the control over `panel` (panel pixels) shown at `scale`.
    void setPanelGeometry(const QRect &panel, double scale);
    const QRect &panelGeometry() const { return panel_; }
    double scale() const { return scale_; }

    // What the control shows at panel scale (premultiplied), drawn from the
    // top left of its panel area; null when it shows nothing.
    virtual const QImage &face();
    // Being dragged: the control shows its face itself.
    void setLifted(bool lifted);
    bool isLifted() const { return lifted_; }

signals:
    void clicked();
    // After the clicked() of the second click of a double click.
    void doubleClicked();
    void shiftClicked();
    void hovered();
    // The mouse went beyond the drag distance: the drag begins.
    void dragStarted();
    // The mouse button went up after a press on this control. `topLeft`: the
    // proposed top-left corner of the control in its parent's coordinates
    // (mouse position minus the grab point); `onParent`: the mouse was over
    // the parent (the canvas) when released.
    void dropped(QPoint topLeft, bool onParent);
    // The control moved by `delta` while being dragged.
    void dragged(QPoint delta);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    // Draws `face` (panel pixels, premultiplied) at the top left, enlarged
    // to `size`; the enlarged picture is kept while face and size stay.
    void drawFace(QPainter &painter, const QImage &face, QSize size);

private:
    QImage scaled_;
    qint64 scaledKey_ = 0;
    QPoint pressPos_;
    QPoint startPos_;
    bool pressed_ = false;
    bool moved_ = false;
    bool secondClick_ = false;
    bool lifted_ = false;
    QRect panel_;
    double scale_ = 1.0;
};

// A picture (imgPB, imgPilot, imgSlider) or, without a picture, an empty box
// that may have a single-line border. Magenta pixels of a picture are shown
// transparent, as on the panel.
class CanvasImage : public CanvasControl
{
    Q_OBJECT
public:
    explicit CanvasImage(QWidget *parent = nullptr);

    // The picture as given (a picture-set entry, or a null image for none).
    void setPicture(const QImage &picture);
    const QImage &picture() const { return source_; }
    void setBorder(bool border);
    bool hasBorder() const { return border_; }

    const QImage &face() override { return shown_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage source_;
    QImage shown_;
    bool border_ = false;
};

// A label (lblButton, lblTextBox): text at the top left, wrapped at word
// boundaries and clipped to the label, over a transparent or solid back; or,
// given a picture of its text as the panel draws it, that picture over the
// back of a box, and the label reaches as far as either. Drawn once at panel
// scale and shown enlarged, as the panel's pixels.
class CanvasLabel : public CanvasControl
{
    Q_OBJECT
public:
    explicit CanvasLabel(QWidget *parent = nullptr);

    void setText(const QString &text);
    const QString &text() const { return text_; }
    void setForeColor(const QColor &color);
    const QColor &foreColor() const { return foreColor_; }
    // An invalid colour means a transparent back.
    void setBackColor(const QColor &color);
    const QColor &backColor() const { return backColor_; }
    bool isOpaque() const { return backColor_.isValid(); }
    void setBorder(bool border);
    bool hasBorder() const { return border_; }
    // The text as the panel draws it (premultiplied, panel pixels, drawn from
    // the top left) over the back colour and border of `box` (panel pixels
    // from the top left), in place of the wrapped text.
    void setPanelText(const QImage &picture, QSize box);
    // Back to the wrapped text, over the whole label.
    void clearPanelText();
    const QImage &panelText() const { return panelText_; }
    // The box of the panel text, or the whole label.
    QSize boxSize() const { return box_.value_or(panelGeometry().size()); }

    // The label at panel scale, as it is shown enlarged.
    const QImage &face() override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void invalidate();

    QString text_;
    QColor foreColor_ = Qt::black;
    QColor backColor_;
    bool border_ = false;
    QImage panelText_;
    std::optional<QSize> box_;
    QImage face_;
    bool faceValid_ = false;
};

// The drawing area of the canvas: the panel screen, each panel pixel shown
// as `scale` pixels, with the background colour or picture of the current
// screen. A drag over the empty area draws a rubber band.
class CanvasSurface : public QWidget
{
    Q_OBJECT
public:
    explicit CanvasSurface(QWidget *parent = nullptr);

    void setScale(double scale);
    double scale() const { return scale_; }

    void setBackColor(const QColor &color);
    const QColor &backColor() const { return backColor_; }
    // Drawn from the top-left corner at its own size; a null image removes it.
    void setPicture(const QImage &picture);
    const QImage &picture() const { return picture_; }

    // Grid lines drawn over the background and under the objects; they are
    // never part of a rendered picture. Positions in panel pixels.
    void setGrid(const QList<int> &horizontal, const QList<int> &vertical, const QColor &color, QSize extent);
    const QList<int> &horizontalGrid() const { return gridH_; }
    const QList<int> &verticalGrid() const { return gridV_; }
    const QColor &gridColor() const { return gridColor_; }

    // The objects' pixels at panel scale (premultiplied), drawn over the grid:
    // asked of `source` when they are next painted after objectsChanged.
    void setObjectsSource(std::function<const QImage &()> source);
    void objectsChanged();

    // The selected objects' areas (panel pixels), each framed just outside.
    void setSelection(const QList<QRect> &areas);
    const QList<QRect> &selection() const { return selection_; }

signals:
    void hovered();
    // A press on the empty area.
    void pressed(Qt::KeyboardModifiers modifiers);
    // A rubber band was drawn and let go: its area in pixels of the surface.
    void banded(const QRect &area, Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    const QImage &scaledPicture();
    const QImage &scaledObjects();

    QList<QRect> selection_;
    std::function<const QImage &()> objectsSource_;
    QImage scaledObjects_; // the objects at scale_, made when first painted
    bool objectsScaled_ = false;
    QColor backColor_ = Qt::white;
    QImage picture_;
    QImage scaledPicture_; // picture_ at scale_, made when first painted
    QList<int> gridH_, gridV_;
    QColor gridColor_;
    QSize gridExtent_;
    double scale_ = 1.0;
    QRubberBand *band_ = nullptr;
    QPoint bandOrigin_;
    bool banding_ = false;
};

// Font of the canvas at the panel's scale: a point size applies at 96 pixels
// per inch, whatever the desktop's own resolution.
QFont CanvasFont(int points, bool bold);
// A panel length shown at `scale`, in pixels of the canvas; a start and an
// end are scaled alike so that neighbouring objects stay neighbours.
int ScaledPixels(int panel, double scale);
// The point size a font from CanvasFont was made with.
int CanvasFontPoints(const QFont &font);
