#include "comm/DeviceData.h"

#include "model/modVantile.h"

void ZAVBuild(modVantile &m)
{
    // Placeholder until the device-data build lands.
    m.DeviceMap.fill(0);
}

QByteArray DeviceDataStream(const modVantile &m)
{
    QByteArray stream;
    stream.reserve(modVantile::PanelWords + 128);
    for (int16_t w : m.PanelImage)
        stream.append(char(w & 0xFF));
    for (int16_t w : m.DeviceMap)
        stream.append(char(w & 0xFF));
    return stream;
}
