#include "editor/Preferences.h"

#include "editor/CanvasHost.h"
#include "editor/EditActions.h"
#include "editor/KeySchemes.h"
#include "editor/frmVantile.h"
#include "platform/Prompts.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

using Settings::ClickMode;
using Settings::KeyScheme;

namespace
{
// The sizes offered for the interface font, beside the designed one.
constexpr int FontSizes[] = {12, 13, 14, 16};

QComboBox *combo(QDialog &dialog, const char *name, const QStringList &items, int current)
{
    auto *box = new QComboBox(&dialog);
    box->setObjectName(QString::fromLatin1(name));
    box->addItems(items);
    box->setCurrentIndex(current);
    return box;
}

// "Ctrl+S Save, Ctrl+X Cut" as `scheme` gives them.
QString keyExamples(KeyScheme scheme, const QList<std::pair<const char *, const char *>> &actions)
{
    QStringList parts;
    for (const auto &[name, caption] : actions)
        for (const KeySchemes::Row &row : KeySchemes::Table())
            if (qstrcmp(row.action, name) == 0 && !KeySchemes::Keys(row, scheme).isEmpty())
                parts << KeySchemes::Keys(row, scheme).first().toString(QKeySequence::NativeText) + QLatin1Char(' ') +
                             QLatin1String(caption);
    return parts.join(QStringLiteral(", "));
}

QString schemeCaption(KeyScheme scheme)
{
    const QList<std::pair<const char *, const char *>> examples{
        {"mnuFileSave", "Save"}, {"mnuNewSlider", "New Slider"}, {"mnuClearScreen", "Clear Screen"}, {"mnuCut", "Cut"}};
    return KeySchemes::SchemeName(scheme) + QStringLiteral(" (") + keyExamples(scheme, examples) + QLatin1Char(')');
}
} // namespace

Preferences::Preferences(frmVantile &window, EditActions &edit, MessagePrompt &messages,
                         std::function<int(QDialog &)> runDialog)
    : QObject(&window), window_(window), edit_(edit), messages_(messages), runDialog_(std::move(runDialog))
{
    // The grid menu items are preferences too.
    auto gridChosen = [this] {
        Settings::Preferences p = current_;
        p.gridStep = edit_.GridSize();
        p.gridColor = edit_.GridColorIndex();
        if (!(p == current_)) {
            current_ = p;
            Settings::WritePreferences(current_); // a comfort, as the zoom
        }
    };
    connect(&edit_, &EditActions::GridChanged, this, gridChosen);
    connect(&edit_, &EditActions::GridColorChanged, this, gridChosen);
}

void Preferences::BuildMenu(QMenu *edit)
{
    edit->addSeparator();
    QAction *a = edit->addAction(QStringLiteral("Preferences..."));
    a->setObjectName(QStringLiteral("mnuPreferences"));
    a->setMenuRole(QAction::PreferencesRole);
    connect(a, &QAction::triggered, this, &Preferences::mnuPreferences_Click);
}

void Preferences::Load()
{
    const Settings::Preferences stored = Settings::ReadPreferences();
    current_ = stored;
    apply(stored);
}

bool Preferences::Set(const Settings::Preferences &preferences, QString *error)
{
    const int zoom = current_.zoom;
    current_ = preferences;
    apply(preferences);
    // A start zoom chosen now is the zoom now.
    if (preferences.zoom > 0 && preferences.zoom != zoom)
        window_.SetZoom(preferences.zoom);
    return Settings::WritePreferences(preferences, error);
}

void Preferences::apply(const Settings::Preferences &p)
{
    KeySchemes::Apply(&window_, p.keys);
    edit_.SetGrid(p.gridStep, p.gridColor);
    // The designed font is the program's own (main() and the window set it);
    // another size goes to the dialogs and boxes too.
    if (p.fontSize > 0 || fontChanged_) {
        QFont font = frmVantile::InterfaceFont();
        if (p.fontSize > 0)
            font.setPixelSize(p.fontSize);
        QApplication::setFont(font);
        window_.setFont(font);
        fontChanged_ = p.fontSize > 0;
    }
    emit Changed();
}

bool Preferences::FirstStart()
{
    return !Settings::SettingsFileExists();
}

