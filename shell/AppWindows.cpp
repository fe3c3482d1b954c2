#include "shell/AppWindows.h"

#include "help/TAboutBox.h"
#include "help/TfrmAltalanosHelp.h"
#include "help/TfrmDriveSelect.h"
#include "help/TfrmExamplesCopy.h"
#include "help/TfrmExamplesCopyFiles.h"
#include "help/TfrmExamplesCreateFolders.h"
#include "help/TfrmExamplesDelete.h"
#include "help/TfrmExamplesDeleteFiles.h"
#include "help/TfrmExamplesIncreasedNumbers.h"
#include "help/TfrmExamplesRename.h"
#include "help/TfrmExamplesRenameFiles.h"
#include "help/TfrmMoreHelp.h"
#include "help/TfrmOverViewHelp.h"
#include "help/TfrmVideoTutorials.h"
#include "pages/RunItems.h"
#include "pages/TfrmSubFolderListBuilder.h"
#include "pages/creation/TfrmVol03Multi.h"
#include "platform/Desktop.h"
#include "platform/qt/CompletionClick.h"
#include "platform/qt/WindowPlacement.h"
#include "results/TForcedUnSuccessFullForm.h"
#include "results/TSubFolderUnSuccessFullForm.h"
#include "results/TfrmFolderViews.h"
#include "results/TfrmLevelSummFolder.h"
#include "results/TfrmStatistic02.h"
#include "results/TfrmStatistic03.h"
#include "results/TfrmStatistic04.h"
#include "results/TfrmStatistic06.h"
#include "results/TfrmStatistic08.h"
#include "results/TfrmStatistic10.h"
#include "results/TfrmStatistic12.h"
#include "results/TfrmStatistic15.h"
#include "results/TfrmStatistics07.h"
#include "results/TfrmStatistics11.h"
#include "results/TfrmVol02ZoomStatistics.h"
#include "results/TfrmVol03ZoomStatistics.h"
#include "results/TfrmVol04ZoomStatistics.h"
#include "results/TfrmVol06ZoomStatistics.h"
#include "results/TfrmVol07ZoomStatistics.h"
#include "results/TfrmVol08ZoomStatistics.h"
#include "results/TfrmVol10ZoomStatistics.h"
#include "results/TfrmVol11ZoomStatistics.h"
#include "results/TfrmVol12ZoomStatistics.h"
#include "results/TfrmVol15ZoomStatistics.h"
#include "results/TfrmZoomIncludeWindow.h"
#include "windows/TfrmDelimiters.h"
#include "windows/TfrmEditSmartImport.h"
#include "windows/TfrmFileExport.h"
#include "windows/TfrmFileImport.h"
#include "windows/TfrmFileSelection.h"
#include "windows/TfrmFolderStructuresTemplates.h"
#include "windows/TfrmFolderTemplateOptions.h"
#include "windows/TfrmNoltEditIncludeFolderList.h"
#include "windows/TfrmQuotationMarks.h"
#include "windows/TfrmVol02EditIncludeList.h"
#include "windows/TfrmVol04EditIncludeList.h"
#include "windows/TfrmVol06EditIncludeList.h"
#include "windows/TfrmVol07EditIncludeList.h"
#include "windows/TfrmVol08EditIncludeList.h"
#include "windows/TfrmVol10EditIncludeList.h"
#include "windows/TfrmVol11EditIncludeList.h"
#include "windows/TfrmVol12EditIncludeList.h"
#include "windows/TfrmVol15EditIncludeList.h"
#include "shell/TfrmMain.h"
#include "shell/TfrmRestoreSettings.h"

