// Times one undo step and one redo step on the largest project: sixteen
// screens with every object slot in use. Two steps are measured: a moved
// button (one record) and a cleared screen (a whole screen block), first in
// the document alone, then with the main window redrawing what changed.
//
//   bench_undo [ROUNDS]      (default 200 undo/redo pairs per measurement)
#include "../common/BenchSupport.h"
#include "editor/frmVantile.h"
#include "model/Document.h"
#include "model/EditOperations.h"
#include "model/modVantile.h"
#include "platform/Prompts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace
{

void fillProject(modVantile &m)
{
    for (int s = 0; s < modVantile::ScreenCount; ++s) {
        UseEverySlot(m, s);
        for (int n = 0; n < modVantile::ButtonCount; ++n) {
            m.SetButtonLeft(n, (n % 8) * 56);
            m.SetButtonTop(n, (n / 8) * 60);
        }
    }
    m.SelectScreen(0);
}

// Microseconds per undo and per redo, the best of three runs.
void measure(const char *what, Document &document, int rounds)
{
    QUndoStack &stack = document.UndoStack();
    double undoBest = 1e18, redoBest = 1e18;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        qint64 undoNs = 0, redoNs = 0;
        for (int i = 0; i < rounds; ++i) {
            timer.start();
            stack.undo();
            undoNs += timer.nsecsElapsed();
            timer.start();
            stack.redo();
            redoNs += timer.nsecsElapsed();
        }
        undoBest = std::min(undoBest, undoNs / 1000.0 / rounds);
        redoBest = std::min(redoBest, redoNs / 1000.0 / rounds);
    }
    std::printf("%-48s undo %9.1f us   redo %9.1f us\n", what, undoBest, redoBest);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 200;
    QTemporaryDir home;
    qputenv("QUELLIX_HOME", (home.path() + QStringLiteral("/ZAV Quellix Touch")).toLocal8Bit());

    {
        modVantile m;
        fillProject(m);
        Document document(m);
        Document::Edit move(document, QStringLiteral("Move Button 1"));
        move.Object(7, EditOperations::Kind::Button, 0);
        m.SetButtonLeft(7, 0, 300);
        move.Commit();
        measure("document alone, one record (Move)", document, rounds);
        Document::Edit clear(document, QStringLiteral("Clear Screen 07"));
        clear.Screen(7);
        m.SelectScreen(7);
        m.ClearScreenData();
        clear.Commit();
        measure("document alone, a screen block (Clear Screen)", document, rounds);
    }
    {
        modVantile m;
        SilentMessages messages;
        NoFiles files;
        frmVantile window(m, messages, files);
        fillProject(m);
        window.ShowScreen();
        Document &document = window.GetDocument();
        Document::Edit move(document, QStringLiteral("Move Button 1"));
        move.Object(0, EditOperations::Kind::Button, 0);
        m.SetButtonLeft(0, 0, 300);
        move.Commit();
        measure("with the window, one record (Move)", document, rounds / 4 + 1);
        Document::Edit clear(document, QStringLiteral("Clear Screen Home"));
        clear.Screen(0);
        m.ClearScreenData();
        clear.Commit();
        measure("with the window, a screen block (Clear Screen)", document, rounds / 4 + 1);
    }
    return 0;
}
