// Runs arbitrary bytes as a "quellix try" script on the virtual panel of the
// demonstration project: every line either runs or fails with a message,
// and nothing crashes or writes outside the output folder.
#include "model/modVantile.h"
#include "panel/TryScript.h"
#include "panel/VirtualPanel.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace
{
modVantile *project;
QTemporaryDir *folder;
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: libFuzzer leaves through exit(), after Qt's thread
    // storage is gone, and the application's destructor would still reach
    // for the font cache to drop the renderer's own font.
    static const auto *app = new QGuiApplication(*argc, *argv);
    Q_UNUSED(app);
    static modVantile m;
    m.ProjectFileName = QStringLiteral("examples/Demo.QXC");
    if (!m.LoadProject())
        m.NewProject();
    project = &m;
    static QTemporaryDir dir;
    folder = &dir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    VirtualPanel panel(*project);
    const QString script = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<TryScript::Failure> failure = TryScript::Run(panel, script, folder->path());
    if (failure && (failure->line < 1 || failure->message.isEmpty()))
        __builtin_trap();
    // Only plain names reach the folder, and nothing leaves it.
    if (!QDir(folder->path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty())
        __builtin_trap();
    return 0;
}