// The order below is the program's; a window joins it at its number. The
// windows of the other layers are parented to the main window so that they
// stay above it and go with it.
void CreateAppWindows() {
    qtplat::InstallWindowPlacement();
    qtplat::InstallCompletionClickThrough();
    plat::SetReadBesideHandler(ReadBesideWindow);  // the handlers' single reads, beside the window thread
    frmMain = new TfrmMain();  // 1
    frmNoltEditIncludeFolderList = new TfrmNoltEditIncludeFolderList(frmMain);  // 2
    AboutBox = new TAboutBox(frmMain);  // 3
    frmSubFolderListBuilder = new TfrmSubFolderListBuilder(frmMain);  // 4
    frmVol15EditIncludeList = new TfrmVol15EditIncludeList(frmMain);  // 5
    frmVol02EditIncludeList = new TfrmVol02EditIncludeList(frmMain);  // 6
    frmVol04EditIncludeList = new TfrmVol04EditIncludeList(frmMain);  // 7
    frmVol06EditIncludeList = new TfrmVol06EditIncludeList(frmMain);  // 8
    frmVol07EditIncludeList = new TfrmVol07EditIncludeList(frmMain);  // 9
    frmVol08EditIncludeList = new TfrmVol08EditIncludeList(frmMain);  // 10
    frmVol10EditIncludeList = new TfrmVol10EditIncludeList(frmMain);  // 11
    frmVol11EditIncludeList = new TfrmVol11EditIncludeList(frmMain);  // 12
    frmVol12EditIncludeList = new TfrmVol12EditIncludeList(frmMain);  // 13
    frmLevelSummFolder = new TfrmLevelSummFolder(frmMain);  // 14
    frmFolderStructuresTemplates = new TfrmFolderStructuresTemplates(frmMain);  // 15
    frmEditSmartImport = new TfrmEditSmartImport(frmMain);  // 16
    frmExamplesCopy = new TfrmExamplesCopy(frmMain);  // 17
    frmExamplesCopyFiles = new TfrmExamplesCopyFiles(frmMain);  // 18
    frmExamplesCreateFolders = new TfrmExamplesCreateFolders(frmMain);  // 19
    frmExamplesIncreasedNumbers = new TfrmExamplesIncreasedNumbers(frmMain);  // 20
    frmDriveSelect = new TfrmDriveSelect(frmMain);  // 21
    frmExamplesDelete = new TfrmExamplesDelete(frmMain);  // 22
    frmExamplesDeleteFiles = new TfrmExamplesDeleteFiles(frmMain);  // 23
    frmExamplesRename = new TfrmExamplesRename(frmMain);  // 24
    frmExamplesRenameFiles = new TfrmExamplesRenameFiles(frmMain);  // 25
    frmFileExport = new TfrmFileExport(frmMain);  // 26
    frmFileImport = new TfrmFileImport(frmMain);  // 27
    frmFileSelection = new TfrmFileSelection(frmMain);  // 28
    frmFileSelection->SetSummaryListsHook([](const std::string& line) {
        if (frmMain) frmMain->ShowFileTypeSelection(line);
    });
    frmFolderTemplateOptions = new TfrmFolderTemplateOptions(frmMain);  // 29
    frmFolderViews = new TfrmFolderViews(frmMain);  // 30
    ForcedUnSuccessFullForm = new TForcedUnSuccessFullForm(frmMain);  // 31
    frmAltalanosHelp = new TfrmAltalanosHelp(frmMain);  // 32
    frmMoreHelp = new TfrmMoreHelp(frmMain);  // 33
    frmOverViewHelp = new TfrmOverViewHelp(frmMain);  // 34
    frmQuotationMarks = new TfrmQuotationMarks(frmMain);  // 35
    frmRestoreSettings = new TfrmRestoreSettings(frmMain);  // 36
    frmDelimiters = new TfrmDelimiters(frmMain);  // 37
    SubFolderUnSuccessFullForm = new TSubFolderUnSuccessFullForm(frmMain);  // 38
    frmVideoTutorials = new TfrmVideoTutorials(frmMain);  // 39
    frmVol02ZoomStatistics = new TfrmVol02ZoomStatistics(frmMain);  // 40-49
    frmVol03ZoomStatistics = new TfrmVol03ZoomStatistics(frmMain);  // 40-49
    frmVol04ZoomStatistics = new TfrmVol04ZoomStatistics(frmMain);  // 40-49
    frmVol06ZoomStatistics = new TfrmVol06ZoomStatistics(frmMain);  // 40-49
    frmVol07ZoomStatistics = new TfrmVol07ZoomStatistics(frmMain);  // 40-49
    frmVol08ZoomStatistics = new TfrmVol08ZoomStatistics(frmMain);  // 40-49
    frmVol10ZoomStatistics = new TfrmVol10ZoomStatistics(frmMain);  // 40-49
    frmVol11ZoomStatistics = new TfrmVol11ZoomStatistics(frmMain);  // 40-49
    frmVol12ZoomStatistics = new TfrmVol12ZoomStatistics(frmMain);  // 40-49
    frmVol15ZoomStatistics = new TfrmVol15ZoomStatistics(frmMain);  // 40-49
    frmZoomIncludeWindow = new TfrmZoomIncludeWindow(frmMain);  // 50
    frmStatistic15 = new TfrmStatistic15(frmMain);  // 51
    frmStatistic02 = new TfrmStatistic02(frmMain);  // 52
    frmVol03Multi = new TfrmVol03Multi(frmMain);  // 53
    frmStatistic03 = new TfrmStatistic03(frmMain);  // 54
    frmStatistic04 = new TfrmStatistic04(frmMain);  // 55
    frmStatistic06 = new TfrmStatistic06(frmMain);  // 56
    frmStatistics07 = new TfrmStatistics07(frmMain);  // 57
    frmStatistic08 = new TfrmStatistic08(frmMain);  // 58
    frmStatistic10 = new TfrmStatistic10(frmMain);  // 59
    frmStatistics11 = new TfrmStatistics11(frmMain);  // 60
    frmStatistic12 = new TfrmStatistic12(frmMain);  // 61
}

