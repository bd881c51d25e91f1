#pragma once

#include <QDateTime>
#include <QImage>
#include <QRectF>
#include <QString>

class QPainter;
class modVantile;

// The hand-over report: an A4 PDF with a title page (file, date, device
// options), a page for every screen that holds objects (the screen as the
// panel shows it at rest with its objects numbered beside them, and a table
// of them), the function map and the findings of the check. Every page
// names the project and gives its number of all. All text is real text.
namespace Check
{

struct ReportOptions {
    QString projectFile; // named on the title page
    QDateTime date;      // the report's date; now when not valid
    // The digits instead of "yes" / "no"; without them no password digit
    // appears anywhere, findings included.
    bool withPasswords = false;
};

// Writes the report to `path`, replacing the file only when the whole report
// is done. False with a readable reason in *error when it cannot be written.
bool WriteReport(const modVantile &m, const QString &path, const ReportOptions &options, QString *error = nullptr);

// Screen `screen` as the panel shows it at rest (every input off, every
// level 0), as the report shows it.
QImage PanelPicture(const modVantile &m, int screen);

// The numbers of the screen's objects (as its table in the report numbers
// them) on its picture, drawn at `picture` with `scale` units per panel
// pixel: each in a box beside its object, never over the object itself
// (its caption, its text, a small pilot), where it covers the fewest other
// objects and numbers, inside `frame`. Touch areas without a picture, which
// the picture does not show, get a dashed outline.
void DrawObjectNumbers(QPainter &p, const modVantile &m, int screen, const QRectF &picture, double scale,
                       const QRectF &frame);

} // namespace Check
