#include "dialogtest.h"

#include "dialogs/frmVantileBGSel.h"
#include "model/modVantile.h"

#include "platform/Paths.h"
#include "systemfixtures.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <memory>

namespace
{

struct Fixture {
    explicit Fixture(const QString &background = modVantile::WhiteBackground)
    {
        m.NewProject();
        m.SelectScreen(5);
        m.ScreenBackground[5] = background;
    }
    std::unique_ptr<frmVantileBGSel> open()
    {
        auto dialog = std::make_unique<frmVantileBGSel>(m, host, messages, files);
        dialog->show();
        return dialog;
    }
    void click(QWidget *dialog, const char *name) { QTest::mouseClick(control<QWidget>(dialog, name), Qt::LeftButton); }
    TempHome home;
    modVantile m;
    FakeHost host;
    ScriptedMessages messages;
    ScriptedFileDialogs files;
};

// One click on the bar's right arrow.
void stepRight(QScrollBar *bar)
{
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 4, bar->height() / 2));
}

const QString filter = QStringLiteral("BMP Images (*.BMP)|*.BMP|All Files (*.*)|*.*");

} // namespace

class BackgroundSelectorTest : public QObject
{
    Q_OBJECT
private slots:
    void controlsAndCaptions();
    void whiteSavedInShortForm();
    void standardSwatchSaved_data();
    void standardSwatchSaved();
    void slidersMixColour_data();
    void slidersMixColour();
    void lastActionWins();
    void cancelStoresNothing();
    void browseCancelledThenSaveIsRefused();
    void browseChosenFileIsSaved();
    void browsedPathMustBeStorable_data();
    void browsedPathMustBeStorable();
    void pictureBackgroundShownAgain();
    void longPathKeepsDialogSize();
};

void BackgroundSelectorTest::controlsAndCaptions()
{
    Fixture f;
    auto dialog = f.open();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Select Background"));
    QCOMPARE(control<QRadioButton>(dialog.get(), "optBG_0")->text(), QStringLiteral("Solid Color"));
    QCOMPARE(control<QRadioButton>(dialog.get(), "optBG_1")->text(), QStringLiteral("BMP Image"));
    QCOMPARE(control<QGroupBox>(dialog.get(), "frmStd")->title(), QStringLiteral("Solid Colors"));
    QCOMPARE(control<QLabel>(dialog.get(), "lblStdCol_36")->text(), QStringLiteral("Standard Colors"));
    QCOMPARE(control<QLabel>(dialog.get(), "lblSelCol")->text(), QStringLiteral("Selected Color"));
    QCOMPARE(control<QLabel>(dialog.get(), "lblCustom")->text(), QStringLiteral("Custom Color"));
    QCOMPARE(control<QLabel>(dialog.get(), "lblCCRed")->text(), QStringLiteral("Red"));
    QCOMPARE(control<QLabel>(dialog.get(), "lblCCGrn")->text(), QStringLiteral("Green"));
    QCOMPARE(control<QLabel>(dialog.get(), "lblCCBlu")->text(), QStringLiteral("Blue"));
    QCOMPARE(control<QPushButton>(dialog.get(), "cmdBrowse")->text(), QStringLiteral("Browse"));
    QCOMPARE(control<QPushButton>(dialog.get(), "cmdCancel")->text(), QStringLiteral("Cancel"));
    QCOMPARE(control<QPushButton>(dialog.get(), "cmdClose")->text(), QStringLiteral("Save"));
    for (const char *name : {"hsRed", "hsGrn", "hsBlu"}) {
        auto *bar = control<QScrollBar>(dialog.get(), QLatin1String(name));
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 255);
        QCOMPARE(bar->value(), 0); // not taken from the stored colour
    }
    // The size it was drawn at, unless the system's dialog font needs more room.
    QCOMPARE(dialog->geometry().size(), QSize(940, 400).expandedTo(dialog->minimumSizeHint()));
}

