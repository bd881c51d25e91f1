#pragma once

#include <QString>

// A pseudo-terminal in raw mode at 115 200 baud: the far end of a serial line
// for programs that play a device. Linux only.
class PseudoTerminal
{
public:
    PseudoTerminal() = default;
    ~PseudoTerminal() { Close(); }
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    // Creates one; the master end is non-blocking.
    bool Create(QString *error);
    void Close();
    int MasterFd() const { return master_; }
    // The other end, which a program opens as its serial device.
    QString Path() const { return path_; }
    // Bytes written to the master that the other end has not read yet; -1
    // when the system cannot tell.
    int Unread() const;

private:
    int master_ = -1;
    int keeper_ = -1;
    QString path_;
};

// Sets a terminal raw: 8N1 at 115 200 baud, no flow control, no echo.
bool MakeRawLine(int fd);
