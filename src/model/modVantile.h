#pragma once

#include "model/ObjectTables.h"
#include "model/RecordSchema.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

// The configuration image of one panel project and the program-wide state
// around it. One instance lives for the whole run; tests make fresh ones.
//
// Every word holds one byte value. Getters return what the words hold, so a
// corrupt file can give any value; callers must cope. Record accessors act on the current
// screen through PanelBase / EditorBase; callers pass valid record numbers
// (0-based, within the kind's count). Out-of-range record numbers are
// clamped into the image so that a faulty caller can never write outside it.
class modVantile
{
public:
    static constexpr int ScreenCount = 16;
    static constexpr int PanelBlockWords = 1024;
    static constexpr int EditorBlockWords = 2048;
    static constexpr int PanelWords = ScreenCount * PanelBlockWords;         // 16 384
    static constexpr int EditorWords = ScreenCount * EditorBlockWords;       // 32 768
    static constexpr int ScreenObjectWords = RecordSchema::PanelObjectWords; // object data of a screen block

    static constexpr int ButtonCount = ObjectTables::SlotCount(ObjectTables::ObjectKind::Button);
    static constexpr int PilotCount = ObjectTables::SlotCount(ObjectTables::ObjectKind::Pilot);
    static constexpr int SliderCount = ObjectTables::SlotCount(ObjectTables::ObjectKind::Slider);
    static constexpr int TextCount = ObjectTables::SlotCount(ObjectTables::ObjectKind::Text);
    static constexpr int ButtonCaptionLength = RecordSchema::Button::Caption.words;
    static constexpr int TextStringLength = RecordSchema::Text::String.words;

    // Absolute words of the device options: the tail of screen 0's block,
    // right after its objects (words 976 - 981).
    static constexpr int LayoutWord = ScreenObjectWords;
    static constexpr int NodeAddressWord = LayoutWord + 1;
    static constexpr int NodeRangeWord = LayoutWord + 2;
    static constexpr int BeepWord = LayoutWord + 3;
    static constexpr int ResolutionWord = LayoutWord + 4;
    static constexpr int CommandSetWord = LayoutWord + 5;

    static inline const QString NoFileName = QStringLiteral("None");
    static inline const QString WhiteBackground = QStringLiteral("[&HFFFFFF&]");

    modVantile();

    // --- image -----------------------------------------------------------
    std::array<int16_t, PanelWords> PanelImage{};
    std::array<int16_t, EditorWords> EditorImage{};
    std::array<QString, ScreenCount> ScreenBackground;
    // Two tables of one word per device offset, filled by ZAVBuild.
    std::array<int16_t, 2 * ObjectTables::DeviceCount> DeviceMap{};

    // --- module state ----------------------------------------------------
    QString ProjectFileName = NoFileName;
    QString ScreenFileName;
    int16_t CurrentScreen = 0;
    int16_t PanelBase = 0;
    int16_t EditorBase = 0;
    int16_t CurrentObject = 0;
    int16_t LastButton = -1;
    int16_t LastPilot = -1;
    int16_t LastSlider = -1;
    int16_t LastText = -1;
    int16_t ComPortIndex = 0;
    QString BaseCaption;
    bool InputTypeWarned = false;
    bool WriteAllPictures = true;

    // --- whole-image operations -----------------------------------------
    void NewProject();
    // Makes screen s current and keeps both bases in step.
    void SelectScreen(int screen);
    void ResetTemplates();
    // Empties the current screen: both blocks (the device options too on
    // screen 0), the new-project defaults, a white background, no templates.
    void ClearScreenData();

    // Restores the current screen when a walk over all screens ends.
    class ScreenWalk
    {
    public:
        explicit ScreenWalk(modVantile &m) : m_(m), saved_(m.CurrentScreen) {}
        ~ScreenWalk() { m_.SelectScreen(saved_); }
        ScreenWalk(const ScreenWalk &) = delete;
        ScreenWalk &operator=(const ScreenWalk &) = delete;

    private:
        modVantile &m_;
        int saved_;
    };

