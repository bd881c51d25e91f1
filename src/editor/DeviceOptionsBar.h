#pragma once

#include <QGroupBox>

#include <array>

class Document;
class MessagePrompt;
class QCheckBox;
class QComboBox;
class QRadioButton;

// The "Device Options" frame of the main window: orientation, node address
// and range, audio, resolution and command set of the panel. Each choice
// is one step of the document (none when it changes nothing); the controls
// show what the image holds.
class DeviceOptionsBar : public QGroupBox
{
    Q_OBJECT
public:
    enum class Option { Orientation, NodeAddress, NodeRange, Beep, Resolution, CommandSet };

    DeviceOptionsBar(Document &document, MessagePrompt &messages, QWidget *parent);

    // The entries of the four lists, the first chosen.
    void FillLists();
    // The controls as the image has them; never a user change.
    void ShowOptions();

signals:
    // The user chose an option; sent before it is stored.
    void Choosing(DeviceOptionsBar::Option option);

private:
    void optLayout_Click(int index);
    void cboQXAddress_Click();
    void cboQXRange_Click();
    void chkBeep_Click();
    void cboScnRes_Click();
    void cboCmdSet_Click();
    void addressRangeChanged(bool address);
    template <class Set> void setOption(const QString &text, Set set);

    Document &document_;
    MessagePrompt &messages_;
    std::array<QRadioButton *, 2> optLayout{};
    QComboBox *cboQXAddress = nullptr, *cboQXRange = nullptr, *cboScnRes = nullptr, *cboCmdSet = nullptr;
    QCheckBox *chkBeep = nullptr;
};
