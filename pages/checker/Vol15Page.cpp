// Page 15: the Include and Exclude lists, the enable rules, the refresh,
// Clear All and Help.
#include "pages/checker/Vol15Page.h"

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>

#include "core/PathTools.h"
#include "core/ShellServices.h"
#include "help/HelpWindows.h"
#include "pages/checker/Vol15Internal.h"
#include "pages/VisualLog.h"
#include "platform/qt/QtPlatform.h"
#include "results/TfrmZoomIncludeWindow.h"
#include "ui_Vol15Page.h"
#include "windows/ListBoxSearch.h"
#include "windows/ListTools.h"
#include "windows/TfrmFileExport.h"
#include "windows/TfrmFileImport.h"
#include "windows/TfrmSubFolderListBuilder.h"
#include "windows/TfrmVol15EditIncludeList.h"

using namespace pagekit;

namespace {

QStringList Texts(const QListWidget* list, bool selectedOnly) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        if (!selectedOnly || list->item(i)->isSelected()) texts.append(list->item(i)->text());
    return texts;
}

// The items of `from` that are not empty and that `to` does not hold yet
// (ignoring letter case).
QStringList Missing(const QStringList& from, const QListWidget* to) {
    QSet<QString> keys = listsearch::KeysOf(to);
    QStringList missing;
    for (const QString& text : from)
        if (!text.isEmpty() && !keys.contains(listsearch::Key(text))) {
            keys.insert(listsearch::Key(text));
            missing.append(text);
        }
    return missing;
}

void RemoveSelected(QListWidget* list) {
    QStringList keep;
    for (int i = 0; i < list->count(); ++i)
        if (!list->item(i)->isSelected()) keep.append(list->item(i)->text());
    listtools::SetListLines(list, keep);
}

}  // namespace

