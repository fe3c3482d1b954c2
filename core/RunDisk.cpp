#include "core/RunDisk.h"

#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <memory>
#include <mutex>
#include <unordered_set>

using plat::FsResult;

namespace {

// The drive-form path of `rel` below the base.
std::string PathBelow(const plat::Beneath& base, const std::string& rel) {
    const std::string& folder = base.Folder();
    if (rel.empty()) return folder;
    std::string path;
    path.reserve(folder.size() + 1 + rel.size());
    path = folder;
    if (path.empty() || path.back() != '\\') path += '\\';
    const std::size_t from = path.size();
    path += rel;
    std::replace(path.begin() + static_cast<std::ptrdiff_t>(from), path.end(), '/', '\\');
    return path;
}

// A key's folder ("T:\a" for "T:\a\b"; a drive root keeps its backslash)
// and its last name. False for a key without a folder.
bool SplitKey(std::string_view key, std::string_view& parent, std::string_view& name) {
    const void* at = key.empty() ? nullptr : memrchr(key.data(), '\\', key.size());
    if (!at) return false;
    const std::size_t slash = static_cast<std::size_t>(static_cast<const char*>(at) - key.data());
    if (slash + 1 == key.size()) return false;
    parent = slash == 2 && key[1] == ':' ? key.substr(0, 3) : key.substr(0, slash);
    name = key.substr(slash + 1);
    return true;
}

std::string_view ParentOf(std::string_view key) {
    std::string_view parent, name;
    return SplitKey(key, parent, name) ? parent : std::string_view();
}

std::string ParentKey(const std::string& key) { return std::string(ParentOf(key)); }

std::string_view NameOf(std::string_view key) {
    std::string_view parent, name;
    return SplitKey(key, parent, name) ? name : key;
}

bool IsBelow(std::string_view key, std::string_view folder) {
    return key.size() > folder.size() && key.compare(0, folder.size(), folder) == 0 &&
           (folder.back() == '\\' || key[folder.size()] == '\\');
}

plat::EntryInfo MadeInfo(plat::EntryKind kind, std::uint32_t uid, std::uint64_t size = 0) {
    plat::EntryInfo info;
    info.kind = kind;
    info.size = size;
    info.mode = kind == plat::EntryKind::Folder ? 0755 : 0644;
    info.uid = uid;
    return info;
}

std::atomic<std::uint64_t> g_dryDisks{0};

// The real disk's answers a worker met lately in one dry disk's run, by
// question, base and path: each in the slot its hash names, until a newer
// one takes it. No allocation once the slots hold their texts.
struct RealAnswer {
    std::size_t hash = 0;
    char ask = 0;  // 0: no answer here
    plat::FileIdentity base;
    std::string path;
    FsResult result = FsResult::Failed;
    plat::EntryInfo info;
};
static_assert(sizeof(RealAnswer) == DryDisk::kRealAnswerBytes);
struct RealAnswers {
    std::uint64_t disk = 0;
    std::array<RealAnswer, DryDisk::kRealAnswers> slots;
};
thread_local std::unique_ptr<RealAnswers> t_answers;

// A worker's last few answers of one kind in one dry disk's run, the oldest
// giving way to a newer one.
template <class T>
struct Recent {
    std::uint64_t disk = 0;
    std::array<T, 4> kept;
    std::size_t next = 0;

    // Another disk's answers are forgotten.
    void For(std::uint64_t serial) {
        if (disk != serial) *this = {serial, {}, 0};
    }
    template <class Holds>
    const T* Find(Holds&& holds) const {
        for (const T& t : kept)
            if (holds(t)) return &t;
        return nullptr;
    }
    T& Next() {
        T& t = kept[next];
        next = (next + 1) % kept.size();
        return t;
    }
};

}  // namespace

// ---- the real disk ----------------------------------------------------------------------

FsResult RealDisk::Look(plat::Beneath& base, const std::string& path, plat::EntryInfo& info) {
    return base.Look(path, info);
}

bool RealDisk::List(plat::Beneath& base, const std::string& folder, std::vector<plat::DirEntry>& entries,
                    std::vector<plat::DirEntry>* unsayable) {
    return base.List(folder, entries, unsayable);
}

FsResult RealDisk::MakeFolder(plat::Beneath& base, const std::string& path, plat::FileIdentity* made) {
    return base.MakeFolder(path, made);
}

FsResult RealDisk::MakeFolderTree(plat::Beneath& base, const std::string& path, std::vector<plat::MadeFolder>& made) {
    return base.MakeFolderTree(path, &made);
}

FsResult RealDisk::CopyFile(plat::Beneath& from, const std::string& source, plat::Beneath& to,
                            const std::string& target, plat::FileStamp* stamp) {
    return to.CopyFileFrom(from, source, target, stamp);
}

FsResult RealDisk::CopyFileReplacing(plat::Beneath& from, const std::string& source, plat::Beneath& to,
                                     const std::string& target, plat::FileStamp* stamp) {
    return to.CopyFileReplacing(from, source, target, stamp);
}

FsResult RealDisk::RemoveFile(plat::Beneath& base, const std::string& path, const plat::FileStamp* expected) {
    return base.RemoveFile(path, expected);
}

