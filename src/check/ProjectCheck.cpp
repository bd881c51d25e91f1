#include "check/ProjectCheck.h"

#include "assets/ObjectPictures.h"
#include "model/Ansi.h"
#include "model/BackgroundLookup.h"
#include "model/DerivedFields.h"
#include "model/EditOperations.h"
#include "model/ObjectNames.h"
#include "model/ObjectTables.h"
#include "model/Settings.h"
#include "model/TouchTargets.h"
#include "model/modVantile.h"
#include "render/BackgroundPictureFile.h"
#include "render/RenderCanvas.h"
#include "render/RenderFont.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegion>

#include <algorithm>
#include <array>
#include <bitset>
#include <map>
#include <optional>
#include <set>
#include <tuple>
#include <utility>

namespace Check
{

namespace OT = ObjectTables;

namespace
{

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString sizeText(int width, int height)
{
    return QStringLiteral("%1 x %2").arg(width).arg(height);
}

// "a", "a and b", "a, b and c".
QString listText(const QStringList &items)
{
    if (items.size() < 2)
        return items.join(QString());
    return items.mid(0, items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") + items.last();
}

// The ink of a text drawn with its top-left corner at (0, 0), as the renderer draws it.
QRect inkOf(const QString &text, OT::FontChoice font)
{
    return RenderTextInk(text, RenderCanvas::ArialFont(font.points, font.bold));
}

// How far the ink reaches from the drawing position; the area must hold that much.
QSize reachOf(const QRect &ink)
{
    return ink.isEmpty() ? QSize() : QSize(ink.right() + 1, ink.bottom() + 1);
}

// Whether a picture file can be drawn, and why not.
struct PictureVerdict {
    bool readable = true;
    QString why;
};

PictureVerdict readPicture(const QString &path)
{
    PictureVerdict verdict;
    verdict.readable = BackgroundPictureFile::Readable(path, &verdict.why);
    return verdict;
}

// The finding for a picture background found as `file`; empty when it can be drawn.
QString pictureProblem(const QString &background, const BackgroundFile &file, const PictureVerdict &verdict)
{
    if (!file.found())
        return QStringLiteral("The background picture %1 is missing.").arg(quoted(background));
    if (!verdict.readable)
        return QStringLiteral("The background picture %1 cannot be read as a picture (%2).")
            .arg(quoted(background), verdict.why);
    return {};
}

bool inUse(const modVantile &m, const ObjectRef &o)
{
    return EditOperations::SlotUsed(m, o.screen, o.kind, o.slot);
}

// The device an object drives or shows, when it has one.
std::optional<int> deviceOf(const modVantile &m, const ObjectRef &o)
{
    const int s = o.screen, n = o.slot;
    switch (o.kind) {
    case ObjectKind::Button:
        if (OT::IsInputAction(OT::DecodeButton(m.GetButtonType(s, n)).action))
            return m.GetButtonDevice(s, n);
        return std::nullopt;
    case ObjectKind::Pilot:
        return m.GetPilotDevice(s, n);
    case ObjectKind::Slider:
        return m.GetSliderDevice(s, n);
    case ObjectKind::Text: {
        const OT::TextKind k = OT::DecodeTextType(m.GetTextType(s, n));
        if (OT::IsValueBox(k) || OT::IsBarGraph(k))
            return m.GetTextDevice(s, n);
        return std::nullopt;
    }
    }
    return std::nullopt;
}

struct Range {
    const char *field;
    int value, min, max;
};

class Checker
{
public:
    Checker(const modVantile &m, bool withPasswords) : m_(m), screen_(ScreenArea(m)), withPasswords_(withPasswords) {}

    std::vector<Finding> Run()
    {
        deviceOptions();
        for (int s = 0; s < modVantile::ScreenCount; ++s) {
            background(s);
            for (const RecordSchema::Layout &l : RecordSchema::Layouts)
                for (int n = 0; n < l.count; ++n) {
                    const ObjectRef o{s, l.kind, n};
                    if (!inUse(m_, o))
                        continue;
                    damagedValues(o);
                    outsideScreen(o);
                    device(o);
                    fit(o);
                    button(o);
                }
            touch(s);
        }
        levels();
        reachability();
        inputs();
        emptyProject();
        std::stable_sort(findings_.begin(), findings_.end(), [](const Finding &a, const Finding &b) {
            const auto key = [](const Finding &f) {
                return std::make_tuple(f.where.screen, int(f.where.kind), f.where.slot, int(f.severity));
            };
            return key(a) < key(b);
        });
        return std::move(findings_);
    }

private:
    void add(Severity severity, Code code, const ObjectRef &where, const QString &sentence)
    {
        findings_.push_back({severity, code, where, sentence});
    }

    QString node(int device) const { return OT::NodeText(OT::NodeOf(m_.GetNodeAddress(), device)); }

    void deviceOptions()
    {
        const ObjectRef project;
        damaged(project, QStringLiteral("The device options hold values outside their range: "),
                outOfRange({{"orientation", m_.GetLayout(), 0, 1},
                            {"node address", m_.GetNodeAddress(), 0, OT::LastNodeAddressIndex},
                            {"node range", m_.GetNodeRange(), 0, OT::LastNodeRangeIndex},
                            {"audio", m_.GetBeep(), 0, 1},
                            {"resolution", m_.GetResolution(), 0, OT::LastResolutionIndex},
                            {"command set", m_.GetCommandSet(), 0, OT::LastCommandSet}}));
        const int first = OT::NodeOf(m_.GetNodeAddress(), 0), last = OT::NodeOf(m_.GetNodeAddress(), m_.GetNodeRange());
        if (last > OT::LastNode)
            add(Severity::Error, Code::RangeBeyondLast, project,
                QStringLiteral("The node range %1 to %2 reaches beyond the last node FE.")
                    .arg(OT::NodeText(first), OT::NodeText(last)));
    }

    // "left 900 (0 to 799)" for each field outside its range.
    static QStringList outOfRange(std::initializer_list<Range> fields)
    {
        QStringList bad;
        for (const Range &r : fields)
            if (r.value < r.min || r.value > r.max)
                bad << QStringLiteral("%1 %2 (%3 to %4)")
                           .arg(QLatin1String(r.field))
                           .arg(r.value)
                           .arg(r.min)
                           .arg(r.max);
        return bad;
    }

    void damaged(const ObjectRef &where, const QString &lead, const QStringList &bad)
    {
        if (!bad.isEmpty())
            add(Severity::Error, Code::DamagedValue, where,
                lead + bad.join(QStringLiteral(", ")) + QStringLiteral("; the file may be damaged."));
    }

    void damagedValues(const ObjectRef &o)
    {
        damaged(o, QStringLiteral("Values outside their range: "),
                m_.DamagedFields(o.screen, o.kind, o.slot, withPasswords_));
    }

    void outsideScreen(const ObjectRef &o)
    {
        const QRect area = ObjectArea(m_, o);
        if (area.isEmpty() || screen_.contains(area))
            return;
        const QString screen = QStringLiteral("%1 %2 screen")
                                   .arg(sizeText(screen_.width(), screen_.height()),
                                        m_.GetLayout() != 0 ? QStringLiteral("portrait") : QStringLiteral("landscape"));
        if (!screen_.intersects(area))
            add(Severity::Error, Code::OutsideScreen, o,
                QStringLiteral("Lies wholly outside the %1 (at %2, %3).").arg(screen).arg(area.left()).arg(area.top()));
        else
            add(Severity::Error, Code::OutsideScreen, o,
                QStringLiteral("Reaches beyond the %1: it covers %2, %3 to %4, %5.")
                    .arg(screen)
                    .arg(area.left())
                    .arg(area.top())
                    .arg(area.right())
                    .arg(area.bottom()));
    }

    void device(const ObjectRef &o)
    {
        const std::optional<int> device = deviceOf(m_, o);
        if (!device)
            return;
        const int address = m_.GetNodeAddress(), range = m_.GetNodeRange();
        const int node = OT::NodeOf(address, *device);
        if (*device < 0 || *device > range)
            add(Severity::Error, Code::DeviceBeyondRange, o,
                QStringLiteral("Its device, node %1, lies outside the node range %2 to %3.")
                    .arg(OT::NodeText(node), OT::NodeText(OT::NodeOf(address, 0)),
                         OT::NodeText(OT::NodeOf(address, range))));
        else if (node > OT::LastNode)
            add(Severity::Error, Code::NodeBeyondLast, o,
                QStringLiteral("Its device would be node %1, beyond the last node FE.").arg(OT::NodeText(node)));
    }

    void fit(const ObjectRef &o)
    {
        const int s = o.screen, n = o.slot;
        if (o.kind == ObjectKind::Button) {
            const int picture = m_.GetButtonPicture(s, n), fontSize = m_.GetButtonFontSize(s, n);
            const QString caption = m_.GetButtonText(s, n);
            if (picture < 1 || picture > ObjectPictures::ButtonPictureCount || !OT::ValidFontSize(fontSize) ||
                caption.isEmpty())
                return;
            const OT::FontChoice font = OT::CaptionFonts[size_t(fontSize)];
            const QSize offset(DerivedFields::CaptionOffsetX(m_, s, n) / OT::TwipsPerPixel,
                               DerivedFields::CaptionOffsetY(m_, s, n) / OT::TwipsPerPixel);
            const QSize room = ObjectPictures::ButtonPictureSize(picture - 1) - offset;
            const QSize need = reachOf(inkOf(caption, font));
            if (need.width() > room.width() || need.height() > room.height())
                add(Severity::Warning, Code::CaptionDoesNotFit, o,
                    QStringLiteral("The caption %1 needs %2 pixels in %3 point; the button leaves %4 for it.")
                        .arg(quoted(caption), sizeText(need.width(), need.height()), QString::number(font.points),
                             sizeText(room.width(), room.height())));
        } else if (o.kind == ObjectKind::Text && OT::DecodeTextType(m_.GetTextType(s, n)) == OT::TextKind::FixedText) {
            const int fontSize = m_.GetTextFontSize(s, n);
            const QString text = m_.GetTextString(s, n);
            if (!OT::ValidFontSize(fontSize) || text.isEmpty())
                return;
            const OT::FontChoice font = OT::TextFonts[size_t(fontSize)];
            const QSize room(m_.GetTextWidth(s, n), m_.GetTextHeight(s, n));
            const QSize need = reachOf(inkOf(text, font));
            if (need.width() > room.width() || need.height() > room.height())
                add(Severity::Warning, Code::TextDoesNotFit, o,
                    QStringLiteral("The text %1 needs %2 pixels in %3 point%4; its area is %5.")
                        .arg(quoted(text), sizeText(need.width(), need.height()), QString::number(font.points),
                             font.bold ? QStringLiteral(" bold") : QString(), sizeText(room.width(), room.height())));
        }
    }

    void button(const ObjectRef &o)
    {
        if (o.kind != ObjectKind::Button)
            return;
        const int type = m_.GetButtonType(o.screen, o.slot);
        const OT::ButtonFunction f = OT::DecodeButton(type);
        if (OT::IsGotoAction(f.action) && !EditOperations::ScreenHasObjects(m_, f.screen))
            add(Severity::Warning, Code::GotoEmptyScreen, o,
                QStringLiteral("%1 leads to a screen with no objects.").arg(quoted(OT::ButtonFunctionEntry(type))));
        if (f.action == OT::ButtonAction::GotoPassword && m_.GetButtonPassword(o.screen, o.slot) == 0)
            add(Severity::Warning, Code::PasswordZero, o,
                withPasswords_ ? QStringLiteral("The password of this Goto is 000000, the first one anybody tries.")
                               : QStringLiteral("The password of this Goto is too easy to guess."));
    }

    // Where touch objects overlap, the one the panel asks first takes the
    // touch (TouchTargets). One that never gets a touch is a fault, and its
    // Goto is no way to a screen.
    void touch(int s)
    {
        const std::vector<TouchTargets::Target> targets = TouchTargets::InPanelOrder(m_, s);
        std::vector<bool> covered(targets.size(), false);
        QRegion above; // what the targets asked before answer
        for (size_t i = 0; i < targets.size(); ++i) {
            const TouchTargets::Target &t = targets[i];
            const ObjectRef o{s, t.kind, t.slot};
            const QSize stored = t.kind == ObjectKind::Button
                                     ? QSize(m_.GetButtonWidth(s, t.slot), m_.GetButtonHeight(s, t.slot))
                                     : t.area.size();
            const QRegion free = QRegion(t.area).subtracted(above);
            QString why;
            if (stored.isEmpty()) {
                why = QStringLiteral("Its touch area is %1 pixels, so it cannot be touched.")
                          .arg(sizeText(stored.width(), stored.height()));
            } else if (free.isEmpty() && !t.area.isEmpty()) { // an empty area lies beyond every screen
                covered[i] = true;
                QStringList over; // in the order they are drawn
                for (size_t j = i; j-- > 0;)
                    if (targets[j].area.intersects(t.area))
                        over << ObjectLabel(targets[j].kind, targets[j].slot);
                why = QStringLiteral("It lies wholly under %1, which the panel asks first, so it cannot be touched.")
                          .arg(listText(over));
            }
            if (!why.isEmpty()) {
                const int type = t.kind == ObjectKind::Button ? m_.GetButtonType(s, t.slot) : 0;
                if (OT::IsGotoAction(OT::DecodeButton(type).action))
                    why +=
                        QStringLiteral(" Its %1 is no way to that screen.").arg(quoted(OT::ButtonFunctionEntry(type)));
                add(Severity::Warning, Code::Untouchable, o, why);
            } else if (t.kind == ObjectKind::Button && free.intersects(screen_)) {
                touchable_[size_t(s)][size_t(t.slot)] = true;
            }
            above += t.area;
        }
        // Each overlap once, on the object on top, naming the others in the
        // order they are drawn; one wholly covered has its own finding.
        for (size_t i = 0; i < targets.size(); ++i)
            for (size_t j = targets.size(); j-- > i + 1;) {
                const QRect shared = targets[i].area & targets[j].area;
                if (!shared.isEmpty() && !covered[j])
                    add(Severity::Warning, Code::TouchOverlap, {s, targets[i].kind, targets[i].slot},
                        QStringLiteral("Overlaps %1; a touch on the %2 pixels they share may reach either.")
                            .arg(ObjectLabel(targets[j].kind, targets[j].slot),
                                 sizeText(shared.width(), shared.height())));
            }
    }

    // Pairing is per device across the project: a status overview on Home
    // shows levels that sliders on other screens set.
    void levels()
    {
        std::set<int> set, shown;
        for (int s = 0; s < modVantile::ScreenCount; ++s) {
            for (int n = 0; n < modVantile::SliderCount; ++n)
                if (inUse(m_, {s, ObjectKind::Slider, n}))
                    set.insert(m_.GetSliderDevice(s, n));
            for (int n = 0; n < modVantile::TextCount; ++n)
                if (deviceOf(m_, {s, ObjectKind::Text, n}))
                    shown.insert(m_.GetTextDevice(s, n));
        }
        for (int s = 0; s < modVantile::ScreenCount; ++s) {
            for (int n = 0; n < modVantile::SliderCount; ++n)
                if (inUse(m_, {s, ObjectKind::Slider, n}) && !shown.count(m_.GetSliderDevice(s, n)))
                    add(Severity::Note, Code::SliderWithoutDisplay, {s, ObjectKind::Slider, n},
                        QStringLiteral("No value box or bar graph of the project shows the level of node %1 that "
                                       "this slider sets.")
                            .arg(node(m_.GetSliderDevice(s, n))));
            for (int n = 0; n < modVantile::TextCount; ++n)
                if (deviceOf(m_, {s, ObjectKind::Text, n}) && !set.count(m_.GetTextDevice(s, n)))
                    add(Severity::Note, Code::DisplayWithoutSlider, {s, ObjectKind::Text, n},
                        QStringLiteral("No slider of the project sets node %1, whose level this %2 shows.")
                            .arg(node(m_.GetTextDevice(s, n)), quoted(OT::TextTypeEntry(m_.GetTextType(s, n)))));
        }
    }

    void background(int s)
    {
        const QString background = m_.ScreenBackground[size_t(s)];
        const ObjectRef where = WholeScreen(s);
        if (const QString why = BackgroundStorageProblem(background); !why.isEmpty())
            add(Severity::Error, Code::BackgroundNotStorable, where, why);
        if (IsColorBackground(background)) {
            if (!IsWellFormedColorBackground(background))
                add(Severity::Error, Code::DamagedValue, where,
                    QStringLiteral("The background colour %1 is damaged: a colour is \"[&H\", six hexadecimal "
                                   "digits and \"&\".")
                        .arg(quoted(background)));
            return;
        }
        // Each picture file is read once, however many screens use it.
        const BackgroundFile file = LocateBackground(background, m_);
        PictureVerdict verdict;
        if (file.found()) {
            auto known = pictures_.find(file.path);
            if (known == pictures_.end())
                known = pictures_.insert(file.path, readPicture(file.path));
            verdict = *known;
        }
        if (const QString problem = pictureProblem(background, file, verdict); !problem.isEmpty())
            add(Severity::Error, Code::BackgroundMissing, where, problem);
    }

    // The screens a finger can reach from Home through Goto buttons it can
    // touch, and those it cannot leave again.
    void reachability()
    {
        std::array<bool, modVantile::ScreenCount> reached{};
        std::vector<int> queue{0};
        reached[0] = true;
        while (!queue.empty()) {
            const int s = queue.back();
            queue.pop_back();
            for (int n = 0; n < modVantile::ButtonCount; ++n) {
                const OT::ButtonFunction f = OT::DecodeButton(m_.GetButtonType(s, n));
                if (touchable_[size_t(s)][size_t(n)] && OT::IsGotoAction(f.action) && !reached[size_t(f.screen)]) {
                    reached[size_t(f.screen)] = true;
                    queue.push_back(f.screen);
                }
            }
        }
        for (int s = 1; s < modVantile::ScreenCount; ++s) {
            if (!EditOperations::ScreenHasObjects(m_, s))
                continue; // a Goto there has its own finding
            if (!reached[size_t(s)]) {
                add(Severity::Warning, Code::ScreenUnreachable, WholeScreen(s),
                    QStringLiteral("No Goto button leads to this screen from Home, directly or through other "
                                   "screens."));
                continue;
            }
            bool wayOut = false;
            for (int n = 0; n < modVantile::ButtonCount && !wayOut; ++n) {
                const OT::ButtonFunction f = OT::DecodeButton(m_.GetButtonType(s, n));
                wayOut = touchable_[size_t(s)][size_t(n)] && OT::IsGotoAction(f.action) && f.screen != s;
            }
            if (!wayOut)
                add(Severity::Warning, Code::NoWayOut, WholeScreen(s),
                    QStringLiteral("Gotos lead here, but no Goto button leads on from this screen, not even to "
                                   "Home: the panel cannot leave it."));
        }
    }

    void inputs()
    {
        // Buttons and pilots by device and input, across the whole project.
        using Key = std::pair<int, int>;
        std::map<Key, std::vector<ObjectRef>> pushed, switched, anyButton;
        for (int s = 0; s < modVantile::ScreenCount; ++s)
            for (int n = 0; n < modVantile::ButtonCount; ++n) {
                const OT::ButtonFunction f = OT::DecodeButton(m_.GetButtonType(s, n));
                if (!OT::IsInputAction(f.action))
                    continue;
                const Key key{m_.GetButtonDevice(s, n), f.input};
                (f.action == OT::ButtonAction::Push ? pushed : switched)[key].push_back({s, ObjectKind::Button, n});
                anyButton[key].push_back({s, ObjectKind::Button, n});
            }
        for (const auto &[key, buttons] : pushed) {
            const auto other = switched.find(key);
            if (other == switched.end())
                continue;
            const std::vector<ObjectRef> &by = other->second;
            const QString who = by.size() == 1 ? PlaceLabel(by.front()) + QStringLiteral(" also switches")
                                               : QStringLiteral("%1 and %2 more buttons also switch")
                                                     .arg(PlaceLabel(by.front()))
                                                     .arg(by.size() - 1);
            for (const ObjectRef &o : buttons)
                add(Severity::Warning, Code::InputPushAndSwitched, o,
                    QStringLiteral("Input %1 of node %2 is a push-button input here, but %3 it ON or OFF.")
                        .arg(key.second)
                        .arg(node(key.first), who));
        }
        for (int s = 0; s < modVantile::ScreenCount; ++s)
            for (int n = 0; n < modVantile::PilotCount; ++n) {
                const int input = m_.GetPilotInput(s, n) + RecordSchema::Pilot::Input.shown;
                if (!inUse(m_, {s, ObjectKind::Pilot, n}) || input < 1 || input > OT::InputCount)
                    continue;
                const int device = m_.GetPilotDevice(s, n);
                if (!anyButton.count({device, input}))
                    add(Severity::Note, Code::PilotNotSwitched, {s, ObjectKind::Pilot, n},
                        QStringLiteral("Shows input %1 of node %2, which no button of the project switches.")
                            .arg(input)
                            .arg(node(device)));
            }
    }

    void emptyProject()
    {
        for (int s = 0; s < modVantile::ScreenCount; ++s)
            if (EditOperations::ScreenHasObjects(m_, s))
                return;
        add(Severity::Note, Code::ProjectEmpty, ObjectRef(),
            QStringLiteral("The project has no objects on any screen."));
    }

    const modVantile &m_;
    const QRect screen_;
    const bool withPasswords_;
    // The buttons of each screen that some touch reaches.
    std::array<std::bitset<modVantile::ButtonCount>, modVantile::ScreenCount> touchable_{};
    QHash<QString, PictureVerdict> pictures_; // by the file found
    std::vector<Finding> findings_;
};

} // namespace

std::vector<Finding> ProjectCheck(const modVantile &m, bool withPasswords)
{
    return Checker(m, withPasswords).Run();
}

Counts CountFindings(const std::vector<Finding> &findings)
{
    Counts c;
    for (const Finding &f : findings)
        ++(f.severity == Severity::Error ? c.errors : f.severity == Severity::Warning ? c.warnings : c.notes);
    return c;
}

QString CountsText(const Counts &c)
{
    const auto count = [](int n, const char *one, const char *many) {
        return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
    };
    return count(c.errors, "error", "errors") + QStringLiteral(", ") + count(c.warnings, "warning", "warnings") +
           QStringLiteral(", ") + count(c.notes, "note", "notes");
}

QString SeverityName(Severity s)
{
    switch (s) {
    case Severity::Error:
        return QStringLiteral("error");
    case Severity::Warning:
        return QStringLiteral("warning");
    case Severity::Note:
        break;
    }
    return QStringLiteral("note");
}

QString CodeName(Code c)
{
    static const char *const names[] = {
        "object-outside-screen", "device-beyond-range",     "node-beyond-fe",          "range-beyond-fe",
        "background-missing",    "background-not-storable", "damaged-value",           "goto-empty-screen",
        "screen-unreachable",    "screen-no-way-out",       "touch-overlap",           "cannot-be-touched",
        "caption-does-not-fit",  "text-does-not-fit",       "input-push-and-switched", "password-000000",
        "pilot-not-switched",    "slider-without-display",  "display-without-slider",  "project-empty"};
    static_assert(std::size(names) == size_t(Code::ProjectEmpty) + 1);
    return QString::fromLatin1(names[int(c)]);
}

QString ScreenTitle(int screen)
{
    return screen == 0 ? QStringLiteral("Home") : QStringLiteral("Screen %1").arg(screen, 2, 10, QLatin1Char('0'));
}

QString PlaceLabel(const ObjectRef &where)
{
    if (where.screen < 0)
        return QStringLiteral("project");
    if (!where.IsObject())
        return ::ScreenLabel(where.screen);
    return ::PlaceLabel(where.screen, where.kind, where.slot);
}

QString FindingLine(const Finding &f)
{
    return SeverityName(f.severity) + QLatin1Char(' ') + PlaceLabel(f.where) + QStringLiteral(": ") + f.sentence;
}

QByteArray FindingsJson(const std::vector<Finding> &findings)
{
    QJsonArray array;
    for (const Finding &f : findings) {
        const bool object = f.where.IsObject();
        QJsonObject o;
        o.insert(QStringLiteral("severity"), SeverityName(f.severity));
        o.insert(QStringLiteral("check"), CodeName(f.code));
        o.insert(QStringLiteral("screen"), f.where.screen >= 0 ? QJsonValue(f.where.screen) : QJsonValue());
        o.insert(QStringLiteral("object"), object ? QJsonValue(KindLabel(f.where.kind)) : QJsonValue());
        o.insert(QStringLiteral("number"), object ? QJsonValue(OT::ObjectNumber(f.where.slot)) : QJsonValue());
        o.insert(QStringLiteral("message"), f.sentence);
        array.append(o);
    }
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}

QRect ObjectArea(const modVantile &m, const ObjectRef &o)
{
    const QPoint at = EditOperations::ObjectPosition(m, o.screen, o.kind, o.slot);
    QRect area(at, EditOperations::PanelPictureSize(m, o.screen, o.kind, o.slot));
    if (o.kind == ObjectKind::Text && OT::DecodeTextType(m.GetTextType(o.screen, o.slot)) == OT::TextKind::FixedText) {
        const int fontSize = m.GetTextFontSize(o.screen, o.slot);
        if (OT::ValidFontSize(fontSize)) {
            const QRect ink = inkOf(m.GetTextString(o.screen, o.slot), OT::TextFonts[size_t(fontSize)]);
            if (!ink.isEmpty())
                area = area.isEmpty() ? ink.translated(at) : area | ink.translated(at);
        }
    }
    return area.isEmpty() ? QRect() : area;
}

QRect ScreenArea(const modVantile &m)
{
    const Settings::PanelSize size = Settings::ScreenSize(m.GetResolution(), m.GetLayout());
    return QRect(0, 0, size.width, size.height);
}

// Where a picture background is looked up; one place, so that projects from
// other machines can be resolved here as well.
QString BackgroundProblem(const QString &background, const modVantile &m)
{
    if (IsColorBackground(background))
        return {};
    // A picture found by its name in the BMP Library or the project folder is
    // what the screen pictures use.
    const BackgroundFile file = LocateBackground(background, m);
    return pictureProblem(background, file, file.found() ? readPicture(file.path) : PictureVerdict());
}

QString BackgroundStorageProblem(const QString &background)
{
    const QString problem = BackgroundPathProblem(background);
    return problem.isEmpty() ? problem
                             : QStringLiteral("The background path cannot be stored in the project file. ") + problem;
}

} // namespace Check
