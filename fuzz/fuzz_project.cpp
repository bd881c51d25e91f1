// Loads arbitrary bytes as a project, then renders a screen of it the way
// the SD compilation does and builds the device data a download would send.
#include "comm/DeviceData.h"
#include "model/modVantile.h"
#include "platform/Prompts.h"
#include "render/ScreenRenderer.h"

#include <QGuiApplication>

#include <cstddef>
#include <cstdint>

namespace
{
class Quiet : public MessagePrompt
{
public:
    using MessagePrompt::Show;
    Answer Show(const QString &, const QString &, Icon, Buttons) override { return Answer::Ok; }
};
} // namespace

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
    modVantile m;
    if (!m.SetProjectBytes(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size))))
        return 0;
    // Picture paths would reach whatever file the bytes name; the picture
    // reader has a fuzz target of its own.
    for (QString &background : m.ScreenBackground) {
        if (!IsColorBackground(background))
            background = QStringLiteral("/nonexistent/background.bmp");
    }
    Quiet quiet;
    ScreenRenderer renderer(m, quiet);
    const int screen = int(size % modVantile::ScreenCount);
    m.SelectScreen(screen);
    renderer.Canvas().Resize(480, 272);
    renderer.RenderIPImage();
    renderer.RenderDLImage();

    ZAVBuild(m);
    if (m.CurrentScreen != screen)
        __builtin_trap(); // the build walks all screens and restores the user's
    const QByteArray stream = DeviceDataStream(m);
    if (stream.size() != modVantile::PanelWords + 128)
        __builtin_trap();
    return 0;
}
