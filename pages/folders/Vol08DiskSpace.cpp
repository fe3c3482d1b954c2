// The to-copy totals of page 08 and the free-space check, drive by drive.
#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

#include "core/FileNames.h"
#include "core/FolderStructSize.h"
#include "core/PathTools.h"
#include "core/SettingsStore.h"
#include "core/TemplateOptions.h"
#include "core/Validation.h"
#include "pages/AttachWalk.h"
#include "pages/ListedFolders.h"
#include "pages/PageMessages.h"
#include "pages/WalksOnPool.h"
#include "pages/folders/Vol08Engine.h"
#include "platform/MessageBox.h"

namespace {

MeasureSetup StructureMeasure(const Vol08Inputs& in, bool withFiles) {
    return {withFiles, !in.SubFoldersOnlyMode(), Vol08Selection(in)};
}

// A measured structure's share: its folders and the files the run copies,
// and what the walk passes over, which the run names among what it did not copy.
Vol08Share ShareOf(const std::string& structure, const FolderStructSize& size, bool withFiles, bool countRoot) {
    Vol08Share share;
    share.Folders = size.GetFolderCount();
    if (withFiles) {
        share.Files = size.GetMaskedFileCount();
        share.Bytes = static_cast<double>(size.GetMaskedTotalSize());
        // A file two masks take is written once: the second finds it there.
        for (const auto& [file, bytes] : size.GetMaskedFileMap()) share.Written += bytes;
    }
    for (const FolderStructSize::PassedOver& u : size.GetPassedOver()) {
        if (u.entry.kind == plat::EntryKind::Folder)
            share.Folders += 1;
        else if (withFiles)
            share.Files += u.masks;
    }
    share.LineBytes = StructureLineBytes(structure, size, share.Folders + share.Files, countRoot);
    return share;
}

// The structures' shares into the totals, in list order.
void AddShares(Vol08State& state, const Vol08Inputs& in, const std::vector<std::optional<FolderStructSize>>& sizes,
               std::vector<Vol08Share> shares, bool withFiles) {
    state.Vol08StructureFileSizes.clear();
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        if (!sizes[i]) continue;
        // The first size stays.
        for (auto& file : sizes[i]->GetMaskedFileMap()) state.Vol08StructureFileSizes.insert(file);
        shares[i] = ShareOf(StructureEntryText(in.FolderStructures[i]), *sizes[i], withFiles, !in.SubFoldersOnlyMode());
    }
    double folders = 0, files = 0, bytes = 0, lineBytes = 0;
    for (const Vol08Share& share : shares) {
        folders += share.Folders;
        files += share.Files;
        bytes += share.Bytes;
        // A line the list refuses is named as it stands.
        lineBytes += share.LineBytes;
    }
    state.Vol08BelowLineBytes = folders + files > 0 ? lineBytes / (folders + files) : 0;
    state.Vol08StructureFolders = static_cast<std::uint32_t>(folders);
    state.Vol08StructureFiles = static_cast<std::uint32_t>(files);
    state.Vol08StructureBytes = static_cast<std::uint64_t>(bytes);
    state.Vol08StructureShares = std::move(shares);
}

}  // namespace

std::map<std::string, std::uint64_t> Vol08ComputeDriveNeeds(const Vol08State& state, const Vol08Inputs& in) {
    std::uint64_t written = 0;
    for (const Vol08Share& share : state.Vol08StructureShares) written += share.Written;
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
        // Template lines make the folders their paths name in each main folder.
        state.Vol08StructureShares.clear();
        std::string term;
        const int mode = GetFolderTemplateMode(4, term);
        c.FoldersToCopy = t;
        c.SubFoldersToCopy = TemplateFoldersIn(in.FolderStructures, mainFolders, mode, term);
        const auto longest = std::max_element(mainFolders.begin(), mainFolders.end(),
                                              [](const auto& a, const auto& b) { return a.size() < b.size(); });
        state.Vol08BelowLineBytes =
            TemplateLineBytes(in.FolderStructures, longest == mainFolders.end() ? "" : *longest, mode, term);
        return true;
    }
    // The structures the run copies measured and, when files take room, the
    // main folders' free bytes asked: all at once on the pool, and no box
    // before the end. A line the list would refuse is one folder not copied.
    std::vector<Vol08Share> shares(in.FolderStructures.size());
    StringList structures;
    std::vector<std::size_t> lineOf;
    for (std::size_t i = 0; i < in.FolderStructures.size(); ++i) {
        const Vol08Use use = Vol08StructureUse(in, in.FolderStructures[i]);
        if (use == Vol08Use::Unusable) shares[i].Folders = 1;
        if (use != Vol08Use::Copy) continue;
        structures.push_back(StructureEntryText(in.FolderStructures[i]));
        lineOf.push_back(i);
    }
    StringList weighed;
    if (withFiles && t > 0)
        for (const std::string& mainFolder : mainFolders)
            if (!DriveSpaceKey(mainFolder).empty()) weighed.push_back(mainFolder);
    StringList read = structures;
    read.insert(read.end(), weighed.begin(), weighed.end());
    const MeasureSetup setup = StructureMeasure(in, withFiles);
    std::vector<std::optional<FolderStructSize>> sizes(in.FolderStructures.size());
    std::vector<std::optional<std::uint64_t>> freeBytes(weighed.size());
    {
        const CountingBusy counting;
        const std::size_t n = structures.size();
        const bool done = ReadOnPool(read, [&](std::size_t i) {
            if (i < n)
                Measure(structures[i], setup, sizes[lineOf[i]]);
            else
                freeBytes[i - n] = FreeBytesOf(weighed[i - n]);
        });
        if (!done) return false;
    }
    AddShares(state, in, sizes, std::move(shares), withFiles);
    const auto needs = Vol08ComputeDriveNeeds(state, in);
    if (t == 0) return false;
    // A drive's free bytes are those where its main folders are: the least
    // among them (on Linux a drive may hold several file systems).
    std::map<std::string, std::uint64_t> free;
    for (std::size_t i = 0; i < weighed.size(); ++i) {
        if (!freeBytes[i]) continue;
        auto [entry, added] = free.emplace(DriveSpaceKey(weighed[i]), *freeBytes[i]);
        if (!added) entry->second = std::min(entry->second, *freeBytes[i]);
    }
    for (const auto& [key, need] : needs) {
        const auto f = free.find(key);
        if (need == 0 || key.empty() || f == free.end()) continue;  // the run shows such main folders as missing
        if (!Vol08WeighDrive(DriveSpaceRoot(key), need, f->second)) return false;
    }
    c.FoldersToCopy = t;
    c.SubFoldersToCopy = static_cast<double>(state.Vol08StructureFolders) * t;
    c.FilesToCopy = static_cast<double>(state.Vol08StructureFiles) * t;
    c.FileSizeToCopy = static_cast<double>(state.Vol08StructureBytes) * t;
    return true;
}
