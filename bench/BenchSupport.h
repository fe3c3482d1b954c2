// What the benchmarks share: where they work, whole runs of each side in
// rotated order with the minimum and median of every step, bare loops that
// work beneath held folders with the very calls ours makes, and
// measurements made in a process of their own.
//
// QM_BENCH_DIR chooses the folder to work in (default: the temp folder; use
// /dev/shm for tmpfs, where disk latency hides nothing); QM_BENCH_ROUNDS the
// number of rounds (default 3).
#pragma once

#include <benchmark/benchmark.h>

#include <dirent.h>
#include <sched.h>
#include <fcntl.h>
#include <linux/openat2.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "core/SettingsStore.h"
#include "platform/FileSystem.h"

extern char** environ;

namespace bench {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

inline fs::path BaseFolder() {
    const char* base = std::getenv("QM_BENCH_DIR");
    return (base && *base) ? fs::path(base) : fs::temp_directory_path();
}

inline int Rounds() {
    const char* text = std::getenv("QM_BENCH_ROUNDS");
    return text && std::atoi(text) > 0 ? std::atoi(text) : 3;
}

// A fresh folder below BaseFolder(), mapped as `drive`, removed at the end.
class Workspace {
public:
    Workspace(const char* name, char drive) : drive_(drive) {
        std::string tmpl = (BaseFolder() / (std::string(name) + "-XXXXXX")).string();
        if (!mkdtemp(tmpl.data())) std::abort();
        root_ = tmpl;
        plat::MapDrive(drive_, root_);
        // The program's own folder, which every run fences: apart from what
        // the runs work on, or where QM_BENCH_PROGRAM puts it (a folder
        // below the workspace, "Pool/Program": inside a run's destination).
        const char* program = std::getenv("QM_BENCH_PROGRAM");
        const std::string rel = program && *program ? program : "Program";
        fs::create_directories(Native(rel + "/WorkingDir"));
        programBefore_ = GetProgramFolder();
        SetProgramFolder(Drive(rel));
        SetWorkingFoldersFromProgramFolder();
    }
    ~Workspace() {
        SetProgramFolder(programBefore_);
        SetWorkingFoldersFromProgramFolder();
        plat::UnmapDrive(drive_);
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;
    const std::string& root() const { return root_; }
    std::string Native(const std::string& rel) const { return root_ + "/" + rel; }
    // "V:\<rel>" with backslashes.
    std::string Drive(std::string rel) const {
        std::replace(rel.begin(), rel.end(), '/', '\\');
        return std::string(1, drive_) + ":\\" + rel;
    }

private:
    char drive_;
    std::string root_;
    std::string programBefore_;
};

// ---- bare calls beneath a held folder, as ours makes them ----------------------------------

// openat2 below `dir`, never through a link or a mount point.
inline int OpenBeneath(int dir, const char* rel, int flags) {
    open_how how{};
    how.flags = static_cast<std::uint64_t>(flags | O_CLOEXEC);
    how.resolve = RESOLVE_BENEATH | RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS | RESOLVE_NO_XDEV;
    return static_cast<int>(syscall(SYS_openat2, dir, rel, &how, sizeof how));
}

inline std::string_view ParentOf(std::string_view rel) {
    const std::size_t slash = rel.rfind('/');
    return slash == std::string_view::npos ? std::string_view() : rel.substr(0, slash);
}
inline const char* NameOf(const std::string& rel) {
    const std::size_t slash = rel.rfind('/');
    return rel.c_str() + (slash == std::string::npos ? 0 : slash + 1);
}

// The handles of the folders on the last path used below a base: a folder
// is opened once from the deepest held folder above it, as ours resolves.
class HeldFolders {
public:
    explicit HeldFolders(const std::string& base) : base_(open(base.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)) {}
    ~HeldFolders() {
        Release();
        close(base_);
    }
    HeldFolders(const HeldFolders&) = delete;
    HeldFolders& operator=(const HeldFolders&) = delete;