void DestroyAppWindows() {
    // Windows parented to the main window go with it.
    delete frmMain;
    frmMain = nullptr;
    frmNoltEditIncludeFolderList = nullptr;
    frmSubFolderListBuilder = nullptr;
    frmVol15EditIncludeList = nullptr;
    frmVol02EditIncludeList = nullptr;
    frmVol04EditIncludeList = nullptr;
    frmVol06EditIncludeList = nullptr;
    frmVol07EditIncludeList = nullptr;
    frmVol08EditIncludeList = nullptr;
    frmVol10EditIncludeList = nullptr;
    frmVol11EditIncludeList = nullptr;
    frmVol12EditIncludeList = nullptr;
    frmLevelSummFolder = nullptr;
    frmFolderStructuresTemplates = nullptr;
    frmEditSmartImport = nullptr;
    frmFileExport = nullptr;
    frmFileImport = nullptr;
    frmFileSelection = nullptr;
    frmFolderTemplateOptions = nullptr;
    frmFolderViews = nullptr;
    ForcedUnSuccessFullForm = nullptr;
    frmQuotationMarks = nullptr;
    frmRestoreSettings = nullptr;
    frmDelimiters = nullptr;
    SubFolderUnSuccessFullForm = nullptr;
    AboutBox = nullptr;
    frmExamplesCopy = nullptr;
    frmExamplesCopyFiles = nullptr;
    frmExamplesCreateFolders = nullptr;
    frmExamplesIncreasedNumbers = nullptr;
    frmDriveSelect = nullptr;
    frmExamplesDelete = nullptr;
    frmExamplesDeleteFiles = nullptr;
    frmExamplesRename = nullptr;
    frmExamplesRenameFiles = nullptr;
    frmAltalanosHelp = nullptr;
    frmMoreHelp = nullptr;
    frmOverViewHelp = nullptr;
    frmVideoTutorials = nullptr;
    frmVol02ZoomStatistics = nullptr;
    frmVol03ZoomStatistics = nullptr;
    frmVol04ZoomStatistics = nullptr;
    frmVol06ZoomStatistics = nullptr;
    frmVol07ZoomStatistics = nullptr;
    frmVol08ZoomStatistics = nullptr;
    frmVol10ZoomStatistics = nullptr;
    frmVol11ZoomStatistics = nullptr;
    frmVol12ZoomStatistics = nullptr;
    frmVol15ZoomStatistics = nullptr;
    frmZoomIncludeWindow = nullptr;
    frmStatistic15 = nullptr;
    frmStatistic02 = nullptr;
    frmVol03Multi = nullptr;
    frmStatistic03 = nullptr;
    frmStatistic04 = nullptr;
    frmStatistic06 = nullptr;
    frmStatistics07 = nullptr;
    frmStatistic08 = nullptr;
    frmStatistic10 = nullptr;
    frmStatistics11 = nullptr;
    frmStatistic12 = nullptr;
}
