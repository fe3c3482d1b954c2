#include "core/FolderFileUndo.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>
#include <vector>

#include "core/PathTools.h"

namespace {

constexpr const char* kReportHeader =
    "The program is unable to delete the following folders, and/or separate files : \n";
constexpr const char* kOtherReasons = "\nOTHER REASONS   : \n\n";
constexpr const char* kNotEmpty = "  (not empty)";

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string_view WithoutOneTrailingBackslash(std::string_view text) {
    if (!text.empty() && text.back() == '\\') text.remove_suffix(1);
    return text;
}

// A line a user gave (a main folder) without codes up to 32 at either end.
std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32) text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) text.remove_suffix(1);
    return text;
}

// A path a run recorded, without codes up to 32 before it; its end is its
// last name's own ("a b. " is not "a b."), so the undo meets what was made.
std::string_view RecordText(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32) text.remove_prefix(1);
    return text;
}

// The form in which two spellings of one folder compare equal: "/" and runs
// of separators as one "\", no trailing separator; each name byte for byte
// ("proj." is not "proj"). Built into a reused buffer from a trimmed text.
void MakeKey(std::string_view text, std::string& key) {
    key.clear();
    if (!text.empty() && IsSeparator(text.front())) key += '\\';
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t j = i;
        while (j < text.size() && !IsSeparator(text[j])) ++j;
        const std::string_view name = text.substr(i, j - i);
        if (!name.empty()) {
            if (!key.empty() && key.back() != '\\') key += '\\';
            key += name;
        }
        i = j + 1;
    }
}

// The key with its drive letter (the only part the platform reads in
// either case) lowered.
void MakeExactKey(std::string_view text, std::string& key) {
    MakeKey(text, key);
    if (key.size() >= 2 && key[1] == ':' && key[0] >= 'A' && key[0] <= 'Z') key[0] = static_cast<char>(key[0] + 32);
}

std::string KeyOf(const std::string& text) {
    std::string key;
    MakeExactKey(Trimmed(text), key);
    return key;
}

// Nothing, a bare "\", or a drive ("c:").
bool IsRootKey(const std::string& key) {
    return key.empty() || key == "\\" || (key.size() == 2 && key[1] == ':');
}

// The length of the parent's text: up to the last separator, trailing
// separators dropped; 0 when there is no separator (no parent).
std::size_t ParentLength(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && IsSeparator(text[end - 1])) --end;
    while (end > 0 && !IsSeparator(text[end - 1])) --end;
    while (end > 0 && IsSeparator(text[end - 1])) --end;
    return end;
}

// The keys and hashes of a list's folders, worked out some entries ahead of
// their turn while their slots are fetched: Take is asked of each entry in
// order.
class KeysAhead {
public:
    KeysAhead(const DEQ_CREATED_FOLDERS& folders, const FolderMarks& marks) : folders_(folders), marks_(marks) {
        for (std::size_t i = 0; i < kAhead; ++i) Prepare(i);
    }
    // Entry `index`'s key, valid until the next call, and its hash.
    std::pair<const std::string&, std::uint32_t> Take(std::size_t index) {
        key_.swap(keys_[index % kAhead]);
        const std::uint32_t hash = hashes_[index % kAhead];
        Prepare(index + kAhead);
        return {key_, hash};
    }

private:
    static constexpr std::size_t kAhead = 8;
    void Prepare(std::size_t index) {
        if (index >= folders_.size()) return;
        std::string& key = keys_[index % kAhead];
        MakeExactKey(RecordText(folders_.PathAt(index)), key);
        hashes_[index % kAhead] = FolderMarks::HashOf(key);
        marks_.Prefetch(hashes_[index % kAhead]);
    }
    const DEQ_CREATED_FOLDERS& folders_;
    const FolderMarks& marks_;
    std::string key_;
    std::array<std::string, kAhead> keys_;
    std::array<std::uint32_t, kAhead> hashes_{};
};

}  // namespace

