#include "platform/UdisksOpen.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QDBusUnixFileDescriptor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QThread>
#include <QVariantMap>

#include <fcntl.h>

namespace Udisks
{

namespace
{

const QString Service = QStringLiteral("org.freedesktop.UDisks2");
constexpr int ResolveTimeoutMs = 10000;
// The password dialog of polkit waits for the user.
constexpr int OpenTimeoutMs = 5 * 60 * 1000;

QDBusConnection bus()
{
    const QString address = qEnvironmentVariable("QUELLIX_UDISKS_BUS");
    if (address.isEmpty())
        return QDBusConnection::systemBus();
    return QDBusConnection::connectToBus(address, QStringLiteral("quellix-udisks ") + address);
}

// The open may wait minutes for the user at polkit's password dialog. On the
// application's thread the windows keep drawing themselves meanwhile, with
// the busy pointer, and take no input until the system has answered.
QDBusMessage callWaiting(const QDBusConnection &connection, const QDBusMessage &call)
{
    const QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread())
        return connection.call(call, QDBus::Block, OpenTimeoutMs);
    QDBusPendingCall pending = connection.asyncCall(call, OpenTimeoutMs);
    QDBusPendingCallWatcher watcher(pending);
    QEventLoop loop;
    QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, &QEventLoop::quit);
    const bool pointer = qobject_cast<const QGuiApplication *>(app) != nullptr;
    if (pointer)
        QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
    if (!watcher.isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (pointer)
        QGuiApplication::restoreOverrideCursor();
    return pending.reply();
}

QString replyError(const QDBusMessage &reply)
{
    return reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage();
}

} // namespace

int OpenDevice(const QString &device, bool write, bool exclusive, QString *error)
{
    auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return -1;
    };
    QDBusConnection connection = bus();
    if (!connection.isConnected())
        return fail(QStringLiteral("the system bus cannot be reached"));
    if (!(connection.connectionCapabilities() & QDBusConnection::UnixFileDescriptorPassing))
        return fail(QStringLiteral("the system bus cannot pass open devices"));

    QDBusMessage resolve = QDBusMessage::createMethodCall(Service, QStringLiteral("/org/freedesktop/UDisks2/Manager"),
                                                          QStringLiteral("org.freedesktop.UDisks2.Manager"),
                                                          QStringLiteral("ResolveDevice"));
    resolve << QVariantMap{{QStringLiteral("path"), device}} << QVariantMap{};
    const QDBusMessage resolved = connection.call(resolve, QDBus::Block, ResolveTimeoutMs);
    if (resolved.type() != QDBusMessage::ReplyMessage)
        return fail(QStringLiteral("udisks2 does not answer: ") + replyError(resolved));
    const auto objects = qdbus_cast<QList<QDBusObjectPath>>(resolved.arguments().value(0));
    if (objects.isEmpty())
        return fail(QStringLiteral("udisks2 does not know %1").arg(device));

    QDBusMessage open = QDBusMessage::createMethodCall(
        Service, objects.first().path(), QStringLiteral("org.freedesktop.UDisks2.Block"), QStringLiteral("OpenDevice"));
    // O_EXCL keeps the same claim as a direct open: refused while mounted or in use.
    open << (write ? QStringLiteral("rw") : QStringLiteral("r"))
         << QVariantMap{{QStringLiteral("flags"), int(O_CLOEXEC | (exclusive ? O_EXCL : 0))}};
    open.setInteractiveAuthorizationAllowed(true);
    const QDBusMessage opened = callWaiting(connection, open);
    if (opened.type() != QDBusMessage::ReplyMessage)
        return fail(replyError(opened));
    const auto handed = opened.arguments().value(0).value<QDBusUnixFileDescriptor>();
    if (!handed.isValid())
        return fail(QStringLiteral("udisks2 handed over no device"));
    const int fd = ::fcntl(handed.fileDescriptor(), F_DUPFD_CLOEXEC, 0);
    if (fd < 0)
        return fail(QStringLiteral("the device handed over by udisks2 cannot be kept"));
    return fd;
}

} // namespace Udisks
