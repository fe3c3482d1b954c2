#include "results/TfrmVol08ZoomStatistics.h"

#include "ui_TfrmVol08ZoomStatistics.h"

TfrmVol08ZoomStatistics* frmVol08ZoomStatistics = nullptr;

namespace {

const char* const kCategories[] = {"FoldersCopied",          "SubFoldersCopied",    "FilesCopied",
                                   "FoldersNotExist",        "SubFoldersExist",     "FilesExist",
                                   "SubFoldersOtherReasons", "SubFoldersFailedUndo"};
const ZoomWindowLayout kLayout{"08", kCategories};

}  // namespace

TfrmVol08ZoomStatistics::TfrmVol08ZoomStatistics(QWidget* parent)
    : ZoomStatisticsWindow(kLayout, parent), ui(std::make_unique<Ui::TfrmVol08ZoomStatistics>()) {
    ui->setupUi(this);
    AttachControls();
    connect(ui->rdoVol08ZoomStatisticsFoldersCopied, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol08ZoomStatisticsFoldersCopiedClick();
    });
    connect(ui->rdoVol08ZoomStatisticsSubFoldersCopied, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol08ZoomStatisticsSubFoldersCopiedClick();
    });
    connect(ui->rdoVol08ZoomStatisticsFilesCopied, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol08ZoomStatisticsFilesCopiedClick();
    });
    connect(ui->rdoVol08ZoomStatisticsFoldersNotExist, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol08ZoomStatisticsFoldersNotExistClick();
    });
    connect(ui->rdoVol08ZoomStatisticsSubFoldersExist, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol08ZoomStatisticsSubFoldersExistClick();
    });
    connect(ui->rdoVol08ZoomStatisticsFilesExist, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol08ZoomStatisticsFilesExistClick();
    });
    connect(ui->rdoVol08ZoomStatisticsSubFoldersOtherReasons, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol08ZoomStatisticsSubFoldersOtherReasonsClick();
    });
    connect(ui->rdoVol08ZoomStatisticsSubFoldersFailedUndo, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol08ZoomStatisticsSubFoldersFailedUndoClick();
    });
    connect(ui->btnVol08ZoomStatisticsClose, &QPushButton::clicked, this, &QDialog::close);
}

TfrmVol08ZoomStatistics::~TfrmVol08ZoomStatistics() = default;
