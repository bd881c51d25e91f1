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

// "Edit Slider": edits slider CurrentObject of the current screen in place.
class frmVantileSlider : public QDialog
{
    Q_OBJECT
public:
    frmVantileSlider(modVantile &m, EditorHost &host, MessagePrompt &messages, QWidget *parent = nullptr);

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Form_Load();
    void Form_Activate();
    void LiveUpdate();

    void cboDevice_Click();
    void cboLeft_Click();
    void cboTop_Click();
    void imgSlider_Click(int index);
    void cmdUnused_Click();

    void showEntry(QComboBox *box, int index, void (frmVantileSlider::*handler)());

    modVantile &m_;
    EditorHost &host_;
    MessagePrompt &messages_;
    int object_;
    bool activating_ = false;
    bool activated_ = false;

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
