// The one disk seam of every run. The real disk works beneath held folder
// handles; the dry disk asks the same questions of the same folders and
// writes nothing, keeping what it "made", removed and renamed in memory, so
// a simulation is the run's own code handed the dry disk and its outcomes
// are the run's. Every path lies beneath the Beneath it is handed with.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <memory_resource>
#include <mutex>
#include <set>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/BriefMutex.h"
#include "platform/Beneath.h"

class RunDisk {
public:
    virtual ~RunDisk() = default;
    virtual bool IsDry() const = 0;

    // ---- looking (the dry disk's pretended changes included) ----
    virtual plat::FsResult Look(plat::Beneath& base, const std::string& path, plat::EntryInfo& info) = 0;
    // `unsayable` (when given): the entries no drive path can name
    // (plat::ListFolder), for the walk to count and name.
    virtual bool List(plat::Beneath& base, const std::string& folder, std::vector<plat::DirEntry>& entries,
                      std::vector<plat::DirEntry>* unsayable = nullptr) = 0;
    // Names, kinds and identities only (plat::Beneath::ListKinds); the dry
    // disk gives the whole listing once it pretends a change.
    virtual bool ListKinds(plat::Beneath& base, const std::string& folder, std::vector<plat::DirEntry>& entries,
                           std::vector<plat::DirEntry>* unsayable = nullptr) {
        return List(base, folder, entries, unsayable);
    }
    // After a listing of the folder failed: why (plat::Beneath::WhyNotListed).
    virtual plat::NotListed WhyNotListed(plat::Beneath& base, const std::string& folder) {
        return base.WhyNotListed(folder);
    }

    // ---- making ----
    // One folder whose parent exists: NotFound when it does not.
    virtual plat::FsResult MakeFolder(plat::Beneath& base, const std::string& path, plat::FileIdentity* made) = 0;
    // The folder with every missing parent; `made` gets what was made,
    // parents first. AlreadyExists when the folder was there.
    virtual plat::FsResult MakeFolderTree(plat::Beneath& base, const std::string& path,
                                          std::vector<plat::MadeFolder>& made) = 0;
    // A regular file to a path where nothing exists; never replaces anything.
    virtual plat::FsResult CopyFile(plat::Beneath& from, const std::string& source, plat::Beneath& to,
                                    const std::string& target, plat::FileStamp* stamp) = 0;
    // A regular file over a regular file (or to where nothing is), in one step.
    virtual plat::FsResult CopyFileReplacing(plat::Beneath& from, const std::string& source, plat::Beneath& to,
                                             const std::string& target, plat::FileStamp* stamp) = 0;

    // ---- changing and removing (as plat::Beneath does them) ----
    virtual plat::FsResult RemoveFile(plat::Beneath& base, const std::string& path,
                                      const plat::FileStamp* expected = nullptr) = 0;
    virtual plat::FsResult RemoveFolder(plat::Beneath& base, const std::string& path,
                                        const plat::FileIdentity* expected = nullptr) = 0;
    virtual plat::FsResult Rename(plat::Beneath& base, const std::string& from, const std::string& to) = 0;
    virtual plat::FsResult SetMode(plat::Beneath& base, const std::string& path, std::uint32_t mode,
                                   std::uint32_t* oldMode = nullptr) = 0;
};

class RealDisk final : public RunDisk {
public:
    bool IsDry() const override { return false; }
    plat::FsResult Look(plat::Beneath& base, const std::string& path, plat::EntryInfo& info) override;
    bool List(plat::Beneath& base, const std::string& folder, std::vector<plat::DirEntry>& entries,
              std::vector<plat::DirEntry>* unsayable = nullptr) override;
    bool ListKinds(plat::Beneath& base, const std::string& folder, std::vector<plat::DirEntry>& entries,
                   std::vector<plat::DirEntry>* unsayable = nullptr) override {
        return base.ListKinds(folder, entries, unsayable);
    }
    plat::FsResult MakeFolder(plat::Beneath& base, const std::string& path, plat::FileIdentity* made) override;
    plat::FsResult MakeFolderTree(plat::Beneath& base, const std::string& path,
                                  std::vector<plat::MadeFolder>& made) override;
    plat::FsResult CopyFile(plat::Beneath& from, const std::string& source, plat::Beneath& to,
                            const std::string& target, plat::FileStamp* stamp) override;
    plat::FsResult CopyFileReplacing(plat::Beneath& from, const std::string& source, plat::Beneath& to,
                                     const std::string& target, plat::FileStamp* stamp) override;
    plat::FsResult RemoveFile(plat::Beneath& base, const std::string& path,
                              const plat::FileStamp* expected = nullptr) override;
    plat::FsResult RemoveFolder(plat::Beneath& base, const std::string& path,
                                const plat::FileIdentity* expected = nullptr) override;
    plat::FsResult Rename(plat::Beneath& base, const std::string& from, const std::string& to) override;
    plat::FsResult SetMode(plat::Beneath& base, const std::string& path, std::uint32_t mode,
                           std::uint32_t* oldMode = nullptr) override;
};

