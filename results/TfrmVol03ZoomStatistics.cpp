#include "results/TfrmVol03ZoomStatistics.h"

#include "ui_TfrmVol03ZoomStatistics.h"

TfrmVol03ZoomStatistics* frmVol03ZoomStatistics = nullptr;

namespace {

const char* const kCategories[] = {"FoldersCreated", "SubFoldersCreated", "FilesCreated",
                                   "FoldersExist",   "OtherReasons",      "FoldersFailedUndo"};
const ZoomWindowLayout kLayout{"03", kCategories};

}  // namespace

TfrmVol03ZoomStatistics::TfrmVol03ZoomStatistics(QWidget* parent)
    : ZoomStatisticsWindow(kLayout, parent), ui(std::make_unique<Ui::TfrmVol03ZoomStatistics>()) {
    ui->setupUi(this);
    AttachControls();
    connect(ui->rdoVol03ZoomStatisticsFoldersCreated, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol03ZoomStatisticsFoldersCreatedClick();
    });
    connect(ui->rdoVol03ZoomStatisticsSubFoldersCreated, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol03ZoomStatisticsSubFoldersCreatedClick();
    });
    connect(ui->rdoVol03ZoomStatisticsFilesCreated, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol03ZoomStatisticsFilesCreatedClick();
    });
    connect(ui->rdoVol03ZoomStatisticsFoldersExist, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol03ZoomStatisticsFoldersExistClick();
    });
    connect(ui->rdoVol03ZoomStatisticsOtherReasons, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol03ZoomStatisticsOtherReasonsClick();
    });
    connect(ui->rdoVol03ZoomStatisticsFoldersFailedUndo, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol03ZoomStatisticsFoldersFailedUndoClick();
    });
    connect(ui->btnVol03ZoomStatisticsClose, &QPushButton::clicked, this, &QDialog::close);
}

TfrmVol03ZoomStatistics::~TfrmVol03ZoomStatistics() = default;
