// The attach walk: an existing folder structure read once, before a run
// makes anything, then its folders made and its files copied below a
// folder held open, never through a link. The create pages (02, 03, 04)
// and the copy-folders page (08) attach structures this way, each in its
// own order of the items and counting the outcomes its own way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/RunDisk.h"
#include "core/Types.h"
#include "core/WalkRule.h"
#include "platform/Beneath.h"

class FolderStructSize;

// The structure part of a page's controls, as a run reads them.
struct CreationInputs {
    StringList FolderStructures;  // the structure list, in list order
    bool AttachNothing = false;   // "Attach Nothing." checked
    bool FullPaths = false;       // existing structures: enabled and checked
    bool RelativePaths = false;   // template lines: enabled and checked
    bool MainFolderWithFiles = false;
    bool MainFolderWithoutFiles = false;
    bool SubFoldersOnlyWithFiles = false;
    bool SubFoldersOnlyWithoutFiles = false;
    bool ViewDetailedResults = true;  // "Show Visual Log"
    bool ViewDestFolder = true;       // "Show Explorer"

    bool WithFiles() const { return MainFolderWithFiles || SubFoldersOnlyWithFiles; }
    bool WithoutFiles() const { return MainFolderWithoutFiles || SubFoldersOnlyWithoutFiles; }
    bool SubFoldersOnlyMode() const { return SubFoldersOnlyWithFiles || SubFoldersOnlyWithoutFiles; }
};

// One existing structure as it was before the run made anything: its
// folders and files below the structure folder, breadth first, each
// folder's entries in listing order. What the walk passes over (a link, a
// special file, a folder another file system is mounted on, a name no path
// can say) is no item: it is kept apart, for the page to name.
struct StructureItem {
    std::string rel;  // path below the structure folder
    bool folder = false;
    bool unread = false;  // a folder that could not be read: what it holds is unknown
};
struct FolderStructure {
    std::string entry;  // the list entry, trimmed, without trailing backslashes
    std::string name;   // its last name
    bool usable = false;
    bool absent = false;  // nothing of that name when read
    bool refusalShown = false;
    // The real folder holds the destination (judged by identity, so
    // aliases through links count), or lies below it at `belowDest`.
    bool holdsDestination = false;
    std::string belowDest;
    bool rootUnread = false;  // the structure folder itself could not be read
    std::vector<StructureItem> items;
    // The entries the walk passes over, as found: never copied, each said
    // by the page where it would have gone.
    struct Passed {
        std::string rel;   // the folder it lies in, below the structure folder
        std::string name;  // as the system has it
        bool folder = false;
        PassedBy why = PassedBy::Unsayable;
        // `target`\`rel`\`name`: where the walk would have put it.
        std::string At(const std::string& target) const;
        // The same, named with its reason.
        std::string Named(const std::string& target) const;
    };
    std::vector<Passed> passed;
    plat::Beneath source;  // the structure folder, held for the copies
};
// Walks the structure folder once; not usable when IsUsableRunItem refuses
// it as a folder to take a name from or it is no folder (a link is none);
// a drive root is usable but never walked (the run refuses it).
FolderStructure ReadFolderStructure(const std::string& entry);

// A list entry as the run and the measurement take it: trimmed, without
// trailing backslashes (a drive root keeps its one).
std::string StructureEntryText(const std::string& entry);
// The listed structures that are walked, as entry texts: a blank line or a
// drive root (which the run refuses) is not walked.
StringList WalkedStructures(const StringList& lines);
// The text behind the last backslash or colon.
std::string LastNameOf(const std::string& path);
// True when `path` is `folder` or lies inside it, however either is spelled
// (letter case, separators, trailing blanks and dots of a name): a refusal
// may reach wider than the names, identity decides.
bool PathWithinFolder(const std::string& path, const std::string& folder);

// ---- the attach walk ----------------------------------------------------------------------

// One folder beneath `base`, with its missing parents when its parent is
// missing: Ok (`id` its identity; `made` every folder made, parents first,
// or empty when the folder alone was made), AlreadyExists, or why not.
plat::FsResult MakeFolderWithParents(RunDisk& disk, plat::Beneath& base, const std::string& path,
                                     plat::FileIdentity& id, std::vector<plat::MadeFolder>& made);

// ---- template lines -----------------------------------------------------------------------

// The folders on the way to `rel` (names joined by backslashes, below a
// main folder) that `reached` does not hold yet, from the top: those a
// template line makes besides its own folder. `rel` and they are reached
// from now on.
StringList NewOnTheWay(const std::string& rel, std::unordered_set<std::string>& reached);
// Whether a template line's `target` lies below `mainFolder` as the line's
// path joins them; `rel` then holds the part below it.
bool BelowMainFolder(const std::string& mainFolder, const std::string& target, std::string& rel);
// How many of `made` (as MakeFolderWithParents left it) were made on the
// way; `madeFolder`: the folder itself was made too, as its last.
std::size_t ParentsMade(const std::vector<plat::MadeFolder>& made, bool madeFolder);
// A folder on the way to one just made: made now (`index` its place among
// the first `parents` of `made`), there already or not made, as `disk`
// finds it beneath `base`.
enum class WayFolder { Made, There, NotMade };
WayFolder JudgeWayFolder(RunDisk& disk, plat::Beneath& base, const std::string& folder,
                         const std::vector<plat::MadeFolder>& made, std::size_t parents, std::size_t& index);