FolderFileUndo::FolderFileUndo()
    : marks_([this](FolderMarks::Record record) { return RecordText(Record(record).Path); }, MakeExactKey) {}

// ---- what the run recorded -----------------------------------------------------

void FolderFileUndo::SetBases(VEC_UNDO_BASES bases) { bases_.Reset(std::move(bases)); }

void FolderFileUndo::SetCreatedFolders(DEQ_CREATED_FOLDERS folders) {
    ForgetQueue();
    createdFolders_ = std::move(folders);
}

void FolderFileUndo::SetCreatedSubFolders(DEQ_CREATED_FOLDERS folders) {
    ForgetQueue();
    secondFolders_ = std::move(folders);
}

void FolderFileUndo::SetFoldersCreatedByRun(DEQ_CREATED_FOLDERS folders) {
    ForgetQueue();
    foldersCreatedByRun_ = std::move(folders);
}

// The queue and the marks look into the lists: a list set anew drops them.
void FolderFileUndo::ForgetQueue() {
    std::vector<RecordRef>().swap(queue_);
    std::vector<QueuedText>().swap(queuedTexts_);
    marks_.Clear();
    createdMarksReady_ = false;
    recentSeen_.fill(std::string_view());
}

// ---- the lists behind the marks ------------------------------------------------------

const DEQ_CREATED_FOLDERS& FolderFileUndo::ListOf(RecordRef ref) const {
    switch (ref >> kListShift) {
    case kCreatedList: return createdFolders_;
    case kSecondList: return secondFolders_;
    case kByRunList: return foldersCreatedByRun_;
    default: return extraFolders_;
    }
}

runrecord::FolderRef FolderFileUndo::Record(RecordRef ref) const { return ListOf(ref)[IndexOf(ref)]; }

// Marks every folder of the record and of the two lists as created.
void FolderFileUndo::MarkCreatedFolders() {
    if (createdMarksReady_) return;
    marks_.ClearBits(kCreated);
    marks_.Reserve(marks_.Size() + foldersCreatedByRun_.size() + createdFolders_.size() + secondFolders_.size());
    for (const std::uint32_t list : {kByRunList, kCreatedList, kSecondList}) {
        const DEQ_CREATED_FOLDERS& folders = ListOf(Ref(list, 0));
        KeysAhead ahead(folders, marks_);
        for (std::size_t i = 0; i < folders.size(); ++i) {
            const std::string_view text = RecordText(folders.PathAt(i));
            const auto [key, hash] = ahead.Take(i);
            std::size_t slot = marks_.Find(key, hash, text);
            if (!marks_.Marked(slot)) slot = marks_.Add(slot, hash, Ref(list, i));
            marks_.Bits(slot) |= kCreated;
            marks_.SetRecord(slot, Ref(list, i));
        }
    }
    createdMarksReady_ = true;
}

// ---- removal plans ---------------------------------------------------------------

void FolderFileUndo::Queue(RecordRef record, std::string_view text) {
    text = RecordText(text);
    const std::string key = KeyOf(std::string(text));
    if (IsRootKey(key)) return;
    PushQueued(record, text, record);
}

void FolderFileUndo::ReserveQueue(std::size_t more) {
    queue_.reserve(queue_.size() + more);
}

// `text` lies in the path of `owner`.
void FolderFileUndo::PushQueued(RecordRef owner, std::string_view text, RecordRef record) {
    const std::string_view path = ListOf(owner).PathAt(IndexOf(owner));
    if (owner == record && text.data() == path.data() && text.size() == path.size()) {
        queue_.push_back(record);
    } else {
        queuedTexts_.push_back({owner, static_cast<std::uint32_t>(text.data() - path.data()),
                                static_cast<std::uint32_t>(text.size()), record});
        queue_.push_back(Ref(kTextList, queuedTexts_.size() - 1));
    }
}

