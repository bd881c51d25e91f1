#pragma once

#include "check/ProjectCheck.h"
#include "model/modVantile.h"
#include "testsupport.h"

#include <QObject>

// Objects placed straight into a screen's records. Button picture 14 is 96 x 32.
inline void button(modVantile &m, int s, int n, int type, int left = 0, int top = 0, int device = 0, int picture = 14,
                   const QString &caption = QStringLiteral("B"))
{
    m.SetButtonType(s, n, type);
    m.SetButtonLeft(s, n, left);
    m.SetButtonTop(s, n, top);
    m.SetButtonDevice(s, n, device);
    m.SetButtonPicture(s, n, picture);
    m.SetButtonFontSize(s, n, picture > 0 ? (picture - 1) / 8 : 0);
    m.SetButtonText(s, n, caption);
}

inline void pilot(modVantile &m, int s, int n, int device, int input, int left = 0, int top = 100)
{
    m.SetPilotUsed(s, n, 1);
    m.SetPilotPicture(s, n, 1); // 16 x 16
    m.SetPilotDevice(s, n, device);
    m.SetPilotInput(s, n, input - 1);
    m.SetPilotLeft(s, n, left);
    m.SetPilotTop(s, n, top);
}

inline void slider(modVantile &m, int s, int n, int device, int left = 400, int top = 20)
{
    m.SetSliderPicture(s, n, 1); // 34 x 221
    m.SetSliderDevice(s, n, device);
    m.SetSliderLeft(s, n, left);
    m.SetSliderTop(s, n, top);
}

inline void text(modVantile &m, int s, int n, int type, int device = 0, int left = 200, int top = 200)
{
    m.SetTextType(s, n, type);
    m.SetTextDevice(s, n, device);
    m.SetTextLeft(s, n, left);
    m.SetTextTop(s, n, top);
}

// 480x272 landscape, nodes 01 to 10 (16 devices).
inline void baseProject(modVantile &m)
{
    m.NewProject();
    m.SetNodeRange(15);
}

QObject *newFindingsTest();
QObject *newCommandLineTest();
QObject *newWindowTest();
QObject *newReportTest();
