// "Is this line already in the list?" for lists of 100,000 lines: one hash
// lookup per line instead of a search through the list. Lines of folder
// lists are one when they name one entry (SameFolderLine: byte for byte but
// for a drive letter's case); the lists of marks (separators, quotation
// marks) ignore letter case as their list boxes do.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <unordered_set>

#include "core/Types.h"

class ListPresence {
public:
    enum class Lines { Folders, IgnoringCase };

    explicit ListPresence(Lines lines = Lines::Folders) : lines_(lines) {}
    explicit ListPresence(const StringList& items, Lines lines = Lines::Folders) : lines_(lines) { AddAll(items); }

    void Add(const std::string& line);
    void AddAll(const StringList& lines);
    bool Holds(const std::string& line) const;
    // Adds the line; true when it was not held before.
    bool Insert(const std::string& line);
    std::size_t Size() const { return keys_.size(); }

private:
    std::string KeyOf(const std::string& line) const;

    Lines lines_;
    std::unordered_set<std::string> keys_;
};

// Appends to `include` every line that `accept` lets through (it may rewrite
// the line first) and that neither `include` nor `exclude` holds; returns
// how many were appended. Without `accept` every line is a candidate.
using ImportLineFilter = std::function<bool(std::string& line)>;
std::size_t AppendNewLines(StringList& include, const StringList& exclude, const StringList& lines,
                           const ImportLineFilter& accept = {});
