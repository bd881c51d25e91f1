#pragma once

#include <QString>
#include <QStringList>

class modVantile;
namespace Files
{
class InputScope;
}

// A project made on another machine keeps that machine's background paths
// (a Windows path, another user's home). Where the stored path does not exist
// here, the picture is looked for by its file name, without regard to case,
// in the BMP Library and then in the project's own folder. The stored path is
// never changed: the project file stays byte for byte as it was.
struct BackgroundFile {
    enum class Where { AsStored, BmpLibrary, ProjectFolder, Missing };
    QString path; // the file to load; the stored path when nothing was found
    Where where = Where::Missing;

    bool found() const { return where != Where::Missing; }
    bool substituted() const { return where == Where::BmpLibrary || where == Where::ProjectFolder; }
};

// `stored` is a background path as the project holds it (not a colour).
BackgroundFile LocateBackground(const QString &stored, const modVantile &m);

// Adds the pictures the project's screens use, as they are found, and with
// `withProjectFile` the project file itself: files no output may replace.
void AddProjectInputs(Files::InputScope &scope, const modVantile &m, bool withProjectFile = true);

// "Hall.bmp, found in the BMP Library" / "Hall.bmp, found in the project folder".
QString BackgroundFoundText(const BackgroundFile &file);

// One line for each screen whose picture is taken from elsewhere:
// "Screen 03: using /.../Hall.bmp for C:\...\Hall.bmp (found in the BMP Library)".
QStringList BackgroundSubstitutions(const modVantile &m);
