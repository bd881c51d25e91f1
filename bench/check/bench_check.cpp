// Times the project check (and the function map) of the largest project:
// 16 full screens at 800x480, every slot in use, each screen with its own
// 800 x 480 background picture or, with --colours, a colour.
//
//   bench_check [ROUNDS] [--colours] [--report FILE.pdf]
//
// Prints the best and the median of ROUNDS (default 20) runs, and what the
// editor's own thread spends before the check's thread takes over (the copy
// of the project); --report also times writing the hand-over report once.
#include "check/FunctionMap.h"
#include "check/ProjectCheck.h"
#include "check/ProjectReport.h"
#include "model/modVantile.h"
#include "render/Bmp24File.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{

void buildFullProject(modVantile &m, const QString &pictureFolder)
{
    m.NewProject();
    m.SetResolution(3);
    m.SetNodeAddress(15);
    m.SetNodeRange(47);
    for (int s = 0; s < modVantile::ScreenCount; ++s) {
        if (pictureFolder.isEmpty()) {
            m.ScreenBackground[size_t(s)] = QStringLiteral("[&H203040&]");
        } else {
            QImage picture(800, 480, QImage::Format_RGB32);
            picture.fill(qRgb(16 * s, 64, 128));
            const QString path = pictureFolder + QStringLiteral("/screen%1.bmp").arg(s);
            Bmp24File::Write(picture, path);
            m.ScreenBackground[size_t(s)] = path;
        }
        for (int n = 0; n < modVantile::ButtonCount; ++n) {
            const int picture = 13 + n % 4; // 96 x 32
            m.SetButtonType(s, n, n < 4 ? 26 + (s + n) % 15 : 1 + n % 24);
            m.SetButtonPicture(s, n, picture);
            m.SetButtonFontSize(s, n, 1);
            m.SetButtonLeft(s, n, (n % 4) * 100);
            m.SetButtonTop(s, n, (n / 4) * 36);
            m.SetButtonDevice(s, n, (s * 3 + n) % 48);
            m.SetButtonText(s, n, QStringLiteral("Light %1").arg(n + 1));
        }
        for (int n = 0; n < modVantile::PilotCount; ++n) {
            m.SetPilotUsed(s, n, 1);
            m.SetPilotPicture(s, n, 1);
            m.SetPilotLeft(s, n, 420 + 20 * (n % 16));
            m.SetPilotTop(s, n, 10 + 20 * (n / 16));
            m.SetPilotDevice(s, n, (s * 3 + n) % 48);
            m.SetPilotInput(s, n, n % 8);
        }
        for (int n = 0; n < modVantile::SliderCount; ++n) {
            m.SetSliderPicture(s, n, 1 + n % 3);
            m.SetSliderLeft(s, n, 420 + 40 * n);
            m.SetSliderTop(s, n, 250);
            m.SetSliderDevice(s, n, n);
        }
        for (int n = 0; n < modVantile::TextCount; ++n) {
            m.SetTextType(s, n, n < 8 ? 1 : 2 + n % 8);
            m.SetTextLeft(s, n, (n % 4) * 100);
            m.SetTextTop(s, n, 300 + (n / 4) * 40);
            m.SetTextWidth(s, n, 96);
            m.SetTextHeight(s, n, 30);
            m.SetTextFontSize(s, n, n % 4);
            m.SetTextDevice(s, n, n % 8);
            m.SetTextString(s, n, QStringLiteral("Room %1").arg(n + 1));
        }
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    int rounds = 20;
    bool colours = false;
    QString report;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--colours"))
            colours = true;
        else if (args[i] == QLatin1String("--report") && i + 1 < args.size())
            report = args[++i];
        else
            rounds = std::max(1, args[i].toInt());
    }

    QTemporaryDir folder;
    modVantile m;
    buildFullProject(m, colours ? QString() : folder.path());

    std::vector<double> checks, maps, copies;
    size_t findings = 0;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        const modVantile copy(m);
        copies.push_back(double(t.nsecsElapsed()) / 1e6);
        t.restart();
        const std::vector<Check::Finding> f = Check::ProjectCheck(m);
        checks.push_back(double(t.nsecsElapsed()) / 1e6);
        t.restart();
        const std::vector<Check::MapRow> map = Check::FunctionMap(m, f);
        maps.push_back(double(t.nsecsElapsed()) / 1e6);
        findings = f.size();
    }
    const double first = checks.front();
    std::sort(checks.begin(), checks.end());
    std::sort(maps.begin(), maps.end());
    std::sort(copies.begin(), copies.end());
    std::printf("16 full screens (%s backgrounds), %zu findings, %d rounds\n", colours ? "colour" : "800 x 480 picture",
                findings, rounds);
    std::printf("check: first run %.1f ms, best %.1f ms, median %.1f ms\n", first, checks.front(),
                checks[checks.size() / 2]);
    std::printf("map:   best %.2f ms, median %.2f ms\n", maps.front(), maps[maps.size() / 2]);
    std::printf("copy:  best %.3f ms, median %.3f ms (on the editor's thread)\n", copies.front(),
                copies[copies.size() / 2]);

    if (!report.isEmpty()) {
        QElapsedTimer t;
        t.start();
        QString error;
        if (!Check::WriteReport(m, report, {}, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        std::printf("report: %.0f ms\n", double(t.nsecsElapsed()) / 1e6);
    }
    return 0;
}
