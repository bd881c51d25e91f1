#include "editor/QtPrompts.h"
#include "editor/frmVantile.h"
#include "model/modVantile.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZAV Quellix Touch"));
    // Lets the desktop match the window to its menu entry and icon.
    QApplication::setDesktopFileName(QStringLiteral("com.zav.QuellixTouch"));

    modVantile model;
    QtMessagePrompt messages;
    QtFileDialogPrompt files;
    frmVantile window(model, messages, files);
    messages.SetParent(&window);
    files.SetParent(&window);
    window.show();
    return QApplication::exec();
}
