// Whole screens into pictures and BMP files.
#include "render/ScreenRenderer.h"
#include "model/BackgroundLookup.h"
#include "model/EditOperations.h"
#include "model/ObjectTables.h"
#include "model/Settings.h"
#include "model/modVantile.h"
#include "platform/Prompts.h"
#include "render/BackgroundPictureFile.h"
#include "render/Bmp24File.h"
#include "render/RunTimeState.h"

namespace
{

using EditOperations::Kind;
using EditOperations::ObjectPosition;

constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb UnusedScreenGrey = 0xFF404040;

QRgb colorOfBackground(const QString &background)
{
    const uint32_t v = BackgroundColorValue(background); // blue, green, red from the high digits down
    return qRgb(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

} // namespace

ScreenRenderer::ScreenRenderer(const modVantile &m, MessagePrompt &messages) : m_(m), messages_(messages), objects_(m)
{
}

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

ScreenRenderer::Background ScreenRenderer::backgroundOf(int screen)
{
    const QString &background = m_.ScreenBackground[size_t(std::clamp(screen, 0, modVantile::ScreenCount - 1))];
    if (IsColorBackground(background))
        return {Background::Kind::Color, colorOfBackground(background), nullptr, {}};
    // A path from another machine may name a picture found here by its name.
    const BackgroundFile file = LocateBackground(background, m_);
    if (!file.found())
        return {Background::Kind::Missing, White, nullptr, {}};
    auto cached = backgrounds_.find(file.path);
    if (cached == backgrounds_.end()) {
        QString why;
        cached = backgrounds_.insert(file.path, BackgroundPictureFile::Read(file.path, &why));
        if (cached->isNull())
            refusedWhy_.insert(file.path, why);
    }
    if (cached->isNull())
        return {Background::Kind::Unreadable, White, nullptr, file.path};
    return {Background::Kind::Picture, 0, &*cached, file.path};
}

void ScreenRenderer::DrawBackground(int screen)
{
    const Background b = backgroundOf(screen);
    const QString &path = m_.ScreenBackground[size_t(std::clamp(screen, 0, modVantile::ScreenCount - 1))];
    if (b.kind == Background::Kind::Missing)
        messages_.Show(QStringLiteral("File Not Found\r\n") + path, QStringLiteral("File Missing"),
                       MessagePrompt::Icon::Information);
    else if (b.kind == Background::Kind::Unreadable && !refusedOrder_.contains(b.path)) {
        // The path exists but holds no picture we can read: said once, with why, then white.
        refusedOrder_.append(b.path);
        messages_.Show(QStringLiteral("File Cannot Be Read As A Picture\r\n") + path + QStringLiteral("\r\n") +
                           refusedWhy_.value(b.path),
                       QStringLiteral("File Missing"), MessagePrompt::Icon::Information);
    }
    if (b.kind == Background::Kind::Picture) {
        canvas_.SetBackPicture(*b.picture);
    } else {
        canvas_.ClearBackPicture();
        canvas_.SetBackColor(b.color);
    }
    canvas_.Redraw();
}

QRgb ScreenRenderer::CompiledBackColor(int screen, QRgb compilationStart)
{
    // Only the first pass of the compilation starts from the given colour;
    // every later pass follows the dark grey pictures of another resolution.
    QRgb color = ProjectResolution() == 0 && m_.GetLayout() == 0 ? compilationStart : UnusedScreenGrey;
    for (int s = 0; s < screen; ++s)
        if (const Background b = backgroundOf(s); b.kind != Background::Kind::Picture)
            color = b.color;
    return color | 0xFF000000;
}

QList<ScreenRenderer::PanelStep> ScreenRenderer::PanelOrder(const modVantile &m, int screen)
{
    QList<PanelStep> steps;
    steps.reserve(modVantile::ButtonCount + modVantile::PilotCount + modVantile::SliderCount +
                  2 * modVantile::TextCount);
    for (int b = 0; b < modVantile::ButtonCount; ++b)
        steps.append({Kind::Button, b, false});
    for (int t = 0; t < modVantile::TextCount; ++t)
        steps.append({Kind::Text, t, false});
    for (int p = 0; p < modVantile::PilotCount; ++p)
        steps.append({Kind::Pilot, p, true});
    for (int s = 0; s < modVantile::SliderCount; ++s)
        steps.append({Kind::Slider, s, true});
    for (int t = 0; t < modVantile::TextCount; ++t) {
        const ObjectTables::TextKind kind = ObjectTables::DecodeTextType(m.GetTextType(screen, t));
        if (ObjectTables::IsValueBox(kind) || ObjectTables::IsBarGraph(kind))
            steps.append({Kind::Text, t, true});
    }
    return steps;
}

void ScreenRenderer::drawStep(int screen, const PanelStep &step, const RunTimeState *state)
{
    const QPoint at = ObjectPosition(m_, screen, step.kind, step.slot);
    const int n = step.slot;
    if (!step.live) {
        if (step.kind == Kind::Button)
            objects_.Button(canvas_, screen, n, at);
        else if (step.kind == Kind::Text)
            objects_.Text(canvas_, screen, n, at, ObjectPainter::TextView::SdCard);
        return;
    }
    const int address = m_.GetNodeAddress();
    switch (step.kind) {
    case Kind::Pilot: {
        const int node = ObjectTables::NodeOf(address, m_.GetPilotDevice(screen, n));
        objects_.Pilot(canvas_, screen, n, at,
                       state->InputOn(node, m_.GetPilotInput(screen, n) + RecordSchema::Pilot::Input.shown));
        break;
    }
    case Kind::Slider:
        objects_.Slider(canvas_, screen, n, at,
                        state->Level(ObjectTables::NodeOf(address, m_.GetSliderDevice(screen, n))));
        break;
    case Kind::Text:
        objects_.Text(canvas_, screen, n, at, ObjectPainter::TextView::Live,
                      state->Level(ObjectTables::NodeOf(address, m_.GetTextDevice(screen, n))));
        break;
    case Kind::Button:
        break;
    }
}

void ScreenRenderer::DrawSdScreen(int screen)
{
    DrawBackground(screen);
    for (const PanelStep &step : PanelOrder(m_, screen))
        if (!step.live)
            drawStep(screen, step, nullptr);
}

void ScreenRenderer::DrawPreview(int screen)
{
    DrawBackground(screen);
    for (int n = 0; n < modVantile::ButtonCount; ++n) {
        objects_.Button(canvas_, screen, n, ObjectPosition(m_, screen, Kind::Button, n));
        objects_.Pilot(canvas_, screen, n, ObjectPosition(m_, screen, Kind::Pilot, n));
    }
    for (int s = 0; s < modVantile::SliderCount; ++s)
        objects_.Slider(canvas_, screen, s, ObjectPosition(m_, screen, Kind::Slider, s));
    for (int t = 0; t < modVantile::TextCount; ++t)
        objects_.Text(canvas_, screen, t, ObjectPosition(m_, screen, Kind::Text, t), ObjectPainter::TextView::Preview);
}

void ScreenRenderer::DrawScreen(int screen, const RunTimeState &state)
{
    DrawSdScreen(screen);
    if (state.IsEmpty())
        return;
    for (const PanelStep &step : PanelOrder(m_, screen))
        if (step.live)
            drawStep(screen, step, &state);
}

void ScreenRenderer::DrawPanel(int screen, const RunTimeState &state)
{
    const Settings::PanelSize size = Settings::ScreenSize(ProjectResolution(), m_.GetLayout());
    canvas_.Resize(size.width, size.height);
    canvas_.SetBackColor(CompiledBackColor(screen));
    DrawScreen(screen, state);
}

void ScreenRenderer::RIButton(int iBNum)
{
    objects_.Button(canvas_, m_.CurrentScreen, iBNum, ObjectPosition(m_, m_.CurrentScreen, Kind::Button, iBNum));
}

void ScreenRenderer::RIPilot(int iPNum)
{
    objects_.Pilot(canvas_, m_.CurrentScreen, iPNum, ObjectPosition(m_, m_.CurrentScreen, Kind::Pilot, iPNum));
}

void ScreenRenderer::RISlider(int iSNum)
{
    objects_.Slider(canvas_, m_.CurrentScreen, iSNum, ObjectPosition(m_, m_.CurrentScreen, Kind::Slider, iSNum));
}

void ScreenRenderer::RITitleDL(int iTNum)
{
    objects_.Text(canvas_, m_.CurrentScreen, iTNum, ObjectPosition(m_, m_.CurrentScreen, Kind::Text, iTNum),
                  ObjectPainter::TextView::SdCard);
}

void ScreenRenderer::RITitleIP(int iTNum)
{
    objects_.Text(canvas_, m_.CurrentScreen, iTNum, ObjectPosition(m_, m_.CurrentScreen, Kind::Text, iTNum),
                  ObjectPainter::TextView::Preview);
}

void ScreenRenderer::RenderDLImage()
{
    DrawSdScreen(m_.CurrentScreen);
}

void ScreenRenderer::RenderIPImage()
{
    DrawPreview(m_.CurrentScreen);
}

void ScreenRenderer::RenderDLImages(int iRes)
{
    for (bool portrait : {false, true}) {
        const Settings::PanelSize size = Settings::ScreenSize(iRes, portrait ? 1 : 0);
        // Every screen clears the canvas before it draws, so the resized canvas needs no redraw here.
        canvas_.Resize(size.width, size.height);
        for (int s = 0; s < modVantile::ScreenCount; ++s) {
            if (ProjectResolution() == iRes && (m_.GetLayout() != 0) == portrait) {
                DrawSdScreen(s);
            } else {
                canvas_.ClearBackPicture();
                canvas_.SetBackColor(UnusedScreenGrey);
                canvas_.Redraw();
            }
            Save(sdFolder_, SdPictureName(iRes, portrait, s));
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
        DrawPreview(s);
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
            it = plainFiles.insert(key, Bmp24File::Encode(canvas_.Image()));
        }
        return *it;
    }
    Bmp24File::EncodeInto(canvas_.Image(), fileBytes_);
    return fileBytes_;
}

void ScreenRenderer::Save(const QString &folder, const QString &name)
{
    QString reason;
    if (folder.isEmpty())
        reason = QStringLiteral("No folder is given for the file.");
    else if (Bmp24File::WriteBytes(folder + QLatin1Char('/') + name, EncodedCanvas(), &reason)) {
        ++filesWritten_;
        return;
    }
    if (filesFailed_++ == 0) {
        firstFailedFile_ = folder.isEmpty() ? name : folder + QLatin1Char('/') + name;
        firstFailureReason_ = reason;
    }
}
