#include "pages/creation/Vol02Attach.h"

#include <algorithm>
#include <deque>
#include <utility>

#include "core/PathTools.h"
#include "core/TemplateOptions.h"
#include "core/TemplatePaths.h"
#include "core/Validation.h"
#include "platform/MessageBox.h"
#include "pages/creation/Vol02Internal.h"

using plat::FsResult;

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string ChildPath(const std::string& folder, const std::string& name) {
    std::string path = folder;
    if (path.empty() || !IsSeparator(path.back())) path += '\\';
    path += name;
    return path;
}

}  // namespace

// ---- structures ---------------------------------------------------------------------

Vol02Structure Vol02ReadStructure(const std::string& entry) {
    Vol02Structure s;
    s.entry = Vol02StructureEntry(entry);
    s.name = Vol02LastName(s.entry);
    if (TrimControlAndBlanks(GetDrivePart(s.entry)).empty() || s.source.Open(s.entry) != FsResult::Ok) return s;
    s.usable = true;
    if (IsDriveRootPath(s.entry)) return s;  // refused by the run; never walked
    std::deque<std::pair<std::string, std::string>> queue{{s.entry, std::string()}};  // folder, its part below
    std::vector<plat::DirEntry> entries;
    while (!queue.empty()) {
        const auto [folder, rel] = std::move(queue.front());
        queue.pop_front();
        std::size_t unreadable = 0;
        if (!s.source.List(folder, entries, &unreadable)) continue;
        s.unreadable += unreadable;
        for (const auto& e : entries) {
            if (e.kind != plat::EntryKind::Folder && e.kind != plat::EntryKind::File) continue;  // links, devices
            std::string itemRel = rel.empty() ? e.name : rel + "\\" + e.name;
            const bool isFolder = e.kind == plat::EntryKind::Folder;
            if (isFolder) queue.emplace_back(ChildPath(folder, e.name), itemRel);
            s.items.push_back({std::move(itemRel), isFolder});
        }
    }
    s.source.Release();
    return s;
}

// ---- the creator ----------------------------------------------------------------------

Vol02Creator::Vol02Creator(const Vol02Inputs& in, Vol02State& state, Vol02Log& log, RunDisk& disk,
                           bool simulation)
    : in_(in), state_(state), c_(state.Counters), log_(log), disk_(disk), simulation_(simulation),
      topic_(simulation ? kVol02SimulateTopic : kVol02Topic), parts_(Vol02GetNameParts(in)) {
    // A destination that cannot be opened (a link, nothing of it at all)
    // leaves the base closed: every item then fails for other reasons.
    const std::string destination = TrimControlAndBlanks(in_.DestFolder);
    if (!destination.empty() && !TrimControlAndBlanks(GetDrivePart(destination)).empty())
        dest_.OpenNearest(destination);
    if (!simulation_ && dest_.IsOpen()) state_.Vol02LastBases = {{dest_.Folder(), dest_.Identity()}};
    if (in_.RelativePaths) PrepareTemplates();
}

// What a template line gives does not depend on the main folder in the
// modes that keep or drop its first folder: worked out once per run.
void Vol02Creator::PrepareTemplates() {
    templateMode_ = GetFolderTemplateMode(2, searchTerm_);
    const bool fixed = templateMode_ != TemplateModeReplaceRemainder && templateMode_ != TemplateModeReplaceAll;
    std::string normalised, drive, rest;
    for (const auto& line : in_.FolderStructures) {
        TemplateLine t;
        t.dots = HasDotFolderName(line);
        t.invalid = !ValidateIncludeListText(line, t.message, normalised);
        t.mayEqual = line.find(':') != std::string::npos;
        t.fixed = fixed;
        if (fixed) {
            const std::string rel = ExpandTemplatePath(line, std::string(), templateMode_, searchTerm_);
            t.noTarget = rel.empty() || SplitAtColon(rel, drive, rest);
            t.rel = CollapseDoubleColons(CollapseDoubleBackslashes(SlashesToBackslashes(rel)));
            if (!t.rel.empty() && t.rel.front() == '\\') t.rel.erase(0, 1);
            t.relDots = HasDotFolderName(t.rel);
        }
        templates_.push_back(std::move(t));
    }
}

void Vol02Creator::Changed() { log_.CountersChanged(c_); }

void Vol02Creator::RecordFolderCreated(const std::string& path, const plat::FileIdentity& id) {
    c_.Stat02FoldersCreated += 1.0;
    Changed();
    if (!simulation_) state_.Vol02LastCreatedFolders.push_back({path, id, 0});
    log_.AddLine(Vol02FoldersCreated, path);
}