void BackgroundSelectorTest::whiteSavedInShortForm()
{
    Fixture f;
    auto dialog = f.open();
    QVERIFY(control<QRadioButton>(dialog.get(), "optBG_0")->isChecked());
    QCOMPARE(dialog->SelectedColor(), 0xFFFFFF);
    QVERIFY(!control<QPushButton>(dialog.get(), "cmdBrowse")->isEnabled());
    QVERIFY(!control<QLabel>(dialog.get(), "lblBMP")->isEnabled());
    f.click(dialog.get(), "cmdClose");
    QCOMPARE(f.m.ScreenBackground[5], QStringLiteral("[&HFFFFFF&"));
    QVERIFY(!dialog->isVisible());
    QCOMPARE(f.m.ScreenBackground[4], modVantile::WhiteBackground);
}

void BackgroundSelectorTest::standardSwatchSaved_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    const int table[5][7][3] = {
        {{255, 255, 255}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}, {255, 0, 255}, {0, 255, 255}},
        {{192, 192, 192}, {224, 0, 0}, {0, 224, 0}, {0, 0, 224}, {224, 224, 0}, {224, 0, 224}, {0, 224, 224}},
        {{128, 128, 128}, {192, 0, 0}, {0, 192, 0}, {0, 0, 192}, {192, 192, 0}, {192, 0, 192}, {0, 192, 192}},
        {{64, 64, 64}, {128, 0, 0}, {0, 128, 0}, {0, 0, 128}, {128, 128, 0}, {128, 0, 128}, {0, 128, 128}},
        {{0, 0, 0}, {64, 0, 0}, {0, 64, 0}, {0, 0, 64}, {64, 64, 0}, {64, 0, 64}, {0, 64, 64}}};
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 7; ++column)
            QTest::addRow("row %d column %d", row, column)
                << row * 7 + column << table[row][column][0] << table[row][column][1] << table[row][column][2];
}

void BackgroundSelectorTest::standardSwatchSaved()
{
    QFETCH(int, index);
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    Fixture f(QStringLiteral("[&H123456&]"));
    auto dialog = f.open();
    QCOMPARE(dialog->SelectedColor(), 0x123456);
    QTest::mouseClick(control<QLabel>(dialog.get(), QStringLiteral("lblStdCol_%1").arg(index)), Qt::LeftButton);
    f.click(dialog.get(), "cmdClose");
    const QString expected = QStringLiteral("[&H%1%2%3&")
                                 .arg(blue, 2, 16, QLatin1Char('0'))
                                 .arg(green, 2, 16, QLatin1Char('0'))
                                 .arg(red, 2, 16, QLatin1Char('0'))
                                 .toUpper();
    QCOMPARE(f.m.ScreenBackground[5], expected);
}

void BackgroundSelectorTest::slidersMixColour_data()
{
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::addColumn<QString>("saved");
    QTest::newRow("blue only") << 0 << 0 << 255 << "[&HFF0000&";
    QTest::newRow("red only") << 255 << 0 << 0 << "[&H0000FF&";
    QTest::newRow("mixed") << 0x12 << 0x34 << 0x56 << "[&H563412&";
    QTest::newRow("one step of red") << 1 << 0 << 0 << "[&H000001&";
}

void BackgroundSelectorTest::slidersMixColour()
{
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    QFETCH(QString, saved);
    Fixture f;
    auto dialog = f.open();
    const QList<QPair<const char *, int>> moves{{"hsRed", red}, {"hsGrn", green}, {"hsBlu", blue}};
    for (const auto &[name, value] : moves) {
        auto *bar = control<QScrollBar>(dialog.get(), QLatin1String(name));
        if (value == 255)
            QTest::keyClick(bar, Qt::Key_End);
        else
            for (int i = 0; i < value; ++i)
                stepRight(bar);
        QCOMPARE(bar->value(), value);
    }
    f.click(dialog.get(), "cmdClose");
    QCOMPARE(f.m.ScreenBackground[5], saved);
}

