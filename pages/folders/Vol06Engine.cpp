#include "pages/folders/Vol06Engine.h"

#include <algorithm>
#include <vector>

#include "core/PathTools.h"
#include "core/Validation.h"

using plat::FsResult;

namespace {

// Where the last name begins: behind the last "\" (or the drive's ":").
std::size_t NameStart(const std::string& path) {
    const std::size_t cut = path.find_last_of("\\:");
    return cut == std::string::npos ? 0 : cut + 1;
}

std::string FolderWithBackslash(const std::string& path) {
    std::string folder = path.substr(0, NameStart(path));
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
}

}  // namespace

void Vol06ResetCounters(Vol06Counters& c) {
    c.FoldersRenamed = c.SourceNotExists = c.DestinationExists = c.OtherReasons = 0;
}

void Vol06ClearUndo(Vol06UndoRecords& records) {
    records.Vol06UndoBases.clear();
    records.Vol06RenamedPairs.clear();
    records.Vol06FailedUndoPairs.clear();
}

void Vol06UndoRecorder::Renamed(const plat::Beneath& base, const std::string& from, const std::string& to,
                                const plat::FileIdentity& id) {
    // Most renames of a run work in the folder of the one before.
    if (!(base.Identity() == lastId_) || base.Folder() != lastFolder_) {
        lastIndex_ = bases_.IndexOf(base);
        lastId_ = base.Identity();
        lastFolder_ = base.Folder();
    }
    records_.Vol06RenamedPairs.push_back({from, to, id, lastIndex_});
}

// ---- new names ----------------------------------------------------------------------------

_tagVol0XParts Vol06BuildPrefixSuffixName(const Vol06Inputs& in, const std::string& path) {
    _tagVol0XParts parts;
    parts.Part[0] = FolderWithBackslash(path) + TrimControlAndBlanks(in.NewPrefix) +
                    TrimControlAndBlanks(in.DelimiterPrefixSubFolder);
    parts.Part[1] = path.substr(NameStart(path));
    parts.Part[2] = TrimControlAndBlanks(in.DelimiterSubFolderSuffix);
    parts.Part[3] = TrimControlAndBlanks(in.NewSuffix);
    return parts;
}

_tagVol0XParts Vol06BuildLastSubFolderName(const std::string& path, const std::string& newName) {
    _tagVol0XParts parts;
    parts.Part[0] = FolderWithBackslash(path);
    parts.Part[1] = newName;
    return parts;
}

std::string Vol06NewPath(const Vol06Inputs& in, const std::string& path) {
    if (!in.AddPrefixesSuffixes) {
        const _tagVol0XParts parts = Vol06BuildLastSubFolderName(path, in.RenameNewLastSubFolder);
        return parts.Part[0] + parts.Part[1];
    }
    const _tagVol0XParts parts = Vol06BuildPrefixSuffixName(in, path);
    return parts.Part[0] + parts.Part[1] + parts.Part[2] + parts.Part[3];
}

// ---- the run ------------------------------------------------------------------------------------

