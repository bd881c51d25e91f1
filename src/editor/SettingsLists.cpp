#include "editor/SettingsLists.h"

#include "editor/Twips.h"
#include "model/modVantile.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionButton>

namespace
{

const QColor ListGrey(224, 224, 224);
const QColor HighlightYellow(255, 255, 0);

// Designed left edges of the lists, in twips.
constexpr int ButtonsLeft = 7800, PilotsLeft = 10920, SlidersLeft = 13560;

// A check box whose caption wraps inside its width, as the design's narrow
// "ShowText Boxes (Edit Only)" box needs.
class WrappingCheckBox : public QCheckBox
{
public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        const QString caption = option.text;
        option.text.clear();
        const QRect indicator = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
        option.rect = indicator;
        style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, this);
        const QRect textArea(indicator.right() + 5, 0, width() - indicator.right() - 5, height());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, caption);
    }
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }
};

void paint(QLabel *line, const QColor &color)
{
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, color);
    line->setPalette(palette);
}

} // namespace

SettingsLists::SettingsLists(QWidget *client) : QObject(client)
{
    frmButtons = buildList(client, QStringLiteral("frmButtons"), QStringLiteral("Buttons"),
                           QRect(ButtonsLeft, 600, 3015, 8055), modVantile::ButtonCount, 2295,
                           QStringLiteral("cmdBEdit"), QStringLiteral("lblBSettings"), ObjectKind::Button);
    frmPilots = buildList(client, QStringLiteral("frmPilots"), QStringLiteral("Pilots"),
                          QRect(PilotsLeft, 600, 2535, 8055), modVantile::PilotCount, 1815, QStringLiteral("cmdPEdit"),
                          QStringLiteral("lblPSettings"), ObjectKind::Pilot);
    frmSliders = buildList(client, QStringLiteral("frmSliders"), QStringLiteral("Sliders"),
                           QRect(SlidersLeft, 600, 2055, 2295), modVantile::SliderCount, 1335,
                           QStringLiteral("cmdSEdit"), QStringLiteral("lblSSettings"), ObjectKind::Slider);
    frmTitlesLarge = buildList(client, QStringLiteral("frmTitlesLarge"), QStringLiteral("Text / Bar Graph"),
                               QRect(SlidersLeft, 3000, 2055, 4695), modVantile::TextCount, 1335,
                               QStringLiteral("cmdTEdit"), QStringLiteral("lblTSettings"), ObjectKind::Text);

    chkHideTitleBG = new WrappingCheckBox(QStringLiteral("ShowText Boxes (Edit Only)"), frmTitlesLarge);
    chkHideTitleBG->setObjectName(QStringLiteral("chkHideTitleBG"));
    Twips::SetGeometry(chkHideTitleBG, 120, 4200, 1815, 375);
    connect(chkHideTitleBG, &QCheckBox::clicked, this, &SettingsLists::ShowTextBoxesClicked);
}

QGroupBox *SettingsLists::buildList(QWidget *client, const QString &name, const QString &caption, const QRect &twips,
                                    int rows, int lineWidth, const QString &editName, const QString &lineName,
                                    ObjectKind kind)
{
    std::vector<QPushButton *> &edits = kind == ObjectKind::Button   ? cmdBEdit
                                        : kind == ObjectKind::Pilot  ? cmdPEdit
                                        : kind == ObjectKind::Slider ? cmdSEdit
                                                                     : cmdTEdit;
    std::vector<QLabel *> &lines = kind == ObjectKind::Button   ? lblBSettings
                                   : kind == ObjectKind::Pilot  ? lblPSettings
                                   : kind == ObjectKind::Slider ? lblSSettings
                                                                : lblTSettings;
    auto *frame = new QGroupBox(caption, client);
    frame->setObjectName(name);
    Twips::SetGeometry(frame, twips.x(), twips.y(), twips.width(), twips.height());
    frame->setAutoFillBackground(true);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::Window, ListGrey);
    frame->setPalette(palette);
    for (int i = 0; i < rows; ++i) {
        auto *edit = new QPushButton(QStringLiteral("Edit"), frame);
        edit->setObjectName(QStringLiteral("%1_%2").arg(editName).arg(i));
        Twips::SetGeometry(edit, 120, 240 + 240 * i, 495, 255);
        edit->setFocusPolicy(Qt::NoFocus);
        connect(edit, &QPushButton::clicked, this, [this, kind, i] { emit EditClicked(kind, i); });
        edits.push_back(edit);

        auto *line = new QLabel(frame);
        line->setObjectName(QStringLiteral("%1_%2").arg(lineName).arg(i));
        Twips::SetGeometry(line, 600, 240 + 240 * i, lineWidth, 255);
        line->setFrameStyle(QFrame::Box | QFrame::Plain);
        line->setLineWidth(1);
        line->setAutoFillBackground(true);
        line->setPalette(palette);
        line->setIndent(2);
        lines.push_back(line);
    }
    return frame;
}

QLabel *SettingsLists::Line(ObjectKind kind, int n) const
{
    switch (kind) {
    case ObjectKind::Button:
        return lblBSettings[size_t(n)];
    case ObjectKind::Pilot:
        return lblPSettings[size_t(n)];
    case ObjectKind::Slider:
        return lblSSettings[size_t(n)];
    case ObjectKind::Text:
        break;
    }
    return lblTSettings[size_t(n)];
}

void SettingsLists::ClearHL()
{
    for (QLabel *line : lblTSettings)
        paint(line, ListGrey);
    for (size_t j = 0; j < lblBSettings.size(); ++j) {
        paint(lblBSettings[j], ListGrey);
        paint(lblPSettings[j], ListGrey);
    }
    for (QLabel *line : lblSSettings)
        paint(line, ListGrey);
    highlighted_ = {};
}

void SettingsLists::Highlight(ObjectKind kind, int n)
{
    ClearHL();
    paint(Line(kind, n), HighlightYellow);
    highlighted_ = {kind, n};
}

bool SettingsLists::ShowTextBoxes() const
{
    return chkHideTitleBG->isChecked();
}

void SettingsLists::SetShowTextBoxes(bool show)
{
    chkHideTitleBG->setChecked(show);
}

void SettingsLists::Shift(int pixels)
{
    frmButtons->move(Twips::Pixels(ButtonsLeft) + pixels, frmButtons->y());
    frmPilots->move(Twips::Pixels(PilotsLeft) + pixels, frmPilots->y());
    frmSliders->move(Twips::Pixels(SlidersLeft) + pixels, frmSliders->y());
    frmTitlesLarge->move(Twips::Pixels(SlidersLeft) + pixels, frmTitlesLarge->y());
}

void SettingsLists::RaiseEditButtons()
{
    for (auto *list : {&cmdBEdit, &cmdPEdit, &cmdSEdit, &cmdTEdit})
        for (QPushButton *edit : *list) {
            edit->show();
            edit->raise();
        }
}

int SettingsLists::Left(const QWidget *window) const
{
    return frmButtons->mapTo(window, QPoint(0, 0)).x();
}
