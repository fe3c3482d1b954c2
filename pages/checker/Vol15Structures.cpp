// Page 15: the source structures (existing folders or template lines),
// their source kind and compare way, on the shared structure-list handlers
// with this page's messages, and the counts they feed.
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>

#include "pages/StructureLists.h"
#include "pages/checker/Vol15Page.h"
#include "platform/qt/QtPlatform.h"
#include "ui_Vol15Page.h"
#include "windows/TfrmFileSelection.h"

using namespace pagekit;

// A new source kind starts with an empty structure list.
void Vol15Page::rdoVol15StructureImportFullPathsClick() { Structures->FullPathsClick(); }
void Vol15Page::rdoVol15StructureImportRelativePathsClick() { Structures->RelativePathsClick(); }

void Vol15Page::rdoVol15AttachMainFolderWithoutFilesClick() { Structures->AttachOptionClick(false); }
void Vol15Page::rdoVol15AttachSubFoldersOnlyWithoutFilesClick() { Structures->AttachOptionClick(false); }
void Vol15Page::rdoVol15AttachMainFolderWithFilesClick() { Structures->AttachOptionClick(true); }
void Vol15Page::rdoVol15AttachSubFoldersOnlyWithFilesClick() { Structures->AttachOptionClick(true); }

void Vol15Page::btnVol15FolderTemplatesOptionsClick() { Structures->TemplateOptionsClick(); }
void Vol15Page::btnVol15AddFolderStructureClick() { Structures->AddFolderStructureClick(); }
void Vol15Page::btnVol15ImportFolderStructuresTemplatesClick() { Structures->ImportClick(); }
void Vol15Page::btnVol15ExportFolderStructuresTemplatesClick() { Structures->ExportClick(); }
void Vol15Page::btnVol15EditFolderStructuresTemplatesClick() { Structures->EditClick(); }
void Vol15Page::btnVol15ViewFolderStructureClick() { Structures->ViewSelectedClick(); }
void Vol15Page::btnVol15DeleteSelFolderStructuresTemplatesClick() { Structures->DeleteSelectedClick(); }
void Vol15Page::btnVol15DeleteAllFolderStructuresTemplatesClick() { Structures->DeleteAllClick(); }

void Vol15Page::btnVol15FileSelectionClick() {
    if (frmFileSelection && qtplat::ExecModal(frmFileSelection) == QDialog::Accepted) Vol15RefreshPage();
}

// The common refresh after the options or the list changed.
void Vol15Page::Vol15StructureTail(bool withFiles) {
    Vol15ResetCounters();
    Vol15CountItemsToCheck(withFiles);
    Vol15UpdateResultLabels();
    Vol15EnableRunButtons(true);
    ui->lblVol15FolderStructuresTemplatesSum->setText(CountText(ui->lstVol15AddFolderStructure));
}
