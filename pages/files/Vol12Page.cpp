#include "pages/files/Vol12Page.h"

#include "ui_Vol12Page.h"

using namespace pagekit;

Vol12Page::Vol12Page(MainWindowShared& shared, QWidget* parent)
    : QWidget(parent), ui(new Ui::Vol12Page), Shared(shared) {
    ui->setupUi(this);
    connect(ui->rdoVol12RenameAddPrefixesSuffixes, &QRadioButton::clicked, this,
            &Vol12Page::rdoVol12RenameAddPrefixesSuffixesClick);
    connect(ui->rdoVol12RenameChangeFileType, &QRadioButton::clicked, this,
            &Vol12Page::rdoVol12RenameChangeFileTypeClick);
}

Vol12Page::~Vol12Page() { delete ui; }

void Vol12Page::Vol12ResetCounters() {
    Stat12FoldersNotExist = Stat12FilesRenamed = Stat12FilesSourceNotExist = Stat12FilesOtherReasons =
        Stat12FilesDropped = Stat12FilesOverWrited = Stat12FilesIncreasedNames = Stat12FilesIncreasedTypes = 0;
}

void Vol12Page::Vol12ClearResultLists() {
    for (DEQ_REPLACE_FOLDER_STRUCT* pairs : {&Vol12RenamedPairs, &Vol12OverwrittenPairs, &Vol12IncreasedNamePairs,
                                             &Vol12IncreasedTypePairs, &Vol12FailedUndoPairs})
        pairs->clear();
    Vol12OverwrittenFiles.clear();
    Vol12RenamedFiles.clear();
}

void Vol12Page::Vol12RefreshPage() {
    const bool filled = ui->lstVol12IncludeFolderList->count() > 0;
    Vol12EnablePageControls(filled);
    Vol12EnableRunButtons(filled);
    Vol12ResetCounters();
    ui->lblVol12IncludeSum->setText(CountText(ui->lstVol12IncludeFolderList));
    ui->lblVol12ExcludeSum->setText(CountText(ui->lstVol12ExcludeFolderList));
}

void Vol12Page::Vol12EnablePageControls(bool flag) {
    SetEnabled(this,
               {"rdoVol12RenameAddPrefixesSuffixes", "rdoVol12RenameChangeFileType", "lblVol12NewPrefixCimke",
                "edtVol12NewPrefix", "lblVol12DelimiterPrefixSubFolderCimke", "edtVol12DelimiterPrefixSubFolder",
                "lblVol12DelimiterSubFolderSuffixCimke", "edtVol12DelimiterSubFolderSuffix", "lblVol12NewSuffixCimke",
                "edtVol12NewSuffix", "lblVol12RenameChangeOldFileType", "edtVol12RenameChangeOldFileType",
                "lblVol12RenameChangeNewFileType", "edtVol12RenameChangeNewFileType",
                "rdoVol12RenameFilesInMainFolders", "rdoVol12RenameFilesInMainFoldersAndSubFolders",
                "rdoVol12RenameFilesInSubFolders", "rdoVol12RenameDuplicatedFilesDrop",
                "rdoVol12RenameDuplicatedFilesOverWrite", "rdoVol12RenameDuplicatedFilesIncreaseFileNames",
                "chkVol12ShowDetailedResults"},
               flag);
    if (IsEnabledAndChecked(ui->rdoVol12RenameAddPrefixesSuffixes))
        Vol12EnableMethodControls(true);
    else if (IsEnabledAndChecked(ui->rdoVol12RenameChangeFileType))
        Vol12EnableMethodControls(false);
    Vol12EnableRunButtons(true);
}

void Vol12Page::Vol12EnableRunButtons(bool) {
    // Rename Files and Simulation come with the page's run.
}

void Vol12Page::rdoVol12RenameAddPrefixesSuffixesClick() {
    Vol12EnableMethodControls(ui->rdoVol12RenameAddPrefixesSuffixes->isChecked());
}

void Vol12Page::rdoVol12RenameChangeFileTypeClick() {
    Vol12EnableMethodControls(!ui->rdoVol12RenameChangeFileType->isChecked());
}

void Vol12Page::Vol12EnableMethodControls(bool prefixSuffix) {
    SetEnabled(this,
               {"lblVol12NewPrefixCimke", "edtVol12NewPrefix", "lblVol12DelimiterPrefixSubFolderCimke",
                "edtVol12DelimiterPrefixSubFolder", "lblVol12DelimiterSubFolderSuffixCimke",
                "edtVol12DelimiterSubFolderSuffix", "lblVol12NewSuffixCimke", "edtVol12NewSuffix"},
               prefixSuffix);
    SetEnabled(this,
               {"lblVol12RenameChangeOldFileType", "edtVol12RenameChangeOldFileType", "lblVol12RenameChangeNewFileType",
                "edtVol12RenameChangeNewFileType"},
               !prefixSuffix);
}
