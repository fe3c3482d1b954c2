#include "pages/files/Vol10Page.h"

#include "ui_Vol10Page.h"

using namespace pagekit;

Vol10Page::Vol10Page(MainWindowShared& shared, QWidget* parent)
    : QWidget(parent), ui(new Ui::Vol10Page), Shared(shared) {
    ui->setupUi(this);
}

Vol10Page::~Vol10Page() { delete ui; }

void Vol10Page::Vol10ResetCounters() {
    Stat10FoldersToCopy = Stat10SubFoldersToCopy = Stat10FilesToCopy = Stat10FileSizeToCopy = 0;
    Stat10FoldersCopied = Stat10SubFoldersCopied = Stat10FilesCopied = Stat10FileSizeCopied = 0;
    Stat10FoldersNotExists = Stat10SubFoldersExists = Stat10FilesExists = Stat10FileSizeExists = 0;
    Stat10FilesSkipped = Stat10FilesOverWrited = Stat10FilesIncreasedFileNames = Stat10FilesOtherReasons = 0;
}

void Vol10Page::Vol10ClearResultLists() {
    for (StringList* list : {&Vol10ResultFilesCopied, &Vol10ResultFilesExists, &Vol10ResultFilesOther,
                             &Vol10ResultFoldersNotExists, &Vol10CreatedFolders, &Vol10CreatedSubFolders,
                             &Vol10CreatedFiles, &Vol10ExistingFolders, &Vol10OtherReasons, &Vol10FailedUndoFolders})
        list->clear();
    Vol10IncreasedNamePairs.clear();
}

void Vol10Page::Vol10RefreshPage() {
    const bool filled = ui->lstVol10IncludeFolderList->count() > 0;
    Vol10EnablePageControls(filled);
    Vol10EnableRunButtons(filled);
    Vol10ResetCounters();
    ui->lblVol10IncludeSum->setText(CountText(ui->lstVol10IncludeFolderList));
    ui->lblVol10ExcludeSum->setText(CountText(ui->lstVol10ExcludeFolderList));
}

void Vol10Page::Vol10EnablePageControls(bool flag) {
    SetEnabled(this,
               {"lblVol10FolderStructuresSource", "lblVol10FolderStructuresCimke", "lblVol10FolderStructuresSum",
                "rdoVol10CopyToMainFolders", "rdoVol10CopyToMainFoldersExtensions", "rdoVol10DuplicatedFilesSkip",
                "rdoVol10DuplicatedFilesOverWrite", "rdoVol10DuplicatedFilesIncreaseFileNames",
                "chkVol10ShowDetailedResults", "rdoVol10AttachMainFolderWithSubFolders", "rdoVol10AttachSubFoldersOnly",
                "lstVol10AddFolderStructure"},
               flag);
    const bool attach = IsEnabledAndChecked(ui->rdoVol10AttachMainFolderWithSubFolders) ||
                        IsEnabledAndChecked(ui->rdoVol10AttachSubFoldersOnly);
    SetEnabled(this, {"btnVol10FileSelection", "lstVol10FileTypesAllSelected"}, attach);
    Vol10EnableRunButtons(true);
}

void Vol10Page::Vol10EnableRunButtons(bool) {
    // Copy and Simulation come with the page's run.
}
