#include "dialogs/BackgroundLibrary.h"

#include "platform/Files.h"
#include "platform/Paths.h"
#include "render/BackgroundPictureFile.h"

#include <QBuffer>
#include <QCache>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QVBoxLayout>

namespace
{

constexpr QSize PreviewBox{200, 125};
const QColor wrongSize(192, 0, 0);

QString sizeText(QSize size)
{
    return QStringLiteral("%1 x %2").arg(size.width()).arg(size.height());
}

// A file as it was: its path, time and length.
QString fileKey(const QString &path)
{
    const QFileInfo info(path);
    return path + QLatin1Char('|') + QString::number(info.lastModified().toMSecsSinceEpoch()) + QLatin1Char('|') +
           QString::number(info.size());
}

// A reader over the file's first `maxBytes`, read through the file door (a
// FIFO or device named like a picture is not waited on).
struct FileReader {
    FileReader(const QString &path, qint64 maxBytes)
    {
        if (!Files::ReadRegular(path, maxBytes, &bytes))
            bytes.clear();
        buffer.setBuffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        reader.setDevice(&buffer);
    }
    QByteArray bytes;
    QBuffer buffer;
    QImageReader reader;
};

// Enough for the headers of any BMP.
constexpr qint64 HeaderBytes = 4096;

QCache<QString, QIcon> &thumbnails()
{
    static QCache<QString, QIcon> cache(1000);
    return cache;
}

// The thumbnail, framed red where the picture does not fit the screen.
QIcon thumbnail(const QString &path, QSize size, bool fits)
{
    const QString key = fileKey(path) + (fits ? QStringLiteral("|fits") : QStringLiteral("|other"));
    if (const QIcon *cached = thumbnails().object(key))
        return *cached;
    QImage face(LibraryModel::ThumbnailSize, QImage::Format_ARGB32_Premultiplied);
    face.fill(Qt::transparent);
    QPainter painter(&face);
    if (size.isValid()) {
        const QSize shown = size.scaled(LibraryModel::ThumbnailSize, Qt::KeepAspectRatio).expandedTo({1, 1});
        FileReader file(path, BackgroundPictureFile::MaxBytes);
        file.reader.setScaledSize(shown);
        const QImage picture = file.reader.read();
        const QRect area(QPoint((face.width() - shown.width()) / 2, (face.height() - shown.height()) / 2), shown);
        if (!picture.isNull())
            painter.drawImage(area, picture);
        if (!fits) {
            painter.setPen(QPen(wrongSize, 3));
            painter.drawRect(area.adjusted(1, 1, -2, -2));
        }
    }
    painter.end();
    auto *icon = new QIcon(QPixmap::fromImage(face));
    const QIcon result = *icon;
    thumbnails().insert(key, icon);
    return result;
}

} // namespace

LibraryModel::LibraryModel(QSize screen, QObject *parent) : QAbstractListModel(parent), screen_(screen) {}

void LibraryModel::Load(const QString &folder)
{
    beginResetModel();
    entries_.clear();
    const QDir dir(folder);
    for (const QString &name : dir.entryList({QStringLiteral("*.bmp")}, QDir::Files, QDir::Name | QDir::IgnoreCase))
        entries_.push_back({name, dir.filePath(name), {}});
    endResetModel();
}

int LibraryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(entries_.size());
}

QSize LibraryModel::sizeOf(const Entry &entry) const
{
    if (!entry.size)
        entry.size = FileReader(entry.path, HeaderBytes).reader.size();
    return *entry.size;
}

int LibraryModel::RowOf(const QString &name) const
{
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

QVariant LibraryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(entries_.size()))
        return {};
    const Entry &entry = entries_[size_t(index.row())];
    switch (role) {
    case NameRole:
        return entry.name;
    case PathRole:
        return entry.path;
    case SizeRole:
        return sizeOf(entry);
    case FitsRole:
        return sizeOf(entry) == screen_;
    case Qt::DisplayRole: {
        const QSize size = sizeOf(entry);
        return entry.name + QLatin1Char('\n') + (size.isValid() ? sizeText(size) : QStringLiteral("not readable"));
    }
    case Qt::ToolTipRole: {
        const QSize size = sizeOf(entry);
        if (size == screen_)
            return entry.name;
        return entry.name + QLatin1Char('\n') +
               QStringLiteral("Not the size of this screen (%1); Fit to this screen... makes one")
                   .arg(sizeText(screen_));
    }
    case Qt::ForegroundRole:
        return sizeOf(entry) == screen_ ? QVariant() : QVariant(wrongSize);
    case Qt::DecorationRole: {
        const QSize size = sizeOf(entry);
        return thumbnail(entry.path, size, size == screen_);
    }
    default:
        return {};
    }
}