FsResult RealDisk::RemoveFolder(plat::Beneath& base, const std::string& path, const plat::FileIdentity* expected) {
    return base.RemoveFolder(path, expected);
}

FsResult RealDisk::Rename(plat::Beneath& base, const std::string& from, const std::string& to) {
    return base.Rename(from, to);
}

FsResult RealDisk::SetMode(plat::Beneath& base, const std::string& path, std::uint32_t mode, std::uint32_t* oldMode) {
    return base.SetMode(path, mode, oldMode);
}

// ---- the dry disk: what it pretended -------------------------------------------------------

DryDisk::DryDisk() : euid_(static_cast<std::uint32_t>(geteuid())), serial_(++g_dryDisks) {
    for (Stripe& stripe : stripes_) stripe.dirs = InArena<KeyMap<Entries>>();
}

std::string_view DryDisk::Keep(std::string_view text) {
    char* at = static_cast<char*>(arena_.allocate(std::max<std::size_t>(text.size(), 1), 1));
    std::copy(text.begin(), text.end(), at);
    return {at, text.size()};
}

DryDisk::Arena::Arena() : serial_(++g_dryDisks) {}

void* DryDisk::Arena::do_allocate(std::size_t bytes, std::size_t align) {
    constexpr std::size_t kBlock = kArenaBlock;
    struct Block {
        std::uint64_t arena = 0;
        std::uintptr_t at = 0, end = 0;
    };
    thread_local Block mine;
    const auto aligned = [align](std::uintptr_t at) { return (at + align - 1) & ~(std::uintptr_t{align} - 1); };
    if (mine.arena == serial_ && aligned(mine.at) + bytes <= mine.end) {
        const std::uintptr_t at = aligned(mine.at);
        mine.at = at + bytes;
        return reinterpret_cast<void*>(at);
    }
    // A large piece (a big folder's buckets) gets a block of its own; the
    // worker's block stays.
    const bool large = bytes > kBlock / 4;
    const std::size_t size = large ? bytes + align : kBlock;
    std::unique_ptr<std::byte[]> block(new std::byte[size]);
    const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(block.get());
    {
        const std::lock_guard lock(m_);
        blocks_.push_back(std::move(block));
    }
    if (large) return reinterpret_cast<void*>(aligned(start));
    mine = {serial_, aligned(start) + bytes, start + size};
    return reinterpret_cast<void*>(aligned(start));
}

FsResult DryDisk::Real(Ask ask, plat::Beneath& base, const std::string& path, plat::EntryInfo& info) const {
    const auto askDisk = [&] {
        switch (ask) {
        case Ask::Look: return base.Look(path, info);
        case Ask::Read: return base.CanRead(path, &info.size);
        case Ask::Write: return base.CanWriteIn(path);
        }
        return FsResult::Failed;
    };
    if (!base.UsableHere()) return askDisk();
    if (!t_answers) t_answers = std::make_unique<RealAnswers>();
    RealAnswers& mine = *t_answers;
    if (mine.disk != serial_) {
        for (RealAnswer& slot : mine.slots) slot.ask = 0;
        mine.disk = serial_;
    }
    const plat::FileIdentity id = base.Identity();
    const std::size_t pathHash = std::hash<std::string_view>()(path);
    const auto question = [](Ask a) { return static_cast<char>(static_cast<int>(a) + 1); };  // 0: no answer
    const auto slotOf = [&](Ask a, std::size_t& hash) -> RealAnswer& {
        hash = pathHash ^ (id.ino * 0x9E3779B97F4A7C15ull) ^ (id.dev << 7) ^ std::size_t(question(a));
        return mine.slots[hash % mine.slots.size()];
    };
    const auto holds = [&](const RealAnswer& s, Ask a, std::size_t hash) {
        return s.hash == hash && s.ask == question(a) && s.base == id && s.path == path;
    };
    std::size_t hash = 0;
    RealAnswer& slot = slotOf(ask, hash);
    if (holds(slot, ask, hash)) {
        if (slot.result == FsResult::Ok || ask == Ask::Look) info = slot.info;
        return slot.result;
    }
    std::size_t lookHash = 0;
    const RealAnswer& look = slotOf(Ask::Look, lookHash);
    if (ask == Ask::Read && holds(look, Ask::Look, lookHash)) {
        // A look at it was answered: whether it opens is all there is to ask.
        const plat::EntryInfo seen = look.info;
        const FsResult seenResult = look.result;
        if (seenResult != FsResult::Ok)
            slot.result = seenResult;
        else if (seen.kind != plat::EntryKind::File)
            slot.result = FsResult::Failed;
        else if ((slot.result = base.CanOpenForReading(path)) == FsResult::Ok)
            info.size = seen.size;
    } else {
        slot.result = askDisk();
    }
    slot.hash = hash;
    slot.ask = question(ask);
    slot.base = id;
    slot.path = path;
    slot.info = info;
    return slot.result;
}

