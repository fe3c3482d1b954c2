#include "results/TfrmVol02ZoomStatistics.h"

#include "ui_TfrmVol02ZoomStatistics.h"

TfrmVol02ZoomStatistics* frmVol02ZoomStatistics = nullptr;

namespace {

const char* const kCategories[] = {"FoldersCreated", "SubFoldersCreated", "FilesCreated",
                                   "FoldersExist",   "OtherReasons",      "FoldersFailedUndo"};
const ZoomWindowLayout kLayout{"02", kCategories};

}  // namespace

TfrmVol02ZoomStatistics::TfrmVol02ZoomStatistics(QWidget* parent)
    : ZoomStatisticsWindow(kLayout, parent), ui(std::make_unique<Ui::TfrmVol02ZoomStatistics>()) {
    ui->setupUi(this);
    AttachControls();
    connect(ui->rdoVol02ZoomStatisticsFoldersCreated, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol02ZoomStatisticsFoldersCreatedClick();
    });
    connect(ui->rdoVol02ZoomStatisticsSubFoldersCreated, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol02ZoomStatisticsSubFoldersCreatedClick();
    });
    connect(ui->rdoVol02ZoomStatisticsFilesCreated, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol02ZoomStatisticsFilesCreatedClick();
    });
    connect(ui->rdoVol02ZoomStatisticsFoldersExist, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol02ZoomStatisticsFoldersExistClick();
    });
    connect(ui->rdoVol02ZoomStatisticsOtherReasons, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol02ZoomStatisticsOtherReasonsClick();
    });
    connect(ui->rdoVol02ZoomStatisticsFoldersFailedUndo, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol02ZoomStatisticsFoldersFailedUndoClick();
    });
    connect(ui->btnVol02ZoomStatisticsClose, &QPushButton::clicked, this, &QDialog::close);
}

TfrmVol02ZoomStatistics::~TfrmVol02ZoomStatistics() = default;
