#include "dialogs/frmVantileBGSel.h"

#include "dialogs/BackgroundLibrary.h"
#include "dialogs/DialogControls.h"
#include "dialogs/frmPictureImport.h"
#include "model/BackgroundLookup.h"
#include "model/Settings.h"
#include "model/modVantile.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace
{

constexpr int rgb(int red, int green, int blue)
{
    return blue * 65536 + green * 256 + red;
}

// Five rows of seven: white to black, then red, green, blue, yellow,
// magenta and cyan in falling brightness.
// clang-format off
constexpr std::array<int, 35> standardColors{
    rgb(255, 255, 255), rgb(255, 0, 0), rgb(0, 255, 0), rgb(0, 0, 255), rgb(255, 255, 0), rgb(255, 0, 255), rgb(0, 255, 255),
    rgb(192, 192, 192), rgb(224, 0, 0), rgb(0, 224, 0), rgb(0, 0, 224), rgb(224, 224, 0), rgb(224, 0, 224), rgb(0, 224, 224),
    rgb(128, 128, 128), rgb(192, 0, 0), rgb(0, 192, 0), rgb(0, 0, 192), rgb(192, 192, 0), rgb(192, 0, 192), rgb(0, 192, 192),
    rgb(64, 64, 64),    rgb(128, 0, 0), rgb(0, 128, 0), rgb(0, 0, 128), rgb(128, 128, 0), rgb(128, 0, 128), rgb(0, 128, 128),
    rgb(0, 0, 0),       rgb(64, 0, 0),  rgb(0, 64, 0),  rgb(0, 0, 64),  rgb(64, 64, 0),   rgb(64, 0, 64),   rgb(0, 64, 64)};
// clang-format on

const QString bmpFilter = QStringLiteral("BMP Images (*.BMP)|*.BMP|All Files (*.*)|*.*");

QString colorStyle(int color)
{
    return QStringLiteral("background-color: rgb(%1, %2, %3); border: 1px solid black;")
        .arg(color & 0xFF)
        .arg((color >> 8) & 0xFF)
        .arg((color >> 16) & 0xFF);
}

} // namespace

int frmVantileBGSel::StandardColor(int index)
{
    return index >= 0 && index < int(standardColors.size()) ? standardColors[size_t(index)] : 0;
}

QString frmVantileBGSel::LibraryPattern()
{
    return Paths::BmpLibraryFolder() + QStringLiteral("/*.BMP");
}

QString frmVantileBGSel::ImportFilter()
{
    QStringList patterns;
    for (const QString &suffix : PictureImport::ReadableSuffixes())
        patterns << QStringLiteral("*.") + suffix;
    return QStringLiteral("Pictures (%1)|%2|All Files (*.*)|*.*")
        .arg(patterns.join(QLatin1Char(' ')), patterns.join(QLatin1Char(';')));
}

