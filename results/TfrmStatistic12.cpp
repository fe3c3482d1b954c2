#include "results/TfrmStatistic12.h"

#include "results/TfrmVol12ZoomStatistics.h"
#include "ui_TfrmStatistic12.h"

TfrmStatistic12* frmStatistic12 = nullptr;

namespace {

const ResultCategoryLayout kCategories[] = {
    {"lstStat12FilesRenamed", "lstStat12SegedFilesRenamed", "lstStat12SegedFilesRenamed", "btnStat12ZoomFilesRenamed",
     "FilesRenamed", "btnStat12SmartExportFilesRenamed", "The List of Successfully Renamed Files is empty !\n",
     "Rename Multiple Files -From a File List - Level.             Warning no: 120043.",
     kModelExport | kKeepsFocus | kHandsOverVisibleLine},
    {"lstStat12FilesSkipped", "lstStat12SegedFilesSkipped", "lstStat12SegedFilesSkipped", "btnStat12ZoomFilesDropped",
     "FilesDropped", "btnStat12SmartExportFilesDropped", "The List of Skipped Files is empty !\n",
     "Rename Multiple Files -From a File List - Level.             Warning no: 120044.", kModelExport},
    {"lstStat12FilesOverWrited", "lstStat12SegedFilesOverWrited", "lstStat12SegedFilesOverWrited",
     "btnStat12ZoomFilesOverWrited", "FilesOverWrited", "btnStat12SmartExportFilesOverWrited",
     "The List of OverWrited Files is empty !\n",
     "Rename Multiple Files -From a File List - Level.             Warning no: 120045.", kModelExport},
    {"lstStat12FilesIncreasedFileNames", "lstStat12SegedFilesIncreasedFileNames",
     "lstStat12SegedFilesIncreasedFileNames", "btnStat12ZoomFilesIncreasedNames", "FilesIncreasedNames",
     "btnStat12SmartExportFilesIncreasedNames", "The List of Files with Increased Names is empty !\n",
     "Rename Multiple Files -From a File List - Level.             Warning no: 120046.", kModelExport},
    {"lstStat12FilesIncreasedTypes", "lstStat12SegedFilesIncreasedTypes", "lstStat12SegedFilesIncreasedTypes",
     "btnStat12ZoomFilesIncreasedTypes", "FilesIncreasedTypes", "btnStat12SmartExportFilesIncreasedTypes",
     "The List of Files with Increased Types is empty !\n",
     "Rename Multiple Files -From a File List - Level.             Warning no: 120047.", kSwitchesExportButtons},
    {"lstStat12FilesSourceNotExist", "lstStat12SegedFilesSourceNotExist", nullptr, "btnStat12ZoomFilesNotExist",
     "FilesSourceNotExist", "btnStat12SmartExportFilesSourceNotExist",
     "The List of Not existing Source Files is empty !\n",
     "Rename Multiple Files -From a File List - Level.             Warning no: 120048.", kModelExport},
    {"lstStat12FilesOtherReasons", "lstStat12SegedFilesOtherReasons", "lstStat12SegedFilesOtherReasons",
     "btnStat12ZoomFilesOtherReasons", "FilesOtherReasons", "btnStat12SmartExportFilesOtherReasons",
     "The List of Files Not Renamed - Other Reasons is empty !\n",
     "Rename Multiple Files -From a File List - Level.             Warning no: 120049.", kModelExport},
    {"lstStat12FoldersNotExist", "lstStat12SegedFoldersNotExist", nullptr, "btnStat12ZoomFoldersNotExist",
     "FoldersNotExist", "btnStat12SmartExportFoldersNotExist", "The List of Not Existing Folder Names is empty !\n",
     "Rename Multiple Files -From a File List - Level.             Warning no: 120054.", kModelExport},
    {"lstStat12FilesFailedUndo", "lstStat12SegedFilesFailedUndo", nullptr, "btnStat12ZoomFilesFailedUndo",
     "FilesFailedUndo", "btnStat12SmartExportFilesFailedUndo", "The List of Files Failed UNDO is empty !\n",
     "Rename Multiple Files -From a File List - Level.             Warning no: 120050.", kModelExport},
    {"lstStat12FoldersRenamed", nullptr, "lstStat12FilesRenamed", "btnStat12ZoomFoldersRenamed", "FoldersRenamed",
     "btnStat12SmartExportFoldersRenamed", "The List of Successfully Renamed Files is empty !\n",
     "Rename Multiple Files -From a File List - Level.             Warning no: 120055.", kKeepsFocus},
    {"lstStat12FoldersSourceNotExists", nullptr, nullptr, "btnStat12ZoomSourceNotExists", "SourceNotExists",
     "btnStat12SmartExportSourceNotExists",
     "The List of Not Renamed (Source Folders don't exist) Folder Names is empty !\n",
     "Rename Multiple Files -From a File List - Level.             Warning no: 120051.", 0},
    {"lstStat12FoldersDestinationExists", nullptr, nullptr, "btnStat12ZoomDestinationExists", "DestinationExists",
     "btnStat12SmartExportDestinationExists",
     "The List of Not Renamed (Destination Folders already exist) Folder Names is empty !\n",
     "Rename Multiple Files -From a File List - Level.             Warning no: 120052.", 0},
    {"lstStat12FoldersOtherReasons", nullptr, nullptr, "btnStat12ZoomOtherReasons", "OtherReasons",
     "btnStat12SmartExportFoldersOtherReasons", "The List of Not Renamed (Other Reasons) Folder Names is empty !\n",
     "Rename Multiple Files -From a File List - Level.             Warning no: 120053.", 0},
};

const VisualLogLayout kLayout{kCategories,
                          "chkStat12NormalSimulate",
                          "lblVol12NormalSimulate",
                          "File Rename Process.",
                          "Simulate the File Rename Process.",
                          []() -> ZoomStatisticsWindow* { return frmVol12ZoomStatistics; }};

}  // namespace

