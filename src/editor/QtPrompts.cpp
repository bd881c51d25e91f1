#include "editor/QtPrompts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

MessagePrompt::Answer QtMessagePrompt::Show(const QString &text, const QString &title, Icon icon, Buttons buttons)
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
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        // A closed box counts as its mildest answer.
        return buttons == Buttons::YesNo ? Answer::No : (buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel);
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

QString QtFileDialogPrompt::ShowSave(const QString &filter, const QString &initialName)
{
    QString dir, name;
    splitInitial(initialName, &dir, &name);
    return QFileDialog::getSaveFileName(parent_, QString(), dir, ToQtFilter(filter));
}
