#include "core/FolderFileUndo.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "core/PathTools.h"

namespace {

constexpr const char* kReportHeader =
    "The program is unable to delete the following folders, and/or separate files : \n";
constexpr const char* kOtherReasons = "\nOTHER REASONS   : \n\n";
constexpr const char* kNotEmpty = "  (not empty)";
constexpr const char* kChangedSinceRun = "  (changed since the run)";

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string_view WithoutOneTrailingBackslash(std::string_view text) {
    if (!text.empty() && text.back() == '\\') text.remove_suffix(1);
    return text;
}

// The text without codes up to 32 at either end.
std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32) text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) text.remove_suffix(1);
    return text;
}

// The form in which two spellings of one folder compare equal: "/" and runs
// of separators as one "\", no trailing separator, the trailing blanks and
// dots of each name dropped (as the file system drops them). Built into a
// reused buffer from a trimmed text, lowered where letter case must not count.
void MakeKey(std::string_view text, std::string& key) {
    key.clear();
    if (!text.empty() && IsSeparator(text.front())) key += '\\';
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t j = i;
        while (j < text.size() && !IsSeparator(text[j])) ++j;
        std::string_view name = text.substr(i, j - i);
        if (!name.empty()) {
            std::size_t end = name.size();
            while (end > 0 && (name[end - 1] == ' ' || name[end - 1] == '.')) --end;
            if (end > 0) name = name.substr(0, end);  // "." and ".." stay as they are
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
    MakeKey(ToLowerCase(TrimBlanks(text)), key);
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

}  // namespace

// ---- what the run recorded -----------------------------------------------------

void FolderFileUndo::SetBases(VEC_UNDO_BASES bases) {
    bases_ = std::move(bases);
    opened_.clear();
    opened_.resize(bases_.size());
    openState_.assign(bases_.size(), 0);
}

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
    levelQueue_.clear();
    marks_.clear();
    markCount_ = 0;
    createdMarksReady_ = false;
}

// ---- the marks: one per folder key, without key strings ----------------------------

FolderFileUndo::MarkSlot* FolderFileUndo::FindMark(std::string_view key, std::uint64_t hash) {
    if (marks_.empty()) return nullptr;
    for (std::size_t i = hash & (marks_.size() - 1);; i = (i + 1) & (marks_.size() - 1)) {
        MarkSlot& slot = marks_[i];
        if (!slot.record) return nullptr;
        if (slot.hash != hash) continue;
        MakeExactKey(Trimmed(slot.record->Path), slotKey_);
        if (slotKey_ == key) return &slot;
    }
}

FolderFileUndo::MarkSlot& FolderFileUndo::AddMark(std::uint64_t hash, const _tagCreatedFolder* record) {
    if ((markCount_ + 1) * 2 > marks_.size()) {
        std::vector<MarkSlot> old(marks_.empty() ? 64 : marks_.size() * 2);
        old.swap(marks_);
        for (const MarkSlot& slot : old) {
            if (!slot.record) continue;
            std::size_t i = slot.hash & (marks_.size() - 1);
            while (marks_[i].record) i = (i + 1) & (marks_.size() - 1);
            marks_[i] = slot;
        }
    }
    std::size_t i = hash & (marks_.size() - 1);
    while (marks_[i].record) i = (i + 1) & (marks_.size() - 1);
    marks_[i] = {hash, record, 0};
    ++markCount_;
    return marks_[i];
}

// Marks every folder of the record and of the two lists as created.
void FolderFileUndo::MarkCreatedFolders() {
    if (createdMarksReady_) return;
    for (MarkSlot& slot : marks_) slot.bits &= ~kCreated;
    std::string key;
    for (const DEQ_CREATED_FOLDERS* list : {&foldersCreatedByRun_, &createdFolders_, &secondFolders_}) {
        for (const auto& folder : *list) {
            MakeExactKey(Trimmed(folder.Path), key);
            const std::uint64_t hash = std::hash<std::string_view>{}(key);
            MarkSlot* mark = FindMark(key, hash);
            if (!mark) mark = &AddMark(hash, &folder);
            mark->bits |= kCreated;
            mark->record = &folder;
        }
    }
    createdMarksReady_ = true;
}

