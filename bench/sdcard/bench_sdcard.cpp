// Writing a full card image against one large sequential write of the same
// number of bytes into the same folder.
//
//   bench_sdcard [FOLDER] [RUNS] [PROJECT.QXC]
//
// FOLDER (default: the current folder) gets a temporary subfolder with the
// picture folder and the image files; it is removed afterwards. The project
// is the demonstration project unless another is given; without one a
// similar project is made here. Its command set is made "ZAV Cmd" so that the
// data area is written too.
#include "../common/BenchSupport.h"
#include "model/modVantile.h"
#include "platform/Files.h"
#include "platform/Prompts.h"
#include "render/ScreenPictureCompilation.h"
#include "sdcard/CardStockPictures.h"
#include "sdcard/modVantileSDWrite.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{

// A project like the demonstration: every screen with a coloured background
// and a row of buttons and texts.
void demonstrationProject(modVantile &m)
{
    m.SetCommandSet(2);
    m.SetResolution(0);
    for (int s = 0; s < modVantile::ScreenCount; ++s) {
        m.SelectScreen(s);
        m.ScreenBackground[s] = QStringLiteral("[&H%1&]").arg(0x203040 + s * 0x080808, 6, 16, QLatin1Char('0'));
        for (int b = 0; b < 8; ++b) {
            m.SetButtonType(b, 1);
            m.SetButtonPicture(b, 1 + (b * 5) % 32);
            m.SetButtonLeft(b, 10 + (b % 4) * 115);
            m.SetButtonTop(b, 40 + (b / 4) * 90);
        }
        for (int t = 0; t < 4; ++t) {
            m.SetTextType(t, 1 + t % 2);
            m.SetTextLeft(t, 20 + t * 110);
            m.SetTextTop(t, 220);
            m.SetTextString(t, QStringLiteral("Zone %1").arg(t + 1));
        }
    }
    m.SelectScreen(0);
}

// Screen pictures when no renderer is there: each screen a gradient.
void fallbackScreens(const modVantileSDWrite &sd, const QString &folder)
{
    static const QSize sizes[] = {QSize(480, 272), QSize(320, 240), QSize(480, 320), QSize(800, 480)};
    for (int slot = modVantileSDWrite::FirstScreenSlot; slot <= modVantileSDWrite::LastScreenSlot; ++slot) {
        if (!modVantileSDWrite::IsRenderedScreen(slot))
            continue;
        const int group = modVantileSDWrite::ScreenGroup(slot) - 1;
        QSize size = sizes[group % 4];
        if (group >= 4)
            size.transpose();
        QImage image(size, QImage::Format_RGB32);
        QPainter p(&image);
        QLinearGradient g(0, 0, size.width(), size.height());
        g.setColorAt(0, QColor(slot % 255, 40, 90));
        g.setColorAt(1, QColor(20, 160, slot % 200));
        p.fillRect(image.rect(), g);
        p.end();
        CardStockPictures::SaveBmp24(image, folder + QLatin1Char('/') + sd.PicName[size_t(slot)]);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString base = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 3;
    QTemporaryDir dir(base + QStringLiteral("/bench_sdcard-XXXXXX"));
    if (!dir.isValid()) {
        std::fprintf(stderr, "cannot make a folder in %s\n", qPrintable(base));
        return 2;
    }
    const QString pictures = dir.path() + QStringLiteral("/BMPImages");
    QDir().mkpath(pictures);

    modVantile m;
    m.ProjectFileName = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral(QUELLIX_DEMO_PROJECT);
    if (m.LoadProject()) {
        std::printf("project: %s\n", qPrintable(m.ProjectFileName));
        m.SetCommandSet(2);
    } else {
        std::printf("project: made by the benchmark\n");
        demonstrationProject(m);
    }
    modVantileSDWrite sd;
    sd.FillPicTable();
    sd.PictureFolder = pictures;
    SilentMessages quiet(MessagePrompt::Answer::Ok);
    if (!CompileScreenPictures(m, quiet, pictures, dir.path(), nullptr))
        fallbackScreens(sd, pictures);
    CardStockPictures::EnsureAll(sd, pictures);

    const QString image = dir.path() + QStringLiteral("/card.img");
    const QString plain = dir.path() + QStringLiteral("/plain.bin");
    std::vector<double> cardTimes, plainTimes, verifyTimes;
    qint64 bytes = 0;
    for (int run = 0; run < runs; ++run) {
        QFile::remove(image);
        QFile::remove(plain);
        QElapsedTimer t;
        t.start();
        Files::NewFile card;
        QString error;
        if (!card.Create(image, &error) || !sd.AdoptFile(card.Handle(), card.TemporaryPath(), &error) ||
            !sd.SetImageSize(sd.RequiredCapacity(true, modVantileSDWrite::WriteTypeOf(m), m.GetCommandSet()), &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 2;
        }
        const modVantileSDWrite::RunResult result = sd.CompileAll(m, true, modVantileSDWrite::WriteTypeOf(m), {});
        cardTimes.push_back(t.nsecsElapsed() / 1e6);
        if (result.failed || !result.skipped.isEmpty()) {
            std::fprintf(stderr, "card image: %s %s\n", qPrintable(result.failure),
                         qPrintable(result.skipped.join(' ')));
            return 2;
        }
        t.restart();
        QString failure;
        sd.VerifyWritten(&failure);
        verifyTimes.push_back(t.nsecsElapsed() / 1e6);
        sd.CloseDrive();
        card.Commit(&failure, false);
        bytes = result.bytesWritten;

        // The same number of bytes in one write, flushed the same way.
        std::vector<char> buffer(size_t(bytes), char(0x5A));
        t.restart();
        const int fd = ::open(QFile::encodeName(plain).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        qint64 done = 0;
        while (fd >= 0 && done < bytes) {
            const ssize_t n = ::write(fd, buffer.data() + done, size_t(bytes - done));
            if (n <= 0)
                break;
            done += n;
        }
        ::fsync(fd);
        ::close(fd);
        plainTimes.push_back(t.nsecsElapsed() / 1e6);
    }
    QElapsedTimer t;
    t.start();
    for (int slot = 0; slot < modVantileSDWrite::SlotCount; ++slot) {
        sd.CompilePic(slot, m.GetCommandSet());
        sd.PictureSectors();
    }
    const double convert = t.nsecsElapsed() / 1e6;
    const double card = median(cardTimes), seq = median(plainTimes), verify = median(verifyTimes);
    std::printf("bytes written per run:            %lld (1947 slots and the data area)\n",
                static_cast<long long>(bytes));
    std::printf("card image (convert, write, flush, read back): %8.1f ms\n", card);
    std::printf("  reading back alone (included above):         %8.1f ms\n", verify);
    std::printf("  converting alone (included above):           %8.1f ms\n", convert);
    std::printf("one sequential write and flush:                %8.1f ms\n", seq);
    std::printf("ratio card image / sequential:                 %8.2f\n", card / seq);
    return 0;
}
