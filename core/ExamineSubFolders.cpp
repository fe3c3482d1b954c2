#include "core/ExamineSubFolders.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "core/PathTools.h"

namespace {

struct ViewHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

}  // namespace

ExamineSubFolders::ExamineSubFolders(StringList items) : items_(std::move(items)) {}

void ExamineSubFolders::ReadItems() {
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

void ExamineSubFolders::ExamineTopFolders() {
    StringList top = TopFolders(items_);
    result_.insert(result_.end(), std::make_move_iterator(top.begin()), std::make_move_iterator(top.end()));
}

// The trimmed items sorted by level and then by byte order, without
// duplicates; each candidate, as a key (FolderLineKey: only the drive
// letter's case does not count) ended with "\", is looked up by every
// prefix that a backslash follows: a hit means it lies inside (or equals)
// an item kept before it. Linear in the total length of the items but for
// the sort.
StringList ExamineSubFolders::TopFolders(const StringList& items) {
    std::vector<std::string> trimmed;
    trimmed.reserve(items.size());
    struct Entry {
        unsigned long level;
        std::size_t text;  // into `trimmed`
    };
    std::vector<Entry> order;
    order.reserve(items.size());
    for (const auto& item : items) {
        std::string text = TrimBlanks(item);
        if (text.empty()) continue;
        order.push_back({CountPathSeparators(text), trimmed.size()});
        trimmed.push_back(std::move(text));
    }
    // Sorted as places into the texts, which stay where they are.
    std::stable_sort(order.begin(), order.end(), [&trimmed](const Entry& a, const Entry& b) {
        return a.level != b.level ? a.level < b.level : trimmed[a.text] < trimmed[b.text];
    });
    order.erase(std::unique(order.begin(), order.end(),
                            [&trimmed](const Entry& a, const Entry& b) { return trimmed[a.text] == trimmed[b.text]; }),
                order.end());

    StringList top;
    std::unordered_set<std::string, ViewHash, std::equal_to<>> kept;
    kept.reserve(order.size());
    for (const Entry& entry : order) {
        std::string& item = trimmed[entry.text];
        std::string probe = FolderLineKey(item);
        const bool ended = probe.back() == '\\';
        if (!ended) probe += '\\';
        const std::string_view view(probe);
        bool inside = false;
        for (std::size_t p = view.find('\\'); p != std::string_view::npos && !inside; p = view.find('\\', p + 1))
            inside = p > 0 && kept.find(view.substr(0, p)) != kept.end();
        if (inside) continue;
        if (!ended) probe.pop_back();
        kept.insert(std::move(probe));  // the item as a key
        top.push_back(std::move(item));
    }
    return top;
}
