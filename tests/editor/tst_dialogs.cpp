// How the window opens the object editors, the background selector and the
// Program menu's dialogs, and what it does when they close.
#include "EditorFixture.h"

#include "dialogs/frmVantileBGSel.h"
#include "platform/Paths.h"

#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QUndoStack>

class tst_Dialogs : public QObject
{
    Q_OBJECT

private slots:
    void objectEditor_data();
    void objectEditor();
    void liveUpdateAndRedraw();
    void backgroundSelector();
    void pictureDroppedOnCanvas_data();
    void pictureDroppedOnCanvas();
    void download_data();
    void download();
    void compileAndWrite();
    void compileFailureTold();
    void compileStartsFromCanvasColour();
    void editorsStayOnSmallDesktop_data();
    void editorsStayOnSmallDesktop();
};

void tst_Dialogs::objectEditor_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<bool>("fromList");
    QTest::newRow("button list") << "cmdBEdit_3"
                                 << "frmVantileButton" << true;
    QTest::newRow("pilot list") << "cmdPEdit_3"
                                << "frmVantilePilot" << true;
    QTest::newRow("slider list") << "cmdSEdit_3"
                                 << "frmVantileSlider" << true;
    QTest::newRow("text list") << "cmdTEdit_3"
                               << "frmVantileTextBox" << true;
    QTest::newRow("button picture") << "imgPB_3"
                                    << "frmVantileButton" << false;
    QTest::newRow("button caption") << "lblButton_3"
                                    << "frmVantileButton" << false;
    QTest::newRow("pilot") << "imgPilot_3"
                           << "frmVantilePilot" << false;
    QTest::newRow("slider") << "imgSlider_3"
                            << "frmVantileSlider" << false;
    QTest::newRow("text") << "lblTextBox_3"
                          << "frmVantileTextBox" << false;
}

void tst_Dialogs::objectEditor()
{
    QFETCH(QString, control);
    QFETCH(QString, dialog);
    QFETCH(bool, fromList);
    Editor e;
    // Wide enough for every editor to open where its rule puts it.
    frmVantile &w = e.start(QSize(1920, 1080));
    e.m.SetButtonType(3, 1);
    e.m.SetButtonPicture(3, 32);
    e.m.SetButtonLeft(3, 100);
    e.m.SetPilotUsed(3, 1);
    e.m.SetPilotLeft(3, 40);
    e.m.SetSliderPicture(3, 1);
    e.m.SetSliderLeft(3, 400);
    e.m.SetTextType(3, 2);
    e.m.SetTextTop(3, 200);
    w.ShowScreen();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    e.m.LastButton = e.m.LastPilot = e.m.LastSlider = e.m.LastText = 7;
    QAction *undo = e.action(QStringLiteral("mnuUndoSnap"));
    undo->setEnabled(true);
    // A highlight that opening clears.
    QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), QPointF(1, 1), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(e.image(QStringLiteral("imgPilot_3")), &move);
    QCOMPARE(e.lineColor(QStringLiteral("lblPSettings_3")), QColor(255, 255, 0));
    QColor seenWhileOpen;
    e.whileOpen = [&](QDialog &) { seenWhileOpen = e.lineColor(QStringLiteral("lblPSettings_3")); };

    QWidget *widget = e.get<QWidget>(control);
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));

    QCOMPARE(e.opened.size(), 1);
    QCOMPARE(e.opened[0].name, dialog);
    QCOMPARE(e.opened[0].currentObject, 3);
    QCOMPARE(e.m.CurrentObject, int16_t(3));
    QCOMPARE(seenWhileOpen, QColor(224, 224, 224));
    // All four editors open over the settings lists.
    const QPoint expected(w.frameGeometry().x() + e.get<QWidget>(QStringLiteral("frmButtons"))->x(),
                          w.frameGeometry().y() + 60);
    QCOMPARE(e.opened[0].pos, expected);
    const int16_t templateOf = dialog == QStringLiteral("frmVantileButton")   ? e.m.LastButton
                               : dialog == QStringLiteral("frmVantilePilot")  ? e.m.LastPilot
                               : dialog == QStringLiteral("frmVantileSlider") ? e.m.LastSlider
                                                                              : e.m.LastText;
    QCOMPARE(templateOf, int16_t(3));
    QCOMPARE(undo->isEnabled(), !fromList);
    // No dialog stays behind.
    QVERIFY(w.findChildren<QDialog *>().isEmpty());
}