TfrmStatistic12::TfrmStatistic12(QWidget* parent)
    : VisualLogWindow(kLayout, parent), ui(std::make_unique<Ui::TfrmStatistic12>()) {
    ui->setupUi(this);
    AttachControls();
    connect(ui->btnStat12OK, &QPushButton::clicked, this, &TfrmStatistic12::btnStat12OKClick);
    connect(ui->btnStat12ZoomFilesRenamed, &QPushButton::clicked, this,
            &TfrmStatistic12::btnStat12ZoomFilesRenamedClick);
    connect(ui->btnStat12ZoomFilesDropped, &QPushButton::clicked, this,
            &TfrmStatistic12::btnStat12ZoomFilesDroppedClick);
    connect(ui->btnStat12ZoomFilesOverWrited, &QPushButton::clicked, this,
            &TfrmStatistic12::btnStat12ZoomFilesOverWritedClick);
    connect(ui->btnStat12ZoomFilesIncreasedNames, &QPushButton::clicked, this,
            &TfrmStatistic12::btnStat12ZoomFilesIncreasedNamesClick);
    connect(ui->btnStat12ZoomFilesIncreasedTypes, &QPushButton::clicked, this,
            &TfrmStatistic12::btnStat12ZoomFilesIncreasedTypesClick);
    connect(ui->btnStat12ZoomFilesNotExist, &QPushButton::clicked, this,
            &TfrmStatistic12::btnStat12ZoomFilesNotExistClick);
    connect(ui->btnStat12ZoomFilesOtherReasons, &QPushButton::clicked, this,
            &TfrmStatistic12::btnStat12ZoomFilesOtherReasonsClick);
    connect(ui->btnStat12ZoomFoldersNotExist, &QPushButton::clicked, this,
            &TfrmStatistic12::btnStat12ZoomFoldersNotExistClick);
    connect(ui->btnStat12ZoomFilesFailedUndo, &QPushButton::clicked, this,
            &TfrmStatistic12::btnStat12ZoomFilesFailedUndoClick);
    connect(ui->btnStat12ZoomFoldersRenamed, &QPushButton::clicked, this,
            &TfrmStatistic12::btnStat12ZoomFoldersRenamedClick);
    connect(ui->btnStat12ZoomSourceNotExists, &QPushButton::clicked, this,
            &TfrmStatistic12::btnStat12ZoomSourceNotExistsClick);
    connect(ui->btnStat12ZoomDestinationExists, &QPushButton::clicked, this,
            &TfrmStatistic12::btnStat12ZoomDestinationExistsClick);
    connect(ui->btnStat12ZoomOtherReasons, &QPushButton::clicked, this,
            &TfrmStatistic12::btnStat12ZoomOtherReasonsClick);
    connect(ui->btnStat12SmartExportFilesRenamed, &QPushButton::clicked, this,
            &TfrmStatistic12::btnStat12SmartExportFilesRenamedClick);
    connect(ui->btnStat12SmartExportFilesDropped, &QPushButton::clicked, this,
            &TfrmStatistic12::btnStat12SmartExportFilesDroppedClick);
    connect(ui->btnStat12SmartExportFilesOverWrited, &QPushButton::clicked, this,
            &TfrmStatistic12::btnStat12SmartExportFilesOverWritedClick);
    connect(ui->btnStat12SmartExportFilesIncreasedNames, &QPushButton::clicked, this,
            &TfrmStatistic12::btnStat12SmartExportFilesIncreasedNamesClick);
    connect(ui->btnStat12SmartExportFilesIncreasedTypes, &QPushButton::clicked, this,
            &TfrmStatistic12::btnStat12SmartExportFilesIncreasedTypesClick);
    connect(ui->btnStat12SmartExportFilesSourceNotExist, &QPushButton::clicked, this,
            &TfrmStatistic12::btnStat12SmartExportFilesSourceNotExistClick);
    connect(ui->btnStat12SmartExportFilesOtherReasons, &QPushButton::clicked, this,
            &TfrmStatistic12::btnStat12SmartExportFilesOtherReasonsClick);
    connect(ui->btnStat12SmartExportFoldersNotExist, &QPushButton::clicked, this,
            &TfrmStatistic12::btnStat12SmartExportFoldersNotExistClick);
    connect(ui->btnStat12SmartExportFilesFailedUndo, &QPushButton::clicked, this,
            &TfrmStatistic12::btnStat12SmartExportFilesFailedUndoClick);
    connect(ui->btnStat12SmartExportFoldersRenamed, &QPushButton::clicked, this,
            &TfrmStatistic12::btnStat12SmartExportFoldersRenamedClick);
    connect(ui->btnStat12SmartExportSourceNotExists, &QPushButton::clicked, this,
            &TfrmStatistic12::btnStat12SmartExportSourceNotExistsClick);
    connect(ui->btnStat12SmartExportDestinationExists, &QPushButton::clicked, this,
            &TfrmStatistic12::btnStat12SmartExportDestinationExistsClick);
    connect(ui->btnStat12SmartExportFoldersOtherReasons, &QPushButton::clicked, this,
            &TfrmStatistic12::btnStat12SmartExportFoldersOtherReasonsClick);
    // The failed-undo list comes with one empty line until the page first
    // empties the lists.
    CategoryList(FilesFailedUndo)->Append(std::string());
    CategoryList(FilesFailedUndo)->FlushChanges();
}

TfrmStatistic12::~TfrmStatistic12() = default;

void TfrmStatistic12::btnStat12OKClick() { close(); }
