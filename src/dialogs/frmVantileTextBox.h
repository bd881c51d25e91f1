#pragma once

#include "dialogs/ObjectEditor.h"
#include <QSize>

class modVantile;
class EditorHost;
class MessagePrompt;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Edit Text / Bar Graph": edits text object CurrentObject of the current
// screen in place. Value boxes and bar graphs take their text, colour and
// size from their type and font size.
class frmVantileTextBox : public ObjectEditor
{
    Q_OBJECT
public:
    frmVantileTextBox(modVantile &m, EditorHost &host, MessagePrompt &messages, QWidget *parent = nullptr);

public slots:
    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void Form_Activate() override;
    void LiveUpdate();

    void cboType_Click();
    void cboFontSize_Click();
    void cboLeft_Click();
    void cboTop_Click();
    void cboWidth_Click();
    void cboHeight_Click();
    void cboSldDev_Click();
    void cboTextColor_Click();
    void txtText_Change();
    void cmdUnused_Click();

    void showText(const QString &text);
    void showDerived();

    QComboBox *cboType;
    QLabel *lblLeft;
    QComboBox *cboLeft;
    QLabel *lblTop;
    QComboBox *cboTop;
    QLabel *lblWidth;
    QComboBox *cboWidth;
    QLabel *lblHeight;
    QComboBox *cboHeight;
    QLabel *lblText;
    QLineEdit *txtText;
    QLabel *lblFontSize;
    QComboBox *cboFontSize;
    QLabel *lblSldDev;
    QComboBox *cboSldDev;
    QLabel *lblFontColor;
    QComboBox *cboTextColor;
    QPushButton *cmdUnused;
    QPushButton *cmdClose;
};
