#include "tests/support/Privileges.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <thread>

namespace fs = std::filesystem;

namespace testsupport {

void EndWithTestProgram(pid_t parent) {
    if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() != parent) _exit(124);
}

bool WaitForChild(pid_t pid, int& status) {
    const auto deadline = std::chrono::steady_clock::now() + kChildLimit;
    auto pause = std::chrono::milliseconds(1);
    pid_t ended;
    while (((ended = waitpid(pid, &status, WNOHANG)) == 0 || (ended < 0 && errno == EINTR)) &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(20));
    }
    if (ended == 0) {
        kill(pid, SIGKILL);
        ADD_FAILURE() << "A child of the test did not end within " << kChildLimit.count() << " s: it was killed";
        while ((ended = waitpid(pid, &status, 0)) < 0 && errno == EINTR) {
        }
    }
    return ended == pid;
}

int RunAsNobody(const std::function<int()>& body) {
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid < 0) return 127;
    if (pid == 0) {
        if (geteuid() == 0) {
            if (setgroups(0, nullptr) != 0 || setresgid(kNobody, kNobody, kNobody) != 0 ||
                setresuid(kNobody, kNobody, kNobody) != 0)
                _exit(126);
        }
        EndWithTestProgram(parent);
        int code = 125;
        try {
            code = body();
        } catch (...) {
        }
        _exit(code);
    }
    int status = 0;
    if (!WaitForChild(pid, status)) return 127;
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 127;
}

void OpenPathToEveryone(const std::string& native) {
    for (fs::path p = native; !p.empty() && p != p.root_path(); p = p.parent_path()) {
        struct stat st;
        if (lstat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && !(st.st_mode & S_IXOTH))
            chmod(p.c_str(), (st.st_mode & 07777) | S_IXOTH);
    }
}

void GiveToNobody(const std::string& native) {
    std::error_code ec;
    lchown(native.c_str(), kNobody, kNobody);
    for (auto it = fs::recursive_directory_iterator(native, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
        lchown(it->path().c_str(), kNobody, kNobody);
}

}  // namespace testsupport
