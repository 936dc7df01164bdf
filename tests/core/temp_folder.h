// Test helpers for runs on real files: a fresh folder per test, file reading and writing, and a
// run in a child process (unprivileged, or with a file size limit) whose outcome comes back as text.
#pragma once

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "core/conversion.h"

namespace tabulor::testkit {

class TTempFolder {
public:
    TTempFolder()
    {
        char pattern[] = "/tmp/tabulor-test-XXXXXX";
        Path = ::mkdtemp(pattern);
        // Open to everybody, so that an unprivileged child can work in it.
        std::filesystem::permissions(Path, std::filesystem::perms::all);
    }
    ~TTempFolder() { std::filesystem::remove_all(Path); }
    std::filesystem::path operator/(const std::string& name) const { return Path / name; }
    std::filesystem::path Path;
};

inline void WriteFile(const std::filesystem::path& name, std::string_view bytes)
{
    std::ofstream(name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadFile(const std::filesystem::path& name)
{
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What the messages show after the full path: the system's text for the error.
inline std::string SystemText(int code)
{
    return std::strerror(code);
}

// "ok", or the error's kind and text, of a call in this process.
inline std::string Outcome(const std::function<void()>& call)
{
    try {
        call();
        return "ok";
    } catch (const EFOpenError& error) {
        return std::string("EFOpenError: ") + error.what();
    } catch (const EFCreateError& error) {
        return std::string("EFCreateError: ") + error.what();
    } catch (const EWriteError& error) {
        return std::string("EWriteError: ") + error.what();
    }
}

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
