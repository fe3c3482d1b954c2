#include "pages/RunMemory.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "core/FileNames.h"
#include "pages/PageMessages.h"
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
        if (line.capacity() >= sizeof(std::string)) bytes += static_cast<double>(line.capacity() + 1);
    return bytes;
}

RunMemoryNeed LastWeighedMemory() { return LastWeighed(); }
double LastWeighedRoom() { return LastRoom(); }

RunMemoryNeed MemoryNeedOf(double entries, double lineBytes, EntryCost cost, double baseBytes) {
    return {entries, baseBytes + entries * cost.bytes + lineBytes * cost.lineCopies, lineBytes};
}

RunMemoryNeed MadeMemoryNeed(double mains, double below, double mainBytes, double belowBytes, bool simulation) {
    return MemoryNeedOf(mains, mains * mainBytes, simulation ? kDryMainFolder : kMadeMainFolder) +
           MemoryNeedOf(below, below * (mainBytes + belowBytes), simulation ? kDryBelow : kMadeBelow, 0);
}

RunMemoryNeed operator+(const RunMemoryNeed& a, const RunMemoryNeed& b) {
    return {a.entries + b.entries, a.bytes + b.bytes, a.lines + b.lines, a.held + b.held};
}

bool CheckRunFitsMemory(const RunMemoryNeed& need, double room, const std::string& topic) {
    LastWeighed() = need;
    LastRoom() = room;
    const std::optional<std::uint64_t> machine = plat::GetAvailableMemory();
    if (!machine) return true;
    // What the count holds already is taken from what the machine gives.
    const double free = static_cast<double>(*machine) + room + need.held;
    if (need.bytes <= free) return true;
    plat::MessageBox("There is not enough memory for the operation.\nIt would list " +
                         UInt64ToStr(WholeNumber(need.entries)) + " entries, which need about " +
                         FormatByteSize(WholeNumber(need.bytes - need.held)) + " of memory.\nThe free memory is : " +
                         FormatByteSize(WholeNumber(free - need.held)) +
                         "\n\nNothing was changed.\nAction : Narrow the range, the lists or the structure.",
                     MessageCaption(topic, "Warning", "0458"), pagekit::kWarn);
    return false;
}
