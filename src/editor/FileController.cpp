#include "editor/FileController.h"

#include "model/Document.h"
#include "model/Settings.h"
#include "model/modVantile.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"

#include <QFileInfo>

namespace
{
const QString AppTitle = QStringLiteral("ZAV Quellix Touch");
const QString CrLf = QStringLiteral("\r\n");
} // namespace

FileController::FileController(Document &document, MessagePrompt &messages, FileDialogPrompt &files)
    : document_(document), messages_(messages), files_(files), recent_(Settings::ReadRecentFiles())
{
}

QString FileController::ProjectFilter()
{
    return QStringLiteral("Quellix Touch Data Files (*.QXC)|*.QXC|All Files (*.*)|*.*");
}

QString FileController::ScreenFilter()
{
    return QStringLiteral("Quellix Touch Data Files (*.QXS)|*.QXS|All Files (*.*)|*.*");
}

QString FileController::ProjectPattern()
{
    return Paths::WorkingFolder() + QStringLiteral("/*.QXC");
}

QString FileController::ScreenPattern()
{
    return Paths::WorkingFolder() + QStringLiteral("/*.QXS");
}

bool FileController::DiscardChanges()
{
    if (!document_.ProjectChanged())
        return true;
    switch (messages_.Ask(QStringLiteral("Discard Any Changes?"), AppTitle, MessagePrompt::Icon::Question,
                          MessagePrompt::Buttons::SaveDiscardCancel, MessagePrompt::Answer::Cancel)) {
    case MessagePrompt::Answer::Discard:
        return true;
    case MessagePrompt::Answer::Save:
        // Saved under its name, or under one chosen now; a cancelled or
        // failed save keeps the project open.
        return FileSave() && !document_.ProjectChanged();
    default:
        return false;
    }
}

void FileController::error(const QString &text)
{
    messages_.Show(text, AppTitle, MessagePrompt::Icon::Critical, MessagePrompt::Buttons::Ok);
}

QString FileController::showFileDialog(bool save, const QString &filter, const QString &initialName)
{
    cdFileName_ = initialName;
    const QString chosen =
        save ? files_.ShowSave(filter, cdFileName_, QString()) : files_.ShowOpen(filter, cdFileName_);
    if (!chosen.isEmpty())
        cdFileName_ = chosen;
    return chosen;
}

bool FileController::cancelled(const QString &chosen) const
{
    return chosen.isEmpty() || chosen == ProjectPattern() || chosen == ScreenPattern();
}

bool FileController::completeName(QString *name, const QString &extension)
{
    // The dialog asked about the name it was given; a completed name is new to it.
    if (!QFileInfo(*name).suffix().isEmpty())
        return true;
    *name += extension;
    if (!QFileInfo::exists(*name))
        return true;
    return messages_.Confirm(*name + CrLf + QStringLiteral("already exists. Replace it?"), AppTitle) ==
           MessagePrompt::Answer::Yes;
}

void FileController::remember(const QString &path)
{
    recent_ = Settings::WithRecentFile(recent_, QFileInfo(path).absoluteFilePath());
    // The list is a comfort: a settings file that cannot be written costs nothing else.
    Settings::WriteRecentFiles(recent_);
}

template <class Transfer>
bool FileController::underName(QString modVantile::*name, const QString &path, Transfer transfer)
{
    modVantile &m = document_.Model();
    const QString previous = m.*name;
    m.*name = path;
    QString why, note;
    if (transfer(m, &why, &note)) {
        if (!note.isEmpty())
            messages_.Show(note, AppTitle, MessagePrompt::Icon::Information, MessagePrompt::Buttons::Ok);
        return true;
    }
    m.*name = previous;
    error(why);
    return false;
}

bool FileController::load(const QString &path)
{
    if (!underName(&modVantile::ProjectFileName, path,
                   [](modVantile &model, QString *why, QString *) { return model.LoadProject(why); })) {
        if (recent_.removeAll(QFileInfo(path).absoluteFilePath()) > 0)
            Settings::WriteRecentFiles(recent_);
        return false;
    }
    document_.ResetHistory();
    remember(path);
    return true;
}

bool FileController::save(const QString &path)
{
    if (!underName(&modVantile::ProjectFileName, path,
                   [](modVantile &model, QString *why, QString *note) { return model.SaveProject(why, note); }))
        return false;
    document_.MarkSaved();
    remember(path);
    return true;
}

bool FileController::FileOpen()
{
    if (!DiscardChanges())
        return false;
    const QString chosen = showFileDialog(false, ProjectFilter(), projectDialogShown_ ? QString() : ProjectPattern());
    projectDialogShown_ = true;
    if (cancelled(chosen))
        return false;
    return load(chosen);
}

bool FileController::OpenPath(const QString &path)
{
    if (!DiscardChanges())
        return false;
    return load(path);
}

bool FileController::FileSave()
{
    const QString name = document_.Model().ProjectFileName;
    if (name == modVantile::NoFileName)
        return FileSaveAs();
    return save(name);
}

bool FileController::FileSaveAs()
{
    QString chosen = showFileDialog(true, ProjectFilter(), projectDialogShown_ ? cdFileName_ : ProjectPattern());
    projectDialogShown_ = true;
    if (cancelled(chosen) || !completeName(&chosen, QStringLiteral(".QXC")))
        return false;
    return save(chosen);
}

bool FileController::ImportFile()
{
    const QString chosen = showFileDialog(false, ScreenFilter(), ScreenPattern());
    if (cancelled(chosen))
        return false;
    modVantile &m = document_.Model();
    Document::Edit edit(document_, QStringLiteral("Import Screen"));
    edit.Screen(m.CurrentScreen);
    if (!underName(&modVantile::ScreenFileName, chosen,
                   [](modVantile &model, QString *why, QString *) { return model.ImportScreen(why); })) {
        edit.Revert();
        return false;
    }
    return edit.Commit();
}

bool FileController::ExportFile()
{
    QString chosen = showFileDialog(true, ScreenFilter(), ScreenPattern());
    if (cancelled(chosen) || !completeName(&chosen, QStringLiteral(".QXS")))
        return false;
    return underName(&modVantile::ScreenFileName, chosen,
                     [](modVantile &model, QString *why, QString *note) { return model.ExportScreen(why, note); });
}
