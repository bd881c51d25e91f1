// make-example OUT.QXC
// Builds the demonstration project through the model's accessors and saves
// it: a Home screen whose buttons lead to three rooms and to an installer
// screen behind a password; the rooms have lights with pilots, a dimmer
// slider with its value box and bar graph.
// make-example --random SEED OUT.QXC
// Builds a project of random objects, the same one for a seed on every
// system, for comparing what two builds make of it.
#include "assets/ObjectPictures.h"
#include "model/DerivedFields.h"
#include "model/ObjectTables.h"
#include "model/modVantile.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QStringList>

#include <cstdio>
#include <iterator>

namespace
{

// Button function codes.
constexpr int PushInput = ObjectTables::FirstPushCode - 1;       // + input 1 - 8
constexpr int TurnOnInput = ObjectTables::FirstTurnOnCode - 1;   // + input
constexpr int TurnOffInput = ObjectTables::FirstTurnOffCode - 1; // + input
constexpr int GotoHome = ObjectTables::GotoHomeCode;
constexpr int GotoScreen = ObjectTables::GotoHomeCode;             // + screen 1 - 15
constexpr int GotoScreenPassword = ObjectTables::PasswordHomeCode; // + screen

// Button pictures (index into the set + 1): the set comes in groups of four
// per size, square grey, square blue, round grey, round blue.
constexpr int SmallSquareGrey = 13, SmallSquareBlue = 14, SmallRoundBlue = 16;
constexpr int LargeRoundGrey = 23, LargeRoundBlue = 24, LargeSquareGrey = 21;

// Pilot icons: 12 per size, white set then green set.
constexpr int GreenCircle16 = 10, GreenSquare16 = 7;

QString colour(int red, int green, int blue)
{
    return QStringLiteral("[&H") + Hex2(blue) + Hex2(green) + Hex2(red) + QStringLiteral("&]");
}

class Builder
{
public:
    explicit Builder(modVantile &m) : m_(m) {}

    void screen(int s, const QString &background)
    {
        m_.SelectScreen(s);
        m_.ScreenBackground[size_t(s)] = background;
        buttons_ = pilots_ = sliders_ = texts_ = 0;
    }

    void button(int type, int picture, int left, int top, const QString &caption, int device = 0, int password = 0,
                bool whiteCaption = false)
    {
        const int n = buttons_++;
        const QSize size = ObjectPictures::ButtonPictureSize(picture - 1);
        const int fontSize = ObjectPictures::ButtonCaptionFontSize(picture - 1);
        m_.SetButtonType(n, type);
        m_.SetButtonLeft(n, left);
        m_.SetButtonTop(n, top);
        m_.SetButtonDevice(n, device);
        m_.SetButtonPassword(n, password);
        m_.SetButtonPicture(n, picture);
        m_.SetButtonWidth(n, size.width());
        m_.SetButtonHeight(n, size.height());
        m_.SetButtonFontSize(n, fontSize);
        DerivedFields::StoreCaptionOffset(m_, m_.CurrentScreen, n);
        m_.SetButtonTextColor(n, whiteCaption ? 1 : 0);
        m_.SetButtonText(n, caption);
    }

    void pilot(int picture, int left, int top, int device, int input)
    {
        const int n = pilots_++;
        m_.SetPilotUsed(n, 1);
        m_.SetPilotPicture(n, picture);
        m_.SetPilotLeft(n, left);
        m_.SetPilotTop(n, top);
        m_.SetPilotDevice(n, device);
        m_.SetPilotInput(n, input - 1);
    }

    void slider(int picture, int left, int top, int device)
    {
        const int n = sliders_++;
        const QSize size = ObjectPictures::SliderPictureSize(picture - 1);
        m_.SetSliderPicture(n, picture);
        m_.SetSliderDevice(n, device);
        m_.SetSliderLeft(n, left);
        m_.SetSliderTop(n, top);
        m_.SetSliderWidth(n, size.width());
        m_.SetSliderHeight(n, size.height());
    }

