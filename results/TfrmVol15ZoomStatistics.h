// The zoom window of the consistency-checker page: one result category at a time.
#pragma once

#include <memory>

#include "results/ResultsLog.h"

namespace Ui {
class TfrmVol15ZoomStatistics;
}

class TfrmVol15ZoomStatistics : public ZoomStatisticsWindow {
    Q_OBJECT
public:
    explicit TfrmVol15ZoomStatistics(QWidget* parent = nullptr);
    ~TfrmVol15ZoomStatistics() override;

    void rdoVol15ZoomStatisticsFoldersMissingClick() { ShowCategory(0); }
    void rdoVol15ZoomStatisticsSubFoldersMissingClick() { ShowCategory(1); }
    void rdoVol15ZoomStatisticsFilesMissingClick() { ShowCategory(2); }
    void rdoVol15ZoomStatisticsFoldersNotExistClick() { ShowCategory(3); }
    void rdoVol15ZoomStatisticsSubFoldersExtraClick() { ShowCategory(4); }
    void rdoVol15ZoomStatisticsFilesExtraClick() { ShowCategory(5); }
    void rdoVol15ZoomStatisticsOtherReasonsClick() { ShowCategory(6); }
    void rdoVol15ZoomStatisticsFoldersExtraClick() { ShowCategory(7); }

private:
    std::unique_ptr<Ui::TfrmVol15ZoomStatistics> ui;
};

extern TfrmVol15ZoomStatistics* frmVol15ZoomStatistics;
