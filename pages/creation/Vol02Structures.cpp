// Page 02: the structure list (existing folder structures or template
// lines), its source and attach options, and the disk-space figures it feeds.
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>

#include "core/FolderStructSize.h"
#include "core/PathTools.h"
#include "core/ShellServices.h"
#include "core/Validation.h"
#include "pages/creation/Vol02Internal.h"
#include "pages/creation/Vol02Page.h"
#include "platform/Desktop.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtPlatform.h"
#include "results/LevelSummary.h"
#include "ui_Vol02Page.h"
#include "windows/ListBoxSearch.h"
#include "windows/ListTools.h"
#include "windows/TfrmFileImport.h"
#include "windows/TfrmFolderStructuresTemplates.h"
#include "windows/TfrmFolderTemplateOptions.h"

using namespace pagekit;

namespace {

// Adds each line that is not empty and not yet listed (ignoring case).
void AddUnique(QListWidget* list, const StringList& lines) {
    QSet<QString> keys = listsearch::KeysOf(list);
    QStringList add;
    for (const auto& line : lines) {
        const QString text = Q(line);
        if (text.isEmpty() || keys.contains(listsearch::Key(text))) continue;
        keys.insert(listsearch::Key(text));
        add.append(text);
    }
    listtools::AddListItems(list, add);
}

}  // namespace

// ---- counters and disk space ------------------------------------------------------------

void Vol02Page::Vol02ResetCounters() { ResetCreationCounters(*this); }
void Vol02Page::Vol02ResetRunCounters() { ResetCreationRunCounters(*this); }

void Vol02Page::Vol02ClearResultLists() { ClearCreationRunLists(*this); }

bool Vol02Page::Vol02WithFilesChecked() const {
    return ui->rdoVol02AttachMainFolderWithFiles->isChecked() || ui->rdoVol02AttachSubFoldersOnlyWithFiles->isChecked();
}

bool Vol02Page::Vol02CheckDiskSpace(bool withFiles) { return ::Vol02CheckDiskSpace(*this, Vol02ReadInputs(), withFiles); }

void Vol02Page::Vol02ComputeStructureTotals(bool withFiles) {
    ::Vol02ComputeStructureTotals(*this, Vol02ReadInputs(), withFiles);
}

void Vol02Page::Vol02ComputeStructureTotalsWith(const std::string& path, bool withFiles) {
    ::Vol02ComputeStructureTotals(*this, Vol02ReadInputs(), withFiles, path);
}

// The destination's own tree, summarised level by level in the level-summary window.
void Vol02Page::Vol02DescribeFolder(const std::string& path) {
    Vol02ResetCounters();
    if (TrimBlanks(path).empty() || !plat::FolderExists(path)) return;  // nothing there to measure
    FolderStructSize size(path);
    size.SetCountRoot(!(ui->rdoVol02AttachSubFoldersOnlyWithFiles->isChecked() ||
                        ui->rdoVol02AttachSubFoldersOnlyWithoutFiles->isChecked()));
    ExamineShowingProgress(size);
    ShowLevelSummary2(size);
}

void Vol02Page::Vol02StructureTail(bool withFiles) {
    Vol02ResetCounters();
    Vol02CheckDiskSpace(withFiles);
    Vol02ShowCounters();
    ui->lblVol02FolderStructuresTemplatesSum->setText(CountText(ui->lstVol02AddFolderStructure));
    Vol02UpdateButtons(true);
}

// ---- the structure source ------------------------------------------------------------------

void Vol02Page::rdoVol02AttachNothingClick() {
    ApplyStructureSource(this, "Vol02", StructureSource::Nothing);
    ui->lstVol02AddFolderStructure->clear();
    Vol02ResetCounters();
    Counters.FoldersToCreate = ui->lstVol02IncludeStrings->count();
    Vol02ShowCounters();
    ui->lblVol02FolderStructuresTemplatesSum->setText(CountText(ui->lstVol02AddFolderStructure));
    Vol02UpdateButtons(true);
}

void Vol02Page::rdoVol02StructureImportRelativePathsClick() {
    ui->lstVol02AddFolderStructure->clear();
    Vol02SetRelativePathsMode();
}

void Vol02Page::rdoVol02StructureImportFullPathsClick() {
    ui->lstVol02AddFolderStructure->clear();
    Vol02SetFullPathsMode();
}

void Vol02Page::Vol02SetRelativePathsMode() {
    ApplyStructureSource(this, "Vol02", StructureSource::TemplateLines);
    Vol02StructureTail(false);
}

