// corvane-cli read and fleet against virtual radios on real pseudo-terminals
// (`corvane-cli simulate`), for what the fault soak (test_TransferSoak) and
// the fleet runner's tests do not run: port names from the settings file,
// the copy kept of each read, the log, retries, a fleet's report, copies and
// Ctrl+C, and the usage, file and port errors.
#include "LinkHelpers.h"
#include "QtAppEnvironment.h"

#include "app/LanguageBundle.h"
#include "image/Backups.h"
#include "image/Csv.h"
#include "link/LinkStrings.h"

#include <csignal>

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

class FleetCli : public TempFiles {};

TEST_F(FleetCli, WriteVerifyReportAndExitStatus)
{
    const MemoryImage image = PatternImage(2);
    Simulator sim({"--image", Save("before.dat", PatternImage(1)), "--save", Path("after.dat"), "--fault",
                   "2:drop-write=0x1000"},
                  2);
    ASSERT_EQ(sim.paths.size(), 2);
    const CliRun r = Cli(QStringList{"fleet", "write", Save("image.dat", image)} + sim.paths +
                         QStringList{"/dev/corvane-missing", "--verify", "--report", Path("report.csv")});
    EXPECT_EQ(r.status, 6) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("write it again")) << r.err.toStdString();
    EXPECT_EQ(sim.Stop(), 0);
    EXPECT_TRUE(HoldsSentRanges(Load("after-1.dat"), image));

    QList<CsvRecord> rows;
    QString error;
    ASSERT_TRUE(ParseCsv(QString::fromUtf8(Read("report.csv")), rows, error)) << error.toStdString();
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0].fields, (QStringList{"port", "device", "result", "time (s)"}));
    EXPECT_EQ(rows[1].fields.value(0), sim.paths[0]);
    const QStringList results{
        "ok",
        "verify mismatch: 8 bytes",
        "cannot open the port: /dev/corvane-missing: No such file or directory",
    };
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rows[i + 1].fields.value(2), results[i]);
        EXPECT_TRUE(r.out.contains(results[i])) << r.out.toStdString();
    }
}

TEST_F(FleetCli, ReadThenVerifyEachRadio)
{
    const MemoryImage memory = PatternImage(4);
    Simulator sim({"--image", Save("radio.dat", memory)}, 2);
    ASSERT_EQ(sim.paths.size(), 2);
    EXPECT_EQ(Cli(QStringList{"fleet", "read", Path("copy.dat")} + sim.paths).status, 0);
    for (const QString &p : sim.paths)
        EXPECT_EQ(Load("copy-" + QString(p).remove("/dev/").replace('/', '-') + ".dat"), memory);
    EXPECT_EQ(Cli(QStringList{"fleet", "verify", Path("radio.dat")} + sim.paths).status, 0);
}

TEST_F(FleetCli, InterruptCancelsEveryPort)
{
    Simulator sim({"--baud", "9600"}, 3);
    ASSERT_EQ(sim.paths.size(), 3);
    QProcess p;
    p.start(kCli, QStringList{"fleet", "write", Save("image.dat", PatternImage(3))} + sim.paths);
    ASSERT_TRUE(p.waitForStarted());
    // A paced write takes 13 s; the signal comes well inside it.
    p.waitForFinished(2000);
    // An ended process has no id, and kill(0) would signal the test's group.
    ASSERT_EQ(p.state(), QProcess::Running) << p.readAllStandardError().toStdString();
    ::kill(static_cast<pid_t>(p.processId()), SIGINT);
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitCode(), 7);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_EQ(out.count("cancelled"), 3) << out.toStdString();
}

TEST_F(FleetCli, UsageFileAndPortErrors)
{
    const QString image = Save("image.dat", PatternImage(1));
    Save("copy-null.dat", PatternImage(1));
    const std::vector<std::pair<QStringList, int>> cases{
        {{"fleet", "write", image}, 2},
        {{"fleet", "burn", image, "/dev/null"}, 2},
        {{"fleet", "read", image, "/dev/null", "--verify"}, 2},
        {{"fleet", "write", image, "/dev/null", "/dev/null"}, 2},
        {{"fleet", "write", image, "/dev/null", "--retries", "x"}, 2},
        {{"fleet", "write", Path("missing.dat"), "/dev/null"}, 3},
        {{"fleet", "write", image, "/dev/null", "--report", Path("no/such/dir/r.csv")}, 3},
        {{"fleet", "read", Path("copy.dat"), "/dev/null"}, 3},
        {{"fleet", "read", Path("new.dat"), "/dev/pts-9", "pts/9"}, 2}, // both new-pts-9.dat
        {{"fleet", "write", image, "/dev/corvane-missing1", "/dev/corvane-missing2"}, 4},
        {{"simulate", "--count", "0"}, 2},
        {{"simulate", "--count", "2", "--fault", "3:silent"}, 2},
    };
    for (const auto &[args, status] : cases)
        EXPECT_EQ(Cli(args).status, status) << args.join(' ').toStdString();
}

} // namespace
