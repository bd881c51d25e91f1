#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <memory>

// The far end of a serial line, for a program that plays the device on it
// (the panel simulator): a pseudo-terminal of its own, where the system has
// them, or a serial device; raw, 115 200 baud, 8N1. Wait() blocks; Stop() may
// be called from any thread and from a signal handler, and lasts.
class DeviceLine
{
public:
    enum class Event { Input, Timeout, Stopped, Gone };

    DeviceLine();
    ~DeviceLine();
    DeviceLine(const DeviceLine &) = delete;
    DeviceLine &operator=(const DeviceLine &) = delete;

    // The other end is Path(); false with the reason (Windows has none).
    bool CreatePseudoTerminal(QString *error);
    bool OpenDevice(const QString &device, QString *error);
    void Close();
    bool IsOpen() const;
    QString Path() const;
    // Waits up to timeoutMs (-1: without end) for input or Stop().
    Event Wait(int timeoutMs, QByteArray *input);
    void Stop();
    bool Write(const QByteArray &bytes);
    // Waits up to timeoutMs until what was written has left: read by the
    // program on the other end of a pseudo-terminal, sent by a device. Closing
    // the line before then may lose it (a pseudo-terminal's other end is hung
    // up, and the system discards what its program had not read).
    void Drain(int timeoutMs);

    // Narrows the calling thread's timer slack where the system has one, so
    // that SleepUntil() keeps a paced line's rate to the microsecond.
    static void PreciseTimers();
    static void SleepUntil(std::chrono::steady_clock::time_point due);

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};
