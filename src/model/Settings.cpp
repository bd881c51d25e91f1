#include "model/Settings.h"
#include "model/SettingsPreferences.h"

#include "model/modVantile.h"
#include "platform/Files.h"
#include "platform/Paths.h"

#include <QFileInfo>
#include <optional>

#include <algorithm>

namespace Settings
{

namespace
{

const QString Section = QStringLiteral("Download");
const QString Key = QStringLiteral("Com Port");
// More than any settings file holds; the rest of a larger file is ignored.
constexpr qint64 MaxSettingsBytes = 1 << 20;

// One line of the file with its own line ending, so that unchanged lines
// are written back byte for byte.
struct Line {
    QByteArray text;
    QByteArray ending;
};

QList<Line> splitLines(const QByteArray &data)
{
    QList<Line> lines;
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype end = data.indexOf('\n', start);
        if (end < 0) {
            lines.append({data.mid(start), {}});
            break;
        }
        qsizetype textEnd = end;
        if (textEnd > start && data[textEnd - 1] == '\r')
            --textEnd;
        lines.append({data.mid(start, textEnd - start), data.mid(textEnd, end + 1 - textEnd)});
        start = end + 1;
    }
    return lines;
}

bool isSection(const QByteArray &line, QByteArray *name)
{
    const QByteArray t = line.trimmed();
    if (!t.startsWith('['))
        return false;
    const qsizetype close = t.indexOf(']');
    *name = (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
    return true;
}

bool isKey(const QByteArray &line, const QByteArray &key, QByteArray *value)
{
    const qsizetype eq = line.indexOf('=');
    if (eq < 0)
        return false;
    if (line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) != 0)
        return false;
    *value = line.mid(eq + 1).trimmed();
    return true;
}

// Index range [first, last) of the section's lines (after its header);
// first == -1 when the section is missing.
void findSection(const QList<Line> &lines, const QByteArray &section, qsizetype *first, qsizetype *last)
{
    *first = -1;
    *last = lines.size();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray name;
        if (!isSection(lines[i].text, &name))
            continue;
        if (*first >= 0) {
            *last = i;
            return;
        }
        if (name.compare(section, Qt::CaseInsensitive) == 0)
            *first = i + 1;
    }
}

} // namespace

namespace
{
// The value of the first `key` line of `section`, if there is one.
std::optional<QByteArray> profileValue(const QByteArray &data, const QString &section, const QString &key)
{
    const QList<Line> lines = splitLines(data);
    qsizetype first, last;
    findSection(lines, section.toLocal8Bit(), &first, &last);
    if (first < 0)
        return std::nullopt;
    for (qsizetype i = first; i < last; ++i) {
        QByteArray value;
        if (isKey(lines[i].text, key.toLocal8Bit(), &value))
            return value;
    }
    return std::nullopt;
}
} // namespace

QString GetPrivateProfileString(const QString &section, const QString &key, const QString &defaultValue,
                                const QString &file)
{
    QByteArray data;
    if (!Files::ReadRegular(file, MaxSettingsBytes, &data))
        return defaultValue;
    const std::optional<QByteArray> value = profileValue(data, section, key);
    return value ? QString::fromLocal8Bit(*value) : defaultValue;
}

int ProfileInt(const QByteArray &data, const QString &section, const QString &key, int defaultValue)
{
    const std::optional<QByteArray> found = profileValue(data, section, key);
    if (!found)
        return defaultValue;
    const QByteArray &value = *found;
    // Leading decimal digits count; anything else reads as 0.
    qsizetype p = 0;
    bool negative = false;
    if (p < value.size() && (value[p] == '-' || value[p] == '+'))
        negative = value[p++] == '-';
    long long number = 0;
    while (p < value.size() && value[p] >= '0' && value[p] <= '9' && number < 1000000000)
        number = number * 10 + (value[p++] - '0');
    return int(negative ? -number : number);
}

QByteArray WithProfileString(const QByteArray &data, const QString &section, const QString &key, const QString &value)
{
    QList<Line> lines = splitLines(data);
    const QByteArray keyBytes = key.toLocal8Bit();
    const QByteArray entry = keyBytes + '=' + value.toLocal8Bit();
    const QByteArray crlf("\r\n");

    qsizetype first, last;
    findSection(lines, section.toLocal8Bit(), &first, &last);
    bool done = false;
    if (first >= 0) {
        for (qsizetype i = first; i < last && !done; ++i) {
            QByteArray old;
            if (isKey(lines[i].text, keyBytes, &old)) {
                lines[i].text = entry;
                done = true;
            }
        }
        if (!done) {
            // After the last non-blank line of the section.
            qsizetype at = first;
            for (qsizetype i = first; i < last; ++i)
                if (!lines[i].text.trimmed().isEmpty())
                    at = i + 1;
            if (at > 0 && lines[at - 1].ending.isEmpty())
                lines[at - 1].ending = crlf;
            lines.insert(at, {entry, crlf});
            done = true;
        }
    } else {
        if (!lines.isEmpty() && lines.last().ending.isEmpty())
            lines.last().ending = crlf;
        lines.append({'[' + section.toLocal8Bit() + ']', crlf});
        lines.append({entry, crlf});
    }

    QByteArray out;
    for (const Line &l : lines)
        out += l.text + l.ending;
    return out;
}

