#pragma once

#include "check/CheckRunner.h"
#include "check/FunctionMap.h"
#include "check/ProjectCheck.h"

#include <QDialog>

#include <vector>

class modVantile;
class QLabel;
class QPushButton;
class QTableWidget;

// "Check Project": the findings of the check in a window that stays open
// beside the editor. A double click on a finding asks for its object.
class frmProjectCheck : public QDialog
{
    Q_OBJECT
public:
    explicit frmProjectCheck(const modVantile &m, QWidget *parent = nullptr);

    // Checks the project as it is now; the findings are listed when the
    // check is done (Listed), the editor working on meanwhile.
    void Refresh();
    bool Checking() const { return runner_->Running(); }
    const std::vector<Check::Finding> &Findings() const { return findings_; }

signals:
    void objectActivated(int screen, Check::ObjectKind kind, int slot);
    void Listed();

private:
    void list();
    void lstFindings_DblClick(int row);

    const modVantile &m_;
    Check::Runner *runner_;
    std::vector<Check::Finding> findings_;
    QLabel *lblSummary = nullptr;
    QTableWidget *lstFindings = nullptr;
    QPushButton *cmdCheckAgain = nullptr;
};

// "Function Map": one row for each object that uses a device input or level,
// in node order; rows the check has something to say about are marked. A
// double click on a row asks for its object.
class frmFunctionMap : public QDialog
{
    Q_OBJECT
public:
    explicit frmFunctionMap(const modVantile &m, QWidget *parent = nullptr);

    // As frmProjectCheck::Refresh.
    void Refresh();
    bool Checking() const { return runner_->Running(); }

signals:
    void objectActivated(int screen, Check::ObjectKind kind, int slot);
    void Listed();

private:
    void list();
    void lstMap_DblClick(int row);

    const modVantile &m_;
    Check::Runner *runner_;
    std::vector<Check::ObjectRef> objects_; // the object of each table row
    QTableWidget *lstMap = nullptr;
    QPushButton *cmdRefresh = nullptr;
};
