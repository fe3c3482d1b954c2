// Delete many files (page 11): the page's controls and handlers, and its
// state between runs (Vol11State). The engines and the run are in
// Vol11Engine; the Include and Exclude list buttons are the shared
// pagekit::IncludeExcludeLists.
#pragma once

#include <QWidget>
#include <memory>

#include "core/Types.h"
#include "pages/PageCommon.h"
#include "pages/files/Vol11Engine.h"

namespace pagekit {
class IncludeExcludeLists;
}

namespace Ui {
class Vol11Page;
}

class Vol11Page : public QWidget, public Vol11State {
    Q_OBJECT

public:
    explicit Vol11Page(MainWindowShared& shared, QWidget* parent = nullptr);
    ~Vol11Page() override;

    int Vol11HintShownMain = 0;  // the file-selection hint was shown for each scope radio
    int Vol11HintShownFiles = 0;

    // ---- Include and Exclude lists ---------------------------------------------------------
    void btnVol11IncToExcClick();
    void btnVol11ExcToIncClick();
    void btnVol11AllfromIncClick();
    void btnVol11AllfromExcClick();
    void btnVol11ExchangeIncExcClick();
    void btnVol11AddFoldersToListClick();
    void btnVol11SmartImportClick();
    void btnVol11SubFolderListBuilderClick();
    void btnVol11EditIncludeListClick();
    void btnVol11IncludeFolderListViewClick();
    void btnVol11SmartExportClick();
    void btnVol11ZoomIncludeWindowClick();
    void btnVol11DeleteFromExcludeListClick();
    void btnVol11DeleteExcludeAllClick();

    // ---- handlers --------------------------------------------------------------------------
    void btnVol11DeleteFilesClick();
    void btnVol11StatisticsClick();
    void btnVol11ClearAllClick();
    void btnVol11HelpClick();
    void btnVol11ExamplesClick();
    void btnVol11FileSelectionClick();
    void rdoVol11DeleteOnlyFilesInMainFolderClick();
    void rdoVol11DeleteOnlyFilesClick();

    // ---- operations ------------------------------------------------------------------------
    void Vol11ClearTotals();
    void Vol11ResetCounters();
    void Vol11ClearResultLists();
    void Vol11UpdateToDeleteLabels();
    void Vol11UpdateResultLabels();
    void Vol11RefreshPage();
    void Vol11EnablePageControls(bool flag);
    void Vol11EnableRunButtons(bool flag);
    void Vol11SimulateDeleteFiles();
    Vol11Inputs Vol11ReadInputs() const;

    Ui::Vol11Page* ui;
    MainWindowShared& Shared;
    std::unique_ptr<pagekit::IncludeExcludeLists> Lists;

private:
    RunHooks Vol11Hooks();
};
