// The Visual Log of the delete-files page.
#pragma once

#include <memory>

#include "results/ResultsLog.h"

namespace Ui {
class TfrmStatistics11;
}

class TfrmStatistics11 : public VisualLogWindow {
    Q_OBJECT
public:
    // In the order of the window's table; the names are those of the lists.
    enum Category {
        FilesDeleted,
        FilesOtherReasons,
        MainFoldersNotExist,
        FoldersDeleted,
        FoldersOtherReasons,
        FoldersNotExists,
        FilesNotExists
    };

    explicit TfrmStatistics11(QWidget* parent = nullptr);
    ~TfrmStatistics11() override;

    void btnStat11OkClick();
    void btnStat11ZoomFilesDeletedClick() { Zoom(FilesDeleted); }
    void btnStat11ZoomFilesOtherReasonsClick() { Zoom(FilesOtherReasons); }
    void btnStat11ZoomMainFoldersNotExistClick() { Zoom(MainFoldersNotExist); }
    void btnStat11ZoomFoldersDeletedClick() { Zoom(FoldersDeleted); }
    void btnStat11ZoomFoldersOtherReasonsClick() { Zoom(FoldersOtherReasons); }
    void btnStat11ZoomFoldersNotExistClick() { Zoom(FoldersNotExists); }
    void btnStat11ZoomFilesNotExistClick() { Zoom(FilesNotExists); }
    void btnStat11SmartExportFilesDeletedClick() { SmartExport(FilesDeleted); }
    void btnStat11SmartExportFilesOtherReasonsClick() { SmartExport(FilesOtherReasons); }
    void btnStat11SmartExportMainFoldersNotExistClick() { SmartExport(MainFoldersNotExist); }
    void btnStat11SmartExportFoldersDeletedClick() { SmartExport(FoldersDeleted); }
    void btnStat11SmartExportFoldersOtherReasonsClick() { SmartExport(FoldersOtherReasons); }
    void btnStat11SmartExportFoldersNotExistClick() { SmartExport(FoldersNotExists); }
    void btnStat11SmartExportFilesNotExistsClick() { SmartExport(FilesNotExists); }

private:
    std::unique_ptr<Ui::TfrmStatistics11> ui;
};

extern TfrmStatistics11* frmStatistics11;
