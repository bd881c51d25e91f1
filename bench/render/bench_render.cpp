// Times the whole picture compilation of a demonstration-like project against
// writing the same bytes to the same files, and prints the ratio.
//
//   bench_render [FOLDER] [ROUNDS] [--compile-only]
//
// FOLDER defaults to a temporary folder; ROUNDS (default 5) compilations and
// as many plain writes are timed, the best of each is compared.
#include "../common/BenchSupport.h"
#include "model/modVantile.h"
#include "platform/Prompts.h"
#include "render/Bmp24File.h"
#include "render/ScreenPictureCompilation.h"
#include "render/ScreenRenderer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace
{

// Five screens in 480x272 landscape: captioned buttons of every size, pilots,
// sliders, texts, value boxes and bar graphs on colour backgrounds.
void buildDemo(modVantile &m)
{
    m.NewProject();
    m.SetResolution(0);
    m.SetLayout(0);
    const char *rooms[] = {"Hall", "Kitchen", "Living Room", "Office", "Garden"};
    for (int s = 0; s < 5; ++s) {
        m.SelectScreen(s);
        m.ScreenBackground[size_t(s)] = QStringLiteral("[&H%1&]").arg(0x302010 + 0x081018 * s, 6, 16, QLatin1Char('0'));
        for (int b = 0; b < 12; ++b) {
            const int picture = (b * 5 + s) % 24; // sizes up to 160 x 48
            m.SetButtonType(b, 1 + b);
            m.SetButtonPicture(b, picture + 1);
            m.SetButtonFontSize(b, picture / 8);
            m.SetButtonLeft(b, 8 + (b % 3) * 120);
            m.SetButtonTop(b, 8 + (b / 3) * 56);
            m.SetButtonTextColor(b, picture % 2);
            m.SetButtonText(b, QStringLiteral("%1 %2").arg(QLatin1String(rooms[s])).arg(b + 1));
        }
        for (int p = 0; p < 8; ++p) {
            m.SetPilotUsed(p, 1);
            m.SetPilotPicture(p, (p * 7 + s) % 48);
            m.SetPilotLeft(p, 8 + p * 44);
            m.SetPilotTop(p, 236);
        }
        m.SetSliderPicture(0, 1 + s % 3);
        m.SetSliderLeft(0, 436);
        m.SetSliderTop(0, 20);
        m.SetTextType(0, 1);
        m.SetTextFontSize(0, 2);
        m.SetTextColor(0, 1);
        m.SetTextLeft(0, 120);
        m.SetTextTop(0, 200);
        m.SetTextString(0, QString::fromLatin1(rooms[s]));
        m.SetTextType(1, 3);
        m.SetTextFontSize(1, 2);
        m.SetTextLeft(1, 300);
        m.SetTextTop(1, 200);
        m.SetTextType(2, 4 + s % 6);
        m.SetTextLeft(2, 400);
        m.SetTextTop(2, 30);
    }
    m.SelectScreen(0);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QTemporaryDir temp;
    const QString folder = argc > 1 && *argv[1] ? QString::fromLocal8Bit(argv[1]) : temp.path();
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const bool compileOnly = argc > 3 && QByteArray(argv[3]) == "--compile-only"; // for a profiler
    QDir().mkpath(folder);

    modVantile m;
    buildDemo(m);
    SilentMessages prompt(MessagePrompt::Answer::Ok);

    // Warm-up: fonts and the picture sets are made on first use.
    QString error;
    if (!CompileScreenPictures(m, prompt, folder, folder, &error)) {
        std::fprintf(stderr, "bench_render: cannot write into %s: %s\n", qPrintable(folder), qPrintable(error));
        return 1;
    }

    QList<QPair<QString, QByteArray>> files;
    for (const QFileInfo &info : QDir(folder).entryInfoList({QStringLiteral("*.BMP")}, QDir::Files, QDir::Name)) {
        QFile f(info.filePath());
        if (f.open(QIODevice::ReadOnly))
            files.append({info.filePath(), f.readAll()});
    }
    qint64 totalBytes = 0;
    for (const auto &file : files)
        totalBytes += file.second.size();

    QElapsedTimer timer;
    qint64 bestCompile = -1, bestWrite = -1, bestPlain = -1;
    for (int r = 0; r < rounds; ++r) {
        timer.start();
        CompileScreenPictures(m, prompt, folder, folder, nullptr);
        const qint64 compile = timer.nsecsElapsed();
        bestCompile = bestCompile < 0 ? compile : std::min(bestCompile, compile);
        if (compileOnly)
            continue;
        timer.start();
        for (const auto &file : files)
            Bmp24File::WriteBytes(file.first, file.second);
        const qint64 write = timer.nsecsElapsed();
        timer.start();
        for (const auto &file : files) {
            QFile f(file.first);
            if (f.open(QIODevice::WriteOnly))
                f.write(file.second);
        }
        const qint64 plain = timer.nsecsElapsed();
        bestPlain = bestPlain < 0 ? plain : std::min(bestPlain, plain);
        bestWrite = bestWrite < 0 ? write : std::min(bestWrite, write);
    }

    std::printf("files: %lld, %.1f MB, in %s\n", qint64(files.size()), totalBytes / 1e6, qPrintable(folder));
    std::printf("compilation (render + write), best of %d: %8.1f ms\n", rounds, bestCompile / 1e6);
    std::printf("writing the same bytes,       best of %d: %8.1f ms\n", rounds, bestWrite / 1e6);
    std::printf("ratio: %.2f\n", double(bestCompile) / double(bestWrite));
    std::printf("for reference, the same bytes into truncated files: %8.1f ms\n", bestPlain / 1e6);
    return 0;
}
