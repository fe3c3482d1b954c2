// The zoom window of the delete-files page: one result category at a time.
#pragma once

#include <memory>

#include "results/ResultsLog.h"

namespace Ui {
class TfrmVol11ZoomStatistics;
}

class TfrmVol11ZoomStatistics : public ZoomStatisticsWindow {
    Q_OBJECT
public:
    explicit TfrmVol11ZoomStatistics(QWidget* parent = nullptr);
    ~TfrmVol11ZoomStatistics() override;

    void rdoVol11ZoomStatisticsFoldersDeletedClick() { ShowCategory(0); }
    void rdoVol11ZoomStatisticsFoldersNotExistClick() { ShowCategory(1); }
    void rdoVol11ZoomStatisticsFoldersOtherReasonsClick() { ShowCategory(2); }
    void rdoVol11ZoomStatisticsFilesDeletedClick() { ShowCategory(3); }
    void rdoVol11ZoomStatisticsFilesNotExistClick() { ShowCategory(4); }
    void rdoVol11ZoomStatisticsFilesOtherReasonsClick() { ShowCategory(5); }
    void rdoVol11ZoomStatisticsMainFoldersNotExistClick() { ShowCategory(6); }

private:
    std::unique_ptr<Ui::TfrmVol11ZoomStatistics> ui;
};

extern TfrmVol11ZoomStatistics* frmVol11ZoomStatistics;
