// The Visual Log of the copy-folders page.
#pragma once

#include <memory>

#include "results/ResultsLog.h"

namespace Ui {
class TfrmStatistic08;
}

class TfrmStatistic08 : public VisualLogWindow {
    Q_OBJECT
public:
    // In the order of the window's table; the names are those of the lists.
    enum Category {
        FoldersCopied,
        SubFoldersCopied,
        FilesCopied,
        FoldersNotExists,
        SubFoldersExists,
        FilesExists,
        SubFoldersOtherReasons,
        SubFoldersFailedUndo
    };

    explicit TfrmStatistic08(QWidget* parent = nullptr);
    ~TfrmStatistic08() override;

    void btnStat08OkClick();
    void btnStat08ZoomFoldersCopiedClick() { Zoom(FoldersCopied); }
    void btnStat08ZoomSubFoldersCopiedClick() { Zoom(SubFoldersCopied); }
    void btnStat08ZoomFilesCopiedClick() { Zoom(FilesCopied); }
    void btnStat08ZoomFoldersNotExistClick() { Zoom(FoldersNotExists); }
    void btnStat08ZoomSubFoldersExistClick() { Zoom(SubFoldersExists); }
    void btnStat08ZoomFilesExistClick() { Zoom(FilesExists); }
    void btnStat08ZoomSubFoldersOtherReasonsClick() { Zoom(SubFoldersOtherReasons); }
    void btnStat08ZoomSubFoldersFailedUndoClick() { Zoom(SubFoldersFailedUndo); }
    void btnStat08SmartExportFoldersCopiedClick() { SmartExport(FoldersCopied); }
    void btnStat08SmartExportSubFoldersCopiedClick() { SmartExport(SubFoldersCopied); }
    void btnStat08SmartExportFilesCopiedClick() { SmartExport(FilesCopied); }
    void btnStat08SmartExportFoldersNotExistClick() { SmartExport(FoldersNotExists); }
    void btnStat08SmartExportSubFoldersExistClick() { SmartExport(SubFoldersExists); }
    void btnStat08SmartExportFilesExistClick() { SmartExport(FilesExists); }
    void btnStat08SmartExportSubFoldersOtherReasonsClick() { SmartExport(SubFoldersOtherReasons); }
    void btnStat08SmartExportSubFoldersFailedUndoClick() { SmartExport(SubFoldersFailedUndo); }

private:
    std::unique_ptr<Ui::TfrmStatistic08> ui;
};

extern TfrmStatistic08* frmStatistic08;
