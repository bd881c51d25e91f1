#pragma once

#include "model/ObjectTables.h"

#include <QWidget>

// The main window was laid out in twips; one screen pixel is 15 of them.
namespace Twips
{

constexpr int Pixels(int twips)
{
    return twips / ObjectTables::TwipsPerPixel;
}

inline void SetGeometry(QWidget *w, int left, int top, int width, int height)
{
    w->setGeometry(Pixels(left), Pixels(top), Pixels(width), Pixels(height));
}

} // namespace Twips
