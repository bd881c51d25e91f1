#include "model/modVantile.h"

#include <algorithm>
#include <utility>

namespace
{
int clampRecord(int n, int count)
{
    return std::clamp(n, 0, count - 1);
}
} // namespace

modVantile::modVantile()
{
    NewProject();
}

void modVantile::SelectScreen(int screen)
{
    CurrentScreen = int16_t(std::clamp(screen, 0, ScreenCount - 1));
    PanelBase = int16_t(CurrentScreen * PanelBlockWords);
    EditorBase = int16_t(CurrentScreen * EditorBlockWords);
}

void modVantile::ResetTemplates()
{
    LastButton = LastPilot = LastSlider = LastText = -1;
}

void modVantile::setScreenDefaults()
{
    ScreenBackground[CurrentScreen] = WhiteBackground;
    for (int b = 0; b < ButtonCount; ++b) {
        SetButtonWidth(b, ObjectTables::NewButtonWidth);
        SetButtonHeight(b, ObjectTables::NewButtonHeight);
        SetButtonText(b, ObjectTables::NewButtonCaption(b));
    }
    for (int t = 0; t < ObjectTables::SizedNewTexts; ++t) {
        SetTextWidth(t, ObjectTables::NewTextWidth);
        SetTextHeight(t, ObjectTables::NewTextHeight);
    }
}

void modVantile::ClearScreenData()
{
    std::fill_n(PanelImage.begin() + PanelBase, PanelBlockWords, int16_t(0));
    std::fill_n(EditorImage.begin() + EditorBase, EditorBlockWords, int16_t(0));
    setScreenDefaults();
    ResetTemplates();
}

void modVantile::NewProject()
{
    ProjectFileName = NoFileName;
    PanelImage.fill(0);
    EditorImage.fill(0);
    for (int s = 0; s < ScreenCount; ++s) {
        SelectScreen(s);
        setScreenDefaults();
    }
    SelectScreen(0);
    ResetTemplates();
}

// --- records ------------------------------------------------------------------

using ObjectTables::ObjectKind;
namespace Schema = RecordSchema;

int modVantile::panelBlock(int screen)
{
    return std::clamp(screen, 0, ScreenCount - 1) * PanelBlockWords;
}

int modVantile::editorBlock(int screen)
{
    return std::clamp(screen, 0, ScreenCount - 1) * EditorBlockWords;
}

modVantile::RecordSpan modVantile::recordAt(int panelBase, int editorBase, ObjectKind kind, int n) const
{
    const Schema::Layout &l = Schema::LayoutOf(kind);
    n = clampRecord(n, l.count);
    return {panelBase + l.panelStart + n * l.panelSize, l.panelSize, editorBase + l.editorStart + n * l.editorSize,
            l.editorSize};
}

// Records of the current screen go through the bases, as they always did.
modVantile::RecordSpan modVantile::ObjectRecord(ObjectKind kind, int n) const
{
    return recordAt(PanelBase, EditorBase, kind, n);
}

modVantile::RecordSpan modVantile::ObjectRecord(int screen, ObjectKind kind, int n) const
{
    return recordAt(panelBlock(screen), editorBlock(screen), kind, n);
}

const int16_t *modVantile::words(const RecordSpan &span, const Schema::Field &field) const
{
    return field.image == Schema::Image::Panel ? &PanelImage[size_t(span.panelWord)]
                                               : &EditorImage[size_t(span.editorWord)];
}

int16_t *modVantile::words(const RecordSpan &span, const Schema::Field &field)
{
    return const_cast<int16_t *>(std::as_const(*this).words(span, field));
}

int modVantile::GetField(int screen, ObjectKind kind, int n, const Schema::Field &field) const
{
    return Schema::Read(words(ObjectRecord(screen, kind, n), field), field);
}

void modVantile::SetField(int screen, ObjectKind kind, int n, const Schema::Field &field, int value)
{
    Schema::Write(words(ObjectRecord(screen, kind, n), field), field, value);
}

QStringList modVantile::DamagedFields(int screen, ObjectKind kind, int n, bool secrets) const
{
    const RecordSpan span = ObjectRecord(screen, kind, n);
    return Schema::DamagedFields(kind, &PanelImage[size_t(span.panelWord)], &EditorImage[size_t(span.editorWord)],
                                 secrets);
}

std::optional<int> modVantile::DamagedWord(int screen, ObjectKind kind, int n, const Schema::Field &field) const
{
    if (const int16_t *bad = Schema::FirstDamagedWord(words(ObjectRecord(screen, kind, n), field), field))
        return *bad;
    return std::nullopt;
}

bool modVantile::IsDerivedWord(bool editorImage, int word)
{
    return editorImage ? Schema::IsDerivedBlockWord(Schema::Image::Editor, word % EditorBlockWords)
                       : Schema::IsDerivedBlockWord(Schema::Image::Panel, word % PanelBlockWords);
}

// Each accessor reads or writes its field of the record tables, on the
// current screen or on the one given.
#define FIELD_GET(Name, Kind, Field)                                                                                   \
    int modVantile::Get##Name(int n) const                                                                             \
    {                                                                                                                  \
        return Schema::Read(words(ObjectRecord(ObjectKind::Kind, n), Schema::Kind::Field), Schema::Kind::Field);       \
    }                                                                                                                  \
    int modVantile::Get##Name(int screen, int n) const                                                                 \
    {                                                                                                                  \
        return GetField(screen, ObjectKind::Kind, n, Schema::Kind::Field);                                             \
    }