void Vol06RenameFolders(Vol06Counters& c, const Vol06Inputs& in, RunDisk& disk, Vol06Recorder& recorder,
                        FolderRunSink& sink) {
    const auto count = [&](double& counter, int category, const std::string& line) {
        counter += 1;
        sink.Outcome(category, line, c.Values());
    };
    // The texts around each name, trimmed once for the run.
    const std::string head = TrimControlAndBlanks(in.NewPrefix) + TrimControlAndBlanks(in.DelimiterPrefixSubFolder);
    const std::string tail = TrimControlAndBlanks(in.DelimiterSubFolderSuffix) + TrimControlAndBlanks(in.NewSuffix);
    // The level queue: by level, and within a level in list order; walked
    // backwards, the deepest level first and the last entered first.
    std::vector<AS_PAIR_NIVO_FOLDER_NAMES> queue;
    queue.reserve(in.IncludeFolders.size());
    for (const std::string& item : in.IncludeFolders) {
        std::string path = NormalizeFolderItem(item);
        const unsigned long level = CountPathSeparators(path);
        queue.emplace_back(level, std::move(path));
    }
    std::stable_sort(queue.begin(), queue.end(),
                     [](const AS_PAIR_NIVO_FOLDER_NAMES& a, const AS_PAIR_NIVO_FOLDER_NAMES& b) {
                         return a.first < b.first;
                     });
    // The folders of one level's items; let go when the walk moves up a
    // level, as the folders below may have new names by then.
    ParentBases parents;
    unsigned long level = 0;
    std::string to;
    plat::EntryInfo info;
    for (auto it = queue.rbegin(); it != queue.rend(); ++it) {
        if (it->first != level) {
            parents.Clear();
            level = it->first;
        }
        const std::string& from = it->second;
        if (GetDrivePart(from).empty() || UnusableFolderItem(from)) {
            count(c.OtherReasons, Vol06CatOtherReasons, from);
            continue;
        }
        const std::size_t nameAt = NameStart(from);
        if (in.AddPrefixesSuffixes) {
            to.assign(from, 0, nameAt);
            to.append(head).append(from, nameAt).append(tail);
        } else {
            to = Vol06NewPath(in, from);
        }
        plat::Beneath* base = parents.Get(ParentText(from));
        // A folder, looked at beneath its parent: a link or file is none.
        if (!base || disk.Look(*base, from, info) != FsResult::Ok || info.kind != plat::EntryKind::Folder) {
            count(c.SourceNotExists, Vol06CatSourceNotExists, from);
            continue;
        }
        if (to.size() >= 260) {
            count(c.OtherReasons, Vol06CatOtherReasons, to);
            continue;
        }
        // The new name must name one entry beside the old one.
        const bool usable = !UnusableFolderName(std::string_view(to).substr(nameAt));
        const FsResult r = usable ? disk.Rename(*base, from, to) : FsResult::Failed;
        plat::EntryInfo there;
        if (r == FsResult::Ok) {
            recorder.Renamed(*base, from, to, info.id);
            count(c.FoldersRenamed, Vol06CatFoldersRenamed, to);
        } else if (r == FsResult::AlreadyExists || disk.Look(*base, to, there) == FsResult::Ok) {
            count(c.DestinationExists, Vol06CatDestinationExists, from);
        } else {
            count(c.OtherReasons, Vol06CatOtherReasons, to);
        }
    }
}

// ---- undo -----------------------------------------------------------------------------------------

Vol06UndoReport Vol06UndoRenames(Vol06UndoRecords& records, Vol06Counters& c, FolderRunSink& sink) {
    const DEQ_RENAME_RECORDS replay =
        std::move(!records.Vol06RenamedPairs.empty() ? records.Vol06RenamedPairs : records.Vol06FailedUndoPairs);
    UndoBaseOpener bases(std::move(records.Vol06UndoBases));
    Vol06ClearUndo(records);
    Vol06ResetCounters(c);
    Vol06UndoReport report;
    RenameReversal reversal(bases);
    // Newest first: each folder goes back after everything renamed later,
    // so a parent renamed after its child is back before the child's turn.
    for (auto it = replay.rbegin(); it != replay.rend(); ++it) {
        switch (reversal.MoveBack(*it)) {
        case RenameBack::Moved: break;
        case RenameBack::DestinationMissing:
            report.DestinationMissing.push_back(TrimControlAndBlanks(it->NewPath));
            break;
        case RenameBack::SourceExists: report.SourceExists.push_back(TrimControlAndBlanks(it->OldPath)); break;
        case RenameBack::Changed:
            report.OtherReasons.push_back(TrimControlAndBlanks(it->NewPath) + "  (changed since the run)");
            break;
        case RenameBack::Failed:
            // Also a folder whose parent did not go back: it stays for the
            // next Undo, which tries the parent again first.
            report.OtherReasons.push_back(TrimControlAndBlanks(it->OldPath));
            records.Vol06FailedUndoPairs.push_front(*it);
            break;
        }
    }
    if (!records.Vol06FailedUndoPairs.empty()) records.Vol06UndoBases = bases.Bases();
    for (const _tagRenameRecord& failed : records.Vol06FailedUndoPairs)
        sink.Outcome(Vol06CatFoldersFailedUndo, TrimControlAndBlanks(failed.OldPath), c.Values());
    return report;
}

std::string Vol06UndoReportText(const Vol06UndoReport& report) {
    if (report.SourceExists.empty() && report.DestinationMissing.empty() && report.OtherReasons.empty()) return {};
    std::string text = "The program is unable to rename the following folders  : \n";
    const auto section = [&text](const char* heading, const StringList& paths) {
        if (paths.empty()) return;
        text += heading;
        for (const std::string& p : paths) text += p + "\n";
    };
    section("\nSOURCE FOLDERS DO EXIST : \n\n", report.SourceExists);
    section("\nDESTINATION FOLDERS DO NOT EXIST : \n\n", report.DestinationMissing);
    section("\nOTHER REASONS   : \n\n", report.OtherReasons);
    return text;
}
