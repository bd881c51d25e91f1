#include "editor/QtPrompts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace
{
QMessageBox::StandardButton standardButton(MessagePrompt::Answer answer)
{
    switch (answer) {
    case MessagePrompt::Answer::Ok:
        return QMessageBox::Ok;
    case MessagePrompt::Answer::Cancel:
        return QMessageBox::Cancel;
    case MessagePrompt::Answer::Yes:
        return QMessageBox::Yes;
    case MessagePrompt::Answer::No:
        return QMessageBox::No;
    case MessagePrompt::Answer::Save:
        return QMessageBox::Save;
    case MessagePrompt::Answer::Discard:
        return QMessageBox::Discard;
    }
    return QMessageBox::NoButton;
}
} // namespace

MessagePrompt::Answer QtMessagePrompt::Show(const QString &text, const QString &title, Icon icon, Buttons buttons)
{
    // The first button, as a plain box has it.
    const Answer first = buttons == Buttons::Ok || buttons == Buttons::OkCancel ? Answer::Ok
                         : buttons == Buttons::SaveDiscardCancel                ? Answer::Save
                                                                                : Answer::Yes;
    return Ask(text, title, icon, buttons, first);
}

MessagePrompt::Answer QtMessagePrompt::Ask(const QString &text, const QString &title, Icon icon, Buttons buttons,
                                           Answer defaultAnswer)
{
    QMessageBox box(parent_);
    box.setWindowTitle(title);
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box.setText(shown);
    switch (icon) {
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Icon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    // A closed box counts as its mildest answer.
    Answer closed = Answer::Ok;
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        closed = Answer::Cancel;
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        closed = Answer::No;
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        closed = Answer::Cancel;
        break;
    case Buttons::SaveDiscardCancel:
        box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        closed = Answer::Cancel;
        break;
    }
    if (QAbstractButton *button = box.button(standardButton(defaultAnswer)))
        box.setDefaultButton(qobject_cast<QPushButton *>(button));
    box.setEscapeButton(box.button(standardButton(closed)));
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Save:
        return Answer::Save;
    case QMessageBox::Discard:
        return Answer::Discard;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return closed;
    }
}

QString QtFileDialogPrompt::ToQtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        description.replace(QStringLiteral("(*.*)"), QStringLiteral("(*)"));
        entries << description;
    }
    return entries.join(QStringLiteral(";;"));
}

namespace
{
// A starting name such as ".../*.QXC" opens the dialog in that folder.
void splitInitial(const QString &initialName, QString *dir, QString *name)
{
    const QFileInfo info(initialName);
    if (initialName.isEmpty()) {
        dir->clear();
        name->clear();
    } else if (info.fileName().contains(QLatin1Char('*'))) {
        *dir = info.path();
        name->clear();
    } else {
        *dir = initialName;
        name->clear();
    }
}
} // namespace

QString QtFileDialogPrompt::ShowOpen(const QString &filter, const QString &initialName)
{
    QString dir, name;
    splitInitial(initialName, &dir, &name);
    return QFileDialog::getOpenFileName(parent_, QString(), dir, ToQtFilter(filter));
}

QString QtFileDialogPrompt::ShowSave(const QString &filter, const QString &initialName, const QString &title)
{
    QString dir, name;
    splitInitial(initialName, &dir, &name);
    return QFileDialog::getSaveFileName(parent_, title, dir, ToQtFilter(filter));
}
