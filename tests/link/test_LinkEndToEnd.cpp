// corvane-cli read and write against the virtual radio on a real
// pseudo-terminal: whole transfers, the failure statuses, and that a failed
// read never touches the output file.
#include "QtAppEnvironment.h"
#include "Simulator.h"
#include "TransferRig.h"

#include "app/LanguageBundle.h"
#include "image/Backups.h"
#include "image/DataFile.h"
#include "link/LinkStrings.h"

#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::test;

namespace {

const QString kCli = QStringLiteral(CORVANE_BIN_DIR "/corvane-cli");

// Every read keeps a backup in the user's data folder: here a private one,
// which corvane-cli inherits with the environment.
class DataHome : public ::testing::Environment {
public:
    void SetUp() override { qputenv("XDG_DATA_HOME", m_dir.path().toUtf8()); }
    QTemporaryDir m_dir;
};
DataHome *const g_dataHome = static_cast<DataHome *>(::testing::AddGlobalTestEnvironment(new DataHome));


struct CliRun {
    int status;
    QString err;
};

CliRun Cli(const QStringList &args)
{
    QProcess p;
    p.start(kCli, args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
}

QByteArray Bytes(const MemoryImage &m) { return QByteArray(reinterpret_cast<const char *>(m.data()), kImageSize); }

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString Path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    QString Save(const char *name, const MemoryImage &m) const
    {
        EXPECT_TRUE(SaveImageFile(Path(name), m).ok());
        return Path(name);
    }
    static QByteArray Read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir dir;
    LanguageBundle english;
};

TEST_F(EndToEnd, FullReadEqualsTheRadiosMemoryAndIsKeptAsABackup)
{
    Simulator radio({"--image", Save("radio.dat", PatternImage(3))});
    ASSERT_TRUE(radio.path.startsWith("/dev/")) << radio.path.toStdString();
    const QStringList before = Backups::List(Backups::Folder());
    const CliRun r = Cli({"read", radio.path, Path("out.dat"), "--log", Path("read.log")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(Read(Path("out.dat")), Bytes(PatternImage(3)));
    const QStringList after = Backups::List(Backups::Folder());
    ASSERT_EQ(after.size(), before.size() + 1);
    EXPECT_EQ(Read(Backups::Folder() + "/" + after.last()), Bytes(PatternImage(3)));
    const QByteArray log = Read(Path("read.log"));
    EXPECT_TRUE(log.contains(" > 52 0C 90 08\n"));
    EXPECT_TRUE(log.contains(" > 52 1F F8 08\n"));
}

TEST_F(EndToEnd, FullWriteChangesExactlyTheSentRanges)
{
    const MemoryImage before = PatternImage(1), sent = PatternImage(2);
    Simulator radio({"--image", Save("radio.dat", before), "--save", Path("after.dat")});
    const CliRun r = Cli({"write", radio.path, Save("image.dat", sent), "--verify"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(radio.Stop(), 0);
    const QByteArray after = Read(Path("after.dat"));
    ASSERT_EQ(after.size(), kImageSize);
    for (int offset = 0; offset < kImageSize; ++offset)
        ASSERT_EQ(static_cast<uint8_t>(after[offset]), Proto::WriteSends(offset) ? sent[offset] : before[offset])
            << "offset " << offset;
}

TEST_F(EndToEnd, PortNameFromTheSettingsFile)
{
    Simulator radio({"--image", Save("radio.dat", PatternImage(4))});
    QFile ini(Path("Program.ini"));
    QFile base(QStringLiteral(CORVANE_BIN_DIR "/Program.ini"));
    ASSERT_TRUE(base.open(QIODevice::ReadOnly) && ini.open(QIODevice::WriteOnly));
    ini.write(base.readAll() + "\r\n[Ports]\r\nCOM3=" + radio.path.toLocal8Bit() + "\r\n");
    ini.close();
    const CliRun r = Cli({"read", "com3", Path("out.dat"), "--settings", Path("Program.ini")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(Read(Path("out.dat")), Bytes(PatternImage(4)));
}

struct FailureCase {
    const char *name;
    const char *command;
    QStringList faults;
    int status;
    int messageId;
    bool partlyWritten;
};

class EndToEndFailure : public EndToEnd, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(EndToEndFailure, StatusMessageAndUntouchedOutput)
{
    const FailureCase &c = GetParam();
    QStringList simArgs{"--image", Save("radio.dat", PatternImage(5))};
    for (const QString &f : c.faults)
        simArgs << "--fault" << f;
    Simulator radio(simArgs);
    const QString out = Save("out.dat", PatternImage(6)); // an older read
    const CliRun r = QByteArray(c.command) == "read" ? Cli({"read", radio.path, out})
                                                  : Cli({"write", radio.path, Save("image.dat", PatternImage(7))});
    EXPECT_EQ(r.status, c.status) << r.err.toStdString();
    ASSERT_TRUE(english.IsLoaded() || english.Load(QStringLiteral(CORVANE_BIN_DIR), QStringLiteral("English")));
    EXPECT_TRUE(r.err.contains(english.String(c.messageId))) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("Port: " + radio.path)) << r.err.toStdString();
    EXPECT_EQ(r.err.contains(english.String(Ids::PartlyWritten)), c.partlyWritten) << r.err.toStdString();
    EXPECT_EQ(Read(out), Bytes(PatternImage(6)));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, EndToEndFailure,
    ::testing::Values(FailureCase{"ShortReply", "read", {"short-reply=0x0C90"}, 6, Ids::ProgramInterrupt, false},
                      FailureCase{"MissingAck", "read", {"no-ack=0x0100"}, 6, Ids::ProgramInterrupt, false},
                      FailureCase{"Hangup", "read", {"hangup=0x0800"}, 6, Ids::ProgramInterrupt, false},
                      FailureCase{"NoFinalAck", "read", {"no-final-ack"}, 5, Ids::CommError, false},
                      FailureCase{"WriteNoFinalAck", "write", {"no-final-ack"}, 5, Ids::CommError, false},
                      FailureCase{"WriteMissingAck", "write", {"no-ack=0x0960"}, 6, Ids::ProgramInterrupt, true},
                      FailureCase{"WriteHangup", "write", {"hangup=0x0000"}, 6, Ids::ProgramInterrupt, true}),
    [](const ::testing::TestParamInfo<FailureCase> &i) { return std::string(i.param.name); });

TEST_F(EndToEnd, RetriesAndVerify)
{
    {
        Simulator radio({"--fault", "no-final-ack"});
        const CliRun r = Cli({"read", radio.path, Path("none.dat"), "--retries", "1"});
        EXPECT_EQ(r.status, 5);
        EXPECT_EQ(r.err.count("retrying"), 1) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(Path("none.dat")));
    }
    {
        Simulator radio({"--fault", "drop-write=0x1000"});
        const CliRun r = Cli({"write", radio.path, Save("image.dat", PatternImage(9)), "--verify"});
        EXPECT_EQ(r.status, 6);
        EXPECT_TRUE(r.err.contains("0x1000: sent")) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("8 bytes differ")) << r.err.toStdString();
    }
}

// Ctrl+C: a read leaves no file; a write says whether the radio is now
// partly written (once its first block has gone out) or untouched.
TEST_F(EndToEnd, InterruptCancels)
{
    struct Case {
        const char *command;
        QStringList simulator;
        bool partlyWritten;
    };
    const Case cases[] = {{"read", {"--fault", "silent"}, false},
                          {"write", {"--fault", "silent"}, false},
                          {"write", {"--baud", "9600"}, true}};
    ASSERT_TRUE(english.Load(QStringLiteral(CORVANE_BIN_DIR), QStringLiteral("English")));
    for (const Case &c : cases) {
        Simulator radio(c.simulator);
        const QString log = Path("interrupt.log");
        QFile::remove(log);
        QProcess p;
        p.start(kCli, {c.command, radio.path, QByteArray(c.command) == "read" ? Path("out.dat") : Save("in.dat", PatternImage(2)),
                       "--log", log});
        ASSERT_TRUE(p.waitForStarted());
        // Interrupted in the handshake, or once the block requests flow.
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 20000 && !(c.partlyWritten ? Read(log).count(" > 57 ") > 3 : Read(log).contains(" > 41")))
            p.waitForFinished(20);
        // An ended process has no id, and kill(0) would signal the test's group.
        ASSERT_EQ(p.state(), QProcess::Running) << p.readAllStandardError().toStdString();
        ::kill(static_cast<pid_t>(p.processId()), SIGINT);
        ASSERT_TRUE(p.waitForFinished(10000));
        const QString err = QString::fromUtf8(p.readAllStandardError());
        EXPECT_EQ(p.exitCode(), 7) << err.toStdString();
        EXPECT_TRUE(err.contains("cancelled")) << err.toStdString();
        EXPECT_EQ(err.contains(english.String(Ids::PartlyWritten)), c.partlyWritten) << c.command << err.toStdString();
        EXPECT_FALSE(QFile::exists(Path("out.dat")));
    }
}

TEST_F(EndToEnd, BackupThatCannotBeKeptNeverFailsTheRead)
{
    Simulator radio({"--image", Save("radio.dat", PatternImage(3))});
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QFile blocker(Path("not-a-folder"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    env.insert("XDG_DATA_HOME", blocker.fileName());
    p.setProcessEnvironment(env);
    p.start(kCli, {"read", radio.path, Path("out.dat")});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString err = QString::fromUtf8(p.readAllStandardError());
    EXPECT_EQ(p.exitCode(), 0) << err.toStdString();
    EXPECT_TRUE(err.contains("The copy of the read could not be kept")) << err.toStdString();
    EXPECT_EQ(Read(Path("out.dat")), Bytes(PatternImage(3)));
}

TEST_F(EndToEnd, UsageFileAndPortErrors)
{
    struct Case {
        QStringList args;
        int status;
    };
    QFile small(Path("small.dat"));
    ASSERT_TRUE(small.open(QIODevice::WriteOnly));
    small.write("short");
    small.close();
    const std::vector<Case> cases{
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
    for (const Case &c : cases)
        EXPECT_EQ(Cli(c.args).status, c.status) << c.args.join(' ').toStdString();

    // The message comes first, then the port with its device and the reason.
    QFile ini(Path("Program.ini"));
    QFile base(QStringLiteral(CORVANE_BIN_DIR "/Program.ini"));
    ASSERT_TRUE(base.open(QIODevice::ReadOnly) && ini.open(QIODevice::WriteOnly));
    ini.write(base.readAll() + "\r\n[Ports]\r\nCOM2=/dev/corvane-missing\r\n");
    ini.close();
    const CliRun r = Cli({"write", "COM2", Save("image.dat", PatternImage(1)), "--settings", Path("Program.ini")});
    EXPECT_EQ(r.status, 4);
    ASSERT_TRUE(english.Load(QStringLiteral(CORVANE_BIN_DIR), QStringLiteral("English")));
    EXPECT_TRUE(r.err.startsWith("corvane-cli: " + english.String(Ids::PortOpenFail) + "\n"
                                 "  Port: COM2 (/dev/corvane-missing)\n"
                                 "  Reason: "))
        << r.err.toStdString();
    EXPECT_FALSE(r.err.contains(english.String(Ids::PartlyWritten)));
}

} // namespace
