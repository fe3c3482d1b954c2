// Copy many files into many folders (page 10): the page's controls and
// handlers, and its state between runs (Vol10State). The run, the simulation
// and the undo are in Vol10Engine; the Include and Exclude list buttons are
// the shared pagekit::IncludeExcludeLists.
#pragma once

#include <QWidget>
#include <memory>
#include <cstdint>
#include <string>

#include "core/Types.h"
#include "pages/PageCommon.h"
#include "pages/files/Vol10Engine.h"

namespace pagekit {
class IncludeExcludeLists;
}

namespace Ui {
class Vol10Page;
}

class Vol10Page : public QWidget, public Vol10State {
    Q_OBJECT

public:
    explicit Vol10Page(MainWindowShared& shared, QWidget* parent = nullptr);
    ~Vol10Page() override;

    std::uint64_t Vol10CopiedBytes = 0;

    // ---- Include and Exclude lists ---------------------------------------------------------
    void btnVol10IncToExcClick();
    void btnVol10ExcToIncClick();
    void btnVol10AllFromIncClick();
    void btnVol10AllFromExcClick();
    void btnVol10ExchangeIncExcClick();
    void btnVol10AddFolderToListClick();
    void btnVol10SmartImportClick();
    void btnVol10SubFolderListBuilderClick();
    void btnVol10EditIncludeListClick();
    void btnVol10IncludeFolderListViewClick();
    void btnVol10SmartExportClick();
    void btnVol10ZoomIncludeWindowClick();
    void btnVol10DeleteFromExcludeListClick();
    void btnVol10DeleteExcludedAllClick();

    // ---- handlers --------------------------------------------------------------------------
    void btnVol10CopyFilesClick();
    void btnVol10CopyFilesSimulationClick();
    void btnVol10UndoClick();
    void btnVol10StatisticsClick();
    void btnVol10ClearAllClick();
    void btnVol10HelpClick();
    void btnVol10ExamplesClick();
    void btnVol10FileSelectionClick();
    void btnVol10AddFolderStructuresClick();
    void btnVol10ViewFolderStructuresClick();
    void btnVol10DeleteSelectedFolderStructuresClick();
    void btnVol10DeleteAllFolderStructuresClick();

    // ---- operations ------------------------------------------------------------------------
    void Vol10AddSource(const std::string& path);
    bool Vol10PrepareTotals(bool countFiles);
    void Vol10ShowCounters();
    void Vol10ResetCounters();
    void Vol10ClearResultLists();
    void Vol10RefreshPage();
    void Vol10EnablePageControls(bool flag);
    void Vol10EnableRunButtons(bool flag);
    // The controls as a run reads them.
    Vol10Inputs Vol10ReadInputs() const;

    Ui::Vol10Page* ui;
    MainWindowShared& Shared;
    std::unique_ptr<pagekit::IncludeExcludeLists> Lists;

private:
    bool Vol10AttachChecked() const;
    RunHooks Vol10Hooks();
};
