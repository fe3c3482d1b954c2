#include "windows/TfrmFileExport.h"

#include <QListView>

#include "core/ExportWriter.h"
#include "core/SettingsStore.h"
#include "core/Validation.h"
#include "platform/MessageBox.h"
#include "platform/qt/FileDialogs.h"
#include "platform/qt/HistoryField.h"
#include "platform/qt/QtPlatform.h"
#include "ui_TfrmFileExport.h"

TfrmFileExport* frmFileExport = nullptr;

namespace {

constexpr int kPreviewExtent = 2000;
const char* const kSaveFilter = "Text Files (*.txt)|*.txt|Comma Separated (*.csv)|*.csv|All Files (*.*)|*.*";

}  // namespace

QVariant ExportPreviewModel::data(const QModelIndex& index, int role) const {
    QVariant shown = ResultsListModel::data(index, role);
    if (swapFrom_ == 0 || role != Qt::DisplayRole || !shown.isValid()) return shown;
    // Both slashes are ASCII: no UTF-8 sequence holds their bytes.
    return shown.toString().replace(QChar(swapFrom_), QChar(swapTo_));
}

TfrmFileExport::TfrmFileExport(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TfrmFileExport>()) {
    ui->setupUi(this);
    qtplat::OfferHistoryAsList(ui->cboFileExportDelimiter);
    preview_ = new ExportPreviewModel(ui->lstFileExportSource);
    SetUpResultsListView(ui->lstFileExportSource, preview_, kPreviewExtent);

    connect(ui->btnFileExportTo, &QPushButton::clicked, this, &TfrmFileExport::btnFileExportToClick);
    connect(ui->btnExportClose, &QPushButton::clicked, this, &TfrmFileExport::btnExportCloseClick);
    connect(ui->rdoFileExportPlainTextFile, &QRadioButton::clicked, this,
            &TfrmFileExport::rdoFileExportPlainTextFileClick);
    connect(ui->rdoFileExportCSVSeparatedFile, &QRadioButton::clicked, this,
            &TfrmFileExport::rdoFileExportCSVSeparatedFileClick);
    connect(ui->rdoFileExportWithDriveLetters, &QRadioButton::clicked, this,
            &TfrmFileExport::rdoFileExportWithDriveLettersClick);
    connect(ui->rdoFileExportWithoutDriveLetters, &QRadioButton::clicked, this,
            &TfrmFileExport::rdoFileExportWithoutDriveLettersClick);
    connect(ui->rdoExportWithBackSlashes, &QRadioButton::clicked, this, &TfrmFileExport::rdoExportWithBackSlashesClick);
    connect(ui->rdoExportWithForwardSlashes, &QRadioButton::clicked, this,
            &TfrmFileExport::rdoExportWithForwardSlashesClick);
    FormCreate();
    SetSharedExportWindow(this);
}

TfrmFileExport::~TfrmFileExport() {
    if (GetSharedExportWindow() == this) SetSharedExportWindow(nullptr);
}

void TfrmFileExport::FormCreate() {
    // The program's delimiter list when it has any, else the built-in one;
    // the combo is filled once per program run.
    StringList delimiters = GetDelimList();
    if (delimiters.empty()) delimiters = BuiltInExportDelimiters();
    ui->cboFileExportDelimiter->clear();
    for (const std::string& d : delimiters) {
        const QString text = QString::fromStdString(d);
        if (ui->cboFileExportDelimiter->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
            ui->cboFileExportDelimiter->addItem(text);
    }
    ui->cboFileExportDelimiter->setCurrentIndex(0);
    ui->rdoFileExportPlainTextFile->setChecked(true);
    ui->cboFileExportDelimiter->setEnabled(false);
    listKind_ = "FOLDERS";
    ClearExportView();
}

// ---- the fill protocol ----------------------------------------------------------------

void TfrmFileExport::ClearExportView() {
    sourceCount_ = 0;
    exportedCount_ = 0;
    SetCountLabels();
    preview_->Clear();
    preview_->SetSwap(0, 0);
    previewMayFail_ = false;
}

void TfrmFileExport::ClearExportLines() {
    exportLines_.Clear();
    exportDistinct_ = true;
    exportFacts_ = {};
}

void TfrmFileExport::AddExportLine(const std::string& line) {
    exportLines_.Append(line);
    exportDistinct_ = exportLines_.Size() == 1;
    exportFacts_.Scan(line);
    exportFacts_.NoteDrive(line);
}

void TfrmFileExport::SetExportLines(LineStore lines, bool distinct, const ExportTextFacts& facts) {
    exportLines_ = std::move(lines);
    exportDistinct_ = distinct;
    exportFacts_ = facts;
    sourceCount_ = exportLines_.Size();
    MarkPending();
}

StringList TfrmFileExport::ExportLines() const {
    StringList lines;
    for (std::size_t i = 0; i < exportLines_.Size(); ++i) lines.emplace_back(exportLines_[i]);
    return lines;
}

void TfrmFileExport::SetListKind(const std::string& kind) { listKind_ = kind; }

bool TfrmFileExport::PreviewContains(const std::string& line) const { return preview_->Contains(line); }

void TfrmFileExport::AddPreviewLine(const std::string& line) {
    preview_->Append(line);
    previewMayFail_ = true;
}

void TfrmFileExport::SetSourceCount(std::size_t count) {
    sourceCount_ = count;
    MarkPending();
}

void TfrmFileExport::SelectFirstPreviewLine() {
    preview_->FlushChanges();
    if (preview_->rowCount() > 0) ui->lstFileExportSource->setCurrentIndex(preview_->index(0));
}

int TfrmFileExport::ShowModal() {
    if (modal_) return -1;
    FlushChanges();
    // A window that is visible cannot be made modal: hide it first.
    if (isVisible()) hide();
    FormActivate();
    activated_ = true;
    modal_ = true;
    const int result = qtplat::ExecModal(this);
    modal_ = false;
    activated_ = false;
    return result;
}

void TfrmFileExport::FlushChanges() {
    preview_->FlushChanges();
    SetCountLabels();
}

void TfrmFileExport::SetCountLabels() {
    ui->lblSmartExportSource->setText(QString::number(sourceCount_));
    ui->lblSmartExportExported->setText(QString::number(exportedCount_));
}

// ---- activation and the preview ------------------------------------------------------

void TfrmFileExport::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!activated_) FormActivate();
    activated_ = false;
}

