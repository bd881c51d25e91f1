#include "editor/SettingsLists.h"

#include "editor/Twips.h"
#include "model/modVantile.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionButton>

namespace
{

const QColor ListGrey(224, 224, 224);
const QColor HighlightYellow(255, 255, 0);

// Designed left edges of the lists, in twips.
constexpr int ButtonsLeft = 7800, PilotsLeft = 10920, SlidersLeft = 13560;
// Designed places of the lists, in twips: left, top, width, height.
constexpr int ListsTop = 600, TextsTop = 3000;
constexpr int ButtonsWidth = 3015, PilotsWidth = 2535, SlidersWidth = 2055;
constexpr int ButtonsHeight = 8055, SlidersHeight = 2295, TextsHeight = 4695;
// The lines inside a list: the first one's top, the step, the Edit button
// and the line (its width for buttons; every compact list has that width).
constexpr int FirstLine = 240, LineStep = 240, LineHeight = 255;
constexpr int EditLeft = 120, EditWidth = 495, LineLeft = 600, ButtonLineWidth = 2295;
constexpr int PilotLineWidth = 1815, SliderLineWidth = 1335;
// "ShowText Boxes (Edit Only)" in the text list.
constexpr int CheckTop = 4200, CheckWidth = 1815, CheckHeight = 375;

struct Design {
    int left, top, width, height, lineWidth;
};
Design designOf(ObjectTables::ObjectKind kind)
{
    switch (kind) {
    case ObjectTables::ObjectKind::Button:
        return {ButtonsLeft, ListsTop, ButtonsWidth, ButtonsHeight, ButtonLineWidth};
    case ObjectTables::ObjectKind::Pilot:
        return {PilotsLeft, ListsTop, PilotsWidth, ButtonsHeight, PilotLineWidth};
    case ObjectTables::ObjectKind::Slider:
        return {SlidersLeft, ListsTop, SlidersWidth, SlidersHeight, SliderLineWidth};
    case ObjectTables::ObjectKind::Text:
        break;
    }
    return {SlidersLeft, TextsTop, SlidersWidth, TextsHeight, SliderLineWidth};
}

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

SettingsLists::SettingsLists(QWidget *client) : QObject(client), client_(client)
{
    auto design = [](ObjectKind kind) {
        const Design d = designOf(kind);
        return QRect(d.left, d.top, d.width, d.height);
    };
    frmButtons = buildList(client, QStringLiteral("frmButtons"), QStringLiteral("Buttons"), design(ObjectKind::Button),
                           modVantile::ButtonCount, ButtonLineWidth, QStringLiteral("cmdBEdit"),
                           QStringLiteral("lblBSettings"), ObjectKind::Button);
    frmPilots = buildList(client, QStringLiteral("frmPilots"), QStringLiteral("Pilots"), design(ObjectKind::Pilot),
                          modVantile::PilotCount, PilotLineWidth, QStringLiteral("cmdPEdit"),
                          QStringLiteral("lblPSettings"), ObjectKind::Pilot);
    frmSliders = buildList(client, QStringLiteral("frmSliders"), QStringLiteral("Sliders"), design(ObjectKind::Slider),
                           modVantile::SliderCount, SliderLineWidth, QStringLiteral("cmdSEdit"),
                           QStringLiteral("lblSSettings"), ObjectKind::Slider);
    frmTitlesLarge = buildList(client, QStringLiteral("frmTitlesLarge"), QStringLiteral("Text / Bar Graph"),
                               design(ObjectKind::Text), modVantile::TextCount, SliderLineWidth,
                               QStringLiteral("cmdTEdit"), QStringLiteral("lblTSettings"), ObjectKind::Text);

    chkHideTitleBG = new WrappingCheckBox(QStringLiteral("ShowText Boxes (Edit Only)"), frmTitlesLarge);
    chkHideTitleBG->setObjectName(QStringLiteral("chkHideTitleBG"));
    Twips::SetGeometry(chkHideTitleBG, EditLeft, CheckTop, CheckWidth, CheckHeight);
    connect(chkHideTitleBG, &QCheckBox::clicked, this, &SettingsLists::ShowTextBoxesClicked);

    const QString newNames[] = {QStringLiteral("cmdBNew"), QStringLiteral("cmdPNew"), QStringLiteral("cmdSNew"),
                                QStringLiteral("cmdTNew")};
    const QString newCaptions[] = {QStringLiteral("New Button"), QStringLiteral("New Pilot"),
                                   QStringLiteral("New Slider"), QStringLiteral("New Text / Bar Graph")};
    for (int k = 0; k < ObjectTables::ObjectKindCount; ++k) {
        const auto kind = ObjectKind(k);
        used_[size_t(k)].assign(size_t(ObjectTables::SlotCounts[size_t(k)]), false);
        auto *add = new QPushButton(newCaptions[k], frame(kind));
        add->setObjectName(newNames[k]);
        add->setFocusPolicy(Qt::NoFocus);
        add->hide();
        connect(add, &QPushButton::clicked, this, [this, kind] { emit NewClicked(kind); });
        cmdNew[size_t(k)] = add;
    }
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
        Twips::SetGeometry(edit, EditLeft, FirstLine + LineStep * i, EditWidth, LineHeight);
        edit->setFocusPolicy(Qt::NoFocus);
        connect(edit, &QPushButton::clicked, this, [this, kind, i] { emit EditClicked(kind, i); });
        edits.push_back(edit);

        auto *line = new QLabel(frame);
        line->setObjectName(QStringLiteral("%1_%2").arg(lineName).arg(i));
        Twips::SetGeometry(line, LineLeft, FirstLine + LineStep * i, lineWidth, LineHeight);
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
    shift_ = pixels;
    if (mode_ == Settings::ListsMode::Compact)
        return;
    for (int k = 0; k < ObjectTables::ObjectKindCount; ++k) {
        const Design d = designOf(ObjectKind(k));
        QGroupBox *list = frame(ObjectKind(k));
        list->move(Twips::Pixels(d.left) + pixels, list->y());
    }
}

void SettingsLists::RaiseEditButtons()
{
    for (auto *list : {&cmdBEdit, &cmdPEdit, &cmdSEdit, &cmdTEdit})
        for (QPushButton *edit : *list) {
            edit->show();
            edit->raise();
        }
    if (mode_ == Settings::ListsMode::Compact)
        for (int k = 0; k < ObjectTables::ObjectKindCount; ++k)
            compactLayout(ObjectKind(k));
}

int SettingsLists::Left(const QWidget *window) const
{
    return frmButtons->mapTo(window, QPoint(0, 0)).x();
}

QPushButton *SettingsLists::editButton(ObjectKind kind, int n) const
{
    const std::vector<QPushButton *> &edits = kind == ObjectKind::Button   ? cmdBEdit
                                              : kind == ObjectKind::Pilot  ? cmdPEdit
                                              : kind == ObjectKind::Slider ? cmdSEdit
                                                                           : cmdTEdit;
    return edits[size_t(n)];
}

QGroupBox *SettingsLists::frame(ObjectKind kind) const
{
    switch (kind) {
    case ObjectKind::Button:
        return frmButtons;
    case ObjectKind::Pilot:
        return frmPilots;
    case ObjectKind::Slider:
        return frmSliders;
    case ObjectKind::Text:
        break;
    }
    return frmTitlesLarge;
}

void SettingsLists::SetMode(Settings::ListsMode mode, QWidget *column)
{
    mode_ = mode;
    for (int k = 0; k < ObjectTables::ObjectKindCount; ++k) {
        const auto kind = ObjectKind(k);
        QGroupBox *list = frame(kind);
        if (mode == Settings::ListsMode::Compact) {
            list->setParent(column);
            if (column->layout())
                column->layout()->addWidget(list);
            compactLayout(kind);
        } else {
            if (list->parentWidget() != client_) {
                if (list->parentWidget() && list->parentWidget()->layout())
                    list->parentWidget()->layout()->removeWidget(list);
                list->setParent(client_);
            }
            fullLayout(kind);
        }
        list->setVisible(mode != Settings::ListsMode::Hidden);
    }
}

void SettingsLists::SetUsed(ObjectKind kind, int n, bool used)
{
    std::vector<bool> &inUse = used_[size_t(kind)];
    if (n < 0 || size_t(n) >= inUse.size() || inUse[size_t(n)] == used)
        return;
    inUse[size_t(n)] = used;
    if (mode_ == Settings::ListsMode::Compact)
        compactLayout(kind);
}

// Only the lines in use, one after the other, then "New ...".
void SettingsLists::compactLayout(ObjectKind kind)
{
    QGroupBox *list = frame(kind);
    const std::vector<bool> &inUse = used_[size_t(kind)];
    int shown = 0;
    for (size_t n = 0; n < inUse.size(); ++n) {
        QLabel *line = Line(kind, int(n));
        QPushButton *edit = editButton(kind, int(n));
        const int top = FirstLine + LineStep * shown;
        edit->setVisible(inUse[n]);
        Twips::SetGeometry(edit, EditLeft, top, EditWidth, LineHeight);
        line->setVisible(inUse[n]);
        Twips::SetGeometry(line, LineLeft, top, ButtonLineWidth, LineHeight);
        if (inUse[n])
            ++shown;
    }
    int top = FirstLine + LineStep * shown;
    QPushButton *add = cmdNew[size_t(kind)];
    Twips::SetGeometry(add, EditLeft, top, LineLeft + ButtonLineWidth - EditLeft, LineHeight);
    add->show();
    top += LineStep;
    if (kind == ObjectKind::Text) {
        Twips::SetGeometry(chkHideTitleBG, EditLeft, top + LineStep / 4, CheckWidth, CheckHeight);
        top += CheckHeight + LineStep / 4;
    }
    list->setFixedSize(Twips::Pixels(ButtonsWidth), Twips::Pixels(top + LineStep / 2));
}

// Every line at its designed place.
void SettingsLists::fullLayout(ObjectKind kind)
{
    QGroupBox *list = frame(kind);
    const Design d = designOf(kind);
    list->setMinimumSize(0, 0);
    list->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    Twips::SetGeometry(list, d.left, d.top, d.width, d.height);
    list->move(list->x() + shift_, list->y());
    for (int n = 0; n < int(used_[size_t(kind)].size()); ++n) {
        QLabel *line = Line(kind, n);
        Twips::SetGeometry(line, LineLeft, FirstLine + LineStep * n, d.lineWidth, LineHeight);
        line->show();
        QPushButton *edit = editButton(kind, n);
        Twips::SetGeometry(edit, EditLeft, FirstLine + LineStep * n, EditWidth, LineHeight);
        edit->show();
    }
    cmdNew[size_t(kind)]->hide();
    if (kind == ObjectKind::Text)
        Twips::SetGeometry(chkHideTitleBG, EditLeft, CheckTop, CheckWidth, CheckHeight);
}
