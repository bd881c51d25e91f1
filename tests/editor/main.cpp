// The editor's widget tests, one class per area, in one executable.
#include <QApplication>

int runWindowTests(int argc, char **argv);
int runCanvasTests(int argc, char **argv);
int runFileMenuTests(int argc, char **argv);
int runDialogTests(int argc, char **argv);
int runEditingTests(int argc, char **argv);
int runUndoTests(int argc, char **argv);
int runViewTests(int argc, char **argv);
int runInspectorTests(int argc, char **argv);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    int failed = 0;
    failed += runWindowTests(argc, argv);
    failed += runCanvasTests(argc, argv);
    failed += runFileMenuTests(argc, argv);
    failed += runDialogTests(argc, argv);
    failed += runEditingTests(argc, argv);
    failed += runUndoTests(argc, argv);
    failed += runViewTests(argc, argv);
    failed += runInspectorTests(argc, argv);
    return failed == 0 ? 0 : 1;
}
