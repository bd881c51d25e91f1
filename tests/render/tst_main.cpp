#include "renderhelpers.h"

#include <QGuiApplication>
#include <memory>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    int status = 0;
    for (auto make : {newObjectRenderingTest, newScreenPicturesTest, newRenderCommandTest, newPictureImportTest}) {
        std::unique_ptr<QObject> test(make());
        status |= QTest::qExec(test.get(), argc, argv);
    }
    return status;
}
