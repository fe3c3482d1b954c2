#include "pages/creation/Creation.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "core/FileNames.h"
#include "core/FolderStructSize.h"
#include "core/PathTools.h"
#include "core/TemplateOptions.h"
#include "core/TemplatePaths.h"
#include "core/Validation.h"
#include "pages/PageKinds.h"
#include "pages/RunFrame.h"
#include "pages/RunItems.h"
#include "pages/WalksOnPool.h"
#include "pages/UndoMemory.h"
#include "pages/creation/FolderCreator.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"

std::array<double, 16> CreationCounters::Values() const {
    return {FoldersToCreate, SubFoldersToCreate, FilesToCreate, FilesSizeToCreate,
            FoldersCreated,  SubFoldersCreated,  FilesCreated,  FilesSizeCreated,
            FoldersExists,   SubFoldersExists,   FilesExists,   FilesSizeExists,
            FoldersOther,    SubFoldersOther,    FilesOther,    FilesSizeOther};
}

#define QM_CREATION_LABELS(n)                                                                             \
    {                                                                                                     \
        "lblStat" n "FoldersToCreate", "lblStat" n "SubFoldersToCreate", "lblStat" n "FilesToCreate",    \
            "lblStat" n "FilesSizeToCreate", "lblStat" n "FoldersCreated", "lblStat" n "SubFoldersCreated", \
            "lblStat" n "FilesCreated", "lblStat" n "FilesSizeCreated", "lblStat" n "FoldersExists",       \
            "lblStat" n "SubFoldersExists", "lblStat" n "FilesExists", "lblStat" n "FilesSizeExists",     \
            "lblStat" n "FoldersOther", "lblStat" n "SubFoldersOther", "lblStat" n "FilesOther",          \
            "lblStat" n "FilesSizeOther"                                                                  \
    }
const CreationCounterNames kStat02CounterLabels = QM_CREATION_LABELS("02");
const CreationCounterNames kStat03CounterLabels = QM_CREATION_LABELS("03");
const CreationCounterNames kStat04CounterLabels = QM_CREATION_LABELS("04");
#undef QM_CREATION_LABELS

std::array<CounterLabel, 16> CreationState::Labels() const {
    const auto values = Counters.Values();
    std::array<CounterLabel, 16> labels;
    for (std::size_t i = 0; i < labels.size(); ++i) labels[i] = {(*CounterNames)[i], values[i]};
    return labels;
}

_tagVol0XParts GetNameParts(const NamePartInputs& in) {
    _tagVol0XParts parts;
    std::string destination = TrimControlAndBlanks(in.DestFolder);
    if (destination.empty() || destination.back() != '\\') destination += '\\';
    const bool prefixHyphen = in.Hyphen && !TrimControlAndBlanks(in.Prefix).empty();
    const bool suffixHyphen = in.Hyphen && !TrimControlAndBlanks(in.Suffix).empty();
    parts.Part[0] = destination + in.Prefix + (prefixHyphen ? "-" : "");
    parts.Part[2] = suffixHyphen ? "-" : "";
    parts.Part[3] = in.Suffix;
    return parts;
}

void ResetCreationCounters(CreationState& state) {
    CreationCounters& c = state.Counters;
    c.FoldersToCreate = c.SubFoldersToCreate = c.FilesToCreate = c.FilesSizeToCreate = 0;
    ResetCreationRunCounters(state);
}

void ResetCreationRunCounters(CreationState& state) {
    const CreationCounters old = state.Counters;
    state.Counters = CreationCounters();
    state.Counters.FoldersToCreate = old.FoldersToCreate;
    state.Counters.SubFoldersToCreate = old.SubFoldersToCreate;
    state.Counters.FilesToCreate = old.FilesToCreate;
    state.Counters.FilesSizeToCreate = old.FilesSizeToCreate;
}

void ClearCreationRunLists(CreationState& state) {
    VEC_UNDO_BASES().swap(state.LastBases);  // given back whole: the run's room counts it
    state.LastCreatedFolders.clear();
    state.LastCreatedSubFolders.clear();
    state.LastCreatedFiles.clear();
    state.LastCreatedParents.clear();
    state.LastExistingFolders.clear();
    state.LastOtherFolders.clear();
    state.FailedUndoFolders.clear();
}

// ---- the run frame ----------------------------------------------------------------------

unsigned CreationWorkers(const CreationInputs& in, const std::string& destination) {
    // Main folders alone go into one folder: the kernel makes them one at a time.
    plat::RunWork work = plat::RunWork::Make;
    if (in.AttachNothing || (!in.FullPaths && !in.RelativePaths))
        work = plat::RunWork::OneFolder;
    else if (in.FullPaths && in.WithFiles())
        work = plat::RunWork::Copy;
    return PageRunWorkers(destination, work);
}

