#include "windows/TfrmNoltEditIncludeFolderList.h"

#include "ui_TfrmNoltEditIncludeFolderList.h"

TfrmNoltEditIncludeFolderList* frmNoltEditIncludeFolderList = nullptr;

TfrmNoltEditIncludeFolderList::TfrmNoltEditIncludeFolderList(QWidget* parent)
    : IncludeListEditor(parent), ui(std::make_unique<Ui::TfrmNoltEditIncludeFolderList>()) {
    ui->setupUi(this);
    Setup setup;
    setup.rule = LineRule::FullPath;
    setup.memo = ui->mmoEditIncludeList;
    setup.linesSum = ui->lblEditLinesSum;
    setup.currentLine = ui->lblEditLinesCurrent;
    setup.refusedCaption = "Tierwick.            Warning no: 0385bc.";
    InitEditor(setup);
    connect(ui->btnEditIncludeListOk, &QPushButton::clicked, this,
            &TfrmNoltEditIncludeFolderList::btnEditIncludeListOkClick);
    connect(ui->btnEditIncludeListCancel, &QPushButton::clicked, this,
            &TfrmNoltEditIncludeFolderList::btnEditIncludeListCancelClick);
}

TfrmNoltEditIncludeFolderList::~TfrmNoltEditIncludeFolderList() = default;

void TfrmNoltEditIncludeFolderList::btnEditIncludeListOkClick() { OkClick(); }
void TfrmNoltEditIncludeFolderList::btnEditIncludeListCancelClick() { CancelClick(); }
void TfrmNoltEditIncludeFolderList::mmoEditIncludeListKeyPress() { MemoKeyPress(); }

void TfrmNoltEditIncludeFolderList::mmoEditIncludeListClick() { MemoClick(); }
