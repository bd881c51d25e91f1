#include "dialogs/frmPictureImport.h"

#include "model/modVantile.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QVBoxLayout>

namespace
{

const QString crLf = QStringLiteral("\r\n");
const QString title = QStringLiteral("Import Picture");

// Captions of the four ways, in the order of PictureImport::Mode.
const std::array<const char *, 4> modeCaptions{"Fit", "Fill", "Stretch", "Centre"};
const std::array<const char *, 4> modeTips{
    "The whole picture, scaled to fit inside; bars in the colour", "Scaled to cover the screen; drag to move the crop",
    "Scaled to the screen's width and height", "Not scaled; centred, cut off or barred"};

QString colourText(QRgb colour)
{
    return QColor(colour).name(QColor::HexRgb).toUpper();
}

// The library's file of that name, whatever its case, or empty.
QString existingFile(const QDir &library, const QString &name)
{
    for (const QString &file : library.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (file.compare(name, Qt::CaseInsensitive) == 0)
            return file;
    return {};
}

} // namespace

ImportPreview::ImportPreview(QSize screen, QWidget *parent) : QWidget(parent), screen_(screen)
{
    setMinimumSize(screen / 3);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setCursor(Qt::OpenHandCursor);
}

void ImportPreview::SetPicture(const QImage &picture)
{
    picture_ = picture;
    update();
}

QSize ImportPreview::sizeHint() const
{
    return screen_;
}

QRect ImportPreview::ScreenArea() const
{
    const QSize shown = screen_.scaled(size(), Qt::KeepAspectRatio).boundedTo(screen_);
    return {QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown};
}

void ImportPreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Mid));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(ScreenArea(), picture_);
}

void ImportPreview::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    dragging_ = true;
    pressedAt_ = event->position();
    setCursor(Qt::ClosedHandCursor);
    emit Pressed();
}

void ImportPreview::mouseMoveEvent(QMouseEvent *event)
{
    if (!dragging_ || ScreenArea().width() <= 0)
        return;
    const double scale = double(screen_.width()) / ScreenArea().width();
    emit Dragged(((event->position() - pressedAt_) * scale).toPoint());
}

void ImportPreview::mouseReleaseEvent(QMouseEvent *)
{
    dragging_ = false;
    setCursor(Qt::OpenHandCursor);
}

frmPictureImport::frmPictureImport(const QString &source, const QImage &picture, QSize screen, MessagePrompt &messages,
                                   QWidget *parent)
    : QDialog(parent), source_(source), screen_(screen), messages_(messages), preview_(picture, screen)
{
    setObjectName(QStringLiteral("frmPictureImport"));
    setWindowTitle(title);

    lblSource = new QLabel(this);
    lblSource->setObjectName(QStringLiteral("lblSource"));
    lblSource->setTextFormat(Qt::PlainText);
    lblSource->setText(QStringLiteral("%1: %2 x %3, made %4 x %5")
                           .arg(QFileInfo(source).fileName())
                           .arg(picture.width())
                           .arg(picture.height())
                           .arg(screen.width())
                           .arg(screen.height()));
    for (int i = 0; i < 4; ++i) {
        auto *option = new QRadioButton(QLatin1String(modeCaptions[size_t(i)]), this);
        option->setObjectName(QStringLiteral("optMode_%1").arg(i));
        option->setToolTip(QLatin1String(modeTips[size_t(i)]));
        connect(option, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                optMode_Click(i);
        });
        optMode[size_t(i)] = option;
    }
    auto *colourCaption = new QLabel(QStringLiteral("Colour"), this);
    txtColour = new QLineEdit(colourText(colour_), this);
    txtColour->setObjectName(QStringLiteral("txtColour"));
    txtColour->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("#[0-9A-Fa-f]{0,6}")), txtColour));
    txtColour->setMaximumWidth(80);
    txtColour->setToolTip(QStringLiteral("The bars and the transparent parts of the picture"));
    lblColour = new QLabel(this);
    lblColour->setObjectName(QStringLiteral("lblColour"));
    lblColour->setFixedSize(22, 22);
    cmdColour = new QPushButton(QStringLiteral("Choose..."), this);
    cmdColour->setObjectName(QStringLiteral("cmdColour"));
    chkPanel = new QCheckBox(QStringLiteral("Show as the panel"), this);
    chkPanel->setObjectName(QStringLiteral("chkPanel"));
    chkPanel->setToolTip(QStringLiteral("The panel's 16-bit colours, as the card holds them"));
    picPreview = new ImportPreview(screen, this);
    picPreview->setObjectName(QStringLiteral("picPreview"));
    auto *nameCaption = new QLabel(QStringLiteral("Name in the BMP Library"), this);
    txtName = new QLineEdit(PictureImport::LibraryName(source, screen), this);
    txtName->setObjectName(QStringLiteral("txtName"));
    cmdImport = new QPushButton(QStringLiteral("Import"), this);
    cmdImport->setObjectName(QStringLiteral("cmdImport"));
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    for (QPushButton *b : {cmdColour, cmdCancel})
        b->setAutoDefault(false);
    cmdImport->setDefault(true);

    auto *options = new QHBoxLayout;
    for (QRadioButton *option : optMode)
        options->addWidget(option);
    options->addSpacing(16);
    options->addWidget(colourCaption);
    options->addWidget(txtColour);
    options->addWidget(lblColour);
    options->addWidget(cmdColour);
    options->addSpacing(16);
    options->addWidget(chkPanel);
    options->addStretch();
    auto *name = new QHBoxLayout;
    name->addWidget(nameCaption);
    name->addWidget(txtName, 1);
    auto *commands = new QHBoxLayout;
    commands->addStretch();
    commands->addWidget(cmdCancel);
    commands->addWidget(cmdImport);
    auto *main = new QVBoxLayout(this);
    main->addWidget(lblSource);
    main->addLayout(options);
    main->addWidget(picPreview, 1);
    main->addLayout(name);
    main->addLayout(commands);

    connect(txtColour, &QLineEdit::textChanged, this, &frmPictureImport::txtColour_Change);
    connect(cmdColour, &QPushButton::clicked, this, &frmPictureImport::cmdColour_Click);
    connect(chkPanel, &QCheckBox::toggled, this, &frmPictureImport::refresh);
    connect(picPreview, &ImportPreview::Pressed, this, [this] { shiftAtPress_ = shift_; });
    connect(picPreview, &ImportPreview::Dragged, this, &frmPictureImport::dragged);
    connect(cmdImport, &QPushButton::clicked, this, &frmPictureImport::cmdImport_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    optMode[size_t(mode_)]->setChecked(true);
    refresh();
    // The preview at the panel's size where the desktop has room for it.
    QSize room(1024, 768);
    if (const QScreen *desktop = QGuiApplication::primaryScreen())
        room = desktop->availableSize() * 9 / 10;
    resize(sizeHint().boundedTo(room));
}

