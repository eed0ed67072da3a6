// The per-user files. Program.ini of an installed program: its folder
// cannot be written, so the first saved change goes to the per-user copy,
// which is read from then on; a program in a writable folder keeps its own
// file. The per-user store of numbers (radio type, band, port).
#include "settings/CProfileFile.h"
#include "settings/UserStore.h"
#include "support/ReadOnlyFolder.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>

namespace {

class PerUserFiles : public ::testing::Test {
protected:
    PerUserFiles()
    {
        QDir().mkpath(env.Path(QStringLiteral("bin")));
        CProfileFile::SetProgramPath(env.Path(QStringLiteral("bin/Corvane")));
    }

    static QByteArray Get(const QString &path) { return testenv::TestEnv::ReadFile(path); }

    testenv::TestEnv env;
};

const QByteArray kInstalled = "; shipped with the program\r\n[Setup]\r\nLanguage=English\r\nAppName=Corvane\r\n";

TEST_F(PerUserFiles, ReadOnlyFolderSavesThePersonalCopyAndReadsItFromThenOn)
{
    env.WriteFile(QStringLiteral("bin/Program.ini"), kInstalled);
    const QString installed = env.Path(QStringLiteral("bin/Program.ini"));
    const QString copy = env.Path(QStringLiteral("config/Corvane/Program.ini"));
    {
        ReadOnlyFolder readOnly(env.Path(QStringLiteral("bin")));
        CProfileFile store;
        ASSERT_TRUE(store.Load("Program.ini", false));
        EXPECT_EQ(store.Path(), installed); // no copy yet
        store.SetString("Setup", "Language", "Chinese");
        ASSERT_TRUE(store.Save());
        EXPECT_EQ(store.Path(), copy);
        EXPECT_EQ(Get(copy), "[Setup]\r\nLanguage=Chinese\r\nAppName=Corvane\r\n");

        // The next start reads the copy, and later changes stay in it.
        CProfileFile next;
        ASSERT_TRUE(next.Load("Program.ini", false));
        EXPECT_EQ(next.GetString("Setup", "Language"), "Chinese");
        next.SetString("Setup", "ShowLang", "1");
        ASSERT_TRUE(next.Save());
        EXPECT_TRUE(Get(copy).endsWith("ShowLang=1\r\n"));

        // A file named by its full path (corvane-cli --settings) has no copy.
        CProfileFile named;
        ASSERT_TRUE(named.LoadPath(installed, false));
        named.SetString("Setup", "Language", "Chinese");
        EXPECT_FALSE(named.Save());
        EXPECT_EQ(Get(installed), kInstalled);
    }
    // A program folder the user may write keeps its own file; the folder is
    // that of argument zero, else the current one.
    CProfileFile own;
    ASSERT_TRUE(own.Load("Program.ini", false));
    EXPECT_EQ(own.GetString("Setup", "Language"), "English");
    CProfileFile::SetProgramPath(QStringLiteral("corvane"));
    EXPECT_EQ(CProfileFile::ProgramFolder(), QDir::currentPath());
}

// The installed layout: Program.ini beside the program is a link to the
// system's file. Where the target may be written, the link is written
// through and stays a link; where not, the change goes to the copy.
TEST_F(PerUserFiles, LinkedFileIsWrittenThroughOrCopied)
{
    QDir().mkpath(env.Path(QStringLiteral("etc")));
    env.WriteFile(QStringLiteral("etc/Program.ini"), kInstalled);
    const QString link = env.Path(QStringLiteral("bin/Program.ini"));
    ASSERT_TRUE(QFile::link(env.Path(QStringLiteral("etc/Program.ini")), link));

    CProfileFile store;
    ASSERT_TRUE(store.Load("Program.ini", false));
    store.SetString("Setup", "Language", "Chinese");
    ASSERT_TRUE(store.Save());
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(Get(env.Path(QStringLiteral("etc/Program.ini"))).contains("Language=Chinese"));

    ReadOnlyFolder readOnly(env.Path(QStringLiteral("etc")));
    store.SetString("Setup", "Language", "English");
    ASSERT_TRUE(store.Save());
    EXPECT_EQ(store.Path(), env.Path(QStringLiteral("config/Corvane/Program.ini")));
    EXPECT_TRUE(Get(env.Path(QStringLiteral("etc/Program.ini"))).contains("Language=Chinese"));
}

// Numbers are written through at once and read back per application;
// values that are not a 32-bit number count as missing. (A number set in
// this process is held as a number until the file is reread.)
TEST_F(PerUserFiles, NumbersRoundTripAndOthersCountAsMissing)
{
    EXPECT_EQ(UserStore::FilePath(), env.Path(QStringLiteral("config/Corvane/user.ini")));
    const struct { QVariant value; bool ok; uint32_t read = 77; } cases[] = {
        {0u, true, 0}, {1u, true, 1}, {0x7FFFFFFFu, true, 0x7FFFFFFF}, {0xFFFFFFFFu, true, 0xFFFFFFFF}, {2, true, 2},
        {"abc", false}, {"-1", false}, {"4294967296", false}, {"", false}, {"1.5", false}, {"0x10", false},
        {"3 4", false}, {QStringList{"1", "2"}, false},
    };
    for (const auto &c : cases) {
        if (c.ok && c.value.userType() == QMetaType::UInt)
            UserStore("Corvane").WriteNumber(QStringLiteral("com"), c.value.toUInt());
        else
            QSettings(UserStore::FilePath(), QSettings::IniFormat).setValue(QStringLiteral("Software/Corvane/com"), c.value);
        uint32_t out = 77;
        EXPECT_EQ(UserStore("Corvane").ReadNumber(QStringLiteral("com"), out), c.ok) << c.value.toString().toStdString();
        EXPECT_EQ(out, c.read) << c.value.toString().toStdString();
    }
    uint32_t out = 77;
    EXPECT_FALSE(UserStore("Other").ReadNumber(QStringLiteral("com"), out)); // other group
    EXPECT_FALSE(UserStore("Corvane").ReadNumber(QStringLiteral("Field"), out)); // never written
    EXPECT_EQ(out, 77u);
}

} // namespace
