#include "comm/DeviceData.h"

#include "assets/ObjectPictures.h"
#include "model/modVantile.h"

#include <cstdint>

namespace DeviceData
{

QByteArray BlockFrame(const QByteArray &stream, int block)
{
    static const char digits[] = "0123456789ABCDEF";
    QByteArray frame;
    frame.reserve(FrameLength);
    frame.append("[01");
    const int address = block * BlockBytes;
    for (int shift = 12; shift >= 0; shift -= 4)
        frame.append(digits[(address >> shift) & 0xF]);
    for (int i = 0; i < BlockBytes; ++i) {
        const int index = block * BlockBytes + i;
        const auto v = uint8_t(index < stream.size() ? stream[index] : 0);
        frame.append(digits[v >> 4]);
        frame.append(digits[v & 0xF]);
    }
    frame.append(']');
    return frame;
}

QString ChecksumText(const QByteArray &stream)
{
    // c7 is the top byte of the register and c0 the bottom byte; one shift per
    // data byte is what the panel computes.
    constexpr uint64_t Polynomial = 0xEFF5A0A1EFF5A0A1ULL;
    uint64_t c = ~uint64_t(0);
    for (char byte : stream) {
        c ^= uint8_t(byte);
        const bool low = c & 1;
        c >>= 1;
        if (low)
            c ^= Polynomial;
    }
    return QStringLiteral("%1").arg(c, 16, 16, QLatin1Char('0')).toUpper();
}

} // namespace DeviceData

void ZAVBuild(modVantile &m)
{
    using RecordSchema::ClampEdge;
    m.DeviceMap.fill(0);

    const modVantile::ScreenWalk walk(m);
    for (int s = 0; s < modVantile::ScreenCount; ++s) {
        m.SelectScreen(s);
        for (int b = 0; b < modVantile::ButtonCount; ++b) {
            m.SetButtonRight(b, ClampEdge(m.GetButtonLeft(b) + m.GetButtonWidth(b) - 1));
            m.SetButtonBottom(b, ClampEdge(m.GetButtonTop(b) + m.GetButtonHeight(b) - 1));
        }
        for (int n = 0; n < modVantile::SliderCount; ++n) {
            const int picture = m.GetSliderPicture(n);
            // A picture number beyond the six styles (a damaged file) has no
            // size to take: the stored size stays.
            if (picture >= 1 && picture <= ObjectPictures::SliderStyleCount) {
                const QSize size = ObjectPictures::SliderPictureSize(picture - 1);
                m.SetSliderWidth(n, size.width());
                m.SetSliderHeight(n, size.height());
            }
            m.SetSliderRight(n, ClampEdge(m.GetSliderLeft(n) + m.GetSliderWidth(n) - 1));
            m.SetSliderBottom(n, ClampEdge(m.GetSliderTop(n) + m.GetSliderHeight(n) - 1));
        }
        for (int t = 0; t < modVantile::TextCount; ++t)
            m.SetTextPanelFont(t, m.GetTextFontSize(t));

        // Device offsets come straight from the image; a negative one (a
        // damaged file) names no device. The second table marks a slider's
        // device whole and, per device, the inputs buttons switch on or off.
        constexpr int Switched = ObjectTables::DeviceCount;
        for (int n = 0; n < modVantile::SliderCount; ++n) {
            const int d = m.GetSliderDevice(n);
            if (m.GetSliderPicture(n) > 0 && d >= 0 && d < ObjectTables::DeviceCount) {
                m.DeviceMap[size_t(d)] = 255;
                m.DeviceMap[size_t(Switched + d)] = 255;
            }
        }
        for (int b = 0; b < modVantile::ButtonCount; ++b) {
            const ObjectTables::ButtonFunction f = ObjectTables::DecodeButton(m.GetButtonType(b));
            const int d = m.GetButtonDevice(b);
            if (ObjectTables::IsSwitchAction(f.action) && d >= 0 && d < ObjectTables::DeviceCount)
                m.DeviceMap[size_t(Switched + d)] = int16_t(m.DeviceMap[size_t(Switched + d)] | (1 << (f.input - 1)));
        }
    }
}

QByteArray DeviceDataStream(const modVantile &m)
{
    QByteArray stream;
    stream.reserve(DeviceData::StreamBytes);
    for (int16_t w : m.PanelImage)
        stream.append(char(w & 0xFF));
    for (int16_t w : m.DeviceMap)
        stream.append(char(w & 0xFF));
    return stream;
}
