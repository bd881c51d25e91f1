#include "render/RenderFont.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QStringList>
#include <QTextLayout>

#include <cmath>

namespace
{

QString loadFonts()
{
    QString family;
    for (const char *file : {":/fonts/LiberationSans-Regular.ttf", ":/fonts/LiberationSans-Bold.ttf"}) {
        const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(file));
        if (family.isEmpty() && id >= 0)
            family = QFontDatabase::applicationFontFamilies(id).value(0);
    }
    // Without the resource the system's Arial is the next best thing.
    return family.isEmpty() ? QStringLiteral("Arial") : family;
}

// Every font family lookup and every registration happens on the thread of
// the application object; workers drawing pictures only read the name.
void registerAtStart()
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        RenderFontFamily();
}

const QImage &layoutDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(PictureDotsPerMeter);
        image.setDotsPerMeterY(PictureDotsPerMeter);
        return image;
    }();
    return device;
}

constexpr qreal UnwrappedWidth = 1 << 20;

struct Laid {
    QPainterPath path;
    qreal firstLineWidth = 0;
};

Laid layOut(const QString &text, const QFont &font, qreal wrapWidth)
{
    Laid laid;
    if (text.isEmpty())
        return laid;
    QString lines = text;
    if (wrapWidth > 0) // as a paragraph: line breaks break lines
        lines.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(lines, font, &layoutDevice());
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(wrapWidth > 0 ? QTextOption::WordWrap : QTextOption::NoWrap);
    layout.setTextOption(option);
    const QFontMetrics metrics = RenderMetrics(font);
    layout.beginLayout();
    for (int n = 0;; ++n) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        // Unwrapped, the line is as wide as it needs: any room does, the text starts at the left.
        line.setLineWidth(wrapWidth > 0 ? wrapWidth : UnwrappedWidth);
        line.setPosition(QPointF(0, n * metrics.height()));
        if (n == 0)
            laid.firstLineWidth = line.naturalTextWidth();
    }
    layout.endLayout();
    for (int n = 0; n < layout.lineCount(); ++n) {
        const QTextLine line = layout.lineAt(n);
        // The layout puts the baseline at the exact ascent; lines sit on the whole pixel.
        const qreal shift = metrics.ascent() - line.ascent();
        for (const QGlyphRun &run : line.glyphRuns()) {
            const QRawFont raw = run.rawFont();
            const QList<quint32> glyphs = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i)
                laid.path.addPath(raw.pathForGlyph(glyphs[i]).translated(positions[i].x(), positions[i].y() + shift));
        }
    }
    return laid;
}

void fill(QPainter &painter, const QPainterPath &path, const QColor &color)
{
    if (path.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPath(path);
    painter.restore();
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(registerAtStart)

QString RenderFontFamily()
{
    // The resource lives in a static library: its registration must be asked for.
    static const QString family = [] {
        Q_INIT_RESOURCE(renderfonts);
        return loadFonts();
    }();
    return family;
}

QFont RenderFont(bool bold)
{
    QFont font(RenderFontFamily());
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    return font;
}

QFontMetrics RenderMetrics(const QFont &font)
{
    return QFontMetrics(font, &layoutDevice());
}

QPainterPath RenderTextPath(const QString &text, const QFont &font, qreal wrapWidth)
{
    return layOut(text, font, wrapWidth).path;
}

QRect RenderTextInk(const QString &text, const QFont &font)
{
    const QRectF bounds = RenderTextPath(text, font).boundingRect();
    if (bounds.isEmpty())
        return {};
    const QPoint topLeft(int(std::floor(bounds.left())), int(std::floor(bounds.top())));
    const QPoint bottomRight(int(std::ceil(bounds.right())) - 1, int(std::ceil(bounds.bottom())) - 1);
    return QRect(topLeft, bottomRight);
}

void FillRenderText(QPainter &painter, const QPointF &topLeft, const QString &text, const QFont &font,
                    const QColor &color, qreal wrapWidth)
{
    fill(painter, RenderTextPath(text, font, wrapWidth).translated(topLeft), color);
}

void FillRenderTextCentred(QPainter &painter, const QRectF &box, const QString &text, const QFont &font,
                           const QColor &color)
{
    const Laid laid = layOut(text, font, 0);
    const QFontMetricsF exact(font, &layoutDevice());
    const qreal x = box.left() + (box.width() - laid.firstLineWidth) / 2;
    const qreal top = box.top() + (box.height() - exact.height()) / 2;
    // The path's baseline is at the whole-pixel ascent; centring uses the exact one.
    fill(painter, laid.path.translated(x, top + exact.ascent() - RenderMetrics(font).ascent()), color);
}
