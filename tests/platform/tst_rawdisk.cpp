#include "platform/Drives.h"
#include "platform/Files.h"
#include "platform/RawDisk.h"
#include "testsupport.h"

#include <QtTest>

#include <cstring>

// Sector access and disk identity on image files standing in for cards: the
// same checks on every system, each through its own platform half.
class tst_RawDisk : public QObject
{
    Q_OBJECT
private slots:
    void transfers_data();
    void transfers();
    void resizeAndFlush();
    void missingFileRefused();
    void identityFollowsTheFile();

private:
    static QByteArray pattern(qint64 bytes, char seed)
    {
        QByteArray data(bytes, Qt::Uninitialized);
        for (qint64 i = 0; i < bytes; ++i)
            data[i] = char(seed + i * 7);
        return data;
    }
};

void tst_RawDisk::transfers_data()
{
    QTest::addColumn<qint64>("position");
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<qint64>("sizeAfter"); // the file was 4096 bytes
    QTest::newRow("first sector") << qint64(0) << qint64(512) << qint64(4096);
    QTest::newRow("inside, off the sector grid") << qint64(1000) << qint64(77) << qint64(4096);
    QTest::newRow("across the end") << qint64(4000) << qint64(512) << qint64(4512);
    QTest::newRow("past the end: a gap of zeros") << qint64(1 << 20) << qint64(1024) << qint64((1 << 20) + 1024);
    QTest::newRow("beyond 4 GiB") << (qint64(1) << 32) + 512 << qint64(512) << (qint64(1) << 32) + 1024;
}

void tst_RawDisk::transfers()
{
    QFETCH(qint64, position);
    QFETCH(qint64, bytes);
    QFETCH(qint64, sizeAfter);
    TempHome home;
    const QString path = home.file("card.img");
    QVERIFY(writeFile(path, QByteArray(4096, '\xEE')));
    QString other;
    const int handle = RawDisk::Open(path, true, true, &other);
    QVERIFY2(handle >= 0, strerror(errno));
    QVERIFY(other.isEmpty());
    QVERIFY(!RawDisk::IsDevice(handle));
    const QByteArray data = pattern(bytes, char(position));
    QCOMPARE(RawDisk::WriteAt(handle, data.constData(), bytes, position), bytes);
    QCOMPARE(RawDisk::Size(handle), sizeAfter);
    QByteArray back(bytes, '\0');
    QCOMPARE(RawDisk::ReadAt(handle, back.data(), bytes, position), bytes);
    QCOMPARE(back, data);
    // What lies before is untouched, and nothing is read past the end.
    if (position >= 1) {
        char before = 0;
        QCOMPARE(RawDisk::ReadAt(handle, &before, 1, position - 1), qint64(1));
        QCOMPARE(before, position - 1 < 4096 ? '\xEE' : '\0');
    }
    char after = 0;
    QCOMPARE(RawDisk::ReadAt(handle, &after, 1, sizeAfter), qint64(0));
    RawDisk::Close(handle);
    QCOMPARE(QFileInfo(path).size(), sizeAfter);
}

void tst_RawDisk::resizeAndFlush()
{
    // A new card image: made by the file door, sized and written through a
    // handle of our own, put in place when the door commits.
    TempHome home;
    const QString path = home.file("new.img");
    Files::NewFile image;
    QString error;
    QVERIFY2(image.Create(path, &error), qPrintable(error));
    const int handle = RawDisk::Adopt(image.Handle());
    QVERIFY2(handle >= 0, strerror(errno));
    QCOMPARE(RawDisk::Size(handle), qint64(0));
    QVERIFY(RawDisk::Resize(handle, 22496768));
    QCOMPARE(RawDisk::Size(handle), qint64(22496768));
    char last = 'x';
    QCOMPARE(RawDisk::ReadAt(handle, &last, 1, 22496767), qint64(1));
    QCOMPARE(last, '\0');
    QVERIFY(RawDisk::Resize(handle, 512));
    QCOMPARE(RawDisk::WriteAt(handle, "card", 4, 508), qint64(4));
    QVERIFY(RawDisk::Flush(handle));
    RawDisk::Close(handle);
    QVERIFY(!QFileInfo::exists(path));
    QVERIFY2(image.Commit(&error), qPrintable(error));
    QCOMPARE(QFileInfo(path).size(), qint64(512));
    QCOMPARE(readFile(path).right(4), QByteArray("card"));
}

void tst_RawDisk::missingFileRefused()
{
    TempHome home;
    QString other;
    errno = 0;
    QCOMPARE(RawDisk::Open(home.file("gone.img"), false, false, &other), -1);
    QCOMPARE(errno, ENOENT);
    QVERIFY(!QFileInfo::exists(home.file("gone.img")));
}

void tst_RawDisk::identityFollowsTheFile()
{
    TempHome home;
    const QString path = home.file("card.img");
    QVERIFY(writeFile(path, QByteArray(8192, '\0')));
    const Drives::DiskIdentity chosen = Drives::IdentityOf(path);
    QVERIFY(chosen.present());
    QVERIFY(chosen.number.startsWith(QLatin1String("file ")));
    QCOMPARE(chosen.size, qint64(8192));
    QVERIFY(chosen.removable);
    QVERIFY(!chosen.system);
    QCOMPARE(Drives::DiskChange(chosen, Drives::IdentityOf(path)), QString());

    // What an open handle reaches is the same file.
    QString other;
    const int handle = RawDisk::Open(path, false, false, &other);
    QVERIFY(handle >= 0);
    QCOMPARE(Drives::DiskChange(chosen, Drives::IdentityOfOpen(handle, path)), QString());
    RawDisk::Close(handle);

    // Another file of the same size under the same name is another card.
    QVERIFY(writeFile(home.file("other.img"), QByteArray(8192, '\0')));
    QVERIFY(QFile::remove(path));
    QVERIFY(QFile::rename(home.file("other.img"), path));
    QCOMPARE(Drives::DiskChange(chosen, Drives::IdentityOf(path)), path + QStringLiteral(" is now another disk."));
    QVERIFY(QFile::remove(path));
    QCOMPARE(Drives::DiskChange(chosen, Drives::IdentityOf(path)), path + QStringLiteral(" is no longer there."));
}

QObject *newRawDiskTest()
{
    return new tst_RawDisk;
}

#include "tst_rawdisk.moc"
