#pragma once
// Runs a test body as an ordinary user. Root's file access ignores
// permission bits, so a test of a read-only file or folder run as root
// would pass for the wrong reason: as root the body runs in a child
// process that has become the user "nobody" first; otherwise it runs here.
// The body returns an empty text on success, else what went wrong; it must
// make its own files (in a folder that user may write, such as /tmp).
#include <functional>
#include <string>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testenv {

inline std::string Unprivileged(const std::function<std::string()> &body)
{
    if (geteuid() != 0)
        return body();
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return "pipe failed";
    const pid_t child = fork();
    if (child < 0)
        return "fork failed";
    if (child == 0) {
        close(pipeFds[0]);
        constexpr uid_t kNobody = 65534;
        std::string out = setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0
                              ? body()
                              : std::string("cannot become nobody");
        if (!out.empty() && write(pipeFds[1], out.data(), out.size()) < 0)
            _exit(2);
        _exit(out.empty() ? 0 : 1);
    }
    close(pipeFds[1]);
    std::string out;
    char buf[256];
    for (ssize_t n; (n = read(pipeFds[0], buf, sizeof buf)) > 0;)
        out.append(buf, static_cast<size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status))
        return "the unprivileged run ended abnormally";
    return WEXITSTATUS(status) == 0 ? std::string() : (out.empty() ? "failed" : out);
}

} // namespace testenv
