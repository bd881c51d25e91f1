#pragma once

#include <QDialog>

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
class frmVantilePilot : public QDialog
{
    Q_OBJECT
public:
    frmVantilePilot(modVantile &m, EditorHost &host, MessagePrompt &messages, QWidget *parent = nullptr);

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Form_Load();
    void Form_Activate();
    void LiveUpdate();

    void cboDevice_Click();
    void cboPilot_Click();
    void cboLeft_Click();
    void cboTop_Click();
    void imgSI_Click(int index);
    void cmdUnused_Click();

    void showEntry(QComboBox *box, int index, void (frmVantilePilot::*handler)());

    modVantile &m_;
    EditorHost &host_;
    MessagePrompt &messages_;
    int object_;
    bool activating_ = false;
    bool activated_ = false;

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
