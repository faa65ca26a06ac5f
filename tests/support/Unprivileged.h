#pragma once
// Runs a piece of a test as a user who may write only where permissions allow:
// when the tests run as root (who may write anywhere), in a child process as
// the user "nobody" (uid and gid 65534); otherwise in this process. The piece
// answers with a text, which the child sends back through a pipe. Whatever
// the piece needs to reach must be open to others (see OpenToOthers).

#include <filesystem>
#include <functional>
#include <string>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace marn::test {

inline constexpr unsigned UnprivilegedId = 65534;

inline std::string AsUnprivilegedUser(const std::function<std::string()>& piece)
{
    if (::geteuid() != 0)
        return piece();
    int channel[2];
    if (::pipe(channel) != 0)
        return "pipe failed";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        const bool dropped = ::setgroups(0, nullptr) == 0 && ::setgid(UnprivilegedId) == 0
                             && ::setuid(UnprivilegedId) == 0;
        const std::string answer = dropped ? piece() : "could not become an unprivileged user";
        const ssize_t written = ::write(channel[1], answer.data(), answer.size());
        ::_exit(written == static_cast<ssize_t>(answer.size()) ? 0 : 1);
    }
    ::close(channel[1]);
    std::string answer;
    char buffer[4096];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        answer.append(buffer, static_cast<std::size_t>(got));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return answer;
}

// Lets every user enter and read the folder (a temporary directory is the
// owner's alone), and hands it to the unprivileged user when `give` is true.
inline void OpenToOthers(const std::string& folder, bool give = false)
{
    namespace fs = std::filesystem;
    fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec
                                | fs::perms::others_read | fs::perms::others_exec);
    if (give && ::geteuid() == 0) {
        [[maybe_unused]] const int ignored = ::chown(folder.c_str(), UnprivilegedId, UnprivilegedId);
    }
}

} // namespace marn::test
