#include "model/modVantile.h"

#include "model/Ansi.h"

#include <algorithm>
#include <climits>

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
        SetButtonWidth(b, 96);
        SetButtonHeight(b, 32);
        SetButtonText(b, QStringLiteral("B %1").arg(b + 1, 2, 10, QLatin1Char('0')));
    }
    for (int t = 0; t < 8; ++t) {
        SetTextWidth(t, 128);
        SetTextHeight(t, 64);
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

// --- word helpers ---------------------------------------------------------

int modVantile::get2(const int16_t *words)
{
    return words[0] * 256 + words[1];
}

void modVantile::set2(int16_t *words, int value)
{
    words[0] = int16_t(value / 256);
    words[1] = int16_t(value % 256);
}

QString modVantile::getChars(const int16_t *words, int length)
{
    QString text;
    for (int i = 0; i < length; ++i) {
        // Only the low byte is a character code; a word outside 0 - 255 can
        // only come from a damaged file.
        const int code = words[i] & 0xFF;
        if (words[i] >= 1 && code != 0)
            text.append(Ansi::Char(static_cast<unsigned char>(code)));
    }
    return text;
}

void modVantile::setChars(int16_t *words, int length, const QString &text)
{
    const QByteArray codes = Ansi::FromUnicode(text);
    for (int i = 0; i < length; ++i)
        words[i] = i < codes.size() ? int16_t(static_cast<unsigned char>(codes[i])) : int16_t(0);
}

namespace
{
int panelBlock(int screen)
{
    return std::clamp(screen, 0, modVantile::ScreenCount - 1) * modVantile::PanelBlockWords;
}
int editorBlock(int screen)
{
    return std::clamp(screen, 0, modVantile::ScreenCount - 1) * modVantile::EditorBlockWords;
}
} // namespace

// Record words of the current screen go through the bases, as they always did.
#define RECORD_WORDS(Name, Block, Base, Start, Count, Size)                                                            \
    int modVantile::Name(int n) const                                                                                  \
    {                                                                                                                  \
        return Base + Start + clampRecord(n, Count) * Size;                                                            \
    }                                                                                                                  \
    int modVantile::Name(int screen, int n) const                                                                      \
    {                                                                                                                  \
        return Block(screen) + Start + clampRecord(n, Count) * Size;                                                   \
    }
RECORD_WORDS(PanelButtonWord, panelBlock, PanelBase, PanelButtonStart, ButtonCount, PanelButtonSize)
RECORD_WORDS(PanelPilotWord, panelBlock, PanelBase, PanelPilotStart, PilotCount, PanelPilotSize)
RECORD_WORDS(PanelSliderWord, panelBlock, PanelBase, PanelSliderStart, SliderCount, PanelSliderSize)
RECORD_WORDS(PanelTextWord, panelBlock, PanelBase, PanelTextStart, TextCount, PanelTextSize)
RECORD_WORDS(EditorButtonWord, editorBlock, EditorBase, EditorButtonStart, ButtonCount, EditorButtonSize)
RECORD_WORDS(EditorSliderWord, editorBlock, EditorBase, EditorSliderStart, SliderCount, EditorSliderSize)
RECORD_WORDS(EditorTextWord, editorBlock, EditorBase, EditorTextStart, TextCount, EditorTextSize)
#undef RECORD_WORDS

// Field accessor bodies: one-word (W1) and two-word (W2) fields of a record.
#define W1_GET(Name, Array, Rec, Off)                                                                                  \
    int modVantile::Get##Name(int n) const                                                                             \
    {                                                                                                                  \
        return Array[Rec(n) + (Off)];                                                                                  \
    }                                                                                                                  \
    int modVantile::Get##Name(int screen, int n) const                                                                 \
    {                                                                                                                  \
        return Array[Rec(screen, n) + (Off)];                                                                          \
    }
#define W1_SET(Name, Array, Rec, Off)                                                                                  \
    void modVantile::Set##Name(int n, int v)                                                                           \
    {                                                                                                                  \
        Array[Rec(n) + (Off)] = int16_t(v);                                                                            \
    }                                                                                                                  \
    void modVantile::Set##Name(int screen, int n, int v)                                                               \
    {                                                                                                                  \
        Array[Rec(screen, n) + (Off)] = int16_t(v);                                                                    \
    }
#define W2_GET(Name, Array, Rec, Off)                                                                                  \
    int modVantile::Get##Name(int n) const                                                                             \
    {                                                                                                                  \
        return get2(&Array[Rec(n) + (Off)]);                                                                           \
    }                                                                                                                  \
    int modVantile::Get##Name(int screen, int n) const                                                                 \
    {                                                                                                                  \
        return get2(&Array[Rec(screen, n) + (Off)]);                                                                   \
    }
#define W2_SET(Name, Array, Rec, Off)                                                                                  \
    void modVantile::Set##Name(int n, int v)                                                                           \
    {                                                                                                                  \
        set2(&Array[Rec(n) + (Off)], v);                                                                               \
    }                                                                                                                  \
    void modVantile::Set##Name(int screen, int n, int v)                                                               \
    {                                                                                                                  \
        set2(&Array[Rec(screen, n) + (Off)], v);                                                                       \
    }
#define W1(Name, Array, Rec, Off) W1_GET(Name, Array, Rec, Off) W1_SET(Name, Array, Rec, Off)
#define W2(Name, Array, Rec, Off) W2_GET(Name, Array, Rec, Off) W2_SET(Name, Array, Rec, Off)

// Buttons, PanelImage part
W1(ButtonType, PanelImage, PanelButtonWord, 0)
W2(ButtonLeft, PanelImage, PanelButtonWord, 1)
W2_SET(ButtonRight, PanelImage, PanelButtonWord, 3)
W2(ButtonTop, PanelImage, PanelButtonWord, 5)
W2_SET(ButtonBottom, PanelImage, PanelButtonWord, 7)
W1(ButtonDevice, PanelImage, PanelButtonWord, 9)
// Buttons, EditorImage part
W1(ButtonPicture, EditorImage, EditorButtonWord, 0)
W2(ButtonWidth, EditorImage, EditorButtonWord, 1)
W2(ButtonHeight, EditorImage, EditorButtonWord, 3)
W2(ButtonTextX, EditorImage, EditorButtonWord, 5)
W2(ButtonTextY, EditorImage, EditorButtonWord, 7)
W1(ButtonTextColor, EditorImage, EditorButtonWord, 9)
W1(ButtonFontSize, EditorImage, EditorButtonWord, 10)

// Pilots
W1(PilotUsed, PanelImage, PanelPilotWord, 0)
W1(PilotPicture, PanelImage, PanelPilotWord, 1)
W2(PilotLeft, PanelImage, PanelPilotWord, 2)
W2(PilotTop, PanelImage, PanelPilotWord, 4)
W1(PilotDevice, PanelImage, PanelPilotWord, 6)
W1(PilotInput, PanelImage, PanelPilotWord, 7)

// Sliders
W1(SliderPicture, PanelImage, PanelSliderWord, 0)
W1(SliderDevice, PanelImage, PanelSliderWord, 1)
W2(SliderLeft, PanelImage, PanelSliderWord, 2)
W2_SET(SliderRight, PanelImage, PanelSliderWord, 4)
W2(SliderTop, PanelImage, PanelSliderWord, 6)
W2_SET(SliderBottom, PanelImage, PanelSliderWord, 8)
W2(SliderWidth, EditorImage, EditorSliderWord, 0)
W2(SliderHeight, EditorImage, EditorSliderWord, 2)

// Text / bar-graph objects
W1(TextType, PanelImage, PanelTextWord, 0)
W2(TextLeft, PanelImage, PanelTextWord, 1)
W2(TextTop, PanelImage, PanelTextWord, 3)
W1(TextDevice, PanelImage, PanelTextWord, 5)
W1_SET(TextPanelFont, PanelImage, PanelTextWord, 6)
W1(TextColor, EditorImage, EditorTextWord, 0)
W1(TextFontSize, EditorImage, EditorTextWord, 1)
W2(TextWidth, EditorImage, EditorTextWord, 2)
W2(TextHeight, EditorImage, EditorTextWord, 4)

#undef W1
#undef W2
#undef W1_GET
#undef W1_SET
#undef W2_GET
#undef W2_SET

namespace
{
int passwordOf(const int16_t *digits)
{
    // Wide arithmetic: a damaged file can hold any word in the digit places.
    long long value = 0;
    for (int i = 0; i < 6; ++i)
        value = value * 10 + digits[i];
    return int(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

void setPassword(int16_t *digits, int v)
{
    for (int k = 0; k < 6; ++k) {
        digits[5 - k] = int16_t(v % 10);
        v /= 10;
    }
}
} // namespace

int modVantile::GetButtonPassword(int n) const
{
    return passwordOf(&PanelImage[PanelButtonWord(n) + 10]);
}
int modVantile::GetButtonPassword(int screen, int n) const
{
    return passwordOf(&PanelImage[PanelButtonWord(screen, n) + 10]);
}
void modVantile::SetButtonPassword(int n, int v)
{
    setPassword(&PanelImage[PanelButtonWord(n) + 10], v);
}
void modVantile::SetButtonPassword(int screen, int n, int v)
{
    setPassword(&PanelImage[PanelButtonWord(screen, n) + 10], v);
}

QString modVantile::GetButtonText(int n) const
{
    return getChars(&EditorImage[EditorButtonWord(n) + 11], ButtonCaptionLength);
}
QString modVantile::GetButtonText(int screen, int n) const
{
    return getChars(&EditorImage[EditorButtonWord(screen, n) + 11], ButtonCaptionLength);
}
void modVantile::SetButtonText(int n, const QString &text)
{
    setChars(&EditorImage[EditorButtonWord(n) + 11], ButtonCaptionLength, text);
}
void modVantile::SetButtonText(int screen, int n, const QString &text)
{
    setChars(&EditorImage[EditorButtonWord(screen, n) + 11], ButtonCaptionLength, text);
}

QString modVantile::GetTextString(int n) const
{
    return getChars(&EditorImage[EditorTextWord(n) + 6], TextStringLength);
}
QString modVantile::GetTextString(int screen, int n) const
{
    return getChars(&EditorImage[EditorTextWord(screen, n) + 6], TextStringLength);
}
void modVantile::SetTextString(int n, const QString &text)
{
    setChars(&EditorImage[EditorTextWord(n) + 6], TextStringLength, text);
}
void modVantile::SetTextString(int screen, int n, const QString &text)
{
    setChars(&EditorImage[EditorTextWord(screen, n) + 6], TextStringLength, text);
}

modVantile::RecordSpan modVantile::ObjectRecord(int screen, ObjectTables::ObjectKind kind, int n) const
{
    using ObjectTables::ObjectKind;
    switch (kind) {
    case ObjectKind::Button:
        return {PanelButtonWord(screen, n), PanelButtonSize, EditorButtonWord(screen, n), EditorButtonSize};
    case ObjectKind::Pilot:
        return {PanelPilotWord(screen, n), PanelPilotSize, 0, 0};
    case ObjectKind::Slider:
        return {PanelSliderWord(screen, n), PanelSliderSize, EditorSliderWord(screen, n), EditorSliderSize};
    case ObjectKind::Text:
        return {PanelTextWord(screen, n), PanelTextSize, EditorTextWord(screen, n), EditorTextSize};
    }
    return {};
}

bool modVantile::IsDerivedWord(bool editorImage, int word)
{
    if (editorImage) {
        const int o = word % EditorBlockWords;
        if (o < EditorSliderStart)
            return (o - EditorButtonStart) % EditorButtonSize >= 5 && (o - EditorButtonStart) % EditorButtonSize <= 8;
        return o < EditorTextStart; // slider sizes follow the picture
    }
    const int o = word % PanelBlockWords;
    if (o >= PanelButtonStart && o < PanelSliderStart) {
        const int f = (o - PanelButtonStart) % PanelButtonSize;
        return f == 3 || f == 4 || f == 7 || f == 8;
    }
    if (o >= PanelSliderStart && o < PanelTextStart) {
        const int f = (o - PanelSliderStart) % PanelSliderSize;
        return f == 4 || f == 5 || f == 8 || f == 9;
    }
    if (o >= PanelTextStart && o < ScreenObjectWords)
        return (o - PanelTextStart) % PanelTextSize == 6;
    return false;
}

// --- helpers ----------------------------------------------------------------

QString Hex2(int n)
{
    return QStringLiteral("%1").arg(n & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}

bool IsColorBackground(const QString &background)
{
    return background.startsWith(QLatin1String("[&H"));
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
