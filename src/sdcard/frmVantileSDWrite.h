#pragma once

#include <QDialog>

class modVantile;
class MessagePrompt;

// The SD writer: drive list, partition check, writing the card.
class frmVantileSDWrite : public QDialog
{
    Q_OBJECT
public:
    frmVantileSDWrite(modVantile &m, MessagePrompt &messages, QWidget *parent = nullptr);

private:
    modVantile &m_;
    MessagePrompt &messages_;
};
