// The memory image, its data file, the document that holds it, and the
// backups of reads.
#include "image/Backups.h"
#include "image/CProgramDoc.h"
#include "image/DataFile.h"
#include "image/MemoryImage.h"
#include "support/TestEnv.h"
#include "support/Unprivileged.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace corvane;
using testenv::TestEnv;

TEST(MemoryImage, NewImageHoldsOnlyTheElevenDefaultsAndViewsAddressTheirOffsets)
{
    const MemoryImage img = MemoryImage::newImage();
    const std::map<int, uint8_t> defaults = {
        {0x1FC1, 0x01}, {0x1FC3, 0x01}, {0x1FD6, 0x00}, {0x1FD7, 0x00}, {0x1FE0, 0x04}, {0x1FE1, 0xD4},
        {0x1FE2, 0x21}, {0x1FE4, 0x00}, {0x1FE5, 0x01}, {0x1FE6, 0x02}, {0x1FE7, 0x00}};
    for (int o = 0; o < kImageSize; ++o) {
        const auto it = defaults.find(o);
        ASSERT_EQ(img[o], it == defaults.end() ? 0xFF : it->second) << "offset " << o;
    }
    EXPECT_EQ(img.record(5) - img.data(), 0x50);
    EXPECT_EQ(img.nameSlot(0) - img.data(), 0x0C90);
    EXPECT_EQ(img.nameSlot(199) - img.data(), 0x12C8);
}

// A failure carries the system's own reason, also alone in Result::reason.
// (A missing file or folder: corvane-cli's failure table.)
TEST(DataFile, FailuresGiveTheSystemsReason)
{
    const TestEnv env;
    MemoryImage img;
    const QString folder = env.Path("folder");
    ASSERT_TRUE(QDir().mkpath(folder));
    const struct { const char *what; Result r; const char *reason; } cases[] = {
        {"folder", LoadImageFile(folder, img), "Is a directory"},
        {"save over a folder", SaveImageFile(folder, img), "Is a directory"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.r.status, Status::FileError) << c.what;
        EXPECT_EQ(c.r.reason, c.reason) << c.what;
        EXPECT_TRUE(c.r.text.endsWith(QStringLiteral(": ") + c.reason)) << c.r.text.toStdString();
    }
}

// As an ordinary user: a file without read or write permission gives
// "Permission denied" and is left as it was; a writable file in a folder
// that does not allow the temporary file is written in place.
TEST(DataFilePermissions, ReadOnlyFilesAndFolders)
{
    const std::string problem = testenv::Unprivileged([]() -> std::string {
        const TestEnv env;
        const QString locked = env.Path("locked");
        const QByteArray old(9000, 'x');
        QDir().mkpath(locked);
        const QString inPlace = env.WriteFile("locked/in-place.dat", old);
        const QString readOnly = env.WriteFile("locked/read-only.dat", old);
        QFile::setPermissions(readOnly, QFile::ReadOwner);
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
        const MemoryImage img = MemoryImage::newImage();
        std::string out;
        const QByteArray bytes(reinterpret_cast<const char *>(img.data()), kImageSize);
        if (!SaveImageFile(inPlace, img).ok() || TestEnv::ReadFile(inPlace) != bytes)
            out += "writable file in a read-only folder not saved in place; ";
        const Result denied = SaveImageFile(readOnly, img);
        if (denied.reason != "Permission denied" || TestEnv::ReadFile(readOnly) != old)
            out += "read-only file: " + denied.text.toStdString() + "; ";
        QFile::setPermissions(readOnly, QFile::WriteOwner);
        MemoryImage back;
        if (LoadImageFile(readOnly, back).reason != "Permission denied")
            out += "unreadable file not refused with its reason; ";
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return out;
    });
    EXPECT_EQ(problem, "");
}

// A failed open leaves the document, its file and the new-document flag.
TEST(DataFile, DocumentOpenAndFailedOpen)
{
    TestEnv env;
    MemoryImage pattern;
    pattern[kImageSize - 1] = 0x5A;
    CProgramDoc doc;
    const QString good = env.Path("good.dat");
    ASSERT_TRUE(SaveImageFile(good, pattern).ok());
    ASSERT_TRUE(doc.OnOpenDocument(good, env.app).ok());

    env.app.newDocument = true;
    EXPECT_FALSE(doc.OnOpenDocument(env.WriteFile("bad.dat", QByteArray(100, 0)), env.app).ok());
    EXPECT_TRUE(env.app.newDocument);
    EXPECT_EQ(doc.m_image, pattern);
    EXPECT_EQ(doc.GetPathName(), good);
}

// Backups of reads: named by the time of the read, the newest hundred kept,
// other files left alone, a folder that cannot be made reported. (What a
// backup holds: the transfer tests.)
TEST(Backups, NamedByTimeNewestHundredKeptFailuresReported)
{
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    const auto at = [](int second) { return QDateTime(QDate(2026, 3, 4), QTime(5, 6, 0)).addSecs(second); };
    MemoryImage image;
    ASSERT_TRUE(QFile(home.filePath("Corvane")).open(QIODevice::WriteOnly)); // a file where the folder belongs
    QString stored = "untouched";
    const Result r = Backups::Store(image, at(0), &stored);
    EXPECT_EQ(r.status, Status::FileError);
    EXPECT_TRUE(r.text.contains(Backups::Folder())) << r.text.toStdString();
    EXPECT_EQ(stored, "untouched");

    ASSERT_TRUE(QFile::remove(home.filePath("Corvane")));
    EXPECT_EQ(Backups::Folder(), home.path() + "/Corvane/backups");
    QString first, second;
    ASSERT_TRUE(Backups::Store(image, at(7), &first).ok());
    ASSERT_TRUE(Backups::Store(image, at(7), &second).ok()); // same second
    EXPECT_EQ(first, Backups::Folder() + "/20260304-050607.dat");
    EXPECT_EQ(second, Backups::Folder() + "/20260304-050607-2.dat");
    const QString mine = Backups::Folder() + "/my radio.dat";
    ASSERT_TRUE(QFile(mine).open(QIODevice::WriteOnly));
    for (int i = 0; i < Backups::kKeep + 5; ++i) {
        image.data()[0] = uint8_t(i);
        ASSERT_TRUE(Backups::Store(image, at(i % 60 * 60 + i / 60)).ok()); // not in time order
    }
    const QStringList kept = Backups::List(Backups::Folder());
    ASSERT_EQ(kept.size(), Backups::kKeep);
    EXPECT_EQ(kept.first(), "20260304-050801.dat") << "the seven oldest went";
    EXPECT_EQ(kept.last(), "20260304-060500.dat");
    EXPECT_TRUE(QFile::exists(mine));
}