// ---- removal plans ---------------------------------------------------------------

void FolderFileUndo::Queue(const _tagCreatedFolder& folder, std::string_view text) {
    text = Trimmed(text);
    const std::string key = KeyOf(std::string(text));
    if (IsRootKey(key)) return;
    levelQueue_.push_back({text, static_cast<std::uint32_t>(CountPathSeparators(key)), &folder});
}

void FolderFileUndo::AddRoot(const std::string& folder) {
    const std::string key = KeyOf(folder);
    if (key.empty()) return;
    roots_.insert(key);
    rootLengths_.insert(key.size());
}

void FolderFileUndo::AddDriveRootsOfCreatedFolders() {
    std::string drive, rest, last;
    for (const auto& folder : createdFolders_) {
        SplitAtColon(TrimBlanks(folder.Path), drive, rest);
        if (drive != last) AddRoot(drive);  // runs of one drive are the rule
        last = drive;
    }
}

void FolderFileUndo::CollectFoldersByLevel() {
    QueueCreatedFolders();
    QueueSecondFolderList();
}

void FolderFileUndo::QueueCreatedFolders() {
    for (const auto& folder : createdFolders_) Queue(folder, WithoutOneTrailingBackslash(Trimmed(folder.Path)));
}

void FolderFileUndo::QueueSecondFolderList() {
    for (const auto& folder : secondFolders_) Queue(folder, folder.Path);
}

void FolderFileUndo::PrepareCreateFolders() {
    AddRoot(std::string(WithoutOneTrailingBackslash(mainFolder_)));
    QueueWithAncestors(createdFolders_);
    QueueWithAncestors(secondFolders_);
}

void FolderFileUndo::PrepareCreateFromList() {
    AddDriveRootsOfCreatedFolders();
    QueueWithAncestors(createdFolders_);
    QueueSecondFolderList();
}

void FolderFileUndo::PrepareCreateFromListDrives() {
    AddDriveRootsOfCreatedFolders();
    QueueWithAncestors(createdFolders_);
}

void FolderFileUndo::PrepareCreateFromListDrivesSecond() {
    AddDriveRootsOfCreatedFolders();
    QueueWithAncestors(secondFolders_);
}

void FolderFileUndo::PrepareCopyFolders() {
    for (const auto& folder : createdFolders_) AddRoot(std::string(WithoutOneTrailingBackslash(folder.Path)));
    QueueWithAncestors(secondFolders_);
}

// A listed folder is queued; its parents only while the run created them.
// A folder met again ends the climb: its parents were handled the first time.
void FolderFileUndo::QueueWithAncestors(const DEQ_CREATED_FOLDERS& folders) {
    MarkCreatedFolders();
    std::string key, lowered;
    for (const auto& folder : folders) {
        const std::string_view text = Trimmed(folder.Path);
        std::size_t length = text.size();
        for (bool listed = true; length > 0; listed = false) {
            const std::string_view here = text.substr(0, length);
            MakeExactKey(here, key);
            if (IsRootKey(key)) break;
            if (rootLengths_.count(key.size()) != 0) {  // roots compare without letter case
                lowered = ToLowerCase(key);
                if (roots_.count(lowered) != 0) break;
            }
            const std::uint64_t hash = std::hash<std::string_view>{}(key);
            MarkSlot* mark = FindMark(key, hash);
            const unsigned char bits = mark ? mark->bits : 0;
            if ((bits & kSeen) || (!listed && !(bits & kCreated))) break;
            if (!mark) mark = &AddMark(hash, &folder);
            mark->bits |= kSeen;
            levelQueue_.push_back({here, static_cast<std::uint32_t>(CountPathSeparators(key)),
                                   listed ? &folder : mark->record});
            length = ParentLength(here);
        }
    }
}

