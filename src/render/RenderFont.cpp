#include "render/RenderFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace
{

QString loadFonts()
{
    QString family;
    for (const char *file : {":/fonts/LiberationSans-Regular.ttf", ":/fonts/LiberationSans-Bold.ttf"}) {
        const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(file));
        if (family.isEmpty() && id >= 0)
            family = QFontDatabase::applicationFontFamilies(id).value(0);
    }
    // Without the resource the system's Arial is the next best thing.
    return family.isEmpty() ? QStringLiteral("Arial") : family;
}

} // namespace

QString RenderFontFamily()
{
    // The resource lives in a static library: its registration must be asked for.
    static const QString family = [] {
        Q_INIT_RESOURCE(renderfonts);
        return loadFonts();
    }();
    return family;
}
