#include "dialogs/ObjectEditor.h"

#include "dialogs/DialogControls.h"
#include "model/modVantile.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>

ObjectEditor::ObjectEditor(modVantile &m, EditorHost &host, MessagePrompt &messages, int objectCount, const char *name,
                           const QString &title, QWidget *parent)
    : QDialog(parent), m_(m), host_(host), messages_(messages),
      object_(std::clamp<int>(m.CurrentObject, 0, objectCount - 1))
{
    setObjectName(QLatin1String(name));
    setWindowTitle(title);
}

void ObjectEditor::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!activated_) {
        activated_ = true;
        Form_Activate();
    }
}

QLabel *ObjectEditor::NewLabel(const char *name, const QString &caption, QWidget *parent)
{
    auto *label = new QLabel(caption, parent ? parent : this);
    label->setObjectName(QLatin1String(name));
    return label;
}

QPushButton *ObjectEditor::NewButton(const char *name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent ? parent : this);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

bool ObjectEditor::showsEntry(QComboBox *box, int index)
{
    return DialogControls::ShowEntry(box, index);
}

int ObjectEditor::DeviceInRange(int device) const
{
    return device < 0 || device > m_.GetNodeRange() ? 0 : device;
}
