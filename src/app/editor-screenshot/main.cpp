// editor-screenshot PROJECT.QXC OUT.png [SCREEN] [--select | --import PICTURE]
// Opens the project through File, Open as a user would, shows the given
// screen (0 = Home) and saves a picture of the whole window; with --select
// of the background selector opened by its Select button instead, with
// --import of the import dialog for PICTURE.
//
// editor-screenshot --guide PROJECT.QXC FOLDER
// Makes the pictures of the user guide (docs/guide/images) the same way:
// the window, its dialogs as their menu items open them, and the windows
// beside it. Run it with QUELLIX_HOME pointing at an empty folder, so that
// the pictures show a first start (scripts/make-guide-pictures.sh).
#include "dialogs/frmPictureImport.h"
#include "editor/Preferences.h"
#include "editor/QtPrompts.h"
#include "editor/frmVantile.h"
#include "model/Settings.h"
#include "model/modVantile.h"
#include "platform/Files.h"
#include "platform/Prompts.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QMetaObject>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <cstdio>

namespace
{
class ChosenFile : public FileDialogPrompt
{
public:
    explicit ChosenFile(QString path) : path_(std::move(path)) {}
    QString ShowOpen(const QString &, const QString &) override { return path_; }
    QString ShowSave(const QString &, const QString &, const QString &) override { return {}; }

private:
    QString path_;
};
QSize screenSize(const modVantile &m)
{
    const Settings::PanelSize panel = Settings::ScreenSize(m.GetResolution(), m.GetLayout());
    return {panel.width, panel.height};
}

// A box would wait for a user who is not there: it is told on stderr.
class TellingMessages : public MessagePrompt
{
public:
    using MessagePrompt::Show;
    Answer Show(const QString &text, const QString &title, Icon, Buttons buttons) override
    {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
        return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::No : Answer::Cancel;
    }
};

bool savePicture(QWidget &widget, const QString &path)
{
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    QString reason;
    if (widget.grab().save(&png, "PNG") && Files::Write(path, png.data(), &reason))
        return true;
    std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(reason));
    return false;
}

// Lets the window settle (layouts, pictures drawn on show) before a picture.
void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

int guidePictures(const QString &project, const QString &folder)
{
    modVantile model;
    TellingMessages messages;
    ChosenFile files(project);
    frmVantile window(model, messages, files);
    // The pictures show the window as on a common desktop, whatever the screen it is made on.
    window.SetDesktopSize(QSize(1280, 1024));
    bool ok = true;
    auto picture = [&](QWidget &widget, const char *name) {
        settle();
        ok = savePicture(widget, folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png")) && ok;
    };
    // Each dialog is photographed where it would wait for the user, and closed.
    const char *dialogName = nullptr;
    window.SetDialogRunner([&](QDialog &dialog) {
        dialog.show();
        if (dialogName)
            picture(dialog, dialogName);
        dialog.hide();
        return int(QDialog::Rejected);
    });
    auto runDialog = [&](const char *name, const std::function<void()> &open) {
        dialogName = name;
        open();
        dialogName = nullptr;
    };
    auto trigger = [&](const char *action) { window.findChild<QAction *>(QLatin1String(action))->trigger(); };

    window.show();
    runDialog("key-scheme", [&] { window.GetPreferences().AskKeyScheme(); });
    window.mnuFileOpen_Click();
    picture(window, "editor");
    runDialog("preferences", [&] { trigger("mnuPreferences"); });
    runDialog("download", [&] { trigger("mnuDownload"); });

    auto *screens = window.findChild<QComboBox *>(QStringLiteral("cboScreenNumber"));
    screens->setCurrentIndex(1);
    window.cboScreenNumber_Click();
    window.Select(ObjectTables::ObjectKind::Button, 0);
    picture(window, "editor-room");
    runDialog("button-editor", [&] { window.cmdBEdit_Click(0); });

    const struct {
        const char *action;
        const char *window;
        const char *picture;
    } windows[] = {{"mnuTryPanel", "frmVantileTry", "try-panel"},
                   {"mnuCheckProject", "frmProjectCheck", "check"},
                   {"mnuFunctionMap", "frmFunctionMap", "function-map"},
                   {"mnuShortcuts", "frmShortcuts", "shortcuts"}};
    for (const auto &w : windows) {
        trigger(w.action);
        QWidget *shown = window.findChild<QWidget *>(QLatin1String(w.window));
        // The check runs beside the window: give it time for its findings.
        QElapsedTimer waited;
        waited.start();
        while (shown && qstrcmp(w.window, "frmProjectCheck") == 0 && waited.elapsed() < 3000) {
            QApplication::processEvents();
            QThread::msleep(20);
        }
        if (!shown) {
            std::fprintf(stderr, "no window %s\n", w.window);
            ok = false;
            continue;
        }
        picture(*shown, w.picture);
        shown->close();
    }
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // One font for the main window, the dialogs and the message boxes.
    QApplication::setFont(frmVantile::InterfaceFont());
    QStringList args = QApplication::arguments();
    if (args.size() == 4 && args[1] == QLatin1String("--guide"))
        return guidePictures(args[2], args[3]);
    QString dialogShot; // "select" or the picture to import
    if (const int at = args.indexOf(QStringLiteral("--select")); at > 0) {
        dialogShot = QStringLiteral("select");
        args.removeAt(at);
    } else if (const int from = args.indexOf(QStringLiteral("--import")); from > 0 && from + 1 < args.size()) {
        dialogShot = args[from + 1];
        args.remove(from, 2);
    }
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: editor-screenshot PROJECT.QXC OUT.png [SCREEN] [--select | --import PICTURE]\n"
                             "       editor-screenshot --guide PROJECT.QXC FOLDER\n");
        return 2;
    }
    modVantile model;
    QtMessagePrompt messages;
    ChosenFile files(args[1]);
    frmVantile window(model, messages, files);
    window.show();
    window.mnuFileOpen_Click();
    if (args.size() > 3) {
        auto *screens = window.findChild<QComboBox *>(QStringLiteral("cboScreenNumber"));
        screens->setCurrentIndex(args[3].toInt());
        window.cboScreenNumber_Click();
    }
    int result = 0;
    const auto save = [&](QWidget &shown) {
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        QString reason;
        if (!shown.grab().save(&png, "PNG") || !Files::Write(args[2], png.data(), &reason)) {
            std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(args[2]), qPrintable(reason));
            result = 1;
        }
    };
    if (!dialogShot.isEmpty()) {
        // The dialog shown for a moment, its picture taken, then closed.
        const auto shoot = [&](QDialog &dialog) {
            dialog.show();
            QTimer::singleShot(800, &dialog, [&] {
                save(dialog);
                dialog.reject();
            });
            return dialog.exec();
        };
        window.SetDialogRunner(shoot);
        QTimer::singleShot(300, &window, [&] {
            if (dialogShot == QStringLiteral("select"))
                window.findChild<QPushButton *>(QStringLiteral("cmdBGSel"))->click();
            else
                frmPictureImport::Import(dialogShot, screenSize(model), messages, shoot, &window);
            QApplication::quit();
        });
        QApplication::exec();
        return result;
    }
    QTimer::singleShot(500, &window, [&] {
        save(window);
        QApplication::quit();
    });
    QApplication::exec();
    return result;
}
