#pragma once

#include <QString>
#include <QStringList>

class Document;
class modVantile;
class MessagePrompt;
class FileDialogPrompt;

// The File menu's work without a window: the file dialogs with their
// filters and starting names, the cancel rule, the "Discard Any Changes?"
// question, the default extensions, the messages for files that cannot be
// used, and the list of recent files. The window adds the redraw.
class FileController
{
public:
    FileController(Document &document, MessagePrompt &messages, FileDialogPrompt &files);

    static QString ProjectFilter();
    static QString ScreenFilter();
    static QString ProjectPattern(); // <working folder>/*.QXC
    static QString ScreenPattern();  // <working folder>/*.QXS

    // Asks "Discard Any Changes?" (Save, Discard, Cancel; Cancel by default)
    // when the project has changes; true when the caller may replace or
    // close it: the changes were saved or discarded.
    bool DiscardChanges();

    // Each returns true when it read or wrote a file.
    bool FileOpen();
    // Opens a named project (command line, recent files) after the question.
    bool OpenPath(const QString &path);
    bool FileSave();
    bool FileSaveAs();
    // One undo step when the screen changed; true then.
    bool ImportFile();
    bool ExportFile();

    QStringList RecentFiles() const { return recent_; }

private:
    // Loads, saves, imports or exports with `path` as the project's or the
    // screen's file name; on failure the name it had is kept and the reason
    // shown, and a note of the save or export is shown after it succeeded.
    // `transfer`: called with the model, the place for the reason and the
    // place for the note (both QString *).
    template <class Transfer> bool underName(QString modVantile::*name, const QString &path, Transfer transfer);
    bool load(const QString &path);
    bool save(const QString &path);
    // The dialog control: one file name shared by all four dialogs.
    QString showFileDialog(bool save, const QString &filter, const QString &initialName);
    bool cancelled(const QString &chosen) const;
    // A name without an extension gets `extension`; true when the name may be
    // written (no file of the completed name, or the user lets it be replaced).
    bool completeName(QString *name, const QString &extension);
    void error(const QString &text);
    void remember(const QString &path);

    Document &document_;
    MessagePrompt &messages_;
    FileDialogPrompt &files_;
    bool projectDialogShown_ = false;
    QString cdFileName_;
    QStringList recent_;
};
