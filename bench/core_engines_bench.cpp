// The folder engines against the bare system calls doing the same work on
// the same tree: a measured walk against opendir/readdir/lstat, an undo
// against an rmdir loop, and the top-most flattening of 100,000 items.
#include <benchmark/benchmark.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/ExamineSubFolders.h"
#include "core/FolderFileUndo.h"
#include "core/FolderStructSize.h"
#include "platform/FileSystem.h"

namespace {

constexpr int kTops = 100;
constexpr int kLeavesPerTop = 999;  // 100 + 99,900 = 100,000 folders, one file in each
constexpr char kLetter = 'Q';

std::string Name(const char* prefix, int i) { return prefix + std::to_string(i); }

// One temporary folder mapped as Q:, holding the measured tree under
// "Tree"; made on first use, removed when the program ends.
class BenchDrive {
public:
    static BenchDrive& Get() {
        static BenchDrive drive;
        return drive;
    }
    const std::string& native() const { return native_; }
    std::string TreeNative() const { return native_ + "/Tree"; }

private:
    BenchDrive() {
        const char* tmp = std::getenv("TMPDIR");
        std::string tmpl = std::string(tmp && *tmp ? tmp : "/tmp") + "/qmbench-XXXXXX";
        if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
        native_ = tmpl;
        plat::MapDrive(kLetter, native_);
        MakeTree();
    }
    ~BenchDrive() {
        plat::UnmapDrive(kLetter);
        std::error_code ec;
        std::filesystem::remove_all(native_, ec);
    }

    void MakeTree() const {
        const std::string tree = TreeNative();
        mkdir(tree.c_str(), 0755);
        for (int t = 0; t < kTops; ++t) {
            const std::string top = tree + "/" + Name("Top", t);
            mkdir(top.c_str(), 0755);
            WriteSmallFile(top + "/top.txt");
            for (int l = 0; l < kLeavesPerTop; ++l) {
                const std::string leaf = top + "/" + Name("Leaf", l);
                mkdir(leaf.c_str(), 0755);
                WriteSmallFile(leaf + "/data.bin");
            }
        }
    }
    static void WriteSmallFile(const std::string& path) {
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0) return;
        const char data[] = "sixteen bytes!!";
        [[maybe_unused]] const ssize_t written = write(fd, data, sizeof data);
        close(fd);
    }

    std::string native_;
};

// ---- measuring a tree ------------------------------------------------------------

void BM_FolderStructSizeExamine(benchmark::State& state) {
    BenchDrive::Get();
    const std::string root = std::string(1, kLetter) + ":\\Tree";
    for (auto _ : state) {
        FolderStructSize size(root);
        size.Examine();
        if (size.GetFolderCount() != kTops * (kLeavesPerTop + 1)) state.SkipWithError("wrong folder count");
        benchmark::DoNotOptimize(size.GetTotalFileSize());
    }
    state.SetItemsProcessed(state.iterations() * 2 * kTops * (kLeavesPerTop + 1));
}
BENCHMARK(BM_FolderStructSizeExamine)->Unit(benchmark::kMillisecond)->Iterations(5);

// The floor: breadth-first opendir/readdir/lstat, counting and adding sizes.
void BM_BareWalk(benchmark::State& state) {
    const std::string root = BenchDrive::Get().TreeNative();
    for (auto _ : state) {
        std::deque<std::string> queue{root};
        std::uint64_t folders = 0, files = 0, bytes = 0;
        while (!queue.empty()) {
            const std::string folder = std::move(queue.front());
            queue.pop_front();
            DIR* dir = opendir(folder.c_str());
            if (!dir) continue;
            while (dirent* d = readdir(dir)) {
                if (d->d_name[0] == '.' && (d->d_name[1] == '\0' || (d->d_name[1] == '.' && d->d_name[2] == '\0')))
                    continue;
                std::string path = folder + "/" + d->d_name;
                struct stat st;
                if (lstat(path.c_str(), &st) != 0) continue;
                if (S_ISDIR(st.st_mode)) {
                    ++folders;
                    queue.push_back(std::move(path));
                } else if (S_ISREG(st.st_mode)) {
                    ++files;
                    bytes += static_cast<std::uint64_t>(st.st_size);
                }
            }
            closedir(dir);
        }
        if (folders != kTops * (kLeavesPerTop + 1)) state.SkipWithError("wrong folder count");
        benchmark::DoNotOptimize(bytes + files);
    }
    state.SetItemsProcessed(state.iterations() * 2 * kTops * (kLeavesPerTop + 1));
}
BENCHMARK(BM_BareWalk)->Unit(benchmark::kMillisecond)->Iterations(5);

