#include "windows/TfrmVol12EditIncludeList.h"

#include "ui_TfrmVol12EditIncludeList.h"

TfrmVol12EditIncludeList* frmVol12EditIncludeList = nullptr;

TfrmVol12EditIncludeList::TfrmVol12EditIncludeList(QWidget* parent)
    : IncludeListEditor(parent), ui(std::make_unique<Ui::TfrmVol12EditIncludeList>()) {
    ui->setupUi(this);
    Setup setup;
    setup.rule = LineRule::Plain;
    setup.memo = ui->mmoVol12EditIncludeList;
    setup.linesSum = ui->lblVol12EditLinesSum;
    setup.refuseRoots = true;
    setup.rootText = "You can not Enter a drive without Folder(s)!\nSo You can not Delete the Entire drive.";
    setup.rootCaption = "Delete Multiple Files.-From a Folder List.            Warning no: 110037.";
    InitEditor(setup);
    connect(ui->btnVol12EditIncludeListOk, &QPushButton::clicked, this,
            &TfrmVol12EditIncludeList::btnVol12EditIncludeListOkClick);
    connect(ui->btnVol12EditIncludeListCancel, &QPushButton::clicked, this,
            &TfrmVol12EditIncludeList::btnVol12EditIncludeListCancelClick);
}

TfrmVol12EditIncludeList::~TfrmVol12EditIncludeList() = default;

void TfrmVol12EditIncludeList::btnVol12EditIncludeListOkClick() { OkClick(); }
void TfrmVol12EditIncludeList::btnVol12EditIncludeListCancelClick() { CancelClick(); }
void TfrmVol12EditIncludeList::mmoVol12EditIncludeListKeyPress() { MemoKeyPress(); }
