#include "panel/frmVantileTry.h"

#include "model/modVantile.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>

// The panel's picture; the left mouse button is the finger.
class frmVantileTry::PanelView : public QWidget
{
public:
    PanelView(frmVantileTry &window, QWidget *parent) : QWidget(parent), window_(window)
    {
        setObjectName(QStringLiteral("picPanel"));
        setMouseTracking(false);
    }

    void setFit(bool fit) { fit_ = fit; }
    void setPicture(const QImage &picture)
    {
        picture_ = picture;
        if (fit_) {
            setMinimumSize(picture_.size() / 4);
            setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        } else {
            setFixedSize(picture_.size());
        }
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), palette().window());
        p.setRenderHint(QPainter::SmoothPixmapTransform, scale() != 1.0);
        p.drawImage(target(), picture_);
    }
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && target().contains(event->position().toPoint()) &&
            window_.recorder_.Press(toPanel(event->position())))
            window_.showAll();
    }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (window_.panel_.FingerDown()) {
            // A finger cannot leave the screen: past its edge it stays on the edge.
            const QPoint at = toPanel(event->position());
            const QSize size = window_.panel_.Size();
            window_.recorder_.Move({std::clamp(at.x(), 0, size.width() - 1), std::clamp(at.y(), 0, size.height() - 1)});
            window_.showAll();
        }
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && window_.panel_.FingerDown()) {
            window_.recorder_.Release();
            window_.showAll();
        }
    }

private:
    double scale() const
    {
        if (!fit_ || picture_.isNull())
            return 1.0;
        return std::min(double(width()) / picture_.width(), double(height()) / picture_.height());
    }
    QRect target() const
    {
        const QSize size = (QSizeF(picture_.size()) * scale()).toSize();
        return {QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size};
    }
    QPoint toPanel(QPointF at) const
    {
        const QRect t = target();
        return ((at - QPointF(t.topLeft())) / scale()).toPoint();
    }

    frmVantileTry &window_;
    QImage picture_;
    bool fit_ = false;
};

