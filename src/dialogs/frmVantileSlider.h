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

// "Edit Slider": edits slider CurrentObject of the current screen in place.
class frmVantileSlider : public ObjectEditor
{
    Q_OBJECT
public:
    frmVantileSlider(modVantile &m, EditorHost &host, MessagePrompt &messages, QWidget *parent = nullptr);

public slots:
    void done(int result) override;

private:
    void Form_Load();
    void Form_Activate() override;
    void LiveUpdate();

    void cboDevice_Click();
    void cboLeft_Click();
    void cboTop_Click();
    void imgSlider_Click(int index);
    void cmdUnused_Click();

    QLabel *lblDevice;
    QComboBox *cboDevice;
    QLabel *lblLeft;
    QComboBox *cboLeft;
    QLabel *lblTop;
    QComboBox *cboTop;
    QPushButton *cmdUnused;
    QPushButton *cmdClose;
    QGroupBox *frmSlidders;
    std::array<PictureLabel *, 6> imgSlider{};
    std::array<QLabel *, 6> imgSliderRender{};
};
