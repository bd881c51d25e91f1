#pragma once

#include <QDialog>

class modVantile;
class EditorHost;
class MessagePrompt;

// Editor of one object (CurrentObject) of the current screen.
class frmVantileSlider : public QDialog
{
    Q_OBJECT
public:
    frmVantileSlider(modVantile &m, EditorHost &host, MessagePrompt &messages, QWidget *parent = nullptr);

private:
    modVantile &m_;
    EditorHost &host_;
    MessagePrompt &messages_;
};
