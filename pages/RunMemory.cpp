#include "pages/RunMemory.h"

#include <algorithm>
#include <functional>
#include <cstdint>
#include <optional>

#include "core/FileNames.h"
#include "core/PathTools.h"
#include "pages/PageMessages.h"
#include "pages/RunItems.h"
#include "platform/Memory.h"

namespace {

// A count or a size as a whole number, however large the estimate.
std::uint64_t WholeNumber(double n) {
    return n >= 1.8e19 ? UINT64_MAX : static_cast<std::uint64_t>(std::max(0.0, n));
}

RunMemoryNeed& LastWeighed() {
    static RunMemoryNeed last;
    return last;
}

double& LastRoom() {
    static double last = 0;
    return last;
}

}  // namespace

double SlotsWeight(double items, double itemBytes, unsigned workers) {
    if (items <= 0) return 0;
    const std::size_t count = items >= 1e18 ? SIZE_MAX : static_cast<std::size_t>(items);
    return static_cast<double>(std::min(count, SlotWindow(workers, itemBytes))) * itemBytes;
}

double SlotsWeight(std::vector<double> itemBytes, unsigned workers) {
    if (itemBytes.empty()) return 0;
    std::sort(itemBytes.begin(), itemBytes.end(), std::greater<>());
    const std::size_t slots = std::min(itemBytes.size(), SlotWindow(workers, itemBytes.front()));
    double bytes = 0;
    for (std::size_t i = 0; i < slots; ++i) bytes += itemBytes[i];
    return bytes;
}

double InMemoryFileBytes(std::uint64_t size) {
    const std::uint64_t pages = (size + 4095) / 4096;
    double bytes = static_cast<double>(pages) * kPageBytes;
    // A file of more pages indexes them in a tree of 64 to a node.
    for (std::uint64_t level = pages; pages > 1 && level > 1;) {
        level = (level + 63) / 64;
        bytes += static_cast<double>(level) * kPageIndexNode;
    }
    return bytes;
}

double InMemoryFileBytes(const MAP_FILE_NAME_SIZE& sizes) {
    double bytes = 0;
    for (const auto& entry : sizes) bytes += InMemoryFileBytes(entry.second);
    return bytes;
}

double InMemoryWeight(const StringList& folders, double entries, double fileBytes) {
    if (entries <= 0) return 0;
    double named = 0, inMemory = 0;
    ReadBesideWindow([&] {
        // A folder named again in a row is read once.
        std::string last;
        bool lastInMemory = false;
        for (const std::string& line : folders) {
            std::string folder = TrimControlAndBlanks(line);
            if (folder.empty()) continue;
            named += 1;
            if (folder != last) lastInMemory = plat::FsKindAt(folder) == plat::FsKind::Memory;
            last = std::move(folder);
            inMemory += lastInMemory ? 1 : 0;
        }
    });
    if (named <= 0) return 0;
    double share = (entries * kInMemoryEntry + fileBytes) * inMemory / named;
    if (inMemory < named && plat::MemoryGroupLimits()) share += entries * kOnDiskEntry * (named - inMemory) / named;
    return share;
}

double TotalLength(const StringList& lines) {
    double total = 0;
    for (const std::string& line : lines) total += static_cast<double>(line.size());
    return total;
}

double MeanLength(const StringList& lines) {
    return lines.empty() ? 0 : TotalLength(lines) / static_cast<double>(lines.size());
}

double ListBytes(const StringList& lines) {
    // A string keeps its characters beside it up to its own size, longer
    // ones on the heap.
    double bytes = static_cast<double>(lines.size() * sizeof(std::string));
    for (const std::string& line : lines)
        if (line.capacity() > kept::kInPlaceChars) bytes += kept::Block(line.capacity() + 1);
    return bytes;
}

double BasesBytes(const VEC_UNDO_BASES& bases) {
    double bytes = static_cast<double>(bases.capacity() * sizeof(_tagUndoBase));
    for (const _tagUndoBase& base : bases)
        if (base.Path.capacity() > kept::kInPlaceChars) bytes += kept::Block(base.Path.capacity() + 1);
    return bytes;
}

RunMemoryNeed LastWeighedMemory() { return LastWeighed(); }
double LastWeighedRoom() { return LastRoom(); }
void ResetLastWeighed() {
    LastWeighed() = RunMemoryNeed{};
    LastRoom() = 0;
}

bool CheckRunFitsMemory(const RunMemoryNeed& need, double room, const std::string& topic,
                        const std::string& action) {
    LastWeighed() = need;
    LastRoom() = room;
    const std::optional<std::uint64_t> machine = plat::GetAvailableMemory();
    if (!machine) return true;
    const double free = static_cast<double>(*machine) + room;
    if (need.bytes <= free) return true;
    plat::MessageBox("There is not enough memory for the operation.\nIt would list " +
                         UInt64ToStr(WholeNumber(need.entries)) + " entries, which need about " +
                         FormatByteSize(WholeNumber(need.bytes)) + " of memory.\nThe free memory is : " +
                         FormatByteSize(WholeNumber(free)) + "\n\nNothing was changed.\nAction : " + action,
                     MessageCaption(topic, "Warning", "0458"), pagekit::kWarn);
    return false;
}
