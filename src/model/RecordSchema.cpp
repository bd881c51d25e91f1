#include "model/RecordSchema.h"

#include "model/Ansi.h"
#include "model/modVantile.h"

#include <QStringList>

#include <algorithm>
#include <climits>
#include <initializer_list>

namespace RecordSchema
{

namespace
{
// The tables of a block follow each other in the order of the memory map,
// without gap or overlap, up to `end`.
constexpr bool TablesFollow(Image image, std::initializer_list<ObjectKind> order, int end)
{
    int at = 0;
    for (ObjectKind kind : order) {
        const Layout &l = LayoutOf(kind);
        if (l.Start(image) != at)
            return false;
        at += l.count * l.Size(image);
    }
    return at == end;
}
} // namespace

// PanelImage: pilots, buttons, sliders, texts; the device options follow.
static_assert(TablesFollow(Image::Panel, {ObjectKind::Pilot, ObjectKind::Button, ObjectKind::Slider, ObjectKind::Text},
                           PanelObjectWords));
// EditorImage: buttons, sliders, texts, filling the block.
static_assert(TablesFollow(Image::Editor, {ObjectKind::Button, ObjectKind::Slider, ObjectKind::Text},
                           modVantile::EditorBlockWords));

int Read(const int16_t *record, const Field &f)
{
    const int16_t *words = record + f.offset;
    switch (f.form) {
    case Form::Byte:
        return words[0];
    case Form::Pair:
        return words[0] * 256 + words[1];
    case Form::Digits: {
        // Wide arithmetic: a damaged file can hold any word in the digit places.
        long long value = 0;
        for (int i = 0; i < f.words; ++i)
            value = value * 10 + words[i];
        return int(std::clamp<long long>(value, INT_MIN, INT_MAX));
    }
    case Form::Characters:
        break;
    }
    return 0;
}

void Write(int16_t *record, const Field &f, int value)
{
    int16_t *words = record + f.offset;
    switch (f.form) {
    case Form::Byte:
        words[0] = int16_t(value);
        break;
    case Form::Pair:
        words[0] = int16_t(value / 256);
        words[1] = int16_t(value % 256);
        break;
    case Form::Digits:
        for (int k = f.words - 1; k >= 0; --k) {
            words[k] = int16_t(value % 10);
            value /= 10;
        }
        break;
    case Form::Characters:
        break;
    }
}

QString ReadText(const int16_t *record, const Field &f)
{
    const int16_t *words = record + f.offset;
    QString text;
    for (int i = 0; i < f.words; ++i) {
        // Only the low byte is a character code; a word outside 0 - 255 can
        // only come from a damaged file (the check names it).
        const int code = words[i] & 0xFF;
        if (words[i] >= 1 && code != 0)
            text.append(Ansi::Char(static_cast<unsigned char>(code)));
    }
    return text;
}

void WriteText(int16_t *record, const Field &f, const QString &text)
{
    int16_t *words = record + f.offset;
    const QByteArray codes = Ansi::FromUnicode(text);
    for (int i = 0; i < f.words; ++i)
        words[i] = i < codes.size() ? int16_t(static_cast<unsigned char>(codes[i])) : int16_t(0);
}

bool IsDerivedBlockWord(Image image, int blockWord)
{
    for (const Layout &l : Layouts) {
        const int start = l.Start(image), size = l.Size(image);
        if (size == 0 || blockWord < start || blockWord >= start + l.count * size)
            continue;
        const int offset = (blockWord - start) % size;
        for (const Field &f : l.fields)
            if (f.image == image && offset >= f.offset && offset < f.offset + f.words)
                return f.derived;
        return false;
    }
    return false;
}

const int16_t *FirstDamagedWord(const int16_t *record, const Field &f)
{
    const int16_t *words = record + f.offset;
    const int16_t *bad = std::find_if(words, words + f.words, [&](int w) { return w < f.min || w > f.max; });
    return bad == words + f.words ? nullptr : bad;
}

QStringList DamagedFields(ObjectKind kind, const int16_t *panelRecord, const int16_t *editorRecord, bool secrets)
{
    QStringList wholeValues, words;
    for (const Field &f : LayoutOf(kind).fields) {
        if (f.derived || f.device)
            continue;
        const int16_t *record = f.image == Image::Panel ? panelRecord : editorRecord;
        if (f.form == Form::Byte || f.form == Form::Pair) {
            const int value = Read(record, f);
            if (value < f.min || value > f.max)
                wholeValues << QStringLiteral("%1 %2 (%3 to %4)")
                                   .arg(QLatin1String(f.name))
                                   .arg(value + f.shown)
                                   .arg(f.min + f.shown)
                                   .arg(f.max + f.shown);
        } else if (const int16_t *bad = FirstDamagedWord(record, f)) {
            const QString word = QStringLiteral("a %1 %2 ")
                                     .arg(QLatin1String(f.name), f.form == Form::Digits ? QStringLiteral("digit")
                                                                                        : QStringLiteral("character"));
            words << (f.secret && !secrets ? word + QStringLiteral("outside %1 to %2").arg(f.min).arg(f.max)
                                           : word + QStringLiteral("%1 (%2 to %3)").arg(*bad).arg(f.min).arg(f.max));
        }
    }
    return wholeValues + words;
}

} // namespace RecordSchema
