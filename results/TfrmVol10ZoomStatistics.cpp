#include "results/TfrmVol10ZoomStatistics.h"

#include "ui_TfrmVol10ZoomStatistics.h"

TfrmVol10ZoomStatistics* frmVol10ZoomStatistics = nullptr;

namespace {

const char* const kCategories[] = {
    "FoldersCopied",   "SubFoldersCopied",  "FilesCopied",  "FoldersNotExist",         "SubFoldersExist", "FilesExist",
    "FilesOverWrited", "FilesOtherReasons", "FilesSkipped", "FilesIncreasedFileNames", "FilesFailedUndo"};
const ZoomWindowLayout kLayout{"10", kCategories};

}  // namespace

TfrmVol10ZoomStatistics::TfrmVol10ZoomStatistics(QWidget* parent)
    : ZoomStatisticsWindow(kLayout, parent), ui(std::make_unique<Ui::TfrmVol10ZoomStatistics>()) {
    ui->setupUi(this);
    AttachControls();
    connect(ui->rdoVol10ZoomStatisticsFoldersCopied, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol10ZoomStatisticsFoldersCopiedClick();
    });
    connect(ui->rdoVol10ZoomStatisticsSubFoldersCopied, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol10ZoomStatisticsSubFoldersCopiedClick();
    });
    connect(ui->rdoVol10ZoomStatisticsFilesCopied, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol10ZoomStatisticsFilesCopiedClick();
    });
    connect(ui->rdoVol10ZoomStatisticsFoldersNotExist, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol10ZoomStatisticsFoldersNotExistClick();
    });
    connect(ui->rdoVol10ZoomStatisticsSubFoldersExist, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol10ZoomStatisticsSubFoldersExistClick();
    });
    connect(ui->rdoVol10ZoomStatisticsFilesExist, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol10ZoomStatisticsFilesExistClick();
    });
    connect(ui->rdoVol10ZoomStatisticsFilesOverWrited, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol10ZoomStatisticsFilesOverWritedClick();
    });
    connect(ui->rdoVol10ZoomStatisticsFilesOtherReasons, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol10ZoomStatisticsFilesOtherReasonsClick();
    });
    connect(ui->rdoVol10ZoomStatisticsFilesSkipped, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol10ZoomStatisticsFilesSkippedClick();
    });
    connect(ui->rdoVol10ZoomStatisticsFilesIncreasedFileNames, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol10ZoomStatisticsFilesIncreasedFileNamesClick();
    });
    connect(ui->rdoVol10ZoomStatisticsFilesFailedUndo, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol10ZoomStatisticsFilesFailedUndoClick();
    });
    connect(ui->btnVol10ZoomStatisticsClose, &QPushButton::clicked, this, &QDialog::close);
}

TfrmVol10ZoomStatistics::~TfrmVol10ZoomStatistics() = default;
