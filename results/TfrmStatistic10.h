// The Visual Log of the copy-files page.
#pragma once

#include <memory>

#include "results/ResultsLog.h"

namespace Ui {
class TfrmStatistic10;
}

class TfrmStatistic10 : public VisualLogWindow {
    Q_OBJECT
public:
    // In the order of the window's table; the names are those of the lists.
    enum Category {
        FilesCopied,
        FilesExist,
        FilesOtherReasons,
        FoldersNotExists,
        FilesOverWrited,
        FilesSkipped,
        FilesIncreasedFileNames,
        FilesFailedUndo,
        FoldersCopied,
        SubFoldersCopied,
        SubFoldersExists
    };

    explicit TfrmStatistic10(QWidget* parent = nullptr);
    ~TfrmStatistic10() override;

    void btnStat10CloseClick();
    void bznStat10ZoomFilesCopiedClick() { Zoom(FilesCopied); }
    void btnStat10ZoomFilesExistClick() { Zoom(FilesExist); }
    void btnStat10ZoomFilesOtherReasonsClick() { Zoom(FilesOtherReasons); }
    void btnStat10ZoomFoldersNotExistClick() { Zoom(FoldersNotExists); }
    void btnStat10ZoomFilesOverWritedClick() { Zoom(FilesOverWrited); }
    void btnStat10ZoomFilesSkippedClick() { Zoom(FilesSkipped); }
    void btnStat10ZoomFilesIncreasedFileNamesClick() { Zoom(FilesIncreasedFileNames); }
    void btnStat10ZoomFilesFailedUndoClick() { Zoom(FilesFailedUndo); }
    void btnStat10ZoomFoldersCopiedClick() { Zoom(FoldersCopied); }
    void btnStat10ZoomSubFoldersCopiedClick() { Zoom(SubFoldersCopied); }
    void btnStat10ZoomSubFoldersExistClick() { Zoom(SubFoldersExists); }
    void btnStat10SmartExportFilesCopiedClick() { SmartExport(FilesCopied); }
    void btnStat10SmartExportFilesExistClick() { SmartExport(FilesExist); }
    void btnStat10SmartExportFilesOtherReasonsClick() { SmartExport(FilesOtherReasons); }
    void btnStat10SmartExportFoldersNotExistClick() { SmartExport(FoldersNotExists); }
    void btnStat10SmartExportFilesOverWritedClick() { SmartExport(FilesOverWrited); }
    void btnStat10SmartExportFilesSkippedClick() { SmartExport(FilesSkipped); }
    void btnStat10SmartExportFilesIncreasedFileNamesClick() { SmartExport(FilesIncreasedFileNames); }
    void btnStat10SmartExportFilesFailedUndoClick() { SmartExport(FilesFailedUndo); }
    void btnStat10SmartExportFoldersCopiedClick() { SmartExport(FoldersCopied); }
    void btnStat10SmartExportSubFoldersCopiedClick() { SmartExport(SubFoldersCopied); }
    void btnStat10SmartExportSubFoldersExistClick() { SmartExport(SubFoldersExists); }

private:
    std::unique_ptr<Ui::TfrmStatistic10> ui;
};

extern TfrmStatistic10* frmStatistic10;