RunMemoryNeed CreationMemoryNeed(CreationState& state, double mainLineBytes, bool simulation,
                                 const std::string& destination, const StringList* items, unsigned workers) {
    using namespace kept;
    const CreationCounters& c = state.Counters;
    const double mains = c.FoldersToCreate, subs = c.SubFoldersToCreate, files = c.FilesToCreate;
    workers = PoolThreads(workers, mains);
    // Each line names its main folder; a line below one goes on by BelowLineBytes.
    const double mainChars = mains * mainLineBytes;
    const double belowLine = mainLineBytes + state.BelowLineBytes;
    // A main folder made with its record, or one there already (or not
    // made) in the page's list instead, with nothing attached; the
    // simulation notes what it pretends to make (a folder with nothing
    // pretended in it has no map of its own).
    Kept main = simulation ? kLine + (subs + files > 0 ? kDryFolder : kDryEntry)
                           : Dearer(kLine + kFolderRecord, kLine + kListPath);
    // An item beneath a folder of its own: its scope, looked up on the pool,
    // and that folder as the base of its records.
    if (items) main = main + kItemScope + (simulation ? Kept{} : kUndoBase);
    const Kept sub = kLine + (simulation ? kDryFolder : kFolderRecord);
    const Kept file = kLine + (simulation ? kDryFile : kFileRecord);
    const double lists = 3 + (subs > 0) + (files > 0);
    // A worker keeps a whole main folder's lines until it is applied.
    const double perItem = mains > 0 ? (subs + files) / mains : 0;
    state.ItemSlotBytes =
        kCreationSlotFixed + Weigh(1 + perItem, mainLineBytes + perItem * belowLine, kCreationSlotEntry);
    RunMemoryNeed need;
    need.entries = mains + subs + files;
    need.lines = mainChars + (subs + files) * belowLine;
    need.bytes = RunBase(workers) + lists * kListUnused + Weigh(mains, mainChars, main) +
                 Weigh(subs, subs * belowLine, sub) + Weigh(files, files * belowLine, file) +
                 SlotsWeight(mains, state.ItemSlotBytes, workers);
    if (simulation)
        need.bytes += DryBase(need.entries > 0 ? need.lines / need.entries : 0, workers);
    else  // every main folder gets the structures' files
        need.kernel = InMemoryWeight(items ? *items : StringList{destination}, need.entries,
                                     state.StructureFiles > 0 ? InMemoryFileBytes(state.StructureFileSizes) *
                                                                    files / state.StructureFiles : 0);
    need.bytes += need.kernel;
    return need;
}

double CreationRunListsBytes(const CreationState& state) {
    return BasesBytes(state.LastBases) + ListBytes(state.LastExistingFolders) + ListBytes(state.LastOtherFolders) +
           state.LastCreatedFolders.HeldBytes() + state.LastCreatedSubFolders.HeldBytes() +
           state.LastCreatedFiles.HeldBytes() + state.LastCreatedParents.HeldBytes();
}

RunFrame CreationFrame(CreationState& state, const CreationInputs& in, bool simulation, std::function<bool()> check,
                       const std::string& noStructureCaption, const RunHooks& hooks, const std::string& topic,
                       double mainLineBytes, const std::string& destination, const StringList* items) {
    RunFrame frame;
    frame.Simulation = simulation;
    frame.Keeps = RunKeeps::Undo;
    frame.Check = [&in, &hooks, check = std::move(check), noStructureCaption] {
        return (!check || check()) && CheckStructuresListed(in.AttachNothing || !in.FolderStructures.empty(),
                                                            noStructureCaption, hooks);
    };
    frame.Start = [&state, simulation] {
        ResetCreationRunCounters(state);
        if (!simulation) ClearCreationRunLists(state);  // from here on the last run gives way to this one
    };
    frame.Counters = CountersOf(state);
    frame.ShowLog = in.ViewDetailedResults;
    frame.Memory = [&state, &in, mainLineBytes, simulation, destination, items] {
        return CreationMemoryNeed(state, mainLineBytes, simulation, destination, items,
                                  CreationWorkers(in, destination));
    };
    frame.MemoryTopic = topic;
    // A real run lets the last run's lists and undo records go.
    if (!simulation) {
        frame.Room = [&state] { return CreationRunListsBytes(state); };
        frame.StartDropsRecords = true;
    }
    return frame;
}

// ---- disk space -------------------------------------------------------------------------

