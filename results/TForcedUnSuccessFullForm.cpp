#include "results/TForcedUnSuccessFullForm.h"

#include "ui_TForcedUnSuccessFullForm.h"

TForcedUnSuccessFullForm* ForcedUnSuccessFullForm = nullptr;

TForcedUnSuccessFullForm::TForcedUnSuccessFullForm(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TForcedUnSuccessFullForm>()) {
    ui->setupUi(this);
    // Its OK button only closes it.
    connect(ui->btnForcedUnSuccessFullOk, &QPushButton::clicked, this, &QDialog::accept);
}

TForcedUnSuccessFullForm::~TForcedUnSuccessFullForm() = default;
