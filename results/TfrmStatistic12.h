// The Visual Log of the rename-files page.
#pragma once

#include <memory>

#include "results/ResultsLog.h"

namespace Ui {
class TfrmStatistic12;
}

class TfrmStatistic12 : public VisualLogWindow {
    Q_OBJECT
public:
    // In the order of the window's table; the names are those of the lists.
    enum Category {
        FilesRenamed,
        FilesSkipped,
        FilesOverWrited,
        FilesIncreasedFileNames,
        FilesIncreasedTypes,
        FilesSourceNotExist,
        FilesOtherReasons,
        FoldersNotExist,
        FilesFailedUndo,
        FoldersRenamed,
        FoldersSourceNotExists,
        FoldersDestinationExists,
        FoldersOtherReasons
    };

    explicit TfrmStatistic12(QWidget* parent = nullptr);
    ~TfrmStatistic12() override;

    void btnStat12OKClick();
    void btnStat12ZoomFilesRenamedClick() { Zoom(FilesRenamed); }
    void btnStat12ZoomFilesDroppedClick() { Zoom(FilesSkipped); }
    void btnStat12ZoomFilesOverWritedClick() { Zoom(FilesOverWrited); }
    void btnStat12ZoomFilesIncreasedNamesClick() { Zoom(FilesIncreasedFileNames); }
    void btnStat12ZoomFilesIncreasedTypesClick() { Zoom(FilesIncreasedTypes); }
    void btnStat12ZoomFilesNotExistClick() { Zoom(FilesSourceNotExist); }
    void btnStat12ZoomFilesOtherReasonsClick() { Zoom(FilesOtherReasons); }
    void btnStat12ZoomFoldersNotExistClick() { Zoom(FoldersNotExist); }
    void btnStat12ZoomFilesFailedUndoClick() { Zoom(FilesFailedUndo); }
    void btnStat12ZoomFoldersRenamedClick() { Zoom(FoldersRenamed); }
    void btnStat12ZoomSourceNotExistsClick() { Zoom(FoldersSourceNotExists); }
    void btnStat12ZoomDestinationExistsClick() { Zoom(FoldersDestinationExists); }
    void btnStat12ZoomOtherReasonsClick() { Zoom(FoldersOtherReasons); }
    void btnStat12SmartExportFilesRenamedClick() { SmartExport(FilesRenamed); }
    void btnStat12SmartExportFilesDroppedClick() { SmartExport(FilesSkipped); }
    void btnStat12SmartExportFilesOverWritedClick() { SmartExport(FilesOverWrited); }
    void btnStat12SmartExportFilesIncreasedNamesClick() { SmartExport(FilesIncreasedFileNames); }
    void btnStat12SmartExportFilesIncreasedTypesClick() { SmartExport(FilesIncreasedTypes); }
    void btnStat12SmartExportFilesSourceNotExistClick() { SmartExport(FilesSourceNotExist); }
    void btnStat12SmartExportFilesOtherReasonsClick() { SmartExport(FilesOtherReasons); }
    void btnStat12SmartExportFoldersNotExistClick() { SmartExport(FoldersNotExist); }
    void btnStat12SmartExportFilesFailedUndoClick() { SmartExport(FilesFailedUndo); }
    void btnStat12SmartExportFoldersRenamedClick() { SmartExport(FoldersRenamed); }
    void btnStat12SmartExportSourceNotExistsClick() { SmartExport(FoldersSourceNotExists); }
    void btnStat12SmartExportDestinationExistsClick() { SmartExport(FoldersDestinationExists); }
    void btnStat12SmartExportFoldersOtherReasonsClick() { SmartExport(FoldersOtherReasons); }

private:
    std::unique_ptr<Ui::TfrmStatistic12> ui;
};

extern TfrmStatistic12* frmStatistic12;
