#include "tests/support/Privileges.h"

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace testsupport {

int RunAsNobody(const std::function<int()>& body) {
    const pid_t pid = fork();
    if (pid < 0) return 127;
    if (pid == 0) {
        if (geteuid() == 0) {
            if (setgroups(0, nullptr) != 0 || setresgid(kNobody, kNobody, kNobody) != 0 ||
                setresuid(kNobody, kNobody, kNobody) != 0)
                _exit(126);
        }
        int code = 125;
        try {
            code = body();
        } catch (...) {
        }
        _exit(code);
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return 127;
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
