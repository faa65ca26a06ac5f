#pragma once
// Runs a piece of a test as a user who may write only where permissions allow:
// as root (who may write anywhere) in a child process as "nobody" (uid and gid
// 65534), otherwise in this process. The piece's answer comes back as text.

#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace marn::test {

inline constexpr unsigned UnprivilegedId = 65534;

inline std::string AsUnprivilegedUser(const std::function<std::string()>& piece)
{
    int channel[2];
    if (::geteuid() != 0 || ::pipe(channel) != 0)
        return ::geteuid() != 0 ? piece() : "pipe failed";
    if (::fork() == 0) {
        const bool dropped = ::setgroups(0, nullptr) == 0 && ::setgid(UnprivilegedId) == 0 && ::setuid(UnprivilegedId) == 0;
        const std::string answer = dropped ? piece() : "could not become an unprivileged user";
        ::_exit(::write(channel[1], answer.data(), answer.size()) == static_cast<ssize_t>(answer.size()) ? 0 : 1);
    }
    ::close(channel[1]);
    std::string answer;
    char buffer[4096];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        answer.append(buffer, static_cast<std::size_t>(got));
    ::close(channel[0]);
    ::wait(nullptr);
    return answer;
}

// Lets every user enter and read the folder, and hands it to the unprivileged
// user when `give` is true.
inline void OpenToOthers(const std::string& folder, bool give = false)
{
    std::filesystem::permissions(folder, std::filesystem::perms(0755));
    if (give && ::geteuid() == 0 && ::chown(folder.c_str(), UnprivilegedId, UnprivilegedId) != 0)
        throw std::filesystem::filesystem_error("chown", folder, std::error_code(errno, std::generic_category()));
}

} // namespace marn::test
