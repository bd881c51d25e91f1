#include "dialogs/frmVantileButton.h"

frmVantileButton::frmVantileButton(modVantile &m, EditorHost &host, MessagePrompt &messages, QWidget *parent)
    : QDialog(parent), m_(m), host_(host), messages_(messages)
{
    setObjectName(QStringLiteral("frmVantileButton"));
}