bool DryDisk::RealListing(plat::Beneath& base, const std::string& folder, std::vector<plat::DirEntry>& entries,
                          std::vector<plat::DirEntry>* unsayable, bool kindsOnly) const {
    const auto list = [&](std::vector<plat::DirEntry>& into, std::vector<plat::DirEntry>* skipped) {
        return kindsOnly ? base.ListKinds(folder, into, skipped) : base.List(folder, into, skipped);
    };
    if (!base.UsableHere()) return list(entries, unsayable);
    // A run walks its sources again for every destination: a worker keeps
    // the last few listings (of folders not too large to copy).
    struct Listed {
        plat::FileIdentity base;
        std::string folder;
        bool kindsOnly = false, ok = false;
        std::vector<plat::DirEntry> entries;
        std::vector<plat::DirEntry> unsayable;
    };
    thread_local Recent<Listed> recent;
    recent.For(serial_);
    const plat::FileIdentity id = base.Identity();
    if (const Listed* l = recent.Find([&](const Listed& l) {
            return l.base == id && l.kindsOnly == kindsOnly && !l.folder.empty() && l.folder == folder;
        })) {
        entries = l->entries;
        if (unsayable) *unsayable = l->unsayable;
        return l->ok;
    }
    std::vector<plat::DirEntry> skipped;
    const bool ok = list(entries, &skipped);
    constexpr std::size_t kMostKept = 1024;
    if (entries.size() <= kMostKept) recent.Next() = {id, folder, kindsOnly, ok, entries, skipped};
    if (unsayable) *unsayable = std::move(skipped);
    return ok;
}

bool DryDisk::KeyOf(const plat::Beneath& base, const std::string& path, std::string& key) const {
    // A run names one file several times in a row (its copy, its working
    // copy, its replacement): a worker keeps the last few keys it made.
    struct Made {
        const plat::Beneath* base = nullptr;
        plat::FileIdentity id;
        std::string folder, path, key;
    };
    thread_local Recent<Made> recent;
    recent.For(serial_);
    if (const Made* m = recent.Find([&](const Made& m) {
            return m.base == &base && m.id == base.Identity() && m.path == path && m.folder == base.Folder();
        })) {
        key = m->key;
        return true;
    }
    std::string rel;
    if (!base.Relative(path, rel)) return false;
    key = PathBelow(base, rel);
    Made& m = recent.Next();  // its texts keep their room
    m.base = &base;
    m.id = base.Identity();
    m.folder = base.Folder();
    m.path = path;
    m.key = key;
    return true;
}

bool DryDisk::Find(std::string_view key, Node& node) const {
    if (!entries_.May(KeyHash()(key))) return false;
    std::string_view parent, name;
    if (!SplitKey(key, parent, name)) return false;
    const std::size_t hash = KeyHash()(parent);
    const Stripe& stripe = StripeOf(hash);
    const std::lock_guard lock(stripe.m);
    const auto folder = stripe.dirs->find(parent);
    return folder != stripe.dirs->end() && FindIn(folder->second, name, node);
}

bool DryDisk::Marks(std::string_view key, std::size_t parentHash) {
    const bool known = entries_.Mark(KeyHash()(key));
    changed_.Mark(parentHash);
    if (!Pretends()) pretends_.store(true, std::memory_order_release);
    return known;
}

void DryDisk::Put(const std::string& key, Node node) {
    std::string_view parent, name;
    if (!SplitKey(key, parent, name)) return;
    const std::size_t hash = KeyHash()(parent);
    const bool known = Marks(key, hash);
    auto entry = Made(name, std::move(node));
    // The parts alone are held while the entry goes in: a folder's parts
    // never go, and a worker keeps those of the spread folder it wrote last
    // for as long as no folder moves.
    const auto intoPart = [&](Parts& parts) { LinkInParts(parts, std::move(entry), known); };
    struct Spread {
        std::uint64_t disk = 0, moves = 0;
        std::string folder;
        Parts* parts = nullptr;
    };
    thread_local Spread spread;
    const std::uint64_t moves = moves_.load(std::memory_order_acquire);
    if (spread.disk == serial_ && spread.moves == moves && spread.folder == parent) return intoPart(*spread.parts);
    Stripe& stripe = StripeOf(hash);
    {
        std::unique_lock lock(stripe.m);
        if (const auto folder = stripe.dirs->find(parent); folder != stripe.dirs->end()) {
            if (Parts* parts = folder->second.parts) {
                lock.unlock();
                spread.disk = serial_;
                spread.moves = moves;
                spread.folder.assign(parent);
                spread.parts = parts;
                return intoPart(*parts);
            }
            Link(folder->second, std::move(entry), known);
            return;
        }
    }
    // A folder with no change yet: its key joins the ordered ones too.
    const std::lock_guard tree(tree_);
    const std::lock_guard lock(stripe.m);
    LinkHeld(parent, hash, std::move(entry), known);
}

void DryDisk::PutHeld(const std::string& key, Node node) {
    std::string_view parent, name;
    if (!SplitKey(key, parent, name)) return;
    const std::size_t hash = KeyHash()(parent);
    LinkHeld(parent, hash, Made(name, std::move(node)), Marks(key, hash));
}

void DryDisk::LinkHeld(std::string_view parent, std::size_t hash, KeyMap<Node>::node_type entry, bool known) {
    auto& dirs = *StripeOf(hash).dirs;
    auto folder = dirs.find(parent);
    if (folder == dirs.end()) {
        folder = dirs.emplace(std::piecewise_construct, std::forward_as_tuple(parent), std::forward_as_tuple()).first;
        folders_.emplace(parent);
    }
    Link(folder->second, std::move(entry), known);
}

