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

}  // namespace

double MeanLength(const StringList& lines) {
    double total = 0;
    for (const std::string& line : lines) total += static_cast<double>(line.size());
    return lines.empty() ? 0 : total / static_cast<double>(lines.size());
}

RunMemoryNeed LastWeighedMemory() { return LastWeighed(); }

RunMemoryNeed MemoryNeedOf(double entries, double lineBytes, double entryBytes, double baseBytes) {
    return {entries, baseBytes + entries * (entryBytes + lineBytes)};
}

bool CheckRunFitsMemory(const RunMemoryNeed& need, const std::string& topic) {
    LastWeighed() = need;
    const std::optional<std::uint64_t> free = plat::GetAvailableMemory();
    if (!free || need.bytes <= static_cast<double>(*free)) return true;
    plat::MessageBox("There is not enough memory for the operation.\nIt would list " +
                         UInt64ToStr(WholeNumber(need.entries)) + " entries, which need about " + FormatByteSize(WholeNumber(need.bytes)) +
                         " of memory.\nThe free memory is : " + FormatByteSize(*free) +
                         "\n\nNothing was changed.\nAction : Narrow the range, the lists or the structure.",
                     MessageCaption(topic, "Warning", "0458"), pagekit::kWarn);
    return false;
}
