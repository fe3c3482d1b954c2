#include "results/TfrmStatistic06.h"

#include "results/TfrmVol06ZoomStatistics.h"
#include "ui_TfrmStatistic06.h"

TfrmStatistic06* frmStatistic06 = nullptr;

namespace {

const ResultCategoryLayout kCategories[] = {
    {"lstStat06FoldersRenamed", nullptr, nullptr, "btnStat06ZoomFoldersRenamed", "FoldersRenamed",
     "btnStat06SmartExportFoldersRenamed",
     "The List of Successfully Renamed  Folder Names is empty !\nAction : You must Rename at least one Folder to use "
     "the Smart Export Feature.",
     "Rename Folders -From a Folder List - Level.             Warning no: 60049.", kModelExport},
    {"lstStat06FoldersSourceNotExists", nullptr, nullptr, "btnStat06ZoomSourceNotExists", "SourceNotExists",
     "btnStat06SmartExportSourceNotExists",
     "The List of Not Renamed (Source Folders don't exist) Folder Names is empty !\n",
     "Rename Folders -From a Folder List - Level.             Warning no: 60050.", kModelExport},
    {"lstStat06FoldersDestinationExists", nullptr, nullptr, "btnStat06ZoomDestinationExists", "DestinationExists",
     "btnStat06SmartExportDestinationExists",
     "The List of Not Renamed (Destination Folders already exist) Folder Names is empty !\n",
     "Rename Folders -From a Folder List - Level.             Warning no: 60051.", kModelExport},
    {"lstStat06FoldersOtherReasons", nullptr, nullptr, "btnStat06ZoomOtherReasons", "OtherReasons",
     "btnStat06SmartExportFoldersOtherReasons", "The List of Not Renamed (Other Reasons) Folder Names is empty !\n",
     "Rename Folders -From a Folder List - Level.             Warning no: 60052.", kModelExport},
    {"lstStat06FoldersFailedUndo", nullptr, nullptr, "btnStat06ZoomFoldersFailedUndo", "FoldersFailedUndo",
     "btnStat06SmartExportFoldersFailedUndo", "The List of Not Renamed (Folders Failed Undo) Folder Names is empty !\n",
     "Rename Folders -From a Folder List - Level.             Warning no: 60053.", kModelExport},
};

const VisualLogLayout kLayout{kCategories,
                          "chkStat06NormalSimulate",
                          "lblVol06NormalSimulate",
                          "Folder Rename Process.",
                          "Simulate the Folder Rename Process.",
                          []() -> ZoomStatisticsWindow* { return frmVol06ZoomStatistics; }};

}  // namespace

TfrmStatistic06::TfrmStatistic06(QWidget* parent)
    : VisualLogWindow(kLayout, parent), ui(std::make_unique<Ui::TfrmStatistic06>()) {
    ui->setupUi(this);
    AttachControls();
    connect(ui->btnStat06OK, &QPushButton::clicked, this, &TfrmStatistic06::btnStat06OKClick);
    connect(ui->btnStat06ZoomFoldersRenamed, &QPushButton::clicked, this,
            &TfrmStatistic06::btnStat06ZoomFoldersRenamedClick);
    connect(ui->btnStat06ZoomSourceNotExists, &QPushButton::clicked, this,
            &TfrmStatistic06::btnStat06ZoomSourceNotExistsClick);
    connect(ui->btnStat06ZoomDestinationExists, &QPushButton::clicked, this,
            &TfrmStatistic06::btnStat06ZoomDestinationExistsClick);
    connect(ui->btnStat06ZoomOtherReasons, &QPushButton::clicked, this,
            &TfrmStatistic06::btnStat06ZoomOtherReasonsClick);
    connect(ui->btnStat06ZoomFoldersFailedUndo, &QPushButton::clicked, this,
            &TfrmStatistic06::btnStat06ZoomFoldersFailedUndoClick);
    connect(ui->btnStat06SmartExportFoldersRenamed, &QPushButton::clicked, this,
            &TfrmStatistic06::btnStat06SmartExportFoldersRenamedClick);
    connect(ui->btnStat06SmartExportSourceNotExists, &QPushButton::clicked, this,
            &TfrmStatistic06::btnStat06SmartExportSourceNotExistsClick);
    connect(ui->btnStat06SmartExportDestinationExists, &QPushButton::clicked, this,
            &TfrmStatistic06::btnStat06SmartExportDestinationExistsClick);
    connect(ui->btnStat06SmartExportFoldersOtherReasons, &QPushButton::clicked, this,
            &TfrmStatistic06::btnStat06SmartExportFoldersOtherReasonsClick);
    connect(ui->btnStat06SmartExportFoldersFailedUndo, &QPushButton::clicked, this,
            &TfrmStatistic06::btnStat06SmartExportFoldersFailedUndoClick);
}

TfrmStatistic06::~TfrmStatistic06() = default;

void TfrmStatistic06::btnStat06OKClick() { close(); }
