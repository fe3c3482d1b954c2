// The to-copy totals of page 08 and the free-space check, drive by drive.
#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

#include "core/FileNames.h"
#include "core/FolderStructSize.h"
#include "core/PathTools.h"
#include "core/SettingsStore.h"
#include "core/Validation.h"
#include "pages/ListedFolders.h"
#include "pages/PageMessages.h"
#include "pages/WalksOnPool.h"
#include "pages/folders/Vol08Engine.h"
#include "platform/MessageBox.h"

namespace {

MeasureSetup StructureMeasure(const Vol08Inputs& in, bool withFiles) {
    return {withFiles, !in.SubFoldersOnlyMode(), Vol08Selection(in)};
}

// The structures' measures into the totals, in list order.
void AddMeasures(Vol08State& state, const std::vector<std::optional<FolderStructSize>>& sizes, bool withFiles) {
    state.Vol08StructureFolders = 0;
    state.Vol08StructureFiles = 0;
    state.Vol08StructureBytes = 0;
    state.Vol08StructureFileSizes.clear();
    for (const auto& size : sizes) {
        if (!size) continue;  // a failed read left it out
        state.Vol08StructureFolders += size->GetFolderCount();
        for (auto& file : size->GetMaskedFileMap()) state.Vol08StructureFileSizes.insert(file);  // the first size stays
        if (withFiles) {
            state.Vol08StructureBytes += size->GetMaskedTotalSize();
            state.Vol08StructureFiles += size->GetMaskedFileCount();
        }
        // What no path names, the run names among what it did not copy.
        for (const FolderStructSize::Unsayable& u : size->GetUnsayable()) {
            if (u.entry.kind == plat::EntryKind::Folder)
                state.Vol08StructureFolders += 1;
            else if (withFiles)
                state.Vol08StructureFiles += u.masks;
        }
    }
}

}  // namespace

std::map<std::string, std::uint64_t> Vol08ComputeDriveNeeds(const Vol08State& state, const Vol08Inputs& in) {
    // A file two masks take is written once: the second finds it there.
    std::uint64_t written = 0;
    if (state.Vol08StructureBytes > 0)
        for (const auto& [file, size] : state.Vol08StructureFileSizes) written += size;
    std::map<std::string, std::uint64_t> needs;
    for (const std::string& mainFolder : Vol08MainFolders(in)) needs[DriveSpaceKey(mainFolder)] += written;
    return needs;
}

bool Vol08WeighDrive(const std::string& root, std::uint64_t need, std::uint64_t free) {
    if (need <= free) return true;
    plat::MessageBox(DiskShortageText(root, free, static_cast<double>(need), true),
                     MessageCaption("Creating Folder(s).-From a Folder List.", "Information", 80058), pagekit::kWarn);
    return false;
}

bool Vol08ComputeTotalsAndCheckSpace(Vol08State& state, const Vol08Inputs& in, bool withFiles) {
    Vol08Counters& c = state.Counters;
    const StringList mainFolders = Vol08MainFolders(in);
    const double t = static_cast<double>(mainFolders.size());
    if (in.RelativePaths && !in.FullPaths) {
        const double n = t;
        c.FoldersToCopy = n;
        c.SubFoldersToCopy = n * static_cast<double>(in.FolderStructures.size());
        return true;
    }
    // The structures measured and, when files take room, the main folders'
    // free bytes asked: all at once on the pool, and no box before the end.
    const StringList structures = WalkedStructures(in.FolderStructures);
    StringList weighed;
    if (withFiles && t > 0)
        for (const std::string& mainFolder : mainFolders)
            if (!DriveSpaceKey(mainFolder).empty()) weighed.push_back(mainFolder);
    StringList read = structures;
    read.insert(read.end(), weighed.begin(), weighed.end());
    const MeasureSetup setup = StructureMeasure(in, withFiles);
    std::vector<std::optional<FolderStructSize>> sizes(structures.size());
    std::vector<std::optional<std::uint64_t>> freeBytes(weighed.size());
    {
        const CountingBusy counting;
        const std::size_t n = structures.size();
        const bool done = ReadOnPool(read, [&](std::size_t i) {
            if (i < n)
                Measure(structures[i], setup, sizes[i]);
            else
                freeBytes[i - n] = FreeBytesOf(weighed[i - n]);
        });
        if (!done) return false;
    }
    AddMeasures(state, sizes, withFiles);
    const auto needs = Vol08ComputeDriveNeeds(state, in);
    if (t == 0) return false;
    if (state.Vol08StructureBytes > 0) {
        // A drive's free bytes are those where its main folders are: the
        // least among them (on Linux a drive may hold several file systems).
        std::map<std::string, std::uint64_t> free;
        for (std::size_t i = 0; i < weighed.size(); ++i) {
            if (!freeBytes[i]) continue;
            auto [entry, added] = free.emplace(DriveSpaceKey(weighed[i]), *freeBytes[i]);
            if (!added) entry->second = std::min(entry->second, *freeBytes[i]);
        }
        for (const auto& [key, need] : needs) {
            const auto f = free.find(key);
            if (key.empty() || f == free.end()) continue;  // the run shows such main folders as missing
            if (!Vol08WeighDrive(DriveSpaceRoot(key), need, f->second)) return false;
        }
    }
    c.FoldersToCopy = t;
    c.SubFoldersToCopy = static_cast<double>(state.Vol08StructureFolders) * t;
    c.FilesToCopy = static_cast<double>(state.Vol08StructureFiles) * t;
    c.FileSizeToCopy = static_cast<double>(state.Vol08StructureBytes) * t;
    return true;
}
