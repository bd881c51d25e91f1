#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class HelpWindow;
class QDialog;
class QMenu;
class QWidget;
class frmVantile;

// The Help menu: the user guide, help on the window in front (F1, in every
// window and dialog of the editor), the keyboard shortcuts of the scheme in
// use, and About.
class HelpActions : public QObject
{
    Q_OBJECT
public:
    // Where F1 opens the guide: a window's object name and the guide's
    // anchor for it.
    struct Context {
        const char *window;
        const char *anchor;
    };
    static const QList<Context> &ContextTable();
    // The anchor for `window` (or the nearest of its parents in the table);
    // empty for the guide's contents.
    static QString AnchorFor(const QWidget *window);

    // `runDialog` runs a modal dialog of the window and gives its result.
    HelpActions(frmVantile &window, std::function<int(QDialog &)> runDialog);

    void BuildMenu(QMenu *help);

    // The guide at the section for `window`. Another window or a dialog
    // keeps a guide of its own: nothing outside a modal dialog can be used
    // while it is open.
    HelpWindow *ShowHelp(const QWidget *window);
    HelpWindow *ShowGuide(const QString &anchor);
    void mnuShortcuts_Click();
    void mnuAbout_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool ownWindow(const QWidget *window) const;

    frmVantile &window_;
    std::function<int(QDialog &)> runDialog_;
    QPointer<HelpWindow> guide_;
    QPointer<QDialog> shortcuts_;
};
