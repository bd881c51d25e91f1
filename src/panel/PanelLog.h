#pragma once

#include "model/ObjectTables.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

// Every message the virtual panel would send, in order, with the time it
// was sent. The texts name nodes with two hexadecimal digits and inputs 1 - 8,
// and end with the object that sent them, numbered as its settings list.
class PanelLog
{
public:
    struct Entry {
        QTime time;
        QString text;
    };
    // The object that sent a message.
    struct Sender {
        int screen = 0;
        ObjectTables::ObjectKind kind = ObjectTables::ObjectKind::Button;
        int slot = 0;
    };

    void Append(const QString &text) { entries_.append({QTime::currentTime(), text}); }
    void Clear() { entries_.clear(); }
    const QList<Entry> &Entries() const { return entries_; }
    // "12:03:07 press node 0B input 3 (screen 00 button 2)", or without the time.
    static QString Line(const Entry &entry, bool withTime);
    QStringList Lines(bool withTime) const;
    // The log as a file: one message a line, without the time, UTF-8 (what
    // "quellix try" writes and the Try Panel window saves).
    QByteArray FileText() const;

    static QString Press(int node, int input, const Sender &by);   // "press node 0B input 3 (screen 00 button 2)"
    static QString Release(int node, int input, const Sender &by); // "release node 0B input 3 (screen 00 button 2)"
    static QString On(int node, int input, const Sender &by);      // "on node 0B input 8 (screen 00 button 3)"
    static QString Off(int node, int input, const Sender &by);     // "off node 0B input 8 (screen 00 button 4)"
    static QString Level(int node, int percent, const Sender &by); // "level node 0C 75 % (screen 00 slider 1)"
    static QString Screen(int screen, const Sender &by);           // "screen 04 (screen 00 button 5)"
    static QString PasswordRefused(const Sender &button);          // "password refused on button 7 of screen 00"

private:
    QList<Entry> entries_;
};
