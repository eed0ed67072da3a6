// corvane-cli read against the virtual radio on a real pseudo-terminal, for
// what the fault soak (test_TransferSoak) does not run: port names from the
// settings file, the copy kept of each read, the log, retries, and the
// usage, file and port errors.
#include "LinkHelpers.h"
#include "QtAppEnvironment.h"

#include "app/LanguageBundle.h"
#include "image/Backups.h"
#include "link/LinkStrings.h"

using namespace corvane;
using namespace corvane::test;

namespace {

// Every read keeps a backup in the user's data folder: here a private one,
// which corvane-cli inherits with the environment.
class DataHome : public ::testing::Environment {
public:
    void SetUp() override { qputenv("XDG_DATA_HOME", m_dir.path().toUtf8()); }
    QTemporaryDir m_dir;
};
const auto *const g_dataHome = ::testing::AddGlobalTestEnvironment(new DataHome);

class EndToEnd : public TempFiles {};

TEST_F(EndToEnd, ReadThroughTheSettingsFileKeepsABackupAndALog)
{
    Simulator radio({"--image", Save("radio.dat", PatternImage(3))});
    ASSERT_TRUE(radio.path.startsWith("/dev/")) << radio.path.toStdString();
    const QStringList before = Backups::List(Backups::Folder());
    const CliRun r = Cli({"read", "com3", Path("out.dat"), "--settings", Settings("COM3=" + radio.path.toLocal8Bit()),
                          "--log", Path("read.log")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(Read("out.dat"), Bytes(PatternImage(3)));
    const QStringList after = Backups::List(Backups::Folder());
    ASSERT_EQ(after.size(), before.size() + 1);
    EXPECT_EQ(FileBytes(Backups::Folder() + "/" + after.last()), Bytes(PatternImage(3)));
    EXPECT_TRUE(Read("read.log").contains(" > 52 0C 90 08\n"));
    EXPECT_TRUE(Read("read.log").contains(" > 52 1F F8 08\n"));
}

TEST_F(EndToEnd, EachRetryIsSaid)
{
    Simulator radio({"--fault", "no-final-ack"});
    const CliRun r = Cli({"read", radio.path, Path("none.dat"), "--retries", "1"});
    EXPECT_EQ(r.status, 5);
    EXPECT_EQ(r.err.count("retrying"), 1) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(Path("none.dat")));
}

TEST_F(EndToEnd, BackupThatCannotBeKeptNeverFailsTheRead)
{
    Simulator radio({"--image", Save("radio.dat", PatternImage(3))});
    ASSERT_TRUE(WriteFile(Path("not-a-folder"), "x"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", Path("not-a-folder"));
    const CliRun r = Cli({"read", radio.path, Path("out.dat")}, env);
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("The copy of the read could not be kept")) << r.err.toStdString();
    EXPECT_EQ(Read("out.dat"), Bytes(PatternImage(3)));
}

TEST_F(EndToEnd, UsageFileAndPortErrors)
{
    ASSERT_TRUE(WriteFile(Path("small.dat"), "short"));
    const std::vector<std::pair<QStringList, int>> cases{
        {{"read", "/dev/pts/x"}, 2},
        {{"read", "/dev/null", Path("o.dat"), "--retries", "many"}, 2},
        {{"read", "/dev/null", Path("o.dat"), "--speed", "1"}, 2},
        {{"write", "/dev/null", Path("small.dat")}, 3},
        {{"write", "/dev/null", Path("missing.dat")}, 3},
        {{"read", "/dev/corvane-missing", Path("o.dat"), "--log", Path("no/such/dir/log")}, 3},
        {{"read", "/dev/corvane-missing", Path("no/such/dir/o.dat")}, 3},
        {{"simulate", "--fault", "bogus"}, 2},
        {{"simulate", "--baud", "fast"}, 2},
        {{"simulate", "--image", Path("small.dat")}, 3},
    };
    for (const auto &[args, status] : cases)
        EXPECT_EQ(Cli(args).status, status) << args.join(' ').toStdString();

    // The message comes first, then the port with its device and the reason.
    const CliRun r = Cli({"write", "COM2", Save("image.dat", PatternImage(1)), "--settings",
                          Settings("COM2=/dev/corvane-missing")});
    EXPECT_EQ(r.status, 4);
    LanguageBundle english;
    ASSERT_TRUE(english.Load(QStringLiteral(CORVANE_BIN_DIR), QStringLiteral("English")));
    EXPECT_TRUE(r.err.startsWith("corvane-cli: " + english.String(Ids::PortOpenFail) + "\n"
                                 "  Port: COM2 (/dev/corvane-missing)\n"
                                 "  Reason: "))
        << r.err.toStdString();
    EXPECT_FALSE(r.err.contains(english.String(Ids::PartlyWritten)));
}

} // namespace
