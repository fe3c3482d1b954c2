// Work beneath one chosen folder through held folder handles.
//
// A Beneath opens its base folder once (never a link) and does every look,
// create, copy, remove and rename relative to handles of folders below it:
// no path is ever resolved as a whole string again. A link met anywhere
// below the base is an entry of its own: it is never passed through, and
// the operation on that item fails. Mount points below the base are not
// crossed either, so a bind mount cannot alias a folder from elsewhere.
//
// Paths are drive-form paths (as everywhere in the program) that must lie
// beneath the base; they are translated with the drive table and cut to
// the part below the base. A path outside the base fails.
//
// The handles of the folders on the last path used are held, so a run of
// operations in one folder resolves it once. Release() lets them go; a run
// releases them between items, so a link swapped in between two items is
// met by the next resolution. What is created is recorded by identity
// (device and inode), so that an undo can tell the object it made from
// anything put in its place since.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/HandleTable.h"

namespace plat {

// Which object an entry is: device and inode.
struct FileIdentity {
    std::uint64_t dev = 0;
    std::uint64_t ino = 0;
    bool Known() const { return dev != 0 || ino != 0; }
    bool operator==(const FileIdentity&) const = default;
};

// A file as a run left it: its identity, size, modification time and
// status-change time. The last is set by every change and by no call a
// user can make, so a file rewritten in place with its old size and time
// set back still differs from its stamp.
struct FileStamp {
    FileIdentity id;
    std::uint64_t size = 0;
    std::int64_t mtimeNs = 0;
    std::int64_t ctimeNs = 0;
    bool operator==(const FileStamp&) const = default;
};

// Why a folder met by a walk could not be listed (Beneath::WhyNotListed).
enum class NotListed { Gone, Unreadable, OtherFileSystem };

struct EntryInfo {
    EntryKind kind = EntryKind::File;
    FileIdentity id;
    std::uint64_t size = 0;
    std::int64_t mtimeNs = 0;
    std::int64_t ctimeNs = 0;
    std::uint32_t mode = 0;  // permission bits
    std::uint32_t uid = 0;   // owner
    FileStamp Stamp() const { return {id, size, mtimeNs, ctimeNs}; }
};

// The found entry is a regular file as the stamp says: the same object,
// unchanged since. The one test of "the file as a run left it", for the
// layer, the dry disk and every undo.
bool IsUnchanged(const EntryInfo& found, const FileStamp& left);

// A folder made by MakeFolderTree, parents first.
struct MadeFolder {
    std::string path;  // drive form, in the caller's spelling
    FileIdentity id;
};

class Beneath {
public:
    Beneath() = default;
    ~Beneath();
    Beneath(Beneath&& other) noexcept;
    Beneath& operator=(Beneath&& other) noexcept;
    Beneath(const Beneath&) = delete;
    Beneath& operator=(const Beneath&) = delete;

    // Opens the folder as the base. NotFound when nothing is there; Failed
    // for a link, a file or anything the drive table cannot name. A folder
    // this user may not list opens too; what needs its listing then fails.
    FsResult Open(const std::string& folder);
    // Opens the folder, or when it does not exist yet the nearest existing
    // folder above it, as the base.
    FsResult OpenNearest(const std::string& folder);
    // Opens one of the program's own folders for the program's own writes
    // (working copies, its own folders): the door past the store's fence
    // (StoreFence), which judges every other base's changes.
    FsResult OpenOwn(const std::string& folder);
    void Close();
    // Open on some thread; a base opened on a worker with a table of handles
    // of its own (OwnHandleTable) is of use on that worker alone: elsewhere
    // what it is asked fails.
    bool IsOpen() const { return fd_ >= 0; }
    // Open, and of use on this thread.
    bool UsableHere() const { return Base() >= 0; }
    // Another Beneath on this very base (its handle duplicated; no path is
    // resolved again), holding folders of its own: one for each worker of a
    // run. Closed when this one is.
    Beneath Twin() const;
    // The base in drive form (as the drive table says it) and its identity.
    const std::string& Folder() const { return folder_; }
    FileIdentity Identity() const { return id_; }
    // The base's path as the kernel names it now, links on the way
    // resolved (Linux form; empty when not known): texts that reach one
    // folder through a link give the same.
    std::string RealNative() const;
    // True when the path is the base or lies below it.
    bool Holds(const std::string& path) const;
    // The path's part below the base, Linux style ("a/b"); empty for the base.
    bool Relative(const std::string& path, std::string& rel) const;

