#include "pages/files/Vol10Engine.h"

#include <algorithm>
#include <array>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <span>
#include <string_view>
#include <unordered_map>

#include "core/FileNames.h"
#include "core/FolderStructSize.h"
#include "core/PathTools.h"
#include "core/StripedSet.h"
#include "core/Validation.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "pages/AttachWalk.h"
#include "pages/ListedFolders.h"
#include "pages/PageKinds.h"
#include "pages/PageMessages.h"
#include "pages/RunFrame.h"
#include "pages/RunCounters.h"
#include "pages/RunItems.h"
#include "pages/WalksOnPool.h"

using namespace pagekit;

namespace {

StringList Destinations(const Vol10Inputs& in) { return FoldersAsRead(in.IncludeFolders, false); }

// A source is walked into a destination only by a chosen route.
bool Vol10Walks(const Vol10Inputs& in) { return in.CopyToMainFolders || in.CopyToMainFoldersExtensions; }

// The box that refuses one of the program's own folders as a destination.
PageMessage Vol10OwnFolderBox(const std::string& destination, bool sim) {
    return {OwnFolderRefusal("ATTACH/COPY/MOVE", "Destination Folder", destination),
            MessageCaption(sim ? kVol10SimTopic : kVol10Topic, "Information", sim ? "100074" : "100046")};
}

// Copies get their names beneath the destination: one the list would
// refuse is none.
bool UsableDestination(const std::string& destination) {
    return IsUsableRunItem(destination, RunItemUse::IncludeFolder);
}

// The destinations that name a folder an earlier one copies into (in
// another spelling, through a link): copied into once. `ids`: each one's
// folder as it opened before the run. One whose text every source's check
// refuses copies nothing, so a later spelling still does.
std::vector<char> RepeatedDestinations(const StringList& destinations,
                                       std::vector<std::optional<plat::FileIdentity>> ids) {
    std::string message, text;
    for (std::size_t i = 0; i < destinations.size(); ++i)
        if (!UsableDestination(destinations[i]) || !ValidateIncludeListText(destinations[i], message, text))
            ids[i].reset();
    return RepeatedFolders(ids);
}

std::string WithoutTrailingBackslash(std::string path) {
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    if (path.size() > 1 && path.back() == '\\' && !(path.size() == 3 && path[1] == ':')) path.pop_back();
    return path;
}

_tagCreatedFile FileRecord(const std::string& path, const plat::FileStamp& stamp, std::uint32_t base) {
    _tagCreatedFile file;
    file.Path = path;
    file.HasStamp = stamp.id.Known();
    file.Stamp = stamp;
    file.Base = base;
    return file;
}

// What one destination came to, kept until it is applied in list order:
// its lines, its counters, its results and undo records, the boxes it
// shows.
struct Vol10Found {
    Vol10Counters Counters;  // this destination's part
    bool NotExists = false, Copied = false;
    StringList FilesExist, FilesOtherReasons;
    std::vector<_tagCreatedFile> FilesCopied;
    std::vector<_tagCreatedFolder> SubFoldersCopied;
    // Overwrites in order: a working copy made now, or a target saved by an
    // earlier one written over again.
    struct Overwrite {
        bool Made;
        _tagWorkingCopy Record;
    };
    std::vector<Overwrite> Overwrites;
    std::vector<PageMessage> Boxes;  // refusals (information), shown in order
    bool Own = false;                // one of the program's own folders: the run stops
    StringList MissingSizes;         // sources the pre-count did not see
    bool BackupsExhausted = false, IncreaseExhausted = false;
    plat::Beneath Dest;  // the base its records name
};
struct Vol10Outcome : Vol10Found {
    ItemLog Log;
    // Empty for the slot's next item, on its worker: what the last one
    // kept goes there. (Its lines went when it was applied.)
    void Reset() { static_cast<Vol10Found&>(*this) = Vol10Found{}; }
};

// ---- what a run keeps ----

// How many workers a run into `destinations` gets.
unsigned Vol10Workers(const StringList& destinations) {
    return destinations.empty() ? 1 : PageRunWorkers(destinations.front(), plat::RunWork::Copy);
}

// What one file keeps in the run's lists and records, by the duplicate
// mode: a copy, or the dearer of a copy and what an existing target gives.
Kept FileKept(const Vol10Inputs& in, bool simulation) {
    using namespace kept;
    const Kept copy = kCopiedLines + (simulation ? kDryFile : kOwnFileRecord);
    if (in.DuplicatedFilesSkip) return Dearer(copy, kListedLine + kSkippedLines);
    if (in.DuplicatedFilesOverWrite)
        return Dearer(copy,
                      kListedLine + kCopiedLines + kOverwrittenLines + (simulation ? 2 * kDryFile : kWorkingCopy));
    return copy + kIncreasedLines;
}

// The same in the destination's outcome slot, until it is applied: the
// lines there, and the records and lists the outcome keeps.
Kept FileInSlot(const Vol10Inputs& in) {
    using namespace kept;
    const Kept copy = 2 * kSlotLine + kSlotCopiedFile;
    const Kept exists = kSlotLine + kListPath;
    if (in.DuplicatedFilesSkip) return Dearer(copy, exists + 2 * kSlotLine);
    if (in.DuplicatedFilesOverWrite) return Dearer(copy, exists + 4 * kSlotLine + kSlotSavedTarget);
    return copy + 2 * kSlotLine;
}

// What a destination's outcome slot keeps: its files' and folders' lines.
double ItemSlotBytes(const Vol10State& state, const Vol10Inputs& in) {
    const double files = state.Vol10SourceFiles, subs = state.Vol10SourceSubFolders;
    const double each = state.Counters.FoldersToCopy > 0
                            ? state.Vol10LineBytes / state.Counters.FoldersToCopy
                            : 0;  // the characters one destination's lines name
    return kept::SlotFixed(sizeof(Vol10Outcome), each * FileInSlot(in).copies) + Weigh(files, 0, FileInSlot(in)) +
           Weigh(subs, 0, kept::kSlotLine) + each * FileInSlot(in).copies;
}

// One run or simulation: each destination an item of the run pool, the
// walk of each source and the three conflict rules, on the disk it is
// handed. Items share only what the run fixed before it started and the
// working-copy names; the run's working copies of the overwrite rule are
// made one destination after the other, in list order, so that their names
// are those of a run one at a time.
class Vol10Copier {
public:
    Vol10Copier(const Vol10Inputs& in, Vol10State& state, RunLog& log, RunDisk& disk)
        : in_(in), st_(state), log_(log), disk_(disk), sim_(disk.IsDry()), selection_(Vol10Selection(in)),
          overwrite_(!in.DuplicatedFilesSkip && in.DuplicatedFilesOverWrite), names_(state.Vol10WorkingNames), baseList_(state.Vol10UndoBases) {}

    void Run(const StringList& destinations) {
        // No walk enters a destination or the working folder: each is
        // opened on the pool before any walk starts.
        // A walk that meets one names it among the files not copied.
        StringList fenced = destinations;
        fenced.push_back(in_.WorkingDir);
        std::vector<std::optional<plat::FileIdentity>> opened;
        if (!IdentitiesOnPool(fenced, opened)) return;
        for (const auto& id : opened)
            if (id) fence_.AddOwn(*id);
        opened.pop_back();  // the working folder
        repeated_ = RepeatedDestinations(destinations, std::move(opened));
        for (const std::string& s : in_.Sources) sources_.push_back(TrimControlAndBlanks(s));
        if (Vol10Walks(in_) && !ReadSources()) return;
        sourcesRead_.Answer(disk_);
        PooledRun<Vol10Outcome> run;
        run.Items = destinations.size();
        run.SlotBytes = ItemSlotBytes(st_, in_);
        run.Workers = Vol10Workers(destinations);
        workers_.resize(run.Workers);
        run.Scope = [&](std::size_t i, RunScope& scope) { Scope(destinations[i], scope); };
        run.Work = [&](std::size_t i, Vol10Outcome& out, RunItemContext& ctx) {
            Work(destinations[i], repeated_[i], out, workers_[ctx.Worker()]);
            if (out.Own) ctx.Stop();  // nothing after it starts
        };
        run.Apply = [&](std::size_t i, Vol10Outcome& out, RunApplyContext& ctx) { Apply(destinations[i], out, ctx); };
        run.Stream = StreamLines<Vol10Outcome, Vol10Counters>(&Vol10Outcome::Log, &Vol10Outcome::Counters, log_,
                                                                  st_.Counters);
        run.Name = [&](std::size_t i) { return destinations[i]; };
        RunPageItems(run);
        if (!sim_) st_.Vol10WorkingNames = names_;
        log_.ShowCounters(st_.Counters.Labels());
        Report();
    }

private:
    // Every source read whole, as the walks will take it, before anything is
    // copied: they meet what was there when the run began, never a copy the
    // run made (a source may be a type folder of a destination), and a
    // source is listed once, not once for each destination.
    bool ReadSources() {
        StringList roots;
        for (const std::string& s : sources_)
            if (!TrimBlanks(s).empty() && std::find(roots.begin(), roots.end(), s) == roots.end()) roots.push_back(s);
        return ReadOnPool(roots, [&](std::size_t i) {
            plat::Beneath base;
            if (base.Open(roots[i]) != plat::FsResult::Ok) return;
            std::deque<std::string> queue{roots[i]};
            std::vector<std::string> subfolders;
            std::vector<plat::DirEntry> files, passed;
            while (!queue.empty()) {
                const std::string folder = std::move(queue.front());
                queue.pop_front();
                base.Release();
                if (!SplitListing(sourcesRead_, base, folder, fence_, WalkTakes::Opened, subfolders, files, nullptr,
                                  &passed)) {
                    sourcesRead_.WhyNotListed(base, folder);  // kept for the walks too
                    continue;
                }
                for (std::string& sub : subfolders) queue.push_back(std::move(sub));
            }
        });
    }

