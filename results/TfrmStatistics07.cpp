#include "results/TfrmStatistics07.h"

#include "results/TfrmVol07ZoomStatistics.h"
#include "ui_TfrmStatistics07.h"

TfrmStatistics07* frmStatistics07 = nullptr;

namespace {

const ResultCategoryLayout kCategories[] = {
    {"lstStat07FoldersDeleted", nullptr, nullptr, "btnStat07ZoomFoldersDeleted", "FoldersDeleted",
     "btnStat07SmartExportFoldersDeleted",
     "The List of Successfully Deleted Folder Names is empty !\nAction : You must Delete at least one Folder to use "
     "the Smart Export Feature.",
     "Delete Folder(s).- From a Folder List.            Warning no: 70044.", 0},
    {"lstStat07FoldersOtherReasons", nullptr, nullptr, "btnStat07ZoomOtherReasons", "FoldersOtherReasons",
     "btnStat07SmartExportFoldersOtherReasons", "The List of Not Deleted ( Other Reasons) Folder Names is empty !\n",
     "Delete Folder(s).- From a Folder List.            Warning no: 70046.", 0},
    {"lstStat07MainFoldersNotExist", nullptr, nullptr, "btnStat07ZoomMainFoldersNotExist", "MainFoldersNotExist",
     "btnStat07SmartExportMainFoldersNotExist",
     "The List of Not Deleted ( Main Folders don't Exist) Folder Names is empty !\n",
     "Delete Folder(s).- From a Folder List.            Warning no: 70050.", 0},
    {"lstStat07FilesDeleted", nullptr, nullptr, "btnStat07ZoomFilesDeleted", "FilesDeleted",
     "btnStat07SmartExportFilesDeleted",
     "The List of Successfully Deleted File Names is empty !\nAction : You must Delete at least one File to use the "
     "Smart Export Feature.",
     "Delete Folder(s)/File(s).- From a Folder/File List.            Warning no: 70047.", 0},
    {"lstStat07FilesOtherReasons", nullptr, nullptr, "btnStat07ZoomFilesOtherReasons", "FilesOtherReasons",
     "btnStat07SmartExportFilesOtherReasons", "The List of Not Deleted ( Other Reasons) File Names is empty !\n",
     "Delete Folder(s)/File(s).- From a Folder/File List.            Warning no: 70049.", 0},
    {"lstStat07FoldersNotExists", nullptr, nullptr, "btnStat07ZoomFoldersNotExist", "FoldersNotExist",
     "btnStat07SmartExportFoldersNotExist", "The List of Not Deleted ( Folders don't Exist) Folder Names is empty !\n",
     "Delete Folder(s).- From a Folder List.            Warning no: 70045.", 0},
    {"lstStat07FilesNotExists", nullptr, nullptr, "btnStat07ZoomFilesNotExist", "FilesNotExist",
     "btnStat07SmartExportFilesNotExists", "The List of Not Deleted ( Files don't Exist) File Names is empty !\n",
     "Delete Folder(s)/File(s).- From a Folder/File List.            Warning no: 70048.", 0},
};

const VisualLogLayout kLayout{kCategories,
                          "chkStat07NormalSimulate",
                          "lblVol07NormalSimulate",
                          "Folder Delete Process.",
                          "Simulate the Folder Delete Process.",
                          []() -> ZoomStatisticsWindow* { return frmVol07ZoomStatistics; }};

}  // namespace

TfrmStatistics07::TfrmStatistics07(QWidget* parent)
    : VisualLogWindow(kLayout, parent), ui(std::make_unique<Ui::TfrmStatistics07>()) {
    ui->setupUi(this);
    AttachControls();
    connect(ui->btnStat07Ok, &QPushButton::clicked, this, &TfrmStatistics07::btnStat07OkClick);
    connect(ui->btnStat07ZoomFoldersDeleted, &QPushButton::clicked, this,
            &TfrmStatistics07::btnStat07ZoomFoldersDeletedClick);
    connect(ui->btnStat07ZoomOtherReasons, &QPushButton::clicked, this,
            &TfrmStatistics07::btnStat07ZoomOtherReasonsClick);
    connect(ui->btnStat07ZoomMainFoldersNotExist, &QPushButton::clicked, this,
            &TfrmStatistics07::btnStat07ZoomMainFoldersNotExistClick);
    connect(ui->btnStat07ZoomFilesDeleted, &QPushButton::clicked, this,
            &TfrmStatistics07::btnStat07ZoomFilesDeletedClick);
    connect(ui->btnStat07ZoomFilesOtherReasons, &QPushButton::clicked, this,
            &TfrmStatistics07::btnStat07ZoomFilesOtherReasonsClick);
    connect(ui->btnStat07ZoomFoldersNotExist, &QPushButton::clicked, this,
            &TfrmStatistics07::btnStat07ZoomFoldersNotExistClick);
    connect(ui->btnStat07ZoomFilesNotExist, &QPushButton::clicked, this,
            &TfrmStatistics07::btnStat07ZoomFilesNotExistClick);
    connect(ui->btnStat07SmartExportFoldersDeleted, &QPushButton::clicked, this,
            &TfrmStatistics07::btnStat07SmartExportFoldersDeletedClick);
    connect(ui->btnStat07SmartExportFoldersOtherReasons, &QPushButton::clicked, this,
            &TfrmStatistics07::btnStat07SmartExportFoldersOtherReasonsClick);
    connect(ui->btnStat07SmartExportMainFoldersNotExist, &QPushButton::clicked, this,
            &TfrmStatistics07::btnStat07SmartExportMainFoldersNotExistClick);
    connect(ui->btnStat07SmartExportFilesDeleted, &QPushButton::clicked, this,
            &TfrmStatistics07::btnStat07SmartExportFilesDeletedClick);
    connect(ui->btnStat07SmartExportFilesOtherReasons, &QPushButton::clicked, this,
            &TfrmStatistics07::btnStat07SmartExportFilesOtherReasonsClick);
    connect(ui->btnStat07SmartExportFoldersNotExist, &QPushButton::clicked, this,
            &TfrmStatistics07::btnStat07SmartExportFoldersNotExistClick);
    connect(ui->btnStat07SmartExportFilesNotExists, &QPushButton::clicked, this,
            &TfrmStatistics07::btnStat07SmartExportFilesNotExistsClick);
}

TfrmStatistics07::~TfrmStatistics07() = default;

void TfrmStatistics07::btnStat07OkClick() { close(); }
