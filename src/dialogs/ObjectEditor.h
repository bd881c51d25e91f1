#pragma once

#include <QDialog>

class modVantile;
class EditorHost;
class MessagePrompt;
class QComboBox;
class QLabel;
class QPushButton;

// What the four object editors share: the object they edit (CurrentObject
// when they are built, kept inside the kind's count), the activation that
// fills the controls from the record on the first show, and the activating
// flag under which filling them is no user change.
class ObjectEditor : public QDialog
{
    Q_OBJECT
protected:
    ObjectEditor(modVantile &m, EditorHost &host, MessagePrompt &messages, int objectCount, const char *name,
                 const QString &title, QWidget *parent);

    void showEvent(QShowEvent *event) override;
    virtual void Form_Activate() = 0;

    QLabel *NewLabel(const char *name, const QString &caption, QWidget *parent = nullptr);
    QPushButton *NewButton(const char *name, const QString &caption, QWidget *parent = nullptr);

    // Shows a stored value in its list and runs the list's handler, as the
    // dialog's own doing; a value that is no entry leaves the record alone.
    template <class Dialog> void showEntry(QComboBox *box, int index, void (Dialog::*handler)())
    {
        if (showsEntry(box, index))
            (static_cast<Dialog *>(this)->*handler)();
    }

    // A stored device beyond the node range (or a damaged negative one)
    // becomes device 0.
    int DeviceInRange(int device) const;

    modVantile &m_;
    EditorHost &host_;
    MessagePrompt &messages_;
    const int object_;
    bool activating_ = false;

private:
    static bool showsEntry(QComboBox *box, int index);
    bool activated_ = false;
};
