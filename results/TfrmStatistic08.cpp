#include "results/TfrmStatistic08.h"

#include "results/TfrmVol08ZoomStatistics.h"
#include "ui_TfrmStatistic08.h"

TfrmStatistic08* frmStatistic08 = nullptr;

namespace {

const ResultCategoryLayout kCategories[] = {
    {"lstStat08FoldersCopied", nullptr, nullptr, "btnStat08ZoomFoldersCopied", "FoldersCopied",
     "btnStat08SmartExportFoldersCopied",
     "The List of Successfully Copied Main Folder Names is empty !\nAction : You must Copy at least one Main Folder to "
     "use the Smart Export Feature.",
     "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 80063.", kModelExport},
    {"lstStat08SubFoldersCopied", nullptr, nullptr, "btnStat08ZoomSubFoldersCopied", "SubFoldersCopied",
     "btnStat08SmartExportSubFoldersCopied",
     "The List of Successfully Copied Subfolder Names is empty !\nAction : You must Copy at least one Subfolder to use "
     "the Smart Export Feature.",
     "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 80064.", kModelExport},
    {"lstStat08FilesCopied", nullptr, nullptr, "btnStat08ZoomFilesCopied", "FilesCopied",
     "btnStat08SmartExportFilesCopied",
     "The List of Successfully Copied File Names is empty !\nAction : You must Copy at least one File to use the Smart "
     "Export Feature.",
     "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 80065.", kModelExport},
    {"lstStat08FoldersNotExists", nullptr, nullptr, "btnStat08ZoomFoldersNotExist", "FoldersNotExist",
     "btnStat08SmartExportFoldersNotExist", "The List of Not Copied (Don't Exist) Main Folder Names is empty !\n",
     "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 80066.", kModelExport},
    {"lstStat08SubFoldersExists", nullptr, nullptr, "btnStat08ZoomSubFoldersExist", "SubFoldersExist",
     "btnStat08SmartExportSubFoldersExist", "The List of Not Copied (Already Exist) Subfolder Names is empty !\n",
     "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 80067.", kModelExport},
    {"lstStat08FilesExists", nullptr, nullptr, "btnStat08ZoomFilesExist", "FilesExist",
     "btnStat08SmartExportFilesExist", "The List of Not Copied (Already Exist) File Names is empty !\n",
     "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 80068.", kModelExport},
    {"lstStat08SubFoldersOtherReasons", nullptr, nullptr, "btnStat08ZoomSubFoldersOtherReasons",
     "SubFoldersOtherReasons", "btnStat08SmartExportSubFoldersOtherReasons",
     "The List of Not Copied (Other Reasons) Subfolder Names is empty !\n",
     "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 80069.", kModelExport},
    {"lstStat08SubFoldersFailedUndo", nullptr, nullptr, "btnStat08ZoomSubFoldersFailedUndo", "SubFoldersFailedUndo",
     "btnStat08SmartExportSubFoldersFailedUndo", "The List of Failed UNDO Folder Names is empty !\n",
     "Copy Folder structure(s).-From a Folder List - Level.           Warning no: 80070.", kModelExport},
};

const VisualLogLayout kLayout{kCategories,
                          "chkStat08NormalSimulate",
                          "lblVol08NormalSimulate",
                          "Folder/File Copy Process.",
                          "Simulate the Folder/File Copy Process.",
                          []() -> ZoomStatisticsWindow* { return frmVol08ZoomStatistics; }};

}  // namespace

TfrmStatistic08::TfrmStatistic08(QWidget* parent)
    : VisualLogWindow(kLayout, parent), ui(std::make_unique<Ui::TfrmStatistic08>()) {
    ui->setupUi(this);
    AttachControls();
    connect(ui->btnStat08Ok, &QPushButton::clicked, this, &TfrmStatistic08::btnStat08OkClick);
    connect(ui->btnStat08ZoomFoldersCopied, &QPushButton::clicked, this,
            &TfrmStatistic08::btnStat08ZoomFoldersCopiedClick);
    connect(ui->btnStat08ZoomSubFoldersCopied, &QPushButton::clicked, this,
            &TfrmStatistic08::btnStat08ZoomSubFoldersCopiedClick);
    connect(ui->btnStat08ZoomFilesCopied, &QPushButton::clicked, this, &TfrmStatistic08::btnStat08ZoomFilesCopiedClick);
    connect(ui->btnStat08ZoomFoldersNotExist, &QPushButton::clicked, this,
            &TfrmStatistic08::btnStat08ZoomFoldersNotExistClick);
    connect(ui->btnStat08ZoomSubFoldersExist, &QPushButton::clicked, this,
            &TfrmStatistic08::btnStat08ZoomSubFoldersExistClick);
    connect(ui->btnStat08ZoomFilesExist, &QPushButton::clicked, this, &TfrmStatistic08::btnStat08ZoomFilesExistClick);
    connect(ui->btnStat08ZoomSubFoldersOtherReasons, &QPushButton::clicked, this,
            &TfrmStatistic08::btnStat08ZoomSubFoldersOtherReasonsClick);
    connect(ui->btnStat08ZoomSubFoldersFailedUndo, &QPushButton::clicked, this,
            &TfrmStatistic08::btnStat08ZoomSubFoldersFailedUndoClick);
    connect(ui->btnStat08SmartExportFoldersCopied, &QPushButton::clicked, this,
            &TfrmStatistic08::btnStat08SmartExportFoldersCopiedClick);
    connect(ui->btnStat08SmartExportSubFoldersCopied, &QPushButton::clicked, this,
            &TfrmStatistic08::btnStat08SmartExportSubFoldersCopiedClick);
    connect(ui->btnStat08SmartExportFilesCopied, &QPushButton::clicked, this,
            &TfrmStatistic08::btnStat08SmartExportFilesCopiedClick);
    connect(ui->btnStat08SmartExportFoldersNotExist, &QPushButton::clicked, this,
            &TfrmStatistic08::btnStat08SmartExportFoldersNotExistClick);
    connect(ui->btnStat08SmartExportSubFoldersExist, &QPushButton::clicked, this,
            &TfrmStatistic08::btnStat08SmartExportSubFoldersExistClick);
    connect(ui->btnStat08SmartExportFilesExist, &QPushButton::clicked, this,
            &TfrmStatistic08::btnStat08SmartExportFilesExistClick);
    connect(ui->btnStat08SmartExportSubFoldersOtherReasons, &QPushButton::clicked, this,
            &TfrmStatistic08::btnStat08SmartExportSubFoldersOtherReasonsClick);
    connect(ui->btnStat08SmartExportSubFoldersFailedUndo, &QPushButton::clicked, this,
            &TfrmStatistic08::btnStat08SmartExportSubFoldersFailedUndoClick);
}

TfrmStatistic08::~TfrmStatistic08() = default;

void TfrmStatistic08::btnStat08OkClick() { close(); }
