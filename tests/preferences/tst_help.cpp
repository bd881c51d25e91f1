// The Help menu: F1 opens the guide at the section of the window in front,
// every section it names is in the guide, and every program tells the same
// version.
#include "../editor/EditorFixture.h"
#include "editor/HelpActions.h"
#include "editor/HelpWindow.h"
#include "platform/Version.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QTextBrowser>

namespace
{
QString guide()
{
    QFile file(QStringLiteral(":/guide/index.html"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList matches(const QString &text, const QString &pattern)
{
    QStringList found;
    for (const QRegularExpressionMatch &m : QRegularExpression(pattern).globalMatch(text))
        found << m.captured(1);
    return found;
}
} // namespace

class HelpTest : public QObject
{
    Q_OBJECT
private slots:
    void everyContextIsInTheGuide();
    void picturesAndLinksOfTheGuide();
    void f1OpensTheGuideAtTheDialog();
    void findsInTheGuide();
    void aboutNamesVersionAndLicence();
    void programsTellTheVersion_data();
    void programsTellTheVersion();
};

void HelpTest::everyContextIsInTheGuide()
{
    Editor e;
    e.start(); // loads the guide into the program's resources
    const QStringList ids = matches(guide(), QStringLiteral("id=\"([^\"]+)\""));
    QVERIFY(ids.size() > 10);
    for (const HelpActions::Context &context : HelpActions::ContextTable())
        QVERIFY2(ids.contains(QLatin1String(context.anchor)), context.anchor);
}

void HelpTest::picturesAndLinksOfTheGuide()
{
    Editor e;
    e.start();
    const QString html = guide();
    const QStringList ids = matches(html, QStringLiteral("id=\"([^\"]+)\""));
    for (const QString &link : matches(html, QStringLiteral("href=\"#([^\"]+)\"")))
        QVERIFY2(ids.contains(link), qPrintable(link));
    const QStringList pictures = matches(html, QStringLiteral("src=\"([^\"]+)\""));
    QVERIFY(!pictures.isEmpty());
    for (const QString &picture : pictures)
        QVERIFY2(!QImage(QStringLiteral(":/guide/") + picture).isNull(), qPrintable(picture));
}

void HelpTest::f1OpensTheGuideAtTheDialog()
{
    Editor e;
    frmVantile &w = e.start();
    w.show();
    QString source;
    e.whileOpen = [&source](QDialog &dialog) {
        QTest::keyClick(&dialog, Qt::Key_F1);
        auto *guide = dialog.findChild<HelpWindow *>();
        QVERIFY(guide);
        source = guide->findChild<QTextBrowser *>(QStringLiteral("txtGuide"))->source().fragment();
    };
    e.action(QStringLiteral("mnuPreferences"))->trigger();
    QCOMPARE(source, QStringLiteral("preferences"));
    e.action(QStringLiteral("mnuContextHelp"))->trigger();
    auto *guide = e.get<HelpWindow>(QStringLiteral("frmHelp"));
    QVERIFY(guide->isVisible());
    QCOMPARE(guide->findChild<QTextBrowser *>(QStringLiteral("txtGuide"))->source().fragment(),
             QStringLiteral("editor-window"));
}

void HelpTest::findsInTheGuide()
{
    HelpWindow help;
    help.ShowAt(QString());
    QVERIFY(help.Find(QStringLiteral("Function Map")));
    QVERIFY(help.Find(QStringLiteral("Function Map"), true));
    QVERIFY(!help.Find(QStringLiteral("no such words in the guide")));
    QCOMPARE(help.findChild<QLabel *>(QStringLiteral("lblFound"))->text(), QStringLiteral("Not found"));
}

void HelpTest::aboutNamesVersionAndLicence()
{
    Editor e;
    e.start();
    QString version, licence;
    e.whileOpen = [&](QDialog &dialog) {
        version = dialog.findChild<QLabel *>(QStringLiteral("lblVersion"))->text();
        licence = dialog.findChild<QTextBrowser *>(QStringLiteral("txtLicence"))->toPlainText();
    };
    e.action(QStringLiteral("mnuAbout"))->trigger();
    QVERIFY(version.contains(Version::Text()));
    QFile file(QStringLiteral(QUELLIX_SOURCE_DIR "/LICENSE"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(licence.trimmed(), QString::fromUtf8(file.readAll()).trimmed());
}

// Answered on the terminal, without a window system to reach.
void HelpTest::programsTellTheVersion_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("starts");
    const QString version = QStringLiteral("ZAV Quellix Touch " QUELLIX_VERSION "\n");
    QTest::newRow("quellix") << QStringLiteral("quellix") << QStringLiteral("--version") << version;
    QTest::newRow("quellix-touch") << QStringLiteral("quellix-touch") << QStringLiteral("--version") << version;
    QTest::newRow("quellix-touch help") << QStringLiteral("quellix-touch") << QStringLiteral("--help")
                                        << QStringLiteral("Usage: ");
    QTest::newRow("quellix-panel-sim") << QStringLiteral("panel-sim/quellix-panel-sim") << QStringLiteral("--version")
                                       << version;
}

void HelpTest::programsTellTheVersion()
{
    QFETCH(QString, program);
    QFETCH(QString, option);
    QFETCH(QString, starts);
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(QLatin1String(name));
    p.setProcessEnvironment(env);
    const QString path = qEnvironmentVariable("QUELLIX_TEST_BIN_DIR") + QLatin1Char('/') + program;
    if (!QFileInfo::exists(path) && !QFileInfo::exists(path + QStringLiteral(".exe")))
        QSKIP("not built on this system (the panel simulator needs pseudo-terminals)");
    p.start(path, {option});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    // A program of the window system writes its text lines as the system's own (CR LF on Windows).
    const QString out =
        QString::fromLocal8Bit(p.readAllStandardOutput()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QVERIFY2(option == QLatin1String("--help") ? out.startsWith(starts) : out == starts, qPrintable(out));
}

QObject *newHelpTest()
{
    return new HelpTest;
}

#include "tst_help.moc"
