// Test helper for POSIX systems: a call run in a child process (unprivileged, or with a file size
// limit) whose outcome comes back as text.
#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <functional>
#include <string>

#include "temp_folder.h"

namespace tabulor::testkit {

struct TChildLimits {
    bool Unprivileged = false;   // run as "nobody" when started as root
    rlim_t FileSizeLimit = RLIM_INFINITY;
};

// The outcome of a call made in a child process under the given limits.
inline std::string OutcomeInChild(const TChildLimits& limits, const std::function<void()>& call)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return "pipe failed";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        if (limits.Unprivileged && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            std::_Exit(2);
        if (limits.FileSizeLimit != RLIM_INFINITY) {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{limits.FileSizeLimit, limits.FileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        const std::string outcome = Outcome(call);
        (void)!::write(pipeFds[1], outcome.data(), outcome.size());
        std::_Exit(0);
    }
    ::close(pipeFds[1]);
    std::string outcome;
    char buffer[4096];
    for (ssize_t got; (got = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        outcome.append(buffer, static_cast<std::size_t>(got));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? outcome : "child failed";
}

}  // namespace tabulor::testkit
