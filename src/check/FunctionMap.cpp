#include "check/FunctionMap.h"

#include "model/ObjectTables.h"
#include "model/modVantile.h"

#include <QStringList>

#include <algorithm>
#include <map>

namespace Check
{

namespace OT = ObjectTables;

namespace
{

// Findings that say something about a device or an input, and so mark its row.
bool marksRow(Code code)
{
    switch (code) {
    case Code::DeviceBeyondRange:
    case Code::NodeBeyondLast:
    case Code::InputPushAndSwitched:
    case Code::PilotNotSwitched:
    case Code::SliderWithoutDisplay:
    case Code::DisplayWithoutSlider:
        return true;
    default:
        return false;
    }
}

QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')))
        return text;
    QString quotedText = text;
    quotedText.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quotedText + QLatin1Char('"');
}

QString entriesOf(const MapRow &row, Role role, const QString &separator)
{
    QStringList places;
    for (const MapEntry &e : row.entries)
        if (e.role == role)
            places << PlaceLabel(e.object);
    return places.join(separator);
}

} // namespace

std::vector<MapRow> FunctionMap(const modVantile &m, const std::vector<Finding> &findings)
{
    // Level rows sort after the device's eight inputs.
    constexpr int LevelKey = OT::InputCount + 1;
    std::map<std::pair<int, int>, MapRow> rows;
    const auto add = [&](int device, int input, Role role, const ObjectRef &object) {
        MapRow &row = rows[{device, input == 0 ? LevelKey : input}];
        row.device = device;
        row.node = OT::NodeOf(m.GetNodeAddress(), device);
        row.input = input;
        row.entries.push_back({role, object});
    };
    for (int s = 0; s < modVantile::ScreenCount; ++s) {
        for (int n = 0; n < modVantile::ButtonCount; ++n) {
            const OT::ButtonFunction f = OT::DecodeButton(m.GetButtonType(s, n));
            static constexpr Role roles[] = {Role::Press, Role::SwitchOn, Role::SwitchOff};
            if (OT::IsInputAction(f.action))
                add(m.GetButtonDevice(s, n), f.input, roles[int(f.action) - int(OT::ButtonAction::Push)],
                    {s, ObjectKind::Button, n});
        }
        for (int n = 0; n < modVantile::PilotCount; ++n) {
            const int input = m.GetPilotInput(s, n) + RecordSchema::Pilot::Input.shown;
            if (m.GetPilotUsed(s, n) != 0 && input >= 1 && input <= OT::InputCount)
                add(m.GetPilotDevice(s, n), input, Role::Show, {s, ObjectKind::Pilot, n});
        }
        for (int n = 0; n < modVantile::SliderCount; ++n)
            if (m.GetSliderPicture(s, n) != 0)
                add(m.GetSliderDevice(s, n), 0, Role::SetLevel, {s, ObjectKind::Slider, n});
        for (int n = 0; n < modVantile::TextCount; ++n) {
            const OT::TextKind k = OT::DecodeTextType(m.GetTextType(s, n));
            if (OT::IsValueBox(k) || OT::IsBarGraph(k))
                add(m.GetTextDevice(s, n), 0, Role::ShowLevel, {s, ObjectKind::Text, n});
        }
    }

    std::vector<MapRow> out;
    out.reserve(rows.size());
    for (auto &[key, row] : rows) {
        for (const Finding &f : findings) {
            if (!marksRow(f.code))
                continue;
            const bool here = std::any_of(row.entries.begin(), row.entries.end(),
                                          [&](const MapEntry &e) { return e.object == f.where; });
            if (here)
                row.marks.push_back(f);
        }
        out.push_back(std::move(row));
    }
    return out;
}

QString RoleName(Role role)
{
    static const char *const names[RoleCount] = {"pressed by", "switched on by", "switched off by",
                                                 "shown by",   "level set by",   "level shown by"};
    return QString::fromLatin1(names[int(role)]);
}

QString RowLabel(const MapRow &row)
{
    return QStringLiteral("node ") + OT::NodeText(row.node) +
           (row.input == 0 ? QStringLiteral(" level") : QStringLiteral(" input %1").arg(row.input));
}

QString MapLine(const MapRow &row)
{
    QStringList parts;
    for (int r = 0; r < RoleCount; ++r) {
        const QString places = entriesOf(row, Role(r), QStringLiteral(", "));
        // On a level line "level set by" says "level" twice.
        const QString role = Role(r) == Role::SetLevel    ? QStringLiteral("set by")
                             : Role(r) == Role::ShowLevel ? QStringLiteral("shown by")
                                                          : RoleName(Role(r));
        if (!places.isEmpty())
            parts << role + QLatin1Char(' ') + places;
    }
    return RowLabel(row) + QStringLiteral(": ") + parts.join(QStringLiteral("; "));
}

QByteArray MapCsv(const std::vector<MapRow> &rows)
{
    QStringList lines;
    QStringList header{QStringLiteral("node"), QStringLiteral("input")};
    for (int r = 0; r < RoleCount; ++r)
        header << RoleName(Role(r));
    header << QStringLiteral("marks");
    lines << header.join(QLatin1Char(','));
    for (const MapRow &row : rows) {
        QStringList fields{OT::NodeText(row.node),
                           row.input == 0 ? QStringLiteral("level") : QString::number(row.input)};
        for (int r = 0; r < RoleCount; ++r)
            fields << csvField(entriesOf(row, Role(r), QStringLiteral("; ")));
        QStringList marks;
        for (const Finding &f : row.marks)
            marks << FindingLine(f);
        fields << csvField(marks.join(QStringLiteral(" | ")));
        lines << fields.join(QLatin1Char(','));
    }
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

} // namespace Check