// Answers as the real disk would after the changes it was asked for: a
// name too long for the file system, a folder this user cannot write to, a
// link or file in the way, a source it cannot read, a target that exists, a
// folder that still holds something. Workers of one run may share it (each
// with its own Beneath): what it pretends is kept under locks, one per
// stripe of folders.
class DryDisk final : public RunDisk {
public:
    // What each worker keeps of the real disk's answers while it works
    // (asked once, as the disk does not change under a simulation): so
    // many answers, each of so many bytes beside the path it was asked of.
    static constexpr std::size_t kRealAnswers = 512;
    static constexpr std::size_t kRealAnswerBytes = 128;
    // The block each worker takes what it pretends from, without a lock.
    static constexpr std::size_t kArenaBlock = 256 * 1024;
    // Its sets of bits that say which keys may have a change, each of so
    // many words.
    static constexpr std::size_t kBitSets = 3, kBitWords = std::size_t{1} << 14;

    DryDisk();
    bool IsDry() const override { return true; }
    plat::FsResult Look(plat::Beneath& base, const std::string& path, plat::EntryInfo& info) override;
    bool List(plat::Beneath& base, const std::string& folder, std::vector<plat::DirEntry>& entries,
              std::vector<plat::DirEntry>* unsayable = nullptr) override;
    // The real folder's names and kinds, with what was pretended in it.
    bool ListKinds(plat::Beneath& base, const std::string& folder, std::vector<plat::DirEntry>& entries,
                   std::vector<plat::DirEntry>* unsayable = nullptr) override;
    plat::FsResult MakeFolder(plat::Beneath& base, const std::string& path, plat::FileIdentity* made) override;
    plat::FsResult MakeFolderTree(plat::Beneath& base, const std::string& path,
                                  std::vector<plat::MadeFolder>& made) override;
    plat::FsResult CopyFile(plat::Beneath& from, const std::string& source, plat::Beneath& to,
                            const std::string& target, plat::FileStamp* stamp) override;
    plat::FsResult CopyFileReplacing(plat::Beneath& from, const std::string& source, plat::Beneath& to,
                                     const std::string& target, plat::FileStamp* stamp) override;
    plat::FsResult RemoveFile(plat::Beneath& base, const std::string& path,
                              const plat::FileStamp* expected = nullptr) override;
    plat::FsResult RemoveFolder(plat::Beneath& base, const std::string& path,
                                const plat::FileIdentity* expected = nullptr) override;
    plat::FsResult Rename(plat::Beneath& base, const std::string& from, const std::string& to) override;
    plat::FsResult SetMode(plat::Beneath& base, const std::string& path, std::uint32_t mode,
                           std::uint32_t* oldMode = nullptr) override;

private:
    // A pretended change at one path. Keys are the canonical drive-form
    // paths the base gives (its folder text + the part below it).
    struct Node {
        enum State { Folder, File, Removed, Renamed } state = Folder;
        std::string_view source;  // Renamed: the real path that now stands here (the disk keeps its text)
        plat::EntryInfo info;
    };
    // What stands at a key: nothing, an entry (info), something in the way
    // of its path, or a failure; Real: the pretended changes say nothing of
    // it, the disk is asked at the real path.
    enum class Kind { None, Entry, Blocked, Failed, Real };
    // What the pretended changes say of a key, the disk not asked: Real
    // where they say nothing, the disk to be asked at `real` (empty: at the
    // key itself).
    Kind Locate(const plat::Beneath& base, const std::string& key, plat::EntryInfo* info, std::string& real) const;
    // The same, the disk asked where they say nothing; `real` gets the real
    // path behind an entry. `kindOnly`: the entry's kind is all the caller
    // reads (the held base needs no look to be a folder).
    Kind Look(plat::Beneath& base, const std::string& key, plat::EntryInfo* info, std::string* real,
              bool kindOnly = false);
    // Whether an entry named `name` could be made in (or removed from) the folder `parentKey`.
    plat::FsResult CanWriteIn(plat::Beneath& base, const std::string& parentKey);
    // The same for a folder found at `real` ("": a pretended one).
    plat::FsResult Writable(plat::Beneath& base, const std::string& folderKey, const std::string& real);
    // What a pretended mode says of writing in the folder; NotFound: none.
    plat::FsResult ModeSays(const std::string& folderKey);
    plat::FsResult CanMakeIn(plat::Beneath& base, const std::string& parentKey, std::string_view name);
    // Whether the store's fence (plat::StoreFence) refuses the change at
    // `key`, judged where the real disk judges it: at the real entry behind
    // the key. Nothing pretended lies in the store (its making was judged),
    // so nothing below a pretended folder is refused.
    bool Refused(plat::Beneath& base, const std::string& key, bool entry = false) const;
    bool KeyOf(const plat::Beneath& base, const std::string& path, std::string& key) const;
    bool Listing(plat::Beneath& base, const std::string& folder, std::vector<plat::DirEntry>& entries,
                 std::vector<plat::DirEntry>* unsayable, bool kindsOnly);
    // A copy of the pretended change at `key`; false when there is none.
    bool Find(std::string_view key, Node& node) const;
    bool Pretends() const { return pretends_.load(std::memory_order_acquire); }
    void Put(const std::string& key, Node node);
    // The same with tree_ and the key's folder's stripe held.
    void PutHeld(const std::string& key, Node node);
    // Marks a change at `key` (in the folder `parentHash` names): whether
    // one may be there already.
    bool Marks(std::string_view key, std::size_t parentHash);
    plat::FsResult CopyInto(plat::Beneath& from, const std::string& source, plat::Beneath& to,
                            const std::string& target, bool replace);
    // The real disk's answer for `path` (Read: `info.size` the file's size),
    // asked once by each worker: the dry disk changes nothing there, and a
    // run asks again and again of its sources and folders.
    enum class Ask : char { Look, Read, Write };
    plat::FsResult Real(Ask ask, plat::Beneath& base, const std::string& path, plat::EntryInfo& info) const;
    // The real folder's listing, the same way.
    bool RealListing(plat::Beneath& base, const std::string& folder, std::vector<plat::DirEntry>& entries,
                     std::vector<plat::DirEntry>* unsayable, bool kindsOnly) const;

    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view key) const { return std::hash<std::string_view>()(key); }
    };
    struct KeyEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const { return a == b; }
    };
    // What the disk pretends lives in blocks that go all at once with it:
    // each worker takes from a block of its own, without a lock, and a run
    // of many items does not end freeing its entries one by one.
    class Arena final : public std::pmr::memory_resource {
    public:
        Arena();
        ~Arena() override = default;
        Arena(const Arena&) = delete;
        Arena& operator=(const Arena&) = delete;

    private:
        void* do_allocate(std::size_t bytes, std::size_t align) override;
        void do_deallocate(void*, std::size_t, std::size_t) override {}
        bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override { return this == &other; }

        const std::uint64_t serial_;  // tells this arena's block on a worker from another's
        std::mutex m_;
        std::vector<std::unique_ptr<std::byte[]>> blocks_;
    };
    using Text = std::pmr::string;
    template <class T>
    using KeyMap = std::pmr::unordered_map<Text, T, KeyHash, KeyEqual>;
    // A folder's changes: in one map under its stripe's lock while they are
    // few, then in parts of their own, one per worker, each under a lock of
    // its own (a folder that every worker writes at once: the working
    // folder). A worker adds a new entry to its own part; an entry the
    // bits say may be there already is looked for in every part.
    struct Parts;
    struct Entries {
        using allocator_type = std::pmr::polymorphic_allocator<>;
        explicit Entries(const allocator_type& arena) : few(arena) {}
        KeyMap<Node> few;
        Parts* parts = nullptr;
    };
    static constexpr std::size_t kParts = 16;
    static constexpr std::size_t kFew = 256;  // the most a folder keeps in one map
    struct Parts {
        struct alignas(64) Part {
            mutable BriefMutex m;
            KeyMap<Node>* changes = nullptr;
        };
        std::array<Part, kParts> part;
    };
    // This worker's part of every spread folder.
    std::size_t MyPart() const;
    // With the folder's stripe held: the entry (made outside the lock)
    // linked in (`known`: the bits said it may be there already), the
    // entry found, every entry. Parts' locks are taken as needed.
    void Link(Entries& folder, KeyMap<Node>::node_type entry, bool known);
    // The same in the folder `parent` (its key's hash `hash`), which joins
    // the changed ones when new; tree_ held too.
    void LinkHeld(std::string_view parent, std::size_t hash, KeyMap<Node>::node_type entry, bool known);
    void LinkInParts(Parts& parts, KeyMap<Node>::node_type entry, bool known) const;
    static bool FindIn(const Entries& folder, std::string_view name, Node& node);
    template <class Fn>
    static void ForEach(const Entries& folder, Fn&& fn) {
        if (!folder.parts) {
            for (const auto& [name, node] : folder.few) fn(name, node);
            return;
        }
        for (const auto& part : folder.parts->part) {
            const std::lock_guard lock(part.m);
            for (const auto& [name, node] : *part.changes) fn(name, node);
        }
    }
    // A bit per key hash, set when a key may hold something and never
    // cleared: most questions find theirs clear and take no lock.
    class KeyBits {
    public:
        KeyBits() : words_(std::make_unique<std::atomic<std::uint64_t>[]>(kWords)) {}
        // Written once: a bit already set leaves its line shared by the
        // readers. Whether it was set before.
        bool Mark(std::size_t hash) {
            std::atomic<std::uint64_t>& word = words_[(hash >> 6) % kWords];
            const std::uint64_t bit = std::uint64_t{1} << (hash & 63);
            if (word.load(std::memory_order_relaxed) & bit) return true;
            return word.fetch_or(bit, std::memory_order_acq_rel) & bit;
        }
        bool May(std::size_t hash) const {
            return (words_[(hash >> 6) % kWords].load(std::memory_order_acquire) >> (hash & 63)) & 1;
        }

    private:
        static constexpr std::size_t kWords = kBitWords;
        std::unique_ptr<std::atomic<std::uint64_t>[]> words_;
    };
    // The changes by folder key, then by name, spread over stripes by the
    // folder: workers in folders of their own never wait for each other.
    // The maps live in the arena and are never destroyed: nothing in them
    // holds anything but arena memory, which goes with the arena at once
    // (a run that pretended millions of entries does not end walking them).
    struct alignas(64) Stripe {
        mutable BriefMutex m;
        KeyMap<Entries>* dirs = nullptr;
    };
    static constexpr std::size_t kStripes = 64;
    Stripe& StripeOf(std::size_t hash) { return stripes_[hash % kStripes]; }
    const Stripe& StripeOf(std::size_t hash) const { return stripes_[hash % kStripes]; }
    template <class T>
    T* InArena() {
        return new (arena_.allocate(sizeof(T), alignof(T))) T(&arena_);
    }
    // A text kept as long as the disk.
    std::string_view Keep(std::string_view text);

    // An entry made (on a worker, in a map of its own) before a stripe's
    // lock is taken: workers that write one folder (the working folder)
    // hold it only while the entry is linked in.
    KeyMap<Node>::node_type Made(std::string_view name, Node node);

    Arena arena_;  // first: it outlives what lives in it
    std::array<Stripe, kStripes> stripes_;
    KeyBits entries_;  // keys with a change
    KeyBits changed_;  // folder keys with changes
    KeyBits moded_;    // keys in modes_ (kBitSets in all)
    std::atomic<bool> pretends_{false};  // set once, as the bits
    std::atomic<bool> anyModes_{false};
    std::atomic<std::uint64_t> moves_{0};  // renames that moved a folder's changes
    mutable std::atomic<std::size_t> workers_{0};  // workers that took a part
    // Taken before any stripe: the ordered folder keys (a rename finds
    // everything below a folder in them), the modes, a rename whole.
    BriefMutex tree_;
    std::set<std::string> folders_;
    std::unordered_map<std::string, std::uint32_t> modes_;
    const std::uint32_t euid_;
    const std::uint64_t serial_;  // tells this disk's answers kept on a worker from another's
};

