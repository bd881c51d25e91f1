#pragma once

#include "dialogs/ObjectEditor.h"

#include <array>

class modVantile;
class EditorHost;
class MessagePrompt;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class PictureLabel;

// "Edit Pilot": edits pilot CurrentObject of the current screen in place.
class frmVantilePilot : public ObjectEditor
{
    Q_OBJECT
public:
    frmVantilePilot(modVantile &m, EditorHost &host, MessagePrompt &messages, QWidget *parent = nullptr);

public slots:
    void done(int result) override;

private:
    void Form_Load();
    void Form_Activate() override;
    void LiveUpdate();

    void cboDevice_Click();
    void cboPilot_Click();
    void cboLeft_Click();
    void cboTop_Click();
    void imgSI_Click(int index);
    void cmdUnused_Click();

    QLabel *lblDevice;
    QComboBox *cboDevice;
    QLabel *lblPilot;
    QComboBox *cboPilot;
    QLabel *lblLeft;
    QComboBox *cboLeft;
    QLabel *lblTop;
    QComboBox *cboTop;
    QPushButton *cmdUnused;
    QPushButton *cmdClose;
    QGroupBox *frmIcons;
    std::array<PictureLabel *, 48> imgSIOn{};
    std::array<PictureLabel *, 48> imgSIOff{};
};
