#include "model/ObjectFields.h"

#include "assets/ObjectPictures.h"
#include "model/RecordSchema.h"
#include "model/modVantile.h"

#include <algorithm>

namespace ObjectFields
{

namespace
{

using namespace ObjectTables;

// The record field a typed number is stored in; its range is the field's.
const RecordSchema::Field *numberField(Kind kind, Id id)
{
    namespace S = RecordSchema;
    switch (kind) {
    case Kind::Button:
        return id == Id::Left     ? &S::Button::Left
               : id == Id::Top    ? &S::Button::Top
               : id == Id::Width  ? &S::Button::Width
               : id == Id::Height ? &S::Button::Height
                                  : nullptr;
    case Kind::Pilot:
        return id == Id::Left ? &S::Pilot::Left : id == Id::Top ? &S::Pilot::Top : nullptr;
    case Kind::Slider:
        return id == Id::Left ? &S::Slider::Left : id == Id::Top ? &S::Slider::Top : nullptr;
    case Kind::Text:
        break;
    }
    return id == Id::Left     ? &S::Text::Left
           : id == Id::Top    ? &S::Text::Top
           : id == Id::Width  ? &S::Text::Width
           : id == Id::Height ? &S::Text::Height
                              : nullptr;
}

const RecordSchema::Field &textField(Kind kind)
{
    return kind == Kind::Button ? RecordSchema::Button::Caption : RecordSchema::Text::String;
}

int power10(int k)
{
    int p = 1;
    while (k-- > 0)
        p *= 10;
    return p;
}

QStringList numbered(const QString &word, int first, int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << word + QString::number(first + i);
    return list;
}

bool valueBoxType(int type)
{
    return type == 2 || type == 3;
}

// A value box gets the size of its picture at its font size, as the text
// editor shows it when the type or the font size is chosen.
void valueBoxSize(modVantile &m, int slot)
{
    const QSize size = ObjectPictures::ValueBoxSize(m.GetTextFontSize(slot));
    if (size.isEmpty())
        return;
    m.SetTextWidth(slot, size.width());
    m.SetTextHeight(slot, size.height());
}

} // namespace

bool Has(Kind kind, Id id)
{
    switch (id) {
    case Id::Function:
    case Id::Password:
        return kind == Kind::Button;
    case Id::Type:
    case Id::FontSize:
        return kind == Kind::Text;
    case Id::Input:
        return kind == Kind::Pilot;
    case Id::Device:
    case Id::Left:
    case Id::Top:
        return true;
    case Id::Width:
    case Id::Height:
    case Id::Text:
    case Id::Colour:
        return kind == Kind::Button || kind == Kind::Text;
    case Id::Picture:
        return kind != Kind::Text;
    }
    return false;
}

QString Label(Kind kind, Id id)
{
    switch (id) {
    case Id::Function:
        return QStringLiteral("Function");
    case Id::Type:
        return QStringLiteral("Type");
    case Id::Device:
        return QStringLiteral("Device");
    case Id::Input:
        return QStringLiteral("Input");
    case Id::Left:
        return QStringLiteral("Left");
    case Id::Top:
        return QStringLiteral("Top");
    case Id::Width:
        return QStringLiteral("Width");
    case Id::Height:
        return QStringLiteral("Height");
    case Id::Text:
        return kind == Kind::Button ? QStringLiteral("Caption") : QStringLiteral("Text");
    case Id::FontSize:
        return QStringLiteral("Font Size");
    case Id::Colour:
        return QStringLiteral("Font Color");
    case Id::Picture:
        return QStringLiteral("Picture");
    case Id::Password:
        return QStringLiteral("Password");
    }
    return {};
}

bool Typed(Id id)
{
    return id == Id::Left || id == Id::Top || id == Id::Width || id == Id::Height || id == Id::Text ||
           id == Id::Password;
}

QStringList ButtonFunctionEntries()
{
    QStringList list;
    list << QStringLiteral("Unused");
    list << numbered(QStringLiteral("Push Button Input "), 1, InputCount);
    list << numbered(QStringLiteral("Turn ON Input "), 1, InputCount);
    list << numbered(QStringLiteral("Turn OFF Input "), 1, InputCount);
    list << QStringLiteral("Goto Home");
    for (int k = 1; k <= 15; ++k)
        list << QStringLiteral("Goto Screen %1").arg(k, 2, 10, QLatin1Char('0'));
    list << QStringLiteral("Goto Home W/Password");
    for (int k = 1; k <= 15; ++k)
        list << QStringLiteral("Goto Screen %1 W/Password").arg(k, 2, 10, QLatin1Char('0'));
    return list;
}

QStringList TextTypeEntries()
{
    return {QStringLiteral("Disabled"),
            QStringLiteral("Text"),
            QStringLiteral("Slider Value"),
            QStringLiteral("Dimmer Value"),
            QStringLiteral("Dim Bar Graph - Small Blue"),
            QStringLiteral("Dim Bar Graph - Small Green"),
            QStringLiteral("Dim Bar Graph - Small Gray"),
            QStringLiteral("Dim Bar Graph - Large Blue"),
            QStringLiteral("Dim Bar Graph - Large Green"),
            QStringLiteral("Dim Bar Graph - Large Gray")};
}

QStringList FontSizeEntries()
{
    return {QStringLiteral("Small"), QStringLiteral("Medium"), QStringLiteral("Large"), QStringLiteral("Extra Large")};
}

QStringList ColourEntries()
{
    return {QStringLiteral("Black"), QStringLiteral("White")};
}

QStringList Entries(const modVantile &m, Kind kind, Id id)
{
    switch (id) {
    case Id::Function:
        return ButtonFunctionEntries();
    case Id::Type:
        return TextTypeEntries();
    case Id::Device: {
        // The nodes of the range: entry i is device offset i (Hex2 wraps at 256).
        const int last = std::min(m.GetNodeRange(), 255);
        QStringList list;
        for (int i = 0; i <= last; ++i)
            list << Hex2(NodeOf(m.GetNodeAddress(), i));
        return list;
    }
    case Id::Input:
        return numbered(QString(), 1, InputCount);
    case Id::FontSize:
        return FontSizeEntries();
    case Id::Colour:
        return ColourEntries();
    case Id::Picture:
        if (kind == Kind::Button)
            return QStringList{QStringLiteral("Target")} +
                   numbered(QStringLiteral("Style "), 1, ObjectPictures::ButtonPictureCount);
        if (kind == Kind::Pilot)
            return numbered(QStringLiteral("Icon "), 1, ObjectPictures::PilotPairCount);
        return QStringList{QStringLiteral("None")} +
               numbered(QStringLiteral("Style "), 1, ObjectPictures::SliderStyleCount);
    default:
        break;
    }
    return {};
}

int Value(const modVantile &m, Kind kind, int n, Id id)
{
    switch (kind) {
    case Kind::Button:
        switch (id) {
        case Id::Function:
            return m.GetButtonType(n);
        case Id::Device:
            return m.GetButtonDevice(n);
        case Id::Left:
            return m.GetButtonLeft(n);
        case Id::Top:
            return m.GetButtonTop(n);
        case Id::Width:
            return m.GetButtonWidth(n);
        case Id::Height:
            return m.GetButtonHeight(n);
        case Id::Colour:
            return m.GetButtonTextColor(n);
        case Id::Picture:
            return m.GetButtonPicture(n);
        case Id::Password:
            return m.GetButtonPassword(n);
        default:
            return -1;
        }
    case Kind::Pilot:
        switch (id) {
        case Id::Device:
            return m.GetPilotDevice(n);
        case Id::Input:
            return m.GetPilotInput(n);
        case Id::Left:
            return m.GetPilotLeft(n);
        case Id::Top:
            return m.GetPilotTop(n);
        case Id::Picture:
            return m.GetPilotPicture(n);
        default:
            return -1;
        }
    case Kind::Slider:
        switch (id) {
        case Id::Device:
            return m.GetSliderDevice(n);
        case Id::Left:
            return m.GetSliderLeft(n);
        case Id::Top:
            return m.GetSliderTop(n);
        case Id::Picture:
            return m.GetSliderPicture(n);
        default:
            return -1;
        }
    case Kind::Text:
        break;
    }
    switch (id) {
    case Id::Type:
        return m.GetTextType(n);
    case Id::Device:
        return m.GetTextDevice(n);
    case Id::Left:
        return m.GetTextLeft(n);
    case Id::Top:
        return m.GetTextTop(n);
    case Id::Width:
        return m.GetTextWidth(n);
    case Id::Height:
        return m.GetTextHeight(n);
    case Id::FontSize:
        return m.GetTextFontSize(n);
    case Id::Colour:
        return m.GetTextColor(n);
    default:
        return -1;
    }
}

QString Text(const modVantile &m, Kind kind, int n)
{
    return kind == Kind::Button ? m.GetButtonText(n) : kind == Kind::Text ? m.GetTextString(n) : QString();
}

bool Editable(const modVantile &m, Kind kind, int n, Id id)
{
    if (!Has(kind, id))
        return false;
    if (kind == Kind::Button) {
        const bool plain = m.GetButtonPicture(n) == 0;
        if (id == Id::Width || id == Id::Height)
            return plain;
        if (id == Id::Text || id == Id::Colour)
            return !plain;
        if (id == Id::Password)
            return m.GetButtonType(n) >= PasswordHomeCode;
        return true;
    }
    if (kind == Kind::Text) {
        const int type = m.GetTextType(n);
        const bool text = type <= 1;
        switch (id) {
        case Id::Text:
        case Id::Colour:
        case Id::Width:
        case Id::Height:
            return text;
        case Id::FontSize:
            return type <= 3;
        case Id::Device:
            return !text;
        default:
            return true;
        }
    }
    return true;
}

QString Refusal(const modVantile &m, Kind kind, Id id, int value)
{
    if (const RecordSchema::Field *field = numberField(kind, id)) {
        if (value < field->min || value > field->max)
            return QStringLiteral("%1 is %2 to %3").arg(Label(kind, id)).arg(field->min).arg(field->max);
        return {};
    }
    if (id == Id::Password) {
        if (value < 0 || value >= power10(PasswordDigits))
            return QStringLiteral("A password is %1 digits").arg(PasswordDigits);
        return {};
    }
    const qsizetype count = Entries(m, kind, id).size();
    if (value < 0 || value >= count)
        return QStringLiteral("%1 is one of the %2 entries of its list").arg(Label(kind, id)).arg(count);
    return {};
}

QString TextRefusal(Kind kind, const QString &text)
{
    if (text.contains(QLatin1Char(',')))
        return QStringLiteral("%1 cannot hold a comma").arg(Label(kind, Id::Text));
    const int most = textField(kind).words;
    if (text.size() > most)
        return QStringLiteral("%1 holds at most %2 characters").arg(Label(kind, Id::Text)).arg(most);
    return {};
}

void Set(modVantile &m, Kind kind, int n, Id id, int value)
{
    switch (kind) {
    case Kind::Button:
        switch (id) {
        case Id::Function:
            m.SetButtonType(n, value);
            return;
        case Id::Device:
            m.SetButtonDevice(n, value);
            return;
        case Id::Left:
            m.SetButtonLeft(n, value);
            return;
        case Id::Top:
            m.SetButtonTop(n, value);
            return;
        case Id::Width:
            m.SetButtonWidth(n, value);
            return;
        case Id::Height:
            m.SetButtonHeight(n, value);
            return;
        case Id::Colour:
            m.SetButtonTextColor(n, value);
            return;
        case Id::Password:
            m.SetButtonPassword(n, value);
            return;
        case Id::Picture:
            // A picture (or none, the target) makes an unused button a
            // push button; a picture brings its size and caption font.
            if (m.GetButtonType(n) == 0)
                m.SetButtonType(n, 1);
            if (value > 0) {
                m.SetButtonFontSize(n, (value - 1) / 8);
                const QSize size = ObjectPictures::ButtonPictureSize(value - 1);
                m.SetButtonWidth(n, size.width());
                m.SetButtonHeight(n, size.height());
            }
            m.SetButtonPicture(n, value);
            return;
        default:
            return;
        }
    case Kind::Pilot:
        switch (id) {
        case Id::Device:
            m.SetPilotDevice(n, value);
            return;
        case Id::Input:
            m.SetPilotInput(n, value);
            return;
        case Id::Left:
            m.SetPilotLeft(n, value);
            return;
        case Id::Top:
            m.SetPilotTop(n, value);
            return;
        case Id::Picture:
            if (m.GetPilotUsed(n) == 0)
                m.SetPilotUsed(n, 1);
            m.SetPilotPicture(n, value);
            return;
        default:
            return;
        }
    case Kind::Slider:
        switch (id) {
        case Id::Device:
            m.SetSliderDevice(n, value);
            return;
        case Id::Left:
            m.SetSliderLeft(n, value);
            return;
        case Id::Top:
            m.SetSliderTop(n, value);
            return;
        case Id::Picture:
            m.SetSliderPicture(n, value);
            if (value > 0) {
                const QSize size = ObjectPictures::SliderPictureSize(value - 1);
                m.SetSliderWidth(n, size.width());
                m.SetSliderHeight(n, size.height());
            }
            return;
        default:
            return;
        }
    case Kind::Text:
        break;
    }
    switch (id) {
    case Id::Type:
        // Value boxes show "100%" in black at their picture's size; bar
        // graphs have no text.
        m.SetTextType(n, value);
        if (value >= 2) {
            m.SetTextString(n, valueBoxType(value) ? QStringLiteral("100%") : QString());
            m.SetTextColor(n, 0);
            if (valueBoxType(value))
                valueBoxSize(m, n);
        }
        return;
    case Id::Device:
        m.SetTextDevice(n, value);
        return;
    case Id::Left:
        m.SetTextLeft(n, value);
        return;
    case Id::Top:
        m.SetTextTop(n, value);
        return;
    case Id::Width:
        m.SetTextWidth(n, value);
        return;
    case Id::Height:
        m.SetTextHeight(n, value);
        return;
    case Id::FontSize:
        m.SetTextFontSize(n, value);
        if (m.GetTextType(n) >= 2 && m.GetTextType(n) <= LastTextType)
            valueBoxSize(m, n);
        return;
    case Id::Colour:
        m.SetTextColor(n, value);
        return;
    default:
        return;
    }
}

void SetText(modVantile &m, Kind kind, int n, const QString &text)
{
    if (kind == Kind::Button)
        m.SetButtonText(n, text);
    else if (kind == Kind::Text)
        m.SetTextString(n, text);
}

} // namespace ObjectFields
