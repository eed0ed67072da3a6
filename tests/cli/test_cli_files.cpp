// corvane-cli with files that exist, are missing or are not files, and the
// summary of an import.
#include "image/DataFile.h"
#include "image/MemoryImage.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>

using namespace corvane;
using testenv::TestEnv;

namespace {

struct CliRun {
    int code = -1;
    QString out, err;
};

class CliFiles : public ::testing::Test {
protected:
    TestEnv env;

    CliRun Cli(QStringList args)
    {
        args << "--settings" << env.Path("Program.ini");
        QProcess p;
        QProcessEnvironment pe = QProcessEnvironment::systemEnvironment();
        pe.insert("XDG_CONFIG_HOME", env.Path("config"));
        p.setProcessEnvironment(pe);
        p.start(QStringLiteral(CORVANE_BIN_DIR "/corvane-cli"), args);
        p.waitForFinished(30000);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }
};

} // namespace

TEST_F(CliFiles, FailuresSayTheSystemsReason)
{
    const QString folder = env.Path("folder");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString image = env.Path("image.dat");
    ASSERT_EQ(Cli({"new", image}).code, 0);
    const struct { QStringList args; QString message; } cases[] = {
        {{"show", env.Path("missing.dat")}, "cannot read " + env.Path("missing.dat") + ": No such file or directory"},
        {{"options", folder}, "cannot read " + folder + ": Is a directory"},
        {{"import", image, folder}, "cannot read " + folder + ": Is a directory"},
        {{"new", env.Path("no/such/x.dat")}, "cannot write " + env.Path("no/such/x.dat") + ": No such file or directory"},
    };
    for (const auto &c : cases) {
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.code, 3) << c.args.join(' ').toStdString();
        EXPECT_EQ(r.err, "corvane-cli: " + c.message + "\n");
    }
    env.WriteFile("Program.ini", "[Setup]\r\nLanguage=Klingon\r\n");
    const CliRun noBundle = Cli({"show", image});
    EXPECT_EQ(noBundle.code, 3);
    EXPECT_EQ(noBundle.err, "corvane-cli: Load language DLL fail\nLooked for: " CORVANE_BIN_DIR "/Klingon.rcc\n");
}

TEST_F(CliFiles, NewReplacesAFileOnlyWithForce)
{
    const QString path = env.WriteFile("kept.dat", "precious");
    const CliRun refused = Cli({"new", path});
    EXPECT_EQ(refused.code, 3);
    EXPECT_EQ(refused.err, "corvane-cli: " + path + " already exists; give --force to replace it\n");
    EXPECT_EQ(TestEnv::ReadFile(path), "precious");
    EXPECT_EQ(Cli({"new", path, "--force"}).code, 0);
    EXPECT_EQ(TestEnv::ReadFile(path).size(), kImageSize);
}

// Names of 7 and 8 characters that `show` prints go back in with `import`;
// a successful import says what it did unless told to be quiet.
TEST_F(CliFiles, ShowThenImportAndTheSummary)
{
    const QString path = env.Path("names.dat");
    ASSERT_EQ(Cli({"new", path}).code, 0);
    MemoryImage image;
    ASSERT_TRUE(LoadImageFile(path, image).ok());
    for (int n : {0, 1, 2}) {
        const uint8_t rec[16] = {0x50, 0x12, 0x50, 0x14, 0x50, 0x12, 0x50, 0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0xEC, 0, 0, 0};
        std::copy(rec, rec + 16, image.record(n));
        for (int i = 0; i < 8; ++i)
            image.nameSlot(n)[i] = static_cast<uint8_t>(i < 7 + n % 2 ? 0x0A + i : 0xFF);
    }
    ASSERT_TRUE(SaveImageFile(path, image).ok());
    const CliRun shown = Cli({"show", path});
    ASSERT_TRUE(shown.out.contains("Pr,145.01250,145.01250,None,None,High,Lock,Yes,ABCDEFG\n"));
    ASSERT_TRUE(shown.out.contains("\n1,145.01250,145.01250,None,None,High,Lock,Yes,ABCDEFGH\n"));
    const QString csv = env.WriteFile("shown.csv", shown.out.toUtf8());
    const QByteArray before = TestEnv::ReadFile(path);
    const CliRun same = Cli({"import", path, csv});
    EXPECT_EQ(same.code, 0) << same.err.toStdString();
    EXPECT_EQ(same.out, "imported " + csv + ": 0 added, 0 changed, 0 erased\n");
    EXPECT_EQ(TestEnv::ReadFile(path), before);

    QString edited = shown.out;
    edited.replace("\n1,145.01250,", "\n1,146.00000,").replace("\n2,145.01250,145.01250,None,None,High,Lock,Yes,ABCDEFG", "\n2,,,,,,,,")
        .replace("\n5,,,,,,,,", "\n5,145.0125,,,,,,,").replace("\n6,,,,,,,,", "\n6,145.0125,,,,,,,");
    const QString changes = env.WriteFile("changes.csv", edited.toUtf8());
    const CliRun summary = Cli({"import", path, changes});
    EXPECT_EQ(summary.out, "imported " + changes + ": 2 added, 1 changed, 1 erased\n") << summary.err.toStdString();
    const QByteArray changed = TestEnv::ReadFile(path);
    const CliRun quiet = Cli({"import", path, changes, "--quiet"});
    EXPECT_EQ(quiet.code, 0) << quiet.err.toStdString();
    EXPECT_EQ(quiet.out, "");
    EXPECT_EQ(TestEnv::ReadFile(path), changed);
}
