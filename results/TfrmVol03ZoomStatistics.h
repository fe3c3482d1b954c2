// The zoom window of the increased-numbers page: one result category at a time.
#pragma once

#include <memory>

#include "results/ResultsLog.h"

namespace Ui {
class TfrmVol03ZoomStatistics;
}

class TfrmVol03ZoomStatistics : public ZoomStatisticsWindow {
    Q_OBJECT
public:
    explicit TfrmVol03ZoomStatistics(QWidget* parent = nullptr);
    ~TfrmVol03ZoomStatistics() override;

    void rdoVol03ZoomStatisticsFoldersCreatedClick() { ShowCategory(0); }
    void rdoVol03ZoomStatisticsSubFoldersCreatedClick() { ShowCategory(1); }
    void rdoVol03ZoomStatisticsFilesCreatedClick() { ShowCategory(2); }
    void rdoVol03ZoomStatisticsFoldersExistClick() { ShowCategory(3); }
    void rdoVol03ZoomStatisticsOtherReasonsClick() { ShowCategory(4); }
    void rdoVol03ZoomStatisticsFoldersFailedUndoClick() { ShowCategory(5); }

private:
    std::unique_ptr<Ui::TfrmVol03ZoomStatistics> ui;
};

extern TfrmVol03ZoomStatistics* frmVol03ZoomStatistics;