DryDisk::KeyMap<DryDisk::Node>::node_type DryDisk::Made(std::string_view name, Node node) {
    struct Mine {
        std::uint64_t disk = 0;
        KeyMap<Node>* making = nullptr;
    };
    thread_local Mine mine;
    if (mine.disk != serial_) mine = {serial_, InArena<KeyMap<Node>>()};
    KeyMap<Node>& making = *mine.making;
    return making.extract(
        making.emplace(std::piecewise_construct, std::forward_as_tuple(name), std::forward_as_tuple(node)).first);
}

std::size_t DryDisk::MyPart() const {
    struct Mine {
        std::uint64_t disk = 0;
        std::size_t part = 0;
    };
    thread_local Mine mine;
    if (mine.disk != serial_) mine = {serial_, workers_.fetch_add(1, std::memory_order_relaxed) % kParts};
    return mine.part;
}

void DryDisk::Link(Entries& folder, KeyMap<Node>::node_type entry, bool known) {
    if (folder.parts) return LinkInParts(*folder.parts, std::move(entry), known);
    auto linked = folder.few.insert(std::move(entry));
    if (!linked.inserted) linked.position->second = std::move(linked.node.mapped());
    if (folder.few.size() < kFew) return;
    // Many: spread over parts, which workers fill side by side from now on.
    Parts* parts = new (arena_.allocate(sizeof(Parts), alignof(Parts))) Parts();
    for (auto& part : parts->part) part.changes = InArena<KeyMap<Node>>();
    for (std::size_t next = 0; !folder.few.empty(); next = (next + 1) % kParts)
        parts->part[next].changes->insert(folder.few.extract(folder.few.begin()));
    folder.parts = parts;
}

void DryDisk::LinkInParts(Parts& parts, KeyMap<Node>::node_type entry, bool known) const {
    if (known) {
        // It may stand in any part: it changes where it stands.
        for (auto& part : parts.part) {
            const std::lock_guard lock(part.m);
            if (const auto there = part.changes->find(entry.key()); there != part.changes->end()) {
                there->second = std::move(entry.mapped());
                return;
            }
        }
    }
    Parts::Part& mine = parts.part[MyPart()];
    const std::lock_guard lock(mine.m);
    mine.changes->insert(std::move(entry));
}

bool DryDisk::FindIn(const Entries& folder, std::string_view name, Node& node) {
    const auto copy = [&](const KeyMap<Node>& changes) {
        const auto entry = changes.find(name);
        if (entry == changes.end()) return false;
        node = entry->second;
        return true;
    };
    if (!folder.parts) return copy(folder.few);
    for (const auto& part : folder.parts->part) {
        const std::lock_guard lock(part.m);
        if (copy(*part.changes)) return true;
    }
    return false;
}

DryDisk::Kind DryDisk::Locate(const plat::Beneath& base, const std::string& key, plat::EntryInfo* info,
                              std::string& real) const {
    real.clear();
    if (!base.IsOpen()) return Kind::Failed;
    if (!Pretends()) return Kind::Real;
    Node node;
    if (Find(key, node)) {
        switch (node.state) {
        case Node::Removed: return Kind::None;
        case Node::Renamed: real = node.source; return Kind::Real;
        default:
            if (info) *info = node.info;
            return Kind::Entry;
        }
    }
    // Below a pretended folder there is nothing yet; below a pretended file
    // or a removed folder nothing either; below a renamed one, what stands
    // below its real source.
    const std::string& top = base.Folder();
    const std::string_view whole(key);
    for (std::string_view up = ParentOf(whole); up.size() > top.size() && IsBelow(up, top); up = ParentOf(up)) {
        if (!Find(up, node)) continue;
        switch (node.state) {
        case Node::Folder:
        case Node::Removed: return Kind::None;
        case Node::File: return Kind::Blocked;
        case Node::Renamed: real.assign(node.source).append(key, up.size()); return Kind::Real;
        }
    }
    return Kind::Real;
}

DryDisk::Kind DryDisk::Look(plat::Beneath& base, const std::string& key, plat::EntryInfo* info, std::string* real,
                            bool kindOnly) {
    std::string renamed;
    const Kind kind = Locate(base, key, info, renamed);
    const std::string& path = renamed.empty() ? key : renamed;
    if (real) *real = kind == Kind::Real ? path : std::string();
    if (kind != Kind::Real) return kind;
    if (kindOnly && path == base.Folder()) {
        // The held base is a folder wherever it is of use.
        if (!base.UsableHere()) return Kind::Failed;
        if (info) info->kind = plat::EntryKind::Folder;
        return Kind::Entry;
    }
    plat::EntryInfo found;
    switch (Real(Ask::Look, base, path, found)) {
    case FsResult::Ok:
        if (info) *info = found;
        return Kind::Entry;
    case FsResult::NotFound: return Kind::None;
    case FsResult::Blocked: return Kind::Blocked;
    default: return Kind::Failed;
    }
}

