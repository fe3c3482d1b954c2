// The walks and looks a page makes before or around its run (the totals of
// its structures or sources, the free space where it writes, the folders
// its walks never enter), on the run pool: they only read, so they all
// overlap, and the window paints meanwhile. Each read keeps what it finds
// in a place of its own; the page takes the findings in list order after
// the pool, as one read after another would have given them.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "core/FolderStructSize.h"
#include "core/Types.h"
#include "pages/RunBusy.h"
#include "pages/WalkFence.h"

class RunFolderRefusal;
namespace plat {
class StoreFence;
}

// While the window thread waits for a count outside a run (or before its
// question): a close of the main window waits for it as for a run, and the
// busy cursor shows. End it before a box the count leads to, so that the
// box gets the ordinary cursor.
class CountingBusy {
public:
    CountingBusy();
    ~CountingBusy();
    CountingBusy(const CountingBusy&) = delete;
    CountingBusy& operator=(const CountingBusy&) = delete;

private:
    RunBusy busy_;
    bool cursor_ = false;
};

// read(i) for each path on the run pool, as many workers as the first
// path's file system pays for looking, never on the window thread: it
// answers meanwhile. A read writes only what is its own. False when one
// failed: the failure is noted for the failure box, with its path.
// `keepHandles`: what the reads open stays of use after (PooledRun::KeepHandles).
bool ReadOnPool(const StringList& paths, const std::function<void(std::size_t)>& read, bool keepHandles = false);
// One piece of disk work of a run (a read, the working copies' recycling),
// the same way, on a thread of its own: `name` names it in the failure box.
bool WorkBeside(const std::string& name, const std::function<void()>& work, bool keepHandles = false);

// ReadOnPool for reads that judge their folders as a run judges its items:
// `read` gets its worker's refusal of the program's folders and the
// drives' roots (WorkerRefusals), so that no worker's looks at the disk
// wait for another's.
bool JudgeOnPool(const StringList& paths, const std::string& programFolder, const std::string& workingDir,
                 const std::function<void(std::size_t, RunFolderRefusal&)>& read);

// ReadOnPool with the busy cursor, for a page's window: a failure is said
// at once in the failure box (a read keeps nothing for an Undo).
bool ReadAside(const StringList& paths, const std::function<void(std::size_t)>& read);

// While a run's checks and start count (RunFrame), a count that met a
// folder it could not read fails, naming the folder: what it holds is
// unknown, and the run must not go on as if it held nothing. A page's own
// refresh counts what it can read.
class RunCounting {
public:
    RunCounting();
    ~RunCounting();
    RunCounting(const RunCounting&) = delete;
    RunCounting& operator=(const RunCounting&) = delete;
};
void FailOnUnread(const FolderStructSize& size);

// What a count holds as it walks, against what the machine can give: a
// count cannot know its size before, so it stops (Refused) once what it
// holds would pass what the machine could give when last asked. The
// machine is asked when the count starts and again each time the count has
// come to hold kAskEvery more; each walk reports every few thousand entries
// (FolderStructSize::SetHeldReport), so no file costs a look at the machine.
// The walks on the pool share one.
class CountHold {
public:
    static constexpr double kAskEvery = 32.0 * 1024 * 1024;
    // What the walks may gather between two reports, all together.
    static constexpr double kStep = 1024.0 * 1024;

    CountHold();
    ~CountHold();
    CountHold(const CountHold&) = delete;
    CountHold& operator=(const CountHold&) = delete;

    // Any thread: `bytes` more held and `files` more counted; false once
    // the count would not fit, and from then on.
    bool Add(double bytes, std::uint64_t files);
    bool Refused() const { return refused_.load(); }
    double Held() const;
    std::uint64_t Files() const { return files_.load(); }
    // What the machine could give when last asked; none: it does not say.
    std::optional<std::uint64_t> Free() const;
    // The files the count under way on the window thread has taken so far;
    // none while no count is under way. For a window that shows it.
    static std::optional<std::uint64_t> FilesSoFar();

private:
    mutable std::mutex lock_;
    double held_ = 0, sinceAsk_ = 0;
    std::optional<std::uint64_t> free_;
    std::atomic<bool> refused_{false};
    std::atomic<std::uint64_t> files_{0};
    CountHold* previous_ = nullptr;
};

// The box of a count that would not fit (CountHold::Refused): what it
// counted and held when it stopped, and what the machine could give.
void ShowCountTooLarge(const CountHold& hold, const std::string& what, const std::string& caption,
                       const std::string& action);

// How a structure or source is measured: FolderStructSize's masked walk
// with these settings (FailOnUnread), taking the files the run takes.
struct MeasureSetup {
    bool withFiles = true;
    bool countRoot = false;
    FileSelection selection;
    // Folders the run's walk does not enter (FolderStructSize::SetFence).
    std::function<bool(const plat::DirEntry&)> fence = nullptr;
    // False: the walk keeps no map of the files it takes, only their totals.
    bool keepFileMap = true;
    // What the walks of one count may hold (null: not watched). A walk it
    // stops leaves its size empty.
    CountHold* hold = nullptr;
};
void Measure(const std::string& root, const MeasureSetup& setup, std::optional<FolderStructSize>& size);

// A path's free bytes as GetDriveFreeBytes reads them; none when they
// cannot be read.
std::optional<std::uint64_t> FreeBytesOf(const std::string& path);

// The drive a free-space check charges a listed folder to: its drive part
// (up to its first colon), trimmed and in upper case, since p: and P: are
// one drive and their needs add up; empty when it has none. Its root, as a
// shortage box names it, is DriveSpaceRoot.
std::string DriveSpaceKey(const std::string& item);
std::string DriveSpaceRoot(const std::string& key);

// Each folder's identity as WalkFence::IdentityOf reads it, opened on the
// run pool; none where it does not open (an empty text is not looked at).
bool IdentitiesOnPool(const StringList& folders, std::vector<std::optional<plat::FileIdentity>>& ids);
// Each folder into the fence (WalkFence::Add), opened on the run pool;
// `read`, when given, gets each folder's identity (none: not opened).
bool FenceOnPool(const StringList& folders, WalkFence& fence,
                 std::vector<std::optional<plat::FileIdentity>>* read = nullptr);

// The program folder and the working folder into the fence
// (WalkFence::AddOwn), opened on the run pool.
bool FenceOwnOnPool(WalkFence& fence, const std::string& programFolder, const std::string& workingDir);
// The fence every change of a run is judged by (plat::StoreFence), its
// folders identified on a thread beside the window's; none when neither
// folder is named.
std::shared_ptr<const plat::StoreFence> FenceStoreOnPool(const std::string& programFolder,
                                                         const std::string& workingDir);

// The folders of a run, as they opened before it started (IdentitiesOnPool):
// true for each that reaches a folder an earlier one reaches, in another
// spelling or through a link. A run and its count take each folder once,
// where it is first listed, as they take a text listed twice.
std::vector<char> RepeatedFolders(const std::vector<std::optional<plat::FileIdentity>>& ids);
// The same for the texts as the run opens them: their identities read on the pool first.
std::vector<char> RepeatedOnPool(const StringList& opened);
