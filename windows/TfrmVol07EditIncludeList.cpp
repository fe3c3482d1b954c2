#include "windows/TfrmVol07EditIncludeList.h"

#include "ui_TfrmVol07EditIncludeList.h"

TfrmVol07EditIncludeList* frmVol07EditIncludeList = nullptr;

TfrmVol07EditIncludeList::TfrmVol07EditIncludeList(QWidget* parent)
    : IncludeListEditor(parent), ui(std::make_unique<Ui::TfrmVol07EditIncludeList>()) {
    ui->setupUi(this);
    Setup setup;
    setup.rule = LineRule::Plain;
    setup.memo = ui->mmoVol07EditIncludeList;
    setup.linesSum = ui->lblVol07EditLinesSum;
    setup.refuseRoots = true;
    setup.rootText = "You can not Enter a drive without Folder(s)!\nSo You can not Delete the Entire drive.";
    setup.rootCaption = "Delete Folder(s).-From a Folder List.            Warning no: 70039.";
    InitEditor(setup);
    connect(ui->btnVol07EditIncludeListOk, &QPushButton::clicked, this,
            &TfrmVol07EditIncludeList::btnVol07EditIncludeListOkClick);
    connect(ui->btnVol07EditIncludeListCancel, &QPushButton::clicked, this,
            &TfrmVol07EditIncludeList::btnVol07EditIncludeListCancelClick);
}

TfrmVol07EditIncludeList::~TfrmVol07EditIncludeList() = default;

void TfrmVol07EditIncludeList::btnVol07EditIncludeListOkClick() { OkClick(); }
void TfrmVol07EditIncludeList::btnVol07EditIncludeListCancelClick() { CancelClick(); }
void TfrmVol07EditIncludeList::mmoVol07EditIncludeListKeyPress() { MemoKeyPress(); }