void Vol02Creator::RecordFolderExists(const std::string& path) {
    c_.Stat02FoldersExists += 1.0;
    if (!in_.AttachNothing) {
        c_.Stat02SubFoldersExists += state_.Vol02StructureFolders;
        c_.Stat02FilesExists += state_.Vol02StructureFiles;
        c_.Stat02FilesSizeExists += static_cast<double>(state_.Vol02StructureBytes);
    }
    Changed();
    if (!simulation_) state_.Vol02LastExistingFolders.push_back(path);
    log_.AddLine(Vol02FoldersExists, path);
}

void Vol02Creator::RecordFolderOther(const std::string& text) {
    c_.Stat02FoldersOther += 1.0;
    if (!in_.AttachNothing) {
        c_.Stat02SubFoldersOther += state_.Vol02StructureFolders;
        c_.Stat02FilesOther += state_.Vol02StructureFiles;
        c_.Stat02FilesSizeOther += static_cast<double>(state_.Vol02StructureBytes);
    }
    Changed();
    if (!simulation_) state_.Vol02LastOtherFolders.push_back(text);
    log_.AddLine(Vol02FoldersOther, text);
}

void Vol02Creator::RecordSubFolderCreated(const std::string& path, const plat::FileIdentity& id, bool forUndo) {
    c_.Stat02SubFoldersCreated += 1.0;
    Changed();
    if (!simulation_ && forUndo) state_.Vol02LastCreatedSubFolders.push_back({path, id, 0});
    log_.AddLine(Vol02SubFoldersCreated, path);
}

// A structure or template folder that could not be made: counted and shown
// among the folders not created for other reasons.
void Vol02Creator::RecordSubFolderOther(const std::string& path) {
    c_.Stat02SubFoldersOther += 1.0;
    Changed();
    log_.AddLine(Vol02FoldersOther, path);
}

void Vol02Creator::RecordParents(const std::vector<plat::MadeFolder>& made) {
    if (simulation_ || made.size() < 2) return;
    // The last one made is the folder itself, recorded by its own list.
    for (std::size_t i = 0; i + 1 < made.size(); ++i)
        state_.Vol02LastCreatedParents.push_back({made[i].path, made[i].id, 0});
}

FsResult Vol02Creator::MakeFolder(const std::string& path) {
    made_.clear();
    madeId_ = {};
    FsResult r = disk_.MakeFolder(dest_, path, &madeId_);
    if (r == FsResult::NotFound) {
        r = disk_.MakeFolderTree(dest_, path, made_);
        if (r == FsResult::Ok && !made_.empty()) madeId_ = made_.back().id;
    }
    if (in_.RelativePaths && !simulation_ && r == FsResult::Ok) {
        if (made_.empty()) itemMade_.emplace_back(path, madeId_);
        for (const auto& m : made_) itemMade_.emplace_back(m.path, m.id);
    }
    return r;
}

void Vol02Creator::CreateAll() {
    PrepareStructures();
    for (const auto& item : in_.IncludeStrings) CreateOne(item);
}

void Vol02Creator::CreateOne(const std::string& item) {
    PrepareStructures();
    // Nothing resolved for an earlier item is trusted for this one: a link
    // swapped in meanwhile is met by the next resolution.
    dest_.Release();
    for (auto& s : structures_) s.source.Release();
    itemMade_.clear();
    if (!TrimControlAndBlanks(GetDrivePart(item)).empty()) {
        RecordFolderOther(item);
        return;
    }
    std::string path = CollapseDoubleColons(CollapseDoubleBackslashes(
        SlashesToBackslashes(parts_.Part[0] + item + parts_.Part[2] + parts_.Part[3])));
    while (path.size() > 3 && path.back() == '\\') path.pop_back();  // "x\" names the folder x
    const std::string drive = TrimControlAndBlanks(GetDrivePart(path));
    // A "." or ".." name or a colon behind the drive would lead elsewhere.
    if (drive.empty() || HasDotFolderName(path) || path.find(':', drive.size()) != std::string::npos) {
        RecordFolderOther(path);
        return;
    }
    const FsResult r = MakeFolder(path);
    if (r == FsResult::AlreadyExists) {
        RecordFolderExists(path);  // nothing is attached to a folder that was there
        return;
    }
    if (r != FsResult::Ok) {
        RecordFolderOther(path);
        return;
    }
    RecordFolderCreated(path, madeId_);
    RecordParents(made_);

    if (in_.FullPaths) {
        if (!simulation_) {
            state_.UndoMode02 = "F";
            state_.Vol02FailedUndoFiles.clear();
        }
        AttachStructures(path);
    } else if (in_.RelativePaths) {
        if (!simulation_) {
            state_.UndoMode02 = "R";
            state_.Vol02FailedUndoFiles.clear();
        }
        AttachTemplates(path);
    } else if (!simulation_) {
        state_.UndoMode02 = "N";
    }
}