    // What a worker holds across its items: the sources and the working folder.
    struct Worker {
        struct Source {
            plat::Beneath base;
            std::vector<plat::FileIdentity> chain;  // its Ancestry
        };
        std::map<std::string, Source> sources;
        plat::Beneath work;
        std::unique_ptr<RunFolderRefusal> refusal;
    };

    // The run's overwriting items share the working folder: one after the
    // other, so that its working copies get the names of a run one at a
    // time, which its records keep. The simulation's copies are pretended
    // and named nowhere: its items overlap, sharing the names under a lock.
    void Scope(const std::string& destination, RunScope& scope) const {
        scope.Write(destination);
        for (const std::string& s : sources_) scope.Read(s);
        if (overwrite_ && !sim_) scope.Write(in_.WorkingDirCopyFiles);
    }

    void Work(const std::string& destination, bool repeated, Vol10Outcome& out, Worker& worker) {
        // What the slot's last item kept (its records, its held
        // destination) goes here, on a worker.
        out.Reset();
        Vol10Item(*this, worker, out).Destination(destination, repeated);
    }

    // The boxes said once, after the run.
    void Report() const {
        if (!missingSizes_.empty()) {
            std::string text = "The path doesn't exists : \n";
            for (const std::string& x : missingSizes_) text += x + "\n";
            plat::MessageBox(text, MessageCaption(kVol10Topic, "Warning", "100054"), kWarn);
        }
        if (backupsExhausted_)
            plat::MessageBox("The Copy Procedure FAIL because the increase number is higher than max. 30000 !",
                             "Error !    Msg no: 10057.", pagekit::kError);
        if (increaseExhausted_)
            plat::MessageBox("The Copy Procedure FAIL because the increase number is higher than max. 30000 !",
                             "Error !    Msg no: 100058.", pagekit::kError);
    }

    // One destination on a worker: it writes to its outcome alone.
    class Vol10Item {
    public:
        Vol10Item(Vol10Copier& run, Worker& worker, Vol10Outcome& out)
            : run_(run), in_(run.in_), disk_(run.disk_), sim_(run.sim_), worker_(worker), out_(out),
              dest_(out.Dest) {}

        // `repeated`: a folder an earlier destination copies into, which is
        // only refused here where it is refused.
        void Destination(const std::string& destination, bool repeated) {
            if (!UsableDestination(destination) || dest_.Open(destination) != plat::FsResult::Ok) {
                if (repeated) return;
                out_.Counters.FoldersNotExists += 1;
                out_.NotExists = true;
                out_.Log.AddLine(Vol10CatFoldersNotExists, destination);
                // Nothing the count took for it is copied.
                for (const double files : run_.st_.Vol10SourceShares) out_.Counters.FilesOtherReasons += files;
                return;
            }
            // Its files could be the working copies that keep other targets'
            // old content for the Undo, or the program's settings. (The run
            // was refused before it began when the list named one; this one
            // was swapped in since.)
            std::unique_ptr<RunFolderRefusal>& refusal = worker_.refusal;
            if (!refusal) refusal = std::make_unique<RunFolderRefusal>(in_.ProgramFolder, in_.WorkingDir);
            if (refusal->IsOwnFolder(dest_)) {
                out_.Boxes.push_back(Vol10OwnFolderBox(destination, sim_));
                out_.Own = true;
                return;
            }
            if (repeated) return dest_.Close();  // no base of the Undo's
            root_ = WithoutTrailingBackslash(destination) + "\\";
            if (root_.size() >= 2 && root_[root_.size() - 2] == '\\') root_.pop_back();
            bool processed = false;
            for (std::size_t i = 0; i < in_.Sources.size(); ++i) {
                const std::string& s = in_.Sources[i];
                std::string refusal;
                // The destination is the source, by its text or by the folder
                // it names: none of its files is copied onto itself.
                if (CheckDestinationNotSource(destination, s, refusal) || SameFolder(destination, s, refusal)) {
                    out_.Boxes.push_back({refusal, MessageCaption(sim_ ? kVol10SimTopic : kVol10Topic, "Information",
                                                                  sim_ ? "100074" : "100046")});
                    PassOver(i, s);
                    continue;
                }
                if (!Vol10Walks(in_)) continue;
                Walk(TrimControlAndBlanks(s));
                processed = true;
            }
            if (processed) {
                out_.Counters.FoldersCopied += 1;
                out_.Copied = true;
                out_.Log.AddLine(Vol10CatFoldersCopied, destination);
                out_.Log.AddExportLine(Vol10CatFoldersCopied, destination);
            }
        }

    private:
        bool SameFolder(const std::string& destination, const std::string& source, std::string& refusal) {
            plat::Beneath& src = Source(TrimControlAndBlanks(source));
            if (!src.IsOpen() || !(src.Identity() == dest_.Identity())) return false;
            refusal = SameFolderRefusal(destination, TrimControlAndBlanks(source));
            return true;
        }

        // A source not walked into this destination: what the count took of
        // it, not copied for another reason, named by the source.
        void PassOver(std::size_t index, const std::string& source) {
            const std::vector<double>& shares = run_.st_.Vol10SourceShares;
            if (index < shares.size()) out_.Counters.FilesOtherReasons += shares[index];
            const std::string from = TrimControlAndBlanks(source), to = WithoutTrailingBackslash(root_);
            std::string line = "NOT Copied  Source: " + from + " To Dest: " + to;
            out_.Log.AddLine(Vol10CatFilesOtherReasons, line);
            out_.Log.AddExportLine(Vol10CatFilesOtherReasons, from + "," + to);
            out_.FilesOtherReasons.push_back(std::move(line));
        }

        // Level by level; the source's own files only with "Main Folders and
        // their Subfolders.".
        void Walk(const std::string& source) {
            plat::Beneath& src = Source(source);
            if (!src.IsOpen()) return;
            std::deque<std::string> queue{source};
            bool root = true;
            std::vector<std::string> subfolders, fenced;
            std::vector<plat::DirEntry> files, passed;
            while (!queue.empty()) {
                const std::string folder = std::move(queue.front());
                queue.pop_front();
                src.Release();
                dest_.Release();
                // A folder that could not be read is no folder without files;
                // one the walk does not enter (a destination, the working
                // folder, another file system) is named as one.
                if (!SplitListing(run_.sourcesRead_, src, folder, run_.fence_, WalkTakes::Opened, subfolders, files,
                                  &fenced, &passed)) {
                    const plat::NotListed why = run_.sourcesRead_.WhyNotListed(src, folder);
                    if (why != plat::NotListed::Gone)
                        LogOther(NotListedName(folder, why), WithoutTrailingBackslash(root_));
                }
                for (const std::string& f : fenced) LogOther(f, WithoutTrailingBackslash(root_));
                const bool takeFiles = run_.selection_.rootFiles || !root;
                root = false;
                if (takeFiles)
                    for (const plat::DirEntry& e : files)
                        if (Copied(e.name)) CopyFile(src, folder, e);
                // Passed over: a folder is not read, any other entry the
                // masks take not copied, each named with its reason.
                for (const plat::DirEntry& e : passed) {
                    const std::string named = NamedPassed(JoinEntry(folder, e.name), WhyPassed(e.kind, WalkTakes::Opened));
                    if (e.kind == plat::EntryKind::Folder)
                        LogOther(named, WithoutTrailingBackslash(root_));
                    else if (takeFiles && Copied(e.name))
                        LogOther(named, TargetOf(e.name));
                }
                for (std::string& sub : subfolders) queue.push_back(std::move(sub));
            }
        }

        plat::Beneath& Source(const std::string& source) {
            auto it = worker_.sources.find(source);
            if (it == worker_.sources.end()) {
                it = worker_.sources.emplace(source, Worker::Source()).first;
                if (it->second.base.Open(source) == plat::FsResult::Ok) it->second.chain = it->second.base.Ancestry();
            }
            // A source at or below the destination may hold the very files
            // its copies would go to (a type folder of the destination).
            ownTargets_ = dest_.IsOpen() && ChainHolds(it->second.chain, dest_.Identity());
            return it->second.base;
        }