namespace {

// The structures `walked` measured into the totals and the free space at
// each of `folders` read, all at once on the run pool.
bool MeasureOnPool(CreationState& state, const CreationInputs& in, bool withFiles, const StringList& walked,
                   const StringList& folders, std::vector<CreationFreeSpace>& space) {
    state.StructureFolders = 0;
    state.StructureFiles = 0;
    state.StructureBytes = 0;
    state.BelowLineBytes = 0;
    state.StructureFileSizes.clear();
    state.StructureShares.clear();
    const bool countRoot = !in.SubFoldersOnlyMode();
    StringList read = walked;
    read.insert(read.end(), folders.begin(), folders.end());
    space.assign(folders.size(), CreationFreeSpace{});
    // They only read, the window painting meanwhile; a failed read (a
    // folder it cannot read among them) leaves its structure out, and the
    // totals are short: a run does not go on them.
    const std::size_t n = walked.size();
    std::vector<std::optional<FolderStructSize>> sizes(n);
    const bool done = ReadAside(read, [&](std::size_t i) {
        if (i >= n) {
            CreationFreeSpace& at = space[i - n];
            GetDriveFreeBytes(read[i], at.root, at.bytes);
            return;
        }
        FolderStructSize size(walked[i], withFiles);
        size.SetCountRoot(countRoot);
        size.Examine();
        FailOnUnread(size);
        sizes[i] = std::move(size);
    });
    double lineBytes = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const auto& size = sizes[i];
        if (!size) continue;
        CreationState::Share share;
        share.Folders = size->GetFolderCount();
        for (auto& file : size->GetFileMap()) state.StructureFileSizes.insert(file);  // the first size stays
        if (withFiles) {
            share.Bytes = static_cast<double>(size->GetTotalFileSize());
            share.Files = size->GetFileCount();
        }
        // What the walk passes over, the run names among what it did not make.
        for (const FolderStructSize::PassedOver& u : size->GetPassedOver()) {
            if (u.entry.kind == plat::EntryKind::Folder)
                share.Folders += 1;
            else if (withFiles)
                share.Files += 1;
        }
        state.StructureFolders += static_cast<std::uint32_t>(share.Folders);
        state.StructureFiles += static_cast<std::uint32_t>(share.Files);
        state.StructureBytes += static_cast<std::uint64_t>(share.Bytes);
        state.StructureShares[walked[i]] = share;
        lineBytes += StructureLineBytes(walked[i], *size, share.Folders + share.Files, countRoot);
    }
    const double entries = static_cast<double>(state.StructureFolders) + state.StructureFiles;
    state.BelowLineBytes = entries > 0 ? lineBytes / entries : 0;
    return done;
}

}  // namespace

bool MeasureCreationStructures(CreationState& state, const CreationInputs& in, bool withFiles,
                               const std::string& extra) {
    StringList walked = WalkedStructures(in.FolderStructures);
    if (!extra.empty())
        for (std::string& entry : WalkedStructures({extra})) walked.push_back(std::move(entry));
    std::vector<CreationFreeSpace> none;
    return MeasureOnPool(state, in, withFiles, walked, {}, none);
}

bool MeasureCreationSpace(CreationState& state, const CreationInputs& in, bool withFiles, const StringList& folders,
                          std::vector<CreationFreeSpace>& space) {
    return MeasureOnPool(state, in, withFiles, WalkedStructures(in.FolderStructures), folders, space);
}

double CreationState::WayPlan::Size() const {
    const std::size_t numbered = each && eachItems > listedItems.size() ? eachItems - listedItems.size() : 0;
    return static_cast<double>(listed.size()) + static_cast<double>(numbered) * static_cast<double>(eachCount);
}

void CreationState::WayPlan::Of(std::size_t item, StringList& folders) const {
    folders.clear();
    auto it = std::lower_bound(listed.begin(), listed.end(), item,
                               [](const auto& entry, std::size_t i) { return entry.first < i; });
    for (; it != listed.end() && it->first == item; ++it) folders.push_back(it->second);
    if (each && item < eachItems && !std::binary_search(listedItems.begin(), listedItems.end(), item))
        each(item, folders);
}

void CreationState::WayPlan::Clear() { *this = WayPlan(); }

bool NumberedItems::ItemOf(std::string_view numberText, std::size_t& item) const {
    std::int64_t number = 0;
    const char* end = numberText.data() + numberText.size();
    const auto read = std::from_chars(numberText.data(), end, number);
    if (read.ec != std::errc() || read.ptr != end || number < first) return false;
    const auto offset = static_cast<std::uint64_t>(number - first);
    if (offset >= count || text(number) != numberText) return false;  // "07" is not 7 unless padded so
    item = static_cast<std::size_t>(offset);
    return true;
}