// ---- steps -------------------------------------------------------------------------

plat::Beneath* FolderFileUndo::BaseOf(std::uint32_t index) {
    if (index >= bases_.size()) return nullptr;
    if (openState_[index] == 0) {
        // The same folder as in the run, or nothing of it is touched.
        const bool same = opened_[index].Open(bases_[index].Path) == plat::FsResult::Ok &&
                          opened_[index].Identity() == bases_[index].Id;
        openState_[index] = same ? 1 : 2;
        if (!same) opened_[index].Close();
    }
    return openState_[index] == 1 ? &opened_[index] : nullptr;
}

void FolderFileUndo::DeleteCreatedFiles() {
    for (const auto& file : createdFiles_) {
        currentFile_.assign(Trimmed(file.Path));
        plat::Beneath* base = file.HasStamp ? BaseOf(file.Base) : nullptr;
        plat::FsResult r = file.HasStamp ? plat::FsResult::Blocked : plat::FsResult::Changed;
        if (base) {
            const plat::FileStamp stamp{file.Id, file.Size, file.MtimeNs};
            r = base->RemoveFile(currentFile_, &stamp);
        }
        if (r == plat::FsResult::Ok) continue;
        // Changed since the run, or something else stands in its place; a
        // file behind a link or a gone base is kept for a retry instead.
        if (r == plat::FsResult::Changed) {
            filesChanged_.push_back(currentFile_);
            continue;
        }
        _tagCreatedFile failed = file;
        failed.Path = currentFile_;
        filesNotDeleted_.push_back(std::move(failed));
    }
}

void FolderFileUndo::RemoveCreatedFolders() {
    std::stable_sort(levelQueue_.begin(), levelQueue_.end(),
                     [](const Queued& a, const Queued& b) { return a.level < b.level; });
    std::string folder;
    for (auto it = levelQueue_.rbegin(); it != levelQueue_.rend(); ++it) {
        folder.assign(it->text);
        plat::Beneath* base = BaseOf(it->record->Base);
        const plat::FsResult r = base ? base->RemoveFolder(folder, &it->record->Id) : plat::FsResult::Blocked;
        if (r == plat::FsResult::Ok) continue;
        if (r == plat::FsResult::NotFound) {
            foldersGone_.push_back(folder);
            continue;
        }
        _tagCreatedFolder failed = *it->record;
        failed.Path = folder;
        foldersNotRemoved_.push_back(std::move(failed));
        notRemovedReasons_.push_back(r == plat::FsResult::NotEmpty                                   ? kNotEmpty
                                     : r == plat::FsResult::Changed || r == plat::FsResult::Blocked ? kChangedSinceRun
                                                                                                    : "");
    }
}

void FolderFileUndo::BuildReport() {
    report_.clear();
    failureLines_.clear();
    if (!foldersNotRemoved_.empty() || !filesNotDeleted_.empty() || !filesChanged_.empty()) report_ = kReportHeader;
    for (std::size_t i = 0; i < foldersNotRemoved_.size(); ++i)
        failureLines_ += foldersNotRemoved_[i].Path + notRemovedReasons_[i] + "\n";
    for (const auto& file : filesNotDeleted_) failureLines_ += file.Path + "\n";
    for (const auto& file : filesChanged_) failureLines_ += file + kChangedSinceRun + "\n";
    if (!failureLines_.empty()) report_ += kOtherReasons + failureLines_;
}

StringList FolderFileUndo::GetFailedFolders() const {
    StringList folders;
    for (const auto& folder : foldersNotRemoved_) folders.push_back(folder.Path);
    return folders;
}

StringList FolderFileUndo::GetFailedFiles() const {
    StringList files;
    for (const auto& file : filesNotDeleted_) files.push_back(file.Path);
    return files;
}
