#include "results/TfrmLevelSummFolder.h"

#include "results/ResultsLog.h"
#include "ui_TfrmLevelSummFolder.h"

TfrmLevelSummFolder* frmLevelSummFolder = nullptr;

TfrmLevelSummFolder::TfrmLevelSummFolder(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TfrmLevelSummFolder>()) {
    ui->setupUi(this);
    ui->lstViewLevelSummFolder->setColumnWidth(0, 120);
    ui->lstViewLevelSummFolder->setColumnWidth(1, 120);
    ApplyResultsWindowLook(this, false);
    connect(ui->btnLevelSummClose, &QPushButton::clicked, this, &QDialog::close);
}

TfrmLevelSummFolder::~TfrmLevelSummFolder() = default;
