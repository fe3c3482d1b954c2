// The zoom window of the delete-folders page: one result category at a time.
#pragma once

#include <memory>

#include "results/ResultsLog.h"

namespace Ui {
class TfrmVol07ZoomStatistics;
}

class TfrmVol07ZoomStatistics : public ZoomStatisticsWindow {
    Q_OBJECT
public:
    explicit TfrmVol07ZoomStatistics(QWidget* parent = nullptr);
    ~TfrmVol07ZoomStatistics() override;

    void rdoVol07ZoomStatisticsFoldersDeletedClick() { ShowCategory(0); }
    void rdoVol07ZoomStatisticsFoldersNotExistClick() { ShowCategory(1); }
    void rdoVol07ZoomStatisticsFoldersOtherReasonsClick() { ShowCategory(2); }
    void rdoVol07ZoomStatisticsFilesDeletedClick() { ShowCategory(3); }
    void rdoVol07ZoomStatisticsFilesNotExistClick() { ShowCategory(4); }
    void rdoVol07ZoomStatisticsFilesOtherReasonsClick() { ShowCategory(5); }
    void rdoVol07ZoomStatisticsMainFoldersNotExistClick() { ShowCategory(6); }

private:
    std::unique_ptr<Ui::TfrmVol07ZoomStatistics> ui;
};

extern TfrmVol07ZoomStatistics* frmVol07ZoomStatistics;
