#pragma once

#include <functional>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace rimo {

// Local accounts that do not exist on the machine: tests give temporary files
// to them (as root) to stand for a second user.
constexpr uid_t kOtherUser = 54321;
constexpr uid_t kThirdUser = 54322;

// Runs `work` in a child process as user and group `id` and returns its exit
// status (-1 when it did not end normally, 125 when the switch failed). Only
// root can switch; the caller skips otherwise. The child never returns into
// the test framework.
inline int RunAsUser(uid_t id, const std::function<int()>& work) {
    const pid_t child = ::fork();
    if (child < 0) {
        return -1;
    }
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setresgid(id, id, id) != 0 ||
            ::setresuid(id, id, id) != 0) {
            ::_exit(125);
        }
        ::_exit(work());
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

} // namespace rimo
