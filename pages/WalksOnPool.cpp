#include "pages/WalksOnPool.h"

#include <QCursor>
#include <QGuiApplication>

#include <algorithm>
#include <atomic>
#include <set>
#include <stdexcept>
#include <utility>
#include <vector>

#include "core/FileNames.h"
#include "core/PathTools.h"
#include "pages/PageMessages.h"
#include "pages/RunFolderRefusal.h"
#include "pages/RunFrame.h"
#include "pages/RunItems.h"
#include "platform/Memory.h"
#include "platform/MessageBox.h"
#include "platform/StoreFence.h"

// A program without windows (a benchmark, a test of the engines alone) has
// no cursor to show.
CountingBusy::CountingBusy() : cursor_(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
    if (cursor_) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

CountingBusy::~CountingBusy() {
    if (cursor_) QGuiApplication::restoreOverrideCursor();
}

namespace {

// The workers reads on the pool get: as many as the first path's file
// system pays for looking, and never one alone, which would read on the
// window thread (the pool's plain loop), deaf between its pumps while a
// slow share answers each request.
unsigned LookWorkers(const StringList& paths) {
    return std::max(2u, paths.empty() ? 1 : PageRunWorkers(paths.front(), plat::RunWork::Look));
}

// read(i, worker) for each of `count` items on `workers` workers, nothing
// to apply: each read keeps its findings.
bool ReadOnWorkers(std::size_t count, unsigned workers, bool keepHandles,
                   const std::function<void(std::size_t, unsigned)>& read,
                   const std::function<std::string(std::size_t)>& name) {
    PooledRun<char> run;
    run.Items = count;
    run.Workers = workers;
    run.KeepHandles = keepHandles;
    run.Work = [&](std::size_t i, char&, RunItemContext& ctx) { read(i, ctx.Worker()); };
    run.Apply = [](std::size_t, char&, RunApplyContext&) {};
    run.Name = name;
    return !RunPageItems(run).Stopped;
}

}  // namespace

bool ReadOnPool(const StringList& paths, const std::function<void(std::size_t)>& read, bool keepHandles) {
    return ReadOnWorkers(
        paths.size(), LookWorkers(paths), keepHandles, [&](std::size_t i, unsigned) { read(i); },
        [&](std::size_t i) { return paths[i]; });
}

bool WorkBeside(const std::string& name, const std::function<void()>& work, bool keepHandles) {
    return ReadOnWorkers(
        1, 2, keepHandles, [&](std::size_t, unsigned) { work(); }, [&](std::size_t) { return name; });
}

bool JudgeOnPool(const StringList& paths, const std::string& programFolder, const std::string& workingDir,
                 const std::function<void(std::size_t, RunFolderRefusal&)>& read) {
    const unsigned workers = LookWorkers(paths);
    WorkerRefusals refusals(workers, programFolder, workingDir);
    return ReadOnWorkers(
        paths.size(), workers, false, [&](std::size_t i, unsigned worker) { read(i, refusals.Of(worker)); },
        [&](std::size_t i) { return paths[i]; });
}

bool ReadAside(const StringList& paths, const std::function<void(std::size_t)>& read) {
    bool done = false;
    {
        const CountingBusy counting;  // ends before the box
        done = ReadOnPool(paths, read);
    }
    ShowRunFailures(RunKeeps::Nothing);
    return done;
}

namespace {
// Set on the window thread, read by the workers that count.
std::atomic<int> runCounting{0};
}  // namespace

RunCounting::RunCounting() { runCounting.fetch_add(1); }
RunCounting::~RunCounting() { runCounting.fetch_sub(1); }

void FailOnUnread(const FolderStructSize& size) {
    if (runCounting.load() > 0 && !size.GetUnreadFolder().empty())
        throw std::runtime_error("The folder " + size.GetUnreadFolder() + " cannot be read.");
}

namespace {
// The count under way on the window thread (its CountHold).
CountHold* countShown = nullptr;
}  // namespace

CountHold::CountHold() : previous_(countShown) {
    // The machine's figures are files too: read beside the window, which answers meanwhile.
    ReadBesideWindow([this] { free_ = plat::GetAvailableMemory(); });
    countShown = this;
}
CountHold::~CountHold() { countShown = previous_; }

bool CountHold::Add(double bytes, std::uint64_t files) {
    files_.fetch_add(files);
    const std::lock_guard guard(lock_);
    held_ += bytes;
    sinceAsk_ += bytes;
    if (!free_ || refused_.load()) return !refused_.load();
    // The machine's answer counts what the count held when it was asked.
    if (sinceAsk_ >= kAskEvery) {
        free_ = plat::GetAvailableMemory();
        sinceAsk_ = 0;
        if (!free_) return true;
    }
    if (sinceAsk_ + kStep > static_cast<double>(*free_)) refused_ = true;
    return !refused_.load();
}

double CountHold::Held() const {
    const std::lock_guard guard(lock_);
    return held_;
}

std::optional<std::uint64_t> CountHold::Free() const {
    const std::lock_guard guard(lock_);
    return free_;
}

std::optional<std::uint64_t> CountHold::FilesSoFar() {
    if (!countShown) return std::nullopt;
    return countShown->Files();
}

void ShowCountTooLarge(const CountHold& hold, const std::string& what, const std::string& caption,
                       const std::string& action) {
    const double held = hold.Held();
    plat::MessageBox("There is not enough memory to count " + what + ".\nIt had counted " +
                         UInt64ToStr(hold.Files()) + " files, holding about " +
                         FormatByteSize(static_cast<std::uint64_t>(held)) + " of memory, when it stopped.\n" +
                         "The free memory is : " + FormatByteSize(hold.Free().value_or(0)) +
                         "\n\nNothing was changed.\nAction : " + action,
                     caption, pagekit::kWarn);
}

void Measure(const std::string& root, const MeasureSetup& setup, std::optional<FolderStructSize>& size) {
    // Kept only when the walk ends: a failed one leaves nothing half counted.
    FolderStructSize walked(root, setup.withFiles);
    walked.SetCountRoot(setup.countRoot);
    walked.SetFileSelection(setup.selection);
    walked.SetKeepMaskedFileMap(setup.keepFileMap);
    if (setup.fence) walked.SetFence(setup.fence);
    if (CountHold* hold = setup.hold)
        walked.SetHeldReport([hold](double bytes, std::uint64_t files) { return hold->Add(bytes, files); });
    walked.ExamineWithMasks();
    if (walked.Stopped()) return;
    FailOnUnread(walked);
    size = std::move(walked);
}

std::optional<std::uint64_t> FreeBytesOf(const std::string& path) {
    std::string root;
    std::uint64_t bytes = 0;
    if (!GetDriveFreeBytes(path, root, bytes)) return std::nullopt;
    return bytes;
}

std::string DriveSpaceKey(const std::string& item) {
    std::string drive, rest;
    SplitAtColon(item, drive, rest);
    drive = TrimBlanks(drive);
    for (char& c : drive)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return drive;
}

std::string DriveSpaceRoot(const std::string& key) { return key.substr(0, 1) + ":\\"; }

bool IdentitiesOnPool(const StringList& folders, std::vector<std::optional<plat::FileIdentity>>& ids) {
    ids.assign(folders.size(), std::nullopt);
    return ReadOnPool(folders, [&](std::size_t i) { ids[i] = WalkFence::IdentityOf(folders[i]); });
}

bool FenceOnPool(const StringList& folders, WalkFence& fence, std::vector<std::optional<plat::FileIdentity>>* read) {
    std::vector<std::optional<plat::FileIdentity>> ids;
    const bool done = IdentitiesOnPool(folders, ids);
    for (const auto& id : ids)
        if (id) fence.Add(*id);
    if (read) *read = std::move(ids);
    return done;
}

bool FenceOwnOnPool(WalkFence& fence, const std::string& programFolder, const std::string& workingDir) {
    std::vector<std::optional<plat::FileIdentity>> ids;
    const bool done = IdentitiesOnPool({programFolder, workingDir}, ids);
    for (const auto& id : ids)
        if (id) fence.AddOwn(*id);
    return done;
}

std::shared_ptr<const plat::StoreFence> FenceStoreOnPool(const std::string& programFolder,
                                                         const std::string& workingDir) {
    if (programFolder.empty() && workingDir.empty()) return nullptr;
    std::shared_ptr<const plat::StoreFence> fence;
    WorkBeside(programFolder, [&] { fence = std::make_shared<const plat::StoreFence>(programFolder, workingDir); });
    // Not identified at all (the thread failed): every change is refused.
    return fence ? fence : std::make_shared<const plat::StoreFence>(plat::StoreFence::Unidentified{});
}

std::vector<char> RepeatedOnPool(const StringList& opened) {
    std::vector<std::optional<plat::FileIdentity>> ids;
    IdentitiesOnPool(opened, ids);
    return RepeatedFolders(ids);
}

std::vector<char> RepeatedFolders(const std::vector<std::optional<plat::FileIdentity>>& ids) {
    std::vector<char> repeated(ids.size(), 0);
    std::set<std::pair<std::uint64_t, std::uint64_t>> seen;
    for (std::size_t i = 0; i < ids.size(); ++i)
        if (ids[i]) repeated[i] = !seen.insert({ids[i]->dev, ids[i]->ino}).second;
    return repeated;
}