bool MakesNoFolder(const std::string& path) {
    const std::string drive = TrimControlAndBlanks(GetDrivePart(path));
    return drive.empty() || HasDotFolderName(path) || path.find(':', drive.size()) != std::string::npos;
}

namespace {

std::string ParentOf(const std::string& path) { return std::string(ParentText(path)); }

}  // namespace

bool PlanMadeOnTheWay(CreationState& state, const std::vector<CreationItem>& items) {
    state.MadeOnTheWay.Clear();
    // Whether each folder above a main folder is there, asked on the pool
    // once each: the main folders' parents, then the folders above those
    // that are missing, and so on up.
    std::unordered_map<std::string, bool> there;  // by FolderLineKey
    StringList ask;
    const auto toAsk = [&](const std::string& folder) {
        if (!folder.empty() && !IsDriveRootPath(folder) && there.emplace(FolderLineKey(folder), true).second)
            ask.push_back(folder);
    };
    // Only beneath a folder the run may work in: another gets nothing made.
    const auto plans = [](const CreationItem& item) {
        return item.makes && !MakesNoFolder(item.path) &&
               IsUsableRunItem(ParentOf(item.path), RunItemUse::Destination);
    };
    // Items mostly share their folder: each new one is judged and looked up once.
    std::string last;
    for (const CreationItem& item : items) {
        if (!item.makes || MakesNoFolder(item.path)) continue;
        std::string parent = ParentOf(item.path);
        if (parent == last) continue;
        if (IsUsableRunItem(parent, RunItemUse::Destination)) toAsk(parent);
        last = std::move(parent);
    }
    while (!ask.empty()) {
        const StringList asked = std::move(ask);
        ask.clear();
        std::vector<char> found(asked.size(), 1);
        if (!ReadOnPool(asked, [&](std::size_t i) { found[i] = plat::FolderExists(asked[i]); })) return false;
        for (std::size_t i = 0; i < asked.size(); ++i) {
            there[FolderLineKey(asked[i])] = found[i];
            if (!found[i]) toAsk(ParentOf(asked[i]));
        }
    }
    if (std::all_of(there.begin(), there.end(), [](const auto& folder) { return folder.second; })) return true;
    const auto missing = [&](const std::string& folder) {
        const auto it = there.find(FolderLineKey(folder));
        return it != there.end() && !it->second;
    };
    std::unordered_set<std::string> made;  // by FolderLineKey: what the items before made
    StringList chain;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const CreationItem& item = items[i];
        if (!plans(item)) continue;
        chain.clear();
        for (std::string folder = ParentOf(item.path); missing(folder); folder = ParentOf(folder))
            chain.push_back(folder);
        for (auto it = chain.rbegin(); it != chain.rend(); ++it)
            if (made.insert(FolderLineKey(*it)).second) state.MadeOnTheWay.listed.emplace_back(i, *it);
        made.insert(FolderLineKey(item.path));
    }
    return true;
}

namespace {

// The items whose top numbered folder (`head` after the number) stands in
// `holder`, asked of each in blocks on the pool, in item order.
bool NumbersWithTopFolder(const NumberedItems& items, const std::string& holder, std::string_view head,
                          std::vector<std::size_t>& found) {
    constexpr std::size_t kBlock = std::size_t{1} << 16;
    const std::size_t blocks = (items.count + kBlock - 1) / kBlock;
    std::vector<std::vector<std::size_t>> each(blocks);
    const StringList where(blocks, holder);
    const bool asked = ReadOnPool(where, [&](std::size_t b) {
        std::string path;
        for (std::size_t i = b * kBlock; i < std::min(items.count, (b + 1) * kBlock); ++i) {
            path.assign(items.before).append(items.text(items.first + static_cast<std::int64_t>(i))).append(head);
            if (plat::PathExists(path)) each[b].push_back(i);
        }
    });
    for (const std::vector<std::size_t>& block : each) found.insert(found.end(), block.begin(), block.end());
    return asked;
}

}  // namespace

