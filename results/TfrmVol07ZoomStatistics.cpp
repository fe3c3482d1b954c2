#include "results/TfrmVol07ZoomStatistics.h"

#include "ui_TfrmVol07ZoomStatistics.h"

TfrmVol07ZoomStatistics* frmVol07ZoomStatistics = nullptr;

namespace {

const char* const kCategories[] = {"FoldersDeleted", "FoldersNotExist",   "FoldersOtherReasons", "FilesDeleted",
                                   "FilesNotExist",  "FilesOtherReasons", "MainFoldersNotExist"};
const ZoomWindowLayout kLayout{"07", kCategories};

}  // namespace

TfrmVol07ZoomStatistics::TfrmVol07ZoomStatistics(QWidget* parent)
    : ZoomStatisticsWindow(kLayout, parent), ui(std::make_unique<Ui::TfrmVol07ZoomStatistics>()) {
    ui->setupUi(this);
    AttachControls();
    connect(ui->rdoVol07ZoomStatisticsFoldersDeleted, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol07ZoomStatisticsFoldersDeletedClick();
    });
    connect(ui->rdoVol07ZoomStatisticsFoldersNotExist, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol07ZoomStatisticsFoldersNotExistClick();
    });
    connect(ui->rdoVol07ZoomStatisticsFoldersOtherReasons, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol07ZoomStatisticsFoldersOtherReasonsClick();
    });
    connect(ui->rdoVol07ZoomStatisticsFilesDeleted, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol07ZoomStatisticsFilesDeletedClick();
    });
    connect(ui->rdoVol07ZoomStatisticsFilesNotExist, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol07ZoomStatisticsFilesNotExistClick();
    });
    connect(ui->rdoVol07ZoomStatisticsFilesOtherReasons, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol07ZoomStatisticsFilesOtherReasonsClick();
    });
    connect(ui->rdoVol07ZoomStatisticsMainFoldersNotExist, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol07ZoomStatisticsMainFoldersNotExistClick();
    });
    connect(ui->btnVol07ZoomStatisticsClose, &QPushButton::clicked, this, &QDialog::close);
}

TfrmVol07ZoomStatistics::~TfrmVol07ZoomStatistics() = default;