// The folder listings of a count, kept for the run that follows it, so that
// the run meets what its count counted and a folder is read once for both.
// First it wraps the count's disk and records each ListKinds answer (and
// each WhyNotListed one after a listing failed) by the folder's text; handed
// the run's disk (Answer), it gives a recorded folder's answer again (one
// the count could not list stays unlisted) and passes everything else to
// that disk. What was counted and has gone since is then met by the run's
// own removal; what came since is not touched. Workers of the count, and
// then of the run, share it.
class ListingRecord final : public RunDisk {
public:
    explicit ListingRecord(RunDisk& counted) : disk_(&counted) {}
    // A count that reads the disk as it is.
    ListingRecord() : disk_(&real_) {}
    // From now on: the run's disk, the record answering what it holds.
    void Answer(RunDisk& run);
    // What the listings recorded take in memory.
    double HeldBytes() const;

    bool IsDry() const override { return disk_->IsDry(); }
    plat::FsResult Look(plat::Beneath& base, const std::string& path, plat::EntryInfo& info) override {
        return disk_->Look(base, path, info);
    }
    bool List(plat::Beneath& base, const std::string& folder, std::vector<plat::DirEntry>& entries,
              std::vector<plat::DirEntry>* unsayable = nullptr) override {
        return disk_->List(base, folder, entries, unsayable);
    }
    bool ListKinds(plat::Beneath& base, const std::string& folder, std::vector<plat::DirEntry>& entries,
                   std::vector<plat::DirEntry>* unsayable = nullptr) override;
    plat::NotListed WhyNotListed(plat::Beneath& base, const std::string& folder) override;
    plat::FsResult MakeFolder(plat::Beneath& base, const std::string& path, plat::FileIdentity* made) override {
        return disk_->MakeFolder(base, path, made);
    }
    plat::FsResult MakeFolderTree(plat::Beneath& base, const std::string& path,
                                  std::vector<plat::MadeFolder>& made) override {
        return disk_->MakeFolderTree(base, path, made);
    }
    plat::FsResult CopyFile(plat::Beneath& from, const std::string& source, plat::Beneath& to,
                            const std::string& target, plat::FileStamp* stamp) override {
        return disk_->CopyFile(from, source, to, target, stamp);
    }
    plat::FsResult CopyFileReplacing(plat::Beneath& from, const std::string& source, plat::Beneath& to,
                                     const std::string& target, plat::FileStamp* stamp) override {
        return disk_->CopyFileReplacing(from, source, to, target, stamp);
    }
    plat::FsResult RemoveFile(plat::Beneath& base, const std::string& path,
                              const plat::FileStamp* expected = nullptr) override {
        return disk_->RemoveFile(base, path, expected);
    }
    plat::FsResult RemoveFolder(plat::Beneath& base, const std::string& path,
                                const plat::FileIdentity* expected = nullptr) override {
        return disk_->RemoveFolder(base, path, expected);
    }
    plat::FsResult Rename(plat::Beneath& base, const std::string& from, const std::string& to) override {
        return disk_->Rename(base, from, to);
    }
    plat::FsResult SetMode(plat::Beneath& base, const std::string& path, std::uint32_t mode,
                           std::uint32_t* oldMode = nullptr) override {
        return disk_->SetMode(base, path, mode, oldMode);
    }

private:
    struct Listing {
        bool listed = false;
        std::vector<plat::DirEntry> entries, unsayable;
        bool asked = false;  // why it could not be listed
        plat::NotListed why = plat::NotListed::Gone;
    };
    RealDisk real_;
    RunDisk* disk_;
    bool answering_ = false;
    mutable std::shared_mutex m_;
    std::unordered_map<std::string, Listing> listings_;
};
