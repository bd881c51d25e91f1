#include "dialogs/frmVantileButton.h"

#include "assets/ObjectPictures.h"
#include "dialogs/DialogControls.h"
#include "dialogs/EditorHost.h"
#include "model/ObjectFields.h"
#include "model/modVantile.h"
#include "platform/Prompts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace DialogControls;

const QString frmVantileButton::InputTypeWarning =
    QStringLiteral("A Device:Input used as an Input ON or Input OFF must not be configured as an Push Button "
                   "Input on this or any other screen.");

namespace
{

int power10(int k)
{
    int p = 1;
    while (k-- > 0)
        p *= 10;
    return p;
}

} // namespace

frmVantileButton::frmVantileButton(modVantile &m, EditorHost &host, MessagePrompt &messages, QWidget *parent)
    : ObjectEditor(m, host, messages, modVantile::ButtonCount, "frmVantileButton", QStringLiteral("Edit Button"),
                   parent)
{

    cboType = NewList("cboType", this);
    lblDevice = NewLabel("lblDevice", QStringLiteral("Quellix Device"));
    cboDevice = NewList("cboDevice", this);
    lblPassWord = NewLabel("lblPassWord", QStringLiteral("Password"));
    for (int k = 0; k < ObjectTables::PasswordDigits; ++k) {
        auto *box = new QLineEdit(QStringLiteral("0"), this);
        box->setObjectName(QStringLiteral("txtPassword_%1").arg(k));
        box->setMaxLength(1);
        box->setFixedWidth(24);
        box->setAlignment(Qt::AlignCenter);
        box->setContextMenuPolicy(Qt::NoContextMenu);
        box->setAcceptDrops(false);
        box->installEventFilter(this);
        txtPassword[size_t(k)] = box;
    }
    lblLeft = NewLabel("lblLeft", QStringLiteral("Left"));
    cboLeft = DialogControls::NumberList(NewList("cboLeft", this));
    lblTop = NewLabel("lblTop", QStringLiteral("Top"));
    cboTop = DialogControls::NumberList(NewList("cboTop", this));
    lblWidth = NewLabel("lblWidth", QStringLiteral("Width"));
    cboWidth = DialogControls::NumberList(NewList("cboWidth", this));
    lblHeight = NewLabel("lblHeight", QStringLiteral("Height"));
    cboHeight = DialogControls::NumberList(NewList("cboHeight", this));
    lblText = NewLabel("lblText", QStringLiteral("Text"));
    txtText = new QLineEdit(this);
    txtText->setObjectName(QStringLiteral("txtText"));
    txtText->setValidator(new NoCommaValidator(txtText));
    txtText->installEventFilter(this);
    lblFontColor = NewLabel("lblFontColor", QStringLiteral("Font Color"));
    cboTextColor = NewList("cboTextColor", this);
    cmdUnused = NewButton("cmdUnused", QStringLiteral("Remove Button"));
    cmdClose = NewButton("cmdClose", QStringLiteral("Close"));

    frmButtons = new QGroupBox(QStringLiteral("Button Style (Click To Select)"), this);
    frmButtons->setObjectName(QStringLiteral("frmButtons"));
    cmdNoButton = NewButton("cmdNoButton", QStringLiteral("Target"), frmButtons);
    for (int i = 0; i < ObjectPictures::ButtonPictureCount; ++i) {
        auto *picture = new PictureLabel(frmButtons);
        picture->setObjectName(QStringLiteral("imgButton_%1").arg(i));
        picture->setPixmap(KeyedPixmap(ObjectPictures::ButtonPicture(i)));
        picture->setFixedSize(ObjectPictures::ButtonPictureSize(i));
        picture->setCursor(Qt::PointingHandCursor);
        imgButton[size_t(i)] = picture;
        connect(picture, &PictureLabel::clicked, this, [this, i] { imgButton_Click(i); });
        connect(picture, &PictureLabel::doubleClicked, this, [this, i] { imgButton_DblClick(i); });
    }

    // Layout: the settings in a grid, the picture frame below. Width and
    // height keep their place when hidden so the dialog does not jump.
    for (QWidget *w : {static_cast<QWidget *>(lblWidth), static_cast<QWidget *>(lblHeight),
                       static_cast<QWidget *>(cboWidth), static_cast<QWidget *>(cboHeight)}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }
    auto *grid = new QGridLayout;
    grid->addWidget(cboType, 0, 0, 1, 4);
    grid->addWidget(lblDevice, 1, 0);
    grid->addWidget(cboDevice, 1, 1);
    grid->addWidget(lblFontColor, 1, 2);
    grid->addWidget(cboTextColor, 1, 3);
    grid->addWidget(lblLeft, 2, 0);
    grid->addWidget(cboLeft, 2, 1);
    grid->addWidget(lblTop, 2, 2);
    grid->addWidget(cboTop, 2, 3);
    grid->addWidget(lblWidth, 3, 0);
    grid->addWidget(cboWidth, 3, 1);
    grid->addWidget(lblHeight, 3, 2);
    grid->addWidget(cboHeight, 3, 3);
    grid->addWidget(lblText, 4, 0);
    grid->addWidget(txtText, 4, 1, 1, 3);
    grid->addWidget(lblPassWord, 5, 0);
    auto *passwordRow = new QHBoxLayout;
    constexpr int Highest = ObjectTables::PasswordDigits - 1;
    for (int k = Highest; k >= 0; --k)
        passwordRow->addWidget(txtPassword[size_t(k)]);
    passwordRow->addStretch();
    // Tab walks the boxes as they are typed: from the left, the highest digit's box first.
    QWidget::setTabOrder(txtText, txtPassword[Highest]);
    for (int k = Highest; k > 0; --k)
        QWidget::setTabOrder(txtPassword[size_t(k)], txtPassword[size_t(k - 1)]);
    grid->addLayout(passwordRow, 5, 1, 1, 3);
    auto *commands = new QHBoxLayout;
    commands->addStretch();
    commands->addWidget(cmdUnused);
    commands->addWidget(cmdClose);

    // Picture frame: a size group per cell, square shape left of curved,
    // grey variant above blue.
    auto *pictures = new QGridLayout(frmButtons);
    pictures->addWidget(cmdNoButton, 0, 0, 1, 4, Qt::AlignLeft);
    for (int group = 0; group < 8; ++group) {
        for (int shape = 0; shape < 2; ++shape) {
            auto *cell = new QVBoxLayout;
            cell->addWidget(imgButton[size_t(group * 4 + shape * 2)]);
            cell->addWidget(imgButton[size_t(group * 4 + shape * 2 + 1)]);
            pictures->addLayout(cell, 1 + group / 2, (group % 2) * 2 + shape, Qt::AlignLeft | Qt::AlignTop);
        }
    }

    auto *main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addLayout(commands);
    main->addWidget(frmButtons);
    main->setSizeConstraint(QLayout::SetFixedSize);

    connect(cboType, &QComboBox::activated, this, &frmVantileButton::cboType_Click);
    connect(cboDevice, &QComboBox::activated, this, &frmVantileButton::cboDevice_Click);
    connect(cboLeft, &QComboBox::activated, this, &frmVantileButton::cboLeft_Click);
    connect(cboTop, &QComboBox::activated, this, &frmVantileButton::cboTop_Click);
    connect(cboWidth, &QComboBox::activated, this, &frmVantileButton::cboWidth_Click);
    connect(cboHeight, &QComboBox::activated, this, &frmVantileButton::cboHeight_Click);
    connect(cboTextColor, &QComboBox::activated, this, &frmVantileButton::cboTextColor_Click);
    connect(txtText, &QLineEdit::textEdited, this, &frmVantileButton::txtText_Change);
    connect(cmdNoButton, &QPushButton::clicked, this, &frmVantileButton::cmdNoButton_Click);
    connect(cmdUnused, &QPushButton::clicked, this, &frmVantileButton::cmdUnused_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    Form_Load();
}

void frmVantileButton::Form_Load()
{
    FillList(cboType, ObjectFields::ButtonFunctionEntries());
    FillList(cboDevice, DeviceEntries(m_));
    for (QComboBox *box : {cboLeft, cboTop, cboWidth, cboHeight})
        FillList(box, PositionEntries());
    FillList(cboTextColor, ObjectFields::ColourEntries());
}

void frmVantileButton::Form_Activate()
{
    const int n = object_;
    activating_ = true;
    showEntry(cboType, m_.GetButtonType(n), &frmVantileButton::cboType_Click);
    m_.SetButtonDevice(n, DeviceInRange(m_.GetButtonDevice(n)));
    showEntry(cboDevice, m_.GetButtonDevice(n), &frmVantileButton::cboDevice_Click);
    const QString password = ObjectTables::PasswordText(m_.GetButtonPassword(n)).right(ObjectTables::PasswordDigits);
    for (int k = 0; k < ObjectTables::PasswordDigits; ++k)
        txtPassword[size_t(k)]->setText(password.mid(ObjectTables::PasswordDigits - 1 - k, 1));
    showEntry(cboLeft, m_.GetButtonLeft(n), &frmVantileButton::cboLeft_Click);
    showEntry(cboTop, m_.GetButtonTop(n), &frmVantileButton::cboTop_Click);
    showEntry(cboWidth, m_.GetButtonWidth(n), &frmVantileButton::cboWidth_Click);
    showEntry(cboHeight, m_.GetButtonHeight(n), &frmVantileButton::cboHeight_Click);
    txtText->setText(m_.GetButtonText(n));
    txtText_Change();
    showEntry(cboTextColor, m_.GetButtonTextColor(n), &frmVantileButton::cboTextColor_Click);
    activating_ = false;
    EnabledShow();
}

void frmVantileButton::LiveUpdate()
{
    if (activating_)
        return;
    host_.UDButton(object_);
}

void frmVantileButton::EnabledShow()
{
    const bool plain = m_.GetButtonPicture(object_) == 0;
    for (QWidget *w : {static_cast<QWidget *>(lblWidth), static_cast<QWidget *>(lblHeight),
                       static_cast<QWidget *>(cboWidth), static_cast<QWidget *>(cboHeight)})
        w->setVisible(plain);
    txtText->setEnabled(!plain);
    cboTextColor->setEnabled(!plain);
    const bool password = m_.GetButtonType(object_) >= ObjectTables::PasswordHomeCode;
    for (QLineEdit *box : txtPassword)
        box->setEnabled(password);
}

void frmVantileButton::cboType_Click()
{
    const int t = cboType->currentIndex();
    if (t < 0)
        return;
    if (ObjectTables::IsSwitchAction(ObjectTables::DecodeButton(t).action) && !m_.InputTypeWarned) {
        messages_.Show(InputTypeWarning, QStringLiteral("Verify Input Type"), MessagePrompt::Icon::Information);
        m_.InputTypeWarned = true;
    }
    m_.SetButtonType(object_, t);
    LiveUpdate();
    EnabledShow();
}

void frmVantileButton::cboDevice_Click()
{
    if (cboDevice->currentIndex() < 0)
        return;
    m_.SetButtonDevice(object_, cboDevice->currentIndex());
    LiveUpdate();
}

void frmVantileButton::cboLeft_Click()
{
    if (cboLeft->currentIndex() < 0)
        return;
    m_.SetButtonLeft(object_, cboLeft->currentIndex());
    LiveUpdate();
}

void frmVantileButton::cboTop_Click()
{
    if (cboTop->currentIndex() < 0)
        return;
    m_.SetButtonTop(object_, cboTop->currentIndex());
    LiveUpdate();
}

void frmVantileButton::cboWidth_Click()
{
    if (cboWidth->currentIndex() < 0)
        return;
    m_.SetButtonWidth(object_, cboWidth->currentIndex());
    LiveUpdate();
}

void frmVantileButton::cboHeight_Click()
{
    if (cboHeight->currentIndex() < 0)
        return;
    m_.SetButtonHeight(object_, cboHeight->currentIndex());
    LiveUpdate();
}

void frmVantileButton::cboTextColor_Click()
{
    if (cboTextColor->currentIndex() < 0)
        return;
    m_.SetButtonTextColor(object_, cboTextColor->currentIndex());
    LiveUpdate();
}

void frmVantileButton::txtText_Change()
{
    m_.SetButtonText(object_, txtText->text());
    LiveUpdate();
}

void frmVantileButton::txtPassword_KeyPress(int k, QChar key)
{
    if (key < QLatin1Char('0') || key > QLatin1Char('9'))
        return;
    const int d = key.unicode() - '0';
    const int p = m_.GetButtonPassword(object_);
    const int above = power10(k + 1);
    const int weight = power10(k);
    m_.SetButtonPassword(object_, (p / above) * above + (p % weight) + d * weight);
    txtPassword[size_t(k)]->setText(QString(key));
    txtPassword[size_t(k == 0 ? ObjectTables::PasswordDigits - 1 : k - 1)]->setFocus(Qt::OtherFocusReason);
    LiveUpdate();
}

void frmVantileButton::imgButton_Click(int i)
{
    const int n = object_;
    ObjectFields::Set(m_, ObjectFields::Kind::Button, n, ObjectFields::Id::Picture, i + 1);
    showEntry(cboWidth, m_.GetButtonWidth(n), &frmVantileButton::cboWidth_Click);
    showEntry(cboHeight, m_.GetButtonHeight(n), &frmVantileButton::cboHeight_Click);
    showEntry(cboType, m_.GetButtonType(n), &frmVantileButton::cboType_Click);
    EnabledShow();
    LiveUpdate();
}

void frmVantileButton::imgButton_DblClick(int i)
{
    const int n = object_;
    if (m_.GetButtonType(n) == 0)
        m_.SetButtonType(n, 1);
    showEntry(cboType, m_.GetButtonType(n), &frmVantileButton::cboType_Click);
    m_.SetButtonPicture(n, i + 1);
    LiveUpdate();
}

void frmVantileButton::cmdNoButton_Click()
{
    const int n = object_;
    ObjectFields::Set(m_, ObjectFields::Kind::Button, n, ObjectFields::Id::Picture, 0);
    showEntry(cboType, m_.GetButtonType(n), &frmVantileButton::cboType_Click);
    EnabledShow();
    LiveUpdate();
}

void frmVantileButton::cmdUnused_Click()
{
    showEntry(cboType, 0, &frmVantileButton::cboType_Click);
}

void frmVantileButton::done(int result)
{
    if (m_.GetButtonType(object_) == 0)
        m_.LastButton = -1;
    QDialog::done(result);
}

bool frmVantileButton::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (watched == txtText)
        return key->text() == QLatin1String(",");
    for (int k = 0; k < ObjectTables::PasswordDigits; ++k) {
        if (watched != txtPassword[size_t(k)])
            continue;
        // Focus keys still move between the boxes; everything else that
        // could edit a box is taken here, so each box always holds its digit.
        switch (key->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return false;
        default:
            break;
        }
        if (key->text().size() == 1 && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            txtPassword_KeyPress(k, key->text().at(0));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