FsResult DryDisk::CanWriteIn(plat::Beneath& base, const std::string& folderKey) {
    if (const FsResult pretended = ModeSays(folderKey); pretended != FsResult::NotFound) return pretended;
    std::string real;
    plat::EntryInfo info;
    switch (Look(base, folderKey, &info, &real, true)) {
    case Kind::None: return FsResult::NotFound;
    case Kind::Blocked: return FsResult::Blocked;
    case Kind::Entry: break;
    default: return FsResult::Failed;
    }
    if (info.kind != plat::EntryKind::Folder) return FsResult::Blocked;
    return Writable(base, folderKey, real);
}

FsResult DryDisk::Writable(plat::Beneath& base, const std::string& folderKey, const std::string& real) {
    if (const FsResult pretended = ModeSays(folderKey); pretended != FsResult::NotFound) return pretended;
    plat::EntryInfo unused;
    return real.empty() ? FsResult::Ok : Real(Ask::Write, base, real, unused);
}

FsResult DryDisk::ModeSays(const std::string& folderKey) {
    if (!anyModes_.load(std::memory_order_acquire) || !moded_.May(KeyHash()(folderKey))) return FsResult::NotFound;
    const std::lock_guard lock(tree_);
    const auto it = modes_.find(folderKey);
    if (it == modes_.end()) return FsResult::NotFound;
    return euid_ == 0 || (it->second & 0300) == 0300 ? FsResult::Ok : FsResult::Failed;
}

FsResult DryDisk::CanMakeIn(plat::Beneath& base, const std::string& parentKey, std::string_view name) {
    const FsResult writable = CanWriteIn(base, parentKey);
    if (writable != FsResult::Ok) return writable;
    return name.size() > base.NameMax() ? FsResult::Failed : FsResult::Ok;
}

bool DryDisk::Refused(plat::Beneath& base, const std::string& key, bool entry) const {
    if (!base.StoreFenced()) return false;
    std::string real;
    return Locate(base, key, nullptr, real) == Kind::Real && base.StoreRefuses(real.empty() ? key : real, entry);
}

// ---- the dry disk: the questions -----------------------------------------------------------

FsResult DryDisk::Look(plat::Beneath& base, const std::string& path, plat::EntryInfo& info) {
    std::string key;
    if (!KeyOf(base, path, key)) return FsResult::Failed;
    switch (Look(base, key, &info, nullptr)) {
    case Kind::Entry: return FsResult::Ok;
    case Kind::None: return FsResult::NotFound;
    case Kind::Blocked: return FsResult::Blocked;
    default: return FsResult::Failed;
    }
}

bool DryDisk::List(plat::Beneath& base, const std::string& folder, std::vector<plat::DirEntry>& entries,
                   std::vector<plat::DirEntry>* unsayable) {
    return Listing(base, folder, entries, unsayable, false);
}

bool DryDisk::ListKinds(plat::Beneath& base, const std::string& folder, std::vector<plat::DirEntry>& entries,
                        std::vector<plat::DirEntry>* unsayable) {
    return Listing(base, folder, entries, unsayable, true);
}

bool DryDisk::Listing(plat::Beneath& base, const std::string& folder, std::vector<plat::DirEntry>& entries,
                      std::vector<plat::DirEntry>* unsayable, bool kindsOnly) {
    entries.clear();
    if (unsayable) unsayable->clear();
    std::string key, real;
    plat::EntryInfo info;
    if (!KeyOf(base, folder, key)) return false;
    switch (Locate(base, key, &info, real)) {
    case Kind::Entry:
        if (info.kind != plat::EntryKind::Folder) return false;
        break;
    case Kind::Real:  // a listing fails where no folder stands
        if (!RealListing(base, real.empty() ? key : real, entries, unsayable, kindsOnly)) return false;
        break;
    default: return false;
    }
    std::vector<std::pair<std::string, Node>> changed;
    const std::size_t hash = KeyHash()(key);
    if (!changed_.May(hash)) return true;
    {
        Stripe& stripe = StripeOf(hash);
        const std::lock_guard lock(stripe.m);
        const auto it = stripe.dirs->find(key);
        if (it == stripe.dirs->end()) return true;
        ForEach(it->second,
                [&](std::string_view name, const Node& node) { changed.emplace_back(std::string(name), node); });
    }
    // One pass over the listing, however many entries changed.
    std::unordered_set<std::string> gone;
    for (const auto& [name, node] : changed) gone.insert(name);
    std::erase_if(entries, [&](const plat::DirEntry& e) { return gone.count(e.name) != 0; });
    bool added = false;
    for (const auto& [name, node] : changed) {
        if (node.state == Node::Removed) continue;
        plat::DirEntry e;
        e.name = name;
        e.kind = node.info.kind;
        e.size = node.info.size;
        e.mtimeNs = node.info.mtimeNs;
        e.dev = node.info.id.dev;
        e.ino = node.info.id.ino;
        e.mode = node.info.mode;
        entries.push_back(std::move(e));
        added = true;
    }
    if (added) plat::SortListing(entries);
    return true;
}

// ---- the dry disk: making ---------------------------------------------------------------

