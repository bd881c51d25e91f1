#pragma once

#include <QDialog>

class modVantile;
class MessagePrompt;

// The communications dialog: COM port, download, firmware revision.
class frmVantileComm : public QDialog
{
    Q_OBJECT
public:
    frmVantileComm(modVantile &m, MessagePrompt &messages, QWidget *parent = nullptr);

private:
    modVantile &m_;
    MessagePrompt &messages_;
};