    // The identities of the base and of every folder above it, up to the
    // root of the whole tree (through mount points, as ".." leads); at
    // most `levels` of them.
    std::vector<FileIdentity> Ancestry(std::size_t levels = SIZE_MAX) const;
    // Where this base lies below `outer`, as the real folder names from
    // `outer` down ("a/b"): found by climbing "..", so a link or bind mount
    // in either's path does not hide it. False when it does not lie below.
    bool RealPathBelow(const Beneath& outer, std::string& rel) const;

    // ---- looking ------------------------------------------------------------------
    // lstat beneath the base. NotFound when nothing is there; Blocked when a
    // link, a file or a mount point stands on the path.
    FsResult Look(const std::string& path, EntryInfo& info);
    // As plat::ListFolder, for a folder beneath the base. The folder listed
    // is held afterwards (as by the last path resolved).
    bool List(const std::string& folder, std::vector<DirEntry>& entries, std::vector<DirEntry>* unsayable = nullptr);
    // The same, but only names, kinds and inodes (no size, time or mode),
    // for walks that look at few of the entries they list.
    bool ListKinds(const std::string& folder, std::vector<DirEntry>& entries,
                   std::vector<DirEntry>* unsayable = nullptr);
    // After a listing of the folder failed: why. Unreadable: still a
    // folder beneath the base that could not be read (as one this user may
    // not list); OtherFileSystem: a folder another file system is mounted
    // on, which no walk enters; Gone: nothing there, or no longer a folder
    // (a link or a file put in its place).
    NotListed WhyNotListed(const std::string& folder);
    // Whether this process could make an entry in the folder: Ok, NotFound,
    // Blocked or Failed (not writable).
    FsResult CanWriteIn(const std::string& folder);
    // Whether the file is a regular file this process can open for
    // reading; `size` gets its size.
    FsResult CanRead(const std::string& file, std::uint64_t* size = nullptr);
    // Whether this process can open the entry for reading, whatever it is
    // (for one a look just found a regular file).
    FsResult CanOpenForReading(const std::string& file);
    // The longest name, in bytes, that the base's file system takes.
    std::size_t NameMax();
    // Whether the store's fence that stands (StoreFence) would refuse a
    // change of the entry at `path` made here (`entry`: the entry itself
    // renamed, removed or changed, not only something in its folder). No
    // fence, a base opened as the program's own, or a path whose folder
    // cannot be reached: false (the change itself then tells).
    bool StoreRefuses(const std::string& path, bool entry = false);
    // Whether a fence stands that may refuse a change here at all: cheap,
    // for a caller that has its own work to do before StoreRefuses.
    bool StoreFenced() { return StoreRelation() != 0; }

    // ---- changing -----------------------------------------------------------------
    // One folder whose parent exists (NotFound when it does not).
    FsResult MakeFolder(const std::string& path, FileIdentity* made = nullptr);
    // The folder and every missing parent; AlreadyExists when it was there.
    FsResult MakeFolderTree(const std::string& path, std::vector<MadeFolder>* made = nullptr);
    // Copies a regular file from below `source`'s base to a path below this
    // base where nothing exists yet: whole or not at all, never replacing
    // anything, keeping the time and the permission bits but never the
    // set-user-ID, set-group-ID or sticky bit.
    FsResult CopyFileFrom(Beneath& source, const std::string& from, const std::string& to, FileStamp* stamp = nullptr);
    // As CopyFileFrom, but an existing regular file at `to` is replaced in
    // one step (the copy is made beside it and renamed over it), so the
    // target is whole before and after, never missing. A folder, link or
    // special file there is never replaced (Failed).
    FsResult CopyFileReplacing(Beneath& source, const std::string& from, const std::string& to,
                               FileStamp* stamp = nullptr);
    // Sets the permission bits of a file or folder (never of what a link
    // points to), the base's too; `oldMode` gets the bits it had.
    FsResult SetMode(const std::string& path, std::uint32_t mode, std::uint32_t* oldMode = nullptr);
    // Removes a file or a link (never what it points to). With `expected`,
    // only that very file unchanged: Changed otherwise.
    FsResult RemoveFile(const std::string& path, const FileStamp* expected = nullptr);
    // Removes an empty folder (never a link). With `expected`, only that
    // very folder: Changed otherwise. NotEmpty when it holds anything.
    FsResult RemoveFolder(const std::string& path, const FileIdentity* expected = nullptr);
    // Renames within the base; never replaces an existing target.
    FsResult Rename(const std::string& from, const std::string& to);
    // Moves an entry below the base (never the base) into the desktop's trash.
    FsResult MoveToTrash(const std::string& path);