void tst_Dialogs::liveUpdateAndRedraw()
{
    Editor e;
    frmVantile &w = e.start();
    // An editor at work: it changes its object and asks for the live update.
    e.whileOpen = [&](QDialog &) {
        e.m.SetButtonType(e.m.CurrentObject, 25);
        e.m.SetButtonPicture(e.m.CurrentObject, 0);
        w.UDButton(e.m.CurrentObject);
        QCOMPARE(e.label(QStringLiteral("lblBSettings_6"))->text(), QStringLiteral("Goto Home"));
        QCOMPARE(e.steps(), 0); // the step comes when the editor closes
    };
    e.get<QPushButton>(QStringLiteral("cmdBEdit_6"))->click();
    QVERIFY(!e.image(QStringLiteral("imgPB_6"))->isHidden());
    QCOMPARE(e.steps(), 1);
    QVERIFY(e.changed());
}

void tst_Dialogs::backgroundSelector()
{
    Editor e;
    // Wide enough for the selector with its library where its rule puts it.
    frmVantile &w = e.start(QSize(1920, 1200));
    e.m.LastButton = 5;
    e.m.CurrentObject = 9;
    e.action(QStringLiteral("mnuUndoSnap"))->setEnabled(true);
    e.whileOpen = [&](QDialog &) { e.m.ScreenBackground[0] = QStringLiteral("[&H0000FF&"); };
    e.get<QPushButton>(QStringLiteral("cmdBGSel"))->click();
    QCOMPARE(e.opened.size(), 1);
    QCOMPARE(e.opened[0].name, QStringLiteral("frmVantileBGSel"));
    // Moved from its own place right by the window's left and 900 twips down.
    const QPoint own = frmVantileBGSel(e.m, w, e.messages, e.files).pos();
    QCOMPARE(e.opened[0].pos, own + QPoint(w.frameGeometry().x(), 60));
    QCOMPARE(e.get<CanvasSurface>(QStringLiteral("picSurface"))->backColor(), QColor(255, 0, 0));
    QCOMPARE(e.m.LastButton, int16_t(5));
    QCOMPARE(e.m.CurrentObject, int16_t(9));
    QVERIFY(e.action(QStringLiteral("mnuUndoSnap"))->isEnabled());
}

void tst_Dialogs::pictureDroppedOnCanvas_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("imported"); // Import pressed in the dialog
    QTest::addColumn<QString>("background");
    QTest::newRow("imported") << "photo.png" << true << "photo 480x272.BMP";
    QTest::newRow("cancelled") << "photo.png" << false << "";
    QTest::newRow("no picture's name") << "photo.txt" << true << "";
}

