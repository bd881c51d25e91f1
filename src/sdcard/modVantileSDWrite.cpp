#include "sdcard/modVantileSDWrite.h"

#include "comm/DeviceData.h"
#include "model/modVantile.h"
#include "platform/Drives.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/RawDisk.h"
#include "render/Bmp24File.h"
#include "render/PanelColour.h"
#include "sdcard/CardStockPictures.h"

#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>

namespace
{

const QString CrLf = QStringLiteral("\r\n");

constexpr std::array<int, 4> WideButtonSectors{7, 13, 31, 57};
constexpr std::array<int, 4> NarrowButtonSectors{4, 7, 16, 29};
constexpr std::array<int, 4> LargePilotSectors{2, 5, 10, 17};
constexpr std::array<int, 4> SmallPilotSectors{1, 3, 5, 9};
constexpr std::array<int, 4> ValueBoxSectors{3, 5, 8, 13};
constexpr std::array<int, 4> ScreenSectors{511, 301, 601, 1501};

QString num(int n, int width)
{
    return QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0'));
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// An image file is a file to the user: no card reader, no write-protect switch.
QString fileFailureReason(int error, const QString &path, bool write)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return QStringLiteral("%1: permission denied; the file cannot be %2.")
            .arg(path, write ? QStringLiteral("written") : QStringLiteral("read"));
    case ENOENT:
        return QStringLiteral("%1 is not there: no such file or folder.").arg(path);
    case EROFS:
        return QStringLiteral("%1 is on a read-only file system.").arg(path);
    case EISDIR:
        return QStringLiteral("%1 is a folder.").arg(path);
    case EEXIST:
    case ELOOP:
        return QStringLiteral("%1 is already there as a link or another file.").arg(path);
    default:
        return path + QStringLiteral(": ") + systemReason(error);
    }
}

// Second line of a "Could not open" message: why, and what to do about it.
QString openFailureReason(int error, const QString &path, bool write)
{
    if (!RawDisk::IsDevicePath(path))
        return fileFailureReason(error, path, write);
    if (error == RawDisk::NoMedium)
        error = ENXIO;
    switch (error) {
    case EACCES:
    case EPERM:
        return QStringLiteral("%1: permission denied. %2 the card needs %3 rights on the device "
                              "(membership of the group \"disk\", or running as administrator).")
            .arg(path, write ? QStringLiteral("Writing") : QStringLiteral("Reading"),
                 write ? QStringLiteral("write") : QStringLiteral("read"));
    case EBUSY:
        return QStringLiteral("%1 is busy: a file system on it is mounted or another program is using it.").arg(path);
    case ENOENT:
    case ENXIO:
    case ENODEV:
        return QStringLiteral("%1 is not there (is the card in the reader?).").arg(path);
    case EROFS:
        return QStringLiteral("%1 is read-only (is the card's write-protect switch on?).").arg(path);
    default:
        return path + QStringLiteral(": ") + systemReason(error);
    }
}

constexpr quint64 DigestSeed = 0xCBF29CE484222325ULL;

bool failWith(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

const QString NoDriveOpen = QStringLiteral("no drive is open");

struct AlignedFree {
    void operator()(char *p) const { RawDisk::AlignedFree(p); }
};

} // namespace

quint64 SectorDigest(const char *data, qint64 bytes, quint64 seed)
{
    // Four independent lanes keep the multiplier busy; the read-back of a
    // whole card is digested at memory speed.
    constexpr quint64 Prime = 0x100000001B3ULL;
    quint64 lane[4] = {seed, seed ^ 0x9E3779B97F4A7C15ULL, seed + Prime, ~seed};
    qint64 i = 0;
    for (; i + 32 <= bytes; i += 32) {
        quint64 w[4];
        std::memcpy(w, data + i, 32);
        for (int k = 0; k < 4; ++k) {
            lane[k] = (lane[k] ^ w[k]) * Prime;
            lane[k] ^= lane[k] >> 29;
        }
    }
    quint64 h = lane[0] ^ (lane[1] * 3) ^ (lane[2] * 5) ^ (lane[3] * 7) ^ quint64(bytes);
    for (; i < bytes; ++i) {
        h = (h ^ uint8_t(data[i])) * Prime;
        h ^= h >> 29;
    }
    return h;
}

