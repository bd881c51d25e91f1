// Feeds arbitrary bytes to the project and screen file readers, then uses
// the loaded image the way the editor does.
#include "model/modVantile.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static modVantile m;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    m.NewProject();
    if (m.SetProjectBytes(bytes)) {
        // Writing back must give the same leading bytes that were read.
        const QByteArray again = m.ProjectBytes();
        if (again.size() > bytes.size() || bytes.left(again.size()) != again)
            __builtin_trap();
    }
    for (int s = 0; s < modVantile::ScreenCount; ++s) {
        m.SelectScreen(s);
        for (int n = 0; n < modVantile::ButtonCount; ++n) {
            (void)m.GetButtonText(n);
            (void)m.GetButtonPassword(n);
            (void)m.GetButtonLeft(n);
        }
        for (int n = 0; n < modVantile::TextCount; ++n)
            (void)m.GetTextString(n);
        (void)BackgroundColorValue(m.ScreenBackground[s]);
    }

    m.SelectScreen(int(size % 16));
    if (m.SetScreenBytes(bytes))
        (void)m.ScreenBytes();
    return 0;
}
