#include "pages/files/Vol11Page.h"

#include "ui_Vol11Page.h"

using namespace pagekit;

Vol11Page::Vol11Page(MainWindowShared& shared, QWidget* parent)
    : QWidget(parent), ui(new Ui::Vol11Page), Shared(shared) {
    ui->setupUi(this);
}

Vol11Page::~Vol11Page() { delete ui; }

void Vol11Page::Vol11ClearTotals() {
    Stat11FoldersToDelete = Stat11FilesToDelete = Stat11FilesSizeToDelete = 0;
    Vol11StructureBytes = 0;
    Vol11StructureFolders = Vol11StructureFiles = 0;
    Vol11FileSizes.clear();
}

void Vol11Page::Vol11ResetCounters() {
    Stat11FoldersDeleted = Stat11FilesDeleted = Stat11FoldersNotExists = Stat11FilesNotExists =
        Stat11FoldersOtherReasons = Stat11FilesOtherReasons = 0;
}

void Vol11Page::Vol11ClearResultLists() {
    for (StringList* list :
         {&Vol11ResultFilesDeleted, &Vol11ResultFilesNotExists, &Vol11ResultFilesOther, &Vol11ResultFoldersNotExists})
        list->clear();
}

void Vol11Page::Vol11RefreshPage() {
    const bool filled = ui->lstVol11IncludeFolderList->count() > 0;
    Vol11EnablePageControls(filled);
    Vol11EnableRunButtons(filled);
    Vol11ClearTotals();
    Vol11ResetCounters();
    ui->lblVol11IncludeSum->setText(CountText(ui->lstVol11IncludeFolderList));
    ui->lblVol11ExcludeSum->setText(CountText(ui->lstVol11ExcludeFolderList));
}

void Vol11Page::Vol11EnablePageControls(bool flag) {
    SetEnabled(this,
               {"rdoVol11DeleteOnlyFilesInMainFolder", "rdoVol11DeleteOnlyFiles", "chkVol11ReadOnlyFiles",
                "chkVol11DeleteDoubleConfirm", "chkVol11ShowDetailedResults"},
               flag);
    const bool scope = IsEnabledAndChecked(ui->rdoVol11DeleteOnlyFilesInMainFolder) ||
                       IsEnabledAndChecked(ui->rdoVol11DeleteOnlyFiles);
    SetEnabled(this, {"btnVol11FileSelection", "lstVol11FileTypesAllSelected"}, scope);
    Vol11EnableRunButtons(true);
}

void Vol11Page::Vol11EnableRunButtons(bool) {
    // Delete Files and Simulation come with the page's run.
}
