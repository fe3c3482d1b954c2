// The folder engines against the bare system calls doing the same work on
// the same tree, the sides taking turns in rotated rounds (see
// BenchSupport.h): a measured walk against one that opens each folder
// beneath the held one and stats each entry in it (the calls ours makes),
// one that takes kinds from the listing alone, and the plain one by full
// paths; an undo against an rmdir loop that checks each folder's identity
// beneath held folders, and the plain rmdir by path; and the top-most
// flattening of 100,000 items.
#include <benchmark/benchmark.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "core/ExamineSubFolders.h"
#include "core/FolderFileUndo.h"
#include "core/FolderStructSize.h"
#include "platform/FileSystem.h"

namespace {

constexpr int kTops = 100;
constexpr int kLeavesPerTop = 999;  // 100 + 99,900 = 100,000 folders, one file in each
constexpr char kLetter = 'Q';

std::string Name(const char* prefix, int i) { return prefix + std::to_string(i); }

// One workspace mapped as Q:, holding the measured tree under "Tree"; made
// on first use, removed when the program ends.
class BenchDrive {
public:
    static BenchDrive& Get() {
        static BenchDrive drive;
        return drive;
    }
    const std::string& native() const { return ws_.root(); }
    std::string TreeNative() const { return native() + "/Tree"; }

private:
    BenchDrive() : ws_("qmbench", kLetter) { MakeTree(); }

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

    bench::Workspace ws_;
};

// ---- measuring a tree ------------------------------------------------------------

void BM_FolderStructSizeWalk(benchmark::State& state) {
    const std::string root = BenchDrive::Get().TreeNative();
    const std::uint64_t folders = kTops * (kLeavesPerTop + 1);
    for (auto _ : state) {
        bench::PlainWalk(root);  // warm, untimed
        bench::Sides sides({"walk"});
        sides.Add("ours", {}, {[&] {
                      FolderStructSize size(std::string(1, kLetter) + ":\\Tree");
                      size.Examine();
                      if (size.GetFolderCount() != folders) state.SkipWithError("wrong folder count");
                      benchmark::DoNotOptimize(size.GetTotalFileSize());
                  }});
        const auto check = [&](const bench::WalkCount& c) {
            if (c.folders != folders) state.SkipWithError("wrong folder count");
        };
        sides.Add("same_calls", {}, {[&] { check(bench::SameCallsWalk(root)); }});
        sides.Add("kinds_only", {}, {[&] { check(bench::KindsWalk(root)); }});
        sides.Add("plain", {}, {[&] { check(bench::PlainWalk(root)); }});
        sides.RunRounds();
        sides.Report(state);
    }
    state.SetItemsProcessed(state.iterations() * 2 * kTops * (kLeavesPerTop + 1));
}
BENCHMARK(BM_FolderStructSizeWalk)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

// ---- undoing 100,000 created folders ---------------------------------------------

// Creates Undo\TopN\LeafM as a run would: what the run records, and the
// Linux paths in creation order.
void MakeUndoTree(DEQ_CREATED_FOLDERS& made, std::vector<std::string>& natives) {
    const std::string base = BenchDrive::Get().native() + "/Undo";
    const std::string baseDrive = std::string(1, kLetter) + ":\\Undo";
    mkdir(base.c_str(), 0755);
    made.clear();
    natives.clear();
    const auto add = [&](const std::string& rel) {
        natives.push_back(base + "/" + rel);
        mkdir(natives.back().c_str(), 0755);
        struct stat st {};
        lstat(natives.back().c_str(), &st);
        std::string path = baseDrive + "\\" + rel;
        std::replace(path.begin(), path.end(), '/', '\\');
        made.push_back({path, {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)}, 0});
    };
    for (int t = 0; t < kTops; ++t) {
        const std::string top = Name("Top", t);
        add(top);
        for (int l = 0; l < kLeavesPerTop; ++l) add(top + "/" + Name("Leaf", l));
    }
}

// The leaves are the recorded folders; the climb finds their parents in
// the record of everything the run made.
void BM_FolderFileUndoRemove(benchmark::State& state) {
    DEQ_CREATED_FOLDERS made;
    std::vector<std::string> natives;
    std::vector<bench::BareMade> bare;
    std::unique_ptr<bench::HeldFolders> held;
    const std::string base = BenchDrive::Get().native() + "/Undo";
    for (auto _ : state) {
        bench::Sides sides({"undo"});
        sides.Add("ours", [&] { MakeUndoTree(made, natives); },
                  {[&] {
                      DEQ_CREATED_FOLDERS leaves;
                      for (const auto folder : made)
                          if (folder.Path.find("Leaf") != std::string::npos) leaves.push_back(folder);
                      plat::Beneath undoBase;
                      undoBase.Open(std::string(1, kLetter) + ":\\Undo");
                      FolderFileUndo undo;
                      undo.SetBases({{undoBase.Folder(), undoBase.Identity()}});
                      undo.SetCreatedFolders(std::move(leaves));
                      undo.SetFoldersCreatedByRun(std::move(made));
                      undo.PrepareCreateFromListDrives();
                      undo.DeleteCreatedFiles();
                      undo.RemoveCreatedFolders();
                      undo.BuildReport();
                      if (!undo.GetReport().empty()) state.SkipWithError("undo left folders");
                  }});
        sides.Add("same_calls",
                  [&] {
                      MakeUndoTree(made, natives);
                      bare.clear();
                      struct stat st {};
                      for (const auto& n : natives)
                          if (lstat(n.c_str(), &st) == 0)
                              bare.push_back({n.substr(base.size() + 1), st.st_dev, st.st_ino});
                      held = std::make_unique<bench::HeldFolders>(base);
                  },
                  {[&] { bench::BareSafeRemove(*held, bare); }});
        sides.Add("plain", [&] { MakeUndoTree(made, natives); },
                  {[&] {
                      std::size_t failed = 0;
                      for (auto it = natives.rbegin(); it != natives.rend(); ++it)
                          if (rmdir(it->c_str()) != 0) ++failed;
                      if (failed) state.SkipWithError("rmdir failed");
                  }});
        sides.RunRounds();
        sides.Report(state);
    }
    state.SetItemsProcessed(state.iterations() * kTops * (kLeavesPerTop + 1));
}
BENCHMARK(BM_FolderFileUndoRemove)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

// ---- flattening 100,000 Include items (the drive letter in either case) ---------------------------------------------

StringList MakeIncludeItems() {
    StringList items;
    for (int t = 0; t < 1000; ++t) {
        items.push_back("D:\\Jobs\\" + Name("Group", t));
        for (int s = 0; s < 98; ++s) items.push_back("d:\\Jobs\\" + Name("Group", t) + "\\" + Name("Sub", s));
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
