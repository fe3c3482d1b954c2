// CREATE on page 04: the checks, the Visual Log, one new folder beside each
// Include path, the end. The simulation (Vol04Simulation.cpp) is this frame
// on the dry disk.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "pages/PageCommon.h"
#include "pages/VisualLog.h"
#include "pages/creation/Vol04Internal.h"
#include "pages/creation/Vol04Page.h"
#include "platform/MessageBox.h"
#include "results/TfrmStatistic04.h"
#include "ui_Vol04Page.h"

using namespace pagekit;

RunFrame Vol04Frame(Vol04State& state, const Vol04Inputs& in, RunLog& log, const RunHooks& hooks, bool simulation,
                    const std::string& noStructureCaption) {
    RunFrame frame = CreationFrame(
        state, in, simulation, [&state, &in] { return Vol04CheckDiskSpace(state, in, in.WithFiles()); },
        noStructureCaption, hooks, kVol04Topic,
        static_cast<double>(in.Prefix.size() + in.Suffix.size() + 2) + MeanLength(in.IncludeFolders),
        in.IncludeFolders.empty() ? std::string() : TrimControlAndBlanks(in.IncludeFolders.front()),
        &in.IncludeFolders);
    frame.MemoryAction = "Narrow the lists or the structure.";
    frame.IncludeEmpty = in.IncludeFolders.empty();
    frame.Work = [&state, &in, &log](RunDisk& disk) { Vol04Creator(in, state, log, disk).CreateAll(); };
    return frame;
}

void Vol04RunCreateFolders(Vol04State& state, const Vol04Inputs& in, RunLog& log, const RunHooks& hooks) {
    RunFrame frame = Vol04Frame(state, in, log, hooks, false, MessageCaption(kVol04Topic, "Warning", 40042));
    frame.Questions = {{"Do you want to create folders ?\n", MessageCaption(kVol04Topic, "Information", 40043)}};
    frame.IncludeEmptyMessage = {"The Include list is empty !!!\nYou must enter at least one Folder to create folders.",
                                 MessageCaption(kVol04Topic, "Warning", 40049, "           ")};
    frame.End = {"End of Creating Folders/Files !!!", MessageCaption(kVol04Topic, "Information", 40048)};
    RunOnFrame(frame, log, hooks);
}

// ---- the page's side ------------------------------------------------------------------------

Vol04Inputs Vol04Page::Vol04ReadInputs() const {
    Vol04Inputs in;
    in.IncludeFolders = ListItems(ui->lstVol04IncludeFolderList);
    in.Prefix = S(ui->edtVol04Prefix->text());
    in.Suffix = S(ui->edtVol04Suffix->text());
    in.Hyphen = ui->chkVol04Hyphen->isChecked();
    in.FolderStructures = ListItems(ui->lstVol04AddFolderStructure);
    in.AttachNothing = ui->rdoVol04AttachNothing->isChecked();
    in.FullPaths = IsEnabledAndChecked(ui->rdoVol04StructureImportFullPaths);
    in.RelativePaths = IsEnabledAndChecked(ui->rdoVol04StructureImportRelativePaths);
    in.MainFolderWithFiles = ui->rdoVol04AttachMainFolderWithFiles->isChecked();
    in.MainFolderWithoutFiles = ui->rdoVol04AttachMainFolderWithoutFiles->isChecked();
    in.SubFoldersOnlyWithFiles = ui->rdoVol04AttachSubFoldersOnlyWithFiles->isChecked();
    in.SubFoldersOnlyWithoutFiles = ui->rdoVol04AttachSubFoldersOnlyWithoutFiles->isChecked();
    in.ViewDetailedResults = ui->chkVol04ViewDetailedResults->isChecked();
    in.ViewDestFolder = false;  // the page has no "Show Explorer"
    return in;
}

_tagVol0XParts Vol04Page::Vol04GetNameParts(const std::string& item) const {
    return ::Vol04GetNameParts(Vol04ReadInputs(), item);
}

RunHooks Vol04Page::Vol04Hooks() {
    RunHooks hooks = PageRunHooks(this, Shared);
    hooks.EnableRunButtons = [this](bool enabled) { Vol04EnableRunButtons(enabled); };
    hooks.FocusAddFolderStructure = [this] { ui->btnVol04AddFolderStructure->setFocus(); };
    return hooks;
}

void Vol04Page::btnVol04CreateFoldersClick() {
    VisualLog log = Vol04VisualLog();
    Vol04RunCreateFolders(*this, Vol04ReadInputs(), log, Vol04Hooks());
}

void Vol04Page::btnVol04StatisticsClick() {
    Vol04ShowCounters();
    if (frmStatistic04) frmStatistic04->ShowLog();
}
