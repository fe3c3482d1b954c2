#include "windows/TfrmVol06EditIncludeList.h"

#include "ui_TfrmVol06EditIncludeList.h"

TfrmVol06EditIncludeList* frmVol06EditIncludeList = nullptr;

TfrmVol06EditIncludeList::TfrmVol06EditIncludeList(QWidget* parent)
    : IncludeListEditor(parent), ui(std::make_unique<Ui::TfrmVol06EditIncludeList>()) {
    ui->setupUi(this);
    Setup setup;
    setup.rule = LineRule::FullPath;
    setup.memo = ui->mmoVol06EditIncludeList;
    setup.linesSum = ui->lblVol06EditLinesSum;
    setup.refusedCaption = "Rename Folder(s).-From a Folder List.            Warning no: 60047.";
    setup.refuseRoots = true;
    setup.rootText = "You can not Enter a drive without Folder(s)!\nSo You can not Delete the Entire drive.";
    setup.rootCaption = "Rename Folder(s).-From a Folder List.            Warning no: 60047.";
    InitEditor(setup);
    connect(ui->btnVol06EditIncludeListOk, &QPushButton::clicked, this,
            &TfrmVol06EditIncludeList::btnVol06EditIncludeListOkClick);
    connect(ui->btnVol06EditIncludeListCancel, &QPushButton::clicked, this,
            &TfrmVol06EditIncludeList::btnVol06EditIncludeListCancelClick);
}

TfrmVol06EditIncludeList::~TfrmVol06EditIncludeList() = default;

void TfrmVol06EditIncludeList::btnVol06EditIncludeListOkClick() { OkClick(); }
void TfrmVol06EditIncludeList::btnVol06EditIncludeListCancelClick() { CancelClick(); }
void TfrmVol06EditIncludeList::mmoVol06EditIncludeListKeyPress() { MemoKeyPress(); }
