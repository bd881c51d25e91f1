#include "sdcard/frmVantileSDWrite.h"

#include "model/modVantile.h"
#include "platform/Drives.h"
#include "platform/Prompts.h"
#include "platform/Support.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace
{

const QString CrLf = QStringLiteral("\r\n");
const QString WriteDataTitle = QStringLiteral("Write Data");

// Twips to pixels: the form is laid out in twips, 15 to a pixel.
QRect twips(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

void setBackground(QWidget *w, QColor colour)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, colour);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

} // namespace

frmVantileSDWrite::frmVantileSDWrite(modVantile &m, MessagePrompt &messages, QWidget *parent)
    : QDialog(parent), m_(m), messages_(messages), sd_()
{
    setObjectName(QStringLiteral("frmVantileSDWrite"));
    buildControls();
    Form_Load();
}

frmVantileSDWrite::~frmVantileSDWrite() = default;

void frmVantileSDWrite::buildControls()
{
    setWindowTitle(QStringLiteral("ZAV Quellix Touch SD Card Writer"));
    setFixedSize(10215 / 15, 4935 / 15);
    setBackground(this, QColor(0xE0, 0xE0, 0xE0));
    // The form was laid out for a small 8-point system font; keep its texts inside their controls.
    QFont small = font();
    small.setPixelSize(10);
    setFont(small);

    driveGroup_ = new QButtonGroup(this);
    for (int k = 0; k < DriveOptions; ++k) {
        auto *opt = new QRadioButton(QStringLiteral("%1:").arg(QChar('D' + k)), this);
        opt->setObjectName(QStringLiteral("optDrive_%1").arg(k));
        opt->setGeometry(twips(k < 6 ? 240 : 3840, 240 + (k % 6) * 360, 3375, 255));
        opt->setEnabled(false);
        driveGroup_->addButton(opt, k);
        connect(opt, &QRadioButton::clicked, this, [this, k] { optDrive_Click(k); });
        optDrive[size_t(k)] = opt;
    }

    lblDspDim = new QLabel(this);
    lblDspDim->setObjectName(QStringLiteral("lblDspDim"));
    lblDspDim->setGeometry(twips(7680, 600, 2295, 255));
    setBackground(lblDspDim, Qt::white);

    cmdCompileAll = new QPushButton(QStringLiteral("Write To SD Card"), this);
    cmdCompileAll->setObjectName(QStringLiteral("cmdCompileAll"));
    cmdCompileAll->setGeometry(twips(120, 2520, 1575, 420));
    cmdCompileAll->setEnabled(false);
    cmdCompileAll->setAutoDefault(false);
    connect(cmdCompileAll, &QPushButton::clicked, this, &frmVantileSDWrite::cmdCompileAll_Click);

    lblFiles = new QLabel(this);
    lblFiles->setObjectName(QStringLiteral("lblFiles"));
    lblFiles->setGeometry(twips(1800, 2520, 8295, 255));
    setBackground(lblFiles, QColor(192, 255, 255));

    pbFiles = new QProgressBar(this);
    pbFiles->setObjectName(QStringLiteral("pbFiles"));
    pbFiles->setGeometry(twips(1800, 2760, 8295, 195));
    pbFiles->setRange(0, modVantileSDWrite::SlotCount - 1);
    pbFiles->setValue(0);
    pbFiles->setTextVisible(false);

    cmdCancel = new QPushButton(QStringLiteral("Cancel Write"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setGeometry(twips(120, 3000, 1575, 375));
    cmdCancel->setAutoDefault(false);
    cmdCancel->hide();
    connect(cmdCancel, &QPushButton::clicked, this, &frmVantileSDWrite::cmdCancel_Click);

    chkActiveOnly = new QCheckBox(
        QStringLiteral("Include Standard Icons and Unused Screens (Must be done once per SD Card to initialize)"),
        this);
    chkActiveOnly->setObjectName(QStringLiteral("chkActiveOnly"));
    chkActiveOnly->setGeometry(twips(1800, 3120, 6975, 255));
    // The caption is a little longer than the form's box in this font: let it
    // run on towards Close rather than lose its end.
    chkActiveOnly->resize(std::clamp(chkActiveOnly->sizeHint().width(), chkActiveOnly->width(), (9240 - 1800) / 15 - 4),
                          chkActiveOnly->height());
    connect(chkActiveOnly, &QCheckBox::clicked, this, &frmVantileSDWrite::chkActiveOnly_Click);

    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setGeometry(twips(9240, 3120, 855, 375));
    cmdClose->setAutoDefault(false);
    connect(cmdClose, &QPushButton::clicked, this, &frmVantileSDWrite::cmdClose_Click);

    lblWarning = new QLabel(this);
    lblWarning->setObjectName(QStringLiteral("lblWarning"));
    lblWarning->setGeometry(twips(240, 3720, 9735, 1095));
    lblWarning->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblWarning->setWordWrap(true);
    QFont warningFont = small;
    warningFont.setPixelSize(9);
    lblWarning->setFont(warningFont);
    setBackground(lblWarning, QColor(255, 255, 0));
}

QString frmVantileSDWrite::DisplayCaption(int writeType)
{
    static const char *const captions[] = {" None",
                                           " 480 x 272 Landscape",
                                           " 320 x 240 Landscape",
                                           " 480 x 320 Landscape",
                                           " 800 x 480 Landscape",
                                           " 480 x 272 Portrait",
                                           " 320 x 240 Portrait",
                                           " 480 x 320 Portrait",
                                           " 800 x 480 Portrait"};
    return QLatin1String(writeType >= 1 && writeType <= 8 ? captions[writeType] : captions[0]);
}

void frmVantileSDWrite::Form_Load()
{
    WriteType = modVantileSDWrite::WriteTypeOf(m_);
    lblDspDim->setText(DisplayCaption(WriteType));
    lblWarning->setText(
        QStringLiteral(" Ensure you select the correct logical/physical drive.") + CrLf +
        QStringLiteral("  The write process will erase all data on all logical drives with the same physical drive "
                       "number as the selected drive.") +
        CrLf +
        QStringLiteral("  Once the write process begins, there is no method to recover any data previously on the "
                       "drive.") +
        CrLf +
        QStringLiteral("  It is recommended that the user verifies the correct drive is selected by using the "
                       "desktop's Disks utility or the command lsblk.") +
        CrLf +
        QStringLiteral("  Both show each drive's device (/dev/sdb, /dev/mmcblk0), size and model; in a terminal: "
                       "lsblk -o NAME,SIZE,RM,MODEL,MOUNTPOINTS"));
    sd_.FillPicTable();
    FindDrives();
    chkActiveOnly->setChecked(m_.WriteAllPictures);
    auto *watch = new QTimer(this);
    connect(watch, &QTimer::timeout, this, &frmVantileSDWrite::RefreshDrives);
    watch->start(2000);
}

void frmVantileSDWrite::showEvent(QShowEvent *event)
{
    if (!centred_) {
        centred_ = true;
        if (const QScreen *s = screen()) {
            const QRect area = s->availableGeometry();
            move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
        }
    }
    QDialog::showEvent(event);
}

void frmVantileSDWrite::FindDrives()
{
    const QList<Drives::Letter> letters = Drives::Letters();
    listedSignature_ = driveSignature(letters);
    driveGroup_->setExclusive(false);
    for (int k = 0; k < DriveOptions; ++k) {
        DriveUsable[size_t(k)] = false;
        const QString letter = QString(QChar('D' + k));
        const Drives::Letter &info = letters[k];
        DriveDetails[size_t(k)] = info;
        QRadioButton *opt = optDrive[size_t(k)];
        switch (info.type) {
        case Support::DriveRemovable:
            PhysDrive[size_t(k)] = int16_t(info.physicalNumber);
            opt->setText(letter + QStringLiteral(":  Removable / Physical Drive:") +
                         QString::number(PhysDrive[size_t(k)]));
            opt->setEnabled(true);
            DriveUsable[size_t(k)] = true;
            break;
        case Support::DriveFixed:
            opt->setText(letter + QStringLiteral(":  Fixed"));
            break;
        case Support::DriveRemote:
            opt->setText(letter + QStringLiteral(":  Remote"));
            break;
        case Support::DriveCdRom:
            opt->setText(letter + QStringLiteral(":  CD-ROM"));
            break;
        case Support::DriveRamDisk:
            opt->setText(letter + QStringLiteral(":  RAM Disk"));
            break;
        case 0:
        case 1:
            opt->setText(letter + QStringLiteral(":  (None)"));
            break;
        default:
            break;
        }
        if (info.type != Support::DriveRemovable) {
            PhysDrive[size_t(k)] = 0;
            opt->setEnabled(false);
        }
        opt->setToolTip(info.physicalId.present() ? letter + QStringLiteral(": ") + Drives::Describe(info.physicalId)
                                                  : QString());
        opt->setChecked(false);
    }
    driveGroup_->setExclusive(true);
}

QString frmVantileSDWrite::driveSignature(const QList<Drives::Letter> &letters)
{
    QString signature;
    for (const Drives::Letter &l : letters)
        signature += QStringLiteral("%1|%2|%3|%4|%5|%6;")
                         .arg(l.type)
                         .arg(l.physicalNumber)
                         .arg(l.physicalId.number, l.physicalId.device)
                         .arg(l.physicalId.size)
                         .arg(l.physicalId.system);
    return signature;
}

void frmVantileSDWrite::RefreshDrives()
{
    if (running_ || driveSignature(Drives::Letters()) == listedSignature_)
        return;
    const int chosen = driveGroup_->checkedId();
    const Drives::DiskIdentity before = chosen >= 0 ? DriveDetails[size_t(chosen)].physicalId : Drives::DiskIdentity{};
    FindDrives();
    if (chosen >= 0 && DriveUsable[size_t(chosen)] &&
        Drives::DiskChange(before, DriveDetails[size_t(chosen)].physicalId).isEmpty()) {
        optDrive[size_t(chosen)]->setChecked(true);
        return;
    }
    cmdCompileAll->setText(QStringLiteral("Write To SD Card"));
    cmdCompileAll->setEnabled(false);
}

void frmVantileSDWrite::optDrive_Click(int index)
{
    if (index < 0 || index >= DriveOptions)
        return;
    sd_.DriveLetter = QString(QChar('D' + index));
    SelDrive = index;
    cmdCompileAll->setText(QStringLiteral("Create Image on ") + sd_.DriveLetter + QStringLiteral(":"));
    cmdCompileAll->setEnabled(true);
}

void frmVantileSDWrite::cmdCancel_Click()
{
    WriteCancelled = true;
}

void frmVantileSDWrite::chkActiveOnly_Click()
{
    m_.WriteAllPictures = chkActiveOnly->isChecked();
}

void frmVantileSDWrite::cmdClose_Click()
{
    close();
}

void frmVantileSDWrite::closeEvent(QCloseEvent *event)
{
    // The close box during a run stops the run; the dialog goes once it has stopped.
    if (running_) {
        WriteCancelled = true;
        closeAfterRun_ = true;
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void frmVantileSDWrite::reject()
{
    if (running_) {
        WriteCancelled = true;
        closeAfterRun_ = true;
        return;
    }
    QDialog::reject();
}

void frmVantileSDWrite::RestoreDialog()
{
    cmdCompileAll->setEnabled(true);
    cmdClose->setEnabled(true);
    cmdCancel->hide();
    for (int k = 0; k < DriveOptions; ++k)
        optDrive[size_t(k)]->setEnabled(DriveUsable[size_t(k)]);
    chkActiveOnly->setEnabled(true);
}

bool frmVantileSDWrite::unmountCard(const QString &device)
{
    QString error;
    if (device.isEmpty() || Drives::UnmountAll(device, &error))
        return true;
    messages_.Show(QStringLiteral("The card holds a mounted file system and cannot be written.") + CrLf + error + CrLf +
                       QStringLiteral("Write cancelled."),
                   QStringLiteral("Write Error"), MessagePrompt::Icon::Critical);
    return false;
}

modVantileSDWrite::RunResult frmVantileSDWrite::CompileAll()
{
    modVantileSDWrite::RunHooks hooks;
    hooks.progress = [this](int slot) {
        // Painted at once like lblFiles: the run gives the window only a brief
        // turn per slot, in which a deferred update of the bar is not drawn.
        pbFiles->setValue(slot);
        pbFiles->repaint();
    };
    hooks.picture = [this](const QString &path) {
        lblFiles->setText(path);
        lblFiles->repaint();
    };
    hooks.yield = [this] {
        QCoreApplication::processEvents();
        return WriteCancelled;
    };
    return sd_.CompileAll(m_, m_.WriteAllPictures, WriteType, hooks);
}

void frmVantileSDWrite::cmdCompileAll_Click()
{
    if (running_)
        return;
    running_ = true;
    writeRun();
    running_ = false;
    if (closeAfterRun_) {
        closeAfterRun_ = false;
        close();
    }
}

void frmVantileSDWrite::writeRun()
{
    const Drives::Letter chosen = DriveDetails[size_t(SelDrive)];
    const int phys = PhysDrive[size_t(SelDrive)];
    const QString question = QStringLiteral("This action will permanently erase data on drive ") + sd_.DriveLetter +
                             QStringLiteral(":") + CrLf + QStringLiteral("and all logical drives on physical drive: ") +
                             QString::number(phys) + CrLf + QStringLiteral("Do you want to continue?");
    if (messages_.Confirm(question, WriteDataTitle) != MessagePrompt::Answer::Yes) {
        messages_.Show(QStringLiteral("Action Cancelled"), WriteDataTitle);
        return;
    }

    cmdCompileAll->setEnabled(false);
    cmdClose->setEnabled(false);
    cmdCancel->show();
    for (QRadioButton *opt : optDrive)
        opt->setEnabled(false);
    chkActiveOnly->setEnabled(false);
    WriteCancelled = false;

    if (phys <= 0) {
        messages_.Show(QStringLiteral("Writing to physical disk 0 not allowed.") + CrLf +
                           QStringLiteral("Write cancelled."),
                       QStringLiteral("Write Error"), MessagePrompt::Icon::Critical);
        RestoreDialog();
        return;
    }

    if (!stillChosen(chosen))
        return;
    // Partition-table check.
    QString why;
    bool diskChanged = false;
    if (!sd_.OpenPhysicalRead(chosen.physicalId, &why, &diskChanged)) {
        openFailed(QStringLiteral("Could not open physical drive %1").arg(phys), why, diskChanged);
        return;
    }
    const bool readOk = sd_.ReadSector(0, &why);
    sd_.CloseDrive();
    if (!readOk) {
        messages_.Show(QStringLiteral("Could not read the first sector of physical drive %1:").arg(phys) + CrLf + why +
                           CrLf + QStringLiteral("Write cancelled."),
                       QStringLiteral("Write Error"), MessagePrompt::Icon::Critical);
        RestoreDialog();
        return;
    }
    if (sd_.SectorBuf[510] == 0x55 && sd_.SectorBuf[511] == 0xAA) {
        if (messages_.Show(QStringLiteral("MBR found on device.") + CrLf +
                               QStringLiteral("Verify you have selected the correct drive.") + CrLf +
                               QStringLiteral("Continue?"),
                           QStringLiteral("Verify Drive"), MessagePrompt::Icon::Question,
                           MessagePrompt::Buttons::YesNo) != MessagePrompt::Answer::Yes) {
            messages_.Show(QStringLiteral("Write cancelled."), QStringLiteral("Cancel"),
                           MessagePrompt::Icon::Information);
            RestoreDialog();
            return;
        }
        if (!stillChosen(chosen))
            return;
        if (!unmountCard(chosen.physicalDevice)) {
            RestoreDialog();
            return;
        }
        sd_.SectorBuf.fill(0);
        if (!sd_.OpenPhysicalWrite(chosen.physicalId, &why, &diskChanged)) {
            openFailed(QStringLiteral("Could not open physical drive %1").arg(phys), why, diskChanged);
            return;
        }
        const bool cleared = sd_.WriteSector(0, &why) && sd_.Flush(&why);
        sd_.CloseDrive();
        if (!cleared) {
            messages_.Show(QStringLiteral("Clearing the partition table failed at %1.").arg(why) + CrLf +
                               QStringLiteral("Write cancelled."),
                           QStringLiteral("Write Error"), MessagePrompt::Icon::Critical);
            RestoreDialog();
            return;
        }
        messages_.Show(QStringLiteral("Device has been initialized.") + CrLf +
                           QStringLiteral("Follow these steps to proceed:") + CrLf +
                           QStringLiteral(" -Remove SD card") + CrLf + QStringLiteral(" -Wait 5 seconds") + CrLf +
                           QStringLiteral(" -Reinsert SD card") + CrLf +
                           QStringLiteral(" -Click OK and select Program | Compile And Write To SD Card again"),
                       modVantileSDWrite::DefaultTitle);
        closeAfterRun_ = true;
        return;
    }

    if (!stillChosen(chosen))
        return;
    if (!unmountCard(chosen.volume) || !unmountCard(chosen.physicalDevice)) {
        RestoreDialog();
        return;
    }
    if (!sd_.OpenVolumeWrite(chosen.volumeId, &why, &diskChanged)) {
        openFailed(QStringLiteral("Could not open drive ") + sd_.DriveLetter.toUpper() + QStringLiteral(":"), why,
                   diskChanged);
        return;
    }
    const modVantileSDWrite::RunResult result = CompileAll();
    sd_.CloseDrive();
    cmdCancel->hide();

    QString skipped;
    if (!result.skipped.isEmpty())
        skipped = CrLf + CrLf + modVantileSDWrite::SkippedList(result.skipped);
    if (result.failed) {
        messages_.Show(QStringLiteral("Write Data Failed.") + CrLf + result.failure + skipped, WriteDataTitle,
                       MessagePrompt::Icon::Critical);
    } else if (WriteCancelled) {
        messages_.Show(QStringLiteral("Write Data Stopped By User.") + CrLf +
                           QStringLiteral("SD Card Has Incomplete Data.") + CrLf +
                           QStringLiteral("Entire SD Card MUST Be Written To Correct Damaged Images.") + skipped,
                       WriteDataTitle, MessagePrompt::Icon::Critical);
    } else {
        messages_.Show(QStringLiteral("Write Data Complete") + skipped, WriteDataTitle,
                       skipped.isEmpty() ? MessagePrompt::Icon::None : MessagePrompt::Icon::Exclamation);
    }
    RestoreDialog();
}

bool frmVantileSDWrite::stillChosen(const Drives::Letter &chosen)
{
    QString why = Drives::DiskChange(chosen.physicalId, Drives::IdentityOf(chosen.physicalDevice));
    if (why.isEmpty() && chosen.volume != chosen.physicalDevice)
        why = Drives::DiskChange(chosen.volumeId, Drives::IdentityOf(chosen.volume));
    if (why.isEmpty())
        return true;
    driveListChanged(why);
    return false;
}

void frmVantileSDWrite::openFailed(const QString &what, const QString &why, bool diskChanged)
{
    if (diskChanged) {
        driveListChanged(why);
        return;
    }
    messages_.Show(what + CrLf + why, modVantileSDWrite::DefaultTitle);
    RestoreDialog();
}

void frmVantileSDWrite::driveListChanged(const QString &why)
{
    messages_.Show(QStringLiteral("The drive list has changed; choose the drive again.") + CrLf + why,
                   QStringLiteral("Write Error"), MessagePrompt::Icon::Exclamation);
    FindDrives();
    RestoreDialog();
    cmdCompileAll->setText(QStringLiteral("Write To SD Card"));
    cmdCompileAll->setEnabled(false);
}
