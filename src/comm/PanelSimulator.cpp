#include "comm/PanelSimulator.h"

#include "comm/DeviceData.h"
#include "comm/PanelProtocol.h"

#include "platform/Files.h"

#include <iterator>

const QByteArray PanelSimulator::BlockAck = QByteArrayLiteral("[01]");

namespace
{

bool isUpperHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

int hexValue(char c)
{
    return c <= '9' ? c - '0' : c - 'A' + 10;
}

} // namespace

PanelSimulator::PanelSimulator() : PanelSimulator(Options{}) {}

PanelSimulator::PanelSimulator(const Options &options) : options_(options), memory_(StreamBytes, '\0')
{
    options_.firmware = options_.firmware.leftJustified(18, ' ', true);
    if (options_.baud > 0)
        charTime_ = std::chrono::nanoseconds(10'000'000'000LL / options_.baud); // 8N1: ten bits a character
}

PanelSimulator::~PanelSimulator() = default;

bool PanelSimulator::CreatePseudoTerminal(QString *error)
{
    QString why;
    const bool made = line_.CreatePseudoTerminal(&why);
    if (error)
        *error = why;
    return made;
}

bool PanelSimulator::OpenDevice(const QString &device, QString *error)
{
    QString why;
    const bool opened = line_.OpenDevice(device, &why);
    if (error)
        *error = why;
    return opened;
}

void PanelSimulator::Stop()
{
    line_.Stop();
}

bool PanelSimulator::Inject(const QByteArray &data)
{
    return line_.IsOpen() && line_.Write(data);
}

QByteArray PanelSimulator::Received() const
{
    std::lock_guard lock(mutex_);
    return memory_;
}

void PanelSimulator::Run()
{
    finishing_ = false;
    if (charTime_.count() > 0)
        DeviceLine::PreciseTimers();
    QByteArray input;
    while (line_.IsOpen()) {
        int timeoutMs = -1;
        if (!pending_.empty()) {
            const auto wait = pending_.front().due - Clock::now();
            timeoutMs =
                int(std::max<long long>(0, std::chrono::duration_cast<std::chrono::milliseconds>(wait).count()));
        } else if (finishing_) {
            // Ending closes the line: the last answer must have been taken
            // by then, within the time the program waits for it.
            line_.Drain(PanelExchange::AnswerLimitMs);
            break;
        }
        const DeviceLine::Event event = line_.Wait(timeoutMs, &input);
        if (event == DeviceLine::Event::Stopped || event == DeviceLine::Event::Gone)
            break;
        if (event == DeviceLine::Event::Input)
            received(input.constData(), int(input.size()), Clock::now());
        // Answers fall due in order; the last stretch is slept precisely so
        // that a paced line keeps its rate.
        while (line_.IsOpen() && !pending_.empty() &&
               pending_.front().due - Clock::now() < std::chrono::milliseconds(1)) {
            Pending next = std::move(pending_.front());
            pending_.pop_front();
            DeviceLine::SleepUntil(next.due);
            lateness_ += std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - next.due).count();
            line_.Write(next.bytes);
            if (next.endsRun)
                finishing_ = true;
        }
    }
    save();
}

void PanelSimulator::received(const char *data, int size, Clock::time_point at)
{
    if (charTime_.count() > 0)
        inputDone_ = std::max(inputDone_, at) + charTime_ * size;
    else
        inputDone_ = at;
    input_.append(data, size);

    while (line_.IsOpen()) {
        const qsizetype start = input_.indexOf('[');
        if (start < 0) {
            input_.clear();
            return;
        }
        input_.remove(0, start);
        // The drop happens while the target frame is still arriving.
        if (options_.fault == Fault::DropLine && options_.faultAt >= 0 && input_.size() >= 7 &&
            input_.startsWith("[01")) {
            bool ok = false;
            const int address = input_.mid(3, 4).toInt(&ok, 16);
            if (ok && address == options_.faultAt * DeviceData::BlockBytes) {
                dropped_ = true;
                line_.Close();
                return;
            }
        }
        const qsizetype end = input_.indexOf(']', 1);
        const qsizetype nextStart = input_.indexOf('[', 1);
        if (nextStart >= 0 && (end < 0 || nextStart < end)) {
            ++malformed_; // a frame cut short by the next one
            input_.remove(0, nextStart);
            continue;
        }
        if (end < 0) {
            if (input_.size() > DeviceData::FrameLength) {
                ++malformed_;
                input_.clear();
            }
            return;
        }
        const QByteArray frame = input_.left(end + 1);
        input_.remove(0, end + 1);
        handleFrame(frame);
    }
}

