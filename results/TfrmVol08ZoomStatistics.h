// The zoom window of the copy-folders page: one result category at a time.
#pragma once

#include <memory>

#include "results/ResultsLog.h"

namespace Ui {
class TfrmVol08ZoomStatistics;
}

class TfrmVol08ZoomStatistics : public ZoomStatisticsWindow {
    Q_OBJECT
public:
    explicit TfrmVol08ZoomStatistics(QWidget* parent = nullptr);
    ~TfrmVol08ZoomStatistics() override;

    void rdoVol08ZoomStatisticsFoldersCopiedClick() { ShowCategory(0); }
    void rdoVol08ZoomStatisticsSubFoldersCopiedClick() { ShowCategory(1); }
    void rdoVol08ZoomStatisticsFilesCopiedClick() { ShowCategory(2); }
    void rdoVol08ZoomStatisticsFoldersNotExistClick() { ShowCategory(3); }
    void rdoVol08ZoomStatisticsSubFoldersExistClick() { ShowCategory(4); }
    void rdoVol08ZoomStatisticsFilesExistClick() { ShowCategory(5); }
    void rdoVol08ZoomStatisticsSubFoldersOtherReasonsClick() { ShowCategory(6); }
    void rdoVol08ZoomStatisticsSubFoldersFailedUndoClick() { ShowCategory(7); }

private:
    std::unique_ptr<Ui::TfrmVol08ZoomStatistics> ui;
};

extern TfrmVol08ZoomStatistics* frmVol08ZoomStatistics;