        // The file itself where its copy would go: not copied onto itself.
        bool OwnTarget(const plat::DirEntry& e, const std::string& target) {
            if (!ownTargets_) return false;
            plat::EntryInfo there;
            return disk_.Look(dest_, target, there) == plat::FsResult::Ok && there.id.dev == e.dev &&
                   there.id.ino == e.ino;
        }

        bool Copied(const std::string& name) const { return run_.selection_.times(name) > 0; }

        // Where a file of that name goes; its type folder is not made here.
        std::string TargetOf(const std::string& name) const {
            if (in_.CopyToMainFolders) return root_ + name;
            return TypeFolderOf(name) + "\\" + name;
        }

        // The folder of a file's type: its extension, or "noext" for a name
        // without one, a name that ends in its dot too.
        std::string TypeFolderOf(const std::string& name) const {
            std::string ext;
            GetFileExtensionAnsi(name, ext);
            return root_ + (ext.empty() ? std::string("noext") : ext);
        }

        void CopyFile(plat::Beneath& src, const std::string& folder, const plat::DirEntry& e) {
            const std::string& name = e.name;
            const std::string from = JoinEntry(folder, name);
            std::string target;
            if (in_.CopyToMainFolders) {
                target = root_ + name;
            } else {
                const std::string typeFolder = TypeFolderOf(name);
                std::vector<plat::MadeFolder> made;
                const plat::FsResult r = disk_.MakeFolderTree(dest_, typeFolder, made);
                if (r == plat::FsResult::Ok || r == plat::FsResult::AlreadyExists) {
                    out_.Counters.SubFoldersCopied += 1;
                    out_.Log.AddLine(Vol10CatSubFoldersCopied, typeFolder);
                    if (!sim_)
                        for (const auto& f : made) out_.SubFoldersCopied.push_back({f.path, f.id, 0});
                }
                target = typeFolder + "\\" + name;
            }
            if (OwnTarget(e, target)) return LogNotCopied(from, target);
            if (in_.DuplicatedFilesSkip)
                Skip(src, from, target);
            else if (in_.DuplicatedFilesOverWrite)
                Overwrite(src, from, target);
            else if (in_.DuplicatedFilesIncreaseFileNames)
                Increase(src, from, target);
        }

        void Skip(plat::Beneath& src, const std::string& from, const std::string& to) {
            plat::FileStamp stamp;
            switch (disk_.CopyFile(src, from, dest_, to, &stamp)) {
            case plat::FsResult::Ok: LogCopied(from, to, &stamp); break;
            case plat::FsResult::AlreadyExists:
                LogExists(from, to);
                LogSkipped(from, to);
                break;
            default: LogNotCopied(from, to);
            }
        }

        // The working folder and the run's saved targets belong to the
        // overwriting items (the run's one after the other).
        void Overwrite(plat::Beneath& src, const std::string& from, const std::string& to) {
            plat::FileStamp stamp;
            const plat::FsResult first = disk_.CopyFile(src, from, dest_, to, &stamp);
            if (first == plat::FsResult::Ok) return LogCopied(from, to, &stamp);
            if (first != plat::FsResult::AlreadyExists) return LogNotCopied(from, to);
            // The settings lock stays where a second copy of the program looks for it.
            if (!run_.own_.Empty()) {
                plat::EntryInfo there;
                if (disk_.Look(dest_, to, there) != plat::FsResult::Ok || run_.own_.Holds(there.id))
                    return LogNotCopied(from, to);
            }
            // The old file is saved before anything replaces it, once per
            // target and run: a second overwrite keeps the first copy, which
            // holds the content from before the run.
            const bool saved = run_.BackedUp(to);
            _tagWorkingCopy record;
            plat::Beneath& work = worker_.work;
            if (!saved) {
                if (!work.IsOpen() && work.OpenOwn(in_.WorkingDirCopyFiles) != plat::FsResult::Ok)
                    return LogNotCopied(from, to);
                work.Release();
                bool exhausted = false;
                if (run_.names_.Make(disk_, dest_, to, work, record.WorkingCopy, record.Copy, &exhausted,
                                     &run_.namesLock_) != plat::FsResult::Ok) {
                    out_.BackupsExhausted = out_.BackupsExhausted || exhausted;
                    return LogNotCopied(from, to);
                }
                record.Target = to;
            }
            // The target was there: it counts as existing, written over or
            // not, and one refused above (the lock, no working copy) counts
            // as not copied alone.
            LogExists(from, to);
            plat::FileStamp written;
            if (disk_.CopyFileReplacing(src, from, dest_, to, &written) != plat::FsResult::Ok) {
                // The target is as it was: the copy made for it has no use.
                if (!saved) disk_.RemoveFile(work, record.WorkingCopy, &record.Copy);
                return;
            }
            if (!saved) run_.BackUp(to);
            if (!sim_) {
                record.Target = to;
                record.Written = written;
                out_.Overwrites.push_back({!saved, std::move(record)});
            }
            LogCopied(from, to, nullptr);
            LogOverwritten(from, to);
        }

        void Increase(plat::Beneath& src, const std::string& from, const std::string& to) {
            std::string dir, base;
            const std::size_t slash = to.rfind('\\');
            dir = to.substr(0, slash);
            StripFileExtension(to.substr(slash + 1), base);
            const std::string ext = to.substr(slash + 1 + base.size());
            std::string candidate = to;
            for (int tries = 1;; ++tries) {
                plat::FileStamp stamp;
                const plat::FsResult r = disk_.CopyFile(src, from, dest_, candidate, &stamp);
                if (r == plat::FsResult::Ok) {
                    LogCopied(from, candidate, &stamp);
                    if (tries > 1) LogIncreased(from, candidate);
                    return;
                }
                if (r != plat::FsResult::AlreadyExists) return LogNotCopied(from, to);
                if (tries >= 30000) {
                    out_.IncreaseExhausted = true;
                    return LogNotCopied(from, to);
                }
                base = MakeIncreasedFileName(base);
                candidate = dir + "\\" + base + ext;
            }
        }

        // ---- loggers ----
        double SizeOf(const std::string& file) {
            const auto it = run_.st_.Vol10SourceFileSizes.find(file);
            if (it != run_.st_.Vol10SourceFileSizes.end()) return static_cast<double>(it->second);
            if (missingSeen_.insert(file).second) out_.MissingSizes.push_back(file);
            return 0;
        }

        // A stamp: a copy onto a free name, which the Undo deletes.
        void LogCopied(const std::string& from, const std::string& to, const plat::FileStamp* stamp) {
            out_.Counters.FilesCopied += 1;
            out_.Counters.FileSizeCopied += SizeOf(from);
            if (stamp && !sim_) out_.FilesCopied.push_back(FileRecord(to, *stamp, 0));
            out_.Log.AddLine(Vol10CatFilesCopied,
                             std::string(vol10line::kCopyHead) + from + std::string(vol10line::kCopyMid) + to);
            out_.Log.AddExportLine(Vol10CatFilesCopied, from + "," + to);
        }
        void LogExists(const std::string& from, const std::string& to) {
            out_.Counters.FilesExists += 1;
            out_.Counters.FileSizeExists += SizeOf(from);
            out_.FilesExist.push_back(to);
            out_.Log.AddLine(Vol10CatFilesExist, to);
        }
        void LogSkipped(const std::string& from, const std::string& to) {
            out_.Counters.FilesSkipped += 1;
            out_.Log.AddLine(Vol10CatFilesSkipped, std::string(vol10line::kSkipHead) + from +
                                                       std::string(vol10line::kSkipMid) + to +
                                                       std::string(vol10line::kSkipTail));
            out_.Log.AddExportLine(Vol10CatFilesSkipped, from + "," + to);
        }
        void LogOverwritten(const std::string& from, const std::string& to) {
            out_.Counters.FilesOverWrited += 1;
            out_.Log.AddLine(Vol10CatFilesOverWrited,
                             std::string(vol10line::kOverHead) + to + std::string(vol10line::kOverMid) + from);
            out_.Log.AddExportLine(Vol10CatFilesOverWrited, from + "," + to);
        }
        void LogIncreased(const std::string& from, const std::string& to) {
            out_.Counters.FilesIncreasedFileNames += 1;
            out_.Log.AddLine(Vol10CatFilesIncreasedFileNames, std::string(vol10line::kIncreaseHead) + from +
                                                                  std::string(vol10line::kIncreaseMid) + to);
            out_.Log.AddExportLine(Vol10CatFilesIncreasedFileNames, from + "," + to);
        }
        void LogNotCopied(const std::string& from, const std::string& to) {
            SizeOf(from);
            LogOther(from, to);
        }
        void LogOther(const std::string& from, const std::string& to) {
            out_.Counters.FilesOtherReasons += 1;
            std::string line = "NOT Copied  Source: " + from + " To Dest: " + to;
            out_.Log.AddLine(Vol10CatFilesOtherReasons, line);
            out_.Log.AddExportLine(Vol10CatFilesOtherReasons, from + "," + to);
            out_.FilesOtherReasons.push_back(std::move(line));
        }

