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
#include "render/RunTimeState.h"
#include "render/ScreenRenderer.h"

#include <QBuffer>
#include <QFileInfo>
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
const QColor NumberYellow(255, 255, 200);
const QColor OutlineBlue(0, 90, 200);

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

QFont numberFont()
{
    return reportFont(7, true);
}

// Text laid out from top to bottom over as many pages as it needs. The
// writer works in points (72 per inch) inside the page margins; the foot of
// every page names the project and gives the page's number of all. The
// report is laid out twice: the first time only to count the pages.
class Pages
{
public:
    Pages(QPdfWriter &writer, const QString &project, int total)
        : writer_(writer), painter_(&writer), project_(project), total_(total)
    {
        width_ = writer.width();
        height_ = writer.height() - FootHeight;
    }
    bool Active() const { return painter_.isActive(); }
    QPainter &Painter() { return painter_; }
    bool Counting() const { return total_ == 0; }
    int Count() const { return page_; }
    double Width() const { return width_; }
    double Y() const { return y_; }
    void Skip(double points) { y_ += points; }

    void NewPage()
    {
        foot();
        writer_.newPage();
        ++page_;
        y_ = 0;
    }
    // The foot of the last page.
    void Finish() { foot(); }
    void Need(double points)
    {
        if (y_ > 0 && y_ + points > height_)
            NewPage();
    }

    // Pictures cost the most and change no page: the count leaves them out.
    void Picture(const QRectF &target, const QImage &picture)
    {
        if (!Counting())
            painter_.drawImage(target, picture);
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

    // A table of wrapped cells; on every page it runs on to, the heading
    // `continued` (when given) and the header row come again.
    void Table(const QList<double> &widths, const QStringList &header, const QList<QStringList> &rows,
               const QString &continued = QString())
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
                if (!continued.isEmpty())
                    Heading(continued, 12);
                drawRow(header, bold, true);
            }
            drawRow(row, plain, false);
        }
        y_ += 8;
    }

private:
    static constexpr double FootHeight = 16;

    static double tableWidth(const QList<double> &widths)
    {
        double w = 0;
        for (double c : widths)
            w += c;
        return w;
    }

    void foot()
    {
        const QRectF line(0, height_ + FootHeight - 9, width_, 9);
        painter_.setFont(reportFont(7));
        painter_.setPen(NoteGrey);
        painter_.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, project_);
        painter_.drawText(line, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1 / %2").arg(page_).arg(total_));
    }

    QPdfWriter &writer_;
    QPainter painter_;
    QString project_;
    int total_;
    int page_ = 1;
    double width_ = 0, height_ = 0, y_ = 0;
};

struct ObjectRow {
    ObjectRef object;
    QRect area;
    QStringList cells;
    bool outlined = false; // a touch area without a picture: nothing on the screen shows it
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
                     {QString::number(rows.size() + 1), object, caption, function, device, input, password},
                     kind == ObjectKind::Button && m.GetButtonPicture(s, n) == 0});
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

void screenPage(Pages &pages, const modVantile &m, int s, const QImage &picture, bool withPasswords)
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

    // Numbers of objects at the screen's edges go into a margin around the picture.
    QPainter &p = pages.Painter();
    p.setFont(numberFont());
    const double margin = p.fontMetrics().height() + 1;
    const double scale = std::min((pages.Width() - 2 * margin) / picture.width(), 340.0 / picture.height());
    const QRectF target(margin, pages.Y() + margin, picture.width() * scale, picture.height() * scale);
    pages.Picture(target, picture);
    p.setPen(QPen(Qt::black, 0.5));
    p.drawRect(target);
    DrawObjectNumbers(p, m, s, target, scale, target.adjusted(-margin, -margin, margin, margin));
    pages.Skip(target.height() + 2 * margin + 10);

    const QList<ObjectRow> rows = objectRows(m, s, withPasswords);

    QList<QStringList> cells;
    for (const ObjectRow &row : rows)
        cells << row.cells;
    pages.Table({26, 52, 110, 150, 42, 32, 60},
                {QStringLiteral("No."), QStringLiteral("Object"), QStringLiteral("Caption / text"),
                 QStringLiteral("Function"), QStringLiteral("Device"), QStringLiteral("Input"),
                 QStringLiteral("Password")},
                cells, ScreenTitle(s) + QStringLiteral(" (continued)"));
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

// The screens with objects as PanelPicture gives them, by screen; screens
// without objects stay null. One renderer reads each background picture once.
std::vector<QImage> restPictures(const modVantile &m)
{
    QuietPrompt quiet;
    ScreenRenderer renderer(m, quiet);
    const RunTimeState rest = RunTimeState::AtRest(m);
    std::vector<QImage> pictures(modVantile::ScreenCount);
    for (int s = 0; s < modVantile::ScreenCount; ++s)
        if (EditOperations::ScreenHasObjects(m, s)) {
            renderer.DrawPanel(s, rest);
            pictures[size_t(s)] = renderer.Canvas().Image().copy();
        }
    return pictures;
}

