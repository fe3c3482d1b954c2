#include "pages/folders/Vol07Page.h"

#include "ui_Vol07Page.h"

using namespace pagekit;

Vol07Page::Vol07Page(MainWindowShared& shared, QWidget* parent)
    : QWidget(parent), ui(new Ui::Vol07Page), Shared(shared) {
    ui->setupUi(this);
}

Vol07Page::~Vol07Page() { delete ui; }

void Vol07Page::Vol07InitCounters() {
    Stat07FoldersToDelete = Stat07FilesToDelete = 0;
    Vol07StructureBytes = 0;
    Vol07StructureFolders = Vol07StructureFiles = 0;
}

void Vol07Page::Vol07ResetCounters() {
    Stat07FoldersDeleted = Stat07FilesDeleted = Stat07MainFoldersNotExist = Stat07FoldersNotExists =
        Stat07FilesNotExists = Stat07FoldersOtherReasons = Stat07FilesOtherReasons = 0;
}

void Vol07Page::Vol07ClearResultLists() {
    for (StringList* list : {&Vol07ResultFoldersDeleted, &Vol07ResultFoldersNotExists, &Vol07ResultFoldersOther,
                             &Vol07ResultMainFoldersNotExist})
        list->clear();
}

void Vol07Page::Vol07RefreshPage() {
    const bool filled = ui->lstVol07IncludeFolderList->count() > 0;
    Vol07EnablePageControls(filled);
    Vol07EnableRunButtons(filled);
    Vol07InitCounters();
    Vol07ResetCounters();
    ui->lblVol07IncludeSum->setText(CountText(ui->lstVol07IncludeFolderList));
    ui->lblVol07ExcludeSum->setText(CountText(ui->lstVol07ExcludeFolderList));
}

void Vol07Page::Vol07EnablePageControls(bool flag) {
    SetEnabled(this,
               {"chkVol07DeleteDoubleConfirm", "rdoVol07DeleteSubFolders", "rdoVol07DeleteCompleteFolders",
                "chkVol07ShowDetailedResults", "chkVol07ReadOnlyFolders"},
               flag);
    Vol07EnableRunButtons(true);
}

void Vol07Page::Vol07EnableRunButtons(bool) {
    // DELETE and Simulation come with the page's run.
}
