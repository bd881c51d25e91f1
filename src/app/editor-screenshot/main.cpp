// editor-screenshot PROJECT.QXC OUT.png [SCREEN]
// Opens the project through File, Open as a user would, shows the given
// screen (0 = Home) and saves a picture of the whole window.
#include "editor/QtPrompts.h"
#include "editor/frmVantile.h"
#include "model/modVantile.h"
#include "platform/Files.h"
#include "platform/Prompts.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QMetaObject>
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
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // One font for the main window, the dialogs and the message boxes.
    QApplication::setFont(frmVantile::InterfaceFont());
    const QStringList args = QApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: editor-screenshot PROJECT.QXC OUT.png [SCREEN]\n");
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
    QTimer::singleShot(500, &window, [&] {
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        QString reason;
        if (!window.grab().save(&png, "PNG") || !Files::Write(args[2], png.data(), &reason)) {
            std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(args[2]), qPrintable(reason));
            result = 1;
        }
        QApplication::quit();
    });
    QApplication::exec();
    return result;
}
