// Check many project folders against model folder structures (page 15):
// the page's controls and handlers, and its state between runs
// (Vol15State). The check itself lives in Vol15Engine; the structure
// list's handlers in Vol15Structures.cpp, the run's side in Vol15Run.cpp;
// both lists work on the shared list handlers.
#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "core/Types.h"
#include "pages/PageCommon.h"
#include "pages/checker/Vol15Engine.h"

namespace Ui {
class Vol15Page;
}
namespace pagekit {
class IncludeExcludeLists;
class StructureListHandlers;
}  // namespace pagekit

class Vol15Page : public QWidget, public Vol15State {
    Q_OBJECT

public:
    explicit Vol15Page(MainWindowShared& shared, QWidget* parent = nullptr);
    ~Vol15Page() override;

    // ---- Include and Exclude lists ---------------------------------------------------
    void btnVol15IncToExcClick();
    void btnVol15ExcToIncClick();
    void btnVol15AllFromIncClick();
    void btnVol15AllFromExcClick();
    void btnVol15ExchangeIncExcClick();
    void btnVol15AddFolderToListClick();
    void btnVol15SmartImportClick();
    void btnVol15SubFolderListBuilderClick();
    void btnVol15EditIncludeListClick();
    void btnVol15IncludeFolderListViewClick();
    void btnVol15SmartExportClick();
    void btnVol15ZoomIncludeWindowClick();
    void btnVol15DeleteFromExcludeListClick();
    void btnVol15DeleteExcludedAllClick();

    // ---- source structures -------------------------------------------------------------
    void rdoVol15StructureImportFullPathsClick();
    void rdoVol15StructureImportRelativePathsClick();
    void rdoVol15AttachMainFolderWithoutFilesClick();
    void rdoVol15AttachSubFoldersOnlyWithoutFilesClick();
    void rdoVol15AttachMainFolderWithFilesClick();
    void rdoVol15AttachSubFoldersOnlyWithFilesClick();
    void btnVol15AddFolderStructureClick();
    void btnVol15ImportFolderStructuresTemplatesClick();
    void btnVol15ExportFolderStructuresTemplatesClick();
    void btnVol15EditFolderStructuresTemplatesClick();
    void btnVol15ViewFolderStructureClick();
    void btnVol15DeleteSelFolderStructuresTemplatesClick();
    void btnVol15DeleteAllFolderStructuresTemplatesClick();
    void btnVol15FolderTemplatesOptionsClick();
    void btnVol15FileSelectionClick();

    // ---- run, Visual Log, Clear All, Help ------------------------------------------------
    void btnVol15CheckProjectsConsistencyClick();
    void btnVol15StatisticsClick();
    void btnVol15ClearAllClick();
    void btnVol15HelpClick();

    // ---- operations ----------------------------------------------------------------------
    void Vol15ResetCounters();
    void Vol15ResetResultCounters();
    void Vol15UpdateResultLabels();
    void Vol15CountItemsToCheck(bool countFiles);
    void Vol15RefreshPage();
    void Vol15EnablePageControls(bool flag);
    void Vol15EnableRunButtons(bool flag);
    void Vol15ClearPageLists();
    // The controls as a run reads them.
    Vol15Inputs Vol15ReadInputs() const;

    Ui::Vol15Page* ui;
    MainWindowShared& Shared;

private:
    void Vol15StructureTail(bool withFiles);
    void Vol15KeepOneCompareRadio();

    std::unique_ptr<pagekit::IncludeExcludeLists> Lists;
    std::unique_ptr<pagekit::StructureListHandlers> Structures;
};
