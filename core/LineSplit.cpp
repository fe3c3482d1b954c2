#include "core/LineSplit.h"

#include <algorithm>
#include <string_view>

#include "core/PathTools.h"

namespace {

// White space as isspace() sees it in the C locale, whatever the user's is.
bool IsWhiteSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

void AppendWhiteSpaceItems(const std::string& text, std::size_t begin, std::size_t end, StringList& items) {
    while (begin < end) {
        while (begin < end && IsWhiteSpace(text[begin])) ++begin;
        std::size_t stop = begin;
        while (stop < end && !IsWhiteSpace(text[stop])) ++stop;
        if (stop > begin) items.emplace_back(text, begin, stop - begin);
        begin = stop;
    }
}

// An item starts at the first character that is not in the separator text
// and ends where the whole separator text next occurs.
void AppendSeparatedItems(const std::string& text, std::size_t begin, std::size_t end,
                          const std::string& separator, StringList& items) {
    if (separator.empty()) {
        if (end > begin) items.emplace_back(text, begin, end - begin);
        return;
    }
    const std::string_view view(text.data() + begin, end - begin);
    std::size_t pos = 0;
    while (true) {
        pos = view.find_first_not_of(separator, pos);
        if (pos == std::string_view::npos) return;
        std::size_t stop = view.find(separator, pos);
        if (stop == std::string_view::npos) stop = view.size();
        items.emplace_back(view.substr(pos, stop - pos));
        pos = stop;
    }
}

// Frames the mark positions with 0 and the text length (clamped into the
// text and in ascending order), then cuts the text: odd segments are quoted
// items, even ones go to `cutOutside`.
template <typename CutOutside>
StringList SplitQuoted(const std::string& text, std::size_t markLength, std::deque<int>& positions,
                       CutOutside cutOutside) {
    const int length = static_cast<int>(text.size());
    for (int& p : positions) p = std::clamp(p, 0, length);
    if (!std::is_sorted(positions.begin(), positions.end())) std::sort(positions.begin(), positions.end());
    positions.push_front(0);
    positions.push_back(length);

    StringList items;
    for (std::size_t i = 0; i + 1 < positions.size(); ++i) {
        const std::size_t end = static_cast<std::size_t>(positions[i + 1]);
        std::size_t begin = static_cast<std::size_t>(positions[i]);
        // Behind the mark, but never past the next one (marks may overlap).
        if (i > 0) begin = std::min(begin + markLength, end);
        if (i % 2 == 1)
            items.push_back(TrimBlanks(text.substr(begin, end - begin)));
        else
            cutOutside(begin, end, items);  // empty for segment 0 when a mark starts the text
    }
    return items;
}

}  // namespace

int FindAllPositions(const std::string& text, const std::string& searched, std::deque<int>& positions) {
    if (searched.empty()) return 0;
    int found = 0;
    for (std::size_t hit = text.find(searched); hit != std::string::npos; hit = text.find(searched, hit + 1)) {
        positions.push_back(static_cast<int>(hit));
        ++found;
    }
    return found;
}

bool IsOdd(int value) { return value % 2 != 0; }

StringList SplitAtWhiteSpace(const std::string& text) {
    StringList items;
    AppendWhiteSpaceItems(text, 0, text.size(), items);
    return items;
}

StringList SplitAtSeparators(const std::string& text, const std::string& separator) {
    StringList items;
    AppendSeparatedItems(text, 0, text.size(), separator, items);
    return items;
}

StringList SplitQuotedItems(const std::string& text, const std::string& mark, std::deque<int>& markPositions) {
    if (mark.empty()) markPositions.clear();  // an empty mark stands nowhere
    return SplitQuoted(text, mark.size(), markPositions, [&](std::size_t begin, std::size_t end, StringList& items) {
        AppendWhiteSpaceItems(text, begin, end, items);
    });
}

StringList SplitLineQuotedImport(const std::string& line, const std::string& separator,
                                 std::deque<int>& markPositions) {
    // The import parser cuts at one-character marks (double quote, apostrophe).
    return SplitQuoted(line, 1, markPositions, [&](std::size_t begin, std::size_t end, StringList& items) {
        AppendSeparatedItems(line, begin, end, separator, items);
    });
}