Vol15Page::Vol15Page(MainWindowShared& shared, QWidget* parent)
    : QWidget(parent), ui(new Ui::Vol15Page), Shared(shared) {
    ui->setupUi(this);
    SetHorizontalExtent(ui->lstVol15IncludeFolderList, 3000);
    SetHorizontalExtent(ui->lstVol15ExcludeFolderList, 3000);
    SetHorizontalExtent(ui->lstVol15AddFolderStructure, 3000);
    listtools::ShowCountOf(ui->lstVol15IncludeFolderList, ui->lblVol15IncludeSum);
    listtools::ShowCountOf(ui->lstVol15ExcludeFolderList, ui->lblVol15ExcludeSum);

    auto click = [this](QAbstractButton* button, void (Vol15Page::*handler)()) {
        connect(button, &QAbstractButton::clicked, this, handler);
    };
    click(ui->btnVol15IncToExc, &Vol15Page::btnVol15IncToExcClick);
    click(ui->btnVol15ExcToInc, &Vol15Page::btnVol15ExcToIncClick);
    click(ui->btnVol15AllFromInc, &Vol15Page::btnVol15AllFromIncClick);
    click(ui->btnVol15AllFromExc, &Vol15Page::btnVol15AllFromExcClick);
    click(ui->btnVol15ExchangeIncExc, &Vol15Page::btnVol15ExchangeIncExcClick);
    click(ui->btnVol15AddFolderToList, &Vol15Page::btnVol15AddFolderToListClick);
    click(ui->btnVol15SmartImport, &Vol15Page::btnVol15SmartImportClick);
    click(ui->btnVol15SubFolderListBuilder, &Vol15Page::btnVol15SubFolderListBuilderClick);
    click(ui->btnVol15EditIncludeList, &Vol15Page::btnVol15EditIncludeListClick);
    click(ui->btnVol15IncludeFolderListView, &Vol15Page::btnVol15IncludeFolderListViewClick);
    click(ui->btnVol15SmartExport, &Vol15Page::btnVol15SmartExportClick);
    click(ui->btnVol15ZoomIncludeWindow, &Vol15Page::btnVol15ZoomIncludeWindowClick);
    click(ui->btnVol15DeleteFromExcludeList, &Vol15Page::btnVol15DeleteFromExcludeListClick);
    click(ui->btnVol15DeleteExcludedAll, &Vol15Page::btnVol15DeleteExcludedAllClick);
    click(ui->rdoVol15StructureImportFullPaths, &Vol15Page::rdoVol15StructureImportFullPathsClick);
    click(ui->rdoVol15StructureImportRelativePaths, &Vol15Page::rdoVol15StructureImportRelativePathsClick);
    click(ui->rdoVol15AttachMainFolderWithoutFiles, &Vol15Page::rdoVol15AttachMainFolderWithoutFilesClick);
    click(ui->rdoVol15AttachSubFoldersOnlyWithoutFiles, &Vol15Page::rdoVol15AttachSubFoldersOnlyWithoutFilesClick);
    click(ui->rdoVol15AttachMainFolderWithFiles, &Vol15Page::rdoVol15AttachMainFolderWithFilesClick);
    click(ui->rdoVol15AttachSubFoldersOnlyWithFiles, &Vol15Page::rdoVol15AttachSubFoldersOnlyWithFilesClick);
    click(ui->btnVol15AddFolderStructure, &Vol15Page::btnVol15AddFolderStructureClick);
    click(ui->btnVol15ImportFolderStructuresTemplates, &Vol15Page::btnVol15ImportFolderStructuresTemplatesClick);
    click(ui->btnVol15ExportFolderStructuresTemplates, &Vol15Page::btnVol15ExportFolderStructuresTemplatesClick);
    click(ui->btnVol15EditFolderStructuresTemplates, &Vol15Page::btnVol15EditFolderStructuresTemplatesClick);
    click(ui->btnVol15ViewFolderStructure, &Vol15Page::btnVol15ViewFolderStructureClick);
    click(ui->btnVol15DeleteSelFolderStructuresTemplates, &Vol15Page::btnVol15DeleteSelFolderStructuresTemplatesClick);
    click(ui->btnVol15DeleteAllFolderStructuresTemplates, &Vol15Page::btnVol15DeleteAllFolderStructuresTemplatesClick);
    click(ui->btnVol15FolderTemplatesOptions, &Vol15Page::btnVol15FolderTemplatesOptionsClick);
    click(ui->btnVol15FileSelection, &Vol15Page::btnVol15FileSelectionClick);
    click(ui->btnVol15CheckProjectsConsistency, &Vol15Page::btnVol15CheckProjectsConsistencyClick);
    click(ui->btnVol15Statistics, &Vol15Page::btnVol15StatisticsClick);
    click(ui->btnVol15ClearAll, &Vol15Page::btnVol15ClearAllClick);
    click(ui->btnVol15Help, &Vol15Page::btnVol15HelpClick);
}

Vol15Page::~Vol15Page() { delete ui; }

// ---- moves ------------------------------------------------------------------------------------

void Vol15Page::Vol15MoveSelected(QListWidget* from, QListWidget* to) {
    listtools::AddListItems(to, Missing(Texts(from, true), to));
    RemoveSelected(from);
    Vol15RefreshPage();
}

void Vol15Page::Vol15MoveAll(QListWidget* from, QListWidget* to) {
    listtools::AddListItems(to, Missing(Texts(from, false), to));
    from->clear();
    Vol15RefreshPage();
}

void Vol15Page::btnVol15IncToExcClick() {
    Vol15MoveSelected(ui->lstVol15IncludeFolderList, ui->lstVol15ExcludeFolderList);
}
void Vol15Page::btnVol15ExcToIncClick() {
    Vol15MoveSelected(ui->lstVol15ExcludeFolderList, ui->lstVol15IncludeFolderList);
}
void Vol15Page::btnVol15AllFromIncClick() {
    Vol15MoveAll(ui->lstVol15IncludeFolderList, ui->lstVol15ExcludeFolderList);
}
void Vol15Page::btnVol15AllFromExcClick() {
    Vol15MoveAll(ui->lstVol15ExcludeFolderList, ui->lstVol15IncludeFolderList);
}