FsResult DryDisk::MakeFolder(plat::Beneath& base, const std::string& path, plat::FileIdentity*) {
    std::string key;
    if (!KeyOf(base, path, key) || key == base.Folder() || Refused(base, key)) return FsResult::Failed;
    plat::EntryInfo info;
    switch (Look(base, key, &info, nullptr, true)) {
    case Kind::Entry: return info.kind == plat::EntryKind::Folder ? FsResult::AlreadyExists : FsResult::Failed;
    case Kind::Blocked: return FsResult::Blocked;
    case Kind::None: break;
    default: return FsResult::Failed;
    }
    const FsResult r = CanMakeIn(base, ParentKey(key), NameOf(key));
    if (r == FsResult::Ok) Put(key, {Node::Folder, {}, MadeInfo(plat::EntryKind::Folder, euid_)});
    return r;
}

FsResult DryDisk::MakeFolderTree(plat::Beneath& base, const std::string& path, std::vector<plat::MadeFolder>& made) {
    std::string rel;
    if (!base.Relative(path, rel)) return FsResult::Failed;
    if (rel.empty()) return base.IsOpen() ? FsResult::AlreadyExists : FsResult::Failed;
    const std::size_t levels = static_cast<std::size_t>(std::count(rel.begin(), rel.end(), '/')) + 1;
    std::size_t at = 0;
    bool madeAny = false;
    plat::EntryInfo info;
    for (std::size_t level = 0; level < levels; ++level) {
        const std::size_t slash = rel.find('/', at);
        const bool last = slash == std::string::npos;
        const std::string key = PathBelow(base, rel.substr(0, slash));
        at = slash + 1;
        switch (Look(base, key, &info, nullptr, true)) {
        case Kind::Entry:
            if (info.kind != plat::EntryKind::Folder) return last ? FsResult::Failed : FsResult::Blocked;
            if (last) return madeAny ? FsResult::Ok : FsResult::AlreadyExists;
            continue;
        case Kind::Blocked: return FsResult::Blocked;
        case Kind::None: break;
        default: return FsResult::Failed;
        }
        if (Refused(base, key)) return FsResult::Failed;
        const FsResult r = CanMakeIn(base, ParentKey(key), NameOf(key));
        if (r != FsResult::Ok) return r;
        Put(key, {Node::Folder, {}, MadeInfo(plat::EntryKind::Folder, euid_)});
        made.push_back({plat::LeadingPath(path, levels, level), plat::FileIdentity{}});
        madeAny = true;
    }
    return FsResult::Ok;
}

FsResult DryDisk::CopyInto(plat::Beneath& from, const std::string& source, plat::Beneath& to,
                           const std::string& target, bool replace) {
    // The source as the run finds it: pretended files are readable; a real
    // one that opens for reading says all a look would.
    std::string sourceKey, sourceReal;
    plat::EntryInfo sourceInfo;
    if (!KeyOf(from, source, sourceKey)) return FsResult::Failed;
    std::uint64_t size = 0;
    switch (Locate(from, sourceKey, &sourceInfo, sourceReal)) {
    case Kind::None: return FsResult::NotFound;
    case Kind::Blocked: return FsResult::Blocked;
    case Kind::Entry:
        if (sourceInfo.kind != plat::EntryKind::File) return FsResult::Failed;
        size = sourceInfo.size;
        break;
    case Kind::Real:
        if (const FsResult readable = Real(Ask::Read, from, sourceReal.empty() ? sourceKey : sourceReal, sourceInfo);
            readable != FsResult::Ok)
            return readable;
        size = sourceInfo.size;
        break;
    default: return FsResult::Failed;
    }
    std::string key;
    if (!KeyOf(to, target, key) || key == to.Folder() || Refused(to, key)) return FsResult::Failed;
    // In the order the real copy meets them: the folder, a look (a large
    // file, or one to replace), the temporary file (needs write access),
    // the final link or rename.
    const std::string parentKey = ParentKey(key);
    std::string parentReal;
    plat::EntryInfo info;
    switch (Look(to, parentKey, &info, &parentReal, true)) {
    case Kind::None: return FsResult::NotFound;
    case Kind::Blocked: return FsResult::Blocked;
    case Kind::Entry:
        if (info.kind != plat::EntryKind::Folder) return FsResult::Blocked;
        break;
    default: return FsResult::Failed;
    }
    const Kind kind = Look(to, key, &info, nullptr);
    const bool exists = kind == Kind::Entry;
    if (replace) {
        if (exists && info.kind != plat::EntryKind::File) return FsResult::Failed;
    } else if (exists && size > plat::kLookBeforeCopyBytes) {
        return FsResult::AlreadyExists;
    }
    if (Writable(to, parentKey, parentReal) != FsResult::Ok) return FsResult::Failed;
    if (exists && !replace) return FsResult::AlreadyExists;
    if ((kind != Kind::None && !exists) || NameOf(key).size() > to.NameMax()) return FsResult::Failed;
    Put(key, {Node::File, {}, MadeInfo(plat::EntryKind::File, euid_, size)});
    return FsResult::Ok;
}

FsResult DryDisk::CopyFile(plat::Beneath& from, const std::string& source, plat::Beneath& to,
                           const std::string& target, plat::FileStamp*) {
    return CopyInto(from, source, to, target, false);
}

FsResult DryDisk::CopyFileReplacing(plat::Beneath& from, const std::string& source, plat::Beneath& to,
                                    const std::string& target, plat::FileStamp*) {
    return CopyInto(from, source, to, target, true);
}

// ---- the dry disk: changing and removing --------------------------------------------------