frmVantileBGSel::frmVantileBGSel(modVantile &m, EditorHost &host, MessagePrompt &messages, FileDialogPrompt &files,
                                 QWidget *parent)
    : QDialog(parent), m_(m), host_(host), messages_(messages), files_(files),
      runDialog_([](QDialog &dialog) { return dialog.exec(); })
{
    setObjectName(QStringLiteral("frmVantileBGSel"));
    setWindowTitle(QStringLiteral("Select Background"));

    optBG[0] = new QRadioButton(QStringLiteral("Solid Color"), this);
    optBG[1] = new QRadioButton(QStringLiteral("BMP Image"), this);
    for (int i = 0; i < 2; ++i) {
        optBG[size_t(i)]->setObjectName(QStringLiteral("optBG_%1").arg(i));
        connect(optBG[size_t(i)], &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                optBG_Click();
        });
    }

    frmStd = new QGroupBox(QStringLiteral("Solid Colors"), this);
    frmStd->setObjectName(QStringLiteral("frmStd"));
    for (int i = 0; i < 37; ++i) {
        QLabel *label = i < 35 ? new PictureLabel(frmStd) : new QLabel(frmStd);
        label->setObjectName(QStringLiteral("lblStdCol_%1").arg(i));
        lblStdCol[size_t(i)] = label;
    }
    for (int i = 0; i < 35; ++i) {
        lblStdCol[size_t(i)]->setFixedSize(22, 22);
        lblStdCol[size_t(i)]->setStyleSheet(colorStyle(standardColors[size_t(i)]));
        lblStdCol[size_t(i)]->setCursor(Qt::PointingHandCursor);
        connect(static_cast<PictureLabel *>(lblStdCol[size_t(i)]), &PictureLabel::clicked, this,
                [this, i] { lblStdCol_Click(i); });
    }
    lblStdCol[35]->setFixedSize(64, 40);
    lblStdCol[36]->setText(QStringLiteral("Standard Colors"));
    lblSelCol = new QLabel(QStringLiteral("Selected Color"), frmStd);
    lblSelCol->setObjectName(QStringLiteral("lblSelCol"));
    lblCustom = new QLabel(QStringLiteral("Custom Color"), frmStd);
    lblCustom->setObjectName(QStringLiteral("lblCustom"));
    auto channel = [this](QLabel *&label, QScrollBar *&bar, const char *labelName, const char *barName,
                          const QString &caption, const char *color) {
        label = new QLabel(caption, frmStd);
        label->setObjectName(QLatin1String(labelName));
        label->setStyleSheet(QStringLiteral("color: %1;").arg(QLatin1String(color)));
        bar = new QScrollBar(Qt::Horizontal, frmStd);
        bar->setObjectName(QLatin1String(barName));
        bar->setRange(0, 255);
        bar->setValue(0);
        bar->setMinimumWidth(110);
        connect(bar, &QScrollBar::valueChanged, this, &frmVantileBGSel::hs_Change);
    };
    channel(lblCCRed, hsRed, "lblCCRed", "hsRed", QStringLiteral("Red"), "rgb(255, 0, 0)");
    channel(lblCCGrn, hsGrn, "lblCCGrn", "hsGrn", QStringLiteral("Green"), "rgb(0, 160, 0)");
    channel(lblCCBlu, hsBlu, "lblCCBlu", "hsBlu", QStringLiteral("Blue"), "rgb(0, 0, 255)");

    lblBMP = new QLabel(this);
    lblBMP->setObjectName(QStringLiteral("lblBMP"));
    lblBMP->setStyleSheet(QStringLiteral("QLabel { background-color: white; border: 1px solid gray; }"));
    lblBMP->setMinimumHeight(22);
    lblBMP->setTextFormat(Qt::PlainText);
    lblBMP->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long path must not widen the dialog beyond its client area.
    lblBMP->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    cmdBrowse = new QPushButton(QStringLiteral("Browse"), this);
    cmdBrowse->setObjectName(QStringLiteral("cmdBrowse"));
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdClose = new QPushButton(QStringLiteral("Save"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    for (QPushButton *b : {cmdBrowse, cmdCancel, cmdClose})
        b->setAutoDefault(false);

    // Solid colour frame: swatches left; the selected colour and the mixer
    // right of them, so the whole dialog fits its fixed client area.
    auto *swatches = new QGridLayout;
    swatches->setSpacing(3);
    swatches->addWidget(lblStdCol[36], 0, 0, 1, 7);
    for (int i = 0; i < 35; ++i)
        swatches->addWidget(lblStdCol[size_t(i)], 1 + i / 7, i % 7);
    swatches->setRowStretch(6, 1);
    auto *mixer = new QGridLayout;
    mixer->setVerticalSpacing(4);
    mixer->addWidget(lblSelCol, 0, 0, 1, 2);
    mixer->addWidget(lblStdCol[35], 1, 0, 1, 2);
    mixer->addWidget(lblCustom, 2, 0, 1, 2);
    mixer->addWidget(lblCCRed, 3, 0);
    mixer->addWidget(hsRed, 3, 1);
    mixer->addWidget(lblCCGrn, 4, 0);
    mixer->addWidget(hsGrn, 4, 1);
    mixer->addWidget(lblCCBlu, 5, 0);
    mixer->addWidget(hsBlu, 5, 1);
    auto *frame = new QHBoxLayout(frmStd);
    frame->addLayout(swatches);
    frame->addSpacing(12);
    frame->addLayout(mixer, 1);

    auto *options = new QHBoxLayout;
    options->addWidget(optBG[0]);
    options->addWidget(optBG[1]);
    options->addStretch();
    auto *picture = new QHBoxLayout;
    picture->addWidget(lblBMP, 1);
    picture->addWidget(cmdBrowse);
    auto *commands = new QHBoxLayout;
    commands->addStretch();
    commands->addWidget(cmdCancel);
    commands->addWidget(cmdClose);
    const Settings::PanelSize panel = Settings::ScreenSize(m_.GetResolution(), m_.GetLayout());
    library_ = new BackgroundLibrary(QSize(panel.width, panel.height), this);
    auto *chosen = new QVBoxLayout;
    chosen->addLayout(options);
    chosen->addWidget(frmStd);
    chosen->addLayout(picture);
    chosen->addStretch();
    auto *both = new QHBoxLayout;
    both->addLayout(chosen);
    both->addSpacing(8);
    both->addWidget(library_, 1);
    auto *main = new QVBoxLayout(this);
    main->addLayout(both, 1);
    main->addLayout(commands);

    connect(cmdBrowse, &QPushButton::clicked, this, &frmVantileBGSel::cmdBrowse_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdClose, &QPushButton::clicked, this, &frmVantileBGSel::cmdClose_Click);

    connect(library_, &BackgroundLibrary::Chosen, this, [this](const QString &name) {
        optBG[1]->setChecked(true);
        showPath(name);
    });
    connect(library_, &BackgroundLibrary::ImportClicked, this, [this] {
        const QString source = files_.ShowOpen(ImportFilter(), QString());
        if (!source.isEmpty())
            importPicture(source);
    });
    connect(library_, &BackgroundLibrary::FitClicked, this, &frmVantileBGSel::importPicture);

    // The colours and the path at 6225, 4455 twips of the screen as they
    // always were (6255 twips wide), the library right of them.
    setGeometry(415, 297, 940, 400);
}

void frmVantileBGSel::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!activated_) {
        activated_ = true;
        Form_Activate();
    }
}