std::string_view FolderFileUndo::QueuedTextOf(RecordRef entry) const {
    if (entry >> kListShift != kTextList) return ListOf(entry).PathAt(IndexOf(entry));
    const QueuedText& t = queuedTexts_[IndexOf(entry)];
    return ListOf(t.owner).PathAt(IndexOf(t.owner)).substr(t.offset, t.length);
}

FolderFileUndo::RecordRef FolderFileUndo::QueuedRecordOf(RecordRef entry) const {
    return entry >> kListShift != kTextList ? entry : queuedTexts_[IndexOf(entry)].record;
}

void FolderFileUndo::QueueList(std::uint32_t list) {
    const DEQ_CREATED_FOLDERS& folders = ListOf(Ref(list, 0));
    ReserveQueue(folders.size());
    for (std::size_t i = 0; i < folders.size(); ++i) {
        const std::string_view text = RecordText(folders.PathAt(i));
        // The main folders lose one trailing backslash.
        Queue(Ref(list, i), list == kCreatedList ? WithoutOneTrailingBackslash(text) : text);
    }
}

void FolderFileUndo::AddRoot(const std::string& folder) {
    const std::string key = KeyOf(folder);
    if (key.empty()) return;
    roots_.insert(key);
    rootLengths_.insert(key.size());
}

void FolderFileUndo::AddDriveRootsOfCreatedFolders() {
    std::string drive, rest, last;
    for (const auto folder : createdFolders_) {
        SplitAtColon(TrimBlanks(std::string(folder.Path)), drive, rest);
        if (drive != last) AddRoot(drive);  // runs of one drive are the rule
        last = drive;
    }
}

void FolderFileUndo::CollectFoldersByLevel() {
    QueueCreatedFolders();
    QueueSecondFolderList();
}

void FolderFileUndo::QueueCreatedFolders() { QueueList(kCreatedList); }

void FolderFileUndo::QueueSecondFolderList() { QueueList(kSecondList); }

void FolderFileUndo::PrepareCreateFolders() {
    AddRoot(std::string(WithoutOneTrailingBackslash(mainFolder_)));
    QueueListWithAncestors(kCreatedList);
    QueueListWithAncestors(kSecondList);
}

void FolderFileUndo::PrepareCreateFromList() {
    AddDriveRootsOfCreatedFolders();
    QueueListWithAncestors(kCreatedList);
    QueueSecondFolderList();
}

void FolderFileUndo::PrepareCreateFromListDrives() {
    AddDriveRootsOfCreatedFolders();
    QueueListWithAncestors(kCreatedList);
}

void FolderFileUndo::PrepareCreateFromListDrivesSecond() {
    AddDriveRootsOfCreatedFolders();
    QueueListWithAncestors(kSecondList);
}

void FolderFileUndo::PrepareCopyFolders() {
    for (const auto folder : createdFolders_) AddRoot(std::string(WithoutOneTrailingBackslash(folder.Path)));
    QueueListWithAncestors(kSecondList);
}

// A listed folder is queued; its parents only while the run created them.
// A folder met again ends the climb: its parents were handled the first time.
void FolderFileUndo::QueueWithAncestors(const DEQ_CREATED_FOLDERS& folders) {
    if (&folders == &createdFolders_) return QueueListWithAncestors(kCreatedList);
    if (&folders == &secondFolders_) return QueueListWithAncestors(kSecondList);
    if (&folders == &foldersCreatedByRun_) return QueueListWithAncestors(kByRunList);
    recentSeen_.fill(std::string_view());  // they may look into the list replaced here
    extraFolders_.clear();
    extraFolders_.insert(extraFolders_.end(), folders.begin(), folders.end());
    QueueListWithAncestors(kExtraList);
}

bool FolderFileUndo::RecentlySeen(std::string_view text) const {
    for (const std::string_view seen : recentSeen_)
        if (seen.size() == text.size() && seen == text) return true;
    return false;
}