    void text(int type, int left, int top, int width, int height, const QString &text, int fontSize, bool white,
              int device = 0)
    {
        const int n = texts_++;
        m_.SetTextType(n, type);
        m_.SetTextLeft(n, left);
        m_.SetTextTop(n, top);
        m_.SetTextWidth(n, width);
        m_.SetTextHeight(n, height);
        m_.SetTextString(n, text);
        m_.SetTextFontSize(n, fontSize);
        m_.SetTextColor(n, white ? 1 : 0);
        m_.SetTextDevice(n, device);
    }

    // A room: a title, lights with a pilot each, a dimmer with its value and
    // level, and the way back home.
    void room(int s, const QString &name, const QString &background, const QStringList &lights, int firstDevice)
    {
        screen(s, background);
        text(1, 16, 8, 300, 32, name, 2, true);
        for (int i = 0; i < lights.size(); ++i) {
            const int top = 56 + 44 * i;
            button(PushInput + 1 + i, SmallSquareBlue, 16, top, lights[i], firstDevice);
            pilot(GreenCircle16, 120, top + 8, firstDevice, 1 + i);
        }
        button(TurnOffInput + 8, SmallSquareGrey, 160, 56, QStringLiteral("All Off"), firstDevice);
        button(TurnOnInput + 8, SmallSquareGrey, 160, 100, QStringLiteral("All On"), firstDevice);
        slider(1, 300, 30, firstDevice + 1);
        text(1, 286, 8, 80, 20, QStringLiteral("Dimmer"), 0, true);
        text(3, 346, 120, 48, 22, QString(), 1, false, firstDevice + 1);
        text(5, 410, 30, 16, 221, QString(), 0, false, firstDevice + 1);
        button(GotoHome, SmallRoundBlue, 16, 224, QStringLiteral("Home"));
    }

private:
    modVantile &m_;
    int buttons_ = 0, pilots_ = 0, sliders_ = 0, texts_ = 0;
};

// Screens of random objects within the limits the editors allow; captions
// with Windows-1252 letters, colour backgrounds (pictures would tie the
// project to a folder).
void randomProject(modVantile &m, quint32 seed)
{
    QRandomGenerator random(seed);
    auto pick = [&](int lowest, int highest) { return int(random.bounded(lowest, highest + 1)); };
    static const char16_t *const words[] = {u"Küche", u"Salon",   u"Café",   u"Été",      u"Bühne", u"Señal",  u"Œuvre",
                                            u"Hall",  u"All Off", u"Zone 7", u"Ångström", u"Æsir",  u"«Scène»"};
    auto word = [&] { return QString::fromUtf16(words[random.bounded(int(std::size(words)))]); };
    m.SetLayout(pick(0, 1));
    m.SetResolution(pick(0, 3));
    m.SetCommandSet(pick(0, 2));
    m.SetNodeAddress(pick(0, 200));
    m.SetNodeRange(pick(0, 30));
    m.SetBeep(pick(0, 1));
    Builder b(m);
    const int screens = pick(1, 6);
    for (int s = 0; s < screens; ++s) {
        b.screen(s, colour(pick(0, 255), pick(0, 255), pick(0, 255)));
        for (int n = pick(0, 8); n > 0; --n)
            b.button(pick(0, ObjectTables::LastPasswordCode), pick(1, ObjectPictures::ButtonPictureCount), pick(0, 400),
                     pick(0, 220), word(), pick(0, 15), pick(0, 1) ? pick(0, 999999) : 0, pick(0, 1) == 1);
        for (int n = pick(0, 6); n > 0; --n)
            b.pilot(pick(1, ObjectPictures::PilotPairCount - 1), pick(0, 440), pick(0, 240), pick(0, 15),
                    pick(1, ObjectTables::InputCount));
        for (int n = pick(0, 2); n > 0; --n)
            b.slider(pick(1, ObjectPictures::SliderStyleCount), pick(0, 420), pick(0, 40), pick(0, 15));
        for (int n = pick(0, 4); n > 0; --n)
            b.text(pick(1, ObjectTables::LastTextType), pick(0, 380), pick(0, 230), pick(16, 200), pick(12, 48), word(),
                   pick(0, ObjectTables::FontSizeCount - 1), pick(0, 1) == 1, pick(0, 15));
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    const bool random = args.size() == 3 && args[0] == QLatin1String("--random");
    if (args.size() != 1 && !random) {
        std::fprintf(stderr, "usage: make-example OUT.QXC\n       make-example --random SEED OUT.QXC\n");
        return 2;
    }
    modVantile m;
    m.NewProject();
    if (random) {
        bool ok = false;
        const quint32 seed = args[1].toUInt(&ok);
        if (!ok) {
            std::fprintf(stderr, "make-example: the seed must be a number\n");
            return 2;
        }
        randomProject(m, seed);
        m.SelectScreen(0);
        m.ProjectFileName = args[2];
        QString error;
        if (!m.SaveProject(&error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        return 0;
    }
    // Node 10 upwards, 16 devices, touch beep on, 480x272 landscape, "P Cmd".
    m.SetLayout(0);
    m.SetNodeAddress(15);
    m.SetNodeRange(15);
    m.SetBeep(1);
    m.SetResolution(0);
    m.SetCommandSet(0);

    Builder b(m);
    b.screen(0, colour(20, 40, 80));
    b.text(1, 16, 8, 400, 32, QStringLiteral("Welcome Home"), 3, true);
    b.button(GotoScreen + 1, LargeRoundBlue, 16, 64, QStringLiteral("Living Room"));
    b.button(GotoScreen + 2, LargeRoundBlue, 200, 64, QStringLiteral("Kitchen"));
    b.button(GotoScreen + 3, LargeRoundBlue, 16, 124, QStringLiteral("Bedroom"));
    b.button(GotoScreenPassword + 4, LargeRoundGrey, 200, 124, QStringLiteral("Installer"), 0, 246810);
    b.button(TurnOffInput + 8, LargeSquareGrey, 16, 196, QStringLiteral("All Off"), 0);
    b.pilot(GreenSquare16, 184, 212, 0, 8);
    b.text(1, 372, 72, 100, 40, QStringLiteral("Press a room"), 0, true);

    b.room(1, QStringLiteral("Living Room"), colour(48, 48, 48),
           {QStringLiteral("Ceiling"), QStringLiteral("Lamps"), QStringLiteral("Shelves")}, 1);
    b.room(2, QStringLiteral("Kitchen"), colour(32, 64, 48), {QStringLiteral("Counter"), QStringLiteral("Table")}, 3);
    b.room(3, QStringLiteral("Bedroom"), colour(56, 40, 72), {QStringLiteral("Ceiling"), QStringLiteral("Bedside")}, 5);

    b.screen(4, colour(64, 32, 32));
    b.text(1, 16, 8, 400, 32, QStringLiteral("Installer"), 2, true);
    b.text(1, 16, 44, 400, 20, QStringLiteral("Behind password 246810"), 0, true);
    b.button(PushInput + 1, SmallSquareGrey, 16, 80, QStringLiteral("Scene 1"), 7);
    b.button(PushInput + 2, SmallSquareGrey, 120, 80, QStringLiteral("Scene 2"), 7);
    b.button(PushInput + 3, SmallSquareGrey, 224, 80, QStringLiteral("Scene 3"), 7);
    b.text(2, 16, 140, 48, 22, QString(), 1, false, 8);
    b.text(1, 72, 142, 200, 20, QStringLiteral("Hall slider level"), 0, true);
    b.button(GotoHome, SmallRoundBlue, 16, 224, QStringLiteral("Home"));

    m.SelectScreen(0);
    m.ProjectFileName = args[0];
    QString error;
    if (!m.SaveProject(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
