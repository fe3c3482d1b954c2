#include "windows/TfrmVol11EditIncludeList.h"

#include "ui_TfrmVol11EditIncludeList.h"

TfrmVol11EditIncludeList* frmVol11EditIncludeList = nullptr;

TfrmVol11EditIncludeList::TfrmVol11EditIncludeList(QWidget* parent)
    : IncludeListEditor(parent), ui(std::make_unique<Ui::TfrmVol11EditIncludeList>()) {
    ui->setupUi(this);
    Setup setup;
    setup.rule = LineRule::Plain;
    setup.memo = ui->mmoVol11EditIncludeList;
    setup.linesSum = ui->lblVol11EditLinesSum;
    setup.refuseRoots = true;
    setup.rootText = "You can not Enter a drive without Folder(s)!\nSo You can not Delete the Entire drive.";
    setup.rootCaption = "Delete Multiple Files.-From a Folder List.            Warning no: 110037.";
    InitEditor(setup);
    connect(ui->btnVol11EditIncludeListOk, &QPushButton::clicked, this,
            &TfrmVol11EditIncludeList::btnVol11EditIncludeListOkClick);
    connect(ui->btnVol11EditIncludeListCancel, &QPushButton::clicked, this,
            &TfrmVol11EditIncludeList::btnVol11EditIncludeListCancelClick);
}

TfrmVol11EditIncludeList::~TfrmVol11EditIncludeList() = default;

void TfrmVol11EditIncludeList::btnVol11EditIncludeListOkClick() { OkClick(); }
void TfrmVol11EditIncludeList::btnVol11EditIncludeListCancelClick() { CancelClick(); }
void TfrmVol11EditIncludeList::mmoVol11EditIncludeListKeyPress() { MemoKeyPress(); }