// Every structure is read once, before the run makes anything, so that no
// walk ever sees what the run created. One that holds the destination
// itself (by its text, or as the real folder, whatever links or mounts
// lead to it) is refused for every main folder and not read at all.
void Vol02Creator::PrepareStructures() {
    if (structuresRead_) return;
    structuresRead_ = true;
    if (!in_.FullPaths) return;
    const std::string destination = TrimControlAndBlanks(in_.DestFolder);
    const std::vector<plat::FileIdentity> destChain = dest_.Ancestry();
    const auto holdsDestination = [&](const plat::Beneath& folder) {
        return folder.IsOpen() && std::find(destChain.begin(), destChain.end(), folder.Identity()) != destChain.end();
    };
    structures_.reserve(in_.FolderStructures.size());
    for (const auto& entry : in_.FolderStructures) {
        const std::string e = Vol02StructureEntry(entry);
        const bool hasDrive = !TrimControlAndBlanks(GetDrivePart(e)).empty();
        Vol02Structure s;
        plat::Beneath probe;
        if (hasDrive && !IsDriveRootPath(e)) probe.Open(e);
        if (IsDriveRootPath(e) || Vol02PathWithin(destination, e) || holdsDestination(probe)) {
            s.entry = e;
            s.name = Vol02LastName(e);
            s.usable = hasDrive && (IsDriveRootPath(e) || probe.IsOpen());
            s.holdsDestination = true;
        } else {
            s = Vol02ReadStructure(e);
            if (s.source.IsOpen()) s.source.RealPathBelow(dest_, s.belowDest);
        }
        structures_.push_back(std::move(s));
    }
}

// A structure that is a root, the main folder itself, or holds the main
// folder is refused, its message shown once per run.
bool Vol02Creator::RefuseStructure(Vol02Structure& s, const std::string& mainFolder) {
    std::string message;
    bool refuse = s.holdsDestination || IsDriveRootPath(s.entry) || Vol02PathWithin(mainFolder, s.entry);
    if (!refuse && !s.belowDest.empty()) {
        // The structure lies in the destination: the main folder must not
        // lie in the structure, judged by the real names below the base.
        std::string rel;
        refuse = dest_.Relative(mainFolder, rel) && rel.compare(0, s.belowDest.size(), s.belowDest) == 0 &&
                 (rel.size() == s.belowDest.size() || rel[s.belowDest.size()] == '/');
    }
    if (refuse)
        message = Vol02SameFolderMessage(mainFolder, s.entry);
    else
        refuse = CheckDestinationNotSource(mainFolder, s.entry, message);
    if (refuse && !s.refusalShown) {
        s.refusalShown = true;
        plat::MessageBox(message,
                         simulation_ ? Vol02Caption(kVol02SimulateFolderListTopic, 20073, true)
                                     : Vol02Caption(kVol02Topic, 20051, true),
                         plat::MB_OK | plat::MB_ICONWARNING);
    }
    return refuse;
}

void Vol02Creator::AttachStructures(const std::string& mainFolder) {
    for (auto& s : structures_) {
        if (!s.usable || RefuseStructure(s, mainFolder)) continue;
        std::string target = in_.SubFoldersOnlyMode() ? mainFolder : mainFolder + "\\" + s.name;
        if (!target.empty() && target.back() == '\\') target.pop_back();
        AttachStructure(s, target);
    }
}

void Vol02Creator::AttachStructure(Vol02Structure& s, const std::string& target) {
    // The structure's own folder (the main folder itself with "Subfolders Only").
    FsResult r = MakeFolder(target);
    if (r == FsResult::Ok) {
        RecordSubFolderCreated(target, madeId_);
        RecordParents(made_);
    } else if (r != FsResult::AlreadyExists) {
        RecordSubFolderOther(target);
    }
    const bool withFiles = in_.WithFiles();
    std::string source;
    std::string path;
    for (const auto& item : s.items) {
        path.assign(target).append(1, '\\').append(item.rel);
        if (item.folder) {
            r = MakeFolder(path);
            if (r == FsResult::Ok) {
                RecordSubFolderCreated(path, madeId_);
                RecordParents(made_);
            } else if (r == FsResult::AlreadyExists) {
                c_.Stat02SubFoldersExists += 1.0;
                Changed();
            } else {
                RecordSubFolderOther(path);
            }
        } else if (withFiles) {
            source.assign(s.entry).append(1, '\\').append(item.rel);
            CopyStructureFile(s, source, path);
        }
    }
    if (s.unreadable > 0) {  // entries whose names cannot be said here
        c_.Stat02SubFoldersOther += static_cast<double>(s.unreadable);
        Changed();
    }
}