void frmVantileBGSel::Form_Activate()
{
    const QString &background = m_.ScreenBackground[size_t(std::clamp<int>(m_.CurrentScreen, 0, 15))];
    if (!IsColorBackground(background)) {
        optBG[1]->setChecked(true);
        showPath(background);
        if (const BackgroundFile file = LocateBackground(background, m_);
            file.found() && Files::SameFile(QFileInfo(file.path).absolutePath(), Paths::BmpLibraryFolder()))
            library_->Show(QFileInfo(file.path).fileName());
    } else {
        optBG[0]->setChecked(true);
        setSelectedColor(int(BackgroundColorValue(background)));
    }
    // A radio button already set raises no toggle, so apply its state here too.
    optBG_Click();
}

void frmVantileBGSel::showPath(const QString &path)
{
    lblBMP->setText(path);
    lblBMP->setToolTip(path);
    // A path longer than the box shows its end, where the file name is.
    const bool fits = lblBMP->fontMetrics().horizontalAdvance(path) <= lblBMP->contentsRect().width();
    lblBMP->setAlignment((fits ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
}

void frmVantileBGSel::optBG_Click()
{
    const bool solid = optBG[0]->isChecked();
    frmStd->setEnabled(solid);
    for (QScrollBar *bar : {hsRed, hsGrn, hsBlu})
        bar->setEnabled(solid);
    cmdBrowse->setEnabled(!solid);
    lblBMP->setEnabled(!solid);
}

void frmVantileBGSel::setSelectedColor(int color)
{
    selectedColor_ = color;
    lblStdCol[35]->setStyleSheet(colorStyle(color));
}

void frmVantileBGSel::lblStdCol_Click(int index)
{
    setSelectedColor(standardColors[size_t(index)]);
}

void frmVantileBGSel::hs_Change()
{
    setSelectedColor(rgb(hsRed->value(), hsGrn->value(), hsBlu->value()));
}

void frmVantileBGSel::cmdBrowse_Click()
{
    // The library folder is offered on the first Browse of an opening only;
    // later ones start where the file dialog itself left off.
    QString initialName;
    if (!browsed_) {
        browsed_ = true;
        initialName = LibraryPattern();
    }
    const QString chosen = files_.ShowOpen(bmpFilter, initialName);
    if (chosen.isEmpty() || chosen == LibraryPattern())
        return;
    // A path the project file would change is refused now, not found missing later.
    QString stored = chosen;
    QString problem = BackgroundPathProblem(chosen);
    // A picture of the BMP Library is found again by its name alone, so a
    // library under a folder the project file cannot spell costs nothing.
    const QFileInfo file(chosen);
    if (!problem.isEmpty() && Files::SameFile(file.absolutePath(), Paths::BmpLibraryFolder()) &&
        BackgroundPathProblem(file.fileName()).isEmpty()) {
        stored = file.fileName();
        problem.clear();
    }
    if (!problem.isEmpty()) {
        const QString crLf = QStringLiteral("\r\n");
        messages_.Show(QStringLiteral("This picture cannot be used as a background.") + crLf + chosen + crLf + problem +
                           crLf +
                           QStringLiteral("Copy the picture into the BMP Library (%1) and choose it there.")
                               .arg(Paths::BmpLibraryFolder()),
                       QStringLiteral("Error"), MessagePrompt::Icon::Exclamation);
        return;
    }
    showPath(stored);
}

void frmVantileBGSel::importPicture(const QString &source)
{
    const Settings::PanelSize panel = Settings::ScreenSize(m_.GetResolution(), m_.GetLayout());
    const QString made =
        frmPictureImport::Import(source, QSize(panel.width, panel.height), messages_, runDialog_, this);
    if (made.isEmpty())
        return;
    library_->Reload(made);
    optBG[1]->setChecked(true);
    // A picture of the library is stored by its name alone.
    showPath(made);
}

void frmVantileBGSel::cmdClose_Click()
{
    QString background;
    if (optBG[0]->isChecked()) {
        const QString digits = QStringLiteral("000000") + QString::number(selectedColor_, 16).toUpper();
        background = QStringLiteral("[&H") + digits.right(6) + QLatin1Char('&');
    } else if (lblBMP->text().isEmpty()) {
        messages_.Show(QStringLiteral("Invalid File Name"), QStringLiteral("Error"), MessagePrompt::Icon::Information);
        return;
    } else {
        background = lblBMP->text();
    }
    m_.ScreenBackground[size_t(std::clamp<int>(m_.CurrentScreen, 0, 15))] = background;
    accept();
}
