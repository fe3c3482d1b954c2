// The Visual Log of the create-from-strings page.
#pragma once

#include <memory>

#include "results/ResultsLog.h"

namespace Ui {
class TfrmStatistic02;
}

class TfrmStatistic02 : public VisualLogWindow {
    Q_OBJECT
public:
    // In the order of the window's table; the names are those of the lists.
    enum Category { FoldersCreated, SubFoldersCreated, FilesCreated, FoldersExists, FoldersOther, FoldersFailedUndo };

    explicit TfrmStatistic02(QWidget* parent = nullptr);
    ~TfrmStatistic02() override;

    void btnStat02OkClick();
    void btnStat02ZoomFoldersCreatedClick() { Zoom(FoldersCreated); }
    void btnStat02ZoomSubFoldersCreatedClick() { Zoom(SubFoldersCreated); }
    void btnStat02ZoomFilesCreatedClick() { Zoom(FilesCreated); }
    void btnStat02ZoomFoldersExistClick() { Zoom(FoldersExists); }
    void btnStat02ZoomOtherReasonsClick() { Zoom(FoldersOther); }
    void btnStat02ZoomFoldersFailedUndoClick() { Zoom(FoldersFailedUndo); }
    void btnStat02SmartExportFoldersClick() { SmartExport(FoldersCreated); }
    void btnStat02SmartExportSubFoldersClick() { SmartExport(SubFoldersCreated); }
    void btnStat02SmartExportFilesClick() { SmartExport(FilesCreated); }
    void btnStat02SmartExportFoldersExistsClick() { SmartExport(FoldersExists); }
    void btnStat02SmartExportFoldersOtherClick() { SmartExport(FoldersOther); }
    void btnStat02SmartExportFoldersFailedUndoClick() { SmartExport(FoldersFailedUndo); }

private:
    std::unique_ptr<Ui::TfrmStatistic02> ui;
};

extern TfrmStatistic02* frmStatistic02;
