// What the folder pages' one-worker-against-many tests compare: every line a
// run gives, the counters as they went, and the tree it leaves.
#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pages/RunLog.h"

namespace folderpool {

// Every line with its category in the order they came, and the counters
// each time they reach the screen (once an item is applied).
struct Recorded final : RunLog {
    std::vector<std::string> lines, shown;
    void AddLine(int category, const std::string& line) override {
        lines.push_back(std::to_string(category) + " " + line);
    }
    void AddExportLine(int category, const std::string& line) override { AddLine(100 + category, line); }
    void ShowCounters(std::span<const CounterLabel> counters) override {
        std::string text = "|";
        for (const CounterLabel& c : counters) text += " " + std::to_string(static_cast<long>(c.Value));
        shown.push_back(std::move(text));
    }
    void ClearLogLists() override {}
    void ClearZoomLists() override {}
    void SetRunMode(bool) override {}
    void ShowLog() override {}
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
