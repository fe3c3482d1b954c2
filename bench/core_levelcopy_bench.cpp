// The level lister on a tree of 100,000 folders against a bare
// opendir/readdir/lstat walk of the same tree in the same run.
#include <benchmark/benchmark.h>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/LevelCopy.h"
#include "platform/FileSystem.h"

namespace {

constexpr char kDrive = 'L';

// 10 x 10 x 10 folders, each of the last holding 100: 101,110 folders, and
// one file per folder of the third level.
class Tree {
public:
    Tree() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "qmlevelbench-XXXXXX").string();
        if (!mkdtemp(tmpl.data())) std::abort();
        root_ = tmpl;
        std::string a, b, c;
        for (int i = 0; i < 10; ++i) {
            a = root_ + "/a" + std::to_string(i);
            mkdir(a.c_str(), 0755);
            for (int j = 0; j < 10; ++j) {
                b = a + "/b" + std::to_string(j);
                mkdir(b.c_str(), 0755);
                for (int k = 0; k < 10; ++k) {
                    c = b + "/c" + std::to_string(k);
                    mkdir(c.c_str(), 0755);
                    if (FILE* f = std::fopen((c + "/note.txt").c_str(), "w")) std::fclose(f);
                    for (int m = 0; m < 100; ++m) mkdir((c + "/d" + std::to_string(m)).c_str(), 0755);
                }
            }
        }
        plat::MapDrive(kDrive, root_);
    }
    ~Tree() {
        plat::UnmapDrive(kDrive);
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    const std::string& native() const { return root_; }

private:
    std::string root_;
};

const Tree& SharedTree() {
    static Tree tree;
    return tree;
}

// Every folder below the root, depth-first through a stack, as bare as it gets.
std::size_t BareWalk(const std::string& root) {
    std::size_t folders = 0;
    std::vector<std::string> stack{root};
    struct stat st;
    while (!stack.empty()) {
        const std::string folder = std::move(stack.back());
        stack.pop_back();
        DIR* dir = opendir(folder.c_str());
        if (!dir) continue;
        while (dirent* d = readdir(dir)) {
            const char* n = d->d_name;
            if (n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0'))) continue;
            std::string child = folder + "/" + n;
            if (lstat(child.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
                ++folders;
                stack.push_back(std::move(child));
            }
        }
        closedir(dir);
    }
    return folders;
}

void BM_BareReaddirWalk(benchmark::State& state) {
    const Tree& tree = SharedTree();
    std::size_t folders = 0;
    for (auto _ : state) {
        folders = BareWalk(tree.native());
        benchmark::DoNotOptimize(folders);
    }
    state.counters["folders"] = static_cast<double>(folders);
}
BENCHMARK(BM_BareReaddirWalk)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// arg 0: every folder at any depth; arg 1: only the last subfolders, which
// also tests every listed folder for subfolders of its own.
void BM_LevelCopyAllFolders(benchmark::State& state) {
    SharedTree();
    std::size_t listed = 0;
    for (auto _ : state) {
        LevelCopy lister({std::string(1, kDrive) + ":\\"});
        lister.SetBelowLevel(0);
        lister.SetVariant(state.range(0) == 1 ? 1 : 2);
        lister.Execute();
        listed = lister.GetResult().size();
        benchmark::DoNotOptimize(listed);
    }
    state.counters["listed"] = static_cast<double>(listed);
}
BENCHMARK(BM_LevelCopyAllFolders)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
