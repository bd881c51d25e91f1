#pragma once

#include "comm/PanelProtocol.h"
#include "comm/SerialLine.h"

#include <QDialog>

class modVantile;
class MessagePrompt;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;

// The communications dialog: COM port, download, firmware revision. The
// serial exchanges run to their end without giving the window a turn; the
// controls are disabled meanwhile and only the progress bar moves.
class frmVantileComm : public QDialog
{
    Q_OBJECT
public:
    frmVantileComm(modVantile &m, MessagePrompt &messages, QWidget *parent = nullptr);
    ~frmVantileComm() override;

    // Program, Download Settings: refuses for "ZAV Cmd", else runs the dialog
    // modally.
    static void OpenFromMenu(modVantile &m, MessagePrompt &messages, QWidget *parent = nullptr);

    // The port number of comDev (1 - 8) and whether the line is open.
    int PortNumber() const { return portNumber_; }
    bool PortOpen() const { return comDev.IsOpen(); }

public slots:
    void cboComPort_Click();
    void cmdDownload_Click();
    void cmdFirmRev_Click();
    void cmdClose_Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Form_Load();
    bool openPort(QString *why);
    void setControlsEnabled(bool enabled);
    void paintNow();

    modVantile &m_;
    MessagePrompt &messages_;

    QComboBox *cboComPort = nullptr;
    QPushButton *cmdDownload = nullptr;
    QLabel *lblNote[2] = {nullptr, nullptr};
    QProgressBar *pbDL = nullptr;
    QPushButton *cmdFirmRev = nullptr;
    QPushButton *cmdClose = nullptr;

    SerialLine comDev;
    PanelExchange exchange_{comDev};
    int portNumber_ = 1;
    bool centred_ = false;
};
