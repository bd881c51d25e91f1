// The project (*.QXC) and screen (*.QXS) files: raw little-endian dumps of
// the image, no header. A file is read whole and checked before any of the
// image changes, and written through the file door so that a failed write
// never destroys the old file and no picture the project uses is replaced.
#include "model/Ansi.h"
#include "model/BackgroundLookup.h"
#include "model/modVantile.h"
#include "platform/Files.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace
{

constexpr qint64 ProjectWordBytes = 2 * (modVantile::PanelWords + modVantile::EditorWords); // 98 304
constexpr int ScreenFileBytes = 6560;
constexpr int ScreenBackgroundChars = 256;
// A project file can hold at most this much that is read; the rest is ignored.
constexpr qint64 ProjectMaxBytes = ProjectWordBytes + modVantile::ScreenCount * (2 + 65535);

const QString CrLf = QStringLiteral("\r\n");

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

void putWord(QByteArray &out, int16_t w)
{
    char bytes[2];
    qToLittleEndian<int16_t>(w, bytes);
    out.append(bytes, 2);
}

int16_t wordAt(const QByteArray &in, qint64 offset)
{
    return qFromLittleEndian<int16_t>(in.constData() + offset);
}

bool readWhole(const QString &path, qint64 maxBytes, QByteArray *data, QString *error, const QString &what)
{
    QString reason;
    if (!Files::ReadRegular(path, maxBytes, data, &reason)) {
        setError(error, QStringLiteral("Could not open the %1 file").arg(what) + CrLf + path + CrLf + reason);
        return false;
    }
    return true;
}

bool writeWhole(const modVantile &m, const QString &path, const QByteArray &data, QString *error, QString *note,
                const QString &what, bool projectIsInput)
{
    Files::InputScope inputs;
    AddProjectInputs(inputs, m, projectIsInput);
    // In a folder that refuses new files, a file that may be written is
    // written in place: not atomic, but the only way it can be saved at all.
    QString reason;
    Files::WriteOutcome outcome;
    if (!Files::Write(path, data, &reason, {}, &outcome)) {
        setError(error, QStringLiteral("Could not write the %1 file").arg(what) + CrLf + path + CrLf + reason);
        return false;
    }
    if (outcome.inPlace && note)
        *note = QStringLiteral("The folder of the %1 file takes no new files, so the file was written in place.")
                    .arg(what) +
                CrLf + path;
    return true;
}

} // namespace

QString BackgroundPathProblem(const QString &path)
{
    if (!Ansi::CanEncode(path))
        return QStringLiteral("Its path has characters that a project file cannot store (%1); project files keep "
                              "paths in Western European characters (Windows-1252).")
            .arg(Ansi::Unencodable(path));
    if (path.size() > 65535)
        return QStringLiteral("Its path is longer than the 65535 characters a project file can store.");
    return {};
}

namespace
{
QString screenName(int screen)
{
    return screen == 0 ? QStringLiteral("Home") : QStringLiteral("Screen: %1").arg(screen, 2, 10, QLatin1Char('0'));
}

// The first background that the file would not keep as it is, said for the user.
bool backgroundsStorable(const std::array<QString, modVantile::ScreenCount> &backgrounds, int first, int last,
                         const QString &notDone, QString *error)
{
    for (int s = first; s <= last; ++s) {
        const QString problem = BackgroundPathProblem(backgrounds[size_t(s)]);
        if (!problem.isEmpty()) {
            setError(error, notDone + CrLf +
                                QStringLiteral("The background picture of %1 cannot be stored:").arg(screenName(s)) +
                                CrLf + backgrounds[size_t(s)] + CrLf + problem + CrLf +
                                QStringLiteral("Choose the background again, from a folder such as the BMP "
                                               "Library."));
            return false;
        }
    }
    return true;
}
} // namespace

QByteArray modVantile::ProjectBytes() const
{
    QByteArray out;
    out.reserve(int(ProjectWordBytes) + ScreenCount * 16);
    for (int16_t w : PanelImage)
        putWord(out, w);
    for (int16_t w : EditorImage)
        putWord(out, w);
    for (const QString &background : ScreenBackground) {
        const QByteArray chars = Ansi::FromUnicode(background);
        putWord(out, int16_t(uint16_t(chars.size())));
        out.append(chars);
    }
    return out;
}

