#include "core/ExamineSubFolders.h"

#include <functional>
#include <string_view>
#include <unordered_set>
#include <utility>

#include "core/PathTools.h"

namespace {

struct ViewHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

}  // namespace

ExamineSubFolders::ExamineSubFolders(StringList items) : items_(std::move(items)) {}

void ExamineSubFolders::ReadItems() {
    levelMap_.clear();
    for (const auto& item : items_) {
        std::string trimmed = TrimBlanks(item);
        if (!trimmed.empty()) itemSet_.insert(std::move(trimmed));
    }
}

void ExamineSubFolders::ExamineSorted() {
    ReadItems();
    result_.clear();
    result_.assign(itemSet_.begin(), itemSet_.end());
}

// Each candidate, lowered and ended with "\", is looked up by every prefix
// that a backslash follows: a hit means it lies inside (or equals) an item
// kept before it. Linear in the total length of the items.
void ExamineSubFolders::ExamineTopFolders() {
    ReadItems();
    for (const auto& item : itemSet_) levelMap_.emplace(CountPathSeparators(item), item);

    std::unordered_set<std::string, ViewHash, std::equal_to<>> kept;
    kept.reserve(levelMap_.size());
    for (const auto& [level, item] : levelMap_) {
        std::string probe = ToLowerCase(item);
        if (probe.back() != '\\') probe += '\\';
        const std::string_view view(probe);
        bool inside = false;
        for (std::size_t p = view.find('\\'); p != std::string_view::npos && !inside; p = view.find('\\', p + 1))
            inside = p > 0 && kept.find(view.substr(0, p)) != kept.end();
        if (inside) continue;
        result_.push_back(item);
        kept.insert(ToLowerCase(item));
    }
}
