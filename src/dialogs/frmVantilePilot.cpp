#include "dialogs/frmVantilePilot.h"

#include "assets/ObjectPictures.h"
#include "dialogs/DialogControls.h"
#include "dialogs/EditorHost.h"
#include "model/ObjectFields.h"
#include "model/modVantile.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace DialogControls;

frmVantilePilot::frmVantilePilot(modVantile &m, EditorHost &host, MessagePrompt &messages, QWidget *parent)
    : ObjectEditor(m, host, messages, modVantile::PilotCount, "frmVantilePilot", QStringLiteral("Edit Pilot"), parent)
{

    auto list = [this](const char *name) { return NewList(name, this); };
    lblDevice = NewLabel("lblDevice", QStringLiteral("Quellix Device"));
    cboDevice = list("cboDevice");
    lblPilot = NewLabel("lblPilot", QStringLiteral("Pilot"));
    cboPilot = list("cboPilot");
    lblLeft = NewLabel("lblLeft", QStringLiteral("Left"));
    cboLeft = DialogControls::NumberList(list("cboLeft"));
    lblTop = NewLabel("lblTop", QStringLiteral("Top"));
    cboTop = DialogControls::NumberList(list("cboTop"));
    cmdUnused = NewButton("cmdUnused", QStringLiteral("Remove Pilot"));
    cmdClose = NewButton("cmdClose", QStringLiteral("Close"));

    frmIcons = new QGroupBox(QStringLiteral("Pilot Icons (Click To Select)"), this);
    frmIcons->setObjectName(QStringLiteral("frmIcons"));
    // Six pairs to a row: each size group fills two rows, white set above green.
    auto *icons = new QGridLayout(frmIcons);
    icons->setHorizontalSpacing(12);
    for (int i = 0; i < ObjectPictures::PilotPairCount; ++i) {
        auto *off = new PictureLabel(frmIcons);
        off->setObjectName(QStringLiteral("imgSIOff_%1").arg(i));
        off->setPixmap(KeyedPixmap(ObjectPictures::PilotOffPicture(i)));
        off->setFixedSize(ObjectPictures::PilotPictureSize(i));
        auto *on = new PictureLabel(frmIcons);
        on->setObjectName(QStringLiteral("imgSIOn_%1").arg(i));
        on->setPixmap(KeyedPixmap(ObjectPictures::PilotOnPicture(i)));
        on->setFixedSize(ObjectPictures::PilotPictureSize(i));
        imgSIOff[size_t(i)] = off;
        imgSIOn[size_t(i)] = on;
        for (PictureLabel *picture : {off, on}) {
            picture->setCursor(Qt::PointingHandCursor);
            connect(picture, &PictureLabel::clicked, this, [this, i] { imgSI_Click(i); });
            connect(picture, &PictureLabel::doubleClicked, this, [this, i] { imgSI_Click(i); });
        }
        auto *pair = new QHBoxLayout;
        pair->setSpacing(2);
        pair->addWidget(off, 0, Qt::AlignTop);
        pair->addWidget(on, 0, Qt::AlignTop);
        pair->addStretch();
        icons->addLayout(pair, i / 6, i % 6, Qt::AlignLeft | Qt::AlignTop);
    }

    auto *grid = new QGridLayout;
    grid->addWidget(lblDevice, 0, 0);
    grid->addWidget(cboDevice, 0, 1);
    grid->addWidget(lblPilot, 0, 2);
    grid->addWidget(cboPilot, 0, 3);
    grid->addWidget(lblLeft, 1, 0);
    grid->addWidget(cboLeft, 1, 1);
    grid->addWidget(lblTop, 1, 2);
    grid->addWidget(cboTop, 1, 3);
    grid->setColumnStretch(4, 1);
    auto *commands = new QHBoxLayout;
    commands->addStretch();
    commands->addWidget(cmdUnused);
    commands->addWidget(cmdClose);
    auto *main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addLayout(commands);
    main->addWidget(frmIcons);
    main->setSizeConstraint(QLayout::SetFixedSize);

    connect(cboDevice, &QComboBox::activated, this, &frmVantilePilot::cboDevice_Click);
    connect(cboPilot, &QComboBox::activated, this, &frmVantilePilot::cboPilot_Click);
    connect(cboLeft, &QComboBox::activated, this, &frmVantilePilot::cboLeft_Click);
    connect(cboTop, &QComboBox::activated, this, &frmVantilePilot::cboTop_Click);
    connect(cmdUnused, &QPushButton::clicked, this, &frmVantilePilot::cmdUnused_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    Form_Load();
}

void frmVantilePilot::Form_Load()
{
    QStringList inputs;
    for (int k = 1; k <= 8; ++k)
        inputs << QString::number(k);
    FillList(cboPilot, inputs);
    FillList(cboLeft, PositionEntries());
    FillList(cboTop, PositionEntries());
}

void frmVantilePilot::Form_Activate()
{
    const int n = object_;
    activating_ = true;
    FillList(cboDevice, DeviceEntries(m_));
    m_.SetPilotDevice(n, DeviceInRange(m_.GetPilotDevice(n)));
    showEntry(cboDevice, m_.GetPilotDevice(n), &frmVantilePilot::cboDevice_Click);
    showEntry(cboPilot, m_.GetPilotInput(n), &frmVantilePilot::cboPilot_Click);
    showEntry(cboLeft, m_.GetPilotLeft(n), &frmVantilePilot::cboLeft_Click);
    showEntry(cboTop, m_.GetPilotTop(n), &frmVantilePilot::cboTop_Click);
    activating_ = false;
}

void frmVantilePilot::LiveUpdate()
{
    if (activating_)
        return;
    host_.UDPilot(object_);
}

void frmVantilePilot::cboDevice_Click()
{
    if (cboDevice->currentIndex() < 0)
        return;
    m_.SetPilotDevice(object_, cboDevice->currentIndex());
    LiveUpdate();
}

void frmVantilePilot::cboPilot_Click()
{
    if (cboPilot->currentIndex() < 0)
        return;
    m_.SetPilotInput(object_, cboPilot->currentIndex());
    LiveUpdate();
}

void frmVantilePilot::cboLeft_Click()
{
    if (cboLeft->currentIndex() < 0)
        return;
    m_.SetPilotLeft(object_, cboLeft->currentIndex());
    LiveUpdate();
}

void frmVantilePilot::cboTop_Click()
{
    if (cboTop->currentIndex() < 0)
        return;
    m_.SetPilotTop(object_, cboTop->currentIndex());
    LiveUpdate();
}

void frmVantilePilot::imgSI_Click(int i)
{
    ObjectFields::Set(m_, ObjectFields::Kind::Pilot, object_, ObjectFields::Id::Picture, i);
    LiveUpdate();
}

void frmVantilePilot::cmdUnused_Click()
{
    m_.SetPilotUsed(object_, 0);
    LiveUpdate();
}

void frmVantilePilot::done(int result)
{
    if (m_.GetPilotUsed(object_) == 0)
        m_.LastPilot = -1;
    QDialog::done(result);
}