QString frmPictureImport::Import(const QString &source, QSize screen, MessagePrompt &messages, const DialogRunner &run,
                                 QWidget *parent)
{
    QString why;
    // A large photograph takes a second to decode.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const QImage picture = PictureImport::Read(source, &why);
    QGuiApplication::restoreOverrideCursor();
    if (picture.isNull()) {
        messages.Show(QStringLiteral("This picture cannot be imported.") + crLf + source + crLf + why,
                      QStringLiteral("Error"), MessagePrompt::Icon::Exclamation);
        return {};
    }
    frmPictureImport dialog(source, picture, screen, messages, parent);
    if (run(dialog) != QDialog::Accepted)
        return {};
    return dialog.LibraryFile();
}

void frmPictureImport::optMode_Click(int index)
{
    mode_ = PictureImport::Mode(index);
    refresh();
}

void frmPictureImport::txtColour_Change()
{
    const QString text = txtColour->text();
    if (text.size() != 7)
        return;
    colour_ = QColor::fromString(text).rgb();
    refresh();
}

void frmPictureImport::cmdColour_Click()
{
    const QColor chosen = QColorDialog::getColor(QColor(colour_), this, QStringLiteral("Colour"));
    if (chosen.isValid())
        txtColour->setText(colourText(chosen.rgb()));
}

void frmPictureImport::dragged(QPoint screenPixels)
{
    if (mode_ != PictureImport::Mode::Fill)
        return;
    shift_ = PictureImport::HeldShift(preview_.Picture().size(), screen_, mode_, shiftAtPress_ + screenPixels);
    refresh();
}

void frmPictureImport::refresh()
{
    lblColour->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid black;").arg(colourText(colour_)));
    picPreview->setCursor(mode_ == PictureImport::Mode::Fill ? Qt::OpenHandCursor : Qt::ArrowCursor);
    QElapsedTimer timer;
    timer.start();
    picPreview->SetPicture(preview_.Compose(mode_, colour_, shift_, chkPanel->isChecked()));
    previewMs_ = double(timer.nsecsElapsed()) / 1e6;
}

bool frmPictureImport::fail(const QString &text)
{
    messages_.Show(text, QStringLiteral("Error"), MessagePrompt::Icon::Exclamation);
    return false;
}

void frmPictureImport::cmdImport_Click()
{
    QString name = txtName->text().trimmed();
    if (!name.isEmpty() && !name.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive))
        name += QStringLiteral(".BMP");
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name.startsWith(QLatin1Char('.'))) {
        fail(QStringLiteral("Invalid File Name"));
        return;
    }
    if (const QString problem = BackgroundPathProblem(name); !problem.isEmpty()) {
        fail(QStringLiteral("This name cannot be used as a background.") + crLf + name + crLf + problem);
        return;
    }
    const QString folder = Paths::BmpLibraryFolder();
    if (!QDir().mkpath(folder)) {
        fail(QStringLiteral("The BMP Library cannot be made.") + crLf + folder);
        return;
    }
    const QDir library(folder);
    if (const QString existing = existingFile(library, name); !existing.isEmpty()) {
        if (messages_.Confirm(existing + QStringLiteral(" is already in the BMP Library.") + crLf +
                                  QStringLiteral("Replace it?"),
                              title) != MessagePrompt::Answer::Yes)
            return;
        name = existing;
    }
    QString why;
    const QImage made = PictureImport::Compose(preview_.Picture(), screen_, mode_, colour_, shift_, &why);
    if (made.isNull()) {
        fail(QStringLiteral("This picture cannot be imported.") + crLf + source_ + crLf + why);
        return;
    }
    const QString target = library.filePath(name);
    if (!PictureImport::WriteBmp(made, target, &why)) {
        fail(QStringLiteral("The picture cannot be written.") + crLf + QDir::toNativeSeparators(target) + crLf + why);
        return;
    }
    libraryFile_ = name;
    accept();
}