        Vol10Copier& run_;
        const Vol10Inputs& in_;
        RunDisk& disk_;
        const bool sim_;
        Worker& worker_;
        Vol10Outcome& out_;
        plat::Beneath& dest_;
        std::string root_;
        bool ownTargets_ = false;  // the source walked lies at or below the destination
        std::set<std::string> missingSeen_;
    };

    // On the window thread, in list order: the page's counters, lists and
    // undo records, then the refusals' boxes (a box that fails loses no record).
    void Apply(const std::string& destination, Vol10Outcome& out, RunApplyContext& ctx) {
        out.Log.ReplayInto(log_);
        AddCounters(st_.Counters, out.Counters);
        if (out.NotExists) st_.Vol10FoldersNotExist.push_back(destination);
        if (out.Copied) st_.Vol10FoldersCopied.push_back(destination);
        st_.Vol10FilesExist.insert(st_.Vol10FilesExist.end(), out.FilesExist.begin(), out.FilesExist.end());
        st_.Vol10FilesOtherReasons.insert(st_.Vol10FilesOtherReasons.end(), out.FilesOtherReasons.begin(),
                                          out.FilesOtherReasons.end());
        if (!sim_ && out.Dest.IsOpen()) {
            const std::uint32_t base = baseList_.IndexOf(out.Dest);
            for (_tagCreatedFolder& f : out.SubFoldersCopied) {
                f.Base = base;
                st_.Vol10SubFoldersCopied.push_back(f);
            }
            for (_tagCreatedFile& f : out.FilesCopied) {
                f.Base = base;
                st_.Vol10FilesCopied.push_back(f);
            }
            for (Vol10Outcome::Overwrite& o : out.Overwrites) {
                if (o.Made) {
                    o.Record.Base = base;
                    st_.Vol10OverwriteRecords.push_back(std::move(o.Record));
                    records_[st_.Vol10OverwriteRecords.back().Target] = st_.Vol10OverwriteRecords.size() - 1;
                } else if (const auto it = records_.find(o.Record.Target); it != records_.end()) {
                    st_.Vol10OverwriteRecords[it->second].Written = o.Record.Written;
                }
            }
        }
        for (std::string& file : out.MissingSizes)
            if (missingSeen_.insert(file).second) missingSizes_.push_back(std::move(file));
        backupsExhausted_ = backupsExhausted_ || out.BackupsExhausted;
        increaseExhausted_ = increaseExhausted_ || out.IncreaseExhausted;
        log_.CountersChanged(st_.Counters);
        for (const PageMessage& box : out.Boxes) ctx.Show(box.text, box.caption, kInfo);
        if (out.Own) ctx.Stop();
    }

    const Vol10Inputs& in_;
    Vol10State& st_;
    RunLog& log_;
    RunDisk& disk_;
    const bool sim_;  // the dry disk: nothing is recorded for the Undo
    const FileSelection selection_;
    const bool overwrite_;
    const OwnFiles own_;
    WalkFence fence_;
    std::vector<char> repeated_;        // each destination a folder an earlier one names
    std::vector<std::string> sources_;  // trimmed
    ListingRecord sourcesRead_;  // the sources' listings as the run began, for every walk
    std::vector<Worker> workers_;
    // The overwriting items': working-copy names, under namesLock_, and
    // the targets saved in this run.
    bool BackedUp(const std::string& target) const { return backedUp_.Has(target); }
    void BackUp(const std::string& target) { backedUp_.Add(target); }
    BriefMutex namesLock_;
    WorkingCopies names_;
    StripedSet backedUp_;
    // The window thread's: the bases, and each saved target's record.
    UndoBaseIndex baseList_;
    std::unordered_map<std::string, std::size_t> records_;
    StringList missingSizes_;
    std::set<std::string> missingSeen_;
    bool backupsExhausted_ = false;
    bool increaseExhausted_ = false;
};

}  // namespace

std::array<CounterLabel, 16> Vol10Counters::Labels() const {
    return {{{"lblStat10FoldersToCopy", FoldersToCopy},
             {"lblStat10SubFoldersToCopy", SubFoldersToCopy},
             {"lblStat10FilesToCopy", FilesToCopy},
             {"lblStat10FileSizeToCopy", FileSizeToCopy},
             {"lblStat10FoldersCopied", FoldersCopied},
             {"lblStat10SubFoldersCopied", SubFoldersCopied},
             {"lblStat10FilesCopied", FilesCopied},
             {"lblStat10FileSizeCopied", FileSizeCopied},
             {"lblStat10FoldersNotExists", FoldersNotExists},
             {"lblStat10SubFoldersExists", SubFoldersExists},
             {"lblStat10FilesExists", FilesExists},
             {"lblStat10FileSizeExists", FileSizeExists},
             {"lblStat10FilesOtherReasons", FilesOtherReasons},
             {"lblStat10FilesSkipped", FilesSkipped},
             {"lblStat10FilesOverWrited", FilesOverWrited},
             {"lblStat10FilesIncreasedFileNames", FilesIncreasedFileNames}}};
}

void Vol10ResetCounters(Vol10State& state) { state.Counters = Vol10Counters{}; }

void Vol10ResetRunCounters(Vol10State& state) {
    Vol10Counters fresh;
    fresh.FoldersToCopy = state.Counters.FoldersToCopy;
    fresh.SubFoldersToCopy = state.Counters.SubFoldersToCopy;
    fresh.FilesToCopy = state.Counters.FilesToCopy;
    fresh.FileSizeToCopy = state.Counters.FileSizeToCopy;
    state.Counters = fresh;
}

FileSelection Vol10Selection(const Vol10Inputs& in) {
    FileSelection selection = AnyMaskSelection(UsableFileMasks(in.Masks));
    selection.rootFiles = in.AttachMainFolderWithSubFolders;
    if (!Vol10Walks(in) || (!in.AttachMainFolderWithSubFolders && !in.AttachSubFoldersOnly))
        selection.times = [](const std::string&) { return 0u; };
    return selection;
}

namespace {

// The last run's result lists, which the next run or simulation empties.
std::array<StringList*, 4> ResultLists(Vol10State& state) {
    return {&state.Vol10FoldersCopied, &state.Vol10FoldersNotExist, &state.Vol10FilesExist,
            &state.Vol10FilesOtherReasons};
}

}  // namespace

void Vol10ClearRunLists(Vol10State& state) {
    for (StringList* list : ResultLists(state)) list->clear();
    state.Vol10FilesCopied.clear();
    state.Vol10SubFoldersCopied.clear();
}