void FolderFileUndo::NoteSeen(std::string_view text) {
    recentSeen_[recentNext_] = text;
    recentNext_ = (recentNext_ + 1) % recentSeen_.size();
}

// A climb's folders are queued from the top down, so that in the lists'
// creation order every folder comes before those below it.
void FolderFileUndo::QueueListWithAncestors(std::uint32_t list) {
    const DEQ_CREATED_FOLDERS& folders = ListOf(Ref(list, 0));
    ReserveQueue(folders.size());
    marks_.Reserve(marks_.Size() + folders.size());
    std::string parentKey;
    KeysAhead ahead(folders, marks_);
    for (std::size_t index = 0; index < folders.size(); ++index) {
        const RecordRef own = Ref(list, index);
        const std::string_view text = RecordText(folders.PathAt(index));
        const auto [listedKey, listedHash] = ahead.Take(index);
        climb_.clear();
        std::size_t length = text.size();
        for (bool listed = true; length > 0; listed = false) {
            const std::string_view here = text.substr(0, length);
            // A parent queued a moment ago (the lists hold siblings together).
            if (!listed && RecentlySeen(here)) break;
            if (!listed) MakeExactKey(here, parentKey);
            const std::string& key = listed ? listedKey : parentKey;
            if (IsRootKey(key)) break;
            if (rootLengths_.count(key.size()) != 0 && roots_.count(key) != 0) break;
            const std::uint32_t hash = listed ? listedHash : FolderMarks::HashOf(key);
            std::size_t slot = marks_.Find(key, hash, here);
            if (marks_.Marked(slot) && (marks_.Bits(slot) & kSeen)) {
                if (!listed) NoteSeen(here);
                break;
            }
            // A parent is climbed into only when the run created it; the
            // marks of what it created are made when first asked.
            if (!listed && !createdMarksReady_) {
                MarkCreatedFolders();
                slot = marks_.Find(key, hash, here);
            }
            const bool marked = marks_.Marked(slot);
            if (!listed && !(marked && (marks_.Bits(slot) & kCreated))) break;
            if (!marked) slot = marks_.Add(slot, hash, own);
            marks_.Bits(slot) |= kSeen;
            NoteSeen(here);
            climb_.push_back({here, listed ? own : marks_.RecordOf(slot)});
            length = ParentLength(here);
        }
        for (auto it = climb_.rbegin(); it != climb_.rend(); ++it) PushQueued(own, it->text, it->record);
    }
}

// ---- steps -------------------------------------------------------------------------

void FolderFileUndo::DeleteCreatedFiles() {
    for (const runrecord::FileRef file : createdFiles_) {
        currentFile_.assign(RecordText(file.Path));
        // A file the run could not read back is never touched.
        const AsLeft r =
            file.HasStamp ? RemoveFileAsLeft(opener_->Get(file.Base), currentFile_, &file.Stamp) : AsLeft::Changed;
        if (r == AsLeft::Removed) continue;
        // Changed since the run, or something else stands in its place; a
        // file behind a link, gone, or beneath a gone base is kept for a
        // retry instead.
        if (r == AsLeft::Changed) {
            filesChanged_.push_back(currentFile_);
            continue;
        }
        runrecord::FileRef failed = file;
        failed.Path = currentFile_;
        filesNotDeleted_.push_back(failed);
    }
}