void Vol02Page::Vol02SetFullPathsMode() {
    Vol02SetFullPathsButtons();
    Vol02StructureTail(false);
}

// The four attach radios usable (one checked), Options off, the existing-structure buttons on.
void Vol02Page::Vol02SetFullPathsButtons() { ApplyStructureSource(this, "Vol02", StructureSource::ExistingFolders); }

void Vol02Page::Vol02AttachOptionClicked(bool withFiles) {
    Vol02SetFullPathsButtons();
    Vol02StructureTail(withFiles);
}

void Vol02Page::rdoVol02AttachMainFolderWithoutFilesClick() { Vol02AttachOptionClicked(false); }
void Vol02Page::rdoVol02AttachSubFoldersOnlyWithoutFilesClick() { Vol02AttachOptionClicked(false); }
void Vol02Page::rdoVol02AttachMainFolderWithFilesClick() {
    Vol02AttachOptionClicked(ui->rdoVol02AttachMainFolderWithFiles->isChecked());
}
void Vol02Page::rdoVol02AttachSubFoldersOnlyWithFilesClick() {
    Vol02AttachOptionClicked(ui->rdoVol02AttachSubFoldersOnlyWithFiles->isChecked());
}

void Vol02Page::btnVol02FolderTemplatesOptionsClick() {
    if (!frmFolderTemplateOptions) return;
    frmFolderTemplateOptions->SetTemplateIndex(2);
    qtplat::ExecModal(frmFolderTemplateOptions);
}

// ---- the list ---------------------------------------------------------------------------------

void Vol02Page::btnVol02AddFolderStructureClick() {
    const std::string path = BrowseForFolder(window(), "Select a Folder Structure.");
    if (path.size() == 3) {
        if (Vol02Box("Do you want to Attach the Entire Disk to the Folders specified in The Include Window ?\nClick "
                     "YES to Attach,\nClick NO to Cancel.",
                     20029, true, kAsk) == plat::IDYES)
            Vol02AddStructureToList(path);
    } else if (path.size() > 3) {
        Vol02AddStructureToList(path);
    }
}

void Vol02Page::Vol02AddStructureToList(const std::string& path) {
    QListWidget* list = ui->lstVol02AddFolderStructure;
    if (path.empty()) {
        Vol02EnableRunButtons(false);
        Vol02Box("The selection field is empty !\nAction : You must select a folder with subfolders structure.", 20030,
                 true, kWarn);
        Vol02UpdateButtons(false);
    } else {
        bool withFiles = false;
        if (Vol02WithFilesChecked()) {
            withFiles = true;
            Vol02ComputeStructureTotalsWith(path, true);
        } else if (ui->rdoVol02AttachMainFolderWithoutFiles->isChecked() ||
                   ui->rdoVol02AttachSubFoldersOnlyWithoutFiles->isChecked()) {
            Vol02ComputeStructureTotalsWith(path, false);
        }
        if (listtools::FindListItem(list, Q(path)) < 0) listtools::AddListItem(list, Q(path));
        Vol02ResetCounters();
        Vol02CheckDiskSpace(withFiles);
        Vol02ShowCounters();
        Vol02UpdateButtons(true);
        Vol02EnableRunButtons(true);
    }
    list->setFocus();
    ui->lblVol02FolderStructuresTemplatesSum->setText(CountText(list));
}

void Vol02Page::btnVol02ImportFolderStructuresTemplatesClick() {
    const bool fullPaths = IsEnabledAndChecked(ui->rdoVol02StructureImportFullPaths);
    const bool relativePaths = IsEnabledAndChecked(ui->rdoVol02StructureImportRelativePaths);
    const int result = frmFileImport ? frmFileImport->ExecFor(ui->lstVol02AddFolderStructure) : QDialog::Rejected;
    const StringList lines = frmFileImport ? frmFileImport->GetResultLines() : StringList();
    std::string report;
    if (lines.empty()) {
        Vol02Box("Empty Result List in the File Import Window!\n", 20031, true, kWarn, 13);
    } else if (result == QDialog::Accepted) {
        if (fullPaths && frmFileImport->CheckFullPaths(report)) {
            Vol02Box(report, 20032, true, kWarn);
        } else if (!fullPaths && relativePaths && frmFileImport->CheckRelativePaths(report)) {
            Vol02Box(report, 20033, true, kWarn);
        } else {
            StringList normalised;
            for (const auto& line : lines) normalised.push_back(CollapseDoubleBackslashes(SlashesToBackslashes(line)));
            AddUnique(ui->lstVol02AddFolderStructure, normalised);
        }
    }
    Vol02RefreshListCounters();
    if (IsEnabledAndChecked(ui->rdoVol02StructureImportFullPaths))
        Vol02SetFullPathsMode();
    else if (IsEnabledAndChecked(ui->rdoVol02StructureImportRelativePaths))
        Vol02SetRelativePathsMode();
    ui->lblVol02FolderStructuresTemplatesSum->setText(CountText(ui->lstVol02AddFolderStructure));
    Vol02Box("End of the Import Process !!!\n", 20052, true, kWarn, 11);
}