void Vol02Creator::CopyStructureFile(Vol02Structure& s, const std::string& source, const std::string& target) {
    plat::FileStamp stamp;
    const FsResult r = disk_.CopyFile(s.source, source, dest_, target, &stamp);
    const auto found = state_.Vol02StructureFileSizes.find(source);
    const bool known = found != state_.Vol02StructureFileSizes.end();
    const double size = known ? static_cast<double>(found->second) : 0.0;
    if (r == FsResult::Ok) {
        if (!simulation_)
            state_.Vol02LastCreatedFiles.push_back({target, stamp.id.Known(), stamp.size, stamp.mtimeNs, stamp.id, 0});
        c_.Stat02FilesCreated += 1.0;
        Changed();
        log_.AddLine(Vol02FilesCreated, target);
        if (known) {
            c_.Stat02FilesSizeCreated += size;
            Changed();
        } else {
            plat::MessageBox("The path doesn't exists : \n" + source, Vol02Caption(topic_, simulation_ ? 20077 : 20060, true),
                             plat::MB_OK | plat::MB_ICONWARNING);
        }
        return;
    }
    // An existing file is never overwritten; any other failure is no "already exists".
    const bool exists = r == FsResult::AlreadyExists;
    if (exists) {
        c_.Stat02FilesExists += 1.0;
    } else {
        c_.Stat02FilesOther += 1.0;
        log_.AddLine(Vol02FoldersOther, target);
    }
    Changed();
    if (known) {
        (exists ? c_.Stat02FilesSizeExists : c_.Stat02FilesSizeOther) += size;
        Changed();
    } else {
        plat::MessageBox("The path doesn't exists : \n" + source, Vol02Caption(topic_, simulation_ ? 20078 : 20061, true),
                         plat::MB_OK | plat::MB_ICONWARNING);
    }
}

void Vol02Creator::AttachTemplates(const std::string& mainFolder) {
    // CheckDestinationNotSource (main folder, line), with what depends on
    // one side only worked out once.
    std::string mainMessage, normalised, message;
    const bool mainInvalid = !ValidateIncludeListText(mainFolder, mainMessage, normalised);
    std::string target;
    for (std::size_t i = 0; i < in_.FolderStructures.size(); ++i) {
        const std::string& line = in_.FolderStructures[i];
        TemplateLine& t = templates_[i];
        if (t.dots) {
            RecordFolderOther(line);
            continue;
        }
        bool refuse = true;
        if (mainInvalid)
            message = mainMessage;
        else if (t.invalid)
            message = t.message;
        else
            refuse = t.mayEqual && CheckDestinationNotSource(mainFolder, line, message);
        if (refuse) {
            if (!t.refusalShown) {
                t.refusalShown = true;
                plat::MessageBox(message,
                                 simulation_ ? Vol02Caption(kVol02FolderListTopic, 20074, true)
                                             : Vol02Caption(kVol02Topic, 20052, true),
                                 plat::MB_OK | plat::MB_ICONWARNING);
            }
            continue;
        }
        bool dots;
        if (t.fixed) {
            target.clear();
            if (!t.noTarget) target.assign(mainFolder).append(1, '\\').append(t.rel);
            dots = t.relDots;
        } else {
            const std::string rel = ExpandTemplatePath(line, mainFolder, templateMode_, searchTerm_);
            target = rel.empty() ? std::string() : JoinDestinationAndTemplatePath(mainFolder, rel);
            dots = HasDotFolderName(target);
        }
        if (target.empty() || dots) {
            RecordFolderOther(line);
            continue;
        }
        const FsResult r = MakeFolder(target);
        if (r == FsResult::Ok || r == FsResult::AlreadyExists) {
            // A line that meets a folder counts as made; the Undo gets it
            // only when this item's own lines made it, never one that was there.
            const plat::FileIdentity* ours = &madeId_;
            if (r == FsResult::AlreadyExists) {
                ours = nullptr;
                for (const auto& [text, id] : itemMade_)
                    if (text == target) ours = &id;
            }
            RecordSubFolderCreated(target, ours ? *ours : plat::FileIdentity{}, ours != nullptr);
            RecordParents(made_);
        } else {
            RecordSubFolderOther(target);
        }
    }
}
