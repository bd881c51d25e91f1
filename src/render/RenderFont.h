#pragma once

#include <QString>

class QColor;
class QFont;
class QFontMetrics;
class QPainter;
class QPainterPath;
class QPointF;
class QRect;
class QRectF;

// Every picture for the panel is meant at 96 pixels per inch: point sizes of
// its text and the resolution its BMP files state.
constexpr int PictureDotsPerMeter = 3780;

// The family every picture for the panel is drawn in: the Arial-compatible
// font that travels inside the program, so that no system's own fonts or font
// configuration change a pixel. Registered when the application starts.
QString RenderFontFamily();

// A font of that family as pictures for the panel use it: unhinted, so that
// advances and outlines are the font's own on every system.
QFont RenderFont(bool bold);
// Its whole-pixel metrics at 96 dpi, which place lines of text.
QFontMetrics RenderMetrics(const QFont &font);

// Text for the panel is filled as glyph outlines by Qt's own rasterizer
// (antialiased), never drawn through the system's glyph rendering, which
// differs between systems and font configurations. Glyph positions come from
// the text layout of the font at 96 dpi; lines are RenderMetrics' height
// apart, each with its baseline at the whole-pixel ascent below its top.
//
// The outline of the text with the top-left corner of its first line at
// (0, 0). With a positive `wrapWidth` the text is a paragraph: lines break
// at line breaks and at spaces to fit the width; otherwise it is one line.
QPainterPath RenderTextPath(const QString &text, const QFont &font, qreal wrapWidth = 0);
// The pixels filling that outline touches; empty for no ink.
QRect RenderTextInk(const QString &text, const QFont &font);
// Fills the text with the top-left corner of its first line at `topLeft`.
void FillRenderText(QPainter &painter, const QPointF &topLeft, const QString &text, const QFont &font,
                    const QColor &color, qreal wrapWidth = 0);
// One line centred in `box` the way drawText with Qt::AlignCenter centres it.
void FillRenderTextCentred(QPainter &painter, const QRectF &box, const QString &text, const QFont &font,
                           const QColor &color);
