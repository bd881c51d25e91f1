#include "dialogs/frmVantileBGSel.h"

frmVantileBGSel::frmVantileBGSel(modVantile &m, EditorHost &host, MessagePrompt &messages, FileDialogPrompt &files,
                                 QWidget *parent)
    : QDialog(parent), m_(m), host_(host), messages_(messages), files_(files)
{
    setObjectName(QStringLiteral("frmVantileBGSel"));
}