bool modVantile::SetProjectBytes(const QByteArray &bytes, QString *error)
{
    const QString tooShort =
        QStringLiteral("This is not a complete project file: it is too short (%1 bytes).").arg(bytes.size());
    if (bytes.size() < ProjectWordBytes + 2 * ScreenCount) {
        setError(error, tooShort);
        return false;
    }
    std::array<QString, ScreenCount> backgrounds;
    qint64 offset = ProjectWordBytes;
    for (int s = 0; s < ScreenCount; ++s) {
        if (offset + 2 > bytes.size()) {
            setError(error, tooShort);
            return false;
        }
        const qint64 length = uint16_t(wordAt(bytes, offset));
        offset += 2;
        if (offset + length > bytes.size()) {
            setError(error, tooShort);
            return false;
        }
        backgrounds[s] = Ansi::ToUnicode(bytes.mid(offset, length));
        offset += length;
    }
    for (int i = 0; i < PanelWords; ++i)
        PanelImage[i] = wordAt(bytes, 2 * i);
    for (int i = 0; i < EditorWords; ++i)
        EditorImage[i] = wordAt(bytes, 2 * (PanelWords + i));
    ScreenBackground = backgrounds;
    return true;
}

QByteArray modVantile::ScreenBytes() const
{
    QByteArray out;
    out.reserve(ScreenFileBytes);
    for (int i = 0; i < ScreenObjectWords; ++i)
        putWord(out, PanelImage[PanelBase + i]);
    for (int i = 0; i < EditorBlockWords; ++i)
        putWord(out, EditorImage[EditorBase + i]);
    const QByteArray chars = Ansi::FromUnicode(ScreenBackground[CurrentScreen]);
    for (int i = 0; i < ScreenBackgroundChars; ++i)
        putWord(out, i < chars.size() ? int16_t(static_cast<unsigned char>(chars[i])) : int16_t(0));
    return out;
}

bool modVantile::SetScreenBytes(const QByteArray &bytes, QString *error)
{
    if (bytes.size() < ScreenFileBytes) {
        setError(error, QStringLiteral("This is not a complete screen file: it has %1 bytes, a screen file has 6560.")
                            .arg(bytes.size()));
        return false;
    }
    for (int i = 0; i < ScreenObjectWords; ++i)
        PanelImage[PanelBase + i] = wordAt(bytes, 2 * i);
    for (int i = 0; i < EditorBlockWords; ++i)
        EditorImage[EditorBase + i] = wordAt(bytes, 2 * (ScreenObjectWords + i));
    QString background;
    for (int i = 0; i < ScreenBackgroundChars; ++i) {
        const int16_t w = wordAt(bytes, 2 * (ScreenObjectWords + EditorBlockWords + i));
        if (w >= 1 && (w & 0xFF) != 0)
            background.append(Ansi::Char(static_cast<unsigned char>(w & 0xFF)));
    }
    ScreenBackground[CurrentScreen] = background;
    return true;
}

bool modVantile::LoadProject(QString *error)
{
    QByteArray data;
    const QString path = ProjectFileName;
    if (!readWhole(path, ProjectMaxBytes, &data, error, QStringLiteral("project")))
        return false;
    QString why;
    if (!SetProjectBytes(data, &why)) {
        setError(error, QStringLiteral("Could not open the project file") + CrLf + path + CrLf + why);
        return false;
    }
    return true;
}

bool modVantile::SaveProject(QString *error, QString *note)
{
    if (note)
        note->clear();
    for (int s = 0; s < ScreenCount; ++s) {
        if (ScreenBackground[s].size() > 65535) {
            setError(error, QStringLiteral("The background of screen %1 is too long to be saved.").arg(s));
            return false;
        }
    }
    if (!backgroundsStorable(ScreenBackground, 0, ScreenCount - 1, QStringLiteral("The project was not saved."), error))
        return false;
    return writeWhole(*this, ProjectFileName, ProjectBytes(), error, note, QStringLiteral("project"), false);
}

bool modVantile::ImportScreen(QString *error)
{
    QByteArray data;
    const QString path = ScreenFileName;
    if (!readWhole(path, ScreenFileBytes, &data, error, QStringLiteral("screen")))
        return false;
    QString why;
    if (!SetScreenBytes(data, &why)) {
        setError(error, QStringLiteral("Could not import the screen file") + CrLf + path + CrLf + why);
        return false;
    }
    return true;
}

bool modVantile::ExportScreen(QString *error, QString *note) const
{
    if (note)
        note->clear();
    if (ScreenBackground[CurrentScreen].size() > ScreenBackgroundChars) {
        setError(error, QStringLiteral("The screen was not exported.") + CrLf +
                            QStringLiteral("Its background picture path is longer than the 256 characters a "
                                           "screen file can hold:") +
                            CrLf + ScreenBackground[CurrentScreen]);
        return false;
    }
    if (!backgroundsStorable(ScreenBackground, CurrentScreen, CurrentScreen,
                             QStringLiteral("The screen was not exported."), error))
        return false;
    return writeWhole(*this, ScreenFileName, ScreenBytes(), error, note, QStringLiteral("screen"), true);
}
