#include "pages/UndoMemory.h"

#include <algorithm>

namespace {

template <class List>
double Chars(const List& list, std::size_t first, std::size_t count) {
    double chars = 0;
    for (std::size_t i = first; i < first + count; ++i) chars += static_cast<double>(list.PathAt(i).size());
    return chars;
}

}  // namespace

RunMemoryNeed UndoPartsMemoryNeed(const std::vector<UndoGroup>& groups, const UndoLists& all,
                                  const VEC_UNDO_BASES& bases, unsigned workers) {
    using namespace kept;
    double folders = 0, folderChars = 0, files = 0, fileChars = 0, largest = 0, largestChars = 0;
    std::vector<double> slots;
    slots.reserve(groups.size());
    for (const UndoGroup& g : groups) {
        double n = 0, chars = 0;
        for (const auto& [list, which] : {std::pair{&all.created, 0}, {&all.second, 1}, {&all.byRun, 2}}) {
            n += g.count[which];
            chars += Chars(*list, g.first[which], g.count[which]);
        }
        const double fileCount = g.count[3], fileText = Chars(all.files, g.first[3], g.count[3]);
        folders += n;
        folderChars += chars;
        files += fileCount;
        fileChars += fileText;
        if (n > largest) largest = n, largestChars = chars;
        // A part's slot: what stays of it, before it joins the rest.
        slots.push_back(Weigh(n, chars, kUndoneFolder) + Weigh(fileCount, fileText, kUndoneFile));
    }
    RunMemoryNeed need;
    need.entries = folders + files;
    need.lines = folderChars;
    // Each worker: its opener's note of every base, and the largest part's
    // queue and marks, with a path of its own for each folder found gone.
    // Each base stays with the opener of the worker that opened it.
    const double n = static_cast<double>(bases.size());
    double baseChars = 0;
    for (const _tagUndoBase& base : bases) baseChars += static_cast<double>(base.Path.size());
    const double perWorker = n + Weigh(largest, largestChars, kUndoQueued + kOwnPath);
    need.bytes = RunBase(workers) + kListUnused + Weigh(folders, folderChars, kUndoneFolder + kLine) +
                 Weigh(files, fileChars, kUndoneFile) + std::max(1u, workers) * perWorker +
                 Weigh(n, baseChars, kOpenedBase) + SlotsWeight(std::move(slots), workers);
    return need;
}
