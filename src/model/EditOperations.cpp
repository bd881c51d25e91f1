#include "model/EditOperations.h"

#include "assets/ObjectPictures.h"
#include "model/modVantile.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <utility>

namespace EditOperations
{

int NewObject(modVantile &m, Kind kind)
{
    using namespace ObjectTables;
    const int n = FirstFreeSlot(m, m.CurrentScreen, kind);
    if (n < 0)
        return n;
    switch (kind) {
    case Kind::Button: {
        const int t = m.LastButton;
        const bool copy = t >= 0;
        m.SetButtonType(n, copy ? m.GetButtonType(t) : FirstPushCode);
        m.SetButtonLeft(n, 0);
        m.SetButtonTop(n, 0);
        m.SetButtonDevice(n, copy ? m.GetButtonDevice(t) : 0);
        m.SetButtonPassword(n, copy ? m.GetButtonPassword(t) : 0);
        m.SetButtonPicture(n, copy ? m.GetButtonPicture(t) : 1);
        m.SetButtonWidth(n, copy ? m.GetButtonWidth(t) : NewButtonWidth);
        m.SetButtonHeight(n, copy ? m.GetButtonHeight(t) : NewButtonHeight);
        m.SetButtonTextColor(n, copy ? m.GetButtonTextColor(t) : 0);
        m.SetButtonFontSize(n, copy ? m.GetButtonFontSize(t) : 0);
        m.SetButtonText(n, copy ? m.GetButtonText(t) : NewButtonCaption(n));
        return n;
    }
    case Kind::Pilot: {
        const int t = m.LastPilot;
        const bool copy = t >= 0;
        m.SetPilotUsed(n, copy ? m.GetPilotUsed(t) : 1);
        m.SetPilotPicture(n, copy ? m.GetPilotPicture(t) : 0);
        m.SetPilotLeft(n, 0);
        m.SetPilotTop(n, 0);
        m.SetPilotDevice(n, copy ? m.GetPilotDevice(t) : 0);
        m.SetPilotInput(n, copy ? m.GetPilotInput(t) : 0);
        return n;
    }
    case Kind::Slider: {
        const int t = m.LastSlider;
        const bool copy = t >= 0;
        const int picture = copy ? m.GetSliderPicture(t) : 1;
        m.SetSliderPicture(n, picture);
        m.SetSliderDevice(n, copy ? m.GetSliderDevice(t) : 0);
        m.SetSliderLeft(n, 0);
        m.SetSliderTop(n, 0);
        // A template with a damaged picture number has no picture: size 0.
        const QSize size = ObjectPictures::SliderPictureSize(picture - 1);
        m.SetSliderWidth(n, size.isValid() ? size.width() : 0);
        m.SetSliderHeight(n, size.isValid() ? size.height() : 0);
        return n;
    }
    case Kind::Text: {
        const int t = m.LastText;
        const bool copy = t >= 0;
        m.SetTextType(n, copy ? m.GetTextType(t) : 1);
        m.SetTextLeft(n, 0);
        m.SetTextTop(n, 0);
        m.SetTextColor(n, copy ? m.GetTextColor(t) : 0);
        m.SetTextFontSize(n, copy ? m.GetTextFontSize(t) : 0);
        m.SetTextWidth(n, copy ? m.GetTextWidth(t) : NewTextWidth);
        m.SetTextHeight(n, copy ? m.GetTextHeight(t) : NewTextHeight);
        m.SetTextString(n, copy ? m.GetTextString(t) : QString());
        return n;
    }
    }
    return -1;
}

namespace
{
// Down to the grid line at or before v; a damaged negative value keeps the
// remainder rule of the original arithmetic (truncating modulo).
int snap(int v, int size)
{
    return v - (v % size);
}
} // namespace

bool SnapToGrid(modVantile &m, int size, SnapUndo *undo)
{
    if (size <= 0)
        return false;
    bool changed = false;
    undo->positions.clear();
    for (const RecordSchema::Layout &l : RecordSchema::Layouts)
        for (int n = 0; n < l.count; ++n) {
            const QPoint at = ObjectPosition(m, m.CurrentScreen, l.kind, n);
            undo->positions.push_back({int16_t(at.x()), int16_t(at.y())});
            const QPoint snapped(snap(at.x(), size), snap(at.y(), size));
            changed = changed || snapped != at;
            SetObjectPosition(m, m.CurrentScreen, l.kind, n, snapped);
        }
    return changed;
}

bool UndoSnapToGrid(modVantile &m, const SnapUndo &undo)
{
    bool changed = false;
    size_t i = 0;
    for (const RecordSchema::Layout &l : RecordSchema::Layouts)
        for (int n = 0; n < l.count && i < undo.positions.size(); ++n, ++i) {
            const QPoint saved(undo.positions[i].left, undo.positions[i].top);
            changed = changed || ObjectPosition(m, m.CurrentScreen, l.kind, n) != saved;
            SetObjectPosition(m, m.CurrentScreen, l.kind, n, saved);
        }
    return changed;
}

int RoundHalfEven(double value)
{
    // Clamped first: a position far outside any screen must not overflow.
    const double r = std::nearbyint(std::clamp(value, -1.0e9, 1.0e9));
    return int(r);
}

GridLines GridLinePositions(int displayWidth, int displayHeight, int size)
{
    GridLines lines;
    if (size <= 0)
        return lines;
    const int rows = std::min(RoundHalfEven(double(displayHeight) / size - 1), 100);
    for (int j = 0; j <= rows; ++j)
        lines.horizontal << size * (j + 1);
    const int columns = std::min(RoundHalfEven(double(displayWidth) / size - 1), 100);
    for (int j = 0; j <= columns; ++j)
        lines.vertical << size * (j + 1);
    return lines;
}

bool StoreDrop(modVantile &m, DropSource source, int n, double x, double y)
{
    auto toPixels = [](double twips) { return RoundHalfEven(twips / ObjectTables::TwipsPerPixel); };
    switch (source) {
    case DropSource::ButtonCaption: {
        const int dx = m.GetButtonTextX(n);
        if (x - dx < 0)
            return false;
        const int dy = m.GetButtonTextY(n);
        if (y - dy < 0)
            return false;
        m.SetButtonLeft(n, toPixels(x - dx));
        m.SetButtonTop(n, toPixels(y - dy));
        return true;
    }
    default:
        break;
    }
    if (x < 0 || y < 0)
        return false;
    switch (source) {
    case DropSource::ButtonPicture:
        m.SetButtonLeft(n, toPixels(x));
        m.SetButtonTop(n, toPixels(y));
        break;
    case DropSource::Pilot:
        m.SetPilotLeft(n, toPixels(x));
        m.SetPilotTop(n, toPixels(y));
        break;
    case DropSource::Slider:
        m.SetSliderLeft(n, toPixels(x));
        m.SetSliderTop(n, toPixels(y));
        break;
    case DropSource::TextBox:
        m.SetTextLeft(n, toPixels(x));
        m.SetTextTop(n, toPixels(y));
        break;
    case DropSource::ButtonCaption:
        break;
    }
    return true;
}

} // namespace EditOperations

