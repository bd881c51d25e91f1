#pragma once

#include <QImage>
#include <QRgb>

#include <cstdint>

// The panel's colours: 16 bits a pixel, 5 for red, 6 for green and 5 for
// blue. The card's picture conversion and every preview of what the panel
// shows take their colours from here.
namespace PanelColour
{

// The panel's colour of a 24-bit one: the top bits of each channel.
constexpr uint16_t FromRgb(uint8_t red, uint8_t green, uint8_t blue)
{
    return uint16_t((red >> 3) << 11 | (green >> 2) << 5 | (blue >> 3));
}

// How the panel shows one of its colours, in 24 bits: each channel's bits
// repeated from the top (31 of red is 255, 16 is 132).
constexpr QRgb ToRgb(uint16_t colour)
{
    const unsigned red = colour >> 11, green = (colour >> 5) & 0x3F, blue = colour & 0x1F;
    return qRgb(int(red << 3 | red >> 2), int(green << 2 | green >> 4), int(blue << 3 | blue >> 2));
}

// A picture as the panel shows it: every pixel through FromRgb and ToRgb.
// An opaque picture (RGB32) of the same size.
QImage AsPanelShows(const QImage &picture);

} // namespace PanelColour