// How many folders the template lines make in a main folder that holds
// none of them yet, as the runs make them: each line its own folder (a line
// that gives none, or that is refused for this main folder, counts as that
// one), and each folder on its way that no earlier line reached. Template
// mode and search term as GetFolderTemplateMode gives them.
double TemplateFoldersIn(const StringList& lines, const std::string& mainFolder, int mode, const std::string& term);
// The same for many main folders, in their order (empty: none is made).
double TemplateFoldersIn(const StringList& lines, const StringList& mainFolders, int mode, const std::string& term);

// What a run's line about a template folder holds past its main folder, at
// most: the longest line as it expands for `longestMainFolder`.
double TemplateLineBytes(const StringList& lines, const std::string& longestMainFolder, int mode,
                         const std::string& term);
// What a run's lines about the `entries` a measured structure brings to a
// main folder hold past it: their paths below the structure folder, through
// its name where that folder is made too (`countRoot`).
double StructureLineBytes(const std::string& structure, const FolderStructSize& size, double entries,
                          bool countRoot);

// The order in which a walk takes a structure's items, as indexes into
// them; an index may come more than once (a file two name masks take).
using AttachOrder = std::vector<std::uint32_t>;
// As read: breadth first, each folder's entries in listing order; files
// only with files.
AttachOrder ListingOrder(const FolderStructure& s, bool withFiles);

// What the walk met, item by item; each page counts and lists it its own
// way. `top`: the folder the structure goes to (its own folder, or the
// main folder itself). `made`: as MakeFolderWithParents gives it.
class AttachOutcomes {
public:
    virtual ~AttachOutcomes() = default;
    virtual void FolderMade(const std::string& path, const plat::FileIdentity& id,
                            const std::vector<plat::MadeFolder>& made, bool top) = 0;
    virtual void FolderExists(const std::string& path, bool top) = 0;
    virtual void FolderNotMade(const std::string& path, bool top) = 0;
    // `item`: the file's index among the structure's items.
    virtual void FileCopied(std::uint32_t item, const std::string& source, const std::string& target,
                            const plat::FileStamp& stamp) = 0;
    // `why`: AlreadyExists (nothing is ever written over), or why the copy
    // failed; a failed copy leaves nothing behind.
    virtual void FileNotCopied(std::uint32_t item, const std::string& source, const std::string& target,
                               plat::FsResult why) = 0;
};

// Makes `target` beneath `dest`, then the structure's folders below it, and
// copies its files there, in `order`. The structure was read before the
// run made anything, so the walk never meets what the run made. A folder
// that could not be read is not made as if it were empty: it is a folder
// not made (the structure's own folder too, and then nothing of it is).
class AttachWalk {
public:
    explicit AttachWalk(RunDisk& disk) : disk_(disk) {}
    // Copies through `source`, a worker's own handle on the structure
    // folder, leaving the structure as it is.
    void Attach(const FolderStructure& s, plat::Beneath& source, plat::Beneath& dest, const std::string& target,
                const AttachOrder& order, AttachOutcomes& out);

private:
    RunDisk& disk_;
    std::vector<plat::MadeFolder> made_;
    std::string source_, path_;  // scratch, kept for their capacity
};

// A structure refused for a main folder (it is that folder, holds it or
// lies in it) says so in a box the first time a run meets it; the main
// folders it is refused for after that are named together in one box when
// the run ends, so that none goes unsaid and no run floods the screen.
class RefusedDestinations {
public:
    void Reset(std::size_t structures);
    // True for the structure's first refusal in the run: its own box shows.
    bool First(std::size_t index, const std::string& destination);
    // Whether a box waits for the end of the run.
    bool Pending() const {
        for (const StringList& l : later_)
            if (!l.empty()) return true;
        return false;
    }
    // One box per structure refused again; `source` gives a structure's text.
    template <class SourceOf, class ShowFn>
    void ShowLater(const SourceOf& source, const ShowFn& show) const {
        for (std::size_t i = 0; i < later_.size(); ++i)
            if (!later_[i].empty()) show(RefusedAgainText(source(i), later_[i]));
    }
    static std::string RefusedAgainText(const std::string& source, const StringList& destinations);

private:
    std::vector<char> shown_;
    std::vector<StringList> later_;
};

// True when `id` is one of the identities of `chain` (an Ancestry()).
bool ChainHolds(const std::vector<plat::FileIdentity>& chain, const plat::FileIdentity& id);
