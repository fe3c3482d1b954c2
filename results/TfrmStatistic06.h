// The Visual Log of the rename-folders page.
#pragma once

#include <memory>

#include "results/ResultsLog.h"

namespace Ui {
class TfrmStatistic06;
}

class TfrmStatistic06 : public VisualLogWindow {
    Q_OBJECT
public:
    // In the order of the window's table; the names are those of the lists.
    enum Category {
        FoldersRenamed,
        FoldersSourceNotExists,
        FoldersDestinationExists,
        FoldersOtherReasons,
        FoldersFailedUndo
    };

    explicit TfrmStatistic06(QWidget* parent = nullptr);
    ~TfrmStatistic06() override;

    void btnStat06OKClick();
    void btnStat06ZoomFoldersRenamedClick() { Zoom(FoldersRenamed); }
    void btnStat06ZoomSourceNotExistsClick() { Zoom(FoldersSourceNotExists); }
    void btnStat06ZoomDestinationExistsClick() { Zoom(FoldersDestinationExists); }
    void btnStat06ZoomOtherReasonsClick() { Zoom(FoldersOtherReasons); }
    void btnStat06ZoomFoldersFailedUndoClick() { Zoom(FoldersFailedUndo); }
    void btnStat06SmartExportFoldersRenamedClick() { SmartExport(FoldersRenamed); }
    void btnStat06SmartExportSourceNotExistsClick() { SmartExport(FoldersSourceNotExists); }
    void btnStat06SmartExportDestinationExistsClick() { SmartExport(FoldersDestinationExists); }
    void btnStat06SmartExportFoldersOtherReasonsClick() { SmartExport(FoldersOtherReasons); }
    void btnStat06SmartExportFoldersFailedUndoClick() { SmartExport(FoldersFailedUndo); }

private:
    std::unique_ptr<Ui::TfrmStatistic06> ui;
};

extern TfrmStatistic06* frmStatistic06;
