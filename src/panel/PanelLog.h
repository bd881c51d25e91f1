#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

// Every message the virtual panel would send, in order, with the time it
// was sent. The texts name nodes with two hexadecimal digits and inputs 1 - 8.
class PanelLog
{
public:
    struct Entry {
        QTime time;
        QString text;
    };

    void Append(const QString &text) { entries_.append({QTime::currentTime(), text}); }
    void Clear() { entries_.clear(); }
    const QList<Entry> &Entries() const { return entries_; }
    // "12:03:07 press node 0B input 3", or without the time.
    static QString Line(const Entry &entry, bool withTime);
    QStringList Lines(bool withTime) const;
    // The log as a file: one message a line, without the time, UTF-8 (what
    // "quellix try" writes and the Try Panel window saves).
    QByteArray FileText() const;

    static QString Press(int node, int input);              // "press node 0B input 3"
    static QString Release(int node, int input);            // "release node 0B input 3"
    static QString On(int node, int input);                 // "on node 0B input 8"
    static QString Off(int node, int input);                // "off node 0B input 8"
    static QString Level(int node, int percent);            // "level node 0C 75 %"
    static QString Screen(int screen);                      // "screen 04"
    static QString PasswordRefused(int button, int screen); // "password refused on button 6 of screen 00"

private:
    QList<Entry> entries_;
};