bool PlanMadeOnTheWay(CreationState& state, const NumberedItems& items) {
    // A number's folders on the way are the missing folders above its main
    // folder. Those that end in `after` hold its number, the others are
    // every number's. One that holds the number is there only when the top
    // one of them is, in `holder`: that folder's listing finds every number
    // whose folders on the way can differ from the others'.
    std::vector<std::size_t> own;
    const std::size_t slash = items.after.find('\\');
    const std::size_t cut = items.before.rfind('\\');
    if (items.makes && items.count > 0 && slash != std::string::npos && cut != std::string::npos) {
        const std::string holder = ParentOf(items.before + "0");  // holds every number's top folder
        const std::string_view tail = std::string_view(items.before).substr(cut + 1);
        const std::string_view head = std::string_view(items.after).substr(0, slash);
        std::vector<plat::DirEntry> entries;
        bool listed = false, there = false;
        if (!ReadOnPool({holder}, [&](std::size_t) {
                listed = plat::ListFolder(holder, entries);
                there = listed || plat::PathExists(holder);
            }))
            return false;
        // A holder that is there but cannot be listed (one its user may look
        // into but not read, a link): each number is asked for its top
        // folder, as the run meets it. One that is not there holds none.
        if (!listed && there && !NumbersWithTopFolder(items, holder, head, own)) return false;
        std::size_t item = 0;
        for (const plat::DirEntry& e : entries) {
            // Letter case aside (a file system may ignore it): the number is
            // where the lengths of the parts around it put it.
            if (e.name.size() <= tail.size() + head.size()) continue;
            const std::string_view name(e.name);
            if (items.ItemOf(name.substr(tail.size(), name.size() - tail.size() - head.size()), item))
                own.push_back(item);
        }
        std::sort(own.begin(), own.end());
        own.erase(std::unique(own.begin(), own.end()), own.end());
    }
    // Those numbers are planned one by one, and two of the others: the
    // first makes what all share, the second what each of the rest makes,
    // its number put in their place.
    std::vector<std::size_t> picked = own;
    std::size_t second = items.count;
    for (std::size_t i = 0, others = 0; i < items.count && others < 2; ++i) {
        if (std::binary_search(own.begin(), own.end(), i)) continue;
        picked.push_back(i);
        if (++others == 2) second = i;
    }
    std::sort(picked.begin(), picked.end());
    std::vector<CreationItem> some;
    some.reserve(picked.size());
    for (const std::size_t i : picked) some.push_back(items.Item(i));
    if (!PlanMadeOnTheWay(state, some)) return false;
    CreationState::WayPlan& plan = state.MadeOnTheWay;
    for (auto& entry : plan.listed) entry.first = picked[entry.first];
    if (second >= items.count || picked.size() == items.count) return true;
    const std::string numbered = items.before + items.text(items.first + static_cast<std::int64_t>(second));
    StringList after;
    for (const auto& [item, folder] : plan.listed)
        if (item == second && folder.compare(0, numbered.size(), numbered) == 0)
            after.push_back(folder.substr(numbered.size()));
    if (after.empty()) return true;
    plan.eachItems = items.count;
    plan.eachCount = after.size();
    plan.listedItems = std::move(picked);
    plan.each = [before = items.before, first = items.first, text = items.text, after = std::move(after)](
                    std::size_t item, StringList& folders) {
        const std::string numberedFolder = before + text(first + static_cast<std::int64_t>(item));
        for (const std::string& rest : after) folders.push_back(numberedFolder + rest);
    };
    return true;
}

void SetTemplateTotals(CreationState& state, const CreationInputs& in, const std::vector<CreationItem>& items,
                       int templateIndex) {
    std::string term;
    const int mode = GetFolderTemplateMode(templateIndex, term);
    StringList mains;
    for (const CreationItem& item : items) mains.push_back(item.path);
    const auto longest = std::max_element(mains.begin(), mains.end(),
                                          [](const auto& a, const auto& b) { return a.size() < b.size(); });
    state.BelowLineBytes = TemplateLineBytes(in.FolderStructures, longest == mains.end() ? "" : *longest, mode, term);
    CreationCounters& c = state.Counters;
    c.FoldersToCreate = static_cast<double>(items.size()) + state.MadeOnTheWay.Size();
    c.SubFoldersToCreate = TemplateFoldersIn(in.FolderStructures, mains, mode, term);
    state.StructureFolders = static_cast<std::uint32_t>(in.FolderStructures.size());
    state.StructureFiles = 0;
    state.StructureBytes = 0;
}

