#pragma once

#include "model/EditOperations.h"
#include "model/ObjectTables.h"
#include "model/Settings.h"

#include <QObject>

#include <array>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

// The four settings lists right of the canvas, "Buttons", "Pilots",
// "Sliders" and "Text / Bar Graph": one line per object slot with its Edit
// button, the line of the object under the pointer or last chosen in
// yellow, and the check box that shows the text boxes on the canvas.
//
// Full, the lists stand right of the canvas as designed, a line for every
// slot. Compact, they move into a column of their own (a dock of the main
// window) and show only the lines of the slots in use, with one "New ..."
// line per kind below them. Hidden, they are not shown at all.
class SettingsLists : public QObject
{
    Q_OBJECT
public:
    using ObjectKind = ObjectTables::ObjectKind;

    // The lists are made as children of `client`, at their designed places.
    explicit SettingsLists(QWidget *client);

    QLabel *Line(ObjectKind kind, int n) const;
    // Every line grey again.
    void ClearHL();
    // Only this line yellow.
    void Highlight(ObjectKind kind, int n);
    // The object of the yellow line; slot -1 when every line is grey.
    EditOperations::ObjectRef Highlighted() const { return highlighted_; }

    // "ShowText Boxes (Edit Only)": the canvas fills the text boxes.
    bool ShowTextBoxes() const;
    void SetShowTextBoxes(bool show);

    // The lists right of their designed place by `pixels`.
    void Shift(int pixels);
    // The Edit buttons shown, in front of their lines.
    void RaiseEditButtons();
    // The left edge of the lists in `window`'s coordinates.
    int Left(const QWidget *window) const;

    // Full, compact (in `column`, which then holds the four lists) or hidden.
    void SetMode(Settings::ListsMode mode, QWidget *column);
    Settings::ListsMode Mode() const { return mode_; }
    // Whether the lists take their designed room right of the canvas.
    bool InClient() const { return mode_ == Settings::ListsMode::Full; }
    // Whether slot n holds an object: compact lists show its line.
    void SetUsed(ObjectKind kind, int n, bool used);

signals:
    void EditClicked(SettingsLists::ObjectKind kind, int n);
    void ShowTextBoxesClicked();
    // The "New ..." line of a compact list.
    void NewClicked(SettingsLists::ObjectKind kind);

private:
    QGroupBox *buildList(QWidget *client, const QString &name, const QString &caption, const QRect &twips, int rows,
                         int lineWidth, const QString &editName, const QString &lineName, ObjectKind kind);

    QGroupBox *frame(ObjectKind kind) const;
    QPushButton *editButton(ObjectKind kind, int n) const;
    void compactLayout(ObjectKind kind);
    void fullLayout(ObjectKind kind);

    QWidget *client_ = nullptr;
    Settings::ListsMode mode_ = Settings::ListsMode::Full;
    int shift_ = 0;
    std::array<std::vector<bool>, ObjectTables::ObjectKindCount> used_;
    std::array<QPushButton *, ObjectTables::ObjectKindCount> cmdNew{};
    QGroupBox *frmButtons = nullptr, *frmPilots = nullptr, *frmSliders = nullptr, *frmTitlesLarge = nullptr;
    std::vector<QPushButton *> cmdBEdit, cmdPEdit, cmdSEdit, cmdTEdit;
    std::vector<QLabel *> lblBSettings, lblPSettings, lblSSettings, lblTSettings;
    QCheckBox *chkHideTitleBG = nullptr;
    EditOperations::ObjectRef highlighted_;
};
