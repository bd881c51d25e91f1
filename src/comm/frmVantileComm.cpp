#include "comm/frmVantileComm.h"

#include "model/Settings.h"
#include "model/modVantile.h"
#include "platform/Prompts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

namespace
{

QString deviceDescription(int comNumber, const QString &device)
{
    if (device.isEmpty())
        return QStringLiteral("COM%1: no serial device").arg(comNumber);
    return QStringLiteral("COM%1: %2").arg(comNumber).arg(device);
}

} // namespace

frmVantileComm::frmVantileComm(modVantile &m, MessagePrompt &messages, QWidget *parent)
    : QDialog(parent), m_(m), messages_(messages)
{
    setObjectName(QStringLiteral("frmVantileComm"));
    setWindowTitle(QStringLiteral("Communications"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xE0, 0xE0, 0xE0));
    setPalette(pal);
    setAutoFillBackground(true);

    cboComPort = new QComboBox(this);
    cboComPort->setObjectName(QStringLiteral("cboComPort"));
    cmdDownload = new QPushButton(QStringLiteral("Download"), this);
    cmdDownload->setObjectName(QStringLiteral("cmdDownload"));
    static const char *const notes[2] = {
        "The device must be powered and in configuration mode. To enter configuration mode, set node address to 00, "
        "close switch 8, and reset the device.",
        "All four LEDs will be flashing in sequence to indicate the device is in configuration mode."};
    for (int i = 0; i < 2; ++i) {
        lblNote[i] = new QLabel(QString::fromLatin1(notes[i]), this);
        lblNote[i]->setObjectName(QStringLiteral("lblNote_%1").arg(i));
        lblNote[i]->setWordWrap(true);
    }
    pbDL = new QProgressBar(this);
    pbDL->setObjectName(QStringLiteral("pbDL"));
    pbDL->setRange(0, 257);
    pbDL->setTextVisible(false);
    pbDL->setFixedHeight(13);
    QSizePolicy keepPlace = pbDL->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    pbDL->setSizePolicy(keepPlace);
    pbDL->setVisible(false);
    cmdFirmRev = new QPushButton(QStringLiteral("Firmware Revision"), this);
    cmdFirmRev->setObjectName(QStringLiteral("cmdFirmRev"));
    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    for (QPushButton *b : {cmdDownload, cmdFirmRev, cmdClose})
        b->setAutoDefault(false);

    // The twips layout of the form (divided by 15), with room for wider fonts.
    cboComPort->setMinimumWidth(65);
    cmdDownload->setMinimumWidth(65);
    cmdFirmRev->setMinimumWidth(113);
    cmdClose->setMinimumWidth(65);
    auto *top = new QHBoxLayout;
    top->setSpacing(7);
    top->addWidget(cboComPort);
    top->addWidget(cmdDownload);
    top->addStretch();
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(cmdFirmRev);
    bottom->addStretch();
    bottom->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addLayout(top);
    layout->addWidget(lblNote[0]);
    layout->addWidget(lblNote[1]);
    layout->addWidget(pbDL);
    layout->addLayout(bottom);
    lblNote[0]->setFixedWidth(273);
    lblNote[1]->setFixedWidth(273);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdDownload, &QPushButton::clicked, this, &frmVantileComm::cmdDownload_Click);
    connect(cmdFirmRev, &QPushButton::clicked, this, &frmVantileComm::cmdFirmRev_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmVantileComm::cmdClose_Click);

    Form_Load();
}

frmVantileComm::~frmVantileComm()
{
    comDev.Close();
}

void frmVantileComm::OpenFromMenu(modVantile &m, MessagePrompt &messages, QWidget *parent)
{
    if (ObjectTables::ConfigurationOnCard(m.GetCommandSet())) {
        CommMessages::Show(messages, CommMessages::NotRequiredForZav());
        return;
    }
    frmVantileComm dialog(m, messages, parent);
    dialog.exec();
}

void frmVantileComm::Form_Load()
{
    cboComPort->blockSignals(true);
    cboComPort->clear();
    const QStringList devices = ComPorts::Devices();
    for (int n = 1; n <= ComPorts::Count; ++n) {
        cboComPort->addItem(QStringLiteral("COM%1").arg(n));
        cboComPort->setItemData(n - 1, deviceDescription(n, devices[n - 1]), Qt::ToolTipRole);
    }
    cboComPort->setCurrentIndex(std::clamp<int>(m_.ComPortIndex, 0, ComPorts::Count - 1));
    cboComPort->blockSignals(false);
    cboComPort_Click();
    portNumber_ = cboComPort->currentIndex() + 1;
    connect(cboComPort, &QComboBox::currentIndexChanged, this, &frmVantileComm::cboComPort_Click);
}

void frmVantileComm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!centred_ && !event->spontaneous()) {
        centred_ = true;
        if (QScreen *s = screen()) {
            const QRect area = s->geometry();
            move(area.x() + (area.width() - frameGeometry().width()) / 2,
                 area.y() + (area.height() - frameGeometry().height()) / 2);
        }
    }
}

void frmVantileComm::cboComPort_Click()
{
    const int index = cboComPort->currentIndex();
    if (index < 0)
        return;
    m_.ComPortIndex = int16_t(index);
    portNumber_ = index + 1;
    cboComPort->setToolTip(cboComPort->itemData(index, Qt::ToolTipRole).toString());
    Settings::WriteSettings(m_);
}

bool frmVantileComm::openPort(QString *why)
{
    // The mapping is looked up afresh: an adapter may have been plugged in.
    return comDev.Open(ComPorts::Device(portNumber_), why);
}

void frmVantileComm::setControlsEnabled(bool enabled)
{
    for (QWidget *w : std::initializer_list<QWidget *>{cboComPort, cmdDownload, cmdFirmRev, cmdClose})
        w->setEnabled(enabled);
}

void frmVantileComm::paintNow()
{
    if (isVisible())
        repaint();
}

void frmVantileComm::cmdDownload_Click()
{
    QString why;
    if (!openPort(&why)) {
        CommMessages::Show(messages_, CommMessages::InvalidPort(why));
        return;
    }
    setControlsEnabled(false);
    pbDL->setValue(0);
    pbDL->setVisible(true);
    paintNow();

    const DownloadResult result = SendConfiguration(m_, exchange_, [this](int block) { pbDL->setValue(block); });

    switch (result) {
    case DownloadResult::Complete:
        comDev.Close();
        CommMessages::Show(messages_, CommMessages::DownloadComplete());
        pbDL->setVisible(false);
        setControlsEnabled(true);
        break;
    case DownloadResult::CommFault:
    case DownloadResult::ChecksumFault:
        CommMessages::Show(messages_, result == DownloadResult::CommFault ? CommMessages::CommFault()
                                                                          : CommMessages::ChecksumFault());
        pbDL->setVisible(false);
        setControlsEnabled(true);
        comDev.Close();
        break;
    }
}

void frmVantileComm::cmdFirmRev_Click()
{
    QString why;
    if (!openPort(&why)) {
        CommMessages::Show(messages_, CommMessages::InvalidPort(why));
        return;
    }
    if (!exchange_.QXComPrg("[04]", PanelExchange::FirmwareAnswerLength)) {
        CommMessages::Show(messages_, CommMessages::CommFault());
        pbDL->setVisible(false);
        setControlsEnabled(true);
        comDev.Close();
        return;
    }
    comDev.Close();
    CommMessages::Show(messages_, CommMessages::FirmwareRevision(FirmwareRevisionText(exchange_.ComReply)));
}

void frmVantileComm::cmdClose_Click()
{
    comDev.Close();
    accept();
}
