#include "results/TfrmStatistics11.h"

#include "results/TfrmVol11ZoomStatistics.h"
#include "ui_TfrmStatistics11.h"

TfrmStatistics11* frmStatistics11 = nullptr;

namespace {

const ResultCategoryLayout kCategories[] = {
    {"lstStat11FilesDeleted", nullptr, nullptr, "btnStat11ZoomFilesDeleted", "FilesDeleted",
     "btnStat11SmartExportFilesDeleted",
     "The List of Successfully Deleted File Names is empty !\nAction : You must Delete at least one File to use the "
     "Smart Export Feature.",
     "Delete Folder(s)/File(s).- From a Folder/File List.            Warning no: 110043.", kModelExport},
    {"lstStat11FilesOtherReasons", nullptr, nullptr, "btnStat11ZoomFilesOtherReasons", "FilesOtherReasons",
     "btnStat11SmartExportFilesOtherReasons", "The List of Not Deleted ( Other Reasons) File Names is empty !\n",
     "Delete Folder(s)/File(s).- From a Folder/File List.            Warning no: 110045.", kModelExport},
    {"lstStat11MainFoldersNotExist", nullptr, nullptr, "btnStat11ZoomMainFoldersNotExist", "MainFoldersNotExist",
     "btnStat11SmartExportMainFoldersNotExist",
     "The List of Not Deleted ( Main Folders don't Exist) Main Folder Names is empty !\n",
     "Delete Folder(s).- From a Folder List.            Warning no: 110041.", kModelExport},
    {"lstStat11FoldersDeleted", nullptr, nullptr, "btnStat11ZoomFoldersDeleted", "FoldersDeleted",
     "btnStat11SmartExportFoldersDeleted",
     "The List of Successfully Deleted Folder Names is empty !\nAction : You must Delete at least one Folder to use "
     "the Smart Export Feature.",
     "Delete Folder(s).- From a Folder List.            Warning no: 110040.", kSwitchesExportButtons},
    {"lstStat11FoldersOtherReasons", nullptr, nullptr, "btnStat11ZoomFoldersOtherReasons", "FoldersOtherReasons",
     "btnStat11SmartExportFoldersOtherReasons", "The List of Not Deleted ( Other Reasons) Folder Names is empty !\n",
     "Delete Folder(s).- From a Folder List.            Warning no: 110042.", kSwitchesExportButtons},
    {"lstStat11FoldersNotExists", nullptr, nullptr, "btnStat11ZoomFoldersNotExist", "FoldersNotExist",
     "btnStat11SmartExportFoldersNotExist", "The List of Not Deleted ( Folders don't Exist) Folder Names is empty !\n",
     "Delete Folder(s).- From a Folder List.            Warning no: 110041.", kModelExport},
    {"lstStat11FilesNotExists", nullptr, nullptr, "btnStat11ZoomFilesNotExist", "FilesNotExist",
     "btnStat11SmartExportFilesNotExists", "The List of Not Deleted ( Files don't Exist) File Names is empty !\n",
     "Delete Folder(s)/File(s).- From a Folder/File List.            Warning no: 110044.", kModelExport},
};

const VisualLogLayout kLayout{kCategories,
                          "chkStat11NormalSimulate",
                          "lblStat11NormalSimulate",
                          "File Delete Process.",
                          "Simulate the File Delete Process.",
                          []() -> ZoomStatisticsWindow* { return frmVol11ZoomStatistics; }};

}  // namespace

TfrmStatistics11::TfrmStatistics11(QWidget* parent)
    : VisualLogWindow(kLayout, parent), ui(std::make_unique<Ui::TfrmStatistics11>()) {
    ui->setupUi(this);
    AttachControls();
    connect(ui->btnStat11Ok, &QPushButton::clicked, this, &TfrmStatistics11::btnStat11OkClick);
    connect(ui->btnStat11ZoomFilesDeleted, &QPushButton::clicked, this,
            &TfrmStatistics11::btnStat11ZoomFilesDeletedClick);
    connect(ui->btnStat11ZoomFilesOtherReasons, &QPushButton::clicked, this,
            &TfrmStatistics11::btnStat11ZoomFilesOtherReasonsClick);
    connect(ui->btnStat11ZoomMainFoldersNotExist, &QPushButton::clicked, this,
            &TfrmStatistics11::btnStat11ZoomMainFoldersNotExistClick);
    connect(ui->btnStat11ZoomFoldersDeleted, &QPushButton::clicked, this,
            &TfrmStatistics11::btnStat11ZoomFoldersDeletedClick);
    connect(ui->btnStat11ZoomFoldersOtherReasons, &QPushButton::clicked, this,
            &TfrmStatistics11::btnStat11ZoomFoldersOtherReasonsClick);
    connect(ui->btnStat11ZoomFoldersNotExist, &QPushButton::clicked, this,
            &TfrmStatistics11::btnStat11ZoomFoldersNotExistClick);
    connect(ui->btnStat11ZoomFilesNotExist, &QPushButton::clicked, this,
            &TfrmStatistics11::btnStat11ZoomFilesNotExistClick);
    connect(ui->btnStat11SmartExportFilesDeleted, &QPushButton::clicked, this,
            &TfrmStatistics11::btnStat11SmartExportFilesDeletedClick);
    connect(ui->btnStat11SmartExportFilesOtherReasons, &QPushButton::clicked, this,
            &TfrmStatistics11::btnStat11SmartExportFilesOtherReasonsClick);
    connect(ui->btnStat11SmartExportMainFoldersNotExist, &QPushButton::clicked, this,
            &TfrmStatistics11::btnStat11SmartExportMainFoldersNotExistClick);
    connect(ui->btnStat11SmartExportFoldersDeleted, &QPushButton::clicked, this,
            &TfrmStatistics11::btnStat11SmartExportFoldersDeletedClick);
    connect(ui->btnStat11SmartExportFoldersOtherReasons, &QPushButton::clicked, this,
            &TfrmStatistics11::btnStat11SmartExportFoldersOtherReasonsClick);
    connect(ui->btnStat11SmartExportFoldersNotExist, &QPushButton::clicked, this,
            &TfrmStatistics11::btnStat11SmartExportFoldersNotExistClick);
    connect(ui->btnStat11SmartExportFilesNotExists, &QPushButton::clicked, this,
            &TfrmStatistics11::btnStat11SmartExportFilesNotExistsClick);
}

TfrmStatistics11::~TfrmStatistics11() = default;

void TfrmStatistics11::btnStat11OkClick() { close(); }
