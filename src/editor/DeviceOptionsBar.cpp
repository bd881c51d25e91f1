#include "editor/DeviceOptionsBar.h"

#include "editor/Twips.h"
#include "model/Document.h"
#include "model/Settings.h"
#include "model/modVantile.h"
#include "platform/Prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

#include <algorithm>

DeviceOptionsBar::DeviceOptionsBar(Document &document, MessagePrompt &messages, QWidget *parent)
    : QGroupBox(QStringLiteral("Device Options"), parent), document_(document), messages_(messages)
{
    setObjectName(QStringLiteral("frmSettings"));
    Twips::SetGeometry(this, 120, 0, 7455, 735);

    // The six options share one row of the narrow frame: a slightly smaller
    // font lets every entry show in full.
    QFont optionsFont = font();
    optionsFont.setPixelSize(10);
    setFont(optionsFont);
    // The two orientations sit one above the other inside the frame, below
    // the line the style draws under the title.
    const QStringList orientations{QStringLiteral("Landscape"), QStringLiteral("Portrait")};
    const int top = contentsRect().top();
    const int row = std::min(17, (height() - top) / 2);
    for (int i = 0; i < 2; ++i) {
        auto *option = new QRadioButton(orientations[i], this);
        option->setObjectName(QStringLiteral("optLayout_%1").arg(i));
        option->setGeometry(4, top + row * i, 74, row);
        connect(option, &QRadioButton::clicked, this, [this, i] { optLayout_Click(i); });
        optLayout[size_t(i)] = option;
    }
    auto combo = [this](const char *name, int left, int width, void (DeviceOptionsBar::*slot)()) {
        auto *box = new QComboBox(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setGeometry(left, 19, width, 22);
        box->setMaxVisibleItems(16);
        connect(box, &QComboBox::activated, this, slot);
        return box;
    };
    cboQXAddress = combo("cboQXAddress", 80, 106, &DeviceOptionsBar::cboQXAddress_Click);
    cboQXRange = combo("cboQXRange", 189, 104, &DeviceOptionsBar::cboQXRange_Click);
    chkBeep = new QCheckBox(QStringLiteral("Audio"), this);
    chkBeep->setObjectName(QStringLiteral("chkBeep"));
    chkBeep->setGeometry(296, 21, 51, 18);
    connect(chkBeep, &QCheckBox::clicked, this, &DeviceOptionsBar::chkBeep_Click);
    cboScnRes = combo("cboScnRes", 350, 69, &DeviceOptionsBar::cboScnRes_Click);
    cboCmdSet = combo("cboCmdSet", 422, 72, &DeviceOptionsBar::cboCmdSet_Click);
}

void DeviceOptionsBar::FillLists()
{
    cboQXAddress->addItems(Settings::NodeAddressEntries());
    cboQXRange->addItems(Settings::NodeRangeEntries());
    cboScnRes->addItems(Settings::ResolutionEntries());
    cboCmdSet->addItems(Settings::CommandSetEntries());
    for (QComboBox *box : {cboQXAddress, cboQXRange, cboScnRes, cboCmdSet})
        box->setCurrentIndex(0);
}

void DeviceOptionsBar::ShowOptions()
{
    const modVantile &m = document_.Model();
    auto show = [](QComboBox *box, int index) {
        box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
    };
    optLayout[m.GetLayout() != 0 ? 1 : 0]->setChecked(true);
    show(cboScnRes, m.GetResolution());
    chkBeep->setChecked(m.GetBeep() != 0);
    show(cboCmdSet, m.GetCommandSet());
    show(cboQXAddress, m.GetNodeAddress());
    show(cboQXRange, m.GetNodeRange());
}

// One device option as one step; choosing what is already set is none, and
// a refused choice shows the stored option again.
template <class Set> void DeviceOptionsBar::setOption(const QString &text, Set set)
{
    Document::Edit edit(document_, text);
    edit.Options();
    set(document_.Model());
    edit.Commit();
}

void DeviceOptionsBar::optLayout_Click(int index)
{
    emit Choosing(Option::Orientation);
    setOption(QStringLiteral("Change Orientation"), [&](modVantile &m) { m.SetLayout(index == 0 ? 0 : 1); });
}

void DeviceOptionsBar::cboScnRes_Click()
{
    emit Choosing(Option::Resolution);
    setOption(QStringLiteral("Change Resolution"), [&](modVantile &m) { m.SetResolution(cboScnRes->currentIndex()); });
}

void DeviceOptionsBar::chkBeep_Click()
{
    emit Choosing(Option::Beep);
    setOption(QStringLiteral("Change Audio"), [&](modVantile &m) { m.SetBeep(chkBeep->isChecked() ? 1 : 0); });
}

void DeviceOptionsBar::cboCmdSet_Click()
{
    emit Choosing(Option::CommandSet);
    setOption(QStringLiteral("Change Command Set"), [&](modVantile &m) { m.SetCommandSet(cboCmdSet->currentIndex()); });
}

void DeviceOptionsBar::addressRangeChanged(bool address)
{
    emit Choosing(address ? Option::NodeAddress : Option::NodeRange);
    const int a = cboQXAddress->currentIndex();
    const int r = cboQXRange->currentIndex();
    const bool valid = Settings::AddressRangeValid(a, r);
    if (!valid)
        messages_.Show(QStringLiteral("Base Address + Range Invalid"), QStringLiteral("Error"),
                       MessagePrompt::Icon::Critical, MessagePrompt::Buttons::Ok);
    setOption(address ? QStringLiteral("Change Node Address") : QStringLiteral("Change Node Range"),
              [&](modVantile &m) {
                  if (valid && address)
                      m.SetNodeAddress(a);
                  else if (valid)
                      m.SetNodeRange(r);
              });
}

void DeviceOptionsBar::cboQXAddress_Click()
{
    addressRangeChanged(true);
}

void DeviceOptionsBar::cboQXRange_Click()
{
    addressRangeChanged(false);
}