// What the button's hint says: the two lists change places.
void Vol15Page::btnVol15ExchangeIncExcClick() {
    const QStringList include = Texts(ui->lstVol15IncludeFolderList, false);
    listtools::SetListLines(ui->lstVol15IncludeFolderList, Texts(ui->lstVol15ExcludeFolderList, false));
    listtools::SetListLines(ui->lstVol15ExcludeFolderList, include);
    Vol15RefreshPage();
}

// ---- adding and importing -----------------------------------------------------------------

void Vol15Page::btnVol15AddFolderToListClick() {
    const std::string path = TrimControlAndBlanks(BrowseForFolder(window(), "Select the Folder."));
    if (path.empty())
        Vol15Box("The selection field is empty !!!", 150015, kWarn);
    else if (listtools::FindListItem(ui->lstVol15IncludeFolderList, Q(path)) >= 0)
        Vol15Box("This folder exists in the INCLUDE FOLDER LIST !!!", 150009, kWarn);
    else if (listtools::FindListItem(ui->lstVol15ExcludeFolderList, Q(path)) >= 0)
        Vol15Box("This folder exists in the EXCLUDE FOLDER LIST !!!", 150010, kWarn);
    else
        listtools::AddListItem(ui->lstVol15IncludeFolderList, Q(path));
    Vol15RefreshPage();
}

// Lines neither list holds yet join the Include list, trimmed, with the
// program's backslashes.
void Vol15Page::Vol15TakeImportedLines(const StringList& lines) {
    listtools::AppendNewLines(ui->lstVol15IncludeFolderList, ui->lstVol15ExcludeFolderList, lines,
                              [](std::string& line) {
                                  line = CollapseDoubleBackslashes(SlashesToBackslashes(TrimControlAndBlanks(line)));
                                  return !line.empty();
                              });
}

void Vol15Page::btnVol15SmartImportClick() {
    const int result = frmFileImport ? frmFileImport->ExecFor(ui->lstVol15IncludeFolderList) : QDialog::Rejected;
    const StringList lines = frmFileImport ? frmFileImport->GetResultLines() : StringList();
    if (lines.empty())
        Vol15Box("Empty Result List in the File Import Window!\n", 150017, kWarn);
    else if (result == QDialog::Accepted)
        Vol15TakeImportedLines(lines);
    Vol15ImportEndBox("150051");
    Vol15RefreshPage();
}

void Vol15Page::btnVol15SubFolderListBuilderClick() {
    const int result = frmSubFolderListBuilder ? qtplat::ExecModal(frmSubFolderListBuilder) : QDialog::Rejected;
    const StringList lines = frmSubFolderListBuilder ? frmSubFolderListBuilder->GetIncludeFolderList() : StringList();
    if (lines.empty())
        Vol15Box("Empty Result List in the File Import Window!\n", 150012, kWarn);
    else if (result == QDialog::Accepted)
        Vol15TakeImportedLines(lines);
    Vol15ImportEndBox("15002");
    Vol15RefreshPage();
}

void Vol15Page::btnVol15EditIncludeListClick() {
    if (frmVol15EditIncludeList &&
        frmVol15EditIncludeList->EditIncludeList(ui->lstVol15IncludeFolderList, ui->lstVol15ExcludeFolderList,
                                                 ui->lblVol15IncludeSum) == QDialog::Accepted)
        Vol15RefreshPage();
}

// ---- the other list buttons -----------------------------------------------------------------

void Vol15Page::btnVol15IncludeFolderListViewClick() {
    QListWidget* list = ui->lstVol15IncludeFolderList;
    if (list->currentRow() < 0 || !list->currentItem()->isSelected()) {
        Vol15Box("There is no selected Folder Structure !\nAction : You must select a Folder with subfolder structure.",
                 150016, kWarn);
        return;
    }
    ViewFolder(TrimControlAndBlanks(S(list->currentItem()->text())), kVol15Topic);
}

void Vol15Page::btnVol15SmartExportClick() {
    if (ui->lstVol15IncludeFolderList->count() == 0) {
        Vol15Box("The Include List is empty !\n", 150022, kWarn, kWarning, 13);
        return;
    }
    Vol15ExportLines(ListItems(ui->lstVol15IncludeFolderList), "FOLDERS");
}