namespace {

// What a pre-count reads, all on the pool: each destination's folder (and
// the working folder's, which no walk enters either), each drive's free
// bytes when files are counted, and each source measured as the run walks it.
struct Vol10Read {
    std::vector<std::optional<plat::FileIdentity>> ids;  // by destination
    StringList drives;                                   // drive keys
    std::vector<std::optional<std::uint64_t>> free;      // by drive
    std::vector<std::optional<FolderStructSize>> sizes;  // by source
};

// The working folder and a destination of each drive are read after the
// destinations, on the end of their list (no copy of a list that may hold
// hundreds of thousands), which is as it was after.
bool Vol10ReadForTotals(const Vol10Inputs& in, StringList& destinations, bool countFiles, bool keepSizes,
                        CountHold& hold, Vol10Read& read) {
    const std::size_t workingDir = destinations.size();
    std::map<std::string, std::string> sample;  // drive key -> a destination on it
    if (countFiles)
        for (const std::string& d : destinations) sample.emplace(DriveSpaceKey(d), d);
    destinations.push_back(in.WorkingDir);
    if (countFiles && workingDir > 0)
        for (const auto& [drive, d] : sample)
            if (!drive.empty()) {
                read.drives.push_back(drive);
                destinations.push_back(d);
            }
    read.ids.assign(workingDir + 1, std::nullopt);
    read.free.assign(read.drives.size(), std::nullopt);
    read.sizes.resize(in.Sources.size());
    const bool opened = ReadOnPool(destinations, [&](std::size_t i) {
        if (i > workingDir)
            read.free[i - workingDir - 1] = FreeBytesOf(destinations[i]);
        else
            read.ids[i] = WalkFence::IdentityOf(destinations[i]);
    });
    destinations.resize(workingDir);
    if (!opened) return false;
    WalkFence fence;
    for (const auto& id : read.ids)
        if (id) fence.Add(*id);
    read.ids.pop_back();  // the working folder
    MeasureSetup setup{true, !in.AttachSubFoldersOnly, Vol10Selection(in),
                       [&fence](const plat::DirEntry& e) { return fence.Holds({e.dev, e.ino}); }, keepSizes, &hold};
    StringList sources;
    for (const std::string& source : in.Sources) sources.push_back(TrimControlAndBlanks(source));
    return ReadOnPool(sources, [&](std::size_t i) {
        if (!TrimBlanks(sources[i]).empty()) Measure(sources[i], setup, read.sizes[i]);
    });
}

// Each source's share of what every destination gets, from its walk: each
// file the masks take, and what the run names among the files not copied.
// Returns what each destination's lines spend on the files' source paths
// and on their targets past the destination: the file's name, in its type
// folder unless the run copies into the main folders.
double Vol10AddShares(Vol10State& state, const Vol10Inputs& in, Vol10Read& read, bool countFiles) {
    state.Vol10SourceShares.assign(in.Sources.size(), 0);
    double lineBytes = 0;
    const double typed = in.CopyToMainFolders ? 1 : 2;  // the type folder's name comes from the file's
    for (std::size_t i = 0; i < read.sizes.size(); ++i) {
        auto& size = read.sizes[i];
        if (!size) continue;
        state.Vol10SourceSubFolders += size->GetFolderCount();
        // The run's sizes move over whole (a path two sources hold keeps its first).
        MAP_FILE_NAME_SIZE sizes = size->TakeMaskedFileMap();
        state.Vol10SourceFileSizes.merge(sizes);
        // A file two masks take is still copied once.
        double files = 0, names = 0;
        if (countFiles) {
            state.Vol10SourceBytes += size->GetMaskedBytesOnce();
            files = static_cast<double>(size->GetMaskedFilesOnce());
            names = size->GetMaskedNameBytes();
        }
        // What the walk passes over, and a folder it does not enter (a
        // destination, the working folder), the run names among the files
        // not copied: each folder, and each other entry the masks take.
        if (countFiles && Vol10Walks(in)) {
            for (const FolderStructSize::PassedOver& u : size->GetPassedOver())
                if (u.entry.kind == plat::EntryKind::Folder || u.masks > 0) files += 1;
            files += static_cast<double>(size->GetFenced().size());
        }
        state.Vol10SourceShares[i] = files;
        state.Vol10SourceFiles += static_cast<std::uint32_t>(files);
        const double entries = files + size->GetFolderCount();
        lineBytes += entries * static_cast<double>(TrimControlAndBlanks(in.Sources[i]).size()) + size->GetPathBytes() +
                     typed * names;
    }
    return lineBytes;
}

// A drive holds a copy for each destination the run copies into, a folder
// inside another one's included: false, with box 100053, when one lacks room.
bool Vol10ChargeDrives(const Vol10State& state, const StringList& destinations, const std::vector<char>& repeated,
                       const Vol10Read& read) {
    std::map<std::string, std::uint64_t> copies;  // drive key -> destinations copied into
    for (std::size_t i = 0; i < destinations.size(); ++i)
        if (!repeated[i]) ++copies[DriveSpaceKey(destinations[i])];
    for (std::size_t i = 0; i < read.drives.size(); ++i) {
        const std::uint64_t bytes = copies[read.drives[i]] * state.Vol10SourceBytes;
        // A drive whose free space cannot be read is not held against the run.
        if (bytes == 0 || !read.free[i]) continue;
        if (bytes > *read.free[i]) {
            const std::uint64_t free = *read.free[i];
            const std::string root = DriveSpaceRoot(read.drives[i]);
            plat::MessageBox("There is not enough space on the disk.\nThe free space on the disk " + root +
                                 " is : " + FormatByteSize(free) + "    " + UInt64ToStr(free) + " bytes\n" +
                                 "The program requires : " + FormatByteSize(bytes) + "    " + UInt64ToStr(bytes) +
                                 " bytes.",
                             MessageCaption(kVol10ListTopic, "Information", "100053"), kWarn);
            return false;
        }
    }
    return true;
}

}  // namespace

bool Vol10PrepareTotals(Vol10State& state, const Vol10Inputs& in, bool countFiles, bool keepSizes) {
    MAP_FILE_NAME_SIZE().swap(state.Vol10SourceFileSizes);
    state.Vol10SourceShares.clear();
    state.Vol10SourceSubFolders = 0;
    state.Vol10SourceFiles = 0;
    state.Vol10SourceBytes = 0;
    state.Vol10LineBytes = 0;
    state.Vol10CountRefused = false;
    StringList destinations = Destinations(in);
    // Everything read first, and no box before the end.
    Vol10Read read;
    // Busy from the first look at the machine to the end of the count, its
    // walks let go of too; not over a box.
    std::optional<CountingBusy> counting(std::in_place);
    CountHold hold;
    if (!Vol10ReadForTotals(in, destinations, countFiles, keepSizes, hold, read)) return false;
    // A destination that names a folder an earlier one names is copied into once.
    const std::vector<char> repeated = RepeatedDestinations(destinations, std::move(read.ids));
    double sourceLineBytes = 0;
    if (!hold.Refused()) sourceLineBytes = Vol10AddShares(state, in, read, countFiles);
    read.sizes.clear();
    counting.reset();
    if (hold.Refused()) {
        // What the walks counted is gone with them: the page counts nothing.
        state.Vol10SourceShares.clear();
        state.Vol10SourceSubFolders = state.Vol10SourceFiles = 0;
        state.Vol10SourceBytes = 0;
        state.Vol10CountRefused = true;
        ShowCountTooLarge(hold, "the sources", MessageCaption(kVol10Topic, "Warning", "0459"),
                          "Choose a smaller source folder, or narrow the file selection.");
        return false;
    }
    const double n = static_cast<double>(std::count(repeated.begin(), repeated.end(), 0));
    if (n <= 0 || !Vol10ChargeDrives(state, destinations, repeated, read)) return false;
    double targetBytes = 0;  // each destination's path, once in every target's
    for (std::size_t i = 0; i < destinations.size(); ++i)
        if (!repeated[i]) targetBytes += static_cast<double>(destinations[i].size());
    state.Vol10LineBytes =
        n * sourceLineBytes + (state.Vol10SourceSubFolders + static_cast<double>(state.Vol10SourceFiles)) * targetBytes;
    state.Counters.FoldersToCopy = n;
    state.Counters.SubFoldersToCopy = state.Vol10SourceSubFolders * n;
    state.Counters.FilesToCopy = state.Vol10SourceFiles * n;
    state.Counters.FileSizeToCopy = static_cast<double>(state.Vol10SourceBytes) * n;
    return true;
}

RunMemoryNeed Vol10MemoryNeed(const Vol10State& state, const Vol10Inputs& in, bool simulation) {
    using namespace kept;
    const Vol10Counters& c = state.Counters;
    const double destinations = c.FoldersToCopy, subs = c.SubFoldersToCopy, files = c.FilesToCopy;
    // Each line names a source and its target (Vol10LineBytes: all of them).
    const double perPath = subs + files > 0 ? state.Vol10LineBytes / (subs + files) : 0;
    const unsigned workers = PoolThreads(Vol10Workers(Destinations(in)), destinations);
    RunMemoryNeed need{destinations + subs + files, RunBase(workers) + 18 * kListUnused, state.Vol10LineBytes};
    // Each file as its mode keeps it; each folder made below a destination
    // and each destination named; the sources read once; each
    // destination's lines in its slot until it is applied.
    need.bytes += Weigh(files, files * perPath, FileKept(in, simulation)) +
                  Weigh(subs, subs * perPath, kLine + (simulation ? kDryFolder : kOwnFolderRecord)) +
                  Weigh(destinations, 0, 2 * kLine + kListPath) +
                  Weigh(state.Vol10SourceFiles + state.Vol10SourceSubFolders, perPath, kSourceEntry) +
                  SlotsWeight(destinations, ItemSlotBytes(state, in), workers);
    if (simulation)
        need.bytes += DryBase(perPath, workers);
    else  // every destination gets the sources' files
        need.kernel = InMemoryWeight(in.IncludeFolders, subs + files,
                                     files > 0 ? InMemoryFileBytes(state.Vol10SourceFileSizes) * destinations : 0);
    need.bytes += need.kernel;
    return need;
}