modVantileSDWrite::modVantileSDWrite() : PictureFolder(Paths::SdPictureFolder()) {}

modVantileSDWrite::~modVantileSDWrite()
{
    CloseDrive();
}

// --- catalogue -----------------------------------------------------------

void modVantileSDWrite::FillPicTable()
{
    int slot = 0;
    int64_t position = 0;
    auto add = [&](const QString &name, int sectors) {
        PicName[size_t(slot)] = name;
        PicOffset[size_t(slot)] = int32_t(position);
        position += int64_t(sectors) * SectorSize;
        ++slot;
    };

    for (int b = 0; b < 4; ++b)
        for (int s = 0; s < 4; ++s)
            for (int c = 0; c < 2; ++c)
                add(QStringLiteral("B%1_S%2_C%3.BMP").arg(b).arg(s).arg(c),
                    b < 2 ? WideButtonSectors[size_t(s)] : NarrowButtonSectors[size_t(s)]);
    for (int nn = 0; nn < 48; ++nn) {
        const int g = nn / 12;
        const bool large = nn % 6 == 1 || nn % 6 == 4 || nn % 6 == 5;
        for (int c = 0; c < 2; ++c)
            add(QStringLiteral("PTT%1S%2.BMP").arg(num(nn, 2)).arg(c),
                large ? LargePilotSectors[size_t(g)] : SmallPilotSectors[size_t(g)]);
    }
    for (int n = 0; n < 7; ++n)
        add(QStringLiteral("PW%1.BMP").arg(n), 29);
    for (int r = 0; r < 4; ++r) {
        for (int v = 0; v <= 100; ++v)
            add(QStringLiteral("QX%1_%2.BMP").arg(r).arg(num(v, 3)), ValueBoxSectors[size_t(r)]);
        add(QStringLiteral("QX%1_LBLK.BMP").arg(r), ValueBoxSectors[size_t(r)]);
    }
    for (const char *family : {"SLAB", "SLAG", "SLAW", "SPAB", "SPAG", "SPAW"})
        for (int v = 0; v <= 100; ++v)
            add(QStringLiteral("%1_%2.BMP").arg(QLatin1String(family), num(v, 3)), family[1] == 'L' ? 30 : 70);
    for (const char o : {'L', 'P'}) {
        for (int r = 0; r < 4; ++r) {
            const QString prefix = QStringLiteral("SR%1%2").arg(r).arg(QLatin1Char(o));
            for (int nn = 0; nn < 16; ++nn)
                add(prefix + num(nn, 2) + QStringLiteral(".BMP"), ScreenSectors[size_t(r)]);
            add(prefix + QStringLiteral("AD.BMP"), ScreenSectors[size_t(r)]);
            add(prefix + QStringLiteral("PW.BMP"), ScreenSectors[size_t(r)]);
        }
    }
    for (const char *family : {"BLAB", "BLAG", "BLAW", "BPAB", "BPAG", "BPAW"})
        for (int v = 0; v <= 100; ++v)
            add(QStringLiteral("%1_%2.BMP").arg(QLatin1String(family), num(v, 3)), family[1] == 'L' ? 14 : 33);
    for (int n = 0; n < 34; ++n)
        add(QStringLiteral("PB%1.BMP").arg(num(n, 2)), 6);
    add(QStringLiteral("ZAVS0_L.BMP"), 511);
    add(QStringLiteral("ZAVS0_P.BMP"), 511);
    for (int d = 0; d < 10; ++d)
        add(QStringLiteral("DIGIT%1.BMP").arg(d), 1);
    add(QStringLiteral("ZAVS3_L.BMP"), 1501);
    add(QStringLiteral("ZAVS3_P.BMP"), LastSlotSectors);

    for (; slot < TableSize; ++slot) {
        PicName[size_t(slot)].clear();
        PicOffset[size_t(slot)] = 0;
    }
}

