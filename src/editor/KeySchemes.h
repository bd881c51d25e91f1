#pragma once

#include "model/Settings.h"
#include "model/SettingsPreferences.h"

#include <QKeySequence>
#include <QList>
#include <QString>

class QWidget;

// The keys of the menus, one table per scheme: "Classic" (the keys the
// editor always had: Ctrl+S a new slider, Ctrl+X Clear Screen) and
// "Standard" (those of other designers and office programs: Ctrl+S Save,
// Ctrl+X Cut). This is the only place a menu item gets a key; the menus show
// the keys of the scheme in use.
namespace KeySchemes
{

struct Row {
    const char *action; // the object name of the menu item
    QList<QKeySequence> classic;
    QList<QKeySequence> standard;
};

const QList<Row> &Table();
QList<QKeySequence> Keys(const Row &row, Settings::KeyScheme scheme);

// Gives every menu item of `window` named in the table its keys of `scheme`.
void Apply(QWidget *window, Settings::KeyScheme scheme);

// The "Keyboard Shortcuts" sheet of `window` as HTML: each menu with its
// items' texts and the keys `scheme` gives them, in the order of the menus.
QString Sheet(QWidget *window, Settings::KeyScheme scheme);

QString SchemeName(Settings::KeyScheme scheme); // "Classic", "Standard"

} // namespace KeySchemes
