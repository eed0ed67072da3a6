#pragma once
// Runs the soak's transfers, many at once: each a real `corvane-cli read` or
// `write` in a folder of its own, against its own virtual radio served by a
// thread of this process, so the radio's memory can be looked at afterwards.
#include "LinkHelpers.h"
#include "RadioLines.h"
#include "SoakPlan.h"

#include <QDir>
#include <QElapsedTimer>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace corvane::test {

struct SoakRun {
    int status = -1;   // exit status; -1 when the program did not exit by itself
    QString note;      // why status is -1
    QString port;      // the device the program was given
    QString err;       // what the program printed on stderr
    MemoryImage radio; // the radio's memory afterwards
    QStringList files; // the transfer's folder afterwards
    double seconds = 0;
};

class SoakRunner {
public:
    // A transfer that has not ended after this long is killed and fails.
    static constexpr int kHungMs = 120000;

    explicit SoakRunner(QString folder) : m_folder(std::move(folder)) {}

    static QString ImagePath(const QString &dir) { return dir + QStringLiteral("/image.dat"); }
    static QString OutputPath(const QString &dir) { return dir + QStringLiteral("/out.dat"); }
    QString Dir(const SoakCase &c) const { return m_folder + QLatin1Char('/') + QString::number(c.index); }

    // At most `busy` at a time, besides the silent radios, which only make
    // the program wait through its handshake attempts and all start at once.
    std::vector<SoakRun> RunAll(const std::vector<SoakCase> &cases, int busy) const
    {
        std::vector<SoakRun> runs(cases.size());
        std::vector<std::size_t> queue;
        std::vector<std::thread> threads;
        for (std::size_t i = 0; i < cases.size(); ++i) {
            if (cases[i].fault == SoakFault::Silent)
                threads.emplace_back([this, &cases, &runs, i] { runs[i] = Run(cases[i]); });
            else
                queue.push_back(i);
        }
        std::atomic<std::size_t> next{0};
        for (int w = 0; w < busy; ++w)
            threads.emplace_back([&] {
                for (std::size_t k; (k = next++) < queue.size();)
                    runs[queue[k]] = Run(cases[queue[k]]);
            });
        for (std::thread &t : threads)
            t.join();
        return runs;
    }

    SoakRun Run(const SoakCase &c) const
    {
        SoakRun run;
        const QString dir = Dir(c);
        QDir().mkpath(dir);
        if (c.Writes())
            SaveImageFile(ImagePath(dir), c.image);
        else if (c.outputExists)
            SaveImageFile(OutputPath(dir), c.older);
        // Ctrl+C is aimed between blocks: at 9600 baud a block takes
        // milliseconds and the whole transfer many seconds.
        RadioLines line(c.radio, {c.Faults()}, c.fault == SoakFault::Cancel ? 9600 : 0);
        run.port = line.Path(0);
        QElapsedTimer timer;
        timer.start();
        if (run.port.isEmpty())
            run.note = QStringLiteral("no pseudo-terminal");
        else
            Execute(c, dir, line, run);
        run.seconds = timer.elapsed() / 1000.0;
        line.Stop();
        run.radio = line.Radio(0).Memory();
        run.err = QString::fromUtf8(FileBytes(dir + QStringLiteral("/stderr.txt")));
        run.files = QDir(dir).entryList(QDir::Files, QDir::Name);
        return run;
    }

private:
    // Starts corvane-cli with its error output and per-user files in the folder; -1 on failure.
    static pid_t Spawn(const SoakCase &c, const QString &dir, const QString &port)
    {
        QList<QByteArray> args{kCli.toLocal8Bit(), c.Writes() ? "write" : "read", port.toLocal8Bit(),
                               (c.Writes() ? ImagePath(dir) : OutputPath(dir)).toLocal8Bit()};
        if (c.op == SoakOp::WriteVerify)
            args << "--verify";
        // Where the radio answers the handshake, a retry covers the one
        // race of an unpaced line (see RadioSimulator) on a busy machine;
        // a handshake that fails for a reason of its own fails every retry.
        if (c.fault != SoakFault::Silent && c.fault != SoakFault::NoFinalAck)
            args << "--retries" << "2";
        QList<QByteArray> env;
        for (char **e = environ; *e; ++e)
            if (!QByteArray(*e).startsWith("XDG_CONFIG_HOME=") && !QByteArray(*e).startsWith("XDG_DATA_HOME="))
                env << QByteArray(*e);
        env << "XDG_CONFIG_HOME=" + (dir + QStringLiteral("/config")).toLocal8Bit()
            << "XDG_DATA_HOME=" + (dir + QStringLiteral("/data")).toLocal8Bit();
        const auto pointers = [](QList<QByteArray> &list) {
            std::vector<char *> out;
            for (QByteArray &item : list)
                out.push_back(item.data());
            out.push_back(nullptr);
            return out;
        };
        const QByteArray errPath = (dir + QStringLiteral("/stderr.txt")).toLocal8Bit();
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&files, STDERR_FILENO, errPath.constData(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        pid_t pid = -1;
        const int spawned =
            posix_spawn(&pid, args[0].constData(), &files, nullptr, pointers(args).data(), pointers(env).data());
        posix_spawn_file_actions_destroy(&files);
        return spawned == 0 ? pid : -1;
    }

    static void Execute(const SoakCase &c, const QString &dir, const RadioLines &line, SoakRun &run)
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

    QString m_folder;
};

} // namespace corvane::test
