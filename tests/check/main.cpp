#include "checkhelpers.h"

#include <QApplication>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    int failed = 0;
    for (auto make : {newFindingsTest, newCommandLineTest, newWindowTest, newReportTest}) {
        std::unique_ptr<QObject> test(make());
        failed |= QTest::qExec(test.get(), argc, argv) != 0;
    }
    return failed;
}
