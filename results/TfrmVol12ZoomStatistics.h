// The zoom window of the rename-files page: one result category at a time.
#pragma once

#include <memory>

#include "results/ResultsLog.h"

namespace Ui {
class TfrmVol12ZoomStatistics;
}

class TfrmVol12ZoomStatistics : public ZoomStatisticsWindow {
    Q_OBJECT
public:
    explicit TfrmVol12ZoomStatistics(QWidget* parent = nullptr);
    ~TfrmVol12ZoomStatistics() override;

    void rdoVol12ZoomStatisticsFoldersRenamedClick() { ShowCategory(0); }
    void rdoVol12ZoomStatisticsSourceNotExistsClick() { ShowCategory(1); }
    void rdoVol12ZoomStatisticsDestinationExistsClick() { ShowCategory(2); }
    void rdoVol12ZoomStatisticsOtherReasonsClick() { ShowCategory(3); }
    void rdoVol12ZoomStatisticsFoldersNotExistClick() { ShowCategory(4); }
    void rdoVol12ZoomStatisticsFilesRenamedClick() { ShowCategory(5); }
    void rdoVol12ZoomStatisticsFilesDroppedClick() { ShowCategory(6); }
    void rdoVol12ZoomStatisticsFilesOverWritedClick() { ShowCategory(7); }
    void rdoVol12ZoomStatisticsFilesIncreasedNamesClick() { ShowCategory(8); }
    void rdoVol12ZoomStatisticsFilesIncreasedTypesClick() { ShowCategory(9); }
    void rdoVol12ZoomStatisticsFilesSourceNotExistClick() { ShowCategory(10); }
    void rdoVol12ZoomStatisticsFilesOtherReasonsClick() { ShowCategory(11); }
    void rdoVol12ZoomStatisticsFilesFailedUndoClick() { ShowCategory(12); }

private:
    std::unique_ptr<Ui::TfrmVol12ZoomStatistics> ui;
};

extern TfrmVol12ZoomStatistics* frmVol12ZoomStatistics;
