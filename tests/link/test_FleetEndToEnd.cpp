// Fleets on real pseudo-terminals: the runner with the real port against
// virtual radios served in this process, and `corvane-cli fleet` against
// `corvane-cli simulate --count N`.
#include "QtAppEnvironment.h"
#include "RadioLines.h"
#include "TransferRig.h"

#include "image/Csv.h"
#include "image/DataFile.h"
#include "link/FleetRunner.h"
#include "link/QtSerialPort.h"

#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::test;

namespace {

const QString kCli = QStringLiteral(CORVANE_BIN_DIR "/corvane-cli");

// The real port with every timeout a tenth as long: a silent radio's 15
// handshake attempts take about 2 s instead of 18 s. The attempts, the
// order of the bytes and the failure rules are those of any port.
class TimeLapsePort : public QtSerialPort {
public:
    void SetTimeouts(const CommTimeouts &t) override
    {
        QtSerialPort::SetTimeouts({t.readInterval, t.readTotalMultiplier / 10, t.readTotalConstant / 10,
                                   t.writeTotalMultiplier, t.writeTotalConstant});
    }
};

bool HoldsSentRanges(const MemoryImage &radio, const MemoryImage &image)
{
    for (int offset = 0; offset < kImageSize; ++offset)
        if (Proto::WriteSends(offset) && radio[offset] != image[offset])
            return false;
    return true;
}

RadioFaults Fault(const char *text)
{
    RadioFaults f;
    EXPECT_TRUE(f.Parse(QString::fromLatin1(text), nullptr)) << text;
    return f;
}

TEST(FleetOnPty, FourRadiosThreeFaultsEachNamed)
{
    const MemoryImage before = PatternImage(1), image = PatternImage(2);
    RadioLines radios(before, {RadioFaults{}, Fault("silent"), Fault("hangup=0x1800"), Fault("drop-write=0x1000")});
    const QString silent = radios.Path(1);
    FleetRunner runner([silent](const FleetTarget &t) -> std::unique_ptr<SerialPort> {
        if (t.device == silent)
            return std::make_unique<TimeLapsePort>();
        return std::make_unique<QtSerialPort>();
    });
    std::vector<FleetTarget> targets;
    for (int i = 0; i < 4; ++i)
        targets.push_back({radios.Path(i), radios.Path(i)});
    QEventLoop loop;
    QObject::connect(&runner, &FleetRunner::finished, &loop, &QEventLoop::quit);
    ASSERT_TRUE(runner.Start(targets, image, {FleetJob::WriteVerify, 0}));
    loop.exec();
    radios.Stop();

    const std::vector<FleetPortResult> &r = runner.Results();
    EXPECT_EQ(r[0].result.status, Status::Ok) << r[0].result.text.toStdString();
    EXPECT_TRUE(HoldsSentRanges(radios.Radio(0).Memory(), image));
    EXPECT_EQ(r[1].result.status, Status::CommError);
    EXPECT_EQ(r[1].result.text, "no answer to the wake-up string in 15 attempts");
    EXPECT_EQ(r[2].result.status, Status::Interrupted);
    EXPECT_EQ(r[2].result.text,
              "the line failed (hang-up or unplugged cable) after the write block at 0x1800");
    EXPECT_EQ(r[3].result.status, Status::Mismatch);
    EXPECT_EQ(r[3].mismatchBytes, 8);
    EXPECT_EQ(r[3].firstMismatch, 0x1000);
}

// `corvane-cli simulate --count N`, stopped (SIGTERM) when destroyed.
class Simulators {
public:
    Simulators(int count, const QStringList &options)
    {
        m_process.start(kCli, QStringList{"simulate", "--count", QString::number(count)} + options);
        while (paths.size() < count && (m_process.canReadLine() || m_process.waitForReadyRead(10000)))
            while (m_process.canReadLine())
                paths << QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }
    ~Simulators() { Stop(); }
    int Stop()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            m_process.waitForFinished(10000);
        }
        return m_process.exitCode();
    }
    QStringList paths;

private:
    QProcess m_process;
};