namespace {

// The text of `length` characters that, put for each `mark`, makes `a` and
// `b` spell one name, when one does. Where the two first differ, one holds
// the text's first character against a letter of the other; each character
// after follows from the other: a letter, or a character found before.
bool SpelledAlike(std::string_view a, std::string_view b, char mark, std::size_t length, std::string& text) {
    const auto expand = [&](std::string_view s) {
        std::vector<int> v;  // a letter, or -1 - k for the text's character k
        for (const char ch : s) {
            if (ch != mark) v.push_back(static_cast<unsigned char>(ch));
            else
                for (std::size_t k = 0; k < length; ++k) v.push_back(-1 - static_cast<int>(k));
        }
        return v;
    };
    const std::vector<int> x = expand(a), y = expand(b);
    if (x.size() != y.size()) return false;
    std::size_t p = 0;
    while (p < x.size() && x[p] == y[p]) ++p;
    if (p == x.size() || (x[p] >= 0) == (y[p] >= 0)) return false;
    const std::vector<int>& other = x[p] >= 0 ? x : y;
    text.assign(length, '\0');
    for (std::size_t i = 0; i < length; ++i) {
        const int v = other[p + i];  // within: the other holds the whole text from p
        const auto k = static_cast<std::size_t>(-1 - v);
        if (v < 0 && k >= i) return false;
        text[i] = v >= 0 ? static_cast<char>(v) : text[k];
    }
    const auto spell = [&](const std::vector<int>& v) {
        std::string out;
        for (const int c : v) out += c >= 0 ? static_cast<char>(c) : text[static_cast<std::size_t>(-1 - c)];
        return out;
    };
    return spell(x) == spell(y);
}

// The items for which the template lines may make other folders than for
// any other number: a line that names the item's main folder is refused
// for it, and where the main folder's name goes into the lines, its number
// may make two of their folders one. Read off the texts, a byte that none
// of them holds standing for the number.
std::vector<std::size_t> ItemsSingledOut(const StringList& lines, const NumberedItems& items, int mode,
                                         const std::string& term) {
    std::vector<std::size_t> odd;
    std::array<bool, 256> used{};
    for (const std::string* text : {&items.before, &items.after, &term})
        for (const char ch : *text) used[static_cast<unsigned char>(ch)] = true;
    for (const std::string& line : lines)
        for (const char ch : line) used[static_cast<unsigned char>(ch)] = true;
    int free = 0x80;
    while (free < 0x100 && used[static_cast<std::size_t>(free)]) ++free;
    if (free == 0x100) return odd;  // lines that hold every such byte: none singled out
    const char mark = static_cast<char>(free);
    const std::string main = items.before + mark + items.after;
    // As CheckDestinationNotSource compares them (a main folder it refuses
    // refuses every line, whatever the number).
    std::string message, normal, named;
    const std::size_t at = ValidateIncludeListText(main, message, normal) ? normal.find(mark) : std::string::npos;
    std::unordered_set<std::string> parts;  // the names of the lines' folders, the mark in them
    std::size_t item = 0;
    for (const std::string& line : lines) {
        if (at != std::string::npos && ValidateIncludeListText(line, message, named) && named.size() >= normal.size() &&
            items.ItemOf(std::string_view(named).substr(at, named.size() + 1 - normal.size()), item))
            odd.push_back(item);
        if (HasDotFolderName(line)) continue;
        const std::string rel = ExpandTemplatePath(line, main, mode, term);
        if (rel.empty() || rel.find(':') != std::string::npos) continue;
        const std::string target = JoinDestinationAndTemplatePath(main, rel);
        std::string below;
        if (HasDotFolderName(target) || !BelowMainFolder(main, target, below)) continue;
        for (std::size_t from = 0;;) {
            const std::size_t slash = below.find('\\', from);
            parts.insert(below.substr(from, slash - from));
            if (slash == std::string::npos) break;
            from = slash + 1;
        }
    }
    // Two folders spelled alike are alike name by name; a name the number's
    // text goes into meets another only for one text of each length.
    const auto marks = [mark](const std::string& part) {
        return static_cast<std::size_t>(std::count(part.begin(), part.end(), mark));
    };
    const std::size_t longest = std::max(items.text(items.first).size(),
                                         items.text(items.first + static_cast<std::int64_t>(items.count) - 1).size());
    std::string text;
    for (std::size_t length = 1; length <= longest; ++length) {
        std::unordered_map<std::size_t, std::vector<const std::string*>> bySize;
        for (const std::string& part : parts) bySize[part.size() + marks(part) * (length - 1)].push_back(&part);
        for (const std::string& part : parts) {
            if (marks(part) == 0) continue;
            for (const std::string* other : bySize[part.size() + marks(part) * (length - 1)])
                if (other != &part && SpelledAlike(part, *other, mark, length, text) && items.ItemOf(text, item))
                    odd.push_back(item);
        }
    }
    std::sort(odd.begin(), odd.end());
    odd.erase(std::unique(odd.begin(), odd.end()), odd.end());
    return odd;
}

}  // namespace

