#pragma once

#include "platform/DeviceLine.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <chrono>
#include <deque>
#include <mutex>

// Plays the touch panel on the far end of a serial line: acknowledges block
// frames, keeps the 16 512 bytes received, answers the checksum and firmware
// queries, and misbehaves on request. Runs on a pseudo-terminal it creates
// itself (not on Windows, which has none) or on a serial device. Run() blocks; Stop() may be called from any
// thread (and from a signal handler).
class PanelSimulator
{
public:
    enum class Fault {
        None,
        Silent,        // no answer
        Short,         // the answer without its last character
        Late,          // the answer after Options::lateMs more
        WrongChecksum, // checksum answer with one digit changed
        LowerCase,     // checksum answer in lower-case digits
        DropLine,      // the line closes as soon as the target frame begins
    };
    // Targets of a fault besides the block numbers 0 - 257.
    static constexpr int ChecksumQuery = -1;
    static constexpr int FirmwareQuery = -2;

    struct Options {
        Fault fault = Fault::None;
        int faultAt = 0;   // block number, ChecksumQuery or FirmwareQuery
        int lateMs = 2500; // extra delay of a late answer
        int baud = 0;      // pace input and output as a line of this rate; 0 = no pacing
        QByteArray firmware = "Quellix Touch 2.10";
        QString saveFile;  // written after every checksum query and when Run ends
        bool once = false; // end after the first checksum or firmware answer
    };

    static constexpr int StreamBytes = 16512;
    static const QByteArray BlockAck;

    PanelSimulator();
    explicit PanelSimulator(const Options &options);
    ~PanelSimulator();
    PanelSimulator(const PanelSimulator &) = delete;
    PanelSimulator &operator=(const PanelSimulator &) = delete;

    // Creates a pseudo-terminal; the editor's end is LinePath().
    bool CreatePseudoTerminal(QString *error = nullptr);
    // Uses a serial device (115 200 baud, 8N1, raw).
    bool OpenDevice(const QString &device, QString *error = nullptr);
    QString LinePath() const { return line_.Path(); }

    void Run();
    void Stop();
    // Writes raw characters to the editor's end (noise, stale answers).
    bool Inject(const QByteArray &data);

    QByteArray Received() const;
    // Well-formed block frames taken in, answered or not.
    int BlocksReceived() const { return blocks_; }
    int MalformedFrames() const { return malformed_; }
    int ChecksumQueries() const { return checksumQueries_; }
    int FirmwareQueries() const { return firmwareQueries_; }
    bool LineDropped() const { return dropped_; }
    // Microseconds by which the answers left later than they fell due (the
    // simulator's own scheduling delays, which a real panel does not have).
    long long AnswerLatenessUs() const { return lateness_; }

    // Command-line spellings of a fault, in the order of Fault, and of its target.
    static constexpr const char *FaultNames[] = {"none",           "silent",     "short", "late",
                                                 "wrong-checksum", "lower-case", "drop"};
    static QString FaultName(Fault fault) { return QString::fromLatin1(FaultNames[int(fault)]); }
    static QString TargetName(int target)
    {
        return target == ChecksumQuery   ? QStringLiteral("checksum")
               : target == FirmwareQuery ? QStringLiteral("firmware")
                                         : QString::number(target);
    }
    static bool ParseFault(const QString &text, Fault *fault);
    static bool ParseTarget(const QString &text, int *target);

private:
    using Clock = std::chrono::steady_clock;
    struct Pending {
        Clock::time_point due;
        QByteArray bytes;
        bool endsRun;
    };

    void received(const char *data, int size, Clock::time_point at);
    void handleFrame(const QByteArray &frame);
    void answer(const QByteArray &text, int target, bool endsRun = false);
    void save() const;
    bool targeted(int target) const { return options_.fault != Fault::None && options_.faultAt == target; }

    Options options_;
    DeviceLine line_;
    QByteArray input_;
    std::deque<Pending> pending_;
    std::chrono::nanoseconds charTime_{0};
    Clock::time_point inputDone_{};
    Clock::time_point outputFree_{};
    bool finishing_ = false;

    mutable std::mutex mutex_;
    QByteArray memory_;
    std::atomic<int> blocks_{0};
    std::atomic<int> malformed_{0};
    std::atomic<int> checksumQueries_{0};
    std::atomic<int> firmwareQueries_{0};
    std::atomic<bool> dropped_{false};
    std::atomic<long long> lateness_{0};
};
