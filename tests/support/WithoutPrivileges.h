#pragma once

#include <gtest/gtest.h>

#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

namespace kvitok::testing {

// Root ignores file permissions, and CI runs as root: checks of permissions run in a child
// process as the unprivileged user 65534 then, and directly otherwise. Returns the check's
// result (0..254), or -1 when the privileges cannot be dropped.
inline int RunWithoutPrivileges(const std::function<int()>& check) {
    if (geteuid() != 0) {
        return check();
    }
    const pid_t child = fork();
    if (child == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0) {
            _exit(255);
        }
        _exit(check());
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) == 255) {
        return -1;
    }
    return WEXITSTATUS(status);
}

// Hands a file or folder to the user RunWithoutPrivileges runs as, when that is not us.
inline void GiveToUnprivileged(const std::filesystem::path& path) {
    if (geteuid() == 0 && lchown(path.c_str(), 65534, 65534) != 0) {
        ADD_FAILURE() << "cannot hand " << path << " to user 65534";
    }
}

} // namespace kvitok::testing
