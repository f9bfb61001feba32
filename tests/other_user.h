#pragma once
// Permission tests need a user who is not the owner of the test's files. As root,
// `check` runs in a child process switched to a second user (made with useradd when
// it is missing); otherwise it runs right here, since folder and file permissions
// already apply to an unprivileged user. The result is what `check` returns (0-255),
// or nothing when the tests run as root and no second user can be had.

#include <cstdlib>
#include <functional>
#include <grp.h>
#include <optional>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quelvar::test {

inline constexpr const char* kSecondUser = "quelvar-test";

inline bool runningAsRoot()
{
    return ::geteuid() == 0;
}

inline const passwd* secondUser()
{
    if (const passwd* user = ::getpwnam(kSecondUser)) return user;
    // Two test programs may add it at once; the loser finds it afterwards.
    [[maybe_unused]] const int added = std::system(
        "useradd --system --no-create-home --shell /usr/sbin/nologin quelvar-test 2>/dev/null");
    return ::getpwnam(kSecondUser);
}

inline std::optional<int> asOtherUser(const std::function<int()>& check)
{
    if (!runningAsRoot()) return check();
    const passwd* user = secondUser();
    if (user == nullptr) return std::nullopt;
    const pid_t child = ::fork();
    if (child == 0) {
        const bool switched = ::setgroups(0, nullptr) == 0 && ::setgid(user->pw_gid) == 0 &&
                              ::setuid(user->pw_uid) == 0;
        ::_exit(switched ? check() : 255);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return 255;
    return WEXITSTATUS(status);
}

}  // namespace quelvar::test
