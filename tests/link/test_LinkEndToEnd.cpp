// Real pseudo-terminals: the real port, and corvane-cli read and fleet
// against `corvane-cli simulate` for what the fault soak and the fleet
// runner's tests do not run.
#include "LinkHelpers.h"
#include "QtAppEnvironment.h"

#include "image/Backups.h"
#include "link/PtyEndpoint.h"
#include "link/QtSerialPort.h"

#include <QElapsedTimer>
#include <csignal>
#include <poll.h>
#include <thread>
#include <unistd.h>

using namespace corvane;
using namespace corvane::test;

namespace {

// The backups of reads in a private folder, inherited by corvane-cli.
class DataHome : public ::testing::Environment {
public:
    void SetUp() override { qputenv("XDG_DATA_HOME", m_dir.path().toUtf8()); }
    QTemporaryDir m_dir;
};
const auto *const g_dataHome = ::testing::AddGlobalTestEnvironment(new DataHome);

class PtyPort : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.Open()) << pty.error().toStdString();
        ASSERT_TRUE(port.Open(pty.SlavePath()).ok());
        port.SetTimeouts(CommTimeouts{});
        port.SetLineSettings(LineSettings{});
    }
    void Send(const QByteArray &bytes) { ASSERT_EQ(::write(pty.MasterFd(), bytes.constData(), bytes.size()), bytes.size()); }
    QByteArray Received()
    {
        pollfd p{pty.MasterFd(), POLLIN, 0};
        QByteArray out;
        char buf[256];
        while (::poll(&p, 1, 200) > 0) {
            const ssize_t n = ::read(pty.MasterFd(), buf, sizeof buf);
            if (n <= 0)
                break;
            out.append(buf, static_cast<int>(n));
        }
        return out;
    }
    std::pair<ReadOutcome, qint64> TimedRead(int n)
    {
        QElapsedTimer t;
        t.start();
        ReadOutcome r = port.Read(n);
        return {r, t.elapsed()};
    }

    PtyEndpoint pty;
    QtSerialPort port;
};

TEST_F(PtyPort, BytesBothWaysTimeoutsAndPurge)
{
    const uint8_t request[] = {0x52, 0x0C, 0x90, 0x08};
    port.Write(request, 4);
    EXPECT_EQ(Received(), QByteArray::fromHex("520C9008"));
    // A read ends as soon as it has its bytes; the rest waits.
    Send(QByteArray::fromHex("570C900801020304050607080A"));
    auto [r, ms] = TimedRead(12);
    EXPECT_EQ(r.bytes, QByteArray::fromHex("570C90080102030405060708"));
    EXPECT_LT(ms, 100);
    EXPECT_EQ(port.Read(1).bytes, QByteArray::fromHex("0A"));

    // Silence after some bytes: the interval ends the read long before the
    // 6090 ms total of a 12-byte read.
    Send("abc");
    std::tie(r, ms) = TimedRead(12);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.bytes, "abc");
    EXPECT_GE(ms, 25);
    EXPECT_LT(ms, 1000);

    for (PurgeMode mode : {PurgeMode::Clear, PurgeMode::All}) {
        Send("stale");
        ::usleep(20000);
        port.Purge(mode);
        EXPECT_TRUE(port.Read(1).bytes.isEmpty());
    }
}

TEST_F(PtyPort, HangupDuringAReadIsAnErrorWithinOneTimeout)
{
    // A program started while the line is open must not keep it open: the
    // line's end would then never hang up.
    QProcess bystander;
    bystander.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    ASSERT_TRUE(bystander.waitForStarted());
    std::thread unplug([this] {
        ::usleep(100000);
        pty.Close();
    });
    const auto [r, ms] = TimedRead(12);
    unplug.join();
    EXPECT_FALSE(r.ok);
    EXPECT_LT(ms, 6090);
    // Later reads and writes fail at once; nothing hangs or crashes.
    const uint8_t ack = 0x06;
    port.Write(&ack, 1);
    port.Purge(PurgeMode::All);
    const auto [again, ms2] = TimedRead(1);
    EXPECT_FALSE(again.ok);
    EXPECT_LT(ms2, 100);
    port.Close();
    bystander.kill();
    bystander.waitForFinished();
}