// How the foot of every page names the project.
QString projectName(const QString &projectFile)
{
    if (projectFile.isEmpty() || projectFile == modVantile::NoFileName)
        return QStringLiteral("Untitled project");
    return QFileInfo(projectFile).completeBaseName();
}

} // namespace

void DrawObjectNumbers(QPainter &p, const modVantile &m, int screen, const QRectF &picture, double scale,
                       const QRectF &frame)
{
    const QList<ObjectRow> rows = objectRows(m, screen, false);
    QList<QRectF> areas;
    for (const ObjectRow &row : rows) {
        const QRectF area(picture.left() + row.area.left() * scale, picture.top() + row.area.top() * scale,
                          row.area.width() * scale, row.area.height() * scale);
        areas << (row.area.isEmpty() ? QRectF() : area & picture);
    }
    p.save();
    for (int i = 0; i < rows.size(); ++i)
        if (rows[i].outlined && !areas[i].isEmpty()) {
            p.setPen(QPen(OutlineBlue, 0.8, Qt::DashLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(areas[i].adjusted(0.4, 0.4, -0.4, -0.4));
        }

    // Beside the object, at one of its corners: the first place that covers
    // nothing, else the one that covers least (other numbers count more).
    p.setFont(numberFont());
    const double gap = 0.5;
    QList<QRectF> labels;
    for (int i = 0; i < rows.size(); ++i) {
        const QRectF a = areas[i];
        if (a.isEmpty())
            continue;
        const QString number = rows[i].cells.front();
        const QSizeF box(p.fontMetrics().horizontalAdvance(number) + 3, p.fontMetrics().height());
        const double w = box.width(), h = box.height();
        const QPointF candidates[] = {{a.left(), a.top() - gap - h},        {a.left() - gap - w, a.top()},
                                      {a.left(), a.bottom() + gap},         {a.right() + gap, a.top()},
                                      {a.right() - w, a.top() - gap - h},   {a.right() - w, a.bottom() + gap},
                                      {a.left() - gap - w, a.bottom() - h}, {a.right() + gap, a.bottom() - h}};
        QRectF best;
        double bestCost = 0;
        for (const QPointF &at : candidates) {
            const QRectF label(at, box);
            if (!frame.contains(label))
                continue;
            double cost = 0;
            for (const QRectF &other : areas)
                if (const QRectF shared = label & other; !shared.isEmpty())
                    cost += shared.width() * shared.height();
            for (const QRectF &other : labels)
                if (const QRectF shared = label & other; !shared.isEmpty())
                    cost += 4 * shared.width() * shared.height();
            if (best.isNull() || cost < bestCost) {
                best = label;
                bestCost = cost;
            }
            if (cost == 0)
                break;
        }
        if (best.isNull())
            continue;
        labels << best;
        p.fillRect(best, NumberYellow);
        p.setPen(QPen(Qt::black, 0.4));
        p.drawRect(best);
        p.drawText(best, Qt::AlignCenter, number);
    }
    p.restore();
}

QImage PanelPicture(const modVantile &m, int screen)
{
    QuietPrompt quiet;
    ScreenRenderer renderer(m, quiet);
    renderer.DrawPanel(screen, RunTimeState::AtRest(m));
    return renderer.Canvas().Image().copy();
}

bool WriteReport(const modVantile &m, const QString &path, const ReportOptions &options, QString *error)
{
    const auto fail = [&](const QString &reason) {
        if (error)
            *error = QStringLiteral("The report was not written.\r\n") + path + QStringLiteral("\r\n") + reason;
        return false;
    };
    const std::vector<Finding> findings = ProjectCheck(m, options.withPasswords);
    const std::vector<MapRow> map = FunctionMap(m, findings);
    const std::vector<QImage> pictures = restPictures(m);

    // The pages the report takes, or 0 when the PDF could not be started.
    const auto layOut = [&](QIODevice &device, int total) {
        QPdfWriter writer(&device);
        writer.setTitle(QStringLiteral("ZAV Quellix Touch hand-over report"));
        writer.setCreator(QStringLiteral("ZAV Quellix Touch"));
        writer.setResolution(72);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18),
                                         QPageLayout::Millimeter));
        Pages pages(writer, projectName(options.projectFile), total);
        if (!pages.Active())
            return 0;
        titlePage(pages, m, options, CountFindings(findings));
        for (int s = 0; s < modVantile::ScreenCount; ++s)
            if (!pictures[size_t(s)].isNull())
                screenPage(pages, m, s, pictures[size_t(s)], options.withPasswords);
        mapPages(pages, map);
        findingPages(pages, findings);
        pages.Finish();
        return pages.Count();
    };
    QBuffer counted, buffer;
    counted.open(QIODevice::WriteOnly);
    buffer.open(QIODevice::WriteOnly);
    const int total = layOut(counted, 0);
    if (total == 0 || layOut(buffer, total) != total)
        return fail(QStringLiteral("The PDF could not be started."));

    // Neither the project nor one of its pictures may become the report.
    Files::InputScope inputs;
    AddProjectInputs(inputs, m);
    QString reason;
    return Files::Write(path, buffer.data(), &reason) || fail(reason);
}

} // namespace Check