int modVantileSDWrite::SlotSectors(int slot) const
{
    if (slot < 0 || slot >= SlotCount)
        return 0;
    if (slot == SlotCount - 1)
        return LastSlotSectors;
    return (PicOffset[size_t(slot) + 1] - PicOffset[size_t(slot)]) / SectorSize;
}

int modVantileSDWrite::ScreenGroup(int slot)
{
    if (slot < FirstScreenSlot || slot > LastScreenSlot)
        return 0;
    return 1 + (slot - FirstScreenSlot) / ScreenGroupSlots;
}

bool modVantileSDWrite::IsRenderedScreen(int slot)
{
    return ScreenGroup(slot) != 0 && (slot - FirstScreenSlot) % ScreenGroupSlots < 16;
}

bool modVantileSDWrite::Headerless(int commandSet, int slot)
{
    return ObjectTables::ConfigurationOnCard(commandSet) &&
           (ScreenGroup(slot) != 0 || slot == 1933 || slot == 1934 || slot == 1945 || slot == 1946);
}

int modVantileSDWrite::WriteTypeOf(const modVantile &m)
{
    return m.GetResolution() + 1 + (m.GetLayout() > 0 ? 4 : 0);
}

bool modVantileSDWrite::SlotChosen(int slot, bool writeAll, int writeType)
{
    return writeAll || ScreenGroup(slot) == writeType;
}

qint64 modVantileSDWrite::RequiredCapacity(bool writeAll, int writeType, int commandSet) const
{
    qint64 end = 0;
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (SlotChosen(slot, writeAll, writeType))
            end = std::max(end, qint64(PicOffset[size_t(slot)]) + qint64(SlotSectors(slot)) * SectorSize);
    }
    if (ObjectTables::ConfigurationOnCard(commandSet))
        end = std::max(end, DataAreaEnd);
    return end;
}

// --- raw drive access ------------------------------------------------------

int modVantileSDWrite::GetPhysicalDriveNumber(const QString &letter) const
{
    return Drives::LetterInfo(letter.toUpper()).physicalNumber;
}

bool modVantileSDWrite::openDevice(const QString &path, bool write, bool exclusive, QString *error)
{
    CloseDrive();
    QString otherRefusal;
    const int fd = RawDisk::Open(path, write, exclusive, &otherRefusal);
    if (fd < 0) {
        QString reason = openFailureReason(errno, path, write);
        if (!otherRefusal.isEmpty())
            reason += QStringLiteral(" udisks2 did not open it either: ") + otherRefusal + QLatin1Char('.');
        return failWith(error, reason);
    }
    DriveHandle = fd;
    openedPath_ = path;
    return true;
}

bool modVantileSDWrite::OpenPath(const QString &path, bool write, QString *error)
{
    return openDevice(path, write, write, error);
}

bool modVantileSDWrite::AdoptFile(qintptr handle, const QString &path, QString *error)
{
    CloseDrive();
    const int fd = RawDisk::Adopt(handle);
    if (fd < 0)
        return failWith(error, fileFailureReason(errno, path, true));
    DriveHandle = fd;
    openedPath_ = path;
    return true;
}

bool modVantileSDWrite::openChosen(const Drives::DiskIdentity &chosen, bool write, QString *error, bool *diskChanged)
{
    if (diskChanged)
        *diskChanged = false;
    QString change = Drives::DiskChange(chosen, Drives::IdentityOf(chosen.device));
    if (change.isEmpty()) {
        if (!openDevice(chosen.device, write, write, error))
            return false;
        // What was opened may differ from what the name showed a moment ago.
        change = Drives::DiskChange(chosen, Drives::IdentityOfOpen(DriveHandle, chosen.device));
        if (!change.isEmpty())
            CloseDrive();
    }
    if (change.isEmpty())
        return true;
    if (diskChanged)
        *diskChanged = true;
    return failWith(error, change);
}

bool modVantileSDWrite::OpenPhysicalRead(const Drives::DiskIdentity &chosen, QString *error, bool *diskChanged)
{
    return openChosen(chosen, false, error, diskChanged);
}

bool modVantileSDWrite::OpenPhysicalWrite(const Drives::DiskIdentity &chosen, QString *error, bool *diskChanged)
{
    return openChosen(chosen, true, error, diskChanged);
}

