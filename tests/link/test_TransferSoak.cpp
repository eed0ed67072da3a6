// The transfer fault soak: 200 seeded runs of corvane-cli read, write and
// write --verify, each against its own faulty virtual radio served by a
// thread of this process.
//   CORVANE_SOAK_SEED=N   another draw (the seed is printed at every run)
//   CORVANE_SOAK_COUNT=N  another number of transfers
#include "LinkHelpers.h"
#include "QtAppEnvironment.h"
#include "RadioLines.h"
#include "SoakPlan.h"

#include "app/LanguageBundle.h"
#include "link/LinkStrings.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <csignal>
#include <fcntl.h>
#include <iostream>
#include <map>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

using namespace corvane;
using namespace corvane::test;

namespace {

struct SoakRun {
    int status = -1;   // exit status; -1 when the program did not exit by itself
    QString note;      // why status is -1
    QString port;      // the device the program was given
    QString err;       // what the program printed on stderr
    MemoryImage radio; // the radio's memory afterwards
    QStringList files; // the transfer's folder afterwards
};

constexpr int kHungMs = 120000; // a transfer still running then is killed and fails

QString ImagePath(const QString &dir) { return dir + QStringLiteral("/image.dat"); }
QString OutputPath(const QString &dir) { return dir + QStringLiteral("/out.dat"); }

// Starts corvane-cli (through env, for its per-user folders in dir); -1 on
// failure. posix_spawn: QProcess forks, and a fork from this many-threaded
// process stops the ThreadSanitizer build (scripts/tsan).
pid_t Spawn(const SoakCase &c, const QString &dir, const QString &port)
{
    QList<QByteArray> args{"/usr/bin/env", "XDG_CONFIG_HOME=" + (dir + "/config").toLocal8Bit(),
                           "XDG_DATA_HOME=" + (dir + "/data").toLocal8Bit(), kCli.toLocal8Bit(),
                           c.Writes() ? "write" : "read", port.toLocal8Bit(),
                           (c.Writes() ? ImagePath(dir) : OutputPath(dir)).toLocal8Bit()};
    if (c.op == SoakOp::WriteVerify)
        args << "--verify";
    // A retry covers the one race of an unpaced line (see RadioSimulator) on
    // a busy machine; a handshake that fails for a reason of its own fails every retry.
    if (c.fault != SoakFault::Silent && c.fault != SoakFault::NoFinalAck)
        args << "--retries" << "2";
    std::vector<char *> argv;
    for (QByteArray &arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const QByteArray errPath = (dir + QStringLiteral("/stderr.txt")).toLocal8Bit();
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, errPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, argv[0], &files, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    return spawned == 0 ? pid : -1;
}

// Runs the program to its end, with Ctrl+C once the radio has taken
// cancelAfter requests, and a kill when it hangs.
void Execute(const SoakCase &c, const QString &dir, const RadioLines &line, SoakRun &run)
{
    const pid_t pid = Spawn(c, dir, run.port);
    if (pid < 0) {
        run.note = QStringLiteral("cannot start corvane-cli");
        return;
    }
    QElapsedTimer timer;
    timer.start();
    bool interrupted = false, killed = false;
    int st = 0;
    pid_t ended = 0;
    while ((ended = ::waitpid(pid, &st, WNOHANG)) == 0) {
        if (c.fault == SoakFault::Cancel && !interrupted && line.Requests(0) >= c.cancelAfter)
            interrupted = ::kill(pid, SIGINT) == 0;
        if (!killed && timer.elapsed() > kHungMs)
            killed = ::kill(pid, SIGKILL) == 0;
        ::usleep(10000);
    }
    if (ended == pid && WIFEXITED(st) && !killed)
        run.status = WEXITSTATUS(st);
    else if (ended != pid)
        run.note = QStringLiteral("lost track of corvane-cli");
    else
        run.note = killed ? QStringLiteral("hung: killed after %1 s").arg(kHungMs / 1000)
                          : QStringLiteral("ended by signal %1").arg(WTERMSIG(st));
}

SoakRun Run(const SoakCase &c, const QString &dir)
{
    SoakRun run;
    QDir().mkpath(dir);
    if (c.Writes())
        SaveImageFile(ImagePath(dir), c.image);
    else if (c.outputExists)
        SaveImageFile(OutputPath(dir), c.older);
    // Paced for Ctrl+C: a block takes milliseconds, the whole transfer seconds.
    RadioFaults faults;
    faults.Parse(c.FaultWord(), nullptr); // none for an empty word
    RadioLines line(c.radio, {faults}, c.fault == SoakFault::Cancel ? 9600 : 0);
    run.port = line.Path(0);
    if (run.port.isEmpty())
        run.note = QStringLiteral("no pseudo-terminal");
    else
        Execute(c, dir, line, run);
    line.Stop();
    run.radio = line.Radio(0).Memory();
    run.err = QString::fromUtf8(FileBytes(dir + QStringLiteral("/stderr.txt")));
    run.files = QDir(dir).entryList(QDir::Files, QDir::Name);
    return run;
}

// At most `busy` cases at a time besides the silent radios, which only
// make the program wait through its handshake attempts.
std::vector<SoakRun> RunAll(const std::vector<SoakCase> &cases, const QString &folder, int busy)
{
    std::vector<SoakRun> runs(cases.size());
    std::vector<std::size_t> queue;
    std::vector<std::thread> threads;
    const auto run = [&](std::size_t i) { runs[i] = Run(cases[i], folder + '/' + QString::number(cases[i].index)); };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        if (cases[i].fault == SoakFault::Silent)
            threads.emplace_back(run, i);
        else
            queue.push_back(i);
    }
    std::atomic<std::size_t> next{0};
    for (int w = 0; w < busy; ++w)
        threads.emplace_back([&] {
            for (std::size_t k; (k = next++) < queue.size();)
                run(queue[k]);
        });
    for (std::thread &t : threads)
        t.join();
    return runs;
}

constexpr uint64_t kDefaultSeed = 16016;
constexpr int kDefaultCount = 200;
constexpr int kBusy = 12; // keeps two cores busy while transfers wait for their lines

uint64_t EnvNumber(const char *name, uint64_t fallback)
{
    bool ok = false;
    const uint64_t v = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? v : fallback;
}

// The files the run left: a write's image file, a read's output file.
void CheckFiles(const SoakCase &c, const SoakExpect &e, const SoakRun &r, const QString &dir)
{
    struct Kept {
        QString path;
        const MemoryImage *bytes = nullptr;
        const char *why = "";
    } kept;
    if (c.Writes())
        kept = {ImagePath(dir), &c.image, "a write changed its image file"};
    else if (e.status == Exit::Ok)
        kept = {OutputPath(dir), &c.radio, "the file is not the radio's memory"};
    else if (c.outputExists)
        kept = {OutputPath(dir), &c.older, "a failed read changed the file"};
    QStringList files{QStringLiteral("stderr.txt")};
    if (kept.bytes) {
        files << QFileInfo(kept.path).fileName();
        EXPECT_TRUE(FileBytes(kept.path) == Bytes(*kept.bytes)) << kept.why;
    }
    files.sort();
    EXPECT_EQ(r.files.join(' ').toStdString(), files.join(' ').toStdString()) << "files left in the folder";
}

// What the radio holds, and what the program named.
void CheckRadioAndMessages(const SoakCase &c, const SoakExpect &e, const SoakRun &r, const LanguageBundle &en)
{
    if (c.fault == SoakFault::Cancel && c.Writes()) {
        // Stopped after the block it was moving: a first part of the image
        // in write order, and the radio's old memory everywhere else.
        const int held = WrittenPrefix(c, r.radio);
        EXPECT_GE(held, c.cancelAfter) << "the radio does not hold the blocks written before Ctrl+C";
        EXPECT_LT(held, int(WriteOrder().size())) << "the write went on";
    } else {
        EXPECT_TRUE(r.radio == e.radio) << "the radio's memory";
    }
    const int message = e.status == Exit::Comm ? Ids::CommError
                        : e.status == Exit::Interrupted && e.mismatchBytes == 0 ? Ids::ProgramInterrupt
                                                                                : 0;
    if (message) {
        EXPECT_TRUE(r.err.contains(en.String(message) + "\n  ")) << "the message for the failure";
        EXPECT_TRUE(r.err.contains("  Port: " + r.port + "\n")) << "the port is not named";
    }
    EXPECT_TRUE(e.status != Exit::Cancelled || r.err.contains("cancelled\n")) << "Ctrl+C is not said";
    EXPECT_EQ(r.err.contains(en.String(Ids::PartlyWritten)), e.partlyWritten) << "the note on a partly written radio";
    if (e.failAddress >= 0) {
        EXPECT_TRUE(r.err.contains(SoakCase::Hex(e.failAddress, 4))) << "the failed block is not named";
    }
    EXPECT_TRUE(e.mismatchBytes == 0 ||
                r.err.contains(QStringLiteral("verify failed: %1 bytes differ").arg(e.mismatchBytes)));
}

TEST(TransferSoak, EveryFaultEndsAsItMust)
{
    const uint64_t seed = EnvNumber("CORVANE_SOAK_SEED", kDefaultSeed);
    const std::vector<SoakCase> cases = DrawSoak(seed, int(EnvNumber("CORVANE_SOAK_COUNT", kDefaultCount)));
    LanguageBundle en;
    ASSERT_TRUE(en.Load(QStringLiteral(CORVANE_BIN_DIR), QStringLiteral("English")));
    std::cout << "transfer soak: seed " << seed << " (CORVANE_SOAK_SEED), " << cases.size() << " transfers\n";
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QElapsedTimer timer;
    timer.start();
    const std::vector<SoakRun> runs = RunAll(cases, folder.path(), kBusy);
    std::map<int, int> byStatus;
    for (const SoakRun &r : runs)
        ++byStatus[r.status];
    std::cout << "transfer soak: " << runs.size() << " transfers in " << timer.elapsed() / 1000.0 << " s;";
    for (const auto &[status, count] : byStatus)
        std::cout << " exit " << status << ": " << count << ";";
    std::cout << "\n";
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const SoakCase &c = cases[i];
        const SoakRun &r = runs[i];
        SCOPED_TRACE(QStringLiteral("transfer %1: %2; repeat with CORVANE_SOAK_SEED=%3")
                         .arg(c.index).arg(c.Describe()).arg(seed).toStdString());
        const SoakExpect e = Expect(c);
        EXPECT_EQ(r.status, e.status) << r.note.toStdString() << "\n" << r.err.toStdString();
        CheckFiles(c, e, r, folder.filePath(QString::number(c.index)));
        CheckRadioAndMessages(c, e, r, en);
    }
}

} // namespace
