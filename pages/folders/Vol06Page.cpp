#include "pages/folders/Vol06Page.h"

#include "ui_Vol06Page.h"

using namespace pagekit;

Vol06Page::Vol06Page(MainWindowShared& shared, QWidget* parent)
    : QWidget(parent), ui(new Ui::Vol06Page), Shared(shared) {
    ui->setupUi(this);
    connect(ui->rdoVol06RenameAddPrefixesSuffixes, &QRadioButton::clicked, this,
            &Vol06Page::rdoVol06RenameAddPrefixesSuffixesClick);
    connect(ui->rdoVol06RenameTheLastSubFolder, &QRadioButton::clicked, this,
            &Vol06Page::rdoVol06RenameTheLastSubFolderClick);
}

Vol06Page::~Vol06Page() { delete ui; }

void Vol06Page::Vol06InitCounters() {
    Stat06FoldersToRename = 0;
    Vol06ResetCounters();
}

void Vol06Page::Vol06ResetCounters() {
    Stat06FoldersRenamed = Stat06FoldersSourceNotExists = Stat06FoldersDestinationExists =
        Stat06FoldersOtherReasons = 0;
}

void Vol06Page::Vol06ClearUndo() {
    Vol06RenamedPairs.clear();
    Vol06FailedUndoPairs.clear();
}

void Vol06Page::Vol06RefreshPage() {
    Vol06EnablePageControls(ui->lstVol06IncludeFolderList->count() > 0);
    Vol06EnableRunButtons(true);
    Vol06InitCounters();
    Stat06FoldersToRename = ui->lstVol06IncludeFolderList->count();
    ui->lblVol06IncludeSum->setText(CountText(ui->lstVol06IncludeFolderList));
    ui->lblVol06ExcludeSum->setText(CountText(ui->lstVol06ExcludeFolderList));
}

void Vol06Page::Vol06EnablePageControls(bool flag) {
    SetEnabled(this,
               {"rdoVol06RenameAddPrefixesSuffixes", "rdoVol06RenameTheLastSubFolder", "lblVol06NewPrefixCimke",
                "edtVol06NewPrefix", "lblVol06DelimiterPrefixSubFolderCimke", "edtVol06DelimiterPrefixSubFolder",
                "lblVol06DelimiterSubFolderSuffixCimke", "edtVol06DelimiterSubFolderSuffix", "lblVol06NewSuffixCimke",
                "edtVol06NewSuffix", "lblVol06RenameNewLastSubFolder", "edtVol06RenameNewLastSubFolder"},
               flag);
    if (IsEnabledAndChecked(ui->rdoVol06RenameAddPrefixesSuffixes))
        Vol06EnableMethodControls(true);
    else if (IsEnabledAndChecked(ui->rdoVol06RenameTheLastSubFolder))
        Vol06EnableMethodControls(false);
    ui->chkVol06ShowDetailedResults->setEnabled(flag);
    Vol06EnableRunButtons(flag);
}

void Vol06Page::Vol06EnableRunButtons(bool) {
    // RENAME and Simulation come with the page's run.
}

void Vol06Page::rdoVol06RenameAddPrefixesSuffixesClick() {
    Vol06EnableMethodControls(ui->rdoVol06RenameAddPrefixesSuffixes->isChecked());
}

void Vol06Page::rdoVol06RenameTheLastSubFolderClick() {
    Vol06EnableMethodControls(!ui->rdoVol06RenameTheLastSubFolder->isChecked());
}

void Vol06Page::Vol06EnableMethodControls(bool prefixSuffix) {
    SetEnabled(this,
               {"lblVol06NewPrefixCimke", "edtVol06NewPrefix", "lblVol06DelimiterPrefixSubFolderCimke",
                "edtVol06DelimiterPrefixSubFolder", "lblVol06DelimiterSubFolderSuffixCimke",
                "edtVol06DelimiterSubFolderSuffix", "lblVol06NewSuffixCimke", "edtVol06NewSuffix"},
               prefixSuffix);
    SetEnabled(this, {"lblVol06RenameNewLastSubFolder", "edtVol06RenameNewLastSubFolder"}, !prefixSuffix);
}
