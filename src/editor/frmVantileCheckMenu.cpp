// The project check, the function map and the hand-over report in the main
// window: their menu items, the windows that list them, and the way from a
// finding or map row to its object.
#include "check/ProjectReport.h"
#include "check/frmProjectCheck.h"
#include "editor/frmVantile.h"
#include "model/ObjectTables.h"
#include "model/modVantile.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

void frmVantile::buildCheckMenus()
{
    auto action = [this](const char *name, const QString &caption, void (frmVantile::*slot)()) {
        auto *a = new QAction(caption, this);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    if (auto *file = menuBar()->findChild<QMenu *>(QStringLiteral("mnuFile"))) {
        mnuExportReport =
            action("mnuExportReport", QStringLiteral("Export Report..."), &frmVantile::mnuExportReport_Click);
        file->insertAction(mnuExit, mnuExportReport);
        file->insertSeparator(mnuExit);
    }
    if (auto *program = menuBar()->findChild<QMenu *>(QStringLiteral("mnuProgram"))) {
        program->addSeparator();
        mnuCheckProject =
            action("mnuCheckProject", QStringLiteral("Check Project"), &frmVantile::mnuCheckProject_Click);
        mnuCheckProject->setShortcut(QKeySequence(Qt::Key_F7));
        program->addAction(mnuCheckProject);
        mnuFunctionMap = action("mnuFunctionMap", QStringLiteral("Function Map"), &frmVantile::mnuFunctionMap_Click);
        program->addAction(mnuFunctionMap);
    }
}

void frmVantile::mnuCheckProject_Click()
{
    if (!checkWindow_) {
        checkWindow_ = new frmProjectCheck(m_, this);
        connect(checkWindow_, &frmProjectCheck::objectActivated, this, &frmVantile::ShowObject);
    }
    checkWindow_->Refresh();
    checkWindow_->show();
    checkWindow_->raise();
}

void frmVantile::mnuFunctionMap_Click()
{
    if (!mapWindow_) {
        mapWindow_ = new frmFunctionMap(m_, this);
        connect(mapWindow_, &frmFunctionMap::objectActivated, this, &frmVantile::ShowObject);
    }
    mapWindow_->Refresh();
    mapWindow_->show();
    mapWindow_->raise();
}

void frmVantile::mnuExportReport_Click()
{
    const QString title = QStringLiteral("Export Report");
    const QString initial = m_.ProjectFileName == modVantile::NoFileName
                                ? Paths::WorkingFolder() + QStringLiteral("/Report.pdf")
                                : QFileInfo(m_.ProjectFileName).path() + QLatin1Char('/') +
                                      QFileInfo(m_.ProjectFileName).completeBaseName() + QStringLiteral(".pdf");
    const QString path = files_.ShowSave(QStringLiteral("PDF Files (*.pdf)|*.pdf|All Files (*.*)|*.*"), initial);
    if (path.isEmpty())
        return;

    bool passwords = false;
    for (int s = 0; s < modVantile::ScreenCount && !passwords; ++s)
        for (int n = 0; n < modVantile::ButtonCount && !passwords; ++n)
            passwords =
                ObjectTables::DecodeButton(m_.GetButtonType(s, n)).action == ObjectTables::ButtonAction::GotoPassword;
    Check::ReportOptions options;
    options.projectFile = m_.ProjectFileName;
    options.withPasswords =
        passwords && messages_.Show(QStringLiteral("Print the passwords in the report?") + QStringLiteral("\r\n") +
                                        QStringLiteral("No shows only whether a Goto has one."),
                                    title, MessagePrompt::Icon::Question,
                                    MessagePrompt::Buttons::YesNo) == MessagePrompt::Answer::Yes;
    QString error;
    if (!Check::WriteReport(m_, path, options, &error))
        messages_.Show(error, title, MessagePrompt::Icon::Exclamation);
}

void frmVantile::ShowObject(int screen, Check::ObjectKind kind, int slot)
{
    if (screen < 0 || screen >= modVantile::ScreenCount)
        return;
    if (screen != m_.CurrentScreen)
        selectScreen(screen);
    // The finding's object becomes the selection, as if it had been clicked.
    if (slot < 0)
        ClearHL();
    else
        Select(kind, slot);
    raise();
    activateWindow();
}