void TfrmFileExport::FormActivate() {
    const bool strings = IsStringsListKind(listKind_);
    ui->rdoFileExportWithDriveLetters->setEnabled(!strings);
    ui->rdoFileExportWithoutDriveLetters->setEnabled(!strings);
    if (strings) ui->rdoFileExportWithoutDriveLetters->setChecked(true);
    RebuildPreview();
}

void TfrmFileExport::RebuildPreview() {
    ClearExportView();
    ExportPreview preview = BuildExportPreview(exportLines_, ui->rdoFileExportWithoutDriveLetters->isChecked(),
                                               ui->rdoExportWithForwardSlashes->isChecked(), exportDistinct_,
                                               exportFacts_, true);
    sourceCount_ = preview.lines.Size();
    previewMayFail_ = preview.mayFailSyntaxCheck;
    preview_->SetSwap(preview.swapFrom, preview.swapTo);
    preview_->SetLines(std::move(preview.lines));
    SetCountLabels();
}

void TfrmFileExport::rdoFileExportPlainTextFileClick() { ui->cboFileExportDelimiter->setEnabled(false); }
void TfrmFileExport::rdoFileExportCSVSeparatedFileClick() { ui->cboFileExportDelimiter->setEnabled(true); }
void TfrmFileExport::rdoFileExportWithDriveLettersClick() { RebuildPreview(); }
void TfrmFileExport::rdoFileExportWithoutDriveLettersClick() { RebuildPreview(); }
void TfrmFileExport::rdoExportWithBackSlashesClick() { RebuildPreview(); }
void TfrmFileExport::rdoExportWithForwardSlashesClick() { RebuildPreview(); }

// ---- the writer -------------------------------------------------------------------------

void TfrmFileExport::btnFileExportToClick() {
    static const LineStore kNone;
    const LineStore& lines = preview_->OwnLines() ? *preview_->OwnLines() : kNone;
    // The rebuild of the preview looked at every byte already. The check
    // reports lines as the preview shows them.
    std::string report;
    if (previewMayFail_ &&
        CheckFolderNameSyntax(preview_->SwapFrom() != 0
                                  ? ExportPreview{lines, true, preview_->SwapFrom(), preview_->SwapTo()}.Shown()
                                  : lines,
                              report)) {
        plat::MessageBox(report, "Export Content to a File.            Warning no: 0385bc.",
                         plat::MB_OK | plat::MB_ICONWARNING);
        return;
    }
    ExportFormat format;
    format.separated = ui->rdoFileExportCSVSeparatedFile->isChecked();
    format.delimiter = ExportDelimiterFromText(ui->cboFileExportDelimiter->currentText().toStdString());
    format.quotes = ui->chkFileExportQuotationMarks->isChecked();

    // The file is replaced whole or not at all, and the dialog asks nothing
    // when the chosen file exists.
    qtplat::FileDialogRequest dialog;
    dialog.owner = this;
    dialog.save = true;
    dialog.filter = kSaveFilter;
    dialog.defaultExtension = "txt";
    dialog.title = "Export Folder Names (strings) to a file.";
    dialog.confirmOverwrite = false;
    const std::string path = qtplat::GetFileName(dialog);
    if (path.empty()) return;

    // A kind the writer does not know writes no line.
    exportedCount_ = 0;
    // The preview's lines are converted to the chosen slashes already.
    const bool written = WriteExportPreview(path, IsExportListKind(listKind_) ? lines : kNone, format,
                                            [this](std::size_t count) {
                                                exportedCount_ = count;
                                                MarkPending();
                                                results::PaceRun();
                                            },
                                            preview_->SwapFrom(), preview_->SwapTo());
    if (!written) {
        // Nothing was written: the old file, if any, is as it was.
        exportedCount_ = 0;
        SetCountLabels();
        plat::MessageBox("There was a problem saving the file !\nAction : The file is maybe corrupted.",
                         "Export Conrent to File.            Warning no: 0330.", plat::MB_OK | plat::MB_ICONWARNING);
        return;
    }
    SetCountLabels();
    plat::MessageBox("End of the exporting process.", GetProgramTitle(), plat::MB_OK);
}

void TfrmFileExport::btnExportCloseClick() { close(); }
