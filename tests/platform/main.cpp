#include <QGuiApplication>
#include <QTest>

#include <memory>

QObject *newSettingsPlatformTest();
QObject *newRawDiskTest();

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    int status = 0;
    for (auto make : {newSettingsPlatformTest, newRawDiskTest}) {
        std::unique_ptr<QObject> test(make());
        status |= QTest::qExec(test.get(), argc, argv);
    }
    return status;
}
