// A serial port the system refuses for rights, through the command-line tool
// run as a user without them.
#include "commtests.h"

#include <QProcess>

#include <unistd.h>

class TestPortRights : public QObject
{
    Q_OBJECT
private slots:
    // A port the system refuses for rights says so and names the group that may use it.
    void portRefusedForRights()
    {
        CommTests::SimulatedPanel panel;
        // Root opens any device: the tool runs as nobody, from a copy nobody can reach.
        QTemporaryDir dir;
        const QString quellix = dir.filePath(QStringLiteral("quellix"));
        if (CommTests::Program(QStringLiteral("quellix")).isEmpty() ||
            !QFile::copy(CommTests::Program(QStringLiteral("quellix")), quellix))
            QSKIP("the quellix program is not built");
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ExeOwner | QFileDevice::ExeOther));
        QStringList command{quellix, QStringLiteral("firmware"), QStringLiteral("--port"), panel.path()};
        if (::getuid() == 0)
            command = QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                  QStringLiteral("--clear-groups")} +
                      command;
        else
            QVERIFY(QFile::setPermissions(panel.path(), {}));
        QProcess p;
        p.setProcessEnvironment(CommTests::QuietEnvironment(QStringLiteral("/tmp")));
        const QString runner = ::getuid() == 0 ? QStringLiteral("setpriv") : command.takeFirst();
        p.start(runner, command);
        QVERIFY(p.waitForFinished(15000));
        const QString err = QString::fromLocal8Bit(p.readAllStandardError());
        QVERIFY2(p.exitCode() == 3 && err.contains("Invalid COM Port. No permission to use " + panel.path() +
                                                   ": serial ports are for members of the group \"dialout\"."),
                 qPrintable(err));
    }
};

static CommTests::Register<TestPortRights> registerPortRights;

#include "tst_rights_posix.moc"
