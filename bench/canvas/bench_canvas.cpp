// Times a full redraw of the canvas at 400 % on the largest project: an
// 800 x 480 screen with every object slot in use over a background picture,
// the whole canvas in view. The canvas is painted into the window's backing
// store, as the screen would get it, and once more into a picture of its own;
// then once after one object changed, when the objects' picture is made anew.
//
//   bench_canvas [ROUNDS]      (default 50 redraws per measurement)
//
// Run it with QT_QPA_PLATFORM=offscreen where there is no display.
#include "../common/BenchSupport.h"
#include "editor/frmVantile.h"
#include "model/EditOperations.h"
#include "model/modVantile.h"
#include "platform/Prompts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QImage>
#include <QTemporaryDir>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{

// Every slot of screen 0 in use, spread over the whole screen.
void fillScreen(modVantile &m, const QString &background)
{
    UseEverySlot(m, 0);
    m.SetResolution(3);
    for (int n = 0; n < modVantile::ButtonCount; ++n) {
        m.SetButtonFontSize(n, n % 4);
        m.SetButtonText(n, QStringLiteral("Button %1 with a long caption").arg(n + 1));
        m.SetButtonLeft(n, (n % 8) * 100);
        m.SetButtonTop(n, (n / 8) * 70);
    }
    for (int n = 0; n < modVantile::PilotCount; ++n) {
        m.SetPilotPicture(n, n % 48);
        m.SetPilotLeft(n, (n % 8) * 100 + 60);
        m.SetPilotTop(n, (n / 8) * 70 + 40);
    }
    for (int n = 0; n < modVantile::SliderCount; ++n) {
        m.SetSliderPicture(n, 1 + n % 6);
        m.SetSliderLeft(n, n * 100 + 20);
        m.SetSliderTop(n, 280);
    }
    for (int n = 0; n < modVantile::TextCount; ++n) {
        m.SetTextType(n, 1 + n % 9);
        m.SetTextFontSize(n, n % 4);
        m.SetTextString(n, QStringLiteral("Text object %1").arg(n + 1));
        m.SetTextLeft(n, (n % 8) * 100);
        m.SetTextTop(n, 300 + (n / 8) * 90);
    }
    m.ScreenBackground[0] = background;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 50;
    QTemporaryDir home;
    qputenv("QUELLIX_HOME", (home.path() + QStringLiteral("/ZAV Quellix Touch")).toLocal8Bit());

    // A picture with detail everywhere, as a photograph would have.
    QImage picture(800, 480, QImage::Format_RGB888);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    const QString background = home.filePath(QStringLiteral("background.bmp"));
    picture.save(background, "BMP");

    modVantile m;
    SilentMessages messages;
    NoFiles files;
    frmVantile window(m, messages, files);
    window.SetDesktopSize(QSize(4000, 2500)); // the whole canvas in view
    fillScreen(m, background);
    window.ShowScreen();
    window.SetZoom(400);
    window.show();
    QElapsedTimer waited;
    waited.start();
    while (!(window.windowHandle() && window.windowHandle()->isExposed()) && waited.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    if (!window.windowHandle() || !window.windowHandle()->isExposed()) {
        std::fprintf(stderr, "the window did not appear\n");
        return 1;
    }
    auto *canvas = window.findChild<QFrame *>(QStringLiteral("picLayout"));
    std::printf("canvas %d x %d pixels, %d redraws each\n", canvas->width(), canvas->height(), rounds);

    std::vector<double> shown, pictured, changed;
    QImage target(canvas->size(), QImage::Format_ARGB32_Premultiplied);
    QElapsedTimer timer;
    for (int i = 0; i < rounds; ++i) {
        timer.start();
        canvas->repaint();
        shown.push_back(timer.nsecsElapsed() / 1e6);
        timer.start();
        canvas->render(&target);
        pictured.push_back(timer.nsecsElapsed() / 1e6);
        // One object changed: the objects' picture is composed and enlarged again.
        timer.start();
        window.UDButton(i % modVantile::ButtonCount);
        canvas->repaint();
        changed.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("%-40s median %7.2f ms   best %7.2f ms\n", "into the window (repaint)", median(shown),
                *std::min_element(shown.begin(), shown.end()));
    std::printf("%-40s median %7.2f ms   best %7.2f ms\n", "into a picture (render)", median(pictured),
                *std::min_element(pictured.begin(), pictured.end()));
    std::printf("%-40s median %7.2f ms   best %7.2f ms\n", "one object changed (refresh, repaint)", median(changed),
                *std::min_element(changed.begin(), changed.end()));
    return 0;
}
