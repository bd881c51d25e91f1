#pragma once

#include "platform/Drives.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class modVantile;

// The SD card module: the picture catalogue, raw access to a drive or an
// image file, and the conversion and writing of pictures and configuration
// data. One object holds the module state; the writer dialog and the
// command-line tool each make their own.
class modVantileSDWrite
{
public:
    static constexpr int SlotCount = 1947;
    static constexpr int TableSize = 1951;
    static constexpr int SectorSize = 512;
    static constexpr int FirstScreenSlot = 1149;
    static constexpr int LastScreenSlot = 1292;
    static constexpr int ScreenGroupSlots = 18;
    // Nothing follows the last slot; it is sized for an 800 x 480 picture.
    static constexpr int LastSlotSectors = 1501;
    static constexpr qint64 DataAreaPosition = 1073741824;
    static constexpr qint64 DeviceMapPosition = 1073758208;
    static constexpr qint64 DataAreaEnd = 1073758720;
    static constexpr qint64 BmpBufferSize = 4000001;
    static inline const QString DefaultTitle = QStringLiteral("ZAV Quellix Touch");

    // It shows nothing: a failed operation returns false with a readable
    // reason in *error.
    modVantileSDWrite();
    ~modVantileSDWrite();
    modVantileSDWrite(const modVantileSDWrite &) = delete;
    modVantileSDWrite &operator=(const modVantileSDWrite &) = delete;

    // --- catalogue ---------------------------------------------------------
    std::array<QString, TableSize> PicName;
    std::array<int32_t, TableSize> PicOffset{};
    void FillPicTable();
    // Sectors from the slot's position to the next slot's (the last slot: 1501).
    int SlotSectors(int slot) const;
    // 1 - 8 for the SR slots (one group per resolution and orientation), else 0.
    static int ScreenGroup(int slot);
    // The sixteen rendered screen pictures of each group; every other slot is a stock picture.
    static bool IsRenderedScreen(int slot);
    static bool Headerless(int commandSet, int slot);
    // GetResolution + 1, plus 4 for portrait.
    static int WriteTypeOf(const modVantile &m);
    static bool SlotChosen(int slot, bool writeAll, int writeType);
    // Bytes a card must hold for a run: the chosen slots, and the data area for "ZAV Cmd".
    qint64 RequiredCapacity(bool writeAll, int writeType, int commandSet) const;

    // --- raw drive access --------------------------------------------------
    int DriveHandle = -1;
    std::array<uint8_t, 513> SectorBuf{};
    QString DriveLetter;

    // 0 when the letter stands for no drive that can be identified.
    int GetPhysicalDriveNumber(const QString &letter) const;
    // The disk the user chose from the drive list: it must still
    // be that disk (Drives::DiskChange) just before and just after it is
    // opened. When it is not, nothing is opened, *diskChanged is set and
    // *error says what changed.
    bool OpenPhysicalRead(const Drives::DiskIdentity &chosen, QString *error = nullptr, bool *diskChanged = nullptr);
    bool OpenPhysicalWrite(const Drives::DiskIdentity &chosen, QString *error = nullptr, bool *diskChanged = nullptr);
    bool OpenVolumeWrite(const Drives::DiskIdentity &chosen, QString *error = nullptr, bool *diskChanged = nullptr);
    // An image file or a device given by path.
    bool OpenPath(const QString &path, bool write, QString *error = nullptr);
    // Works on a file already open for writing (a new card image from the
    // file door); the handle stays the caller's.
    bool AdoptFile(qintptr handle, const QString &path, QString *error = nullptr);
    bool ReadSector(qint64 position, QString *error = nullptr);
    // A write's *error begins with where it failed: "byte 512 (sector 1): ...".
    bool WriteSector(qint64 position, QString *error = nullptr);
    // One call for a run of whole sectors.
    bool WriteSectors(qint64 position, const char *data, qint64 bytes, QString *error = nullptr);
    bool ReadBytes(qint64 position, char *data, qint64 bytes, QString *error = nullptr);
    qint64 VolumeSize() const;
    // Image files only: a card keeps its size.
    bool SetImageSize(qint64 bytes, QString *error = nullptr);
    bool Flush(QString *error = nullptr);
    void CloseDrive();
    const QString &OpenedPath() const { return openedPath_; }

    // --- compilation ---------------------------------------------------------
    QString PictureFolder; // the SD picture folder unless a caller sets another
    bool GenerateMissingStock = true;
    QByteArray BmpBytes;
    std::vector<uint16_t> PicData;
    int PicWords = 0;

    // Converts the slot's picture file. False, with the reason, for a file
    // that is missing, unreadable, not an uncompressed 24-bit BMP, shorter than
    // its dimensions need, larger than the BMP buffer, or too large for its slot.
    bool CompilePic(int iPicNum, int commandSet, QString *why = nullptr);
    // PicData as the slot receives it: whole sectors, high byte first, zero padding.
    QByteArray PictureSectors() const;
    static QByteArray SectorsOf(const uint16_t *words, int count);
    static void SectorsInto(const uint16_t *words, int count, QByteArray &bytes);
    // The two steps of CompilePic, for any caller and any thread. Every size
    // the BMP header gives is checked before it is used.
    static bool ReadPictureFile(const QString &path, QByteArray &bytes, QString *why = nullptr);
    static bool ConvertBmp(const uint8_t *bytes, size_t size, bool header, int slotSectors,
                           std::vector<uint16_t> &words, QString *why = nullptr);
    bool WritePic(int iPicNum, QString *error = nullptr);
    bool WriteDat(const modVantile &m, QString *error = nullptr);

    struct RunHooks {
        std::function<void(int)> progress;            // slot number, once per slot
        std::function<void(const QString &)> picture; // path of the picture being converted
        std::function<bool()> yield;                  // lets the user interface run; true = cancel
    };
    struct RunResult {
        bool cancelled = false;
        bool failed = false;
        QString failure;     // what went wrong, with the position
        QStringList skipped; // "NAME: reason"
        int picturesWritten = 0;
        qint64 bytesWritten = 0;
    };
    // Writes the chosen slots, then (for "ZAV Cmd", also after a cancel) the
    // configuration data area; flushes and reads everything back to compare.
    // The pictures are converted a few slots ahead on a worker thread; the
    // hooks run on the calling thread, between the writes, as before.
    RunResult CompileAll(modVantile &m, bool writeAll, int writeType, const RunHooks &hooks);
    // Reads back every run written since the last CompileAll began.
    bool VerifyWritten(QString *failure = nullptr);

    // Texts for the user.
    static QString PositionText(qint64 position);
    static QString SkippedList(const QStringList &skipped);

private:
    // What is open, for messages: "card" or "image file".
    QString medium() const;
    struct WrittenRun {
        qint64 position;
        qint64 bytes;
        quint64 hash;
        int slot; // -1 for the data area
    };
    bool openDevice(const QString &path, bool write, bool exclusive, QString *error);
    bool openChosen(const Drives::DiskIdentity &chosen, bool write, QString *error, bool *diskChanged);
    bool writeSectors(qint64 position, const char *data, qint64 bytes, quint64 digest, QString *error);
    QString slotLabel(int slot) const;

    QString openedPath_;
    static constexpr qint64 WritebackStep = 8 << 20;
    bool recordWrites_ = false;
    qint64 pendingWriteback_ = 0;
    int currentSlot_ = -1;
    std::vector<WrittenRun> written_;
};

// A fast 64-bit digest of written data, to compare the read-back with.
quint64 SectorDigest(const char *data, qint64 bytes, quint64 seed = 0);