void PanelSimulator::handleFrame(const QByteArray &frame)
{
    if (frame == "[03]") {
        ++checksumQueries_;
        if (options_.fault == Fault::DropLine && options_.faultAt == ChecksumQuery) {
            dropped_ = true;
            line_.Close();
            return;
        }
        QString checksum = DeviceData::ChecksumText(Received());
        if (options_.fault == Fault::WrongChecksum) {
            const int last = checksum.size() - 1;
            checksum[last] = QLatin1Char(checksum[last] == QLatin1Char('0') ? '1' : '0');
        } else if (options_.fault == Fault::LowerCase) {
            checksum = checksum.toLower();
        }
        answer("[" + checksum.toLatin1() + "]", ChecksumQuery, options_.once);
        save();
        return;
    }
    if (frame == "[04]") {
        ++firmwareQueries_;
        if (options_.fault == Fault::DropLine && options_.faultAt == FirmwareQuery) {
            dropped_ = true;
            line_.Close();
            return;
        }
        answer("[" + options_.firmware + "]", FirmwareQuery, options_.once);
        return;
    }
    if (frame.size() != DeviceData::FrameLength || !frame.startsWith("[01")) {
        ++malformed_;
        return;
    }
    for (int i = 3; i < DeviceData::FrameLength - 1; ++i) {
        if (!isUpperHex(frame[i])) {
            ++malformed_;
            return;
        }
    }
    const int address = frame.mid(3, 4).toInt(nullptr, 16);
    if (address % DeviceData::BlockBytes != 0 || address + DeviceData::BlockBytes > StreamBytes) {
        ++malformed_;
        return;
    }
    {
        std::lock_guard lock(mutex_);
        for (int i = 0; i < DeviceData::BlockBytes; ++i)
            memory_[address + i] = char(hexValue(frame[7 + 2 * i]) * 16 + hexValue(frame[8 + 2 * i]));
    }
    ++blocks_;
    answer(BlockAck, address / DeviceData::BlockBytes);
}

void PanelSimulator::answer(const QByteArray &text, int target, bool endsRun)
{
    QByteArray bytes = text;
    auto extra = std::chrono::milliseconds(0);
    if (targeted(target)) {
        switch (options_.fault) {
        case Fault::Silent:
            if (endsRun)
                finishing_ = true;
            return;
        case Fault::Short:
            bytes.chop(1);
            break;
        case Fault::Late:
            extra = std::chrono::milliseconds(options_.lateMs);
            break;
        default:
            break;
        }
    }
    Clock::time_point due = std::max(inputDone_, Clock::now());
    if (charTime_.count() > 0) {
        due = std::max(outputFree_, inputDone_) + charTime_ * bytes.size();
        outputFree_ = due;
    }
    pending_.push_back({due + extra, bytes, endsRun});
}

void PanelSimulator::save() const
{
    if (options_.saveFile.isEmpty())
        return;
    Files::Write(options_.saveFile, Received(), nullptr);
}

bool PanelSimulator::ParseFault(const QString &text, Fault *fault)
{
    for (int i = 0; i < int(std::size(FaultNames)); ++i) {
        if (text == QLatin1String(FaultNames[i])) {
            *fault = Fault(i);
            return true;
        }
    }
    return false;
}

bool PanelSimulator::ParseTarget(const QString &text, int *target)
{
    for (const int query : {ChecksumQuery, FirmwareQuery}) {
        if (text == TargetName(query)) {
            *target = query;
            return true;
        }
    }
    bool ok = false;
    const int block = text.toInt(&ok);
    if (!ok || block < 0 || block >= DeviceData::BlockCount)
        return false;
    *target = block;
    return true;
}
