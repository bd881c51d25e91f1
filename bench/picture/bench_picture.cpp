// Times the import of a large photograph: the first decode, the preview of
// each change in the import dialog, and the final picture from the whole
// photograph.
//
//   bench_picture [PICTURE] [ROUNDS]
//
// PICTURE defaults to a 6000 x 4000 JPEG (24 megapixels) made in a temporary
// folder; ROUNDS (default 5) passes over the changes, each change timed, the
// median and the slowest printed. The screen is 800 x 480.
#include "../common/BenchSupport.h"
#include "dialogs/frmPictureImport.h"
#include "render/PictureImport.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace
{

using PictureImport::Mode;

double msSince(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// A photograph-like picture: gradients, shapes and fine detail that a JPEG
// cannot make small.
QImage photograph(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            row[x] = qRgb((x * 255 / size.width()) ^ (y & 15), (y * 255 / size.height()) ^ (x & 7),
                          ((x + y) * 97 / 13) & 0xFF);
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 40; ++i) {
        painter.setBrush(QColor::fromHsv(i * 9 % 360, 200, 220));
        painter.drawEllipse(QPoint(size.width() * (i % 8) / 8 + 300, size.height() * (i / 8) / 5 + 300), 280, 200);
    }
    return image;
}

void report(const char *what, std::vector<double> times)
{
    const double slowest = *std::max_element(times.begin(), times.end());
    std::printf("%-44s median %7.2f ms   slowest %7.2f ms   (%zu changes)\n", what, median(times), slowest,
                times.size());
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    const int rounds = args.size() > 1 ? std::max(1, args[1].toInt()) : 5;
    QTemporaryDir temporary;
    QString path = args.value(0);
    if (path.isEmpty()) {
        path = temporary.filePath(QStringLiteral("photo.jpg"));
        QElapsedTimer made;
        made.start();
        if (!photograph({6000, 4000}).save(path, "JPEG", 90)) {
            std::fprintf(stderr, "bench_picture: cannot write %s\n", qPrintable(path));
            return 2;
        }
        std::printf("made %s (6000 x 4000, %lld bytes) in %.0f ms\n", qPrintable(path), QFileInfo(path).size(),
                    msSince(made));
    }
    const QSize screen(800, 480);

    QElapsedTimer timer;
    timer.start();
    QString why;
    const QImage picture = PictureImport::Read(path, &why);
    if (picture.isNull()) {
        std::fprintf(stderr, "bench_picture: %s: %s\n", qPrintable(path), qPrintable(why));
        return 2;
    }
    std::printf("first decode (%d x %d)                     %8.1f ms\n", picture.width(), picture.height(),
                msSince(timer));
    timer.restart();
    const PictureImport::Preview preview(picture, screen);
    std::printf("reduced copy for the preview                 %8.1f ms\n", msSince(timer));

    // The changes a user makes in the dialog, each a new preview.
    std::vector<double> modes, colours, drags, panel;
    for (int round = 0; round < rounds; ++round) {
        for (int mode = 0; mode < 4; ++mode) {
            timer.restart();
            preview.Compose(Mode(mode), qRgb(0, 0, 0), {}, false);
            modes.push_back(msSince(timer));
        }
        for (int c = 0; c < 4; ++c) {
            timer.restart();
            preview.Compose(Mode::Fit, qRgb(c * 60, 30, 200), {}, false);
            colours.push_back(msSince(timer));
        }
        for (int d = 0; d < 8; ++d) {
            timer.restart();
            preview.Compose(Mode::Fill, qRgb(0, 0, 0), {0, d * 20 - 80}, false);
            drags.push_back(msSince(timer));
        }
        for (int mode = 0; mode < 4; ++mode) {
            timer.restart();
            preview.Compose(Mode(mode), qRgb(0, 0, 0), {}, true);
            panel.push_back(msSince(timer));
        }
    }
    report("preview: way of fitting changed", modes);
    report("preview: colour changed (Fit)", colours);
    report("preview: crop dragged (Fill)", drags);
    report("preview: shown as the panel", panel);

    // The same through the dialog's own controls (preview made and handed to
    // the widget; painting follows later).
    SilentMessages messages;
    timer.restart();
    frmPictureImport dialog(path, picture, screen, messages);
    std::printf("import dialog opened (reduced copy + preview) %7.1f ms\n", msSince(timer));
    std::vector<double> dialogChanges;
    for (int round = 0; round < rounds; ++round)
        for (int mode = 0; mode < 4; ++mode) {
            dialog.findChild<QRadioButton *>(QStringLiteral("optMode_%1").arg(mode))->click();
            dialogChanges.push_back(dialog.PreviewMilliseconds());
            dialog.findChild<QCheckBox *>(QStringLiteral("chkPanel"))->click();
            dialogChanges.push_back(dialog.PreviewMilliseconds());
        }
    report("dialog: mode and panel toggles", dialogChanges);

    std::vector<double> finals;
    for (int mode = 0; mode < 4; ++mode) {
        timer.restart();
        PictureImport::Compose(picture, screen, Mode(mode), qRgb(0, 0, 0));
        finals.push_back(msSince(timer));
    }
    report("final picture from the whole photograph", finals);
    return 0;
}