namespace {

// The checks before a run or simulation; false when it stops.
bool CheckSources(const Vol10Inputs& in, const RunHooks& hooks, bool sim) {
    const char* topic = sim ? kVol10SimTopic : kVol10Topic;
    if (!CheckStructuresListed(!in.Sources.empty(), MessageCaption(topic, "Warning", sim ? "100071" : "100044"), hooks))
        return false;
    // Each source looked at on the pool; the first missing one is said.
    std::vector<char> exists(in.Sources.size(), 0);
    {
        const CountingBusy counting;
        const auto look = [&](std::size_t i) { exists[i] = plat::FolderExists(TrimControlAndBlanks(in.Sources[i])); };
        if (!ReadOnPool(in.Sources, look)) return false;
    }
    for (std::size_t i = 0; i < in.Sources.size(); ++i) {
        const std::string& s = in.Sources[i];
        if (!exists[i]) {
            plat::MessageBox(
                "The folder doesn't exist : " + s + "\nAction : Please enter or select an existing folder.",
                MessageCaption(topic, "Warning", sim ? "100072" : "0283"), kWarn);
            if (hooks.FocusAddFolderStructure) hooks.FocusAddFolderStructure();
            return false;
        }
    }
    return true;
}

// The frame of a run or simulation without its question and end.
RunFrame Vol10Frame(Vol10State& state, const Vol10Inputs& in, RunLog& log, const RunHooks& hooks, bool simulation) {
    RunFrame frame;
    frame.Simulation = simulation;
    frame.Keeps = RunKeeps::Undo;
    frame.Check = [&state, &in, &hooks, simulation] {
        return Vol10PrepareTotals(state, in, true, true) && CheckSources(in, hooks, simulation);
    };
    const auto box = [simulation](const std::string& folder) { return Vol10OwnFolderBox(folder, simulation); };
    frame.OwnFolders = {in.IncludeFolders, in.ProgramFolder, in.WorkingDir, box};
    frame.Start = [&state, simulation] {
        Vol10ResetRunCounters(state);
        if (simulation) {
            // The undo data of the last real run stays as it is.
            for (StringList* list : ResultLists(state)) list->clear();
        } else {
            // The simulation's results give way; the undo data of this run starts here.
            Vol10ClearRunLists(state);
            state.Vol10FilesNotDeleted.clear();
        }
    };
    frame.Counters = CountersOf(state.Counters);
    frame.ShowLog = in.ShowDetailedResults;
    frame.Memory = [&state, &in, simulation] { return Vol10MemoryNeed(state, in, simulation); };
    frame.MemoryTopic = simulation ? kVol10SimTopic : kVol10Topic;
    frame.MemoryAction = "Narrow the lists, the structures or the file selection.";
    frame.Room = [&state, simulation] {
        double bytes = 0;
        for (const StringList* list : ResultLists(state)) bytes += ListBytes(*list);
        // A run starts the undo data anew.
        if (!simulation)
            bytes += state.Vol10FilesCopied.HeldBytes() + state.Vol10SubFoldersCopied.HeldBytes() +
                     state.Vol10FilesNotDeleted.HeldBytes();
        return bytes;
    };
    frame.Work = [&state, &in, &log](RunDisk& disk) { Vol10Copier(in, state, log, disk).Run(Destinations(in)); };
    return frame;
}

}  // namespace

void Vol10RunCopyFiles(Vol10State& state, const Vol10Inputs& in, RunLog& log, const RunHooks& hooks) {
    RunFrame frame = Vol10Frame(state, in, log, hooks, false);
    frame.Questions = {
        {"Do you want to copy ?\n\n\n\nNote: If the <Select Files> button is active, only the "
         "Selected Files will be used.\n\n",
         MessageCaption(kVol10ListTopic, "Information", "100045")}};
    frame.End = {"End of the Copy process !!!", MessageCaption(kVol10Topic, "Information", "100047")};
    RunOnFrame(frame, log, hooks);
    // The sizes were the run's: the page keeps only its totals.
    MAP_FILE_NAME_SIZE().swap(state.Vol10SourceFileSizes);
}

void Vol10SimulateCopyFiles(Vol10State& state, const Vol10Inputs& in, RunLog& log, const RunHooks& hooks) {
    RunFrame frame = Vol10Frame(state, in, log, hooks, true);
    frame.Questions = {
        {"Simulation shows you the complete Copy Multiple Files process \nwithout actually Copy them on the hard "
         "drive.\n\nThis allows you to see the process in real time, eliminate errors or export\nResult File lists - "
         "all without compromising existing Folder/File Structures.\n\n",
         MessageCaption("Simulate Copy Multiple Files Process.-From a Folder List.", "Information", "100073")}};
    frame.IncludeEmpty = in.IncludeFolders.empty();
    frame.IncludeEmptyMessage = {"The Include list is empty !!!\nYou must enter at least one Folder to copy folders.",
                                 MessageCaption(kVol10SimTopic, "Warning", "100076", "           ")};
    frame.End = {
        "End of Simulation !!!\n\nNo actual Folders/Files were copied because of Simulation (Test "
        "Mode).\n\nThe purpose of the Simulation is to show the Complete Multiple Files process\n without "
        "actually Copy them on the hard drive.\n\nIf You want to Copy Folder/File Structures, Use the Copy "
        "Files button.",
        MessageCaption(kVol10SimTopic, "Information", "100075")};
    RunOnFrame(frame, log, hooks);
    MAP_FILE_NAME_SIZE().swap(state.Vol10SourceFileSizes);
}

// ---- undo ----------------------------------------------------------------------------------

namespace {

// The records of each item side by side, each item's in their order: one
// array for all, not a list per item (thousands of items, each growing).
class ByItem {
public:
    ByItem() = default;
    template <class ItemOf>
    ByItem(std::size_t records, std::size_t items, ItemOf itemOf) : first_(items + 1, 0), index_(records) {
        std::vector<std::uint32_t> of(records);
        for (std::size_t i = 0; i < records; ++i) ++first_[(of[i] = static_cast<std::uint32_t>(itemOf(i))) + 1];
        for (std::size_t g = 0; g < items; ++g) first_[g + 1] += first_[g];
        std::vector<std::uint32_t> next(first_.begin(), first_.end() - 1);
        for (std::size_t i = 0; i < records; ++i) index_[next[of[i]]++] = static_cast<std::uint32_t>(i);
    }
    std::span<const std::uint32_t> Of(std::size_t item) const {
        return std::span<const std::uint32_t>(index_).subspan(first_[item], first_[item + 1] - first_[item]);
    }

private:
    std::vector<std::uint32_t> first_;  // item g's records are index_[first_[g] .. first_[g + 1])
    std::vector<std::uint32_t> index_;
};

// What one item of the Undo (the records beneath one tree) came to.
struct Vol10UndoOutcome {
    // A line of the report: its step (0 restores, 1 copies) and record.
    struct Note {
        int step;
        std::size_t record;
        bool missing;  // "DESTINATION FILES DO NOT EXIST", else "OTHER REASONS"
        std::string text;
    };
    std::vector<Note> Notes;
    std::vector<std::size_t> FailedRestores, FailedCopies;  // kept for the next Undo
    // A type folder that stays: where it stood in the Undo's list, its
    // level, and what the report adds to its path.
    struct FolderLeft {
        std::size_t record;
        FolderFileUndo::FailedPlace place;
        _tagCreatedFolder folder;
    };
    std::vector<FolderLeft> FoldersLeft;
};

// The steps of the copy page's Undo, in order. What could not be undone is
// kept for the next Undo where a retry can help, and reported. The
// overwrites, copies and type folders beneath one destination (with the
// destinations inside it) are one item of the run pool, their steps in the
// Undo's order: a type folder goes only once the copies in it are gone. The
// report and what is kept come out in the order of one at a time.
class Vol10Undo {
public:
    explicit Vol10Undo(Vol10State& state) : st_(state) {}

    // Overwrites, newest first: each target gets back the content it had
    // before that overwrite, so the oldest record restores what stood
    // there before the first run. Then the last run's copies onto free
    // names (or what the last Undo left of them), then the type folders the
    // run made (or what the last Undo left of them), deepest first, each
    // only when empty.
    // False when the Undo would not fit in memory (after the memory box):
    // nothing was changed, and every record goes back to the page.
    bool Run() {
        // Until ShowResults keeps what stays, a failure gives every record back.
        taking_.Take(st_.Vol10OverwriteRecords, records_);
        // The last run's copies are read where the page keeps them (it
        // drops them in ShowResults, once they are done with); what the
        // last Undo left is taken over, since what fails now goes there.
        if (!st_.Vol10FilesCopied.empty()) {
            copiesList_ = &st_.Vol10FilesCopied;
        } else {
            taking_.Take(st_.Vol10FilesNotDeleted, leftCopies_);
            copiesList_ = &leftCopies_;
        }
        st_.Vol10FilesNotDeleted.clear();
        if (!st_.Vol10FoldersNotRemoved.empty()) {
            taking_.Take(st_.Vol10FoldersNotRemoved, leftFolders_);
            foldersList_ = &leftFolders_;
        } else {
            foldersList_ = &st_.Vol10SubFoldersCopied;
        }
        GroupRecords();
        PooledRun<Vol10UndoOutcome> run;
        run.Items = items_;
        run.Workers = tops_.empty() ? 1 : PageRunWorkers(tops_.front(), plat::RunWork::Remove);
        if (!CheckUndoFitsMemory(Weight(run.Workers), 0, kVol10ListTopic)) return false;
        run.SlotBytes = largestSlot_;
        std::vector<Worker> held;
        for (unsigned w = 0; w < run.Workers; ++w) held.emplace_back(st_.Vol10UndoBases);
        // Working copies have names of their own: dropping one touches no other item's.
        run.Scope = [&](std::size_t g, RunScope& scope) { scope.Write(g < tops_.size() ? tops_[g] : std::string(".")); };
        run.Work = [&](std::size_t g, Vol10UndoOutcome& out, RunItemContext& ctx) { Undo(g, held[ctx.Worker()], out); };
        run.Apply = [&](std::size_t g, Vol10UndoOutcome& out, RunApplyContext& ctx) {
            if (ctx.Failure())
                Keep(g);
            else
                Collect(out);
            out = Vol10UndoOutcome{};
        };
        run.Skipped = [&](std::size_t g) { Keep(g); };
        run.Name = [&](std::size_t g) { return g < tops_.size() ? tops_[g] : std::string(); };
        RunPageItems(run);
        Settle();
        return true;
    }

