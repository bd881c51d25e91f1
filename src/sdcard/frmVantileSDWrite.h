#pragma once

#include "sdcard/modVantileSDWrite.h"

#include <QDialog>

#include <array>
#include <cstdint>

class modVantile;
class MessagePrompt;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;

// The SD writer: lists the drives D: to O:, checks the chosen card for a
// partition table (and clears it), and writes the picture catalogue and, for
// "ZAV Cmd", the configuration data onto the raw card.
//
// The main window runs the picture compilation first, then:
//     frmVantileSDWrite dialog(image, messages, this);
//     dialog.exec();
class frmVantileSDWrite : public QDialog
{
    Q_OBJECT
public:
    static constexpr int DriveOptions = 12;

    frmVantileSDWrite(modVantile &m, MessagePrompt &messages, QWidget *parent = nullptr);
    ~frmVantileSDWrite() override;

    // --- form state ----------------------------------------------------------
    std::array<bool, 13> DriveUsable{};
    std::array<int16_t, 13> PhysDrive{};
    int SelDrive = 0;
    int WriteType = 0;
    bool WriteCancelled = false;
    bool Running() const { return running_; }
    modVantileSDWrite &SDWrite() { return sd_; }

    // --- controls ------------------------------------------------------------
    std::array<QRadioButton *, DriveOptions> optDrive{};
    QLabel *lblDspDim = nullptr;
    QPushButton *cmdCompileAll = nullptr;
    QLabel *lblFiles = nullptr;
    QProgressBar *pbFiles = nullptr;
    QPushButton *cmdCancel = nullptr;
    QCheckBox *chkActiveOnly = nullptr;
    QPushButton *cmdClose = nullptr;
    QLabel *lblWarning = nullptr;

    static QString DisplayCaption(int writeType);

public slots:
    void optDrive_Click(int index);
    void cmdCompileAll_Click();
    void cmdCancel_Click();
    void chkActiveOnly_Click();
    void cmdClose_Click();
    void FindDrives();
    // Writes the chosen slots and the data area through the open volume.
    modVantileSDWrite::RunResult CompileAll();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void Form_Load();
    void buildControls();
    void RestoreDialog();
    void writeRun();
    // Unmounts the card's file systems; false (after telling the user) when one stays.
    bool unmountCard(const QString &device);

    modVantile &m_;
    MessagePrompt &messages_;
    modVantileSDWrite sd_;
    QButtonGroup *driveGroup_ = nullptr;
    bool running_ = false;
    bool closeAfterRun_ = false;
    bool centred_ = false;
};