struct CliRun {
    int status;
    QString out, err;
};

CliRun Cli(const QStringList &args)
{
    QProcess p;
    p.start(kCli, args);
    p.waitForFinished(120000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

class FleetCli : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString Path(const QString &name) const { return dir.filePath(name); }
    QString Save(const QString &name, const MemoryImage &m) const
    {
        EXPECT_TRUE(SaveImageFile(Path(name), m).ok());
        return Path(name);
    }
    MemoryImage Load(const QString &name) const
    {
        MemoryImage m;
        EXPECT_TRUE(LoadImageFile(Path(name), m).ok()) << name.toStdString();
        return m;
    }
    QTemporaryDir dir;
};

TEST_F(FleetCli, WriteVerifyReportAndExitStatus)
{
    const MemoryImage before = PatternImage(1), image = PatternImage(2);
    Simulators sim(3, {"--image", Save("before.dat", before), "--save", Path("after.dat"), "--fault",
                       "2:hangup=0x1800", "--fault", "3:drop-write=0x1000"});
    ASSERT_EQ(sim.paths.size(), 3);
    const CliRun r = Cli({"fleet", "write", Save("image.dat", image), sim.paths[0], sim.paths[1], sim.paths[2],
                          "/dev/corvane-missing", "--verify", "--report", Path("report.csv")});
    EXPECT_EQ(r.status, 6) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("write it again")) << r.err.toStdString();
    EXPECT_EQ(sim.Stop(), 0);

    QFile file(Path("report.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QList<CsvRecord> rows;
    QString error;
    ASSERT_TRUE(ParseCsv(QString::fromUtf8(file.readAll()), rows, error)) << error.toStdString();
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows[0].fields, (QStringList{"port", "device", "result", "time (s)"}));
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
    EXPECT_EQ(rows[1].fields.value(0), sim.paths[0]);
    EXPECT_TRUE(HoldsSentRanges(Load("after-1.dat"), image));
    EXPECT_EQ(Load("after-3.dat")[0x1000], before[0x1000]);
}

TEST_F(FleetCli, ReadThenVerifyEachRadio)
{
    const MemoryImage memory = PatternImage(4);
    Simulators sim(2, {"--image", Save("radio.dat", memory)});
    ASSERT_EQ(sim.paths.size(), 2);
    const QString base = Path("copy.dat");
    EXPECT_EQ(Cli({"fleet", "read", base, sim.paths[0], sim.paths[1]}).status, 0);
    for (const QString &p : sim.paths)
        EXPECT_EQ(Load("copy-" + QString(p).remove("/dev/").replace('/', '-') + ".dat"), memory);
    // The copies exist now: a second read would replace them, so it refuses.
    EXPECT_EQ(Cli({"fleet", "read", base, sim.paths[0], sim.paths[1]}).status, 3);

    EXPECT_EQ(Cli({"fleet", "verify", Path("radio.dat"), sim.paths[0], sim.paths[1]}).status, 0);
    const CliRun other = Cli({"fleet", "verify", Save("other.dat", PatternImage(5)), sim.paths[0], sim.paths[1]});
    EXPECT_EQ(other.status, 6);
    EXPECT_EQ(other.out.count("verify mismatch"), 2) << other.out.toStdString();
}

TEST_F(FleetCli, InterruptCancelsEveryPort)
{
    Simulators sim(3, {"--baud", "9600"});
    ASSERT_EQ(sim.paths.size(), 3);
    QProcess p;
    p.start(kCli, QStringList{"fleet", "write", Save("image.dat", PatternImage(3))} + sim.paths);
    ASSERT_TRUE(p.waitForStarted());
    // A paced write takes 13 s; the signal comes well inside it.
    p.waitForFinished(2000);
    // A process that has ended has no id (0), and kill(0) would signal
    // this whole process group.
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
    struct Case {
        QStringList args;
        int status;
    };
    const std::vector<Case> cases{
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
    for (const Case &c : cases)
        EXPECT_EQ(Cli(c.args).status, c.status) << c.args.join(' ').toStdString();
}

} // namespace