    // What the Undo adds beyond the records it reads, every record staying
    // (it cannot know which will): each item's outcome in its slot, what
    // each worker holds for the item it works, and what stays (each noted,
    // kept for the next Undo, listed in the Visual Log after what failed).
    RunMemoryNeed Weight(unsigned workers) {
        using namespace kept;
        using Note = Vol10UndoOutcome::Note;
        using Left = Vol10UndoOutcome::FolderLeft;
        // What failed is listed in the Visual Log after its text, and in its export list.
        const auto listed = [](std::string_view what) { return LineAndExport(static_cast<double>(what.size())); };
        const Kept noted = UndoNote(sizeof(Note)) + kRecordPlace;
        // An overwrite: its copy kept for the next Undo, listed by its target.
        const Kept listedRestore = listed("Failed to Undo : ");
        const Kept copy = noted + kOwnFileRecord + listed("Not Deleted : ");
        // A type folder: its place in the Undo's list, its path copied,
        // kept, in the report's lines and in the report made of them.
        const Kept folder =
            SortedPlace(sizeof(Left)) + kOwnFolderRecord + 2 * kReportLine + listed("Failed to Delete : ");
        // On a worker, the folders of its item in their removal: listed,
        // queued and marked, found gone, left with their places and lines.
        const Kept removing =
            kUndoQueued + kOwnPath + 2 * kFolderRecord + kOwnFolderRecord + kFailedPlace + kReportLine;
        const auto chars = [](std::string_view path) { return static_cast<double>(path.size()); };
        RunMemoryNeed need;
        std::vector<double> slots;
        double most = 0;  // what a worker holds for its largest item
        for (std::size_t g = 0; g < items_; ++g) {
            double r = 0, rNoted = 0, rBoth = 0, rText = 0, c = 0, cText = 0, f = 0, fText = 0;
            for (const std::uint32_t i : restores_.Of(g)) {
                const _tagWorkingCopy& w = records_[i];
                r += 1;
                rNoted += std::max(chars(w.Target), chars(w.WorkingCopy));  // a missing copy is noted by its own path
                rBoth += chars(w.Target) + chars(w.WorkingCopy);
                rText += chars(w.Target);
            }
            for (const std::uint32_t i : copies_.Of(g)) c += 1, cText += chars(copiesList_->PathAt(i));
            for (const std::uint32_t i : folders_.Of(g)) f += 1, fText += chars(foldersList_->PathAt(i));
            need.entries += r + c + f;
            need.lines += rText + cText + fText;
            need.bytes += Weigh(r, rNoted, noted) + Weigh(r, rBoth, kKeptWorkingCopy) + Weigh(r, rText, listedRestore) +
                          Weigh(c, cText, copy) + Weigh(f, fText, folder);
            // The item's outcome until it is applied: its notes, what failed, its folders left.
            slots.push_back(Block(sizeof(Vol10UndoOutcome)) + (r + c) * (Grown(sizeof(Note)) + kRecordPlace.bytes) +
                            f * Grown(sizeof(Left)));
            most = std::max(most, Weigh(r, rText, kPutBackPath) + Weigh(f, fText, removing));
        }
        const double bases = static_cast<double>(st_.Vol10UndoBases.size());
        double baseChars = 0;
        for (const _tagUndoBase& base : st_.Vol10UndoBases) baseChars += chars(base.Path);
        // Each worker: its opener's note of every base and its item; each
        // base stays with the opener of the worker that opened it.
        // The pool's window of slots is narrowed to the largest, as weighed.
        largestSlot_ = slots.empty() ? 0 : *std::max_element(slots.begin(), slots.end());
        need.bytes += RunBase(PoolThreads(workers, double(items_))) + 2 * kListUnused +
                      workers * (Grown(sizeof(Worker)) + bases + most) + Weigh(bases, baseChars, kOpenedBase) +
                      SlotsWeight(std::move(slots), workers);
        return need;
    }

    // What stays, in the order of one undo of the whole list: the report's
    // lines, the records kept for the next Undo (each once: an item whose
    // Apply failed part-way is kept again whole).
    void Settle() {
        std::stable_sort(notes_.begin(), notes_.end(), [](const auto& a, const auto& b) {
            if (a.step != b.step) return a.step < b.step;
            return a.step == 0 ? a.record > b.record : a.record < b.record;
        });
        for (auto& n : notes_) (n.missing ? missing_ : other_).push_back(std::move(n.text));
        const auto once = [](std::vector<std::size_t>& v) {
            std::sort(v.begin(), v.end());
            v.erase(std::unique(v.begin(), v.end()), v.end());
        };
        once(failedRestores_);
        for (const std::size_t i : failedRestores_) keptRestores_.push_back(records_[i]);
        once(failedCopies_);
        for (const std::size_t i : failedCopies_) keptCopies_.push_back((*copiesList_)[i]);
        std::stable_sort(left_.begin(), left_.end(), [](const auto& a, const auto& b) { return a.record < b.record; });
        left_.erase(std::unique(left_.begin(), left_.end(),
                                [](const auto& a, const auto& b) { return a.record == b.record; }),
                    left_.end());
        // Deepest first, equal levels the later first.
        std::stable_sort(left_.begin(), left_.end(), [](const auto& a, const auto& b) {
            return a.place.level != b.place.level ? a.place.level > b.place.level : a.record > b.record;
        });
        for (const auto& f : left_) {
            foldersLeft_.push_back(f.folder);
            folderLines_.append(f.folder.Path).append(f.place.reason).append("\n");
        }
    }

    // What stayed is kept (by moves alone: nothing here fails), then the
    // Visual Log lists it; the bases go once nothing refers to them.
    void ShowResults(RunLog& log) {
        Vol10ClearRunLists(st_);
        st_.Vol10OverwriteRecords = std::move(keptRestores_);
        st_.Vol10FilesNotDeleted = std::move(keptCopies_);
        st_.Vol10FoldersNotRemoved = std::move(foldersLeft_);
        taking_.Kept();
        log.ClearLogLists();
        Vol10ResetRunCounters(st_);
        auto failed = [&](const char* what, const std::string& path, double& counter) {
            counter += 1;
            log.AddLine(Vol10CatFilesFailedUndo, what + path);
            log.AddExportLine(Vol10CatFilesFailedUndo, path);
        };
        for (const auto folder : st_.Vol10FoldersNotRemoved)
            failed("Failed to Delete : ", std::string(folder.Path), st_.Counters.FoldersFailedUndo);
        for (const _tagCreatedFile& f : st_.Vol10FilesNotDeleted)
            failed("Not Deleted : ", f.Path, st_.Counters.FilesFailedUndo);
        for (const _tagWorkingCopy& r : st_.Vol10OverwriteRecords)
            failed("Failed to Undo : ", r.Target, st_.Counters.FilesFailedUndo);
        if (st_.Vol10OverwriteRecords.empty() && st_.Vol10FilesCopied.empty() && st_.Vol10FilesNotDeleted.empty() &&
            st_.Vol10FoldersNotRemoved.empty())
            st_.Vol10UndoBases.clear();
        log.ShowCounters(st_.Counters.Labels());
    }

    // Whatever failed, files or folders, is reported.
    void Report() const {
        std::string report = FolderFileUndo::ReportOf(folderLines_);
        const bool foldersFailed = !report.empty();
        if (report.empty()) report = "The program is unable to delete or overwrite the following Folders/Files  : \n";
        auto section = [&report](const char* heading, const StringList& paths) {
            if (paths.empty()) return;
            report += heading;
            for (const auto& p : paths) report += p + "\n";
        };
        section("\nDESTINATION FILES DO NOT EXIST : \n\n", missing_);
        section("\nOTHER REASONS   : \n\n", other_);
        if (foldersFailed || !missing_.empty() || !other_.empty())
            plat::MessageBox(report, MessageCaption(kVol10ListTopic, "Information", "100051"), kWarn);
    }

private:
    // What a worker holds across its items.
    struct Worker {
        explicit Worker(const VEC_UNDO_BASES& bases) : bases(&bases) {}
        UndoBaseOpener bases;
        WorkingCopyFinder copies;
        RealDisk disk;
    };

