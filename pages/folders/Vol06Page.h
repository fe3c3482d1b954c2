// Rename many folders (page 06): the page's controls and handlers, its
// counters and the last run's rename records. The run, its simulation and
// the undo are Vol06Engine's work, the run and simulation on the one run
// frame; the Include and Exclude list buttons are the shared
// pagekit::IncludeExcludeLists.
#pragma once

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "core/Types.h"
#include "pages/PageCommon.h"
#include "pages/RunLog.h"
#include "pages/folders/Vol06Engine.h"

class QLineEdit;

namespace pagekit {
class IncludeExcludeLists;
}

namespace Ui {
class Vol06Page;
}

class Vol06Page : public QWidget {
    Q_OBJECT

public:
    explicit Vol06Page(MainWindowShared& shared, QWidget* parent = nullptr);
    ~Vol06Page() override;

    // ---- state kept between runs ----------------------------------------------------------
    Vol06Counters Counters;
    Vol06UndoRecords Undo;  // Vol06RenamedPairs and Vol06FailedUndoPairs

    // ---- Include and Exclude lists ---------------------------------------------------------
    void btnVol06IncToExcClick();
    void btnVol06ExcToIncClick();
    void btnVol06AllfromIncClick();
    void btnVol06AllfromExcClick();
    void btnVol06ExchangeIncExcClick();
    void btnVol06AddFolderToListClick();
    void btnVol06SmartImportClick();
    void btnVol06SubFolderListBuilderClick();
    void btnVol06EditIncludeListClick();
    void btnVol06IncludeFolderListViewClick();
    void btnVol06SmartExportClick();
    void btnVol06ZoomIncludeWindowClick();
    void btnVol06DeleteFromExcludelistClick();
    void btnVol06DeleteExcludeAllClick();

    // ---- handlers --------------------------------------------------------------------------
    void btnVol06RenameFoldersClick();
    void btnVol06RenameFoldersSimulationClick();
    void btnVol06UndoClick();
    void btnVol06StatisticsClick();
    void btnVol06ClearAllClick();
    void btnVol06HelpClick();
    void btnVol06ExamplesClick();
    void rdoVol06RenameAddPrefixesSuffixesClick();
    void rdoVol06RenameTheLastSubFolderClick();
    void edtVol06NewPrefixChange();
    void edtVol06NewPrefixExit();
    void edtVol06NewSuffixChange();
    void edtVol06NewSuffixExit();
    void edtVol06DelimiterPrefixSubFolderChange();
    void edtVol06DelimiterPrefixSubFolderExit();
    void edtVol06DelimiterSubFolderSuffixChange();
    void edtVol06DelimiterSubFolderSuffixExit();
    void edtVol06RenameNewLastSubFolderChange();
    void edtVol06RenameNewLastSubFolderExit();

    // ---- operations ------------------------------------------------------------------------
    void Vol06InitCounters();
    void Vol06ResetCounters();
    void Vol06CountFoldersToRename();
    void Vol06ShowCounters();
    void Vol06ClearResultLists();
    void Vol06ClearUndo();
    void Vol06RefreshPage();
    void Vol06EnablePageControls(bool flag);
    void Vol06EnableRunButtons(bool flag);
    void Vol06SimulateRenameFolders();
    Vol06Inputs Vol06ReadInputs() const;

    Ui::Vol06Page* ui;
    MainWindowShared& Shared;
    std::unique_ptr<pagekit::IncludeExcludeLists> Lists;

private:
    void Vol06EnableMethodControls(bool prefixSuffix);
    // The character check of the five edits: the edit's message and caption number.
    void Vol06CheckNameField(QLineEdit* field, const char* message, const std::string& caption);
    RunHooks Vol06Hooks();
};
