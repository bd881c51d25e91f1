// The background selector's library and the import of any picture into it.
#include "dialogtest.h"

#include "dialogs/BackgroundLibrary.h"
#include "dialogs/frmPictureImport.h"
#include "dialogs/frmVantileBGSel.h"
#include "model/modVantile.h"
#include "platform/Paths.h"
#include "render/Bmp24File.h"
#include "render/PanelColour.h"
#include "render/PictureImport.h"
#include "systemfixtures.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSortFilterProxyModel>

#include <functional>
#include <memory>

using PictureImport::Mode;

namespace
{

QImage solid(QSize size, QRgb colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A new project on screen 5, 480 x 272, with a library of three BMP files
// (one of another size) and a file that is no BMP.
struct Fixture {
    Fixture()
    {
        m.NewProject();
        m.SelectScreen(5);
        library = Paths::BmpLibraryFolder();
        QDir().mkpath(library);
        for (const auto &[name, size] :
             {std::pair{"Hall.bmp", QSize(480, 272)}, std::pair{"hall stairs.bmp", QSize(480, 272)},
              std::pair{"Logo.BMP", QSize(100, 50)}})
            Bmp24File::Write(solid(size, qRgb(10, 20, 30)), library + QLatin1Char('/') + QLatin1String(name));
        writeFile(library + QStringLiteral("/notes.txt"), "text");
        QVERIFY(solid({400, 400}, qRgb(200, 100, 0)).save(home.file(QStringLiteral("photo.png"))));
    }
    std::unique_ptr<frmVantileBGSel> open()
    {
        auto dialog = std::make_unique<frmVantileBGSel>(m, host, messages, files);
        dialog->SetDialogRunner([this](QDialog &import) {
            ++imports;
            import.show();
            if (whileImporting)
                whileImporting(static_cast<frmPictureImport &>(import));
            return import.result();
        });
        dialog->show();
        return dialog;
    }
    QString inLibrary(const QString &name) const { return library + QLatin1Char('/') + name; }
    TempHome home;
    QString library;
    modVantile m;
    FakeHost host;
    ScriptedMessages messages;
    ScriptedFileDialogs files;
    int imports = 0;
    std::function<void(frmPictureImport &)> whileImporting;
};

QListView *list(QWidget *dialog)
{
    return control<QListView>(dialog, QStringLiteral("lstLibrary"));
}

// Clicks the listed picture of that name.
bool clickPicture(QWidget *dialog, const QString &name)
{
    QListView *view = list(dialog);
    for (int row = 0; row < view->model()->rowCount(); ++row) {
        const QModelIndex index = view->model()->index(row, 0);
        if (index.data(LibraryModel::NameRole).toString() == name) {
            view->scrollTo(index);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
            return view->currentIndex() == index;
        }
    }
    return false;
}

QStringList listed(QWidget *dialog)
{
    QStringList names;
    const QAbstractItemModel *model = list(dialog)->model();
    for (int row = 0; row < model->rowCount(); ++row)
        names << model->index(row, 0).data(LibraryModel::NameRole).toString();
    return names;
}

void press(QWidget *dialog, const char *name)
{
    QTest::mouseClick(control<QWidget>(dialog, QLatin1String(name)), Qt::LeftButton);
}

void sendMouse(QWidget *to, QEvent::Type type, QPoint at)
{
    QMouseEvent event(type, at, to->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(to, &event);
}

} // namespace

class BackgroundLibraryTest : public QObject
{
    Q_OBJECT
private slots:
    void listsMarksAndSearches_data();
    void listsMarksAndSearches();
    void thumbnailChosenThenSaved();
    void importedPictureChosen_data();
    void importedPictureChosen();
    void askedBeforeReplacing_data();
    void askedBeforeReplacing();
    void fitToThisScreen();
    void unreadablePictureSaysWhy();
    void previewFollowsTheChoices();
};

void BackgroundLibraryTest::listsMarksAndSearches_data()
{
    QTest::addColumn<QString>("search");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("all") << QString() << QStringList{"hall stairs.bmp", "Hall.bmp", "Logo.BMP"};
    QTest::newRow("any case") << "HALL" << QStringList{"hall stairs.bmp", "Hall.bmp"};
    QTest::newRow("inside a name") << "stair" << QStringList{"hall stairs.bmp"};
    QTest::newRow("nothing") << "kitchen" << QStringList{};
}

void BackgroundLibraryTest::listsMarksAndSearches()
{
    QFETCH(QString, search);
    QFETCH(QStringList, names);
    Fixture f;
    auto dialog = f.open();
    QTest::keyClicks(control<QLineEdit>(dialog.get(), "txtSearch"), search);
    QCOMPARE(listed(dialog.get()), names);
    const QAbstractItemModel *model = list(dialog.get())->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row, 0);
        const bool logo = index.data(LibraryModel::NameRole).toString() == QStringLiteral("Logo.BMP");
        QCOMPARE(index.data(LibraryModel::FitsRole).toBool(), !logo);
        QCOMPARE(index.data(Qt::DisplayRole).toString().section(QLatin1Char('\n'), 1),
                 logo ? QStringLiteral("100 x 50") : QStringLiteral("480 x 272"));
        QCOMPARE(index.data(Qt::ToolTipRole).toString().contains(QStringLiteral("Not the size of this screen")), logo);
    }
}