bool modVantileSDWrite::OpenVolumeWrite(const Drives::DiskIdentity &chosen, QString *error, bool *diskChanged)
{
    return openChosen(chosen, true, error, diskChanged);
}

QString modVantileSDWrite::medium() const
{
    return RawDisk::IsDevicePath(openedPath_) ? QStringLiteral("card") : QStringLiteral("image file");
}

bool modVantileSDWrite::ReadBytes(qint64 position, char *data, qint64 bytes, QString *error)
{
    if (DriveHandle < 0)
        return failWith(error, NoDriveOpen);
    qint64 done = 0;
    while (done < bytes) {
        const qint64 n = RawDisk::ReadAt(DriveHandle, data + done, bytes - done, position + done);
        if (n < 0)
            return failWith(error, systemReason(errno));
        if (n == 0)
            return failWith(error,
                            QStringLiteral("the %1 ends at byte %2").arg(medium(), PositionText(position + done)));
        done += n;
    }
    return true;
}

bool modVantileSDWrite::ReadSector(qint64 position, QString *error)
{
    return ReadBytes(position, reinterpret_cast<char *>(SectorBuf.data()), SectorSize, error);
}

bool modVantileSDWrite::WriteSector(qint64 position, QString *error)
{
    return WriteSectors(position, reinterpret_cast<const char *>(SectorBuf.data()), SectorSize, error);
}

bool modVantileSDWrite::WriteSectors(qint64 position, const char *data, qint64 bytes, QString *error)
{
    return writeSectors(position, data, bytes, recordWrites_ ? SectorDigest(data, bytes, DigestSeed) : 0, error);
}

bool modVantileSDWrite::writeSectors(qint64 position, const char *data, qint64 bytes, quint64 digest, QString *error)
{
    if (DriveHandle < 0)
        return failWith(error, NoDriveOpen);
    qint64 done = 0;
    while (done < bytes) {
        const qint64 n = RawDisk::WriteAt(DriveHandle, data + done, bytes - done, position + done);
        if (n <= 0) {
            const QString why = n < 0 ? systemReason(errno) : QStringLiteral("the %1 took no more data").arg(medium());
            return failWith(error, QStringLiteral("byte %1: %2").arg(PositionText(position + done), why));
        }
        done += n;
    }
    if (recordWrites_) {
        written_.push_back({position, bytes, digest, currentSlot_});
        // Start the card's writeback while the next pictures are converted,
        // so that the flush at the end has little left to wait for.
        pendingWriteback_ += bytes;
        if (pendingWriteback_ >= WritebackStep) {
            RawDisk::StartWriteback(DriveHandle);
            pendingWriteback_ = 0;
        }
    }
    return true;
}

qint64 modVantileSDWrite::VolumeSize() const
{
    return DriveHandle < 0 ? 0 : RawDisk::Size(DriveHandle);
}

bool modVantileSDWrite::SetImageSize(qint64 bytes, QString *error)
{
    if (DriveHandle < 0)
        return failWith(error, NoDriveOpen);
    if (RawDisk::IsDevice(DriveHandle))
        return failWith(error, QStringLiteral("a card keeps its size; only an image file can be made larger"));
    if (!RawDisk::Resize(DriveHandle, bytes))
        return failWith(error, systemReason(errno));
    return true;
}

bool modVantileSDWrite::Flush(QString *error)
{
    if (DriveHandle < 0)
        return failWith(error, NoDriveOpen);
    if (!RawDisk::Flush(DriveHandle))
        return failWith(error, systemReason(errno));
    return true;
}

void modVantileSDWrite::CloseDrive()
{
    if (DriveHandle >= 0)
        RawDisk::Close(DriveHandle);
    DriveHandle = -1;
    openedPath_.clear();
}

// --- compilation -------------------------------------------------------------

