#include "panelfixture.h"

#include <QApplication>
#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    int status = 0;
    for (auto make : {newVirtualPanelTest, newTryScriptTest, newTryWindowTest}) {
        std::unique_ptr<QObject> test(make());
        status |= QTest::qExec(test.get(), argc, argv);
    }
    return status != 0 ? 1 : 0;
}
