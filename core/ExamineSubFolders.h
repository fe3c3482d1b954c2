// Turns the items of an Include list into the main folders of a run:
// either sorted without duplicates, or only the top-most items (none that
// lies inside another). Works on the texts alone; touches no disk.
#pragma once

#include <set>
#include <string>

#include "core/Types.h"

class ExamineSubFolders {
public:
    // The Include list's items, in list order.
    explicit ExamineSubFolders(StringList items);

    // Result := the trimmed, non-empty items, sorted by unsigned byte value,
    // without duplicates (items differing in case both stay).
    void ExamineSorted();
    // Appends the top-most items in level order (fewest separators first,
    // equal levels by byte order); an item that equals a kept one, or lies
    // below one (its text followed by "\"), is dropped. Names compare as
    // this system names its entries, byte for byte; only a drive letter's
    // case does not count.
    void ExamineTopFolders();
    StringList GetList() const { return result_; }

    // The top-most items of `items`, as ExamineTopFolders gives them.
    static StringList TopFolders(const StringList& items);

private:
    void ReadItems();

    StringList items_;
    std::set<std::string> itemSet_;
    StringList result_;
};
