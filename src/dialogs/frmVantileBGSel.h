#pragma once

#include <QDialog>

class modVantile;
class EditorHost;
class MessagePrompt;
class FileDialogPrompt;

// Background of the current screen: a BMP picture or a solid colour.
class frmVantileBGSel : public QDialog
{
    Q_OBJECT
public:
    frmVantileBGSel(modVantile &m, EditorHost &host, MessagePrompt &messages, FileDialogPrompt &files,
                    QWidget *parent = nullptr);

private:
    modVantile &m_;
    EditorHost &host_;
    MessagePrompt &messages_;
    FileDialogPrompt &files_;
};
