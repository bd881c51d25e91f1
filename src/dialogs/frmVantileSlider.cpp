#include "dialogs/frmVantileSlider.h"

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

frmVantileSlider::frmVantileSlider(modVantile &m, EditorHost &host, MessagePrompt &messages, QWidget *parent)
    : ObjectEditor(m, host, messages, modVantile::SliderCount, "frmVantileSlider", QStringLiteral("Edit Slider"),
                   parent)
{

    auto list = [this](const char *name) { return NewList(name, this); };
    lblDevice = NewLabel("lblDevice", QStringLiteral("Quellix Device"));
    cboDevice = list("cboDevice");
    lblLeft = NewLabel("lblLeft", QStringLiteral("Left"));
    cboLeft = DialogControls::NumberList(list("cboLeft"));
    lblTop = NewLabel("lblTop", QStringLiteral("Top"));
    cboTop = DialogControls::NumberList(list("cboTop"));
    cmdUnused = NewButton("cmdUnused", QStringLiteral("Remove Slider"));
    cmdClose = NewButton("cmdClose", QStringLiteral("Close"));

    frmSlidders = new QGroupBox(QStringLiteral("Slider Style (Click To Select)"), this);
    frmSlidders->setObjectName(QStringLiteral("frmSlidders"));
    auto *styles = new QHBoxLayout(frmSlidders);
    for (int i = 0; i < ObjectPictures::SliderStyleCount; ++i) {
        auto *picture = new PictureLabel(frmSlidders);
        picture->setObjectName(QStringLiteral("imgSlider_%1").arg(i));
        picture->setPixmap(KeyedPixmap(ObjectPictures::SliderSelectorPicture(i)));
        picture->setFixedSize(ObjectPictures::SliderPictureSize(i));
        picture->setCursor(Qt::PointingHandCursor);
        imgSlider[size_t(i)] = picture;
        styles->addWidget(picture, 0, Qt::AlignTop);
        connect(picture, &PictureLabel::clicked, this, [this, i] { imgSlider_Click(i); });
        connect(picture, &PictureLabel::doubleClicked, this, [this, i] { imgSlider_Click(i); });

        // The render pictures belong to the set but are never shown here.
        auto *render = new QLabel(frmSlidders);
        render->setObjectName(QStringLiteral("imgSliderRender_%1").arg(i));
        render->setPixmap(KeyedPixmap(ObjectPictures::SliderRenderPicture(i)));
        render->setFixedSize(ObjectPictures::SliderPictureSize(i));
        render->hide();
        imgSliderRender[size_t(i)] = render;
    }

    auto *grid = new QGridLayout;
    grid->addWidget(lblDevice, 0, 0);
    grid->addWidget(cboDevice, 0, 1);
    grid->addWidget(lblLeft, 1, 0);
    grid->addWidget(cboLeft, 1, 1);
    grid->addWidget(lblTop, 2, 0);
    grid->addWidget(cboTop, 2, 1);
    grid->setRowStretch(3, 1);
    grid->addWidget(cmdUnused, 4, 0, 1, 2);
    grid->addWidget(cmdClose, 5, 0, 1, 2);
    auto *main = new QHBoxLayout(this);
    main->addLayout(grid);
    main->addWidget(frmSlidders);
    main->setSizeConstraint(QLayout::SetFixedSize);

    connect(cboDevice, &QComboBox::activated, this, &frmVantileSlider::cboDevice_Click);
    connect(cboLeft, &QComboBox::activated, this, &frmVantileSlider::cboLeft_Click);
    connect(cboTop, &QComboBox::activated, this, &frmVantileSlider::cboTop_Click);
    connect(cmdUnused, &QPushButton::clicked, this, &frmVantileSlider::cmdUnused_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    Form_Load();
}

void frmVantileSlider::Form_Load()
{
    FillList(cboDevice, DeviceEntries(m_));
    FillList(cboLeft, PositionEntries());
    FillList(cboTop, PositionEntries());
}

void frmVantileSlider::Form_Activate()
{
    const int n = object_;
    activating_ = true;
    m_.SetSliderDevice(n, DeviceInRange(m_.GetSliderDevice(n)));
    showEntry(cboDevice, m_.GetSliderDevice(n), &frmVantileSlider::cboDevice_Click);
    showEntry(cboLeft, m_.GetSliderLeft(n), &frmVantileSlider::cboLeft_Click);
    showEntry(cboTop, m_.GetSliderTop(n), &frmVantileSlider::cboTop_Click);
    activating_ = false;
}

void frmVantileSlider::LiveUpdate()
{
    if (activating_)
        return;
    host_.UDSlider(object_);
}

void frmVantileSlider::cboDevice_Click()
{
    if (cboDevice->currentIndex() < 0)
        return;
    m_.SetSliderDevice(object_, cboDevice->currentIndex());
    LiveUpdate();
}

void frmVantileSlider::cboLeft_Click()
{
    if (cboLeft->currentIndex() < 0)
        return;
    m_.SetSliderLeft(object_, cboLeft->currentIndex());
    LiveUpdate();
}

void frmVantileSlider::cboTop_Click()
{
    if (cboTop->currentIndex() < 0)
        return;
    m_.SetSliderTop(object_, cboTop->currentIndex());
    LiveUpdate();
}

void frmVantileSlider::imgSlider_Click(int i)
{
    ObjectFields::Set(m_, ObjectFields::Kind::Slider, object_, ObjectFields::Id::Picture, i + 1);
    LiveUpdate();
}

void frmVantileSlider::cmdUnused_Click()
{
    m_.SetSliderPicture(object_, 0);
    LiveUpdate();
}

void frmVantileSlider::done(int result)
{
    if (m_.GetSliderPicture(object_) == 0)
        m_.LastSlider = -1;
    QDialog::done(result);
}