namespace EditOperations
{

const char *const ObjectMimeType = "application/x-quellix-touch-object";

namespace
{
const QByteArray ObjectTag("QXOBJ1");

// Words of a record in PanelImage and in EditorImage.
std::pair<int, int> recordSizes(Kind kind)
{
    const RecordSchema::Layout &l = RecordSchema::LayoutOf(kind);
    return {l.panelSize, l.editorSize};
}
} // namespace

bool SlotUsed(const modVantile &m, int screen, Kind kind, int n)
{
    return m.GetField(screen, kind, n, *RecordSchema::LayoutOf(kind).used) != 0;
}

int FirstFreeSlot(const modVantile &m, int screen, Kind kind)
{
    for (int n = 0; n < ObjectTables::SlotCount(kind); ++n)
        if (!SlotUsed(m, screen, kind, n))
            return n;
    return -1;
}

QPoint ObjectPosition(const modVantile &m, int screen, Kind kind, int n)
{
    const RecordSchema::Layout &l = RecordSchema::LayoutOf(kind);
    return {m.GetField(screen, kind, n, *l.left), m.GetField(screen, kind, n, *l.top)};
}

void SetObjectPosition(modVantile &m, int screen, Kind kind, int n, QPoint p)
{
    const RecordSchema::Layout &l = RecordSchema::LayoutOf(kind);
    m.SetField(screen, kind, n, *l.left, p.x());
    m.SetField(screen, kind, n, *l.top, p.y());
}

QSize PanelPictureSize(const modVantile &m, int screen, Kind kind, int n)
{
    using ObjectTables::TextKind;
    switch (kind) {
    case Kind::Button: {
        const int picture = m.GetButtonPicture(screen, n);
        if (picture == 0)
            return {m.GetButtonWidth(screen, n), m.GetButtonHeight(screen, n)};
        return ObjectPictures::ButtonPictureSize(picture - 1);
    }
    case Kind::Pilot:
        return ObjectPictures::PilotPictureSize(m.GetPilotPicture(screen, n));
    case Kind::Slider:
        return ObjectPictures::SliderPictureSize(m.GetSliderPicture(screen, n) - 1);
    case Kind::Text:
        switch (ObjectTables::DecodeTextType(m.GetTextType(screen, n))) {
        case TextKind::FixedText:
            return {m.GetTextWidth(screen, n), m.GetTextHeight(screen, n)};
        case TextKind::SliderValue:
        case TextKind::DimmerValue:
            return ObjectPictures::ValueBoxSize(m.GetTextFontSize(screen, n));
        case TextKind::SmallBar:
            return ObjectPictures::SmallBarGraphSize;
        case TextKind::LargeBar:
            return ObjectPictures::LargeBarGraphSize;
        case TextKind::Unused:
        case TextKind::Unknown:
            break;
        }
        break;
    }
    return {};
}

QRect ObjectBounds(const modVantile &m, int screen, Kind kind, int n)
{
    if (!SlotUsed(m, screen, kind, n))
        return {};
    const QPoint at = ObjectPosition(m, screen, kind, n);
    auto sized = [](QSize s) { return QSize(std::clamp(s.width(), 0, 32767), std::clamp(s.height(), 0, 32767)); };
    if (kind == Kind::Text) {
        // The canvas shows every text but a bar graph by its stored area.
        if (ObjectTables::IsBarGraph(ObjectTables::DecodeTextType(m.GetTextType(screen, n))))
            return {at, PanelPictureSize(m, screen, kind, n)};
        return {at, sized({m.GetTextWidth(screen, n), m.GetTextHeight(screen, n)})};
    }
    if (m.GetField(screen, kind, n, *RecordSchema::LayoutOf(kind).used) < 0)
        return {};
    return {at, sized(PanelPictureSize(m, screen, kind, n))};
}

bool ScreenHasObjects(const modVantile &m, int screen)
{
    for (int k = 0; k < ObjectTables::ObjectKindCount; ++k)
        for (int n = 0; n < ObjectTables::SlotCounts[size_t(k)]; ++n)
            if (SlotUsed(m, screen, Kind(k), n))
                return true;
    return false;
}

QPoint FreeSpot(const modVantile &m, int screen, Kind kind, int self, QSize size, const QRect &visible, int grid)
{
    grid = std::max(grid, 1);
    QList<QRect> taken;
    for (int k = 0; k < ObjectTables::ObjectKindCount; ++k)
        for (int n = 0; n < ObjectTables::SlotCounts[size_t(k)]; ++n)
            if (!(Kind(k) == kind && n == self))
                if (const QRect r = ObjectBounds(m, screen, Kind(k), n); !r.isEmpty())
                    taken << r;
    const int firstX = (visible.left() + grid - 1) / grid * grid;
    const int firstY = (visible.top() + grid - 1) / grid * grid;
    const QSize area = size.expandedTo(QSize(1, 1));
    QPoint best(firstX, firstY);
    qint64 least = -1;
    for (int y = firstY; y + area.height() - 1 <= visible.bottom(); y += grid) {
        for (int x = firstX; x + area.width() - 1 <= visible.right(); x += grid) {
            const QRect spot(QPoint(x, y), area);
            qint64 covered = 0;
            for (const QRect &r : std::as_const(taken))
                if (const QRect common = r & spot; !common.isEmpty())
                    covered += qint64(common.width()) * common.height();
            if (covered == 0)
                return spot.topLeft();
            if (least < 0 || covered < least) {
                least = covered;
                best = spot.topLeft();
            }
        }
    }
    return best;
}

ObjectCopy CopyObject(const modVantile &m, int screen, Kind kind, int n)
{
    const modVantile::RecordSpan span = m.ObjectRecord(screen, kind, n);
    ObjectCopy copy;
    copy.kind = kind;
    copy.panel.assign(m.PanelImage.begin() + span.panelWord, m.PanelImage.begin() + span.panelWord + span.panelSize);
    copy.editor.assign(m.EditorImage.begin() + span.editorWord,
                       m.EditorImage.begin() + span.editorWord + span.editorSize);
    return copy;
}

QPoint CopyPosition(const ObjectCopy &copy)
{
    const RecordSchema::Layout &l = RecordSchema::LayoutOf(copy.kind);
    return {RecordSchema::Read(copy.panel.data(), *l.left), RecordSchema::Read(copy.panel.data(), *l.top)};
}

void WriteObject(modVantile &m, int screen, int n, const ObjectCopy &copy)
{
    const modVantile::RecordSpan span = m.ObjectRecord(screen, copy.kind, n);
    if (int(copy.panel.size()) != span.panelSize || int(copy.editor.size()) != span.editorSize)
        return;
    std::copy(copy.panel.begin(), copy.panel.end(), m.PanelImage.begin() + span.panelWord);
    std::copy(copy.editor.begin(), copy.editor.end(), m.EditorImage.begin() + span.editorWord);
}

QByteArray EncodeObject(const ObjectCopy &copy)
{
    QByteArray bytes = ObjectTag;
    bytes.append(char(copy.kind));
    for (const auto *words : {&copy.panel, &copy.editor})
        for (int16_t w : *words) {
            bytes.append(char(w & 0xFF));
            bytes.append(char((w >> 8) & 0xFF));
        }
    return bytes;
}

bool DecodeObject(const QByteArray &bytes, ObjectCopy *copy)
{
    if (!bytes.startsWith(ObjectTag) || bytes.size() <= ObjectTag.size())
        return false;
    const int kind = static_cast<unsigned char>(bytes[ObjectTag.size()]);
    if (kind >= ObjectTables::ObjectKindCount)
        return false;
    const auto [panelSize, editorSize] = recordSizes(Kind(kind));
    const qsizetype start = ObjectTag.size() + 1;
    if (bytes.size() - start != 2 * qsizetype(panelSize + editorSize))
        return false;
    auto word = [&](int i) {
        const auto low = static_cast<unsigned char>(bytes[start + 2 * i]);
        const auto high = static_cast<unsigned char>(bytes[start + 2 * i + 1]);
        return int16_t(uint16_t(low | (high << 8)));
    };
    copy->kind = Kind(kind);
    copy->panel.clear();
    copy->editor.clear();
    for (int i = 0; i < panelSize; ++i)
        copy->panel.push_back(word(i));
    for (int i = 0; i < editorSize; ++i)
        copy->editor.push_back(word(panelSize + i));
    return true;
}

namespace
{
const QByteArray ObjectsTag("QXOBJS1");
} // namespace

QByteArray EncodeObjects(const QList<ObjectCopy> &copies)
{
    if (copies.size() == 1)
        return EncodeObject(copies.first());
    QByteArray bytes = ObjectsTag;
    bytes.append(char(std::min<qsizetype>(copies.size(), 255)));
    for (const ObjectCopy &copy : copies.mid(0, 255))
        bytes.append(EncodeObject(copy).mid(ObjectTag.size()));
    return bytes;
}

bool DecodeObjects(const QByteArray &bytes, QList<ObjectCopy> *copies)
{
    copies->clear();
    if (!bytes.startsWith(ObjectsTag)) {
        ObjectCopy copy;
        if (!DecodeObject(bytes, &copy))
            return false;
        copies->append(copy);
        return true;
    }
    if (bytes.size() <= ObjectsTag.size())
        return false;
    const int count = static_cast<unsigned char>(bytes[ObjectsTag.size()]);
    qsizetype at = ObjectsTag.size() + 1;
    QList<ObjectCopy> found;
    for (int i = 0; i < count; ++i) {
        if (at >= bytes.size())
            return false;
        const int kind = static_cast<unsigned char>(bytes[at]);
        if (kind >= ObjectTables::ObjectKindCount)
            return false;
        const auto [panelSize, editorSize] = recordSizes(Kind(kind));
        const qsizetype length = 1 + 2 * qsizetype(panelSize + editorSize);
        ObjectCopy copy;
        if (!DecodeObject(ObjectTag + bytes.mid(at, length), &copy))
            return false;
        found.append(copy);
        at += length;
    }
    if (at != bytes.size() || found.isEmpty())
        return false;
    *copies = found;
    return true;
}

void CopyScreen(modVantile &m, int from, int to)
{
    from = std::clamp(from, 0, modVantile::ScreenCount - 1);
    to = std::clamp(to, 0, modVantile::ScreenCount - 1);
    if (from == to)
        return;
    std::copy_n(m.PanelImage.begin() + from * modVantile::PanelBlockWords, modVantile::ScreenObjectWords,
                m.PanelImage.begin() + to * modVantile::PanelBlockWords);
    std::copy_n(m.EditorImage.begin() + from * modVantile::EditorBlockWords, modVantile::EditorBlockWords,
                m.EditorImage.begin() + to * modVantile::EditorBlockWords);
    m.ScreenBackground[size_t(to)] = m.ScreenBackground[size_t(from)];
}

} // namespace EditOperations
