#include "sdcard/frmVantileSDWrite.h"

frmVantileSDWrite::frmVantileSDWrite(modVantile &m, MessagePrompt &messages, QWidget *parent)
    : QDialog(parent), m_(m), messages_(messages)
{
    setObjectName(QStringLiteral("frmVantileSDWrite"));
}