// Folders go in reverse queueing order: the lists keep creation order and
// climbs queue from the top down, so a folder normally comes after all that
// lies below it. One not empty yet is tried again in a second pass by level,
// deepest first, equal levels in reverse queueing order; what stays is
// reported in that order too, so the outcome is the program's level by
// level removal, with each folder's subtree taken while it is at hand.
void FolderFileUndo::RemoveCreatedFolders() {
    // The marks are done with.
    marks_.Clear();
    createdMarksReady_ = false;
    recentSeen_.fill(std::string_view());

    // Levels are counted only for the few that wait or stay.
    std::string folder, key;
    const auto levelOf = [&](std::uint32_t i) {
        MakeKey(QueuedTextOf(queue_[i]), key);
        return static_cast<std::size_t>(std::count(key.begin(), key.end(), '\\'));
    };
    struct Left {
        std::size_t level;
        std::uint32_t index;
        plat::FsResult why;
    };
    const auto deeperFirst = [](const Left& a, const Left& b) {
        return a.level != b.level ? a.level > b.level : a.index > b.index;
    };
    const auto removeQueued = [&](std::uint32_t i) {
        folder.assign(QueuedTextOf(queue_[i]));
        const runrecord::FolderRef record = Record(QueuedRecordOf(queue_[i]));
        plat::Beneath* base = opener_->Get(record.Base);
        const plat::FsResult r = base ? base->RemoveFolder(folder, &record.Id) : plat::FsResult::Blocked;
        if (r == plat::FsResult::NotFound) foldersGone_.push_back(folder);
        return r;
    };
    const auto failed = [](plat::FsResult r) { return r != plat::FsResult::Ok && r != plat::FsResult::NotFound; };
    std::vector<Left> waiting, stayed;
    // The paths lie far apart in memory: each is fetched some folders ahead.
    constexpr std::size_t kAhead = 16;
    for (std::size_t i = queue_.size(); i-- > 0;) {
        if (i >= kAhead) __builtin_prefetch(QueuedTextOf(queue_[i - kAhead]).data());
        const auto index = static_cast<std::uint32_t>(i);
        const plat::FsResult r = removeQueued(index);
        if (r == plat::FsResult::NotEmpty)
            waiting.push_back({levelOf(index), index, r});
        else if (failed(r))
            stayed.push_back({levelOf(index), index, r});
    }
    std::sort(waiting.begin(), waiting.end(), deeperFirst);
    for (Left& w : waiting) {
        w.why = removeQueued(w.index);
        if (failed(w.why)) stayed.push_back(w);
    }
    std::sort(stayed.begin(), stayed.end(), deeperFirst);
    for (const Left& left : stayed) {
        const RecordRef ref = QueuedRecordOf(queue_[left.index]);
        runrecord::FolderRef record = Record(ref);
        folder.assign(QueuedTextOf(queue_[left.index]));
        record.Path = folder;
        foldersNotRemoved_.push_back(record);
        notRemovedPlaces_.push_back({left.level, IndexOf(ref),
                                     left.why == plat::FsResult::NotEmpty ? kNotEmpty
                                     : left.why == plat::FsResult::Changed || left.why == plat::FsResult::Blocked
                                         ? kChangedSinceRun
                                         : ""});
    }
    ForgetQueue();
}

void FolderFileUndo::BuildReport() {
    failureLines_.clear();
    for (std::size_t i = 0; i < foldersNotRemoved_.size(); ++i)
        failureLines_.append(foldersNotRemoved_.PathAt(i)).append(notRemovedPlaces_[i].reason).append("\n");
    for (const auto file : filesNotDeleted_) failureLines_.append(file.Path).append("\n");
    for (const auto& file : filesChanged_) failureLines_ += file + kChangedSinceRun + "\n";
    report_ = ReportOf(failureLines_);
}

// Every failure gives a line, so a heading always has lines below it.
std::string FolderFileUndo::ReportOf(const std::string& failureLines) {
    if (failureLines.empty()) return std::string();
    return kReportHeader + (kOtherReasons + failureLines);
}

StringList FolderFileUndo::GetFailedFolders() const {
    StringList folders;
    for (const auto folder : foldersNotRemoved_) folders.emplace_back(folder.Path);
    return folders;
}

StringList FolderFileUndo::GetFailedFiles() const {
    StringList files;
    for (const auto file : filesNotDeleted_) files.emplace_back(file.Path);
    return files;
}
