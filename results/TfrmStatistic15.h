// The Visual Log of the consistency-checker page.
#pragma once

#include <memory>

#include "results/ResultsLog.h"

namespace Ui {
class TfrmStatistic15;
}

class TfrmStatistic15 : public VisualLogWindow {
    Q_OBJECT
public:
    // In the order of the window's table; the names are those of the lists.
    enum Category {
        FoldersMissing,
        SubFoldersMissing,
        FilesMissing,
        FoldersNotExists,
        FoldersExtra,
        SubFoldersExtra,
        FilesExtra,
        SubFoldersOtherReasons
    };

    explicit TfrmStatistic15(QWidget* parent = nullptr);
    ~TfrmStatistic15() override;

    void btnStat15OkClick();
    void btnStat15ZoomFoldersMissingClick() { Zoom(FoldersMissing); }
    void btnStat15ZoomSubFoldersMissingClick() { Zoom(SubFoldersMissing); }
    void btnStat15ZoomFilesMissingClick() { Zoom(FilesMissing); }
    void btnStat15ZoomFoldersNotExistClick() { Zoom(FoldersNotExists); }
    void btnStat15ZoomFoldersExtraClick() { Zoom(FoldersExtra); }
    void btnStat15ZoomSubFoldersExtraClick() { Zoom(SubFoldersExtra); }
    void btnStat15ZoomFilesExtraClick() { Zoom(FilesExtra); }
    void btnStat15ZoomSubFoldersOtherReasonsClick() { Zoom(SubFoldersOtherReasons); }
    void btnStat15SmartExportFoldersMissingClick() { SmartExport(FoldersMissing); }
    void btnStat15SmartExportSubFoldersMissingClick() { SmartExport(SubFoldersMissing); }
    void btnStat15SmartExportFilesMissingClick() { SmartExport(FilesMissing); }
    void btnStat15SmartExportFoldersNotExistClick() { SmartExport(FoldersNotExists); }
    void btnStat15SmartExportFoldersExtraClick() { SmartExport(FoldersExtra); }
    void btnStat15SmartExportSubFoldersExtraClick() { SmartExport(SubFoldersExtra); }
    void btnStat15SmartExportFilesExtraClick() { SmartExport(FilesExtra); }
    void btnStat15SmartExportSubFoldersOtherReasonsClick() { SmartExport(SubFoldersOtherReasons); }

private:
    std::unique_ptr<Ui::TfrmStatistic15> ui;
};

extern TfrmStatistic15* frmStatistic15;