// A picture dropped from a file manager opens the import; the screen takes
// what it makes in one step, which undo takes back.
void tst_Dialogs::pictureDroppedOnCanvas()
{
    QFETCH(QString, file);
    QFETCH(bool, imported);
    QFETCH(QString, background);
    Editor e;
    e.start();
    const QString path = e.home.file(file);
    QImage picture(300, 200, QImage::Format_RGB32);
    picture.fill(qRgb(0, 128, 255));
    QVERIFY(picture.save(path, "PNG"));
    e.whileOpen = [&](QDialog &dialog) {
        QCOMPARE(dialog.objectName(), QStringLiteral("frmPictureImport"));
        if (imported)
            dialog.findChild<QPushButton *>(QStringLiteral("cmdImport"))->click();
    };
    auto *canvas = e.get<QWidget>(QStringLiteral("picPan"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPoint at = canvas->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &enter);
    QCOMPARE(enter.isAccepted(), file.endsWith(QStringLiteral(".png")));
    if (enter.isAccepted()) {
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(canvas, &drop);
    }
    QCOMPARE(e.opened.size(), enter.isAccepted() ? 1 : 0);
    if (background.isEmpty()) {
        QCOMPARE(e.m.ScreenBackground[0], modVantile::WhiteBackground);
        QCOMPARE(e.steps(), 0);
        return;
    }
    QCOMPARE(e.m.ScreenBackground[0], background);
    QCOMPARE(QImage(Paths::BmpLibraryFolder() + QLatin1Char('/') + background).size(), QSize(480, 272));
    QCOMPARE(e.steps(), 1);
    QCOMPARE(e.action(QStringLiteral("mnuUndo"))->text(), QStringLiteral("&Undo Change Background"));
    e.action(QStringLiteral("mnuUndo"))->trigger();
    QCOMPARE(e.m.ScreenBackground[0], modVantile::WhiteBackground);
}

void tst_Dialogs::download_data()
{
    QTest::addColumn<int>("commandSet");
    QTest::addColumn<bool>("opens");
    QTest::newRow("P Cmd") << 0 << true;
    QTest::newRow("D Cmd") << 1 << true;
    QTest::newRow("ZAV Cmd") << 2 << false;
}

void tst_Dialogs::download()
{
    QFETCH(int, commandSet);
    QFETCH(bool, opens);
    Editor e;
    e.start();
    e.choose(QStringLiteral("cboCmdSet"), commandSet);
    e.action(QStringLiteral("mnuDownload"))->trigger();
    if (opens) {
        QCOMPARE(e.opened.size(), 1);
        QCOMPARE(e.opened[0].name, QStringLiteral("frmVantileComm"));
        QVERIFY(e.messages.boxes.isEmpty());
    } else {
        QVERIFY(e.opened.isEmpty());
        QCOMPARE(e.messages.boxes.size(), 1);
        QCOMPARE(e.messages.boxes[0].text, QStringLiteral("Download Not Required For ZAV Cmd Option"));
        QCOMPARE(e.messages.boxes[0].title, QStringLiteral("Download Cancelled"));
        QCOMPARE(e.messages.boxes[0].icon, MessagePrompt::Icon::Information);
    }
}

void tst_Dialogs::compileAndWrite()
{
    Editor e;
    e.start();
    e.m.SelectScreen(4);
    e.get<QCheckBox>(QStringLiteral("chkHideTitleBG"))->click();
    e.choose(QStringLiteral("cboScreenNumber"), 4);
    e.action(QStringLiteral("mnuRunCG"))->trigger();
    // The pictures never carry the edit-only text boxes; the user's screen stays.
    QVERIFY(!e.get<QCheckBox>(QStringLiteral("chkHideTitleBG"))->isChecked());
    QCOMPARE(e.m.CurrentScreen, int16_t(4));
    // The writer opens only on pictures that were all written.
    QVERIFY(e.opened.isEmpty() || (e.opened.size() == 1 && e.opened[0].name == QStringLiteral("frmVantileSDWrite")));
}

// Pictures that cannot be written: the user is told once, and the writer
// does not open.
void tst_Dialogs::compileFailureTold()
{
    Editor e;
    e.start();
    const QString folder = Paths::SdPictureFolder();
    QVERIFY(QDir(folder).removeRecursively());
    QVERIFY(QDir().mkpath(QFileInfo(folder).path()));
    QVERIFY(writeFile(folder, "not a folder"));
    e.action(QStringLiteral("mnuRunCG"))->trigger();
    QCOMPARE(e.messages.boxes.size(), 1);
    const auto &box = e.messages.boxes[0];
    QCOMPARE(box.title, QStringLiteral("File Write Error"));
    QCOMPARE(box.icon, MessagePrompt::Icon::Exclamation);
    QVERIFY2(box.text.startsWith(QStringLiteral("Screen Pictures Not Saved\r\n128 of 144 picture files could not be "
                                                "written.\r\n")),
             qPrintable(box.text));
    QVERIFY(e.opened.isEmpty());
}

void tst_Dialogs::compileStartsFromCanvasColour()
{
    Editor e;
    e.start();
    const QString picture = e.home.path() + QStringLiteral("/small.bmp");
    QImage red(100, 100, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    QVERIFY(red.save(picture, "BMP"));
    e.m.ScreenBackground[5] = QStringLiteral("[&H00FF00&");
    e.m.ScreenBackground[0] = picture;
    // The canvas turns green on screen 5 and keeps that colour around the picture of screen 0.
    e.choose(QStringLiteral("cboScreenNumber"), 5);
    e.choose(QStringLiteral("cboScreenNumber"), 0);
    e.action(QStringLiteral("mnuRunCG"))->trigger();
    const QImage home(Paths::SdPictureFolder() + QStringLiteral("/SR0L00.BMP"));
    QCOMPARE(home.size(), QSize(480, 272));
    QCOMPARE(home.pixel(10, 10), qRgb(255, 0, 0));
    QCOMPARE(home.pixel(300, 200), qRgb(0, 255, 0));
}

void tst_Dialogs::editorsStayOnSmallDesktop_data()
{
    QTest::addColumn<QString>("control"); // a control to click, or a menu item
    QTest::addColumn<bool>("overWindow"); // a dialog with no place of its own: over the window's middle
    QTest::addColumn<QString>("window");  // a window that stays open beside the editor, by name
    QTest::newRow("button") << "cmdBEdit_0" << false << QString();
    QTest::newRow("pilot") << "cmdPEdit_0" << false << QString();
    QTest::newRow("slider") << "cmdSEdit_0" << false << QString();
    QTest::newRow("text") << "cmdTEdit_0" << false << QString();
    QTest::newRow("background") << "cmdBGSel" << false << QString();
    QTest::newRow("copy screen") << "mnuCopyScreen" << true << QString();
    // An 800 x 480 project: the virtual panel alone is nearly the desktop's width.
    QTest::newRow("try panel") << "mnuTryPanel" << false << "frmVantileTry";
    QTest::newRow("check") << "mnuCheckProject" << false << "frmProjectCheck";
    QTest::newRow("function map") << "mnuFunctionMap" << false << "frmFunctionMap";
}

void tst_Dialogs::editorsStayOnSmallDesktop()
{
    QFETCH(QString, control);
    QFETCH(bool, overWindow);
    QFETCH(QString, window);
    const QSize desktop = window.isEmpty() ? QSize(1024, 768) : QSize(1024, 600);
    Editor e;
    if (!window.isEmpty())
        e.m.SetResolution(3);
    frmVantile &w = e.start(desktop);
    w.move(200, 100);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QRect seen;
    e.whileOpen = [&](QDialog &dialog) { seen = dialog.geometry(); };
    if (control.startsWith(QLatin1String("mnu")))
        e.action(control)->trigger();
    else
        QTest::mouseClick(e.get<QWidget>(control), Qt::LeftButton);
    if (window.isEmpty())
        QCOMPARE(e.opened.size(), 1);
    else
        seen = e.get<QWidget>(window)->geometry();
    QVERIFY(seen.isValid());
    QVERIFY2(
        QRect(QPoint(0, 0), desktop).contains(seen),
        qPrintable(QStringLiteral("%1,%2 %3x%4").arg(seen.x()).arg(seen.y()).arg(seen.width()).arg(seen.height())));
    if (overWindow) {
        // Its frame is not known before it shows: a few pixels either way.
        const QPoint off = seen.center() - w.frameGeometry().center();
        QVERIFY2(std::abs(off.x()) <= 25 && std::abs(off.y()) <= 25,
                 qPrintable(QStringLiteral("%1, %2 from the middle").arg(off.x()).arg(off.y())));
    }
}

int runDialogTests(int argc, char **argv)
{
    tst_Dialogs tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "tst_dialogs.moc"
