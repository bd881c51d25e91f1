// Downloads a demonstration-like project to the panel simulator over a
// pseudo-terminal: once paced like a 115 200 baud line, against the line's
// own limit, and a few times unthrottled.
#include "comm/DeviceData.h"
#include "comm/PanelProtocol.h"
#include "comm/PanelSimulator.h"
#include "comm/SerialLine.h"
#include "model/modVantile.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <thread>
#include <vector>

namespace
{

// Every screen in use, the way an installer fills a panel: a grid of buttons
// with pictures and captions, pilots, two sliders and value boxes.
void buildDemonstration(modVantile &m)
{
    m.NewProject();
    m.SetNodeAddress(0x10);
    m.SetNodeRange(31);
    m.SetBeep(1);
    m.SetResolution(3);
    for (int s = 0; s < modVantile::ScreenCount; ++s) {
        m.SelectScreen(s);
        for (int b = 0; b < 20; ++b) {
            m.SetButtonType(b, b < 15 ? 9 + (b + s) % 16 : 25 + (s + b) % 16);
            m.SetButtonLeft(b, 10 + (b % 5) * 150);
            m.SetButtonTop(b, 10 + (b / 5) * 70);
            m.SetButtonDevice(b, (b + 3 * s) % 32);
            m.SetButtonPicture(b, 1 + (b + s) % 32);
            m.SetButtonText(b, QStringLiteral("Zone %1").arg(b + 1));
        }
        for (int p = 0; p < 16; ++p) {
            m.SetPilotUsed(p, 1);
            m.SetPilotPicture(p, (p * 5 + s) % 48);
            m.SetPilotLeft(p, 10 + p * 45);
            m.SetPilotTop(p, 400);
            m.SetPilotDevice(p, (p + s) % 32);
            m.SetPilotInput(p, p % 8);
        }
        for (int n = 0; n < 2; ++n) {
            m.SetSliderPicture(n, 1 + (n * 3 + s) % 6);
            m.SetSliderDevice(n, 20 + n + s % 8);
            m.SetSliderLeft(n, 700 + n * 50);
            m.SetSliderTop(n, 20);
        }
        for (int t = 0; t < 6; ++t) {
            m.SetTextType(t, 1 + (t + s) % 9);
            m.SetTextLeft(t, 400);
            m.SetTextTop(t, 300 + t * 30);
            m.SetTextDevice(t, t + 20);
            m.SetTextFontSize(t, t % 4);
            m.SetTextString(t, QStringLiteral("Level %1").arg(t));
        }
    }
    m.SelectScreen(0);
}

struct Run {
    double seconds = -1; // negative when the download did not complete
    double simulatorLateness = 0;
};

Run download(modVantile &m, int baud)
{
    PanelSimulator::Options options;
    options.baud = baud;
    PanelSimulator sim(options);
    QString error;
    if (!sim.CreatePseudoTerminal(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return {};
    }
    std::thread panel([&] { sim.Run(); });
    SerialLine line;
    Run run;
    if (line.Open(sim.LinePath())) {
        PanelExchange exchange(line);
        QElapsedTimer timer;
        timer.start();
        const DownloadResult result = SendConfiguration(m, exchange, {});
        run.seconds = timer.nsecsElapsed() / 1e9;
        line.Close();
        if (result != DownloadResult::Complete || sim.Received() != DeviceDataStream(m))
            run.seconds = -1;
    }
    sim.Stop();
    panel.join();
    run.simulatorLateness = sim.AnswerLatenessUs() / 1e6;
    return run;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    modVantile m;
    buildDemonstration(m);

    // Every character of the run crosses the line once: 258 frames and their
    // acknowledgements, then the checksum query and its answer.
    constexpr int Characters = DeviceData::BlockCount * (DeviceData::FrameLength + 4) + 4 + 18;
    constexpr double CharactersPerSecond = 115200 / 10.0;
    const double limit = Characters / CharactersPerSecond;

    std::vector<double> fast;
    for (int i = 0; i < 7; ++i)
        fast.push_back(download(m, 0).seconds);
    std::sort(fast.begin(), fast.end());
    if (fast.front() < 0) {
        std::fprintf(stderr, "bench_comm: an unthrottled download failed\n");
        return 1;
    }
    std::printf("unthrottled download: best %.1f ms, median %.1f ms, worst %.1f ms (%zu runs)\n", fast.front() * 1000,
                fast[fast.size() / 2] * 1000, fast.back() * 1000, fast.size());

    const Run paced = download(m, 115200);
    if (paced.seconds < 0) {
        std::fprintf(stderr, "bench_comm: the paced download failed\n");
        return 1;
    }
    std::printf("paced at 115 200 baud: %.3f s for %d characters; line limit %.3f s; ratio %.4f\n", paced.seconds,
                Characters, limit, paced.seconds / limit);
    // On a busy machine the simulator itself answers late now and then.
    std::printf("  of which the simulator answered late by %.3f s in all; without that, ratio %.4f\n",
                paced.simulatorLateness, (paced.seconds - paced.simulatorLateness) / limit);
    return 0;
}