// ---- undoing 100,000 created folders ---------------------------------------------

_tagCreatedFolder Made(const std::string& path, const std::string& native) {
    struct stat st {};
    lstat(native.c_str(), &st);
    return {path, {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)}, 0};
}

// Creates Undo\TopN\LeafM as a run would and returns, in creation order,
// what the run records and the Linux paths.
void MakeUndoTree(DEQ_CREATED_FOLDERS& made, std::vector<std::string>& natives) {
    const std::string base = BenchDrive::Get().native() + "/Undo";
    const std::string baseDrive = std::string(1, kLetter) + ":\\Undo";
    mkdir(base.c_str(), 0755);
    made.clear();
    natives.clear();
    for (int t = 0; t < kTops; ++t) {
        const std::string top = Name("Top", t);
        natives.push_back(base + "/" + top);
        mkdir(natives.back().c_str(), 0755);
        made.push_back(Made(baseDrive + "\\" + top, natives.back()));
        for (int l = 0; l < kLeavesPerTop; ++l) {
            natives.push_back(base + "/" + top + "/" + Name("Leaf", l));
            mkdir(natives.back().c_str(), 0755);
            made.push_back(Made(baseDrive + "\\" + top + "\\" + Name("Leaf", l), natives.back()));
        }
    }
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// The leaves are the recorded folders; the climb finds their parents in
// the record of everything the run made.
void BM_FolderFileUndoRemove(benchmark::State& state) {
    DEQ_CREATED_FOLDERS made;
    std::vector<std::string> natives;
    for (auto _ : state) {
        MakeUndoTree(made, natives);
        DEQ_CREATED_FOLDERS leaves;
        for (const auto& folder : made)
            if (folder.Path.find("Leaf") != std::string::npos) leaves.push_back(folder);
        plat::Beneath base;
        base.Open(std::string(1, kLetter) + ":\\Undo");
        const VEC_UNDO_BASES bases{{base.Folder(), base.Identity()}};
        const auto start = std::chrono::steady_clock::now();
        FolderFileUndo undo;
        undo.SetBases(bases);
        undo.SetCreatedFolders(std::move(leaves));
        undo.SetFoldersCreatedByRun(made);
        undo.PrepareCreateFromListDrives();
        undo.DeleteCreatedFiles();
        undo.RemoveCreatedFolders();
        undo.BuildReport();
        state.SetIterationTime(Seconds(start));
        if (!undo.GetReport().empty()) state.SkipWithError("undo left folders");
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(made.size()));
}
BENCHMARK(BM_FolderFileUndoRemove)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

void BM_BareRmdir(benchmark::State& state) {
    DEQ_CREATED_FOLDERS made;
    std::vector<std::string> natives;
    for (auto _ : state) {
        MakeUndoTree(made, natives);
        const auto start = std::chrono::steady_clock::now();
        std::size_t failed = 0;
        for (auto it = natives.rbegin(); it != natives.rend(); ++it)
            if (rmdir(it->c_str()) != 0) ++failed;
        state.SetIterationTime(Seconds(start));
        if (failed) state.SkipWithError("rmdir failed");
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(natives.size()));
}
BENCHMARK(BM_BareRmdir)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

// ---- flattening 100,000 Include items ---------------------------------------------

StringList MakeIncludeItems() {
    StringList items;
    for (int t = 0; t < 1000; ++t) {
        items.push_back("D:\\Jobs\\" + Name("Group", t));
        for (int s = 0; s < 98; ++s) items.push_back("d:\\JOBS\\" + Name("group", t) + "\\" + Name("Sub", s));
        items.push_back("D:\\Other\\" + Name("Group", t));
    }
    return items;
}

void BM_ExamineTopFolders(benchmark::State& state) {
    const StringList items = MakeIncludeItems();
    for (auto _ : state) {
        ExamineSubFolders examine(items);
        examine.ExamineTopFolders();
        if (examine.GetList().size() != 2000) state.SkipWithError("wrong result");
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(items.size()));
}
BENCHMARK(BM_ExamineTopFolders)->Unit(benchmark::kMillisecond);

// The floor for the same items: trimming and sorting alone.
void BM_ExamineSorted(benchmark::State& state) {
    const StringList items = MakeIncludeItems();
    for (auto _ : state) {
        ExamineSubFolders examine(items);
        examine.ExamineSorted();
        benchmark::DoNotOptimize(examine.GetList().size());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(items.size()));
}
BENCHMARK(BM_ExamineSorted)->Unit(benchmark::kMillisecond);

}  // namespace