void SetTemplateTotals(CreationState& state, const CreationInputs& in, const NumberedItems& items,
                       int templateIndex) {
    std::string term;
    const int mode = GetFolderTemplateMode(templateIndex, term);
    const StringList& lines = in.FolderStructures;
    double folders = 0;
    if (items.count > 0) {
        // Lines that keep or drop their first folder make the same folders
        // in every main folder, which the list's count takes from its first.
        const bool fixed = mode != TemplateModeReplaceRemainder && mode != TemplateModeReplaceAll &&
                           std::none_of(lines.begin(), lines.end(),
                                        [](const std::string& line) { return line.find(':') != std::string::npos; });
        const std::vector<std::size_t> odd =
            fixed ? std::vector<std::size_t>() : ItemsSingledOut(lines, items, mode, term);
        for (const std::size_t item : odd) folders += TemplateFoldersIn(lines, items.Item(item).path, mode, term);
        std::size_t usual = 0;
        while (std::binary_search(odd.begin(), odd.end(), usual)) ++usual;
        if (usual < items.count)
            folders += static_cast<double>(items.count - odd.size()) *
                       TemplateFoldersIn(lines, StringList{items.Item(usual).path}, mode, term);
    }
    state.BelowLineBytes = items.count > 0 ? TemplateLineBytes(lines, items.Item(items.count - 1).path, mode, term) : 0;
    CreationCounters& c = state.Counters;
    c.FoldersToCreate = static_cast<double>(items.count) + state.MadeOnTheWay.Size();
    c.SubFoldersToCreate = folders;
    state.StructureFolders = static_cast<std::uint32_t>(lines.size());
    state.StructureFiles = 0;
    state.StructureBytes = 0;
}

void SetCreationToCreate(CreationState& state, double mainFolders) {
    CreationCounters& c = state.Counters;
    c.FoldersToCreate = mainFolders + state.MadeOnTheWay.Size();
    c.SubFoldersToCreate = static_cast<double>(state.StructureFolders) * mainFolders;
    c.FilesToCreate = static_cast<double>(state.StructureFiles) * mainFolders;
    c.FilesSizeToCreate = static_cast<double>(state.StructureBytes) * mainFolders;
}

bool WeighCreationDiskSpace(CreationState& state, double mainFolders, std::uint64_t freeBytes,
                            const std::string& root, const std::string& shortageCaption) {
    if (mainFolders <= 0) return false;
    const double required = static_cast<double>(state.StructureBytes) * mainFolders;
    // A run that copies no file needs no room for one.
    if (required <= 0 || static_cast<double>(freeBytes) > required) {
        SetCreationToCreate(state, mainFolders);
        return true;
    }
    plat::MessageBox(DiskShortageText(root, freeBytes, required), shortageCaption,
                     pagekit::kWarn);
    return false;
}

// ---- undo -------------------------------------------------------------------------------------

namespace {

void Plan(FolderFileUndo& undo, UndoPlan plan) {
    switch (plan) {
    case UndoPlan::CollectByLevel: undo.CollectFoldersByLevel(); break;
    case UndoPlan::QueueCreated: undo.QueueCreatedFolders(); break;
    case UndoPlan::PrepareCreateFolders: undo.PrepareCreateFolders(); break;
    case UndoPlan::FromList: undo.PrepareCreateFromList(); break;
    case UndoPlan::FromListDrives: undo.PrepareCreateFromListDrives(); break;
    case UndoPlan::FromListDrivesSecond: undo.PrepareCreateFromListDrivesSecond(); break;
    case UndoPlan::FromListDrivesBoth:
        undo.PrepareCreateFromListDrivesSecond();
        undo.PrepareCreateFromListDrives();
        break;
    }
}


}  // namespace

CreationUndoProfile CreationUndoMessages(const std::string& topic, int first, const std::string& nothingText,
                                         const std::string& reportTopic) {
    CreationUndoProfile p;
    p.Topic = topic;
    p.NothingCaption = MessageCaption(topic, "Warning", first);
    p.NothingText = nothingText;
    p.AskCaption = MessageCaption(topic, "Information", first + 1);
    p.ReportCaption = MessageCaption(reportTopic.empty() ? topic : reportTopic, "Information", first + 2);
    p.EndCaption = MessageCaption(topic, "Information", first + 3);
    return p;
}

