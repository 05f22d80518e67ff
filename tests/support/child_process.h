#pragma once
// Runs a piece of work in a forked child after `prepare` has put on it what the test process
// must not take itself (another user, a resource limit), and hands back the text the work
// returns. An alarm ends a child that blocks.
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

namespace tavrel::testing_support {

// The unprivileged user the root-run cases drop to.
inline constexpr uid_t kNobody = 65534;

inline std::string RunInChild(const std::function<bool()>& prepare, const std::function<std::string()>& work) {
    int channel[2];
    if (pipe(channel) != 0) return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        alarm(10);
        if (!prepare()) _exit(2);
        const std::string outcome = work();
        _exit(write(channel[1], outcome.data(), outcome.size()) == static_cast<ssize_t>(outcome.size()) ? 0 : 3);
    }
    close(channel[1]);
    std::string outcome;
    char buffer[512];
    for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;) outcome.append(buffer, static_cast<std::size_t>(n));
    close(channel[0]);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) return "no child";
    if (WIFSIGNALED(status)) return "child ended by signal " + std::to_string(WTERMSIG(status));
    if (WEXITSTATUS(status) != 0) return "child failed with status " + std::to_string(WEXITSTATUS(status));
    return outcome;
}

// Root passes every permission check, so the permission cases run as an ordinary user.
inline bool AsUnprivilegedUser() {
    if (geteuid() != 0) return true;
    return setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0;
}

}  // namespace tavrel::testing_support
