#include "results/TfrmStatistic03.h"

#include "results/TfrmVol03ZoomStatistics.h"
#include "ui_TfrmStatistic03.h"

TfrmStatistic03* frmStatistic03 = nullptr;

namespace {

const ResultCategoryLayout kCategories[] = {
    {"lstStat03FoldersCreated", nullptr, nullptr, "btnStat03ZoomFoldersCreated", "FoldersCreated",
     "btnStat03SmartExportFolders",
     "The List of Successfully Created  Folder Names is empty !\nAction : You must create at least one Folder to use "
     "the Smart Export Feature.",
     "Creating Folder(s).-Increased Numbers.            Warning no: 30043.", kModelExport},
    {"lstStat03SubFoldersCreated", nullptr, nullptr, "btnStat03ZoomSubFoldersCreated", "SubFoldersCreated",
     "btnStat03SmartExportSubFolders",
     "The List of Successfully Created  Subfolder Names is empty !\nAction : You must create at least one Subfolder to "
     "use the Smart Export Feature.",
     "Creating Folder(s).-Increased Numbers.            Warning no: 30044.", kModelExport},
    {"lstStat03FilesCreated", nullptr, nullptr, "btnStat03ZoomFilesCreated", "FilesCreated",
     "btnStat03SmartExportFiles",
     "The List of Successfully Created  File Names is empty !\nAction : You must create at least one File to use the "
     "Smart Export Feature.",
     "Creating Folder(s).-Increased Numbers.            Warning no: 30045.", kModelExport},
    {"lstStat03FoldersExists", nullptr, nullptr, "btnStat03ZoomFoldersExist", "FoldersExist",
     "btnStat03SmartExportAlreadyExists", "The List of Already Created Folder Names is empty !\n",
     "Creating Folder(s).-Increased Numbers.            Warning no: 30046.", kModelExport},
    {"lstStat03FoldersOther", nullptr, nullptr, "btnStat03ZoomOtherReasons", "OtherReasons",
     "btnStat03SmartExportOtherReasons",
     "The List of Uncreated Folder Names (Not Created - Other reasons) is empty !\n",
     "Creating Folder(s).-Increased Numbers.            Warning no: 30047.", kModelExport},
    {"lstStat03FoldersFailedUndo", nullptr, nullptr, "btnStat03ZoomFoldersFailedUndo", "FoldersFailedUndo",
     "btnStat03SmartExportFoldersFailedUndo", "The List of Failed UNDO Folder Names is empty !\n",
     "Creating Folder(s).-Increased Numbers.            Warning no: 30048.", kModelExport},
};

const VisualLogLayout kLayout{kCategories,
                          "chkStat03NormalSimulate",
                          "lblVol03NormalSimulate",
                          "Folder/File Creation Process.",
                          "Simulate the Folder/File Creation Process.",
                          []() -> ZoomStatisticsWindow* { return frmVol03ZoomStatistics; }};

}  // namespace

TfrmStatistic03::TfrmStatistic03(QWidget* parent)
    : VisualLogWindow(kLayout, parent), ui(std::make_unique<Ui::TfrmStatistic03>()) {
    ui->setupUi(this);
    AttachControls();
    connect(ui->btnStat03Ok, &QPushButton::clicked, this, &TfrmStatistic03::btnStat03OkClick);
    connect(ui->btnStat03ZoomFoldersCreated, &QPushButton::clicked, this,
            &TfrmStatistic03::btnStat03ZoomFoldersCreatedClick);
    connect(ui->btnStat03ZoomSubFoldersCreated, &QPushButton::clicked, this,
            &TfrmStatistic03::btnStat03ZoomSubFoldersCreatedClick);
    connect(ui->btnStat03ZoomFilesCreated, &QPushButton::clicked, this,
            &TfrmStatistic03::btnStat03ZoomFilesCreatedClick);
    connect(ui->btnStat03ZoomFoldersExist, &QPushButton::clicked, this,
            &TfrmStatistic03::btnStat03ZoomFoldersExistClick);
    connect(ui->btnStat03ZoomOtherReasons, &QPushButton::clicked, this,
            &TfrmStatistic03::btnStat03ZoomOtherReasonsClick);
    connect(ui->btnStat03ZoomFoldersFailedUndo, &QPushButton::clicked, this,
            &TfrmStatistic03::btnStat03ZoomFoldersFailedUndoClick);
    connect(ui->btnStat03SmartExportFolders, &QPushButton::clicked, this,
            &TfrmStatistic03::btnStat03SmartExportFoldersClick);
    connect(ui->btnStat03SmartExportSubFolders, &QPushButton::clicked, this,
            &TfrmStatistic03::btnStat03SmartExportSubFoldersClick);
    connect(ui->btnStat03SmartExportFiles, &QPushButton::clicked, this,
            &TfrmStatistic03::btnStat03SmartExportFilesClick);
    connect(ui->btnStat03SmartExportAlreadyExists, &QPushButton::clicked, this,
            &TfrmStatistic03::btnStat03SmartExportAlreadyExistsClick);
    connect(ui->btnStat03SmartExportOtherReasons, &QPushButton::clicked, this,
            &TfrmStatistic03::btnStat03SmartExportOtherReasonsClick);
    connect(ui->btnStat03SmartExportFoldersFailedUndo, &QPushButton::clicked, this,
            &TfrmStatistic03::btnStat03SmartExportFoldersFailedUndoClick);
}

TfrmStatistic03::~TfrmStatistic03() = default;

void TfrmStatistic03::btnStat03OkClick() { close(); }
