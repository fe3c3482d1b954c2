#include "core/FolderFileUndo.h"

#include <string_view>
#include <utility>
#include <vector>

#include "core/PathTools.h"
#include "platform/FileSystem.h"

namespace {

constexpr const char* kReportHeader =
    "The program is unable to delete the following folders, and/or separate files : \n";
constexpr const char* kOtherReasons = "\nOTHER REASONS   : \n\n";
constexpr const char* kNotEmpty = "  (not empty)";
constexpr const char* kChangedSinceRun = "  (changed since the run)";

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string WithoutOneTrailingBackslash(const std::string& text) {
    if (!text.empty() && text.back() == '\\') return text.substr(0, text.size() - 1);
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

// The text with its drive letter (the only part the platform reads in
// either case) lowered; same length as the text.
std::string WithLowerDrive(std::string text) {
    if (text.size() >= 2 && text[1] == ':' && text[0] >= 'A' && text[0] <= 'Z')
        text[0] = static_cast<char>(text[0] + 32);
    return text;
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

bool HoldsEntries(const std::string& folder) {
    std::vector<plat::DirEntry> entries;
    std::size_t untranslatable = 0;
    return plat::FolderExists(folder) && plat::ListFolder(folder, entries, &untranslatable) &&
           (!entries.empty() || untranslatable > 0);
}

}  // namespace

_tagCreatedFile StampCreatedFile(const std::string& path) {
    _tagCreatedFile file;
    file.Path = path;
    file.HasStamp = plat::GetFileInfo(TrimBlanks(path), file.Size, file.MtimeNs);
    return file;
}

// ---- what the run recorded -----------------------------------------------------

void FolderFileUndo::SetCreatedFolders(StringList folders) {
    createdFolders_ = std::move(folders);
    createdMarksReady_ = false;
}

void FolderFileUndo::SetCreatedSubFolders(StringList folders) {
    secondFolders_ = std::move(folders);
    createdMarksReady_ = false;
}

void FolderFileUndo::SetFoldersCreatedByRun(StringList folders) {
    foldersCreatedByRun_ = std::move(folders);
    createdMarksReady_ = false;
}

void FolderFileUndo::SetCreatedFiles(StringList files) {
    createdFiles_.clear();
    for (auto& path : files) createdFiles_.push_back(_tagCreatedFile{std::move(path)});
}

// Marks every folder of the record and of the two lists as created.
void FolderFileUndo::MarkCreatedFolders() {
    if (createdMarksReady_) return;
    for (auto& [key, mark] : marks_) mark &= ~kCreated;
    marks_.reserve(marks_.size() + foldersCreatedByRun_.size() + createdFolders_.size() + secondFolders_.size());
    std::string key;
    for (const StringList* list : {&foldersCreatedByRun_, &createdFolders_, &secondFolders_}) {
        for (const auto& folder : *list) {
            MakeKey(WithLowerDrive(TrimBlanks(folder)), key);
            marks_[key] |= kCreated;
        }
    }
    createdMarksReady_ = true;
}

// ---- removal plans ---------------------------------------------------------------

void FolderFileUndo::Queue(const std::string& folder) {
    const std::string key = KeyOf(folder);
    if (IsRootKey(key)) return;
    levelQueue_.emplace(CountPathSeparators(key), folder);
}

void FolderFileUndo::AddRoot(const std::string& folder) {
    const std::string key = KeyOf(folder);
    if (!key.empty()) roots_.insert(key);
}

void FolderFileUndo::AddDriveRootsOfCreatedFolders() {
    std::string drive, rest, last;
    for (const auto& folder : createdFolders_) {
        SplitAtColon(TrimBlanks(folder), drive, rest);
        if (drive != last) AddRoot(drive);  // runs of one drive are the rule
        last = drive;
    }
}

void FolderFileUndo::CollectFoldersByLevel() {
    QueueCreatedFolders();
    QueueSecondFolderList();
}

void FolderFileUndo::QueueCreatedFolders() {
    for (const auto& folder : createdFolders_) Queue(WithoutOneTrailingBackslash(folder));
}

void FolderFileUndo::QueueSecondFolderList() {
    for (const auto& folder : secondFolders_) Queue(folder);
}

void FolderFileUndo::PrepareCreateFolders() {
    AddRoot(WithoutOneTrailingBackslash(mainFolder_));
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
    for (const auto& folder : createdFolders_) AddRoot(WithoutOneTrailingBackslash(folder));
    QueueWithAncestors(secondFolders_);
}

// A listed folder is queued; its parents only while the run created them.
// A folder met again ends the climb: its parents were handled the first time.
void FolderFileUndo::QueueWithAncestors(StringList folders) {
    MarkCreatedFolders();
    std::string key, rootKey;
    for (const auto& folder : folders) {
        const std::string text = TrimBlanks(folder);
        // Both as long as text: one length serves all three.
        const std::string lowered = ToLowerCase(text);
        const std::string exact = WithLowerDrive(text);
        std::size_t length = text.size();
        for (bool listed = true; length > 0; listed = false) {
            MakeKey(std::string_view(lowered).substr(0, length), rootKey);
            if (IsRootKey(rootKey) || roots_.count(rootKey) != 0) break;
            MakeKey(std::string_view(exact).substr(0, length), key);
            auto it = marks_.find(key);
            const unsigned char mark = it == marks_.end() ? 0 : it->second;
            if ((mark & kSeen) || (!listed && !(mark & kCreated))) break;
            if (it == marks_.end()) it = marks_.emplace(key, 0).first;
            it->second |= kSeen;
            levelQueue_.emplace(CountPathSeparators(key), text.substr(0, length));
            length = ParentLength(std::string_view(text).substr(0, length));
        }
    }
}

// ---- steps -------------------------------------------------------------------------

void FolderFileUndo::DeleteCreatedFiles() {
    for (const auto& file : createdFiles_) {
        currentFile_ = TrimBlanks(file.Path);
        if (file.HasStamp) {
            std::uint64_t size = 0;
            std::int64_t mtimeNs = 0;
            const bool isFile = plat::GetFileInfo(currentFile_, size, mtimeNs);
            // Changed since the run, or something else stands in its place.
            if (isFile ? (size != file.Size || mtimeNs != file.MtimeNs) : plat::PathExists(currentFile_)) {
                filesChanged_.push_back(currentFile_);
                continue;
            }
        }
        if (plat::DeleteFile(currentFile_) != plat::FsResult::Ok) {
            _tagCreatedFile failed = file;
            failed.Path = currentFile_;
            filesNotDeleted_.push_back(std::move(failed));
        }
    }
}

void FolderFileUndo::RemoveCreatedFolders() {
    for (auto it = levelQueue_.rbegin(); it != levelQueue_.rend(); ++it) {
        const std::string folder = TrimBlanks(it->second);
        if (plat::RemoveFolder(folder) == plat::FsResult::Ok) continue;
        if (plat::PathExists(folder)) {
            foldersNotRemoved_.push_back(folder);
            notRemovedReasons_.push_back(HoldsEntries(folder) ? kNotEmpty : "");
        } else {
            foldersGone_.push_back(folder);
        }
    }
}

void FolderFileUndo::BuildReport() {
    report_.clear();
    failureLines_.clear();
    if (!foldersNotRemoved_.empty() || !filesNotDeleted_.empty() || !filesChanged_.empty()) report_ = kReportHeader;
    for (std::size_t i = 0; i < foldersNotRemoved_.size(); ++i)
        failureLines_ += foldersNotRemoved_[i] + notRemovedReasons_[i] + "\n";
    for (const auto& file : filesNotDeleted_) failureLines_ += file.Path + "\n";
    for (const auto& file : filesChanged_) failureLines_ += file + kChangedSinceRun + "\n";
    if (!failureLines_.empty()) report_ += kOtherReasons + failureLines_;
}

StringList FolderFileUndo::GetFailedFiles() const {
    StringList files;
    for (const auto& file : filesNotDeleted_) files.push_back(file.Path);
    return files;
}
