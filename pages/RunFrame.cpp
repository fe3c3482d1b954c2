#include "pages/RunFrame.h"

#include <utility>

#include "core/PathTools.h"
#include "core/SettingsStore.h"
#include "core/ShellServices.h"
#include "pages/RunBusy.h"
#include "pages/RunFolderRefusal.h"
#include "pages/RunItems.h"
#include "pages/WalksOnPool.h"
#include "platform/StoreFence.h"

using namespace pagekit;

namespace {

void ShowCounters(const RunFrame& frame, RunLog& log) {
    if (!frame.Counters) return;
    const std::vector<CounterLabel> counters = frame.Counters();
    log.ShowCounters(counters);
}

void Call(const std::function<void(bool)>& f, bool flag) {
    if (f) f(flag);
}

// A hook turned off from here until it ends (or Back()), however it ends.
class HookOff {
public:
    explicit HookOff(const std::function<void(bool)>& hook) : hook_(hook) { Call(hook_, false); }
    ~HookOff() { Back(); }
    void Back() {
        if (std::exchange(off_, false)) Call(hook_, true);
    }

private:
    const std::function<void(bool)>& hook_;
    bool off_ = true;
};

// The work on the real or the dry disk; a failure is noted for the box.
void Work(const RunFrame& frame) {
    if (!frame.Work) return;
    try {
        if (frame.Simulation) {
            DryDisk disk;
            frame.Work(disk);
        } else {
            RealDisk disk;
            frame.Work(disk);
        }
    } catch (...) {
        NoteRunFailure(std::current_exception());
    }
}

// False when a folder the work opens is one of the program's own: its box
// has been shown.
bool CheckWorkFolders(const RunFrame& frame) {
    const RunFrame::OwnFolderCheck& check = frame.OwnFolders;
    if (check.Folders.empty() || !check.Box) return true;
    std::optional<OwnFolderFound> own;
    {
        const CountingBusy looking;  // ends before the box
        own = FirstOwnFolder(check.Folders, check.ProgramFolder, check.WorkingDir, check.Above,
                             static_cast<bool>(check.InProgramBox));
    }
    if (!own) return true;
    const std::string folder = TrimControlAndBlanks(check.Folders[own->index]);
    const PageMessage box = own->inProgram ? check.InProgramBox(folder) : check.Box(folder);
    plat::MessageBox(box.text, box.caption, kWarn);
    return false;
}

// A simulation keeps nothing, whatever its run keeps.
RunKeeps KeepsOf(const RunFrame& frame) { return frame.Simulation ? RunKeeps::Nothing : frame.Keeps; }

bool RunPass(const RunFrame& frame, RunLog& log, const RunHooks& hooks) {
    // A count in the checks or the start that failed (its failure noted,
    // said by the count or left for the frame) ends the run before its work,
    // whatever the check returns.
    const std::size_t noted = RunFailuresNoted();
    bool checked = true;
    {
        const RunCounting counting;
        checked = !frame.Check || frame.Check();
    }
    if (checked && RunFailuresNoted() == noted) checked = CheckWorkFolders(frame);
    if (RunFailuresNoted() != noted) {  // nothing done yet: nothing is kept
        ShowRunFailures(RunKeeps::Nothing);
        return false;
    }
    if (!checked) return false;
    auto fits = [&frame, &log] {
        if (!frame.Memory) return true;
        const double room =
            (frame.Room ? frame.Room() : 0) + (frame.FreshLog ? log.HeldBytes(frame.StartDropsRecords) : 0);
        RunMemoryNeed need = frame.Memory();
        // A log on the screen keeps what its showing took, which the weight
        // counts for a first showing: a run again adds none.
        if (log.Shown()) need.bytes -= kept::kLogShowing;
        return CheckRunFitsMemory(need, room, frame.MemoryTopic, frame.MemoryAction);
    };
    if (!frame.Count && !fits()) return false;
    for (const PageMessage& q : frame.Questions)
        if (plat::MessageBox(q.text, q.caption, kAsk) != plat::IDYES) return false;
    if (frame.Count) {
        {
            const RunCounting counting;
            frame.Count();
        }
        // A count that failed ends the run below, as one in the start does.
        if (RunFailuresNoted() == noted && !fits()) return false;
    }
    if (frame.FreshLog) log.SetRunMode(!frame.Simulation);
    if (frame.Start) {
        const RunCounting counting;
        frame.Start();
    }
    if (frame.FreshLog) {
        log.ClearLogLists();
        ShowCounters(frame, log);
    }
    HookOff tabs(hooks.EnableOtherTabSheets);  // the other tab sheets
    // Painted with the tab sheets off, before the work: it may not paint for seconds.
    if (frame.ShowLog) log.ShowLog();
    if (frame.FreshLog) log.ClearZoomLists();
    bool failed = RunFailuresNoted() != noted;
    if (failed) {
        ShowRunFailures(RunKeeps::Nothing);
    } else if (frame.IncludeEmpty) {
        if (!frame.IncludeEmptyMessage.caption.empty())
            plat::MessageBox(frame.IncludeEmptyMessage.text, frame.IncludeEmptyMessage.caption, kWarn);
    } else {
        Work(frame);
        ShowCounters(frame, log);
        // A failed run ends with its failure, not with the end box.
        failed = ShowRunFailures(KeepsOf(frame));
        if (!failed && !frame.End.caption.empty()) plat::MessageBox(frame.End.text, frame.End.caption, kInfo);
        if (!failed && frame.View) ViewFolder(frame.ViewFolder, frame.ViewTopic);
    }
    tabs.Back();
    if (frame.Finish) frame.Finish();
    if (frame.NextPass && !failed) RunPass(*frame.NextPass, log, hooks);
    return true;
}

}  // namespace

