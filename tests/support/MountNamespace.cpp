#include "tests/support/MountNamespace.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/prctl.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "tests/support/Privileges.h"

namespace testsupport {

namespace {
constexpr int kCannotMount = 77;
int reasonPipe = -1;  // the child's end

bool WriteProcFile(const char* path, const std::string& text) {
    const int fd = open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool written = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    close(fd);
    return written;
}

// An ordinary user mounts in a user namespace of its own, where it is root
// over its own files alone.
void EnterOwnUserNamespace() {
    const uid_t uid = geteuid();
    const gid_t gid = getegid();
    // A process that changed its user (a test dropped to nobody) may not
    // write its own maps until it is dumpable again.
    prctl(PR_SET_DUMPABLE, 1);
    if (unshare(CLONE_NEWUSER) != 0) CannotMount("a user namespace of its own (unshare)");
    if (!WriteProcFile("/proc/self/setgroups", "deny") ||
        !WriteProcFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1\n") ||
        !WriteProcFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1\n"))
        CannotMount("its user namespace's maps");
}

}  // namespace

void CannotMount(const std::string& what) {
    const std::string text = what + ": " + std::strerror(errno);
    if (reasonPipe >= 0 && write(reasonPipe, text.data(), text.size()) < 0) {
        // The parent then says only that a mount could not be made.
    }
    _exit(kCannotMount);
}

MountChild InOwnMountNamespace(const std::function<int()>& body) {
    MountChild result;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        result.code = 127;
        return result;
    }
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid < 0) {
        close(fds[0]);
        close(fds[1]);
        result.code = 127;
        return result;
    }
    if (pid == 0) {
        close(fds[0]);
        reasonPipe = fds[1];
        if (geteuid() != 0) EnterOwnUserNamespace();
        if (unshare(CLONE_NEWNS) != 0) CannotMount("a mount namespace of its own (unshare)");
        if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) CannotMount("its root made private");
        EndWithTestProgram(parent);
        int code = 125;
        try {
            code = body();
        } catch (...) {
        }
        _exit(code);
    }
    close(fds[1]);
    // The reason is a line, which the pipe holds whole: read once the child
    // has ended.
    int status = 0;
    const bool waited = WaitForChild(pid, status);
    std::string why;
    char buffer[256];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) break;
        why.append(buffer, static_cast<std::size_t>(n));
    }
    close(fds[0]);
    if (!waited) {
        result.mounted = true;
        result.code = 127;
    } else if (WIFSIGNALED(status)) {
        result.mounted = true;
        result.code = 128 + WTERMSIG(status);
    } else if (WIFEXITED(status) && WEXITSTATUS(status) == kCannotMount && !why.empty()) {
        result.why = why;
    } else {
        result.mounted = true;
        result.code = WIFEXITED(status) ? WEXITSTATUS(status) : 127;
    }
    return result;
}

}  // namespace testsupport
