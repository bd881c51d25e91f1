#pragma once

#include "assets/ObjectPictures.h"
#include "model/modVantile.h"
#include "panel/VirtualPanel.h"
#include "testsupport.h"

#include <QImage>

// Node base 0F: device offsets 0 - 3 are nodes 10 - 13.
constexpr int FirstNode = 0x10;

inline void putButton(modVantile &m, int screen, int n, int code, QPoint at, int device = 0, int password = 0,
                      int picture = 13, const QString &caption = QStringLiteral("Go"))
{
    m.SetButtonType(screen, n, code);
    m.SetButtonPicture(screen, n, picture);
    const QSize size = ObjectPictures::ButtonPictureSize(picture - 1);
    m.SetButtonWidth(screen, n, size.width());
    m.SetButtonHeight(screen, n, size.height());
    m.SetButtonFontSize(screen, n, ObjectPictures::ButtonCaptionFontSize(picture - 1));
    m.SetButtonLeft(screen, n, at.x());
    m.SetButtonTop(screen, n, at.y());
    m.SetButtonDevice(screen, n, device);
    m.SetButtonPassword(screen, n, password);
    m.SetButtonText(screen, n, caption);
}

inline void putText(modVantile &m, int screen, int n, int type, QPoint at, int fontSize, int device,
                    const QString &text = QString())
{
    m.SetTextType(screen, n, type);
    m.SetTextLeft(screen, n, at.x());
    m.SetTextTop(screen, n, at.y());
    m.SetTextFontSize(screen, n, fontSize);
    m.SetTextDevice(screen, n, device);
    m.SetTextString(screen, n, text);
}

// Home holds a Goto button to every other screen in three rows from y 150
// (HubButton) and, at (100, 100), button 3: screen 4 behind the password
// 246810, the only way to screen 4. Every other screen has a Home button at
// (200, 0). All of it fits the smallest screen, 240 x 240.
inline QRect HubButton(int screen)
{
    return {32 * ((screen - 1) % 7), 150 + 28 * ((screen - 1) / 7), 32, 24};
}
const QRect PasswordButton(100, 100, 96, 32);
const QRect HomeButton(200, 0, 32, 24);

inline void hubProject(modVantile &m, int resolution = 0, int layout = 0)
{
    m.NewProject();
    m.SetResolution(resolution);
    m.SetLayout(layout);
    m.SetNodeAddress(0x0F);
    m.SetNodeRange(3);
    m.ScreenBackground[0] = QStringLiteral("[&H402010&]");
    for (int s = 1; s < 16; ++s) {
        putButton(m, 0, 3 + s, 25 + s, HubButton(s).topLeft(), 0, 0, 1, QString());
        putButton(m, s, 31, 25, QPoint(200, 0), 0, 0, 1, QStringLiteral("H"));
    }
    m.SetButtonType(0, 3 + 4, 0); // screen 4 only behind the password
    putButton(m, 0, 3, 45, PasswordButton.topLeft(), 0, 246810);
}

// Taps the middle of a rectangle.
inline void tap(VirtualPanel &panel, QRect r)
{
    QVERIFY(panel.Press(r.center()));
    panel.Release();
}

QObject *newVirtualPanelTest();
QObject *newTryScriptTest();
QObject *newTryWindowTest();
