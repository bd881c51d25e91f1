// editor-screenshot PROJECT.QXC OUT.png [SCREEN] [--select | --import PICTURE]
// Opens the project through File, Open as a user would, shows the given
// screen (0 = Home) and saves a picture of the whole window; with --select
// of the background selector opened by its Select button instead, with
// --import of the import dialog for PICTURE.
#include "dialogs/frmPictureImport.h"
#include "editor/QtPrompts.h"
#include "editor/frmVantile.h"
#include "model/Settings.h"
#include "model/modVantile.h"
#include "platform/Files.h"
#include "platform/Prompts.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QDialog>
#include <QMetaObject>
#include <QPushButton>
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
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // One font for the main window, the dialogs and the message boxes.
    QApplication::setFont(frmVantile::InterfaceFont());
    QStringList args = QApplication::arguments();
    QString dialogShot; // "select" or the picture to import
    if (const int at = args.indexOf(QStringLiteral("--select")); at > 0) {
        dialogShot = QStringLiteral("select");
        args.removeAt(at);
    } else if (const int from = args.indexOf(QStringLiteral("--import")); from > 0 && from + 1 < args.size()) {
        dialogShot = args[from + 1];
        args.remove(from, 2);
    }
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: editor-screenshot PROJECT.QXC OUT.png [SCREEN] [--select | --import PICTURE]\n");
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
