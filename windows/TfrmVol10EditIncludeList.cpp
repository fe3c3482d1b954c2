#include "windows/TfrmVol10EditIncludeList.h"

#include "ui_TfrmVol10EditIncludeList.h"

TfrmVol10EditIncludeList* frmVol10EditIncludeList = nullptr;

TfrmVol10EditIncludeList::TfrmVol10EditIncludeList(QWidget* parent)
    : IncludeListEditor(parent), ui(std::make_unique<Ui::TfrmVol10EditIncludeList>()) {
    ui->setupUi(this);
    Setup setup;
    setup.rule = LineRule::Plain;
    setup.memo = ui->mmoVol10EditIncludeList;
    setup.linesSum = ui->lblVol10EditLinesSum;
    InitEditor(setup);
    connect(ui->btnVol10EditIncludeListOk, &QPushButton::clicked, this,
            &TfrmVol10EditIncludeList::btnVol10EditIncludeListOkClick);
    connect(ui->btnVol10EditIncludeListCancel, &QPushButton::clicked, this,
            &TfrmVol10EditIncludeList::btnVol10EditIncludeListCancelClick);
}

TfrmVol10EditIncludeList::~TfrmVol10EditIncludeList() = default;

void TfrmVol10EditIncludeList::btnVol10EditIncludeListOkClick() { OkClick(); }
void TfrmVol10EditIncludeList::btnVol10EditIncludeListCancelClick() { CancelClick(); }
void TfrmVol10EditIncludeList::mmoVol10EditIncludeListKeyPress() { MemoKeyPress(); }
