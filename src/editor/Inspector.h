#pragma once

#include "model/EditOperations.h"
#include "model/ObjectFields.h"

#include <QWidget>

#include <array>

class Document;
class MessagePrompt;
class ObjectSelection;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

// The "Properties" panel beside the canvas. With objects selected it shows
// the fields they share (ObjectFields) and edits them in place: a choice
// from a list is one undo step, typing in a field is one step however many
// keys it takes, and the canvas follows at once. A typed value the record
// cannot hold is refused in the field, with the reason below it. With
// nothing selected it shows the screen: its background, and on Home the
// device options.
class Inspector : public QWidget
{
    Q_OBJECT
public:
    using Id = ObjectFields::Id;
    using Object = EditOperations::ObjectRef;

    Inspector(Document &document, MessagePrompt &messages, ObjectSelection &selection, QWidget *parent = nullptr);
    // A field that loses the focus while the inspector is taken down edits nothing.
    ~Inspector() override;

    // The fields as the selection and the image have them; a field the user
    // is typing in keeps what was typed.
    void Refresh();

signals:
    // "Select..." of the screen's background.
    void BackgroundWanted();

protected:
    // Keys typed here stay here: the arrow keys a field leaves alone must
    // not move the selected objects.
    void keyPressEvent(QKeyEvent *event) override;

private:
    struct Row {
        QLabel *label = nullptr;
        QComboBox *list = nullptr;
        QLineEdit *edit = nullptr;
        QWidget *field = nullptr; // what the row shows right of its label
    };
    Row &row(Id id) { return rows_[size_t(id)]; }
    bool shared(Id id) const;
    void showScreen();
    void showObjects(bool newSelection);
    void chosen(Id id, int index);
    void typed(Id id);
    void finished(Id id);
    void apply(Id id, int value, const QString *text);
    void refuse(const QString &reason);
    QString shownText(Id id, const Object &object) const;

    Document &document_;
    MessagePrompt &messages_;
    ObjectSelection &selection_;
    std::array<Row, std::size(ObjectFields::All)> rows_{};
    QLabel *lblInsTitle = nullptr, *lblInsReason = nullptr;
    QWidget *screenPage_ = nullptr, *objectPage_ = nullptr;
    QLabel *lblInsBackground = nullptr, *lblInsOptions = nullptr;
    QToolButton *cmdInsShowPassword = nullptr;
    QList<Object> shown_;
    bool showing_ = false;
    // Keys typed into one field, until it is left, make one step.
    int typingSession_ = 0;
};
