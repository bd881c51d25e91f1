#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

#include <array>

// The pictures the panel shows from its SD card while it runs, besides the
// screen pictures: value boxes with their value, slider and bar-graph frames for
// every level, the password field, keypad keys, digits, the password and
// access-denied screens and the splash screens. The SD card gets them through
// the stock pictures; the virtual panel draws with the very same ones, so
// that what is tried is what the panel shows. Each call draws afresh.
namespace RunTimePictures
{

constexpr int MaxLevel = 100;
constexpr int PasswordDigits = 6;

// Value box of font size 0 - 3 showing percent 0 - 100; -1 gives the blank box.
QImage ValueBox(int fontSize, int percent);

// The six slider families of the card, in its order: small blue, green,
// white, then the same three large (SLAB, SLAG, SLAW, SPAB, SPAG, SPAW).
// The knob stands at the level, the channel is lit below it.
QImage SliderFrame(int family, int level);
// The family of slider style 0 - 5 (green, white, blue; small, then large);
// -1 outside the styles.
int SliderFamilyOfStyle(int style);
// Rows of the knob's centre at level 100 (top) and level 0 (bottom) for a
// small or large slider frame.
struct SliderTravel {
    int top;
    int bottom;
};
SliderTravel SliderKnobTravel(bool large);
// The level a touch at row y of a slider frame asks for (0 - 100).
int SliderLevelAt(bool large, int y);

// Bar graph of family 0 - 5 (small blue, green, grey, then large), lit from
// the bottom up to the level.
QImage BarGraph(int family, int level);

// The password field with `entered` of its six digits given.
QImage PasswordField(int entered);

// Keypad key n (0 - 33): label n / 2 of KeyLabels; even n released, odd n pressed.
constexpr int KeyPictureCount = 34;
constexpr std::array<const char *, 17> KeyLabels{"0", "1",   "2",   "3",   "4",   "5", "6", "7", "8",
                                                 "9", "CLR", "ENT", "DEL", "ESC", "*", "#", "."};
QImage KeypadKey(int n);

QImage Digit(int d);
QImage Splash(int width, int height);
QImage AccessDenied(QSize size);

// The password screen: a title, the empty password field and a 3 x 4 keypad.
constexpr std::array<const char *, 12> PasswordScreenKeys{"1", "2", "3", "4",   "5", "6",
                                                          "7", "8", "9", "CLR", "0", "ENT"};
struct PasswordLayout {
    QRect field;
    std::array<QRect, 12> keys; // in the order of PasswordScreenKeys
};
PasswordLayout PasswordScreenLayout(QSize size);
// Key labels are as large as half the key's height allows, smaller where
// their width would not fit the key.
QImage PasswordScreen(QSize size);
// Key `key` (0 - 11) of the password screen pressed, the size of the key.
QImage PressedPasswordKey(QSize size, int key);

} // namespace RunTimePictures
