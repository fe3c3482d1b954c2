// The structure totals of page 02 and the disk-space check before a run.
#include <limits>

#include "core/FileNames.h"
#include "core/FolderStructSize.h"
#include "core/PathTools.h"
#include "core/Validation.h"
#include "pages/creation/Vol02Engine.h"
#include "pages/creation/Vol02Internal.h"
#include "platform/MessageBox.h"

void Vol02ComputeStructureTotals(Vol02State& state, const Vol02Inputs& in, bool withFiles, const std::string& extra) {
    state.Vol02StructureFolders = 0;
    state.Vol02StructureFiles = 0;
    state.Vol02StructureBytes = 0;
    state.Vol02StructureFileSizes.clear();
    const bool countRoot = !(in.SubFoldersOnlyWithFiles || in.SubFoldersOnlyWithoutFiles);
    auto measure = [&](const std::string& raw) {
        const std::string entry = Vol02StructureEntry(raw);
        // A drive root is refused by the run, so it is not walked here either.
        if (TrimBlanks(entry).empty() || IsDriveRootPath(entry)) return;
        FolderStructSize size(entry, withFiles);
        size.SetCountRoot(countRoot);
        size.Examine();
        state.Vol02StructureFolders += size.GetFolderCount();
        for (auto& file : size.GetFileMap()) state.Vol02StructureFileSizes.insert(file);  // the first size stays
        if (withFiles) {
            state.Vol02StructureBytes += size.GetTotalFileSize();
            state.Vol02StructureFiles += size.GetFileCount();
        }
    };
    for (const auto& entry : in.FolderStructures) measure(entry);
    if (!extra.empty()) measure(extra);
}

bool Vol02CheckDiskSpace(Vol02State& state, const Vol02Inputs& in, bool withFiles) {
    Vol02Counters& c = state.Counters;
    const double n = static_cast<double>(in.IncludeStrings.size());
    if (in.RelativePaths) {
        // Template lines copy no files: each main folder gets one folder per line.
        c.Stat02FoldersToCreate = n;
        c.Stat02SubFoldersToCreate = n * static_cast<double>(in.FolderStructures.size());
        state.Vol02StructureFolders = static_cast<std::uint32_t>(in.FolderStructures.size());
        state.Vol02StructureFiles = 0;
        state.Vol02StructureBytes = 0;
        return true;
    }
    Vol02ComputeStructureTotals(state, in, withFiles);
    std::string root;
    std::uint64_t free = 0;
    GetDriveFreeBytes(TrimControlAndBlanks(in.DestFolder), root, free);
    return Vol02WeighDiskSpace(state, in, free, root);
}

bool Vol02WeighDiskSpace(Vol02State& state, const Vol02Inputs& in, std::uint64_t free, const std::string& root) {
    Vol02Counters& c = state.Counters;
    const double n = static_cast<double>(in.IncludeStrings.size());
    if (n <= 0) return false;
    const double required = static_cast<double>(state.Vol02StructureBytes) * n;
    if (static_cast<double>(free) > required) {
        c.Stat02FoldersToCreate = n;
        c.Stat02SubFoldersToCreate = static_cast<double>(state.Vol02StructureFolders) * n;
        c.Stat02FilesToCreate = static_cast<double>(state.Vol02StructureFiles) * n;
        c.Stat02FilesSizeToCreate = required;
        return true;
    }
    const double maxBytes = static_cast<double>(std::numeric_limits<std::uint64_t>::max());
    const std::uint64_t requiredBytes = required >= maxBytes ? std::numeric_limits<std::uint64_t>::max()
                                                             : static_cast<std::uint64_t>(required);
    plat::MessageBox("There is not enough space on the disk.\nThe free space on the disk " + root + " is : " +
                         FormatByteSize(free) + "    " + UInt64ToStr(free) + " bytes\n" +
                         "The program requires : " + FormatByteSize(requiredBytes) + "    " + DoubleToStr(required) +
                         " bytes.",
                     Vol02Caption(kVol02Topic, 20059, false), plat::MB_OK | plat::MB_ICONWARNING);
    return false;
}
