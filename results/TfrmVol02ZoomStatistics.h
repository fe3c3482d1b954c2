// The zoom window of the create-from-strings page: one result category at a time.
#pragma once

#include <memory>

#include "results/ResultsLog.h"

namespace Ui {
class TfrmVol02ZoomStatistics;
}

class TfrmVol02ZoomStatistics : public ZoomStatisticsWindow {
    Q_OBJECT
public:
    explicit TfrmVol02ZoomStatistics(QWidget* parent = nullptr);
    ~TfrmVol02ZoomStatistics() override;

    void rdoVol02ZoomStatisticsFoldersCreatedClick() { ShowCategory(0); }
    void rdoVol02ZoomStatisticsSubFoldersCreatedClick() { ShowCategory(1); }
    void rdoVol02ZoomStatisticsFilesCreatedClick() { ShowCategory(2); }
    void rdoVol02ZoomStatisticsFoldersExistClick() { ShowCategory(3); }
    void rdoVol02ZoomStatisticsOtherReasonsClick() { ShowCategory(4); }
    void rdoVol02ZoomStatisticsFoldersFailedUndoClick() { ShowCategory(5); }

private:
    std::unique_ptr<Ui::TfrmVol02ZoomStatistics> ui;
};

extern TfrmVol02ZoomStatistics* frmVol02ZoomStatistics;