class EndToEnd : public TempFiles {};

// A copy of a read that cannot be kept is said and never fails the read.
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
    EXPECT_TRUE(Read("read.log").contains(" > 52 1F F8 08\n"));

    ASSERT_TRUE(WriteFile(Path("not-a-folder"), "x"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", Path("not-a-folder"));
    const CliRun unkept = Cli({"read", radio.path, Path("out2.dat")}, env);
    EXPECT_EQ(unkept.status, 0) << unkept.err.toStdString();
    EXPECT_TRUE(unkept.err.contains("The copy of the read could not be kept")) << unkept.err.toStdString();
    EXPECT_EQ(Read("out2.dat"), Bytes(PatternImage(3)));
}

TEST_F(EndToEnd, UsageFileAndPortErrors)
{
    ASSERT_TRUE(WriteFile(Path("small.dat"), "short"));
    const QString image = Save("image.dat", PatternImage(1));
    Save("copy-null.dat", PatternImage(1));
    const std::vector<std::pair<QStringList, int>> cases{
        {{"read", "/dev/pts/x"}, 2},
        {{"read", "/dev/null", Path("o.dat"), "--retries", "many"}, 2},
        {{"read", "/dev/null", Path("o.dat"), "--speed", "1"}, 2},
        {{"write", "/dev/null", Path("small.dat")}, 3},
        {{"write", "/dev/null", Path("missing.dat")}, 3},
        {{"read", "/dev/corvane-missing", Path("o.dat"), "--log", Path("no/such/dir/log")}, 3},
        {{"read", "/dev/corvane-missing", Path("no/such/dir/o.dat")}, 3},
        {{"simulate", "--baud", "fast"}, 2},
        {{"simulate", "--image", Path("small.dat")}, 3},
        {{"fleet", "write", image}, 2},
        {{"fleet", "burn", image, "/dev/null"}, 2},
        {{"fleet", "read", image, "/dev/null", "--verify"}, 2},
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

    // The port with its device, then the reason.
    const CliRun r = Cli({"write", "COM2", image, "--settings", Settings("COM2=/dev/corvane-missing")});
    EXPECT_EQ(r.status, 4);
    EXPECT_TRUE(r.err.contains("\n  Port: COM2 (/dev/corvane-missing)\n  Reason: ")) << r.err.toStdString();
}

class FleetCli : public TempFiles {};

TEST_F(FleetCli, WriteReadAndVerify)
{
    const MemoryImage image = PatternImage(2);
    Simulator sim({"--image", Save("before.dat", PatternImage(1)), "--save", Path("after.dat"), "--fault",
                   "2:drop-write=0x1000"},
                  2);
    ASSERT_EQ(sim.paths.size(), 2);
    const CliRun r = Cli(QStringList{"fleet", "write", Save("image.dat", image)} + sim.paths +
                         QStringList{"/dev/corvane-missing", "--verify"});
    EXPECT_EQ(r.status, 6) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("write it again")) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("verify mismatch: 8 bytes")) << r.out.toStdString();

    EXPECT_EQ(Cli(QStringList{"fleet", "read", Path("copy.dat")} + sim.paths).status, 0);
    EXPECT_EQ(Cli({"fleet", "verify", Path("image.dat"), sim.paths[0]}).status, 0);
    EXPECT_EQ(sim.Stop(), 0);
    EXPECT_TRUE(HoldsSentRanges(Load("after-1.dat"), image));
    for (int i = 0; i < 2; ++i) {
        const QString copy = "copy-" + sim.paths[i].mid(5).replace('/', '-') + ".dat"; // copy-pts-N.dat
        EXPECT_EQ(Load(copy), Load(QString("after-%1.dat").arg(i + 1))) << i;
    }
}

} // namespace
