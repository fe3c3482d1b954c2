// Page 04: the structure list (existing folder structures or template
// lines) and its source and attach options, on the create pages' shared
// handlers with this page's messages.
#include <QRadioButton>

#include "pages/StructureLists.h"
#include "pages/creation/Vol04Page.h"
#include "ui_Vol04Page.h"

void Vol04Page::rdoVol04AttachNothingClick() { Structures->AttachNothingClick(); }
void Vol04Page::rdoVol04StructureImportFullPathsClick() { Structures->FullPathsClick(); }
void Vol04Page::rdoVol04StructureImportRelativePathsClick() { Structures->RelativePathsClick(); }
void Vol04Page::Vol04SetRelativePathsMode() { Structures->SetRelativePathsMode(); }
void Vol04Page::Vol04SetFullPathsMode() { Structures->SetFullPathsMode(); }

void Vol04Page::rdoVol04AttachMainFolderWithoutFilesClick() { Structures->AttachOptionClick(false); }
void Vol04Page::rdoVol04AttachSubFoldersOnlyWithoutFilesClick() { Structures->AttachOptionClick(false); }
void Vol04Page::rdoVol04AttachMainFolderWithFilesClick() {
    Structures->AttachOptionClick(ui->rdoVol04AttachMainFolderWithFiles->isChecked());
}
void Vol04Page::rdoVol04AttachSubFoldersOnlyWithFilesClick() {
    Structures->AttachOptionClick(ui->rdoVol04AttachSubFoldersOnlyWithFiles->isChecked());
}

void Vol04Page::btnVol04FolderTemplatesOptionsClick() { Structures->TemplateOptionsClick(); }
void Vol04Page::btnVol04AddFolderStructureClick() { Structures->AddFolderStructureClick(); }
void Vol04Page::Vol04AddFolderStructurePath(const std::string& path) { Structures->AddStructure(path); }
void Vol04Page::btnVol04ImportFolderStructuresTemplatesClick() { Structures->ImportClick(); }
void Vol04Page::btnVol04ExportFolderStructuresTemplatesClick() { Structures->ExportClick(); }
void Vol04Page::btnVol04EditFolderStructuresTemplatesClick() { Structures->EditClick(); }
void Vol04Page::btnVol04ViewFolderStructureClick() { Structures->ViewSelectedClick(); }
void Vol04Page::btnVol04DeleteSelFolderStructuresTemplatesClick() { Structures->DeleteSelectedClick(); }
void Vol04Page::btnVol04DeleteAllFolderStructuresTemplatesClick() { Structures->DeleteAllClick(); }