namespace
{

struct PreparedSlot {
    bool ok = false;
    QString why;
    QByteArray sectors; // what the slot receives, whole sectors
    quint64 digest = 0;
};

// Converts the chosen slots, in their order, on a worker thread while the
// writer puts the earlier ones onto the card. The worker stays at most
// AheadBytes (plus the slot in hand) ahead of the writer. Either side that
// has to wait waits for a batch, not for one slot: on a busy machine every
// wake-up costs a turn of the scheduler.
class SlotPipeline
{
public:
    static constexpr qsizetype AheadBytes = 8 << 20;
    static constexpr qsizetype BatchBytes = 2 << 20;
    static constexpr size_t BatchSlots = 16;
    static constexpr size_t SpareBuffers = 8;

    SlotPipeline(const modVantileSDWrite &sd, std::vector<int> chosenSlots, int commandSet)
        : sd_(sd), slots_(std::move(chosenSlots)), folder_(sd.PictureFolder), commandSet_(commandSet),
          generateStock_(sd.GenerateMissingStock)
    {
        // A thread of Qt's own, not a bare one: the font caches a worker fills
        // while drawing stock pictures are then dropped by the worker itself
        // when it ends. Windows would drop an adopted thread's from another
        // thread, which corrupts the heap.
        worker_.reset(QThread::create([this] { run(); }));
        worker_->start();
    }
    ~SlotPipeline()
    {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        workerWake_.notify_one();
        worker_->wait();
    }
    SlotPipeline(const SlotPipeline &) = delete;
    SlotPipeline &operator=(const SlotPipeline &) = delete;

    // Gives a written slot's buffer back, so that the worker fills it again
    // instead of faulting in fresh memory for every slot.
    void Recycle(QByteArray &&buffer)
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (spare_.size() < SpareBuffers)
            spare_.push_back(std::move(buffer));
    }

    // The next chosen slot, in order; waits for the worker when needed.
    PreparedSlot Take()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        if (ready_.empty()) {
            writerWaiting_ = true;
            writerWake_.wait(lock, [this] { return batchReady(); });
            writerWaiting_ = false;
        }
        PreparedSlot next = std::move(ready_.front());
        ready_.pop_front();
        queued_ -= next.sectors.size();
        const bool wake = workerWaiting_ && queued_ <= AheadBytes / 2;
        lock.unlock();
        if (wake)
            workerWake_.notify_one();
        return next;
    }

private:
    bool batchReady() const { return done_ || ready_.size() >= BatchSlots || queued_ >= BatchBytes; }

    void run()
    {
        for (const int slot : slots_) {
            {
                std::unique_lock<std::mutex> lock(mutex_);
                if (queued_ >= AheadBytes) {
                    workerWaiting_ = true;
                    workerWake_.wait(lock, [this] { return stop_ || queued_ <= AheadBytes / 2; });
                    workerWaiting_ = false;
                }
                if (stop_)
                    return;
                if (!spare_.empty()) {
                    buffer_ = std::move(spare_.back());
                    spare_.pop_back();
                }
            }
            PreparedSlot prepared = prepare(slot);
            bool wake;
            {
                const std::lock_guard<std::mutex> lock(mutex_);
                queued_ += prepared.sectors.size();
                ready_.push_back(std::move(prepared));
                wake = writerWaiting_ && batchReady();
            }
            if (wake)
                writerWake_.notify_one();
        }
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            done_ = true;
        }
        writerWake_.notify_one();
    }

    PreparedSlot prepare(int slot)
    {
        PreparedSlot p;
        const QString &name = sd_.PicName[size_t(slot)];
        const QString path = folder_ + QLatin1Char('/') + name;
        if (generateStock_ && !CardStockPictures::EnsurePicture(slot, name, folder_, &p.why))
            return p;
        if (modVantileSDWrite::ReadPictureFile(path, bytes_, &p.why) &&
            modVantileSDWrite::ConvertBmp(reinterpret_cast<const uint8_t *>(bytes_.constData()), size_t(bytes_.size()),
                                          !modVantileSDWrite::Headerless(commandSet_, slot), sd_.SlotSectors(slot),
                                          words_, &p.why)) {
            p.ok = true;
            modVantileSDWrite::SectorsInto(words_.data(), int(words_.size()), buffer_);
            p.sectors = std::move(buffer_);
            buffer_ = QByteArray();
            p.digest = SectorDigest(p.sectors.constData(), p.sectors.size(), DigestSeed);
        }
        return p;
    }

    const modVantileSDWrite &sd_;
    const std::vector<int> slots_;
    const QString folder_;
    const int commandSet_;
    const bool generateStock_;
    QByteArray bytes_;
    std::vector<uint16_t> words_;
    QByteArray buffer_;

    std::mutex mutex_;
    std::condition_variable writerWake_, workerWake_;
    std::deque<PreparedSlot> ready_;
    qsizetype queued_ = 0;
    std::vector<QByteArray> spare_;
    bool writerWaiting_ = false, workerWaiting_ = false;
    bool stop_ = false, done_ = false;
    std::unique_ptr<QThread> worker_;
};

} // namespace