FsResult DryDisk::RemoveFile(plat::Beneath& base, const std::string& path, const plat::FileStamp* expected) {
    std::string key, real;
    plat::EntryInfo info;
    if (!KeyOf(base, path, key) || key == base.Folder() || Refused(base, key)) return FsResult::Failed;
    switch (Look(base, key, &info, &real)) {
    case Kind::None: return FsResult::NotFound;
    case Kind::Blocked: return FsResult::Blocked;
    case Kind::Entry: break;
    default: return FsResult::Failed;
    }
    if (expected) {
        if (real.empty() || !plat::IsUnchanged(info, *expected)) return FsResult::Changed;
    } else if (info.kind == plat::EntryKind::Folder) {
        return FsResult::Failed;
    }
    if (CanWriteIn(base, ParentKey(key)) != FsResult::Ok) return FsResult::Failed;
    Put(key, {Node::Removed, {}, {}});
    return FsResult::Ok;
}

FsResult DryDisk::RemoveFolder(plat::Beneath& base, const std::string& path, const plat::FileIdentity* expected) {
    std::string key, real;
    plat::EntryInfo info;
    if (!KeyOf(base, path, key) || key == base.Folder() || Refused(base, key)) return FsResult::Failed;
    switch (Look(base, key, &info, &real)) {
    case Kind::None: return FsResult::NotFound;
    case Kind::Blocked: return FsResult::Blocked;
    case Kind::Entry: break;
    default: return FsResult::Failed;
    }
    if (info.kind != plat::EntryKind::Folder || (expected && (real.empty() || info.id != *expected)))
        return FsResult::Changed;
    // The kernel asks for write access before it looks inside.
    if (CanWriteIn(base, ParentKey(key)) != FsResult::Ok) return FsResult::Failed;
    std::vector<plat::DirEntry> entries;
    std::vector<plat::DirEntry> unsayable;
    if (List(base, path, entries, &unsayable) && (!entries.empty() || !unsayable.empty()))
        return FsResult::NotEmpty;
    Put(key, {Node::Removed, {}, {}});
    return FsResult::Ok;
}

FsResult DryDisk::Rename(plat::Beneath& base, const std::string& from, const std::string& to) {
    std::string fromKey, toKey, fromReal;
    plat::EntryInfo info, other;
    if (!KeyOf(base, from, fromKey) || !KeyOf(base, to, toKey) || fromKey == base.Folder() ||
        toKey == base.Folder() || Refused(base, fromKey, true) || Refused(base, toKey))
        return FsResult::Failed;
    switch (Look(base, fromKey, &info, &fromReal)) {
    case Kind::None: return FsResult::NotFound;
    case Kind::Blocked: return FsResult::Blocked;
    case Kind::Entry: break;
    default: return FsResult::Failed;
    }
    switch (Look(base, ParentKey(toKey), &other, nullptr, true)) {
    case Kind::None: return FsResult::NotFound;
    case Kind::Blocked: return FsResult::Blocked;
    case Kind::Entry:
        if (other.kind != plat::EntryKind::Folder) return FsResult::Blocked;
        break;
    default: return FsResult::Failed;
    }
    switch (Look(base, toKey, &other, nullptr)) {
    case Kind::Entry: return FsResult::AlreadyExists;
    case Kind::None: break;
    default: return FsResult::Failed;
    }
    if (fromKey == toKey || IsBelow(toKey, fromKey)) return FsResult::Failed;  // into itself
    if (CanWriteIn(base, ParentKey(fromKey)) != FsResult::Ok || CanWriteIn(base, ParentKey(toKey)) != FsResult::Ok ||
        NameOf(toKey).size() > base.NameMax())
        return FsResult::Failed;
    Node moved;
    if (!Find(fromKey, moved) || moved.state == Node::Removed) moved = {Node::Renamed, Keep(fromReal), info};
    // else: pretended entries move as they are
    if (info.kind != plat::EntryKind::Folder && !anyModes_.load(std::memory_order_acquire)) {
        // Nothing lies below a file, and no mode moves with it: the two
        // entries alone change (a run renaming many files takes no lock
        // that every rename takes).
        Put(fromKey, {Node::Removed, {}, {}});
        Put(toKey, moved);
        return FsResult::Ok;
    }
    const std::lock_guard tree(tree_);
    // Every pretended change below `from` moves below `to`: the folders
    // that hold them, with the stripes they leave and join.
    std::vector<std::pair<std::string, std::string>> below;  // a folder's key now, and moved
    for (auto it = folders_.lower_bound(fromKey); it != folders_.end() && (*it == fromKey || IsBelow(*it, fromKey));
         ++it)
        below.emplace_back(*it, toKey + it->substr(fromKey.size()));
    std::vector<std::size_t> stripes{KeyHash()(ParentKey(fromKey)) % kStripes, KeyHash()(ParentKey(toKey)) % kStripes};
    for (const auto& [key, movedKey] : below) {
        stripes.push_back(KeyHash()(key) % kStripes);
        stripes.push_back(KeyHash()(movedKey) % kStripes);
    }
    std::sort(stripes.begin(), stripes.end());
    stripes.erase(std::unique(stripes.begin(), stripes.end()), stripes.end());
    std::vector<std::unique_lock<BriefMutex>> locks;
    for (const std::size_t s : stripes) locks.emplace_back(stripes_[s].m);
    for (const auto& [key, movedKey] : below) {
        auto& from = *StripeOf(KeyHash()(key)).dirs;
        auto node = from.extract(from.find(key));
        folders_.erase(key);
        const std::size_t hash = KeyHash()(movedKey);
        changed_.Mark(hash);
        ForEach(node.mapped(), [&](std::string_view name, const Node&) {
            entries_.Mark(KeyHash()(movedKey + '\\' + std::string(name)));
        });
        node.key().assign(movedKey);
        StripeOf(hash).dirs->insert(std::move(node));
        folders_.insert(movedKey);
    }
    if (!below.empty()) moves_.fetch_add(1, std::memory_order_release);  // folders kept by a worker may have moved
    std::vector<std::pair<std::string, std::uint32_t>> modes;
    for (auto it = modes_.begin(); it != modes_.end();) {
        if (it->first == fromKey || IsBelow(it->first, fromKey)) {
            modes.emplace_back(toKey + it->first.substr(fromKey.size()), it->second);
            it = modes_.erase(it);
        } else {
            ++it;
        }
    }
    for (auto& [key, mode] : modes) {
        moded_.Mark(KeyHash()(key));
        modes_[key] = mode;
    }
    PutHeld(fromKey, {Node::Removed, {}, {}});
    PutHeld(toKey, std::move(moved));
    return FsResult::Ok;
}

