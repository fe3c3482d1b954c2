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

// True when `character` is one of the characters of `text`.
bool IsCharacterOf(std::string_view character, std::string_view text) {
    if (character.size() == 1 && static_cast<unsigned char>(character[0]) < 0x80)
        return text.find(character[0]) != std::string_view::npos;
    for (std::size_t i = 0; i < text.size(); i += Utf8CharLength(text, i))
        if (text.compare(i, Utf8CharLength(text, i), character) == 0) return true;
    return false;
}

// True when the characters of `text` from `at` on have the lengths of those
// of `searched`: a match there neither begins nor ends inside a character.
bool CharactersAlign(std::string_view text, std::size_t at, std::string_view searched) {
    for (std::size_t i = 0; i < searched.size(); i += Utf8CharLength(searched, i))
        if (Utf8CharLength(text, at + i) != Utf8CharLength(searched, i)) return false;
    return true;
}

// The first occurrence of `searched` from `from` on that is whole characters
// of the text (the text's end when there is none). A `searched` of whole
// characters matches only so, and a plain search finds it.
std::size_t FindAtCharacter(std::string_view text, std::string_view searched, std::size_t from, bool whole) {
    if (whole) {
        const std::size_t hit = text.find(searched, from);
        return hit == std::string_view::npos ? text.size() : hit;
    }
    for (; from < text.size(); from += Utf8CharLength(text, from))
        if (text.compare(from, searched.size(), searched) == 0 && CharactersAlign(text, from, searched)) return from;
    return text.size();
}

// An item starts at the first character that is not in the separator text
// and ends where the whole separator text next occurs. Both count whole
// UTF-8 characters, so a separator never splits one.
void AppendSeparatedItems(const std::string& text, std::size_t begin, std::size_t end,
                          const std::string& separator, StringList& items) {
    if (separator.empty()) {
        if (end > begin) items.emplace_back(text, begin, end - begin);
        return;
    }
    const std::string_view view(text.data() + begin, end - begin);
    const bool whole = IsWholeUtf8(separator);
    std::size_t pos = 0;
    while (true) {
        std::size_t n = 0;
        while (pos < view.size()) {
            n = static_cast<unsigned char>(view[pos]) < 0x80 ? 1 : Utf8CharLength(view, pos);
            if (!IsCharacterOf(view.substr(pos, n), separator)) break;
            pos += n;
        }
        if (pos == view.size()) return;
        // The character at pos is none of the separator's, so the separator
        // starts behind it: searching from there, every step moves on.
        const std::size_t stop = FindAtCharacter(view, separator, pos + n, whole);
        items.emplace_back(view.substr(pos, stop - pos));
        pos = stop;
    }
}

// Frames the mark positions with 0 and the text length (clamped into the
// text and in ascending order), then cuts the text: odd segments are quoted
// items, even ones go to `cutOutside`. `markLength` gives the bytes of the
// mark that stands at a position.
template <typename MarkLength, typename CutOutside>
StringList SplitQuoted(const std::string& text, MarkLength markLength, std::deque<int>& positions,
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
        if (i > 0) begin = std::min(begin + markLength(begin), end);
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
    for (std::size_t hit = text.find(searched); hit != std::string::npos;
         hit = text.find(searched, hit + Utf8CharLength(text, hit))) {
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
    const auto markLength = [&mark](std::size_t) { return mark.size(); };
    return SplitQuoted(text, markLength, markPositions, [&](std::size_t begin, std::size_t end, StringList& items) {
        AppendWhiteSpaceItems(text, begin, end, items);
    });
}

StringList SplitLineQuotedImport(const std::string& line, const std::string& separator,
                                 std::deque<int>& markPositions) {
    // The import parser cuts at one-character marks: the whole character goes.
    const auto markLength = [&line](std::size_t at) { return std::max<std::size_t>(Utf8CharLength(line, at), 1); };
    return SplitQuoted(line, markLength, markPositions, [&](std::size_t begin, std::size_t end, StringList& items) {
        AppendSeparatedItems(line, begin, end, separator, items);
    });
}
