#include "dialogs/frmVantileTextBox.h"

#include "dialogs/DialogControls.h"
#include "dialogs/EditorHost.h"
#include "model/ObjectFields.h"
#include "model/modVantile.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace DialogControls;

frmVantileTextBox::frmVantileTextBox(modVantile &m, EditorHost &host, MessagePrompt &messages, QWidget *parent)
    : ObjectEditor(m, host, messages, modVantile::TextCount, "frmVantileTextBox",
                   QStringLiteral("Edit Text / Bar Graph"), parent)
{

    auto list = [this](const char *name) { return NewList(name, this); };
    cboType = list("cboType");
    lblLeft = NewLabel("lblLeft", QStringLiteral("Left"));
    cboLeft = DialogControls::NumberList(list("cboLeft"));
    lblTop = NewLabel("lblTop", QStringLiteral("Top"));
    cboTop = DialogControls::NumberList(list("cboTop"));
    lblWidth = NewLabel("lblWidth", QStringLiteral("Width"));
    cboWidth = DialogControls::NumberList(list("cboWidth"));
    lblHeight = NewLabel("lblHeight", QStringLiteral("Height"));
    cboHeight = DialogControls::NumberList(list("cboHeight"));
    lblText = NewLabel("lblText", QStringLiteral("Text"));
    txtText = new QLineEdit(this);
    txtText->setObjectName(QStringLiteral("txtText"));
    txtText->setValidator(new NoCommaValidator(txtText));
    txtText->installEventFilter(this);
    lblFontSize = NewLabel("lblFontSize", QStringLiteral("Font Size"));
    cboFontSize = list("cboFontSize");
    lblSldDev = NewLabel("lblSldDev", QStringLiteral("Slider/Device"));
    cboSldDev = list("cboSldDev");
    lblFontColor = NewLabel("lblFontColor", QStringLiteral("Font Color"));
    cboTextColor = list("cboTextColor");
    cmdUnused = NewButton("cmdUnused", QStringLiteral("Remove Object"));
    cmdClose = NewButton("cmdClose", QStringLiteral("Close"));

    auto *grid = new QGridLayout;
    grid->addWidget(cboType, 0, 0, 1, 4);
    grid->addWidget(lblLeft, 1, 0);
    grid->addWidget(cboLeft, 1, 1);
    grid->addWidget(lblTop, 1, 2);
    grid->addWidget(cboTop, 1, 3);
    grid->addWidget(lblWidth, 2, 0);
    grid->addWidget(cboWidth, 2, 1);
    grid->addWidget(lblHeight, 2, 2);
    grid->addWidget(cboHeight, 2, 3);
    grid->addWidget(lblText, 3, 0);
    grid->addWidget(txtText, 3, 1, 1, 3);
    grid->addWidget(lblFontSize, 4, 0);
    grid->addWidget(cboFontSize, 4, 1);
    grid->addWidget(lblFontColor, 4, 2);
    grid->addWidget(cboTextColor, 4, 3);
    grid->addWidget(lblSldDev, 5, 0);
    grid->addWidget(cboSldDev, 5, 1);
    auto *commands = new QHBoxLayout;
    commands->addStretch();
    commands->addWidget(cmdUnused);
    commands->addWidget(cmdClose);
    auto *main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addLayout(commands);
    main->setSizeConstraint(QLayout::SetFixedSize);

    connect(cboType, &QComboBox::activated, this, &frmVantileTextBox::cboType_Click);
    connect(cboFontSize, &QComboBox::activated, this, &frmVantileTextBox::cboFontSize_Click);
    connect(cboLeft, &QComboBox::activated, this, &frmVantileTextBox::cboLeft_Click);
    connect(cboTop, &QComboBox::activated, this, &frmVantileTextBox::cboTop_Click);
    connect(cboWidth, &QComboBox::activated, this, &frmVantileTextBox::cboWidth_Click);
    connect(cboHeight, &QComboBox::activated, this, &frmVantileTextBox::cboHeight_Click);
    connect(cboSldDev, &QComboBox::activated, this, &frmVantileTextBox::cboSldDev_Click);
    connect(cboTextColor, &QComboBox::activated, this, &frmVantileTextBox::cboTextColor_Click);
    connect(txtText, &QLineEdit::textEdited, this, &frmVantileTextBox::txtText_Change);
    connect(cmdUnused, &QPushButton::clicked, this, &frmVantileTextBox::cmdUnused_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    Form_Load();
}

void frmVantileTextBox::Form_Load()
{
    FillList(cboType, ObjectFields::TextTypeEntries());
    for (QComboBox *box : {cboLeft, cboTop, cboWidth, cboHeight})
        FillList(box, PositionEntries());
    FillList(cboFontSize, ObjectFields::FontSizeEntries());
    FillList(cboTextColor, ObjectFields::ColourEntries());
}

void frmVantileTextBox::Form_Activate()
{
    const int n = object_;
    activating_ = true;
    FillList(cboSldDev, DeviceEntries(m_));
    m_.SetTextDevice(n, DeviceInRange(m_.GetTextDevice(n)));
    // The type goes first and the font size after the sizes: value boxes and
    // bar graphs get their text, colour and size derived afresh.
    showEntry(cboType, m_.GetTextType(n), &frmVantileTextBox::cboType_Click);
    showEntry(cboLeft, m_.GetTextLeft(n), &frmVantileTextBox::cboLeft_Click);
    showEntry(cboTop, m_.GetTextTop(n), &frmVantileTextBox::cboTop_Click);
    showEntry(cboWidth, m_.GetTextWidth(n), &frmVantileTextBox::cboWidth_Click);
    showEntry(cboHeight, m_.GetTextHeight(n), &frmVantileTextBox::cboHeight_Click);
    showEntry(cboSldDev, m_.GetTextDevice(n), &frmVantileTextBox::cboSldDev_Click);
    showText(m_.GetTextString(n));
    showEntry(cboFontSize, m_.GetTextFontSize(n), &frmVantileTextBox::cboFontSize_Click);
    showEntry(cboTextColor, m_.GetTextColor(n), &frmVantileTextBox::cboTextColor_Click);
    activating_ = false;
}

// Showing a text always stores it, also when the box already held it.
void frmVantileTextBox::showText(const QString &text)
{
    txtText->setText(text);
    txtText_Change();
}

void frmVantileTextBox::LiveUpdate()
{
    if (activating_)
        return;
    host_.UDTitle(object_);
}

void frmVantileTextBox::cboType_Click()
{
    const int t = cboType->currentIndex();
    if (t < 0)
        return;
    ObjectFields::Set(m_, ObjectFields::Kind::Text, object_, ObjectFields::Id::Type, t);
    if (t >= 2)
        showDerived();
    if (t <= 1) {
        for (QWidget *w : {static_cast<QWidget *>(txtText), static_cast<QWidget *>(cboFontSize),
                           static_cast<QWidget *>(cboTextColor), static_cast<QWidget *>(cboWidth),
                           static_cast<QWidget *>(cboHeight)})
            w->setEnabled(true);
        cboSldDev->setEnabled(false);
    } else if (t <= 3) {
        for (QWidget *w : {static_cast<QWidget *>(txtText), static_cast<QWidget *>(cboTextColor),
                           static_cast<QWidget *>(cboWidth), static_cast<QWidget *>(cboHeight)})
            w->setEnabled(false);
        cboFontSize->setEnabled(true);
        cboSldDev->setEnabled(true);
    } else {
        for (QWidget *w : {static_cast<QWidget *>(txtText), static_cast<QWidget *>(cboFontSize),
                           static_cast<QWidget *>(cboTextColor), static_cast<QWidget *>(cboWidth),
                           static_cast<QWidget *>(cboHeight)})
            w->setEnabled(false);
        cboSldDev->setEnabled(true);
    }
    LiveUpdate();
}

// What a type or a font size brought along (text, colour, value box size)
// shown in the controls.
void frmVantileTextBox::showDerived()
{
    const int n = object_;
    txtText->setText(m_.GetTextString(n));
    DialogControls::ShowEntry(cboTextColor, m_.GetTextColor(n));
    DialogControls::ShowEntry(cboWidth, m_.GetTextWidth(n));
    DialogControls::ShowEntry(cboHeight, m_.GetTextHeight(n));
}

void frmVantileTextBox::cboFontSize_Click()
{
    if (cboFontSize->currentIndex() < 0)
        return;
    ObjectFields::Set(m_, ObjectFields::Kind::Text, object_, ObjectFields::Id::FontSize, cboFontSize->currentIndex());
    if (cboType->currentIndex() > 1)
        showDerived();
    LiveUpdate();
}

void frmVantileTextBox::cboLeft_Click()
{
    if (cboLeft->currentIndex() < 0)
        return;
    m_.SetTextLeft(object_, cboLeft->currentIndex());
    LiveUpdate();
}

void frmVantileTextBox::cboTop_Click()
{
    if (cboTop->currentIndex() < 0)
        return;
    m_.SetTextTop(object_, cboTop->currentIndex());
    LiveUpdate();
}

void frmVantileTextBox::cboWidth_Click()
{
    if (cboWidth->currentIndex() < 0)
        return;
    m_.SetTextWidth(object_, cboWidth->currentIndex());
    LiveUpdate();
}

void frmVantileTextBox::cboHeight_Click()
{
    if (cboHeight->currentIndex() < 0)
        return;
    m_.SetTextHeight(object_, cboHeight->currentIndex());
    LiveUpdate();
}

void frmVantileTextBox::cboSldDev_Click()
{
    if (cboSldDev->currentIndex() < 0)
        return;
    m_.SetTextDevice(object_, cboSldDev->currentIndex());
    LiveUpdate();
}

void frmVantileTextBox::cboTextColor_Click()
{
    if (cboTextColor->currentIndex() < 0)
        return;
    m_.SetTextColor(object_, cboTextColor->currentIndex());
    LiveUpdate();
}

void frmVantileTextBox::txtText_Change()
{
    m_.SetTextString(object_, txtText->text());
    LiveUpdate();
}

void frmVantileTextBox::cmdUnused_Click()
{
    showEntry(cboType, 0, &frmVantileTextBox::cboType_Click);
}

void frmVantileTextBox::done(int result)
{
    if (m_.GetTextType(object_) == 0)
        m_.LastText = -1;
    QDialog::done(result);
}

bool frmVantileTextBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtText && event->type() == QEvent::KeyPress)
        return static_cast<QKeyEvent *>(event)->text() == QLatin1String(",");
    return QDialog::eventFilter(watched, event);
}
