#include "comm/frmVantileComm.h"

frmVantileComm::frmVantileComm(modVantile &m, MessagePrompt &messages, QWidget *parent)
    : QDialog(parent), m_(m), messages_(messages)
{
    setObjectName(QStringLiteral("frmVantileComm"));
}