// The export window's protocol: preview and lines emptied, every line not
// yet previewed handed over, the first preview line selected, the kind set,
// shown modally.
void Vol15Page::Vol15ExportLines(const StringList& lines, const char* kind) {
    if (!frmFileExport) return;
    frmFileExport->ClearExportView();
    frmFileExport->ClearExportLines();
    std::size_t count = 0;
    for (const auto& line : lines) {
        if (frmFileExport->PreviewContains(line)) continue;
        frmFileExport->AddPreviewLine(line);
        frmFileExport->AddExportLine(line);
        frmFileExport->SetSourceCount(++count);
    }
    frmFileExport->SelectFirstPreviewLine();
    frmFileExport->SetListKind(kind);
    frmFileExport->ShowModal();
}

void Vol15Page::btnVol15ZoomIncludeWindowClick() {
    if (frmZoomIncludeWindow) frmZoomIncludeWindow->ShowZoom(ui->lstVol15IncludeFolderList->model());
}

void Vol15Page::btnVol15DeleteFromExcludeListClick() {
    QListWidget* exclude = ui->lstVol15ExcludeFolderList;
    if (exclude->count() == 0) {
        Vol15Box("The EXCLUDE list is empty !\nAction : You must enter at least one FOLDER to the EXCLUDE list to "
                 "delete it.\n",
                 150024, kWarn);
    } else if (Vol15Box("Do you want to delete the selected item(s) from the Exclude list ?\nNote: You can delete ONLY "
                        "from the EXCLUDE list.\n",
                        150023, kAsk) == plat::IDYES) {
        RemoveSelected(exclude);
    }
    Vol15RefreshPage();
}

void Vol15Page::btnVol15DeleteExcludedAllClick() {
    if (ui->lstVol15ExcludeFolderList->count() == 0)
        Vol15Box("Empty List in the Exclude Window!\n", 150025, kWarn);
    else if (Vol15Box("Do you want to delete all item(s) from the Exclude list ?", 150026, kAsk) == plat::IDYES)
        ui->lstVol15ExcludeFolderList->clear();
    Vol15RefreshPage();
}

// ---- counters, refresh and enable rules --------------------------------------------------------

void Vol15Page::Vol15ResetCounters() { ::Vol15ResetCounters(*this); }
void Vol15Page::Vol15ResetResultCounters() { ::Vol15ResetResultCounters(*this); }

void Vol15Page::Vol15UpdateResultLabels() { Vol15VisualLog().ShowCounters(Counters.Labels()); }

void Vol15Page::Vol15CountItemsToCheck(bool countFiles) {
    ::Vol15CountItemsToCheck(*this, Vol15ReadInputs(), countFiles);
}

bool Vol15Page::Vol15WithFilesChecked() const {
    return ui->rdoVol15AttachMainFolderWithFiles->isChecked() || ui->rdoVol15AttachSubFoldersOnlyWithFiles->isChecked();
}

void Vol15Page::Vol15RefreshPage() {
    const bool filled = ui->lstVol15IncludeFolderList->count() > 0;
    Vol15EnablePageControls(filled);
    Vol15EnableRunButtons(filled);
    Vol15ResetCounters();
    Vol15CountItemsToCheck(Vol15WithFilesChecked());
    Vol15UpdateResultLabels();
    ui->lblVol15FolderStructuresTemplatesSum->setText(CountText(ui->lstVol15AddFolderStructure));
}

// A check compares in one of the four ways: one of them stays chosen
// whatever a restore or Clear All left.
void Vol15Page::Vol15KeepOneCompareRadio() {
    for (const QRadioButton* r :
         {ui->rdoVol15AttachMainFolderWithoutFiles, ui->rdoVol15AttachSubFoldersOnlyWithoutFiles,
          ui->rdoVol15AttachMainFolderWithFiles, ui->rdoVol15AttachSubFoldersOnlyWithFiles})
        if (r->isChecked()) return;
    SetChecked(ui->rdoVol15AttachMainFolderWithoutFiles, true);
}

