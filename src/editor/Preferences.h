#pragma once

#include "model/Settings.h"
#include "model/SettingsPreferences.h"

#include <QObject>

#include <functional>

class EditActions;
class MessagePrompt;
class QDialog;
class QMenu;
class frmVantile;

// The user's preferences (Edit, Preferences...; kept in the settings file):
// the key scheme, what a click on an object does, the grid, the zoom at
// start and the interface font. A change applies at once to the window and
// is written to the settings file; at start the window takes them from there.
class Preferences : public QObject
{
    Q_OBJECT
public:
    // `runDialog` runs a modal dialog of the window and gives its result.
    Preferences(frmVantile &window, EditActions &edit, MessagePrompt &messages,
                std::function<int(QDialog &)> runDialog);

    // Adds "Preferences..." to the end of the Edit menu.
    void BuildMenu(QMenu *edit);
    // Applies the stored preferences (at start, once the menus are built).
    void Load();

    const Settings::Preferences &Current() const { return current_; }
    // Applies `preferences` at once and writes them to the settings file.
    bool Set(const Settings::Preferences &preferences, QString *error = nullptr);
    bool ClickOpensEditor() const { return current_.click == Settings::ClickMode::Open; }

    // True before the program's first start on this installation: there is
    // no settings file yet. The window's start-up makes one.
    static bool FirstStart();
    // Asks a new user once which keys they prefer (Classic unless they choose).
    void AskKeyScheme();

    void mnuPreferences_Click();

signals:
    void Changed();

private:
    void apply(const Settings::Preferences &preferences);

    frmVantile &window_;
    EditActions &edit_;
    MessagePrompt &messages_;
    std::function<int(QDialog &)> runDialog_;
    Settings::Preferences current_;
    bool fontChanged_ = false;
};
