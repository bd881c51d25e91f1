#include "platform/Version.h"

#include "QuellixVersion.h"

#include <QCommandLineParser>
#include <QtGlobal>

#include <cstdio>

namespace Version
{

namespace
{
const QString VersionOption = QStringLiteral("version");

QString compiler()
{
#if defined(__clang__)
    return QStringLiteral("Clang " __clang_version__);
#elif defined(__GNUC__)
    return QStringLiteral("GCC " __VERSION__);
#elif defined(_MSC_VER)
    return QStringLiteral("MSVC %1").arg(_MSC_VER);
#else
    return QStringLiteral("an unknown compiler");
#endif
}
} // namespace

QString Number()
{
    return QStringLiteral(QUELLIX_VERSION);
}

QString Text()
{
    return QStringLiteral("ZAV Quellix Touch ") + Number();
}

QString Build()
{
    const QString type = QStringLiteral(QUELLIX_BUILD_TYPE);
    return QStringLiteral("Qt %1 (built with %2), %3%4")
        .arg(QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR), compiler(),
             type.isEmpty() ? QString() : QStringLiteral(", ") + type + QStringLiteral(" build"));
}

void AddOption(QCommandLineParser &parser)
{
    parser.addOption(QCommandLineOption(VersionOption, QStringLiteral("Print the version and end.")));
}

bool Answered(const QCommandLineParser &parser)
{
    if (!parser.isSet(VersionOption))
        return false;
    Print();
    return true;
}

bool IsVersionArgument(const QString &argument)
{
    return argument == QLatin1String("--") + VersionOption;
}

void Print()
{
    std::fputs(qPrintable(Text() + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

} // namespace Version
