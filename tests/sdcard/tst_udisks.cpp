#include "sdfixtures.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <fcntl.h>
#include <unistd.h>

// The SD writer without rights on the card: a stand-in udisks2 on a private
// bus of a real dbus-daemon knows one device (an image file) and hands over
// the descriptor it opened, or refuses as polkit would.
namespace
{
const QString BlockPath = QStringLiteral("/org/freedesktop/UDisks2/block_devices/card");

class StandInUdisks : public QDBusVirtualObject
{
public:
    QString device, image, mode;
    int flags = -1;
    bool refuse = false, interactive = false;

    QString introspect(const QString &) const override { return {}; }
    bool handleMessage(const QDBusMessage &call, const QDBusConnection &bus) override
    {
        if (call.member() == QLatin1String("ResolveDevice")) {
            QList<QDBusObjectPath> found;
            if (qdbus_cast<QVariantMap>(call.arguments().value(0)).value(QStringLiteral("path")) == device)
                found.append(QDBusObjectPath(BlockPath));
            return bus.send(call.createReply(QVariant::fromValue(found)));
        }
        if (call.member() != QLatin1String("OpenDevice") || call.path() != BlockPath)
            return false;
        mode = call.arguments().value(0).toString();
        flags = qdbus_cast<QVariantMap>(call.arguments().value(1)).value(QStringLiteral("flags"), -1).toInt();
        interactive = call.isInteractiveAuthorizationAllowed();
        if (refuse)
            return bus.send(call.createErrorReply(QStringLiteral("org.freedesktop.UDisks2.Error.NotAuthorized"),
                                                  QStringLiteral("Not authorized to perform operation")));
        const int fd = ::open(QFile::encodeName(image).constData(), mode == "r" ? O_RDONLY : O_RDWR);
        const bool sent = bus.send(call.createReply(QVariant::fromValue(QDBusUnixFileDescriptor(fd))));
        ::close(fd);
        return sent;
    }
};
} // namespace

class tst_Udisks : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            QSKIP("dbus-daemon is not installed");
        const QString config = dir.filePath(QStringLiteral("bus.conf"));
        QVERIFY(writeFile(config, QString(R"(<busconfig><type>session</type><listen>unix:path=%1/bus</listen>
            <auth>EXTERNAL</auth><policy context="default"><allow send_destination="*"/>
            <allow receive_sender="*"/><allow own="*"/></policy></busconfig>)")
                                      .arg(dir.path())
                                      .toUtf8()));
        daemon_.start(daemon,
                      {"--config-file=" + config, QStringLiteral("--print-address"), QStringLiteral("--nofork")});
        QTRY_VERIFY(daemon_.canReadLine());
        const QByteArray address = daemon_.readLine().trimmed();
        QDBusConnection bus = QDBusConnection::connectToBus(QString::fromLatin1(address), QStringLiteral("stand-in"));
        QVERIFY(bus.registerService(QStringLiteral("org.freedesktop.UDisks2")));
        QVERIFY(
            bus.registerVirtualObject(QStringLiteral("/org/freedesktop/UDisks2"), &service, QDBusConnection::SubPath));
        // The writer's calls block this thread: the service answers from another.
        service.moveToThread(&thread_);
        thread_.start();
        qputenv("QUELLIX_UDISKS_BUS", address);
        qputenv("QUELLIX_RAW_OPEN", "udisks");
    }

    void cleanupTestCase()
    {
        qunsetenv("QUELLIX_UDISKS_BUS");
        qunsetenv("QUELLIX_RAW_OPEN");
        QDBusConnection::disconnectFromBus(QStringLiteral("stand-in"));
        thread_.quit();
        thread_.wait();
        daemon_.kill();
        daemon_.waitForFinished();
    }

    void openThroughService_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<bool>("known");
        QTest::addColumn<QString>("failure"); // empty: opened
        QTest::newRow("write") << true << false << true << QString();
        QTest::newRow("read") << false << false << true << QString();
        QTest::newRow("refused") << true << true << true
                                 << "permission denied; the file cannot be written. udisks2 did not open it either: "
                                    "Not authorized to perform operation.";
        QTest::newRow("unknown device") << true << false << false
                                        << "udisks2 did not open it either: udisks2 does not know";
    }

    // Writes and the read-back go through the descriptor the service handed over.
    void openThroughService()
    {
        QFETCH(bool, write);
        QFETCH(bool, refuse);
        QFETCH(bool, known);
        QFETCH(QString, failure);
        const QString image = dir.filePath(QStringLiteral("card.img"));
        QByteArray expected(64 * 1024, '\x11');
        QVERIFY(writeFile(image, expected));
        service.device = known ? image : QStringLiteral("/dev/other");
        service.image = image;
        service.refuse = refuse;

        modVantileSDWrite sd;
        QString error;
        QCOMPARE(sd.OpenPath(image, write, &error), failure.isEmpty());
        QVERIFY2(error.contains(failure), qPrintable(error));
        if (!failure.isEmpty())
            return;
        QCOMPARE(service.mode, write ? QStringLiteral("rw") : QStringLiteral("r"));
        // An image file is no block device to claim: no O_EXCL, and never inherited.
        QCOMPARE(service.flags, int(O_CLOEXEC));
        QVERIFY(service.interactive);
        if (write) {
            expected.replace(7 * 512, 3 * 512, QByteArray(3 * 512, '\x5A'));
            QVERIFY(sd.WriteSectors(7 * 512, expected.constData() + 7 * 512, 3 * 512));
        }
        QByteArray back(expected.size(), '\0');
        QVERIFY(sd.ReadBytes(0, back.data(), back.size()));
        sd.CloseDrive();
        QCOMPARE(back, expected);
        QCOMPARE(readFile(image), expected);
    }

private:
    QTemporaryDir dir;
    QProcess daemon_;
    StandInUdisks service;
    QThread thread_;
};

int runUdisksTests(int argc, char **argv)
{
    tst_Udisks t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_udisks.moc"
