#include "results/TfrmVol12ZoomStatistics.h"

#include "ui_TfrmVol12ZoomStatistics.h"

TfrmVol12ZoomStatistics* frmVol12ZoomStatistics = nullptr;

namespace {

const char* const kCategories[] = {
    "FoldersRenamed",      "SourceNotExists",   "DestinationExists", "OtherReasons",        "FoldersNotExist",
    "FilesRenamed",        "FilesDropped",      "FilesOverWrited",   "FilesIncreasedNames", "FilesIncreasedTypes",
    "FilesSourceNotExist", "FilesOtherReasons", "FilesFailedUndo"};
const ZoomWindowLayout kLayout{"12", kCategories};

}  // namespace

TfrmVol12ZoomStatistics::TfrmVol12ZoomStatistics(QWidget* parent)
    : ZoomStatisticsWindow(kLayout, parent), ui(std::make_unique<Ui::TfrmVol12ZoomStatistics>()) {
    ui->setupUi(this);
    AttachControls();
    connect(ui->rdoVol12ZoomStatisticsFoldersRenamed, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol12ZoomStatisticsFoldersRenamedClick();
    });
    connect(ui->rdoVol12ZoomStatisticsSourceNotExists, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol12ZoomStatisticsSourceNotExistsClick();
    });
    connect(ui->rdoVol12ZoomStatisticsDestinationExists, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol12ZoomStatisticsDestinationExistsClick();
    });
    connect(ui->rdoVol12ZoomStatisticsOtherReasons, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol12ZoomStatisticsOtherReasonsClick();
    });
    connect(ui->rdoVol12ZoomStatisticsFoldersNotExist, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol12ZoomStatisticsFoldersNotExistClick();
    });
    connect(ui->rdoVol12ZoomStatisticsFilesRenamed, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol12ZoomStatisticsFilesRenamedClick();
    });
    connect(ui->rdoVol12ZoomStatisticsFilesDropped, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol12ZoomStatisticsFilesDroppedClick();
    });
    connect(ui->rdoVol12ZoomStatisticsFilesOverWrited, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol12ZoomStatisticsFilesOverWritedClick();
    });
    connect(ui->rdoVol12ZoomStatisticsFilesIncreasedNames, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol12ZoomStatisticsFilesIncreasedNamesClick();
    });
    connect(ui->rdoVol12ZoomStatisticsFilesIncreasedTypes, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol12ZoomStatisticsFilesIncreasedTypesClick();
    });
    connect(ui->rdoVol12ZoomStatisticsFilesSourceNotExist, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol12ZoomStatisticsFilesSourceNotExistClick();
    });
    connect(ui->rdoVol12ZoomStatisticsFilesOtherReasons, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol12ZoomStatisticsFilesOtherReasonsClick();
    });
    connect(ui->rdoVol12ZoomStatisticsFilesFailedUndo, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol12ZoomStatisticsFilesFailedUndoClick();
    });
    connect(ui->btnVol12ZoomStatisticsClose, &QPushButton::clicked, this, &QDialog::close);
}

TfrmVol12ZoomStatistics::~TfrmVol12ZoomStatistics() = default;