frmVantileTry::frmVantileTry(const modVantile &m, MessagePrompt &messages, FileDialogPrompt &files, QWidget *parent)
    : QWidget(parent, Qt::Window), messages_(messages), files_(files), panel_(m)
{
    setObjectName(QStringLiteral("frmVantileTry"));
    setWindowTitle(QStringLiteral("Try Panel"));
    setAttribute(Qt::WA_QuitOnClose, false); // goes with the main window

    lblScreen = new QLabel(this);
    lblScreen->setObjectName(QStringLiteral("lblScreen"));
    chkFit = new QCheckBox(QStringLiteral("Scale To Fit"), this);
    chkFit->setObjectName(QStringLiteral("chkFit"));
    cmdReset = new QPushButton(QStringLiteral("Reset"), this);
    cmdReset->setObjectName(QStringLiteral("cmdReset"));
    cmdReset->setToolTip(QStringLiteral("Home screen, every input off, every level 0"));
    cmdClearLog = new QPushButton(QStringLiteral("Clear Log"), this);
    cmdClearLog->setObjectName(QStringLiteral("cmdClearLog"));
    cmdSaveLog = new QPushButton(QStringLiteral("Save Log..."), this);
    cmdSaveLog->setObjectName(QStringLiteral("cmdSaveLog"));
    cmdSaveLog->setToolTip(QStringLiteral("The log as quellix try writes it: one message a line, without the time"));
    cmdRecord = new QPushButton(this);
    cmdRecord->setObjectName(QStringLiteral("cmdRecord"));
    cmdShot = new QPushButton(QStringLiteral("Shot"), this);
    cmdShot->setObjectName(QStringLiteral("cmdShot"));
    cmdShot->setToolTip(QStringLiteral("The recording writes the panel's picture here when it is played again"));
    auto *bar = new QHBoxLayout;
    bar->addWidget(lblScreen, 1);
    bar->addWidget(chkFit);
    bar->addWidget(cmdReset);
    bar->addWidget(cmdClearLog);
    bar->addWidget(cmdSaveLog);
    bar->addWidget(cmdRecord);
    bar->addWidget(cmdShot);

    scrPanel = new QScrollArea(this);
    scrPanel->setObjectName(QStringLiteral("scrPanel"));
    scrPanel->setAlignment(Qt::AlignCenter);
    picPanel = new PanelView(*this, scrPanel);
    scrPanel->setWidget(picPanel);

    tblNetwork = new QTableWidget(0, 1 + RunTimeState::InputCount + 1, this);
    tblNetwork->setObjectName(QStringLiteral("tblNetwork"));
    QStringList headers{QStringLiteral("Node")};
    for (int input = 1; input <= RunTimeState::InputCount; ++input)
        headers << QString::number(input);
    headers << QStringLiteral("Level");
    tblNetwork->setHorizontalHeaderLabels(headers);
    tblNetwork->verticalHeader()->hide();
    tblNetwork->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tblNetwork->setSelectionMode(QAbstractItemView::NoSelection);
    tblNetwork->setToolTip(QStringLiteral("Inputs and levels as the devices hold them; change them by hand as "
                                          "another keypad or the dimmer itself would"));
    connect(tblNetwork, &QTableWidget::cellChanged, this, &frmVantileTry::inputChanged);

    auto *split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(scrPanel);
    split->addWidget(tblNetwork);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 0);

    txtLog = new QPlainTextEdit(this);
    txtLog->setObjectName(QStringLiteral("txtLog"));
    txtLog->setReadOnly(true);
    txtLog->setMaximumBlockCount(10000);
    lblNotes = new QLabel(this);
    lblNotes->setObjectName(QStringLiteral("lblNotes"));
    lblNotes->setWordWrap(true);
    lblNotes->setStyleSheet(QStringLiteral("color: #a00000"));

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(split, 4);
    layout->addWidget(txtLog, 1);
    layout->addWidget(lblNotes);

    connect(chkFit, &QCheckBox::toggled, this, &frmVantileTry::chkFit_Click);
    connect(cmdReset, &QPushButton::clicked, this, &frmVantileTry::cmdReset_Click);
    connect(cmdClearLog, &QPushButton::clicked, this, &frmVantileTry::cmdClearLog_Click);
    connect(cmdSaveLog, &QPushButton::clicked, this, &frmVantileTry::cmdSaveLog_Click);
    connect(cmdRecord, &QPushButton::clicked, this, &frmVantileTry::cmdRecord_Click);
    connect(cmdShot, &QPushButton::clicked, this, &frmVantileTry::cmdShot_Click);
    showRecording();

    showAll();
    tblNetwork->resizeColumnsToContents();
    int tableWidth = tblNetwork->verticalScrollBar()->sizeHint().width() + 2 * tblNetwork->frameWidth();
    for (int column = 0; column < tblNetwork->columnCount(); ++column)
        tableWidth += tblNetwork->columnWidth(column);
    const QSize panel = panel_.Size() + QSize(2 * scrPanel->frameWidth() + 4, 2 * scrPanel->frameWidth() + 4);
    split->setSizes({panel.width(), tableWidth});
    resize(panel.width() + tableWidth + 40, std::max(560, panel.height() + 240));
}

void frmVantileTry::Refresh()
{
    panel_.Refresh();
    if (isVisible()) // a hidden window draws when it is shown again
        showAll();
}

void frmVantileTry::showEvent(QShowEvent *event)
{
    showAll();
    QWidget::showEvent(event);
}

void frmVantileTry::chkFit_Click()
{
    picPanel->setFit(chkFit->isChecked());
    scrPanel->setWidgetResizable(chkFit->isChecked());
    showAll();
}

void frmVantileTry::cmdReset_Click()
{
    recorder_.Reset();
    showAll();
}

void frmVantileTry::cmdClearLog_Click()
{
    panel_.ClearLog();
    showLog();
}

void frmVantileTry::cmdSaveLog_Click()
{
    const QString title = QStringLiteral("Save Log");
    const QString path = files_.ShowSave(QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*"),
                                         Paths::WorkingFolder() + QStringLiteral("/Try Panel Log.txt"), title);
    QString reason;
    if (!path.isEmpty() && !Files::Write(path, panel_.Log().FileText(), &reason))
        messages_.Show(QStringLiteral("The log was not written.\r\n") + path + QStringLiteral("\r\n") + reason, title,
                       MessagePrompt::Icon::Exclamation);
}

void frmVantileTry::cmdRecord_Click()
{
    if (!recorder_.Recording()) {
        recorder_.Start();
        showAll();
        showRecording();
        return;
    }
    // Cancelled or not written, the recording goes on.
    const QString title = QStringLiteral("Save Recording");
    const QString path = files_.ShowSave(QStringLiteral("Try Scripts (*.txt)|*.txt|All Files (*.*)|*.*"),
                                         Paths::WorkingFolder() + QStringLiteral("/Try Panel Session.txt"), title);
    if (path.isEmpty())
        return;
    const QString script =
        QStringLiteral("# Try Panel session; play it again with: quellix try PROJECT.QXC --script FILE --out DIR\n") +
        recorder_.Script();
    QString reason;
    if (!Files::Write(path, script.toUtf8(), &reason)) {
        messages_.Show(QStringLiteral("The recording was not written.\r\n") + path + QStringLiteral("\r\n") + reason,
                       title, MessagePrompt::Icon::Exclamation);
        return;
    }
    recorder_.Stop();
    showRecording();
}

