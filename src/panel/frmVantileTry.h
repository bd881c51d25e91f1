#pragma once

#include "panel/TryScript.h"
#include "panel/VirtualPanel.h"

#include <QWidget>

class FileDialogPrompt;
class MessagePrompt;
class modVantile;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QTableWidget;

// "Try Panel": the project's panel to press through before the card is
// written. The panel's picture at 1:1 or scaled to fit, the mouse as the
// finger; beside it the network, every device of the node range with its
// eight inputs and its level, which can be changed by hand; below, the log
// of every message the panel sends. The log can be saved, and the session
// recorded as a script that "quellix try" plays again.
class frmVantileTry : public QWidget
{
    Q_OBJECT
public:
    frmVantileTry(const modVantile &m, MessagePrompt &messages, FileDialogPrompt &files, QWidget *parent = nullptr);

    VirtualPanel &Panel() { return panel_; }

public slots:
    // Takes up the image as it is now and shows it.
    void Refresh();

    void chkFit_Click();
    void cmdReset_Click();
    void cmdClearLog_Click();
    void cmdSaveLog_Click();
    void cmdRecord_Click();
    void cmdShot_Click();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    class PanelView;
    void showAll();
    void showNetwork();
    void showLog();
    void inputChanged(int row, int column);
    void showRecording();

    MessagePrompt &messages_;
    FileDialogPrompt &files_;
    VirtualPanel panel_;
    TryScript::Recorder recorder_{panel_}; // every touch and change by hand goes through it
    PanelView *picPanel = nullptr;
    QScrollArea *scrPanel = nullptr;
    QLabel *lblScreen = nullptr;
    QCheckBox *chkFit = nullptr;
    QPushButton *cmdReset = nullptr, *cmdClearLog = nullptr, *cmdSaveLog = nullptr, *cmdRecord = nullptr,
                *cmdShot = nullptr;
    QTableWidget *tblNetwork = nullptr;
    QPlainTextEdit *txtLog = nullptr;
    QLabel *lblNotes = nullptr;
    QList<int> shownNodes_;
    qsizetype shownLogLines_ = 0;
    bool showing_ = false; // controls are being set from the panel
};
