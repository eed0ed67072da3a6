#include "settings/UserStore.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The per-user file goes to a temporary configuration folder, set before
// anything asks for the standard locations.
class UserStoreTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        home = new QTemporaryDir;
        qputenv("XDG_CONFIG_HOME", home->path().toUtf8());
    }
    static void TearDownTestSuite() { delete home; }
    static QTemporaryDir *home;
};
QTemporaryDir *UserStoreTest::home = nullptr;

TEST_F(UserStoreTest, NumbersRoundTripAndPersistPerApplication)
{
    EXPECT_EQ(UserStore::FilePath(), home->path() + QStringLiteral("/Corvane/user.ini"));
    const uint32_t values[] = {0, 1, 4, 0x7FFFFFFF, 0xFFFFFFFF};
    for (uint32_t v : values) {
        UserStore("Corvane").WriteNumber(QStringLiteral("Type"), v);
        EXPECT_TRUE(QFile::exists(UserStore::FilePath())); // written through at once
        uint32_t out = 12345;
        EXPECT_TRUE(UserStore("Corvane").ReadNumber(QStringLiteral("Type"), out)) << v;
        EXPECT_EQ(out, v);
    }
    UserStore("Corvane").WriteNumber(QStringLiteral("com"), 3);
    uint32_t out = 77;
    EXPECT_FALSE(UserStore("Other").ReadNumber(QStringLiteral("com"), out)); // other group
    EXPECT_FALSE(UserStore("Corvane").ReadNumber(QStringLiteral("Field"), out)); // never written
    EXPECT_EQ(out, 77u);
}

TEST_F(UserStoreTest, ValuesThatAreNotA32BitNumberCountAsMissing)
{
    auto store = [](const QVariant &v) {
        QSettings(UserStore::FilePath(), QSettings::IniFormat).setValue(QStringLiteral("Software/Bad/com"), v);
    };
    const QVariant bad[] = {"abc", "-1", "4294967296", "", "1.5", "0x10", "3 4", QStringList{"1", "2"}};
    for (const QVariant &v : bad) {
        store(v);
        uint32_t out = 77;
        EXPECT_FALSE(UserStore("Bad").ReadNumber(QStringLiteral("com"), out)) << v.toString().toStdString();
        EXPECT_EQ(out, 77u);
    }
    store(2); // held as a number in this process until the file is reread
    uint32_t out = 0;
    EXPECT_TRUE(UserStore("Bad").ReadNumber(QStringLiteral("com"), out));
    EXPECT_EQ(out, 2u);
}

} // namespace
