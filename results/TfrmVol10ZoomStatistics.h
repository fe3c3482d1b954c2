// The zoom window of the copy-files page: one result category at a time.
#pragma once

#include <memory>

#include "results/ResultsLog.h"

namespace Ui {
class TfrmVol10ZoomStatistics;
}

class TfrmVol10ZoomStatistics : public ZoomStatisticsWindow {
    Q_OBJECT
public:
    explicit TfrmVol10ZoomStatistics(QWidget* parent = nullptr);
    ~TfrmVol10ZoomStatistics() override;

    void rdoVol10ZoomStatisticsFoldersCopiedClick() { ShowCategory(0); }
    void rdoVol10ZoomStatisticsSubFoldersCopiedClick() { ShowCategory(1); }
    void rdoVol10ZoomStatisticsFilesCopiedClick() { ShowCategory(2); }
    void rdoVol10ZoomStatisticsFoldersNotExistClick() { ShowCategory(3); }
    void rdoVol10ZoomStatisticsSubFoldersExistClick() { ShowCategory(4); }
    void rdoVol10ZoomStatisticsFilesExistClick() { ShowCategory(5); }
    void rdoVol10ZoomStatisticsFilesOverWritedClick() { ShowCategory(6); }
    void rdoVol10ZoomStatisticsFilesOtherReasonsClick() { ShowCategory(7); }
    void rdoVol10ZoomStatisticsFilesSkippedClick() { ShowCategory(8); }
    void rdoVol10ZoomStatisticsFilesIncreasedFileNamesClick() { ShowCategory(9); }
    void rdoVol10ZoomStatisticsFilesFailedUndoClick() { ShowCategory(10); }

private:
    std::unique_ptr<Ui::TfrmVol10ZoomStatistics> ui;
};

extern TfrmVol10ZoomStatistics* frmVol10ZoomStatistics;