    int Dir(std::string_view rel) {
        if (rel.empty()) return base_;
        int from = base_;
        std::size_t fromLen = 0, keep = 0;
        for (; keep < held_.size(); ++keep) {
            const std::string& h = held_[keep].first;
            if (rel.size() < h.size() || rel.compare(0, h.size(), h) != 0 ||
                (rel.size() > h.size() && rel[h.size()] != '/'))
                break;
            if (rel.size() == h.size()) {
                Drop(keep + 1);
                return held_[keep].second;
            }
            from = held_[keep].second;
            fromLen = h.size() + 1;
        }
        Drop(keep);
        const int fd = OpenBeneath(from, std::string(rel.substr(fromLen)).c_str(), O_PATH | O_DIRECTORY);
        if (fd >= 0) held_.emplace_back(std::string(rel), fd);
        return fd;
    }
    // After `rel` was removed: its handle and those below it go.
    void Forget(std::string_view rel) {
        for (std::size_t i = 0; i < held_.size(); ++i)
            if (held_[i].first.size() >= rel.size() && held_[i].first.compare(0, rel.size(), rel) == 0 &&
                (held_[i].first.size() == rel.size() || held_[i].first[rel.size()] == '/')) {
                Drop(i);
                return;
            }
    }
    void Release() { Drop(0); }

private:
    void Drop(std::size_t from) {
        for (std::size_t i = from; i < held_.size(); ++i) close(held_[i].second);
        held_.resize(std::min(from, held_.size()));
    }
    int base_;
    std::vector<std::pair<std::string, int>> held_;
};

// What a bare loop records of each folder or file it made, for its undo.
struct BareMade {
    std::string rel;
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    std::int64_t mtimeNs = 0;
    bool file = false;
};

inline std::int64_t MtimeNs(const struct stat& st) {
    return static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

// mkdirat below the held parent, then the new folder's identity.
inline void BareMakeFolder(HeldFolders& held, std::string rel, std::vector<BareMade>& made) {
    const int dir = held.Dir(ParentOf(rel));
    const char* name = NameOf(rel);
    struct stat st;
    if (mkdirat(dir, name, 0777) != 0 || fstatat(dir, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return;
    made.push_back({std::move(rel), st.st_dev, st.st_ino, 0, 0, false});
}

// A copy as safe as ours: never through a link, into an unnamed file with
// the source's permission bits and times, linked into place without
// replacing anything, its identity, size and time read back. Where the file
// system has no unnamed files (FUSE), a named temporary renamed into place
// without replacing, as ours does there.
inline void BareSafeCopy(HeldFolders& from, const std::string& source, HeldFolders& to, std::string rel,
                         std::vector<BareMade>& made) {
    const int in = openat(from.Dir(ParentOf(source)), NameOf(source), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY |
                                                                          O_CLOEXEC);
    if (in < 0) return;
    struct stat st;
    fstat(in, &st);
    const int dir = to.Dir(ParentOf(rel));
    std::string temp;
    int out = openat(dir, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (out < 0) {
        temp = std::string(".bare-") + NameOf(rel);
        out = openat(dir, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    }
    bool ok = out >= 0;
    for (off_t left = st.st_size; ok && left > 0;) {
        const ssize_t n = copy_file_range(in, nullptr, out, nullptr, static_cast<size_t>(left), 0);
        ok = n > 0;
        left -= n;
    }
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    ok = ok && fchmod(out, st.st_mode & 0777) == 0 && futimens(out, times) == 0;
    close(in);
    if (temp.empty()) {
        ok = ok && linkat(out, "", dir, NameOf(rel), AT_EMPTY_PATH) == 0;
    } else {
        ok = ok && renameat2(dir, temp.c_str(), dir, NameOf(rel), RENAME_NOREPLACE) == 0;
        if (!ok) unlinkat(dir, temp.c_str(), 0);
    }
    if (ok && fstat(out, &st) == 0)
        made.push_back({std::move(rel), st.st_dev, st.st_ino, st.st_size, MtimeNs(st), true});
    if (out >= 0) close(out);
}

// Removes what a bare loop made as ours undoes: files first, each only when
// it is the very file left unchanged, then folders in reverse creation
// order, each only when it is the very folder.
inline void BareSafeRemove(HeldFolders& held, std::vector<BareMade>& made) {
    struct stat st;
    for (const BareMade& m : made) {
        if (!m.file) continue;
        const int dir = held.Dir(ParentOf(m.rel));
        if (fstatat(dir, NameOf(m.rel), &st, AT_SYMLINK_NOFOLLOW) == 0 && st.st_ino == m.ino && st.st_dev == m.dev &&
            st.st_size == m.size && MtimeNs(st) == m.mtimeNs)
            unlinkat(dir, NameOf(m.rel), 0);
    }
    for (auto it = made.rbegin(); it != made.rend(); ++it) {
        if (it->file) continue;
        const int dir = held.Dir(ParentOf(it->rel));
        if (fstatat(dir, NameOf(it->rel), &st, AT_SYMLINK_NOFOLLOW) == 0 && st.st_ino == it->ino &&
            st.st_dev == it->dev && unlinkat(dir, NameOf(it->rel), AT_REMOVEDIR) == 0)
            held.Forget(it->rel);
    }
    held.Release();
    std::vector<BareMade>().swap(made);
}

// ---- walks ----------------------------------------------------------------------------------------------

// What a walk met: folders, files and their bytes, and all entries.
struct WalkCount {
    std::uint64_t folders = 0, files = 0, bytes = 0, entries = 0;
};

inline bool IsDots(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// A folder below the walk's root opened for listing beneath its held parent.
inline int OpenListed(HeldFolders& held, const std::string& folder) {
    if (folder.empty()) return openat(held.Dir(""), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    return OpenBeneath(held.Dir(ParentOf(folder)), NameOf(folder), O_RDONLY | O_DIRECTORY);
}

// Breadth first: each folder opened beneath the held one above it, each
// entry stat'ed in its folder, as ours does.
inline WalkCount SameCallsWalk(const std::string& root) {
    WalkCount c;
    HeldFolders held(root);
    std::deque<std::string> queue{""};
    struct stat st;
    while (!queue.empty()) {
        const std::string folder = std::move(queue.front());
        queue.pop_front();
        const int dfd = OpenListed(held, folder);
        DIR* dir = dfd >= 0 ? fdopendir(dfd) : nullptr;
        if (!dir) continue;
        while (dirent* d = readdir(dir)) {
            if (IsDots(d->d_name) || fstatat(dfd, d->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
            ++c.entries;
            if (S_ISDIR(st.st_mode)) {
                ++c.folders;
                queue.push_back(folder.empty() ? std::string(d->d_name) : folder + "/" + d->d_name);
            } else if (S_ISREG(st.st_mode)) {
                ++c.files;
                c.bytes += static_cast<std::uint64_t>(st.st_size);
            }
        }
        closedir(dir);
    }
    return c;
}

// The same, the kinds taken from the listing: no stat at all.
inline WalkCount KindsWalk(const std::string& root) {
    WalkCount c;
    HeldFolders held(root);
    std::deque<std::string> queue{""};
    while (!queue.empty()) {
        const std::string folder = std::move(queue.front());
        queue.pop_front();
        const int dfd = OpenListed(held, folder);
        DIR* dir = dfd >= 0 ? fdopendir(dfd) : nullptr;
        if (!dir) continue;
        while (dirent* d = readdir(dir)) {
            if (IsDots(d->d_name)) continue;
            ++c.entries;
            bool folderEntry = d->d_type == DT_DIR;
            if (d->d_type == DT_UNKNOWN) {
                struct stat st;
                folderEntry = fstatat(dfd, d->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
            }
            if (folderEntry) {
                ++c.folders;
                queue.push_back(folder.empty() ? std::string(d->d_name) : folder + "/" + d->d_name);
            } else if (d->d_type == DT_REG) {
                ++c.files;
            }
        }
        closedir(dir);
    }
    return c;
}

// The plain walk: opendir and lstat by full path.
inline WalkCount PlainWalk(const std::string& root) {
    WalkCount c;
    std::deque<std::string> queue{root};
    while (!queue.empty()) {
        const std::string folder = std::move(queue.front());
        queue.pop_front();
        DIR* dir = opendir(folder.c_str());
        if (!dir) continue;
        while (dirent* d = readdir(dir)) {
            if (IsDots(d->d_name)) continue;
            std::string path = folder + "/" + d->d_name;
            struct stat st;
            if (lstat(path.c_str(), &st) != 0) continue;
            ++c.entries;
            if (S_ISDIR(st.st_mode)) {
                ++c.folders;
                queue.push_back(std::move(path));
            } else if (S_ISREG(st.st_mode)) {
                ++c.files;
                c.bytes += static_cast<std::uint64_t>(st.st_size);
            }
        }
        closedir(dir);
    }
    return c;
}

// The same work by bare calls: each folder listed by its path below the
// top (as the kernel resolves it from there), other entries unlinked, the
// folders removed deepest first.
inline void BareDelete(const std::string& top, const std::vector<std::string>& mains) {
    const int topFd = open(top.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
    std::vector<std::string> folders;
    std::deque<std::string> queue(mains.begin(), mains.end());
    while (!queue.empty()) {
        std::string rel = std::move(queue.front());
        queue.pop_front();
        const int fd = openat(topFd, rel.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
        folders.push_back(rel);
        if (fd < 0) continue;
        DIR* dir = fdopendir(fd);
        while (dirent* e = readdir(dir)) {
            if (e->d_name[0] == '.' && (e->d_name[1] == 0 || (e->d_name[1] == '.' && e->d_name[2] == 0))) continue;
            if (e->d_type == DT_DIR)
                queue.push_back(rel + "/" + e->d_name);
            else
                unlinkat(fd, e->d_name, 0);
        }
        closedir(dir);
    }
    for (auto it = folders.rbegin(); it != folders.rend(); ++it)
        if (*it != ".") unlinkat(topFd, it->c_str(), AT_REMOVEDIR);
    close(topFd);
    if (mains.size() == 1 && mains[0] == ".") rmdir(top.c_str());
}

// ---- whole runs of each side, taking turns ----------------------------------------------------

// This thread's processor time so far, in user space and in the kernel.
inline std::pair<double, double> ThreadCpu() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return {seconds(usage.ru_utime), seconds(usage.ru_stime)};
}

// The whole process's processor time so far, every thread's, user and kernel.
inline double ProcessCpu() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Whether the side of this name runs: QM_BENCH_SIDES, a comma list of names
// (for profiling one side alone), or every side when it is unset.
inline bool SideWanted(const std::string& name) {
    const char* text = std::getenv("QM_BENCH_SIDES");
    if (!text || !*text) return true;
    const std::string list = std::string(",") + text + ",";
    return list.find("," + name + ",") != std::string::npos;
}

// Every side runs its steps (e.g. make, then remove) as whole runs; the side
// that goes first changes every round, so that work the file system puts
// off lands on every side alike. Set-up before a side and a sync between
// steps are not timed. Side 0 is ours; the ratios set it against each other.
// Beside the time, each step's processor time in user space and in the
// kernel (the calling thread's) and every thread's together (all_cpu) show
// where the difference lies.
class Sides {
public:
    explicit Sides(std::vector<std::string> steps) : steps_(std::move(steps)) {}

    void Add(std::string name, std::function<void()> setUp, std::vector<std::function<void()>> steps) {
        if (!SideWanted(name)) return;
        sides_.push_back({std::move(name), std::move(setUp), std::move(steps), {}, {}, {}, {}});
        sides_.back().times.resize(steps_.size());
        sides_.back().user.resize(steps_.size());
        sides_.back().kernel.resize(steps_.size());
        sides_.back().all.resize(steps_.size());
    }

    void Round(int round) {
        const std::size_t n = sides_.size();
        for (std::size_t k = 0; k < n; ++k) {
            Side& side = sides_[(static_cast<std::size_t>(round) + k) % n];
            if (side.setUp) side.setUp();
            for (std::size_t s = 0; s < side.steps.size(); ++s) {
                sync();
                const auto cpu0 = ThreadCpu();
                const double all0 = ProcessCpu();
                const auto t0 = Clock::now();
                side.steps[s]();
                side.times[s].push_back(Seconds(Clock::now() - t0));
                const auto cpu1 = ThreadCpu();
                side.all[s].push_back(ProcessCpu() - all0);
                side.user[s].push_back(cpu1.first - cpu0.first);
                side.kernel[s].push_back(cpu1.second - cpu0.second);
            }
        }
    }

    void RunRounds() {
        for (int round = 0, rounds = Rounds(); round < rounds; ++round) Round(round);
    }

    static double Min(const std::vector<double>& v) { return v.empty() ? 0 : *std::min_element(v.begin(), v.end()); }
    static double Median(std::vector<double> v) {
        if (v.empty()) return 0;
        std::sort(v.begin(), v.end());
        return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
    }

    // <step>_<side>_min_s / _med_s (and the median processor time in user
    // space and in the kernel), and <step>_ratio_<side>_min / _med of ours
    // against each other side.
    void Report(benchmark::State& state) const {
        const Side& ours = sides_.front();
        state.SetIterationTime(Min(ours.times.front()));
        for (std::size_t s = 0; s < steps_.size(); ++s) {
            for (const Side& side : sides_) {
                if (side.times[s].empty()) continue;
                state.counters[steps_[s] + "_" + side.name + "_min_s"] = Min(side.times[s]);
                state.counters[steps_[s] + "_" + side.name + "_med_s"] = Median(side.times[s]);
                state.counters[steps_[s] + "_" + side.name + "_user_med_s"] = Median(side.user[s]);
                state.counters[steps_[s] + "_" + side.name + "_kernel_med_s"] = Median(side.kernel[s]);
                state.counters[steps_[s] + "_" + side.name + "_all_cpu_med_s"] = Median(side.all[s]);
                if (&side == &ours || ours.times[s].empty()) continue;
                state.counters[steps_[s] + "_ratio_" + side.name + "_min"] = Min(ours.times[s]) / Min(side.times[s]);
                state.counters[steps_[s] + "_ratio_" + side.name + "_med"] =
                    Median(ours.times[s]) / Median(side.times[s]);
            }
        }
    }

private:
    struct Side {
        std::string name;
        std::function<void()> setUp;
        std::vector<std::function<void()>> steps;
        std::vector<std::vector<double>> times, user, kernel, all;
    };
    std::vector<std::string> steps_;
    std::vector<Side> sides_;
};

// ---- memory, measured in a process of its own ---------------------------------------------------

inline long ResidentKb() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The resident high-water mark since the start or the last ResetHighWater().
inline long HighWaterKb() {
    long kb = 0;
    if (FILE* f = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, f))
            if (std::sscanf(line, "VmHWM: %ld kB", &kb) == 1) break;
        std::fclose(f);
    }
    return kb;
}

inline void ResetHighWater() {
    if (FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", f);
        std::fclose(f);
    }
}

constexpr const char* kChildFlag = "--qm-child";

// Runs this program again as `<program> --qm-child <name> <arg>` and returns
// the "key value" lines the child printed. Empty when it failed.
inline std::map<std::string, double> MeasureInChild(const std::string& name, long arg) {
    std::map<std::string, double> values;
    int fds[2];
    if (pipe(fds) != 0) return values;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    const std::string argText = std::to_string(arg);
    char* argv[] = {const_cast<char*>("/proc/self/exe"), const_cast<char*>(kChildFlag), const_cast<char*>(name.c_str()),
                    const_cast<char*>(argText.c_str()), nullptr};
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, "/proc/self/exe", &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    std::string out;
    char buf[4096];
    for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;) out.append(buf, static_cast<std::size_t>(n));
    close(fds[0]);
    int status = 0;
    if (spawned != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return values;
    std::size_t at = 0;
    while (at < out.size()) {
        std::size_t end = out.find('\n', at);
        if (end == std::string::npos) end = out.size();
        const std::string line = out.substr(at, end - at);
        const std::size_t blank = line.find(' ');
        if (blank != std::string::npos) values[line.substr(0, blank)] = std::atof(line.c_str() + blank + 1);
        at = end + 1;
    }
    return values;
}

// In a child: prints one value for the parent.
inline void Put(const char* key, double value) { std::printf("%s %.6g\n", key, value); }

// A benchmark whose every iteration is one child's measurement of `name`
// at the benchmark's argument: the child's `timeKey` value as the time,
// and every value it printed as a counter.
inline void ChildIterations(benchmark::State& state, const char* name, const char* timeKey) {
    for (auto _ : state) {
        const auto values = MeasureInChild(name, static_cast<long>(state.range(0)));
        if (values.empty()) {
            state.SkipWithError("the measuring process failed");
            continue;
        }
        state.SetIterationTime(values.at(timeKey));
        for (const auto& [key, value] : values) state.counters[key] = value;
    }
}

// True in a child started by MeasureInChild: `name` and `arg` say what to measure.
inline bool IsChild(int argc, char** argv, std::string& name, long& arg) {
    if (argc != 4 || std::strcmp(argv[1], kChildFlag) != 0) return false;
    name = argv[2];
    arg = std::atol(argv[3]);
    return true;
}

// The pool's size a pool benchmark forces from QM_BENCH_WORKERS; 0: the
// file system's rule.
inline unsigned ForcedPool() {
    const char* text = std::getenv("QM_BENCH_WORKERS");
    return text && std::atoi(text) > 0 ? static_cast<unsigned>(std::atoi(text)) : 0;
}

// The structure the copy benchmarks attach, in S below the workspace: 4
// folders with 4 subfolders each (20 folders), 50 files of 512 bytes.
struct CopyStructure {
    std::vector<std::string> folders, files;  // relative to S, parents first
};
inline CopyStructure MakeCopyStructure(const Workspace& ws) {
    CopyStructure s;
    for (int i = 0; i < 4; ++i) {
        s.folders.push_back("Area " + std::to_string(i));
        for (int j = 0; j < 4; ++j) s.folders.push_back("Area " + std::to_string(i) + "/Item " + std::to_string(j));
    }
    for (int k = 0; k < 50; ++k)
        s.files.push_back(s.folders[static_cast<std::size_t>(k % 20)] + "/note" + std::to_string(k) + ".txt");
    for (const auto& f : s.folders) fs::create_directories(ws.Native("S/" + f));
    for (const auto& f : s.files) std::ofstream(ws.Native("S/" + f), std::ios::binary) << std::string(512, 'x');
    return s;
}

// The climb from a held main folder to the root that tells whether a
// structure holds it.
inline void ClimbToRoot(int folder) {
    for (int cur = dup(folder);;) {
        struct stat here {}, above {};
        fstat(cur, &here);
        const int up = openat(cur, "..", O_PATH | O_DIRECTORY | O_CLOEXEC);
        close(cur);
        fstat(up, &above);
        if (above.st_ino == here.st_ino && above.st_dev == here.st_dev) {
            close(up);
            return;
        }
        cur = up;
    }
}

// A bare worker thread's start: as a run's workers, on a table of handles of
// its own when there are several (QM_BENCH_SHARED_TABLE=1 keeps the
// process's, to see what the own tables give).
inline void BareWorkerStart(unsigned threads) {
    if (threads > 1 && !std::getenv("QM_BENCH_SHARED_TABLE")) unshare(CLONE_FILES);
}

// Items 0 .. count - 1 on `threads` threads, each taking the next.
inline void BareThreads(unsigned threads, int count, const std::function<void(int)>& item) {
    std::atomic<int> next{0};
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < threads; ++t)
        pool.emplace_back([&] {
            BareWorkerStart(threads);
            for (int i; (i = next.fetch_add(1)) < count;) item(i);
        });
    for (auto& th : pool) th.join();
}

// The same, each thread beneath its own handle on `folder`.
inline void BareThreads(unsigned threads, int count, const std::string& folder,
                        const std::function<void(int, HeldFolders&)>& item) {
    std::atomic<int> next{0};
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < threads; ++t)
        pool.emplace_back([&] {
            BareWorkerStart(threads);
            HeldFolders held(folder);
            for (int i; (i = next.fetch_add(1)) < count;) item(i, held);
        });
    for (auto& th : pool) th.join();
}

}  // namespace bench
