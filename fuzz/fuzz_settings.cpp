// Feeds arbitrary bytes to the settings file reader and writer: whatever the
// file held, the value written is the value read back, and writing it again
// changes nothing.
#include "model/Settings.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray file(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString section = QStringLiteral("Download");
    const QString key = QStringLiteral("Com Port");
    (void)Settings::ProfileInt(file, section, key, 1);
    const QByteArray written = Settings::WithProfileString(file, section, key, QStringLiteral("7"));
    if (Settings::ProfileInt(written, section, key, -1) != 7)
        __builtin_trap();
    if (Settings::WithProfileString(written, section, key, QStringLiteral("7")) != written)
        __builtin_trap();
    return 0;
}