namespace {

// The lists an undo works through, taken out of the state: what the last
// Undo left, or what the last run made (its plan by what it attached).
void TakeUndoLists(CreationState& state, const CreationUndoProfile& profile, UndoTaking& taking, UndoLists& all,
                   UndoPlan& plan, std::string& mainFolder) {
    plan = profile.Nothing;
    if (!state.FailedUndoFolders.empty()) {  // a retry of what the last Undo left
        taking.Take(state.FailedUndoFolders, all.created);
        taking.Take(state.FailedUndoFiles, all.files);
        plan = profile.Retry;
    } else if (state.UndoMode == "F") {
        taking.TakeJoined(state.LastCreatedSubFolders, state.LastCreatedParents, all.second);
        all.secondSet = true;
        taking.Take(state.LastCreatedFolders, all.created);
        taking.Take(state.LastCreatedFiles, all.files);
        plan = profile.ExistingStructures;
    } else if (state.UndoMode == "R") {
        mainFolder = state.LastDestination;
        taking.Take(state.LastCreatedFolders, all.created);
        taking.Take(state.LastCreatedSubFolders, all.second);
        taking.Take(state.LastCreatedParents, all.byRun);
        all.secondSet = all.byRunSet = true;
        plan = profile.Templates;
    } else if (state.UndoMode == "N") {
        if (profile.Nothing == UndoPlan::CollectByLevel) {
            all.second = state.LastCreatedParents;
            all.secondSet = true;
        }
        taking.Take(state.LastCreatedParents, all.byRun);
        all.byRunSet = true;
        taking.Take(state.LastCreatedFolders, all.created);
    }
}

// What stayed is kept for the next Undo, with the run's bases (by moves
// alone: nothing here fails), then listed.
void KeepWhatStayed(CreationState& state, RunLog& log, UndoPartsResult& parts, UndoTaking& taking) {
    VEC_UNDO_BASES bases = std::move(state.LastBases);
    ClearCreationRunLists(state);
    ResetCreationRunCounters(state);
    if (!parts.failedFolders.empty() || !parts.failedFiles.empty()) state.LastBases = std::move(bases);
    state.FailedUndoFiles = std::move(parts.failedFiles);
    state.FailedUndoFolders = std::move(parts.failedFolders);
    taking.Kept();
    log.ClearLogLists();
    for (const auto folder : state.FailedUndoFolders) {
        state.Counters.FoldersFailedUndo += 1.0;
        log.CountersChanged(state);
        log.AddLine(CreationFoldersFailedUndo, std::string(folder.Path));
    }
}

}  // namespace

void UndoCreationRun(CreationState& state, RunLog& log, const CreationUndoProfile& profile) {
    // A close waits until the undo, end box included, is over; a failure ends it with its box.
    RunGuarded([&] {
        if (state.FailedUndoFolders.empty() && state.LastCreatedFolders.empty()) {
            plat::MessageBox(profile.NothingText, profile.NothingCaption, pagekit::kWarn);
            return;
        }
        if (plat::MessageBox("Do you want to delete all folders (and files)\ncreated last time ?", profile.AskCaption,
                             pagekit::kAsk) != plat::IDYES)
            return;
        // Every folder the run made goes, the parents it made on the way too;
        // the plans remove only empty folders, never one that was there before,
        // and only the very objects the run made.
        UndoPlan plan;
        std::string mainFolder;
        UndoLists all;
        UndoTaking taking;  // until what stays is kept, a failure gives every record back
        TakeUndoLists(state, profile, taking, all, plan, mainFolder);
        // The groups read their ranges of `all` until the undo is done.
        const std::vector<UndoGroup> groups = SplitUndo(state.LastBases, all);
        const VEC_UNDO_BASES& runBases = state.LastBases;
        const std::string workFolder = runBases.empty() ? state.LastDestination : runBases.front().Path;
        const unsigned workers = PageRunWorkers(workFolder, plat::RunWork::Remove);
        // Refused, every record goes back for a later try.
        if (!CheckUndoFitsMemory(UndoPartsMemoryNeed(groups, all, runBases, workers), 0, profile.Topic))
            return;
        UndoPartsResult parts = UndoInParts(groups, all, runBases, workers,
                                            [&](FolderFileUndo& undo, UndoLists& lists) {
                                                if (!mainFolder.empty()) undo.SetMainFolder(mainFolder);
                                                undo.SetCreatedFolders(std::move(lists.created));
                                                if (lists.secondSet) undo.SetCreatedSubFolders(std::move(lists.second));
                                                if (lists.byRunSet) undo.SetFoldersCreatedByRun(std::move(lists.byRun));
                                                undo.SetCreatedFiles(std::move(lists.files));
                                                Plan(undo, plan);
                                            });
        KeepWhatStayed(state, log, parts, taking);
        all = UndoLists();
        const std::string report = FolderFileUndo::ReportOf(parts.failureLines);
        log.ShowCounters(state.Labels());
        if (!report.empty()) plat::MessageBox(report, profile.ReportCaption, pagekit::kWarn);
        if (!ShowRunFailures(RunKeeps::Undo))
            plat::MessageBox("End of Undo process !!!", profile.EndCaption, pagekit::kInfo);
    }, RunKeeps::Undo);
}
