#include "results/TfrmLevelSummFolder.h"

#include <QHeaderView>
#include <algorithm>

#include "results/ResultsLog.h"
#include "ui_TfrmLevelSummFolder.h"

TfrmLevelSummFolder* frmLevelSummFolder = nullptr;

TfrmLevelSummFolder::TfrmLevelSummFolder(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TfrmLevelSummFolder>()) {
    ui->setupUi(this);
    // 120 pixels a column, or the heading's width where the font needs more.
    QHeaderView* header = ui->lstViewLevelSummFolder->horizontalHeader();
    for (int column = 0; column < 2; ++column)
        ui->lstViewLevelSummFolder->setColumnWidth(column, std::max(120, header->sectionSizeHint(column)));
    ApplyResultsWindowLook(this, false);
    connect(ui->btnLevelSummClose, &QPushButton::clicked, this, &QDialog::close);
}

TfrmLevelSummFolder::~TfrmLevelSummFolder() = default;
