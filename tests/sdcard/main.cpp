#include "sdfixtures.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    int failed = 0;
    failed += runCatalogueTests(argc, argv);
    failed += runCompileTests(argc, argv);
    failed += runWriteTests(argc, argv);
    failed += runUdisksTests(argc, argv);
    failed += runDialogTests(argc, argv);
    failed += runCommandLineTests(argc, argv);
    return failed == 0 ? 0 : 1;
}
