// Every writer of the program against targets that would destroy something:
// an input of the run, another name of it, a link, a planted temporary file,
// a FIFO, a device, a folder. What is there must stay as it was.
#include "check/ProjectReport.h"
#include "model/BackgroundLookup.h"
#include "model/Settings.h"
#include "model/modVantile.h"
#include "platform/Drives.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "render/Bmp24File.h"
#include "sdcard/CardStockPictures.h"
#include "systemfixtures.h"
#include "testsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>

#include <functional>

namespace
{

const QByteArray Kept = "what was there";

// A project whose Home stores a Windows path to Hall.bmp, which is found by
// its name in the BMP Library.
struct Project {
    TempHome home;
    modVantile m;
    QString library;
    QString picture;

    Project()
    {
        library = Paths::BmpLibraryFolder();
        QDir().mkpath(library);
        QDir().mkpath(home.path());
        picture = library + QStringLiteral("/Hall.bmp");
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        Bmp24File::Write(image, picture);
        m.NewProject();
        m.ScreenBackground[0] = QStringLiteral("C:\\Pictures\\Hall.bmp");
        m.ProjectFileName = home.file(QStringLiteral("panel.QXC"));
        m.SaveProject();
    }
};

using Writer = std::function<bool(Project &p, const QString &target, QString *error)>;

// The run's inputs as the command line registers them, for the writers that
// do not know the project themselves.
bool withRunInputs(Project &p, const std::function<bool()> &write)
{
    Files::InputScope inputs;
    AddProjectInputs(inputs, p.m);
    return write();
}

QMap<QString, Writer> writers()
{
    return {
        {QStringLiteral("project save"),
         [](Project &p, const QString &target, QString *error) {
             p.m.ProjectFileName = target;
             return p.m.SaveProject(error);
         }},
        {QStringLiteral("screen export"),
         [](Project &p, const QString &target, QString *error) {
             p.m.ScreenFileName = target;
             return p.m.ExportScreen(error);
         }},
        {QStringLiteral("report"),
         [](Project &p, const QString &target, QString *error) { return Check::WriteReport(p.m, target, {}, error); }},
        {QStringLiteral("settings"),
         [](Project &p, const QString &target, QString *error) {
             return withRunInputs(p, [&] {
                 return Settings::WritePrivateProfileString(QStringLiteral("Download"), QStringLiteral("Com Port"),
                                                            QStringLiteral("2"), target, error);
             });
         }},
        {QStringLiteral("rendered picture"),
         [](Project &p, const QString &target, QString *error) {
             return withRunInputs(p, [&] { return Bmp24File::WriteBytes(target, QByteArray(70, 'B'), error); });
         }},
        {QStringLiteral("stock picture"),
         [](Project &p, const QString &target, QString *error) {
             QImage image(4, 4, QImage::Format_RGB32);
             image.fill(Qt::red);
             return withRunInputs(p, [&] { return CardStockPictures::SaveBmp24(image, target, error); });
         }},
        {QStringLiteral("card image"),
         [](Project &p, const QString &target, QString *error) {
             return withRunInputs(p, [&] {
                 Files::NewFile image;
                 return image.Create(target, error) && image.Append(QByteArray(512, 'C'), error) && image.Commit(error);
             });
         }},
    };
}

enum class Target { Input, HardLink, SymbolicLink, PlantedPart, Fifo, Device, Folder };

QStringList temporaryFiles(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.part")}, QDir::Files | QDir::System | QDir::Hidden);
}

} // namespace

class tst_FileDoor : public QObject
{
    Q_OBJECT

private slots:
    void hostileTargets_data();
    void hostileTargets();
    void interruptedWrite();
    void ordinaryReplace();
    void inPlaceFallBack();
    void loopDeviceOfAnyName();
    void readersTakeRegularFilesOnly_data();
    void readersTakeRegularFilesOnly();
};

