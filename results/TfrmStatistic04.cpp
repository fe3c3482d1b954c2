#include "results/TfrmStatistic04.h"

#include "results/TfrmVol04ZoomStatistics.h"
#include "ui_TfrmStatistic04.h"

TfrmStatistic04* frmStatistic04 = nullptr;

namespace {

const ResultCategoryLayout kCategories[] = {
    {"lstStat04FoldersCreated", nullptr, nullptr, "btnStat04ZoomFoldersCreated", "FoldersCreated",
     "btnStat04SmartExportFolders",
     "The List of Successfully Created  Folder Names is empty !\nAction : You must create at least one Folder to use "
     "the Smart Export Feature.",
     "Creating Folder(s).-From a Folder List.            Warning no: 40060.", kModelExport},
    {"lstStat04SubFoldersCreated", nullptr, nullptr, "btnStat04ZoomSubFoldersCreated", "SubFoldersCreated",
     "btnStat04SmartExportSubFolders",
     "The List of Successfully Created  Subfolder Names is empty !\nAction : You must create at least one Subfolder to "
     "use the Smart Export Feature.",
     "Creating Folder(s).-From a Folder List.            Warning no: 40061.", kModelExport},
    {"lstStat04FilesCreated", nullptr, nullptr, "btnStat04ZoomFilesCreated", "FilesCreated",
     "btnStat04SmartExportFiles",
     "The List of Successfully Created  File Names is empty !\nAction : You must create at least one File to use the "
     "Smart Export Feature.",
     "Creating Folder(s).-From a Folder List.            Warning no: 40062.", kModelExport},
    {"lstStat04FoldersExists", nullptr, nullptr, "btnStat07ZoomFoldersExist", "FoldersExist",
     "btnStat04SmartExportFoldersAlreadyExists", "The List of Already Created Folder Names is empty !\n",
     "Creating Folder(s).-From a Folder List.            Warning no: 40063.", kModelExport},
    {"lstStat04FoldersOther", nullptr, nullptr, "btnStat04ZoomOtherReasons", "OtherReasons",
     "btnStat04SmartExportFoldersOtherReasons",
     "The List of Uncreated Folder Names (Not Created - Other reasons) is empty !\n",
     "Creating Folder(s).-From a Folder List.            Warning no: 40064.", kModelExport},
    {"lstStat04FoldersFailedUndo", nullptr, nullptr, "btnStat04ZoomFoldersfailedUndo", "FoldersFailedUndo",
     "btnStat04SmartExportFoldersFailedUndo", "The List of Failed UNDO Folder Names is empty !\n",
     "Creating Folder(s).-From a Folder List.            Warning no: 40065.", kModelExport},
};

const VisualLogLayout kLayout{kCategories,
                          "chkStat04NormalSimulate",
                          "lblVol04NormalSimulate",
                          "Folder/File Creation Process.",
                          "Simulate the Folder/File Creation Process.",
                          []() -> ZoomStatisticsWindow* { return frmVol04ZoomStatistics; }};

}  // namespace

TfrmStatistic04::TfrmStatistic04(QWidget* parent)
    : VisualLogWindow(kLayout, parent), ui(std::make_unique<Ui::TfrmStatistic04>()) {
    ui->setupUi(this);
    AttachControls();
    connect(ui->btnStat04Ok, &QPushButton::clicked, this, &TfrmStatistic04::btnStat04OkClick);
    connect(ui->btnStat04ZoomFoldersCreated, &QPushButton::clicked, this,
            &TfrmStatistic04::btnStat04ZoomFoldersCreatedClick);
    connect(ui->btnStat04ZoomSubFoldersCreated, &QPushButton::clicked, this,
            &TfrmStatistic04::btnStat04ZoomSubFoldersCreatedClick);
    connect(ui->btnStat04ZoomFilesCreated, &QPushButton::clicked, this,
            &TfrmStatistic04::btnStat04ZoomFilesCreatedClick);
    connect(ui->btnStat07ZoomFoldersExist, &QPushButton::clicked, this,
            &TfrmStatistic04::btnStat07ZoomFoldersExistClick);
    connect(ui->btnStat04ZoomOtherReasons, &QPushButton::clicked, this,
            &TfrmStatistic04::btnStat04ZoomOtherReasonsClick);
    connect(ui->btnStat04ZoomFoldersfailedUndo, &QPushButton::clicked, this,
            &TfrmStatistic04::btnStat04ZoomFoldersfailedUndoClick);
    connect(ui->btnStat04SmartExportFolders, &QPushButton::clicked, this,
            &TfrmStatistic04::btnStat04SmartExportFoldersClick);
    connect(ui->btnStat04SmartExportSubFolders, &QPushButton::clicked, this,
            &TfrmStatistic04::btnStat04SmartExportSubFoldersClick);
    connect(ui->btnStat04SmartExportFiles, &QPushButton::clicked, this,
            &TfrmStatistic04::btnStat04SmartExportFilesClick);
    connect(ui->btnStat04SmartExportFoldersAlreadyExists, &QPushButton::clicked, this,
            &TfrmStatistic04::btnStat04SmartExportFoldersAlreadyExistsClick);
    connect(ui->btnStat04SmartExportFoldersOtherReasons, &QPushButton::clicked, this,
            &TfrmStatistic04::btnStat04SmartExportFoldersOtherReasonsClick);
    connect(ui->btnStat04SmartExportFoldersFailedUndo, &QPushButton::clicked, this,
            &TfrmStatistic04::btnStat04SmartExportFoldersFailedUndoClick);
}

TfrmStatistic04::~TfrmStatistic04() = default;

void TfrmStatistic04::btnStat04OkClick() { close(); }