    // --- device options (absolute words 976 - 981) -----------------------
    int GetLayout() const { return PanelImage[LayoutWord]; }
    void SetLayout(int v) { PanelImage[LayoutWord] = int16_t(v); }
    int GetNodeAddress() const { return PanelImage[NodeAddressWord]; }
    void SetNodeAddress(int v) { PanelImage[NodeAddressWord] = int16_t(v); }
    int GetNodeRange() const { return PanelImage[NodeRangeWord]; }
    void SetNodeRange(int v) { PanelImage[NodeRangeWord] = int16_t(v); }
    int GetBeep() const { return PanelImage[BeepWord]; }
    void SetBeep(int v) { PanelImage[BeepWord] = int16_t(v); }
    int GetResolution() const { return PanelImage[ResolutionWord]; }
    void SetResolution(int v) { PanelImage[ResolutionWord] = int16_t(v); }
    int GetCommandSet() const { return PanelImage[CommandSetWord]; }
    void SetCommandSet(int v) { PanelImage[CommandSetWord] = int16_t(v); }

    // Each record accessor exists twice: for the current screen, and with an
    // explicit screen (0 - 15, clamped) first, whichever screen is current.

    // --- buttons ---------------------------------------------------------
    int GetButtonType(int n) const;
    int GetButtonType(int screen, int n) const;
    void SetButtonType(int n, int v);
    void SetButtonType(int screen, int n, int v);
    int GetButtonLeft(int n) const;
    int GetButtonLeft(int screen, int n) const;
    void SetButtonLeft(int n, int v);
    void SetButtonLeft(int screen, int n, int v);
    void SetButtonRight(int n, int v);
    void SetButtonRight(int screen, int n, int v);
    int GetButtonTop(int n) const;
    int GetButtonTop(int screen, int n) const;
    void SetButtonTop(int n, int v);
    void SetButtonTop(int screen, int n, int v);
    void SetButtonBottom(int n, int v);
    void SetButtonBottom(int screen, int n, int v);
    int GetButtonDevice(int n) const;
    int GetButtonDevice(int screen, int n) const;
    void SetButtonDevice(int n, int v);
    void SetButtonDevice(int screen, int n, int v);
    int GetButtonPassword(int n) const;
    int GetButtonPassword(int screen, int n) const;
    void SetButtonPassword(int n, int v);
    void SetButtonPassword(int screen, int n, int v);
    int GetButtonPicture(int n) const;
    int GetButtonPicture(int screen, int n) const;
    void SetButtonPicture(int n, int v);
    void SetButtonPicture(int screen, int n, int v);
    int GetButtonWidth(int n) const;
    int GetButtonWidth(int screen, int n) const;
    void SetButtonWidth(int n, int v);
    void SetButtonWidth(int screen, int n, int v);
    int GetButtonHeight(int n) const;
    int GetButtonHeight(int screen, int n) const;
    void SetButtonHeight(int n, int v);
    void SetButtonHeight(int screen, int n, int v);
    int GetButtonTextX(int n) const;
    int GetButtonTextX(int screen, int n) const;
    void SetButtonTextX(int n, int v);
    void SetButtonTextX(int screen, int n, int v);
    int GetButtonTextY(int n) const;
    int GetButtonTextY(int screen, int n) const;
    void SetButtonTextY(int n, int v);
    void SetButtonTextY(int screen, int n, int v);
    int GetButtonTextColor(int n) const;
    int GetButtonTextColor(int screen, int n) const;
    void SetButtonTextColor(int n, int v);
    void SetButtonTextColor(int screen, int n, int v);
    int GetButtonFontSize(int n) const;
    int GetButtonFontSize(int screen, int n) const;
    void SetButtonFontSize(int n, int v);
    void SetButtonFontSize(int screen, int n, int v);
    QString GetButtonText(int n) const;
    QString GetButtonText(int screen, int n) const;
    void SetButtonText(int n, const QString &text);
    void SetButtonText(int screen, int n, const QString &text);

