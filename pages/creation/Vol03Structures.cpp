// Page 03: the structure list (existing folder structures or template
// lines) and its source and attach options, on the create pages' shared
// handlers with this page's messages.
#include "pages/StructureLists.h"
#include "pages/creation/Vol03Page.h"
#include "ui_Vol03Page.h"

void Vol03Page::rdoVol03AttachNothingClick() { Structures->AttachNothingClick(); }
void Vol03Page::rdoVol03StructureImportFullPathsClick() { Structures->FullPathsClick(); }
void Vol03Page::rdoVol03StructureImportRelativePathsClick() { Structures->RelativePathsClick(); }
void Vol03Page::Vol03SetRelativePathsMode() { Structures->SetRelativePathsMode(); }
void Vol03Page::Vol03SetFullPathsMode() { Structures->SetFullPathsMode(); }

void Vol03Page::rdoVol03AttachMainFolderWithoutFilesClick() { Structures->AttachOptionClick(false); }
void Vol03Page::rdoVol03AttachSubFoldersOnlyWithoutFilesClick() { Structures->AttachOptionClick(false); }
void Vol03Page::rdoVol03AttachMainFolderWithFilesClick() {
    Structures->AttachOptionClick(ui->rdoVol03AttachMainFolderWithFiles->isChecked());
}
void Vol03Page::rdoVol03AttachSubFoldersOnlyWithFilesClick() {
    Structures->AttachOptionClick(ui->rdoVol03AttachSubFoldersOnlyWithFiles->isChecked());
}

void Vol03Page::btnVol03FolderTemplatesOptionsClick() { Structures->TemplateOptionsClick(); }
void Vol03Page::btnVol03AddFolderStructureClick() { Structures->AddFolderStructureClick(); }
void Vol03Page::Vol03AddStructure(const std::string& path) { Structures->AddStructure(path); }
void Vol03Page::btnVol03ImportFolderStructuresTemplatesClick() { Structures->ImportClick(); }
void Vol03Page::btnVol03ExportFolderStructuresTemplatesClick() { Structures->ExportClick(); }
void Vol03Page::btnVol03EditFolderStructuresTemplatesClick() { Structures->EditClick(); }
void Vol03Page::btnVol03ViewFolderStructureClick() { Structures->ViewSelectedClick(); }
void Vol03Page::btnVol03DeleteSelFolderStructuresTemplatesClick() { Structures->DeleteSelectedClick(); }
void Vol03Page::btnVol03DeleteAllFolderStructuresTemplatesClick() { Structures->DeleteAllClick(); }
