#pragma once

#include <QAbstractListModel>
#include <QSize>
#include <QWidget>

#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QSortFilterProxyModel;

// The BMP Library's pictures for a list: name, size and thumbnail. Sizes
// (from the headers) and thumbnails are read when a row is first shown and
// kept for the program's run while the file stays as it was, so that a
// library of hundreds of pictures opens at once.
class LibraryModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Role { NameRole = Qt::UserRole + 1, PathRole, SizeRole, FitsRole };
    static constexpr QSize ThumbnailSize{96, 64};

    LibraryModel(QSize screen, QObject *parent);
    // Lists the BMP files of `folder` again.
    void Load(const QString &folder);
    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    // The row of a file name, whatever its case; -1 when not listed.
    int RowOf(const QString &name) const;

private:
    struct Entry {
        QString name;
        QString path;
        mutable std::optional<QSize> size; // invalid: the header cannot be read
    };
    QSize sizeOf(const Entry &entry) const;
    QSize screen_;
    std::vector<Entry> entries_;
};

// The background selector's library: the thumbnails, a search by name, the
// chosen picture as the panel shows it, "Import Picture..." and, for a
// picture of another size than the screen, "Fit to this screen...".
class BackgroundLibrary : public QWidget
{
    Q_OBJECT
public:
    BackgroundLibrary(QSize screen, QWidget *parent);
    // Lists the library again; `select` (a file name) is chosen when listed.
    void Reload(const QString &select = {});
    // Chooses the listed picture of that name, if any, without a signal.
    void Show(const QString &name);
    QString CurrentName() const;

signals:
    void Chosen(const QString &name);
    void ImportClicked();
    void FitClicked(const QString &path);

private:
    void current(const QModelIndex &index, bool tell);
    QSize screen_;
    LibraryModel *model_;
    QSortFilterProxyModel *filter_;
    QLineEdit *txtSearch;
    QListView *lstLibrary;
    QLabel *picLibPreview;
    QLabel *lblLibInfo;
    QPushButton *cmdImport;
    QPushButton *cmdFitScreen;
};