    // Lets the held folder handles go; the base stays open.
    void Release();

private:
    struct Held {
        std::string rel;
        int fd;
        FileIdentity id = {};  // asked when the store's fence first needs it
    };
    FsResult OpenBaseNative(const std::string& native);
    // The handle of the folder `rel` ("" is the base), held until Release()
    // or until a path elsewhere is resolved. -1 with `why` set on failure.
    int Resolve(std::string_view rel, FsResult& why);
    // The held handle of the path's parent, and the path's last name.
    int Parent(const std::string& path, std::string& name, FsResult& why);
    int Parent(const std::string& path, std::string& name, std::string& rel, FsResult& why);
    // A handle for reading the entry, whatever it is (the caller closes
    // it); -1 with `why` set when it cannot be opened.
    int OpenForReading(const std::string& file, FsResult& why);
    FsResult Copy(Beneath& source, const std::string& from, const std::string& to, FileStamp* stamp, bool replace);
    bool ListFolderBelow(const std::string& folder, std::vector<DirEntry>& entries, std::vector<DirEntry>* unsayable,
                         bool kindsOnly);

    // The base's handle where this thread can use it, else -1.
    int Base() const { return fd_ >= 0 && detail::UsableHere(tag_) ? fd_ : -1; }
    // How this base lies to the fence that stands (StoreFence::Relation); 0:
    // no fence, the program's own base, or a base apart from the store.
    unsigned StoreRelation();
    // Before a change of `path` is resolved: true when the store's fence
    // needs no look at it (none stands, or the path's first name below the
    // base is a folder apart from the store, held, so that the change is
    // made through that very folder). Else Guard judges it.
    bool StoreApart(const std::string& path);
    // The fence's word on a change of the entry `name` in the folder `dir`
    // (held here): Ok, or Failed when refused.
    FsResult Guard(int dir, const std::string& name, bool entry);
    // Lets the held folders from `from` on go.
    void DropHeld(std::size_t from);

    int fd_ = -1;
    detail::HandleTag tag_;  // the table fd_ lives in
    std::uint64_t heldTable_ = 0;  // the table the held folders' handles live in
    std::string root_;    // the base's Linux path
    std::string folder_;  // the base in drive form
    FileIdentity id_;
    std::size_t nameMax_ = 0;
    int mount_ = -1;  // the base's mount id, where the kernel gives one (asked when first needed)
    bool own_ = false;  // opened as the program's own (OpenOwn)
    std::uint64_t fencedBy_ = 0;  // the fence relation_ was judged by (its serial)
    unsigned relation_ = 0;
    std::vector<Held> held_;  // each a folder below the previous one
    // Scratch texts of one operation, kept for their capacity.
    mutable std::string native_;
    std::string rel_, storeRel_;
    // The translations of the last folders paths were met in (see Translate).
    bool Translate(const std::string& path, std::string& native) const;
    struct Translated {
        std::string drive;   // drive form, without a trailing separator
        std::string native;  // its Linux path
    };
    mutable std::array<Translated, 8> translated_;
    mutable std::size_t nextTranslated_ = 0;
    mutable std::size_t lastTranslated_ = 0;  // the one that answered last
    // The folder (drive form) of the last path made relative, and its part
    // below the base ("" for the base, else ending in "/"), while the drive
    // table is of version relFor_ and the base stays.
    mutable std::string relFolder_, relBelow_;
    mutable std::uint64_t relFor_ = ~std::uint64_t{0};
    mutable std::uint64_t translatedFor_ = ~std::uint64_t{0};  // the drive table's version
};

// The parts of a path below a base ("a/b/c"): its folder ("a/b", "" for a
// name of the base) and its last name ("c").
inline std::string RelParent(const std::string& rel) {
    const std::size_t slash = rel.rfind('/');
    return slash == std::string::npos ? std::string() : rel.substr(0, slash);
}
inline std::string RelName(const std::string& rel) {
    const std::size_t slash = rel.rfind('/');
    return slash == std::string::npos ? rel : rel.substr(slash + 1);
}

// The drive-form text of `path` up to its name on `level` (0 the first
// below the base), when its last `levels` names lie below the base: the
// caller's own spelling of each folder a tree creation makes.
std::string LeadingPath(const std::string& path, std::size_t levels, std::size_t level);

// Copies larger than this look for an existing target before copying; a
// smaller one learns it from the final link, saving a look per file.
constexpr std::uint64_t kLookBeforeCopyBytes = 1 << 20;

// Resolves name by name as where the kernel lacks openat2; for tests.
void ForceBeneathFallback(bool force);

}  // namespace plat
