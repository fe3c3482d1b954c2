#include "windows/TfrmVol04EditIncludeList.h"

#include "ui_TfrmVol04EditIncludeList.h"

TfrmVol04EditIncludeList* frmVol04EditIncludeList = nullptr;

TfrmVol04EditIncludeList::TfrmVol04EditIncludeList(QWidget* parent)
    : IncludeListEditor(parent), ui(std::make_unique<Ui::TfrmVol04EditIncludeList>()) {
    ui->setupUi(this);
    Setup setup;
    setup.rule = LineRule::FullPath;
    setup.memo = ui->mmoVol04EditIncludeList;
    setup.linesSum = ui->lblVol04EditLinesSum;
    setup.refusedCaption = "Creating Folder(s).-From a Folder List.            Warning no: 40057.";
    InitEditor(setup);
    connect(ui->btnVol04EditIncludeListOk, &QPushButton::clicked, this,
            &TfrmVol04EditIncludeList::btnVol04EditIncludeListOkClick);
    connect(ui->btnVol04EditIncludeListCancel, &QPushButton::clicked, this,
            &TfrmVol04EditIncludeList::btnVol04EditIncludeListCancelClick);
}

TfrmVol04EditIncludeList::~TfrmVol04EditIncludeList() = default;

void TfrmVol04EditIncludeList::btnVol04EditIncludeListOkClick() { OkClick(); }
void TfrmVol04EditIncludeList::btnVol04EditIncludeListCancelClick() { CancelClick(); }
void TfrmVol04EditIncludeList::mmoVol04EditIncludeListKeyPress() { MemoKeyPress(); }
