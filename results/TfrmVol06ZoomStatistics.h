// The zoom window of the rename-folders page: one result category at a time.
#pragma once

#include <memory>

#include "results/ResultsLog.h"

namespace Ui {
class TfrmVol06ZoomStatistics;
}

class TfrmVol06ZoomStatistics : public ZoomStatisticsWindow {
    Q_OBJECT
public:
    explicit TfrmVol06ZoomStatistics(QWidget* parent = nullptr);
    ~TfrmVol06ZoomStatistics() override;

    void rdoVol06ZoomStatisticsFoldersRenamedClick() { ShowCategory(0); }
    void rdoVol06ZoomStatisticsSourceNotExistsClick() { ShowCategory(1); }
    void rdoVol06ZoomStatisticsDestinationExistsClick() { ShowCategory(2); }
    void rdoVol06ZoomStatisticsOtherReasonsClick() { ShowCategory(3); }
    void rdoVol06ZoomStatisticsFoldersFailedUndoClick() { ShowCategory(4); }

private:
    std::unique_ptr<Ui::TfrmVol06ZoomStatistics> ui;
};

extern TfrmVol06ZoomStatistics* frmVol06ZoomStatistics;