    // --- pilots ----------------------------------------------------------
    int GetPilotUsed(int n) const;
    int GetPilotUsed(int screen, int n) const;
    void SetPilotUsed(int n, int v);
    void SetPilotUsed(int screen, int n, int v);
    int GetPilotPicture(int n) const;
    int GetPilotPicture(int screen, int n) const;
    void SetPilotPicture(int n, int v);
    void SetPilotPicture(int screen, int n, int v);
    int GetPilotLeft(int n) const;
    int GetPilotLeft(int screen, int n) const;
    void SetPilotLeft(int n, int v);
    void SetPilotLeft(int screen, int n, int v);
    int GetPilotTop(int n) const;
    int GetPilotTop(int screen, int n) const;
    void SetPilotTop(int n, int v);
    void SetPilotTop(int screen, int n, int v);
    int GetPilotDevice(int n) const;
    int GetPilotDevice(int screen, int n) const;
    void SetPilotDevice(int n, int v);
    void SetPilotDevice(int screen, int n, int v);
    int GetPilotInput(int n) const;
    int GetPilotInput(int screen, int n) const;
    void SetPilotInput(int n, int v);
    void SetPilotInput(int screen, int n, int v);

    // --- sliders ---------------------------------------------------------
    int GetSliderPicture(int n) const;
    int GetSliderPicture(int screen, int n) const;
    void SetSliderPicture(int n, int v);
    void SetSliderPicture(int screen, int n, int v);
    int GetSliderDevice(int n) const;
    int GetSliderDevice(int screen, int n) const;
    void SetSliderDevice(int n, int v);
    void SetSliderDevice(int screen, int n, int v);
    int GetSliderLeft(int n) const;
    int GetSliderLeft(int screen, int n) const;
    void SetSliderLeft(int n, int v);
    void SetSliderLeft(int screen, int n, int v);
    void SetSliderRight(int n, int v);
    void SetSliderRight(int screen, int n, int v);
    int GetSliderTop(int n) const;
    int GetSliderTop(int screen, int n) const;
    void SetSliderTop(int n, int v);
    void SetSliderTop(int screen, int n, int v);
    void SetSliderBottom(int n, int v);
    void SetSliderBottom(int screen, int n, int v);
    int GetSliderWidth(int n) const;
    int GetSliderWidth(int screen, int n) const;
    void SetSliderWidth(int n, int v);
    void SetSliderWidth(int screen, int n, int v);
    int GetSliderHeight(int n) const;
    int GetSliderHeight(int screen, int n) const;
    void SetSliderHeight(int n, int v);
    void SetSliderHeight(int screen, int n, int v);

    // --- text / bar-graph objects -----------------------------------------
    int GetTextType(int n) const;
    int GetTextType(int screen, int n) const;
    void SetTextType(int n, int v);
    void SetTextType(int screen, int n, int v);
    int GetTextLeft(int n) const;
    int GetTextLeft(int screen, int n) const;
    void SetTextLeft(int n, int v);
    void SetTextLeft(int screen, int n, int v);
    int GetTextTop(int n) const;
    int GetTextTop(int screen, int n) const;
    void SetTextTop(int n, int v);
    void SetTextTop(int screen, int n, int v);
    int GetTextDevice(int n) const;
    int GetTextDevice(int screen, int n) const;
    void SetTextDevice(int n, int v);
    void SetTextDevice(int screen, int n, int v);
    void SetTextPanelFont(int n, int v);
    void SetTextPanelFont(int screen, int n, int v);
    int GetTextColor(int n) const;
    int GetTextColor(int screen, int n) const;
    void SetTextColor(int n, int v);
    void SetTextColor(int screen, int n, int v);
    int GetTextFontSize(int n) const;
    int GetTextFontSize(int screen, int n) const;
    void SetTextFontSize(int n, int v);
    void SetTextFontSize(int screen, int n, int v);
    int GetTextWidth(int n) const;
    int GetTextWidth(int screen, int n) const;
    void SetTextWidth(int n, int v);
    void SetTextWidth(int screen, int n, int v);
    int GetTextHeight(int n) const;
    int GetTextHeight(int screen, int n) const;
    void SetTextHeight(int n, int v);
    void SetTextHeight(int screen, int n, int v);
    QString GetTextString(int n) const;
    QString GetTextString(int screen, int n) const;
    void SetTextString(int n, const QString &text);
    void SetTextString(int screen, int n, const QString &text);

