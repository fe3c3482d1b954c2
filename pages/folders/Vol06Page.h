// Rename many folders: the page, its state between runs and the enable
// rules the main window's start-up and settings restore rely on.
#pragma once

#include <QWidget>
#include <string>

#include "core/Types.h"
#include "pages/PageCommon.h"

namespace Ui {
class Vol06Page;
}

class Vol06Page : public QWidget {
    Q_OBJECT

public:
    explicit Vol06Page(MainWindowShared& shared, QWidget* parent = nullptr);
    ~Vol06Page() override;

    // ---- state kept between runs ----------------------------------------------
    std::string EngineCurrentFolder06;
    double Stat06FoldersToRename = 0, Stat06FoldersRenamed = 0, Stat06FoldersSourceNotExists = 0,
           Stat06FoldersDestinationExists = 0, Stat06FoldersOtherReasons = 0;
    DEQ_REPLACE_FOLDER_STRUCT Vol06RenamedPairs;     // renames of the last run
    DEQ_REPLACE_FOLDER_STRUCT Vol06FailedUndoPairs;  // reversals that failed

    // ---- operations ------------------------------------------------------------
    void Vol06InitCounters();
    void Vol06ResetCounters();
    void Vol06ClearUndo();
    void Vol06RefreshPage();
    void Vol06EnablePageControls(bool flag);
    void Vol06EnableRunButtons(bool flag);
    void rdoVol06RenameAddPrefixesSuffixesClick();
    void rdoVol06RenameTheLastSubFolderClick();

    Ui::Vol06Page* ui;
    MainWindowShared& Shared;

private:
    void Vol06EnableMethodControls(bool prefixSuffix);
};
