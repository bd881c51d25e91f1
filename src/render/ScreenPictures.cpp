// Whole screens into pictures and BMP files.
#include "model/Settings.h"
#include "model/modVantile.h"
#include "platform/Prompts.h"
#include "platform/Support.h"
#include "render/BmpFile.h"
#include "render/PictureFile.h"
#include "render/ScreenRenderer.h"

namespace
{

constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb UnusedScreenGrey = 0xFF404040;

QRgb colorOfBackground(const QString &background)
{
    const uint32_t v = BackgroundColorValue(background); // blue, green, red from the high digits down
    return qRgb(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

} // namespace

ScreenRenderer::ScreenRenderer(modVantile &m, MessagePrompt &messages) : m_(m), messages_(messages) {}

void ScreenRenderer::SetFolders(const QString &sdFolder, const QString &previewFolder)
{
    sdFolder_ = sdFolder;
    previewFolder_ = previewFolder;
}

QString ScreenRenderer::SdPictureName(int iRes, bool portrait, int screen)
{
    return QStringLiteral("SR%1%2%3.BMP")
        .arg(iRes)
        .arg(portrait ? QLatin1Char('P') : QLatin1Char('L'))
        .arg(screen, 2, 10, QLatin1Char('0'));
}

QString ScreenRenderer::PreviewName(int screen)
{
    if (screen == 0)
        return QStringLiteral("Screen 00 Home.BMP");
    return QStringLiteral("Screen %1.BMP").arg(screen, 2, 10, QLatin1Char('0'));
}

int ScreenRenderer::ProjectResolution() const
{
    const int r = m_.GetResolution();
    return r >= 0 && r <= 3 ? r : 0;
}

void ScreenRenderer::DrawBackground()
{
    const QString background = m_.ScreenBackground[size_t(m_.CurrentScreen)];
    if (IsColorBackground(background)) {
        canvas_.ClearBackPicture();
        canvas_.SetBackColor(colorOfBackground(background));
    } else if (!Support::PathExists(background)) {
        messages_.Show(QStringLiteral("File Not Found\r\n") + background, QStringLiteral("File Missing"),
                       MessagePrompt::Icon::Information);
        canvas_.ClearBackPicture();
        canvas_.SetBackColor(White);
    } else {
        auto cached = backgrounds_.find(background);
        if (cached == backgrounds_.end()) {
            cached = backgrounds_.insert(background, PictureFile::Read(background));
        }
        if (cached->isNull()) {
            // The path exists but holds no picture we can read: said like a missing file, then white.
            messages_.Show(QStringLiteral("File Cannot Be Read As A Picture\r\n") + background,
                           QStringLiteral("File Missing"), MessagePrompt::Icon::Information);
            canvas_.ClearBackPicture();
            canvas_.SetBackColor(White);
        } else {
            canvas_.SetBackPicture(*cached);
        }
    }
    canvas_.Redraw();
}

void ScreenRenderer::RenderDLImage()
{
    DrawBackground();
    for (int b = 0; b < modVantile::ButtonCount; ++b)
        RIButton(b);
    for (int t = 0; t < modVantile::TextCount; ++t)
        RITitleDL(t);
}

void ScreenRenderer::RenderIPImage()
{
    DrawBackground();
    for (int n = 0; n < modVantile::ButtonCount; ++n) {
        RIButton(n);
        RIPilot(n);
    }
    for (int s = 0; s < modVantile::SliderCount; ++s)
        RISlider(s);
    for (int t = 0; t < modVantile::TextCount; ++t)
        RITitleIP(t);
}

void ScreenRenderer::RenderDLImages(int iRes)
{
    for (bool portrait : {false, true}) {
        const Settings::PanelSize size = Settings::ScreenSize(iRes, portrait ? 1 : 0);
        // Every screen clears the canvas before it draws, so the resized canvas needs no redraw here.
        canvas_.Resize(size.width, size.height);
        for (int s = 0; s < modVantile::ScreenCount; ++s) {
            const QString name = SdPictureName(iRes, portrait, s);
            m_.SelectScreen(s);
            if (ProjectResolution() == iRes && (m_.GetLayout() != 0) == portrait) {
                RenderDLImage();
            } else {
                canvas_.ClearBackPicture();
                canvas_.SetBackColor(UnusedScreenGrey);
                canvas_.Redraw();
            }
            Save(sdFolder_, name);
        }
    }
}

void ScreenRenderer::RenderIPImages(int iRes)
{
    if (iRes != ProjectResolution())
        return;
    const Settings::PanelSize size = Settings::ScreenSize(iRes, m_.GetLayout());
    canvas_.Resize(size.width, size.height);
    for (int s = 0; s < modVantile::ScreenCount; ++s) {
        m_.SelectScreen(s);
        RenderIPImage();
        Save(previewFolder_, PreviewName(s));
    }
}

const QByteArray &ScreenRenderer::EncodedCanvas()
{
    if (const auto plain = canvas_.PlainColor()) {
        // Kept for the whole run: the dark grey pictures of the other
        // resolutions are the same in every compilation (a few megabytes).
        static QHash<quint64, QByteArray> plainFiles;
        const quint64 key = quint64(canvas_.Width()) << 48 | quint64(canvas_.Height()) << 32 | (*plain & 0xFFFFFF);
        auto it = plainFiles.find(key);
        if (it == plainFiles.end()) {
            if (plainFiles.size() >= 16)
                plainFiles.clear();
            it = plainFiles.insert(key, BmpFile::Encode(canvas_.Image()));
        }
        return *it;
    }
    BmpFile::EncodeInto(canvas_.Image(), fileBytes_);
    return fileBytes_;
}

void ScreenRenderer::Save(const QString &folder, const QString &name)
{
    QString reason;
    if (folder.isEmpty())
        reason = QStringLiteral("No folder is given for the file.");
    else if (BmpFile::WriteBytes(folder + QLatin1Char('/') + name, EncodedCanvas(), &reason)) {
        ++filesWritten_;
        return;
    }
    if (filesFailed_++ == 0) {
        firstFailedFile_ = folder.isEmpty() ? name : folder + QLatin1Char('/') + name;
        firstFailureReason_ = reason;
    }
}
