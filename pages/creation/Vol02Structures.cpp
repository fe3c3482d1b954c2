// Page 02: the structure list (existing folder structures or template
// lines) and its source and attach options, on the shared structure-list
// handlers with this page's messages, and the disk-space figures it feeds.
#include <QRadioButton>

#include "core/FolderStructSize.h"
#include "core/PathTools.h"
#include "pages/RunItems.h"
#include "pages/StructureLists.h"
#include "pages/creation/Vol02Internal.h"
#include "pages/creation/Vol02Page.h"
#include "platform/FileSystem.h"
#include "results/LevelSummary.h"
#include "ui_Vol02Page.h"

using namespace pagekit;

// ---- counters and disk space ------------------------------------------------------------

void Vol02Page::Vol02ResetCounters() { ResetCreationCounters(*this); }
void Vol02Page::Vol02ResetRunCounters() { ResetCreationRunCounters(*this); }
void Vol02Page::Vol02ClearResultLists() { ClearCreationRunLists(*this); }

bool Vol02Page::Vol02CheckDiskSpace(bool withFiles) { return ::Vol02CheckDiskSpace(*this, Vol02ReadInputs(), withFiles); }

void Vol02Page::Vol02ComputeStructureTotals(bool withFiles) {
    MeasureCreationStructures(*this, Vol02ReadInputs(), withFiles);
}

void Vol02Page::Vol02ComputeStructureTotalsWith(const std::string& path, bool withFiles) {
    MeasureCreationStructures(*this, Vol02ReadInputs(), withFiles, path);
}

// The destination's own tree, summarised level by level in the level-summary window.
void Vol02Page::Vol02DescribeFolder(const std::string& path) {
    Vol02ResetCounters();
    if (TrimBlanks(path).empty()) return;
    bool exists = false;
    ReadBesideWindow([&] { exists = plat::FolderExists(path); });
    if (!exists) return;  // nothing there to measure
    FolderStructSize size(path);
    size.SetCountRoot(!(ui->rdoVol02AttachSubFoldersOnlyWithFiles->isChecked() ||
                        ui->rdoVol02AttachSubFoldersOnlyWithoutFiles->isChecked()));
    ExamineShowingProgress(size);
    ShowLevelSummary2(size);
}

// The common refresh after the options or the list changed.
void Vol02Page::Vol02StructureTail(bool withFiles) {
    Vol02ResetCounters();
    Vol02CheckDiskSpace(withFiles);
    Vol02ShowCounters();
    ui->lblVol02FolderStructuresTemplatesSum->setText(CountText(ui->lstVol02AddFolderStructure));
    Vol02UpdateButtons(true);
}

// ---- the structure source and the list ----------------------------------------------------

void Vol02Page::rdoVol02AttachNothingClick() { Structures->AttachNothingClick(); }
void Vol02Page::rdoVol02StructureImportRelativePathsClick() { Structures->RelativePathsClick(); }
void Vol02Page::rdoVol02StructureImportFullPathsClick() { Structures->FullPathsClick(); }
void Vol02Page::Vol02SetRelativePathsMode() { Structures->SetRelativePathsMode(); }
void Vol02Page::Vol02SetFullPathsMode() { Structures->SetFullPathsMode(); }
// The four attach radios usable (one checked), Options off, the existing-structure buttons on.
void Vol02Page::Vol02SetFullPathsButtons() { Structures->ApplySource(StructureSource::ExistingFolders); }

void Vol02Page::rdoVol02AttachMainFolderWithoutFilesClick() { Structures->AttachOptionClick(false); }
void Vol02Page::rdoVol02AttachSubFoldersOnlyWithoutFilesClick() { Structures->AttachOptionClick(false); }
void Vol02Page::rdoVol02AttachMainFolderWithFilesClick() {
    Structures->AttachOptionClick(ui->rdoVol02AttachMainFolderWithFiles->isChecked());
}
void Vol02Page::rdoVol02AttachSubFoldersOnlyWithFilesClick() {
    Structures->AttachOptionClick(ui->rdoVol02AttachSubFoldersOnlyWithFiles->isChecked());
}

void Vol02Page::btnVol02FolderTemplatesOptionsClick() { Structures->TemplateOptionsClick(); }
void Vol02Page::btnVol02AddFolderStructureClick() { Structures->AddFolderStructureClick(); }
void Vol02Page::Vol02AddStructureToList(const std::string& path) { Structures->AddStructure(path); }
void Vol02Page::btnVol02ImportFolderStructuresTemplatesClick() { Structures->ImportClick(); }
void Vol02Page::btnVol02ExportFolderStructuresTemplatesClick() { Structures->ExportClick(); }
void Vol02Page::btnVol02EditFolderStructuresTemplatesClick() { Structures->EditClick(); }
void Vol02Page::btnVol02ViewFolderStructureClick() { Structures->ViewSelectedClick(); }
void Vol02Page::btnVol02DeleteSelFolderStructuresTemplatesClick() { Structures->DeleteSelectedClick(); }
void Vol02Page::btnVol02DeleteAllFolderStructuresTemplatesClick() { Structures->DeleteAllClick(); }
