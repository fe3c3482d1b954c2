// Create many folders from a list of paths (page 04): the page's controls
// and handlers, and its state between runs (Vol04State). The run, the
// simulation and the undo live in Vol04Run.cpp, Vol04Simulation.cpp and
// Vol04Undo.cpp; the structure list's handlers in Vol04Structures.cpp; the
// Include and Exclude lists are the shared pagekit::IncludeExcludeLists.
#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "core/Types.h"
#include "pages/PageCommon.h"
#include "pages/creation/Vol04Engine.h"

namespace Ui {
class Vol04Page;
}
namespace pagekit {
class IncludeExcludeLists;
class StructureListHandlers;
}  // namespace pagekit

class Vol04Page : public QWidget, public Vol04State {
    Q_OBJECT

public:
    explicit Vol04Page(MainWindowShared& shared, QWidget* parent = nullptr);
    ~Vol04Page() override;

    // ---- Include and Exclude lists -------------------------------------------------------
    void btnVol04AddToListClick();
    void edtVol04AddToListKeyPress();
    void btnVol04IncToExcClick();
    void btnVol04ExcToIncClick();
    void btnVol04AllfromIncClick();
    void btnVol04AllfromExcClick();
    void btnVol04ExchangeIncExcClick();
    void btnVol04SmartImportClick();
    void btnVol04EditIncludeListClick();
    void btnVol04SmartExportClick();
    void btnVol04ZoomIncludeWindowClick();
    void btnVol04DeleteFromExcludeClick();
    void btnVol04DeleteExcludeAllClick();
    bool Vol04AddPathsToIncludeList(const std::string& text, bool single, std::string& normalised,
                                    std::string& message);

    // ---- name options and page buttons ---------------------------------------------------
    void edtVol04PrefixChange();
    void edtVol04PrefixExit();
    void edtVol04SuffixChange();
    void edtVol04SuffixExit();
    void chkVol04HyphenClick() {}
    void btnVol04HelpClick();
    void btnVol04ExamplesClick();
    void btnVol04ClearAllClick();

    // ---- structures and templates ------------------------------------------------------
    void rdoVol04AttachNothingClick();
    void rdoVol04StructureImportFullPathsClick();
    void rdoVol04StructureImportRelativePathsClick();
    void rdoVol04AttachMainFolderWithoutFilesClick();
    void rdoVol04AttachSubFoldersOnlyWithoutFilesClick();
    void rdoVol04AttachMainFolderWithFilesClick();
    void rdoVol04AttachSubFoldersOnlyWithFilesClick();
    void btnVol04FolderTemplatesOptionsClick();
    void btnVol04AddFolderStructureClick();
    void btnVol04ImportFolderStructuresTemplatesClick();
    void btnVol04ExportFolderStructuresTemplatesClick();
    void btnVol04EditFolderStructuresTemplatesClick();
    void btnVol04ViewFolderStructureClick();
    void btnVol04DeleteSelFolderStructuresTemplatesClick();
    void btnVol04DeleteAllFolderStructuresTemplatesClick();
    void Vol04AddFolderStructurePath(const std::string& path);
    void Vol04SetRelativePathsMode();
    void Vol04SetFullPathsMode();

    // ---- page state -----------------------------------------------------------------------
    void Vol04ResetStructureTotals();
    void Vol04ResetCounters();
    void Vol04ShowCounters();
    // The last-run lists (the failed-undo lists too): the last run can no
    // longer be undone.
    void Vol04ClearUndoLists();
    void Vol04ClearLastRunLists();
    // The Visual Log's lists; the zoom window keeps its lines.
    void Vol04ClearResultLists();
    void Vol04RefreshPage();
    void Vol04EnablePageControls(bool flag);
    void Vol04EnableStructureControls(bool flag);
    bool Vol04CheckDiskSpace(bool withFiles);

    // ---- run, simulation, undo -----------------------------------------------------------
    void btnVol04CreateFoldersClick();
    void btnVol04CreateFoldersSimulationClick();
    void Vol04SimulateCreateFolders();
    void btnVol04StatisticsClick();
    void btnVol04UndoClick();
    _tagVol0XParts Vol04GetNameParts(const std::string& item) const;
    // The controls as a run reads them.
    Vol04Inputs Vol04ReadInputs() const;

    Ui::Vol04Page* ui;
    MainWindowShared& Shared;

private:
    void Vol04TotalsRefresh(bool withFiles);
    bool Vol04WithFilesChecked() const;
    void Vol04EnableRunButtons(bool flag);
    void Vol04CheckNameField(bool prefix);
    RunHooks Vol04Hooks();

    std::unique_ptr<pagekit::IncludeExcludeLists> Lists;
    std::unique_ptr<pagekit::StructureListHandlers> Structures;
};
