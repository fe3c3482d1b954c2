#include "results/TfrmStatistic02.h"

#include "results/TfrmVol02ZoomStatistics.h"
#include "ui_TfrmStatistic02.h"

TfrmStatistic02* frmStatistic02 = nullptr;

namespace {

const ResultCategoryLayout kCategories[] = {
    {"lstStat02FoldersCreated", nullptr, nullptr, "btnStat02ZoomFoldersCreated", "FoldersCreated",
     "btnStat02SmartExportFolders",
     "The List of Successfully Created  Folder Names is empty !\nAction : You must create at least one Folder to use "
     "the Smart Export Feature.",
     "Creating Folder(s).-From a String List.            Warning no: 20065.", kModelExport},
    {"lstStat02SubFoldersCreated", nullptr, nullptr, "btnStat02ZoomSubFoldersCreated", "SubFoldersCreated",
     "btnStat02SmartExportSubFolders",
     "The List of Successfully Created  Subfolder Names is empty !\nAction : You must create at least one Subfolder to "
     "use the Smart Export Feature.",
     "Creating Folder(s).-From a String List.            Warning no: 20066.", kModelExport},
    {"lstStat02FilesCreated", nullptr, nullptr, "btnStat02ZoomFilesCreated", "FilesCreated",
     "btnStat02SmartExportFiles",
     "The List of Successfully Created  File Names is empty !\nAction : You must create at least one File to use the "
     "Smart Export Feature.",
     "Creating Folder(s).-From a String List.            Warning no: 20067.", kModelExport},
    {"lstStat02FoldersExists", nullptr, nullptr, "btnStat02ZoomFoldersExist", "FoldersExist",
     "btnStat02SmartExportFoldersExists", "The List of Already Created Folder Names is empty !\n",
     "Creating Folder(s).-From a String List.            Warning no: 20068.", kModelExport},
    {"lstStat02FoldersOther", nullptr, nullptr, "btnStat02ZoomOtherReasons", "OtherReasons",
     "btnStat02SmartExportFoldersOther",
     "The List of Uncreated Folder Names (Not Created - Other reasons) is empty !\n",
     "Creating Folder(s).-From a String List.            Warning no: 20069.", kModelExport},
    {"lstStat02FoldersFailedUndo", nullptr, nullptr, "btnStat02ZoomFoldersFailedUndo", "FoldersFailedUndo",
     "btnStat02SmartExportFoldersFailedUndo", "The List of Failed UNDO Folder Names is empty !\n",
     "Creating Folder(s).-From a String List.            Warning no: 20070.", kModelExport},
};

const VisualLogLayout kLayout{kCategories,
                          "chkStat02NormalSimulate",
                          "lblVol02NormalSimulate",
                          "Folder/File Creation Process.",
                          "Simulate the Folder/File Creation Process.",
                          []() -> ZoomStatisticsWindow* { return frmVol02ZoomStatistics; }};

}  // namespace

TfrmStatistic02::TfrmStatistic02(QWidget* parent)
    : VisualLogWindow(kLayout, parent), ui(std::make_unique<Ui::TfrmStatistic02>()) {
    ui->setupUi(this);
    AttachControls();
    connect(ui->btnStat02Ok, &QPushButton::clicked, this, &TfrmStatistic02::btnStat02OkClick);
    connect(ui->btnStat02ZoomFoldersCreated, &QPushButton::clicked, this,
            &TfrmStatistic02::btnStat02ZoomFoldersCreatedClick);
    connect(ui->btnStat02ZoomSubFoldersCreated, &QPushButton::clicked, this,
            &TfrmStatistic02::btnStat02ZoomSubFoldersCreatedClick);
    connect(ui->btnStat02ZoomFilesCreated, &QPushButton::clicked, this,
            &TfrmStatistic02::btnStat02ZoomFilesCreatedClick);
    connect(ui->btnStat02ZoomFoldersExist, &QPushButton::clicked, this,
            &TfrmStatistic02::btnStat02ZoomFoldersExistClick);
    connect(ui->btnStat02ZoomOtherReasons, &QPushButton::clicked, this,
            &TfrmStatistic02::btnStat02ZoomOtherReasonsClick);
    connect(ui->btnStat02ZoomFoldersFailedUndo, &QPushButton::clicked, this,
            &TfrmStatistic02::btnStat02ZoomFoldersFailedUndoClick);
    connect(ui->btnStat02SmartExportFolders, &QPushButton::clicked, this,
            &TfrmStatistic02::btnStat02SmartExportFoldersClick);
    connect(ui->btnStat02SmartExportSubFolders, &QPushButton::clicked, this,
            &TfrmStatistic02::btnStat02SmartExportSubFoldersClick);
    connect(ui->btnStat02SmartExportFiles, &QPushButton::clicked, this,
            &TfrmStatistic02::btnStat02SmartExportFilesClick);
    connect(ui->btnStat02SmartExportFoldersExists, &QPushButton::clicked, this,
            &TfrmStatistic02::btnStat02SmartExportFoldersExistsClick);
    connect(ui->btnStat02SmartExportFoldersOther, &QPushButton::clicked, this,
            &TfrmStatistic02::btnStat02SmartExportFoldersOtherClick);
    connect(ui->btnStat02SmartExportFoldersFailedUndo, &QPushButton::clicked, this,
            &TfrmStatistic02::btnStat02SmartExportFoldersFailedUndoClick);
}

TfrmStatistic02::~TfrmStatistic02() = default;

void TfrmStatistic02::btnStat02OkClick() { close(); }
