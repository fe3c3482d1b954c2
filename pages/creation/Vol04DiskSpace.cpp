// The structure totals of page 04 and the disk-space check, drive by drive.
#include <algorithm>
#include <limits>
#include <unordered_map>

#include "core/FileNames.h"
#include "core/PathTools.h"
#include "pages/creation/Vol04Engine.h"
#include "pages/PageMessages.h"
#include "platform/MessageBox.h"

namespace {

// The drive text of an Include item: up to and including its first colon, trimmed.
std::string DriveKey(const std::string& item) {
    const std::size_t colon = item.find(':');
    return colon == std::string::npos ? std::string() : TrimBlanks(item.substr(0, colon + 1));
}

}  // namespace

std::map<std::string, std::uint64_t> Vol04RequiredBytesByDrive(const Vol04State& state, const Vol04Inputs& in) {
    std::map<std::string, std::uint64_t> required;
    for (const auto& item : in.IncludeFolders) required[DriveKey(item)] += state.StructureBytes;
    return required;
}

bool Vol04WeighDrive(const std::string& root, std::uint64_t required, std::uint64_t free) {
    if (required <= free) return true;
    plat::MessageBox(DiskShortageText(root, free, static_cast<double>(required), true),
                     MessageCaption(kVol04Topic, "Information", 40054), pagekit::kWarn);
    return false;
}

bool Vol04CheckDiskSpace(Vol04State& state, const Vol04Inputs& in, bool withFiles) {
    const double n = static_cast<double>(in.IncludeFolders.size());
    if (in.RelativePaths) {
        SetTemplateTotals(state, in, n);
        return true;
    }
    if (!MeasureCreationStructures(state, in, withFiles)) return false;
    const auto required = Vol04RequiredBytesByDrive(state, in);
    if (in.IncludeFolders.empty()) return false;
    if (state.StructureBytes > 0) {
        // The free bytes of a drive are those where its new folders go: the
        // least over the distinct parent folders of its items (on Linux a
        // drive may hold several file systems).
        std::map<std::string, std::uint64_t> free;
        std::unordered_map<std::string, std::uint64_t> asked;
        for (const auto& raw : in.IncludeFolders) {
            const std::string item = TrimBlanks(raw);
            const std::string key = DriveKey(item);
            if (key.empty()) continue;  // no drive: the run counts it under other reasons
            std::string parent, root;
            Vol04GetNameParts(in, item, &parent);
            auto it = asked.find(parent);
            if (it == asked.end()) it = asked.emplace(parent, GetDriveFreeBytes(parent, root)).first;
            auto [entry, added] = free.emplace(key, it->second);
            if (!added) entry->second = std::min(entry->second, it->second);
        }
        for (const auto& [key, bytes] : required) {
            if (key.empty()) continue;
            const auto f = free.find(key);
            const std::uint64_t available = f == free.end() ? std::numeric_limits<std::uint64_t>::max() : f->second;
            if (!Vol04WeighDrive(key.substr(0, 1) + ":\\", bytes, available)) return false;
        }
    }
    SetCreationToCreate(state, n);
    return true;
}