int GetPrivateProfileInt(const QString &section, const QString &key, int defaultValue, const QString &file)
{
    QByteArray data;
    if (!Files::ReadRegular(file, MaxSettingsBytes, &data))
        return defaultValue;
    return ProfileInt(data, section, key, defaultValue);
}

bool WritePrivateProfileString(const QString &section, const QString &key, const QString &value, const QString &file,
                               QString *error)
{
    QByteArray data;
    if (QFileInfo::exists(file) && !Files::ReadRegular(file, MaxSettingsBytes, &data, error))
        return false;
    const QByteArray out = WithProfileString(data, section, key, value);
    return Files::Write(file, out, error);
}

namespace
{
const QString RecentSection = QStringLiteral("Recent Files");
QString recentKey(int i)
{
    return QStringLiteral("File%1").arg(i + 1);
}
} // namespace

QStringList ReadRecentFiles()
{
    QStringList files;
    for (int i = 0; i < RecentFileCount; ++i) {
        const QString path = GetPrivateProfileString(RecentSection, recentKey(i), QString(), Paths::SettingsFile());
        if (!path.isEmpty() && !files.contains(path))
            files << path;
    }
    return files;
}

bool WriteRecentFiles(const QStringList &files, QString *error)
{
    for (int i = 0; i < RecentFileCount; ++i)
        if (!WritePrivateProfileString(RecentSection, recentKey(i), i < files.size() ? files[i] : QString(),
                                       Paths::SettingsFile(), error))
            return false;
    return true;
}

QStringList WithRecentFile(QStringList files, const QString &path)
{
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > RecentFileCount)
        files.removeLast();
    return files;
}

// A start zoom chosen in the preferences comes before the one last used.
int ReadZoom(int defaultPercent)
{
    if (const int start = ReadPreferences().zoom; start > 0)
        return start;
    return GetPrivateProfileInt(QStringLiteral("Canvas"), QStringLiteral("Zoom"), defaultPercent,
                                Paths::SettingsFile());
}

namespace
{
const QString PreferencesSection = QStringLiteral("Preferences");

// The choice among `names` (without regard to case); `otherwise` when none matches.
int choice(const QByteArray &data, const QString &key, const QStringList &names, int otherwise = 0)
{
    const std::optional<QByteArray> value = profileValue(data, PreferencesSection, key);
    for (qsizetype i = 0; value && i < names.size(); ++i)
        if (names[i].compare(QString::fromLocal8Bit(*value), Qt::CaseInsensitive) == 0)
            return int(i);
    return otherwise;
}

const QStringList KeyNames{QStringLiteral("Classic"), QStringLiteral("Standard")};
const QStringList ClickNames{QStringLiteral("Open"), QStringLiteral("Select")};
const QString Last = QStringLiteral("Last");
const QString Default = QStringLiteral("Default");
const QString Shown = QStringLiteral("Shown");
} // namespace

const QStringList &GridColorNames()
{
    static const QStringList names{QStringLiteral("Black"), QStringLiteral("Gray"), QStringLiteral("White")};
    return names;
}

Preferences ReadPreferences()
{
    QByteArray data;
    Preferences p;
    if (!Files::ReadRegular(Paths::SettingsFile(), MaxSettingsBytes, &data))
        return p;
    p.keys = KeyScheme(choice(data, QStringLiteral("Keys"), KeyNames));
    p.click = ClickMode(choice(data, QStringLiteral("Click"), ClickNames));
    const int step = ProfileInt(data, PreferencesSection, QStringLiteral("GridStep"), GridSteps[0]);
    if (std::find(std::begin(GridSteps), std::end(GridSteps), step) != std::end(GridSteps))
        p.gridStep = step;
    p.gridColor = choice(data, QStringLiteral("GridColor"), GridColorNames(), p.gridColor);
    // The window takes a zoom between its steps to the nearest one.
    const int zoom = ProfileInt(data, PreferencesSection, QStringLiteral("Zoom"), 0);
    p.zoom = zoom >= 50 && zoom <= 400 ? zoom : 0;
    const int font = ProfileInt(data, PreferencesSection, QStringLiteral("FontSize"), 0);
    p.fontSize = font >= 8 && font <= 24 ? font : 0;
    return p;
}

bool WritePreferences(const Preferences &p, QString *error)
{
    const QString file = Paths::SettingsFile();
    QByteArray data;
    if (QFileInfo::exists(file) && !Files::ReadRegular(file, MaxSettingsBytes, &data, error))
        return false;
    const QList<std::pair<QString, QString>> entries{
        {QStringLiteral("Keys"), KeyNames[int(p.keys)]},
        {QStringLiteral("Click"), ClickNames[int(p.click)]},
        {QStringLiteral("GridStep"), QString::number(p.gridStep)},
        {QStringLiteral("GridColor"), GridColorNames().value(p.gridColor, GridColorNames()[1])},
        {QStringLiteral("Zoom"), p.zoom > 0 ? QString::number(p.zoom) : Last},
        {QStringLiteral("FontSize"), p.fontSize > 0 ? QString::number(p.fontSize) : Default}};
    for (const auto &[key, value] : entries)
        data = WithProfileString(data, PreferencesSection, key, value);
    return Files::Write(file, data, error);
}

