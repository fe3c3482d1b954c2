// The Visual Log of the delete-folders page.
#pragma once

#include <memory>

#include "results/ResultsLog.h"

namespace Ui {
class TfrmStatistics07;
}

class TfrmStatistics07 : public VisualLogWindow {
    Q_OBJECT
public:
    // In the order of the window's table; the names are those of the lists.
    enum Category {
        FoldersDeleted,
        FoldersOtherReasons,
        MainFoldersNotExist,
        FilesDeleted,
        FilesOtherReasons,
        FoldersNotExists,
        FilesNotExists
    };

    explicit TfrmStatistics07(QWidget* parent = nullptr);
    ~TfrmStatistics07() override;

    void btnStat07OkClick();
    void btnStat07ZoomFoldersDeletedClick() { Zoom(FoldersDeleted); }
    void btnStat07ZoomOtherReasonsClick() { Zoom(FoldersOtherReasons); }
    void btnStat07ZoomMainFoldersNotExistClick() { Zoom(MainFoldersNotExist); }
    void btnStat07ZoomFilesDeletedClick() { Zoom(FilesDeleted); }
    void btnStat07ZoomFilesOtherReasonsClick() { Zoom(FilesOtherReasons); }
    void btnStat07ZoomFoldersNotExistClick() { Zoom(FoldersNotExists); }
    void btnStat07ZoomFilesNotExistClick() { Zoom(FilesNotExists); }
    void btnStat07SmartExportFoldersDeletedClick() { SmartExport(FoldersDeleted); }
    void btnStat07SmartExportFoldersOtherReasonsClick() { SmartExport(FoldersOtherReasons); }
    void btnStat07SmartExportMainFoldersNotExistClick() { SmartExport(MainFoldersNotExist); }
    void btnStat07SmartExportFilesDeletedClick() { SmartExport(FilesDeleted); }
    void btnStat07SmartExportFilesOtherReasonsClick() { SmartExport(FilesOtherReasons); }
    void btnStat07SmartExportFoldersNotExistClick() { SmartExport(FoldersNotExists); }
    void btnStat07SmartExportFilesNotExistsClick() { SmartExport(FilesNotExists); }

private:
    std::unique_ptr<Ui::TfrmStatistics07> ui;
};

extern TfrmStatistics07* frmStatistics07;
