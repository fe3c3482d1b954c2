#include "results/TfrmVol15ZoomStatistics.h"

#include "ui_TfrmVol15ZoomStatistics.h"

TfrmVol15ZoomStatistics* frmVol15ZoomStatistics = nullptr;

namespace {

const char* const kCategories[] = {"FoldersMissing",  "SubFoldersMissing", "FilesMissing", "FoldersNotExist",
                                   "SubFoldersExtra", "FilesExtra",        "OtherReasons", "FoldersExtra"};
const ZoomWindowLayout kLayout{"15", kCategories};

}  // namespace

TfrmVol15ZoomStatistics::TfrmVol15ZoomStatistics(QWidget* parent)
    : ZoomStatisticsWindow(kLayout, parent), ui(std::make_unique<Ui::TfrmVol15ZoomStatistics>()) {
    ui->setupUi(this);
    AttachControls();
    connect(ui->rdoVol15ZoomStatisticsFoldersMissing, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol15ZoomStatisticsFoldersMissingClick();
    });
    connect(ui->rdoVol15ZoomStatisticsSubFoldersMissing, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol15ZoomStatisticsSubFoldersMissingClick();
    });
    connect(ui->rdoVol15ZoomStatisticsFilesMissing, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol15ZoomStatisticsFilesMissingClick();
    });
    connect(ui->rdoVol15ZoomStatisticsFoldersNotExist, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol15ZoomStatisticsFoldersNotExistClick();
    });
    connect(ui->rdoVol15ZoomStatisticsSubFoldersExtra, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol15ZoomStatisticsSubFoldersExtraClick();
    });
    connect(ui->rdoVol15ZoomStatisticsFilesExtra, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol15ZoomStatisticsFilesExtraClick();
    });
    connect(ui->rdoVol15ZoomStatisticsOtherReasons, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol15ZoomStatisticsOtherReasonsClick();
    });
    connect(ui->rdoVol15ZoomStatisticsFoldersExtra, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol15ZoomStatisticsFoldersExtraClick();
    });
    connect(ui->btnVol15ZoomStatisticsClose, &QPushButton::clicked, this, &QDialog::close);
}

TfrmVol15ZoomStatistics::~TfrmVol15ZoomStatistics() = default;
