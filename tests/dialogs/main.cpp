#include <QApplication>
#include <QtTest>

#include <memory>

QObject *makeButtonEditorTest();
QObject *makePilotSliderEditorTest();
QObject *makeTextEditorTest();
QObject *makeBackgroundSelectorTest();
QObject *makeBackgroundLibraryTest();

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    int failed = 0;
    for (auto make : {makeButtonEditorTest, makePilotSliderEditorTest, makeTextEditorTest, makeBackgroundSelectorTest,
                      makeBackgroundLibraryTest}) {
        std::unique_ptr<QObject> test(make());
        failed += QTest::qExec(test.get(), argc, argv);
    }
    return failed == 0 ? 0 : 1;
}
