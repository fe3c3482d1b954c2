#include "windows/TfrmVol15EditIncludeList.h"

#include "ui_TfrmVol15EditIncludeList.h"

TfrmVol15EditIncludeList* frmVol15EditIncludeList = nullptr;

TfrmVol15EditIncludeList::TfrmVol15EditIncludeList(QWidget* parent)
    : IncludeListEditor(parent), ui(std::make_unique<Ui::TfrmVol15EditIncludeList>()) {
    ui->setupUi(this);
    Setup setup;
    setup.rule = LineRule::FullPath;
    setup.memo = ui->mmoVol15EditIncludeList;
    setup.linesSum = ui->lblVol15EditLinesSum;
    setup.currentLine = ui->lblVol15EditLinesCurrent;
    setup.refusedCaption = "Copy Folder Structure(s).-From a Folder List.          Warning no: 80061.";
    setup.cap = 3000000;
    setup.capText =
        "In this Commercial Version you can enter or load\nmaximum 3,000,000 Folders in the Include window!\n\n";
    setup.capCaption = "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 80062.";
    InitEditor(setup);
    connect(ui->btnVol15EditIncludeListOk, &QPushButton::clicked, this,
            &TfrmVol15EditIncludeList::btnVol15EditIncludeListOkClick);
    connect(ui->btnVol15EditIncludeListCancel, &QPushButton::clicked, this,
            &TfrmVol15EditIncludeList::btnVol15EditIncludeListCancelClick);
}

TfrmVol15EditIncludeList::~TfrmVol15EditIncludeList() = default;

void TfrmVol15EditIncludeList::btnVol15EditIncludeListOkClick() { OkClick(); }
void TfrmVol15EditIncludeList::btnVol15EditIncludeListCancelClick() { CancelClick(); }
void TfrmVol15EditIncludeList::mmoVol15EditIncludeListKeyPress() { MemoKeyPress(); }

void TfrmVol15EditIncludeList::mmoVol15EditIncludeListClick() { MemoClick(); }
