#include "windows/TfrmVol08EditIncludeList.h"

#include "ui_TfrmVol08EditIncludeList.h"

TfrmVol08EditIncludeList* frmVol08EditIncludeList = nullptr;

TfrmVol08EditIncludeList::TfrmVol08EditIncludeList(QWidget* parent)
    : IncludeListEditor(parent), ui(std::make_unique<Ui::TfrmVol08EditIncludeList>()) {
    ui->setupUi(this);
    Setup setup;
    setup.rule = LineRule::FullPath;
    setup.memo = ui->mmoVol08EditIncludeList;
    setup.linesSum = ui->lblVol08EditLinesSum;
    setup.refusedCaption = "Copy Folder Structure(s).-From a Folder List.          Warning no: 80061.";
    InitEditor(setup);
    connect(ui->btnVol08EditIncludeListOk, &QPushButton::clicked, this,
            &TfrmVol08EditIncludeList::btnVol08EditIncludeListOkClick);
    connect(ui->btnVol08EditIncludeListCancel, &QPushButton::clicked, this,
            &TfrmVol08EditIncludeList::btnVol08EditIncludeListCancelClick);
}

TfrmVol08EditIncludeList::~TfrmVol08EditIncludeList() = default;

void TfrmVol08EditIncludeList::btnVol08EditIncludeListOkClick() { OkClick(); }
void TfrmVol08EditIncludeList::btnVol08EditIncludeListCancelClick() { CancelClick(); }
void TfrmVol08EditIncludeList::mmoVol08EditIncludeListKeyPress() { MemoKeyPress(); }
