#include "editor/CheckActions.h"

#include "editor/frmVantile.h"

#include "check/ProjectReport.h"
#include "check/frmProjectCheck.h"
#include "model/ObjectTables.h"
#include "model/modVantile.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

CheckActions::CheckActions(modVantile &m, MessagePrompt &messages, FileDialogPrompt &files, frmVantile &window)
    : QObject(&window), m_(m), messages_(messages), files_(files), window_(window)
{
}

void CheckActions::BuildMenus(QMenu *file, QAction *before, QMenu *program)
{
    auto action = [this](const char *name, const QString &caption, void (CheckActions::*slot)()) {
        auto *a = new QAction(caption, &window_);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    mnuExportReport =
        action("mnuExportReport", QStringLiteral("Export Report..."), &CheckActions::mnuExportReport_Click);
    file->insertAction(before, mnuExportReport);
    file->insertSeparator(before);
    program->addSeparator();
    mnuCheckProject = action("mnuCheckProject", QStringLiteral("Check Project"), &CheckActions::mnuCheckProject_Click);
    program->addAction(mnuCheckProject);
    mnuFunctionMap = action("mnuFunctionMap", QStringLiteral("Function Map"), &CheckActions::mnuFunctionMap_Click);
    program->addAction(mnuFunctionMap);
}

void CheckActions::mnuCheckProject_Click()
{
    if (!checkWindow_) {
        checkWindow_ = new frmProjectCheck(m_, &window_);
        connect(checkWindow_, &frmProjectCheck::objectActivated, this, &CheckActions::ObjectActivated);
        window_.KeepOnScreen(*checkWindow_);
    }
    checkWindow_->Refresh();
    checkWindow_->show();
    checkWindow_->raise();
}

void CheckActions::mnuFunctionMap_Click()
{
    if (!mapWindow_) {
        mapWindow_ = new frmFunctionMap(m_, &window_);
        connect(mapWindow_, &frmFunctionMap::objectActivated, this, &CheckActions::ObjectActivated);
        window_.KeepOnScreen(*mapWindow_);
    }
    mapWindow_->Refresh();
    mapWindow_->show();
    mapWindow_->raise();
}

void CheckActions::mnuExportReport_Click()
{
    const QString title = QStringLiteral("Export Report");
    const QString initial = m_.ProjectFileName == modVantile::NoFileName
                                ? Paths::WorkingFolder() + QStringLiteral("/Report.pdf")
                                : QFileInfo(m_.ProjectFileName).path() + QLatin1Char('/') +
                                      QFileInfo(m_.ProjectFileName).completeBaseName() + QStringLiteral(".pdf");
    const QString path = files_.ShowSave(QStringLiteral("PDF Files (*.pdf)|*.pdf|All Files (*.*)|*.*"), initial, title);
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
