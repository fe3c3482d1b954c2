// The Visual Log of the create-from-paths page.
#pragma once

#include <memory>

#include "results/ResultsLog.h"

namespace Ui {
class TfrmStatistic04;
}

class TfrmStatistic04 : public VisualLogWindow {
    Q_OBJECT
public:
    // In the order of the window's table; the names are those of the lists.
    enum Category { FoldersCreated, SubFoldersCreated, FilesCreated, FoldersExists, FoldersOther, FoldersFailedUndo };

    explicit TfrmStatistic04(QWidget* parent = nullptr);
    ~TfrmStatistic04() override;

    void btnStat04OkClick();
    void btnStat04ZoomFoldersCreatedClick() { Zoom(FoldersCreated); }
    void btnStat04ZoomSubFoldersCreatedClick() { Zoom(SubFoldersCreated); }
    void btnStat04ZoomFilesCreatedClick() { Zoom(FilesCreated); }
    void btnStat07ZoomFoldersExistClick() { Zoom(FoldersExists); }
    void btnStat04ZoomOtherReasonsClick() { Zoom(FoldersOther); }
    void btnStat04ZoomFoldersfailedUndoClick() { Zoom(FoldersFailedUndo); }
    void btnStat04SmartExportFoldersClick() { SmartExport(FoldersCreated); }
    void btnStat04SmartExportSubFoldersClick() { SmartExport(SubFoldersCreated); }
    void btnStat04SmartExportFilesClick() { SmartExport(FilesCreated); }
    void btnStat04SmartExportFoldersAlreadyExistsClick() { SmartExport(FoldersExists); }
    void btnStat04SmartExportFoldersOtherReasonsClick() { SmartExport(FoldersOther); }
    void btnStat04SmartExportFoldersFailedUndoClick() { SmartExport(FoldersFailedUndo); }

private:
    std::unique_ptr<Ui::TfrmStatistic04> ui;
};

extern TfrmStatistic04* frmStatistic04;