bool modVantileSDWrite::ConvertBmp(const uint8_t *bytes, size_t size, bool header, int slotSectors,
                                   std::vector<uint16_t> &words, QString *why)
{
    auto fail = [&](const QString &reason) {
        words.clear();
        if (why)
            *why = reason;
        return false;
    };
    const auto bmp = Bmp24File::ReadHeader(bytes, size);
    if (size < Bmp24File::HeaderBytes || !bmp)
        return fail(QStringLiteral("not a BMP file"));
    const uint32_t dataOffset = bmp->dataOffset;
    const int32_t width = bmp->width;
    const int32_t rawHeight = bmp->height;
    if (bmp->infoSize < 40 || bmp->bits != 24 || bmp->compression != 0)
        return fail(QStringLiteral("not an uncompressed 24-bit BMP"));
    if (width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN)
        return fail(QStringLiteral("the picture has no pixels"));
    const bool topDown = rawHeight < 0;
    const int64_t height = topDown ? -int64_t(rawHeight) : rawHeight;
    const int64_t rowBytes = (int64_t(width) * 3 + 3) / 4 * 4;
    // Width and height come from the file: every product is checked.
    int64_t lastRow = 0, end = 0;
    if (__builtin_mul_overflow(rowBytes, height - 1, &lastRow) ||
        __builtin_add_overflow(lastRow, int64_t(dataOffset) + int64_t(width) * 3, &end) || end > int64_t(size))
        return fail(QStringLiteral("the file is too short for %1 x %2 pixels").arg(width).arg(height));

    int64_t pixels = 0;
    if (__builtin_mul_overflow(int64_t(width), height, &pixels) || pixels > int64_t(slotSectors) * SectorSize)
        pixels = int64_t(slotSectors) * SectorSize; // far too large either way
    const int64_t count = pixels + (header ? 3 : 0);
    const int64_t sectors = count * 2 / SectorSize + 1;
    if (sectors > slotSectors)
        return fail(QStringLiteral("%1 x %2 pixels need %3 sectors, the slot has %4")
                        .arg(width)
                        .arg(height)
                        .arg(qint64(int64_t(width) * height + (header ? 3 : 0)) * 2 / SectorSize + 1)
                        .arg(slotSectors));

    words.resize(size_t(count));
    if (header) {
        words[0] = uint16_t(width);
        words[1] = uint16_t(height);
        words[2] = 0;
    }
    const size_t base = header ? 3 : 0;
    for (int64_t i = 0; i < height; ++i) {
        // File row i is picture row height - 1 - i in a bottom-up file.
        const int64_t row = topDown ? i : height - 1 - i;
        const uint8_t *p = bytes + dataOffset + i * rowBytes;
        uint16_t *out = words.data() + base + size_t(row * width);
        for (int32_t j = 0; j < width; ++j, p += 3)
            out[j] = PanelColour::FromRgb(p[2], p[1], p[0]);
    }
    return true;
}

bool modVantileSDWrite::ReadPictureFile(const QString &path, QByteArray &bytes, QString *why)
{
    auto fail = [&](const QString &reason) {
        bytes.clear();
        if (why)
            *why = reason;
        return false;
    };
    if (!QFileInfo::exists(path))
        return fail(QStringLiteral("the file is missing"));
    QString reason;
    if (!Files::ReadRegular(path, BmpBufferSize + 1, &bytes, &reason))
        return fail(QStringLiteral("the file cannot be read (%1)").arg(reason));
    if (bytes.size() > BmpBufferSize)
        return fail(QStringLiteral("the file is larger than 4 000 001 bytes"));
    return true;
}

