// The zoom window of the create-from-paths page: one result category at a time.
#pragma once

#include <memory>

#include "results/ResultsLog.h"

namespace Ui {
class TfrmVol04ZoomStatistics;
}

class TfrmVol04ZoomStatistics : public ZoomStatisticsWindow {
    Q_OBJECT
public:
    explicit TfrmVol04ZoomStatistics(QWidget* parent = nullptr);
    ~TfrmVol04ZoomStatistics() override;

    void rdoVol04ZoomStatisticsFoldersCreatedClick() { ShowCategory(0); }
    void rdoVol04ZoomStatisticsSubFoldersCreatedClick() { ShowCategory(1); }
    void rdoVol04ZoomStatisticsFilesCreatedClick() { ShowCategory(2); }
    void rdoVol04ZoomStatisticsFoldersExistClick() { ShowCategory(3); }
    void rdoVol04ZoomStatisticsOtherReasonsClick() { ShowCategory(4); }
    void rdoVol04ZoomStatisticsFoldersFailedUndoClick() { ShowCategory(5); }

private:
    std::unique_ptr<Ui::TfrmVol04ZoomStatistics> ui;
};

extern TfrmVol04ZoomStatistics* frmVol04ZoomStatistics;
