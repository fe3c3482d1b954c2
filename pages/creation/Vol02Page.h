// Create many folders from a list of strings (page 02): the page's controls
// and handlers, and its state between runs (Vol02State). The run, the
// simulation and the undo live in Vol02Run.cpp, Vol02Simulation.cpp and
// Vol02Undo.cpp; the structure list's handlers in Vol02Structures.cpp; both
// lists work on the shared list handlers.
#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "core/Types.h"
#include "pages/PageCommon.h"
#include "pages/creation/Vol02Engine.h"

namespace Ui {
class Vol02Page;
}
namespace pagekit {
class IncludeExcludeLists;
class StructureListHandlers;
}  // namespace pagekit

class Vol02Page : public QWidget, public Vol02State {
    Q_OBJECT

public:
    explicit Vol02Page(MainWindowShared& shared, QWidget* parent = nullptr);
    ~Vol02Page() override;

    // ---- destination, names and Include list ----------------------------------------
    void btnVol02AddDestFolderClick();
    void cboVol02DestFoldersSelect();
    void btnVol02ViewDestFolderClick();
    void btnVol02AddToListClick();
    void edtVol02AddToListKeyPress();
    void btnVol02IncToExcClick();
    void btnVol02ExcToIncClick();
    void btnVol02AllFromIncClick();
    void btnVol02AllFromExcClick();
    void btnVol02ExchangeIncExcClick();
    void btnVol02DeleteFromExcludeClick();
    void btnVol02DeleteExcludeAllClick();
    void btnVol02SmartImportClick();
    void btnVol02SmartExportClick();
    void btnVol02EditIncludeListClick();
    void btnVol02ZoomIncludeWindowClick();
    void edtVol02PrefixChange();
    void edtVol02PrefixExit();
    void edtVol02SuffixChange();
    void edtVol02SuffixExit();
    void btnVol02ClearAllClick();
    void btnVol02ListHelpClick();
    void btnVol02ExamplesClick();

    void Vol02SetDestinationFolder(const std::string& path);
    void Vol02RefreshListCounters();
    void Vol02EnablePageControls(bool flag);
    void Vol02EnableListControls(bool flag);
    void Vol02EnableNameControls(bool flag);
    void Vol02UpdateButtons(bool flag);

    // ---- structures and templates ------------------------------------------------------
    void rdoVol02AttachNothingClick();
    void rdoVol02StructureImportRelativePathsClick();
    void rdoVol02StructureImportFullPathsClick();
    void rdoVol02AttachMainFolderWithoutFilesClick();
    void rdoVol02AttachSubFoldersOnlyWithoutFilesClick();
    void rdoVol02AttachMainFolderWithFilesClick();
    void rdoVol02AttachSubFoldersOnlyWithFilesClick();
    void btnVol02FolderTemplatesOptionsClick();
    void btnVol02AddFolderStructureClick();
    void btnVol02ImportFolderStructuresTemplatesClick();
    void btnVol02ExportFolderStructuresTemplatesClick();
    void btnVol02EditFolderStructuresTemplatesClick();
    void btnVol02ViewFolderStructureClick();
    void btnVol02DeleteSelFolderStructuresTemplatesClick();
    void btnVol02DeleteAllFolderStructuresTemplatesClick();

    void Vol02SetRelativePathsMode();
    void Vol02SetFullPathsMode();
    void Vol02SetFullPathsButtons();
    void Vol02AddStructureToList(const std::string& path);

    // ---- counters, disk space ------------------------------------------------------------
    void Vol02ResetCounters();
    void Vol02ResetRunCounters();
    void Vol02ShowCounters();
    void Vol02ClearResultLists();
    void Vol02ClearLogLists();
    bool Vol02CheckDiskSpace(bool withFiles);
    void Vol02ComputeStructureTotals(bool withFiles);
    void Vol02ComputeStructureTotalsWith(const std::string& path, bool withFiles);
    void Vol02DescribeFolder(const std::string& path);

    // ---- run, simulation, undo -----------------------------------------------------------
    void btnVol02CreateFoldersClick();
    void btnVol02CreateFoldersSimulationClick();
    void Vol02SimulateCreateFolders();
    void btnVol02StatisticClick();
    void btnVol02UndoClick();
    _tagVol0XParts Vol02GetNameParts() const;
    // The controls as a run reads them.
    Vol02Inputs Vol02ReadInputs() const;

    Ui::Vol02Page* ui;
    MainWindowShared& Shared;

private:
    void Vol02StructureTail(bool withFiles);
    void Vol02EnableRunButtons(bool flag);
    void Vol02CheckNameField(bool prefix);
    RunHooks Vol02Hooks();

    std::unique_ptr<pagekit::IncludeExcludeLists> Lists;
    std::unique_ptr<pagekit::StructureListHandlers> Structures;

    // The destination shown before the current one, for a history pick that
    // is refused.
    QString DestinationShownBefore;
    QString DestinationShown;
};
