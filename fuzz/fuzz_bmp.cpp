// Feeds arbitrary bytes to the two picture readers: the SD compilation's
// BMP conversion and the background picture reader of the renderer (and the
// check's test of it).
#include "render/BackgroundPictureFile.h"
#include "sdcard/modVantileSDWrite.h"

#include <QGuiApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: libFuzzer leaves through exit(), after Qt's thread
    // storage is gone, and the application's destructor would still reach
    // for the font cache to drop the renderer's own font.
    static const auto *app = new QGuiApplication(*argc, *argv);
    Q_UNUSED(app);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The slot sizes of the catalogue, from the digit's 1 sector to a screen's 1501.
    static const int slotSectors[] = {1, 7, 29, 511, 1501};
    std::vector<uint16_t> words;
    for (const int sectors : slotSectors) {
        for (const bool header : {true, false}) {
            if (!modVantileSDWrite::ConvertBmp(data, size, header, sectors, words))
                continue;
            const QByteArray sectorBytes = modVantileSDWrite::SectorsOf(words.data(), int(words.size()));
            if (sectorBytes.size() > qsizetype(sectors) * modVantileSDWrite::SectorSize)
                __builtin_trap();
        }
    }
    // A picture is accepted only when every pixel comes from the file: the
    // same bytes always give the same picture.
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QImage first = BackgroundPictureFile::Decode(bytes);
    if (!first.isNull() && first != BackgroundPictureFile::Decode(bytes))
        __builtin_trap();
    // The check's quicker test agrees with the whole one.
    if (BackgroundPictureFile::DecodesWhole(bytes) == first.isNull())
        __builtin_trap();
    return 0;
}
