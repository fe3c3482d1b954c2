// Page 15: the source structures (existing folders or template lines),
// their source kind and compare way, and the counts they feed.
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>

#include "core/PathTools.h"
#include "core/ShellServices.h"
#include "core/Validation.h"
#include "pages/checker/Vol15Internal.h"
#include "pages/checker/Vol15Page.h"
#include "platform/qt/QtPlatform.h"
#include "ui_Vol15Page.h"
#include "windows/ListBoxSearch.h"
#include "windows/ListTools.h"
#include "windows/TfrmFileImport.h"
#include "windows/TfrmFileSelection.h"
#include "windows/TfrmFolderStructuresTemplates.h"
#include "windows/TfrmFolderTemplateOptions.h"

using namespace pagekit;

namespace {

std::string Normalised(const std::string& line) { return CollapseDoubleBackslashes(SlashesToBackslashes(line)); }

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

// ---- source kind and compare way ---------------------------------------------------------------

void Vol15Page::Vol15SourceKindTail() {
    Vol15ResetCounters();
    Vol15CountItemsToCheck(false);
    Vol15UpdateResultLabels();
    ui->lblVol15FolderStructuresTemplatesSum->setText(CountText(ui->lstVol15AddFolderStructure));
    Vol15EnableRunButtons(true);
}

void Vol15Page::Vol15ApplySourceKind() {
    if (IsEnabledAndChecked(ui->rdoVol15StructureImportFullPaths)) {
        Vol15KeepOneCompareRadio();
        ApplyStructureSource(this, "Vol15", StructureSource::ExistingFolders);
    } else if (IsEnabledAndChecked(ui->rdoVol15StructureImportRelativePaths)) {
        ApplyStructureSource(this, "Vol15", StructureSource::TemplateLines);
    }
    Vol15SourceKindTail();
}

// A new source kind starts with an empty structure list.
void Vol15Page::rdoVol15StructureImportFullPathsClick() {
    ui->lstVol15AddFolderStructure->clear();
    Vol15ApplySourceKind();
}

void Vol15Page::rdoVol15StructureImportRelativePathsClick() {
    ui->lstVol15AddFolderStructure->clear();
    Vol15ApplySourceKind();
}

void Vol15Page::Vol15CompareModeClicked(bool withFiles) {
    ApplyStructureSource(this, "Vol15", StructureSource::ExistingFolders);
    Vol15ResetCounters();
    Vol15CountItemsToCheck(withFiles);
    Vol15UpdateResultLabels();
    Vol15EnableRunButtons(true);
    SetEnabled(this, {"btnVol15FileSelection", "lstVol15FileTypesAllSelected"}, withFiles);
}

void Vol15Page::rdoVol15AttachMainFolderWithoutFilesClick() { Vol15CompareModeClicked(false); }
void Vol15Page::rdoVol15AttachSubFoldersOnlyWithoutFilesClick() { Vol15CompareModeClicked(false); }
void Vol15Page::rdoVol15AttachMainFolderWithFilesClick() { Vol15CompareModeClicked(true); }
void Vol15Page::rdoVol15AttachSubFoldersOnlyWithFilesClick() { Vol15CompareModeClicked(true); }

void Vol15Page::btnVol15FolderTemplatesOptionsClick() {
    if (!frmFolderTemplateOptions) return;
    frmFolderTemplateOptions->SetTemplateIndex(5);
    qtplat::ExecModal(frmFolderTemplateOptions);
    Vol15StructureTail();  // the options change what the lines give
}

void Vol15Page::btnVol15FileSelectionClick() {
    if (frmFileSelection && qtplat::ExecModal(frmFileSelection) == QDialog::Accepted) Vol15RefreshPage();
}

// ---- the list ------------------------------------------------------------------------------------

void Vol15Page::Vol15StructureTail() {
    Vol15ResetCounters();
    Vol15CountItemsToCheck(Vol15WithFilesChecked());
    Vol15UpdateResultLabels();
    Vol15EnableRunButtons(true);
    ui->lblVol15FolderStructuresTemplatesSum->setText(CountText(ui->lstVol15AddFolderStructure));
}

void Vol15Page::btnVol15AddFolderStructureClick() {
    const std::string path = BrowseForFolder(window(), "Select the Folder Structure.");
    if (path.size() == 3 &&
        (!CheckDrive(path) ||
         Vol15Box("Do you want to COPY the Entire Disk to the Folders specified in The Include Window ?\nClick YES to "
                  "Copy,\nClick NO to Cancel.",
                  150029, kAsk, kVol15Information) != plat::IDYES))
        return;
    QListWidget* list = ui->lstVol15AddFolderStructure;
    if (path.empty()) {
        ui->btnVol15CheckProjectsConsistency->setEnabled(false);
        Vol15Box("The selection field is empty !\nAction : You must select a folder with subfolder structure.", 150030,
                 kWarn);
        Vol15EnableRunButtons(false);
    } else {
        if (listtools::FindListItem(list, Q(path)) < 0) listtools::AddListItem(list, Q(path));
        Vol15StructureTail();
    }
    ui->lblVol15FolderStructuresTemplatesSum->setText(CountText(list));
}

void Vol15Page::btnVol15ImportFolderStructuresTemplatesClick() {
    const bool fullPaths = IsEnabledAndChecked(ui->rdoVol15StructureImportFullPaths);
    const int result = frmFileImport ? frmFileImport->ExecFor(ui->lstVol15AddFolderStructure) : QDialog::Rejected;
    const StringList lines = frmFileImport ? frmFileImport->GetResultLines() : StringList();
    std::string report;
    if (lines.empty()) {
        Vol15Box("Empty Result List in the File Import Window!\n", 150031, kWarn);
    } else if (result == QDialog::Accepted) {
        if (fullPaths && frmFileImport->CheckFullPaths(report)) {
            Vol15Box(report, 150032, kWarn);
        } else if (!fullPaths && frmFileImport->CheckRelativePaths(report)) {
            Vol15Box(report, 150033, kWarn);
        } else {
            StringList normalised;
            for (const auto& line : lines) normalised.push_back(Normalised(line));
            AddUnique(ui->lstVol15AddFolderStructure, normalised);
        }
    }
    Vol15RefreshPage();
    Vol15ApplySourceKind();
    Vol15ImportEndBox("150053");
}

void Vol15Page::btnVol15ExportFolderStructuresTemplatesClick() {
    if (ui->lstVol15AddFolderStructure->count() == 0) {
        Vol15Box("The Folder Structure/Templates Window is empty !\n", 150037, kWarn, kWarning, 13);
        return;
    }
    Vol15ExportLines(ListItems(ui->lstVol15AddFolderStructure), "STRINGS");
}

void Vol15Page::btnVol15EditFolderStructuresTemplatesClick() {
    QListWidget* list = ui->lstVol15AddFolderStructure;
    if (!frmFolderStructuresTemplates) return;
    frmFolderStructuresTemplates->ClearMemo();
    frmFolderStructuresTemplates->SetMemoLines(ListItems(list));
    if (qtplat::ExecModal(frmFolderStructuresTemplates) == QDialog::Accepted) {
        StringList lines;
        for (const auto& line : frmFolderStructuresTemplates->GetMemoLines())
            if (!TrimControlAndBlanks(line).empty()) lines.push_back(TrimControlAndBlanks(line));
        const bool relative = ui->rdoVol15StructureImportRelativePaths->isChecked();
        std::string report;
        if (relative && CheckRelativePathList(lines, report)) {
            Vol15Box(report, 150038, kWarn);
        } else if (!relative && CheckFullPathList(lines, report)) {
            Vol15Box(report, 150039, kWarn, kWarning, 13);
        } else {
            StringList kept;
            for (const auto& line : lines) {
                const std::string normalised = Normalised(line);
                if (GetDrivePart(normalised).empty() == relative) kept.push_back(normalised);
            }
            list->clear();
            AddUnique(list, kept);
            Vol15RefreshPage();
        }
    }
    frmFolderStructuresTemplates->ClearMemo();
    frmFolderStructuresTemplates->hide();
}

void Vol15Page::btnVol15ViewFolderStructureClick() {
    QListWidget* list = ui->lstVol15AddFolderStructure;
    if (list->currentRow() < 0 || !list->currentItem()->isSelected()) {
        Vol15Box("There is no selected Folder Structure !\nAction : You must select a Folder with subfolder structure.",
                 150041, kWarn);
        return;
    }
    ViewFolder(TrimControlAndBlanks(S(list->currentItem()->text())), kVol15Topic);
}

void Vol15Page::btnVol15DeleteSelFolderStructuresTemplatesClick() {
    QListWidget* list = ui->lstVol15AddFolderStructure;
    if (Vol15Box("Do you want to delete the selected item(s) from the Exclude list ?", 150042, kAsk) ==
        plat::IDYES) {
        for (int i = list->count() - 1; i >= 0; --i)
            if (list->item(i)->isSelected()) delete list->takeItem(i);
    }
    Vol15StructureTail();
}

void Vol15Page::btnVol15DeleteAllFolderStructuresTemplatesClick() {
    QListWidget* list = ui->lstVol15AddFolderStructure;
    if (list->count() == 0) {
        Vol15Box("Empty List in the Folder Structure/Templates Window!\n", 150043, kWarn);
        return;
    }
    if (Vol15Box("Do you want to delete all item(s) from the Folder Structure/Templates list ?", 150044, kAsk) ==
        plat::IDYES)
        list->clear();
    Vol15StructureTail();
}
