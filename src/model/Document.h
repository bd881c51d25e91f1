#pragma once

#include "model/ObjectTables.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QUndoStack>

#include <cstdint>
#include <vector>

class modVantile;

// What an edit, an undo or a redo changed, for the views that show it.
struct DocumentChange {
    enum class Scope {
        Object,     // one object record of a screen
        Screen,     // every object record and the background of a screen
        Options,    // the device options
        Background, // the background of a screen
        Project     // everything: a new or opened project
    };
    Scope scope = Scope::Project;
    int screen = -1;
    ObjectTables::ObjectKind kind = ObjectTables::ObjectKind::Button;
    int slot = -1;
};

// The open project: the configuration image and its edit history. Every
// user change is one step on the undo stack; the project counts as changed
// exactly while the stack is away from its saved (clean) state, so a
// command that changes nothing leaves the mark as it was and undo can take
// it away again. Nothing else decides it.
//
// A step stores the words of the parts it may touch, before and after.
// Words the program derives from others (modVantile::IsDerivedWord) travel
// with the step so that undo gives back the very bytes, but they alone never
// make a step.
class Document : public QObject
{
    Q_OBJECT
public:
    explicit Document(modVantile &m, QObject *parent = nullptr);
    ~Document() override;

    modVantile &Model() { return m_; }
    const modVantile &Model() const { return m_; }
    QUndoStack &UndoStack() { return stack_; }

    // One user edit. Name the parts it may change, change the image, then
    // Commit: a change becomes a step on the stack (undo text `text`), no
    // change leaves the stack, and so the changed mark, alone. An edit that
    // is given up calls Revert. Either way the views hear of the named parts
    // once (Changed), so that controls the user moved ahead of the image
    // show it again. In a debug build, an edit that ends without Commit or
    // Revert, or that finds words changed outside the parts it named, stops
    // the program: the change would escape the history.
    class Edit
    {
    public:
        Edit(Document &document, const QString &text);
        ~Edit();
        Edit(const Edit &) = delete;
        Edit &operator=(const Edit &) = delete;

        Edit &Object(int screen, ObjectTables::ObjectKind kind, int slot);
        // The whole screen block (objects, on Home the device options too)
        // and the screen's background.
        Edit &Screen(int screen);
        Edit &Options();
        Edit &Background(int screen);
        // Consecutive steps with the same id over the same words become one
        // (the arrow keys moving one object).
        Edit &MergeId(int id);

        // True when the image changed and the step was recorded.
        bool Commit();
        // Puts the named parts back as they were; no step.
        void Revert();

    private:
        friend class Document;
        struct Words {
            bool editor = false;
            int start = 0;
            std::vector<int16_t> before, after;
        };
        struct Text {
            int screen = 0;
            QString before, after;
        };
        void watch(bool editor, int start, int count);

        Document &document_;
        QString text_;
        int mergeId_ = -1;
        std::vector<Words> words_;
        std::vector<Text> backgrounds_;
        std::vector<DocumentChange> changes_;
        bool committed_ = false;
#ifndef NDEBUG
        void checkUnwatched() const;
        std::vector<int16_t> panelBefore_, editorBefore_;
#endif
    };

    // Unsaved changes: the stack is away from the state last saved, opened
    // or started new.
    bool ProjectChanged() const
    {
        return !stack_.isClean();
    }
    // The project was saved: this is the clean state.
    void MarkSaved();
    // A new or opened project: no history, nothing changed.
    void ResetHistory();

    // The screen the next undo (or redo) step changes, -1 when it changes
    // none in particular or there is none.
    int UndoScreen() const;
    int RedoScreen() const;

    // An open object editor changed its object; the step follows when it closes.
    void Preview(const DocumentChange &change)
    {
        emit Previewed(change);
    }

signals:
    // Once for each step done, undone or redone, and for each edit that
    // ended without one, with all the parts it named.
    void Changed(const QList<DocumentChange> &changes);
    // One object as an open editor left it, before its step.
    void Previewed(const DocumentChange &change);
    // ProjectChanged() may have turned.
    void ModifiedChanged(bool modified);

private:
    class ImageCommand;
    static int screenOf(const QUndoCommand *command);
    void notify(const std::vector<DocumentChange> &changes);
    void emitModified();

    modVantile &m_;
    QUndoStack stack_;
};

// "Home", "01" ... "15".
QString ScreenName(int screen);
