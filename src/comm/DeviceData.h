#pragma once

#include <QByteArray>
#include <QString>

class modVantile;

// The device-data build: fills the panel-only fields of all sixteen screens
// and DeviceMap, and leaves the current screen as it was.
void ZAVBuild(modVantile &m);

// The 16 512-byte stream the panel receives: PanelImage words 0 - 16 383
// (each word's low byte) followed by DeviceMap entries 0 - 127.
QByteArray DeviceDataStream(const modVantile &m);

namespace DeviceData
{

constexpr int StreamBytes = 16512;
constexpr int BlockBytes = 64;
constexpr int BlockCount = StreamBytes / BlockBytes; // 258
constexpr int FrameLength = 136;                     // "[01" + 4 + 128 + "]"

// "[01" + four-digit address + 128 upper-case hex digits + "]" for block
// 0 - 257 of a stream of StreamBytes bytes.
QByteArray BlockFrame(const QByteArray &stream, int block);

// The panel's 64-bit checksum of a stream, as sixteen upper-case hex digits,
// most significant byte first.
QString ChecksumText(const QByteArray &stream);

} // namespace DeviceData
