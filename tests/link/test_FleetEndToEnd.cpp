// `corvane-cli fleet` against `corvane-cli simulate --count N`, each radio
// on a pseudo-terminal of its own: the report, the exit status, the copies
// a fleet read keeps, Ctrl+C, and the usage, file and port errors.
#include "LinkHelpers.h"
#include "QtAppEnvironment.h"

#include "image/Csv.h"

#include <csignal>

using namespace corvane;
using namespace corvane::test;

namespace {

class FleetCli : public TempFiles {};

TEST_F(FleetCli, WriteVerifyReportAndExitStatus)
{
    const MemoryImage image = PatternImage(2);
    Simulator sim({"--image", Save("before.dat", PatternImage(1)), "--save", Path("after.dat"), "--fault",
                   "2:hangup=0x1800", "--fault", "3:drop-write=0x1000"},
                  3);
    ASSERT_EQ(sim.paths.size(), 3);
    const CliRun r = Cli(QStringList{"fleet", "write", Save("image.dat", image)} + sim.paths +
                         QStringList{"/dev/corvane-missing", "--verify", "--report", Path("report.csv")});
    EXPECT_EQ(r.status, 6) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("write it again")) << r.err.toStdString();
    EXPECT_EQ(sim.Stop(), 0);
    EXPECT_TRUE(HoldsSentRanges(Load("after-1.dat"), image));

    QList<CsvRecord> rows;
    QString error;
    ASSERT_TRUE(ParseCsv(QString::fromUtf8(Read("report.csv")), rows, error)) << error.toStdString();
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows[0].fields, (QStringList{"port", "device", "result", "time (s)"}));
    EXPECT_EQ(rows[1].fields.value(0), sim.paths[0]);
    const QStringList results{
        "ok",
        "interrupted: the line failed (hang-up or unplugged cable) after the write block at 0x1800",
        "verify mismatch: 8 bytes",
        "cannot open the port: /dev/corvane-missing: No such file or directory",
    };
    for (int i = 0; i < 4; ++i) {
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
    // The copies exist now: a second read would replace them, so it refuses.
    EXPECT_EQ(Cli(QStringList{"fleet", "read", Path("copy.dat")} + sim.paths).status, 3);

    EXPECT_EQ(Cli(QStringList{"fleet", "verify", Path("radio.dat")} + sim.paths).status, 0);
    const CliRun other = Cli(QStringList{"fleet", "verify", Save("other.dat", PatternImage(5))} + sim.paths);
    EXPECT_EQ(other.status, 6);
    EXPECT_EQ(other.out.count("verify mismatch"), 2) << other.out.toStdString();
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
