#include "results/TfrmVol06ZoomStatistics.h"

#include "ui_TfrmVol06ZoomStatistics.h"

TfrmVol06ZoomStatistics* frmVol06ZoomStatistics = nullptr;

namespace {

const char* const kCategories[] = {"FoldersRenamed", "SourceNotExists", "DestinationExists", "OtherReasons",
                                   "FoldersFailedUndo"};
const ZoomWindowLayout kLayout{"06", kCategories};

}  // namespace

TfrmVol06ZoomStatistics::TfrmVol06ZoomStatistics(QWidget* parent)
    : ZoomStatisticsWindow(kLayout, parent), ui(std::make_unique<Ui::TfrmVol06ZoomStatistics>()) {
    ui->setupUi(this);
    AttachControls();
    connect(ui->rdoVol06ZoomStatisticsFoldersRenamed, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol06ZoomStatisticsFoldersRenamedClick();
    });
    connect(ui->rdoVol06ZoomStatisticsSourceNotExists, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol06ZoomStatisticsSourceNotExistsClick();
    });
    connect(ui->rdoVol06ZoomStatisticsDestinationExists, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol06ZoomStatisticsDestinationExistsClick();
    });
    connect(ui->rdoVol06ZoomStatisticsOtherReasons, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol06ZoomStatisticsOtherReasonsClick();
    });
    connect(ui->rdoVol06ZoomStatisticsFoldersFailedUndo, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) rdoVol06ZoomStatisticsFoldersFailedUndoClick();
    });
    connect(ui->btnVol06ZoomStatisticsClose, &QPushButton::clicked, this, &QDialog::close);
}

TfrmVol06ZoomStatistics::~TfrmVol06ZoomStatistics() = default;
