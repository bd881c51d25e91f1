#include "editor/HelpActions.h"

#include "editor/HelpWindow.h"
#include "editor/KeySchemes.h"
#include "editor/Preferences.h"
#include "editor/frmVantile.h"
#include "platform/Version.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QTextBrowser>
#include <QVBoxLayout>

const QList<HelpActions::Context> &HelpActions::ContextTable()
{
    static const QList<Context> table{
        {"frmVantile", "editor-window"},
        {"frmVantileButton", "button-editor"},
        {"frmVantilePilot", "pilot-editor"},
        {"frmVantileSlider", "slider-editor"},
        {"frmVantileTextBox", "text-editor"},
        {"frmVantileBGSel", "backgrounds"},
        {"frmCopyScreen", "copy-screen"},
        {"frmVantileComm", "download"},
        {"frmVantileSDWrite", "sd-card"},
        {"frmVantileTry", "try-panel"},
        {"frmProjectCheck", "check"},
        {"frmFunctionMap", "function-map"},
        {"frmPreferences", "preferences"},
        {"frmKeyScheme", "preferences"},
        {"frmShortcuts", "keys"},
    };
    return table;
}

QString HelpActions::AnchorFor(const QWidget *window)
{
    for (const QWidget *w = window; w; w = w->parentWidget())
        for (const Context &context : ContextTable())
            if (w->objectName() == QLatin1String(context.window))
                return QString::fromLatin1(context.anchor);
    return {};
}

HelpActions::HelpActions(frmVantile &window, std::function<int(QDialog &)> runDialog)
    : QObject(&window), window_(window), runDialog_(std::move(runDialog))
{
    HelpWindow::LoadGuide();
    // F1 in a dialog or another window of the editor, where the menu's key does not reach.
    qApp->installEventFilter(this);
}

void HelpActions::BuildMenu(QMenu *help)
{
    help->setObjectName(QStringLiteral("mnuHelp"));
    auto action = [this, help](const char *name, const QString &caption, auto slot) {
        QAction *a = help->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    action("mnuUserGuide", QStringLiteral("&User Guide"), [this] { ShowGuide(QString()); });
    action("mnuContextHelp", QStringLiteral("Help On This &Window"), [this] { ShowHelp(&window_); });
    action("mnuShortcuts", QStringLiteral("&Keyboard Shortcuts"), [this] { mnuShortcuts_Click(); });
    help->addSeparator();
    QAction *about = action("mnuAbout", QStringLiteral("&About ZAV Quellix Touch"), [this] { mnuAbout_Click(); });
    about->setMenuRole(QAction::AboutRole);
}

bool HelpActions::ownWindow(const QWidget *window) const
{
    for (const QWidget *w = window; w; w = w->parentWidget())
        if (w == &window_)
            return true;
    return false;
}

bool HelpActions::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent *>(event)->key() != Qt::Key_F1 ||
        static_cast<QKeyEvent *>(event)->modifiers() != Qt::NoModifier || !watched->isWidgetType())
        return false;
    const QWidget *window = static_cast<QWidget *>(watched)->window();
    // The main window's own F1 is its menu item's key.
    if (window == &window_ || !ownWindow(window))
        return false;
    ShowHelp(window);
    return true;
}

HelpWindow *HelpActions::ShowHelp(const QWidget *window)
{
    const QString anchor = AnchorFor(window);
    if (!window || window == &window_)
        return ShowGuide(anchor);
    // Another window or a dialog keeps a guide of its own: under a modal
    // dialog only the dialog's own windows can be used.
    auto *owner = const_cast<QWidget *>(window);
    auto *guide = owner->findChild<HelpWindow *>(QString(), Qt::FindDirectChildrenOnly);
    if (!guide)
        guide = new HelpWindow(owner);
    guide->ShowAt(anchor);
    guide->show();
    guide->raise();
    return guide;
}

HelpWindow *HelpActions::ShowGuide(const QString &anchor)
{
    if (!guide_)
        guide_ = new HelpWindow(&window_);
    guide_->ShowAt(anchor);
    guide_->show();
    guide_->raise();
    guide_->activateWindow();
    return guide_;
}

void HelpActions::mnuShortcuts_Click()
{
    if (!shortcuts_) {
        shortcuts_ = new QDialog(&window_);
        shortcuts_->setObjectName(QStringLiteral("frmShortcuts"));
        shortcuts_->setWindowTitle(QStringLiteral("Keyboard Shortcuts"));
        auto *layout = new QVBoxLayout(shortcuts_);
        auto *text = new QTextBrowser(shortcuts_);
        text->setObjectName(QStringLiteral("txtShortcuts"));
        layout->addWidget(text);
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, shortcuts_);
        connect(buttons, &QDialogButtonBox::rejected, shortcuts_, &QDialog::reject);
        layout->addWidget(buttons);
        shortcuts_->resize(520, 640);
        // The sheet follows the scheme while it is open.
        auto fill = [this, text] {
            text->setHtml(KeySchemes::Sheet(&window_, window_.GetPreferences().Current().keys));
        };
        connect(&window_.GetPreferences(), &Preferences::Changed, text, fill);
        fill();
    }
    shortcuts_->show();
    shortcuts_->raise();
}

void HelpActions::mnuAbout_Click()
{
    QDialog dialog(&window_);
    dialog.setObjectName(QStringLiteral("frmAbout"));
    dialog.setWindowTitle(QStringLiteral("About ZAV Quellix Touch"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *title = new QLabel(QStringLiteral("<h2>%1</h2>").arg(Version::Text().toHtmlEscaped()), &dialog);
    title->setObjectName(QStringLiteral("lblVersion"));
    layout->addWidget(title);
    layout->addWidget(new QLabel(QStringLiteral("Designs the screens of a touch panel."), &dialog));
    auto *build = new QLabel(QStringLiteral("Build: ") + Version::Build(), &dialog);
    build->setObjectName(QStringLiteral("lblBuild"));
    build->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(build);
    auto *licence = new QTextBrowser(&dialog);
    licence->setObjectName(QStringLiteral("txtLicence"));
    QFile file(QStringLiteral(":/about/LICENSE"));
    licence->setPlainText(file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString());
    layout->addWidget(licence);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.resize(520, 420);
    runDialog_(dialog);
}
