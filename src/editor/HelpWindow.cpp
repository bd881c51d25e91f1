#include "editor/HelpWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    LoadGuide();
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("ZAV Quellix Touch User Guide"));

    auto *layout = new QVBoxLayout(this);
    auto *bar = new QHBoxLayout;
    auto *contents = new QPushButton(QStringLiteral("&Contents"), this);
    contents->setObjectName(QStringLiteral("cmdContents"));
    auto *back = new QPushButton(QStringLiteral("&Back"), this);
    back->setObjectName(QStringLiteral("cmdBack"));
    txtFind = new QLineEdit(this);
    txtFind->setObjectName(QStringLiteral("txtFind"));
    txtFind->setPlaceholderText(QStringLiteral("Find in the guide"));
    txtFind->setClearButtonEnabled(true);
    auto *next = new QPushButton(QStringLiteral("&Next"), this);
    next->setObjectName(QStringLiteral("cmdFindNext"));
    auto *previous = new QPushButton(QStringLiteral("&Previous"), this);
    previous->setObjectName(QStringLiteral("cmdFindPrevious"));
    lblFound = new QLabel(this);
    lblFound->setObjectName(QStringLiteral("lblFound"));
    bar->addWidget(contents);
    bar->addWidget(back);
    bar->addSpacing(12);
    bar->addWidget(txtFind, 1);
    bar->addWidget(next);
    bar->addWidget(previous);
    bar->addWidget(lblFound);
    layout->addLayout(bar);

    txtGuide = new QTextBrowser(this);
    txtGuide->setObjectName(QStringLiteral("txtGuide"));
    txtGuide->setOpenExternalLinks(true);
    layout->addWidget(txtGuide, 1);

    connect(contents, &QPushButton::clicked, this, [this] { ShowAt(QString()); });
    connect(back, &QPushButton::clicked, txtGuide, &QTextBrowser::backward);
    connect(txtGuide, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    back->setEnabled(false);
    connect(next, &QPushButton::clicked, this, [this] { Find(txtFind->text()); });
    connect(previous, &QPushButton::clicked, this, [this] { Find(txtFind->text(), true); });
    connect(txtFind, &QLineEdit::returnPressed, this, [this] { Find(txtFind->text()); });
    connect(txtFind, &QLineEdit::textChanged, lblFound, &QLabel::clear);

    // Room for the guide's pictures where the screen has it.
    QSize size(960, 760);
    if (const QScreen *screen = parent ? parent->screen() : this->screen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size);
}

void HelpWindow::ShowAt(const QString &anchor)
{
    QUrl url(GuideUrl);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    txtGuide->setSource(url);
}

// The guide and the licence are built into the program (guide.qrc).
static void initGuideResources()
{
    Q_INIT_RESOURCE(guide);
}

void HelpWindow::LoadGuide()
{
    static const bool loaded = (initGuideResources(), true);
    (void)loaded;
}

bool HelpWindow::Find(const QString &text, bool backward)
{
    lblFound->clear();
    if (text.isEmpty())
        return false;
    const QTextDocument::FindFlags flags = backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (txtGuide->find(text, flags))
        return true;
    // Round the end of the guide.
    QTextCursor cursor = txtGuide->textCursor();
    cursor.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
    txtGuide->setTextCursor(cursor);
    if (txtGuide->find(text, flags))
        return true;
    lblFound->setText(QStringLiteral("Not found"));
    return false;
}