bool DragHintShown()
{
    return GetPrivateProfileString(PreferencesSection, QStringLiteral("DragHint"), QString(), Paths::SettingsFile())
               .compare(Shown, Qt::CaseInsensitive) == 0;
}

bool MarkDragHintShown(QString *error)
{
    return WritePrivateProfileString(PreferencesSection, QStringLiteral("DragHint"), Shown, Paths::SettingsFile(),
                                     error);
}

bool SettingsFileExists()
{
    return QFileInfo::exists(Paths::SettingsFile());
}

bool WriteZoom(int percent, QString *error)
{
    return WritePrivateProfileString(QStringLiteral("Canvas"), QStringLiteral("Zoom"), QString::number(percent),
                                     Paths::SettingsFile(), error);
}

namespace
{
const QString ViewSection = QStringLiteral("View");
const QString ListsKey = QStringLiteral("Lists");
const QString PropertiesKey = QStringLiteral("Properties");
const QStringList ListsModeNames{QStringLiteral("Full"), QStringLiteral("Compact"), QStringLiteral("Hidden")};
} // namespace

ListsMode ReadListsMode()
{
    const QString name = GetPrivateProfileString(ViewSection, ListsKey, QString(), Paths::SettingsFile()).trimmed();
    const qsizetype index = ListsModeNames.indexOf(name, Qt::CaseInsensitive);
    return index < 0 ? ListsMode::Full : ListsMode(index);
}

bool WriteListsMode(ListsMode mode, QString *error)
{
    return WritePrivateProfileString(ViewSection, ListsKey, ListsModeNames[qsizetype(mode)], Paths::SettingsFile(),
                                     error);
}

bool ReadPropertiesShown()
{
    return GetPrivateProfileInt(ViewSection, PropertiesKey, 1, Paths::SettingsFile()) != 0;
}

bool WritePropertiesShown(bool shown, QString *error)
{
    return WritePrivateProfileString(ViewSection, PropertiesKey, shown ? QStringLiteral("1") : QStringLiteral("0"),
                                     Paths::SettingsFile(), error);
}

bool ReadSettings(modVantile &m, QString *error)
{
    const int port = GetPrivateProfileInt(Section, Key, 1, Paths::SettingsFile());
    m.ComPortIndex = int16_t(std::clamp(port - 1, -32768, 32767));
    return WritePrivateProfileString(Section, Key, QString::number(m.ComPortIndex + 1), Paths::SettingsFile(), error);
}

bool WriteSettings(const modVantile &m, QString *error)
{
    return WritePrivateProfileString(Section, Key, QString::number(m.ComPortIndex + 1), Paths::SettingsFile(), error);
}

bool CheckComPort(modVantile &m, QString *error)
{
    if (m.ComPortIndex >= 0 && m.ComPortIndex <= 7)
        return true;
    m.ComPortIndex = 0;
    return WriteSettings(m, error);
}

bool AddressRangeValid(int addressIndex, int rangeIndex)
{
    return addressIndex + rangeIndex < 254;
}

QStringList NodeAddressEntries()
{
    QStringList entries;
    for (int k = 1; k <= ObjectTables::LastNodeAddressIndex + 1; ++k)
        entries << QStringLiteral("Quellix Node: ") + Hex2(k);
    return entries;
}

QStringList NodeRangeEntries()
{
    QStringList entries;
    for (int k = 1; k <= ObjectTables::DeviceCount; ++k)
        entries << QStringLiteral("Node Range: %1").arg(k);
    return entries;
}

QStringList ResolutionEntries()
{
    return {QStringLiteral("480x272"), QStringLiteral("320x240"), QStringLiteral("480x320"), QStringLiteral("800x480")};
}

QStringList CommandSetEntries()
{
    return {QStringLiteral("P Cmd"), QStringLiteral("D Cmd"), QStringLiteral("ZAV Cmd")};
}

QStringList ScreenEntries()
{
    QStringList entries{QStringLiteral("Home")};
    for (int s = 1; s < modVantile::ScreenCount; ++s)
        entries << QStringLiteral("Screen: %1").arg(s, 2, 10, QLatin1Char('0'));
    return entries;
}

PanelSize ResolutionSize(int resolutionIndex)
{
    switch (resolutionIndex) {
    case 1:
        return {320, 240};
    case 2:
        return {480, 320};
    case 3:
        return {800, 480};
    default:
        return {480, 272};
    }
}

PanelSize ScreenSize(int resolutionIndex, int layout)
{
    const PanelSize s = ResolutionSize(resolutionIndex);
    return layout != 0 ? PanelSize{s.height, s.width} : s;
}

} // namespace Settings
