#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class modVantile;

// The workstation settings file (an INI file with Windows private-profile
// semantics) and the device option lists of the main window.
namespace Settings
{

// Reads an integer like the Windows private-profile function: the default
// when the file, section or key is missing; 0 when the value is no number.
int GetPrivateProfileInt(const QString &section, const QString &key, int defaultValue, const QString &file);
// Writes key=value into the section, adding section or key when missing and
// leaving every other byte of the file as it was. False when it cannot write.
bool WritePrivateProfileString(const QString &section, const QString &key, const QString &value, const QString &file,
                               QString *error = nullptr);

// Reads a string like the Windows private-profile function: the default
// when the file, section or key is missing.
QString GetPrivateProfileString(const QString &section, const QString &key, const QString &defaultValue,
                                const QString &file);

// The most recently used project files, newest first, at most RecentFileCount;
// kept in a section of their own ("Recent Files", keys File1 ... File8).
constexpr int RecentFileCount = 8;
QStringList ReadRecentFiles();
bool WriteRecentFiles(const QStringList &files, QString *error = nullptr);
// `path` moved to the top of the list (added when new).
QStringList WithRecentFile(QStringList files, const QString &path);
// The same two on the bytes of a file.
int ProfileInt(const QByteArray &data, const QString &section, const QString &key, int defaultValue);
QByteArray WithProfileString(const QByteArray &data, const QString &section, const QString &key, const QString &value);

// The canvas zoom in per cent, kept in a section of its own ("Canvas", key
// "Zoom"); `defaultPercent` when the file has none. The window decides which
// values it accepts.
int ReadZoom(int defaultPercent);
bool WriteZoom(int percent, QString *error = nullptr);

// How the main window shows its parts, kept in a section of its own
// ("View"): the settings lists (key "Lists": "Full", "Compact" or "Hidden")
// and the Properties dock (key "Properties": 1 shown, 0 closed). A missing
// or unknown value reads as the default: full lists, the dock shown.
enum class ListsMode { Full, Compact, Hidden };
ListsMode ReadListsMode();
bool WriteListsMode(ListsMode mode, QString *error = nullptr);
bool ReadPropertiesShown();
bool WritePropertiesShown(bool shown, QString *error = nullptr);

// Reads "Com Port" into ComPortIndex and writes it straight back.
bool ReadSettings(modVantile &m, QString *error = nullptr);
bool WriteSettings(const modVantile &m, QString *error = nullptr);
// Start-up rule: a port outside COM1 - COM8 becomes COM1 and is stored.
bool CheckComPort(modVantile &m, QString *error = nullptr);

// The address-plus-range rule: the last node of the range stays at 254 or below.
bool AddressRangeValid(int addressIndex, int rangeIndex);

QStringList NodeAddressEntries(); // "Quellix Node: 01" ... "Quellix Node: FE"
QStringList NodeRangeEntries();   // "Node Range: 1" ... "Node Range: 64"
QStringList ResolutionEntries();  // "480x272", "320x240", "480x320", "800x480"
QStringList CommandSetEntries();  // "P Cmd", "D Cmd", "ZAV Cmd"
QStringList ScreenEntries();      // "Home", "Screen: 01" ... "Screen: 15"

// Panel size in pixels for a resolution index in landscape; an index outside
// 0 - 3 (a damaged file) is treated as 480x272.
struct PanelSize {
    int width;
    int height;
};
PanelSize ResolutionSize(int resolutionIndex);
// The same, turned for the orientation (layout word not 0: portrait).
PanelSize ScreenSize(int resolutionIndex, int layout);

} // namespace Settings
