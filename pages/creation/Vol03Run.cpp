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
#include "pages/creation/CreationPage.h"
#include "pages/VisualLog.h"
#include "pages/creation/Vol03Internal.h"
#include "pages/creation/Vol03Page.h"
#include "platform/MessageBox.h"
#include "results/TfrmStatistic03.h"
#include "ui_Vol03Page.h"

using namespace pagekit;

namespace {

template <class F, class... Args>
void Call(const F& f, const Args&... args) {
    if (f) f(args...);
}

void Warn(const std::string& text, const std::string& caption) {
    plat::MessageBox(text, caption, plat::MB_OK | plat::MB_ICONWARNING);
}

}  // namespace

void Vol03CreateFolders(Vol03State& state, const Vol03Inputs& in, RunLog& log, const Vol03PageHooks& hooks,
                        const Vol03Frame& frame) {
    // The numbers of the edits, read once: the check, the counters and the
    // loop all use them (the stored ones may be stale after a restore).
    const Vol03Numbers numbers = Vol03ReadNumbers(in.StartText, in.EndText);
    if (!numbers.StartValid || !numbers.EndValid) Call(hooks.ShowNumbers, numbers);
    state.Vol03StartValue = static_cast<std::int32_t>(numbers.Start);
    state.Vol03EndValue = static_cast<std::int32_t>(numbers.End);
    if (numbers.Start > numbers.End) {
        Warn("The Start Number is greater then the End one.!\nAction : You must enter a Start number that is smaller "
             "than the End one.",
             frame.StartAboveEndCaption);
        Call(hooks.FocusEndNumber);
        return;
    }
    if (in.WithFiles()) {
        if (!Vol03CheckDiskSpace(state, in, true)) return;
    } else {
        Vol03CountToCreate(state, in);
    }
    if (!CheckCreationStructuresListed(in, frame.NoStructureCaption, hooks.FocusAddFolderStructure)) return;
    if (!ConfirmCreationAndOpenLog(state, in, log, frame.ConfirmText, frame.ConfirmCaption, frame.Simulation))
        return;
    Call(hooks.EnableOtherTabSheets, false);

    const std::string destination = TrimControlAndBlanks(in.DestFolder);
    if (!frame.Simulation)
        state.LastDestination = destination.empty() || destination.back() != '\\' ? destination + "\\" : destination;
    log.ClearZoomLists();
    state.Vol03DigitCount = numbers.Digits();
    if (frame.Simulation) {
        DryDisk disk;
        Vol03Creator(in, numbers, state, log, disk, true).CreateAll();
    } else {
        RealDisk disk;
        Vol03Creator(in, numbers, state, log, disk, false).CreateAll();
    }
    log.ShowCounters(state.Labels());
    plat::MessageBox(frame.EndText, frame.EndCaption, plat::MB_OK | plat::MB_ICONINFORMATION);
    if (in.ViewDestFolder) ViewFolder(destination, frame.Topic);
    Call(hooks.EnableOtherTabSheets, true);
    Call(hooks.TidyDestinationHistory);
}

void Vol03RunCreateFolders(Vol03State& state, const Vol03Inputs& in, RunLog& log, const Vol03PageHooks& hooks) {
    Vol03Frame frame;
    frame.StartAboveEndCaption = CreationCaption(kVol03Topic, 30027, true, "    ");
    frame.NoStructureCaption = CreationCaption(kVol03Topic, 30029, true, kVol03Tabs);
    frame.ConfirmText = "Do you want to create folders ?\n";
    frame.ConfirmCaption = CreationCaption("Creating Folder(s).- Increased Numbers.", 30030, false);
    frame.EndText = "End of Creating Folders/Files !!!";
    frame.EndCaption = CreationCaption(kVol03Topic, 30034, false);
    Vol03CreateFolders(state, in, log, hooks, frame);
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

_tagVol0XParts Vol03Page::Vol03GetNameParts() const { return ::Vol03GetNameParts(Vol03ReadInputs()); }

Vol03PageHooks Vol03Page::Vol03Hooks() {
    Vol03PageHooks hooks;
    hooks.EnableOtherTabSheets = [this](bool enabled) {
        EnableOtherTabSheets(this, "tabCreateFolderIncreasedNumbers", enabled);
    };
    hooks.FocusEndNumber = [this] { ui->edtVol03EndNumber->setFocus(); };
    hooks.FocusAddFolderStructure = [this] { ui->btnVol03AddFolderStructure->setFocus(); };
    hooks.ShowNumbers = [this](const Vol03Numbers& numbers) { Vol03ShowNumbers(numbers); };
    hooks.TidyDestinationHistory = [this] { TidyDestinationHistory(ui->cboVol03DestFolders); };
    return hooks;
}

void Vol03Page::btnVol03CreateFoldersClick() {
    Vol03EnableRunButtons(false);
    VisualLog log = Vol03VisualLog();
    Vol03RunCreateFolders(*this, Vol03ReadInputs(), log, Vol03Hooks());
    Vol03EnableRunButtons(true);
}

void Vol03Page::btnVol03StatisticsClick() {
    Vol03ShowCounters();
    if (frmStatistic03) frmStatistic03->ShowLog();
}