void BackgroundLibraryTest::thumbnailChosenThenSaved()
{
    Fixture f;
    f.m.ScreenBackground[5] = QStringLiteral("Hall.bmp");
    auto dialog = f.open();
    // The screen's own picture is the one chosen at the start.
    QCOMPARE(list(dialog.get())->currentIndex().data(LibraryModel::NameRole).toString(), QStringLiteral("Hall.bmp"));
    QVERIFY(!control<QPushButton>(dialog.get(), "cmdFitScreen")->isEnabled());
    press(dialog.get(), "optBG_0");
    QVERIFY(clickPicture(dialog.get(), QStringLiteral("Logo.BMP")));
    QVERIFY(control<QRadioButton>(dialog.get(), "optBG_1")->isChecked());
    QCOMPARE(control<QLabel>(dialog.get(), "lblBMP")->text(), QStringLiteral("Logo.BMP"));
    QVERIFY(control<QPushButton>(dialog.get(), "cmdFitScreen")->isEnabled());
    QCOMPARE(control<QLabel>(dialog.get(), "lblLibInfo")->text(),
             QStringLiteral("Logo.BMP: 100 x 50; not the size of this screen (480 x 272)"));
    QVERIFY(!control<QLabel>(dialog.get(), "picLibPreview")->pixmap().isNull());
    press(dialog.get(), "cmdClose");
    QCOMPARE(f.m.ScreenBackground[5], QStringLiteral("Logo.BMP"));
}

void BackgroundLibraryTest::importedPictureChosen_data()
{
    QTest::addColumn<int>("option"); // -1: the default
    QTest::addColumn<int>("mode");
    QTest::newRow("fill by default") << -1 << int(Mode::Fill);
    QTest::newRow("fit") << 0 << int(Mode::Fit);
    QTest::newRow("stretch") << 2 << int(Mode::Stretch);
    QTest::newRow("centre") << 3 << int(Mode::Centre);
}

// Import Picture... makes the BMP of the screen's size in the library and
// chooses it; Save stores it by its name.
void BackgroundLibraryTest::importedPictureChosen()
{
    QFETCH(int, option);
    QFETCH(int, mode);
    Fixture f;
    const QString photo = f.home.file(QStringLiteral("photo.png"));
    f.files.answers = {photo};
    f.whileImporting = [&](frmPictureImport &import) {
        QCOMPARE(import.windowTitle(), QStringLiteral("Import Picture"));
        QCOMPARE(control<QLineEdit>(&import, "txtName")->text(), QStringLiteral("photo 480x272.BMP"));
        if (option >= 0)
            press(&import, qPrintable(QStringLiteral("optMode_%1").arg(option)));
        control<QLineEdit>(&import, "txtColour")->setText(QStringLiteral("#0000FF"));
        press(&import, "cmdImport");
    };
    auto dialog = f.open();
    press(dialog.get(), "cmdImport");
    QCOMPARE(f.imports, 1);
    QCOMPARE(f.files.dialogs.size(), 1);
    QCOMPARE(f.files.dialogs[0].filter, frmVantileBGSel::ImportFilter());
    QVERIFY(f.files.dialogs[0].filter.contains(QStringLiteral("*.jpg")));
    const QString made = QStringLiteral("photo 480x272.BMP");
    QCOMPARE(readFile(f.inLibrary(made)),
             Bmp24File::Encode(PictureImport::Compose(QImage(photo), {480, 272}, Mode(mode), qRgb(0, 0, 255))));
    QVERIFY(listed(dialog.get()).contains(made));
    QCOMPARE(list(dialog.get())->currentIndex().data(LibraryModel::NameRole).toString(), made);
    QCOMPARE(control<QLabel>(dialog.get(), "lblBMP")->text(), made);
    QVERIFY(f.messages.boxes.isEmpty());
    press(dialog.get(), "cmdClose");
    QCOMPARE(f.m.ScreenBackground[5], made);
}

void BackgroundLibraryTest::askedBeforeReplacing_data()
{
    QTest::addColumn<QString>("existing");
    QTest::addColumn<int>("answer");
    QTest::newRow("kept") << "photo 480x272.BMP" << int(MessagePrompt::Answer::No);
    QTest::newRow("replaced") << "photo 480x272.BMP" << int(MessagePrompt::Answer::Yes);
    QTest::newRow("replaced in its own case") << "PHOTO 480X272.bmp" << int(MessagePrompt::Answer::Yes);
}

