#pragma once

#include <QByteArray>

class modVantile;

// The device-data build: fills the panel-only fields of all sixteen screens
// and DeviceMap, and leaves the current screen as it was.
void ZAVBuild(modVantile &m);

// The 16 512-byte stream the panel receives: PanelImage words 0 - 16 383
// (each word's low byte) followed by DeviceMap entries 0 - 127.
QByteArray DeviceDataStream(const modVantile &m);