void tst_FileDoor::hostileTargets_data()
{
    QTest::addColumn<QString>("writer");
    QTest::addColumn<Target>("target");
    QTest::addColumn<bool>("written");
    const std::pair<const char *, Target> targets[] = {
        {"the background as found", Target::Input},
        {"a hard link of it", Target::HardLink},
        {"a symbolic link", Target::SymbolicLink},
        {"a planted .part link", Target::PlantedPart},
        {"a FIFO", Target::Fifo},
        {"a device", Target::Device},
        {"a folder", Target::Folder},
    };
    for (const QString &writer : writers().keys())
        for (const auto &[name, target] : targets)
            QTest::newRow(qPrintable(writer + QStringLiteral(" / ") + QLatin1String(name)))
                << writer << target << (target == Target::PlantedPart);
}

void tst_FileDoor::hostileTargets()
{
    QFETCH(QString, writer);
    QFETCH(Target, target);
    QFETCH(bool, written);
    Project p;
    const QString folder = p.home.file(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(folder));
    const QString victim = p.home.file(QStringLiteral("victim"));
    QVERIFY(writeFile(victim, Kept));
    const QByteArray picture = readFile(p.picture);

    QString path = folder + QStringLiteral("/out.bin");
    switch (target) {
    case Target::Input:
        path = p.picture;
        break;
    case Target::HardLink:
        QVERIFY(MakeHardLink(p.picture, path));
        break;
    case Target::SymbolicLink:
        if (!MakeSymbolicLink(victim, path))
            QSKIP("no symbolic link can be made here");
        break;
    case Target::PlantedPart:
        if (!MakeSymbolicLink(victim, path + QStringLiteral(".part")))
            QSKIP("no symbolic link can be made here");
        break;
    case Target::Fifo:
        if (!MakeFifo(path))
            QSKIP("this system has no FIFOs");
        break;
    case Target::Device:
        if (!MakeNullDeviceNode(path))
            QSKIP("device nodes can only be made by root, and only on some systems");
        break;
    case Target::Folder:
        QVERIFY(QDir().mkpath(path));
        break;
    }

    QString error;
    QCOMPARE(writers()[writer](p, path, &error), written);
    QVERIFY2(written || !error.isEmpty(), "a refusal says why");
    QCOMPARE(readFile(victim), Kept);
    QCOMPARE(readFile(p.picture), picture);
    const QFileInfo after(path);
    switch (target) {
    case Target::SymbolicLink:
        QVERIFY(after.isSymLink());
        break;
    case Target::Fifo:
    case Target::Device:
        QVERIFY(after.exists() && !after.isFile() && !after.isDir());
        break;
    case Target::PlantedPart:
        QVERIFY(after.isFile() && !after.isSymLink());
        QVERIFY(QFileInfo(path + QStringLiteral(".part")).isSymLink());
        break;
    default:
        break;
    }
    const QStringList left = temporaryFiles(folder) + temporaryFiles(p.library);
    QCOMPARE(left, target == Target::PlantedPart ? QStringList{QStringLiteral("out.bin.part")} : QStringList{});
}

// A program interrupted while it writes leaves no temporary file behind.
void tst_FileDoor::interruptedWrite()
{
    TempHome home;
    QDir().mkpath(home.root());
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QUELLIX_DOOR_CHILD"), home.file(QStringLiteral("card.img")));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(child.waitForFinished(30000));
    // Ended by the signal: a crash here, a failure code where signals end a program that way.
    QVERIFY(child.exitStatus() == QProcess::CrashExit || child.exitCode() == 3);
    QCOMPARE(readFile(home.file(QStringLiteral("started"))), QByteArray("yes"));
    QCOMPARE(temporaryFiles(home.root()), QStringList{});
    QVERIFY(!QFileInfo::exists(home.file(QStringLiteral("card.img"))));
}

// A replaced file keeps its permissions; a hard link elsewhere keeps the old content.
void tst_FileDoor::ordinaryReplace()
{
    TempHome home;
    const QString path = home.file(QStringLiteral("a.QXC")), other = home.file(QStringLiteral("b.QXC"));
    QVERIFY(writeFile(path, "old"));
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    const QFileDevice::Permissions before = QFileInfo(path).permissions();
    QVERIFY(MakeHardLink(path, other));
    QString error;
    QVERIFY2(Files::Write(path, "new", &error), qPrintable(error));
    QCOMPARE(readFile(path), QByteArray("new"));
    QCOMPARE(readFile(other), QByteArray("old"));
    QCOMPARE(QFileInfo(path).permissions(), before);
}