BackgroundLibrary::BackgroundLibrary(QSize screen, QWidget *parent) : QWidget(parent), screen_(screen)
{
    setObjectName(QStringLiteral("BackgroundLibrary"));
    model_ = new LibraryModel(screen, this);
    filter_ = new QSortFilterProxyModel(this);
    filter_->setSourceModel(model_);
    filter_->setFilterRole(LibraryModel::NameRole);
    filter_->setFilterCaseSensitivity(Qt::CaseInsensitive);

    auto *caption = new QLabel(QStringLiteral("BMP Library"), this);
    txtSearch = new QLineEdit(this);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    txtSearch->setPlaceholderText(QStringLiteral("Search by name"));
    txtSearch->setClearButtonEnabled(true);
    lstLibrary = new QListView(this);
    lstLibrary->setObjectName(QStringLiteral("lstLibrary"));
    lstLibrary->setViewMode(QListView::IconMode);
    lstLibrary->setIconSize(LibraryModel::ThumbnailSize);
    lstLibrary->setGridSize(LibraryModel::ThumbnailSize + QSize(34, 42));
    lstLibrary->setUniformItemSizes(true);
    lstLibrary->setResizeMode(QListView::Adjust);
    lstLibrary->setMovement(QListView::Static);
    lstLibrary->setWordWrap(true);
    lstLibrary->setTextElideMode(Qt::ElideMiddle);
    lstLibrary->setSelectionMode(QAbstractItemView::SingleSelection);
    lstLibrary->setModel(filter_);
    lstLibrary->setMinimumWidth(2 * lstLibrary->gridSize().width() + 24);
    picLibPreview = new QLabel(this);
    picLibPreview->setObjectName(QStringLiteral("picLibPreview"));
    picLibPreview->setFixedSize(screen.scaled(PreviewBox, Qt::KeepAspectRatio));
    picLibPreview->setAlignment(Qt::AlignCenter);
    picLibPreview->setWordWrap(true);
    picLibPreview->setStyleSheet(QStringLiteral("QLabel { border: 1px solid gray; }"));
    lblLibInfo = new QLabel(this);
    lblLibInfo->setObjectName(QStringLiteral("lblLibInfo"));
    lblLibInfo->setWordWrap(true);
    lblLibInfo->setTextFormat(Qt::PlainText);
    cmdImport = new QPushButton(QStringLiteral("Import Picture..."), this);
    cmdImport->setObjectName(QStringLiteral("cmdImport"));
    cmdFitScreen = new QPushButton(QStringLiteral("Fit to this screen..."), this);
    cmdFitScreen->setObjectName(QStringLiteral("cmdFitScreen"));
    cmdFitScreen->setEnabled(false);
    for (QPushButton *b : {cmdImport, cmdFitScreen})
        b->setAutoDefault(false);

    auto *side = new QVBoxLayout;
    side->addWidget(picLibPreview);
    side->addWidget(lblLibInfo);
    side->addStretch();
    side->addWidget(cmdFitScreen);
    side->addWidget(cmdImport);
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(caption, 0, 0);
    grid->addWidget(txtSearch, 1, 0);
    grid->addWidget(lstLibrary, 2, 0);
    grid->addLayout(side, 0, 1, 3, 1);
    grid->setColumnStretch(0, 1);

    connect(txtSearch, &QLineEdit::textChanged, filter_, &QSortFilterProxyModel::setFilterFixedString);
    connect(lstLibrary->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &index) { current(index, true); });
    connect(cmdImport, &QPushButton::clicked, this, &BackgroundLibrary::ImportClicked);
    connect(cmdFitScreen, &QPushButton::clicked, this, [this] {
        const QModelIndex index = lstLibrary->currentIndex();
        if (index.isValid())
            emit FitClicked(index.data(LibraryModel::PathRole).toString());
    });
    Reload();
}

void BackgroundLibrary::Reload(const QString &select)
{
    model_->Load(Paths::BmpLibraryFolder());
    current({}, false);
    if (!select.isEmpty())
        Show(select);
}

void BackgroundLibrary::Show(const QString &name)
{
    const int row = model_->RowOf(name);
    if (row < 0)
        return;
    if (!filter_->mapFromSource(model_->index(row)).isValid())
        txtSearch->clear();
    const QModelIndex index = filter_->mapFromSource(model_->index(row));
    const QSignalBlocker quiet(lstLibrary->selectionModel());
    lstLibrary->setCurrentIndex(index);
    lstLibrary->scrollTo(index);
    current(index, false);
}

QString BackgroundLibrary::CurrentName() const
{
    return lstLibrary->currentIndex().data(LibraryModel::NameRole).toString();
}

void BackgroundLibrary::current(const QModelIndex &index, bool tell)
{
    if (!index.isValid()) {
        picLibPreview->setPixmap({});
        picLibPreview->setText(QString());
        lblLibInfo->clear();
        cmdFitScreen->setEnabled(false);
        return;
    }
    const QString name = index.data(LibraryModel::NameRole).toString();
    const QString path = index.data(LibraryModel::PathRole).toString();
    // The screen as the panel shows the picture: from its top left corner,
    // as it is; what it leaves uncovered is grey.
    QString why;
    const QImage picture = BackgroundPictureFile::Read(path, &why);
    const QSize size = picture.isNull() ? index.data(LibraryModel::SizeRole).toSize() : picture.size();
    if (picture.isNull()) {
        picLibPreview->setPixmap({});
        picLibPreview->setText(QStringLiteral("Cannot be read as a picture: ") + why);
    } else {
        QImage screen(screen_, QImage::Format_RGB32);
        screen.fill(QColor(128, 128, 128));
        QPainter(&screen).drawImage(0, 0, picture);
        picLibPreview->setPixmap(
            QPixmap::fromImage(screen.scaled(picLibPreview->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
    const bool fits = size == screen_;
    lblLibInfo->setText(
        name + QStringLiteral(": ") + (size.isValid() ? sizeText(size) : QStringLiteral("?")) +
        (fits ? QString() : QStringLiteral("; not the size of this screen (%1)").arg(sizeText(screen_))));
    cmdFitScreen->setEnabled(!fits && size.isValid());
    if (tell)
        emit Chosen(name);
}
