// Preferences, key schemes and the help: one executable.
#include <QApplication>
#include <QtTest>

#include <memory>

QObject *newPreferencesTest();
QObject *newHelpTest();

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    int failed = 0;
    for (auto make : {newPreferencesTest, newHelpTest}) {
        std::unique_ptr<QObject> test(make());
        failed |= QTest::qExec(test.get(), argc, argv) != 0;
    }
    return failed;
}
