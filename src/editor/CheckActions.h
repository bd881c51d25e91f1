#pragma once

#include "check/ProjectCheck.h"

#include <QObject>

class FileDialogPrompt;
class MessagePrompt;
class modVantile;
class frmFunctionMap;
class frmProjectCheck;
class QAction;
class QMenu;
class frmVantile;

// The project check, the function map and the hand-over report in the main
// window: their menu items (Program, Check Project and Function Map; File,
// Export Report...), the two windows that list them, and the report file.
class CheckActions : public QObject
{
    Q_OBJECT
public:
    CheckActions(modVantile &m, MessagePrompt &messages, FileDialogPrompt &files, frmVantile &window);

    // Export Report goes into `file` before `before`, the others at the end of `program`.
    void BuildMenus(QMenu *file, QAction *before, QMenu *program);

signals:
    // A finding or a map row was chosen: show its screen and object.
    void ObjectActivated(int screen, Check::ObjectKind kind, int slot);

private:
    void mnuCheckProject_Click();
    void mnuFunctionMap_Click();
    void mnuExportReport_Click();

    modVantile &m_;
    MessagePrompt &messages_;
    FileDialogPrompt &files_;
    frmVantile &window_;
    QAction *mnuCheckProject = nullptr, *mnuFunctionMap = nullptr, *mnuExportReport = nullptr;
    frmProjectCheck *checkWindow_ = nullptr;
    frmFunctionMap *mapWindow_ = nullptr;
};
