#include "pages/RunFrame.h"

#include "core/ShellServices.h"
#include "pages/RunBusy.h"

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

bool RunPass(const RunFrame& frame, RunLog& log, const RunHooks& hooks) {
    if (frame.Check && !frame.Check()) return false;
    for (const PageMessage& q : frame.Questions)
        if (plat::MessageBox(q.text, q.caption, kAsk) != plat::IDYES) return false;
    if (frame.FreshLog) log.SetRunMode(!frame.Simulation);
    if (frame.Start) frame.Start();
    if (frame.FreshLog) {
        log.ClearLogLists();
        ShowCounters(frame, log);
    }
    if (frame.ShowLog) log.ShowLog();
    Call(hooks.EnableOtherTabSheets, false);
    if (frame.FreshLog) log.ClearZoomLists();
    if (frame.IncludeEmpty) {
        if (!frame.IncludeEmptyMessage.caption.empty())
            plat::MessageBox(frame.IncludeEmptyMessage.text, frame.IncludeEmptyMessage.caption, kWarn);
    } else {
        if (frame.Work) {
            if (frame.Simulation) {
                DryDisk disk;
                frame.Work(disk);
            } else {
                RealDisk disk;
                frame.Work(disk);
            }
        }
        ShowCounters(frame, log);
        if (!frame.End.caption.empty()) plat::MessageBox(frame.End.text, frame.End.caption, kInfo);
        if (frame.View) ViewFolder(frame.ViewFolder, frame.ViewTopic);
    }
    Call(hooks.EnableOtherTabSheets, true);
    if (frame.Finish) frame.Finish();
    if (frame.NextPass) RunPass(*frame.NextPass, log, hooks);
    return true;
}

}  // namespace

bool RunOnFrame(const RunFrame& frame, RunLog& log, const RunHooks& hooks) {
    const RunBusy busy;  // a close waits until the run, end box included, is over
    Call(hooks.EnableRunButtons, false);
    const bool went = RunPass(frame, log, hooks);
    Call(hooks.EnableRunButtons, true);
    return went;
}

bool CheckStructuresListed(bool listed, const std::string& caption, const RunHooks& hooks) {
    if (listed) return true;
    plat::MessageBox(
        "There is no additional Subfolder structure. !\nAction : You must add at least one Subfolder structure.",
        caption, kWarn);
    if (hooks.FocusAddFolderStructure) hooks.FocusAddFolderStructure();
    return false;
}
