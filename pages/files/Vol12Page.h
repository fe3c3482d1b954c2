// Rename many files (page 12): the page's controls and handlers, and its
// state between runs (Vol12State). The run, the simulation and the undo are
// in Vol12Engine; the Include and Exclude list buttons are the shared
// pagekit::IncludeExcludeLists.
#pragma once

#include <QWidget>
#include <memory>
#include <cstdint>

#include "core/Types.h"
#include "pages/PageCommon.h"
#include "pages/files/Vol12Engine.h"

namespace pagekit {
class IncludeExcludeLists;
}

namespace Ui {
class Vol12Page;
}

class Vol12Page : public QWidget, public Vol12State {
    Q_OBJECT

public:
    explicit Vol12Page(MainWindowShared& shared, QWidget* parent = nullptr);
    ~Vol12Page() override;

    // ---- Include and Exclude lists ---------------------------------------------------------
    void btnVol12IncToExcClick();
    void btnVol12ExcToIncClick();
    void btnVol12AllfromIncClick();
    void btnVol12AllfromExcClick();
    void btnVol12ExchangeIncExcClick();
    void btnVol12AddFolderToListClick();
    void btnVol12SmartImportClick();
    void btnVol12SubFolderListBuilderClick();
    void btnVol12EditIncludeListClick();
    void btnVol12IncludeFolderListViewClick();
    void btnVol12SmartExportClick();
    void btnVol12ZoomIncludeWindowClick();
    void btnVol12DeleteFromExcludelistClick();
    void btnVol12DeleteExcludeAllClick();

    // ---- handlers --------------------------------------------------------------------------
    void btnVol12RenameFilesClick();
    void btnVol12RenameFilesSimulationClick();
    void btnVol12UndoClick();
    void btnVol12StatisticsClick();
    void btnVol12ClearAllClick();
    void btnVol12HelpClick();
    void btnVol12ExamplesClick();
    void rdoVol12RenameAddPrefixesSuffixesClick();
    void rdoVol12RenameChangeFileTypeClick();

    // ---- operations ------------------------------------------------------------------------
    void Vol12ResetCounters();
    void Vol12UpdateResultLabels();
    void Vol12ClearResultLists();
    void Vol12RefreshPage();
    void Vol12EnablePageControls(bool flag);
    void Vol12EnableRunButtons(bool flag);
    Vol12Inputs Vol12ReadInputs() const;

    Ui::Vol12Page* ui;
    MainWindowShared& Shared;
    std::unique_ptr<pagekit::IncludeExcludeLists> Lists;

private:
    void Vol12EnableMethodControls(bool prefixSuffix);
    RunHooks Vol12Hooks();
};
