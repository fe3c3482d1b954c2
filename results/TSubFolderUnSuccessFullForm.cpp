#include "results/TSubFolderUnSuccessFullForm.h"

#include "ui_TSubFolderUnSuccessFullForm.h"

TSubFolderUnSuccessFullForm* SubFolderUnSuccessFullForm = nullptr;

TSubFolderUnSuccessFullForm::TSubFolderUnSuccessFullForm(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TSubFolderUnSuccessFullForm>()) {
    ui->setupUi(this);
    ui->lstSubFolderUnSuccessFullExist->clear();
    ui->lstSubFolderUnSuccessFullOther->clear();
    connect(ui->btnSubFolderUnSuccessFullOk, &QPushButton::clicked, this,
            &TSubFolderUnSuccessFullForm::btnSubFolderUnSuccessFullOkClick);
}

TSubFolderUnSuccessFullForm::~TSubFolderUnSuccessFullForm() = default;

void TSubFolderUnSuccessFullForm::btnSubFolderUnSuccessFullOkClick() { close(); }
