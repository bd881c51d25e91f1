#include "dialogs/frmVantileTextBox.h"

frmVantileTextBox::frmVantileTextBox(modVantile &m, EditorHost &host, MessagePrompt &messages, QWidget *parent)
    : QDialog(parent), m_(m), host_(host), messages_(messages)
{
    setObjectName(QStringLiteral("frmVantileTextBox"));
}