// A folder that takes no new file: the project is written in place, synced,
// and the user is told.
void tst_FileDoor::inPlaceFallBack()
{
    TempHome home;
    const QString folder = home.file(QStringLiteral("locked"));
    QVERIFY(QDir().mkpath(folder));
    modVantile m;
    m.NewProject();
    m.ProjectFileName = folder + QStringLiteral("/p.QXC");
    QVERIFY(writeFile(m.ProjectFileName, QByteArray(200000, 'x')));
    if (QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), folder}) != 0)
        QSKIP("the folder cannot be made immutable here (chattr needs root and a file system that has it)");
    QString error, note;
    const bool saved = m.SaveProject(&error, &note);
    QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), folder});
    QVERIFY2(saved, qPrintable(error));
    QCOMPARE(readFile(m.ProjectFileName), m.ProjectBytes());
    QVERIFY(note.contains(QStringLiteral("written in place")));
    QCOMPARE(temporaryFiles(folder), QStringList{});
}

// A card image served by a loop device under another of its names is seen as in use.
void tst_FileDoor::loopDeviceOfAnyName()
{
    TempHome home;
    QDir().mkpath(home.root());
    const QString image = home.file(QStringLiteral("card.img")), other = home.file(QStringLiteral("other.img"));
    QVERIFY(writeFile(image, QByteArray(1 << 20, '\0')));
    QVERIFY(MakeHardLink(image, other));
    QProcess losetup;
    losetup.start(QStringLiteral("losetup"), {QStringLiteral("--find"), QStringLiteral("--show"), image});
    if (!losetup.waitForFinished(10000) || losetup.exitCode() != 0)
        QSKIP("no loop device can be set up here (losetup needs root)");
    const QString loop = QString::fromLocal8Bit(losetup.readAllStandardOutput()).trimmed();
    const QString mounts = home.file(QStringLiteral("mounts"));
    writeFile(mounts, (loop + QStringLiteral(" /media/card vfat rw 0 0\n")).toLocal8Bit());
    qputenv("QUELLIX_MOUNTS", mounts.toLocal8Bit());
    const QList<Drives::Mount> byOther = Drives::MountsOn(other), byImage = Drives::MountsOn(image);
    qunsetenv("QUELLIX_MOUNTS");
    QProcess::execute(QStringLiteral("losetup"), {QStringLiteral("--detach"), loop});
    QCOMPARE(byImage.size(), 1);
    QCOMPARE(byOther.size(), 1);
    QCOMPARE(byOther[0].mountPoint, QStringLiteral("/media/card"));
}

void tst_FileDoor::readersTakeRegularFilesOnly_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");
    QTest::newRow("FIFO") << "fifo"
                          << "it is not a regular file";
    QTest::newRow("endless device") << "endless"
                                    << "it is not a regular file";
    QTest::newRow("folder") << "."
                            << "it is a folder";
}

void tst_FileDoor::readersTakeRegularFilesOnly()
{
    QFETCH(QString, path);
    QFETCH(QString, reason);
    TempHome home;
    QDir().mkpath(home.root());
    if (path == QLatin1String("fifo")) {
        path = home.file(path);
        if (!MakeFifo(path))
            QSKIP("this system has no FIFOs");
    } else if (path == QLatin1String("endless")) {
        path = EndlessDevice();
        if (path.isEmpty())
            QSKIP("this system has no endless device");
    } else if (path == QLatin1String(".")) {
        path = home.root();
    }
    QByteArray data;
    QString error;
    QVERIFY(!Files::ReadRegular(path, 1 << 20, &data, &error));
    QCOMPARE(error, reason);
}

QObject *newFileDoorTest()
{
    return new tst_FileDoor;
}

#include "tst_filedoor.moc"
