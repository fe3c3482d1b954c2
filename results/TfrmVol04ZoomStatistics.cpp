#include "results/TfrmVol04ZoomStatistics.h"

#include "ui_TfrmVol04ZoomStatistics.h"

TfrmVol04ZoomStatistics* frmVol04ZoomStatistics = nullptr;

namespace {

const char* const kCategories[] = {"FoldersCreated", "SubFoldersCreated", "FilesCreated",
                                   "FoldersExist",   "OtherReasons",      "FoldersFailedUndo"};
const ZoomWindowLayout kLayout{"04", kCategories};

}  // namespace

TfrmVol04ZoomStatistics::TfrmVol04ZoomStatistics(QWidget* parent)
    : ZoomStatisticsWindow(kLayout, parent), ui(std::make_unique<Ui::TfrmVol04ZoomStatistics>()) {
    ui->setupUi(this);
    AttachControls();
    connect(ui->rdoVol04ZoomStatisticsFoldersCreated, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol04ZoomStatisticsFoldersCreatedClick();
    });
    connect(ui->rdoVol04ZoomStatisticsSubFoldersCreated, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol04ZoomStatisticsSubFoldersCreatedClick();
    });
    connect(ui->rdoVol04ZoomStatisticsFilesCreated, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol04ZoomStatisticsFilesCreatedClick();
    });
    connect(ui->rdoVol04ZoomStatisticsFoldersExist, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol04ZoomStatisticsFoldersExistClick();
    });
    connect(ui->rdoVol04ZoomStatisticsOtherReasons, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol04ZoomStatisticsOtherReasonsClick();
    });
    connect(ui->rdoVol04ZoomStatisticsFoldersFailedUndo, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol04ZoomStatisticsFoldersFailedUndoClick();
    });
    connect(ui->btnVol04ZoomStatisticsClose, &QPushButton::clicked, this, &QDialog::close);
}

TfrmVol04ZoomStatistics::~TfrmVol04ZoomStatistics() = default;
