// Copy folder structures into many folders (page 08): the page's controls
// and handlers, and its state between runs (Vol08State). The run, its
// simulation and the undo are Vol08Engine's work, the run and simulation
// on the one run frame (Vol08Run.cpp); the Include and Exclude lists and
// the structure list are the shared pagekit handlers.
#pragma once

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "core/Types.h"
#include "pages/PageCommon.h"
#include "pages/RunLog.h"
#include "pages/folders/Vol08Engine.h"

class QAbstractButton;

namespace Ui {
class Vol08Page;
}
namespace pagekit {
class IncludeExcludeLists;
class StructureListHandlers;
}  // namespace pagekit

class Vol08Page : public QWidget, public Vol08State {
    Q_OBJECT

public:
    explicit Vol08Page(MainWindowShared& shared, QWidget* parent = nullptr);
    ~Vol08Page() override;

    // The with-files hints are shown once per program run each.
    int Vol08HintShownMain = 0;
    int Vol08HintShownSub = 0;

    // ---- Include and Exclude lists ---------------------------------------------------------
    void btnVol08IncToExcClick();
    void btnVol08ExcToIncClick();
    void btnVol08AllFromIncClick();
    void btnVol08AllFromExcClick();
    void btnVol08ExchangeIncExcClick();
    void btnVol08AddFolderToListClick();
    void btnVol08SmartImportClick();
    void btnVol08SubFolderListBuilderClick();
    void btnVol08EditIncludeListClick();
    void btnVol08IncludeFolderListViewClick();
    void btnVol08SmartExportClick();
    void btnVol08ZoomIncludeWindowClick();
    void btnVol08DeleteFromExcludeListClick();
    void btnVol08DeleteExcludedAllClick();

    // ---- structure sources, attach options and the structure list ----------------------------
    void rdoVol08StructureImportRelativePathsClick();
    void rdoVol08StructureImportFullPathsClick();
    void rdoVol08AttachMainFolderWithoutFilesClick();
    void rdoVol08AttachSubFoldersOnlyWithoutFilesClick();
    void rdoVol08AttachMainFolderWithFilesClick();
    void rdoVol08AttachSubFoldersOnlyWithFilesClick();
    void btnVol08FolderTemplatesOptionsClick();
    void btnVol08FileSelectionClick();
    void btnVol08AddFolderStructureClick();
    void btnVol08ImportFolderStructuresTemplatesClick();
    void btnVol08ExportFolderStructuresTemplatesClick();
    void btnVol08EditFolderStructuresTemplatesClick();
    void btnVol08ViewFolderStructureClick();
    void btnVol08DeleteSelFolderStructuresTemplatesClick();
    void btnVol08DeleteAllFolderStructuresTemplatesClick();
    void Vol08AddFolderStructurePath(const std::string& path);
    void Vol08SetRelativePathsMode();
    void Vol08SetFullPathsMode();
    void Vol08EnableFolderStructureButtons();

    // ---- run, simulation, undo and the other buttons ----------------------------------------
    void btnVol08CopyFoldersClick();
    void btnVol08CopyFoldersSimulationClick();
    void Vol08SimulateCopyFolders();
    void btnVol08UndoClick();
    void btnVol08StatisticsClick();
    void btnVol08HelpClick();
    void btnVol08ExamplesClick();
    void btnVol08ClearAllClick();

    // ---- counters and page state -------------------------------------------------------------
    void Vol08ResetCounters();
    void Vol08ResetResultCounters();
    // The last-run lists (not the failed-undo files): the last run can no longer be undone.
    void Vol08ClearResultLists();
    void Vol08ClearLastRunLists();
    void Vol08ClearStatisticLists();
    void Vol08UpdateResultLabels();
    void Vol08RefreshPage();
    void Vol08EnablePageControls(bool flag);
    void Vol08EnableRunButtons(bool flag);
    bool Vol08ComputeTotalsAndCheckSpace(bool withFiles);
    // A with-files attach radio is checked.
    bool Vol08WithFilesChecked() const;
    // The controls as a run reads them.
    Vol08Inputs Vol08ReadInputs() const;

    Ui::Vol08Page* ui;
    MainWindowShared& Shared;
    std::unique_ptr<pagekit::IncludeExcludeLists> Lists;

private:
    // After a with-files radio: file selection on, its hint once.
    void Vol08AttachWithFiles(QAbstractButton* radio, int& shown, int number);
    void Vol08EnableFileSelection();
    // Counters reset, totals and space with the flag, counters shown, run buttons.
    void Vol08TotalsRefresh(bool withFiles);
    RunHooks Vol08Hooks();

    std::unique_ptr<pagekit::StructureListHandlers> Structures;
};