void BackgroundSelectorTest::lastActionWins()
{
    Fixture f;
    auto dialog = f.open();
    QTest::keyClick(control<QScrollBar>(dialog.get(), "hsGrn"), Qt::Key_End);
    QCOMPARE(dialog->SelectedColor(), 0x00FF00);
    QTest::mouseClick(control<QLabel>(dialog.get(), "lblStdCol_3"), Qt::LeftButton);
    QCOMPARE(dialog->SelectedColor(), 0xFF0000);
    stepRight(control<QScrollBar>(dialog.get(), "hsRed"));
    QCOMPARE(dialog->SelectedColor(), 0x00FF01);
}

void BackgroundSelectorTest::cancelStoresNothing()
{
    Fixture f;
    auto dialog = f.open();
    QTest::mouseClick(control<QLabel>(dialog.get(), "lblStdCol_1"), Qt::LeftButton);
    f.click(dialog.get(), "cmdCancel");
    QVERIFY(!dialog->isVisible());
    QCOMPARE(f.m.ScreenBackground[5], modVantile::WhiteBackground);
    QVERIFY(f.host.calls.isEmpty());
}

void BackgroundSelectorTest::browseCancelledThenSaveIsRefused()
{
    Fixture f;
    f.files.answers = {QString(), frmVantileBGSel::LibraryPattern()};
    auto dialog = f.open();
    f.click(dialog.get(), "optBG_1");
    QVERIFY(control<QPushButton>(dialog.get(), "cmdBrowse")->isEnabled());
    QVERIFY(!control<QGroupBox>(dialog.get(), "frmStd")->isEnabled());
    QVERIFY(!control<QScrollBar>(dialog.get(), "hsBlu")->isEnabled());
    f.click(dialog.get(), "cmdBrowse");
    f.click(dialog.get(), "cmdBrowse"); // a dialog that hands back its own pattern chose nothing
    QCOMPARE(f.files.dialogs.size(), 2);
    QCOMPARE(f.files.dialogs[0].save, false);
    QCOMPARE(f.files.dialogs[0].filter, filter);
    QCOMPARE(f.files.dialogs[0].initialName,
             f.home.root() + QStringLiteral("/ZAV Quellix Touch Screen/BMP Library/*.BMP"));
    QCOMPARE(f.files.dialogs[1].initialName, QString());
    QCOMPARE(control<QLabel>(dialog.get(), "lblBMP")->text(), QString());

    f.click(dialog.get(), "cmdClose");
    QCOMPARE(f.messages.boxes.size(), 1);
    QCOMPARE(f.messages.boxes[0].text, QStringLiteral("Invalid File Name"));
    QCOMPARE(f.messages.boxes[0].title, QStringLiteral("Error"));
    QCOMPARE(f.messages.boxes[0].icon, MessagePrompt::Icon::Information);
    QVERIFY(dialog->isVisible());
    QCOMPARE(f.m.ScreenBackground[5], modVantile::WhiteBackground);
}

void BackgroundSelectorTest::browseChosenFileIsSaved()
{
    Fixture f;
    const QString first = QStringLiteral("/pictures/first <b>.bmp");
    f.files.answers = {first, QString()};
    auto dialog = f.open();
    f.click(dialog.get(), "optBG_1");
    f.click(dialog.get(), "cmdBrowse");
    QCOMPARE(control<QLabel>(dialog.get(), "lblBMP")->text(), first);
    f.click(dialog.get(), "cmdBrowse"); // cancelled: the path stays
    QCOMPARE(control<QLabel>(dialog.get(), "lblBMP")->text(), first);
    f.click(dialog.get(), "cmdClose");
    QCOMPARE(f.m.ScreenBackground[5], first);
    QVERIFY(!dialog->isVisible());
}

void BackgroundSelectorTest::browsedPathMustBeStorable_data()
{
    QTest::addColumn<QString>("path"); // LIBRARY: the BMP Library under a Cyrillic home folder
    QTest::addColumn<bool>("taken");
    QTest::addColumn<QString>("stored");
    QTest::newRow("Western European") << QStringLiteral("/pictures/Küche €.bmp") << true
                                      << QStringLiteral("/pictures/Küche €.bmp");
    QTest::newRow("Cyrillic") << QStringLiteral("/pictures/Кухня.bmp") << false << QString();
    // Found again by its name alone, so the name is all the project needs.
    QTest::newRow("library under a Cyrillic folder")
        << QStringLiteral("LIBRARY/Hall.bmp") << true << QStringLiteral("Hall.bmp");
    QTest::newRow("Cyrillic name in that library") << QStringLiteral("LIBRARY/Кухня.bmp") << false << QString();
}

