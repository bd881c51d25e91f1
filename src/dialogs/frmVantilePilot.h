#pragma once

#include <QDialog>

class modVantile;
class EditorHost;
class MessagePrompt;

// Editor of one object (CurrentObject) of the current screen.
class frmVantilePilot : public QDialog
{
    Q_OBJECT
public:
    frmVantilePilot(modVantile &m, EditorHost &host, MessagePrompt &messages, QWidget *parent = nullptr);

private:
    modVantile &m_;
    EditorHost &host_;
    MessagePrompt &messages_;
};