void frmVantileTry::cmdShot_Click()
{
    recorder_.Shot();
}

void frmVantileTry::showRecording()
{
    const bool recording = recorder_.Recording();
    cmdRecord->setText(recording ? QStringLiteral("Stop Recording...") : QStringLiteral("Record"));
    cmdRecord->setToolTip(recording ? QStringLiteral("Saves the steps since Record as a script for quellix try")
                                    : QStringLiteral("Starts at Home with every input off, every level 0 and an "
                                                     "empty log, and writes down every step"));
    cmdShot->setEnabled(recording);
    // The log of a recording is the log its script plays to.
    cmdClearLog->setEnabled(!recording);
}

void frmVantileTry::changeEvent(QEvent *event)
{
    // Coming back from the editor: show what was changed meanwhile.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Refresh();
    QWidget::changeEvent(event);
}

void frmVantileTry::showAll()
{
    picPanel->setPicture(panel_.Picture());
    switch (panel_.Shows()) {
    case VirtualPanel::Showing::Keypad:
        lblScreen->setText(QStringLiteral("Password"));
        break;
    case VirtualPanel::Showing::AccessDenied:
        lblScreen->setText(QStringLiteral("Access Denied (touch to go back)"));
        break;
    default:
        lblScreen->setText(panel_.Screen() == 0
                               ? QStringLiteral("Home")
                               : QStringLiteral("Screen: %1").arg(panel_.Screen(), 2, 10, QLatin1Char('0')));
    }
    showNetwork();
    showLog();
    lblNotes->setText(panel_.Notes().join(QLatin1Char('\n')));
    lblNotes->setVisible(!panel_.Notes().isEmpty());
}

void frmVantileTry::showNetwork()
{
    showing_ = true;
    const QList<int> nodes = panel_.Nodes();
    if (nodes != shownNodes_) {
        tblNetwork->setRowCount(int(nodes.size()));
        for (int row = 0; row < nodes.size(); ++row) {
            const int node = nodes[row];
            auto *name = new QTableWidgetItem(Hex2(node));
            name->setFlags(Qt::ItemIsEnabled);
            tblNetwork->setItem(row, 0, name);
            for (int input = 1; input <= RunTimeState::InputCount; ++input) {
                auto *item = new QTableWidgetItem;
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
                tblNetwork->setItem(row, input, item);
            }
            auto *level = new QSpinBox(tblNetwork);
            level->setObjectName(QStringLiteral("spnLevel_%1").arg(Hex2(node)));
            level->setRange(0, RunTimeState::MaxLevel);
            level->setSuffix(QStringLiteral(" %"));
            connect(level, &QSpinBox::valueChanged, this, [this, node](int percent) {
                if (showing_)
                    return;
                recorder_.SetLevel(node, percent);
                showAll();
            });
            tblNetwork->setCellWidget(row, RunTimeState::InputCount + 1, level);
        }
        shownNodes_ = nodes;
    }
    const RunTimeState &devices = panel_.Devices();
    for (int row = 0; row < nodes.size(); ++row) {
        for (int input = 1; input <= RunTimeState::InputCount; ++input)
            tblNetwork->item(row, input)
                ->setCheckState(devices.InputOn(nodes[row], input) ? Qt::Checked : Qt::Unchecked);
        static_cast<QSpinBox *>(tblNetwork->cellWidget(row, RunTimeState::InputCount + 1))
            ->setValue(devices.Level(nodes[row]));
    }
    showing_ = false;
}

void frmVantileTry::inputChanged(int row, int column)
{
    if (showing_ || row < 0 || row >= shownNodes_.size() || column < 1 || column > RunTimeState::InputCount)
        return;
    recorder_.SetInput(shownNodes_[row], column, tblNetwork->item(row, column)->checkState() == Qt::Checked);
    showAll();
}

void frmVantileTry::showLog()
{
    const QList<PanelLog::Entry> &entries = panel_.Log().Entries();
    if (entries.size() < shownLogLines_) {
        txtLog->clear();
        shownLogLines_ = 0;
    }
    for (; shownLogLines_ < entries.size(); ++shownLogLines_)
        txtLog->appendPlainText(PanelLog::Line(entries[shownLogLines_], true));
    txtLog->verticalScrollBar()->setValue(txtLog->verticalScrollBar()->maximum());
}
