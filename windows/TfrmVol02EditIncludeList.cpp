#include "windows/TfrmVol02EditIncludeList.h"

#include "ui_TfrmVol02EditIncludeList.h"

TfrmVol02EditIncludeList* frmVol02EditIncludeList = nullptr;

TfrmVol02EditIncludeList::TfrmVol02EditIncludeList(QWidget* parent)
    : IncludeListEditor(parent), ui(std::make_unique<Ui::TfrmVol02EditIncludeList>()) {
    ui->setupUi(this);
    Setup setup;
    setup.rule = LineRule::Relative;
    setup.memo = ui->mmoVol02EditIncludeList;
    setup.linesSum = ui->lblVol02EditLinesSum;
    InitEditor(setup);
    connect(ui->btnVol02EditOk, &QPushButton::clicked, this, &TfrmVol02EditIncludeList::btnVol02EditOkClick);
    connect(ui->btnVol02EditCancel, &QPushButton::clicked, this, &TfrmVol02EditIncludeList::btnVol02EditCancelClick);
}

TfrmVol02EditIncludeList::~TfrmVol02EditIncludeList() = default;

void TfrmVol02EditIncludeList::btnVol02EditOkClick() { OkClick(); }
void TfrmVol02EditIncludeList::btnVol02EditCancelClick() { CancelClick(); }
void TfrmVol02EditIncludeList::mmoVol02EditIncludeListKeyPress() { MemoKeyPress(); }
