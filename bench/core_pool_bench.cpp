// What overlapping gains on a file system: bare loops of the calls a run
// makes, one main folder at a time against the same loop on T threads, each
// thread taking whole main folders. These are the figures the pool size
// follows (plat::RunWorkerCount); read the ratios, not the times.
//   create: a main folder and 5 subfolders in it (mkdirat, openat)
//   flat:   a main folder alone: every item makes an entry of one folder
//   remove: a main folder holding 5 subfolders of 2 files each, listed and
//           removed (openat, getdents, unlinkat, rmdir)
//   copy:   8 files of 1 KB into each main folder, each made new (openat,
//           read, write)
//   look:   the tree of remove walked, each entry looked at (openat,
//           getdents, fstatat), as a check or a simulation does
// QM_BENCH_DIR: where to work (default: the temp folder). QM_BENCH_BACKING:
// the same folder without the slow layer above it (latfs's backing folder),
// where the trees are made before each round. QM_BENCH_MAINS: main folders
// per round (default 10,000; 256 on FUSE and network file systems).
// QM_BENCH_THREADS: the largest pool (default 64).
#include <benchmark/benchmark.h>

#include <dirent.h>
#include <sched.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
constexpr int kRounds = 3;
constexpr int kSubs = 5;
constexpr int kFilesPerSub = 2;
constexpr int kCopies = 8;

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v && *v ? v : "";
}

// The working folder seen twice: where the loops run, and where trees are
// made for them (the same folder unless a backing folder is named).
struct Place {
    std::string work, make;
    int mains = 10000;
    int maxThreads = 64;

    static Place& Get() {
        static Place p;
        return p;
    }

private:
    Place() {
        const std::string dir = Env("QM_BENCH_DIR");
        std::string tmpl = (dir.empty() ? fs::temp_directory_path().string() : dir) + "/qm-pool-XXXXXX";
        if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
        work = tmpl;
        const std::string backing = Env("QM_BENCH_BACKING");
        make = backing.empty() ? work : backing + "/" + fs::path(work).filename().string();
        struct statfs sfs {};
        if (statfs(work.c_str(), &sfs) == 0 && (sfs.f_type == 0x65735546 /* FUSE */ || sfs.f_type == 0x6969 /* NFS */))
            mains = 256;
        if (const std::string m = Env("QM_BENCH_MAINS"); !m.empty()) mains = std::max(1, std::atoi(m.c_str()));
        if (const std::string t = Env("QM_BENCH_THREADS"); !t.empty()) maxThreads = std::max(1, std::atoi(t.c_str()));
    }
    ~Place() {
        std::error_code ec;
        fs::remove_all(make, ec);
        fs::remove_all(work, ec);
    }
};

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

std::string Main(int i) { return "M" + std::to_string(i); }

void Check(bool ok) {
    if (!ok) throw std::runtime_error("a bare call failed");
}

// ---- the work of one main folder, as bare calls ----------------------------------------------

