// What the folder pages' one-worker-against-many tests compare: every line a
// run gives with the counters it carried, and the tree it leaves.
#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pages/folders/FolderRuns.h"

namespace folderpool {

struct Recorded final : FolderRunSink {
    std::vector<std::string> lines;  // category, line and the counters then
    void Outcome(int category, std::string_view line, std::span<const double> values) override {
        std::string text = std::to_string(category) + " " + std::string(line) + " |";
        for (const double v : values) text += " " + std::to_string(static_cast<long>(v));
        lines.push_back(std::move(text));
    }
};

// Every entry below `native` with its kind (a link with its target) and mode.
inline std::map<std::string, std::string> TreeOf(const std::string& native) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> tree;
    for (auto it = fs::recursive_directory_iterator(native, fs::directory_options::skip_permission_denied);
         it != fs::recursive_directory_iterator(); ++it) {
        struct stat st {};
        lstat(it->path().c_str(), &st);
        std::string what = S_ISLNK(st.st_mode)   ? "-> " + fs::read_symlink(it->path()).string()
                           : S_ISDIR(st.st_mode) ? "<dir>"
                                                 : "file";
        tree[it->path().string().substr(native.size())] = what + " " + std::to_string(st.st_mode & 07777);
    }
    return tree;
}

}  // namespace folderpool
