// quellix-touch [PROJECT.QXC]: the editor, opening the project when one is named.
#include "editor/Preferences.h"
#include "editor/QtPrompts.h"
#include "editor/frmVantile.h"
#include "model/modVantile.h"
#include "platform/Paths.h"
#include "platform/Version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QIcon>

namespace
{

void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral("Designs the screens of a touch panel."));
    parser.addHelpOption();
    Version::AddOption(parser);
    parser.addPositionalArgument(QStringLiteral("project"), QStringLiteral("A project file (*.QXC) to open."),
                                 QStringLiteral("[PROJECT.QXC]"));
}

// --help and --version are answered on the terminal without a window system
// (which may not be there), like the other programs do.
bool answeredWithoutWindows(int argc, char *argv[])
{
    bool asked = false;
    for (int i = 1; i < argc; ++i)
        for (const char *option : {"-h", "-?", "--help", "--help-all", "-v", "--version"})
            asked = asked || qstrcmp(argv[i], option) == 0;
    if (!asked)
        return false;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ZAV Quellix Touch"));
    QCommandLineParser parser;
    describe(parser);
    parser.process(app); // ends the program on --help
    return Version::Answered(parser);
}

} // namespace

int main(int argc, char *argv[])
{
    if (answeredWithoutWindows(argc, argv))
        return 0;
    QApplication app(argc, argv);
    // One font for the main window, the dialogs and the message boxes.
    QApplication::setFont(frmVantile::InterfaceFont());
    QApplication::setApplicationName(QStringLiteral("ZAV Quellix Touch"));
    // Lets the desktop match the window to its menu entry and icon; desktops
    // that go by the window's own icon get the installed one.
    QApplication::setDesktopFileName(QStringLiteral("com.zav.QuellixTouch"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("com.zav.QuellixTouch")));

    QCommandLineParser parser;
    describe(parser);
    parser.process(app);
    if (Version::Answered(parser))
        return 0;

    // Asked after the window's start-up, which makes the settings file.
    const bool firstStart = Preferences::FirstStart();
    modVantile model;
    QtMessagePrompt messages;
    QtFileDialogPrompt files;
    frmVantile window(model, messages, files);
    messages.SetParent(&window);
    files.SetParent(&window);
    window.show();
    if (firstStart)
        window.GetPreferences().AskKeyScheme();
    if (const QString notice = Paths::TakeNotice(); !notice.isEmpty())
        messages.Show(notice, QStringLiteral("ZAV Quellix Touch"));
    if (const QStringList names = parser.positionalArguments(); !names.isEmpty())
        window.OpenProject(names.first());
    return QApplication::exec();
}