bool modVantileSDWrite::CompilePic(int iPicNum, int commandSet, QString *why)
{
    PicWords = 0;
    if (iPicNum < 0 || iPicNum >= SlotCount) {
        PicData.clear();
        if (why)
            *why = QStringLiteral("no such slot");
        return false;
    }
    if (!ReadPictureFile(PictureFolder + QLatin1Char('/') + PicName[size_t(iPicNum)], BmpBytes, why)) {
        PicData.clear();
        return false;
    }
    if (!ConvertBmp(reinterpret_cast<const uint8_t *>(BmpBytes.constData()), size_t(BmpBytes.size()),
                    !Headerless(commandSet, iPicNum), SlotSectors(iPicNum), PicData, why))
        return false;
    PicWords = int(PicData.size());
    return true;
}

void modVantileSDWrite::SectorsInto(const uint16_t *words, int count, QByteArray &bytes)
{
    const qint64 n = qint64(count) * 2;
    bytes.resize((n / SectorSize + 1) * SectorSize);
    auto *out = reinterpret_cast<uint8_t *>(bytes.data());
    for (int i = 0; i < count; ++i) {
        out[2 * i] = uint8_t(words[i] >> 8);
        out[2 * i + 1] = uint8_t(words[i]);
    }
    std::memset(out + n, 0, size_t(bytes.size() - n));
}

QByteArray modVantileSDWrite::SectorsOf(const uint16_t *words, int count)
{
    QByteArray bytes;
    SectorsInto(words, count, bytes);
    return bytes;
}

QByteArray modVantileSDWrite::PictureSectors() const
{
    return SectorsOf(PicData.data(), PicWords);
}

bool modVantileSDWrite::WritePic(int iPicNum, QString *error)
{
    if (iPicNum < 0 || iPicNum >= SlotCount)
        return failWith(error, QStringLiteral("no such slot"));
    const QByteArray bytes = PictureSectors();
    return WriteSectors(PicOffset[size_t(iPicNum)], bytes.constData(), bytes.size(), error);
}

bool modVantileSDWrite::WriteDat(const modVantile &m, QString *error)
{
    const QByteArray stream = DeviceDataStream(m);
    const int imageBytes = modVantile::PanelWords;
    QByteArray map = stream.mid(imageBytes, 128);
    map.append(QByteArray(SectorSize - map.size(), '\0'));
    return WriteSectors(DataAreaPosition, stream.constData(), imageBytes, error) &&
           WriteSectors(DeviceMapPosition, map.constData(), map.size(), error);
}

QString modVantileSDWrite::slotLabel(int slot) const
{
    if (slot < 0)
        return QStringLiteral("the configuration data area");
    return QStringLiteral("slot %1 (%2)").arg(slot).arg(PicName[size_t(slot)]);
}

QString modVantileSDWrite::PositionText(qint64 position)
{
    return QStringLiteral("%1 (sector %2)").arg(position).arg(position / SectorSize);
}

QString modVantileSDWrite::SkippedList(const QStringList &skipped)
{
    constexpr int Shown = 15;
    QString text = QStringLiteral("Pictures not written (their slots were left as they were):");
    for (int i = 0; i < skipped.size() && i < Shown; ++i)
        text += CrLf + QStringLiteral("  ") + skipped[i];
    if (skipped.size() > Shown)
        text += CrLf + QStringLiteral("  ... and %1 more").arg(skipped.size() - Shown);
    return text;
}

