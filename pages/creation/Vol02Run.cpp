// CREATE on page 02: the checks, the Visual Log, the folders, the end.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "core/PathTools.h"
#include "core/ShellServices.h"
#include "pages/PageCommon.h"
#include "pages/creation/Vol02Engine.h"
#include "pages/creation/Vol02Internal.h"
#include "pages/creation/Vol02Page.h"
#include "pages/VisualLog.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "results/TfrmStatistic02.h"
#include "ui_Vol02Page.h"

using namespace pagekit;

RunFrame Vol02Frame(Vol02State& state, const Vol02Inputs& in, RunLog& log, const RunHooks& hooks, bool simulation,
                    const std::string& noStructureCaption) {
    RunFrame frame = CreationFrame(
        state, in, simulation, [&state, &in] { return Vol02CheckDiskSpace(state, in, in.WithFiles()); },
        noStructureCaption, hooks, kVol02Topic,
        static_cast<double>(in.DestFolder.size() + in.Prefix.size() + in.Suffix.size() + 3) +
            MeanLength(in.IncludeStrings),
        TrimControlAndBlanks(in.DestFolder));
    frame.MemoryAction = "Narrow the lists or the structure.";
    frame.IncludeEmpty = in.IncludeStrings.empty();
    frame.Work = [&state, &in, &log](RunDisk& disk) {
        if (!disk.IsDry()) {
            const std::string destination = TrimControlAndBlanks(in.DestFolder);
            state.LastDestination =
                destination.empty() || destination.back() != '\\' ? destination + "\\" : destination;
        }
        Vol02Creator(in, state, log, disk).CreateAll();
    };
    frame.View = in.ViewDestFolder;
    frame.ViewFolder = TrimControlAndBlanks(in.DestFolder);
    return frame;
}

void Vol02RunCreateFolders(Vol02State& state, const Vol02Inputs& in, RunLog& log, const RunHooks& hooks) {
    RunFrame frame = Vol02Frame(state, in, log, hooks, false, MessageCaption(kVol02Topic, "Warning", 20047));
    frame.Questions = {{"Do you want to create folders ?\n",
                        MessageCaption("Creating Folder(s).-From  a String List.", "Information", 20048)}};
    frame.IncludeEmptyMessage = {"The Include list is empty !!!\nYou must enter at least one item to create folders.",
                                 MessageCaption(kVol02Topic, "Warning", 20054)};
    frame.End = {"End of Creating Folders/Files !!!", MessageCaption(kVol02Topic, "Information", 20053)};
    frame.ViewTopic = kVol02Topic;
    frame.Finish = hooks.TidyDestinationHistory;
    RunOnFrame(frame, log, hooks);
}

// ---- the page's side ------------------------------------------------------------------------

Vol02Inputs Vol02Page::Vol02ReadInputs() const {
    Vol02Inputs in;
    in.DestFolder = S(ui->cboVol02DestFolders->currentText());
    in.Prefix = S(ui->edtVol02Prefix->text());
    in.Suffix = S(ui->edtVol02Suffix->text());
    in.Hyphen = ui->chkVol02Hyphen->isChecked();
    in.IncludeStrings = ListItems(ui->lstVol02IncludeStrings);
    in.FolderStructures = ListItems(ui->lstVol02AddFolderStructure);
    in.AttachNothing = ui->rdoVol02AttachNothing->isChecked();
    in.FullPaths = IsEnabledAndChecked(ui->rdoVol02StructureImportFullPaths);
    in.RelativePaths = IsEnabledAndChecked(ui->rdoVol02StructureImportRelativePaths);
    in.MainFolderWithFiles = ui->rdoVol02AttachMainFolderWithFiles->isChecked();
    in.MainFolderWithoutFiles = ui->rdoVol02AttachMainFolderWithoutFiles->isChecked();
    in.SubFoldersOnlyWithFiles = ui->rdoVol02AttachSubFoldersOnlyWithFiles->isChecked();
    in.SubFoldersOnlyWithoutFiles = ui->rdoVol02AttachSubFoldersOnlyWithoutFiles->isChecked();
    in.ViewDetailedResults = ui->chkVol02ViewDetailedResults->isChecked();
    in.ViewDestFolder = ui->chkVol02ViewDestFolder->isChecked();
    return in;
}

_tagVol0XParts Vol02Page::Vol02GetNameParts() const { return GetNameParts(Vol02ReadInputs()); }

void Vol02Page::Vol02ShowCounters() { Vol02VisualLog().ShowCounters(Labels()); }

void Vol02Page::Vol02ClearLogLists() { Vol02VisualLog().ClearLogLists(); }

RunHooks Vol02Page::Vol02Hooks() {
    RunHooks hooks = PageRunHooks(this, Shared);
    hooks.EnableRunButtons = [this](bool enabled) { Vol02EnableRunButtons(enabled); };
    hooks.FocusAddFolderStructure = [this] { ui->btnVol02AddFolderStructure->setFocus(); };
    // The current destination leads the history; blanks and repeats go.
    hooks.TidyDestinationHistory = [this] { TidyDestinationHistory(ui->cboVol02DestFolders); };
    return hooks;
}

void Vol02Page::btnVol02CreateFoldersClick() {
    VisualLog log = Vol02VisualLog();
    Vol02RunCreateFolders(*this, Vol02ReadInputs(), log, Vol02Hooks());
}

void Vol02Page::btnVol02StatisticClick() {
    Vol02ShowCounters();
    if (frmStatistic02) frmStatistic02->ShowLog();
}
