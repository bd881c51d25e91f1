#pragma once

#include "platform/Drives.h"
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
    // What each option stood for when the list was made: the write checks
    // that the chosen disk is still that disk.
    std::array<Drives::Letter, 13> DriveDetails{};
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
    // Makes the list again when disks came or went; a chosen drive that is
    // still the same disk stays chosen. Runs every two seconds while no
    // write runs.
    void RefreshDrives();
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
    // True when the chosen disk is still the one the list showed; otherwise
    // says so, makes the list again and leaves nothing chosen.
    bool stillChosen(const Drives::Letter &chosen);
    void driveListChanged(const QString &why);
    // A drive that did not open: `what` and the reason, or the changed list
    // when the disk is no longer the one chosen.
    void openFailed(const QString &what, const QString &why, bool diskChanged);
    static QString driveSignature(const QList<Drives::Letter> &letters);

    modVantile &m_;
    MessagePrompt &messages_;
    modVantileSDWrite sd_;
    QButtonGroup *driveGroup_ = nullptr;
    bool running_ = false;
    bool closeAfterRun_ = false;
    bool centred_ = false;
    QString listedSignature_;
};
