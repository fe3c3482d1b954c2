#include "results/TfrmStatistic10.h"

#include "results/TfrmVol10ZoomStatistics.h"
#include "ui_TfrmStatistic10.h"

TfrmStatistic10* frmStatistic10 = nullptr;

namespace {

const ResultCategoryLayout kCategories[] = {
    {"lstStat10FilesCopied", "lstStat10SegedFilesCopied", "lstStat10SegedFilesCopied", "bznStat10ZoomFilesCopied",
     "FilesCopied", "btnStat10SmartExportFilesCopied",
     "The List of Successfully Copied File Names is empty !\nAction : You must Copy at least one File to use the Smart "
     "Export Feature.",
     "Copy Multiple Files.-From a Folder List - Level.            Warning no: 10061.", kModelExport},
    {"lstStat10FilesExist", "lstStat10SegedFilesExist", nullptr, "btnStat10ZoomFilesExist", "FilesExist",
     "btnStat10SmartExportFilesExist", "The List of Not Copied (Already Exist) File Names is empty !\n",
     "Copy Multiple Files.-From a Folder List - Level.            Warning no: 100067.", kModelExport},
    {"lstStat10FilesOtherReasons", "lstStat10SegedFilesOtherReasons", "lstStat10SegedFilesOtherReasons",
     "btnStat10ZoomFilesOtherReasons", "FilesOtherReasons", "btnStat10SmartExportFilesOtherReasons",
     "The List of Files Copy Failed - Other Reasons File Names is empty !\n",
     "Copy Multiple Files.-From a Folder List - Level.            Warning no: 100068.", kModelExport},
    {"lstStat10FoldersNotExists", nullptr, nullptr, "btnStat10ZoomFoldersNotExist", "FoldersNotExist",
     "btnStat10SmartExportFoldersNotExist", "The List of Not Copied (Don't Exist) Main Folder Names is empty !\n",
     "Copy Multiple Files.-From a Folder List - Level.            Warning no: 100071.", kModelExport},
    {"lstStat10FilesOverWrited", "lstStat10SegedFilesOverWrited", "lstStat10SegedFilesOverWrited",
     "btnStat10ZoomFilesOverWrited", "FilesOverWrited", "btnStat10SmartExportFilesOverWrited",
     "The List of OverWrited File Names is empty !\n",
     "Copy Multiple Files - From a Folder List - Level.            Warning no: 100063.", kModelExport},
    {"lstStat10FilesSkipped", "lstStat10SegedFilesSkipped", "lstStat10SegedFilesSkipped", "btnStat10ZoomFilesSkipped",
     "FilesSkipped", "btnStat10SmartExportFilesSkipped", "The List of Skipped Files is empty !\n",
     "Copy Multiple Files -From a File List - Level.             Warning no: 100062.", kModelExport},
    {"lstStat10FilesIncreasedFileNames", "lstStat10SegedFilesIncreasedFileNames",
     "lstStat10SegedFilesIncreasedFileNames", "btnStat10ZoomFilesIncreasedFileNames", "FilesIncreasedFileNames",
     "btnStat10SmartExportFilesIncreasedFileNames", "The List of Files with Increased Names is empty !\n",
     "Copy Multiple Files -From a File List - Level.             Warning no: 100065.", kModelExport},
    {"lstStat10FilesFailedUndo", "lstStat10SegedFilesFailedUndo", "lstStat10SegedFilesFailedUndo",
     "btnStat10ZoomFilesFailedUndo", "FilesFailedUndo", "btnStat10SmartExportFilesFailedUndo",
     "The List of Files Failed UNDO is empty !\n",
     "Copy Multiple Files -From a File List - Level.             Warning no: 100066.", kModelExport},
    {"lstStat10FoldersCopied", "lstStat10SegedFoldersCopied", "lstStat10SegedFoldersCopied",
     "btnStat10ZoomFoldersCopied", "FoldersCopied", "btnStat10SmartExportFoldersCopied",
     "The List of Successfully Copied Main Folder Names is empty !\nAction : You must Copy at least one Main Folder to "
     "use the Smart Export Feature.",
     "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 100069.", kModelExport},
    {"lstStat10SubFoldersCopied", nullptr, nullptr, "btnStat10ZoomSubFoldersCopied", "SubFoldersCopied",
     "btnStat10SmartExportSubFoldersCopied",
     "The List of Successfully Copied Subfolder Names is empty !\nAction : You must Copy at least one Subfolder to use "
     "the Smart Export Feature.",
     "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 100070.", kSwitchesExportButtons},
    {"lstStat10SubFoldersExists", nullptr, nullptr, "btnStat10ZoomSubFoldersExist", "SubFoldersExist",
     "btnStat10SmartExportSubFoldersExist", "The List of Not Copied (Already Exist) Subfolder Names is empty !\n",
     "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 100072.", kSwitchesExportButtons},
};

const VisualLogLayout kLayout{kCategories,
                          "chkStat10NormalSimulate",
                          "lblVol10NormalSimulate",
                          "File Copy Process.",
                          "Simulate the File Copy Process.",
                          []() -> ZoomStatisticsWindow* { return frmVol10ZoomStatistics; }};

}  // namespace

