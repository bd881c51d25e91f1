#include "platform/Files.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QtTest>

#include <csignal>
#include <memory>

QObject *newFileDoorTest();
QObject *newVerbsTest();

int main(int argc, char *argv[])
{
    // The child of the interrupted-write test: starts a file, then is stopped.
    if (const QByteArray target = qgetenv("QUELLIX_DOOR_CHILD"); !target.isEmpty()) {
        const QString path = QString::fromLocal8Bit(target);
        Files::NewFile file;
        QString error;
        if (!file.Create(path, &error) || !file.Append("half", &error))
            return 5;
        Files::Write(QFileInfo(path).absolutePath() + QStringLiteral("/started"), "yes", &error);
        std::raise(SIGTERM);
        return 6;
    }
    QGuiApplication app(argc, argv);
    int failed = 0;
    for (auto make : {newFileDoorTest, newVerbsTest}) {
        std::unique_ptr<QObject> test(make());
        failed |= QTest::qExec(test.get(), argc, argv) != 0;
    }
    return failed;
}
