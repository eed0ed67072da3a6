// Start-up of the desktop program as a whole process: from starting the
// executable to its first painted main window (the program reports that
// moment on its standard output when CORVANE_SCRIPTED is set, then exits),
// and the peak resident memory of those runs. Goals: under 400 ms, under
// 80 MB. Argument 0 runs the English program folder of the build, 1 a copy
// of it switched to Chinese.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

// A program folder whose Program.ini names `language`.
std::string ProgramFolder(bool chinese)
{
    const std::string bin = CORVANE_BIN_DIR;
    if (!chinese)
        return bin;
    static const std::string copy = [&] {
        char tmpl[] = "/tmp/corvane-bench-XXXXXX";
        const std::string dir = mkdtemp(tmpl);
        for (const char *f : {"Corvane", "English.rcc", "Chinese.rcc"}) {
            std::ifstream in(bin + "/" + f, std::ios::binary);
            std::ofstream out(dir + "/" + f, std::ios::binary);
            out << in.rdbuf();
        }
        chmod((dir + "/Corvane").c_str(), 0755);
        std::ifstream ini(bin + "/Program.ini", std::ios::binary);
        std::stringstream text;
        text << ini.rdbuf();
        std::string s = text.str();
        const std::string from = "Language=English";
        if (const auto at = s.find(from); at != std::string::npos)
            s.replace(at, from.size(), "Language=Chinese");
        std::ofstream(dir + "/Program.ini", std::ios::binary) << s;
        return dir;
    }();
    return copy;
}

// Starts the program and returns the seconds until it reported its first
// paint (negative when it never did); waits for it to end.
double RunOnce(const std::string &exe)
{
    int pipefd[2];
    if (pipe(pipefd) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipefd[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipefd[0]);
    std::vector<std::string> env = {"CORVANE_SCRIPTED=1"};
    for (char **e = environ; *e; ++e)
        if (std::string(*e).rfind("CORVANE_SCRIPTED=", 0) != 0)
            env.emplace_back(*e);
    if (!std::getenv("QT_QPA_PLATFORM"))
        env.emplace_back("QT_QPA_PLATFORM=offscreen");
    std::vector<char *> envp;
    for (std::string &s : env)
        envp.push_back(s.data());
    envp.push_back(nullptr);
    std::string name = exe;
    char *argv[] = {name.data(), nullptr};

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipefd[1]);
    double seconds = -1;
    if (rc == 0) {
        std::string out;
        char buf[256];
        ssize_t n;
        while (seconds < 0 && (n = read(pipefd[0], buf, sizeof buf)) > 0) {
            out.append(buf, size_t(n));
            if (out.find("first paint") != std::string::npos)
                seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            seconds = -1;
    }
    close(pipefd[0]);
    return seconds;
}

void BM_StartupToFirstPaint(benchmark::State &state)
{
    const std::string exe = ProgramFolder(state.range(0) == 1) + "/Corvane";
    for (auto _ : state) {
        const double seconds = RunOnce(exe);
        if (seconds < 0) {
            state.SkipWithError("the program did not reach its first paint");
            break;
        }
        state.SetIterationTime(seconds);
    }
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    state.counters["peak_rss_MB"] = double(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

BENCHMARK(BM_StartupToFirstPaint)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);

} // namespace

BENCHMARK_MAIN();
