// Delete many folders (page 07): the page's controls and handlers, its
// counters and the pre-count between runs. The run and its simulation are
// Vol07Engine's work on the one run frame; the Include and Exclude list
// buttons are the shared pagekit::IncludeExcludeLists.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Types.h"
#include "pages/PageCommon.h"
#include "pages/RunLog.h"
#include "pages/folders/Vol07Engine.h"

namespace pagekit {
class IncludeExcludeLists;
}

namespace Ui {
class Vol07Page;
}

class Vol07Page : public QWidget {
    Q_OBJECT

public:
    explicit Vol07Page(MainWindowShared& shared, QWidget* parent = nullptr);
    ~Vol07Page() override;

    // ---- state kept between runs ----------------------------------------------------------
    // 1: the to-delete figures come from the last page refresh; 2: from a run's own count,
    // made when its questions were answered. (0: the refresh's count failed.)
    int Vol07CountState = 1;
    Vol07Counters Counters;
    int Vol07ResultDisplayMode = 1;  // how the Visual Log is filled

    // ---- Include and Exclude lists ---------------------------------------------------------
    void btnVol07IncToExcClick();
    void btnVol07ExcToIncClick();
    void btnVol07AllfromIncClick();
    void btnVol07AllfromExcClick();
    void btnVol07ExchangeIncExcClick();
    void btnVol07AddFoldersToListClick();
    void btnVol07SmartImportClick();
    void btnVol07SubFolderListBuilderClick();
    void btnVol07EditIncludeListClick();
    void btnVol07IncludeFolderListViewClick();
    void btnVol07SmartExportClick();
    void btnVol07ZoomIncludeWindowClick();
    void btnVol07DeleteFromExcludeListClick();
    void btnVol07DeleteExcludeAllClick();

    // ---- handlers --------------------------------------------------------------------------
    void btnVol07DeleteFoldersClick();
    void btnVol07DeleteFoldersSimulationClick();
    void btnVol07StatisticsClick();
    void btnVol07ClearAllClick();
    void btnVol07HelpClick();
    void btnVol07ExamplesClick();
    void rdoVol07DeleteSubFoldersClick();
    void rdoVol07DeleteCompleteFoldersClick();

    // ---- operations ------------------------------------------------------------------------
    void Vol07InitCounters();
    void Vol07ResetCounters();
    void Vol07ClearStatisticsLists();
    // The shell's clear: the page keeps no last-run lists beside the Visual Log's.
    void Vol07ClearResultLists();
    void Vol07FillStatisticsWindow();
    void Vol07ShowToDeleteCounts();
    void Vol07ShowTotals();
    void Vol07CountFoldersToDelete(int mode);
    void Vol07RefreshPage();
    void Vol07EnablePageControls(bool flag);
    void Vol07EnableRunButtons(bool flag);
    // False, with the page's warning, for a bare drive.
    bool Vol07CheckNotDriveRoot(const std::string& path);
    void Vol07SimulateDeleteFolders();
    Vol07Inputs Vol07ReadInputs() const;
    // The counters with their labels: all nine, the three to-delete
    // figures, or the six results.

    Ui::Vol07Page* ui;
    MainWindowShared& Shared;
    std::unique_ptr<pagekit::IncludeExcludeLists> Lists;

private:
    // Mode 3, 4 or 2 by the enabled and checked radio.
    int Vol07CountMode() const;
    void Vol07ReadMode(Vol07Inputs& in) const;
    // What the count after the questions read, for the run.
    struct RunCount {
        ListingRecord listings;
        std::vector<Vol07Share> shares;
        Vol07Counters counters;  // the page's figures once the run starts
    };
    // The count on the frame; its start takes the figures over and empties
    // the lists, then calls `start`.
    void Vol07CountOnFrame(RunFrame& frame, const Vol07Inputs& in, RunCount& count, std::function<void()> start);
    RunHooks Vol07Hooks();
    bool running_ = false;  // the run buttons stay off until the run has ended
};