bool RunOnFrame(const RunFrame& frame, RunLog& log, const RunHooks& hooks) {
    bool went = false;
    RunGuarded(
        [&] {
            const HookOff buttons(hooks.EnableRunButtons);  // back however the run ends
            went = RunPass(frame, log, hooks);
        },
        KeepsOf(frame));
    return went;
}

void RunGuarded(const std::function<void()>& work, RunKeeps keeps) {
    const RunBusy busy;  // a close waits until the run, end box included, is over
    TakeRunFailures();   // what an earlier run left unsaid is not this one's
    try {
        std::shared_ptr<const plat::StoreFence> fence = FenceStoreOnPool(GetProgramFolder(), GetWorkingDir());
        // Its own folders not known, the run could change nothing: it says
        // so before it asks anything, instead of refusing every change.
        if (fence && !fence->Identified()) {
            plat::MessageBox(
                "The operation is NOT PERFORMED !!!\nThe program's folder can not be read, so the program can not "
                "keep its own files out of the operation's way :\n" +
                    GetProgramFolder() + "\n\nNothing was changed.\nAction : Check the folder and the rights of the "
                                         "folders above it.",
                MessageCaption("Program Folder.", "Warning", "0456"), kWarn);
            return;
        }
        const plat::StoreFenceScope scope(std::move(fence));
        work();
    } catch (...) {
        NoteRunFailure(std::current_exception());
    }
    ShowRunFailures(keeps);
}

bool CheckUndoFitsMemory(const RunMemoryNeed& need, double room, const std::string& topic) {
    // An undo has nothing to narrow: only the machine can give more.
    return CheckRunFitsMemory(need, room, topic, "Close other programs and try the Undo again.");
}

bool ShowRunFailures(RunKeeps keeps) {
    const std::string failures = TakeRunFailures();
    if (failures.empty()) return false;
    plat::MessageBox("The process stopped because of an error :\n\n" + failures +
                         "\nWhat was done until then is in the Visual Log" +
                         (keeps == RunKeeps::Undo ? " and kept for the Undo." : "."),
                     "Error !", kError);
    return true;
}

bool CheckStructuresListed(bool listed, const std::string& caption, const RunHooks& hooks) {
    if (listed) return true;
    plat::MessageBox(
        "There is no additional Subfolder structure. !\nAction : You must add at least one Subfolder structure.",
        caption, kWarn);
    if (hooks.FocusAddFolderStructure) hooks.FocusAddFolderStructure();
    return false;
}
