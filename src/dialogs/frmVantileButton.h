#pragma once

#include "dialogs/ObjectEditor.h"
#include "model/ObjectTables.h"

#include <array>

class modVantile;
class EditorHost;
class MessagePrompt;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QGroupBox;
class PictureLabel;

// "Edit Button": edits button CurrentObject of the current screen in place;
// every change reaches the record and the canvas at once.
class frmVantileButton : public ObjectEditor
{
    Q_OBJECT
public:
    frmVantileButton(modVantile &m, EditorHost &host, MessagePrompt &messages, QWidget *parent = nullptr);

    static const QString InputTypeWarning;

public slots:
    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void Form_Activate() override;
    void EnabledShow();
    void LiveUpdate();

    void cboType_Click();
    void cboDevice_Click();
    void cboLeft_Click();
    void cboTop_Click();
    void cboWidth_Click();
    void cboHeight_Click();
    void cboTextColor_Click();
    void txtText_Change();
    void txtPassword_KeyPress(int index, QChar key);
    void imgButton_Click(int index);
    void imgButton_DblClick(int index);
    void cmdNoButton_Click();
    void cmdUnused_Click();

    // Shows a value in a list and runs the list's click handler, as the
    // dialog does whenever it shows a value itself.
    QComboBox *cboType;
    QLabel *lblDevice;
    QComboBox *cboDevice;
    QLabel *lblPassWord;
    std::array<QLineEdit *, ObjectTables::PasswordDigits> txtPassword{};
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
    QLabel *lblFontColor;
    QComboBox *cboTextColor;
    QPushButton *cmdUnused;
    QPushButton *cmdClose;
    QGroupBox *frmButtons;
    QPushButton *cmdNoButton;
    std::array<PictureLabel *, 32> imgButton{};
};
