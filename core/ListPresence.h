// "Is this line already in the list?" as the program's list boxes answer it
// (the whole line, ignoring letter case), for lists of 100,000 lines: one
// hash lookup per line instead of a search through the list.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <unordered_set>

#include "core/Types.h"

class ListPresence {
public:
    ListPresence() = default;
    explicit ListPresence(const StringList& lines) { AddAll(lines); }

    void Add(const std::string& line);
    void AddAll(const StringList& lines);
    bool Holds(const std::string& line) const;
    // Adds the line; true when it was not held before.
    bool Insert(const std::string& line);
    std::size_t Size() const { return keys_.size(); }

private:
    std::unordered_set<std::string> keys_;
};

// Appends to `include` every line that `accept` lets through (it may rewrite
// the line first) and that neither `include` nor `exclude` holds; returns
// how many were appended. Without `accept` every line is a candidate.
using ImportLineFilter = std::function<bool(std::string& line)>;
std::size_t AppendNewLines(StringList& include, const StringList& exclude, const StringList& lines,
                           const ImportLineFilter& accept = {});
