// CREATE on page 03: the checks, the Visual Log, the numbered folders, the
// end. The simulation (Vol03Simulation.cpp) is this frame on the dry disk.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "core/PathTools.h"
#include "core/ShellServices.h"
#include "pages/PageCommon.h"
#include "pages/VisualLog.h"
#include "pages/creation/Vol03Internal.h"
#include "pages/creation/Vol03Page.h"
#include "platform/MessageBox.h"
#include "results/TfrmStatistic03.h"
#include "ui_Vol03Page.h"

using namespace pagekit;

RunFrame Vol03Frame(Vol03State& state, const Vol03Inputs& in, RunLog& log, const Vol03PageHooks& hooks,
                    bool simulation, const std::string& startAboveEndCaption, const std::string& noStructureCaption) {
    // The numbers of the edits, read once: the check, the counters and the
    // loop all use them (the stored ones may be stale after a restore).
    const Vol03Numbers numbers = Vol03ReadNumbers(in.StartText, in.EndText);
    auto check = [&state, &in, &hooks, numbers, startAboveEndCaption] {
        if ((!numbers.StartValid || !numbers.EndValid) && hooks.ShowNumbers) hooks.ShowNumbers(numbers);
        state.Vol03StartValue = static_cast<std::int32_t>(numbers.Start);
        state.Vol03EndValue = static_cast<std::int32_t>(numbers.End);
        if (numbers.Start > numbers.End) {
            plat::MessageBox("The Start Number is greater then the End one.!\nAction : You must enter a Start number "
                             "that is smaller than the End one.",
                             startAboveEndCaption, kWarn);
            if (hooks.FocusEndNumber) hooks.FocusEndNumber();
            return false;
        }
        if (in.WithFiles()) return Vol03CheckDiskSpace(state, in, true);
        Vol03CountToCreate(state, in);
        return true;
    };
    RunFrame frame = CreationFrame(
        state, in, simulation, check, noStructureCaption, hooks, kVol03Topic,
        static_cast<double>(in.DestFolder.size() + in.Prefix.size() + in.Suffix.size() + 3 + numbers.Digits()),
        TrimControlAndBlanks(in.DestFolder));
    frame.MemoryAction = "Narrow the range or the structure.";
    frame.Work = [&state, &in, &log, numbers](RunDisk& disk) {
        if (!disk.IsDry()) {
            const std::string destination = TrimControlAndBlanks(in.DestFolder);
            state.LastDestination =
                destination.empty() || destination.back() != '\\' ? destination + "\\" : destination;
        }
        state.Vol03DigitCount = numbers.Digits();
        Vol03Creator(in, numbers, state, log, disk).CreateAll();
    };
    frame.View = in.ViewDestFolder;
    frame.ViewFolder = TrimControlAndBlanks(in.DestFolder);
    frame.Finish = hooks.TidyDestinationHistory;
    return frame;
}

void Vol03RunCreateFolders(Vol03State& state, const Vol03Inputs& in, RunLog& log, const Vol03PageHooks& hooks) {
    RunFrame frame = Vol03Frame(state, in, log, hooks, false, MessageCaption(kVol03Topic, "Warning", 30027, "    "),
                                MessageCaption(kVol03Topic, "Warning", 30029, kVol03Tabs));
    frame.Questions = {{"Do you want to create folders ?\n",
                        MessageCaption("Creating Folder(s).- Increased Numbers.", "Information", 30030)}};
    frame.End = {"End of Creating Folders/Files !!!", MessageCaption(kVol03Topic, "Information", 30034)};
    frame.ViewTopic = kVol03Topic;
    RunOnFrame(frame, log, hooks);
}

// ---- the page's side ------------------------------------------------------------------------

Vol03Inputs Vol03Page::Vol03ReadInputs() const {
    Vol03Inputs in;
    in.DestFolder = S(ui->cboVol03DestFolders->currentText());
    in.StartText = S(ui->edtVol03StartNumber->text());
    in.EndText = S(ui->edtVol03EndNumber->text());
    in.Prefix = S(ui->edtVol03Prefix->text());
    in.Suffix = S(ui->edtVol03Suffix->text());
    in.Hyphen = ui->chkVol03Hyphen->isChecked();
    in.PaddedZeroes = ui->chkVol03PaddedZeroes->isChecked();
    in.AddIncNumbersAsSuffix = ui->chkVol03AddIncNumbersAsSuffix->isChecked();
    in.FolderStructures = ListItems(ui->lstVol03AddFolderStructure);
    in.AttachNothing = ui->rdoVol03AttachNothing->isChecked();
    in.FullPaths = IsEnabledAndChecked(ui->rdoVol03StructureImportFullPaths);
    in.RelativePaths = IsEnabledAndChecked(ui->rdoVol03StructureImportRelativePaths);
    in.MainFolderWithFiles = ui->rdoVol03AttachMainFolderWithFiles->isChecked();
    in.MainFolderWithoutFiles = ui->rdoVol03AttachMainFolderWithoutFiles->isChecked();
    in.SubFoldersOnlyWithFiles = ui->rdoVol03AttachSubFoldersOnlyWithFiles->isChecked();
    in.SubFoldersOnlyWithoutFiles = ui->rdoVol03AttachSubFoldersOnlyWithoutFiles->isChecked();
    in.ViewDetailedResults = ui->chkVol03ViewDetailedResults->isChecked();
    in.ViewDestFolder = ui->chkVol03ViewDestFolder->isChecked();
    return in;
}

_tagVol0XParts Vol03Page::Vol03GetNameParts() const { return GetNameParts(Vol03ReadInputs()); }

Vol03PageHooks Vol03Page::Vol03Hooks() {
    Vol03PageHooks hooks;
    static_cast<RunHooks&>(hooks) = PageRunHooks(this, Shared);
    hooks.EnableRunButtons = [this](bool enabled) { Vol03EnableRunButtons(enabled); };
    hooks.FocusEndNumber = [this] { ui->edtVol03EndNumber->setFocus(); };
    hooks.FocusAddFolderStructure = [this] { ui->btnVol03AddFolderStructure->setFocus(); };
    hooks.ShowNumbers = [this](const Vol03Numbers& numbers) { Vol03ShowNumbers(numbers); };
    hooks.TidyDestinationHistory = [this] { TidyDestinationHistory(ui->cboVol03DestFolders); };
    return hooks;
}

void Vol03Page::btnVol03CreateFoldersClick() {
    VisualLog log = Vol03VisualLog();
    Vol03RunCreateFolders(*this, Vol03ReadInputs(), log, Vol03Hooks());
}

void Vol03Page::btnVol03StatisticsClick() {
    Vol03ShowCounters();
    if (frmStatistic03) frmStatistic03->ShowLog();
}
