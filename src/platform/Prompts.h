#pragma once

#include <QString>

// Everything the program asks or tells the user in a modal box goes through
// these two interfaces. The application shows real boxes; tests plug in a
// scripted stand-in that records the boxes and gives the answers they want.

class MessagePrompt
{
public:
    enum class Icon { None, Information, Question, Exclamation, Critical };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, SaveDiscardCancel };
    enum class Answer { Ok, Cancel, Yes, No, Save, Discard };

    virtual ~MessagePrompt() = default;
    // Lines inside the text are joined with CR LF.
    virtual Answer Show(const QString &text, const QString &title, Icon icon, Buttons buttons) = 0;
    // A question whose Enter key gives `defaultAnswer`: a question that
    // destroys something defaults to its harmless answer. Without a box of
    // its own a prompt asks as Show does.
    virtual Answer Ask(const QString &text, const QString &title, Icon icon, Buttons buttons, Answer defaultAnswer)
    {
        (void)defaultAnswer;
        return Show(text, title, icon, buttons);
    }
    // Yes or No to something that destroys: a question icon, No by default.
    Answer Confirm(const QString &text, const QString &title)
    {
        return Ask(text, title, Icon::Question, Buttons::YesNo, Answer::No);
    }
    Answer Show(const QString &text, const QString &title, Icon icon = Icon::None)
    {
        return Show(text, title, icon, Buttons::Ok);
    }
};

class FileDialogPrompt
{
public:
    virtual ~FileDialogPrompt() = default;
    // filter: "Text (*.X)|*.X|All Files (*.*)|*.*" pairs as the program keeps
    // them. Returns the chosen path, or an empty string when cancelled.
    // An open dialog accepts only an existing file; a save dialog asks before
    // replacing one. A save dialog without a title is called "Save As".
    virtual QString ShowOpen(const QString &filter, const QString &initialName) = 0;
    virtual QString ShowSave(const QString &filter, const QString &initialName, const QString &title) = 0;
};
