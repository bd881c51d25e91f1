#include "sdfixtures.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <fcntl.h>
#include <unistd.h>

// udisks2 as the SD writer meets it when the user has no rights on the card:
// a stand-in service on a private bus of a real dbus-daemon knows one device
// (an image file) and hands over the descriptor it opened.
namespace
{

const QString BlockPath = QStringLiteral("/org/freedesktop/UDisks2/block_devices/card");

class StandInUdisks : public QDBusVirtualObject
{
public:
    QString device, image;
    bool refuse = false;
    QString mode;
    bool interactive = false;

    QString introspect(const QString &) const override { return {}; }
    bool handleMessage(const QDBusMessage &call, const QDBusConnection &connection) override
    {
        QDBusMessage reply;
        if (call.member() == QLatin1String("ResolveDevice")) {
            const auto spec = qdbus_cast<QVariantMap>(call.arguments().value(0));
            QList<QDBusObjectPath> found;
            if (spec.value(QStringLiteral("path")).toString() == device)
                found.append(QDBusObjectPath(BlockPath));
            reply = call.createReply(QVariant::fromValue(found));
        } else if (call.member() == QLatin1String("OpenDevice") && call.path() == BlockPath) {
            mode = call.arguments().value(0).toString();
            interactive = call.isInteractiveAuthorizationAllowed();
            if (refuse) {
                reply = call.createErrorReply(QStringLiteral("org.freedesktop.UDisks2.Error.NotAuthorizedDismissed"),
                                              QStringLiteral("Not authorized to perform operation"));
            } else {
                const int fd = ::open(QFile::encodeName(image).constData(), mode == "r" ? O_RDONLY : O_RDWR);
                reply = call.createReply(QVariant::fromValue(QDBusUnixFileDescriptor(fd)));
                ::close(fd);
            }
        } else {
            return false;
        }
        return connection.send(reply);
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
        QVERIFY(writeFile(
            config, QStringLiteral("<busconfig><type>session</type><listen>unix:path=%1</listen>"
                                   "<auth>EXTERNAL</auth><policy context=\"default\">"
                                   "<allow send_destination=\"*\"/><allow receive_sender=\"*\"/><allow own=\"*\"/>"
                                   "</policy>"
                                   "</busconfig>")
                        .arg(dir.filePath(QStringLiteral("bus")))
                        .toUtf8()));
        daemon_.start(daemon, {QStringLiteral("--config-file=") + config, QStringLiteral("--print-address"),
                               QStringLiteral("--nofork")});
        QTRY_VERIFY(daemon_.canReadLine());
        const QString address = QString::fromLocal8Bit(daemon_.readLine()).trimmed();
        QDBusConnection bus = QDBusConnection::connectToBus(address, QStringLiteral("stand-in"));
        QVERIFY2(bus.isConnected(), qPrintable(bus.lastError().message()));
        QVERIFY(bus.registerService(QStringLiteral("org.freedesktop.UDisks2")));
        QVERIFY(
            bus.registerVirtualObject(QStringLiteral("/org/freedesktop/UDisks2"), &service_, QDBusConnection::SubPath));
        // The writer's calls block this thread: the service answers from another.
        service_.moveToThread(&thread_);
        thread_.start();
        qputenv("QUELLIX_UDISKS_BUS", address.toLocal8Bit());
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
                                 << QStringLiteral(
                                        "permission denied. Writing the card needs write rights on the device "
                                        "(membership of the group \"disk\", or running as administrator). "
                                        "udisks2 did not open it either: Not authorized to perform "
                                        "operation.");
        QTest::newRow("unknown device") << true << false << false
                                        << QStringLiteral("udisks2 did not open it either: udisks2 does not know ");
    }

    void openThroughService()
    {
        QFETCH(bool, write);
        QFETCH(bool, refuse);
        QFETCH(bool, known);
        QFETCH(QString, failure);
        const QString image = dir.filePath(QStringLiteral("card.img"));
        QByteArray before(64 * 1024, '\0');
        for (int i = 0; i < before.size(); ++i)
            before[i] = char(i * 7);
        QVERIFY(writeFile(image, before));
        StandInUdisks &service = service_;
        service.device = known ? image : QStringLiteral("/dev/other");
        service.image = image;
        service.refuse = refuse;

        modVantileSDWrite sd;
        const bool opened = sd.OpenPath(image, write);
        QCOMPARE(opened, failure.isEmpty());
        if (!opened) {
            QVERIFY2(sd.LastError.contains(failure), qPrintable(sd.LastError));
            return;
        }
        QCOMPARE(service.mode, write ? QStringLiteral("rw") : QStringLiteral("r"));
        QVERIFY(service.interactive);
        QByteArray expected = before;
        if (write) {
            const QByteArray sectors(3 * 512, '\x5A');
            QVERIFY(sd.WriteSectors(7 * 512, sectors.constData(), sectors.size()));
            expected.replace(7 * 512, sectors.size(), sectors);
        }
        // The read-back goes through the descriptor the service handed over.
        QByteArray back(expected.size(), '\0');
        QVERIFY(sd.ReadBytes(0, back.data(), back.size()));
        QCOMPARE(back, expected);
        sd.CloseDrive();
        QCOMPARE(readFile(image), expected);
    }

private:
    QTemporaryDir dir;
    QProcess daemon_;
    StandInUdisks service_;
    QThread thread_;
};

int runUdisksTests(int argc, char **argv)
{
    tst_Udisks t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_udisks.moc"
