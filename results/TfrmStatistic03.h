// The Visual Log of the increased-numbers page.
#pragma once

#include <memory>

#include "results/ResultsLog.h"

namespace Ui {
class TfrmStatistic03;
}

class TfrmStatistic03 : public VisualLogWindow {
    Q_OBJECT
public:
    // In the order of the window's table; the names are those of the lists.
    enum Category { FoldersCreated, SubFoldersCreated, FilesCreated, FoldersExists, FoldersOther, FoldersFailedUndo };

    explicit TfrmStatistic03(QWidget* parent = nullptr);
    ~TfrmStatistic03() override;

    void btnStat03OkClick();
    void btnStat03ZoomFoldersCreatedClick() { Zoom(FoldersCreated); }
    void btnStat03ZoomSubFoldersCreatedClick() { Zoom(SubFoldersCreated); }
    void btnStat03ZoomFilesCreatedClick() { Zoom(FilesCreated); }
    void btnStat03ZoomFoldersExistClick() { Zoom(FoldersExists); }
    void btnStat03ZoomOtherReasonsClick() { Zoom(FoldersOther); }
    void btnStat03ZoomFoldersFailedUndoClick() { Zoom(FoldersFailedUndo); }
    void btnStat03SmartExportFoldersClick() { SmartExport(FoldersCreated); }
    void btnStat03SmartExportSubFoldersClick() { SmartExport(SubFoldersCreated); }
    void btnStat03SmartExportFilesClick() { SmartExport(FilesCreated); }
    void btnStat03SmartExportAlreadyExistsClick() { SmartExport(FoldersExists); }
    void btnStat03SmartExportOtherReasonsClick() { SmartExport(FoldersOther); }
    void btnStat03SmartExportFoldersFailedUndoClick() { SmartExport(FoldersFailedUndo); }

private:
    std::unique_ptr<Ui::TfrmStatistic03> ui;
};

extern TfrmStatistic03* frmStatistic03;
