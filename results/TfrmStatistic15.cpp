#include "results/TfrmStatistic15.h"

#include "results/TfrmVol15ZoomStatistics.h"
#include "ui_TfrmStatistic15.h"

TfrmStatistic15* frmStatistic15 = nullptr;

namespace {

const ResultCategoryLayout kCategories[] = {
    {"lstStat15FoldersMissing", nullptr, nullptr, "btnStat15ZoomFoldersMissing", "FoldersMissing",
     "btnStat15SmartExportFoldersMissing",
     "The List of Missing  Main Folder Names is empty !\nAction : You must have at least one Main Folder to use the "
     "Smart Export Feature.",
     "Checking Projects Consistency..            Warning no: 150063.", kModelExport},
    {"lstStat15SubFoldersMissing", "lstStat15SegedSubFoldersMissing", "lstStat15SegedSubFoldersMissing",
     "btnStat15ZoomSubFoldersMissing", "SubFoldersMissing", "btnStat15SmartExportSubFoldersMissing",
     "The List of Missing Subfolder Names is empty !\nAction : You must have at least one Subfolder to use the Smart "
     "Export Feature.",
     "Checking Projects Consistency..            Warning no: 150064.", kModelExport},
    {"lstStat15FilesMissing", "lstStat15SegedFilesMissing", "lstStat15SegedFilesMissing", "btnStat15ZoomFilesMissing",
     "FilesMissing", "btnStat15SmartExportFilesMissing",
     "The List of Missing  File Names is empty !\nAction : You must have at least one File to use the Smart Export "
     "Feature.",
     "Checking Projects Consistency..            Warning no: 150065.", kModelExport},
    {"lstStat15FoldersNotExists", nullptr, nullptr, "btnStat15ZoomFoldersNotExist", "FoldersNotExist",
     "btnStat15SmartExportFoldersNotExist", "The List of Checked (Don't Exist) Main Folder Names is empty !\n",
     "Checking Projects Consistency..            Warning no: 150066.", kModelExport},
    {"lstStat15FoldersExtra", nullptr, nullptr, "btnStat15ZoomFoldersExtra", "FoldersExtra",
     "btnStat15SmartExportFoldersExtra", "The List of Extra Main Folder Names is empty !\n",
     "Checking Projects Consistency..            Warning no: 150070.", kModelExport},
    {"lstStat15SubFoldersExtra", nullptr, nullptr, "btnStat15ZoomSubFoldersExtra", "SubFoldersExtra",
     "btnStat15SmartExportSubFoldersExtra", "The List of Extra Subfolder Names is empty !\n",
     "Checking Projects Consistency..            Warning no: 150067.", kModelExport},
    {"lstStat15FilesExtra", nullptr, nullptr, "btnStat15ZoomFilesExtra", "FilesExtra", "btnStat15SmartExportFilesExtra",
     "The List of Extra File Names is empty !\n", "Checking Projects Consistency..            Warning no: 150068.",
     kModelExport},
    {"lstStat15SubFoldersOtherReasons", nullptr, nullptr, "btnStat15ZoomSubFoldersOtherReasons", "OtherReasons",
     "btnStat15SmartExportSubFoldersOtherReasons",
     "The List of Not Checked (Other Reasons) Subfolder Names is empty !\n",
     "Checking Projects Consistency..            Warning no: 150069.", kModelExport},
};

const VisualLogLayout kLayout{
    kCategories, "chkStat15NormalSimulate", "lblVol15NormalSimulate", nullptr, nullptr, []() -> ZoomStatisticsWindow* {
        return frmVol15ZoomStatistics;
    }};

}  // namespace

TfrmStatistic15::TfrmStatistic15(QWidget* parent)
    : VisualLogWindow(kLayout, parent), ui(std::make_unique<Ui::TfrmStatistic15>()) {
    ui->setupUi(this);
    AttachControls();
    connect(ui->btnStat15Ok, &QPushButton::clicked, this, &TfrmStatistic15::btnStat15OkClick);
    connect(ui->btnStat15ZoomFoldersMissing, &QPushButton::clicked, this,
            &TfrmStatistic15::btnStat15ZoomFoldersMissingClick);
    connect(ui->btnStat15ZoomSubFoldersMissing, &QPushButton::clicked, this,
            &TfrmStatistic15::btnStat15ZoomSubFoldersMissingClick);
    connect(ui->btnStat15ZoomFilesMissing, &QPushButton::clicked, this,
            &TfrmStatistic15::btnStat15ZoomFilesMissingClick);
    connect(ui->btnStat15ZoomFoldersNotExist, &QPushButton::clicked, this,
            &TfrmStatistic15::btnStat15ZoomFoldersNotExistClick);
    connect(ui->btnStat15ZoomFoldersExtra, &QPushButton::clicked, this,
            &TfrmStatistic15::btnStat15ZoomFoldersExtraClick);
    connect(ui->btnStat15ZoomSubFoldersExtra, &QPushButton::clicked, this,
            &TfrmStatistic15::btnStat15ZoomSubFoldersExtraClick);
    connect(ui->btnStat15ZoomFilesExtra, &QPushButton::clicked, this, &TfrmStatistic15::btnStat15ZoomFilesExtraClick);
    connect(ui->btnStat15ZoomSubFoldersOtherReasons, &QPushButton::clicked, this,
            &TfrmStatistic15::btnStat15ZoomSubFoldersOtherReasonsClick);
    connect(ui->btnStat15SmartExportFoldersMissing, &QPushButton::clicked, this,
            &TfrmStatistic15::btnStat15SmartExportFoldersMissingClick);
    connect(ui->btnStat15SmartExportSubFoldersMissing, &QPushButton::clicked, this,
            &TfrmStatistic15::btnStat15SmartExportSubFoldersMissingClick);
    connect(ui->btnStat15SmartExportFilesMissing, &QPushButton::clicked, this,
            &TfrmStatistic15::btnStat15SmartExportFilesMissingClick);
    connect(ui->btnStat15SmartExportFoldersNotExist, &QPushButton::clicked, this,
            &TfrmStatistic15::btnStat15SmartExportFoldersNotExistClick);
    connect(ui->btnStat15SmartExportFoldersExtra, &QPushButton::clicked, this,
            &TfrmStatistic15::btnStat15SmartExportFoldersExtraClick);
    connect(ui->btnStat15SmartExportSubFoldersExtra, &QPushButton::clicked, this,
            &TfrmStatistic15::btnStat15SmartExportSubFoldersExtraClick);
    connect(ui->btnStat15SmartExportFilesExtra, &QPushButton::clicked, this,
            &TfrmStatistic15::btnStat15SmartExportFilesExtraClick);
    connect(ui->btnStat15SmartExportSubFoldersOtherReasons, &QPushButton::clicked, this,
            &TfrmStatistic15::btnStat15SmartExportSubFoldersOtherReasonsClick);
}

TfrmStatistic15::~TfrmStatistic15() = default;

void TfrmStatistic15::btnStat15OkClick() { close(); }