TfrmStatistic10::TfrmStatistic10(QWidget* parent)
    : VisualLogWindow(kLayout, parent), ui(std::make_unique<Ui::TfrmStatistic10>()) {
    ui->setupUi(this);
    AttachControls();
    connect(ui->btnStat10Close, &QPushButton::clicked, this, &TfrmStatistic10::btnStat10CloseClick);
    connect(ui->bznStat10ZoomFilesCopied, &QPushButton::clicked, this, &TfrmStatistic10::bznStat10ZoomFilesCopiedClick);
    connect(ui->btnStat10ZoomFilesExist, &QPushButton::clicked, this, &TfrmStatistic10::btnStat10ZoomFilesExistClick);
    connect(ui->btnStat10ZoomFilesOtherReasons, &QPushButton::clicked, this,
            &TfrmStatistic10::btnStat10ZoomFilesOtherReasonsClick);
    connect(ui->btnStat10ZoomFoldersNotExist, &QPushButton::clicked, this,
            &TfrmStatistic10::btnStat10ZoomFoldersNotExistClick);
    connect(ui->btnStat10ZoomFilesOverWrited, &QPushButton::clicked, this,
            &TfrmStatistic10::btnStat10ZoomFilesOverWritedClick);
    connect(ui->btnStat10ZoomFilesSkipped, &QPushButton::clicked, this,
            &TfrmStatistic10::btnStat10ZoomFilesSkippedClick);
    connect(ui->btnStat10ZoomFilesIncreasedFileNames, &QPushButton::clicked, this,
            &TfrmStatistic10::btnStat10ZoomFilesIncreasedFileNamesClick);
    connect(ui->btnStat10ZoomFilesFailedUndo, &QPushButton::clicked, this,
            &TfrmStatistic10::btnStat10ZoomFilesFailedUndoClick);
    connect(ui->btnStat10ZoomFoldersCopied, &QPushButton::clicked, this,
            &TfrmStatistic10::btnStat10ZoomFoldersCopiedClick);
    connect(ui->btnStat10ZoomSubFoldersCopied, &QPushButton::clicked, this,
            &TfrmStatistic10::btnStat10ZoomSubFoldersCopiedClick);
    connect(ui->btnStat10ZoomSubFoldersExist, &QPushButton::clicked, this,
            &TfrmStatistic10::btnStat10ZoomSubFoldersExistClick);
    connect(ui->btnStat10SmartExportFilesCopied, &QPushButton::clicked, this,
            &TfrmStatistic10::btnStat10SmartExportFilesCopiedClick);
    connect(ui->btnStat10SmartExportFilesExist, &QPushButton::clicked, this,
            &TfrmStatistic10::btnStat10SmartExportFilesExistClick);
    connect(ui->btnStat10SmartExportFilesOtherReasons, &QPushButton::clicked, this,
            &TfrmStatistic10::btnStat10SmartExportFilesOtherReasonsClick);
    connect(ui->btnStat10SmartExportFoldersNotExist, &QPushButton::clicked, this,
            &TfrmStatistic10::btnStat10SmartExportFoldersNotExistClick);
    connect(ui->btnStat10SmartExportFilesOverWrited, &QPushButton::clicked, this,
            &TfrmStatistic10::btnStat10SmartExportFilesOverWritedClick);
    connect(ui->btnStat10SmartExportFilesSkipped, &QPushButton::clicked, this,
            &TfrmStatistic10::btnStat10SmartExportFilesSkippedClick);
    connect(ui->btnStat10SmartExportFilesIncreasedFileNames, &QPushButton::clicked, this,
            &TfrmStatistic10::btnStat10SmartExportFilesIncreasedFileNamesClick);
    connect(ui->btnStat10SmartExportFilesFailedUndo, &QPushButton::clicked, this,
            &TfrmStatistic10::btnStat10SmartExportFilesFailedUndoClick);
    connect(ui->btnStat10SmartExportFoldersCopied, &QPushButton::clicked, this,
            &TfrmStatistic10::btnStat10SmartExportFoldersCopiedClick);
    connect(ui->btnStat10SmartExportSubFoldersCopied, &QPushButton::clicked, this,
            &TfrmStatistic10::btnStat10SmartExportSubFoldersCopiedClick);
    connect(ui->btnStat10SmartExportSubFoldersExist, &QPushButton::clicked, this,
            &TfrmStatistic10::btnStat10SmartExportSubFoldersExistClick);
}

TfrmStatistic10::~TfrmStatistic10() = default;

void TfrmStatistic10::btnStat10CloseClick() { close(); }