void Vol02Page::btnVol02ExportFolderStructuresTemplatesClick() {
    if (ui->lstVol02AddFolderStructure->count() == 0) {
        Vol02Box("The Folder Structure/Templates Window is empty !\n", 20036, true, kWarn, 13);
        return;
    }
    Vol02ExportLines(ListItems(ui->lstVol02AddFolderStructure), false);
    Vol02RefreshListCounters();
}

void Vol02Page::btnVol02EditFolderStructuresTemplatesClick() {
    QListWidget* list = ui->lstVol02AddFolderStructure;
    if (frmFolderStructuresTemplates) {
        frmFolderStructuresTemplates->ClearMemo();
        frmFolderStructuresTemplates->SetMemoLines(ListItems(list));
        if (qtplat::ExecModal(frmFolderStructuresTemplates) == QDialog::Accepted) {
            StringList lines;
            for (const auto& line : frmFolderStructuresTemplates->GetMemoLines())
                if (!TrimControlAndBlanks(line).empty()) lines.push_back(TrimControlAndBlanks(line));
            const bool relative = ui->rdoVol02StructureImportRelativePaths->isChecked();
            const bool full = !relative && ui->rdoVol02StructureImportFullPaths->isChecked();
            std::string report;
            if (relative && CheckRelativePathList(lines, report)) {
                Vol02Box(report, 20037, true, kWarn);
            } else if (full && CheckFullPathList(lines, report)) {
                Vol02Box(report, 20038, true, kWarn);
            } else {
                StringList kept;
                for (const auto& line : lines) {
                    const std::string normalised = CollapseDoubleBackslashes(SlashesToBackslashes(line));
                    const bool hasDrive = !GetDrivePart(normalised).empty();
                    if ((relative && !hasDrive) || (full && hasDrive)) kept.push_back(normalised);
                }
                list->clear();
                AddUnique(list, kept);
                Vol02RefreshListCounters();
            }
        }
        frmFolderStructuresTemplates->ClearMemo();
        frmFolderStructuresTemplates->hide();
    }
    ui->lblVol02FolderStructuresTemplatesSum->setText(CountText(list));
}

void Vol02Page::btnVol02ViewFolderStructureClick() {
    QListWidget* list = ui->lstVol02AddFolderStructure;
    if (list->currentRow() < 0) {
        Vol02Box("There is no selected Folder Structure !\nAction : You must select a folder with subfolders "
                 "structure.",
                 20040, true, kWarn);
        return;
    }
    ViewFolder(S(list->currentItem()->text()), kVol02Topic);
}

void Vol02Page::btnVol02DeleteSelFolderStructuresTemplatesClick() {
    QListWidget* list = ui->lstVol02AddFolderStructure;
    if (Vol02Box("Do you want to delete the selected item(s) from the Exclude list ?", 20041, true, kAsk) ==
        plat::IDYES) {
        for (int i = list->count() - 1; i >= 0; --i)
            if (list->item(i)->isSelected()) delete list->takeItem(i);
    }
    Vol02RefreshListCounters();
    Vol02UpdateButtons(true);
    ui->lblVol02FolderStructuresTemplatesSum->setText(CountText(list));
    ui->btnVol02DeleteSelFolderStructuresTemplates->setFocus();
}

void Vol02Page::btnVol02DeleteAllFolderStructuresTemplatesClick() {
    QListWidget* list = ui->lstVol02AddFolderStructure;
    if (list->count() == 0) {
        Vol02Box("Empty List in the Folder Structures/Templates Window!\n", 20042, true, kWarn);
    } else if (Vol02Box("Do you want to delete all item(s) from the Folder Structures/Templates list ?", 20043, true,
                        kAsk) == plat::IDYES) {
        list->clear();
    }
    Vol02RefreshListCounters();
    ui->lblVol02FolderStructuresTemplatesSum->setText(CountText(list));
    ui->btnVol02DeleteAllFolderStructuresTemplates->setFocus();
}
