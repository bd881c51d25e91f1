#include "editor/Inspector.h"

#include "assets/ObjectPictures.h"
#include "dialogs/DialogControls.h"
#include "dialogs/frmVantileButton.h"
#include "editor/ObjectSelection.h"
#include "model/Document.h"
#include "model/ObjectNames.h"
#include "model/Settings.h"
#include "model/modVantile.h"
#include "platform/Prompts.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace
{

using Kind = ObjectTables::ObjectKind;
using ObjectFields::Id;

// Merge ids of typing steps: one per visit of a field, apart from the ids
// the arrow keys use.
constexpr int TypingMergeBase = 5000, TypingMergeIds = 1000;

const char *idName(Id id)
{
    switch (id) {
    case Id::Function:
        return "Function";
    case Id::Type:
        return "Type";
    case Id::Device:
        return "Device";
    case Id::Input:
        return "Input";
    case Id::Left:
        return "Left";
    case Id::Top:
        return "Top";
    case Id::Width:
        return "Width";
    case Id::Height:
        return "Height";
    case Id::Text:
        return "Text";
    case Id::FontSize:
        return "FontSize";
    case Id::Colour:
        return "Colour";
    case Id::Picture:
        return "Picture";
    case Id::Password:
        return "Password";
    }
    return "";
}

QIcon pictureIcon(Kind kind, int value)
{
    QImage image;
    if (kind == Kind::Button && value > 0)
        image = ObjectPictures::ButtonPicture(value - 1);
    else if (kind == Kind::Pilot)
        image = ObjectPictures::PilotOnPicture(value);
    else if (kind == Kind::Slider && value > 0)
        image = ObjectPictures::SliderSelectorPicture(value - 1);
    if (image.isNull())
        return {};
    return QIcon(DialogControls::KeyedPixmap(image).scaled(32, 20, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

QString entry(const QStringList &entries, int index)
{
    return index >= 0 && index < entries.size() ? entries[index] : QStringLiteral("?");
}

} // namespace

Inspector::Inspector(Document &document, MessagePrompt &messages, ObjectSelection &selection, QWidget *parent)
    : QWidget(parent), document_(document), messages_(messages), selection_(selection)
{
    setObjectName(QStringLiteral("frmInspector"));
    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(6, 6, 6, 6);
    lblInsTitle = new QLabel(this);
    lblInsTitle->setObjectName(QStringLiteral("lblInsTitle"));
    QFont bold = lblInsTitle->font();
    bold.setBold(true);
    lblInsTitle->setFont(bold);
    main->addWidget(lblInsTitle);

    objectPage_ = new QWidget(this);
    auto *form = new QFormLayout(objectPage_);
    form->setContentsMargins(0, 0, 0, 0);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    for (Id id : ObjectFields::All) {
        Row &r = row(id);
        const QString name = QString::fromLatin1(idName(id));
        r.label = new QLabel(objectPage_);
        r.label->setObjectName(QStringLiteral("lblIns") + name);
        if (ObjectFields::Typed(id)) {
            r.edit = new QLineEdit(objectPage_);
            r.edit->setObjectName(QStringLiteral("txtIns") + name);
            r.edit->setContextMenuPolicy(Qt::NoContextMenu);
            r.field = r.edit;
            connect(r.edit, &QLineEdit::textEdited, this, [this, id] { typed(id); });
            connect(r.edit, &QLineEdit::editingFinished, this, [this, id] { finished(id); });
        } else {
            r.list = DialogControls::NewList(qPrintable(QStringLiteral("cboIns") + name), objectPage_);
            r.list->setMinimumContentsLength(8);
            r.list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            r.field = r.list;
            connect(r.list, &QComboBox::activated, this, [this, id](int index) { chosen(id, index); });
        }
        if (id == Id::Password) {
            // The digits show as dots until the user asks for them.
            r.edit->setEchoMode(QLineEdit::Password);
            r.edit->setMaxLength(ObjectTables::PasswordDigits);
            cmdInsShowPassword = new QToolButton(objectPage_);
            cmdInsShowPassword->setObjectName(QStringLiteral("cmdInsShowPassword"));
            cmdInsShowPassword->setText(QStringLiteral("Show"));
            cmdInsShowPassword->setCheckable(true);
            cmdInsShowPassword->setFocusPolicy(Qt::NoFocus);
            connect(cmdInsShowPassword, &QToolButton::toggled, this, [this](bool show) {
                row(Id::Password).edit->setEchoMode(show ? QLineEdit::Normal : QLineEdit::Password);
            });
            auto *box = new QWidget(objectPage_);
            auto *line = new QHBoxLayout(box);
            line->setContentsMargins(0, 0, 0, 0);
            line->addWidget(r.edit);
            line->addWidget(cmdInsShowPassword);
            r.field = box;
        }
        form->addRow(r.label, r.field);
    }
    main->addWidget(objectPage_);

    lblInsReason = new QLabel(this);
    lblInsReason->setObjectName(QStringLiteral("lblInsReason"));
    lblInsReason->setWordWrap(true);
    QPalette red = lblInsReason->palette();
    red.setColor(QPalette::WindowText, QColor(192, 0, 0));
    lblInsReason->setPalette(red);
    lblInsReason->hide();
    main->addWidget(lblInsReason);

    screenPage_ = new QWidget(this);
    auto *screen = new QFormLayout(screenPage_);
    screen->setContentsMargins(0, 0, 0, 0);
    lblInsBackground = new QLabel(screenPage_);
    lblInsBackground->setObjectName(QStringLiteral("lblInsBackground"));
    lblInsBackground->setWordWrap(true);
    auto *select = new QPushButton(QStringLiteral("Select..."), screenPage_);
    select->setObjectName(QStringLiteral("cmdInsBackground"));
    select->setAutoDefault(false);
    connect(select, &QPushButton::clicked, this, &Inspector::BackgroundWanted);
    screen->addRow(QStringLiteral("Background"), lblInsBackground);
    screen->addRow(QString(), select);
    lblInsOptions = new QLabel(screenPage_);
    lblInsOptions->setObjectName(QStringLiteral("lblInsOptions"));
    screen->addRow(lblInsOptions);
    main->addWidget(screenPage_);
    main->addStretch();

    connect(&selection_, &ObjectSelection::Changed, this, &Inspector::Refresh);
    Refresh();
}

void Inspector::Refresh()
{
    showing_ = true;
    const QList<Object> objects = selection_.Objects();
    const bool newSelection = objects != shown_;
    if (newSelection) {
        ++typingSession_;
        lblInsReason->hide();
    }
    shown_ = objects;
    objectPage_->setVisible(!objects.isEmpty());
    screenPage_->setVisible(objects.isEmpty());
    if (objects.isEmpty())
        showScreen();
    else
        showObjects(newSelection);
    showing_ = false;
}

void Inspector::keyPressEvent(QKeyEvent *event)
{
    event->accept();
}

void Inspector::showScreen()
{
    const modVantile &m = document_.Model();
    const int screen = m.CurrentScreen;
    lblInsTitle->setText(screen == 0 ? ScreenName(0) : QStringLiteral("Screen ") + ScreenName(screen));
    const QString background = m.ScreenBackground[size_t(screen)];
    lblInsBackground->setText(IsColorBackground(background) ? QStringLiteral("Solid Color") : background);
    lblInsOptions->setVisible(screen == 0);
    if (screen != 0)
        return;
    // The device options live on Home; they are changed in the Device Options frame.
    const QStringList lines{QStringLiteral("Device Options"),
                            m.GetLayout() == 0 ? QStringLiteral("Landscape") : QStringLiteral("Portrait"),
                            entry(Settings::NodeAddressEntries(), m.GetNodeAddress()),
                            entry(Settings::NodeRangeEntries(), m.GetNodeRange()),
                            QStringLiteral("Audio: ") +
                                (m.GetBeep() != 0 ? QStringLiteral("On") : QStringLiteral("Off")),
                            QStringLiteral("Resolution: ") + entry(Settings::ResolutionEntries(), m.GetResolution()),
                            QStringLiteral("Command Set: ") + entry(Settings::CommandSetEntries(), m.GetCommandSet())};
    lblInsOptions->setText(lines.join(QLatin1Char('\n')));
}

// A field shows for a selection when every object has it; a list only
// when its entries mean the same for all of them.
bool Inspector::shared(Id id) const
{
    if (shown_.isEmpty())
        return false;
    for (const Object &o : shown_) {
        if (!ObjectFields::Has(o.kind, id))
            return false;
        if (!ObjectFields::Typed(id) && id != Id::Device && id != Id::Colour && o.kind != shown_.last().kind)
            return false;
    }
    return true;
}

Inspector::~Inspector()
{
    for (QObject *child : findChildren<QObject *>())
        child->disconnect(this);
}

QString Inspector::shownText(Id id, const Object &o) const
{
    const modVantile &m = document_.Model();
    if (id == Id::Text)
        return ObjectFields::Text(m, o.kind, o.slot);
    const int value = ObjectFields::Value(m, o.kind, o.slot, id);
    return id == Id::Password ? ObjectTables::PasswordText(value) : QString::number(value);
}

void Inspector::showObjects(bool newSelection)
{
    const modVantile &m = document_.Model();
    const Object current = shown_.last();
    lblInsTitle->setText(shown_.size() == 1 ? ObjectName(current.kind, current.slot)
                                            : QStringLiteral("%1 Objects").arg(shown_.size()));
    for (Id id : ObjectFields::All) {
        Row &r = row(id);
        const bool visible = shared(id);
        r.label->setVisible(visible);
        r.field->setVisible(visible);
        if (!visible)
            continue;
        r.label->setText(ObjectFields::Label(current.kind, id));
        bool editable = true;
        for (const Object &o : shown_)
            editable = editable && ObjectFields::Editable(m, o.kind, o.slot, id);
        r.field->setEnabled(editable);
        if (r.list) {
            const QStringList entries = ObjectFields::Entries(m, current.kind, id);
            const QVariant kind = QVariant::fromValue(int(current.kind));
            if (r.list->property("entries").toStringList() != entries || r.list->property("kind") != kind) {
                r.list->clear();
                for (int i = 0; i < entries.size(); ++i)
                    r.list->addItem(id == Id::Picture ? pictureIcon(current.kind, i) : QIcon(), entries[i]);
                r.list->setProperty("entries", entries);
                r.list->setProperty("kind", kind);
            }
            int value = ObjectFields::Value(m, current.kind, current.slot, id);
            for (const Object &o : shown_)
                if (ObjectFields::Value(m, o.kind, o.slot, id) != value)
                    value = -1;
            r.list->setCurrentIndex(value >= 0 && value < entries.size() ? value : -1);
            continue;
        }
        // What the user is typing stays as typed.
        if (!newSelection && r.edit->hasFocus())
            continue;
        QString text = shownText(id, current);
        bool same = true;
        for (const Object &o : shown_)
            same = same && shownText(id, o) == text;
        r.edit->setText(same ? text : QString());
        r.edit->setPlaceholderText(same ? QString() : QStringLiteral("(several values)"));
        r.edit->setStyleSheet(QString());
    }
}

void Inspector::chosen(Id id, int index)
{
    if (showing_ || index < 0)
        return;
    modVantile &m = document_.Model();
    if (id == Id::Function && ObjectTables::IsSwitchAction(ObjectTables::DecodeButton(index).action) &&
        !m.InputTypeWarned) {
        messages_.Show(frmVantileButton::InputTypeWarning, QStringLiteral("Verify Input Type"),
                       MessagePrompt::Icon::Information);
        m.InputTypeWarned = true;
    }
    apply(id, index, nullptr);
}

void Inspector::typed(Id id)
{
    const modVantile &m = document_.Model();
    QLineEdit *edit = row(id).edit;
    const QString text = edit->text();
    QString reason;
    if (id == Id::Text) {
        for (const Object &o : shown_)
            if (reason.isEmpty())
                reason = ObjectFields::TextRefusal(o.kind, text);
        if (!reason.isEmpty())
            return refuse(reason);
        refuse(QString());
        return apply(id, 0, &text);
    }
    bool ok = false;
    const int value = text.toInt(&ok);
    const bool digits = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
    for (const Object &o : shown_) {
        if (!reason.isEmpty())
            break;
        reason = ObjectFields::Refusal(m, o.kind, id, ok && digits ? value : -1);
    }
    if (!reason.isEmpty())
        return refuse(reason);
    refuse(QString());
    apply(id, value, nullptr);
}

// Leaving a field: a refused value gives way to the stored one, and the
// next keys make a step of their own.
void Inspector::finished(Id id)
{
    ++typingSession_;
    if (lblInsReason->isHidden())
        return;
    refuse(QString());
    showObjects(true);
    Q_UNUSED(id);
}

void Inspector::refuse(const QString &reason)
{
    lblInsReason->setText(reason);
    lblInsReason->setVisible(!reason.isEmpty());
    for (Row &r : rows_)
        if (r.edit)
            r.edit->setStyleSheet(!reason.isEmpty() && r.edit->hasFocus() ? QStringLiteral("color: rgb(192, 0, 0)")
                                                                          : QString());
}

void Inspector::apply(Id id, int value, const QString *text)
{
    const QList<Object> objects = shown_;
    if (objects.isEmpty())
        return;
    modVantile &m = document_.Model();
    const Object current = objects.last();
    Document::Edit edit(document_, selection_.StepName(QStringLiteral("Edit")) + QLatin1Char(' ') +
                                       ObjectFields::Label(current.kind, id));
    for (const Object &o : objects)
        edit.Object(m.CurrentScreen, o.kind, o.slot);
    for (const Object &o : objects) {
        if (text)
            ObjectFields::SetText(m, o.kind, o.slot, *text);
        else
            ObjectFields::Set(m, o.kind, o.slot, id, value);
    }
    if (ObjectFields::Typed(id))
        edit.MergeId(TypingMergeBase + typingSession_ % TypingMergeIds);
    edit.Commit();
}