modVantileSDWrite::RunResult modVantileSDWrite::CompileAll(modVantile &m, bool writeAll, int writeType,
                                                           const RunHooks &hooks)
{
    RunResult result;
    written_.clear();
    if (DriveHandle < 0) {
        result.failed = true;
        result.failure = QStringLiteral("No drive is open.");
        return result;
    }
    const int commandSet = m.GetCommandSet();
    const qint64 needed = RequiredCapacity(writeAll, writeType, commandSet);
    const qint64 capacity = VolumeSize();
    if (capacity < needed) {
        result.failed = true;
        result.failure = QStringLiteral("The card is too small: it holds %1 bytes, this write needs %2 bytes.")
                             .arg(capacity)
                             .arg(needed) +
                         CrLf + QStringLiteral("Nothing was written.");
        return result;
    }

    recordWrites_ = true;
    QString error;
    auto writeFailed = [&](const QString &where) {
        result.failed = true;
        result.failure = QStringLiteral("Writing %1 failed at %2.").arg(where, error);
    };
    {
        std::vector<int> chosen;
        for (int slot = 0; slot < SlotCount; ++slot) {
            if (SlotChosen(slot, writeAll, writeType))
                chosen.push_back(slot);
        }
        SlotPipeline pipeline(*this, std::move(chosen), commandSet);
        for (int slot = 0; slot < SlotCount; ++slot) {
            if (SlotChosen(slot, writeAll, writeType)) {
                if (hooks.picture)
                    hooks.picture(PictureFolder + QLatin1Char('/') + PicName[size_t(slot)]);
                PreparedSlot prepared = pipeline.Take();
                if (!prepared.ok) {
                    result.skipped.append(PicName[size_t(slot)] + QStringLiteral(": ") + prepared.why);
                } else {
                    currentSlot_ = slot;
                    if (!writeSectors(PicOffset[size_t(slot)], prepared.sectors.constData(), prepared.sectors.size(),
                                      prepared.digest, &error)) {
                        writeFailed(slotLabel(slot));
                        break;
                    }
                    ++result.picturesWritten;
                    result.bytesWritten += prepared.sectors.size();
                    pipeline.Recycle(std::move(prepared.sectors));
                }
            }
            if (hooks.progress)
                hooks.progress(slot);
            if (hooks.yield && hooks.yield()) {
                result.cancelled = true;
                break;
            }
        }
    }
    if (!result.failed && ObjectTables::ConfigurationOnCard(commandSet)) {
        ZAVBuild(m);
        currentSlot_ = -1;
        if (WriteDat(m, &error))
            result.bytesWritten += 33 * SectorSize;
        else
            writeFailed(slotLabel(-1));
    }
    recordWrites_ = false;
    currentSlot_ = -1;
    if (!result.failed && !Flush(&error)) {
        result.failed = true;
        result.failure = QStringLiteral("Writing the card failed when its data was flushed: %1.").arg(error);
    }
    QString verifyFailure;
    if (!result.failed && !VerifyWritten(&verifyFailure)) {
        result.failed = true;
        result.failure = verifyFailure;
    }
    PicData.clear();
    BmpBytes.clear();
    PicWords = 0;
    return result;
}

bool modVantileSDWrite::VerifyWritten(QString *failure)
{
    if (DriveHandle < 0)
        return failWith(failure, QStringLiteral("No drive is open."));
    constexpr qint64 Chunk = 4 << 20;
    std::unique_ptr<char, AlignedFree> buffer(RawDisk::AlignedAlloc(4096, Chunk));
    if (!buffer) {
        if (failure)
            *failure = QStringLiteral("Not enough memory to read the card back.");
        return false;
    }
    // A card must be read from the card, not from the system's cache.
    RawDisk::UncachedReads uncached(DriveHandle);
    bool ok = true;
    for (const WrittenRun &run : written_) {
        if (run.bytes > Chunk) {
            ok = false;
            if (failure)
                *failure = QStringLiteral("Reading back %1 failed: the run is too long.").arg(slotLabel(run.slot));
            break;
        }
        QString why;
        bool read = ReadBytes(run.position, buffer.get(), run.bytes, &why);
        if (!read && uncached.FallBack())
            read = ReadBytes(run.position, buffer.get(), run.bytes, &why);
        if (!read) {
            ok = false;
            if (failure)
                *failure = QStringLiteral("Reading back %1 failed: %2.").arg(slotLabel(run.slot), why);
            break;
        }
        if (SectorDigest(buffer.get(), run.bytes, DigestSeed) != run.hash) {
            ok = false;
            if (failure)
                *failure = QStringLiteral("The card does not hold what was written to %1 at byte %2.")
                               .arg(slotLabel(run.slot), PositionText(run.position));
            break;
        }
    }
    return ok;
}
