#include "check/ProjectReport.h"

#include "check/FunctionMap.h"
#include "check/ProjectCheck.h"
#include "model/BackgroundLookup.h"
#include "model/EditOperations.h"
#include "model/ObjectNames.h"
#include "model/ObjectTables.h"
#include "model/Settings.h"
#include "model/modVantile.h"
#include "platform/Files.h"
#include "platform/Prompts.h"
#include "render/ScreenRenderer.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace Check
{

namespace OT = ObjectTables;

namespace
{

// Messages of the renderer (a missing background) are findings of the check already.
class QuietPrompt : public MessagePrompt
{
public:
    using MessagePrompt::Show;
    Answer Show(const QString &, const QString &, Icon, Buttons) override { return Answer::Ok; }
};

const QColor TableGrey(225, 225, 225);
const QColor ErrorRed(170, 0, 0);
const QColor WarningBrown(140, 80, 0);
const QColor NoteGrey(80, 80, 80);

QColor severityColour(Severity s)
{
    return s == Severity::Error ? ErrorRed : s == Severity::Warning ? WarningBrown : NoteGrey;
}

QFont reportFont(double points, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Text laid out from top to bottom over as many pages as it needs. The
// writer works in points (72 per inch) inside the page margins.
class Pages
{
public:
    explicit Pages(QPdfWriter &writer) : writer_(writer), painter_(&writer)
    {
        width_ = writer.width();
        height_ = writer.height();
    }
    bool Active() const { return painter_.isActive(); }
    QPainter &Painter() { return painter_; }
    double Width() const { return width_; }
    double Y() const { return y_; }
    void Skip(double points) { y_ += points; }

    void NewPage()
    {
        writer_.newPage();
        y_ = 0;
    }
    void Need(double points)
    {
        if (y_ > 0 && y_ + points > height_)
            NewPage();
    }

    void Heading(const QString &text, double points = 16)
    {
        Paragraph(text, reportFont(points, true), Qt::black, 0, points * 0.6);
    }

    void Paragraph(const QString &text, const QFont &font, const QColor &colour = Qt::black, double indent = 0,
                   double after = 3)
    {
        painter_.setFont(font);
        const QRectF box(indent, 0, width_ - indent, 100000);
        const QRectF used = painter_.boundingRect(box, Qt::TextWordWrap, text);
        Need(used.height());
        painter_.setPen(colour);
        painter_.drawText(QRectF(indent, y_, width_ - indent, used.height()), Qt::TextWordWrap, text);
        y_ += used.height() + after;
    }

    // A table of wrapped cells; the header row is repeated on every page it runs to.
    void Table(const QList<double> &widths, const QStringList &header, const QList<QStringList> &rows)
    {
        const QFont bold = reportFont(8, true), plain = reportFont(8);
        const auto rowHeight = [&](const QStringList &cells, const QFont &font) {
            painter_.setFont(font);
            double h = 0;
            for (int c = 0; c < cells.size() && c < widths.size(); ++c)
                h = std::max(
                    h, painter_.boundingRect(QRectF(0, 0, widths[c] - 4, 100000), Qt::TextWordWrap, cells[c]).height());
            return h + 3;
        };
        const auto drawRow = [&](const QStringList &cells, const QFont &font, bool shaded) {
            const double h = rowHeight(cells, font);
            if (shaded)
                painter_.fillRect(QRectF(0, y_, tableWidth(widths), h), TableGrey);
            painter_.setFont(font);
            painter_.setPen(Qt::black);
            double x = 0;
            for (int c = 0; c < cells.size() && c < widths.size(); ++c) {
                painter_.drawText(QRectF(x + 2, y_ + 1.5, widths[c] - 4, h), Qt::TextWordWrap, cells[c]);
                x += widths[c];
            }
            painter_.setPen(QPen(TableGrey, 0.5));
            painter_.drawLine(QPointF(0, y_ + h), QPointF(tableWidth(widths), y_ + h));
            y_ += h;
        };
        const double headerHeight = rowHeight(header, bold);
        Need(headerHeight + (rows.isEmpty() ? 0 : rowHeight(rows.front(), plain)));
        drawRow(header, bold, true);
        for (const QStringList &row : rows) {
            if (y_ + rowHeight(row, plain) > height_) {
                NewPage();
                drawRow(header, bold, true);
            }
            drawRow(row, plain, false);
        }
        y_ += 8;
    }

private:
    static double tableWidth(const QList<double> &widths)
    {
        double w = 0;
        for (double c : widths)
            w += c;
        return w;
    }

    QPdfWriter &writer_;
    QPainter painter_;
    double width_ = 0, height_ = 0, y_ = 0;
};

struct ObjectRow {
    ObjectRef object;
    QRect area;
    QStringList cells;
};

QString deviceCell(const modVantile &m, int device)
{
    return OT::NodeText(OT::NodeOf(m.GetNodeAddress(), device));
}

// A caption or text whose words hold a character code the image cannot hold
// is damaged; printing what the low bytes spell would garble it.
QString textCell(const modVantile &m, const ObjectRef &o, const RecordSchema::Field &field, const QString &text)
{
    if (const std::optional<int> bad = m.DamagedWord(o.screen, o.kind, o.slot, field))
        return QStringLiteral("damaged (character %1)").arg(*bad);
    return text;
}

// The objects of a screen in the order of the settings lists, with their table cells.
QList<ObjectRow> objectRows(const modVantile &m, int s, bool withPasswords)
{
    QList<ObjectRow> rows;
    const auto add = [&](ObjectKind kind, int n, const QString &caption, const QString &function, const QString &device,
                         const QString &input, const QString &password) {
        const ObjectRef o{s, kind, n};
        const QString object = ObjectName(kind, n);
        rows.append({o,
                     ObjectArea(m, o),
                     {QString::number(rows.size() + 1), object, caption, function, device, input, password}});
    };
    for (int n = 0; n < modVantile::ButtonCount; ++n) {
        const int type = m.GetButtonType(s, n);
        if (type == 0)
            continue;
        const OT::ButtonFunction f = OT::DecodeButton(type);
        const bool input = OT::IsInputAction(f.action);
        QString password = QStringLiteral("no");
        if (f.action == OT::ButtonAction::GotoPassword)
            password = withPasswords ? OT::PasswordText(m.GetButtonPassword(s, n)) : QStringLiteral("yes");
        const QString function = f.action == OT::ButtonAction::Unknown ? QStringLiteral("damaged (%1)").arg(type)
                                                                       : OT::ButtonFunctionEntry(type);
        const QString caption =
            m.GetButtonPicture(s, n) == 0
                ? QString()
                : textCell(m, {s, ObjectKind::Button, n}, RecordSchema::Button::Caption, m.GetButtonText(s, n));
        add(ObjectKind::Button, n, caption, function, input ? deviceCell(m, m.GetButtonDevice(s, n)) : QString(),
            input ? QString::number(f.input) : QString(), password);
    }
    for (int n = 0; n < modVantile::PilotCount; ++n)
        if (m.GetPilotUsed(s, n) != 0)
            add(ObjectKind::Pilot, n, QString(), QStringLiteral("Pilot light"), deviceCell(m, m.GetPilotDevice(s, n)),
                QString::number(m.GetPilotInput(s, n) + RecordSchema::Pilot::Input.shown), QString());
    for (int n = 0; n < modVantile::SliderCount; ++n)
        if (m.GetSliderPicture(s, n) != 0)
            add(ObjectKind::Slider, n, QString(), QStringLiteral("Slider"), deviceCell(m, m.GetSliderDevice(s, n)),
                QString(), QString());
    for (int n = 0; n < modVantile::TextCount; ++n) {
        const int type = m.GetTextType(s, n);
        if (type == 0)
            continue;
        const OT::TextKind k = OT::DecodeTextType(type);
        const bool device = OT::IsValueBox(k) || OT::IsBarGraph(k);
        const QString entry = OT::TextTypeEntry(type);
        const QString text = k == OT::TextKind::FixedText ? textCell(m, {s, ObjectKind::Text, n},
                                                                     RecordSchema::Text::String, m.GetTextString(s, n))
                                                          : QString();
        add(ObjectKind::Text, n, text, entry.isEmpty() ? QStringLiteral("damaged (%1)").arg(type) : entry,
            device ? deviceCell(m, m.GetTextDevice(s, n)) : QString(), QString(), QString());
    }
    return rows;
}

QString optionText(const QStringList &entries, int index)
{
    return index >= 0 && index < entries.size() ? entries[index] : QStringLiteral("damaged value %1").arg(index);
}

void titlePage(Pages &pages, const modVantile &m, const ReportOptions &options, const Counts &counts)
{
    pages.Heading(QStringLiteral("ZAV Quellix Touch"), 24);
    pages.Heading(QStringLiteral("Hand-over report"), 16);
    pages.Skip(12);
    const QFont plain = reportFont(10);
    const QDateTime date = options.date.isValid() ? options.date : QDateTime::currentDateTime();
    pages.Paragraph(QStringLiteral("Project file: ") + options.projectFile, plain);
    pages.Paragraph(QStringLiteral("Date: ") + date.toString(QStringLiteral("yyyy-MM-dd HH:mm")), plain);
    pages.Skip(12);

    pages.Heading(QStringLiteral("Device Options"), 13);
    const int address = m.GetNodeAddress(), range = m.GetNodeRange();
    const QString nodes = QStringLiteral(" (nodes %1 to %2)")
                              .arg(OT::NodeText(OT::NodeOf(address, 0)), OT::NodeText(OT::NodeOf(address, range)));
    pages.Table(
        {130, 250}, {QStringLiteral("Option"), QStringLiteral("Setting")},
        {{QStringLiteral("Orientation"), m.GetLayout() != 0 ? QStringLiteral("Portrait") : QStringLiteral("Landscape")},
         {QStringLiteral("Node address"), optionText(Settings::NodeAddressEntries(), address)},
         {QStringLiteral("Node range"), optionText(Settings::NodeRangeEntries(), range) + nodes},
         {QStringLiteral("Audio"), m.GetBeep() != 0 ? QStringLiteral("on") : QStringLiteral("off")},
         {QStringLiteral("Resolution"), optionText(Settings::ResolutionEntries(), m.GetResolution())},
         {QStringLiteral("Command set"), optionText(Settings::CommandSetEntries(), m.GetCommandSet())}});

    QStringList screens;
    for (int s = 0; s < modVantile::ScreenCount; ++s)
        if (EditOperations::ScreenHasObjects(m, s))
            screens << ScreenTitle(s);
    pages.Paragraph(QStringLiteral("Screens with objects: ") +
                        (screens.isEmpty() ? QStringLiteral("none") : screens.join(QStringLiteral(", "))),
                    plain);
    pages.Paragraph(QStringLiteral("Check: ") + CountsText(counts), plain);
    pages.Paragraph(options.withPasswords
                        ? QStringLiteral("Passwords are printed in full: keep this report where only the installer "
                                         "and the owner can read it.")
                        : QStringLiteral("Passwords are shown as yes or no only."),
                    plain);
}

void screenPage(Pages &pages, const modVantile &m, int s, bool withPasswords)
{
    pages.NewPage();
    pages.Heading(ScreenTitle(s));
    const QString background = m.ScreenBackground[size_t(s)];
    const uint32_t colour = BackgroundColorValue(background); // blue in the high byte
    pages.Paragraph(QStringLiteral("Background: ") + (IsColorBackground(background)
                                                          ? QStringLiteral("solid colour, red %1, green %2, blue %3")
                                                                .arg(colour & 0xFF)
                                                                .arg((colour >> 8) & 0xFF)
                                                                .arg((colour >> 16) & 0xFF)
                                                          : background),
                    reportFont(9));

    const QImage picture = PanelPicture(m, s);
    const double scale = std::min(pages.Width() / picture.width(), 340.0 / picture.height());
    const QRectF target(0, pages.Y(), picture.width() * scale, picture.height() * scale);
    QPainter &p = pages.Painter();
    p.drawImage(target, picture);
    p.setPen(QPen(Qt::black, 0.5));
    p.drawRect(target);

    const QList<ObjectRow> rows = objectRows(m, s, withPasswords);
    // Each object's number at its top-left corner, kept inside the picture.
    p.setFont(reportFont(7, true));
    for (const ObjectRow &row : rows) {
        if (row.area.isEmpty())
            continue;
        const QString number = row.cells.front();
        const QSizeF box(p.fontMetrics().horizontalAdvance(number) + 3, p.fontMetrics().height());
        const double x =
            std::clamp(target.left() + row.area.left() * scale, target.left(), target.right() - box.width());
        const double y =
            std::clamp(target.top() + row.area.top() * scale, target.top(), target.bottom() - box.height());
        const QRectF label(QPointF(x, y), box);
        p.fillRect(label, QColor(255, 255, 200));
        p.setPen(QPen(Qt::black, 0.4));
        p.drawRect(label);
        p.drawText(label, Qt::AlignCenter, number);
    }
    pages.Skip(target.height() + 12);

    QList<QStringList> cells;
    for (const ObjectRow &row : rows)
        cells << row.cells;
    pages.Table({26, 52, 110, 150, 42, 32, 60},
                {QStringLiteral("No."), QStringLiteral("Object"), QStringLiteral("Caption / text"),
                 QStringLiteral("Function"), QStringLiteral("Device"), QStringLiteral("Input"),
                 QStringLiteral("Password")},
                cells);
}

void mapPages(Pages &pages, const std::vector<MapRow> &map)
{
    pages.NewPage();
    pages.Heading(QStringLiteral("Function Map"));
    if (map.empty())
        pages.Paragraph(QStringLiteral("No object of the project drives or shows a device."), reportFont(9));
    for (const MapRow &row : map) {
        pages.Paragraph(MapLine(row), reportFont(9), Qt::black, 0, row.marks.empty() ? 3 : 1);
        for (const Finding &f : row.marks)
            pages.Paragraph(FindingLine(f), reportFont(8), severityColour(f.severity), 16, 1);
    }
}

void findingPages(Pages &pages, const std::vector<Finding> &findings)
{
    pages.NewPage();
    pages.Heading(QStringLiteral("Check"));
    pages.Paragraph(CountsText(CountFindings(findings)), reportFont(10, true));
    if (findings.empty())
        pages.Paragraph(QStringLiteral("The check found nothing to report."), reportFont(9));
    for (const Finding &f : findings)
        pages.Paragraph(FindingLine(f), reportFont(9), severityColour(f.severity));
}

} // namespace

// Every object as the editor knows it, so that each can be numbered on it.
QImage PanelPicture(const modVantile &m, int screen)
{
    QuietPrompt quiet;
    ScreenRenderer renderer(m, quiet);
    const Settings::PanelSize size = Settings::ScreenSize(renderer.ProjectResolution(), m.GetLayout());
    renderer.Canvas().Resize(size.width, size.height);
    renderer.DrawPreview(screen);
    return renderer.Canvas().Image().copy();
}

bool WriteReport(const modVantile &m, const QString &path, const ReportOptions &options, QString *error)
{
    const auto fail = [&](const QString &reason) {
        if (error)
            *error = QStringLiteral("The report was not written.\r\n") + path + QStringLiteral("\r\n") + reason;
        return false;
    };
    const std::vector<Finding> findings = ProjectCheck(m);
    const std::vector<MapRow> map = FunctionMap(m, findings);

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(QStringLiteral("ZAV Quellix Touch hand-over report"));
        writer.setCreator(QStringLiteral("ZAV Quellix Touch"));
        writer.setResolution(72);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18),
                                         QPageLayout::Millimeter));
        Pages pages(writer);
        if (!pages.Active())
            return fail(QStringLiteral("The PDF could not be started."));
        titlePage(pages, m, options, CountFindings(findings));
        for (int s = 0; s < modVantile::ScreenCount; ++s)
            if (EditOperations::ScreenHasObjects(m, s))
                screenPage(pages, m, s, options.withPasswords);
        mapPages(pages, map);
        findingPages(pages, findings);
    }

    // Neither the project nor one of its pictures may become the report.
    Files::InputScope inputs;
    AddProjectInputs(inputs, m);
    QString reason;
    return Files::Write(path, buffer.data(), &reason) || fail(reason);
}

} // namespace Check