void BackgroundLibraryTest::askedBeforeReplacing()
{
    QFETCH(QString, existing);
    QFETCH(int, answer);
    Fixture f;
    QVERIFY(writeFile(f.inLibrary(existing), "before"));
    f.messages.answers = {MessagePrompt::Answer(answer)};
    const bool replace = MessagePrompt::Answer(answer) == MessagePrompt::Answer::Yes;
    bool openAfterNo = false;
    f.whileImporting = [&](frmPictureImport &import) {
        press(&import, "cmdImport");
        openAfterNo = import.result() != QDialog::Accepted;
    };
    f.files.answers = {f.home.file(QStringLiteral("photo.png"))};
    auto dialog = f.open();
    press(dialog.get(), "cmdImport");
    QCOMPARE(f.messages.boxes.size(), 1);
    QCOMPARE(f.messages.boxes[0].text, existing + QStringLiteral(" is already in the BMP Library.\r\nReplace it?"));
    QCOMPARE(f.messages.boxes[0].title, QStringLiteral("Import Picture"));
    QCOMPARE(f.messages.boxes[0].defaultAnswer, std::optional(MessagePrompt::Answer::No));
    QCOMPARE(openAfterNo, !replace);
    QCOMPARE(readFile(f.inLibrary(existing)) == "before", !replace);
    QCOMPARE(QDir(f.library).entryList({QStringLiteral("photo*")}, QDir::Files).size(), 1);
    QCOMPARE(control<QLabel>(dialog.get(), "lblBMP")->text(), replace ? existing : QString());
}

void BackgroundLibraryTest::fitToThisScreen()
{
    Fixture f;
    f.whileImporting = [&](frmPictureImport &import) {
        QCOMPARE(import.Mode(), Mode::Fill);
        press(&import, "cmdImport");
    };
    auto dialog = f.open();
    QVERIFY(clickPicture(dialog.get(), QStringLiteral("Logo.BMP")));
    const QByteArray logo = readFile(f.inLibrary(QStringLiteral("Logo.BMP")));
    press(dialog.get(), "cmdFitScreen");
    QCOMPARE(f.imports, 1);
    QCOMPARE(readFile(f.inLibrary(QStringLiteral("Logo.BMP"))), logo);
    const QImage made(f.inLibrary(QStringLiteral("Logo 480x272.BMP")));
    QCOMPARE(made.size(), QSize(480, 272));
    QCOMPARE(control<QLabel>(dialog.get(), "lblBMP")->text(), QStringLiteral("Logo 480x272.BMP"));
    QVERIFY(!control<QPushButton>(dialog.get(), "cmdFitScreen")->isEnabled());
}

void BackgroundLibraryTest::unreadablePictureSaysWhy()
{
    Fixture f;
    const QString text = f.home.file(QStringLiteral("notes.png"));
    QVERIFY(writeFile(text, "not a picture"));
    f.files.answers = {text};
    auto dialog = f.open();
    press(dialog.get(), "cmdImport");
    QCOMPARE(f.imports, 0);
    QCOMPARE(f.messages.boxes.size(), 1);
    QVERIFY2(f.messages.boxes[0].text.startsWith(QStringLiteral("This picture cannot be imported.\r\n") + text +
                                                 QStringLiteral("\r\nit is no picture this program can read")),
             qPrintable(f.messages.boxes[0].text));
    QCOMPARE(f.messages.boxes[0].title, QStringLiteral("Error"));
}

// Fill's crop follows a drag, held inside the picture; the panel's colours
// on request.
void BackgroundLibraryTest::previewFollowsTheChoices()
{
    TempHome home;
    ScriptedMessages messages;
    const QImage picture = solid({400, 400}, qRgb(0x8F, 0x47, 0x23));
    frmPictureImport import(QStringLiteral("/x/square.png"), picture, {480, 272}, messages);
    showDialog(&import);
    auto *preview = control<ImportPreview>(&import, "picPreview");
    QCOMPARE(preview->Picture(), PictureImport::Compose(picture, {480, 272}, Mode::Fill, qRgb(0, 0, 0)));
    const QRect area = preview->ScreenArea();
    const QPoint start = area.center();
    sendMouse(preview, QEvent::MouseButtonPress, start);
    sendMouse(preview, QEvent::MouseMove, start + QPoint(0, area.height() / 4));
    QCOMPARE(import.Shift(), QPoint(0, qRound(area.height() / 4 * 480.0 / area.width())));
    sendMouse(preview, QEvent::MouseMove, start + QPoint(0, area.height()));
    sendMouse(preview, QEvent::MouseButtonRelease, start + QPoint(0, area.height()));
    QCOMPARE(import.Shift(), QPoint(0, 104)); // the picture's top edge at the screen's
    QCOMPARE(preview->Picture(), PictureImport::Compose(picture, {480, 272}, Mode::Fill, qRgb(0, 0, 0), {0, 104}));
    press(&import, "chkPanel");
    QCOMPARE(preview->Picture(), PanelColour::AsPanelShows(
                                     PictureImport::Compose(picture, {480, 272}, Mode::Fill, qRgb(0, 0, 0), {0, 104})));
    press(&import, "optMode_0");
    sendMouse(preview, QEvent::MouseButtonPress, start);
    sendMouse(preview, QEvent::MouseMove, start + QPoint(30, 30));
    QCOMPARE(import.Shift(), QPoint(0, 104)); // Fit has nothing to crop
    QVERIFY(import.PreviewMilliseconds() > 0);
}

QObject *makeBackgroundLibraryTest()
{
    return new BackgroundLibraryTest;
}

#include "tst_backgroundlibrary.moc"