void Vol15Page::Vol15EnablePageControls(bool flag) {
    SetEnabled(this,
               {"btnVol15Statistics", "chkVol15ShowDetailedResults", "btnVol15FolderTemplatesOptions",
                "lblVol15FolderStructuresTemplates", "lblVol15FolderStructuresTemplatesSumCimke",
                "lblVol15FolderStructuresTemplatesSum", "btnVol15AddFolderStructure",
                "btnVol15ImportFolderStructuresTemplates", "btnVol15ViewFolderStructure",
                "btnVol15DeleteSelFolderStructuresTemplates", "btnVol15DeleteAllFolderStructuresTemplates",
                "btnVol15ExportFolderStructuresTemplates", "btnVol15EditFolderStructuresTemplates",
                "lstVol15AddFolderStructure", "rdoVol15AttachMainFolderWithFiles",
                "rdoVol15AttachMainFolderWithoutFiles", "rdoVol15AttachSubFoldersOnlyWithFiles",
                "rdoVol15AttachSubFoldersOnlyWithoutFiles", "rdoVol15StructureImportFullPaths",
                "rdoVol15StructureImportRelativePaths"},
               flag);
    Vol15KeepOneCompareRadio();
    if (IsEnabledAndChecked(ui->rdoVol15StructureImportFullPaths))
        ApplyStructureSource(this, "Vol15", StructureSource::ExistingFolders);
    else if (IsEnabledAndChecked(ui->rdoVol15StructureImportRelativePaths))
        ApplyStructureSource(this, "Vol15", StructureSource::TemplateLines);
    const bool withFiles = IsEnabledAndChecked(ui->rdoVol15AttachMainFolderWithFiles) ||
                           IsEnabledAndChecked(ui->rdoVol15AttachSubFoldersOnlyWithFiles);
    SetEnabled(this, {"btnVol15FileSelection", "lstVol15FileTypesAllSelected"}, withFiles);
    Vol15EnableRunButtons(true);
}

void Vol15Page::Vol15EnableRunButtons(bool flag) {
    ui->btnVol15CheckProjectsConsistency->setEnabled(flag && ui->lstVol15IncludeFolderList->count() > 0 &&
                                                     ui->lstVol15AddFolderStructure->count() > 0);
}

void Vol15Page::Vol15ClearPageLists() {
    OtherReasonsList.clear();
    EngineCurrentFolder15.clear();
}

// ---- Clear All and Help ----------------------------------------------------------------------------

void Vol15Page::btnVol15ClearAllClick() {
    if (Vol15Box("You will delete all fields !!!\nClick YES to Continue deleting all fields,\nClick NO to Stop the "
                 "delete process.",
                 150045, kAsk, kVol15Information) != plat::IDYES)
        return;
    ui->lstVol15IncludeFolderList->clear();
    ui->lstVol15ExcludeFolderList->clear();
    ui->lblVol15FolderStructuresTemplatesSum->clear();
    ui->lstVol15AddFolderStructure->clear();
    ui->chkVol15ShowDetailedResults->setChecked(true);
    SetChecked(ui->rdoVol15StructureImportRelativePaths, true);
    SetChecked(ui->rdoVol15StructureImportFullPaths, false);
    rdoVol15StructureImportRelativePathsClick();
    // The compare ways go back to the first one rather than to none.
    for (QRadioButton* r : {ui->rdoVol15AttachSubFoldersOnlyWithoutFiles, ui->rdoVol15AttachMainFolderWithFiles,
                            ui->rdoVol15AttachSubFoldersOnlyWithFiles})
        SetChecked(r, false);
    SetChecked(ui->rdoVol15AttachMainFolderWithoutFiles, true);
    Vol15ResetCounters();
    Vol15ClearPageLists();
    Vol15UpdateResultLabels();
    Vol15EnablePageControls(false);
    Vol15EnableRunButtons(false);
    Vol15Box("End of the CLEAR FIELDS process !!!\n", 150046, kWarn, kWarning, 11);
}

void Vol15Page::btnVol15HelpClick() { ShowHelpTopic(HelpTopic::Vol15); }
