#include "core/ListPresence.h"

#include "core/PathTools.h"

std::string ListPresence::KeyOf(const std::string& line) const {
    return lines_ == Lines::Folders ? FolderLineKey(line) : ToLowerCase(line);
}

void ListPresence::Add(const std::string& line) { keys_.insert(KeyOf(line)); }

void ListPresence::AddAll(const StringList& lines) {
    keys_.reserve(keys_.size() + lines.size());
    for (const auto& line : lines) Add(line);
}

bool ListPresence::Holds(const std::string& line) const { return keys_.count(KeyOf(line)) != 0; }

bool ListPresence::Insert(const std::string& line) { return keys_.insert(KeyOf(line)).second; }

std::size_t AppendNewLines(StringList& include, const StringList& exclude, const StringList& lines,
                           const ImportLineFilter& accept) {
    ListPresence excluded(exclude);
    ListPresence held(include);
    std::size_t appended = 0;
    std::string candidate;
    for (const auto& line : lines) {
        candidate = line;
        if (accept && !accept(candidate)) continue;
        if (excluded.Holds(candidate) || !held.Insert(candidate)) continue;
        include.push_back(candidate);
        ++appended;
    }
    return appended;
}