#define FIELD_SET(Name, Kind, Field)                                                                                   \
    void modVantile::Set##Name(int n, int v)                                                                           \
    {                                                                                                                  \
        Schema::Write(words(ObjectRecord(ObjectKind::Kind, n), Schema::Kind::Field), Schema::Kind::Field, v);          \
    }                                                                                                                  \
    void modVantile::Set##Name(int screen, int n, int v)                                                               \
    {                                                                                                                  \
        SetField(screen, ObjectKind::Kind, n, Schema::Kind::Field, v);                                                 \
    }
#define FIELD(Name, Kind, Field) FIELD_GET(Name, Kind, Field) FIELD_SET(Name, Kind, Field)
#define TEXT_FIELD(Name, Kind, Field)                                                                                  \
    QString modVantile::Get##Name(int n) const                                                                         \
    {                                                                                                                  \
        return Schema::ReadText(words(ObjectRecord(ObjectKind::Kind, n), Schema::Kind::Field), Schema::Kind::Field);   \
    }                                                                                                                  \
    QString modVantile::Get##Name(int screen, int n) const                                                             \
    {                                                                                                                  \
        return Schema::ReadText(words(ObjectRecord(screen, ObjectKind::Kind, n), Schema::Kind::Field),                 \
                                Schema::Kind::Field);                                                                  \
    }                                                                                                                  \
    void modVantile::Set##Name(int n, const QString &text)                                                             \
    {                                                                                                                  \
        Schema::WriteText(words(ObjectRecord(ObjectKind::Kind, n), Schema::Kind::Field), Schema::Kind::Field, text);   \
    }                                                                                                                  \
    void modVantile::Set##Name(int screen, int n, const QString &text)                                                 \
    {                                                                                                                  \
        Schema::WriteText(words(ObjectRecord(screen, ObjectKind::Kind, n), Schema::Kind::Field), Schema::Kind::Field,  \
                          text);                                                                                       \
    }

FIELD(ButtonType, Button, Type)
FIELD(ButtonLeft, Button, Left)
FIELD_SET(ButtonRight, Button, Right)
FIELD(ButtonTop, Button, Top)
FIELD_SET(ButtonBottom, Button, Bottom)
FIELD(ButtonDevice, Button, DeviceOffset)
FIELD(ButtonPassword, Button, Password)
FIELD(ButtonPicture, Button, Picture)
FIELD(ButtonWidth, Button, Width)
FIELD(ButtonHeight, Button, Height)
FIELD(ButtonTextX, Button, CaptionX)
FIELD(ButtonTextY, Button, CaptionY)
FIELD(ButtonTextColor, Button, CaptionColour)
FIELD(ButtonFontSize, Button, FontSize)
TEXT_FIELD(ButtonText, Button, Caption)

FIELD(PilotUsed, Pilot, Used)
FIELD(PilotPicture, Pilot, Picture)
FIELD(PilotLeft, Pilot, Left)
FIELD(PilotTop, Pilot, Top)
FIELD(PilotDevice, Pilot, DeviceOffset)
FIELD(PilotInput, Pilot, Input)

FIELD(SliderPicture, Slider, Picture)
FIELD(SliderDevice, Slider, DeviceOffset)
FIELD(SliderLeft, Slider, Left)
FIELD_SET(SliderRight, Slider, Right)
FIELD(SliderTop, Slider, Top)
FIELD_SET(SliderBottom, Slider, Bottom)
FIELD(SliderWidth, Slider, Width)
FIELD(SliderHeight, Slider, Height)

FIELD(TextType, Text, Type)
FIELD(TextLeft, Text, Left)
FIELD(TextTop, Text, Top)
FIELD(TextDevice, Text, DeviceOffset)
FIELD_SET(TextPanelFont, Text, PanelFont)
FIELD(TextColor, Text, Colour)
FIELD(TextFontSize, Text, FontSize)
FIELD(TextWidth, Text, Width)
FIELD(TextHeight, Text, Height)
TEXT_FIELD(TextString, Text, String)

#undef FIELD
#undef FIELD_GET
#undef FIELD_SET
#undef TEXT_FIELD

// --- helpers ----------------------------------------------------------------

QString Hex2(int n)
{
    return QStringLiteral("%1").arg(n & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}

bool IsColorBackground(const QString &background)
{
    return background.startsWith(QLatin1String("[&H"));
}

bool IsWellFormedColorBackground(const QString &background)
{
    const qsizetype n = background.size();
    if (!IsColorBackground(background) || (n != 10 && n != 11) || background[9] != QLatin1Char('&'))
        return false;
    if (n == 11 && background[10] != QLatin1Char(']'))
        return false;
    for (qsizetype i = 3; i < 9; ++i) {
        const char16_t c = background[i].unicode();
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

uint32_t BackgroundColorValue(const QString &background)
{
    uint32_t value = 0;
    for (int i = 3; i < background.size() && i < 9; ++i) {
        const char16_t c = background[i].unicode();
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        if (digit < 0)
            break;
        value = value * 16 + uint32_t(digit);
    }
    return value;
}