void CreateMain(int root, int i) {
    const std::string name = Main(i);
    Check(mkdirat(root, name.c_str(), 0755) == 0);
    const int fd = openat(root, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    Check(fd >= 0);
    for (int s = 0; s < kSubs; ++s) Check(mkdirat(fd, ("S" + std::to_string(s)).c_str(), 0755) == 0);
    close(fd);
}

// Removes every entry of the folder `name` below `parent`, then the folder.
void RemoveTree(int parent, const char* name) {
    const int fd = openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    Check(fd >= 0);
    DIR* dir = fdopendir(fd);
    Check(dir != nullptr);
    std::vector<std::pair<std::string, bool>> entries;
    while (dirent* e = readdir(dir)) {
        if (e->d_name[0] == '.' && (!e->d_name[1] || (e->d_name[1] == '.' && !e->d_name[2]))) continue;
        entries.emplace_back(e->d_name, e->d_type == DT_DIR);
    }
    for (const auto& [n, folder] : entries) {
        if (folder) RemoveTree(dirfd(dir), n.c_str());
        else Check(unlinkat(dirfd(dir), n.c_str(), 0) == 0);
    }
    closedir(dir);
    Check(unlinkat(parent, name, AT_REMOVEDIR) == 0);
}

void RemoveMain(int root, int i) { RemoveTree(root, Main(i).c_str()); }

// Looks at every entry of the folder `name` below `parent` and below it.
void LookTree(int parent, const char* name) {
    const int fd = openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    Check(fd >= 0);
    DIR* dir = fdopendir(fd);
    Check(dir != nullptr);
    std::vector<std::string> folders;
    while (dirent* e = readdir(dir)) {
        if (e->d_name[0] == '.' && (!e->d_name[1] || (e->d_name[1] == '.' && !e->d_name[2]))) continue;
        struct stat st {};
        Check(fstatat(dirfd(dir), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0);
        if (S_ISDIR(st.st_mode)) folders.emplace_back(e->d_name);
    }
    for (const std::string& f : folders) LookTree(dirfd(dir), f.c_str());
    closedir(dir);
}

void CopyInto(int source, int root, int i) {
    const int out = openat(root, Main(i).c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    Check(out >= 0);
    char buf[4096];
    for (int f = 0; f < kCopies; ++f) {
        const std::string name = "f" + std::to_string(f) + ".txt";
        const int in = openat(source, name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        const int to = openat(out, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        Check(in >= 0 && to >= 0);
        for (ssize_t n; (n = read(in, buf, sizeof buf)) > 0;) Check(write(to, buf, static_cast<std::size_t>(n)) == n);
        close(in);
        close(to);
    }
    close(out);
}

// ---- one side: the loop on T threads ------------------------------------------------------------

// Every main folder once, each thread taking the next one; T = 1 is the
// plain loop on the calling thread.
double RunLoop(int threads, int mains, const std::function<void(int)>& one) {
    const auto t0 = Clock::now();
    if (threads == 1) {
        for (int i = 0; i < mains; ++i) one(i);
        return Seconds(Clock::now() - t0);
    }
    std::atomic<int> next{0};
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t)
        pool.emplace_back([&] {
            // As a run's workers: a table of handles of its own.
            if (!std::getenv("QM_BENCH_SHARED_TABLE")) unshare(CLONE_FILES);
            for (int i; (i = next.fetch_add(1, std::memory_order_relaxed)) < mains;) one(i);
        });
    for (auto& th : pool) th.join();
    return Seconds(Clock::now() - t0);
}

std::vector<int> ThreadCounts() {
    std::vector<int> counts;
    for (int t = 1; t <= Place::Get().maxThreads; t *= 2) counts.push_back(t);
    return counts;
}

int OpenFolder(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    Check(fd >= 0);
    return fd;
}

// A tree for one side, made where trees are made (many threads: the set-up
// is not measured).
void MakeSideTree(const std::string& side, int mains, bool subs, bool files) {
    fs::create_directories(side);
    const int root = OpenFolder(side);
    RunLoop(16, mains, [&](int i) {
        Check(mkdirat(root, Main(i).c_str(), 0755) == 0);
        if (!subs) return;
        const int fd = openat(root, Main(i).c_str(), O_RDONLY | O_DIRECTORY);
        for (int s = 0; s < kSubs; ++s) {
            const std::string sub = "S" + std::to_string(s);
            Check(mkdirat(fd, sub.c_str(), 0755) == 0);
            if (!files) continue;
            for (int f = 0; f < kFilesPerSub; ++f) {
                const int file = openat(fd, (sub + "/f" + std::to_string(f)).c_str(), O_WRONLY | O_CREAT, 0644);
                Check(file >= 0);
                close(file);
            }
        }
        close(fd);
    });
    close(root);
}

enum class Op { Create, Flat, Remove, Copy, Look };

void Measure(benchmark::State& state, Op op) {
    Place& place = Place::Get();
    const std::vector<int> counts = ThreadCounts();
    std::vector<std::vector<double>> times(counts.size());
    for (auto _ : state) {
        for (int round = 0; round < kRounds; ++round) {
            const std::string roundDir = "/r" + std::to_string(round);
            if (op == Op::Copy) {
                fs::create_directories(place.make + roundDir + "/Src");
                for (int f = 0; f < kCopies; ++f) {
                    const std::string p = place.make + roundDir + "/Src/f" + std::to_string(f) + ".txt";
                    const int fd = open(p.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
                    Check(fd >= 0 && write(fd, std::string(1024, 'x').data(), 1024) == 1024);
                    close(fd);
                }
            }
            for (std::size_t k = 0; k < counts.size(); ++k) {
                const std::string side = roundDir + "/T" + std::to_string(counts[k]);
                if (op == Op::Create || op == Op::Flat) fs::create_directories(place.make + side);
                else MakeSideTree(place.make + side, place.mains, op != Op::Copy, op != Op::Copy);
            }
            sync();
            // Rotated: each round starts with another pool size.
            for (std::size_t j = 0; j < counts.size(); ++j) {
                const std::size_t k = (static_cast<std::size_t>(round) + j) % counts.size();
                const int root = OpenFolder(place.work + roundDir + "/T" + std::to_string(counts[k]));
                const int source = op == Op::Copy ? OpenFolder(place.work + roundDir + "/Src") : -1;
                std::function<void(int)> one;
                if (op == Op::Create) one = [root](int i) { CreateMain(root, i); };
                else if (op == Op::Flat) one = [root](int i) { Check(mkdirat(root, Main(i).c_str(), 0755) == 0); };
                else if (op == Op::Remove) one = [root](int i) { RemoveMain(root, i); };
                else if (op == Op::Look) one = [root](int i) { LookTree(root, Main(i).c_str()); };
                else one = [root, source](int i) { CopyInto(source, root, i); };
                times[k].push_back(RunLoop(counts[k], place.mains, one));
                close(root);
                if (source >= 0) close(source);
                sync();
            }
            std::error_code ec;
            fs::remove_all(place.make + roundDir, ec);
        }
    }
    const auto minOf = [](std::vector<double> v) { return *std::min_element(v.begin(), v.end()); };
    const auto medianOf = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    state.SetIterationTime(minOf(times[0]));
    state.counters["mains"] = place.mains;
    for (std::size_t k = 0; k < counts.size(); ++k) {
        const std::string t = "T" + std::to_string(counts[k]);
        state.counters[t + "_min_s"] = minOf(times[k]);
        if (k > 0) {
            state.counters["ratio_" + t + "_min"] = minOf(times[0]) / minOf(times[k]);
            state.counters["ratio_" + t + "_med"] = medianOf(times[0]) / medianOf(times[k]);
        }
    }
}

void BM_BareCreate(benchmark::State& state) { Measure(state, Op::Create); }
void BM_BareFlat(benchmark::State& state) { Measure(state, Op::Flat); }
void BM_BareRemove(benchmark::State& state) { Measure(state, Op::Remove); }
void BM_BareCopy(benchmark::State& state) { Measure(state, Op::Copy); }
void BM_BareLook(benchmark::State& state) { Measure(state, Op::Look); }

}  // namespace

BENCHMARK(BM_BareCreate)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_BareFlat)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_BareRemove)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_BareCopy)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_BareLook)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
