#include "check/frmProjectCheck.h"

#include "model/modVantile.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace
{

const QColor ErrorBack(255, 215, 215);
const QColor WarningBack(255, 240, 200);

QTableWidget *newTable(QWidget *parent, const char *name, const QStringList &headers)
{
    auto *table = new QTableWidget(0, int(headers.size()), parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setWordWrap(false);
    return table;
}

void setRow(QTableWidget *table, int row, const QStringList &cells, const QColor &back, const QString &tip)
{
    for (int c = 0; c < cells.size(); ++c) {
        auto *item = new QTableWidgetItem(cells[c]);
        if (back.isValid())
            item->setBackground(back);
        item->setToolTip(tip);
        table->setItem(row, c, item);
    }
}

QColor backOf(Check::Severity s)
{
    return s == Check::Severity::Error ? ErrorBack : s == Check::Severity::Warning ? WarningBack : QColor();
}

QPushButton *newButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

frmProjectCheck::frmProjectCheck(const modVantile &m, QWidget *parent)
    : QDialog(parent), m_(m), runner_(new Check::Runner(this))
{
    setObjectName(QStringLiteral("frmProjectCheck"));
    setWindowTitle(QStringLiteral("Check Project"));
    setModal(false);
    lblSummary = new QLabel(this);
    lblSummary->setObjectName(QStringLiteral("lblSummary"));
    lstFindings =
        newTable(this, "lstFindings", {QStringLiteral("Severity"), QStringLiteral("Where"), QStringLiteral("Finding")});
    cmdCheckAgain = newButton(this, "cmdCheckAgain", QStringLiteral("Check Again"));
    auto *close = newButton(this, "cmdClose", QStringLiteral("Close"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(lblSummary, 1);
    buttons->addWidget(cmdCheckAgain);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lstFindings);
    layout->addLayout(buttons);
    resize(760, 320);

    connect(cmdCheckAgain, &QPushButton::clicked, this, &frmProjectCheck::Refresh);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(lstFindings, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { lstFindings_DblClick(row); });
    connect(runner_, &Check::Runner::Done, this, &frmProjectCheck::list);
}

void frmProjectCheck::Refresh()
{
    lblSummary->setText(QStringLiteral("Checking..."));
    runner_->Start(m_);
}

void frmProjectCheck::list()
{
    findings_ = runner_->Last().findings;
    lstFindings->setRowCount(int(findings_.size()));
    for (int i = 0; i < int(findings_.size()); ++i) {
        const Check::Finding &f = findings_[size_t(i)];
        setRow(lstFindings, i, {Check::SeverityName(f.severity), Check::PlaceLabel(f.where), f.sentence},
               backOf(f.severity), f.sentence);
    }
    lstFindings->resizeColumnToContents(0);
    lstFindings->resizeColumnToContents(1);
    lblSummary->setText(findings_.empty() ? QStringLiteral("No findings.")
                                          : Check::CountsText(Check::CountFindings(findings_)));
    emit Listed();
}

void frmProjectCheck::lstFindings_DblClick(int row)
{
    if (row < 0 || row >= int(findings_.size()))
        return;
    const Check::ObjectRef &where = findings_[size_t(row)].where;
    if (where.screen >= 0)
        emit objectActivated(where.screen, where.kind, where.slot);
}

frmFunctionMap::frmFunctionMap(const modVantile &m, QWidget *parent)
    : QDialog(parent), m_(m), runner_(new Check::Runner(this))
{
    setObjectName(QStringLiteral("frmFunctionMap"));
    setWindowTitle(QStringLiteral("Function Map"));
    setModal(false);
    lstMap = newTable(this, "lstMap",
                      {QStringLiteral("Node"), QStringLiteral("Input"), QStringLiteral("Use"), QStringLiteral("Object"),
                       QStringLiteral("Check")});
    cmdRefresh = newButton(this, "cmdRefresh", QStringLiteral("Refresh"));
    auto *close = newButton(this, "cmdClose", QStringLiteral("Close"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdRefresh);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lstMap);
    layout->addLayout(buttons);
    resize(760, 420);

    connect(cmdRefresh, &QPushButton::clicked, this, &frmFunctionMap::Refresh);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(lstMap, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { lstMap_DblClick(row); });
    connect(runner_, &Check::Runner::Done, this, &frmFunctionMap::list);
}

void frmFunctionMap::Refresh()
{
    runner_->Start(m_);
}

void frmFunctionMap::list()
{
    const std::vector<Check::MapRow> &rows = runner_->Last().map;
    objects_.clear();
    lstMap->setRowCount(0);
    for (const Check::MapRow &row : rows) {
        // Every object of a marked row carries the mark: a conflict is between all of them.
        QStringList sentences;
        auto worst = Check::Severity::Note;
        for (const Check::Finding &f : row.marks) {
            sentences << Check::FindingLine(f);
            worst = std::min(worst, f.severity);
        }
        const QString mark = row.marks.empty() ? QString() : Check::SeverityName(worst);
        const QString node = ObjectTables::NodeText(row.node);
        const QString input = row.input == 0 ? QStringLiteral("level") : QString::number(row.input);
        for (const Check::MapEntry &e : row.entries) {
            const int r = lstMap->rowCount();
            lstMap->insertRow(r);
            setRow(lstMap, r, {node, input, Check::RoleName(e.role), Check::PlaceLabel(e.object), mark},
                   row.marks.empty() ? QColor() : backOf(worst), sentences.join(QLatin1Char('\n')));
            objects_.push_back(e.object);
        }
    }
    for (int c = 0; c < 4; ++c)
        lstMap->resizeColumnToContents(c);
    emit Listed();
}

void frmFunctionMap::lstMap_DblClick(int row)
{
    if (row < 0 || row >= int(objects_.size()))
        return;
    const Check::ObjectRef &o = objects_[size_t(row)];
    emit objectActivated(o.screen, o.kind, o.slot);
}
