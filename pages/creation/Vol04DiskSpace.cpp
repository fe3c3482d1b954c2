// The structure totals of page 04 and the disk-space check, drive by drive.
#include <algorithm>
#include <limits>
#include <unordered_map>
#include <vector>

#include "core/PathTools.h"
#include "pages/creation/Vol04Engine.h"
#include "pages/PageMessages.h"
#include "pages/WalksOnPool.h"
#include "platform/MessageBox.h"

std::map<std::string, std::uint64_t> Vol04RequiredBytesByDrive(const Vol04State& state, const Vol04Inputs& in) {
    std::map<std::string, std::uint64_t> required;
    for (const auto& item : in.IncludeFolders) required[DriveSpaceKey(item)] += state.StructureBytes;
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
    const std::vector<CreationItem> items = Vol04Items(in);
    if (!PlanMadeOnTheWay(state, items)) return false;
    if (in.RelativePaths) {
        SetTemplateTotals(state, in, items, 1);
        return true;
    }
    if (!withFiles) {  // no file takes room
        if (!MeasureCreationStructures(state, in, false)) return false;
        SetCreationToCreate(state, n);
        return true;
    }
    // The free bytes of a drive are those where its new folders go: the
    // least over the distinct parent folders of its items (on Linux a drive
    // may hold several file systems). Each parent is asked once, beside the
    // structures, when the structures may take room.
    StringList parents;
    std::vector<std::size_t> parentOf(in.IncludeFolders.size(), 0);
    if (withFiles && !in.FolderStructures.empty()) {
        std::unordered_map<std::string, std::size_t> asked;
        for (std::size_t i = 0; i < in.IncludeFolders.size(); ++i) {
            const std::string item = TrimBlanks(in.IncludeFolders[i]);
            if (DriveSpaceKey(item).empty()) continue;  // no drive: the run counts it under other reasons
            std::string parent;
            Vol04GetNameParts(in, item, &parent);
            const auto [it, added] = asked.emplace(parent, parents.size());
            if (added) parents.push_back(parent);
            parentOf[i] = it->second;
        }
    }
    std::vector<CreationFreeSpace> space;
    if (!MeasureCreationSpace(state, in, withFiles, parents, space)) return false;
    const auto required = Vol04RequiredBytesByDrive(state, in);
    if (in.IncludeFolders.empty()) return false;
    if (state.StructureBytes > 0) {
        std::map<std::string, std::uint64_t> free;
        for (std::size_t i = 0; i < in.IncludeFolders.size(); ++i) {
            const std::string key = DriveSpaceKey(TrimBlanks(in.IncludeFolders[i]));
            if (key.empty()) continue;
            const std::uint64_t bytes = space[parentOf[i]].bytes;
            auto [entry, added] = free.emplace(key, bytes);
            if (!added) entry->second = std::min(entry->second, bytes);
        }
        for (const auto& [key, bytes] : required) {
            if (key.empty()) continue;
            const auto f = free.find(key);
            const std::uint64_t available = f == free.end() ? std::numeric_limits<std::uint64_t>::max() : f->second;
            if (!Vol04WeighDrive(DriveSpaceRoot(key), bytes, available)) return false;
        }
    }
    SetCreationToCreate(state, n);
    return true;
}