FsResult DryDisk::SetMode(plat::Beneath& base, const std::string& path, std::uint32_t mode, std::uint32_t* oldMode) {
    std::string key;
    plat::EntryInfo info;
    if (!KeyOf(base, path, key) || Refused(base, key, true)) return FsResult::Failed;
    switch (Look(base, key, &info, nullptr)) {
    case Kind::None: return FsResult::NotFound;
    case Kind::Blocked: return FsResult::Blocked;
    case Kind::Entry: break;
    default: return FsResult::Failed;
    }
    if (info.kind != plat::EntryKind::File && info.kind != plat::EntryKind::Folder) return FsResult::Failed;
    // Only the owner (or root) may change the bits.
    if (euid_ != 0 && info.uid != euid_) return FsResult::Failed;
    const std::lock_guard lock(tree_);
    moded_.Mark(KeyHash()(key));
    if (!anyModes_.load(std::memory_order_relaxed)) anyModes_.store(true, std::memory_order_release);
    const auto known = modes_.find(key);
    if (oldMode) *oldMode = known != modes_.end() ? known->second : info.mode;
    modes_[key] = mode & 07777;
    return FsResult::Ok;
}

// ---- the listings of a count, for its run -----------------------------------------------------

void ListingRecord::Answer(RunDisk& run) {
    const std::unique_lock lock(m_);
    disk_ = &run;
    answering_ = true;
}

double ListingRecord::HeldBytes() const {
    // A string keeps a name of its own size or less beside it, a longer one on the heap.
    const auto heap = [](const std::string& text) {
        return text.capacity() >= sizeof(std::string) ? static_cast<double>(text.capacity() + 1) : 0.0;
    };
    const std::shared_lock lock(m_);
    double bytes = static_cast<double>(listings_.bucket_count() * sizeof(void*));
    for (const auto& [folder, listing] : listings_) {
        const std::size_t node = sizeof(void*) + sizeof(std::size_t) + sizeof(folder) + sizeof(Listing);
        bytes += static_cast<double>(node) + heap(folder);
        for (const std::vector<plat::DirEntry>* list : {&listing.entries, &listing.unsayable}) {
            bytes += static_cast<double>(list->capacity() * sizeof(plat::DirEntry));
            for (const plat::DirEntry& e : *list) bytes += heap(e.name);
        }
    }
    return bytes;
}

bool ListingRecord::ListKinds(plat::Beneath& base, const std::string& folder, std::vector<plat::DirEntry>& entries,
                              std::vector<plat::DirEntry>* unsayable) {
    {
        const std::shared_lock lock(m_);
        if (answering_) {
            const auto found = listings_.find(folder);
            if (found == listings_.end()) return disk_->ListKinds(base, folder, entries, unsayable);
            entries = found->second.entries;
            if (unsayable) *unsayable = found->second.unsayable;
            return found->second.listed;
        }
    }
    // Recorded whole, whatever the caller asks for: the run may ask for more.
    Listing listing;
    listing.listed = disk_->ListKinds(base, folder, listing.entries, &listing.unsayable);
    entries = listing.entries;
    if (unsayable) *unsayable = listing.unsayable;
    const bool listed = listing.listed;
    const std::unique_lock lock(m_);
    listings_.insert_or_assign(folder, std::move(listing));
    return listed;
}

plat::NotListed ListingRecord::WhyNotListed(plat::Beneath& base, const std::string& folder) {
    {
        const std::shared_lock lock(m_);
        if (answering_) {
            const auto found = listings_.find(folder);
            if (found == listings_.end() || !found->second.asked) return disk_->WhyNotListed(base, folder);
            return found->second.why;
        }
    }
    const plat::NotListed why = disk_->WhyNotListed(base, folder);
    const std::unique_lock lock(m_);
    Listing& listing = listings_[folder];
    listing.asked = true;
    listing.why = why;
    return why;
}
