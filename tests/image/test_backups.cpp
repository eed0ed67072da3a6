// Backups of reads: names by time of the read, the newest hundred kept,
// other files left alone, and a folder that cannot be written reported.
#include "image/Backups.h"
#include "image/DataFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace corvane;

namespace {

class BackupsTest : public ::testing::Test {
protected:
    void SetUp() override { qputenv("XDG_DATA_HOME", home.path().toUtf8()); }
    static QDateTime At(int second) { return QDateTime(QDate(2026, 3, 4), QTime(5, 6, 0)).addSecs(second); }
    static MemoryImage Image(uint8_t fill)
    {
        MemoryImage m;
        m.data()[0] = fill;
        return m;
    }
    QTemporaryDir home;
};

TEST_F(BackupsTest, NamedByTheTimeOfTheReadWithTheImageAsRead)
{
    EXPECT_EQ(Backups::Folder(), home.path() + "/Corvane/backups");
    QString first, second;
    ASSERT_TRUE(Backups::Store(Image(1), At(7), &first).ok());
    ASSERT_TRUE(Backups::Store(Image(2), At(7), &second).ok()); // same second
    EXPECT_EQ(first, Backups::Folder() + "/20260304-050607.dat");
    EXPECT_EQ(second, Backups::Folder() + "/20260304-050607-2.dat");
    MemoryImage back;
    ASSERT_TRUE(LoadImageFile(second, back).ok());
    EXPECT_EQ(back, Image(2));
}

TEST_F(BackupsTest, KeepsTheNewestHundredAndNothingElseIsTouched)
{
    QDir().mkpath(Backups::Folder());
    QFile mine(Backups::Folder() + "/my radio.dat");
    ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
    mine.close();
    for (int i = 0; i < Backups::kKeep + 5; ++i)
        ASSERT_TRUE(Backups::Store(Image(uint8_t(i)), At(i % 60 * 60 + i / 60)).ok()); // not in time order
    const QStringList kept = Backups::List(Backups::Folder());
    ASSERT_EQ(kept.size(), Backups::kKeep);
    EXPECT_EQ(kept.first(), "20260304-050801.dat") << "the five oldest went";
    EXPECT_EQ(kept.last(), "20260304-060500.dat");
    EXPECT_TRUE(mine.exists());
}

TEST_F(BackupsTest, AFolderThatCannotBeMadeIsReported)
{
    QFile blocker(home.filePath("Corvane"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder belongs
    blocker.close();
    QString stored = "untouched";
    const Result r = Backups::Store(Image(1), At(0), &stored);
    EXPECT_EQ(r.status, Status::FileError);
    EXPECT_TRUE(r.text.contains(Backups::Folder())) << r.text.toStdString();
    EXPECT_EQ(stored, "untouched");
}

} // namespace