    // The words of one object record (absolute word numbers): its part of
    // PanelImage and of EditorImage; a pilot has no EditorImage part.
    struct RecordSpan {
        int panelWord = 0, panelSize = 0;
        int editorWord = 0, editorSize = 0;
    };
    RecordSpan ObjectRecord(int screen, ObjectTables::ObjectKind kind, int n) const;
    // The same on the current screen.
    RecordSpan ObjectRecord(ObjectTables::ObjectKind kind, int n) const;

    // Any field of the record tables (RecordSchema), by kind and slot.
    int GetField(int screen, ObjectTables::ObjectKind kind, int n, const RecordSchema::Field &field) const;
    void SetField(int screen, ObjectTables::ObjectKind kind, int n, const RecordSchema::Field &field, int value);
    // Entries for the fields of a record that hold values the editors cannot
    // store (RecordSchema::DamagedFields); empty for a sound record.
    QStringList DamagedFields(int screen, ObjectTables::ObjectKind kind, int n, bool secrets = true) const;
    // The first word of a field that holds a value outside the field's range.
    std::optional<int> DamagedWord(int screen, ObjectTables::ObjectKind kind, int n,
                                   const RecordSchema::Field &field) const;

    // Words the program derives from others and rewrites on its own (object
    // edges, slider sizes, caption offsets, the text font copy): no user edit.
    static bool IsDerivedWord(bool editorImage, int word);

    // --- project and screen files -----------------------------------------
    // Each returns false and fills *error with a user-readable message when
    // the file cannot be used; the image and the module state are then
    // exactly as before the call. A save or export that had to write its
    // file in place (the folder takes no new file) says so in *note, for the
    // user; *note is empty otherwise.
    bool LoadProject(QString *error = nullptr);
    bool SaveProject(QString *error = nullptr, QString *note = nullptr);
    bool ImportScreen(QString *error = nullptr);
    bool ExportScreen(QString *error = nullptr, QString *note = nullptr) const;

    // The file layouts as byte arrays, for the routines above and for tools.
    QByteArray ProjectBytes() const;
    bool SetProjectBytes(const QByteArray &bytes, QString *error = nullptr);
    QByteArray ScreenBytes() const;
    bool SetScreenBytes(const QByteArray &bytes, QString *error = nullptr);

private:
    void setScreenDefaults();
    // The first words of a record's two parts, for the current screen (through
    // the bases) or a given one.
    RecordSpan recordAt(int panelBase, int editorBase, ObjectTables::ObjectKind kind, int n) const;
    static int panelBlock(int screen);
    static int editorBlock(int screen);
    int16_t *words(const RecordSpan &span, const RecordSchema::Field &field);
    const int16_t *words(const RecordSpan &span, const RecordSchema::Field &field) const;
};

// Two upper-case hexadecimal digits of n, zero padded ("01", "0A", "FE").
QString Hex2(int n);

// Why a background picture path cannot be stored in a project file, or an
// empty string when it can: the file keeps it as Windows-1252 characters,
// at most 65535 of them.
QString BackgroundPathProblem(const QString &path);

// A background string is a solid colour when it starts with "[&H"; its
// colour value is blue * 65536 + green * 256 + red as written in the string.
bool IsColorBackground(const QString &background);
// Whether a colour background has its whole form: "[&H", six hexadecimal
// digits, "&" and an optional "]".
bool IsWellFormedColorBackground(const QString &background);
// The colour of a colour background: the hexadecimal digits that follow
// "[&H" (at most six, up to the first non-digit); 0 when there are none.
uint32_t BackgroundColorValue(const QString &background);
