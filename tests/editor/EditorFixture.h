#pragma once

// A main window on scripted prompts in a temporary working folder. Modal
// dialogs never run: the window's dialog hook records them instead.

#include "editor/CanvasControls.h"
#include "editor/frmVantile.h"
#include "model/Settings.h"
#include "model/modVantile.h"
#include "testsupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <functional>
#include <memory>

struct OpenedDialog {
    QString name;
    QPoint pos;
    int currentObject;
};

class Editor
{
public:
    TempHome home;
    modVantile m;
    ScriptedMessages messages;
    ScriptedFileDialogs files;
    QList<OpenedDialog> opened;
    // Runs inside a "modal" dialog, as an editor would while it is open.
    std::function<void(QDialog &)> whileOpen;
    std::unique_ptr<frmVantile> w;

    // Starts the window; anything that must be in place before start-up
    // (a settings file, the desktop size) is done before calling this.
    frmVantile &start(QSize desktop = QSize(1280, 1024))
    {
        w = std::make_unique<frmVantile>(m, messages, files);
        w->SetDesktopSize(desktop);
        w->SetDialogRunner([this](QDialog &dialog) {
            opened.append({dialog.objectName(), dialog.pos(), m.CurrentObject});
            if (whileOpen)
                whileOpen(dialog);
            // Rejected unless the hook closed it otherwise.
            return dialog.result();
        });
        return *w;
    }

    // The window as designed, without the Properties dock beside the canvas
    // (as a user who closed it has it). Before start().
    void designedWindow() const
    {
        QDir().mkpath(home.path());
        Settings::WritePropertiesShown(false);
    }

    template <class T> T *get(const QString &name) const
    {
        T *child = w->findChild<T *>(name);
        if (!child)
            qFatal("no control %s", qPrintable(name));
        return child;
    }
    QAction *action(const QString &name) const { return get<QAction>(name); }
    QLabel *label(const QString &name) const { return get<QLabel>(name); }
    QComboBox *combo(const QString &name) const { return get<QComboBox>(name); }
    CanvasImage *image(const QString &name) const { return get<CanvasImage>(name); }
    CanvasLabel *canvasLabel(const QString &name) const { return get<CanvasLabel>(name); }

    // A user picking an entry of a drop-down list.
    void choose(const QString &name, int index) const
    {
        QComboBox *box = combo(name);
        box->setCurrentIndex(index);
        emit box->activated(index);
    }

    // The changed mark, and the steps on the undo stack.
    bool changed() const { return w->GetDocument().ProjectChanged(); }
    int steps() const { return w->GetDocument().UndoStack().count(); }
    // A change as a user makes one: the audio option clicked.
    void change() const { get<QCheckBox>(QStringLiteral("chkBeep"))->click(); }

    QColor lineColor(const QString &name) const { return label(name)->palette().color(QPalette::Window); }

    QString settingsFile() const { return home.path() + QStringLiteral("/ZAV Quellix Touch.ini"); }
};

// Pixels of a length in twips.
constexpr int px(int twips)
{
    return twips / 15;
}
