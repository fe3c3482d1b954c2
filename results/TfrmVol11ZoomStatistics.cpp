#include "results/TfrmVol11ZoomStatistics.h"

#include "ui_TfrmVol11ZoomStatistics.h"

TfrmVol11ZoomStatistics* frmVol11ZoomStatistics = nullptr;

namespace {

const char* const kCategories[] = {"FoldersDeleted", "FoldersNotExist",   "FoldersOtherReasons", "FilesDeleted",
                                   "FilesNotExist",  "FilesOtherReasons", "MainFoldersNotExist"};
const ZoomWindowLayout kLayout{"11", kCategories};

}  // namespace

TfrmVol11ZoomStatistics::TfrmVol11ZoomStatistics(QWidget* parent)
    : ZoomStatisticsWindow(kLayout, parent), ui(std::make_unique<Ui::TfrmVol11ZoomStatistics>()) {
    ui->setupUi(this);
    AttachControls();
    connect(ui->rdoVol11ZoomStatisticsFoldersDeleted, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol11ZoomStatisticsFoldersDeletedClick();
    });
    connect(ui->rdoVol11ZoomStatisticsFoldersNotExist, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol11ZoomStatisticsFoldersNotExistClick();
    });
    connect(ui->rdoVol11ZoomStatisticsFoldersOtherReasons, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol11ZoomStatisticsFoldersOtherReasonsClick();
    });
    connect(ui->rdoVol11ZoomStatisticsFilesDeleted, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol11ZoomStatisticsFilesDeletedClick();
    });
    connect(ui->rdoVol11ZoomStatisticsFilesNotExist, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol11ZoomStatisticsFilesNotExistClick();
    });
    connect(ui->rdoVol11ZoomStatisticsFilesOtherReasons, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol11ZoomStatisticsFilesOtherReasonsClick();
    });
    connect(ui->rdoVol11ZoomStatisticsMainFoldersNotExist, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol11ZoomStatisticsMainFoldersNotExistClick();
    });
    connect(ui->btnVol11ZoomStatisticsClose, &QPushButton::clicked, this, &QDialog::close);
}

TfrmVol11ZoomStatistics::~TfrmVol11ZoomStatistics() = default;