void Preferences::AskKeyScheme()
{
    QDialog dialog(&window_);
    dialog.setObjectName(QStringLiteral("frmKeyScheme"));
    dialog.setWindowTitle(QStringLiteral("Welcome"));
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(
        new QLabel(QStringLiteral("Which keys do you prefer? Edit, Preferences... changes them later."), &dialog));
    auto *classic = new QRadioButton(schemeCaption(KeyScheme::Classic), &dialog);
    classic->setObjectName(QStringLiteral("optClassic"));
    auto *standard = new QRadioButton(schemeCaption(KeyScheme::Standard), &dialog);
    standard->setObjectName(QStringLiteral("optStandard"));
    (current_.keys == KeyScheme::Standard ? standard : classic)->setChecked(true);
    layout->addWidget(classic);
    layout->addWidget(new QLabel(QStringLiteral("    the keys of earlier versions of this editor"), &dialog));
    layout->addWidget(standard);
    layout->addWidget(new QLabel(QStringLiteral("    the keys of most other programs"), &dialog));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    runDialog_(dialog);
    // Closed without a choice: the keys it showed, so that it is not asked again.
    Settings::Preferences p = current_;
    p.keys = standard->isChecked() ? KeyScheme::Standard : KeyScheme::Classic;
    Set(p);
}

void Preferences::mnuPreferences_Click()
{
    QDialog dialog(&window_);
    dialog.setObjectName(QStringLiteral("frmPreferences"));
    dialog.setWindowTitle(QStringLiteral("Preferences"));
    auto *form = new QFormLayout(&dialog);
    const Settings::Preferences &p = current_;

    QComboBox *keys =
        combo(dialog, "cboKeys", {schemeCaption(KeyScheme::Classic), schemeCaption(KeyScheme::Standard)}, int(p.keys));
    form->addRow(QStringLiteral("&Keys:"), keys);
    QComboBox *click = combo(dialog, "cboClick",
                             {QStringLiteral("A click opens the editor"),
                              QStringLiteral("A click selects; a double click opens the editor")},
                             int(p.click));
    form->addRow(QStringLiteral("&Click:"), click);

    QStringList steps;
    int step = 0;
    for (int s : Settings::GridSteps) {
        if (s == p.gridStep)
            step = int(steps.size());
        steps << QStringLiteral("%1 x %1").arg(s);
    }
    form->addRow(QStringLiteral("&Grid step:"), combo(dialog, "cboGridStep", steps, step));
    form->addRow(QStringLiteral("Grid c&olour:"),
                 combo(dialog, "cboGridColor", Settings::GridColorNames(), p.gridColor));

    QStringList zooms{QStringLiteral("The zoom last used")};
    int zoom = 0;
    for (int z : CanvasHost::ZoomSteps) {
        if (z == p.zoom)
            zoom = int(zooms.size());
        zooms << QStringLiteral("%1 %").arg(z);
    }
    form->addRow(QStringLiteral("&Zoom at start:"), combo(dialog, "cboZoom", zooms, zoom));

    QStringList fonts{QStringLiteral("As designed (%1 pixels)").arg(frmVantile::InterfaceFont().pixelSize())};
    int font = 0;
    for (int f : FontSizes) {
        if (f == p.fontSize)
            font = int(fonts.size());
        fonts << QStringLiteral("%1 pixels").arg(f);
    }
    form->addRow(QStringLiteral("Interface &font:"), combo(dialog, "cboFontSize", fonts, font));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (runDialog_(dialog) != QDialog::Accepted)
        return;

    auto chosen = [&dialog](const char *name) {
        return dialog.findChild<QComboBox *>(QString::fromLatin1(name))->currentIndex();
    };
    Settings::Preferences next = p;
    next.keys = KeyScheme(chosen("cboKeys"));
    next.click = ClickMode(chosen("cboClick"));
    next.gridStep = Settings::GridSteps[std::max(0, chosen("cboGridStep"))];
    next.gridColor = std::max(0, chosen("cboGridColor"));
    next.zoom = chosen("cboZoom") > 0 ? CanvasHost::ZoomSteps[size_t(chosen("cboZoom") - 1)] : 0;
    next.fontSize = chosen("cboFontSize") > 0 ? FontSizes[chosen("cboFontSize") - 1] : 0;
    QString error;
    if (!Set(next, &error))
        messages_.Show(QStringLiteral("The settings file could not be written:\r\n") + error,
                       QStringLiteral("Preferences"), MessagePrompt::Icon::Exclamation);
}