void BackgroundSelectorTest::browsedPathMustBeStorable()
{
    QFETCH(QString, path);
    QFETCH(bool, taken);
    QFETCH(QString, stored);
    Fixture f;
    QTemporaryDir cyrillic;
    const QString home = qEnvironmentVariable("QUELLIX_HOME");
    if (path.startsWith(QLatin1String("LIBRARY"))) {
        SetEnvironmentText("QUELLIX_HOME", cyrillic.path() + QStringLiteral("/Пользователь/ZAV Quellix Touch"));
        QVERIFY(QDir().mkpath(Paths::BmpLibraryFolder()));
        path.replace(QStringLiteral("LIBRARY"), Paths::BmpLibraryFolder());
        QVERIFY(writeFile(path, "BM"));
    }
    f.files.answers = {path};
    auto dialog = f.open();
    f.click(dialog.get(), "optBG_1");
    f.click(dialog.get(), "cmdBrowse");
    SetEnvironmentText("QUELLIX_HOME", home);
    QCOMPARE(control<QLabel>(dialog.get(), "lblBMP")->text(), stored);
    QCOMPARE(f.messages.boxes.size(), taken ? 0 : 1);
    if (!taken) {
        const QString text = f.messages.boxes[0].text;
        QVERIFY2(text.startsWith(QStringLiteral("This picture cannot be used as a background.\r\n") + path) &&
                     text.contains(QStringLiteral("Windows-1252")) && text.contains(QStringLiteral("BMP Library")),
                 qPrintable(text));
    }
}

void BackgroundSelectorTest::pictureBackgroundShownAgain()
{
    const QString path = QStringLiteral("/media/pictures/Hall.BMP");
    Fixture f(path);
    auto dialog = f.open();
    QVERIFY(control<QRadioButton>(dialog.get(), "optBG_1")->isChecked());
    QCOMPARE(control<QLabel>(dialog.get(), "lblBMP")->text(), path);
    QVERIFY(!control<QGroupBox>(dialog.get(), "frmStd")->isEnabled());
    QVERIFY(control<QPushButton>(dialog.get(), "cmdBrowse")->isEnabled());
    // Back to a colour: the swatch still holds black, the colour of no colour string.
    f.click(dialog.get(), "optBG_0");
    QVERIFY(control<QGroupBox>(dialog.get(), "frmStd")->isEnabled());
    QTest::mouseClick(control<QLabel>(dialog.get(), "lblStdCol_2"), Qt::LeftButton);
    f.click(dialog.get(), "cmdClose");
    QCOMPARE(f.m.ScreenBackground[5], QStringLiteral("[&H00FF00&"));
}

void BackgroundSelectorTest::longPathKeepsDialogSize()
{
    Fixture f;
    const QString path = QStringLiteral("/media/installer/projects/") + QString(60, QLatin1Char('x')) +
                         QStringLiteral("/Hall Background.BMP");
    f.files.answers = {path};
    auto dialog = f.open();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    f.click(dialog.get(), "optBG_1");
    f.click(dialog.get(), "cmdBrowse");
    QApplication::processEvents();
    auto *label = control<QLabel>(dialog.get(), "lblBMP");
    QCOMPARE(label->text(), path);
    QCOMPARE(dialog->size(), QSize(940, 400).expandedTo(dialog->minimumSizeHint()));
    QVERIFY(label->geometry().right() < dialog->width());
    // The end of the path, with the file name, is the part in view.
    QVERIFY(label->alignment() & Qt::AlignRight);
    f.click(dialog.get(), "cmdClose");
    QCOMPARE(f.m.ScreenBackground[5], path);
}

QObject *makeBackgroundSelectorTest()
{
    return new BackgroundSelectorTest;
}

#include "tst_backgroundselector.moc"
