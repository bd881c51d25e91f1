#pragma once

#include <QDateTime>
#include <QImage>
#include <QString>

class modVantile;

// The hand-over report: an A4 PDF with a title page (file, date, device
// options), a page for every screen that holds objects (the screen as the
// panel shows it with its objects numbered, and a table of them), the
// function map and the findings of the check. All text is real text.
namespace Check
{

struct ReportOptions {
    QString projectFile;        // named on the title page
    QDateTime date;             // the report's date; now when not valid
    bool withPasswords = false; // the digits instead of "yes" / "no"
};

// Writes the report to `path`, replacing the file only when the whole report
// is done. False with a readable reason in *error when it cannot be written.
bool WriteReport(const modVantile &m, const QString &path, const ReportOptions &options, QString *error = nullptr);

// Screen `screen` as the panel shows it, with every object drawn.
QImage PanelPicture(const modVantile &m, int screen);

} // namespace Check
