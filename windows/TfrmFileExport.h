// The program's one export window. A caller fills it (ClearExportView,
// ClearExportLines, per line AddPreviewLine + AddExportLine +
// SetSourceCount, SelectFirstPreviewLine, SetListKind) and shows it with
// ShowModal; the user chooses the layout and writes the preview's lines to
// a text file. Whenever the window is shown it rebuilds the preview from the
// export lines, so what it shows is exactly what it writes.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "core/Types.h"
#include "results/ResultsList.h"
#include "results/SharedExportWindow.h"

namespace Ui {
class TfrmFileExport;
}

// The preview's list: it may show its lines with one slash swapped for the
// other, as the file gets them, without a copy of the lines.
class ExportPreviewModel : public ResultsListModel {
public:
    using ResultsListModel::ResultsListModel;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    void SetSwap(char from, char to) {
        swapFrom_ = from;
        swapTo_ = to;
    }
    char SwapFrom() const { return swapFrom_; }
    char SwapTo() const { return swapTo_; }

private:
    char swapFrom_ = 0, swapTo_ = 0;
};

class TfrmFileExport : public QDialog, public SharedExportWindow, public results::PendingChanges {
    Q_OBJECT
public:
    explicit TfrmFileExport(QWidget* parent = nullptr);
    ~TfrmFileExport() override;

    // ---- the fill protocol ----
    // Both counts "0", the preview emptied.
    void ClearExportView() override;
    void ClearExportLines() override;
    void AddExportLine(const std::string& line) override;
    void SetExportLines(LineStore lines, bool distinct, const ExportTextFacts& facts) override;
    // "FOLDERS" or "STRINGS" ("STRINGS" exports without drive letters).
    void SetListKind(const std::string& kind) override;
    bool PreviewContains(const std::string& line) const override;
    void AddPreviewLine(const std::string& line) override;
    // The running count in lblSmartExportSource (shown at the next flush).
    void SetSourceCount(std::size_t count) override;
    void SelectFirstPreviewLine() override;
    int ShowModal() override;

    const std::string& ListKind() const { return listKind_; }
    StringList ExportLines() const;
    const ResultsListModel* Preview() const { return preview_; }

    // ---- handlers ----
    void FormActivate();
    void btnFileExportToClick();
    void btnExportCloseClick();
    void rdoFileExportPlainTextFileClick();
    void rdoFileExportCSVSeparatedFileClick();
    void rdoFileExportWithDriveLettersClick();
    void rdoFileExportWithoutDriveLettersClick();
    void rdoExportWithBackSlashesClick();
    void rdoExportWithForwardSlashesClick();

    void FlushChanges() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void RebuildPreview();
    void SetCountLabels();

    std::unique_ptr<Ui::TfrmFileExport> ui;
    ExportPreviewModel* preview_ = nullptr;
    LineStore exportLines_;
    bool exportDistinct_ = true;  // no two export lines are one (SameFolderLine)
    ExportTextFacts exportFacts_;  // what their bytes hold
    // The preview's lines may hold a byte the folder-name check reports;
    // false when the rebuild found none and nothing came in since.
    bool previewMayFail_ = false;
    std::string listKind_ = "FOLDERS";
    std::size_t sourceCount_ = 0;
    std::size_t exportedCount_ = 0;
    bool modal_ = false;
    // ShowModal has rebuilt the preview already for the coming showing.
    bool activated_ = false;
};

extern TfrmFileExport* frmFileExport;