    // The records by item: those beneath one tree of bases, and those
    // without a usable base, which fail in an item of their own.
    void GroupRecords() {
        std::vector<std::uint32_t> group;
        GroupNestedBases(st_.Vol10UndoBases, group, tops_);
        const std::size_t orphans = tops_.size();
        const auto itemOf = [&](std::uint32_t base) { return base < group.size() ? group[base] : orphans; };
        restores_ = ByItem(records_.size(), orphans + 1, [&](std::size_t i) { return itemOf(records_[i].Base); });
        copies_ = ByItem(copiesList_->size(), orphans + 1,
                         [&](std::size_t i) { return itemOf(copiesList_->FactsAt(i).Base); });
        folders_ = ByItem(foldersList_->size(), orphans + 1,
                          [&](std::size_t i) { return itemOf(foldersList_->FactsAt(i).Base); });
        const bool noOrphans =
            restores_.Of(orphans).empty() && copies_.Of(orphans).empty() && folders_.Of(orphans).empty();
        items_ = noOrphans ? tops_.size() : orphans + 1;
    }

    // One tree: its overwrites newest first, then its copies, then its type folders.
    void Undo(std::size_t g, Worker& w, Vol10UndoOutcome& out) {
        std::unordered_map<std::string, plat::FileStamp> restored;  // what this item put back
        const auto mine = restores_.Of(g);
        for (auto it = mine.rbegin(); it != mine.rend(); ++it) Restore(w, *it, restored, out);
        for (const std::uint32_t i : copies_.Of(g)) RemoveCopy(w, i, restored, out);
        RemoveTypeFolders(w, folders_.Of(g), out);
    }

    void Collect(Vol10UndoOutcome& out) {
        for (auto& n : out.Notes) notes_.push_back(std::move(n));
        failedRestores_.insert(failedRestores_.end(), out.FailedRestores.begin(), out.FailedRestores.end());
        failedCopies_.insert(failedCopies_.end(), out.FailedCopies.begin(), out.FailedCopies.end());
        for (auto& f : out.FoldersLeft) left_.push_back(std::move(f));
    }

    // A tree whose undo failed or never came: all its records stay for the next Undo.
    void Keep(std::size_t g) {
        for (const std::uint32_t i : restores_.Of(g)) failedRestores_.push_back(i);
        for (const std::uint32_t i : copies_.Of(g)) failedCopies_.push_back(i);
        for (const std::uint32_t i : folders_.Of(g)) {
            const auto folder = (*foldersList_)[i];
            const FolderFileUndo::FailedPlace place{CountPathSeparators(std::string(folder.Path)), i, ""};
            left_.push_back({i, place, {std::string(folder.Path), folder.Id, folder.Base}});
        }
    }

    void Restore(Worker& w, std::size_t index, std::unordered_map<std::string, plat::FileStamp>& restored,
                 Vol10UndoOutcome& out) {
        const _tagWorkingCopy& r = records_[index];
        auto note = [&](bool missing, std::string text) { out.Notes.push_back({0, index, missing, std::move(text)}); };
        plat::Beneath* work = w.copies.Find(r);
        if (!work) return note(true, TrimBlanks(r.WorkingCopy));
        // The target must be as the run (or this Undo) left it, or gone.
        plat::Beneath* base = w.bases.Fresh(r.Base);
        plat::EntryInfo info;
        const plat::FsResult look = base ? base->Look(r.Target, info) : plat::FsResult::Failed;
        const auto put = restored.find(r.Target);
        if (look == plat::FsResult::Ok && !plat::IsUnchanged(info, r.Written) &&
            (put == restored.end() || !plat::IsUnchanged(info, put->second))) {
            // Someone wrote the target since: theirs stays, and so does the copy.
            return note(false, TrimBlanks(r.Target) + kChangedSinceRun);
        }
        plat::FileStamp back;
        // A copy beside the target renamed over it: the target is never
        // missing, and stays as it is when the restore fails.
        if ((look != plat::FsResult::Ok && look != plat::FsResult::NotFound) ||
            w.disk.CopyFileReplacing(*work, r.WorkingCopy, *base, r.Target, &back) != plat::FsResult::Ok) {
            note(false, TrimBlanks(r.Target));
            out.FailedRestores.push_back(index);
            return;
        }
        // A file that stands there as this Undo left it is the run's to take back further.
        restored[r.Target] = back;
        w.copies.Drop(w.disk, r);
    }

    // The item's type folders (indexes into foldersList_, in its order), as
    // one undo of the whole list removes them: the last made first, one
    // not empty yet again once the rest are gone.
    void RemoveTypeFolders(Worker& w, std::span<const std::uint32_t> mine, Vol10UndoOutcome& out) const {
        if (mine.empty()) return;
        DEQ_CREATED_FOLDERS list;
        for (const std::uint32_t i : mine) list.AppendEntryOf(*foldersList_, i);
        FolderFileUndo undo;
        undo.ShareBases(w.bases);
        undo.SetCreatedSubFolders(std::move(list));
        undo.QueueSecondFolderList();
        undo.RemoveCreatedFolders();
        const DEQ_CREATED_FOLDERS left = undo.GetFailedFolderRecords();
        const auto& places = undo.GetFailedFolderPlaces();
        for (std::size_t k = 0; k < places.size(); ++k)
            out.FoldersLeft.push_back({mine[places[k].index], places[k], left[k]});
    }

    void RemoveCopy(Worker& w, std::size_t index, const std::unordered_map<std::string, plat::FileStamp>& restored,
                    Vol10UndoOutcome& out) {
        const _tagCreatedFile f = (*copiesList_)[index];
        const auto put = restored.find(f.Path);
        switch (RemoveFileAsLeft(w.bases.Fresh(f.Base), f.Path, f.HasStamp ? &f.Stamp : nullptr,
                                 put == restored.end() ? nullptr : &put->second)) {
        case AsLeft::Removed: break;
        case AsLeft::Missing: out.Notes.push_back({1, index, true, TrimBlanks(f.Path)}); break;
        case AsLeft::Changed:
            out.Notes.push_back({1, index, false, TrimBlanks(f.Path) + kChangedSinceRun});
            break;
        case AsLeft::Failed:
            out.Notes.push_back({1, index, false, TrimBlanks(f.Path)});
            out.FailedCopies.push_back(index);
            break;
        }
    }

    Vol10State& st_;
    DEQ_WORKING_COPIES records_;  // the overwrites to restore
    // The copies to delete and the type folders to remove: the page's
    // lists of the last run, or what the last Undo left, taken over.
    const DEQ_CREATED_FILES* copiesList_ = nullptr;
    const DEQ_CREATED_FOLDERS* foldersList_ = nullptr;
    // The records by item, and the items' tops.
    StringList tops_;
    ByItem restores_, copies_, folders_;
    std::size_t items_ = 0;
    double largestSlot_ = 0;  // what the largest item's outcome holds, as weighed
    // What the items left, as they were applied.
    std::vector<Vol10UndoOutcome::Note> notes_;
    std::vector<std::size_t> failedRestores_, failedCopies_;
    std::vector<Vol10UndoOutcome::FolderLeft> left_;
    DEQ_CREATED_FILES leftCopies_;
    DEQ_CREATED_FOLDERS leftFolders_;
    StringList missing_, other_;
    DEQ_CREATED_FOLDERS foldersLeft_;  // in the order of one at a time
    std::string folderLines_;          // their lines of the report
    DEQ_WORKING_COPIES keptRestores_;  // the overwrites and copies kept for the next Undo
    DEQ_CREATED_FILES keptCopies_;
    UndoTaking taking_;  // last: it gives back into the lists above
};

}  // namespace

void Vol10UndoLastRun(Vol10State& state, RunLog& log) {
    // A close waits until the undo, end box included, is over; a failure ends it with its box.
    RunGuarded([&] {
        if (state.Vol10FoldersNotRemoved.empty() && state.Vol10SubFoldersCopied.empty() &&
            state.Vol10FilesNotDeleted.empty() && state.Vol10FilesCopied.empty() && state.Vol10OverwriteRecords.empty()) {
            plat::MessageBox(
                "No UNDO process !!!\nThere are no copied Files !!!\nYou must copy at least one File to UNDO it.",
                MessageCaption(kVol10ListTopic, "Warning", "100049"), kWarn);
            return;
        }
        if (plat::MessageBox("Do you want UNDO all Files copied last time ?",
                             MessageCaption(kVol10ListTopic, "Information", "100050"), kAsk) != plat::IDYES)
            return;
        Vol10Undo undo(state);
        if (!undo.Run()) return;
        undo.ShowResults(log);
        undo.Report();
        if (!ShowRunFailures(RunKeeps::Undo))
            plat::MessageBox("End of Undo process !!!", MessageCaption(kVol10ListTopic, "Information", "100052"), kInfo);
    }, RunKeeps::Undo);
}
